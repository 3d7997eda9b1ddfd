// The spell-check component: a non-visual component that owns the dictionary set (main
// dictionaries, custom dictionaries, the word processor's dictionaries, the list kept for
// Ignore All and Change All, a mapping dictionary and a learning dictionary), the word breaker
// with its ignore filters, the suggestion generator, the phonetic map and the configuration.
// It answers whether a word is acceptable, builds suggestions and runs interactive checks over a
// text walker, stopping at each word the user must see; the spelling dialog (or, with the silent
// interface type, the application) then answers with one of the dialog commands.
//
// The unit is split by role:
//   lx3SpellBase.cpp              construction, properties, events, configuration, filters
//   lx3SpellBaseDictionaries.cpp  dictionary folders and files, opening, reloading, releasing,
//                                 options, ranking, custom dictionary management
//   lx3SpellBaseWords.cpp         word tests and suggestions
//   lx3SpellBaseCheck.cpp         the check loop, dialog commands, undo, series and counting
//   lx3SpellBaseDialog.cpp        showing and placing the spelling dialog, the end message
//   lx3SpellBasePopup.cpp         the popup menu for one word
#pragma once

#include <memory>
#include <vector>

#include "classlib/Components.h"
#include "classlib/TypInfo.h"
#include "spell/lx3Configuration.h"
#include "spell/lx3ParseEngine.h"
#include "spell/lx3SpellLanguages.h"

class TStrings;
class TStringList;
class TForm;
class TWinControl;
class TControlParser;
class TParserIgnore;
class TMainDictionary;
class TCustomDictionary;
class TSuggestionsGenerator;
class TPhoneticsMap;
class TEventList;
class TConfigurationDialogCtrl;

enum TSpellUI { suiDialog, suiSilent };
ENUM_NAMES(TSpellUI, "suiDialog", "suiSilent");

enum TSpellDialogInitialPos {
  ipScreenCenter,
  ipUnderSelection,
  ipAvoidControl,
  ipUserDefined,
  ipLastUserPos,
  ipIgnore,
  ipDesktopCenter
};
ENUM_NAMES(TSpellDialogInitialPos, "ipScreenCenter", "ipUnderSelection", "ipAvoidControl", "ipUserDefined",
           "ipLastUserPos", "ipIgnore", "ipDesktopCenter");

enum TSpellDialogAvoidPos { saNone, saAvoid, saAvoidUpDown, saMove, saMoveUpDown };
ENUM_NAMES(TSpellDialogAvoidPos, "saNone", "saAvoid", "saAvoidUpDown", "saMove", "saMoveUpDown");

enum TSpellEndMessage { emNever, emAlways, emExceptCancel, emNoDialog };
ENUM_NAMES(TSpellEndMessage, "emNever", "emAlways", "emExceptCancel", "emNoDialog");

enum TSpellEndPosition { epHome, epOriginal, epNoModify };
ENUM_NAMES(TSpellEndPosition, "epHome", "epOriginal", "epNoModify");

enum TCaseModification { cmNone, cmInitialCaps, cmInitialCapsOrUpcase, cmAnyCase, cmCustom };
ENUM_NAMES(TCaseModification, "cmNone", "cmInitialCaps", "cmInitialCapsOrUpcase", "cmAnyCase", "cmCustom");

enum TSpellDialogCommand {
  sdcIgnore,
  sdcIgnoreAll,
  sdcChange,
  sdcChangeAll,
  sdcAdd,
  sdcAutoCorrect,
  sdcUndo,
  sdcHelp,
  sdcCancel,
  sdcOptions,
  sdcCustomDictionary,
  sdcCustomDictionaries,
  sdcConfigOK,
  sdcAddedEdit,
  sdcAutoCorrectEdit,
  sdcExcludedEdit,
  sdcInternalEdit,
  sdcMainDictFolderBrowse,
  sdcResetDefaults
};
ENUM_NAMES(TSpellDialogCommand, "sdcIgnore", "sdcIgnoreAll", "sdcChange", "sdcChangeAll", "sdcAdd", "sdcAutoCorrect",
           "sdcUndo", "sdcHelp", "sdcCancel", "sdcOptions", "sdcCustomDictionary", "sdcCustomDictionaries",
           "sdcConfigOK", "sdcAddedEdit", "sdcAutoCorrectEdit", "sdcExcludedEdit", "sdcInternalEdit",
           "sdcMainDictFolderBrowse", "sdcResetDefaults");
using TSpellDialogCommands = TSet<TSpellDialogCommand>;
inline constexpr TSpellDialogCommands AllSpellDialogCommands = TSpellDialogCommands::FromBits((1u << 19) - 1);

