#include "richtext/core/UVFuncs.h"

#include <cstdlib>
#include <cstring>
#include <vector>

#include "classlib/Handles.h"
#include "classlib/Jpeg.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVStyle.h"

TUVTag UVMakeStringTag(const AnsiString& Text) {
  if (Text.empty()) return 0;
  char* copy = static_cast<char*>(std::malloc(Text.size() + 1));
  std::memcpy(copy, Text.c_str(), Text.size() + 1);
  return reinterpret_cast<TUVTag>(copy);
}

AnsiString UVTagText(TUVTag Tag) { return Tag ? AnsiString(reinterpret_cast<const char*>(Tag)) : AnsiString(); }

void UVFreeStringTag(TUVTag& Tag) {
  if (Tag) std::free(reinterpret_cast<void*>(Tag));
  Tag = 0;
}

TUVTag CopyItemTag(TUVTag Tag, bool TagsArePChars) {
  if (!TagsArePChars || !Tag) return Tag;
  return UVMakeStringTag(UVTagText(Tag));
}

bool UVCompareTags(TUVTag Tag1, TUVTag Tag2, bool TagsArePChars) {
  if (!TagsArePChars) return Tag1 == Tag2;
  if (!Tag1 || !Tag2) return !Tag1 && !Tag2;
  return std::strcmp(reinterpret_cast<const char*>(Tag1), reinterpret_cast<const char*>(Tag2)) == 0;
}

AnsiString ReplaceTabsAnsi(const AnsiString& Text, Integer SpacesInTab) {
  if (Text.find('\t') == AnsiString::npos) return Text;
  AnsiString result;
  result.reserve(Text.size() + 8);
  for (char c : Text) {
    if (c == '\t')
      result.append(static_cast<std::size_t>(SpacesInTab > 0 ? SpacesInTab : 0), ' ');
    else
      result += c;
  }
  return result;
}

AnsiString ReplaceTabsUnicode(const AnsiString& Text, Integer SpacesInTab) {
  AnsiString result;
  result.reserve(Text.size());
  std::size_t i = 0;
  for (; i + 1 < Text.size(); i += 2) {
    if (Text[i] == '\t' && Text[i + 1] == 0) {
      for (Integer k = 0; k < SpacesInTab; ++k) {
        result += ' ';
        result += '\0';
      }
    } else {
      result += Text[i];
      result += Text[i + 1];
    }
  }
  if (i < Text.size()) result += Text[i];
  return result;
}

Integer FindByteInBuffer(const void* Buffer, Integer Length, Byte Value) {
  if (!Buffer || Length <= 0) return 0;
  const void* p = std::memchr(Buffer, Value, static_cast<std::size_t>(Length));
  return p ? static_cast<Integer>(static_cast<const Byte*>(p) - static_cast<const Byte*>(Buffer)) + 1 : 0;
}

AnsiString ColorToHTMLString(TColor Color) {
  if (Color == clNone) return AnsiString();
  LongInt rgb = Color == clWindowText ? 0 : ColorToRGB(Color);
  return Format("#%s%s%s", IntToHex(rgb & 0xFF, 2), IntToHex((rgb >> 8) & 0xFF, 2), IntToHex((rgb >> 16) & 0xFF, 2));
}

AnsiString UVMakeHTMLPath(const AnsiString& Path) {
  AnsiString result = Path;
  for (char& c : result)
    if (c == '\\') c = '/';
  return result;
}

void UVAppendWord(AnsiString& S, const AnsiString& Word) {
  if (!S.empty()) S += ' ';
  S += Word;
}

Integer UVFontSizeToHTML(Integer Size) {
  if (Size < 9) return 1;
  if (Size <= 10) return 2;
  if (Size <= 12) return 3;
  if (Size <= 14) return 4;
  if (Size <= 18) return 5;
  if (Size <= 24) return 6;
  return 7;
}

bool IsPointInRect(Integer X, Integer Y, Integer Left, Integer Top, Integer Width, Integer Height) {
  return X >= Left && X < Left + Width && Y >= Top && Y < Top + Height;
}

