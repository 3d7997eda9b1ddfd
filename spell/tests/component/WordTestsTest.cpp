// The spell-check component's configuration, dictionary set and word tests.
#include <gtest/gtest.h>

#include "classlib/Registry.h"
#include "classlib/SysUtils.h"
#include "spell/lx3Ignore.h"
#include "spell/lx3MainDictionary.h"
#include "spell/lx3Suggestions.h"
#include "spell/lx3Util.h"
#include "spell/tests/SpellComponentFixture.h"

namespace {

using namespace spell_testing;
using testing_support::ReadFileBytes;

// A user dictionary file with these entries.
void WriteUserDictionary(const std::string& path, const List& ignore, const List& exclude = {},
                         const std::vector<std::pair<std::string, std::string>>& pairs = {}) {
  TCustomDictionary d;
  d.SetFileName(path);
  d.SetActive(true);
  for (const auto& w : ignore) d.AddIgnore(w);
  for (const auto& w : exclude) d.AddExclude(w);
  for (const auto& p : pairs) d.AddAutoCorrect(p.first, p.second);
  d.SetActive(false);
}

using WordTestsTest = SpellComponentTest;

TEST_F(WordTestsTest, LoadsTheConfigurationAndOpensDictionariesAtFirstUse) {
  int loaded = 0, opened = 0, changed = 0;
  Spell().OnConfigLoaded = TNotifyEvent::FromFunction([&](TObject*) { ++loaded; });
  Spell().OnDictionariesChanged = TNotifyEvent::FromFunction([&](TObject*) { ++opened; });
  Spell().OnConfigChanged = TNotifyEvent::FromFunction([&](TObject*) { ++changed; });
  Spell().SetQuoteChars(">|");
  EXPECT_EQ(loaded, 0);
  EXPECT_EQ(Spell().GetMainDictionaryCount(), 0);
  EXPECT_FALSE(Spell().GetConfiguration()->GetLoaded());

  EXPECT_TRUE(Spell().IsWordAcceptable("house"));
  EXPECT_EQ(loaded, 1);
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(changed, 1);
  ASSERT_EQ(Spell().GetMainDictionaryCount(), 1);
  EXPECT_EQ(Spell().GetMainDictionaries(0)->GetFileName(), temp_.File("test.lxm"));
  EXPECT_EQ(Spell().MainLanguage(), 1033);
  // The defaults of a first run: the active custom dictionary is named after the ConfigID.
  EXPECT_EQ(Spell().GetConfiguration()->GetActiveCustom(), "Paratext.lxu");
  ASSERT_NE(Spell().GetActiveCustomDictionary(), nullptr);
  EXPECT_EQ(Spell().GetActiveCustomDictionary()->GetFileName(), temp_.File("Paratext.lxu"));
  ASSERT_NE(Spell().GetLearningDictionary(), nullptr);
  EXPECT_EQ(Spell().GetLearningDictionary()->GetFileName(), temp_.File("learn.lxl"));
  // The default options became filters: Internet addresses and abbreviations.
  ASSERT_EQ(Spell().GetIgnoreFilterCount(), 2);
  EXPECT_NE(dynamic_cast<TURLIgnore*>(Spell().GetIgnoreFilters(0)), nullptr);
  EXPECT_NE(dynamic_cast<TAbbreviationsIgnore*>(Spell().GetIgnoreFilters(1)), nullptr);
  EXPECT_TRUE(Spell().GetLiveSpelling());

  // A first run writes nothing until something changes.
  TRegistry registry;
  EXPECT_FALSE(registry.KeyExists("\\Software\\PelorinSpellTest\\Paratext"));
  Spell().ReleaseDictionaries();
  EXPECT_FALSE(registry.KeyExists("\\Software\\PelorinSpellTest\\Paratext"));
}

TEST_F(WordTestsTest, ReadsAStoredConfigurationAndSavesChanges) {
  WriteMainDictionary(temp_.File("second.lxm"), {"zebra"}, 2057, u"Second");
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("\\Software\\PelorinSpellTest\\Paratext", true));
    for (auto [name, value] : std::vector<std::pair<const char*, const char*>>{
             {"_FirstRun", "+"}, {"_Main_count", "2"}, {"_Main_0", "second.lxm"}, {"_Main_1", "test.lxm"},
             {"_ActiveCustom", "mine.lxu"}, {"_soUpcase", "+"}, {"_soRepeated", "+"}})
      registry.WriteString(name, value);
  }
  ASSERT_TRUE(Spell().IsWordAcceptable("zebra"));
  ASSERT_EQ(Spell().GetMainDictionaryCount(), 2);
  EXPECT_EQ(Spell().GetMainDictionaries(0)->GetName(), "Second");
  EXPECT_EQ(Spell().MainLanguage(), 2057);
  EXPECT_TRUE(Spell().IsWordAcceptable("NASA")) << "soUpcase";
  EXPECT_FALSE(Spell().IsWordAcceptable("e.g.x")) << "no abbreviations option";

  // A change is saved when the dictionaries are released after use.
  Spell().GetConfiguration()->SetOptions(TSpellOptions{soNumbers});
  EXPECT_TRUE(Spell().IsWordAcceptable("abc1"));
  EXPECT_FALSE(Spell().IsWordAcceptable("NASA"));
  Spell().ReleaseDictionaries();
  TRegistry registry;
  ASSERT_TRUE(registry.OpenKey("\\Software\\PelorinSpellTest\\Paratext", false));
  EXPECT_EQ(registry.ReadString("_soNumbers"), "+");
  EXPECT_EQ(registry.ReadString("_soUpcase"), "-");
  EXPECT_EQ(registry.ReadString("_Main_0"), "second.lxm");
}

