// The HTML writers: a page whose text is formatted with FONT, B, I, U, S, SUB and SUP tags, and
// a page whose text refers to the CSS classes UVTS<n> (text styles) and UVPS<n> (paragraph
// styles) that the style sheet writes. Both write a head, a body and an end; pictures and other
// items write their own HTML, pictures as image files next to the page.
#include <memory>

#include "classlib/SysUtils.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/UVBack.h"
#include "richtext/core/UVFMisc.h"
#include "richtext/core/UVFuncs.h"
#include "richtext/core/UVMarker.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUni.h"

namespace {

// The name of the character set of text style 0 for the page's META tag; empty when it has none.
const char* CharsetName(Integer Charset) {
  switch (Charset) {
    case 128:
      return "shift_jis";
    case 134:
      return "gb2312";
    case 136:
      return "big5";
    case 161:
      return "Windows-1253";
    case 162:
      return "Windows-1254";
    case 163:
      return "Windows-1258";
    case 177:
      return "Windows-1255";
    case 178:
      return "Windows-1256";
    case 186:
      return "Windows-1257";
    case 204:
      return "Windows-1251";
    case 222:
      return "Windows-874";
    case 238:
      return "Windows-1250";
    case 255:
      return "ascii";
    default:
      return "";
  }
}

// Text for an attribute value or the title: the characters HTML gives a meaning escaped.
AnsiString EscapeAttribute(const AnsiString& Text) {
  AnsiString result;
  for (char c : Text) {
    switch (c) {
      case '&':
        result += "&amp;";
        break;
      case '<':
        result += "&lt;";
        break;
      case '>':
        result += "&gt;";
        break;
      case '"':
        result += "&quot;";
        break;
      default:
        result += c;
    }
  }
  return result;
}

// 8-bit item text: "&", "<" and ">" escaped, and every pair of blanks made "&nbsp; " from the
// start, so that a run of n blanks keeps its width as n-1 "&nbsp;" and one blank.
AnsiString EscapeText(const AnsiString& Text) {
  if (Text.empty()) return "&nbsp;";
  AnsiString result;
  std::size_t i = 0;
  while (i < Text.size()) {
    const char c = Text[i];
    if (c == ' ') {
      std::size_t run = 0;
      while (i < Text.size() && Text[i] == ' ') {
        ++run;
        ++i;
      }
      for (std::size_t k = 1; k < run; ++k) result += "&nbsp;";
      result += ' ';
      continue;
    }
    if (c == '&')
      result += "&amp;";
    else if (c == '>')
      result += "&gt;";
    else if (c == '<')
      result += "&lt;";
    else
      result += c;
    ++i;
  }
  return result;
}

// One HTML write: the document, the stream and what both forms share.
class HTMLWriter {
public:
  HTMLWriter(TCustomUVData* AData, TStream* AStream, const AnsiString& APath, const AnsiString& APrefix,
             Integer AOptions, TColor AColor, bool ACSS)
      : Data(AData),
        Stream(AStream),
        Style(AData->GetUVStyle()),
        Path(APath),
        Prefix(APrefix),
        Options(AOptions),
        Color(AColor),
        CSS(ACSS) {}

  void Line(const AnsiString& S) { UVFWriteLine(Stream, S); }
  void Write(const AnsiString& S) { UVFWrite(Stream, S); }

  void TitleAndMeta(const AnsiString& Title);
  // The location of the background picture in the page; empty without one.
  AnsiString BackgroundLocation(TUVBackground* Background);
  void Body();

private:
  AnsiString ItemText(Integer ItemNo) const;
  AnsiString CheckpointAnchor(TUVCPInfo* CP);
  // Closes the list levels of the open list that this marker does not continue and opens its own.
  void OpenList(TUVMarkerItemInfo* Marker);
  void CloseList();
  TUVListLevel* LevelOf(Integer ListNo, Integer Level) const;
  // The attribute a picture level gives its list item.
  AnsiString MarkerAttributes(TUVMarkerItemInfo* Marker, TColor BackColor);