// The verdict on one word.
using TWordCheckType = Integer;
inline constexpr TWordCheckType wcAccepted = 0;
inline constexpr TWordCheckType wcExcluded = 1;
inline constexpr TWordCheckType wcAutoCorrect = 2;
inline constexpr TWordCheckType wcNotFound = 3;
inline constexpr TWordCheckType wcRepeated = 4;

// The kind of an undo record.
using TSpellAction = Byte;
inline constexpr TSpellAction uaIgnore = 0;
inline constexpr TSpellAction uaIgnoreAll = 1;
inline constexpr TSpellAction uaChange = 2;
inline constexpr TSpellAction uaChangeAll = 3;
inline constexpr TSpellAction uaAdd = 4;
inline constexpr TSpellAction uaAutoCorrect = 5;

// The number of an interface text (lx3SpellLanguages).
using TSpellLanguageString = Integer;

// Check kinds: those of the word breaker (ckSelection, ckFromCursor, ckWholeText) and these.
inline constexpr Integer ckAroundCursor = 3;  // from the cursor to the end, then the start up to it
inline constexpr Integer ckRange = 4;         // the range already set on the walker

// Why a word is replaced or passed over; handed to the walker and to the parser events.
inline constexpr Integer psChange = 0;  // Change, and deleting a repeated word
inline constexpr Integer psChangeAll = 1;
inline constexpr Integer psAutoCorrect = 2;  // by the check loop or by the Auto-Correct command
inline constexpr Integer psUndoChange = 3;
inline constexpr Integer psUndoChangeAll = 4;
inline constexpr Integer psUndoAutoCorrect = 5;
inline constexpr Integer psIgnore = 10;
inline constexpr Integer psIgnoreAll = 11;
inline constexpr Integer psAdd = 12;

// What a popup menu offers (the options of PopupForWord), and what it answers.
inline constexpr Integer poSpelling = 2;
inline constexpr Integer poAutoCorrect = 4;
inline constexpr Integer poChangeAll = 8;
inline constexpr Integer poAdd = 16;
inline constexpr Integer poIgnoreAll = 32;
inline constexpr Integer poIgnore = 64;
inline constexpr Integer poSuggestions = 128;
inline constexpr Integer prNone = 0;
inline constexpr Integer prSpelling = 1;     // the caller opens the spelling dialog
inline constexpr Integer prAutoCorrect = 2;  // the word became an auto-correction pair
inline constexpr Integer prChangeAll = 3;    // the word became a Change All pair
inline constexpr Integer prAdd = 4;
inline constexpr Integer prIgnoreAll = 5;
inline constexpr Integer prIgnore = 6;
inline constexpr Integer prChange = 7;  // a suggestion was chosen

// The pass-over listeners receive the walker state, with this bit set after the word was
// passed over (clear before).
inline constexpr Integer kPassedOver = 0x100;

// One user action (or automatic correction) of a check that can be undone.
class TLexemeUndo : public TObject {
  CLASS_INFO(TLexemeUndo, TObject)
public:
  // The walker's cursor when the record was made: the start of the marked word.
  Integer Column = 0;
  Integer Line = 0;
  // The word as it was in the text, and what replaced it (empty for ignore, ignore all, add).
  AnsiString Word;
  AnsiString Replacement;
  TSpellAction Action = uaIgnore;
  // Made by the check loop itself: undone together with the record before it.
  bool Automatic = false;
  // Whatever the walker stored for this step.
  Integer WalkerData = 0;
};

using TConfigReadStringEvent = Closure<void(TObject* Sender, const AnsiString& ConfigID, const AnsiString& Key,
                                            const AnsiString& Default, AnsiString& Value)>;
using TConfigWriteStringEvent =
    Closure<void(TObject* Sender, const AnsiString& ConfigID, const AnsiString& Key, const AnsiString& Value)>;
using TWordCheckEvent =
    Closure<void(TObject* Sender, const AnsiString& Word, TWordCheckType& CheckType, AnsiString& Replacement)>;
using TPromptWordEvent = Closure<void(TObject* Sender, const AnsiString& Word, bool Repeated)>;
using TCreateSpellDialogEvent = Closure<void(TObject* Sender, TForm*& SpellForm, bool Create)>;
using TShowDialogEvent = Closure<void(TObject* Sender, TComponent* AOwner)>;
using TShowEditCustomDictionaryEvent =
    Closure<void(TObject* Sender, TComponent* AOwner, TCustomDictionary* CustomDictionary)>;
using TGetStringEvent = Closure<void(TObject* Sender, TSpellLanguageString LanguageString, AnsiString& Text)>;
using TParserReplaceWordEvent =
    Closure<void(TObject* Sender, bool Before, const AnsiString& Replacement, Integer State)>;
using TParserIgnoreWordEvent = Closure<void(TObject* Sender, bool Before, Integer State)>;
using TParserUndoLastEvent =
    Closure<void(TObject* Sender, Integer UndoState, TSpellAction UndoAction, Integer UndoData)>;