TEST_F(WordTestsTest, ChangingTheStorageReloadsFromTheNewStore) {
  std::map<std::string, std::string> store = {{"Paratext/_FirstRun", "+"},
                                              {"Paratext/_Main_count", "0"},
                                              {"Paratext/_ActiveCustom", ""}};
  Spell().OnConfigReadString = TConfigReadStringEvent::FromFunction(
      [&](TObject*, const AnsiString& id, const AnsiString& key, const AnsiString&, AnsiString& value) {
        auto it = store.find(id + "/" + key);
        if (it != store.end()) value = it->second;
      });
  EXPECT_TRUE(Spell().IsWordAcceptable("house"));
  Spell().SetConfigStorage(csCallback);
  // Loaded again at once: no main dictionary now.
  EXPECT_TRUE(Spell().GetConfiguration()->GetLoaded());
  EXPECT_EQ(Spell().GetMainDictionaryCount(), 0);
  EXPECT_FALSE(Spell().IsWordAcceptable("house"));
  EXPECT_EQ(Spell().GetActiveCustomDictionary(), nullptr);
}

TEST_F(WordTestsTest, AcceptsWordsFromEveryDictionaryOfTheSet) {
  WriteUserDictionary(temp_.File("Paratext.lxu"), {"Pelorin"});
  WriteUserDictionary(temp_.File("names.lxu"), {"Kefa"});
  const std::string wordList = temp_.File("proof\\custom.dic");
  testing_support::WriteFileBytes(wordList, "Tiberias\r\nGennesaret\r\n");
  {
    TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("\\Software\\Microsoft\\Shared Tools\\Proofing Tools\\Custom Dictionaries", true));
    registry.WriteString("1", wordList);
    registry.WriteString("2", "missing.dic");  // a bare name of a file that does not exist
    registry.WriteString("4", wordList);       // after a gap: not read
  }
  Spell().ConfigDefaultUseMSWordCustom = true;
  SetLines(Spell().GetConfigDefaultCustom(), {"names.lxu"});
  EXPECT_EQ(Strings(Spell().AvailableMSWordDictionaries()), List{wordList});
  Spell().GetInternalList()->AddIgnore("Capernaum");

  struct {
    const char* word;
    bool acceptable;
  } const cases[] = {
      {"house", true},      {"House", true},   {"HOUSE", true},     {"hOUSE", false},    {"Pelorin", true},
      {"pelorin", false},   {"Kefa", true},    {"Tiberias", true},  {"Gennesaret", true}, {"Capernaum", true},
      {"xyzzy", false},     {"x", true},       {"3.5", true},       {"1e3", true},       {"3,5", false},
      {"John's", true},     {"JOHN'S", false}, {"house's", true},   {"e.g.", true},      {"THe", false},
      {"www.example", true}, {"Paris", true},  {"paris", false},
  };
  for (const auto& c : cases) EXPECT_EQ(Spell().IsWordAcceptable(c.word), c.acceptable) << c.word;
  EXPECT_TRUE(Spell().IsInMainDictionaries("house"));
  EXPECT_FALSE(Spell().IsInMainDictionaries("Pelorin"));
  EXPECT_TRUE(Spell().IsInDictionaries("Pelorin"));
}

