#include "core/StyleSheetUnit.h"

#include <memory>
#include <unordered_map>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/SSFUnit.h"
#include "core/ScripturesUnit.h"
#include "core/Utilities.h"

TStringList* StyleSheetMarkers = nullptr;
std::vector<StyleSheetTextTypeType> StyleSheetTextTypes;
std::vector<TStyleSheetTextProperties> StyleSheetTextProperties;

namespace {

const char* const kTextTypes[] = {"Title", "Section", "ChapterNumber", "VerseNumber", "VerseText", "NoteText"};

struct PropertyName {
  const char* Name;
  TStyleSheetTextProperties Bit;
};
const PropertyName kProperties[] = {
    {"book", tpBook},           {"chapter", tpChapter},         {"crossreference", tpCrossReference},
    {"level_1", tpLevel1},      {"level_2", tpLevel2},          {"level_3", tpLevel3},
    {"nonpublishable", tpNonPublishable}, {"nonvernacular", tpNonVernacular}, {"note", tpNote},
    {"paragraph", tpParagraph}, {"poetic", tpPoetic},           {"publishable", tpPublishable},
    {"vernacular", tpVernacular}, {"verse", tpVerse},
};

// The marker checker looks up the marker of every line of every book; the answers for markers
// seen before are kept here, keyed by the exact text looked up.
std::unordered_map<AnsiString, int> g_lookups;

StyleSheetTextTypeType TextTypeOf(const AnsiString& word) {
  for (int i = 0; i < 6; ++i)
    if (SameText(word, kTextTypes[i])) return static_cast<StyleSheetTextTypeType>(i);
  return sttOther;
}

AnsiString StyleSheetPath() {
  std::unique_ptr<TAllScriptures> all(new TAllScriptures());
  if (all->CurrentIndex < 0) return AnsiString();
  const AnsiString shortName = all->ShortNames->GetStrings(all->CurrentIndex);
  try {
    return GetProjectStyleSheet(shortName);
  } catch (const Exception&) {
    return AnsiString();  // an unreadable settings file names no style sheet
  }
}

}  // namespace

void LoadStyleSheet() {
  if (!StyleSheetMarkers) StyleSheetMarkers = new TStringList();
  StyleSheetMarkers->Clear();
  StyleSheetTextTypes.clear();
  StyleSheetTextProperties.clear();
  g_lookups.clear();

  const AnsiString path = StyleSheetPath();
  if (path.empty() || !FileExists(path)) return;
  std::unique_ptr<TStringList> lines(new TStringList());
  try {
    lines->LoadFromFile(path);
  } catch (const Exception&) {
    return;  // read at start-up: a style sheet that cannot be read counts as missing
  }
  std::unique_ptr<TStringList> words(new TStringList());
  for (int i = 0; i < lines->GetCount(); ++i) {
    const AnsiString line = Trim(lines->GetStrings(i));
    if (line.empty() || line[0] != '\\') continue;
    SplitLineIntoWords(line, words.get(), false);
    const AnsiString first = words->GetStrings(0);
    const AnsiString second = words->GetCount() > 1 ? words->GetStrings(1) : AnsiString();
    if (SameText(first, "\\Marker")) {
      StyleSheetMarkers->Add(second);
      StyleSheetTextTypes.push_back(sttTitle);
      StyleSheetTextProperties.push_back(0);
    } else if (SameText(first, "\\TextType")) {
      // Lines before the first marker have no marker to describe.
      if (!StyleSheetTextTypes.empty()) StyleSheetTextTypes.back() = TextTypeOf(second);
    } else if (SameText(first, "\\TextProperties")) {
      TStyleSheetTextProperties set = 0;
      for (int w = 1; w < words->GetCount(); ++w)
        for (const PropertyName& p : kProperties)
          if (SameText(words->GetStrings(w), p.Name)) set |= p.Bit;
      if (!StyleSheetTextProperties.empty()) StyleSheetTextProperties.back() = set;
    }
  }
}

int FindStyleSheetMarker(const AnsiString& marker) {
  if (!StyleSheetMarkers) return -1;
  auto known = g_lookups.find(marker);
  if (known != g_lookups.end()) return known->second;
  int index = -1;
  for (int i = 0; i < StyleSheetMarkers->GetCount(); ++i) {
    if (SameText(StyleSheetMarkers->GetStrings(i), marker)) {
      index = i;
      break;
    }
  }
  g_lookups.emplace(marker, index);
  return index;
}

void InitializeStyleSheet() {
  if (!StyleSheetMarkers) StyleSheetMarkers = new TStringList();
  LoadStyleSheet();
}

void FinalizeStyleSheet() {
  FreeAndNil(StyleSheetMarkers);
  StyleSheetTextTypes.clear();
  StyleSheetTextProperties.clear();
  g_lookups.clear();
}