using TCreateCustomDictionaryEvent = Closure<void(TObject* Sender, TCustomDictionary*& Dictionary)>;
using TCaseModificationEvent = Closure<void(TObject* Sender, AnsiString& Word)>;
// The popup menu of PopupForWord may be built and shown by the application: OnPopupCreateMenu
// supplies the menu object, OnPopupAddMenuItem adds an item to it (Parent is the item that holds
// a submenu, none at the top level; Item returns the new item, to be the parent of sub-items),
// OnPopupDoMenu shows it and sets the chosen item's tag and caption (tag 0 for none).
using TPopupCreateMenuEvent = Closure<void(TObject* Sender, TComponent* AOwner, TObject*& Menu)>;
using TPopupAddMenuItemEvent =
    Closure<void(TObject* Sender, TObject* Menu, TObject* Parent, Integer Tag, bool HasChildren, bool Enabled,
                 const AnsiString& Caption, TObject*& Item)>;
using TPopupDoMenuEvent =
    Closure<void(TObject* Sender, TObject* Menu, const TPoint& Position, Integer& Tag, AnsiString& Caption)>;
using TPopupResultEvent =
    Closure<void(TObject* Sender, const AnsiString& OriginalWord, AnsiString& Word, Integer& Result)>;

class TLexemeSpell3Base : public TComponent, public TLexemeConfigOwner {
  CLASS_INFO(TLexemeSpell3Base, TComponent)
public:
  explicit TLexemeSpell3Base(TComponent* AOwner);
  ~TLexemeSpell3Base() override;

  // --- Owned engine parts -------------------------------------------------------------------

  // Each takes the new object (freeing the old one); none leaves the old one in place. A new
  // word breaker gets the filter hooks and the options are applied to it again.
  virtual void SetParsingEngine(TParsingEngine* Engine);
  virtual void SetSuggestionsGenerator(TSuggestionsGenerator* Generator);
  virtual void SetPhoneticsMap(TPhoneticsMap* Map);
  TParsingEngine* GetParsingEngine() const { return engine_; }
  TSuggestionsGenerator* GetSuggestionsGenerator() const { return generator_; }
  TPhoneticsMap* GetPhoneticsMap() const { return phonetics_; }
  TLexemeConfig* GetConfiguration() const { return config_; }

  // --- Properties with effects --------------------------------------------------------------

  TConfigStorage GetConfigStorage() const override { return configStorage_; }
  virtual void SetConfigStorage(TConfigStorage Value);
  AnsiString GetConfigID() const override { return configID_; }
  virtual void SetConfigID(const AnsiString& Value);
  AnsiString GetConfigFilename() const override { return configFilename_; }
  virtual void SetConfigFilename(const AnsiString& Value);
  AnsiString GetConfigRegistryKey() const override { return configRegistryKey_; }
  virtual void SetConfigRegistryKey(const AnsiString& Value);
  // Folders searched for dictionary files, before those added in the configuration.
  TStrings* GetConfigDictionaryDir() const;
  virtual void SetConfigDictionaryDir(TStrings* Value);
  TStrings* GetConfigDefaultMain() const override;
  virtual void SetConfigDefaultMain(TStrings* Value);
  TStrings* GetConfigDefaultCustom() const override;
  virtual void SetConfigDefaultCustom(TStrings* Value);
  AnsiString GetConfigDefaultActiveCustom() const override { return ConfigDefaultActiveCustom; }
  TSpellOptions GetConfigDefaultOptions() const override { return ConfigDefaultOptions; }
  bool GetConfigUseMSWordCustom() const override { return ConfigUseMSWordCustom; }
  bool GetConfigDefaultUseMSWordCustom() const override { return ConfigDefaultUseMSWordCustom; }
  const AnsiString& GetQuoteChars() const { return quoteChars_; }
  virtual void SetQuoteChars(const AnsiString& Value);
  bool GetKeepDictionariesActive() const { return keepDictionariesActive_; }
  virtual void SetKeepDictionariesActive(bool Value);
  virtual Integer GetPhoneticMaxDistance() const;
  virtual void SetPhoneticMaxDistance(Integer Value);
  virtual Integer GetPhoneticDivisor() const;
  virtual void SetPhoneticDivisor(Integer Value);
  virtual Integer GetPhoneticDepth() const;
  virtual void SetPhoneticDepth(Integer Value);
  const AnsiString& GetMappingDictionaryName() const { return mappingDictionaryName_; }
  virtual void SetMappingDictionaryName(const AnsiString& Value);
  bool GetSuggestionsLearning() const { return suggestionsLearning_; }
  virtual void SetSuggestionsLearning(bool Value);
  const AnsiString& GetSuggestionsLearningDict() const { return suggestionsLearningDict_; }
  virtual void SetSuggestionsLearningDict(const AnsiString& Value);
  // Whether the options hold soLiveSpelling and soLiveCorrect.
  bool GetLiveSpelling() const { return liveSpelling_; }
  bool GetLiveCorrect() const { return liveCorrect_; }
  AnsiString GetVersion() const;

