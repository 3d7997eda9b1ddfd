// The base of every system component.
#pragma once

#include "classlib/Components.h"

// A component of this set. About is a label shown in a designer and never written to a form.
class TsycComponent : public TComponent {
  CLASS_INFO(TsycComponent, TComponent)
public:
  explicit TsycComponent(TComponent* AOwner);

  AnsiString About;

protected:
  bool IsDesigning() const { return GetComponentState().Contains(csDesigning); }
  bool IsLoading() const { return GetComponentState().Contains(csLoading); }
  bool IsDestroying() const { return GetComponentState().Contains(csDestroying); }
};