TEST_F(WordTestsTest, WithoutMainDictionaryOnlyNumbersSingleLettersAndUserWordsPass) {
  SetLines(Spell().GetConfigDefaultMain(), {"missing.lxm"});
  Spell().GetInternalList()->AddIgnore("house");
  for (const char* w : {"x", "3.5", "-2", "house"}) EXPECT_TRUE(Spell().IsWordAcceptable(w)) << w;
  EXPECT_EQ(Spell().GetMainDictionaryCount(), 0);
  for (const char* w : {"car", "John's", "3,5"}) EXPECT_FALSE(Spell().IsWordAcceptable(w)) << w;
}

TEST_F(WordTestsTest, PossessivesNeedAnEnglishMainDictionary) {
  WriteMainDictionary(temp_.File("french.lxm"), {"John", "maison"}, 1036);
  SetLines(Spell().GetConfigDefaultMain(), {"french.lxm"});
  EXPECT_TRUE(Spell().IsWordAcceptable("John"));
  EXPECT_FALSE(Spell().IsWordAcceptable("John's"));
  EXPECT_FALSE(Spell().IsPossessiveForm("John's"));
}

TEST_F(WordTestsTest, CaseModificationFollowsAllowedCases) {
  struct {
    TCaseModification cases;
    const char* word;
    const char* modified;
  } const rows[] = {
      {cmNone, "House", "House"},          {cmInitialCaps, "HOUSE", "hOUSE"},
      {cmInitialCapsOrUpcase, "House", "house"}, {cmInitialCapsOrUpcase, "HOUSE", "house"},
      {cmInitialCapsOrUpcase, "HOuse", "hOuse"}, {cmAnyCase, "HoUsE", "house"},
      {cmAnyCase, "\xC9T\xC9", "\xE9t\xE9"},     {cmInitialCaps, "", ""},
  };
  for (const auto& r : rows) {
    Spell().AllowedCases = r.cases;
    AnsiString modified;
    Spell().ModifyCase(r.word, modified);
    EXPECT_EQ(modified, r.modified) << r.word;
  }
  Spell().AllowedCases = cmCustom;
  Spell().OnCaseModification = TCaseModificationEvent::FromFunction([](TObject*, AnsiString& w) { w += "!"; });
  AnsiString modified;
  Spell().ModifyCase("Word", modified);
  EXPECT_EQ(modified, "Word!");
}

TEST_F(WordTestsTest, ExcludedWordsAndAutoCorrectionsComeFromTheirSources) {
  WriteUserDictionary(temp_.File("Paratext.lxu"), {}, {"moon"}, {{"teh", "the"}, {"recieve", "receive"}});
  WriteUserDictionary(temp_.File("other.lxu"), {}, {"car"}, {{"teh", "tea"}, {"wrold", "world"}});
  WriteUserDictionary(temp_.File("mapping.lxu"), {}, {}, {{"colour", "color"}, {"wrold", "word"}, {"hte", "the"}});
  WriteUserDictionary(temp_.File("learn.lxl"), {}, {}, {{"dgo", "dog"}, {"hte", "hat"}});
  SetLines(Spell().GetConfigDefaultCustom(), {"other.lxu"});
  Spell().SetMappingDictionaryName("mapping.lxu");
  Spell().GetInternalList()->AddAutoCorrect("recieve", "recipe");

  EXPECT_TRUE(Spell().IsWordExcluded("moon"));
  EXPECT_TRUE(Spell().IsWordExcluded("car"));
  EXPECT_TRUE(Spell().IsWordExcluded("colour")) << "mapped";
  EXPECT_FALSE(Spell().IsWordExcluded("house"));

  struct {
    const char* word;
    const char* replacement;  // nullptr: none
  } const cases[] = {
      {"teh", "the"},        // the active custom dictionary comes first
      {"recieve", "receive"},  // before the internal list
      {"wrold", "world"},    // another custom dictionary before the mapping
      {"colour", "color"},   // the mapping dictionary
      {"dgo", nullptr},      // the learning dictionary only with SuggestionsAutoReplace
      {"THe", "The"},        // dual capitals
      {"HOuse", "House"},    // "House" is acceptable by its case
      {"TH", nullptr},       // too short
      {"T4e", nullptr},      // the second character is no letter
      {"THEe", nullptr},     // only the first two are capitals
      {"XYz", nullptr},      // "Xyz" is no word
  };
  for (const auto& c : cases) {
    AnsiString replacement;
    const bool found = Spell().FindAutoCorrection(c.word, replacement);
    EXPECT_EQ(found, c.replacement != nullptr) << c.word;
    if (found && c.replacement) {
      EXPECT_EQ(replacement, c.replacement) << c.word;
    }
  }
  Spell().SuggestionsAutoReplace = true;
  AnsiString replacement;
  EXPECT_TRUE(Spell().FindAutoCorrection("dgo", replacement));
  EXPECT_EQ(replacement, "dog");
  Spell().MappingAutoReplace = false;
  EXPECT_TRUE(Spell().FindAutoCorrection("hte", replacement));
  EXPECT_EQ(replacement, "hat") << "the mapping is passed over";

  // The mapped word's only suggestion is its mapping.
  TStringList suggestions;
  Spell().BuildSuggestions("colour", &suggestions, -1);
  EXPECT_EQ(Strings(&suggestions), List{"color"});
}

