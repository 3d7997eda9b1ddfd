#include "spell/lx3ConfigurationDialog.h"

#include <cstdint>

#include "classlib/FormTextReader.h"
#include "classlib/Graphics.h"
#include "classlib/ImgList.h"
#include "classlib/StdCtrls.h"
#include "classlib/StringLists.h"
#include "classlib/Strings.h"
#include "spell/lx3Configuration.h"
#include "spell/lx3ConfigurationDialogCtrl.h"
#include "spell/lx3MainDictionary.h"

extern const char lx3ConfigurationDialogFormText[];

PUBLISHED(TSpellCheckConfigDialog) {
  Field("OptionsGroup", &TSpellCheckConfigDialog::OptionsGroup);
  Field("DictionariesGroup", &TSpellCheckConfigDialog::DictionariesGroup);
  Field("MainDictionaries", &TSpellCheckConfigDialog::MainDictionaries);
  Field("CustomLabel", &TSpellCheckConfigDialog::CustomLabel);
  Field("CustomCombo", &TSpellCheckConfigDialog::CustomCombo);
  Field("DictionariesButton", &TSpellCheckConfigDialog::DictionariesButton);
  Field("OK", &TSpellCheckConfigDialog::OK);
  Field("HelpButton", &TSpellCheckConfigDialog::HelpButton);
  Field("ResetButton", &TSpellCheckConfigDialog::ResetButton);
  Field("DialogControl", &TSpellCheckConfigDialog::DialogControl);
  Field("XPImageList", &TSpellCheckConfigDialog::XPImageList);
  using C = TSpellCheckConfigDialog;
  Method("DialogControlConfigurationAvailable", &C::DialogControlConfigurationAvailable);
  Method("MainDictionariesChange", &C::MainDictionariesChange);
  Method("MainDictionariesClick", &C::MainDictionariesClick);
  Method("MainDictionariesSelectItem", &C::MainDictionariesSelectItem);
  Method("OptionsClick", &C::OptionsClick);
  Method("CustomComboChange", &C::CustomComboChange);
  Method("DictionariesButtonClick", &C::DictionariesButtonClick);
  Method("ResetButtonClick", &C::ResetButtonClick);
  Method("HelpButtonClick", &C::HelpButtonClick);
  Method("FormShow", &C::FormShow);
}

namespace {

// Whether a row of the main dictionaries stands for a file of the configuration's list, as last
// applied (kept in the row's data).
bool Listed(TListItem* Item) { return Item->Data != nullptr; }
void SetListed(TListItem* Item, bool Value) { Item->Data = reinterpret_cast<void*>(std::intptr_t(Value ? 1 : 0)); }

}  // namespace

TSpellCheckConfigDialog::TSpellCheckConfigDialog(TComponent* AOwner) : TForm(AOwner) {
  RegisterSpellFormClasses();
  ReadComponentFromText(this, lx3ConfigurationDialogFormText);
  for (Integer i = 0; i < 10; ++i)
    Options[i] = static_cast<TCheckBox*>(FindComponent("Option" + IntToStr(i + 1)));
  // One blank image: it gives the rows of the list the height of a small icon, so that the
  // check boxes do not crowd each other.
  TBitmap blank;
  blank.SetWidth(XPImageList->GetWidth());
  blank.SetHeight(XPImageList->GetHeight());
  blank.GetCanvas()->GetBrush()->SetColor(clFuchsia);
  blank.GetCanvas()->FillRect(Rect(0, 0, blank.GetWidth(), blank.GetHeight()));
  XPImageList->AddMasked(&blank, clFuchsia);
}

bool TSpellCheckConfigDialog::LocateRowShown() const {
  return DialogControl->CommandsVisible().Contains(sdcMainDictFolderBrowse);
}

