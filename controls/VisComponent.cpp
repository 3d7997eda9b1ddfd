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

TVisContainerComponent::TVisContainerComponent(TComponent* AOwner)
    : TVisCustomComponent(AOwner), FChangeLink(new TVisChangeLink) {
  FChangeLink->Sender = this;
  FChangeLink->OnChange = TNotifyEvent(this, &TVisContainerComponent::GetChange);
}

TVisContainerComponent::~TVisContainerComponent() {
  if (FImageList) FImageList->RemoveFreeNotification(this);
  delete FChangeLink;
}

void TVisContainerComponent::SetImageList(TVisCustomImageList* Value) {
  // Through the link: a list that is being freed has already let its links go.
  if (TVisBaseContainer* container = FChangeLink->GetContainer()) container->UnRegisterChanges(FChangeLink);
  if (FImageList) FImageList->RemoveFreeNotification(this);
  FImageList = Value;
  if (FImageList) {
    FImageList->RegisterChanges(FChangeLink);
    FImageList->FreeNotification(this);
  }
  GetChange(this);
}

void TVisContainerComponent::SetIndex(Integer Which, Integer Value) {
  Integer& index = Which == 0 ? FImageIndex : FListIndex;
  if (Value < 0 || Value == index) return;
  index = Value;
  if (FImageList) GetChange(this);
}

void TVisContainerComponent::GetChange(TObject*) {}

void TVisContainerComponent::Notification(TComponent* AComponent, TOperation Operation) {
  inherited::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FImageList) SetImageList(nullptr);
}

bool TVisContainerComponent::IsImageListStored() const { return FImageList && !IsGlobalImageList(FImageList); }

void TVisContainerComponent::DefineProperties(TFiler* Filer) {
  inherited::DefineProperties(Filer);
  Filer->DefineProperty("Internal", TReaderProc(this, &TVisContainerComponent::ReadInternal),
                        TWriterProc(this, &TVisContainerComponent::WriteInternal), IsGlobalImageList(FImageList));
}

void TVisContainerComponent::ReadInternal(TReader* Reader) {
  if (TVisCustomImageList* list = ReadGlobalListRef(Reader)) SetImageList(list);
}

void TVisContainerComponent::WriteInternal(TWriter* Writer) { WriteGlobalListRef(Writer, FImageList); }
