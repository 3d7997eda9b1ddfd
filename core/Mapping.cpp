#include "core/Mapping.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/ProgramFolderUnit.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"

namespace {

// The pairs of one step from versification f to versification t (one of them 1): the references
// on the f side and, at the same index, the matching references on the t side.
struct StepPairs {
  std::unique_ptr<TStringList> From{new TStringList()};
  std::unique_ptr<TStringList> To{new TStringList()};
};

StepPairs LoadStepPairs(int from, int to) {
  StepPairs pairs;
  const int other = from == 1 ? to : from;
  // The file lists versification 1 on its left: going towards 1, its right side is the source.
  LoadMapFile(other, pairs.From.get(), pairs.To.get(), from != 1);
  return pairs;
}

// Letter case plays no part in finding a reference; the first listed pair of a reference wins.
using ReferenceIndex = std::unordered_map<std::string, int>;

bool StartsWithDigitOneToNine(const AnsiString& s) { return !s.empty() && s[0] >= '1' && s[0] <= '9'; }

// Whether the text is one whole reference: a book id of the Bible (letter case ignored), a blank,
// and the chapter and verse numbers, digits only and neither of them 0, with a colon between them.
// The text step takes the chapter ":" verse from the fifth character on and makes verse lines of
// it, so anything else would lose the verse its marker and number: a verse moved to chapter 0
// would stand before the book's first chapter line as text.
bool IsWholeReference(const AnsiString& s) {
  if (s.size() < 7 || s[3] != ' ' || BookNumberFromId(UpperCase(s.substr(0, 3))) == 0) return false;
  // The end of the number starting at `from`; `from` itself when there is none or it is 0.
  const auto number = [&s](std::size_t from) {
    std::size_t end = from;
    bool nonZero = false;
    for (; end < s.size() && s[end] >= '0' && s[end] <= '9'; ++end) nonZero = nonZero || s[end] != '0';
    return nonZero ? end : from;
  };
  const std::size_t colon = number(4);
  if (colon == 4 || colon >= s.size() || s[colon] != ':') return false;
  const std::size_t end = number(colon + 1);
  return end > colon + 1 && end == s.size();
}

// One line of a book during the text step. A verse line is held as its chapter ":" verse in front
// of the rest of its text, which is how the map's entries are matched and moved.
struct BookLine {
  AnsiString Text;
  bool Verse = false;
};

void ReferenceStep(int from, int to, TStrings* lines) {
  const StepPairs pairs = LoadStepPairs(from, to);
  if (pairs.From->GetCount() == 0) return;
  ReferenceIndex index;
  for (int i = 0; i < pairs.From->GetCount(); ++i) index.emplace(UpperCase(pairs.From->GetStrings(i)), i);

  lines->BeginUpdate();
  for (int i = 0; i < lines->GetCount(); ++i) {
    const AnsiString line = lines->GetStrings(i);
    const AnsiString reference = ExtractReference(line);
    if (reference.empty()) continue;
    const auto found = index.find(UpperCase(reference));
    if (found == index.end()) continue;
    // The reference stands at the start of the line once leading blanks are passed; anything else
    // (a colon and a number far apart) is no reference to replace.
    std::size_t start = 0;
    while (start < line.size() && static_cast<unsigned char>(line[start]) <= ' ') ++start;
    if (CompareText(line.substr(start, reference.size()), reference) != 0) continue;
    lines->SetStrings(i, line.substr(0, start) + pairs.To->GetStrings(found->second) +
                             line.substr(start + reference.size()));
  }
  lines->EndUpdate();
}

void TextStep(int from, int to, TStrings* lines) {
  AnsiString bookId;
  for (int i = 0; i < lines->GetCount(); ++i) {
    const AnsiString line = Trim(lines->GetStrings(i));
    if (IsMarkerLine(line, "\\id")) {
      bookId = UpperCase(Copy(line, 5, 3));
      break;
    }
  }
  // Without a book there is nothing to map: every book's pairs would apply.
  if (Length(bookId) != 3) return;

  // The pairs of this book, as chapter ":" verse on both sides.
  const StepPairs pairs = LoadStepPairs(from, to);
  std::unordered_map<std::string, AnsiString> moves;
  const AnsiString prefix = bookId + " ";
  for (int i = 0; i < pairs.From->GetCount(); ++i) {
    const AnsiString a = pairs.From->GetStrings(i);
    if (CompareText(Copy(a, 1, 4), prefix) != 0) continue;
    moves.emplace(Copy(a, 5, Length(a)), Copy(pairs.To->GetStrings(i), 5, Length(pairs.To->GetStrings(i))));
  }
  if (moves.empty()) return;

  // Verse lines become chapter ":" verse and their text; chapter lines go, to be made anew from
  // the verses' chapters once the verses have moved.
  std::vector<BookLine> book;
  book.reserve(static_cast<std::size_t>(lines->GetCount()));
  AnsiString chapter = "0";
  for (int i = 0; i < lines->GetCount(); ++i) {
    const AnsiString line = lines->GetStrings(i);
    if (IsMarkerLine(line, "\\c")) {
      chapter = FirstNumberInString(line);
      continue;
    }
    if (IsMarkerLine(line, "\\v")) {
      std::size_t p = 2;
      while (p < line.size() && line[p] == ' ') ++p;
      std::size_t end = p;
      while (end < line.size() && line[end] >= '0' && line[end] <= '9') ++end;
      if (end > p) {
        // What follows the number stays as it was: the blank before the text, or the rest of a
        // range such as "12-13", so that an unmoved verse line comes back unchanged.
        const AnsiString reference = chapter + ":" + line.substr(p, end - p);
        AnsiString text = reference + line.substr(end);
        const auto move = moves.find(reference);
        if (move != moves.end()) text = move->second + " " + text;
        book.push_back({text, true});
        continue;
      }
    }
    book.push_back({line, false});
  }

  lines->BeginUpdate();
  lines->Clear();
  AnsiString lastChapter = "0";
  for (const BookLine& entry : book) {
    // A verse before the first chapter line keeps its "0:" form: it has no chapter to return to.
    if (!entry.Verse || !StartsWithDigitOneToNine(entry.Text)) {
      lines->Add(entry.Text);
      continue;
    }
    const AnsiString verseChapter = FirstNumberInString(entry.Text);
    if (verseChapter != lastChapter) {
      lines->Add("\\c " + verseChapter);
      lastChapter = verseChapter;
    }
    lines->Add("\\v " + entry.Text.substr(verseChapter.size() + 1));
  }
  lines->EndUpdate();
}

}  // namespace

