// Actions and annotations: the document's action list and its chains, the URI and go-to
// actions, the annotation base with its rectangle and flags, and the link annotation.
#include "pdf/PDF.h"

#include <algorithm>

#include "classlib/SysUtils.h"
#include "pdf/pdfResources.h"

// ---------------------------------------------------------------------------------------------
// Actions

void TPDFAction::Prepare() {
  if (ID < 1) ID = FDocument->GetNextID();
  if (Next) FDocument->RegisterAction(Next);
}

void TPDFAction::SaveNext() {
  if (Next) FDocument->SaveToStream("/Next " + Reference(Next->ID));
}

void TPDFURLAction::SetURL(const AnsiString& Value) {
  if (Value.empty()) throw TPDFException(SURLCannotBeEmpty);
  FURL = Value;
}

void TPDFURLAction::Save() {
  TPDFDocument* doc = GetDocument();
  doc->StartObj(ID);
  doc->SaveToStream("/S /URI /URI (" + EscapeSpecialChar(doc->CryptString(FURL, ID)) + ")");
  SaveNext();
  doc->CloseHObj();
  doc->CloseObj();
}

void TPDFGoToPageAction::Save() {
  TPDFDocument* doc = GetDocument();
  doc->StartObj(ID);
  // Top is in device units from the top edge; the destination is in points from the bottom.
  AnsiString line = "/S /GoTo /D [" + Reference(Page->GetPageNumber()) + " /XYZ null ";
  AppendFloat(line, Page->FHeightPt - Top / Page->FScale);
  doc->SaveToStream(line + " null]");
  SaveNext();
  doc->CloseHObj();
  doc->CloseObj();
}

TPDFActions::~TPDFActions() { Clear(); }

Integer TPDFActions::Add(TPDFAction* Action) {
  FItems.push_back(Action);
  Action->FDocument = FDocument;
  return GetCount() - 1;
}

void TPDFActions::Clear() {
  std::vector<TPDFAction*> items;
  items.swap(FItems);
  for (TPDFAction* action : items) delete action;
}

Integer TPDFActions::IndexOf(const TPDFAction* Action) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (FItems[i] == Action) return i;
  return -1;
}

// ---------------------------------------------------------------------------------------------
// Annotations

TPDFCustomAnnotation::TPDFCustomAnnotation(TPDFPage* Page) : FPage(Page) {
  if (!Page) throw TPDFException(SAnnotationMustHaveTPDFPageAsOwner);
  ID = Page->GetDocument()->GetNextID();
  Page->FAnnotations.push_back(this);
}

TPDFCustomAnnotation::~TPDFCustomAnnotation() {
  auto& list = FPage->FAnnotations;
  list.erase(std::remove(list.begin(), list.end(), this), list.end());
}

TPDFDocument* TPDFCustomAnnotation::GetDocument() const { return FPage->GetDocument(); }

void TPDFCustomAnnotation::SetRect(const TRect& Rect) {
  TRect r = Rect;
  NormalizeRect(r);
  Left = static_cast<Integer>(Round(FPage->PtX(r.Left)));
  Top = static_cast<Integer>(Round(FPage->PtY(r.Top)));
  Right = static_cast<Integer>(Round(FPage->PtX(r.Right)));
  Bottom = static_cast<Integer>(Round(FPage->PtY(r.Bottom)));
}

Integer TPDFCustomAnnotation::GetFlagsValue() const { return static_cast<Integer>(Flags.Bits() & 127); }

AnsiString TPDFCustomAnnotation::RectText() const {
  return "/Rect [" + IStr(Left) + " " + IStr(Bottom) + " " + IStr(Right) + " " + IStr(Top) + "]";
}

void TPDFActionAnnotation::SetAction(TPDFAction* Value) {
  GetDocument()->RegisterAction(Value);
  FAction = Value;
}

void TPDFActionAnnotation::Save() {
  TPDFDocument* doc = GetDocument();
  doc->StartObj(ID);
  doc->SaveToStream("/Type /Annot");
  doc->SaveToStream("/Subtype /Link");
  doc->SaveToStream("/Border " + Border);
  doc->SaveToStream("/F " + IStr(GetFlagsValue()));
  doc->SaveToStream("/C [" + RGBTriple(ColorToRGB(Color)) + " ]");
  doc->SaveToStream(RectText());
  if (FAction) doc->SaveToStream("/A " + Reference(FAction->ID));
  doc->CloseHObj();
  doc->CloseObj();
}
