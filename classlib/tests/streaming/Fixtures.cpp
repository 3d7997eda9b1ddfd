#include "Fixtures.h"

#include <mutex>

using namespace fixtures;


std::vector<std::string> fixtures::loadedLog;

PUBLISHED(TCorner) { Prop("Radius", &TCorner::Radius).Default(0); }

PUBLISHED(TOutline) {
  Prop("Width", &TOutline::Width).Default(1);
  Prop("Colour", &TOutline::Colour).Default(clBlack).Type(ColorTypeInfo());
  Prop("Style", &TOutline::Style).Default(TOutlineMarks{});
  Prop("Name", &TOutline::Name);
  Prop("Corner", &TOutline::GetCorner, &TOutline::SetCorner);
}

void TOutline::Assign(TPersistent* Source) {
  if (auto* p = dynamic_cast<TOutline*>(Source)) {
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

PUBLISHED(TGadget) {
  Prop("Caption", &TGadget::Caption);
  Prop("Kind", &TGadget::Kind);
  Prop("Size", &TGadget::GetSize, &TGadget::SetSize).Default(10);
  Prop("Ratio", &TGadget::Ratio);
  Prop("Big", &TGadget::Big);
  Prop("Letter", &TGadget::Letter);
  Prop("Title", &TGadget::Title);
  Prop("Visible", &TGadget::Visible).Default(true);
  Prop("Notes", &TGadget::Notes).Stored(false);
  Prop("Pen", &TGadget::GetPen, &TGadget::SetPen);
  Prop("Bands", &TGadget::GetBands, &TGadget::SetBands);
  Prop("Lines", &TGadget::GetLines, &TGadget::SetLines);
  Prop("Partner", &TGadget::GetPartner, &TGadget::SetPartner);
  Prop("OnClick", &TGadget::OnClick);
}

TGadget::TGadget(TComponent* AOwner)
    : TComponent(AOwner), FPen(new TOutline), FBands(new TCollection(TBand::StaticClass())), FLines(new TStringList) {}

TGadget::~TGadget() {
  delete FLines;
  delete FBands;
  delete FPen;
}

void TGadget::SetPartner(TGadget* Value) {
  FPartner = Value;
  if (Value) Value->FreeNotification(this);
}

void TGadget::Notification(TComponent* AComponent, TOperation Operation) {
  TComponent::Notification(AComponent, Operation);
  if (Operation == opRemove && AComponent == FPartner) FPartner = nullptr;
}

void TGadget::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  Filer->DefineProperty("Points", TReaderProc(this, &TGadget::ReadPoints), TWriterProc(this, &TGadget::WritePoints),
                        !Points.empty());
  Filer->DefineBinaryProperty("Blob", TStreamProc(this, &TGadget::ReadBlob), TStreamProc(this, &TGadget::WriteBlob),
                              !Blob.empty());
}

void TGadget::ReadPoints(TReader* Reader) {
  Reader->ReadListBegin();
  while (!Reader->EndOfList()) Points.push_back(Reader->ReadInteger());
  Reader->ReadListEnd();
}

void TGadget::WritePoints(TWriter* Writer) {
  Writer->WriteListBegin();
  for (Integer p : Points) Writer->WriteInteger(p);
  Writer->WriteListEnd();
}

void TGadget::ReadBlob(TStream* Stream) {
  Blob.resize(static_cast<std::size_t>(Stream->GetSize()));
  Stream->ReadBuffer(Blob.data(), static_cast<Integer>(Blob.size()));
}

void TGadget::WriteBlob(TStream* Stream) { Stream->WriteBuffer(Blob.data(), static_cast<Integer>(Blob.size())); }

void TGadget::Loaded() {
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
  Prop("Colour", &TCell::Colour).Default(clNone).Type(ColorTypeInfo());
}

TCellGrid::~TCellGrid() = default;

PUBLISHED(TCellGrid) { Prop("Caption", &TCellGrid::Caption); }

void TCellGrid::DefineProperties(TFiler* Filer) {
  TComponent::DefineProperties(Filer);
  Filer->DefineProperty("Cells", TReaderProc(this, &TCellGrid::ReadCells), TWriterProc(this, &TCellGrid::WriteCells),
                        !Cells.empty());
}

// One TCell object carries each cell's properties through the stream in turn.
void TCellGrid::WriteCells(TWriter* Writer) {
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

void TCellGrid::ReadCells(TReader* Reader) {
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
    RegisterClasses({TGadget::StaticClass(), TBoard::StaticClass(), TCell::StaticClass(), TCellGrid::StaticClass()});
  });
}
