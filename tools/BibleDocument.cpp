#include "tools/BibleDocument.h"

#include <memory>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/Utilities.h"
#include "richtext/core/UVStyle.h"
#include "tools/BibleText.h"

namespace {

const char* const kTextStyleNames[BibleTextStyleCount] = {"Font Style", "Subtitle",    "Maintitle",
                                                          "Chapter",    "Subheading",  "Versenumber",
                                                          "Text",       "Brackets",    "eBook TOC"};
const char* const kParaStyleNames[] = {"Normal", "Centered", "Indented"};

// E-book text sizes in percent of the printed sizes, by the setting's track-bar position.
const Integer kEBookSizes[] = {60, 70, 80, 90, 110};

bool LineStartsWith(const AnsiString& line, const char* prefix) { return line.rfind(prefix, 0) == 0; }

// The line from character position `position` (counted from 1) to its end.
AnsiString LineFrom(const AnsiString& line, std::size_t position) {
  return line.size() >= position ? line.substr(position - 1) : AnsiString();
}

// The text after a line's marker ("\\q1 text" gives "text"); empty for a bare marker.
AnsiString TextAfterMarker(const AnsiString& line) {
  const std::size_t blank = line.find(' ');
  return blank == std::string::npos ? AnsiString() : TrimLeft(line.substr(blank + 1));
}

}  // namespace

void CreateBibleStyles(TUVStyle* style, Integer lineSpacing) {
  TFontInfos* fonts = style->GetTextStyles();
  fonts->Clear();
  for (const char* name : kTextStyleNames) fonts->Add()->StyleName = name;
  TParaInfos* paras = style->GetParaStyles();
  paras->Clear();
  for (const char* name : kParaStyleNames) {
    TParaInfo* para = paras->Add();
    para->StyleName = name;
    para->LineSpacing = lineSpacing;
  }
  paras->GetItem(bpCentered)->Alignment = uvaCenter;
  paras->GetItem(bpIndented)->FirstIndent = 20;
}

void ApplyBibleFonts(TUVStyle* style, const TFontTable& fonts, bool eBook, Integer eBookFontSize) {
  TFontInfos* styles = style->GetTextStyles();
  const Integer percent = eBookFontSize >= 0 && eBookFontSize <= 4 ? kEBookSizes[eBookFontSize] : 100;
  for (int record = fiSubtitle; record <= fiTextInBrackets; ++record) {
    TFontInfo* info = styles->GetItem(record + 1);
    info->FontName = fonts[record].Name;
    info->Size = eBook ? static_cast<Integer>(Round(static_cast<Extended>(fonts[record].Size) * percent / 100))
                       : fonts[record].Size;
    info->Color = fonts[record].Color;
    info->Style = fonts[record].Style;
  }
  TFontInfo* text = styles->GetItem(bsText);
  TFontInfo* link = styles->GetItem(bsEBookLink);
  link->FontName = text->FontName;
  link->Size = text->Size;
  link->Color = text->Color;
  link->Style = text->Style;
  link->Style << fsUnderline;
  link->Jump = true;
  if (eBook) {
    TFontInfo* chapter = styles->GetItem(bsChapter);
    chapter->Size = static_cast<Integer>(Round(static_cast<Extended>(text->Size) * 16 / 10));
    chapter->Style << fsUnderline;
  }
}

TBibleDocumentBuilder::TBibleDocumentBuilder(TBibleText& target, TUVStyle* style) : target_(target), style_(style) {}

void TBibleDocumentBuilder::Build(const std::vector<TBibleBook>& books, const TBibleBuildOptions& options,
                                  TBookStarts& starts) {
  options_ = options;
  starts_ = &starts;
  starts.clear();
  // The markers carry over from book to book: a book's first title after running text still
  // gets its two empty paragraphs.
  lastStyle_ = 0;
  lastParagraphKind_ = 0;
  chapterPending_ = false;
  std::unique_ptr<TStringList> lines(new TStringList());
  for (const TBibleBook& book : books) {
    if (OnStatus) OnStatus("Formatting " + book.Entry);
    book_ = &book;
    lines->LoadFromFile(book.FileName);
    BuildBook(lines.get());
  }
  for (int i = 0; i < 3; ++i) target_.AddNL("", bsText, bpNormal);
  if (!options_.EBook && OnStatus) OnStatus("Formatting text...");
  RecordBookStart();
  starts_ = nullptr;
}

void TBibleDocumentBuilder::BuildBook(TStrings* lines) {
  chapter_ = options_.OnlyChapter ? options_.Chapter : AnsiString("1");
  chapterCount_ = 1;
  for (int i = 0; i < lines->GetCount(); ++i) {
    const AnsiString line = Trim(lines->GetStrings(i));
    if (!LineStartsWith(line, "\\c")) continue;
    const AnsiString number = FirstNumberInString(line);
    if (!number.empty()) chapterCount_ = StrToIntDef(number, chapterCount_);
  }
  if (style_) {
    TFontInfo* chapter = style_->GetTextStyles()->GetItem(bsChapter);
    chapter->Jump = options_.EBook && chapterCount_ > 1;
    if (chapterCount_ == 1) chapter->Style >> fsUnderline;
  }
  if (options_.EBook && chapterCount_ > 1) {
    target_.AddCheckpoint();
    AddChapterLinks(chapterCount_);
  }

  for (int i = 0; i < lines->GetCount(); ++i) BuildLine(Trim(lines->GetStrings(i)));
}

