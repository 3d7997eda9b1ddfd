#include "spell/lx3Configuration.h"

#include "classlib/IniFiles.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "spell/lx3Util.h"

namespace {

struct OptionName {
  TSpellOption option;
  const char* name;
};

// In the order they are written.
constexpr OptionName kOptionNames[] = {
    {soUpcase, "_soUpcase"},           {soNumbers, "_soNumbers"},         {soHTML, "_soHTML"},
    {soInternet, "_soInternet"},       {soQuoted, "_soQuoted"},           {soAbbreviations, "_soAbbreviations"},
    {soPrimaryOnly, "_soPrimaryOnly"}, {soRepeated, "_soRepeated"},       {soDUalCaps, "_soDUalCaps"},
    {soLiveSpelling, "_soLiveSpelling"}, {soLiveCorrect, "_soLiveCorrect"}, {soUser1, "_soUser1"},
    {soUser2, "_soUser2"},             {soUser3, "_soUser3"},             {soUser4, "_soUser4"},
};

}  // namespace

TLexemeConfig::TLexemeConfig(TLexemeConfigOwner* Owner)
    : main_(new TStringList()),
      custom_(new TStringList()),
      msWordCustom_(new TStringList()),
      userNames_(new TStringList()),
      userValues_(new TStringList()),
      newPaths_(new TStringList()),
      owner_(Owner) {
  newPaths_->SetSorted(true);
  newPaths_->Duplicates = dupIgnore;
  for (TStringList* list : {main_, custom_, msWordCustom_, newPaths_})
    list->OnChange = TNotifyEvent(this, &TLexemeConfig::MarkChanged);
}

TLexemeConfig::~TLexemeConfig() {
  CloseStore();
  for (TStringList* list : {main_, custom_, msWordCustom_, newPaths_}) list->OnChange = nullptr;
  delete main_;
  delete custom_;
  delete msWordCustom_;
  delete userNames_;
  delete userValues_;
  delete newPaths_;
}

void TLexemeConfig::SetActiveCustom(const AnsiString& Name) {
  EnsureLoaded();
  if (Name == activeCustom_) return;
  activeCustom_ = Name;
  // No active custom dictionary is not a name to list.
  if (!Name.empty() && custom_->IndexOf(Name) < 0) custom_->Add(Name);
  Changed(true);
}

void TLexemeConfig::SetLoaded(bool Value) {
  if (Value) {
    Load();
    return;
  }
  if (modified_) Save();
  loaded_ = false;
}

void TLexemeConfig::SetOptions(TSpellOptions Value) {
  EnsureLoaded();
  if (Value == options_) return;
  options_ = Value;
  Changed(false);
}

void TLexemeConfig::SetDialogX(Integer Value) {
  EnsureLoaded();
  if (Value == dialogX_) return;
  dialogX_ = Value;
  Changed(false);
}

void TLexemeConfig::SetDialogY(Integer Value) {
  EnsureLoaded();
  if (Value == dialogY_) return;
  dialogY_ = Value;
  Changed(false);
}

TStringList* TLexemeConfig::MainDictionaries() {
  EnsureLoaded();
  return main_;
}

TStringList* TLexemeConfig::CustomDictionaries() {
  EnsureLoaded();
  return custom_;
}

TStringList* TLexemeConfig::MSWordCustomDictionaries() {
  EnsureLoaded();
  return msWordCustom_;
}

void TLexemeConfig::ActiveCustomPath(AnsiString& Name) {
  EnsureLoaded();
  Name = activeCustom_;
  if (owner_) owner_->ExpandPath(activeCustom_, Name);
}

const AnsiString& TLexemeConfig::GetActiveCustom() {
  EnsureLoaded();
  return activeCustom_;
}

TSpellOptions TLexemeConfig::Options() {
  EnsureLoaded();
  return options_;
}

Integer TLexemeConfig::DialogX() {
  EnsureLoaded();
  return dialogX_;
}

Integer TLexemeConfig::DialogY() {
  EnsureLoaded();
  return dialogY_;
}

