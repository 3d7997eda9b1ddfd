// The non-visual component bases.
#include "controls/VisComponent.h"

#include "classlib/Filer.h"
#include "controls/viscont.h"

void TVisCustomComponent::EndUpdate(bool Notify) {
  FUpdating = false;
  if (Notify) DoChange();
}

void TVisCustomComponent::GetChange(TObject*) {}

void TVisCustomComponent::DoChange() {
  if (!FUpdating && OnChange) OnChange(this);
}

void TVisCustomComponent::Change() { DoChange(); }

// --- TVisImageListRef -------------------------------------------------------------------------------

TVisImageListRef::TVisImageListRef(TComponent* Owner, TNotifyEvent OnChange)
    : FOwner(Owner), FOnChange(OnChange), FChangeLink(new TVisChangeLink) {
  FChangeLink->Sender = Owner;
  FChangeLink->OnChange = OnChange;
}

TVisImageListRef::~TVisImageListRef() {
  if (FImageList) FImageList->RemoveFreeNotification(FOwner);
  delete FChangeLink;
}

void TVisImageListRef::SetImageList(TVisCustomImageList* Value) {
  // Through the link: a list that is being freed has already let its links go.
  if (TVisBaseContainer* container = FChangeLink->GetContainer()) container->UnRegisterChanges(FChangeLink);
  if (FImageList) FImageList->RemoveFreeNotification(FOwner);
  FImageList = Value;
  if (FImageList) {
    FImageList->RegisterChanges(FChangeLink);
    FImageList->FreeNotification(FOwner);
  }
  if (FOnChange) FOnChange(FOwner);
}

void TVisImageListRef::SetIndex(Integer Which, Integer Value) {
  Integer& index = Which == 0 ? FImageIndex : FListIndex;
  if (Value < 0 || Value == index) return;
  index = Value;
  if (FImageList && FOnChange) FOnChange(FOwner);
}

bool TVisImageListRef::IsValid() const { return FImageList && FImageList->IsValid(FListIndex, FImageIndex); }

void TVisImageListRef::Notification(TComponent* AComponent, TOperation Operation) {
  if (Operation == opRemove && AComponent == FImageList) SetImageList(nullptr);
}

bool TVisImageListRef::IsImageListStored() const { return FImageList && !IsGlobalImageList(FImageList); }

void TVisImageListRef::DefineProperties(TFiler* Filer) {
  Filer->DefineProperty("Internal", TReaderProc(this, &TVisImageListRef::ReadInternal),
                        TWriterProc(this, &TVisImageListRef::WriteInternal), IsGlobalImageList(FImageList));
}

void TVisImageListRef::ReadInternal(TReader* Reader) {
  if (TVisCustomImageList* list = ReadGlobalListRef(Reader)) SetImageList(list);
}

void TVisImageListRef::WriteInternal(TWriter* Writer) { WriteGlobalListRef(Writer, FImageList); }

// --- TVisContainerComponent ---------------------------------------------------------------------------

TVisContainerComponent::TVisContainerComponent(TComponent* AOwner)
    : TVisCustomComponent(AOwner), FImages(this, TNotifyEvent(this, &TVisContainerComponent::GetChange)) {}

void TVisContainerComponent::GetChange(TObject*) {}

void TVisContainerComponent::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  FImages.Notification(AComponent, Operation);
}

void TVisContainerComponent::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  FImages.DefineProperties(Filer);
}
