// The spell-check component: construction, properties and their effects, published properties,
// the configuration's calls back into the component, ignore filters and interface texts.
#include "spell/lx3SpellBase.h"

#include "classlib/StringLists.h"
#include "classlib/Strings.h"
#include "spell/lx3CustomDictionary.h"
#include "spell/lx3Ignore.h"
#include "spell/lx3MainDictionary.h"
#include "spell/lx3ParseEngine.h"
#include "spell/lx3ParserBase.h"
#include "spell/lx3PhoneticsMap.h"
#include "spell/lx3Suggestions.h"
#include "spell/lx3Util.h"

PUBLISHED(TLexemeSpell3Base) {
  using C = TLexemeSpell3Base;
  Prop("ConfigStorage", &C::GetConfigStorage, &C::SetConfigStorage).Default(csRegistry);
  Prop("ConfigID", &C::GetConfigID, &C::SetConfigID);
  Prop("ConfigFilename", &C::GetConfigFilename, &C::SetConfigFilename);
  Prop("ConfigRegistryKey", &C::GetConfigRegistryKey, &C::SetConfigRegistryKey);
  Prop("ConfigDictionaryDir", &C::GetConfigDictionaryDir, &C::SetConfigDictionaryDir);
  Prop("ConfigAvailableOptions", &C::ConfigAvailableOptions)
      .Default(TSpellOptions{soUpcase, soNumbers, soPrimaryOnly, soRepeated, soDUalCaps});
  Prop("ConfigUserOption1", &C::ConfigUserOption1);
  Prop("ConfigUserOption2", &C::ConfigUserOption2);
  Prop("ConfigUserOption3", &C::ConfigUserOption3);
  Prop("ConfigUserOption4", &C::ConfigUserOption4);
  Prop("ConfigUseMSWordCustom", &C::ConfigUseMSWordCustom).Default(true);
  Prop("ConfigDefaultMain", &C::GetConfigDefaultMain, &C::SetConfigDefaultMain);
  Prop("ConfigDefaultCustom", &C::GetConfigDefaultCustom, &C::SetConfigDefaultCustom);
  Prop("ConfigDefaultActiveCustom", &C::ConfigDefaultActiveCustom);
  Prop("ConfigDefaultOptions", &C::ConfigDefaultOptions)
      .Default(TSpellOptions{soLiveSpelling, soLiveCorrect, soInternet, soAbbreviations, soRepeated, soDUalCaps});
  Prop("ConfigDefaultUseMSWordCustom", &C::ConfigDefaultUseMSWordCustom).Default(false);
  Prop("HelpFile", &C::HelpFile);
  Prop("HelpCtxSpellDialog", &C::HelpCtxSpellDialog).Default(0);
  Prop("HelpCtxConfigDialog", &C::HelpCtxConfigDialog).Default(0);
  Prop("HelpCtxDictionariesDialog", &C::HelpCtxDictionariesDialog).Default(0);
  Prop("HelpCtxDictionaryEditDialog", &C::HelpCtxDictionaryEditDialog).Default(0);
  Prop("SuggestionsAutoReplace", &C::SuggestionsAutoReplace).Default(false);
  Prop("SuggestionsLearning", &C::GetSuggestionsLearning, &C::SetSuggestionsLearning).Default(true);
  Prop("SuggestionsLearningDict", &C::GetSuggestionsLearningDict, &C::SetSuggestionsLearningDict);
  Prop("LiveSpelling", &C::GetLiveSpelling);
  Prop("LiveCorrect", &C::GetLiveCorrect);
  Prop("QuoteChars", &C::GetQuoteChars, &C::SetQuoteChars);
  Prop("DialogInitialPos", &C::DialogInitialPos).Default(ipLastUserPos);
  Prop("DialogSelectionAvoid", &C::DialogSelectionAvoid).Default(saAvoid);
  Prop("DialogShowImmediate", &C::DialogShowImmediate).Default(false);
  Prop("DialogShowModal", &C::DialogShowModal).Default(false);
  Prop("EndMessage", &C::EndMessage).Default(emExceptCancel);
  Prop("EndCursorPosition", &C::EndCursorPosition).Default(epOriginal);
  Prop("EndMessageWordCount", &C::EndMessageWordCount).Default(false);
  Prop("MaxUndo", &C::MaxUndo).Default(-1);
  Prop("MaxSuggestions", &C::MaxSuggestions).Default(-1);
  Prop("KeepDictionariesActive", &C::GetKeepDictionariesActive, &C::SetKeepDictionariesActive).Default(false);
  Prop("SynchronousCheck", &C::SynchronousCheck).Default(true);
  Prop("UseHourglassCursor", &C::UseHourglassCursor).Default(true);
  Prop("CommandsVisible", &C::CommandsVisible).Default(AllSpellDialogCommands);
  Prop("CommandsEnabled", &C::CommandsEnabled).Default(AllSpellDialogCommands);
  Prop("PhoneticSuggestions", &C::PhoneticSuggestions).Default(true);
  Prop("PhoneticMaxDistance", &C::GetPhoneticMaxDistance, &C::SetPhoneticMaxDistance);
  Prop("PhoneticDivisor", &C::GetPhoneticDivisor, &C::SetPhoneticDivisor);
  Prop("PhoneticDepth", &C::GetPhoneticDepth, &C::SetPhoneticDepth);
  Prop("MappingDictionaryName", &C::GetMappingDictionaryName, &C::SetMappingDictionaryName);
  Prop("MappingAutoReplace", &C::MappingAutoReplace).Default(true);
  Prop("UseExcludeWords", &C::UseExcludeWords).Default(true);
  Prop("UseAutoCorrectFirst", &C::UseAutoCorrectFirst).Default(false);
  Prop("RecheckReplacedWords", &C::RecheckReplacedWords).Default(true);
  Prop("ResumeFromLastPosition", &C::ResumeFromLastPosition).Default(true);
  Prop("AllowedCases", &C::AllowedCases).Default(cmInitialCapsOrUpcase);
  Prop("UILanguage", &C::UILanguage).Default(ltEnglish);
  Prop("UIType", &C::UIType).Default(suiSilent);
  Prop("Version", &C::GetVersion);
  Prop("OnConfigChanged", &C::OnConfigChanged);
  Prop("OnConfigLoaded", &C::OnConfigLoaded);
  Prop("OnConfigSaved", &C::OnConfigSaved);
  Prop("OnConfigReadString", &C::OnConfigReadString);
  Prop("OnConfigWriteString", &C::OnConfigWriteString);
  Prop("OnDictionariesChanged", &C::OnDictionariesChanged);
  Prop("OnWordCheck", &C::OnWordCheck);
  Prop("OnPromptWord", &C::OnPromptWord);
  Prop("OnCreateSpellDialog", &C::OnCreateSpellDialog);
  Prop("OnShowConfigDialog", &C::OnShowConfigDialog);
  Prop("OnShowCustomDictionariesDialog", &C::OnShowCustomDictionariesDialog);
  Prop("OnShowAddDictionaryDir", &C::OnShowAddDictionaryDir);
  Prop("OnShowEditCustomDictionaryDialog", &C::OnShowEditCustomDictionaryDialog);
  Prop("OnGetString", &C::OnGetString);
  Prop("OnAddCustomIgnore", &C::OnAddCustomIgnore);
  Prop("OnSpellDialogShow", &C::OnSpellDialogShow);
  Prop("OnSpellDialogHide", &C::OnSpellDialogHide);
  Prop("OnPositionDialog", &C::OnPositionDialog);
  Prop("OnShowEndMessage", &C::OnShowEndMessage);
  Prop("OnCompleteCheck", &C::OnCompleteCheck);
  Prop("OnDialogDeactivate", &C::OnDialogDeactivate);
  Prop("OnDialogActivate", &C::OnDialogActivate);
  Prop("OnAdjustPhoneticsMap", &C::OnAdjustPhoneticsMap);
  Prop("OnParserReplaceWord", &C::OnParserReplaceWord);
  Prop("OnParserIgnoreWord", &C::OnParserIgnoreWord);
  Prop("OnParserUndoLast", &C::OnParserUndoLast);
  Prop("OnBeforeChange", &C::OnBeforeChange);
  Prop("OnCreateCustomDictionary", &C::OnCreateCustomDictionary);
  Prop("OnPopupDoMenu", &C::OnPopupDoMenu);
  Prop("OnPopupAddMenuItem", &C::OnPopupAddMenuItem);
  Prop("OnPopupCreateMenu", &C::OnPopupCreateMenu);
  Prop("OnPopupResult", &C::OnPopupResult);
  Prop("OnCaseModification", &C::OnCaseModification);
}