void TBibleDocumentBuilder::BuildLine(const AnsiString& line) {
  if (LineStartsWith(line, "\\id") || LineStartsWith(line, "\\h")) return;
  if (LineStartsWith(line, "\\st") || LineStartsWith(line, "\\mt")) {
    const Integer style = LineStartsWith(line, "\\st") ? bsSubtitle : bsMainTitle;
    if (lastStyle_ == bsText) {
      target_.AddNL("", bsText, bpNormal);
      target_.AddNL("", bsText, bpNormal);
    }
    target_.AddNL(LineFrom(line, 5), style, bpCentered);
    RecordBookStart();
    lastStyle_ = style;
    return;
  }
  if (LineStartsWith(line, "\\c")) {
    chapter_ = FirstNumberInString(line);
    chapterPending_ = true;
    return;
  }
  if (LineStartsWith(line, "\\s")) {
    if (ChapterFiltered()) return;
    target_.AddNL(LineFrom(line, 4), bsSubheading, bpCentered);
    lastStyle_ = bsSubheading;
    return;
  }
  if (LineStartsWith(line, "\\p")) {
    if (ChapterFiltered()) return;
    AddParagraph(LineFrom(line, 4));
    return;
  }
  if (LineStartsWith(line, "\\v")) {
    if (ChapterFiltered()) return;
    if (chapterPending_) {
      AddChapterParagraph();
      chapterPending_ = false;
      RecordBookStart();
    } else if (lastStyle_ == bsText) {
      // A verse that directly follows "\p" starts the paragraph without a blank.
      if (lastParagraphKind_ != 1) target_.Add(" ", bsText);
    } else {
      target_.AddNL("", bsText, bpNormal);
    }
    const AnsiString rest = LineFrom(line, 4);
    const AnsiString number = FirstNumberInString(rest);
    // Verse 1 shows the chapter number instead, except in a book of one chapter.
    if (number != "1" || chapterCount_ == 1) Add(number, bsVerseNumber);
    const std::size_t at = number.empty() ? 0 : rest.find(number) + number.size();
    AddScriptureText(rest.substr(at));
    lastStyle_ = bsText;
    lastParagraphKind_ = 2;
    return;
  }
  if (LineStartsWith(line, "\\nb") || LineStartsWith(line, "\\q")) {
    // A poetry or no-break line that carries text (a verse going on in its next line) is a
    // paragraph of its own; the bare marker adds nothing.
    const AnsiString text = TextAfterMarker(line);
    if (text.empty() || ChapterFiltered()) return;
    // A marker after it ("\q1 \v 4 Draw me") is read as a line of its own in the paragraph.
    if (LineStartsWith(text, "\\")) {
      AddParagraph("");
      BuildLine(text);
    } else {
      AddParagraph(text);
    }
    return;
  }
  if (ChapterFiltered()) return;
  Add(line, bsText);
  lastStyle_ = bsText;
}

void TBibleDocumentBuilder::AddParagraph(const AnsiString& text) {
  if (chapterPending_) {
    AddChapterParagraph();
    if (!text.empty()) AddScriptureText(text);
    chapterPending_ = false;
    RecordBookStart();
  } else {
    target_.AddNL("", bsText, bpIndented);
    if (!text.empty()) AddScriptureText(text + " ");
  }
  lastStyle_ = bsText;
  lastParagraphKind_ = 1;
}

void TBibleDocumentBuilder::Add(const AnsiString& text, Integer style) {
  // An empty piece would only be an empty item in the paragraph.
  if (!text.empty()) target_.Add(text, style);
}

bool TBibleDocumentBuilder::ChapterFiltered() const { return options_.OnlyChapter && chapter_ != options_.Chapter; }

void TBibleDocumentBuilder::AddChapterParagraph() {
  if (options_.EBook && chapterCount_ > 1) target_.AddCheckpoint();
  target_.AddNL(chapterCount_ == 1 ? AnsiString() : chapter_, bsChapter, bpNormal);
}

void TBibleDocumentBuilder::AddScriptureText(const AnsiString& text) {
  switch (options_.Brackets) {
    case bmKeep:
      Add(text, bsText);
      break;
    case bmOwnStyle: {
      std::size_t at = 0;
      for (;;) {
        const std::size_t open = text.find('[', at);
        if (open == std::string::npos) {
          Add(text.substr(at), bsText);
          break;
        }
        Add(text.substr(at, open - at), bsText);
        const std::size_t close = text.find(']', open + 1);
        if (close == std::string::npos) {
          Add(text.substr(open + 1), bsBrackets);
          break;
        }
        Add(text.substr(open + 1, close - open - 1), bsBrackets);
        at = close + 1;
      }
      break;
    }
    case bmRemove: {
      AnsiString plain;
      for (char c : text)
        if (c != '[' && c != ']') plain += c;
      Add(plain, bsText);
      break;
    }
    default:
      break;
  }
}

void TBibleDocumentBuilder::AddChapterLinks(Integer count) {
  target_.Add("Go to chapter", bsText);
  for (Integer chapter = 1; chapter <= count; ++chapter) {
    target_.Add(" ", bsText);
    target_.Add(IntToStr(chapter), bsEBookLink);
  }
  target_.AddNL("", bsText, bpNormal);
}

void TBibleDocumentBuilder::RecordBookStart() {
  if (!starts_) return;
  starts_->push_back(TBookStart{target_.ItemCount() - 1, book_ ? BookNumberFromEnglishName(book_->Entry) : 0});
}
