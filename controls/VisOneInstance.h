// TVisOneInstance: placed on the main form, it ends a second copy of the program as soon as the
// main form has been loaded, after bringing the first copy forward (restoring it when it is
// minimised), optionally with a message. The second copy's main form is never shown.
#pragma once

#include "classlib/TypInfo.h"
#include "controls/VisComponent.h"

enum TVisOneInstanceMode { oiActivateOnly, oiDefaultMessage, oiCustom };
ENUM_NAMES(TVisOneInstanceMode, "oiActivateOnly", "oiDefaultMessage", "oiCustom");

// A component of the set that may exist only once: on a wrong owner or as a second one on a form
// (kind 0), or as a second one in the program (kind 1).
class VisEOneInstError : public Exception {
  CLASS_INFO(VisEOneInstError, Exception)
public:
  VisEOneInstError(const AnsiString& ComponentClassName, int Kind);
};

class TVisOneInstance : public TVisCustomComponent {
  CLASS_INFO(TVisOneInstance, TVisCustomComponent)
public:
  // Raises VisEOneInstError (kind 1) when the program already has one.
  explicit TVisOneInstance(TComponent* AOwner);
  ~TVisOneInstance() override;

  // After the owning form has been read: when Enabled and another copy of the program runs,
  // acts by Mode and ends this copy.
  void Loaded() override;

  bool Enabled = true;
  // oiActivateOnly brings the first copy forward; oiDefaultMessage first tells the user that
  // the program "was already started..."; oiCustom calls OnCustom instead (or brings the first
  // copy forward when it is not assigned).
  TVisOneInstanceMode Mode = oiActivateOnly;
  TNotifyEvent OnCustom;
};

// The owner test of components that belong once on a form: true when AOwner is not a form, or
// already holds more than one component of ComponentClass. (There are no data modules here, so
// AllowDataModule changes nothing.)
bool CheckOwner(TComponent* AOwner, TClass ComponentClass, bool AllowDataModule);

// A unit that includes this header can read forms holding the guard: the class is registered
// for the form stream.
namespace visoneinstance_detail {
bool RegisterClasses();
static const bool registered = RegisterClasses();
}  // namespace visoneinstance_detail
