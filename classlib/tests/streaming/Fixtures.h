// Small component classes that use every kind of streamed property, for the streaming tests.
#pragma once

#include <string>
#include <vector>

#include "classlib/Components.h"
#include "classlib/Filer.h"
#include "classlib/StringLists.h"
#include "classlib/TypInfo.h"

namespace fixtures {

enum TShapeKind { skCircle, skSquare, skStar };
enum TPenStyle { psBold, psItalic, psDashed };
using TPenStyles = TSet<TPenStyle>;

constexpr Integer clBlack = 0;
constexpr Integer clRed = 0xFF;
constexpr Integer clNone = 0x1FFFFFFF;
// Colours with names in forms, as the graphics unit has them.
const TTypeInfo* ColourInfo();

// Nested inside a nested object: written as "Pen.Corner.Radius".
class TCorner : public TPersistent {
  CLASS_INFO(TCorner, TPersistent)
public:
  Integer Radius = 0;
};

class TPen : public TPersistent {
  CLASS_INFO(TPen, TPersistent)
public:
  TPen() : Corner(new TCorner) {}
  ~TPen() override { delete Corner; }
  void Assign(TPersistent* Source) override;
  TCorner* GetCorner() const { return Corner; }
  void SetCorner(TCorner* Value) { Corner->Radius = Value->Radius; }

  Integer Width = 1;
  Integer Colour = clBlack;
  TPenStyles Style;
  AnsiString Name;
  TCorner* Corner;
};

class TBand : public TCollectionItem {
  CLASS_INFO(TBand, TCollectionItem)
public:
  explicit TBand(TCollection* Collection) : TCollectionItem(Collection) {}
  void DefineProperties(TFiler* Filer) override;

  AnsiString Caption;
  Integer Width = 50;
  bool Visible = true;
  std::vector<Integer> Marks;  // a raw property: a list of integers

private:
  void ReadMarks(TReader* Reader);
  void WriteMarks(TWriter* Writer);
};

// One line per Loaded call: the component's name, its partner's name (or "-") and how many
// components its owner held at that moment.
extern std::vector<std::string> loadedLog;

class TShape : public TComponent {
  CLASS_INFO(TShape, TComponent)
public:
  explicit TShape(TComponent* AOwner);
  ~TShape() override;
  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  Integer GetSize() const { return FSize; }
  void SetSize(Integer Value) { FSize = Value; }
  TPen* GetPen() const { return FPen; }
  void SetPen(TPen* Value) { FPen->Assign(Value); }
  TCollection* GetBands() const { return FBands; }
  void SetBands(TCollection* Value) { FBands->Assign(Value); }
  TStrings* GetLines() const { return FLines; }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  TShape* GetPartner() const { return FPartner; }
  void SetPartner(TShape* Value);

  AnsiString Caption;
  TShapeKind Kind = skCircle;
  double Ratio = 0;
  Int64 Big = 0;
  char Letter = 'a';
  WideString Title;
  bool Visible = true;
  AnsiString Notes;             // published but never stored
  std::vector<Integer> Points;  // raw property "Points"
  std::string Blob;             // raw binary property "Blob"
  TNotifyEvent OnClick;

private:
  void ReadPoints(TReader* Reader);
  void WritePoints(TWriter* Writer);
  void ReadBlob(TStream* Stream);
  void WriteBlob(TStream* Stream);

  Integer FSize = 10;
  TPen* FPen;
  TCollection* FBands;
  TStringList* FLines;
  TShape* FPartner = nullptr;
};

// A root that writes the components it owns as its children.
class TBoard : public TComponent {
  CLASS_INFO(TBoard, TComponent)
public:
  explicit TBoard(TComponent* AOwner) : TComponent(AOwner) {}
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;
  void Loaded() override;
  void ShapeClick(TObject*) { ++clicks; }
  void OtherClick(TObject*) {}

  AnsiString Caption;
  int clicks = 0;
};

// A grid whose cells are components written inside a raw property's list, each cell preceded
// by its span: the way a table streams its cells.
class TCell : public TComponent {
  CLASS_INFO(TCell, TComponent)
public:
  explicit TCell(TComponent* AOwner) : TComponent(AOwner) {}
  AnsiString Text;
  Integer Colour = clNone;
};

class TGrid : public TComponent {
  CLASS_INFO(TGrid, TComponent)
public:
  explicit TGrid(TComponent* AOwner) : TComponent(AOwner) {}
  ~TGrid() override;
  void DefineProperties(TFiler* Filer) override;

  struct Cell {
    Integer span;
    AnsiString text;
    Integer colour;
  };
  std::vector<Cell> Cells;
  AnsiString Caption;

private:
  void ReadCells(TReader* Reader);
  void WriteCells(TWriter* Writer);
};

// Registers the classes above with the class registry (once).
void RegisterFixtureClasses();

}  // namespace fixtures

ENUM_NAMES(fixtures::TShapeKind, "skCircle", "skSquare", "skStar");
ENUM_NAMES(fixtures::TPenStyle, "psBold", "psItalic", "psDashed");
