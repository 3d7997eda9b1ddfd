// A page: its size and orientation, its recording canvas and the translation of the recording,
// the graphics state, and the writing of its resources, content stream and page dictionary.
#include "pdf/PDF.h"

#include <cmath>

#include "classlib/Handles.h"
#include "classlib/Metafiles.h"
#include "pdf/pdfResources.h"
#include "pdf/pdfWMF.h"
#include "pdf/pdfZLib.h"

namespace {

// Height and width in points of the standard sizes 1 to 19, portrait.
const Integer kSizes[20][2] = {{0, 0},     {792, 612}, {842, 595}, {1190, 842}, {1008, 612},
                               {728, 516}, {649, 459}, {792, 595}, {1031, 728}, {595, 419},
                               {936, 612}, {756, 522}, {1031, 728}, {708, 499}, {459, 323},
                               {623, 312}, {540, 279}, {639, 279}, {684, 297}, {747, 324}};

// Round to the nearest integer, halves to even, as the page's device sizes are reported.
Integer RoundEven(Extended v) { return static_cast<Integer>(std::nearbyint(v)); }

// The canvas of a page. It records against the screen, whose pixels need not be the page's
// device units: when they differ, a mapping makes one logical unit one device unit of the page,
// and the font measures its sizes in those units, so that callers see the page's units only.
class TPDFPageCanvas : public TMetafileCanvas {
  CLASS_INFO(TPDFPageCanvas, TMetafileCanvas)
public:
  TPDFPageCanvas(TMetafile* Metafile, Integer Resolution) : TMetafileCanvas(Metafile, nullptr) {
    const Integer screen = ScreenLogPixels();
    if (Resolution == screen || Resolution <= 0) return;
    ::SetMapMode(FHandle, MM_ANISOTROPIC);
    ::SetWindowExtEx(FHandle, Resolution, Resolution, nullptr);
    ::SetViewportExtEx(FHandle, screen, screen, nullptr);
    const Integer size = GetFont()->GetSize();
    GetFont()->PixelsPerInch = Resolution;
    GetFont()->SetSize(size);
  }
};

}  // namespace

TPDFPage::TPDFPage(TPDFDocument* Owner) : FOwner(Owner) {
  FPageNumber = FOwner->GetNextID();
  FResolution = FOwner->GetResolution();
  FScale = FResolution / 72.0L;
  SetSize(2);
  GStateSave();
}

TPDFPage::~TPDFPage() {
  FreeCanvas();
  // An annotation takes itself off its page's list when it is freed; the list is emptied first
  // so that nothing changes it while it is walked.
  std::vector<TPDFCustomAnnotation*> annotations;
  annotations.swap(FAnnotations);
  for (TPDFCustomAnnotation* annotation : annotations) delete annotation;
}

// ---------------------------------------------------------------------------------------------
// Size and orientation

void TPDFPage::CheckNotDrawn() const {
  if (FDrawn) throw TPDFException(SPageInProgress);
}

void TPDFPage::SetSize(Byte Value) {
  CheckNotDrawn();
  FSize = Value;
  if (Value >= 1 && Value <= 19) {
    FHeightPt = kSizes[Value][0];
    FWidthPt = kSizes[Value][1];
  }
  SetOrientation(FOrientation);
}

// The recording's frame is the sheet, in hundredths of a millimetre.
void TPDFPage::SizeMetafile() {
  if (!FMetafile) return;
  FMetafile->SetMMWidth(static_cast<Integer>(std::lround(FWidthPt * 2540.0L / 72)));
  FMetafile->SetMMHeight(static_cast<Integer>(std::lround(FHeightPt * 2540.0L / 72)));
}

void TPDFPage::SetOrientation(Byte Value) {
  CheckNotDrawn();
  FOrientation = Value;
  if ((Value == 0 && FWidthPt > FHeightPt) || (Value == 1 && FWidthPt < FHeightPt)) std::swap(FWidthPt, FHeightPt);
  SizeMetafile();
}

Integer TPDFPage::GetHeight() const { return RoundEven(FHeightPt * FScale); }
Integer TPDFPage::GetWidth() const { return RoundEven(FWidthPt * FScale); }