  // --- Dictionary set (lx3SpellBaseDictionaries.cpp) -----------------------------------------

  // File names (without folder) found in the dictionary folders; a name in two folders is given
  // once, from the first. The lists are cached until something can change them.
  virtual TStrings* AvailableMainDictionaries();
  virtual TStrings* AvailableCustomDictionaries();
  // The word processor's custom dictionaries listed in the registry whose files exist; read once.
  TStrings* AvailableMSWordDictionaries() override;
  virtual bool CanUndo() const;
  // The language code of the first open main dictionary, 0 when none is open.
  virtual Integer MainLanguage() const;
  // Moves the most used main dictionary to the front and gives its language to the suggestions.
  virtual void RankMainDictionaries();
  virtual void OpenDictionaries();
  virtual void FindDictionaryFiles(const AnsiString& Extension, TStrings* List);
  virtual TConfigurationDialogCtrl* ConnectDialogControl(TForm* Form, TCustomDictionary* CustomDictionary);
  // Turns the configuration's options into ignore filters and cached flags.
  virtual void ApplyOptions(bool Force);
  virtual void DictionaryFoldersChanged(TObject* Sender);

  // --- Spelling dialog (lx3SpellBaseDialog.cpp) ------------------------------------------------

  virtual void DialogShown(TObject* Sender);
  virtual void DialogDeactivated(TObject* Sender);
  virtual void DialogActivated(TObject* Sender);
  virtual void PromptWord();
  virtual void PlaceDialogNearSelection(bool Horizontal, bool Vertical);
  virtual void PlaceDialogBesideControl();
  virtual void PositionDialog();
  virtual void AvoidSelection();
  // A new spelling dialog form; the base class has none (the built-in dialog comes with a
  // descendant).
  virtual TForm* CreateSpellDialog();
  virtual void ShowSpellDialog();
  virtual void HideSpellDialog();
  virtual void ShowEndMessage();

  // --- The text of a check (lx3SpellBaseCheck.cpp) --------------------------------------------

  virtual void ReplaceCurrentWord(const AnsiString& Replacement, Integer State);
  virtual void PassOverCurrentWord(Integer State);
  virtual void WalkerUndo(Integer State, TSpellAction Action, Integer& Data);

  // --- Word tests (lx3SpellBaseWords.cpp) --------------------------------------------------------

  // True when the text just before the word read is the same word and one blank.
  virtual bool IsRepeatedWord(const AnsiString& Word, TControlParser* Walker);
  // "John's" when a main dictionary of English holds "John".
  virtual bool IsPossessiveForm(const AnsiString& Word);
  // The form of the word that a dictionary may hold, by AllowedCases.
  virtual void ModifyCase(const AnsiString& Word, AnsiString& Modified);

  // --- Checking ----------------------------------------------------------------------------

  // Counts words (and errors) of kinds 0 and 2 without changing the text or firing events.
  virtual void CountWords(TControlParser* Walker, Integer CheckKind, Integer& Words, Integer& Errors, bool& AnyError,
                          bool StopAtFirstError, bool CountErrors);
  virtual void UndoLastAction();
  virtual void RecordUndo(TSpellAction Action, const AnsiString& Replacement, bool Automatic);

  // --- Popup menu (lx3SpellBasePopup.cpp) ---------------------------------------------------------

  virtual void PopupItemClick(TObject* Sender);
  virtual TObject* CreatePopupMenu(TComponent* AOwner);
  virtual TObject* AddPopupMenuItem(TObject* Menu, TObject* Parent, Integer Tag, bool HasChildren, bool Enabled,
                                    const AnsiString& Caption);
  virtual void ShowPopupMenu(TObject* Menu, const TPoint& Position);

  virtual void FinishCheck();
  // The check loop: reads words until one must be shown to the user or the text ends.
  virtual void ContinueCheck();
  virtual void CheckAroundCursor(TControlParser* Walker);

  // --- Suggestions ---------------------------------------------------------------------------

  // Suggestions for the word, best first; Maximum -1 keeps every one.
  virtual void BuildSuggestions(const AnsiString& Word, TStrings* List, Integer Maximum);
  virtual void IsSuggestionAcceptable(const AnsiString& Word, bool& Accepted);

  // --- Ignore filters ----------------------------------------------------------------------------