TLexemeSpell3Base::TLexemeSpell3Base(TComponent* AOwner)
    : inherited(AOwner),
      internal_(new TCustomDictionary()),
      generator_(new TSuggestionsGenerator()),
      phonetics_(new TPhoneticsMap()),
      config_(new TLexemeConfig(this)),
      availableMain_(new TStringList()),
      availableCustom_(new TStringList()),
      availableMSWord_(new TStringList()),
      folders_(new TStringList()),
      configDictionaryDir_(new TStringList()),
      configDefaultMain_(new TStringList()),
      configDefaultCustom_(new TStringList()),
      optionsListeners_(new TEventList()),
      reloadListeners_(new TEventList()),
      passOverListeners_(new TEventList()),
      popupListeners_(new TEventList()) {
  SetParsingEngine(new TMainParsingEngine());
  configDictionaryDir_->Add("%AppDir%");
  configDefaultMain_->Add("American.lxm");
  configDictionaryDir_->OnChange = TNotifyEvent(this, &TLexemeSpell3Base::DictionaryFoldersChanged);
  RebuildFolderList();
}

TLexemeSpell3Base::~TLexemeSpell3Base() {
  if (running_) {
    // A check that is still running ends without touching its text again.
    running_ = false;
    if (freesWalker_ || walkerAdopted_) delete walker_;
    walker_ = filterWalker_ = nullptr;
  }
  DisposeSpellDialog();
  configDictionaryDir_->OnChange = nullptr;
  // Changes of the configuration are kept; freeing the user dictionaries writes theirs.
  config_->SetLoaded(false);
  undo_.clear();
  mains_.clear();
  customs_.clear();
  msWord_.clear();
  delete activeCustom_;
  delete mapping_;
  delete learning_;
  charFilters_.clear();
  lineFilters_.clear();
  filters_.clear();
  delete engine_;
  delete internal_;
  delete generator_;
  delete phonetics_;
  delete config_;
  delete availableMain_;
  delete availableCustom_;
  delete availableMSWord_;
  delete folders_;
  delete configDictionaryDir_;
  delete configDefaultMain_;
  delete configDefaultCustom_;
  delete optionsListeners_;
  delete reloadListeners_;
  delete passOverListeners_;
  delete popupListeners_;
}

