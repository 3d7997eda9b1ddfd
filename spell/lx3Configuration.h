// The spell-check component's persistent configuration: the main, custom and word-processor
// dictionaries in use, the custom dictionary that receives added words, the fifteen options,
// where the spelling dialog last stood, the folders added for dictionaries and free user
// values. Every value is text under a section named after the component's ConfigID, kept in an
// ini file, in the registry (the section a subkey of the configuration key) or by the
// component's own read and write events.
//
// Stored values: "_FirstRun" ("+" once saved); the lists "_Main", "_Custom", "_MSWordCustom",
// "_NewPaths" and "_UserData" as NAME_count and NAME_0, NAME_1, ...; "_ActiveCustom"; one value
// per option ("_soUpcase" ... "+" or "-"); "_DialogX", "_DialogY"; "User_" + name per user value.
#pragma once

#include "classlib/Sets.h"
#include "classlib/System.h"
#include "classlib/TypInfo.h"

class TStrings;
class TStringList;
class TCustomIniFile;

enum TSpellOption {
  soLiveSpelling,
  soLiveCorrect,
  soUpcase,
  soNumbers,
  soHTML,
  soInternet,
  soQuoted,
  soAbbreviations,
  soPrimaryOnly,
  soRepeated,
  soDUalCaps,
  soUser1,
  soUser2,
  soUser3,
  soUser4
};
ENUM_NAMES(TSpellOption, "soLiveSpelling", "soLiveCorrect", "soUpcase", "soNumbers", "soHTML", "soInternet", "soQuoted",
           "soAbbreviations", "soPrimaryOnly", "soRepeated", "soDUalCaps", "soUser1", "soUser2", "soUser3", "soUser4");
using TSpellOptions = TSet<TSpellOption>;

enum TConfigStorage { csFile, csRegistry, csCallback, csNone };
ENUM_NAMES(TConfigStorage, "csFile", "csRegistry", "csCallback", "csNone");

// What the configuration asks of the spell-check component that owns it.
class TLexemeConfigOwner {
public:
  virtual ~TLexemeConfigOwner() = default;
  virtual TConfigStorage GetConfigStorage() const = 0;
  virtual AnsiString GetConfigID() const = 0;
  virtual AnsiString GetConfigFilename() const = 0;
  virtual AnsiString GetConfigRegistryKey() const = 0;
  virtual TStrings* GetConfigDefaultMain() const = 0;
  virtual TStrings* GetConfigDefaultCustom() const = 0;
  virtual AnsiString GetConfigDefaultActiveCustom() const = 0;
  virtual TSpellOptions GetConfigDefaultOptions() const = 0;
  virtual bool GetConfigUseMSWordCustom() const = 0;
  virtual bool GetConfigDefaultUseMSWordCustom() const = 0;
  // The word processor's custom dictionaries that the component finds.
  virtual TStrings* AvailableMSWordDictionaries() = 0;
  // The path macros and "%ConfigID%" expanded.
  virtual void ExpandPath(const AnsiString& Path, AnsiString& Expanded) = 0;
  // Only "%ConfigID%" expanded.
  virtual void ExpandConfigID(const AnsiString& Path, AnsiString& Expanded) = 0;
  // True while the component is being designed: nothing is saved then.
  virtual bool IsDesigning() const = 0;
  // The callback store (csCallback).
  virtual void ReadConfigString(const AnsiString& ConfigID, const AnsiString& Key, const AnsiString& Default,
                                AnsiString& Value) = 0;
  virtual void WriteConfigString(const AnsiString& ConfigID, const AnsiString& Key, const AnsiString& Value) = 0;
  virtual void ConfigLoaded() = 0;
  virtual void ConfigSaved() = 0;
  // After loading and after each change: Reopen asks for the dictionaries to be opened again.
  virtual void ReloadConfiguration(bool Reopen) = 0;
};

class TLexemeConfig : public TObject {
  CLASS_INFO(TLexemeConfig, TObject)
public:
  explicit TLexemeConfig(TLexemeConfigOwner* Owner = nullptr);
  ~TLexemeConfig() override;

  // Stores a new active custom dictionary and adds it to the custom dictionaries when missing.
  virtual void SetActiveCustom(const AnsiString& Name);
  bool GetLoaded() const { return loaded_; }
  // False saves a changed configuration first; true loads it.
  virtual void SetLoaded(bool Value);
  virtual void SetOptions(TSpellOptions Value);
  virtual void SetDialogX(Integer Value);
  virtual void SetDialogY(Integer Value);
  virtual TStringList* MainDictionaries();
  virtual TStringList* CustomDictionaries();
  virtual TStringList* MSWordCustomDictionaries();
  // The active custom dictionary with its macros expanded.
  virtual void ActiveCustomPath(AnsiString& Name);
  const AnsiString& GetActiveCustom();
  virtual TSpellOptions Options();
  virtual Integer DialogX();
  virtual Integer DialogY();
  // Folders added for dictionaries: sorted, without duplicates.
  virtual TStringList* NewPaths();
  // Bound to the change events of the lists: reports a change with reload.
  virtual void MarkChanged(TObject* Sender);
  // Only while owned and loaded: marks the configuration modified and tells the owner.
  virtual void Changed(bool Reload);
  // Reads or writes a list as NAME_count and NAME_i. Reading a list that was never stored
  // keeps its items; empty items are not added.
  virtual void ListIO(const AnsiString& Name, TStrings* List, bool Read);
  virtual void ReadValue(const AnsiString& Name, const AnsiString& Default, AnsiString& Value);
  virtual void WriteValue(const AnsiString& Name, const AnsiString& Value);
  virtual void Load();
  virtual void EnsureLoaded();
  virtual void GetUserValue(const AnsiString& Name, AnsiString& Value);
  virtual void SetUserValue(const AnsiString& Name, const AnsiString& Value);
  // Loads the owner's defaults in place of what is stored.
  virtual void ResetToDefaults();
  // Saves and loads again, when loaded.
  virtual void Reload();
  virtual void Save();

  bool GetModified() const { return modified_; }

private:
  // Opens the store the owner names, for one load or save.
  void OpenStore();
  void CloseStore();
  void LoadDefaults();

  bool modified_ = false;
  TStringList* main_;
  TStringList* custom_;
  TStringList* msWordCustom_;
  AnsiString activeCustom_;
  TStringList* userNames_;
  TStringList* userValues_;
  TSpellOptions options_;
  Integer dialogX_ = -1;
  Integer dialogY_ = -1;
  TStringList* newPaths_;
  TCustomIniFile* store_ = nullptr;
  TConfigStorage storage_ = csNone;
  AnsiString iniFileName_;
  AnsiString registryKey_;
  AnsiString section_;
  bool loaded_ = false;
  TLexemeConfigOwner* owner_;
  bool forceDefaults_ = false;
};
