// The undo and redo lists, and the records the editing primitives leave in them.
#include "classlib/TypInfo.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/tests/support/EditTestSupport.h"
#include "tests/support/TestSupport.h"

using namespace edit_test;

namespace {

class UndoTest : public ::testing::Test {
protected:
  TUVStyle style{nullptr};
  TUVWindowlessEditData doc{&style};

  void SetUp() override { SetUpStyles(style); }

  void Build(std::initializer_list<const char*> Paragraphs) {
    for (const char* text : Paragraphs) doc.AddNL(text, tsNormal, psNormal);
    doc.FormatDefault(false);
  }
  std::vector<std::string> Kinds(TUVUndoList* List) {
    std::vector<std::string> kinds;
    TUVUndoInfos* action = List->LastAction();
    for (Integer i = 0; action && i < action->GetCount(); ++i) kinds.push_back(action->GetRecord(i)->ClassName());
    return kinds;
  }
};

// --- The list's own rules -----------------------------------------------------------------------

TEST_F(UndoTest, ActionsAreOpenedJoinedLimitedAndDropped) {
  TUVUndoList list;
  EXPECT_EQ(list.GetLimit(), -1);
  EXPECT_TRUE(list.AddUndoAction(uvutInsert, "first", 1, 0));
  EXPECT_EQ(list.LastUndoType(), uvutInsert);
  // An empty last action gives way and hands its name and caret to the next.
  EXPECT_TRUE(list.AddUndoAction(uvutDelete, "second", 5, 2));
  ASSERT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.LastAction()->UndoType, uvutDelete);
  EXPECT_EQ(list.LastAction()->Caption, "first");
  EXPECT_EQ(list.LastAction()->CaretOffs, 1);
  list.AppendRecord(new TUVUndoTagInfo());
  // While a group is open, records join the last action.
  ++list.GroupCounter;
  EXPECT_TRUE(list.AddUndoAction(uvutPara, "", 0, 0));
  EXPECT_EQ(list.GetCount(), 1);
  --list.GroupCounter;
  list.AddUndoAction(uvutPara, "", 0, 0);
  EXPECT_EQ(list.GetCount(), 2);
  list.DropEmptyLast();
  EXPECT_EQ(list.GetCount(), 1);

  // With limit 3 a fourth action drops the oldest; lowering the limit trims at once.
  list.SetLimit(3);
  for (Integer i = 0; i < 3; ++i) {
    list.AddUndoAction(uvutInsert, "a" + IntToStr(i), 0, 0);
    list.AppendRecord(new TUVUndoTagInfo());
  }
  ASSERT_EQ(list.GetCount(), 3);
  EXPECT_EQ(list.GetAction(0)->Caption, "a0");
  // An empty last action goes before a real one is dropped.
  list.AddUndoAction(uvutInsert, "empty", 0, 0);
  list.AddUndoAction(uvutInsert, "a3", 0, 0);
  EXPECT_EQ(list.GetAction(0)->Caption, "a1");
  list.SetLimit(1);
  ASSERT_EQ(list.GetCount(), 1);
  EXPECT_EQ(list.GetAction(0)->Caption, "empty");
  list.SetLimit(0);
  EXPECT_EQ(list.GetCount(), 0);
  EXPECT_FALSE(list.AddUndoAction(uvutInsert, "", 0, 0));
}

TEST_F(UndoTest, MisuseRaisesTheLibrarysMessages) {
  struct {
    std::function<void()> call;
    const char* message;
  } cases[] = {
      {[&] { doc.UndoList->Undo(&doc); }, "Undo buffer is empty"},
      {[&] { doc.RedoList->Redo(&doc); }, "Undo buffer is empty"},
      {[&] { TUVUndoList().AppendRecord(new TUVUndoTagInfo()); }, "Can't modify empty undo list"},
      {[&] {
         TUVUndoList list;
         list.AppendTyping(0, 1, false);
         list.AppendRecord(new TUVUndoTagInfo());
       },
       "Incorrect adding into undo list"},
      {[&] { doc.UndoableInsertSubstring(5, 1, "x"); }, "Undo error"},
      {[&] { doc.UndoableDeleteCheckpoint(0); }, "Checkpoint error"},
      {[&] {
         doc.UndoableAddCheckpoint(0, new TUVCPInfo());
         doc.UndoableAddCheckpoint(0, new TUVCPInfo());
       },
       "Checkpoint error"},
  };
  Build({"text"});
  for (auto& c : cases) {
    try {
      c.call();
      ADD_FAILURE() << "no exception for " << c.message;
    } catch (const EUzurUvadError& e) {
      EXPECT_EQ(e.Message, c.message);
    }
  }
}

