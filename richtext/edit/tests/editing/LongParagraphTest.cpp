// Typing and deleting inside long paragraphs: only the lines around the change are laid out
// again, and the result is always the layout a full format gives, in every alignment and line
// spacing, with spaces dropped at the wraps or kept, in one long item or in many.
#include <functional>
#include <random>

#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/edit/tests/support/EditTestSupport.h"

using namespace edit_test;

namespace {

// An editor's document that keeps the item ranges it was told were laid out.
class NotingDoc : public TUVWindowlessEditData {
public:
  using TUVWindowlessEditData::TUVWindowlessEditData;
  void Formatted(Integer FirstItemNo, Integer LastItemNo, bool Partial) override {
    TUVWindowlessEditData::Formatted(FirstItemNo, LastItemNo, Partial);
    LaidOut = Partial ? std::to_string(FirstItemNo) + ".." + std::to_string(LastItemNo) : "all";
  }
  std::string LaidOut;
};

// Empty when every item's first draw line is the one it names.
std::string CheckFirstDrawLines(TCustomUVFormattedData& Doc) {
  for (Integer d = 0; d < Doc.DrawItems->GetCount(); ++d) {
    Integer itemNo = Doc.DrawItems->Get(d)->ItemNo;
    if ((d == 0 || Doc.DrawItems->Get(d - 1)->ItemNo != itemNo) && Doc.GetItem(itemNo)->DrawItemNo != d)
      return "item " + std::to_string(itemNo) + " names draw line " + std::to_string(Doc.GetItem(itemNo)->DrawItemNo) +
             ", its first is " + std::to_string(d);
  }
  return std::string();
}

// A verse of its own length and words.
AnsiString VerseText(Integer Verse) {
  static const char* const words[] = {"Blessed", "are", "the", "undefiled", "in", "way", "who", "walk",
                                      "law", "of", "LORD", "that", "keep", "his", "testimonies", "seek"};
  AnsiString text;
  for (Integer w = 0; w < 8 + Verse % 9; ++w) text += AnsiString(w ? " " : "") + words[(Verse * 7 + w * 3) % 16];
  return text + ".";
}

class LongParagraph : public ::testing::Test {
protected:
  void SetUp() override { SetUpStyles(style); }

  // A heading, then one paragraph of Verses verses (a small verse number, then its text), then
  // a closing paragraph.
  void BuildVerses(Integer Verses, Integer ParaNo) {
    doc.Clear();
    doc.AddNL("Psalm 119", tsBig, psNormal);
    for (Integer v = 1; v <= Verses; ++v) {
      if (v == 1)
        doc.AddNL(IntToStr(v), tsSmall, ParaNo);
      else
        doc.Add(IntToStr(v), tsSmall);
      doc.Add(" " + VerseText(v) + " ", tsNormal);
    }
    doc.AddNL("Selah", tsNormal, psNormal);
    doc.ClientWidth = 300;
    doc.FormatDefault(false);
  }

  TUVStyle style{nullptr};
  NotingDoc doc{&style};
};

TEST_F(LongParagraph, AChangeLaysOutOnlyTheLinesAroundIt) {
  BuildVerses(300, psNormal);
  ASSERT_GT(doc.DrawItems->GetCount(), 500);
  // In the text of verse 150 (item 300): a letter, a space that lets a line break there, and
  // characters taken out again.
  // A word taken out may move the breaks of many lines after it (each line takes what fits),
  // until a line begins where one began before.
  struct Step {
    const char* Name;
    std::function<void()> Do;
    bool Local;
  } steps[] = {
      {"a letter typed", [&] { TypeChar(doc, 'x'); }, true},
      {"a space typed", [&] { TypeChar(doc, ' '); }, true},
      {"Backspace", [&] { PressBackspace(doc); }, true},
      {"Delete", [&] { PressDelete(doc); }, true},
      {"a word deleted", [&] { PressDelete(doc, true); }, false},
  };
  SetCaret(doc, 300, 20);
  for (const Step& s : steps) {
    SCOPED_TRACE(s.Name);
    s.Do();
    ASSERT_NE(doc.LaidOut, "all");
    Integer first = std::stoi(doc.LaidOut.substr(0, doc.LaidOut.find('.')));
    Integer last = std::stoi(doc.LaidOut.substr(doc.LaidOut.find("..") + 2));
    EXPECT_GE(first, 296) << doc.LaidOut;
    if (s.Local) EXPECT_LE(last, 304) << doc.LaidOut;
    EXPECT_EQ(CheckFirstDrawLines(doc), "");
    EXPECT_EQ(CheckLayout(doc), "");
  }
}

TEST_F(LongParagraph, TypingAndDeletingGiveTheLayoutOfAFullFormat) {
  const Integer paraStyles[] = {psNormal, psJustified, psCentered, psSpaced, psRight};
  for (unsigned round = 1; round <= 60; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    std::mt19937 rng(round);
    auto random = [&](Integer Low, Integer High) { return std::uniform_int_distribution<Integer>(Low, High)(rng); };
    Integer paraNo = paraStyles[random(0, 4)];
    bool oneItem = random(0, 2) == 0;
    if (oneItem) {
      // One item of a few thousand characters, ANSI or UTF-16.
      doc.Clear();
      AnsiString text;
      for (Integer w = 0; w < 500; ++w) text += (w % 7 == 0 ? "  " : " ") + AnsiString(w % 5 == 0 ? "unsearchable" : "way");
      bool unicode = random(0, 1) == 1;
      doc.AddNL("Before", tsNormal, psNormal);
      doc.AddNL(unicode ? AnsiToUnicodeCP(1252, text) : text, unicode ? tsUnicode : tsNormal, paraNo);
      doc.ClientWidth = random(120, 400);
      doc.FormatDefault(false);
    } else {
      BuildVerses(random(20, 60), paraNo);
      doc.ClientWidth = random(120, 400);
      doc.FormatDefault(false);
    }
    if (random(0, 3) == 0) {
      // The spaces at the wraps kept.
      doc.Flags = static_cast<TUVFlags>(doc.Flags & ~uvflDropWrapSpace);
      doc.FormatDefault(false);
    }
    for (Integer step = 0; step < 30; ++step) {
      SCOPED_TRACE("step " + std::to_string(step));
      Integer itemNo = oneItem ? 1 : random(1, doc.GetItemCount() - 2);
      if (doc.GetItemLength(itemNo) < 2) continue;
      SetCaret(doc, itemNo, random(2, doc.GetItemLength(itemNo)));
      switch (random(0, 3)) {
        case 0: {
          Integer n = random(1, 3);
          for (Integer i = 0; i < n; ++i) TypeChar(doc, "wW  -"[random(0, 4)]);
          break;
        }
        case 1: PressBackspace(doc); break;
        case 2: PressDelete(doc); break;
        default: PressBackspace(doc, true); break;
      }
      ASSERT_EQ(CheckFirstDrawLines(doc), "");
      ASSERT_EQ(CheckLayout(doc), "");
    }
  }
}

}  // namespace