TEST_F(WordTestsTest, DualCapitalsNeedTheOption) {
  Spell().GetConfiguration()->SetOptions(TSpellOptions{});
  AnsiString replacement;
  EXPECT_FALSE(Spell().FindAutoCorrection("THe", replacement));
}

TEST_F(WordTestsTest, SuggestionsAreRankedAndLimited) {
  TStringList list;
  Spell().BuildSuggestions("huose", &list, -1);
  const List all = Strings(&list);
  ASSERT_FALSE(all.empty());
  EXPECT_EQ(all.front(), "house");
  Spell().BuildSuggestions("huose", &list, 0);
  EXPECT_EQ(list.GetCount(), 0);
  Spell().BuildSuggestions("huose", &list, 1);
  EXPECT_EQ(Strings(&list), List{"house"});

  // A replacement the user chose before comes first; words chosen before rank ahead of others
  // at the same distance.
  Spell().LearnReplacement("cta", "at");
  Spell().BuildSuggestions("cta", &list, -1);
  ASSERT_GE(list.GetCount(), 2);
  EXPECT_EQ(list[0], "at");
  Spell().BuildSuggestions("dat", &list, -1);  // at, cat, sat, mat: "at" was chosen before
  ASSERT_GE(list.GetCount(), 1);
  EXPECT_EQ(list[0], "at");

  Spell().MaxSuggestions = 2;
  Spell().GetSuggestions("ot", &list);
  EXPECT_EQ(list.GetCount(), 2);
}

TEST_F(WordTestsTest, PhoneticMatchesFollowTheFirstMainDictionary) {
  int adjusted = 0;
  Spell().OnAdjustPhoneticsMap = TNotifyEvent::FromFunction([&](TObject*) { ++adjusted; });
  TStringList list;
  Spell().BuildSuggestions("beleive", &list, -1);
  EXPECT_GE(adjusted, 1);
  EXPECT_NE(list.IndexOf("believe"), -1);
  Spell().PhoneticSuggestions = false;
  adjusted = 0;
  Spell().BuildSuggestions("beleive", &list, -1);
  EXPECT_EQ(adjusted, 0);
}

TEST_F(WordTestsTest, MainDictionariesAreRankedByUse) {
  WriteMainDictionary(temp_.File("french.lxm"), {"maison", "chat", "le"}, 1036);
  SetLines(Spell().GetConfigDefaultMain(), {"test.lxm", "french.lxm"});
  ASSERT_TRUE(Spell().IsWordAcceptable("maison"));
  ASSERT_EQ(Spell().GetMainDictionaryCount(), 2);
  Spell().RankMainDictionaries();
  EXPECT_EQ(Spell().MainLanguage(), 1036) << "one hit for the French dictionary, none for the other";
  for (int i = 0; i < 3; ++i) Spell().IsWordAcceptable("house");
  Spell().RankMainDictionaries();
  EXPECT_EQ(Spell().MainLanguage(), 1033);
  EXPECT_EQ(Spell().GetSuggestionsGenerator()->GetLanguage(), 1033);
}

