// The base containers and the list of draw records.
#include "richtext/core/DLines.h"
#include "richtext/core/UVClasses.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"
#include "richtext/core/UVWindowless.h"
#include "tests/support/TestSupport.h"

namespace {

TEST(ContainersTest, IntegerAndColourLists) {
  TUVIntegerList list;
  list.Add(5);
  list.Add(-3);
  EXPECT_EQ(list.AddUnique(5), 0);
  EXPECT_EQ(list.AddUnique(9), 2);
  EXPECT_EQ(list.GetCount(), 3);
  list.Sort();
  EXPECT_EQ(list[0], -3);
  EXPECT_EQ(list[2], 9);
  std::unique_ptr<TUVIntegerList> filled(TUVIntegerList::CreateFilled(4, 7));
  EXPECT_EQ(filled->GetCount(), 4);
  EXPECT_EQ(filled->Get(3), 7);
  TUVColorList colors;
  colors.AddUnique(clNone);
  colors.AddUnique(clRed);
  colors.AddUnique(clRed);
  EXPECT_EQ(colors.GetCount(), 1);
}

TEST(ContainersTest, DrawLinesReuseMarkedSlots) {
  TUVDrawLines lines;
  for (int i = 0; i < 8; ++i) lines.Add(new TUVDrawLineInfo(0, i * 10, 5, 10, i, true));
  lines.MarkForDelete(3, 5);
  EXPECT_EQ(lines.DeleteFirst, 3);
  EXPECT_EQ(lines.DeleteCount, 3);
  lines.Insert(3, new TUVDrawLineInfo(0, 1000, 1, 1, 3, true));
  lines.Insert(4, new TUVDrawLineInfo(0, 1001, 1, 1, 4, true));
  lines.DeleteMarked();
  ASSERT_EQ(lines.GetCount(), 7);  // exactly one slot was left to remove
  EXPECT_EQ(lines[3]->Top, 1000);
  EXPECT_EQ(lines[4]->Top, 1001);
  EXPECT_EQ(lines[5]->ItemNo, 6);
  EXPECT_EQ(lines.DeleteCount, 0);
}

TEST(ContainersTest, TextOfADrawRecord) {
  TUVStyle style(nullptr);
  style.GetTextStyles()->GetItem(1)->Unicode = true;
  TUVWindowlessData doc(&style);
  doc.AddNL("Hello world", 0, 0);
  doc.AddNL(UVUniWideStringToRaw(L"\x3b1\x3b2\x3b3"), 1, 0);
  TUVDrawLines lines;
  auto* a = new TUVDrawLineInfo();
  a->ItemNo = 0;
  a->Offs = 7;
  a->Length = 5;
  lines.Add(a);
  auto* b = new TUVDrawLineInfo();
  b->ItemNo = 1;
  b->Offs = 2;
  b->Length = 2;
  lines.Add(b);
  AnsiString text;
  lines.GetDrawItemText(0, &doc, text);
  EXPECT_EQ(text, "world");
  lines.GetSubDrawItemText(0, &doc, text, 3, 100);  // cut at the record's end
  EXPECT_EQ(text, "rld");
  lines.GetDrawItemText(1, &doc, text);
  EXPECT_EQ(UVUniRawToWide(text), L"\x3b2\x3b3");
}

}  // namespace