  TCustomUVData* Data;
  TStream* Stream;
  TUVStyle* Style;
  AnsiString Path;
  AnsiString Prefix;
  Integer Options;
  TColor Color;
  bool CSS;
  Integer ImageNo = 0;
  Integer CheckpointNo = 0;
  TUVMarkerItemInfo* OpenMarker = nullptr;  // the marker whose list levels are open
  TUVHTMLImageCache Images;
};

void HTMLWriter::TitleAndMeta(const AnsiString& Title) {
  Line("<HTML><HEAD><TITLE>" + EscapeAttribute(Title) + "</TITLE>");
  const Integer charset = Style->GetTextStyles()->GetCount() > 0 ? Style->GetTextStyles()->GetItem(0)->Charset : 1;
  const AnsiString name = CharsetName(charset);
  if (!name.empty()) Line(Format("<META HTTP-EQUIV=\"Content-Type\"  CONTENT=\"text/html; CHARSET=%s\">", name));
}

AnsiString HTMLWriter::BackgroundLocation(TUVBackground* Background) {
  if (!Background || !Background->HasPicture()) return AnsiString();
  AnsiString location;
  bool doDefault = true;
  Data->HTMLSaveImage(Data, -1, Path, Color, location, doDefault);
  if (doDefault)
    location = Data->SaveImageFile(Background->Bitmap, 1, Path, Prefix, ImageNo, Color, Options & uvsoOverrideImages);
  return UVMakeHTMLPath(location);
}

AnsiString HTMLWriter::ItemText(Integer ItemNo) const {
  const AnsiString& text = Data->GetItemText(ItemNo);
  TFontInfo* font = Style->GetTextStyles()->GetItem(Data->GetItemStyle(ItemNo));
  const bool raw = font->Options.Contains(uvteoHTMLCode);
  if (Data->GetItem(ItemNo)->IsUnicode()) return UVUniToHTML(text, true, raw);
  return raw ? text : EscapeText(text);
}

AnsiString HTMLWriter::CheckpointAnchor(TUVCPInfo* CP) {
  if ((Options & uvsoUseCheckpointsNames) && !CP->Name.empty())
    return Format("<A name=\"%s\"></A>", EscapeAttribute(CP->Name));
  return Format("<A name=UzurUvadCheckpoint%d></A>", CheckpointNo++);
}

TUVListLevel* HTMLWriter::LevelOf(Integer ListNo, Integer Level) const {
  TUVListInfos* lists = Style->GetListStyles();
  if (ListNo < 0 || ListNo >= lists->GetCount() || Level < 0) return nullptr;
  TUVListLevelCollection* levels = lists->GetItem(ListNo)->GetLevels();
  if (levels->GetCount() == 0) return nullptr;
  return levels->GetItem(std::min(Level, levels->GetCount() - 1));
}

void HTMLWriter::OpenList(TUVMarkerItemInfo* Marker) {
  AnsiString tags;
  Integer from = 0;
  if (OpenMarker && OpenMarker->ListNo == Marker->ListNo) {
    for (Integer l = OpenMarker->Level; l > Marker->Level; --l)
      if (TUVListLevel* level = LevelOf(OpenMarker->ListNo, l)) tags += level->HTMLCloseTag();
    from = OpenMarker->Level + 1;
  } else if (OpenMarker) {
    for (Integer l = OpenMarker->Level; l >= 0; --l)
      if (TUVListLevel* level = LevelOf(OpenMarker->ListNo, l)) tags += level->HTMLCloseTag();
  }
  for (Integer l = from; l <= Marker->Level; ++l)
    if (TUVListLevel* level = LevelOf(Marker->ListNo, l)) tags += level->HTMLOpenTag(CSS);
  OpenMarker = Marker;
  if (!tags.empty()) Line(tags);
}

void HTMLWriter::CloseList() {
  if (!OpenMarker) return;
  AnsiString tags;
  for (Integer l = OpenMarker->Level; l >= 0; --l)
    if (TUVListLevel* level = LevelOf(OpenMarker->ListNo, l)) tags += level->HTMLCloseTag();
  OpenMarker = nullptr;
  if (!tags.empty()) Line(tags);
}

AnsiString HTMLWriter::MarkerAttributes(TUVMarkerItemInfo* Marker, TColor BackColor) {
  TUVListLevel* level = Marker->GetLevelInfo(Style);
  if (!level) return AnsiString();
  AnsiString file;
  if (level->ListType == uvlstPicture && level->HasPicture()) {
    file = Images.GetImageFile(Data, nullptr, 0, level->GetPicture()->GetGraphic(), BackColor, Path, Prefix, ImageNo,
                               Options & uvsoOverrideImages);
  } else if ((level->ListType == uvlstImageList || level->ListType == uvlstImageListCounter) && level->GetImageList()) {
    Integer index = level->ImageIndex + (level->ListType == uvlstImageListCounter ? Marker->Counter - 1 : 0);
    if (index >= 0 && index < level->GetImageList()->GetCount())
      file = Images.GetImageFile(Data, level->GetImageList(), index, nullptr, BackColor, Path, Prefix, ImageNo,
                                 Options & uvsoOverrideImages);
  }
  if (file.empty()) return AnsiString();
  return Format(" style=\"list-style: url('%s')\"", UVMakeHTMLPath(file));
}

void HTMLWriter::Body() {
  TFontInfos* textStyles = Style->GetTextStyles();
  TFontInfo* base = textStyles->GetItem(0);
  if (!CSS && !(Options & uvsoDefault0Style)) Line(UVOpenHTMLFontTags(base, nullptr));

  AnsiString closeBlock;   // what ends the open paragraph block
  Integer spanStyle = -1;  // the text style of the open SPAN (CSS form)
  TColor paraColor = Color;
  auto closeSpan = [&]() {
    if (spanStyle >= 0) Write("</SPAN>");
    spanStyle = -1;
  };

  const Integer count = Data->GetItemCount();
  for (Integer i = 0; i < count; ++i) {
    TCustomUVItemInfo* item = Data->GetItem(i);
    if (!item->GetContinuesPara()) {
      closeSpan();
      if (item->GetBreaksLine()) {
        Line("<BR>");
      } else {
        if (!closeBlock.empty()) Line(closeBlock);
        closeBlock.clear();
        TParaInfo* para = Style->GetParaStyles()->GetItem(item->ParaNo);
        paraColor = para->GetBackground()->Color != clNone ? para->GetBackground()->Color : Color;
        auto* marker = item->StyleNo == uvsListMarker ? static_cast<TUVMarkerItemInfo*>(item) : nullptr;
        TUVListLevel* level = marker ? marker->GetLevelInfo(Style) : nullptr;
        const AnsiString paraClass = item->ParaNo != 0 ? Format(" class=UVPS%d", item->ParaNo) : AnsiString();
        if (level && !(Options & uvsoMarkersAsText)) {
          OpenList(marker);
          AnsiString li = level->HasNumbering() ? Format("<LI value=%d", marker->Counter) : AnsiString("<LI");
          if (CSS) li += paraClass + MarkerAttributes(marker, paraColor);
          Write(li + ">");
          closeBlock = "</LI>";
        } else if (item->StyleNo == uvsBreak) {
          CloseList();
        } else {
          CloseList();
          if (CSS) {
            if (level)
              Write(Format("<P%s style=\"%s\">", paraClass, level->GetIndentCSSText()));
            else
              Write("<P" + paraClass + ">");
            closeBlock = "</P>";
          } else {
            static const char* const kAlign[] = {"<DIV>", "<DIV align=right>", "<DIV align=center>",
                                                 "<DIV align=justify>"};
            Write(kAlign[para->Alignment]);
            closeBlock = "</DIV>";
          }
        }
      }
    }

    if (item->Checkpoint) {
      closeSpan();
      Line(CheckpointAnchor(item->Checkpoint));
    }

    AnsiString target;
    if (item->QueryStyledFlag(uvbspJump, Style))
      target = EscapeAttribute(Data->GetURL(Data->FirstJumpNo + item->HyperlinkId));

    if (item->StyleNo >= 0) {
      TFontInfo* font = textStyles->GetItem(item->StyleNo);
      if (CSS) {
        if (!target.empty()) {
          closeSpan();
          Write(Format("<A class=UVTS%d href=\"%s\">", item->StyleNo, target) + ItemText(i) + "</A>");
          continue;
        }
        const bool plain = item->StyleNo == 0 && !font->Jump && font->BackColor == clNone;
        if (spanStyle != item->StyleNo) {
          closeSpan();
          if (!plain) {
            Write(Format("<SPAN class=UVTS%d>", item->StyleNo));
            spanStyle = item->StyleNo;
          }
        }
        Write(ItemText(i));
        continue;
      }
      if (!target.empty()) Write(Format("<A href=\"%s\">", target));
      Write(UVOpenHTMLFontTags(font, base) + ItemText(i) + UVCloseHTMLFontTags(font, base));
      if (!target.empty()) Write("</A>");
      continue;
    }

    closeSpan();
    if (!target.empty()) Write(Format("<A href=\"%s\">", target));
    item->SaveHTML(Stream, Data, i, Data->GetItemText(i), Path, Prefix, ImageNo, paraColor, Options, CSS, &Images);
    if (!target.empty()) Write("</A>");
  }
  closeSpan();
  if (!closeBlock.empty()) Line(closeBlock);
  CloseList();
  if (!CSS && !(Options & uvsoDefault0Style)) Line(UVCloseHTMLFontTags(base, nullptr));
  if (Data->NotAddedCP) Line(CheckpointAnchor(Data->NotAddedCP));
}

bool Parts(Integer Options, bool& Head, bool& Body, bool& End) {
  Head = !(Options & (uvsoMiddleOnly | uvsoLastOnly));
  Body = !(Options & (uvsoFirstOnly | uvsoLastOnly));
  End = !(Options & (uvsoFirstOnly | uvsoMiddleOnly));
  return true;
}

template <class F>
bool SaveToFile(const AnsiString& FileName, F&& Save) {
  std::unique_ptr<TFileStream> stream;
  try {
    stream = std::make_unique<TFileStream>(FileName, fmCreate);
  } catch (const Exception&) {
    return false;
  }
  return Save(stream.get(), ExtractFilePath(FileName));
}

}  // namespace

