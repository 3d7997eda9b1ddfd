// What the tests of the comparison tools share: book files written from lines, and a document
// shown item by item with its text styles, so that expected results can be written as text.
#pragma once

#include <string>
#include <vector>

#include "classlib/StringLists.h"
#include "core/tests/CoreTestSupport.h"
#include "richtext/core/CUVData.h"
#include "tests/support/TestSupport.h"

namespace compare_testing {

using Lines = std::vector<std::string>;

// The entries of a string list.
inline Lines LinesOf(TStrings* list) {
  Lines lines;
  for (Integer i = 0; i < list->GetCount(); ++i) lines.push_back(list->GetStrings(i));
  return lines;
}

// Writes the lines, each ended by carriage return and line feed.
inline void WriteLines(const std::string& path, const Lines& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  testing_support::WriteFileBytes(path, bytes);
}

// One item: its text in style 0, "<+text>" in style 1, "<-text>" in style 2, "<N:text>" in any
// other style N.
inline std::string DescribeItem(const std::string& text, int style) {
  switch (style) {
    case 0: return text;
    case 1: return "<+" + text + ">";
    case 2: return "<-" + text + ">";
    default: return "<" + std::to_string(style) + ":" + text + ">";
  }
}

// One line per paragraph, its items separated by "|" (so a paragraph that starts with an empty
// item starts with "|").
inline Lines DescribeParagraphs(TCustomUVData* document) {
  Lines paragraphs;
  for (Integer i = 0; i < document->GetItemCount(); ++i) {
    const std::string item = DescribeItem(document->GetItemText(i), document->GetItemStyle(i));
    if (document->IsParaStart(i) || paragraphs.empty())
      paragraphs.push_back(item);
    else
      paragraphs.back() += "|" + item;
  }
  return paragraphs;
}

// The change positions of the document's items whose style is not 0, in document order.
inline Lines StyledItemPositions(TCustomUVData* document) {
  Lines positions;
  for (Integer i = 0; i < document->GetItemCount(); ++i)
    if (document->GetItemStyle(i) != 0) {
      std::string number = "0000000" + std::to_string(i);
      positions.push_back(number.substr(number.size() - 7));
    }
  return positions;
}

}  // namespace compare_testing