  // The word breaker's hooks: the filters that want character previews, in the order added.
  virtual void FilterPreviewChar(AnsiChar C, TControlParser* Walker, bool& Skip);
  virtual void FilterPreviewWord(const AnsiString& Word, TControlParser* Walker, bool& Again);
  virtual bool IsIgnoredByFilters(const AnsiString& Word, TControlParser* Walker);
  virtual bool IsLineIgnored(const AnsiString& Line);
  // Takes ownership of the filter.
  virtual void AddIgnoreFilter(TParserIgnore* Filter);
  virtual void ClearIgnoreFilters();

  // --- The configuration's calls (TLexemeConfigOwner) ----------------------------------------------

  void ReloadConfiguration(bool Reopen) override;
  void ReadConfigString(const AnsiString& ConfigID, const AnsiString& Key, const AnsiString& Default,
                        AnsiString& Value) override;
  void WriteConfigString(const AnsiString& ConfigID, const AnsiString& Key, const AnsiString& Value) override;
  void ConfigLoaded() override;
  void ConfigSaved() override;
  bool IsDesigning() const override;

  // --- Dialogs of the options and the custom dictionaries ----------------------------------------

  // In this class they only fire their events; a descendant shows built-in dialogs.
  virtual void ShowConfigDialog(TComponent* AOwner);
  virtual void ShowCustomDictionariesDialog(TComponent* AOwner);
  virtual void ShowEditCustomDictionaryDialog(TComponent* AOwner, TCustomDictionary* Dictionary);
  virtual void ShowAddDictionaryDir(TComponent* AOwner);

  // Replaces the first "%ConfigID%" by ConfigID with its macros expanded.
  void ExpandConfigID(const AnsiString& Path, AnsiString& Expanded) override;

  // --- Custom dictionary management (lx3SpellBaseDictionaries.cpp) --------------------------------

  virtual void SetCustomDictionaryActive(const AnsiString& Name, bool Active);
  virtual void SetMSWordDictionaryActive(const AnsiString& Name, bool Active);
  virtual void DeleteCustomDictionary(const AnsiString& Name);
  virtual void NewCustomDictionary(const AnsiString& Name);
  // Gives a custom dictionary's file a new name (with the extension ".lxu"); false, changing
  // nothing, when the names are equal, the old one is not available, or the new file exists or
  // cannot be created.
  virtual bool RenameCustomDictionary(const AnsiString& OldName, const AnsiString& NewName);
  // New objects that the caller frees; none when the dictionary cannot be found or opened.
  virtual TMainDictionary* OpenMainDictionary(const AnsiString& Name);
  virtual TCustomDictionary* OpenCustomDictionary(const AnsiString& Name);
  virtual TCustomDictionary* OpenMSWordDictionary(const AnsiString& FileName);
  // The path macros, then "%ConfigID%".
  void ExpandPath(const AnsiString& Path, AnsiString& Expanded) override;

  // The dialogs above with the component itself as owner.
  void ShowConfigDialog() { ShowConfigDialog(this); }
  void ShowCustomDictionariesDialog() { ShowCustomDictionariesDialog(this); }
  void ShowEditCustomDictionaryDialog(TCustomDictionary* Dictionary) { ShowEditCustomDictionaryDialog(this, Dictionary); }
  void ShowAddDictionaryDir() { ShowAddDictionaryDir(this); }

  // The interface text of that number in UILanguage, as OnGetString leaves it.
  virtual void GetString(TSpellLanguageString Id, AnsiString& Text);
  AnsiString GetString(TSpellLanguageString Id) {
    AnsiString text;
    GetString(Id, text);
    return text;
  }
  virtual void ClearUndo();
  // Unmaps the main dictionaries and writes and empties the user dictionaries, unless they are
  // kept active or a check runs; they are read again at their next use.
  virtual void ReleaseDictionaries();
  virtual void CloseSpellDialog();

  // --- Checks (lx3SpellBaseCheck.cpp) -----------------------------------------------------------------

  // Checks Text, which the check changes in place; Text must outlive an asynchronous check.
  virtual void CheckText(AnsiString& Text);
  virtual void CheckWindow(HWND Window, Integer CheckKind);
  virtual void CheckWindowAsRichEdit(HWND Window, Integer CheckKind);
  virtual void CheckControl(TWinControl* Control, Integer CheckKind);
  // Takes the walker (the component frees it when the check ends, see GetFreesWalker).
  virtual void CheckWithWalker(TControlParser* Walker, Integer CheckKind);
  // A series of checks shares the word count, the dialog, the dictionaries and one end message.
  virtual void BeginCheckSeries();
  virtual void EndCheckSeries();
  virtual void StopCheck(bool Cancelled);
  virtual Integer CountWordsInText(AnsiString& Text);
  virtual Integer CountWordsInWindow(HWND Window, Integer CheckKind);
  virtual Integer CountWordsWithWalker(TControlParser* Walker, Integer CheckKind);