bool TCustomUVData::SaveHTMLToStream(TStream* Stream, const AnsiString& Path, const AnsiString& Title,
                                     const AnsiString& ImagesPrefix, Integer Options, TColor Color,
                                     Integer LeftMargin, Integer TopMargin, Integer RightMargin, Integer BottomMargin,
                                     TUVBackground* Background) {
  if (!GetUVStyle()) return false;
  bool head, body, end;
  Parts(Options, head, body, end);
  HTMLWriter w(this, Stream, Path, ImagesPrefix, Options, Color, false);
  if (head) {
    w.TitleAndMeta(Title);
    AnsiString extra = GetHTMLExtra(0, false);
    if (!extra.empty()) w.Line(extra);
    w.Line("</HEAD>");
    AnsiString tag = "<BODY";
    if (Color != clNone) tag += " bgcolor=" + ColorToHTMLString(Color);
    AnsiString location = w.BackgroundLocation(Background);
    if (!location.empty()) {
      tag += Format(" background=\"%s\"", location);
      if (Background->Style != bsTiledAndScrolled) tag += " bgproperties=fixed";
    }
    extra = GetHTMLExtra(1, false);
    if (!extra.empty()) tag += " " + extra;
    tag += Format(" leftmargin=%d topmargin=%d rightmargin=%d bottommargin=%d>", LeftMargin, TopMargin, RightMargin,
                  BottomMargin);
    w.Line(tag);
    extra = GetHTMLExtra(2, false);
    if (!extra.empty()) w.Line(extra);
  }
  if (body) w.Body();
  if (end) w.Line("</BODY></HTML>");
  return true;
}

