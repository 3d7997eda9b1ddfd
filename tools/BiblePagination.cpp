#include "tools/BiblePagination.h"

#include <algorithm>

#include "classlib/SysUtils.h"
#include "tools/BibleMeasurer.h"
#include "tools/BiblePageRecords.h"
#include "tools/BibleText.h"
#include "tools/BookHeadings.h"

namespace {

// A column is 55/116 of the text width; the gap between the two columns takes what remains.
constexpr Integer kColumnParts = 55;
constexpr Integer kWidthParts = 116;

// A title needs room for itself (all its lines) and five lines more.
constexpr Integer kTitleLines = 6;

bool IsBlank(char c) { return c == ' '; }

}  // namespace

TBiblePageGeometry MakePageGeometry(Integer width, Integer height, Integer top, Integer bottom, Integer left,
                                    Integer right, bool mirror) {
  TBiblePageGeometry geometry;
  geometry.OddPage = TRect{left, top, width - right, height - bottom};
  geometry.EvenPage = mirror ? TRect{right, top, width - left, height - bottom} : geometry.OddPage;
  return geometry;
}

TBiblePaginator::TBiblePaginator(TBibleMeasurer& measurer, const TBiblePageGeometry& geometry)
    : measurer_(measurer), geometry_(geometry) {}

void TBiblePaginator::Status(const AnsiString& text) {
  if (OnStatus) OnStatus(text);
}

Integer TBiblePaginator::LineHeight(Integer style) { return measurer_.TextHeight(style) * LineSpacing / 100; }

void TBiblePaginator::Write(Integer x, const AnsiString& text, Integer style) {
  TPageRecord record;
  record.X = x;
  record.Y = y_;
  record.Text = text.substr(0, PageRecordTextSize);
  record.Style = style;
  record.Page = page_;
  record.Book = book_;
  record.Chapter = chapter_;
  file_->Append(record);
  fresh_ = false;
}

// ---------------------------------------------------------------------------------------------
// Pages and columns

void TBiblePaginator::SetColumnGeometry() {
  const TRect& area = page_ % 2 == 1 ? geometry_.OddPage : geometry_.EvenPage;
  const Integer column = (area.Right - area.Left) * kColumnParts / kWidthParts;
  switch (mode_) {
    case 1:
      left_ = area.Left;
      right_ = area.Left + column;
      break;
    case 2:
      left_ = area.Right - column;
      right_ = area.Right;
      break;
    default:
      left_ = area.Left;
      right_ = area.Right;
      break;
  }
}

void TBiblePaginator::AdvanceColumn(bool restart) {
  y_ = Top();
  fresh_ = true;
  if (restart) {
    mode_ = 0;
    page_ = 1;
    SetColumnGeometry();
    Status(Format("Formatting %s page %d", {TestamentName, page_}));
    chars_.clear();
    styles_.clear();
    return;
  }
  switch (mode_) {
    case 0:
      ++page_;
      SetColumnGeometry();
      Status(Format("Formatting %s page %d", {TestamentName, page_}));
      break;
    case 1:
      mode_ = 2;
      y_ = blockStartY_;
      SetColumnGeometry();
      break;
    default:
      ++page_;
      Status(Format("Formatting %s page %d", {TestamentName, page_}));
      mode_ = 1;
      blockStartY_ = Top();
      blockFirstRecord_ = file_->Count();
      file_->Release(blockFirstRecord_);
      SetColumnGeometry();
      break;
  }
}

void TBiblePaginator::SetTwoColumns(bool on) {
  if (on) {
    if (mode_ != 0) return;
    mode_ = 1;
    blockStartY_ = y_;
    blockFirstRecord_ = file_->Count();
    // Only the records of the block may still move.
    file_->Release(blockFirstRecord_);
    SetColumnGeometry();
  } else {
    if (mode_ == 0) return;
    BalanceColumns();
    mode_ = 0;
    SetColumnGeometry();
  }
}

