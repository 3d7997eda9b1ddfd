// Small component classes that use every kind of streamed property, for the streaming tests.
#pragma once

#include <string>
#include <vector>

#include "classlib/Components.h"
#include "classlib/Filer.h"
#include "classlib/Graphics.h"
#include "classlib/StringLists.h"
#include "classlib/TypInfo.h"

namespace fixtures {

enum TGadgetKind { gkCircle, gkSquare, gkStar };
enum TOutlineMark { omBold, omItalic, omDashed };
using TOutlineMarks = TSet<TOutlineMark>;

// Nested inside a nested object: written as "Pen.Corner.Radius".
class TCorner : public TPersistent {
  CLASS_INFO(TCorner, TPersistent)
public:
  Integer Radius = 0;
};

class TOutline : public TPersistent {
  CLASS_INFO(TOutline, TPersistent)
public:
  TOutline() : Corner(new TCorner) {}
  ~TOutline() override { delete Corner; }
  void Assign(TPersistent* Source) override;
  TCorner* GetCorner() const { return Corner; }
  void SetCorner(TCorner* Value) { Corner->Radius = Value->Radius; }

  Integer Width = 1;
  TColor Colour = clBlack;
  TOutlineMarks Style;
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

class TGadget : public TComponent {
  CLASS_INFO(TGadget, TComponent)
public:
  explicit TGadget(TComponent* AOwner);
  ~TGadget() override;
  void DefineProperties(TFiler* Filer) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  Integer GetSize() const { return FSize; }
  void SetSize(Integer Value) { FSize = Value; }
  TOutline* GetPen() const { return FPen; }
  void SetPen(TOutline* Value) { FPen->Assign(Value); }
  TCollection* GetBands() const { return FBands; }
  void SetBands(TCollection* Value) { FBands->Assign(Value); }
  TStrings* GetLines() const { return FLines; }
  void SetLines(TStrings* Value) { FLines->Assign(Value); }
  TGadget* GetPartner() const { return FPartner; }
  void SetPartner(TGadget* Value);

  AnsiString Caption;
  TGadgetKind Kind = gkCircle;
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
  TOutline* FPen;
  TCollection* FBands;
  TStringList* FLines;
  TGadget* FPartner = nullptr;
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
  TColor Colour = clNone;
};

class TCellGrid : public TComponent {
  CLASS_INFO(TCellGrid, TComponent)
public:
  explicit TCellGrid(TComponent* AOwner) : TComponent(AOwner) {}
  ~TCellGrid() override;
  void DefineProperties(TFiler* Filer) override;

  struct Cell {
    Integer span;
    AnsiString text;
    TColor colour;
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

ENUM_NAMES(fixtures::TGadgetKind, "gkCircle", "gkSquare", "gkStar");
ENUM_NAMES(fixtures::TOutlineMark, "omBold", "omItalic", "omDashed");