AnsiString MapFileName(int versification) {
  if (versification < 2 || versification > VersificationCount) return AnsiString();
  return ProgramFolder + VersificationName(versification) + ".map";
}

void LoadMapFile(int versification, TStrings* first, TStrings* second, bool swap) {
  first->Clear();
  second->Clear();
  std::unique_ptr<TStringList> file(new TStringList());
  ReadLinesOrNone(MapFileName(versification), file.get());
  TStrings* left = swap ? second : first;
  TStrings* right = swap ? first : second;
  left->BeginUpdate();
  right->BeginUpdate();
  for (int i = 0; i < file->GetCount(); ++i) {
    const AnsiString line = file->GetStrings(i);
    const int hyphen = Pos("-", line);
    if (hyphen == 0) continue;
    const AnsiString a = Trim(Copy(line, 1, hyphen - 1));
    const AnsiString b = Trim(Copy(line, hyphen + 1, Length(line)));
    if (!IsWholeReference(a) || !IsWholeReference(b)) continue;
    left->Add(a);
    right->Add(b);
  }
  left->EndUpdate();
  right->EndUpdate();
}

void MapTextVersification(int from, int to, TStrings* bookLines) {
  if (from == to) return;
  if (from != 1) TextStep(from, 1, bookLines);
  if (to != 1) TextStep(1, to, bookLines);
}

void MapReferencesVersification(int from, int to, TStrings* lines) {
  if (from == to) return;
  if (from != 1) ReferenceStep(from, 1, lines);
  if (to != 1) ReferenceStep(1, to, lines);
}