TEST_F(WordTestsTest, FindsDictionaryFilesOnceFromTheFirstFolder) {
  const std::string second = temp_.File("second");
  WriteMainDictionary(second + "\\test.lxm", {"zebra"});
  WriteMainDictionary(second + "\\extra.lxm", {"zebra"});
  WriteUserDictionary(second + "\\words.lxu", {"zebra"});
  SetLines(Spell().GetConfigDictionaryDir(), {Folder(), second + "\\"});
  EXPECT_EQ(Strings(Spell().AvailableMainDictionaries()), (List{"test.lxm", "extra.lxm"}));
  // The active custom dictionary that does not exist yet is offered first.
  EXPECT_EQ(Strings(Spell().AvailableCustomDictionaries()), (List{"Paratext.lxu", "words.lxu"}));
  // Opening takes the first folder that holds the file.
  std::unique_ptr<TMainDictionary> d(Spell().OpenMainDictionary("test.lxm"));
  ASSERT_TRUE(d);
  EXPECT_EQ(d->GetFileName(), temp_.File("test.lxm"));
  d.reset(Spell().OpenMainDictionary("extra.lxm"));
  ASSERT_TRUE(d);
  EXPECT_EQ(d->GetFileName(), second + "\\extra.lxm");
  EXPECT_EQ(Spell().OpenMainDictionary("none.lxm"), nullptr);
  // Folders added in the configuration are searched too.
  const std::string third = temp_.File("third");
  WriteMainDictionary(third + "\\third.lxm", {"zebra"});
  Spell().GetConfiguration()->NewPaths()->Add(third);
  EXPECT_EQ(Strings(Spell().GetDictionaryFolders()), (List{Folder(), second + "\\", third}));
  EXPECT_EQ(Strings(Spell().AvailableMainDictionaries()), (List{"test.lxm", "extra.lxm", "third.lxm"}));
}

TEST_F(WordTestsTest, ExpandsTheFirstConfigIDOnly) {
  AnsiString path;
  Spell().ExpandPath("%AppDir%\\%ConfigID%-%ConfigID%.lxu", path);
  EXPECT_EQ(path, ExpandPathMacros("%AppDir%") + "\\Paratext-%ConfigID%.lxu");
  Spell().SetConfigID("%UserName%");
  Spell().ExpandConfigID("%ConfigID%.lxu", path);
  EXPECT_EQ(path, ExpandPathMacros("%UserName%") + ".lxu");
}