  // The dialog commands: each acts on the word shown and goes on with the check.
  virtual void DialogIgnore();
  virtual void DialogIgnoreAll();
  virtual void DialogChange(const AnsiString& Replacement);
  virtual void DialogChangeAll(const AnsiString& Replacement);
  virtual void DialogAdd();
  virtual void DialogAutoCorrect(const AnsiString& Replacement);
  virtual void DialogUndo();
  virtual void DialogIgnoreRepeated();
  virtual void DialogDeleteRepeated();
  // After the dialog was activated again: goes on from the cursor or the last word.
  virtual void ResumeAtCursor();
  virtual bool IsChecking() const;
  virtual void DialogCancel();

  // --- Word tests (lx3SpellBaseWords.cpp) ------------------------------------------------------

  virtual bool IsInMainDictionaries(const AnsiString& Word);
  virtual bool IsInDictionaries(const AnsiString& Word);
  virtual bool IsWordAcceptable(const AnsiString& Word);
  virtual bool IsWordExcluded(const AnsiString& Word);
  virtual bool FindAutoCorrection(const AnsiString& Word, AnsiString& Replacement);
  // Suggestions after loading the configuration, at most MaxSuggestions.
  virtual void GetSuggestions(const AnsiString& Word, TStrings* List);
  // Remembers the choice in the learning dictionary, when one is open.
  virtual void LearnReplacement(const AnsiString& Word, const AnsiString& Replacement);
  // A popup menu for one word (options: the po... bits) at a screen position; answers one of
  // the pr... results and gives the replacement in Word when the word is to change.
  virtual Integer PopupForWord(TComponent* AOwner, Integer Options, AnsiString& Word, const TPoint& Position);

  // --- State a dialog, a descendant or a test reads ------------------------------------------------

  TControlParser* GetWalker() const { return walker_; }
  bool GetCancelled() const { return cancelled_; }
  bool GetTextChanged() const { return changed_; }
  const AnsiString& GetCurrentWord() const { return currentWord_; }
  bool GetRepeatedWord() const { return repeated_; }
  Integer GetWordsChecked() const { return wordsChecked_; }
  bool GetSeriesRunning() const { return seriesRunning_; }
  TCustomDictionary* GetInternalList() const { return internal_; }
  TCustomDictionary* GetActiveCustomDictionary() const { return activeCustom_; }
  TCustomDictionary* GetMappingDictionary() const { return mapping_; }
  TCustomDictionary* GetLearningDictionary() const { return learning_; }
  Integer GetMainDictionaryCount() const { return static_cast<Integer>(mains_.size()); }
  TMainDictionary* GetMainDictionaries(Integer Index) const { return mains_[static_cast<std::size_t>(Index)].get(); }
  Integer GetCustomDictionaryCount() const { return static_cast<Integer>(customs_.size()); }
  TCustomDictionary* GetCustomDictionaries(Integer Index) const {
    return customs_[static_cast<std::size_t>(Index)].get();
  }
  Integer GetMSWordDictionaryCount() const { return static_cast<Integer>(msWord_.size()); }
  TCustomDictionary* GetMSWordDictionaries(Integer Index) const {
    return msWord_[static_cast<std::size_t>(Index)].get();
  }
  Integer GetUndoCount() const { return static_cast<Integer>(undo_.size()); }
  TLexemeUndo* GetUndo(Integer Index) const { return undo_[static_cast<std::size_t>(Index)].get(); }
  Integer GetIgnoreFilterCount() const { return static_cast<Integer>(filters_.size()); }
  TParserIgnore* GetIgnoreFilters(Integer Index) const { return filters_[static_cast<std::size_t>(Index)].get(); }
  // The folders searched for dictionaries: ConfigDictionaryDir, then those of the configuration.
  TStrings* GetDictionaryFolders() const;
  TForm* GetSpellDialog() const { return dialog_; }
  TConfigurationDialogCtrl* GetDialogControl() const { return dialogControl_; }
  // Close the dialog when a check ends (off during a series).
  bool GetCloseAtEnd() const { return closeAtEnd_; }
  void SetCloseAtEnd(bool Value) { closeAtEnd_ = Value; }
  // The component frees the walker given to a check when the check ends; with this off, the
  // caller of a check operation frees it as soon as the call returns.
  bool GetFreesWalker() const { return freesWalker_; }
  void SetFreesWalker(bool Value) { freesWalker_ = Value; }

  // Listeners: called after each change of the options, after each configuration reload,
  // before and after each word passed over (the walker state; kPassedOver set after), and with
  // each popup result.
  TEventList* GetOptionsListeners() const { return optionsListeners_; }
  TEventList* GetReloadListeners() const { return reloadListeners_; }
  TEventList* GetPassOverListeners() const { return passOverListeners_; }
  TEventList* GetPopupListeners() const { return popupListeners_; }

