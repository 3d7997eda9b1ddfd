#include "richtext/core/UVFuncs.h"

#include <algorithm>
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

void UVDrawCrossedBox(TCanvas* Canvas, const TRect& R) {
  Integer w = R.Right - R.Left;
  Integer h = R.Bottom - R.Top;
  if (w <= 0 || h <= 0) return;
  Canvas->GetBrush()->SetColor(clWhite);
  Canvas->GetBrush()->SetStyle(bsSolid);
  Canvas->FillRect(R);
  TPen* pen = Canvas->GetPen();
  pen->SetColor(clRed);
  pen->SetStyle(psSolid);
  pen->SetWidth(1);
  Canvas->GetBrush()->SetStyle(bsClear);
  Canvas->Rectangle(R);
  Integer inset = std::min(w, h) / 5;
  Canvas->MoveTo(R.Left + inset, R.Top + inset);
  Canvas->LineTo(R.Right - inset, R.Bottom - inset);
  Canvas->MoveTo(R.Right - 1 - inset, R.Top + inset);
  Canvas->LineTo(R.Left - 1 + inset, R.Bottom - inset);
}

namespace {

// The extents of a canvas whose logical units are not its device's pixels (a PDF page recorded
// against the screen at the page's resolution): false for one that draws in its device's pixels.
bool ScaledExtents(TCanvas* Canvas, SIZE& Window, SIZE& Viewport) {
  HDC dc = Canvas->GetHandle();
  const int mode = ::GetMapMode(dc);
  if (mode != MM_ANISOTROPIC && mode != MM_ISOTROPIC) return false;
  ::GetWindowExtEx(dc, &Window);
  ::GetViewportExtEx(dc, &Viewport);
  return Viewport.cx != 0 && Viewport.cy != 0;
}

}  // namespace

void UVGetResolution(TCanvas* Canvas, TUVScreenAndDevice& Sad) {
  UniqueMemoryDC screen(::CreateCompatibleDC(nullptr));
  Sad.ScreenPpiX = ::GetDeviceCaps(screen.get(), LOGPIXELSX);
  Sad.ScreenPpiY = ::GetDeviceCaps(screen.get(), LOGPIXELSY);
  if (Canvas) {
    Sad.DevicePpiX = Canvas->DeviceCaps(LOGPIXELSX);
    Sad.DevicePpiY = Canvas->DeviceCaps(LOGPIXELSY);
    // Such a canvas counts its logical units per inch.
    SIZE window{}, viewport{};
    if (ScaledExtents(Canvas, window, viewport)) {
      Sad.DevicePpiX = std::abs(MulDiv(Sad.DevicePpiX, window.cx, viewport.cx));
      Sad.DevicePpiY = std::abs(MulDiv(Sad.DevicePpiY, window.cy, viewport.cy));
    }
  } else {
    Sad.DevicePpiX = Sad.ScreenPpiX;
    Sad.DevicePpiY = Sad.ScreenPpiY;
  }
}

