// Change links and the container base.
#include "controls/viscont.h"

#include <algorithm>

#include "classlib/Filer.h"

TComponent* VisGlobalListOwner = nullptr;

TVisChangeLink::~TVisChangeLink() {
  if (FContainer) FContainer->UnRegisterChanges(this);
}

void TVisChangeLink::Change() {
  if (OnChange) OnChange(Sender);
}

TVisBaseContainer::~TVisBaseContainer() {
  for (TVisChangeLink* link : FLinks) link->FContainer = nullptr;
}

void TVisBaseContainer::RegisterChanges(TVisChangeLink* Value) {
  if (!Value || Value->FContainer == this) return;
  if (Value->FContainer) Value->FContainer->UnRegisterChanges(Value);
  FLinks.push_back(Value);
  Value->FContainer = this;
}

void TVisBaseContainer::UnRegisterChanges(TVisChangeLink* Value) {
  const auto it = std::find(FLinks.begin(), FLinks.end(), Value);
  if (it == FLinks.end()) return;
  FLinks.erase(it);
  Value->FContainer = nullptr;
}

void TVisBaseContainer::DoChange() {
  if (GetUpdating()) return;
  inherited::DoChange();
  // A handler may unregister links; walk a copy.
  const std::vector<TVisChangeLink*> links = FLinks;
  for (TVisChangeLink* link : links)
    if (std::find(FLinks.begin(), FLinks.end(), link) != FLinks.end()) link->Change();
}

bool TVisCustomImageList::IsValid(Integer, Integer) { return false; }

void TVisCustomImageList::AssignPicture(Integer, Integer, TBitmap*) {}

bool IsGlobalImageList(const TVisCustomImageList* List) {
  return List && VisGlobalListOwner && List->GetOwner() == VisGlobalListOwner;
}

void WriteGlobalListRef(TWriter* Writer, const TVisCustomImageList* List) { Writer->WriteIdent(List->GetName()); }

TVisCustomImageList* ReadGlobalListRef(TReader* Reader) {
  const AnsiString name = Reader->ReadIdent();
  if (!VisGlobalListOwner) return nullptr;
  return dynamic_cast<TVisCustomImageList*>(VisGlobalListOwner->FindComponent(name));
}