  // --- Plain properties ------------------------------------------------------------------------

  TSpellOptions ConfigAvailableOptions{soUpcase, soNumbers, soPrimaryOnly, soRepeated, soDUalCaps};
  AnsiString ConfigUserOption1, ConfigUserOption2, ConfigUserOption3, ConfigUserOption4;
  bool ConfigUseMSWordCustom = true;
  AnsiString ConfigDefaultActiveCustom = "%ConfigID%.lxu";
  TSpellOptions ConfigDefaultOptions{soLiveSpelling, soLiveCorrect, soInternet, soAbbreviations, soRepeated,
                                     soDUalCaps};
  bool ConfigDefaultUseMSWordCustom = false;
  AnsiString HelpFile;
  Integer HelpCtxSpellDialog = 0;
  Integer HelpCtxConfigDialog = 0;
  Integer HelpCtxDictionariesDialog = 0;
  Integer HelpCtxDictionaryEditDialog = 0;
  // The learning dictionary also acts as an auto-correct list.
  bool SuggestionsAutoReplace = false;
  TSpellDialogInitialPos DialogInitialPos = ipLastUserPos;
  TSpellDialogAvoidPos DialogSelectionAvoid = saAvoid;
  bool DialogShowImmediate = false;
  bool DialogShowModal = false;
  TSpellEndMessage EndMessage = emExceptCancel;
  TSpellEndPosition EndCursorPosition = epOriginal;
  bool EndMessageWordCount = false;
  // Most undo records kept: -1 no limit, 0 no undo.
  Integer MaxUndo = -1;
  Integer MaxSuggestions = -1;
  // A check call returns only when the check has ended, handling window messages meanwhile.
  bool SynchronousCheck = true;
  bool UseHourglassCursor = true;
  TSpellDialogCommands CommandsVisible = AllSpellDialogCommands;
  TSpellDialogCommands CommandsEnabled = AllSpellDialogCommands;
  bool PhoneticSuggestions = true;
  bool MappingAutoReplace = true;
  // Excluded words are reported even when a dictionary holds them.
  bool UseExcludeWords = true;
  // Look for an auto-correction even for an acceptable word.
  bool UseAutoCorrectFirst = false;
  // After Change, the replacement is checked again.
  bool RecheckReplacedWords = true;
  bool ResumeFromLastPosition = true;
  TCaseModification AllowedCases = cmInitialCapsOrUpcase;
  TSpellLanguageType UILanguage = ltEnglish;
  TSpellUI UIType = suiSilent;

  // --- Events ------------------------------------------------------------------------------------

  TNotifyEvent OnConfigChanged;
  TNotifyEvent OnConfigLoaded;
  TNotifyEvent OnConfigSaved;
  TConfigReadStringEvent OnConfigReadString;
  TConfigWriteStringEvent OnConfigWriteString;
  TNotifyEvent OnDictionariesChanged;
  TWordCheckEvent OnWordCheck;
  TPromptWordEvent OnPromptWord;
  TCreateSpellDialogEvent OnCreateSpellDialog;
  TShowDialogEvent OnShowConfigDialog;
  TShowDialogEvent OnShowCustomDictionariesDialog;
  TShowDialogEvent OnShowAddDictionaryDir;
  TShowEditCustomDictionaryEvent OnShowEditCustomDictionaryDialog;
  TGetStringEvent OnGetString;
  TNotifyEvent OnAddCustomIgnore;
  TNotifyEvent OnSpellDialogShow;
  TNotifyEvent OnSpellDialogHide;
  TNotifyEvent OnPositionDialog;
  TNotifyEvent OnShowEndMessage;
  TNotifyEvent OnCompleteCheck;
  TNotifyEvent OnDialogDeactivate;
  TNotifyEvent OnDialogActivate;
  TNotifyEvent OnAdjustPhoneticsMap;
  TParserReplaceWordEvent OnParserReplaceWord;
  TParserIgnoreWordEvent OnParserIgnoreWord;
  TParserUndoLastEvent OnParserUndoLast;
  TNotifyEvent OnBeforeChange;
  TCreateCustomDictionaryEvent OnCreateCustomDictionary;
  TPopupDoMenuEvent OnPopupDoMenu;
  TPopupAddMenuItemEvent OnPopupAddMenuItem;
  TPopupCreateMenuEvent OnPopupCreateMenu;
  TPopupResultEvent OnPopupResult;
  TCaseModificationEvent OnCaseModification;

protected:
  // Forgets a dialog form (or its dialog control) that is freed elsewhere.
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // Loads the configuration when it has not been loaded (which reopens the dictionaries).
  void EnsureConfiguration();
  // The walker whose line the filters look at: the running check's or the counting one's.
  TControlParser* FilterWalker() const { return filterWalker_; }
  // After a check operation that made its own walker returns, with FreesWalker off: frees the
  // walker unless a check that still runs keeps it to its end.
  void ReleaseCallerWalker(TControlParser* Walker);

private:
  class ReloadBatch;
  friend class ReloadBatch;