// --- Typing -----------------------------------------------------------------------------------

TEST_F(UndoTest, TypedCharactersJoinAndGoBackOneByOne) {
  Build({"xy"});
  SetCaret(doc, 0, 2);
  for (char c : {'a', 'b', 'c'}) TypeChar(doc, c);
  EXPECT_EQ(doc.GetItemText(0), "xabcy");
  ASSERT_EQ(doc.UndoList->GetCount(), 1);
  EXPECT_EQ(doc.UndoList->LastUndoType(), uvutTyping);
  const char* afterUndo[] = {"xaby", "xay", "xy"};
  for (const char* text : afterUndo) {
    Undo(doc);
    EXPECT_EQ(doc.GetItemText(0), text);
    EXPECT_EQ(doc.GetOffsetInCurItem(), static_cast<Integer>(strlen(text)));  // where the character was
  }
  EXPECT_EQ(doc.UndoList->GetCount(), 0);
  ASSERT_EQ(doc.RedoList->GetCount(), 1);
  const char* afterRedo[] = {"xay", "xaby", "xabcy"};
  for (const char* text : afterRedo) {
    Redo(doc);
    EXPECT_EQ(doc.GetItemText(0), text);
    EXPECT_EQ(doc.GetOffsetInCurItem(), static_cast<Integer>(strlen(text)));  // after it
  }
  EXPECT_EQ(doc.RedoList->GetCount(), 0);
  EXPECT_EQ(doc.UndoList->GetCount(), 1);
}

TEST_F(UndoTest, TypingElsewhereInTheItemOpensAnotherAction) {
  Build({"abcdef"});
  SetCaret(doc, 0, 2);
  TypeChar(doc, 'x');
  SetCaret(doc, 0, 6);
  TypeChar(doc, 'y');
  EXPECT_EQ(doc.GetItemText(0), "axbcdyef");
  EXPECT_EQ(doc.UndoList->GetCount(), 2);
  // A new edit drops what could be redone.
  Undo(doc);
  EXPECT_EQ(doc.RedoList->GetCount(), 1);
  TypeChar(doc, 'z');
  EXPECT_EQ(doc.RedoList->GetCount(), 0);
}

TEST_F(UndoTest, TypingIntoAnEmptyItemOfAnotherParagraphStyleUndoesTheStyleToo) {
  Build({"text", ""});
  SetCaret(doc, 1, 1);
  doc.SetCurrentParaStyle(psCentered);
  TypeChar(doc, 'a');
  EXPECT_EQ(doc.GetItemPara(1), psCentered);
  Undo(doc);
  EXPECT_EQ(doc.GetItemText(1), "");
  EXPECT_EQ(doc.GetItemPara(1), psNormal);
  EXPECT_EQ(doc.UndoList->GetCount(), 0);
}

TEST_F(UndoTest, WithLimitZeroNothingIsRecordedButTheDocumentChanges) {
  Build({"abc"});
  doc.UndoList->SetLimit(0);
  SetCaret(doc, 0, 4);
  TypeChar(doc, 'd');
  PressReturn(doc);
  EXPECT_EQ(Texts(doc), (std::vector<AnsiString>{"abcd", ""}));
  EXPECT_EQ(doc.UndoList->GetCount(), 0);
  EXPECT_EQ(doc.RedoList->GetCount(), 0);
}

// --- Records of the primitives ---------------------------------------------------------------

TEST_F(UndoTest, DeletedCheckpointsAreRecordedBeforeTheirItemsAndComeBackAfterThem) {
  doc.AddNL("one", 0, 0);
  doc.AddNamedCheckpointExTag("two", true, 0);
  doc.AddNL("two", 0, 0);
  doc.AddNamedCheckpointExTag("three", false, 0);
  doc.AddNL("three", 0, 0);
  doc.FormatDefault(false);
  std::vector<std::string> before = Snapshot(doc);
  doc.OpenUndoAction(uvutDelete);
  bool full;
  doc.UndoableDeleteItems(1, 2, full);
  EXPECT_EQ(Kinds(doc.UndoList),
            (std::vector<std::string>{"TUVUndoDeleteCPInfo", "TUVUndoDeleteCPInfo", "TUVUndoDeleteItemsInfo"}));
  EXPECT_EQ(doc.CPCount, 0);
  EXPECT_EQ(doc.FirstCP, nullptr);
  Undo(doc);
  EXPECT_EQ(Snapshot(doc), before);
  EXPECT_EQ(CheckInvariants(doc), "");
  Redo(doc);
  EXPECT_EQ(Texts(doc), (std::vector<AnsiString>{"one"}));
  EXPECT_EQ(CheckInvariants(doc), "");
}

