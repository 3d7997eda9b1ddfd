#include "tools/PrintVersionsBlocks.h"

#include <algorithm>

#include "classlib/SysUtils.h"
#include "core/Utilities.h"
#include "richtext/core/CUVData.h"
#include "richtext/edit/UVTable.h"
#include "tools/DynamicCompareUnit.h"
#include "tools/StatusProgress.h"

namespace {

// How many lines a further version and the comparison look ahead for a verse of the first.
constexpr std::size_t kVersionSearch = 6;
constexpr std::size_t kComparisonSearch = 8;
// Lines that begin with a blank and follow a version's verse (continued text) go with it.
constexpr std::size_t kContinuationLines = 6;
// The text of a line after its marker and number, at most this long.
constexpr Integer kTextLength = 1000;

// The label part of a line (its first five characters) and its text from the sixth on.
AnsiString LineHead(const AnsiString& line) { return Copy(line, 1, 5); }
AnsiString LineText(const AnsiString& line) { return Copy(line, 6, kTextLength); }
AnsiString Marker(const AnsiString& line) { return Copy(line, 1, 2); }

// The comparison's styles in the document of the blocks.
Integer BlockStyleOfComparison(Integer style) {
  switch (style) {
    case csAdded: return pvsAdded;
    case csRemoved: return pvsRemoved;
    default: return pvsNormal;
  }
}

// Whether one of the lines from `from`, at most `count` of them, contains the key.
bool KeyWithin(const std::vector<AnsiString>& lines, std::size_t from, std::size_t count, const AnsiString& key) {
  const std::size_t end = std::min(lines.size(), from + count);
  for (std::size_t i = from; i < end; ++i)
    if (Pos(key, lines[i]) > 0) return true;
  return false;
}

}  // namespace

AnsiString ComparisonTitle(const AnsiString& newerName, bool newerHasBook, const AnsiString& olderName,
                           bool olderHasBook) {
  return (newerHasBook ? newerName : AnsiString()) + (olderHasBook ? "-" + olderName : AnsiString());
}

TPrintedComparison ReadPrintedComparison(TCustomUVData* document, const AnsiString& title) {
  TPrintedComparison comparison;
  comparison.Title = title;
  for (Integer i = 0; i < document->GetItemCount(); ++i) {
    if (document->IsParaStart(i) || comparison.Paragraphs.empty()) {
      comparison.Paragraphs.emplace_back();
      comparison.Lines.emplace_back();
    }
    const AnsiString text = document->GetItemText(i);
    comparison.Paragraphs.back().push_back({text, document->GetItemStyle(i)});
    comparison.Lines.back() += text;
  }
  return comparison;
}