void TBiblePaginator::BalanceColumns() {
  const Integer count = file_->Count();
  if (blockFirstRecord_ >= count) return;
  const TRect& area = page_ % 2 == 1 ? geometry_.OddPage : geometry_.EvenPage;
  const Integer column = (area.Right - area.Left) * kColumnParts / kWidthParts;
  const Integer shift = (area.Right - column) - area.Left;
  const Integer middle = (area.Left + area.Right) / 2;

  struct TLine {
    Integer Y, First, Last;
  };
  std::vector<TLine> lines;
  for (Integer i = blockFirstRecord_; i < count; ++i) {
    const Integer y = file_->HeldRecord(i).Y;
    if (lines.empty() || lines.back().Y != y)
      lines.push_back(TLine{y, i, i});
    else
      lines.back().Last = i;
  }
  bool hasPitch = false;
  Integer pitch = 0;
  for (std::size_t k = lines.size(); k-- > 1;) {
    if (lines[k].Y > lines[k - 1].Y) {
      pitch = lines[k].Y - lines[k - 1].Y;
      hasPitch = true;
      break;
    }
  }

  const std::size_t n = lines.size();
  std::size_t keep = n - n / 2;
  // A chapter number never ends the left column with only its first line beside it.
  if (keep < n && file_->HeldRecord(lines[keep - 1].First).Style == bsChapter) ++keep;
  for (std::size_t k = 0; keep + k < n; ++k) {
    const TLine& line = lines[keep + k];
    for (Integer i = line.First; i <= line.Last; ++i) {
      TPageRecord& record = file_->HeldRecord(i);
      record.Y = lines[k].Y;
      if (record.X < middle) record.X += shift;
    }
  }
  // A block of a single line keeps Y below that line, where placing it left Y.
  if (!hasPitch) return;
  Integer largest = file_->HeldRecord(blockFirstRecord_).Y;
  for (Integer i = blockFirstRecord_; i < count; ++i) largest = std::max(largest, file_->HeldRecord(i).Y);
  y_ = largest + pitch;
}

// ---------------------------------------------------------------------------------------------
// Titles, subheadings and chapter numbers

void TBiblePaginator::PlaceTitle(const AnsiString& text, Integer style) {
  const Integer lineHeight = LineHeight(style);
  for (;;) {
    // A title wider than the text area takes as many centred lines as it needs, words kept
    // whole; one that fits stands as it is.
    std::vector<AnsiString> lines;
    if (measurer_.TextWidth(style, text) <= right_ - left_) lines.push_back(text);
    else lines = WrapTextToWidth(Trim(text), style, right_ - left_);
    if (lines.empty()) lines.push_back(text);
    const Integer count = static_cast<Integer>(lines.size());
    if (!titleFits_) titleFits_ = y_ + (count + kTitleLines - 1) * lineHeight < Bottom();
    if (titleFits_ || MustPlaceAnyway()) {
      // A run of titles stays together, also after one that had to be placed anyway.
      titleFits_ = true;
      for (const AnsiString& line : lines) {
        Write((left_ + right_ - measurer_.TextWidth(style, line)) / 2, line, style);
        y_ += lineHeight;
      }
      return;
    }
    AdvanceColumn(false);
  }
}

void TBiblePaginator::PlaceSubheading(const AnsiString& text) {
  const AnsiString trimmed = Trim(text);
  const Integer lineHeight = LineHeight(bsSubheading);
  for (;;) {
    const std::vector<AnsiString> lines = WrapTextToWidth(trimmed, bsSubheading, right_ - left_);
    const Integer count = static_cast<Integer>(lines.size());
    blockFits_ = lines.empty() || y_ + (count + 2) * lineHeight <= Bottom();
    if (blockFits_ || MustPlaceAnyway()) {
      for (const AnsiString& line : lines) {
        Write((left_ + right_ - measurer_.TextWidth(bsSubheading, line)) / 2, line, bsSubheading);
        y_ += lineHeight;
      }
      return;
    }
    AdvanceColumn(false);
  }
}

void TBiblePaginator::PlaceChapterNumber(const AnsiString& text) {
  const AnsiString number = Trim(text);
  const Integer lineHeight = LineHeight(bsChapter);
  for (;;) {
    if (y_ + lineHeight <= Bottom() || blockFits_ || MustPlaceAnyway()) {
      Write(left_, number, bsChapter);
      lineCounter_ = 0;
      dropIndentX_ = left_ + static_cast<Integer>(Round(measurer_.TextWidth(bsChapter, number) * 1.1L));
      return;
    }
    AdvanceColumn(false);
  }
}

