// Documents held by items (the way a table holds its cells): what they ask of the document that
// holds the item, through every level of nesting, and how their points reach the outermost
// document.
#include <memory>
#include <vector>

#include "richtext/core/UVDataList.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVWindowless.h"
#include "tests/support/TestSupport.h"

namespace {

// A document held by an item, at a fixed place in the document that holds the item.
class TCell : public TUVItemFormattedData {
public:
  TCell(TCustomUVItemInfo* Owner, Integer X, Integer Y) : TUVItemFormattedData(Owner), OriginX(X), OriginY(Y) {}
  void GetOrigin(Integer& X, Integer& Y) override {
    X = OriginX;
    Y = OriginY;
  }
  Integer OriginX, OriginY;
};

// An item that holds one document, as a table of one cell does.
class TBoxItem : public TUVFullLineItemInfo {
public:
  TBoxItem(TCustomUVData* Data, Integer X, Integer Y) : TUVFullLineItemInfo(Data), Cell(this, X, Y) { StyleNo = -100; }
  void Inserting(TCustomUVData* Data, AnsiString& Text, bool Safe) override {
    Parent = Data;
    TUVFullLineItemInfo::Inserting(Data, Text, Safe);
  }
  TCustomUVData* GetParentData() override { return Parent; }

  TCustomUVData* Parent = nullptr;
  TCell Cell;
};

// The outermost document, which notes the item actions it is told of.
class TRootDoc : public TUVWindowlessData {
public:
  using TUVWindowlessData::TUVWindowlessData;
  void ItemAction(TUVItemAction Action, TCustomUVItemInfo* /*Item*/, AnsiString& Text) override {
    if (Action == uviaInserting) Inserted.push_back(Text);
  }
  std::vector<AnsiString> Inserted;
};

class SubDocuments : public ::testing::Test {
protected:
  SubDocuments() {
    root.Options = TUVOptions{uvoTagsArePChars, uvoShowCheckpoints};
    outer = new TBoxItem(&root, 10, 20);
    outer->ParaNo = 0;
    root.AddItem("outer", outer);
    inner = new TBoxItem(&outer->Cell, 3, 4);
    inner->ParaNo = 0;
    outer->Cell.AddItem("inner", inner);
  }
  TUVStyle style{nullptr};
  TRootDoc root{&style};
  TBoxItem* outer;
  TBoxItem* inner;
};

TEST_F(SubDocuments, ANestedCellReachesTheRootThroughEveryLevel) {
  TCell& cell = inner->Cell;
  EXPECT_EQ(cell.GetParentData(), &outer->Cell);
  EXPECT_EQ(cell.GetAbsoluteParentData(), &outer->Cell);
  EXPECT_EQ(outer->Cell.GetParentData(), &root);
  EXPECT_EQ(cell.GetRootData(), &root);
  EXPECT_EQ(cell.GetAbsoluteRootData(), &root);
  EXPECT_EQ(cell.GetUVStyle(), &style);
  EXPECT_EQ(cell.GetOptions(), root.Options);
  EXPECT_EQ(cell.GetCanvas(), root.GetCanvas());
  EXPECT_EQ(cell.GetFlags(), root.GetFlags());
  // What the cell's items do is told to the outermost document.
  cell.AddNL("deep", 0, 0);
  EXPECT_EQ(root.Inserted, (std::vector<AnsiString>{"outer", "inner", "deep"}));
  // Without a window of its own, a cell has no client area.
  EXPECT_EQ(cell.GetWidth(), 0);
  EXPECT_EQ(cell.GetVOffs(), 0);
}

TEST_F(SubDocuments, APointInANestedCellConvertsToRootCoordinates) {
  Integer x = 1, y = 2;
  inner->Cell.ConvertToRootCoords(x, y);
  EXPECT_EQ(x, 1 + 3 + 10);
  EXPECT_EQ(y, 2 + 4 + 20);
  x = y = 0;
  root.ConvertToRootCoords(x, y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
}

TEST_F(SubDocuments, ACellHasNoViewToPaint) {
  TBitmap bitmap;
  bitmap.SetSize(10, 10);
  try {
    inner->Cell.PaintBuffered(bitmap.GetCanvas(), Rect(0, 0, 10, 10));
    FAIL() << "no error";
  } catch (const EUzurUvadError& e) {
    EXPECT_EQ(e.Message, "This method is not supported for TUVItemFormattedData");
  }
}

TEST_F(SubDocuments, AnItemNotInADocumentGivesItsCellsNoParent) {
  TBoxItem loose(nullptr, 0, 0);
  EXPECT_EQ(loose.Cell.GetParentData(), nullptr);
  EXPECT_EQ(loose.Cell.GetRootData(), &loose.Cell);
  EXPECT_EQ(loose.Cell.GetUVStyle(), nullptr);
}

}  // namespace
