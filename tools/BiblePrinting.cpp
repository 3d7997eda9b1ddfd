#include "tools/BiblePrinting.h"

#include <algorithm>

#include "classlib/Forms.h"
#include "classlib/Graphics.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVReport.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVEdit.h"
#include "richtext/edit/UVTable.h"
#include "tools/BibleMeasurer.h"
#include "tools/BiblePageRecords.h"
#include "tools/BibleText.h"
#include "tools/BookHeadings.h"
#include "tools/ExtraPages.h"

namespace {

// Ten blanks stand between the page number and the date.
const char kDateGap[] = "          ";

// Philemon, 2 John, 3 John and Jude have one chapter, whose number the header leaves out.
AnsiString ChapterText(Integer book, Integer chapter) {
  if (book == 57 || book == 63 || book == 64 || book == 65) return AnsiString();
  return IntToStr(chapter);
}

}  // namespace

AnsiString PageHeaderText(Integer firstBook, Integer firstChapter, Integer lastBook, Integer lastChapter) {
  const AnsiString first = ChapterText(firstBook, firstChapter);
  const AnsiString last = ChapterText(lastBook, lastChapter);
  if (firstBook == lastBook) {
    if (firstChapter == lastChapter) return Format("%s %s", {BookHeading(firstBook), first});
    return Format("%s %s - %s", {BookHeading(firstBook), first, last});
  }
  return Format("%s %s - %s %s", {BookHeading(firstBook), first, BookHeading(lastBook), last});
}

TBiblePagePrinter::TBiblePagePrinter(TBibleSheets& sheets, const TBiblePrintSettings& settings)
    : sheets_(sheets), settings_(settings) {}

void TBiblePagePrinter::SetFont(Integer style, TFont* font) {
  if (style < 0 || style >= static_cast<Integer>(fonts_.size())) return;
  fonts_[style] = font;
  fontStyle_ = -1;
}

void TBiblePagePrinter::Use(Integer style) {
  // The canvas keeps the font set last for as long as the page lasts; a new page has a new canvas,
  // which starts with its own font, whatever address it was given.
  if (style == fontStyle_) return;
  TCanvas* canvas = sheets_.Canvas();
  if (fontStyle_ < 0) canvas->GetBrush()->SetStyle(bsClear);
  if (style >= 0 && style < static_cast<Integer>(fonts_.size()) && fonts_[style])
    canvas->GetFont()->Assign(fonts_[style]);
  fontStyle_ = style;
}

void TBiblePagePrinter::NewPage() {
  sheets_.NewPage();
  fontStyle_ = -1;
}

Integer TBiblePagePrinter::Width(Integer style, const AnsiString& text) {
  return measurer_ ? measurer_->TextWidth(style, text) : sheets_.Canvas()->TextWidth(text);
}

void TBiblePagePrinter::Draw(Integer style, Integer x, Integer y, const AnsiString& text) {
  TCanvas* canvas = sheets_.Canvas();
  if (!measurer_ || text.empty()) {
    canvas->TextOut(x, y, text);
    return;
  }
  std::vector<INT> advances(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) advances[i] = measurer_->CharWidth(style, text[i]);
  ::ExtTextOutA(canvas->GetHandle(), x, y, static_cast<UINT>(canvas->TextFlags), nullptr, text.data(),
                static_cast<UINT>(text.size()), advances.data());
}

void TBiblePagePrinter::StartPageIfStarted() {
  if (PageStarted) NewPage();
}