std::vector<AnsiString> TBiblePaginator::WrapTextToWidth(const AnsiString& text, Integer style, Integer width) {
  std::vector<AnsiString> lines;
  AnsiString line;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const AnsiString word = text.substr(start, end - start);
    start = end + 1;
    const AnsiString longer = line.empty() ? word : line + " " + word;
    if (line.empty() || measurer_.TextWidth(style, longer) <= width) {
      line = longer;
    } else {
      lines.push_back(line);
      line = word;
    }
    // A word wider than the column is broken at its last character that fits.
    while (line.size() > 1 && measurer_.TextWidth(style, line) > width) {
      std::size_t fits = 1;
      while (fits < line.size() && measurer_.TextWidth(style, line.substr(0, fits + 1)) <= width) ++fits;
      lines.push_back(line.substr(0, fits));
      line = line.substr(fits);
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

// ---------------------------------------------------------------------------------------------
// Paragraphs

void TBiblePaginator::FlushParagraph() {
  if (chars_.empty()) return;
  paragraphLine_ = 0;
  Integer start = 0;
  for (;;) {
    Integer end = 0, x = 0;
    const bool last = FindLineEnd(start, end, x);
    PlaceLine(start, end, !last, x);
    if (last) break;
    start = end + 1;
  }
  chars_.clear();
  styles_.clear();
}

bool TBiblePaginator::FindLineEnd(Integer& start, Integer& end, Integer& x) {
  const Integer length = static_cast<Integer>(chars_.size());
  if (start < length && IsBlank(chars_[start])) ++start;
  ++lineCounter_;
  ++paragraphLine_;
  if (lineCounter_ == 1 || lineCounter_ == 2)
    x = dropIndentX_;
  else if (paragraphLine_ == 1)
    x = left_ + static_cast<Integer>(Round((right_ - left_) * 0.07L));
  else
    x = left_;
  const Integer room = right_ - x;

  Integer width = 0;
  Integer beforeBlank = start;
  Integer widthBeforeBlank = 0;
  bool blankSeen = false;
  for (Integer i = start; i < length; ++i) {
    // A blank at the line's very start (the second of two) is no place to end the line.
    if (IsBlank(chars_[i]) && i > start) {
      beforeBlank = i - 1;
      widthBeforeBlank = width;
      blankSeen = true;
    }
    width += measurer_.CharWidth(styles_[i], chars_[i]);
    if (width > room) {
      if (!blankSeen)
        // A word wider than the line is broken at its last character that fits (the first one at
        // least, so that every line takes something).
        end = std::max(i - 1, start);
      else
        end = HyphenateAtLineEnd(beforeBlank + 1, room - widthBeforeBlank);
      return false;
    }
  }
  end = length - 1;
  return true;
}

Integer TBiblePaginator::HyphenateAtLineEnd(Integer blank, Integer room) {
  const Integer length = static_cast<Integer>(chars_.size());
  const Integer end = blank - 1;
  Integer wordStart = blank;
  if (blank < length && IsBlank(chars_[blank])) {
    room -= measurer_.CharWidth(styles_[blank], ' ');
    wordStart = blank + 1;
  }
  if (room <= 0) return end;
  Integer wordEnd = wordStart;
  while (wordEnd < length && !IsBlank(chars_[wordEnd])) ++wordEnd;
  const Integer wordLength = wordEnd - wordStart;
  if (wordLength <= 0) return end;
  const AnsiString word = chars_.substr(wordStart, wordLength);
  const std::vector<bool> points = HyphenationPoints(word, Hyphenation);
  if (std::find(points.begin(), points.end(), true) == points.end()) return end;

  room -= measurer_.TextWidth(styles_[wordStart], "-");
  const Integer distance = Hyphenation.MinimumDistance;
  for (Integer i = wordLength - distance; i >= distance; --i) {
    if (i < 1 || i >= wordLength || !points[i]) continue;
    const Integer last = wordStart + i - 1;
    const Integer style = styles_[last];
    if (measurer_.TextWidth(style, std::string_view(word).substr(0, i)) > room) continue;
    if (chars_[last] == '-') return last;
    chars_.insert(chars_.begin() + last + 1, '-');
    styles_.insert(styles_.begin() + last + 1, style);
    return last + 1;
  }
  return end;
}

void TBiblePaginator::PlaceLine(Integer start, Integer end, bool justify, Integer x) {
  if (end < start) return;
  Integer height = 0;
  for (Integer i = start; i <= end; ++i)
    if (styles_[i] >= 1 && styles_[i] <= 10) height = std::max(height, measurer_.TextHeight(styles_[i]));
  const Integer lineHeight = height * LineSpacing / 100;

  std::vector<TRun> runs;
  for (Integer i = start; i <= end; ++i) {
    const bool blank = IsBlank(chars_[i]);
    if (runs.empty() || runs.back().Style != styles_[i] || IsBlank(chars_[runs.back().Last]) != blank)
      runs.push_back(TRun{i, i, styles_[i], false});
    else
      runs.back().Last = i;
  }
  for (TRun& run : runs) run.Blank = run.First == run.Last && IsBlank(chars_[run.First]);

  while (y_ + lineHeight > Bottom() && !MustPlaceAnyway()) {
    const Integer indent = x - left_;
    AdvanceColumn(false);
    x = left_ + indent;
  }

  Integer blanks = 0;
  Integer textWidth = 0;
  std::vector<Integer> widths(runs.size(), 0);
  for (std::size_t r = 0; r < runs.size(); ++r) {
    if (runs[r].Blank) {
      ++blanks;
      continue;
    }
    widths[r] = measurer_.TextWidth(runs[r].Style,
                                    std::string_view(chars_).substr(runs[r].First, runs[r].Last - runs[r].First + 1));
    textWidth += widths[r];
  }
  Extended gap = 0;
  if (!justify)
    gap = measurer_.CharWidth(bsText, ' ');
  else if (blanks > 0)
    gap = static_cast<Extended>(right_ - x - textWidth) / blanks;

  Extended position = x;
  for (std::size_t r = 0; r < runs.size(); ++r) {
    if (runs[r].Blank) {
      position += gap;
      continue;
    }
    Write(static_cast<Integer>(Round(position)), chars_.substr(runs[r].First, runs[r].Last - runs[r].First + 1),
          runs[r].Style);
    position += widths[r];
  }
  y_ += lineHeight;
}

// ---------------------------------------------------------------------------------------------
// The run

Integer TBiblePaginator::Repaginate(const TBibleText& text, const TBookStarts& starts, TPageFileWriter& file,
                                    std::vector<TContentsEntry>& contents) {
  Status("Repaginating ...");
  file_ = &file;
  contents.clear();
  std::unordered_map<Integer, Integer> bookAt;
  for (const TBookStart& start : starts) bookAt.emplace(start.Item, start.Book);

  AdvanceColumn(true);
  blockStartY_ = y_;
  blockFirstRecord_ = file_->Count();
  book_ = chapter_ = lastContentsBook_ = currentBook_ = 0;
  lineCounter_ = 3;
  dropIndentX_ = left_;
  titleFits_ = blockFits_ = false;

  const Integer count = text.ItemCount();
  for (Integer item = 0; item < count; ++item) {
    const auto found = bookAt.find(item);
    if (found != bookAt.end()) currentBook_ = found->second;
    const Integer style = text.ItemStyle(item);
    switch (style) {
      case bsSubtitle:
      case bsMainTitle:
        FlushParagraph();
        SetTwoColumns(false);
        PlaceTitle(text.ItemText(item), style);
        break;
      case bsChapter: {
        titleFits_ = false;
        FlushParagraph();
        SetTwoColumns(true);
        const AnsiString number = Trim(text.ItemText(item));
        chapter_ = number.empty() ? 1 : StrToInt(number);
        book_ = currentBook_;
        PlaceChapterNumber(number);
        // The book's first page is the page its first chapter number stands on.
        if (book_ != lastContentsBook_) {
          lastContentsBook_ = book_;
          contents.push_back(TContentsEntry{BookHeading(book_), page_});
        }
        break;
      }
      case bsSubheading:
        titleFits_ = blockFits_ = false;
        FlushParagraph();
        SetTwoColumns(true);
        PlaceSubheading(text.ItemText(item));
        break;
      case bsVerseNumber:
      case bsText:
      case bsBrackets: {
        titleFits_ = blockFits_ = false;
        SetTwoColumns(true);
        if (text.IsParaStart(item)) FlushParagraph();
        const AnsiString itemText = text.ItemText(item);
        chars_ += itemText;
        styles_.insert(styles_.end(), itemText.size(), style);
        break;
      }
      default:
        break;
    }
  }
  // A last paragraph without an empty one after it is placed too.
  FlushParagraph();
  SetTwoColumns(false);
  file_->Flush();
  file_ = nullptr;
  return page_;
}