// ---------------------------------------------------------------------------------------------
// Owned engine parts

void TLexemeSpell3Base::SetParsingEngine(TParsingEngine* Engine) {
  if (!Engine || Engine == engine_) return;
  delete engine_;
  engine_ = Engine;
  if (auto* main = dynamic_cast<TMainParsingEngine*>(engine_)) {
    main->OnPreviewChar = TPreviewCharEvent(this, &TLexemeSpell3Base::FilterPreviewChar);
    main->OnWordFound = TWordFoundEvent(this, &TLexemeSpell3Base::FilterPreviewWord);
  }
  ApplyOptions(true);
}

void TLexemeSpell3Base::SetSuggestionsGenerator(TSuggestionsGenerator* Generator) {
  if (!Generator || Generator == generator_) return;
  delete generator_;
  generator_ = Generator;
}

void TLexemeSpell3Base::SetPhoneticsMap(TPhoneticsMap* Map) {
  if (!Map || Map == phonetics_) return;
  delete phonetics_;
  phonetics_ = Map;
}

// ---------------------------------------------------------------------------------------------
// Properties

namespace {

// Saves the configuration where it was stored, lets Change name another store, and loads it
// from there when it had been loaded (which reopens the dictionaries).
template <class F>
void MoveConfiguration(TLexemeConfig* config, bool reading, F change) {
  const bool loaded = config->GetLoaded();
  if (loaded) config->SetLoaded(false);
  change();
  if (loaded && !reading) config->Load();
}

}  // namespace

void TLexemeSpell3Base::SetConfigStorage(TConfigStorage Value) {
  if (Value == configStorage_) return;
  MoveConfiguration(config_, GetComponentState().Contains(csReading), [&] { configStorage_ = Value; });
}

