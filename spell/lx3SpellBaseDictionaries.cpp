// The spell-check component's dictionary set: the folders searched for dictionary files, the
// lists of available files, opening, reloading, ranking and releasing the dictionaries, the
// options turned into ignore filters, and the management of custom dictionaries.
#include <algorithm>

#include "classlib/Registry.h"
#include "classlib/StringLists.h"
#include "classlib/Strings.h"
#include "classlib/SysUtils.h"
#include "spell/lx3CustomDictionary.h"
#include "spell/lx3Ignore.h"
#include "spell/lx3MainDictionary.h"
#include "spell/lx3ParseEngine.h"
#include "spell/lx3SpellBase.h"
#include "spell/lx3Suggestions.h"
#include "spell/lx3Util.h"

namespace {

constexpr Integer kEnglish = 9;  // primary language of English dictionaries
constexpr Integer kFrenchLanguage = 12;

// The index of S in the list, comparing exactly (letter case included); -1 when absent.
Integer IndexOfExact(const TStrings* list, const AnsiString& s) {
  for (Integer i = 0; i < list->GetCount(); ++i)
    if (list->GetStrings(i) == s) return i;
  return -1;
}

bool HasBackslash(const AnsiString& name) { return name.find('\\') != AnsiString::npos; }

const char* const kWordCustomDictionariesKey = "Software\\Microsoft\\Shared Tools\\Proofing Tools\\Custom Dictionaries";

}  // namespace

// Holds back the reloads that a change of the configuration asks for until a change of several
// steps is complete, so that the dictionaries are never reopened from a half-changed list.
class TLexemeSpell3Base::ReloadBatch {
public:
  explicit ReloadBatch(TLexemeSpell3Base& spell) : spell_(spell) { ++spell_.reloadLocks_; }
  ~ReloadBatch() {
    if (--spell_.reloadLocks_ > 0 || !spell_.reloadPending_) return;
    spell_.reloadPending_ = false;
    const bool reopen = spell_.reloadReopen_;
    spell_.reloadReopen_ = false;
    spell_.ReloadConfiguration(reopen);
  }
  ReloadBatch(const ReloadBatch&) = delete;
  ReloadBatch& operator=(const ReloadBatch&) = delete;

private:
  TLexemeSpell3Base& spell_;
};

// ---------------------------------------------------------------------------------------------
// Folders and files

AnsiString TLexemeSpell3Base::JoinPath(const AnsiString& Folder, const AnsiString& Name) {
  AnsiString path;
  ExpandPath(ExcludeTrailingBackslash(Folder) + "\\" + Name, path);
  return path;
}

void TLexemeSpell3Base::RebuildFolderList() {
  folders_->BeginUpdate();
  folders_->Clear();
  folders_->AddStrings(configDictionaryDir_);
  // The configuration's own folders are known once it has been loaded; loading rebuilds this.
  if (config_->GetLoaded()) folders_->AddStrings(config_->NewPaths());
  folders_->EndUpdate();
}

void TLexemeSpell3Base::ForgetAvailableFiles() {
  availableMain_->Clear();
  availableCustom_->Clear();
}

void TLexemeSpell3Base::DictionaryFoldersChanged(TObject*) {
  RebuildFolderList();
  ForgetAvailableFiles();
  const TComponentState state = GetComponentState();
  if (state.Contains(csLoading) || state.Contains(csReading)) return;
  // A configuration not loaded yet is read with the new folders at its first use.
  if (config_->GetLoaded()) ReloadConfiguration(true);
}

void TLexemeSpell3Base::FindDictionaryFiles(const AnsiString& Extension, TStrings* List) {
  if (!List) return;
  EnsureConfiguration();
  List->BeginUpdate();
  for (Integer i = 0; i < folders_->GetCount(); ++i) {
    TSearchRec found;
    if (FindFirst(JoinPath(folders_->GetStrings(i), "*." + Extension), faAnyFile, found) != 0) continue;
    do List->Add(found.Name);
    while (FindNext(found) == 0);
    FindClose(found);
  }
  // A name found in two folders is offered once, from the first.
  for (Integer i = 0; i < List->GetCount(); ++i)
    for (Integer j = List->GetCount() - 1; j > i; --j)
      if (List->GetStrings(j) == List->GetStrings(i)) List->Delete(j);
  List->EndUpdate();
}

TStrings* TLexemeSpell3Base::AvailableMainDictionaries() {
  if (availableMain_->GetCount() == 0) FindDictionaryFiles("lxm", availableMain_);
  return availableMain_;
}