void TBiblePagePrinter::PrintTestamentPages(TStream* pageFile, Integer first, Integer last) {
  StartPageIfStarted();
  // Whatever was drawn on the page before (an extra page) set the canvas's font.
  fontStyle_ = -1;
  auto status = [&](Integer page) {
    if (OnStatus) OnStatus(Format("Printing %s page %d", {TestamentName, page}));
  };
  status(first);
  auto inRange = [&](Integer page) { return page >= first && page <= last; };

  Use(bsText);
  const Integer textHeight = sheets_.Canvas()->TextHeight(" ");
  Use(bsBrackets);
  const Integer bracketsHeight = sheets_.Canvas()->TextHeight(" ");
  Use(bsChapter);
  const Integer chapterHeight = sheets_.Canvas()->TextHeight(" ");
  const Integer bracketOffset = static_cast<Integer>(Round((textHeight - bracketsHeight) * 0.75L));
  const Integer chapterOffset = static_cast<Integer>(Round(chapterHeight * 0.12L));

  TPageFileReader reader(pageFile);
  TPageRecord record;
  Integer current = 0;
  TChapter carried, pageFirst, pageLast;
  // A page's first or last chapter that the page did not set is the one carried from before; a
  // page on which only one chapter begins ends with it too.
  auto complete = [&](TChapter value) {
    if (value.Book == 0 && value.Chapter == 0 && (pageFirst.Book != 0 || pageFirst.Chapter != 0)) value = pageFirst;
    if (value.Book == 0) value.Book = carried.Book;
    if (value.Chapter == 0) value.Chapter = carried.Chapter;
    return value;
  };
  while (reader.Next(record)) {
    if (record.Page != current) {
      if (inRange(current)) DrawPageHeader(current, complete(pageFirst), complete(pageLast));
      carried = complete(pageLast);
      pageFirst = pageLast = TChapter();
      if (inRange(record.Page) && record.Page != first) {
        NewPage();
        status(record.Page);
      }
      current = record.Page;
    } else if (record.Book != 0 && record.Chapter != 0 &&
               (record.Book != carried.Book || record.Chapter != carried.Chapter)) {
      if (pageFirst.Book == 0 && pageFirst.Chapter == 0)
        pageFirst = TChapter{record.Book, record.Chapter};
      else
        pageLast = TChapter{record.Book, record.Chapter};
    }
    if (!inRange(record.Page)) continue;
    Use(record.Style);
    Integer y = record.Y;
    if (record.Style == bsChapter)
      y -= chapterOffset;
    else if (record.Style == bsBrackets)
      y += bracketOffset;
    Draw(record.Style, record.X, y, record.Text);
  }
  if (inRange(current)) DrawPageHeader(current, complete(pageFirst), complete(pageLast));
  PageStarted = true;
}

void TBiblePagePrinter::DrawPageHeader(Integer page, const TChapter& first, const TChapter& last) {
  const bool even = page % 2 == 0;
  const TRect& area =
      even && settings_.MirrorMargins ? settings_.Geometry.EvenPage : settings_.Geometry.OddPage;
  const bool numberLeft = even && settings_.MirrorMargins;
  AnsiString number = IntToStr(page);
  if (settings_.IncludeDate)
    number = numberLeft ? number + kDateGap + settings_.DateText : settings_.DateText + kDateGap + number;
  Use(bsText);
  TCanvas* canvas = sheets_.Canvas();
  canvas->GetBrush()->SetStyle(bsClear);
  const Integer gap = 10 * settings_.Resolution / 72;
  auto top = [&](const AnsiString& text) {
    return area.Top - canvas->TextHeight(text) * settings_.LineSpacing / 100 - gap;
  };
  Draw(bsText, numberLeft ? area.Left : area.Right - Width(bsText, number), top(number), number);
  AnsiString heading = PageHeaderText(first.Book, first.Chapter, last.Book, last.Chapter);
  if (settings_.HeadingInAllCaps) heading = AnsiUpperCase(heading);
  Draw(bsText, (area.Left + area.Right - Width(bsText, heading)) / 2, top(heading), heading);
}

