#include "Fixtures.h"

#include <mutex>

using namespace fixtures;

namespace {

const struct {
  Integer value;
  const char* name;
} kColourNames[] = {{clBlack, "clBlack"}, {clRed, "clRed"}, {clNone, "clNone"}};

bool IdentToColour(const AnsiString& ident, Integer& value) {
  for (const auto& c : kColourNames)
    if (ident == c.name) {
      value = c.value;
      return true;
    }
  return false;
}

bool ColourToIdent(Integer value, AnsiString& ident) {
  for (const auto& c : kColourNames)
    if (value == c.value) {
      ident = c.name;
      return true;
    }
  return false;
}

}  // namespace

std::vector<std::string> fixtures::loadedLog;

const TTypeInfo* fixtures::ColourInfo() {
  static const TTypeInfo info = TTypeInfo::NamedInteger("TColor", IdentToColour, ColourToIdent);
  return &info;
}

PUBLISHED(TCorner) { Prop("Radius", &TCorner::Radius).Default(0); }

PUBLISHED(TPen) {
  Prop("Width", &TPen::Width).Default(1);
  Prop("Colour", &TPen::Colour).Default(clBlack).Type(ColourInfo());
  Prop("Style", &TPen::Style).Default(TPenStyles{});
  Prop("Name", &TPen::Name);
  Prop("Corner", &TPen::GetCorner, &TPen::SetCorner);
}

void TPen::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TPen*>(Source)) {
    Width = p->Width;
    Colour = p->Colour;
    Style = p->Style;
    Name = p->Name;
    Corner->Radius = p->Corner->Radius;
    return;
  }
  TPersistent::Assign(Source);
}

PUBLISHED(TBand) {
  Prop("Caption", &TBand::Caption);
  Prop("Width", &TBand::Width).Default(50);
  Prop("Visible", &TBand::Visible).Default(true);
}

void TBand::DefineProperties(TFiler* Filer) {
  TCollectionItem::DefineProperties(Filer);
  Filer->DefineProperty("Marks", TReaderProc(this, &TBand::ReadMarks), TWriterProc(this, &TBand::WriteMarks),
                        !Marks.empty());
}

void TBand::ReadMarks(TReader* Reader) {
  Reader->ReadListBegin();
  while (!Reader->EndOfList()) Marks.push_back(Reader->ReadInteger());
  Reader->ReadListEnd();
}

void TBand::WriteMarks(TWriter* Writer) {
  Writer->WriteListBegin();
  for (Integer m : Marks) Writer->WriteInteger(m);
  Writer->WriteListEnd();
}

PUBLISHED(TShape) {
  Prop("Caption", &TShape::Caption);
  Prop("Kind", &TShape::Kind);
  Prop("Size", &TShape::GetSize, &TShape::SetSize).Default(10);
  Prop("Ratio", &TShape::Ratio);
  Prop("Big", &TShape::Big);
  Prop("Letter", &TShape::Letter);
  Prop("Title", &TShape::Title);
  Prop("Visible", &TShape::Visible).Default(true);
  Prop("Notes", &TShape::Notes).Stored(false);
  Prop("Pen", &TShape::GetPen, &TShape::SetPen);
  Prop("Bands", &TShape::GetBands, &TShape::SetBands);
  Prop("Lines", &TShape::GetLines, &TShape::SetLines);
  Prop("Partner", &TShape::GetPartner, &TShape::SetPartner);
  Prop("OnClick", &TShape::OnClick);
}

TShape::TShape(TComponent* AOwner)
    : TComponent(AOwner), FPen(new TPen), FBands(new TCollection(TBand::StaticClass())), FLines(new TStringList) {}

TShape::~TShape() {
  delete FLines;
  delete FBands;
  delete FPen;
}

void TShape::SetPartner(TShape* Value) {
  FPartner = Value;
  if (Value) Value->FreeNotification(this);
}

void TShape::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPartner) FPartner = nullptr;
}

void TShape::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  Filer->DefineProperty("Points", TReaderProc(this, &TShape::ReadPoints), TWriterProc(this, &TShape::WritePoints),
                        !Points.empty());
  Filer->DefineBinaryProperty("Blob", TStreamProc(this, &TShape::ReadBlob), TStreamProc(this, &TShape::WriteBlob),
                              !Blob.empty());
}

void TShape::ReadPoints(TReader* Reader) {
  Reader->ReadListBegin();
  while (!Reader->EndOfList()) Points.push_back(Reader->ReadInteger());
  Reader->ReadListEnd();
}

void TShape::WritePoints(TWriter* Writer) {
  Writer->WriteListBegin();
  for (Integer p : Points) Writer->WriteInteger(p);
  Writer->WriteListEnd();
}

void TShape::ReadBlob(TStream* Stream) {
  Blob.resize(static_cast<std::size_t>(Stream->GetSize()));
  Stream->ReadBuffer(Blob.data(), static_cast<Integer>(Blob.size()));
}

void TShape::WriteBlob(TStream* Stream) { Stream->WriteBuffer(Blob.data(), static_cast<Integer>(Blob.size())); }

void TShape::Loaded() {
  TComponent::Loaded();
  loadedLog.push_back(GetName() + " " + (FPartner ? FPartner->GetName() : AnsiString("-")) + " " +
                      std::to_string(GetOwner() ? GetOwner()->GetComponentCount() : 0));
}

PUBLISHED(TBoard) {
  Prop("Caption", &TBoard::Caption);
  Method("ShapeClick", &TBoard::ShapeClick);
}

void TBoard::GetChildren(TGetChildProc Proc, TComponent*) {
  for (Integer i = 0; i < GetComponentCount(); ++i) Proc(GetComponents(i));
}

void TBoard::Loaded() {
  TComponent::Loaded();
  loadedLog.push_back(GetName() + " root " + std::to_string(GetComponentCount()));
}

PUBLISHED(TCell) {
  Prop("Text", &TCell::Text);
  Prop("Colour", &TCell::Colour).Default(clNone).Type(ColourInfo());
}

TGrid::~TGrid() = default;

PUBLISHED(TGrid) { Prop("Caption", &TGrid::Caption); }

void TGrid::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  Filer->DefineProperty("Cells", TReaderProc(this, &TGrid::ReadCells), TWriterProc(this, &TGrid::WriteCells),
                        !Cells.empty());
}

// One TCell object carries each cell's properties through the stream in turn.
void TGrid::WriteCells(TWriter* Writer) {
  TCell cell(nullptr);
  Writer->WriteInteger(static_cast<Integer>(Cells.size()));
  Writer->WriteListBegin();
  for (const Cell& c : Cells) {
    Writer->WriteInteger(c.span);
    cell.Text = c.text;
    cell.Colour = c.colour;
    Writer->WriteComponent(&cell);
  }
  Writer->WriteListEnd();
}

void TGrid::ReadCells(TReader* Reader) {
  TCell cell(nullptr);
  Integer n = Reader->ReadInteger();
  Reader->ReadListBegin();
  for (Integer i = 0; i < n; ++i) {
    Integer span = Reader->ReadInteger();
    cell.Text.clear();
    cell.Colour = clNone;
    Reader->ReadComponent(&cell);
    Cells.push_back({span, cell.Text, cell.Colour});
  }
  if (!Reader->EndOfList()) throw EReadError("Wrong end of cells list");
  Reader->ReadListEnd();
}

void fixtures::RegisterFixtureClasses() {
  static std::once_flag once;
  std::call_once(once, [] {
    RegisterClasses({TShape::StaticClass(), TBoard::StaticClass(), TCell::StaticClass(), TGrid::StaticClass()});
  });
}
