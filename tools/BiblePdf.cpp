#include "tools/BiblePdf.h"

#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/Streams.h"
#include "core/MyRegistry.h"
#include "core/Utilities.h"
#include "pdf/PDF.h"
#include "richtext/core/UVStyle.h"
#include "tools/BibleMeasurer.h"
#include "tools/BiblePageRecords.h"

namespace {

// A PDF document whose output goes to memory and is thrown away: its page canvas measures text
// exactly as the canvas of the document printed later.
class TMeasuringDocument {
public:
  TMeasuringDocument(Integer resolution, Integer pageSize) : document_(new TPDFDocument(nullptr)) {
    document_->SetResolution(resolution);
    document_->OutputStream = &output_;
    document_->BeginDoc();
    TPDFPage* page = document_->GetCurrentPage();
    page->SetSize(static_cast<Byte>(pageSize));
    page->SetOrientation(0);
  }
  ~TMeasuringDocument() {
    if (document_->GetPrinting()) document_->Abort();
  }
  TPDFDocument* Document() const { return document_.get(); }

private:
  TMemoryStream output_;
  std::unique_ptr<TPDFDocument> document_;
};

}  // namespace

TBiblePageSetup TBiblePageSetup::FromSettings() {
  TBiblePageSetup setup;
  setup.PaperSize = MyReg->GetPaperSize();
  setup.Top = MyReg->GetTopMargin();
  setup.Bottom = MyReg->GetBottomMargin();
  setup.Left = MyReg->GetLeftMargin();
  setup.Right = MyReg->GetRightMargin();
  setup.MirrorMargins = MyReg->GetMirrorMargins();
  return setup;
}

TBiblePageMeasures MeasureBiblePage(const TBiblePageSetup& setup, Integer resolution) {
  TMeasuringDocument measuring(resolution, PaperSizeToPageSize(setup.PaperSize));
  TPDFPage* page = measuring.Document()->GetCurrentPage();
  TBiblePageMeasures measures;
  measures.Width = page->GetWidth();
  measures.Height = page->GetHeight();
  const Integer screen = Screen->GetPixelsPerInch();
  auto units = [&](Integer millimetres) { return ::MulDiv(MillimetresToPixels(millimetres), resolution, screen); };
  measures.Margins = TRect{units(setup.Left), units(setup.Top), units(setup.Right), units(setup.Bottom)};
  measures.Geometry = MakePageGeometry(measures.Width, measures.Height, measures.Margins.Top, measures.Margins.Bottom,
                                       measures.Margins.Left, measures.Margins.Right, setup.MirrorMargins);
  return measures;
}

TBibleStyleFonts::TBibleStyleFonts(TUVStyle* style) {
  TFontInfos* infos = style->GetTextStyles();
  for (Integer i = 0; i < infos->GetCount(); ++i) {
    fonts_.push_back(std::make_unique<TFont>());
    fonts_.back()->Assign(infos->GetItem(i));
  }
}

TBibleStyleFonts::~TBibleStyleFonts() = default;

TFont* TBibleStyleFonts::Font(Integer style) const {
  return style >= 0 && style < Count() ? fonts_[style].get() : nullptr;
}

TTestamentLayout TypesetTestament(const TBibleText& text, const TBookStarts& starts, TUVStyle* style,
                                  const TBiblePageGeometry& geometry, Integer resolution, Integer lineSpacing,
                                  const THyphenationSettings& hyphenation, const AnsiString& testamentName,
                                  const AnsiString& pageFileName,
                                  const std::function<void(const AnsiString&)>& status) {
  TMeasuringDocument measuring(resolution, 1);
  TBibleStyleFonts fonts(style);
  TCanvasMeasurer canvas(measuring.Document()->GetCanvas());
  for (Integer i = 0; i < fonts.Count(); ++i) canvas.SetFont(i, fonts.Font(i));
  TCachedMeasurer measurer(canvas);

  TBiblePaginator paginator(measurer, geometry);
  paginator.LineSpacing = lineSpacing;
  paginator.Hyphenation = hyphenation;
  paginator.TestamentName = testamentName;
  paginator.OnStatus = status;
  TTestamentLayout layout;
  TFileStream file(pageFileName, fmCreate);
  TPageFileWriter writer(&file);
  layout.Pages = paginator.Repaginate(text, starts, writer, layout.Contents);
  return layout;
}

TPdfBibleSheets::TPdfBibleSheets(TPDFDocument* document, Integer pageSize) : document_(document), pageSize_(pageSize) {
  Shape();
}

TCanvas* TPdfBibleSheets::Canvas() { return document_->GetCanvas(); }

void TPdfBibleSheets::NewPage() {
  document_->NewPage();
  Shape();
}

void TPdfBibleSheets::Shape() {
  TPDFPage* page = document_->GetCurrentPage();
  page->SetSize(static_cast<Byte>(pageSize_));
  page->SetOrientation(0);
}