TEST_F(WordTestsTest, CustomDictionariesAreCreatedRenamedAndDeleted) {
  Spell().NewCustomDictionary("c:\\elsewhere\\Names.txt");
  const std::string names = temp_.File("Names.lxu");
  EXPECT_TRUE(FileExists(names));
  EXPECT_EQ(Strings(Spell().GetConfiguration()->CustomDictionaries()), List{"Names.lxu"});
  EXPECT_EQ(Spell().GetCustomDictionaryCount(), 1);
  EXPECT_EQ(Strings(Spell().AvailableCustomDictionaries()), (List{"Paratext.lxu", "Names.lxu"}));

  // Words go into the active one; renaming keeps them and the active choice.
  Spell().GetConfiguration()->SetActiveCustom("Names.lxu");
  ASSERT_NE(Spell().GetActiveCustomDictionary(), nullptr);
  Spell().GetActiveCustomDictionary()->AddIgnore("Kefa");
  Spell().ReleaseDictionaries();
  EXPECT_TRUE(Spell().RenameCustomDictionary("Names.lxu", "People"));
  EXPECT_FALSE(FileExists(names));
  EXPECT_TRUE(FileExists(temp_.File("People.lxu")));
  EXPECT_EQ(Strings(Spell().GetConfiguration()->CustomDictionaries()), List{"People.lxu"});
  EXPECT_EQ(Spell().GetConfiguration()->GetActiveCustom(), "People.lxu");
  EXPECT_TRUE(Spell().IsWordAcceptable("Kefa"));
  Spell().ReleaseDictionaries();
  EXPECT_FALSE(FileExists(names)) << "nothing writes the old file again";

  // A name whose file exists is refused and both files stay as they were.
  WriteUserDictionary(temp_.File("Taken.lxu"), {"zebra"});
  const std::string people = ReadFileBytes(temp_.File("People.lxu")), taken = ReadFileBytes(temp_.File("Taken.lxu"));
  EXPECT_FALSE(Spell().RenameCustomDictionary("People.lxu", "Taken.lxu"));
  EXPECT_FALSE(Spell().RenameCustomDictionary("People.lxu", "People.lxu"));
  EXPECT_FALSE(Spell().RenameCustomDictionary("Nobody.lxu", "Fresh.lxu"));
  EXPECT_EQ(ReadFileBytes(temp_.File("People.lxu")), people);
  EXPECT_EQ(ReadFileBytes(temp_.File("Taken.lxu")), taken);

  // Deleting the active one makes the first remaining one active.
  Spell().SetCustomDictionaryActive("Taken.lxu", true);
  EXPECT_EQ(Strings(Spell().GetConfiguration()->CustomDictionaries()), (List{"People.lxu", "Taken.lxu"}));
  Spell().DeleteCustomDictionary("People.lxu");
  EXPECT_FALSE(FileExists(temp_.File("People.lxu")));
  EXPECT_EQ(Strings(Spell().GetConfiguration()->CustomDictionaries()), List{"Taken.lxu"});
  EXPECT_EQ(Spell().GetConfiguration()->GetActiveCustom(), "Taken.lxu");
  EXPECT_FALSE(Spell().IsWordAcceptable("Kefa"));
  EXPECT_TRUE(Spell().IsWordAcceptable("zebra"));
  Spell().SetCustomDictionaryActive("Taken.lxu", false);
  EXPECT_EQ(Spell().GetConfiguration()->GetActiveCustom(), "");
  EXPECT_EQ(Spell().GetActiveCustomDictionary(), nullptr);
  EXPECT_EQ(Spell().GetConfiguration()->CustomDictionaries()->GetCount(), 0);
}

TEST_F(WordTestsTest, WordProcessorDictionariesAreChosenWhenTheirFilesExist) {
  const std::string file = temp_.File("word.dic");
  testing_support::WriteFileBytes(file, "Bethsaida\r\n");
  Spell().SetMSWordDictionaryActive(temp_.File("absent.dic"), true);
  Spell().SetMSWordDictionaryActive(file, true);
  EXPECT_EQ(Strings(Spell().GetConfiguration()->MSWordCustomDictionaries()), List{file});
  EXPECT_TRUE(Spell().IsWordAcceptable("Bethsaida"));
  Spell().SetMSWordDictionaryActive(file, false);
  EXPECT_FALSE(Spell().IsWordAcceptable("Bethsaida"));
}

TEST_F(WordTestsTest, ReleasingWritesUserDictionariesAndKeepsTheirWords) {
  Spell().IsWordAcceptable("house");
  Spell().GetActiveCustomDictionary()->AddIgnore("Pelorin");
  Spell().LearnReplacement("teh", "the");
  EXPECT_FALSE(FileExists(temp_.File("Paratext.lxu")));
  Spell().SetKeepDictionariesActive(true);
  Spell().ReleaseDictionaries();
  EXPECT_FALSE(FileExists(temp_.File("Paratext.lxu"))) << "kept active";
  Spell().SetKeepDictionariesActive(false);
  EXPECT_TRUE(FileExists(temp_.File("Paratext.lxu")));
  EXPECT_TRUE(FileExists(temp_.File("learn.lxl")));
  EXPECT_FALSE(Spell().GetMainDictionaries(0)->GetMapped());
  EXPECT_TRUE(Spell().IsWordAcceptable("Pelorin"));
  EXPECT_TRUE(Spell().GetMainDictionaries(0)->GetMapped());

  TCustomDictionary learned;
  learned.SetFileName(temp_.File("learn.lxl"));
  AnsiString replacement;
  EXPECT_TRUE(learned.GetAutoCorrection("teh", replacement));
  EXPECT_EQ(replacement, "the");
  EXPECT_TRUE(learned.IsIgnored("the"));
}