void TLexemeSpell3Base::SetConfigID(const AnsiString& Value) {
  if (Value == configID_) return;
  MoveConfiguration(config_, GetComponentState().Contains(csReading), [&] { configID_ = Value; });
}

void TLexemeSpell3Base::SetConfigFilename(const AnsiString& Value) {
  if (Value == configFilename_) return;
  if (configStorage_ != csFile) {
    configFilename_ = Value;
    return;
  }
  MoveConfiguration(config_, GetComponentState().Contains(csReading), [&] { configFilename_ = Value; });
}

void TLexemeSpell3Base::SetConfigRegistryKey(const AnsiString& Value) {
  if (Value == configRegistryKey_) return;
  if (configStorage_ != csRegistry) {
    configRegistryKey_ = Value;
    return;
  }
  MoveConfiguration(config_, GetComponentState().Contains(csReading), [&] { configRegistryKey_ = Value; });
}

TStrings* TLexemeSpell3Base::GetConfigDictionaryDir() const { return configDictionaryDir_; }

void TLexemeSpell3Base::SetConfigDictionaryDir(TStrings* Value) {
  // The list's change event rebuilds the folders and reloads (DictionaryFoldersChanged).
  if (Value) configDictionaryDir_->Assign(Value);
}

TStrings* TLexemeSpell3Base::GetConfigDefaultMain() const { return configDefaultMain_; }

void TLexemeSpell3Base::SetConfigDefaultMain(TStrings* Value) {
  if (Value) configDefaultMain_->Assign(Value);
}

TStrings* TLexemeSpell3Base::GetConfigDefaultCustom() const { return configDefaultCustom_; }

void TLexemeSpell3Base::SetConfigDefaultCustom(TStrings* Value) {
  if (Value) configDefaultCustom_->Assign(Value);
}

void TLexemeSpell3Base::SetQuoteChars(const AnsiString& Value) {
  quoteChars_ = Value;
  ApplyOptions(true);
}

void TLexemeSpell3Base::SetKeepDictionariesActive(bool Value) {
  keepDictionariesActive_ = Value;
  if (!Value) ReleaseDictionaries();
}

Integer TLexemeSpell3Base::GetPhoneticMaxDistance() const { return phonetics_->PhoneticMaxDistance; }
void TLexemeSpell3Base::SetPhoneticMaxDistance(Integer Value) { phonetics_->PhoneticMaxDistance = Value; }
Integer TLexemeSpell3Base::GetPhoneticDivisor() const { return phonetics_->GetPhoneticDivisor(); }
void TLexemeSpell3Base::SetPhoneticDivisor(Integer Value) { phonetics_->SetPhoneticDivisor(Value); }
Integer TLexemeSpell3Base::GetPhoneticDepth() const { return phonetics_->GetPhoneticDepth(); }
void TLexemeSpell3Base::SetPhoneticDepth(Integer Value) { phonetics_->SetDepth(Value); }

void TLexemeSpell3Base::SetMappingDictionaryName(const AnsiString& Value) {
  if (Value == mappingDictionaryName_) return;
  mappingDictionaryName_ = Value;
  FreeAndNil(mapping_);
  if (!mains_.empty()) OpenDictionaries();
}

void TLexemeSpell3Base::SetSuggestionsLearning(bool Value) {
  if (Value == suggestionsLearning_) return;
  FreeAndNil(learning_);
  suggestionsLearning_ = Value;
  if (Value && config_->GetLoaded()) OpenDictionaries();
}

void TLexemeSpell3Base::SetSuggestionsLearningDict(const AnsiString& Value) {
  if (Value == suggestionsLearningDict_) return;
  suggestionsLearningDict_ = Value;
  if (learning_ && suggestionsLearning_) {
    FreeAndNil(learning_);
    OpenDictionaries();
  }
}

AnsiString TLexemeSpell3Base::GetVersion() const { return EngineVersion(); }

bool TLexemeSpell3Base::CanUndo() const { return !undo_.empty(); }

void TLexemeSpell3Base::ClearUndo() { undo_.clear(); }

TStrings* TLexemeSpell3Base::GetDictionaryFolders() const { return folders_; }

// ---------------------------------------------------------------------------------------------
// The configuration's calls

void TLexemeSpell3Base::EnsureConfiguration() {
  if (!config_->GetLoaded()) config_->Load();
}

