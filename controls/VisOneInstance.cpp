// The single-instance guard.
#include "controls/VisOneInstance.h"

#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "controls/visclass.h"
#include "controls/visgraph.h"

PUBLISHED(TVisOneInstance) {
  Prop("About", &TVisOneInstance::About).Stored(false);
  Prop("Enabled", &TVisOneInstance::Enabled).Default(true);
  Prop("Mode", &TVisOneInstance::Mode).Default(oiActivateOnly);
  Prop("OnCustom", &TVisOneInstance::OnCustom);
}

namespace {

// The live TVisOneInstance objects of the process.
int instanceCount = 0;

}  // namespace

bool visoneinstance_detail::RegisterClasses() {
  RegisterClass(TVisOneInstance::StaticClass());
  return true;
}

VisEOneInstError::VisEOneInstError(const AnsiString& ComponentClassName, int Kind)
    : Exception(ComponentClassName + ":\r" +
                (Kind == 0 ? AnsiString("Invalid owner (<>TForm) or second instance on a form")
                           : "Already one " + ComponentClassName + " control in this project!")) {}

TVisOneInstance::TVisOneInstance(TComponent* AOwner) : TVisCustomComponent(AOwner) {
  if (++instanceCount > 1) {
    --instanceCount;
    throw VisEOneInstError(ClassName(), 1);
  }
}

TVisOneInstance::~TVisOneInstance() { --instanceCount; }

void TVisOneInstance::Loaded() {
  inherited::Loaded();
  if (!Enabled || GetComponentState().Contains(csDesigning) || !VisApplication->GetPrevInstance()) return;
  // This copy ends: its main form must never appear.
  Application->SetShowMainForm(false);
  if (auto* form = dynamic_cast<TCustomForm*>(GetOwner()); form && form->GetVisible()) form->SetVisible(false);
  switch (Mode) {
    case oiActivateOnly:
      ActivatePrevInstance();
      break;
    case oiDefaultMessage:
      MessageDlg("\"" + Application->GetTitle() + "\" was already started...", mtInformation, TMsgDlgButtons{mbOK},
                 0);
      ActivatePrevInstance();
      break;
    case oiCustom:
      if (OnCustom)
        OnCustom(this);
      else
        ActivatePrevInstance();
      break;
  }
  Application->Terminate();
}

bool CheckOwner(TComponent* AOwner, TClass ComponentClass, bool) {
  if (!AOwner || !AOwner->InheritsFrom(TCustomForm::StaticClass())) return true;
  Integer count = 0;
  for (Integer i = 0; i < AOwner->GetComponentCount(); ++i)
    if (AOwner->GetComponents(i)->InheritsFrom(ComponentClass)) ++count;
  return count > 1;
}
