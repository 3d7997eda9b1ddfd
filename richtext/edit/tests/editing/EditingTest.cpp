// Inserting, deleting and restyling at the caret and in the selection, protected text, streams
// inserted at the caret, and the editor's bookkeeping; every edit is checked against a full
// format and undone.
#include <memory>

#include "classlib/Bitmaps.h"
#include "classlib/Streams.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVRTFProps.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/edit/tests/support/EditTestSupport.h"
#include "tests/support/TestSupport.h"

using namespace edit_test;

namespace {

using Texts_ = std::vector<AnsiString>;

class EditingTest : public ::testing::Test {
protected:
  TUVStyle style{nullptr};
  TUVWindowlessEditData doc{&style};

  void SetUp() override { SetUpStyles(style); }

  void Format() { doc.FormatDefault(false); }
  TUVGraphicItemInfo* Picture() {
    auto* bitmap = new TBitmap();
    bitmap->SetSize(16, 16);
    return new TUVGraphicItemInfo(&doc, bitmap, 0);
  }
  void Select(Integer StartItem, Integer StartOffs, Integer EndItem, Integer EndOffs) {
    doc.SetSelectionBounds(StartItem, StartOffs, EndItem, EndOffs);
  }
  // The document is whole, laid out as a full format would, and undoing the last action gives
  // back Before (redoing it gives back the edited document).
  void ExpectSoundAndUndoable(const std::vector<std::string>& Before) {
    EXPECT_EQ(CheckInvariants(doc), "");
    EXPECT_EQ(CheckLayout(doc), "");
    std::vector<std::string> after = Snapshot(doc);
    ASSERT_GT(doc.UndoList->GetCount(), 0);
    while (doc.UndoList->GetCount() > 0) Undo(doc);
    EXPECT_EQ(Snapshot(doc), Before);
    EXPECT_EQ(CheckLayout(doc), "");
    while (doc.RedoList->GetCount() > 0) Redo(doc);
    EXPECT_EQ(Snapshot(doc), after);
    EXPECT_EQ(CheckLayout(doc), "");
  }
  Integer Caret() { return doc.GetOffsetInCurItem(); }
};

// --- Typing and inserting ------------------------------------------------------------------------

TEST_F(EditingTest, TypingAfterAPictureGoesIntoTheTextThatFollowsInItsStyle) {
  doc.AddNL("ab", tsBig, psNormal);
  doc.AddItem("pic", Picture());
  doc.Add("cd", tsNormal);
  Format();
  auto before = Snapshot(doc);
  SetCaret(doc, 1, 1);
  doc.SetCurrentTextStyle(tsNormal);
  TypeChar(doc, 'x');
  EXPECT_EQ(Texts(doc), (Texts_{"ab", "pic", "xcd"}));
  EXPECT_EQ(doc.GetCurItemNo(), 2);
  EXPECT_EQ(Caret(), 2);
  // In another style a new item goes after the picture.
  doc.SetCurrentTextStyle(tsSmall);
  SetCaret(doc, 1, 1);
  doc.SetCurrentTextStyle(tsSmall);
  TypeChar(doc, 'y');
  EXPECT_EQ(Texts(doc), (Texts_{"ab", "pic", "y", "xcd"}));
  EXPECT_EQ(doc.GetItemStyle(2), tsSmall);
  ExpectSoundAndUndoable(before);
}

TEST_F(EditingTest, ProtectedAndStickingTextRefusesAndChangesNothing) {
  doc.AddNL("keep", tsModifyProtected, psNormal);
  doc.AddNL("one", tsSticking, psNormal);
  doc.Add("two", tsSticking);
  doc.AddNL("whole", tsDeleteProtected, psNormal);
  doc.AddNL("start", tsParaStartProtected, psNormal);
  doc.AddNL("locked", tsNormal, psReadOnly);
  doc.AddNL("plain", tsNormal, psNoReturns);
  Format();
  // An action already recorded, to see that refusals leave the list as it is.
  SetCaret(doc, 6, 6);
  TypeChar(doc, 's');
  struct Case {
    const char* what;
    std::function<void()> edit;
  } cases[] = {
      {"typing inside modify-protected text", [&] { SetCaret(doc, 0, 3), TypeChar(doc, 'x'); }},
      {"Return inside modify-protected text", [&] { SetCaret(doc, 0, 3), PressReturn(doc); }},
      {"a character out of modify-protected text", [&] { SetCaret(doc, 0, 3), PressBackspace(doc); }},
      {"a part of modify-protected text", [&] { Select(0, 2, 0, 4), PressDelete(doc); }},
      {"inserting between sticking items", [&] { SetCaret(doc, 1, 4), InsertItem(doc, "pic", Picture()); }},
      {"text between sticking items", [&] { SetCaret(doc, 2, 1), InsertText(doc, "x"); }},
      {"delete-protected text as a whole", [&] { Select(3, 1, 3, 6), PressDelete(doc); }},
      {"joining a paragraph-start-protected paragraph", [&] { SetCaret(doc, 4, 1), PressBackspace(doc); }},
      {"typing in a read-only paragraph", [&] { SetCaret(doc, 5, 3), TypeChar(doc, 'x'); }},
      {"deleting in a read-only paragraph", [&] { SetCaret(doc, 5, 3), PressDelete(doc); }},
      {"Return where returns are not wanted", [&] { SetCaret(doc, 6, 3), PressReturn(doc); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    std::vector<std::string> before = Snapshot(doc);
    Integer actions = doc.UndoList->GetCount();
    TUVUndoInfos* last = doc.UndoList->LastAction();
    Integer records = last->GetCount();
    Integer beeps = doc.Beeps;
    c.edit();
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_EQ(doc.UndoList->GetCount(), actions);
    EXPECT_EQ(doc.UndoList->LastAction(), last);
    EXPECT_EQ(last->GetCount(), records);
    EXPECT_GT(doc.Beeps, beeps);
  }
  // What protection allows: a delete-protected text loses characters, a modify-protected one
  // goes whole, a new item at the end of modify-protected text.
  Select(3, 2, 3, 4);
  PressDelete(doc);
  EXPECT_EQ(doc.GetItemText(3), "wle");
  SetCaret(doc, 0, 5);
  TypeChar(doc, '!');
  EXPECT_EQ(doc.GetItemText(0), "keep");
  EXPECT_EQ(doc.GetItemText(1), "!");
  Select(0, 1, 0, 5);
  PressDelete(doc);
  EXPECT_EQ(doc.GetItemText(0), "!");
  EXPECT_EQ(CheckInvariants(doc), "");
}

TEST_F(EditingTest, AFullLineItemInsideATextSplitsItIntoParagraphs) {
  doc.AddNL("abcdef", tsNormal, psCentered);
  Format();
  auto before = Snapshot(doc);
  SetCaret(doc, 0, 4);
  ASSERT_TRUE(InsertItem(doc, "", new TUVBreakItemInfo(&doc)));
  EXPECT_EQ(Texts(doc), (Texts_{"abc", "", "def"}));
  EXPECT_EQ(doc.GetItemStyle(1), uvsBreak);
  EXPECT_TRUE(doc.IsParaStart(1));
  EXPECT_TRUE(doc.IsParaStart(2));
  EXPECT_EQ(doc.GetItemPara(2), psCentered);
  ExpectSoundAndUndoable(before);
}

TEST_F(EditingTest, APictureReplacesAnEmptyParagraphAndKeepsItsPageBreak) {
  doc.AddNL("text", tsNormal, psNormal);
  doc.AddNL("", tsNormal, psNormal);
  doc.SetPageBreakBefore(1, true);
  Format();
  auto before = Snapshot(doc);
  SetCaret(doc, 1, 1);
  ASSERT_TRUE(InsertItem(doc, "pic", Picture()));
  ASSERT_EQ(doc.GetItemCount(), 2);
  EXPECT_EQ(doc.GetItemStyle(1), uvsPicture);
  EXPECT_TRUE(doc.GetPageBreakBefore(1));
  EXPECT_TRUE(doc.IsParaStart(1));
  ExpectSoundAndUndoable(before);
}

TEST_F(EditingTest, TextWithLineBreaksBecomesParagraphs) {
  struct {
    const char* what;
    std::function<bool()> insert;
    Texts_ texts;
    std::vector<Byte> options;
  } cases[] = {
      {"CR LF", [&] { return doc.InsertTextA("a\r\nb\r\n", false); }, {"Xa", "b", "Y"}, {0, 0, 0}},
      {"lone CR and LF", [&] { return doc.InsertTextA("a\rb\nc", false); }, {"Xa", "b", "cY"}, {0, 0, 0}},
      {"tabs", [&] { return doc.InsertTextA("a\tb", false); }, {"Xa        bY"}, {0}},
      {"UTF-16 separators",
       [&] { return doc.InsertTextW(WideString(L"a\x2028" L"b\x2029" L"c\r\nd\n\re\x000C" L"f"), false); },
       {"Xa", "b", "c", "d", "e", "fY"},
       {0, uvioBR, 0, 0, 0, uvioPageBreakBefore}},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.what);
    doc.Clear();
    doc.AddNL("XY", tsNormal, psNormal);
    Format();
    auto before = Snapshot(doc);
    SetCaret(doc, 0, 2);
    doc.OpenUndoAction(uvutInsert);
    ASSERT_TRUE(c.insert());
    EXPECT_EQ(Texts(doc), c.texts);
    std::vector<Byte> options;
    for (Integer i = 0; i < doc.GetItemCount(); ++i) options.push_back(doc.GetItemOptions(i));
    EXPECT_EQ(options, c.options);
    EXPECT_EQ(doc.GetCurItemNo(), doc.GetItemCount() - 1);
    ExpectSoundAndUndoable(before);
  }
}

TEST_F(EditingTest, ReturnSplitsAndChoosesTheNextStyles) {
  style.GetParaStyles()->GetItem(psCentered)->NextParaNo = psSpaced;
  style.GetTextStyles()->GetItem(tsBig)->NextStyleNo = tsSmall;
  doc.AddNL("head", tsBig, psCentered);
  doc.AddNL("body text", tsNormal, psNormal);
  Format();
  auto before = Snapshot(doc);
  // At the end of a paragraph: the next styles.
  SetCaret(doc, 0, 5);
  PressReturn(doc);
  EXPECT_EQ(Texts(doc), (Texts_{"head", "", "body text"}));
  EXPECT_EQ(doc.GetItemPara(1), psSpaced);
  EXPECT_EQ(doc.GetItemStyle(1), tsSmall);
  EXPECT_EQ(doc.GetCurItemNo(), 1);
  // Inside a text: the tail begins a paragraph of the same style; the caret goes with it.
  SetCaret(doc, 2, 5);
  PressReturn(doc);
  EXPECT_EQ(Texts(doc), (Texts_{"head", "", "body", " text"}));
  EXPECT_EQ(doc.GetItemPara(3), psNormal);
  EXPECT_EQ(doc.GetCurItemNo(), 3);
  EXPECT_EQ(Caret(), 1);
  // Shift+Return breaks the line and changes no style.
  Integer text = doc.CurTextStyleNo, para = doc.CurParaStyleNo;
  SetCaret(doc, 0, 3);
  PressReturn(doc, true);
  EXPECT_EQ(Texts(doc), (Texts_{"he", "ad", "", "body", " text"}));
  EXPECT_EQ(doc.GetItemOptions(1), uvioBR);
  EXPECT_EQ(doc.GetItemPara(1), psCentered);
  (void)text;
  (void)para;
  ExpectSoundAndUndoable(before);
}

// --- Deleting -----------------------------------------------------------------------------------

TEST_F(EditingTest, DeletingAcrossParagraphsKeepsTheFirstParagraphsStyle) {
  doc.AddNL("first one", tsNormal, psCentered);
  doc.AddNL("second one", tsBig, psRight);
  doc.AddNL("third", tsNormal, psNormal);
  Format();
  auto before = Snapshot(doc);
  Select(0, 4, 1, 5);
  PressDelete(doc);
  EXPECT_EQ(Texts(doc), (Texts_{"fir", "nd one", "third"}));
  EXPECT_FALSE(doc.IsParaStart(1));
  EXPECT_EQ(doc.GetItemPara(1), psCentered);
  EXPECT_EQ(doc.GetCurItemNo(), 0);
  EXPECT_EQ(Caret(), 4);
  ExpectSoundAndUndoable(before);
}

TEST_F(EditingTest, DeletingAWholeParagraphLeavesAnEmptyOneOfItsStyle) {
  doc.AddNL("first", tsNormal, psNormal);
  doc.AddNL("second", tsBig, psRight);
  doc.AddNL("third", tsNormal, psNormal);
  Format();
  auto before = Snapshot(doc);
  Select(1, 1, 1, 7);
  doc.SetCurrentTextStyle(tsBig);
  PressBackspace(doc);
  EXPECT_EQ(Texts(doc), (Texts_{"first", "", "third"}));
  EXPECT_EQ(doc.GetItemPara(1), psRight);
  EXPECT_TRUE(doc.IsParaStart(1));
  ExpectSoundAndUndoable(before);
}

TEST_F(EditingTest, BackspaceAtAParagraphStart) {
  doc.AddNL("one", tsNormal, psNormal);
  doc.AddNL("two", tsNormal, psCentered);
  doc.SetPageBreakBefore(1, true);
  auto* marker = new TUVMarkerItemInfo(&doc, 0, 0, 1, false);
  marker->ParaNo = psNormal;
  doc.AddItem("", marker);
  doc.AddTextItem("three", tsNormal, -1);
  Format();
  auto before = Snapshot(doc);
  // A page break goes first, alone.
  SetCaret(doc, 1, 1);
  PressBackspace(doc);
  EXPECT_EQ(Texts(doc), (Texts_{"one", "two", "", "three"}));
  EXPECT_FALSE(doc.GetPageBreakBefore(1));
  // Then the paragraph joins the one before and the texts merge.
  PressBackspace(doc);
  EXPECT_EQ(Texts(doc), (Texts_{"onetwo", "", "three"}));
  EXPECT_EQ(Caret(), 4);
  // A list paragraph leaves its list, then joins.
  SetCaret(doc, 2, 1);
  PressBackspace(doc);
  EXPECT_EQ(Texts(doc), (Texts_{"onetwo", "three"}));
  EXPECT_EQ(doc.GetMarkers(false), nullptr);
  EXPECT_TRUE(doc.IsParaStart(1));
  PressBackspace(doc);
  EXPECT_EQ(Texts(doc), (Texts_{"onetwothree"}));
  ExpectSoundAndUndoable(before);
}

TEST_F(EditingTest, DeleteBeforeAFullLineItemOnlyMovesTheCaret) {
  doc.AddNL("abc", tsNormal, psNormal);
  doc.AddItem("", new TUVBreakItemInfo(&doc));
  doc.GetItem(1)->ParaNo = 0;
  doc.AddNL("def", tsNormal, psNormal);
  Format();
  auto before = Snapshot(doc);
  SetCaret(doc, 0, 4);
  PressDelete(doc);
  EXPECT_EQ(Snapshot(doc), before);
  EXPECT_EQ(doc.GetCurItemNo(), 1);
}

TEST_F(EditingTest, CtrlDeletesAWordAtATime) {
  struct {
    Integer caret;
    bool backspace;
    AnsiString left;
    Integer caretAfter;
  } cases[] = {
      {8, true, "abc  ghi", 5},    // the word before the caret
      {12, true, "abc def ", 9},
      {6, true, "abc ef ghi", 5},  // from inside a word, its start
      {1, false, "def ghi", 1},    // the word and the space after it
      {3, false, "abdef ghi", 3},  // from inside a word, to the next word
      {5, false, "abc ghi", 5},
  };
  for (auto& c : cases) {
    doc.Clear();
    doc.AddNL("abc def ghi", tsNormal, psNormal);
    Format();
    SetCaret(doc, 0, c.caret);
    if (c.backspace)
      PressBackspace(doc, true);
    else
      PressDelete(doc, true);
    EXPECT_EQ(doc.GetItemText(0), c.left) << c.caret << c.backspace;
    EXPECT_EQ(Caret(), c.caretAfter) << c.caret << c.backspace;
  }
}

TEST_F(EditingTest, ACharacterOfTwoUnitsGoesWhole) {
  AnsiString wide = AnsiString("a\0b\0", 4) + AnsiString("\x3D\xD8\x00\xDE", 4) + AnsiString("c\0", 2);
  struct {
    const char* what;
    Integer caret;
    bool backspace;
    AnsiString left;
  } cases[] = {
      {"Delete before the pair", 3, false, AnsiString("a\0b\0c\0", 6)},
      {"Backspace after the pair", 5, true, AnsiString("a\0b\0c\0", 6)},
      {"Backspace after a plain character", 3, true, AnsiString("a\0", 2) + AnsiString("\x3D\xD8\x00\xDE", 4) + AnsiString("c\0", 2)},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.what);
    doc.Clear();
    doc.AddNL(wide, tsUnicode, psNormal);
    Format();
    SetCaret(doc, 0, c.caret);
    if (c.backspace)
      PressBackspace(doc);
    else
      PressDelete(doc);
    EXPECT_EQ(doc.GetItemText(0), c.left);
  }
}

// --- Styles -----------------------------------------------------------------------------------

TEST_F(EditingTest, ConvertingPartOfATextSplitsItAndConvertingBackMergesIt) {
  doc.AddNL("abcdef", tsNormal, psNormal);
  Format();
  auto before = Snapshot(doc);
  Integer target = tsBig;
  doc.OnStyleConversion = [&](Integer, Integer, bool, Integer& NewStyleNo) { NewStyleNo = target; };
  Select(0, 3, 0, 5);
  ConvertTextStyles(doc, 0);
  EXPECT_EQ(Texts(doc), (Texts_{"ab", "cd", "ef"}));
  EXPECT_EQ(doc.GetItemStyle(1), tsBig);
  EXPECT_EQ(doc.CurTextStyleNo, tsBig);
  Integer si, so, ei, eo;
  doc.GetSelectionItemBounds(true, si, so, ei, eo);
  EXPECT_EQ(si, 1);
  EXPECT_EQ(ei, 1);
  target = tsNormal;
  ConvertTextStyles(doc, 0);
  EXPECT_EQ(Texts(doc), (Texts_{"abcdef"}));
  ExpectSoundAndUndoable(before);
}

TEST_F(EditingTest, ConvertedPartsLoseTheirTagsAndChangeTheirEncoding) {
  doc.AddNL("ab", tsNormal, psNormal);
  doc.GetItem(0)->Tag = 5;
  doc.Add("cd", tsBig);
  doc.GetItem(1)->Tag = 6;
  Format();
  auto before = Snapshot(doc);
  // Only style tsNormal changes, into the Unicode style.
  doc.OnStyleConversion = [](Integer StyleNo, Integer, bool, Integer& NewStyleNo) {
    if (StyleNo == tsNormal) NewStyleNo = tsUnicode;
  };
  doc.SelectAll();
  ConvertTextStyles(doc, 0);
  EXPECT_EQ(doc.GetItemStyle(0), tsUnicode);
  EXPECT_EQ(doc.GetItemText(0), AnsiString("a\0b\0", 4));
  EXPECT_EQ(doc.GetItem(0)->Tag, 0);
  EXPECT_EQ(doc.GetItem(1)->Tag, 6);
  ExpectSoundAndUndoable(before);
  // And back, a character the code page lacks becoming "?".
  doc.Clear();
  doc.AddNL(AnsiString("a\0\x3B\x04", 4), tsUnicode, psNormal);
  Format();
  doc.OnStyleConversion = [](Integer, Integer, bool, Integer& NewStyleNo) { NewStyleNo = tsNormal; };
  doc.SelectAll();
  ConvertTextStyles(doc, 0);
  EXPECT_EQ(doc.GetItemText(0), "a?");
  EXPECT_FALSE(doc.GetItem(0)->IsUnicode());
}

TEST_F(EditingTest, AConversionWithoutSelectionChangesTheCurrentStyleOrAnEmptyItem) {
  doc.AddNL("text", tsNormal, psNormal);
  doc.AddNL("", tsNormal, psNormal);
  Format();
  doc.OnStyleConversion = [](Integer, Integer, bool, Integer& NewStyleNo) { NewStyleNo = tsBig; };
  SetCaret(doc, 0, 3);
  auto before = Snapshot(doc);
  ConvertTextStyles(doc, 0);
  EXPECT_EQ(Snapshot(doc), before);
  EXPECT_EQ(doc.CurTextStyleNo, tsBig);
  EXPECT_EQ(doc.UndoList->GetCount(), 0);
  SetCaret(doc, 1, 1);
  ConvertTextStyles(doc, 0);
  EXPECT_EQ(doc.GetItemStyle(1), tsBig);
  EXPECT_EQ(doc.UndoList->LastUndoType(), uvutStyleNo);
  ExpectSoundAndUndoable(before);
}

TEST_F(EditingTest, AProtectedParagraphStyleStaysWhereItStartsAParagraph) {
  doc.AddNL("one", tsNormal, psStyleProtected);
  doc.AddNL("two", tsNormal, psNormal);
  Format();
  doc.SelectAll();
  ApplyParagraphStyle(doc, psRight);
  EXPECT_EQ(doc.GetItemPara(0), psStyleProtected);
  EXPECT_EQ(doc.GetItemPara(1), psRight);
  EXPECT_EQ(CheckLayout(doc), "");
}

// --- Streams at the caret -----------------------------------------------------------------------

class StreamTest : public EditingTest {
protected:
  // UVF of a small document built by Build.
  std::unique_ptr<TMemoryStream> UVF(const std::function<void(TUVWindowlessData&)>& Build) {
    TUVWindowlessData source(&style);
    Build(source);
    auto stream = std::make_unique<TMemoryStream>();
    EXPECT_TRUE(source.SaveUVFToStream(stream.get(), false, clNone, nullptr, nullptr));
    stream->SetPosition(0);
    return stream;
  }
};

TEST_F(StreamTest, UVFOfTheSameStyleMergesIntoTheTextAtTheCaret) {
  doc.AddNL("abcdef", tsNormal, psNormal);
  Format();
  auto before = Snapshot(doc);
  auto stream = UVF([](TUVWindowlessData& d) { d.AddNL("XY", tsNormal, psCentered); });
  SetCaret(doc, 0, 4);
  ASSERT_TRUE(InsertUVF(doc, stream.get()));
  EXPECT_EQ(Texts(doc), (Texts_{"abcXYdef"}));
  EXPECT_EQ(doc.GetItemPara(0), psNormal);
  EXPECT_EQ(Caret(), 6);
  ExpectSoundAndUndoable(before);
}

TEST_F(StreamTest, UVFAtAnItemsEndFollowsItAndAtItsStartPrecedesIt) {
  auto source = [](TUVWindowlessData& d) {
    d.AddNL("one", tsBig, psNormal);
    d.AddNL("two", tsSmall, psNormal);
  };
  doc.AddNL("abc", tsNormal, psNormal);
  Format();
  auto before = Snapshot(doc);
  auto atEnd = UVF(source);
  SetCaret(doc, 0, 4);
  ASSERT_TRUE(InsertUVF(doc, atEnd.get()));
  EXPECT_EQ(Texts(doc), (Texts_{"abc", "one", "two"}));
  EXPECT_FALSE(doc.IsParaStart(1));
  EXPECT_TRUE(doc.IsParaStart(2));
  EXPECT_EQ(doc.GetCurItemNo(), 2);
  EXPECT_EQ(Caret(), 4);
  ExpectSoundAndUndoable(before);

  doc.Clear();
  doc.AddNL("abc", tsNormal, psNormal);
  Format();
  before = Snapshot(doc);
  auto atStart = UVF(source);
  SetCaret(doc, 0, 1);
  ASSERT_TRUE(InsertUVF(doc, atStart.get()));
  EXPECT_EQ(Texts(doc), (Texts_{"one", "two", "abc"}));
  EXPECT_TRUE(doc.IsParaStart(0));
  EXPECT_FALSE(doc.IsParaStart(2));
  ExpectSoundAndUndoable(before);
}

TEST_F(StreamTest, CheckpointsOfTheStreamAreChainedUndoably) {
  doc.AddNL("abc", tsNormal, psNormal);
  Format();
  auto before = Snapshot(doc);
  auto stream = UVF([](TUVWindowlessData& d) {
    d.AddNL("one", tsBig, psNormal);
    d.AddNamedCheckpointExTag("mark", true, 0);
    d.AddNL("two", tsBig, psNormal);
  });
  SetCaret(doc, 0, 4);
  ASSERT_TRUE(InsertUVF(doc, stream.get()));
  ASSERT_EQ(doc.CPCount, 1);
  EXPECT_EQ(doc.FirstCP->Name, "mark");
  ExpectSoundAndUndoable(before);
}

TEST_F(StreamTest, RTFIsReadAtTheCaretThroughTheControlsProperties) {
  doc.AddNL("abcdef", tsNormal, psNormal);
  Format();
  EXPECT_FALSE(doc.InsertRTFAtCaret(nullptr));  // no properties without a control
  TUVRTFReaderProperties properties;
  properties.TextStyleMode = uvrsUseSpecified;
  properties.ParaStyleMode = uvrsUseSpecified;
  properties.SetTextStyleNo(tsNormal);
  doc.RTFReadProperties = &properties;
  auto before = Snapshot(doc);
  TStringStream rtf(R"({\rtf1\ansi{\fonttbl{\f0 Arial;}}\f0 XY})");
  SetCaret(doc, 0, 4);
  ASSERT_TRUE(InsertRTF(doc, &rtf));
  EXPECT_EQ(Texts(doc), (Texts_{"abcXYdef"}));
  EXPECT_EQ(Caret(), 6);
  ExpectSoundAndUndoable(before);
  doc.RTFReadProperties = nullptr;
}

// --- Bookkeeping ------------------------------------------------------------------------------

TEST_F(EditingTest, DeletingAListParagraphRenumbersTheRestOfTheList) {
  // Eleven paragraphs, so that the last number loses a digit and its marker narrows.
  for (Integer i = 0; i < 11; ++i) {
    auto* marker = new TUVMarkerItemInfo(&doc, 0, 0, 1, false);
    marker->ParaNo = psNormal;
    doc.AddItem("", marker);
    doc.AddTextItem("item " + IntToStr(i + 1), tsNormal, -1);
  }
  Format();
  auto before = Snapshot(doc);
  auto* last = static_cast<TUVMarkerItemInfo*>(doc.GetItem(20));
  EXPECT_EQ(last->DisplayString, "11.");
  Select(1, 1, 3, 7);
  PressDelete(doc);
  EXPECT_EQ(last->DisplayString, "10.");
  EXPECT_EQ(CheckLayout(doc), "");
  ExpectSoundAndUndoable(before);
  EXPECT_EQ(last->DisplayString, "10.");
}

TEST_F(EditingTest, AMarkerAloneOnItsLineKeepsTheCaret) {
  doc.AddNL("first", tsNormal, psCentered);
  auto* marker = new TUVMarkerItemInfo(&doc, 0, 0, 1, false);
  marker->ParaNo = psNormal;
  doc.AddItem("", marker);
  Format();
  auto before = Snapshot(doc);
  SetCaret(doc, 1, 1);
  EXPECT_EQ(doc.GetCurItemNo(), 1);
  EXPECT_EQ(doc.GetOffsetInCurItem(), 1);
  // Typing there writes into the list paragraph.
  TypeChar(doc, 'a');
  EXPECT_EQ(Texts(doc), (Texts_{"first", "", "a"}));
  EXPECT_FALSE(doc.IsParaStart(2));
  ExpectSoundAndUndoable(before);
  // Backspace before the marker takes the paragraph out of its list.
  Undo(doc);
  SetCaret(doc, 1, 0);
  PressBackspace(doc);
  EXPECT_EQ(Texts(doc), (Texts_{"first", ""}));
  EXPECT_EQ(doc.GetItemStyle(1), tsNormal);
  EXPECT_EQ(doc.GetMarkers(false), nullptr);
  EXPECT_EQ(CheckInvariants(doc), "");
}

TEST_F(EditingTest, UnusedStylesGoWhileTheCurrentOnesStay) {
  doc.AddNL("text", tsSmall, psNormal);
  Format();
  SetCaret(doc, 0, 2);
  TypeChar(doc, 'x');
  doc.SetCurrentTextStyle(tsBig);
  TUVStyleUsage used;
  TUVIntegerList text, para;
  for (Integer i = 0; i < style.GetTextStyles()->GetCount(); ++i) text.Add(0);
  for (Integer i = 0; i < style.GetParaStyles()->GetCount(); ++i) para.Add(0);
  used.TextStyles = &text;
  used.ParaStyles = &para;
  doc.MarkUsedStyles(used);
  EXPECT_EQ(text.Get(tsSmall), 1);
  EXPECT_EQ(text.Get(tsBig), 1);
  EXPECT_EQ(text.Get(tsNormal), 0);
  // Style 0 goes: every later style moves one down.
  for (Integer i = 0; i < text.GetCount(); ++i) text.Put(i, i > 0 ? 1 : 0);
  for (Integer i = 0; i < para.GetCount(); ++i) para.Put(i, 0);
  Integer notices = doc.TextStyleChanges;
  doc.RenumberStyles(used);
  EXPECT_EQ(doc.CurTextStyleNo, tsBig - 1);
  EXPECT_EQ(doc.GetItemStyle(0), tsSmall - 1);
  EXPECT_EQ(doc.UndoList->GetCount(), 0);
  EXPECT_EQ(doc.TextStyleChanges, notices + 1);
}

TEST_F(EditingTest, HyperlinksAreActiveOnlyInHyperlinkModeAndWhileWriting) {
  doc.AddNL("see ", tsNormal, psNormal);
  doc.Add("here", tsJump);
  Format();
  EXPECT_EQ(doc.Jumps->GetCount(), 0);
  doc.EnableJumps(false);
  EXPECT_EQ(doc.Jumps->GetCount(), 1);
  EXPECT_TRUE(doc.GetFlags() & uvflBuildJumps);
  doc.DisableJumps();
  EXPECT_EQ(doc.Jumps->GetCount(), 0);
  EXPECT_FALSE(doc.GetFlags() & uvflBuildJumps);
  // A root editor's writers number the hyperlinks for the write and drop them again.
  TMemoryStream rtf;
  EXPECT_TRUE(doc.SaveRTFToStream(&rtf, false, clNone));
  EXPECT_EQ(doc.Jumps->GetCount(), 0);
  EXPECT_FALSE(doc.GetFlags() & uvflBuildJumps);
  // A read-only editor keeps them unless forced.
  doc.ReadOnly = true;
  doc.EnableJumps(false);
  EXPECT_EQ(doc.Jumps->GetCount(), 0);
  doc.EnableJumps(true);
  EXPECT_EQ(doc.Jumps->GetCount(), 1);
}

TEST_F(EditingTest, WithoutASelectionTheWritersRangeIsTheCaret) {
  doc.AddNL("abc", tsNormal, psNormal);
  Format();
  SetCaret(doc, 0, 3);
  Integer si, so, ei, eo;
  TCustomUVItemInfo *sp, *ep;
  doc.GetSelectionBoundsEx(si, so, ei, eo, sp, ep, true);
  EXPECT_EQ(si, 0);
  EXPECT_EQ(so, 3);
  EXPECT_EQ(ei, 0);
  EXPECT_EQ(eo, 3);
}

TEST_F(EditingTest, AClearedDocumentIsNoLongerModifiedAndHasNothingToUndo) {
  doc.AddNL("abc", tsNormal, psNormal);
  Format();
  SetCaret(doc, 0, 2);
  TypeChar(doc, 'x');
  EXPECT_TRUE(doc.Modified);
  doc.Clear();
  EXPECT_FALSE(doc.Modified);
  EXPECT_EQ(doc.UndoList->GetCount(), 0);
  EXPECT_EQ(doc.CaretDrawItemNo, -1);
}

TEST_F(EditingTest, AnItemThatGrewInsideIsLaidOutAgainWithTheDocumentIfItBecameTheWidest) {
  doc.ClientWidth = 200;
  doc.AddNL("abc", tsNormal, psNormal);
  TUVGraphicItemInfo* picture = Picture();
  picture->ParaNo = -1;
  doc.AddItem("pic", picture);
  doc.AddNL("after", tsNormal, psNormal);
  Format();
  for (Integer width : {60, 400, 30}) {
    Integer old = doc.GetParaSectionMinWidth(1);
    picture->ImageWidth = width;
    doc.ReformatItemIfWider(1, old);
    EXPECT_EQ(CheckLayout(doc), "") << width;
  }
}

TEST_F(EditingTest, TheCaretHearsWhenAnItemTakesOrLosesTheSelection) {
  doc.AddNL("abc", tsNormal, psNormal);
  TUVGraphicItemInfo* picture = Picture();
  picture->ParaNo = -1;
  doc.AddItem("pic", picture);
  Format();
  Integer moves = doc.CaretMoves;
  doc.SetPartialSelectedItem(picture);
  EXPECT_EQ(doc.CaretMoves, moves + 1);
  EXPECT_EQ(doc.GetCurItemNo(), 1);  // the item holding the selection holds the caret
  EXPECT_EQ(doc.GetOffsetInCurItem(), 1);
  doc.ReleasePartialSelection(nullptr);
  EXPECT_EQ(doc.CaretMoves, moves + 2);
  EXPECT_EQ(doc.PartialSelectedItem, nullptr);
}

}  // namespace