TStrings* TLexemeSpell3Base::AvailableCustomDictionaries() {
  if (availableCustom_->GetCount() == 0) FindDictionaryFiles("lxu", availableCustom_);
  const AnsiString& active = config_->GetActiveCustom();
  if (!active.empty() && IndexOfExact(availableCustom_, active) < 0) availableCustom_->Insert(0, active);
  return availableCustom_;
}

TStrings* TLexemeSpell3Base::AvailableMSWordDictionaries() {
  if (msWordListRead_) return availableMSWord_;
  msWordListRead_ = true;
  const AnsiString proofFolder = ExpandPathMacros("%AppData%") + "\\Microsoft\\Proof\\";
  for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
    TRegistry registry(KEY_READ);
    registry.SetRootKey(root);
    if (!registry.OpenKeyReadOnly(kWordCustomDictionariesKey)) continue;
    for (Integer i = 1;; ++i) {
      const AnsiString name = IntToStr(i);
      AnsiString file;
      try {
        if (!registry.ValueExists(name)) break;
        file = registry.ReadString(name);
      } catch (const Exception&) {
        break;  // a value of another type ends the list like a missing one
      }
      if (file.empty()) break;
      if (!HasBackslash(file)) file = proofFolder + file;
      if (FileExists(file)) availableMSWord_->Add(file);
    }
  }
  return availableMSWord_;
}

// ---------------------------------------------------------------------------------------------
// Opening dictionaries

TMainDictionary* TLexemeSpell3Base::OpenMainDictionary(const AnsiString& Name) {
  auto dictionary = std::make_unique<TMainDictionary>();
  AnsiString path;
  if (HasBackslash(Name)) {
    ExpandPath(Name, path);
    dictionary->Open(path);
  } else {
    for (Integer i = 0; i < folders_->GetCount(); ++i) {
      path = JoinPath(folders_->GetStrings(i), Name);
      dictionary->Open(path);
      if (dictionary->GetFileName() == path) break;
    }
  }
  if (path.empty() || dictionary->GetFileName() != path) return nullptr;
  return dictionary.release();
}

TCustomDictionary* TLexemeSpell3Base::OpenCustomDictionary(const AnsiString& Name) {
  TCustomDictionary* supplied = nullptr;
  if (OnCreateCustomDictionary) OnCreateCustomDictionary(this, supplied);
  std::unique_ptr<TCustomDictionary> dictionary(supplied ? supplied : new TCustomDictionary());

  AnsiString path;
  if (HasBackslash(Name)) {
    ExpandPath(Name, path);
    const AnsiString folder = ExtractFilePath(path);
    if (!folder.empty()) ForceFolders(folder);
  } else {
    bool found = false;
    for (Integer i = 0; i < folders_->GetCount() && !found; ++i) {
      AnsiString folder;
      ExpandPath(folders_->GetStrings(i), folder);
      if (!folder.empty()) ForceFolders(folder);
      path = JoinPath(folders_->GetStrings(i), Name);
      found = FileExists(path);
    }
    // A dictionary that does not exist yet is made in the first folder.
    if (!found && folders_->GetCount() > 0) path = JoinPath(folders_->GetStrings(0), Name);
  }

  // Open copies of the same file write their changes first, so that this one reads them.
  for (const auto& other : customs_)
    if (other->GetFileName() == path) other->Save();
  if (activeCustom_ && activeCustom_->GetFileName() == path) activeCustom_->Save();

  dictionary->SetFileName(path);
  if (dictionary->GetFileName() != path) return nullptr;
  return dictionary.release();
}

TCustomDictionary* TLexemeSpell3Base::OpenMSWordDictionary(const AnsiString& FileName) {
  if (!FileExists(FileName)) return nullptr;
  TStringList lines;
  try {
    lines.LoadFromFile(FileName);
  } catch (const Exception&) {
    return nullptr;
  }
  auto dictionary = std::make_unique<TCustomDictionary>();
  for (Integer i = 0; i < lines.GetCount(); ++i) dictionary->AddIgnore(lines[i]);
  return dictionary.release();
}