TEST_F(WordTestsTest, LearningAndMappingFollowTheirProperties) {
  Spell().IsWordAcceptable("house");
  EXPECT_NE(Spell().GetLearningDictionary(), nullptr);
  Spell().SetSuggestionsLearning(false);
  EXPECT_EQ(Spell().GetLearningDictionary(), nullptr);
  Spell().SetSuggestionsLearning(true);
  ASSERT_NE(Spell().GetLearningDictionary(), nullptr);
  Spell().SetSuggestionsLearningDict(temp_.File("other.lxl"));
  ASSERT_NE(Spell().GetLearningDictionary(), nullptr);
  EXPECT_EQ(Spell().GetLearningDictionary()->GetFileName(), temp_.File("other.lxl"));

  WriteUserDictionary(temp_.File("map.lxu"), {}, {}, {{"colour", "color"}});
  Spell().SetMappingDictionaryName("map.lxu");
  ASSERT_NE(Spell().GetMappingDictionary(), nullptr);
  EXPECT_TRUE(Spell().IsWordExcluded("colour"));
  Spell().SetMappingDictionaryName("");
  EXPECT_EQ(Spell().GetMappingDictionary(), nullptr);
}

TEST_F(WordTestsTest, CustomFiltersAreAddedAfterTheOptionsAreApplied) {
  struct Zed : TParserIgnoreBase {
    bool IgnoreWord(const AnsiString& w, TControlParser*) override { return !w.empty() && w[0] == 'Z'; }
  };
  int applied = 0;
  Spell().OnAddCustomIgnore = TNotifyEvent::FromFunction([&](TObject*) {
    ++applied;
    Spell().AddIgnoreFilter(new Zed);
  });
  Integer listened = -1;
  Spell().GetOptionsListeners()->Add(
      TEventListMethod::FromFunction([&](TObject*, Integer options) { listened = options; }));
  EXPECT_TRUE(Spell().IsWordAcceptable("Zork"));
  EXPECT_EQ(applied, 1);
  EXPECT_EQ(listened, static_cast<Integer>(Spell().GetConfiguration()->Options().Bits()));
  Spell().SetQuoteChars(">");  // forced: the filters are built again
  EXPECT_EQ(applied, 2);
  EXPECT_EQ(Spell().GetIgnoreFilterCount(), 3);
}

TEST_F(WordTestsTest, InterfaceTextsPassThroughOnGetString) {
  EXPECT_EQ(Spell().GetString(58), "The spelling check is complete.");
  Spell().UILanguage = ltGerman;
  AnsiString german;
  GetSpellString(58, ltGerman, german);
  EXPECT_EQ(Spell().GetString(58), german);
  Spell().OnGetString = TGetStringEvent::FromFunction([](TObject*, Integer id, AnsiString& text) {
    if (id == 14) text = "Rechtschreibung!";
  });
  EXPECT_EQ(Spell().GetString(14), "Rechtschreibung!");
  EXPECT_EQ(Spell().GetVersion(), "3.3.1 Pro");
}

}  // namespace

namespace {

using namespace spell_testing;

// The popup menu built and shown through the component's events.
class PopupTest : public SpellComponentTest {
protected:
  void SetUp() override {
    SpellComponentTest::SetUp();
    Spell().OnPopupCreateMenu = TPopupCreateMenuEvent::FromFunction([this](TObject*, TComponent*, TObject*& menu) {
      menu = new TStringList();
      ++menus;
    });
    Spell().OnPopupAddMenuItem = TPopupAddMenuItemEvent::FromFunction(
        [this](TObject*, TObject*, TObject* parent, Integer tag, bool children, bool enabled,
               const AnsiString& caption, TObject*& item) {
          std::string line = std::to_string(tag) + ":" + caption;
          if (!enabled) line += " (disabled)";
          if (children) line += " >";
          if (parent) line = "  " + line;
          items.push_back(line);
          if (children) {
            parents.push_back(std::make_unique<TObject>());
            item = parents.back().get();
          }
        });
    Spell().OnPopupDoMenu = TPopupDoMenuEvent::FromFunction(
        [this](TObject*, TObject*, const TPoint& at, Integer& tag, AnsiString& caption) {
          position = at;
          tag = chosenTag;
          caption = chosenCaption;
        });
    Spell().GetPopupListeners()->Add(TEventListMethod::FromFunction([this](TObject*, Integer r) { heard = r; }));
  }

