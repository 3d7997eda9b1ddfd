#include "tools/BiblePdf.h"

#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/Streams.h"
#include "core/MyRegistry.h"
#include "core/Utilities.h"
#include "pdf/PDF.h"
#include "pdf/pdfMisc.h"
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

struct TPdfTextMeasurer::TDocument {
  explicit TDocument(Integer resolution) : Measuring(resolution, 1), Canvas(Measuring.Document()->GetCanvas()) {}
  TMeasuringDocument Measuring;
  TCanvasMeasurer Canvas;
};

TPdfTextMeasurer::TPdfTextMeasurer(Integer resolution) : document_(std::make_unique<TDocument>(resolution)) {}

TPdfTextMeasurer::~TPdfTextMeasurer() = default;

void TPdfTextMeasurer::SetFont(Integer style, TFont* font) {
  if (style < 0 || style >= kStyles) return;
  fonts_[style] = font;
  widthsKnown_[style] = heightsKnown_[style] = false;
  document_->Canvas.SetFont(style, font);
}

const std::array<Integer, 256>& TPdfTextMeasurer::Widths(Integer style) {
  if (widthsKnown_[style]) return widths_[style];
  std::array<Integer, 256>& widths = widths_[style];
  TFont* font = fonts_[style];
  if (font) {
    // The PDF font the page's text is shown in: the face when it is TrueType (Symbol and
    // ZapfDingbats being standard fonts), else the standard sans-serif face, at the font's size.
    AnsiString face = font->GetName();
    const AnsiString upper = UpperCase(face);
    if (upper != "ZAPFDINGBATS" && upper != "SYMBOL" && !IsTrueType(face)) face = "Arial";
    const Integer charset = font->GetCharset() == SYMBOL_CHARSET ? 0 : font->GetCharset();
    TPDFPage* page = document_->Measuring.Document()->GetCurrentPage();
    page->SetActiveFont(face, font->GetStyle(), font->GetSize(), charset);
    // Thousandths of a unit.
    Integer thousandths[256];
    page->GetCharWidths(thousandths);
    for (int c = 0; c < 256; ++c) widths[c] = static_cast<Integer>((thousandths[c] + 500) / 1000);
  } else {
    for (int c = 0; c < 256; ++c) widths[c] = document_->Canvas.CharWidth(style, static_cast<char>(c));
  }
  widthsKnown_[style] = true;
  return widths;
}

Integer TPdfTextMeasurer::CharWidth(Integer style, char c) {
  if (style < 0 || style >= kStyles) return document_->Canvas.CharWidth(style, c);
  return Widths(style)[static_cast<unsigned char>(c)];
}

Integer TPdfTextMeasurer::TextWidth(Integer style, std::string_view text) {
  if (style < 0 || style >= kStyles) return document_->Canvas.TextWidth(style, text);
  const std::array<Integer, 256>& widths = Widths(style);
  Integer width = 0;
  for (char c : text) width += widths[static_cast<unsigned char>(c)];
  return width;
}

Integer TPdfTextMeasurer::TextHeight(Integer style) {
  if (style < 0 || style >= kStyles) return document_->Canvas.TextHeight(style);
  if (!heightsKnown_[style]) {
    heights_[style] = document_->Canvas.TextHeight(style);
    heightsKnown_[style] = true;
  }
  return heights_[style];
}

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
  TBibleStyleFonts fonts(style);
  TPdfTextMeasurer measurer(resolution);
  for (Integer i = 0; i < fonts.Count(); ++i) measurer.SetFont(i, fonts.Font(i));

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

void SetUpBiblePdfDocument(TPDFDocument* document) {
  document->SetResolution(BiblePdfResolution);
  document->SetCompression(ctFlate);
  document->SetOnePass(true);
}

namespace {

TBiblePrintSettings AtResolution(TBiblePrintSettings settings, Integer resolution) {
  settings.Resolution = resolution;
  return settings;
}

}  // namespace

TBiblePdfPrinting::TBiblePdfPrinting(TPDFDocument* document, Integer pageSize, TUVStyle* style,
                                     TBiblePrintSettings settings)
    : sheets_(document, pageSize),
      fonts_(style),
      widths_(document->GetResolution()),
      printer_(sheets_, AtResolution(std::move(settings), document->GetResolution())) {
  for (Integer i = 0; i < fonts_.Count(); ++i) {
    printer_.SetFont(i, fonts_.Font(i));
    widths_.SetFont(i, fonts_.Font(i));
  }
  printer_.SetMeasurer(&widths_);
}

TBiblePdfPrinting::~TBiblePdfPrinting() = default;