namespace {

const char kContentsPagesStyle[] = "Contents pages";

// The table of contents that takes a placeholder's place: one row for each book, its heading on
// the left (80 %), its first page on the right (20 %, right-aligned), without visible borders. A
// heading that takes more than one line only makes its own row taller; the numbers of the rows
// below stay beside their books.
TUVTableItemInfo* ContentsTable(TCustomUzurUvadEdit* editor, const std::vector<TContentsEntry>& entries,
                                Integer rightPara) {
  const Integer rows = std::max<Integer>(1, static_cast<Integer>(entries.size()));
  auto* table = new TUVTableItemInfo(rows, 2, editor->GetUVData());
  table->SetBestWidth(-100);
  table->SetColor(clWhite);
  table->SetBorderStyle(uvtbColor);
  table->SetCellBorderStyle(uvtbColor);
  table->SetBorderWidth(2);
  table->SetCellBorderWidth(2);
  table->SetBorderColor(clWhite);
  table->SetBorderLightColor(clWhite);
  table->SetCellBorderColor(clWhite);
  table->SetCellBorderLightColor(clWhite);
  table->SetCellPadding(3);
  table->SetBorderVSpacing(0);
  table->SetBorderHSpacing(0);
  table->SetCellVSpacing(0);
  table->SetCellHSpacing(0);
  for (Integer row = 0; row < rows; ++row) {
    TUVTableCellData* heading = table->GetCells(row, 0);
    TUVTableCellData* page = table->GetCells(row, 1);
    heading->BestWidth = -80;
    page->BestWidth = -20;
    heading->Clear();
    page->Clear();
    if (row >= static_cast<Integer>(entries.size())) continue;
    const TContentsEntry& entry = entries[static_cast<std::size_t>(row)];
    heading->AddNL(entry.Heading, 0, 0);
    page->AddNL(IntToStr(entry.Page), 0, rightPara);
  }
  return table;
}

void ReplacePlaceholder(TCustomUzurUvadEdit* editor, const char* placeholder,
                        const std::vector<TContentsEntry>& entries, Integer rightPara) {
  const Integer start = editor->GetOffsBeforeItem(0);
  editor->SetSelectionBounds(0, start, 0, start);
  // Match case, downwards.
  if (editor->SearchText(placeholder, 3)) editor->InsertItem("", ContentsTable(editor, entries, rightPara));
}

}  // namespace

void PrintExtraPageDocument(const AnsiString& fileName, TCustomUzurUvadEdit* editor, TUVReportHelper* helper,
                            const TExtraPageContents& contents, const TRect& margins, const TRect& textArea,
                            TBibleSheets& sheets) {
  editor->Clear();
  editor->LoadUVF(fileName);
  editor->SetTopMargin(margins.Top);
  editor->SetRightMargin(margins.Right);
  editor->SetBottomMargin(margins.Bottom);
  editor->SetLeftMargin(margins.Left);
  editor->Format();
  // The page numbers stand right-aligned; the style is added once to the style sheet.
  TParaInfos* paras = editor->GetStyle()->GetParaStyles();
  Integer rightPara = -1;
  for (Integer i = 0; i < paras->GetCount() && rightPara < 0; ++i)
    if (paras->GetItem(i)->StyleName == kContentsPagesStyle) rightPara = i;
  if (rightPara < 0) {
    TParaInfo* right = paras->Add();
    right->StyleName = kContentsPagesStyle;
    right->Alignment = uvaRight;
    rightPara = paras->GetCount() - 1;
  }
  if (editor->GetItemCount() > 0) {
    ReplacePlaceholder(editor, OldTestamentContentsPlaceholder, contents.OldTestament, rightPara);
    ReplacePlaceholder(editor, NewTestamentContentsPlaceholder, contents.NewTestament, rightPara);
  }
  editor->Format();

  TReportUzurUvad* report = helper->GetUzurUvad();
  {
    TMemoryStream stream;
    editor->SaveUVFToStream(&stream, false);
    stream.SetPosition(0);
    report->Clear();
    report->LoadUVFFromStream(&stream);
  }
  report->SetTopMargin(margins.Top);
  report->SetRightMargin(margins.Right);
  report->SetBottomMargin(margins.Bottom);
  report->SetLeftMargin(margins.Left);

  // The report helper takes its width in screen pixels and its heights and places in the
  // canvas's device pixels, as printing a list does.
  TCanvas* canvas = sheets.Canvas();
  TUVScreenAndDevice sad;
  UVGetResolution(canvas, sad);
  const Integer screen = Screen->GetPixelsPerInch();
  const Integer height = textArea.Bottom - textArea.Top;
  helper->PrepareFormatting(canvas, ::MulDiv(textArea.Right - textArea.Left, screen, sad.DevicePpiX));
  while (helper->FormatNextPage(height)) {
  }
  const Integer pages = helper->GetPrintPageCount();
  for (Integer page = 1; page <= pages; ++page) {
    if (page > 1) sheets.NewPage();
    canvas = sheets.Canvas();
    POINT origin{textArea.Left, textArea.Top};
    ::LPtoDP(canvas->GetHandle(), &origin, 1);
    helper->DrawPageAt(origin.x, origin.y, page, canvas, false, height);
  }
  report->Clear();
}