TStringList* TLexemeConfig::NewPaths() {
  EnsureLoaded();
  return newPaths_;
}

void TLexemeConfig::MarkChanged(TObject*) { Changed(true); }

void TLexemeConfig::Changed(bool Reload) {
  if (!owner_ || !loaded_) return;
  modified_ = true;
  owner_->ReloadConfiguration(Reload);
}

void TLexemeConfig::ListIO(const AnsiString& Name, TStrings* List, bool Read) {
  if (!Read) {
    WriteValue(Name + "_count", IntToStr(List->GetCount()));
    for (Integer i = 0; i < List->GetCount(); ++i) WriteValue(Name + "_" + IntToStr(i), List->GetStrings(i));
    return;
  }
  AnsiString count;
  ReadValue(Name + "_count", "-", count);
  if (count == "-") return;
  List->BeginUpdate();
  List->Clear();
  const Integer n = StrToIntDef(count, 0);
  for (Integer i = 0; i < n; ++i) {
    AnsiString item;
    ReadValue(Name + "_" + IntToStr(i), "", item);
    if (!item.empty()) List->Add(item);
  }
  List->EndUpdate();
}

void TLexemeConfig::ReadValue(const AnsiString& Name, const AnsiString& Default, AnsiString& Value) {
  Value = Default;
  switch (storage_) {
    case csFile:
    case csRegistry:
      if (store_) {
        try {
          Value = store_->ReadString(section_, Name, Default);
        } catch (const Exception&) {
          Value = Default;  // a store that cannot be read leaves the default
        }
      }
      break;
    case csCallback:
      if (owner_) owner_->ReadConfigString(section_, Name, Default, Value);
      break;
    case csNone:
      break;
  }
}

void TLexemeConfig::WriteValue(const AnsiString& Name, const AnsiString& Value) {
  switch (storage_) {
    case csFile:
    case csRegistry:
      if (store_) {
        try {
          store_->WriteString(section_, Name, Value);
        } catch (const Exception&) {
          // Nothing is reported: the value keeps what the store had.
        }
      }
      break;
    case csCallback:
      if (owner_) owner_->WriteConfigString(section_, Name, Value);
      break;
    case csNone:
      break;
  }
}

void TLexemeConfig::OpenStore() {
  CloseStore();
  storage_ = csNone;
  if (!owner_) return;
  storage_ = owner_->GetConfigStorage();
  owner_->ExpandPath(owner_->GetConfigID(), section_);
  try {
    if (storage_ == csFile) {
      owner_->ExpandPath(owner_->GetConfigFilename(), iniFileName_);
      const AnsiString folder = ExtractFilePath(iniFileName_);
      if (!folder.empty()) ForceFolders(folder);
      store_ = new TIniFile(iniFileName_);
    } else if (storage_ == csRegistry) {
      owner_->ExpandPath(owner_->GetConfigRegistryKey(), registryKey_);
      store_ = new TRegistryIniFile(registryKey_);
    }
  } catch (const Exception&) {
    store_ = nullptr;  // every value then stays at its default
  }
}

void TLexemeConfig::CloseStore() {
  if (store_) {
    try {
      store_->UpdateFile();
    } catch (const Exception&) {
      // Closing runs from the destructor too, and the engine reports failures by results only:
      // a store that cannot be written keeps what it held, as a failed WriteValue does.
    }
  }
  delete store_;
  store_ = nullptr;
}

void TLexemeConfig::LoadDefaults() {
  main_->Clear();
  custom_->Clear();
  msWordCustom_->Clear();
  newPaths_->Clear();
  options_ = TSpellOptions();
  activeCustom_.clear();
  dialogX_ = dialogY_ = -1;
  if (!owner_) return;
  if (TStrings* defaults = owner_->GetConfigDefaultMain()) main_->Assign(defaults);
  if (TStrings* defaults = owner_->GetConfigDefaultCustom()) custom_->Assign(defaults);
  if (owner_->GetConfigUseMSWordCustom() && owner_->GetConfigDefaultUseMSWordCustom())
    if (TStrings* found = owner_->AvailableMSWordDictionaries()) msWordCustom_->Assign(found);
  options_ = owner_->GetConfigDefaultOptions();
  owner_->ExpandConfigID(owner_->GetConfigDefaultActiveCustom(), activeCustom_);
  activeCustom_ = ExpandNameMacros(activeCustom_);
}