void TSpellCheckConfigDialog::DialogControlConfigurationAvailable(TObject*) {
  AnsiString text;
  auto caption = [&](Integer id) {
    DialogControl->GetString(id, text);
    return text;
  };
  SetCaption(caption(15));
  OptionsGroup->SetCaption(caption(34));
  DictionariesGroup->SetCaption(caption(35));
  MainDictionaries->GetColumns()->GetItems(0)->SetCaption(caption(36));
  MainDictionaries->GetColumns()->GetItems(1)->SetCaption(caption(37));
  CustomLabel->SetCaption(caption(38));
  DictionariesButton->SetCaption(caption(39));
  OK->SetCaption(caption(46));
  HelpButton->SetCaption(caption(31));
  ResetButton->SetCaption(caption(33));

  const TSpellDialogCommands visible = DialogControl->CommandsVisible();
  const TSpellDialogCommands enabled = DialogControl->CommandsEnabled();
  DictionariesButton->SetVisible(visible.Contains(sdcCustomDictionaries));
  CustomCombo->SetVisible(visible.Contains(sdcCustomDictionary));
  CustomLabel->SetVisible(CustomCombo->GetVisible());
  ResetButton->SetVisible(visible.Contains(sdcResetDefaults));
  OK->SetVisible(visible.Contains(sdcConfigOK));
  HelpButton->SetVisible(visible.Contains(sdcHelp) && DialogControl->HelpCtxConfigDialog() != 0);
  DictionariesButton->SetEnabled(enabled.Contains(sdcCustomDictionaries));
  CustomCombo->SetEnabled(enabled.Contains(sdcCustomDictionary));
  ResetButton->SetEnabled(enabled.Contains(sdcResetDefaults));
  OK->SetEnabled(enabled.Contains(sdcConfigOK));
  HelpButton->SetEnabled(enabled.Contains(sdcHelp));

  // The space of hidden controls goes to the lists.
  if (!DictionariesButton->GetVisible() && !CustomCombo->GetVisible())
    MainDictionaries->SetHeight(DictionariesButton->GetTop() + DictionariesButton->GetHeight() -
                                MainDictionaries->GetTop());
  if (!OK->GetVisible() && !HelpButton->GetVisible())
    DictionariesGroup->SetHeight(OK->GetTop() + OK->GetHeight() - DictionariesGroup->GetTop());

  FillMainDictionaries();
  FillCustomCombo();
  const Integer hidden = FillOptions();
  // The options group gives up the rows of the hidden boxes; what lies below moves up with the
  // form's bottom edge.
  const Integer shrink = hidden * (Options[1]->GetTop() - Options[0]->GetTop());
  OptionsGroup->SetAnchors(TAnchors{akLeft, akTop, akRight});
  DictionariesGroup->SetAnchors(TAnchors{akLeft, akTop, akRight});
  OptionsGroup->SetHeight(OptionsGroup->GetHeight() - shrink);
  DictionariesGroup->SetTop(DictionariesGroup->GetTop() - shrink);
  SetClientHeight(GetClientHeight() - shrink);
  OptionsGroup->SetAnchors(TAnchors{akLeft, akTop, akRight});
  DictionariesGroup->SetAnchors(TAnchors{akLeft, akTop, akRight, akBottom});
}

void TSpellCheckConfigDialog::FillMainDictionaries() {
  TLexemeConfig* config = DialogControl->GetConfiguration();
  TStrings* files = DialogControl->AvailableMainDictionaries();
  if (!config || !files) return;
  filling_ = true;
  TListItems* items = MainDictionaries->GetItems();
  items->BeginUpdate();
  items->Clear();
  TStringList* configured = config->MainDictionaries();
  for (Integer i = 0; i < files->GetCount(); ++i) {
    const AnsiString file = files->GetStrings(i);
    TListItem* item = items->Add();
    std::unique_ptr<TMainDictionary> dictionary(DialogControl->OpenMainDictionary(file));
    item->SetCaption(dictionary ? dictionary->GetName() : AnsiString("???"));
    item->GetSubItems()->Add(file);
    const bool listed = configured->IndexOf(file) >= 0;
    item->SetChecked(listed);
    SetListed(item, listed);
  }
  if (LocateRowShown()) {
    TListItem* item = items->Add();
    AnsiString text;
    DialogControl->GetString(40, text);
    item->SetCaption(text);
    item->SetChecked(false);
    SetListed(item, false);
  }
  items->EndUpdate();
  filling_ = false;
  SizeColumns();
}

void TSpellCheckConfigDialog::SizeColumns() {
  TListColumns* columns = MainDictionaries->GetColumns();
  Integer width = MainDictionaries->GetWidth() - 4 - columns->GetItems(0)->GetWidth();
  if (MainDictionaries->GetItems()->GetCount() >= 5) width -= GetSystemMetrics(SM_CXVSCROLL);
  columns->GetItems(1)->SetWidth(width);
}

void TSpellCheckConfigDialog::FillCustomCombo() {
  TLexemeConfig* config = DialogControl->GetConfiguration();
  TStrings* names = DialogControl->AvailableCustomDictionaries();
  if (!config || !names) return;
  filling_ = true;
  CustomCombo->GetItems()->Assign(names);
  AnsiString active;
  config->ActiveCustomPath(active);
  if (!active.empty()) CustomCombo->SetItemIndex(CustomCombo->GetItems()->IndexOf(ExtractFileName(active)));
  filling_ = false;
}