void TLexemeSpell3Base::OpenDictionaries() {
  if (!config_->GetLoaded()) {
    // Loading reloads the configuration, which comes back here.
    config_->Load();
    return;
  }
  englishOpen_ = false;
  rankCountdown_ = 100;

  mains_.clear();
  TStrings* names = config_->MainDictionaries();
  for (Integer i = 0; i < names->GetCount(); ++i)
    if (TMainDictionary* d = OpenMainDictionary(names->GetStrings(i))) {
      mains_.emplace_back(d);
      if ((d->GetLanguage() & 0xFF) == kEnglish) englishOpen_ = true;
    }

  customs_.clear();
  const AnsiString active = config_->GetActiveCustom();
  names = config_->CustomDictionaries();
  for (Integer i = 0; i < names->GetCount(); ++i)
    if (names->GetStrings(i) != active)
      if (TCustomDictionary* d = OpenCustomDictionary(names->GetStrings(i))) customs_.emplace_back(d);

  msWord_.clear();
  names = config_->MSWordCustomDictionaries();
  for (Integer i = 0; i < names->GetCount(); ++i)
    if (TCustomDictionary* d = OpenMSWordDictionary(names->GetStrings(i))) msWord_.emplace_back(d);

  FreeAndNil(activeCustom_);
  if (!active.empty()) activeCustom_ = OpenCustomDictionary(active);

  if (!mapping_ && !mappingDictionaryName_.empty()) mapping_ = OpenCustomDictionary(mappingDictionaryName_);
  if (!learning_ && suggestionsLearning_) learning_ = OpenCustomDictionary(suggestionsLearningDict_);

  if (OnDictionariesChanged) OnDictionariesChanged(this);
}

void TLexemeSpell3Base::ReloadConfiguration(bool Reopen) {
  if (reloadLocks_ > 0) {
    reloadPending_ = true;
    reloadReopen_ = reloadReopen_ || Reopen;
    return;
  }
  RebuildFolderList();
  ForgetAvailableFiles();
  if (Reopen) {
    const AnsiString before = activeCustom_ ? activeCustom_->GetFileName() : AnsiString();
    OpenDictionaries();
    // Undo records of Add and Auto-Correct belong to the custom dictionary they went into.
    if (!activeCustom_ || activeCustom_->GetFileName() != before) ClearUndo();
  }
  ApplyOptions(false);
  if (OnConfigChanged) OnConfigChanged(this);
  reloadListeners_->Call(this, Reopen ? 1 : 0);
}

void TLexemeSpell3Base::ReleaseDictionaries() {
  if (keepDictionariesActive_ || running_) return;
  config_->Save();
  for (const auto& d : mains_) d->SetMapped(false);
  if (activeCustom_) activeCustom_->SetActive(false);
  for (const auto& d : customs_) d->SetActive(false);
  if (learning_) learning_->SetActive(false);
}

Integer TLexemeSpell3Base::MainLanguage() const {
  return mains_.empty() ? 0 : static_cast<Integer>(mains_.front()->GetLanguage());
}

void TLexemeSpell3Base::RankMainDictionaries() {
  if (mains_.size() > 1) {
    std::size_t best = 0;
    for (std::size_t i = 1; i < mains_.size(); ++i)
      if (mains_[i]->GetUses() > mains_[best]->GetUses()) best = i;
    std::rotate(mains_.begin(), mains_.begin() + static_cast<std::ptrdiff_t>(best),
                mains_.begin() + static_cast<std::ptrdiff_t>(best) + 1);
  }
  if (mains_.empty()) return;
  generator_->SetLanguage(MainLanguage());
  // French elision (l'homme) is two words.
  if (auto* main = dynamic_cast<TMainParsingEngine*>(engine_))
    main->SetSplitApostrophes((generator_->GetLanguage() & 0xFF) == kFrenchLanguage);
}

// ---------------------------------------------------------------------------------------------
// Options

void TLexemeSpell3Base::ApplyOptions(bool Force) {
  const TComponentState state = GetComponentState();
  if (state.Contains(csReading) || state.Contains(csLoading) || state.Contains(csDesigning)) return;
  // The options are applied when the configuration is loaded; asking for them here would load it.
  if (!config_->GetLoaded()) return;
  const TSpellOptions options = config_->Options();
  if (optionsApplied_ && options == appliedOptions_ && !Force) return;
  optionsApplied_ = true;
  appliedOptions_ = options;

  ClearIgnoreFilters();
  if (options.Contains(soInternet)) AddIgnoreFilter(new TURLIgnore());
  if (options.Contains(soUpcase)) AddIgnoreFilter(new TUppercaseWordIgnore());
  if (options.Contains(soNumbers)) AddIgnoreFilter(new TNumbersIgnore());
  if (options.Contains(soHTML)) AddIgnoreFilter(new THTMLIgnore());
  if (options.Contains(soQuoted)) {
    auto* quoted = new TQuotedLineIgnore();
    quoted->QuoteChars = quoteChars_;
    AddIgnoreFilter(quoted);
  }
  if (options.Contains(soAbbreviations)) AddIgnoreFilter(new TAbbreviationsIgnore());

  primaryOnly_ = options.Contains(soPrimaryOnly);
  repeatedOption_ = options.Contains(soRepeated);
  dualCaps_ = options.Contains(soDUalCaps);
  liveSpelling_ = options.Contains(soLiveSpelling);
  liveCorrect_ = options.Contains(soLiveCorrect);

  if (OnAddCustomIgnore) OnAddCustomIgnore(this);
  optionsListeners_->Call(this, static_cast<Integer>(options.Bits()));
}