void TLexemeConfig::Load() {
  loaded_ = false;
  OpenStore();
  AnsiString firstRun;
  ReadValue("_FirstRun", "-", firstRun);
  if (firstRun == "-" || forceDefaults_) {
    LoadDefaults();
  } else {
    main_->Clear();
    ListIO("_Main", main_, true);
    custom_->Clear();
    ListIO("_Custom", custom_, true);
    msWordCustom_->Clear();
    ListIO("_MSWordCustom", msWordCustom_, true);
    ReadValue("_ActiveCustom", "", activeCustom_);
    options_ = TSpellOptions();
    for (const OptionName& o : kOptionNames) {
      AnsiString value;
      ReadValue(o.name, "-", value);
      if (value == "+") options_ << o.option;
    }
    AnsiString number;
    ReadValue("_DialogX", "-1", number);
    dialogX_ = StrToIntDef(number, -1);
    ReadValue("_DialogY", "-1", number);
    dialogY_ = StrToIntDef(number, -1);
    ListIO("_NewPaths", newPaths_, true);
    userNames_->Clear();
    userValues_->Clear();
    ListIO("_UserData", userNames_, true);
    for (Integer i = 0; i < userNames_->GetCount(); ++i) {
      AnsiString value;
      ReadValue("User_" + userNames_->GetStrings(i), "", value);
      userValues_->Add(value);
    }
  }
  forceDefaults_ = false;
  CloseStore();
  modified_ = false;
  loaded_ = true;
  if (owner_) {
    owner_->ConfigLoaded();
    owner_->ReloadConfiguration(true);
  }
}

void TLexemeConfig::EnsureLoaded() {
  if (!loaded_) Load();
}

void TLexemeConfig::GetUserValue(const AnsiString& Name, AnsiString& Value) {
  EnsureLoaded();
  const Integer at = userNames_->IndexOf(Name);
  Value = at >= 0 ? userValues_->GetStrings(at) : AnsiString();
}

void TLexemeConfig::SetUserValue(const AnsiString& Name, const AnsiString& Value) {
  EnsureLoaded();
  const Integer at = userNames_->IndexOf(Name);
  if (at >= 0) {
    userValues_->SetStrings(at, Value);
  } else {
    userNames_->Add(Name);
    userValues_->Add(Value);
  }
  modified_ = true;
  Changed(false);
}

void TLexemeConfig::ResetToDefaults() {
  forceDefaults_ = true;
  Load();
}

void TLexemeConfig::Reload() {
  if (!loaded_) return;
  Save();
  Load();
}

void TLexemeConfig::Save() {
  if (!modified_ || !loaded_ || (owner_ && owner_->IsDesigning())) return;
  OpenStore();
  if (storage_ != csNone) {
    WriteValue("_FirstRun", "+");
    ListIO("_Main", main_, false);
    ListIO("_Custom", custom_, false);
    ListIO("_MSWordCustom", msWordCustom_, false);
    WriteValue("_ActiveCustom", activeCustom_);
    for (const OptionName& o : kOptionNames) WriteValue(o.name, options_.Contains(o.option) ? "+" : "-");
    WriteValue("_DialogX", IntToStr(dialogX_));
    WriteValue("_DialogY", IntToStr(dialogY_));
    ListIO("_NewPaths", newPaths_, false);
    ListIO("_UserData", userNames_, false);
    for (Integer i = 0; i < userNames_->GetCount(); ++i)
      WriteValue("User_" + userNames_->GetStrings(i), userValues_->GetStrings(i));
  }
  modified_ = false;
  CloseStore();
  if (owner_) owner_->ConfigSaved();
}