void BuildVersionBlocks(const std::vector<TPrintedVersion>& versions, const TPrintedComparison& comparison,
                        const std::function<void(const TVersionBlock&)>& block, TStatusBar* statusBar) {
  if (versions.empty()) return;
  TStatusProgress status(statusBar);
  std::vector<std::size_t> cursors(versions.size(), 0);
  std::size_t comparisonCursor = 0;
  AnsiString chapter;  // the last chapter number met and ":"
  const std::vector<AnsiString>& first = versions[0].Lines;
  TVersionBlock entries;
  while (cursors[0] < first.size()) {
    entries.clear();
    // The first version's lines up to and including its next verse or chapter line.
    AnsiString key, marker;
    do {
      const AnsiString& line = first[cursors[0]++];
      marker = Marker(line);
      key = Copy(line, 1, static_cast<Integer>(FirstNumberInString(line).size()) + 3);
      if (marker == "\\c") {
        const AnsiString number = FirstNumberInString(line);
        chapter = number + ":";
        status.Show("Chapter " + number);
      }
      entries.push_back({{versions[0].Label + " " + chapter + LineHead(line), pvsNormal},
                         {LineText(line), pvsFirstVersion}});
    } while (marker != "\\c" && marker != "\\v" && cursors[0] < first.size());

    // Each further version's lines up to its own line of that marker, when the verse is near.
    for (std::size_t k = 1; k < versions.size(); ++k) {
      const std::vector<AnsiString>& lines = versions[k].Lines;
      std::size_t& cursor = cursors[k];
      if (cursor >= lines.size()) continue;
      const AnsiString& label = versions[k].Label;
      const Integer style = pvsFirstVersion + static_cast<Integer>(k);
      if (!KeyWithin(lines, cursor, kVersionSearch, key)) {
        entries.push_back({{label + " " + chapter + " verse not found", pvsNormal}});
        continue;
      }
      bool markerTaken = false;
      while (!markerTaken && cursor < lines.size()) {
        const AnsiString& line = lines[cursor++];
        markerTaken = Marker(line) == marker;
        entries.push_back({{label + " " + chapter + LineHead(line), pvsNormal}, {LineText(line), style}});
      }
      for (std::size_t taken = 0; taken < kContinuationLines && cursor < lines.size(); ++taken) {
        const AnsiString& line = lines[cursor];
        if (line.empty() || line[0] != ' ') break;
        entries.push_back({{line, style}});
        ++cursor;
      }
    }

    // The same verse from the comparison, its marks in the styles of the added and removed text.
    if (!comparison.Title.empty() && comparisonCursor < comparison.Lines.size()) {
      if (KeyWithin(comparison.Lines, comparisonCursor, kComparisonSearch, key)) {
        bool markerTaken = false;
        while (!markerTaken && comparisonCursor < comparison.Lines.size()) {
          markerTaken = Marker(comparison.Lines[comparisonCursor]) == marker;
          TBlockEntry entry{{comparison.Title + " " + chapter, pvsNormal}};
          for (const TStyledText& item : comparison.Paragraphs[comparisonCursor])
            entry.push_back({item.Text, BlockStyleOfComparison(item.Style)});
          entries.push_back(std::move(entry));
          ++comparisonCursor;
        }
      } else {
        entries.push_back({{comparison.Title + " " + chapter + " verse not found", pvsNormal}});
      }
    }
    block(entries);
  }
}

void WriteVersionsExample(TCustomUVData* document, const std::vector<TPrintedVersion>& versions,
                          const AnsiString& comparisonTitle, bool newerMissing, bool olderMissing) {
  document->AddNL("Example", pvsNormal, 0);
  document->AddNL("", pvsNormal, 0);
  for (std::size_t k = 0; k < versions.size(); ++k) {
    const std::vector<AnsiString>& lines = versions[k].Lines;
    const auto verse = std::find_if(lines.begin(), lines.end(), [](const AnsiString& l) { return Pos("\\v", l) > 0; });
    if (verse != lines.end()) document->AddNL("1: " + *verse, pvsFirstVersion + static_cast<Integer>(k), 0);
  }
  if (comparisonTitle.empty()) return;
  document->AddNL("1: " + comparisonTitle + " - comparison of newer and older versions" +
                      (newerMissing ? " - newer file missing" : "") + (olderMissing ? " - older file missing" : ""),
                  pvsNormal, 0);
}

TUVTableItemInfo* MakeBlockTable(const TVersionBlock& block, TCustomUVData* document) {
  auto* table = new TUVTableItemInfo(1, 1, document);
  table->ParaNo = 0;
  // The table spans the page; the block is framed by its cell's border, so that blocks stay
  // framed apart also where a reader joins adjacent tables into one (as RTF readers do).
  table->SetBestWidth(-100);
  table->SetBorderWidth(0);
  table->SetBorderVSpacing(3);
  table->SetBorderHSpacing(0);
  table->SetCellBorderWidth(1);
  table->SetCellBorderStyle(uvtbColor);
  table->SetCellBorderColor(clBlack);
  table->SetCellBorderLightColor(clBlack);
  table->SetCellPadding(4);
  table->SetCellVSpacing(0);
  table->SetCellHSpacing(0);
  TUVTableCellData* cell = table->GetCells(0, 0);
  // A new cell holds one empty paragraph; the entries take its place.
  cell->Clear();
  for (const TBlockEntry& entry : block) {
    cell->AddNL("", pvsNormal, 0);
    for (const TStyledText& item : entry) cell->Add(item.Text, item.Style);
  }
  return table;
}