void TPDFPage::SetHeight(Integer Value) {
  CheckNotDrawn();
  if (Value == GetHeight()) return;
  FHeightPt = RoundEven(Value / FScale);
  FSize = 0;
  SizeMetafile();
}

void TPDFPage::SetWidth(Integer Value) {
  CheckNotDrawn();
  if (Value == GetWidth()) return;
  FWidthPt = RoundEven(Value / FScale);
  FSize = 0;
  SizeMetafile();
}

// ---------------------------------------------------------------------------------------------
// The canvas

void TPDFPage::CreateCanvas() {
  if (FMetafile) throw TPDFException(SCanvasForThisPageAlreadyCreated);
  FMetafile = new TMetafile;
  SizeMetafile();
  try {
    FCanvas = new TPDFPageCanvas(FMetafile, FResolution);
  } catch (...) {
    delete FMetafile;
    FMetafile = nullptr;
    throw;
  }
}

TCanvas* TPDFPage::GetCanvas() const { return FCanvas; }

void TPDFPage::FreeCanvas() {
  delete FCanvas;
  FCanvas = nullptr;
  delete FMetafile;
  FMetafile = nullptr;
}

void TPDFPage::ClosePageCanvas() {
  if (!FMetafile) return;
  // Freeing the canvas completes the recording.
  delete FCanvas;
  FCanvas = nullptr;
  // The metafile goes whatever happens, so that closing the page again never translates the
  // same recording twice.
  std::unique_ptr<TMetafile> metafile(FMetafile);
  FMetafile = nullptr;
  TEMWParser parser(this);
  metafile->SetEnhanced(true);
  parser.LoadMetaFile(metafile.get());
  const TSize size = parser.GetMetaFileSize();
  if (size.cx < 1 || size.cy < 1) return;
  // The translated drawing comes first, then a carriage return and the operators written
  // directly on the page (its own "q" among them). The content is kept as lines: the lone carriage
  // return ends a line of its own, an empty one, so that the page's "q" starts a line. They come
  // back also when the translation fails, so that nothing written on the page is lost.
  AnsiString direct;
  direct.swap(FContent);
  ScopeExit joined([&] {
    FContent += "\r\n";
    FContent += direct;
  });
  parser.Execute();
}

// ---------------------------------------------------------------------------------------------
// Content

void TPDFPage::AppendLine(const AnsiString& Line) {
  FContent += Line;
  FContent += "\r\n";
}

AnsiString TPDFPage::CutContent(std::size_t Position) {
  if (Position >= FContent.size()) return AnsiString();
  AnsiString tail = FContent.substr(Position);
  FContent.resize(Position);
  return tail;
}

void TPDFPage::GStateSave() {
  AppendLine("q");
  ++FGStateDepth;
  FSavedDashes.push_back(FDash);
}

void TPDFPage::GStateRestore() {
  if (FGStateDepth == 1) return;
  AppendLine("Q");
  --FGStateDepth;
  if (!FSavedDashes.empty()) {
    FDash = std::move(FSavedDashes.back());
    FSavedDashes.pop_back();
  }
}

// ---------------------------------------------------------------------------------------------
// Writing