  void RebuildFolderList();
  void ForgetAvailableFiles();
  AnsiString JoinPath(const AnsiString& Folder, const AnsiString& Name);
  bool AcceptableSuggestion(const AnsiString& Word);
  void SuggestionTest(const char* Word, bool& Valid);
  void WordCheckLoop();
  void ShowHourglass(DWORD startTicks);
  void RestoreCursor();
  bool HasCheck() const { return running_ && walker_; }
  void FreeWalkerIfOwned(TControlParser* Walker);
  void DisposeSpellDialog();

  // Engine parts.
  TParsingEngine* engine_ = nullptr;
  TControlParser* walker_ = nullptr;
  TControlParser* filterWalker_ = nullptr;
  TCustomDictionary* internal_ = nullptr;
  TSuggestionsGenerator* generator_ = nullptr;
  TPhoneticsMap* phonetics_ = nullptr;

  // Check state.
  bool changed_ = false;
  bool running_ = false;
  bool cancelled_ = false;
  AnsiString currentWord_;
  bool primaryOnly_ = false;
  bool repeatedOption_ = false;
  bool dualCaps_ = false;
  bool liveSpelling_ = false;
  bool liveCorrect_ = false;

  // Dictionaries.
  std::vector<std::unique_ptr<TMainDictionary>> mains_;
  std::vector<std::unique_ptr<TCustomDictionary>> customs_;
  std::vector<std::unique_ptr<TCustomDictionary>> msWord_;
  TCustomDictionary* activeCustom_ = nullptr;
  TCustomDictionary* mapping_ = nullptr;
  TCustomDictionary* learning_ = nullptr;
  std::vector<std::unique_ptr<TParserIgnore>> filters_;
  std::vector<TParserIgnore*> charFilters_;
  std::vector<TParserIgnore*> lineFilters_;
  bool englishOpen_ = false;

  // The spelling dialog.
  TForm* dialog_ = nullptr;
  TConfigurationDialogCtrl* dialogControl_ = nullptr;
  bool dialogShown_ = false;
  bool dialogDeactivated_ = false;
  bool showModalPending_ = false;
  TNotifyEvent formOnShow_, formOnActivate_, formOnDeactivate_;

  Integer wordsChecked_ = 0;
  Integer rankCountdown_ = 100;
  std::vector<std::unique_ptr<TLexemeUndo>> undo_;
  bool seriesRunning_ = false;
  bool seriesCloseAtEnd_ = true;
  bool seriesKeepActive_ = false;

  TLexemeConfig* config_ = nullptr;
  TStringList* availableMain_ = nullptr;
  TStringList* availableCustom_ = nullptr;
  TStringList* availableMSWord_ = nullptr;
  bool msWordListRead_ = false;
  TStringList* folders_ = nullptr;

  AnsiString previousWord_;
  bool repeated_ = false;
  Integer startColumn_ = 0;
  Integer startLine_ = 0;
  Integer popupTag_ = 0;
  AnsiString popupCaption_;
  bool popupOpen_ = false;
  bool closeAtEnd_ = true;
  bool freesWalker_ = true;
  bool walkerAdopted_ = false;

  // The screen cursor while the hourglass is shown.
  SmallInt savedCursor_ = 0;
  bool hourglass_ = false;

  // Reloads asked for while a multi-step change of the configuration runs, done at its end.
  Integer reloadLocks_ = 0;
  bool reloadPending_ = false;
  bool reloadReopen_ = false;
  bool optionsApplied_ = false;
  TSpellOptions appliedOptions_;

  // Property values.
  TConfigStorage configStorage_ = csRegistry;
  AnsiString configID_ = "%UserName%";
  AnsiString configFilename_ = "%AppDir%\\Spell.cfg";
  AnsiString configRegistryKey_ = "Software\\Lexeme Software\\%AppName%";
  TStringList* configDictionaryDir_ = nullptr;
  TStringList* configDefaultMain_ = nullptr;
  TStringList* configDefaultCustom_ = nullptr;
  AnsiString quoteChars_ = ">";
  bool keepDictionariesActive_ = false;
  AnsiString mappingDictionaryName_;
  bool suggestionsLearning_ = true;
  AnsiString suggestionsLearningDict_ = "%AppDir%\\%UserName%_sp.lxl";

  TEventList* optionsListeners_ = nullptr;
  TEventList* reloadListeners_ = nullptr;
  TEventList* passOverListeners_ = nullptr;
  TEventList* popupListeners_ = nullptr;
};