// ---------------------------------------------------------------------------------------------
// Custom dictionary management

void TLexemeSpell3Base::SetCustomDictionaryActive(const AnsiString& Name, bool Active) {
  EnsureConfiguration();
  ReloadBatch batch(*this);
  TStrings* list = config_->CustomDictionaries();
  const Integer at = list->IndexOf(Name);
  if (at >= 0) {
    if (Active) return;
    const bool wasActive = AnsiCompareText(config_->GetActiveCustom(), Name) == 0;
    list->Delete(at);
    if (wasActive) config_->SetActiveCustom(list->GetCount() > 0 ? list->GetStrings(0) : AnsiString());
    return;
  }
  if (!Active) return;
  if (TCustomDictionary* d = OpenCustomDictionary(Name)) {
    list->Add(Name);
    delete d;
  }
}

void TLexemeSpell3Base::SetMSWordDictionaryActive(const AnsiString& Name, bool Active) {
  EnsureConfiguration();
  TStrings* list = config_->MSWordCustomDictionaries();
  const Integer at = list->IndexOf(Name);
  if (at >= 0) {
    if (!Active) list->Delete(at);
    return;
  }
  if (Active && FileExists(Name)) list->Add(Name);
}

void TLexemeSpell3Base::DeleteCustomDictionary(const AnsiString& Name) {
  SetCustomDictionaryActive(Name, false);
  availableCustom_->Clear();
  std::unique_ptr<TCustomDictionary> d(OpenCustomDictionary(Name));
  if (!d) return;
  const AnsiString file = d->GetFileName();
  d.reset();
  if (!file.empty() && FileExists(file)) DeleteFile(file);
}

void TLexemeSpell3Base::NewCustomDictionary(const AnsiString& Name) {
  EnsureConfiguration();
  const AnsiString name = ChangeFileExt(ExtractFileName(Name), ".lxu");
  if (TCustomDictionary* d = OpenCustomDictionary(name)) {
    d->SetModified(true);
    d->Save();
    delete d;
  }
  TStrings* list = config_->CustomDictionaries();
  if (list->IndexOf(name) < 0) list->Add(name);
  availableCustom_->Clear();
}

bool TLexemeSpell3Base::RenameCustomDictionary(const AnsiString& OldName, const AnsiString& NewName) {
  if (OldName == NewName || NewName.empty()) return false;
  if (IndexOfExact(AvailableCustomDictionaries(), OldName) < 0) return false;
  std::unique_ptr<TCustomDictionary> d(OpenCustomDictionary(OldName));
  if (!d || d->GetFileName().empty()) return false;
  const AnsiString oldPath = d->GetFileName();
  // The configuration lists the name as the file is called, with its extension.
  const AnsiString name = ChangeFileExt(ExtractFileName(NewName), ".lxu");
  const AnsiString newPath = ExtractFilePath(oldPath) + name;
  if (FileExists(newPath) || !CanCreateFile(newPath, true)) return false;
  d->SetModified(true);
  if (!d->Save()) return false;
  d.reset();
  // The component's own copies must not write the old file again.
  for (const auto& other : customs_)
    if (other->GetFileName() == oldPath) other->Save();
  if (activeCustom_ && activeCustom_->GetFileName() == oldPath) activeCustom_->Save();
  if (!RenameFile(oldPath, newPath)) return false;

  ReloadBatch batch(*this);
  TStrings* list = config_->CustomDictionaries();
  const Integer at = list->IndexOf(OldName);
  const bool wasActive = AnsiCompareText(config_->GetActiveCustom(), OldName) == 0;
  if (at >= 0) {
    list->BeginUpdate();
    list->Delete(at);
    list->Add(name);
    list->EndUpdate();
  }
  if (wasActive) config_->SetActiveCustom(name);
  availableCustom_->Clear();
  return true;
}
