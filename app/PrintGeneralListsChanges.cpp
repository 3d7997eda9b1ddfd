// "Show only lines with a change" of comparison output: every marker line (a paragraph whose
// text begins with a backslash) is kept only when it holds a marked addition or removal (an item
// in another text style than 0), and then begins with the reference of its verse; the other
// lines (headers, the legend) stay as they are.
#include <utility>
#include <vector>

#include "app/PrintGeneralLists.h"
#include "classlib/Strings.h"
#include "core/Utilities.h"
#include "richtext/core/UzurUvad.h"

namespace {

bool BeginsWith(const AnsiString& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// The reference each line stands at: "GEN 1:3" for a verse line and for a paragraph line after
// verse 3 (the book from the last "\id" line, the chapter and verse from the last chapter and
// verse lines); empty for every other line.
std::vector<AnsiString> LineReferences(const std::vector<AnsiString>& lines) {
  std::vector<AnsiString> references;
  AnsiString book, chapter, verse;
  for (const AnsiString& line : lines) {
    if (BeginsWith(line, "\\id")) book = Copy(line, 5, 3);
    if (IsMarkerLine(line, "\\c")) chapter = FirstNumberInString(line);
    const bool verseLine = IsMarkerLine(line, "\\v");
    if (verseLine) verse = FirstNumberInString(line);
    references.push_back(verseLine || BeginsWith(line, "\\p") ? book + " " + chapter + ":" + verse : AnsiString());
  }
  return references;
}

}  // namespace

void TPrintGeneralListDialog::KeepOnlyLinesWithChanges() {
  ShowStatus("Looking for changes ...");
  // Each paragraph's first and last item, and its text from its text items (taken per paragraph,
  // so that a line break inside a paragraph cannot shift the lines against the paragraphs).
  std::vector<std::pair<Integer, Integer>> paragraphs;
  std::vector<AnsiString> lines;
  for (Integer i = 0; i < UzurUvadEdit1->GetItemCount(); ++i) {
    if (UzurUvadEdit1->IsParaStart(i) || paragraphs.empty()) {
      paragraphs.emplace_back(i, i);
      lines.emplace_back();
    }
    paragraphs.back().second = i;
    if (UzurUvadEdit1->GetItemStyle(i) >= 0) lines.back() += UzurUvadEdit1->GetItemText(i);
  }
  const std::vector<AnsiString> references = LineReferences(lines);

  // From the last paragraph to the first, so that the numbers of the items still to be visited
  // do not change.
  for (std::size_t p = paragraphs.size(); p-- > 0;) {
    if (!BeginsWith(lines[p], "\\")) continue;
    const auto [first, last] = paragraphs[p];
    bool changed = false;
    for (Integer i = first; i <= last && !changed; ++i) changed = UzurUvadEdit1->GetItemStyle(i) != 0;
    if (!changed) {
      UzurUvadEdit1->DeleteItems(first, last - first + 1);
    } else if (UzurUvadEdit1->GetItemStyle(first) >= 0) {
      UzurUvadEdit1->SetItemText(first, references[p] + " " + UzurUvadEdit1->GetItemText(first));
    }
  }
  UzurUvadEdit1->Format();
  ShowStatus("Viewing only lines with changes");
}
