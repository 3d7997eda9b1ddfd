// Containers: non-visual components that hold items for other components and tell the
// components registered with them (through change links) whenever their content changes.
#pragma once

#include <vector>

#include "controls/VisComponent.h"

class TVisBaseContainer;

// A registration with a container: OnChange is called with Sender on every change of the
// container. A link that is freed unregisters itself.
class TVisChangeLink : public TObject {
  CLASS_INFO(TVisChangeLink, TObject)
public:
  TVisChangeLink() = default;
  ~TVisChangeLink() override;

  // Calls OnChange with Sender.
  virtual void Change();
  // The container the link is registered with, or none.
  TVisBaseContainer* GetContainer() const { return FContainer; }

  TObject* Sender = nullptr;
  TNotifyEvent OnChange;

private:
  friend class TVisBaseContainer;
  TVisBaseContainer* FContainer = nullptr;
};

// The container base: keeps the change links and calls them on every change.
class TVisBaseContainer : public TVisCustomComponent {
  CLASS_INFO(TVisBaseContainer, TVisCustomComponent)
public:
  explicit TVisBaseContainer(TComponent* AOwner) : TVisCustomComponent(AOwner) {}
  ~TVisBaseContainer() override;

  // Registering moves a link from the container it was registered with; unregistering a link
  // that is not registered here does nothing.
  void RegisterChanges(TVisChangeLink* Value);
  void UnRegisterChanges(TVisChangeLink* Value);
  Integer GetLinkCount() const { return static_cast<Integer>(FLinks.size()); }

protected:
  // OnChange, then every link, unless an update is in progress.
  void DoChange() override;

private:
  std::vector<TVisChangeLink*> FLinks;
};

// The containers whose items are pictures; components pick a picture by list index and image
// index.
class TVisCustomImageList : public TVisBaseContainer {
  CLASS_INFO(TVisCustomImageList, TVisBaseContainer)
public:
  explicit TVisCustomImageList(TComponent* AOwner) : TVisBaseContainer(AOwner) {}
};

// The owner of the process-wide picture lists that every form may use; references to its lists
// are stored by the lists' names. None until the containers make it.
extern TComponent* VisGlobalListOwner;