  int menus = 0;
  List items;
  std::vector<std::unique_ptr<TObject>> parents;
  TPoint position;
  Integer chosenTag = 0;
  AnsiString chosenCaption;
  Integer heard = -1;
};

TEST_F(PopupTest, OffersSuggestionsAndCommandsAndActsOnTheChoice) {
  TStringList suggestions;
  Spell().BuildSuggestions("huose", &suggestions, 5);
  ASSERT_GE(suggestions.GetCount(), 1);
  List expected;
  for (Integer i = 0; i < suggestions.GetCount(); ++i) expected.push_back("7:" + suggestions[i]);
  expected.insert(expected.end(), {"0:-", "6:I&gnore", "5:&Ignore All", "4:&Add", "0:-", "0:&Change All >"});
  for (Integer i = 0; i < suggestions.GetCount(); ++i) expected.push_back("  3:" + suggestions[i]);
  expected.push_back("0:A&uto Correct >");
  for (Integer i = 0; i < suggestions.GetCount(); ++i) expected.push_back("  2:" + suggestions[i]);
  expected.push_back("1:&Spelling ...");

  AnsiString original, changed;
  Spell().OnPopupResult = TPopupResultEvent::FromFunction(
      [&](TObject*, const AnsiString& before, AnsiString& word, Integer&) {
        original = before;
        changed = word;
      });
  chosenTag = prChangeAll;
  chosenCaption = "house";
  AnsiString word = "huose";
  EXPECT_EQ(Spell().PopupForWord(nullptr, 254, word, TPoint{10, 20}), prChangeAll);
  EXPECT_EQ(items, expected);
  EXPECT_EQ(menus, 1);
  EXPECT_EQ(position, (TPoint{10, 20}));
  EXPECT_EQ(word, "house");
  EXPECT_EQ(original, "huose");
  EXPECT_EQ(changed, "house");
  EXPECT_EQ(heard, prChangeAll);
  AnsiString replacement;
  EXPECT_TRUE(Spell().GetInternalList()->GetAutoCorrection("huose", replacement));
  EXPECT_TRUE(Spell().GetLearningDictionary()->GetAutoCorrection("huose", replacement));
}

TEST_F(PopupTest, ResultsOfEachChoice) {
  struct {
    Integer tag;
    const char* word;
    Integer result;
    const char* after;
  } const rows[] = {{prSpelling, "Kefa", prSpelling, "Kefa"},     {prAdd, "Kefa", prAdd, "Kefa"},
                    {prIgnoreAll, "Zorb", prIgnoreAll, "Zorb"},   {prIgnore, "Qeys", prIgnore, "Qeys"},
                    {prChange, "Qeys", prChange, "Keys"},         {prAutoCorrect, "Kyes", prAutoCorrect, "Keys"},
                    {0, "Qeys", prNone, "Qeys"}};
  for (const auto& r : rows) {
    chosenTag = r.tag;
    chosenCaption = "Keys";
    AnsiString word = r.word;
    EXPECT_EQ(Spell().PopupForWord(nullptr, poSpelling | poAdd, word, TPoint{}), r.result) << r.tag;
    EXPECT_EQ(word, r.after) << r.tag;
  }
  EXPECT_TRUE(Spell().GetActiveCustomDictionary()->IsIgnored("Kefa"));
  EXPECT_TRUE(Spell().GetInternalList()->IsIgnored("Zorb"));
  AnsiString replacement;
  EXPECT_TRUE(Spell().GetActiveCustomDictionary()->GetAutoCorrection("Kyes", replacement));
  EXPECT_EQ(replacement, "Keys");
  EXPECT_TRUE(Spell().GetLearningDictionary()->GetAutoCorrection("Qeys", replacement));
  EXPECT_EQ(replacement, "Keys");
}

TEST_F(PopupTest, AWordWithoutSuggestions) {
  AnsiString word = "qqqqqq";
  EXPECT_EQ(Spell().PopupForWord(nullptr, poSuggestions | poChangeAll | poAutoCorrect, word, TPoint{}), prNone);
  EXPECT_EQ(items, (List{"0:(no suggestions) (disabled)", "0:-", "0:-"}));
  items.clear();
  word.clear();
  EXPECT_EQ(Spell().PopupForWord(nullptr, 254, word, TPoint{}), prNone);
  EXPECT_TRUE(items.empty()) << "no menu for an empty word";
}

}  // namespace