void UVGetResolution(TCanvas* Canvas, TUVScreenAndDevice& Sad) {
  UniqueMemoryDC screen(::CreateCompatibleDC(nullptr));
  Sad.ScreenPpiX = ::GetDeviceCaps(screen.get(), LOGPIXELSX);
  Sad.ScreenPpiY = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
  if (Canvas) {
    HDC dc = Canvas->GetHandle();
    Sad.DevicePpiX = ::GetDeviceCaps(dc, LOGPIXELSX);
    Sad.DevicePpiY = ::GetDeviceCaps(dc, LOGPIXELSY);
  } else {
    Sad.DevicePpiX = Sad.ScreenPpiX;
    Sad.DevicePpiY = Sad.ScreenPpiY;
  }
}

AnsiString UVFontToCSS(TFont* Font) {
  AnsiString words;
  TFontStyles style = Font->GetStyle();
  if (style.Contains(fsBold)) UVAppendWord(words, "bold");
  if (style.Contains(fsItalic)) UVAppendWord(words, "italic");
  Integer size = Font->GetSize();
  UVAppendWord(words, size < 1 ? Format("%dpx", std::abs(Font->GetHeight())) : Format("%dpt", size));
  UVAppendWord(words, "'" + Font->GetName() + "'");
  AnsiString result = Format("font: %s;", words);
  AnsiString decoration;
  if (style.Contains(fsUnderline)) UVAppendWord(decoration, "underline");
  if (style.Contains(fsStrikeOut)) UVAppendWord(decoration, "line-through");
  if (!decoration.empty()) result = Format("%s text-decoration: %s;", result, decoration);
  return Format("%s color: %s;", result, ColorToHTMLString(Font->GetColor()));
}

namespace {

struct FontTagParts {
  AnsiString Font;  // the FONT tag, empty when nothing differs
  std::vector<const char*> OpenedNames;
  std::vector<const char*> ClosedNames;
};

FontTagParts MarkerFontTags(TFont* Font, const TFontInfo* Base) {
  FontTagParts parts;
  AnsiString attrs;
  if (UVFontSizeToHTML(Font->GetSize()) != UVFontSizeToHTML(Base->Size))
    attrs += Format(" size=%d", UVFontSizeToHTML(Font->GetSize()));
  if (Font->GetColor() != Base->Color) attrs += " color=" + ColorToHTMLString(Font->GetColor());
  if (!AnsiSameText(Font->GetName(), Base->FontName)) attrs += Format(" face=\"%s\"", Font->GetName());
  if (!attrs.empty()) parts.Font = "<FONT" + attrs + ">";
  static const struct {
    TFontStyle Style;
    const char* Tag;
  } kTags[] = {{fsBold, "B"}, {fsItalic, "I"}, {fsUnderline, "U"}, {fsStrikeOut, "S"}};
  TFontStyles fs = Font->GetStyle();
  for (int i = 3; i >= 0; --i)
    if (Base->Style.Contains(kTags[i].Style) && !fs.Contains(kTags[i].Style)) parts.ClosedNames.push_back(kTags[i].Tag);
  for (const auto& t : kTags)
    if (fs.Contains(t.Style) && !Base->Style.Contains(t.Style)) parts.OpenedNames.push_back(t.Tag);
  return parts;
}

}  // namespace

AnsiString UVOpenHTMLMarkerFontTags(TFont* Font, const TFontInfo* Base) {
  FontTagParts parts = MarkerFontTags(Font, Base);
  AnsiString result = parts.Font;
  for (const char* tag : parts.ClosedNames) result += Format("</%s>", tag);
  for (const char* tag : parts.OpenedNames) result += Format("<%s>", tag);
  return result;
}

AnsiString UVCloseHTMLMarkerFontTags(TFont* Font, const TFontInfo* Base) {
  FontTagParts parts = MarkerFontTags(Font, Base);
  AnsiString result;
  for (auto it = parts.OpenedNames.rbegin(); it != parts.OpenedNames.rend(); ++it) result += Format("</%s>", *it);
  for (auto it = parts.ClosedNames.rbegin(); it != parts.ClosedNames.rend(); ++it) result += Format("<%s>", *it);
  if (!parts.Font.empty()) result += "</FONT>";
  return result;
}

void UVApplyPalette(TGraphic* Graphic, LOGPALETTE* LogPalette) {
  if (!Graphic || !LogPalette) return;
  if (auto* jpeg = dynamic_cast<TJPEGImage*>(Graphic)) jpeg->SetPixelFormat(jf8Bit);
  HPALETTE palette = ::CreatePalette(LogPalette);
  if (!palette) return;
  Graphic->SetPalette(palette);
  if (Graphic->GetPalette() != palette) ::DeleteObject(palette);
}
