// Cutting a formatted document into pages at the bitmap printer's 600 pixels per inch: where each
// page starts and what it holds, checked against the formatter's draw lines; margins and the room
// kept on the first page; lines that stay whole, page-break items, pictures and lines taller than
// a page, pictures drawn in parts; page numbers out of range, empty documents, reformatting, the
// formatting event and the defaults of a new report.
#include <memory>
#include <stdexcept>

#include "PrintTestSupport.h"
#include "classlib/Lists.h"
#include "classlib/TypInfo.h"
#include "richtext/core/UVWindowless.h"

namespace {

using print_test::AddPicture;
using print_test::Report;

// A text style of Arial in Size points; its number.
Integer AddTextStyle(Report& R, Integer Size) {
  R.Style.GetTextStyles()->Add()->Size = Size;
  return R.Style.GetTextStyles()->GetCount() - 1;
}

void AddLines(Report& R, Integer Count, const std::string& Prefix = "Line ") {
  for (Integer i = 0; i < Count; ++i) R.Viewer()->AddNL((Prefix + std::to_string(i)).c_str(), 0, 0);
}

std::vector<Integer> PageStarts(Report& R) {
  std::vector<Integer> starts;
  for (Integer p = 1; p <= R.Helper.GetPrintPageCount(); ++p) starts.push_back(R.Page(p)->FirstDrawItemNo);
  return starts;
}

template <class E, class F>
std::string ErrorOf(F f) {
  try {
    f();
  } catch (const E& e) {
    return e.Message;
  }
  return "no error";
}

TEST(Pagination, LinesFillEachPageAtThePrintersResolution) {
  Report r;
  AddLines(r, 25);
  r.Paginate(100000);
  // The document is laid out for the printer: 600 pixels per inch against the screen's 96.
  EXPECT_EQ(r.Data()->PrnSad.DevicePpiY, 600);
  EXPECT_EQ(r.Data()->PrnSad.ScreenPpiY, 96);
  TUVStyle style(nullptr);
  style.GetTextStyles()->GetItem(0)->Size = 12;
  TUVWindowlessData screen(&style);
  screen.TopMargin = 0;
  screen.AddNL("Line 0", 0, 0);
  screen.FormatDefault(false);
  Integer screenHeight = screen.DrawItems->Get(0)->Height;
  EXPECT_NEAR(r.Line(0)->Height, screenHeight * 600 / 96, screenHeight * 600 / 96 / 10);
  // The layout itself starts at the top: the top margin is applied to each page instead.
  EXPECT_EQ(r.Line(0)->Top, 0);

  const Integer pitch = r.Line(1)->Top - r.Line(0)->Top;
  const Integer height = r.Line(0)->Height;
  ASSERT_LE(height, pitch);
  struct Case {
    const char* Name;
    Integer TopMargin, BottomMargin;  // screen pixels
    Integer FirstPageOffset;          // in lines
    Integer PageLines;                // the page height in lines
    Integer ExtraDevice;              // printer pixels added to the page height
    std::vector<Integer> Starts;
  };
  const Integer margins = r.Data()->PrnSad.YToDevice(16) + r.Data()->PrnSad.YToDevice(8);
  const std::vector<Case> cases = {
      {"ten lines a page", 0, 0, 0, 10, 0, {0, 10, 20}},
      {"a line short of the eleventh", 0, 0, 0, 11, -1 - (pitch - height), {0, 10, 20}},
      {"margins come off the page", 16, 8, 0, 10, 0, {0, 8, 16, 24}},
      {"margins added to the page", 16, 8, 0, 10, margins, {0, 10, 20}},
      {"two lines kept free on the first page", 0, 0, 2, 10, 0, {0, 8, 18}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    r.Viewer()->SetTopMargin(c.TopMargin);
    r.Viewer()->SetBottomMargin(c.BottomMargin);
    r.Helper.FirstPageOffset = c.FirstPageOffset * pitch;
    Integer pages = r.Paginate(c.PageLines * pitch + c.ExtraDevice);
    EXPECT_EQ(pages, static_cast<Integer>(c.Starts.size()));
    EXPECT_EQ(PageStarts(r), c.Starts);
    EXPECT_EQ(r.Page(1)->PageTopY, 0);
    for (Integer p = 2; p <= pages; ++p) EXPECT_EQ(r.Page(p)->PageTopY, r.Line(c.Starts[p - 1])->Top);
    // Each page draws up to the line before the next page's first.
    auto ranges = r.PageRanges();
    for (std::size_t p = 0; p < ranges.size(); ++p)
      EXPECT_EQ(ranges[p].second, p + 1 < ranges.size() ? c.Starts[p + 1] - 1 : 24);
    // The height used on the last page, from its top to the bottom of the last line.
    Integer used = r.Line(24)->Top + height - r.Page(pages)->PageTopY;
    if (pages == 1) used += r.Helper.FirstPageOffset;
    EXPECT_EQ(r.Helper.LastPageHeight, used);
    // Each page after the first is a soft page break at the start of its first line.
    ASSERT_EQ(r.Data()->SoftPageBreaks.size(), c.Starts.size() - 1);
    for (std::size_t p = 1; p < c.Starts.size(); ++p) {
      EXPECT_EQ(r.Data()->SoftPageBreaks[p - 1].ItemNo, c.Starts[p]);
      EXPECT_EQ(r.Data()->SoftPageBreaks[p - 1].Offset, 1);
      EXPECT_EQ(r.Data()->SoftPageBreaks[p - 1].ExtraData, -1);
    }
  }
}

TEST(Pagination, ParagraphSpacingGoesWithTheLinesThatNeedIt) {
  Report r;
  TParaInfo* spaced = r.Style.GetParaStyles()->GetItem(0);
  spaced->SpaceBefore = 8;
  spaced->SpaceAfter = 16;
  AddLines(r, 12);
  r.Paginate(100000);
  const Integer before = r.Data()->PrnSad.YToDevice(8);
  const Integer after = r.Data()->PrnSad.YToDevice(16);
  // A line fits when its bottom and its paragraph's space after are on the page.
  const Integer bottom3 = r.Line(3)->Top + r.Line(3)->Height;
  r.Paginate(bottom3 + after);
  EXPECT_EQ(PageStarts(r), (std::vector<Integer>{0, 4, 8}));
  r.Paginate(bottom3 + after - 1);
  EXPECT_EQ(PageStarts(r)[1], 3);
  // A page starts with the space before its first paragraph.
  EXPECT_EQ(r.Page(2)->PageTopY, r.Line(3)->Top - before);
}

TEST(Pagination, ALineIsNeverSplitAndAParagraphBreaksBetweenLines) {
  Report r;
  Integer big = AddTextStyle(r, 36);
  AddLines(r, 5);
  // A line of a small piece and a tall one: the small piece alone would fit.
  r.Viewer()->AddNL("small", 0, 0);
  r.Viewer()->Add("X", big);
  // A paragraph long enough to wrap into many lines.
  std::string words;
  for (int i = 0; i < 60; ++i) words += "word" + std::to_string(i) + " ";
  r.Viewer()->AddNL(words.c_str(), 0, 0);
  r.Paginate(100000);
  ASSERT_EQ(r.Data()->GetItemStyle(r.Line(6)->ItemNo), big);
  ASSERT_TRUE(r.Line(5)->FromNewLine);
  ASSERT_FALSE(r.Line(6)->FromNewLine);
  const Integer smallBottom = r.Line(5)->Top + r.Line(5)->Height;
  ASSERT_LT(smallBottom, r.Line(6)->Top + r.Line(6)->Height);

  r.Paginate(smallBottom + 1);
  // The page breaks before the whole line, not before its tall piece.
  EXPECT_EQ(PageStarts(r)[1], 5);

  // The long paragraph (item 7, a draw line for each of its lines) goes on on the next page
  // from the start of a line in its middle.
  for (Integer d = 7; d <= 10; ++d) ASSERT_EQ(r.Line(d)->ItemNo, 7);
  r.Paginate(r.Line(9)->Top + r.Line(9)->Height + r.Line(0)->Height / 2);
  EXPECT_EQ(PageStarts(r)[1], 10);
  EXPECT_TRUE(r.Line(10)->FromNewLine);
  EXPECT_GT(r.Line(10)->Offs, 1);
}

TEST(Pagination, APageBreakItemStartsAPageButNeverLeavesTheFirstEmpty) {
  Report r;
  AddLines(r, 3);
  r.Data()->SetPageBreakBefore(1, true);
  r.Paginate(100000);
  EXPECT_EQ(PageStarts(r), (std::vector<Integer>{0, 1}));
  EXPECT_EQ(r.Page(2)->PageTopY, r.Line(1)->Top);

  Report first;
  AddLines(first, 3);
  first.Data()->SetPageBreakBefore(0, true);
  first.Data()->SetPageBreakBefore(2, true);
  first.Paginate(100000);
  EXPECT_EQ(PageStarts(first), (std::vector<Integer>{0, 2}));
}

TEST(Pagination, AnythingTallerThanAPageHasAPageOfItsOwn) {
  // A picture: 1.5 pages high at the printer's resolution.
  Report r;
  AddLines(r, 2);
  AddPicture(r, 100, 432);
  AddLines(r, 2, "After ");
  r.Paginate(1800);
  ASSERT_GT(r.Line(2)->Height, 1800);
  EXPECT_EQ(PageStarts(r), (std::vector<Integer>{0, 2, 3}));
  EXPECT_EQ(r.PageRanges()[1], std::make_pair(2, 2));

  // A line of text in a huge font.
  Report text;
  Integer huge = AddTextStyle(text, 300);
  AddLines(text, 1);
  text.Viewer()->AddNL("X", huge, 0);
  AddLines(text, 1, "After ");
  text.Paginate(1800);
  ASSERT_GT(text.Line(1)->Height, 1800);
  EXPECT_EQ(PageStarts(text), (std::vector<Integer>{0, 1, 2}));
  // Taller than a page as the first line: it stays on the first page.
  Report alone;
  alone.Viewer()->AddNL("X", AddTextStyle(alone, 300), 0);
  AddLines(alone, 1);
  alone.Paginate(1800);
  EXPECT_EQ(PageStarts(alone), (std::vector<Integer>{0, 1}));
}

TEST(Pagination, APictureWithAMinimalHeightIsPrintedInParts) {
  // 600 screen pixels (3750 printer pixels) on pages of 288 (1800): at least 50 on every page.
  Report r;
  AddPicture(r, 100, 600, 50);
  AddLines(r, 2, "After ");
  r.Paginate(1800);
  auto* multi = dynamic_cast<TUVMultiImagePrintInfo*>(r.Line(0));
  ASSERT_TRUE(multi);
  ASSERT_EQ(r.Helper.GetPrintPageCount(), 3);
  // Every page starts at the picture, with the next part.
  for (Integer p = 1; p <= 3; ++p) {
    SCOPED_TRACE(p);
    EXPECT_EQ(r.Page(p)->FirstDrawItemNo, 0);
    EXPECT_EQ(r.Page(p)->FirstPart, p);
  }
  ASSERT_EQ(multi->GetPartCount(), 3);
  Integer screenTotal = 0;
  for (Integer i = 0; i < 3; ++i) {
    TUVImagePrintPart* part = multi->GetImagePart(i);
    EXPECT_EQ(part->ImgTop, screenTotal);
    EXPECT_GE(part->ImgHeight, 50);
    EXPECT_LE(part->Height, 1800);
    screenTotal += part->ImgHeight;
  }
  EXPECT_EQ(screenTotal, 600);
  // The text after the picture continues below its last part on the last page.
  Integer lastPart = multi->GetPart(2)->Height;
  EXPECT_EQ(r.Page(3)->ContinueY, multi->Top + multi->Height - lastPart);
  // The soft page breaks inside the picture name the part each page starts with.
  ASSERT_EQ(r.Data()->SoftPageBreaks.size(), 2u);
  EXPECT_EQ(r.Data()->SoftPageBreaks[0].ItemNo, 0);
  EXPECT_EQ(r.Data()->SoftPageBreaks[0].ExtraData, 1);
  EXPECT_EQ(r.Data()->SoftPageBreaks[1].ExtraData, 2);
  Integer first = 0, last = 0, part = 0;
  r.Data()->GetPageDrawItems(3, first, last, part);
  EXPECT_EQ(first, 0);
  EXPECT_EQ(last, 2);
  EXPECT_EQ(part, 2);
  r.Data()->GetPageDrawItems(1, first, last, part);
  EXPECT_EQ(last, 0);
  EXPECT_EQ(part, 0);

  // Below some lines, the first part fills the rest of the first page.
  Report below;
  AddLines(below, 3);
  AddPicture(below, 100, 600, 50);
  below.Paginate(1800);
  auto* picture = dynamic_cast<TUVMultiImagePrintInfo*>(below.Line(3));
  ASSERT_TRUE(picture);
  EXPECT_EQ(PageStarts(below), (std::vector<Integer>{0, 3, 3}));
  EXPECT_EQ(below.Page(1)->FirstPart, 0);
  EXPECT_EQ(below.Page(2)->FirstPart, 2);
  EXPECT_EQ(below.Page(3)->FirstPart, 3);
  EXPECT_LE(picture->GetPart(0)->Height, 1800 - picture->Top);
  // Page 1 ends with the picture's first part.
  below.Data()->GetPageDrawItems(1, first, last, part);
  EXPECT_EQ(last, 3);

  // Not even the minimal height left: the picture starts the next page.
  Report late;
  AddLines(late, 15);
  AddPicture(late, 100, 600, 50);
  late.Paginate(100000);
  late.Paginate(late.Line(14)->Top + late.Line(14)->Height + late.Data()->PrnSad.YToDevice(49));
  EXPECT_EQ(late.Page(2)->FirstDrawItemNo, 15);
  EXPECT_EQ(late.Page(2)->FirstPart, 1);
}

TEST(Pagination, PageNumbersOutOfRange) {
  Report r;
  AddLines(r, 25);
  ASSERT_EQ(r.Paginate(1000), 4);
  for (Integer page : {0, 5, -1}) {
    SCOPED_TRACE(page);
    EXPECT_EQ(ErrorOf<EUzurUvadError>([&] { r.Data()->ValidatePageNumber(page); }),
              "Invalid page number is specified for printing");
  }
  r.Data()->ValidatePageNumber(1);
  r.Data()->ValidatePageNumber(4);
  // Drawing does not validate: the page list's own check answers.
  EXPECT_EQ(ErrorOf<EListError>([&] { r.Helper.DrawPage(5, r.Printer.GetCanvas(), false, 1000); }),
            "List index out of bounds (4)");
  // Without the style sheet, neither drawing nor cutting pages goes on.
  r.Helper.PrepareFormatting(r.Printer.GetCanvas(), 150);
  r.Viewer()->SetStyle(nullptr);
  EXPECT_EQ(ErrorOf<EUzurUvadError>([&] { r.Helper.DrawPage(1, r.Printer.GetCanvas(), false, 1000); }),
            "Style of printable VUzurUvad component is not assigned");
  EXPECT_EQ(ErrorOf<EUzurUvadError>([&] { r.Helper.FormatNextPage(1000); }),
            "Style of printable VUzurUvad component is not assigned");
}

TEST(Pagination, EmptyDocumentsAndFormattingAgain) {
  Report r;
  r.Helper.PrepareFormatting(r.Printer.GetCanvas(), 150);
  EXPECT_FALSE(r.Helper.FormatNextPage(1000));
  EXPECT_EQ(r.Helper.GetPrintPageCount(), 0);
  EXPECT_FALSE(r.Helper.FormatNextPage(1000));

  AddLines(r, 25);
  EXPECT_EQ(r.Paginate(1000), 4);
  // Formatting again, narrower: the old pages are gone, each line now wraps in two.
  EXPECT_EQ(r.Paginate(1000, 30), 7);
  EXPECT_EQ(r.Helper.GetPrintPageCount(), 7);
  EXPECT_EQ(r.LineCount(), 50);
  // After the last page, there is no other.
  EXPECT_FALSE(r.Helper.FormatNextPage(1000));
  EXPECT_EQ(r.Helper.GetPrintPageCount(), 7);
}

TEST(Pagination, TheFormattingEventReportsStartEachPageAndEnd) {
  struct Listener : TObject {
    std::vector<std::pair<Integer, Integer>> Calls;
    void Formatting(TObject*, Integer PageCount, Integer Step) { Calls.emplace_back(Step, PageCount); }
  } listener;
  Report r;
  r.Helper.OnFormatting = TUVFormattingEvent(&listener, &Listener::Formatting);
  AddLines(r, 25);
  ASSERT_EQ(r.Paginate(1000), 4);
  using Calls = std::vector<std::pair<Integer, Integer>>;
  EXPECT_EQ(listener.Calls, (Calls{{0, 0}, {1, 1}, {1, 2}, {1, 3}, {1, 4}, {2, 4}}));
  // An empty document starts and ends at once.
  listener.Calls.clear();
  Report empty;
  empty.Helper.OnFormatting = TUVFormattingEvent(&listener, &Listener::Formatting);
  EXPECT_EQ(empty.Paginate(1000), 0);
  EXPECT_EQ(listener.Calls, (Calls{{0, 0}, {2, 0}}));
}

TEST(Pagination, ANewReportsDefaults) {
  Report r;
  TReportUzurUvad* viewer = r.Viewer();
  EXPECT_EQ(viewer->GetName(), "UzurUvad");
  EXPECT_FALSE(viewer->GetVisible());
  EXPECT_EQ(viewer->GetBorderStyle(), bsNone);
  EXPECT_TRUE(r.Helper.PreviewCorrection);
  EXPECT_FALSE(r.Helper.GetTransparentBackground());
  struct Default {
    const char* Name;
    Int64 Value;
  };
  for (const Default& d : {Default{"LeftMargin", 5}, Default{"RightMargin", 5}, Default{"TopMargin", 0},
                           Default{"BottomMargin", 0}, Default{"Options", 0x7EA5}, Default{"RTFOptions", 14},
                           Default{"UVFOptions", 67}}) {
    SCOPED_TRACE(d.Name);
    const TPropInfo* prop = GetPropInfo(viewer, d.Name);
    ASSERT_TRUE(prop);
    EXPECT_TRUE(prop->HasDefault);
    EXPECT_EQ(prop->Default, d.Value);
    EXPECT_EQ(GetOrdProp(viewer, prop), d.Value);
  }
  EXPECT_EQ(GetObjectProp(&r.Helper, "UzurUvad"), viewer);
  EXPECT_EQ(GetPropInfo(&r.Helper, "PreviewCorrection")->Default, 1);
}

}  // namespace