Integer TSpellCheckConfigDialog::FillOptions() {
  TLexemeConfig* config = DialogControl->GetConfiguration();
  if (!config) return 0;
  filling_ = true;
  const TSpellOptions available = DialogControl->GetAvailableOptions();
  const TSpellOptions chosen = config->Options();
  Integer box = 0;
  for (Integer o = soLiveSpelling; o <= soUser4 && box < 10; ++o) {
    const auto option = static_cast<TSpellOption>(o);
    if (!available.Contains(option)) continue;
    AnsiString caption;
    DialogControl->OptionCaption(option, caption);
    TCheckBox* check = Options[box++];
    check->Tag = o;
    check->SetCaption(caption);
    check->SetChecked(chosen.Contains(option));
    check->SetVisible(true);
  }
  const Integer hidden = 10 - box;
  while (box < 10) Options[box++]->SetVisible(false);
  filling_ = false;
  return hidden;
}

void TSpellCheckConfigDialog::MainDictionariesChange(TObject*, TListItem* Item, TItemChange Change) {
  if (filling_ || Change != ctState || !Item) return;
  const bool checked = Item->GetChecked();
  if (checked == Listed(Item)) return;
  TLexemeConfig* config = DialogControl->GetConfiguration();
  if (!config) return;
  TListItems* items = MainDictionaries->GetItems();
  if (LocateRowShown() && Item->GetIndex() == items->GetCount() - 1) {
    if (!checked) return;
    // The last row is a command, never a dictionary: it stays unchecked.
    Item->SetChecked(false);
    DialogControl->ShowAddDictionaryDir();
    FillMainDictionaries();
    return;
  }
  SetListed(Item, checked);
  if (Item->GetSubItems()->GetCount() == 0) return;
  const AnsiString file = Item->GetSubItems()->GetStrings(0);
  TStringList* configured = config->MainDictionaries();
  const Integer index = configured->IndexOf(file);
  if (!checked && index >= 0) configured->Delete(index);
  if (checked && index < 0) configured->Add(file);
}

void TSpellCheckConfigDialog::MainDictionariesClick(TObject*) {
  // A click on a row's text toggles its check mark as a click on its box does.
  POINT p;
  GetCursorPos(&p);
  ::ScreenToClient(MainDictionaries->GetHandle(), &p);
  TListItem* item = MainDictionaries->GetItemAt(p.x, p.y);
  if (item && p.x >= item->DisplayRect(true).Left) item->SetChecked(!item->GetChecked());
}

void TSpellCheckConfigDialog::MainDictionariesSelectItem(TObject*, TListItem* Item, bool Selected) {
  // The list shows check marks only; the focus rectangle stays, so the keys still reach a row.
  if (Selected && Item) Item->SetSelected(false);
}

void TSpellCheckConfigDialog::OptionsClick(TObject* Sender) {
  auto* box = dynamic_cast<TCheckBox*>(Sender);
  TLexemeConfig* config = DialogControl->GetConfiguration();
  if (filling_ || !box || !config) return;
  const auto option = static_cast<TSpellOption>(box->Tag);
  TSpellOptions options = config->Options();
  if (box->GetChecked() == options.Contains(option)) return;
  if (box->GetChecked())
    options << option;
  else
    options >> option;
  config->SetOptions(options);
}

void TSpellCheckConfigDialog::CustomComboChange(TObject*) {
  TLexemeConfig* config = DialogControl->GetConfiguration();
  const Integer index = CustomCombo->GetItemIndex();
  if (filling_ || !config || index < 0) return;
  config->SetActiveCustom(CustomCombo->GetItems()->GetStrings(index));
}

void TSpellCheckConfigDialog::DictionariesButtonClick(TObject*) {
  DialogControl->ShowCustomDictionariesDialog();
  FillCustomCombo();
}

void TSpellCheckConfigDialog::ResetButtonClick(TObject*) {
  TLexemeConfig* config = DialogControl->GetConfiguration();
  if (!config) return;
  config->ResetToDefaults();
  FillMainDictionaries();
  FillCustomCombo();
  FillOptions();
}

void TSpellCheckConfigDialog::HelpButtonClick(TObject*) { DialogControl->ShowConfigDialogHelp(); }

void TSpellCheckConfigDialog::FormShow(TObject*) { SizeColumns(); }