void TPDFPage::WritePageObject() {
  TPDFDocument* doc = FOwner;
  for (TPDFFont* font : FFonts)
    if (font->ObjectNumber == -1) font->ObjectNumber = doc->GetNextID();
  for (TPDFImage* image : FImages)
    if (image->ObjectNumber == -1) image->Save(doc);
  for (TPDFCustomAnnotation* annotation : FAnnotations)
    if (annotation->ID == -1) annotation->ID = doc->GetNextID();

  while (FGStateDepth > 1) {
    AppendLine("Q");
    --FGStateDepth;
  }
  FGStateDepth = 2;
  GStateRestore();

  FResourceNumber = doc->GetNextID();
  if (!FIsForm) FContentNumber = doc->GetNextID();

  for (TPDFCustomAnnotation* annotation : FAnnotations) annotation->Save();

  doc->StartObj(FResourceNumber);
  AnsiString procSet = " /ProcSet [/PDF ";
  if (FUsesText) procSet += "/Text ";
  if (FUsesGrayImage) procSet += "/ImageB ";
  if (FUsesColorImage) procSet += "/ImageC ";
  doc->SaveToStream(procSet + "]");
  if (!FFonts.empty()) {
    doc->SaveToStream("/Font <<");
    for (TPDFFont* font : FFonts) doc->SaveToStream("/" + font->Alias + " " + IStr(font->ObjectNumber) + " 0 R");
    doc->SaveToStream(">>");
  }
  if (!FImages.empty()) {
    doc->SaveToStream(" /XObject <<");
    for (TPDFImage* image : FImages) doc->SaveToStream("/" + image->Name + " " + IStr(image->ObjectNumber) + " 0 R");
    doc->SaveToStream(">>");
  }
  doc->CloseHObj();
  doc->CloseObj();

  Integer streamNumber;
  if (!FIsForm) {
    doc->StartObj(FContentNumber);
    streamNumber = FContentNumber;
  } else {
    doc->StartObj(FPageNumber);
    streamNumber = FPageNumber;
    doc->SaveToStream("/Type /XObject");
    doc->SaveToStream("/Subtype /Form");
    doc->SaveToStream("/Resources " + IStr(FResourceNumber) + " 0 R");
    AnsiString matrix = "/Matrix [";
    for (Extended v : {FFormMatrix.a, FFormMatrix.b, FFormMatrix.c, FFormMatrix.d, FFormMatrix.e}) {
      AppendFloat(matrix, v);
      matrix += ' ';
    }
    AppendFloat(matrix, FFormMatrix.f);
    doc->SaveToStream(matrix + " ]");
    doc->SaveToStream("/BBox [0 0 " + IStr(FWidthPt) + " " + IStr(FHeightPt) + "]");
  }
  if (doc->GetCompression() == ctNone) {
    doc->SaveToStream("/Length " + IStr(static_cast<Integer>(FContent.size())));
    doc->CloseHObj();
    doc->StartStream();
    doc->WriteStreamData(FContent.data(), FContent.size(), streamNumber);
  } else {
    TMemoryStream packed;
    {
      TCompressionStream deflate(TCompressionLevel::clDefault, &packed);
      deflate.WriteBuffer(FContent.data(), static_cast<Integer>(FContent.size()));
      deflate.Finish();
    }
    doc->SaveToStream("/Length " + IStr(static_cast<Integer>(packed.GetSize())));
    doc->SaveToStream("/Filter /FlateDecode");
    doc->CloseHObj();
    doc->StartStream();
    doc->WriteStreamData(packed.GetMemory(), static_cast<std::size_t>(packed.GetSize()), streamNumber);
  }
  doc->SaveToStream("");
  doc->CloseStream();
  doc->CloseObj();
  AnsiString().swap(FContent);

  if (!FIsForm) {
    doc->StartObj(FPageNumber);
    doc->SaveToStream("/Type /Page");
    doc->SaveToStream("/Parent " + IStr(doc->GetPagesID()) + " 0 R");
    doc->SaveToStream("/Resources " + IStr(FResourceNumber) + " 0 R");
    doc->SaveToStream("/Contents [" + IStr(FContentNumber) + " 0 R]");
    doc->SaveToStream("/MediaBox [0 0 " + IStr(FWidthPt) + " " + IStr(FHeightPt) + "]");
    if (FRotation >= 1 && FRotation <= 3) doc->SaveToStream("/Rotate " + IStr(FRotation * 90));
    if (!FAnnotations.empty()) {
      doc->SaveToStream("/Annots [");
      for (TPDFCustomAnnotation* annotation : FAnnotations) doc->SaveToStream(Reference(annotation->ID));
      doc->SaveToStream("]");
    }
    doc->CloseHObj();
    doc->CloseObj();
  }
}

// ---------------------------------------------------------------------------------------------

TPDFPages::~TPDFPages() = default;

TPDFPage* TPDFPages::Add() {
  FPages.push_back(std::make_unique<TPDFPage>(FOwner));
  TPDFPage* page = FPages.back().get();
  page->FIsForm = FForms;
  return page;
}

Integer TPDFPages::IndexOf(const TPDFPage* Page) const {
  for (Integer i = 0; i < GetCount(); ++i)
    if (FPages[i].get() == Page) return i;
  return -1;
}

void TPDFPages::Clear() { FPages.clear(); }
