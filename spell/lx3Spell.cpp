// The spell-check component with its interface fonts and built-in dialogs.
#include "spell/lx3Spell.h"

#include "classlib/ComCtrls.h"
#include "classlib/FileCtrl.h"
#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "spell/lx3ConfigurationDialogCtrl.h"
#include "spell/lx3SpellDialog.h"
#include "spell/lx3WinAPIParser.h"

PUBLISHED(TLexemeSpell3) {
  using C = TLexemeSpell3;
  Prop("UILanguageFontControls", &C::GetUILanguageFontControls, &C::SetUILanguageFontControls);
  Prop("UILanguageFontText", &C::GetUILanguageFontText, &C::SetUILanguageFontText);
  Prop("UILanguageUseFonts", &C::UILanguageUseFonts).Default(false);
  Prop("UIType", &C::UIType).Default(suiDialog);
}

namespace lx3spell_detail {
bool RegisterClasses() {
  if (!GetClass("TLexemeSpell3")) RegisterClass(TLexemeSpell3::StaticClass());
  return true;
}
}  // namespace lx3spell_detail

namespace {
const bool registered = lx3spell_detail::RegisterClasses();
}  // namespace

TLexemeSpell3::TLexemeSpell3(TComponent* AOwner)
    : inherited(AOwner), fontControls_(new TFont()), fontText_(new TFont()) {
  UIType = suiDialog;
}

TLexemeSpell3::~TLexemeSpell3() {
  delete fontControls_;
  delete fontText_;
}

void TLexemeSpell3::SetUILanguageFontControls(TFont* Value) { fontControls_->Assign(Value); }
void TLexemeSpell3::SetUILanguageFontText(TFont* Value) { fontText_->Assign(Value); }

TForm* TLexemeSpell3::CreateSpellDialog() {
  TComponent* owner = this;
  if (auto* walker = dynamic_cast<TWinAPIControlParser*>(GetWalker()))
    if (walker->GetControl()) owner = walker->GetControl();
  auto* dialog = new TSpellDialog(owner);
  ApplyInterfaceFonts(dialog, true);
  return dialog;
}

void TLexemeSpell3::ApplyInterfaceFonts(TForm* Form, bool TextFonts) {
  if (!UILanguageUseFonts || !Form) return;
  for (Integer i = 0; i < Form->GetComponentCount(); ++i) {
    auto* control = dynamic_cast<TControl*>(Form->GetComponents(i));
    if (!control) continue;
    if (dynamic_cast<TCustomLabel*>(control) || dynamic_cast<TButtonControl*>(control) ||
        dynamic_cast<TCustomGroupBox*>(control) || dynamic_cast<TPageControl*>(control))
      control->SetFont(fontControls_);
    else if (dynamic_cast<TListView*>(control) || dynamic_cast<TCustomListBox*>(control) ||
             dynamic_cast<TCustomEdit*>(control) || dynamic_cast<TCustomComboBox*>(control))
      control->SetFont(TextFonts ? fontText_ : fontControls_);
  }
}

HWND TLexemeSpell3::OwnerWindow(TComponent* AOwner) {
  for (TComponent* c = AOwner; c; c = c->GetOwner())
    if (auto* control = dynamic_cast<TControl*>(c)) {
      if (TCustomForm* form = GetParentForm(control); form && form->HandleAllocated()) return form->GetHandle();
      if (auto* win = dynamic_cast<TWinControl*>(control); win && win->HandleAllocated()) return win->GetHandle();
    }
  return Application ? Application->GetHandle() : nullptr;
}

void TLexemeSpell3::ShowConfigDialog(TComponent* AOwner) {
  if (OnShowConfigDialog) {
    OnShowConfigDialog(this, AOwner);
    return;
  }
}

void TLexemeSpell3::ShowCustomDictionariesDialog(TComponent* AOwner) {
  if (OnShowCustomDictionariesDialog) {
    OnShowCustomDictionariesDialog(this, AOwner);
    return;
  }
}

void TLexemeSpell3::ShowEditCustomDictionaryDialog(TComponent* AOwner, TCustomDictionary* Dictionary) {
  if (OnShowEditCustomDictionaryDialog) {
    OnShowEditCustomDictionaryDialog(this, AOwner, Dictionary);
    return;
  }
}

void TLexemeSpell3::ShowAddDictionaryDir(TComponent* AOwner) {
  if (OnShowAddDictionaryDir) {
    OnShowAddDictionaryDir(this, AOwner);
    return;
  }
  // File-system folders only, with an edit box to type the path.
  constexpr UINT kFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
  AnsiString folder;
  if (!SelectDirectory(GetString(41), "", folder, OwnerWindow(AOwner), kFlags) || folder.empty()) return;
  EnsureConfiguration();
  // The configuration's list reports the change, which reloads the configuration with the new
  // folder searched.
  GetConfiguration()->NewPaths()->Add(folder);
}