void TLexemeSpell3Base::ReadConfigString(const AnsiString& ConfigID, const AnsiString& Key, const AnsiString& Default,
                                         AnsiString& Value) {
  Value = Default;
  if (OnConfigReadString) OnConfigReadString(this, ConfigID, Key, Default, Value);
}

void TLexemeSpell3Base::WriteConfigString(const AnsiString& ConfigID, const AnsiString& Key, const AnsiString& Value) {
  if (OnConfigWriteString) OnConfigWriteString(this, ConfigID, Key, Value);
}

void TLexemeSpell3Base::ConfigLoaded() {
  if (OnConfigLoaded) OnConfigLoaded(this);
}

void TLexemeSpell3Base::ConfigSaved() {
  if (OnConfigSaved) OnConfigSaved(this);
}

bool TLexemeSpell3Base::IsDesigning() const { return GetComponentState().Contains(csDesigning); }

void TLexemeSpell3Base::ExpandConfigID(const AnsiString& Path, AnsiString& Expanded) {
  AnsiString s = Path;
  const Integer at = Pos("%ConfigID%", s);
  if (at > 0) {
    ::Delete(s, at, Length(AnsiString("%ConfigID%")));
    ::Insert(ExpandPathMacros(configID_), s, at);
  }
  Expanded = std::move(s);
}

void TLexemeSpell3Base::ExpandPath(const AnsiString& Path, AnsiString& Expanded) {
  ExpandConfigID(ExpandPathMacros(Path), Expanded);
}

// ---------------------------------------------------------------------------------------------
// Dialogs of the options and the custom dictionaries: a descendant shows its own.

void TLexemeSpell3Base::ShowConfigDialog(TComponent* AOwner) {
  if (OnShowConfigDialog) OnShowConfigDialog(this, AOwner);
}

void TLexemeSpell3Base::ShowCustomDictionariesDialog(TComponent* AOwner) {
  if (OnShowCustomDictionariesDialog) OnShowCustomDictionariesDialog(this, AOwner);
}

void TLexemeSpell3Base::ShowEditCustomDictionaryDialog(TComponent* AOwner, TCustomDictionary* Dictionary) {
  if (OnShowEditCustomDictionaryDialog) OnShowEditCustomDictionaryDialog(this, AOwner, Dictionary);
}

void TLexemeSpell3Base::ShowAddDictionaryDir(TComponent* AOwner) {
  if (OnShowAddDictionaryDir) OnShowAddDictionaryDir(this, AOwner);
}

void TLexemeSpell3Base::GetString(TSpellLanguageString Id, AnsiString& Text) {
  GetSpellString(Id, UILanguage, Text);
  if (OnGetString) OnGetString(this, Id, Text);
}

// ---------------------------------------------------------------------------------------------
// Ignore filters

void TLexemeSpell3Base::FilterPreviewChar(AnsiChar C, TControlParser* Walker, bool& Skip) {
  for (TParserIgnore* f : charFilters_)
    if (f->PreviewChar(C, Walker)) {
      Skip = true;
      return;
    }
}

void TLexemeSpell3Base::FilterPreviewWord(const AnsiString& Word, TControlParser* Walker, bool& Again) {
  for (TParserIgnore* f : charFilters_)
    if (f->PreviewWord(Word, Walker)) {
      Again = true;
      return;
    }
}

bool TLexemeSpell3Base::IsIgnoredByFilters(const AnsiString& Word, TControlParser* Walker) {
  for (const auto& f : filters_)
    if (f->IgnoreWord(Word, Walker)) return true;
  return false;
}

bool TLexemeSpell3Base::IsLineIgnored(const AnsiString& Line) {
  for (TParserIgnore* f : lineFilters_)
    if (f->IgnoreLine(Line)) return true;
  return false;
}

void TLexemeSpell3Base::AddIgnoreFilter(TParserIgnore* Filter) {
  if (!Filter) return;
  if (Filter->WantsCharPreview()) charFilters_.push_back(Filter);
  if (Filter->WantsLinePreview()) lineFilters_.push_back(Filter);
  filters_.emplace_back(Filter);
}

void TLexemeSpell3Base::ClearIgnoreFilters() {
  charFilters_.clear();
  lineFilters_.clear();
  filters_.clear();
}