bool TCustomUVData::SaveHTMLToStreamWithCSS(TStream* Stream, const AnsiString& Path, const AnsiString& Title,
                                            const AnsiString& ImagesPrefix, Integer Options, TColor Color,
                                            Integer LeftMargin, Integer TopMargin, Integer RightMargin,
                                            Integer BottomMargin, TUVBackground* Background,
                                            const AnsiString& CSSFileName) {
  TUVStyle* style = GetUVStyle();
  if (!style) return false;
  bool head, body, end;
  Parts(Options, head, body, end);
  HTMLWriter w(this, Stream, Path, ImagesPrefix, Options, Color, true);
  if (head) {
    w.TitleAndMeta(Title);
    w.Line("<STYLE type=\"text/css\"><!--");
    w.Line("BODY {");
    w.Line(Format("  margin: %dpx %dpx %dpx %dpx;", TopMargin, RightMargin, BottomMargin, LeftMargin));
    if (Color != clNone) w.Line("  background-color: " + ColorToHTMLString(Color) + ";");
    AnsiString location = w.BackgroundLocation(Background);
    if (!location.empty()) {
      static const struct {
        const char* Repeat;
        const char* Attachment;
      } kWords[] = {{"", ""}, {"no-repeat", "fixed"}, {"repeat", "fixed"}, {"repeat", "scroll"}, {"no-repeat", "fixed"}};
      w.Line(Format("  background-image: url(\"%s\");", location));
      w.Line(Format("  background-repeat: %s;", kWords[Background->Style].Repeat));
      w.Line(Format("  background-attachment: %s;", kWords[Background->Style].Attachment));
      if (Background->Style == bsStretched || Background->Style == bsCentered)
        w.Line("  background-position: center center;");
    }
    w.Line("}");
    if (CSSFileName.empty()) style->SaveCSSToStream(Stream, 0);
    w.Line("--></STYLE>");
    if (!CSSFileName.empty())
      w.Line(Format("<LINK type=\"text/css\" href=\"%s\" rel=STYLESHEET>", EscapeAttribute(CSSFileName)));
    AnsiString extra = GetHTMLExtra(0, true);
    if (!extra.empty()) w.Line(extra);
    w.Line("</HEAD>");
    extra = GetHTMLExtra(1, true);
    w.Line(extra.empty() ? AnsiString("<BODY>") : "<BODY " + extra + ">");
    extra = GetHTMLExtra(2, true);
    if (!extra.empty()) w.Line(extra);
  }
  if (body) w.Body();
  if (end) w.Line("</BODY></HTML>");
  return true;
}

bool TCustomUVData::SaveHTML(const AnsiString& FileName, const AnsiString& Title, const AnsiString& ImagesPrefix,
                             Integer Options, TColor Color, Integer LeftMargin, Integer TopMargin, Integer RightMargin,
                             Integer BottomMargin, TUVBackground* Background) {
  return SaveToFile(FileName, [&](TStream* Stream, const AnsiString& Path) {
    return SaveHTMLToStream(Stream, Path, Title, ImagesPrefix, Options, Color, LeftMargin, TopMargin, RightMargin,
                            BottomMargin, Background);
  });
}

bool TCustomUVData::SaveHTMLWithCSS(const AnsiString& FileName, const AnsiString& Title,
                                    const AnsiString& ImagesPrefix, Integer Options, TColor Color, Integer LeftMargin,
                                    Integer TopMargin, Integer RightMargin, Integer BottomMargin,
                                    TUVBackground* Background, const AnsiString& CSSFileName) {
  return SaveToFile(FileName, [&](TStream* Stream, const AnsiString& Path) {
    return SaveHTMLToStreamWithCSS(Stream, Path, Title, ImagesPrefix, Options, Color, LeftMargin, TopMargin,
                                   RightMargin, BottomMargin, Background, CSSFileName);
  });
}