TEST_F(UndoTest, AStyleOfOtherEncodingFlipsOnlyTheUnicodeFlag) {
  Build({"ab"});
  doc.OpenUndoAction(uvutStyleNo);
  doc.UndoableChangeStyleNo(0, tsUnicode);
  EXPECT_TRUE(doc.GetItem(0)->IsUnicode());
  EXPECT_EQ(doc.GetItemText(0), "ab");  // the bytes are not converted here
  Undo(doc);
  EXPECT_FALSE(doc.GetItem(0)->IsUnicode());
  EXPECT_EQ(doc.GetItemStyle(0), tsNormal);
}

TEST_F(UndoTest, TagsAreRecordedOnlyWhenTheyChangeAndStringTagsAreCopied) {
  doc.Options << uvoTagsArePChars;
  Build({"ab"});
  doc.OpenUndoAction(uvutInsert);
  TUVTag tag = UVMakeStringTag("first");
  doc.UndoableSetTag(0, tag, false);
  EXPECT_NE(doc.GetItem(0)->Tag, tag);  // a copy
  EXPECT_EQ(doc.UndoList->LastAction()->GetCount(), 1);
  doc.UndoableSetTag(0, tag, false);  // the same text: nothing to record
  EXPECT_EQ(doc.UndoList->LastAction()->GetCount(), 1);
  UVFreeStringTag(tag);
  Undo(doc);
  EXPECT_EQ(doc.GetItem(0)->Tag, 0);
  Redo(doc);
  EXPECT_EQ(UVTagText(doc.GetItem(0)->Tag), "first");
}

TEST_F(UndoTest, UndoingPerParagraphStylesRestoresEachParagraphsOwnStyle) {
  doc.AddNL("one", 0, psCentered);
  doc.AddNL("two", 0, psRight);
  doc.AddNL("three", 0, psSpaced);
  doc.FormatDefault(false);
  doc.SelectAll();
  doc.OnParaStyleConversion = [](Integer, Integer, bool, Integer& NewStyleNo) { NewStyleNo = psJustified; };
  doc.OpenUndoAction(uvutPara);
  doc.ApplyParaStyle(0, true);
  for (Integer i = 0; i < 3; ++i) EXPECT_EQ(doc.GetItemPara(i), psJustified);
  Undo(doc);
  EXPECT_EQ(doc.GetItemPara(0), psCentered);
  EXPECT_EQ(doc.GetItemPara(1), psRight);
  EXPECT_EQ(doc.GetItemPara(2), psSpaced);
  EXPECT_EQ(CheckLayout(doc), "");
}

TEST_F(UndoTest, JoiningLinesRestoresEveryOptionBitOfTheJoinedItem) {
  doc.AddNL("one", 0, 0);
  doc.AddNL("two", 0, 0);
  doc.SetPageBreakBefore(1, true);
  doc.FormatDefault(false);
  std::vector<std::string> before = Snapshot(doc);
  doc.OpenUndoAction(uvutDelete);
  bool full;
  doc.UndoableNewLine(1, true, full, 0);
  EXPECT_EQ(doc.GetItemOptions(1), uvioSameAsPrev);
  Undo(doc);
  EXPECT_EQ(Snapshot(doc), before);
  EXPECT_TRUE(doc.GetPageBreakBefore(1));
}

TEST_F(UndoTest, JoiningTextsOfOtherEncodingsKeepsThePageBreakOfAnEmptyFirstItem) {
  doc.AddNL("one", 0, 0);
  doc.AddNL("", 0, psCentered);
  doc.SetPageBreakBefore(1, true);
  AnsiString wide("w\0i\0", 4);
  doc.AddTextItem(wide, tsUnicode, -1);
  doc.FormatDefault(false);
  std::vector<std::string> before = Snapshot(doc);
  doc.OpenUndoAction(uvutDelete);
  bool full;
  doc.UndoableJoinTextItems(1, full);
  ASSERT_EQ(doc.GetItemCount(), 2);
  EXPECT_EQ(doc.GetItemText(1), wide);
  EXPECT_TRUE(doc.GetPageBreakBefore(1));
  EXPECT_TRUE(doc.IsParaStart(1));
  EXPECT_EQ(doc.GetItemPara(1), psCentered);
  Undo(doc);
  EXPECT_EQ(Snapshot(doc), before);
}