Integer UVDevicePixelsToLogicalX(TCanvas* Canvas, Integer Pixels) {
  SIZE window{}, viewport{};
  if (!Canvas || !ScaledExtents(Canvas, window, viewport)) return Pixels;
  return std::abs(MulDiv(Pixels, window.cx, viewport.cx));
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

// The FONT tag and the style tags of a font relative to a base style (absolute without one).
FontTagParts FontTags(const AnsiString& Name, Integer Size, TColor Color, TFontStyles Styles, const TFontInfo* Base) {
  FontTagParts parts;
  AnsiString attrs;
  if (!Base || UVFontSizeToHTML(Size) != UVFontSizeToHTML(Base->Size))
    attrs += Format(" size=%d", UVFontSizeToHTML(Size));
  if (!Base || Color != Base->Color) attrs += " color=" + ColorToHTMLString(Color);
  if (!Base || !AnsiSameText(Name, Base->FontName)) attrs += Format(" face=\"%s\"", Name);
  if (!attrs.empty()) parts.Font = "<FONT" + attrs + ">";
  static const struct {
    TFontStyle Style;
    const char* Tag;
  } kTags[] = {{fsBold, "B"}, {fsItalic, "I"}, {fsUnderline, "U"}, {fsStrikeOut, "S"}};
  const TFontStyles baseStyles = Base ? Base->Style : TFontStyles();
  for (int i = 3; i >= 0; --i)
    if (baseStyles.Contains(kTags[i].Style) && !Styles.Contains(kTags[i].Style)) parts.ClosedNames.push_back(kTags[i].Tag);
  for (const auto& t : kTags)
    if (Styles.Contains(t.Style) && !baseStyles.Contains(t.Style)) parts.OpenedNames.push_back(t.Tag);
  return parts;
}

FontTagParts MarkerFontTags(TFont* Font, const TFontInfo* Base) {
  return FontTags(Font->GetName(), Font->GetSize(), Font->GetColor(), Font->GetStyle(), Base);
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

AnsiString UVOpenHTMLFontTags(const TFontInfo* Style, const TFontInfo* Base) {
  FontTagParts parts = FontTags(Style->FontName, Style->Size, Style->Color, Style->Style, Base);
  AnsiString result = parts.Font;
  for (const char* tag : parts.ClosedNames) result += Format("</%s>", tag);
  for (const char* tag : parts.OpenedNames) result += Format("<%s>", tag);
  if (Style->VShift < 0) result += "<SUB>";
  if (Style->VShift > 0) result += "<SUP>";
  return result;
}

AnsiString UVCloseHTMLFontTags(const TFontInfo* Style, const TFontInfo* Base) {
  FontTagParts parts = FontTags(Style->FontName, Style->Size, Style->Color, Style->Style, Base);
  AnsiString result;
  if (Style->VShift < 0) result += "</SUB>";
  if (Style->VShift > 0) result += "</SUP>";
  for (auto it = parts.OpenedNames.rbegin(); it != parts.OpenedNames.rend(); ++it) result += Format("</%s>", *it);
  for (auto it = parts.ClosedNames.rbegin(); it != parts.ClosedNames.rend(); ++it) result += Format("<%s>", *it);
  if (!parts.Font.empty()) result += "</FONT>";
  return result;
}

void UVDrawGraphic(TCanvas* Canvas, Integer X, Integer Y, Integer Width, Integer Height, TGraphic* Graphic,
                   const TUVScreenAndDevice& Sad, bool Stretch) {
  if (!Graphic || Graphic->GetEmpty()) return;
  if (Width < 0) Width = Graphic->GetWidth();
  if (Height < 0) Height = Graphic->GetHeight();
  Width = ::MulDiv(Width, Sad.DevicePpiX, Sad.ScreenPpiX);
  Height = ::MulDiv(Height, Sad.DevicePpiY, Sad.ScreenPpiY);
  if (Stretch) {
    Canvas->StretchDraw(Rect(X, Y, X + Width, Y + Height), Graphic);
    return;
  }
  auto* bitmap = dynamic_cast<TBitmap*>(Graphic);
  if (!bitmap) return;
  // The pixels as a 24-bit DIB, which every device can take.
  const Integer w = bitmap->GetWidth();
  const Integer h = bitmap->GetHeight();
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<Byte> bits(static_cast<std::size_t>(((w * 3 + 3) & ~3) * h));
  {
    WindowDC screen;
    if (!::GetDIBits(screen, bitmap->GetHandle(), 0, static_cast<UINT>(h), bits.data(), &info, DIB_RGB_COLORS))
      return;
  }
  HDC dc = Canvas->GetHandle();
  UniqueGdiObject halftone(::CreateHalftonePalette(dc));
  HPALETTE oldPalette = ::SelectPalette(dc, static_cast<HPALETTE>(halftone.get()), FALSE);
  ::RealizePalette(dc);
  const int oldMode = ::SetStretchBltMode(dc, HALFTONE);
  ::SetBrushOrgEx(dc, 0, 0, nullptr);
  ::StretchDIBits(dc, X, Y, Width, Height, 0, 0, w, h, bits.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  ::SetStretchBltMode(dc, oldMode);
  ::SelectPalette(dc, oldPalette, FALSE);
}

void UVApplyPalette(TGraphic* Graphic, LOGPALETTE* LogPalette) {
  if (!Graphic || !LogPalette) return;
  if (auto* jpeg = dynamic_cast<TJPEGImage*>(Graphic)) jpeg->SetPixelFormat(jf8Bit);
  HPALETTE palette = ::CreatePalette(LogPalette);
  if (!palette) return;
  Graphic->SetPalette(palette);
  if (Graphic->GetPalette() != palette) ::DeleteObject(palette);
}