// An item with a published property for the property records.
class TSizedItem : public TUVRectItemInfo {
  UVITEM_CLASS(TSizedItem, TUVRectItemInfo)
public:
  explicit TSizedItem(TCustomUVData* UVData) : TUVRectItemInfo(UVData) { StyleNo = uvsPicture; }
  Integer GetBorderWidth() override { return Size + 2; }
  Integer GetBorderHeight() override { return Size + 2; }
  Integer GetMinWidth(const TUVScreenAndDevice*, TCanvas*, TCustomUVData*) override { return Size + 2; }
  void BeforeUndoChangeProperty() override { ++Notices; }
  void AfterUndoChangeProperty() override { ++Notices; }
  Integer Size = 10;
  Integer Depth = 0;
  Integer Notices = 0;
};

}  // namespace

PUBLISHED(TSizedItem) {
  Prop("Size", &TSizedItem::Size);
  Prop("Depth", &TSizedItem::Depth);
}

namespace {

TEST_F(UndoTest, PropertiesChangeByNameInBracketsAndUndoAsAGroup) {
  doc.ClientWidth = 200;
  doc.AddNL("a", 0, 0);
  auto* item = new TSizedItem(&doc);
  item->ParaNo = -1;
  doc.AddItem("", item);
  doc.FormatDefault(false);
  doc.OpenUndoAction(uvutModifyTable);
  doc.RecordItemPropsBracket(1, true);
  doc.UndoableModifyItemIntProperty(1, nullptr, nullptr, true, true, 400, "Size");
  doc.UndoableModifyItemIntProperty(1, nullptr, nullptr, true, true, 400, "Size");  // unchanged: nothing
  TStringList values;
  values.Add("Size=30");
  values.Add("Depth=7");
  doc.UndoableModifyItemIntProperties(1, nullptr, nullptr, true, true, &values);
  doc.RecordItemPropsBracket(1, false);
  EXPECT_EQ(Kinds(doc.UndoList),
            (std::vector<std::string>{"TUVUndoModifyItemTerminator", "TUVUndoModifyItemIntProperty",
                                      "TUVUndoModifyItemIntProperties", "TUVUndoModifyItemTerminator"}));
  EXPECT_EQ(item->Notices, 4);
  // The item was made wider than the window and narrow again: undoing the group lays the document
  // out at its old width.
  doc.FormatDefault(false);
  Integer width = doc.DocumentWidth;
  Undo(doc);
  EXPECT_EQ(item->Size, 10);
  EXPECT_EQ(item->Depth, 0);
  EXPECT_EQ(CheckLayout(doc), "");
  Redo(doc);
  EXPECT_EQ(item->Size, 30);
  EXPECT_EQ(item->Depth, 7);
  EXPECT_EQ(doc.DocumentWidth, width);
  EXPECT_EQ(Kinds(doc.UndoList).front(), "TUVUndoModifyItemTerminator");
}

TEST_F(UndoTest, AReformatRangeRecordLaysItsRangeOutOnUndoAndRedo) {
  Build({"one", "two"});
  doc.OpenUndoAction(uvutInsert);
  doc.RecordReformatRange(0, 1, false);
  Integer notices = doc.FormatNotifications;
  Undo(doc);
  EXPECT_EQ(doc.FormatNotifications, notices + 1);
  ASSERT_EQ(doc.RedoList->GetCount(), 1);
  EXPECT_EQ(Kinds(doc.RedoList), (std::vector<std::string>{"TUVUndoReformateRange"}));
}

TEST_F(UndoTest, ACompositeRecordIsEmptyWhileItsOwnListIs) {
  struct TInner : TUVCompositeUndo {
    void Perform(TUVEditUVData*) override {}
  } record;
  EXPECT_TRUE(record.IsEmpty());
  record.UndoList->AddUndoAction(uvutInsert, "", 0, 0);
  record.UndoList->AppendRecord(new TUVUndoTagInfo());
  EXPECT_FALSE(record.IsEmpty());
}

}  // namespace
