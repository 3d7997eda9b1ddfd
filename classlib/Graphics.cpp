// Colours, and the fonts, pens and brushes with their shared GDI objects.
#include "classlib/Graphics.h"

#include <unordered_map>
#include <vector>

#include "classlib/Bitmaps.h"
#include "classlib/Handles.h"
#include "classlib/SysUtils.h"
#include "classlib/TypInfo.h"

// ---------------------------------------------------------------------------------------------
// Colours

namespace {

struct ColorName {
  TColor Color;
  const char* Name;
};

constexpr ColorName kColorNames[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clMoneyGreen, "clMoneyGreen"},
    {clSkyBlue, "clSkyBlue"},
    {clCream, "clCream"},
    {clMedGray, "clMedGray"},
    {clActiveBorder, "clActiveBorder"},
    {clActiveCaption, "clActiveCaption"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clBackground, "clBackground"},
    {clBtnFace, "clBtnFace"},
    {clBtnHighlight, "clBtnHighlight"},
    {clBtnShadow, "clBtnShadow"},
    {clBtnText, "clBtnText"},
    {clCaptionText, "clCaptionText"},
    {clDefault, "clDefault"},
    {clGradientActiveCaption, "clGradientActiveCaption"},
    {clGradientInactiveCaption, "clGradientInactiveCaption"},
    {clGrayText, "clGrayText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clHotLight, "clHotLight"},
    {clInactiveBorder, "clInactiveBorder"},
    {clInactiveCaption, "clInactiveCaption"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clInfoBk, "clInfoBk"},
    {clInfoText, "clInfoText"},
    {clMenu, "clMenu"},
    {clMenuBar, "clMenuBar"},
    {clMenuHighlight, "clMenuHighlight"},
    {clMenuText, "clMenuText"},
    {clNone, "clNone"},
    {clScrollBar, "clScrollBar"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clWindowText, "clWindowText"},
};

}  // namespace

LongInt ColorToRGB(TColor Color) {
  if (Color < 0) return static_cast<LongInt>(::GetSysColor(Color & 0xFF));
  return Color;
}

bool ColorToIdent(LongInt Color, AnsiString& Ident) {
  for (const ColorName& c : kColorNames)
    if (c.Color == Color) {
      Ident = c.Name;
      return true;
    }
  return false;
}

bool IdentToColor(const AnsiString& Ident, LongInt& Color) {
  for (const ColorName& c : kColorNames)
    if (SameText(Ident, c.Name)) {
      Color = c.Color;
      return true;
    }
  return false;
}

namespace {

// Colour names that other libraries add for forms, asked before the library's own.
struct ExtraColorNames {
  std::vector<TIdentToInt> IdentToInt;
  std::vector<TIntToIdent> IntToIdent;
};

ExtraColorNames& ExtraNames() {
  static ExtraColorNames names;
  return names;
}

bool FormIdentToColor(const AnsiString& Ident, Integer& Color) {
  for (TIdentToInt f : ExtraNames().IdentToInt)
    if (f(Ident, Color)) return true;
  return IdentToColor(Ident, Color);
}

bool FormColorToIdent(Integer Color, AnsiString& Ident) {
  for (TIntToIdent f : ExtraNames().IntToIdent)
    if (f(Color, Ident)) return true;
  return ColorToIdent(Color, Ident);
}

}  // namespace

void RegisterColorNames(TIdentToInt IdentToInt, TIntToIdent IntToIdent) {
  ExtraNames().IdentToInt.push_back(IdentToInt);
  ExtraNames().IntToIdent.push_back(IntToIdent);
}

const TTypeInfo* ColorTypeInfo() {
  static const TTypeInfo info = TTypeInfo::NamedInteger("TColor", FormIdentToColor, FormColorToIdent);
  return &info;
}

AnsiString ColorToString(TColor Color) {
  AnsiString name;
  if (ColorToIdent(Color, name)) return name;
  return "$" + IntToHex(static_cast<Cardinal>(Color), 8);
}

TColor StringToColor(const AnsiString& S) {
  LongInt color;
  if (IdentToColor(S, color)) return color;
  return StrToInt(S);
}

void GDIError() {
  const DWORD error = ::GetLastError();
  throw EOutOfResources(error ? SysErrorMessage(error) : AnsiString("Out of system resources"));
}

HPALETTE CopyPalette(HPALETTE Palette) {
  if (!Palette) return nullptr;
  WORD count = 0;
  if (!::GetObjectA(Palette, sizeof count, &count) || count == 0) return nullptr;
  std::vector<Byte> buffer(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
  auto* lp = reinterpret_cast<LOGPALETTE*>(buffer.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = count;
  ::GetPaletteEntries(Palette, 0, count, lp->palPalEntry);
  return ::CreatePalette(lp);
}

namespace {

struct CharsetName {
  Integer Charset;
  const char* Name;
};

constexpr CharsetName kCharsetNames[] = {
    {ANSI_CHARSET, "ANSI_CHARSET"},         {DEFAULT_CHARSET, "DEFAULT_CHARSET"},
    {SYMBOL_CHARSET, "SYMBOL_CHARSET"},     {MAC_CHARSET, "MAC_CHARSET"},
    {SHIFTJIS_CHARSET, "SHIFTJIS_CHARSET"}, {HANGEUL_CHARSET, "HANGEUL_CHARSET"},
    {JOHAB_CHARSET, "JOHAB_CHARSET"},       {GB2312_CHARSET, "GB2312_CHARSET"},
    {CHINESEBIG5_CHARSET, "CHINESEBIG5_CHARSET"}, {GREEK_CHARSET, "GREEK_CHARSET"},
    {TURKISH_CHARSET, "TURKISH_CHARSET"},   {VIETNAMESE_CHARSET, "VIETNAMESE_CHARSET"},
    {HEBREW_CHARSET, "HEBREW_CHARSET"},     {ARABIC_CHARSET, "ARABIC_CHARSET"},
    {BALTIC_CHARSET, "BALTIC_CHARSET"},     {RUSSIAN_CHARSET, "RUSSIAN_CHARSET"},
    {THAI_CHARSET, "THAI_CHARSET"},         {EASTEUROPE_CHARSET, "EASTEUROPE_CHARSET"},
    {OEM_CHARSET, "OEM_CHARSET"},
};

}  // namespace

bool CharsetToIdent(Integer Charset, AnsiString& Ident) {
  for (const CharsetName& c : kCharsetNames)
    if (c.Charset == Charset) {
      Ident = c.Name;
      return true;
    }
  return false;
}

bool IdentToCharset(const AnsiString& Ident, Integer& Charset) {
  for (const CharsetName& c : kCharsetNames)
    if (SameText(Ident, c.Name)) {
      Charset = c.Charset;
      return true;
    }
  return false;
}

const TTypeInfo* CharsetTypeInfo() {
  static const TTypeInfo info = TTypeInfo::NamedInteger("TFontCharset", IdentToCharset, CharsetToIdent, otUByte);
  return &info;
}

Integer ScreenLogPixels() {
  static const Integer ppi = [] {
    WindowDC screen;
    return ::GetDeviceCaps(screen, LOGPIXELSY);
  }();
  return ppi;
}

// ---------------------------------------------------------------------------------------------
// Shared GDI objects
//
// Every font, pen and brush points at a resource: its description and the GDI object made from
// it. Objects with equal descriptions share one resource. A resource nobody uses any more stays
// in the cache for a while (up to kIdleLimit of each kind, the least recently used go first),
// so that a canvas switching between a few fonts finds their handles again instead of creating
// and deleting GDI objects (and, on a metafile, recording each of them anew).

namespace classlib_detail {

enum class ResourceKind : Byte { Font, Pen, Brush };

struct GdiResource {
  explicit GdiResource(ResourceKind kind) : Kind(kind) {}
  ResourceKind Kind;
  HGDIOBJ Handle = nullptr;
  Integer RefCount = 0;
  // Kept in the idle list when unused; false for handles taken over and pattern brushes.
  bool Poolable = true;
  GdiResource* IdlePrev = nullptr;
  GdiResource* IdleNext = nullptr;
};

}  // namespace classlib_detail

namespace {

using classlib_detail::GdiResource;
using classlib_detail::ResourceKind;

constexpr std::size_t kIdleLimit = 64;

// Descriptions are compared and hashed as bytes: each is laid out without padding and made
// zero-filled, so that equal descriptions are equal byte for byte.
struct FontData {
  HGDIOBJ Adopted;  // a handle taken over with SetHandle; part of the key so it is never shared
  Integer Height;
  Byte Pitch;
  Byte Style;
  Byte Charset;
  Byte Reserved;
  char Name[LF_FACESIZE];
};
static_assert(sizeof(FontData) == 8 + 4 + 4 + LF_FACESIZE);

struct PenData {
  HGDIOBJ Adopted;
  TColor Color;
  Integer Width;
  Integer Style;
  Integer Reserved;
};
static_assert(sizeof(PenData) == 24);

struct BrushData {
  HGDIOBJ Adopted;
  TBitmap* Bitmap;
  TColor Color;
  Integer Style;
};
static_assert(sizeof(BrushData) == 24);

template <class Data>
Data ZeroData() {
  Data d;
  std::memset(&d, 0, sizeof d);
  return d;
}

template <class Data>
std::size_t HashBytes(const Data& d) noexcept {
  const auto* p = reinterpret_cast<const unsigned char*>(&d);
  std::uint64_t h = 14695981039346656037ull;
  for (std::size_t i = 0; i < sizeof d; ++i) h = (h ^ p[i]) * 1099511628211ull;
  return static_cast<std::size_t>(h);
}

template <class Data>
struct Resource : GdiResource {
  Resource(ResourceKind kind, const Data& d) : GdiResource(kind), Value(d) {}
  Data Value;
};

HGDIOBJ MakeObject(const FontData& d);
HGDIOBJ MakeObject(const PenData& d);
HGDIOBJ MakeObject(const BrushData& d);

// All caches share one lock: resources are acquired from any thread that draws.
SRWLOCK g_cacheLock = SRWLOCK_INIT;

class CacheLock {
public:
  CacheLock() noexcept { ::AcquireSRWLockExclusive(&g_cacheLock); }
  ~CacheLock() { ::ReleaseSRWLockExclusive(&g_cacheLock); }
  CacheLock(const CacheLock&) = delete;
  CacheLock& operator=(const CacheLock&) = delete;
};

template <class Data>
class ResourceCache {
public:
  explicit ResourceCache(ResourceKind kind) : kind_(kind) {}

  // With the lock held.
  Resource<Data>* Acquire(const Data& d) {
    auto it = map_.find(&d);
    Resource<Data>* r;
    if (it != map_.end()) {
      r = it->second;
      if (r->RefCount == 0 && r->Poolable) Unlink(r);
    } else {
      r = new Resource<Data>(kind_, d);
      if (d.Adopted) {
        r->Handle = d.Adopted;
        r->Poolable = false;
      }
      map_.emplace(&r->Value, r);
    }
    ++r->RefCount;
    return r;
  }

  // With the lock held.
  void Release(Resource<Data>* r) {
    if (--r->RefCount > 0) return;
    if (!r->Poolable) {
      Destroy(r);
      return;
    }
    PushFront(r);
    if (idleCount_ > kIdleLimit) {
      GdiResource* oldest = idleTail_;
      Unlink(oldest);
      Destroy(static_cast<Resource<Data>*>(oldest));
    }
  }

  // With the lock held.
  HGDIOBJ Handle(Resource<Data>* r) {
    if (!r->Handle) r->Handle = MakeObject(r->Value);
    return r->Handle;
  }

private:
  struct KeyHash {
    std::size_t operator()(const Data* d) const noexcept { return HashBytes(*d); }
  };
  struct KeyEqual {
    bool operator()(const Data* a, const Data* b) const noexcept { return std::memcmp(a, b, sizeof(Data)) == 0; }
  };

  void Destroy(Resource<Data>* r) {
    map_.erase(&r->Value);
    if (r->Handle) ::DeleteObject(r->Handle);
    delete r;
  }
  void PushFront(GdiResource* r) {
    r->IdlePrev = nullptr;
    r->IdleNext = idleHead_;
    if (idleHead_) idleHead_->IdlePrev = r;
    idleHead_ = r;
    if (!idleTail_) idleTail_ = r;
    ++idleCount_;
  }
  void Unlink(GdiResource* r) {
    if (r->IdlePrev) r->IdlePrev->IdleNext = r->IdleNext;
    else idleHead_ = r->IdleNext;
    if (r->IdleNext) r->IdleNext->IdlePrev = r->IdlePrev;
    else idleTail_ = r->IdlePrev;
    r->IdlePrev = r->IdleNext = nullptr;
    --idleCount_;
  }

  ResourceKind kind_;
  std::unordered_map<const Data*, Resource<Data>*, KeyHash, KeyEqual> map_;
  GdiResource* idleHead_ = nullptr;
  GdiResource* idleTail_ = nullptr;
  std::size_t idleCount_ = 0;
};

// The caches live for the whole process (never destroyed), so that fonts in static objects of
// other units may still release their resources during shutdown.
ResourceCache<FontData>& Fonts() {
  static auto* cache = new ResourceCache<FontData>(ResourceKind::Font);
  return *cache;
}
ResourceCache<PenData>& Pens() {
  static auto* cache = new ResourceCache<PenData>(ResourceKind::Pen);
  return *cache;
}
ResourceCache<BrushData>& Brushes() {
  static auto* cache = new ResourceCache<BrushData>(ResourceKind::Brush);
  return *cache;
}

template <class Data>
Resource<Data>* AsResource(GdiResource* r) {
  return static_cast<Resource<Data>*>(r);
}

void ReleaseLocked(GdiResource* r) {
  switch (r->Kind) {
    case ResourceKind::Font: Fonts().Release(AsResource<FontData>(r)); break;
    case ResourceKind::Pen: Pens().Release(AsResource<PenData>(r)); break;
    case ResourceKind::Brush: Brushes().Release(AsResource<BrushData>(r)); break;
  }
}

// Replaces the resource of an object by the one for the new description.
template <class Data>
void ChangeResource(ResourceCache<Data>& cache, GdiResource*& slot, const Data& d) {
  CacheLock lock;
  GdiResource* old = slot;
  slot = cache.Acquire(d);
  if (old) ReleaseLocked(old);
}

template <class Data>
const Data& DataOf(const GdiResource* r) {
  return static_cast<const Resource<Data>*>(r)->Value;
}

template <class Data>
HGDIOBJ HandleOf(ResourceCache<Data>& cache, GdiResource* r) {
  CacheLock lock;
  return cache.Handle(AsResource<Data>(r));
}

HGDIOBJ MakeObject(const FontData& d) {
  LOGFONTA lf{};
  lf.lfHeight = d.Height;
  const TFontStyles style = TFontStyles::FromBits(d.Style);
  lf.lfWeight = style.Contains(fsBold) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = style.Contains(fsItalic);
  lf.lfUnderline = style.Contains(fsUnderline);
  lf.lfStrikeOut = style.Contains(fsStrikeOut);
  lf.lfCharSet = d.Charset;
  lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
  lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  switch (static_cast<TFontPitch>(d.Pitch)) {
    case fpVariable: lf.lfPitchAndFamily = VARIABLE_PITCH; break;
    case fpFixed: lf.lfPitchAndFamily = FIXED_PITCH; break;
    default: lf.lfPitchAndFamily = DEFAULT_PITCH; break;
  }
  std::memcpy(lf.lfFaceName, d.Name, LF_FACESIZE);
  HFONT h = ::CreateFontIndirectA(&lf);
  if (!h) GDIError();
  return h;
}

HGDIOBJ MakeObject(const PenData& d) {
  static constexpr UINT kStyles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT, PS_NULL, PS_INSIDEFRAME};
  LOGPEN lp{};
  lp.lopnStyle = kStyles[d.Style];
  lp.lopnWidth.x = d.Width;
  lp.lopnColor = static_cast<COLORREF>(ColorToRGB(d.Color));
  HPEN h = ::CreatePenIndirect(&lp);
  if (!h) GDIError();
  return h;
}

HGDIOBJ MakeObject(const BrushData& d) {
  HBRUSH h;
  if (d.Bitmap && !d.Bitmap->GetEmpty()) {
    h = ::CreatePatternBrush(d.Bitmap->GetHandle());
  } else {
    static constexpr LONG kHatches[] = {0, 0, HS_HORIZONTAL, HS_VERTICAL, HS_FDIAGONAL, HS_BDIAGONAL, HS_CROSS, HS_DIAGCROSS};
    LOGBRUSH lb{};
    lb.lbColor = static_cast<COLORREF>(ColorToRGB(d.Color));
    switch (static_cast<TBrushStyle>(d.Style)) {
      case bsSolid: lb.lbStyle = BS_SOLID; break;
      case bsClear: lb.lbStyle = BS_HOLLOW; break;
      default:
        lb.lbStyle = BS_HATCHED;
        lb.lbHatch = static_cast<ULONG_PTR>(kHatches[d.Style]);
        break;
    }
    h = ::CreateBrushIndirect(&lb);
  }
  if (!h) GDIError();
  return h;
}

FontData DefaultFontData() {
  FontData d = ZeroData<FontData>();
  d.Height = -::MulDiv(8, ScreenLogPixels(), 72);
  d.Pitch = fpDefault;
  d.Charset = DEFAULT_CHARSET;
  std::strcpy(d.Name, "MS Sans Serif");
  return d;
}

}  // namespace

namespace classlib_detail {

void RetainResource(GdiResource* Resource) noexcept {
  CacheLock lock;
  ++Resource->RefCount;
}

void ReleaseResource(GdiResource* Resource) noexcept {
  CacheLock lock;
  ReleaseLocked(Resource);
}

}  // namespace classlib_detail

// ---------------------------------------------------------------------------------------------
// TGraphicsObject

void TGraphicsObject::Changed() {
  if (OnChange) OnChange(this);
}

// ---------------------------------------------------------------------------------------------
// TFont

TFont::TFont() : PixelsPerInch(ScreenLogPixels()), FResource(nullptr) {
  ChangeResource(Fonts(), FResource, DefaultFontData());
}

TFont::~TFont() { classlib_detail::ReleaseResource(FResource); }

void TFont::Change(const void* data) {
  ChangeResource(Fonts(), FResource, *static_cast<const FontData*>(data));
  Changed();
}

void TFont::Assign(TPersistent* Source) {
  if (auto* font = dynamic_cast<TFont*>(Source)) {
    if (font == this) return;
    {
      CacheLock lock;
      GdiResource* old = FResource;
      FResource = font->FResource;
      ++FResource->RefCount;
      ReleaseLocked(old);
    }
    FColor = font->FColor;
    if (PixelsPerInch != font->PixelsPerInch) {
      FontData d = DataOf<FontData>(FResource);
      d.Adopted = nullptr;
      d.Height = -::MulDiv(font->GetSize(), PixelsPerInch, 72);
      ChangeResource(Fonts(), FResource, d);
    }
    Changed();
    return;
  }
  inherited::Assign(Source);
}

HFONT TFont::GetHandle() { return static_cast<HFONT>(HandleOf(Fonts(), FResource)); }

void TFont::SetHandle(HFONT Value) {
  LOGFONTA lf{};
  if (!Value || ::GetObjectA(Value, sizeof lf, &lf) != sizeof lf) throw EInvalidGraphic("Font handle is not valid");
  FontData d = ZeroData<FontData>();
  d.Adopted = Value;
  d.Height = lf.lfHeight;
  switch (lf.lfPitchAndFamily & 3) {
    case VARIABLE_PITCH: d.Pitch = fpVariable; break;
    case FIXED_PITCH: d.Pitch = fpFixed; break;
    default: d.Pitch = fpDefault; break;
  }
  TFontStyles style;
  if (lf.lfWeight >= FW_BOLD) style << fsBold;
  if (lf.lfItalic) style << fsItalic;
  if (lf.lfUnderline) style << fsUnderline;
  if (lf.lfStrikeOut) style << fsStrikeOut;
  d.Style = static_cast<Byte>(style.Bits());
  d.Charset = lf.lfCharSet;
  std::memcpy(d.Name, lf.lfFaceName, LF_FACESIZE - 1);
  Change(&d);
}

AnsiString TFont::GetName() const { return DataOf<FontData>(FResource).Name; }

void TFont::SetName(const AnsiString& Value) {
  if (Value.empty()) return;
  FontData d = DataOf<FontData>(FResource);
  d.Adopted = nullptr;
  std::memset(d.Name, 0, sizeof d.Name);
  std::memcpy(d.Name, Value.data(), std::min<std::size_t>(Value.size(), LF_FACESIZE - 1));
  Change(&d);
}

Integer TFont::GetSize() const { return -::MulDiv(GetHeight(), 72, PixelsPerInch); }

void TFont::SetSize(Integer Value) { SetHeight(-::MulDiv(Value, PixelsPerInch, 72)); }

Integer TFont::GetHeight() const { return DataOf<FontData>(FResource).Height; }

void TFont::SetHeight(Integer Value) {
  FontData d = DataOf<FontData>(FResource);
  d.Adopted = nullptr;
  d.Height = Value;
  Change(&d);
}

TFontStyles TFont::GetStyle() const { return TFontStyles::FromBits(DataOf<FontData>(FResource).Style); }

void TFont::SetStyle(TFontStyles Value) {
  FontData d = DataOf<FontData>(FResource);
  d.Adopted = nullptr;
  d.Style = static_cast<Byte>(Value.Bits());
  Change(&d);
}

void TFont::SetColor(TColor Value) {
  if (FColor == Value) return;
  FColor = Value;
  Changed();
}

TFontCharset TFont::GetCharset() const { return DataOf<FontData>(FResource).Charset; }

void TFont::SetCharset(TFontCharset Value) {
  FontData d = DataOf<FontData>(FResource);
  d.Adopted = nullptr;
  d.Charset = Value;
  Change(&d);
}

TFontPitch TFont::GetPitch() const { return static_cast<TFontPitch>(DataOf<FontData>(FResource).Pitch); }

void TFont::SetPitch(TFontPitch Value) {
  FontData d = DataOf<FontData>(FResource);
  d.Adopted = nullptr;
  d.Pitch = static_cast<Byte>(Value);
  Change(&d);
}

// ---------------------------------------------------------------------------------------------
// TPen

TPen::TPen() : FResource(nullptr) {
  PenData d = ZeroData<PenData>();
  d.Color = clBlack;
  d.Width = 1;
  d.Style = psSolid;
  ChangeResource(Pens(), FResource, d);
}

TPen::~TPen() { classlib_detail::ReleaseResource(FResource); }

void TPen::Change(const void* data) {
  ChangeResource(Pens(), FResource, *static_cast<const PenData*>(data));
  Changed();
}

void TPen::Assign(TPersistent* Source) {
  if (auto* pen = dynamic_cast<TPen*>(Source)) {
    if (pen == this) return;
    {
      CacheLock lock;
      GdiResource* old = FResource;
      FResource = pen->FResource;
      ++FResource->RefCount;
      ReleaseLocked(old);
    }
    FMode = pen->FMode;
    Changed();
    return;
  }
  inherited::Assign(Source);
}

HPEN TPen::GetHandle() { return static_cast<HPEN>(HandleOf(Pens(), FResource)); }

void TPen::SetHandle(HPEN Value) {
  LOGPEN lp{};
  if (!Value || ::GetObjectA(Value, sizeof lp, &lp) != sizeof lp) throw EInvalidGraphic("Pen handle is not valid");
  PenData d = ZeroData<PenData>();
  d.Adopted = Value;
  d.Color = static_cast<TColor>(lp.lopnColor);
  d.Width = lp.lopnWidth.x;
  switch (lp.lopnStyle) {
    case PS_DASH: d.Style = psDash; break;
    case PS_DOT: d.Style = psDot; break;
    case PS_DASHDOT: d.Style = psDashDot; break;
    case PS_DASHDOTDOT: d.Style = psDashDotDot; break;
    case PS_NULL: d.Style = psClear; break;
    case PS_INSIDEFRAME: d.Style = psInsideFrame; break;
    default: d.Style = psSolid; break;
  }
  Change(&d);
}

TColor TPen::GetColor() const { return DataOf<PenData>(FResource).Color; }

void TPen::SetColor(TColor Value) {
  PenData d = DataOf<PenData>(FResource);
  d.Adopted = nullptr;
  d.Color = Value;
  Change(&d);
}

Integer TPen::GetWidth() const { return DataOf<PenData>(FResource).Width; }

void TPen::SetWidth(Integer Value) {
  if (Value < 0) return;
  PenData d = DataOf<PenData>(FResource);
  d.Adopted = nullptr;
  d.Width = Value;
  Change(&d);
}

TPenStyle TPen::GetStyle() const { return static_cast<TPenStyle>(DataOf<PenData>(FResource).Style); }

void TPen::SetStyle(TPenStyle Value) {
  PenData d = DataOf<PenData>(FResource);
  d.Adopted = nullptr;
  d.Style = Value;
  Change(&d);
}

void TPen::SetMode(TPenMode Value) {
  if (FMode == Value) return;
  FMode = Value;
  Changed();
}

// ---------------------------------------------------------------------------------------------
// TBrush

TBrush::TBrush() : FResource(nullptr) {
  BrushData d = ZeroData<BrushData>();
  d.Color = clWhite;
  d.Style = bsSolid;
  ChangeResource(Brushes(), FResource, d);
}

TBrush::~TBrush() { classlib_detail::ReleaseResource(FResource); }

void TBrush::Change(const void* data) {
  BrushData d = *static_cast<const BrushData*>(data);
  {
    CacheLock lock;
    GdiResource* old = FResource;
    auto* r = Brushes().Acquire(d);
    // A pattern is copied from the bitmap when the handle is made and the bitmap may change
    // later: such brushes are never kept for reuse.
    if (d.Bitmap) r->Poolable = false;
    FResource = r;
    ReleaseLocked(old);
  }
  Changed();
}

void TBrush::Assign(TPersistent* Source) {
  if (auto* brush = dynamic_cast<TBrush*>(Source)) {
    if (brush == this) return;
    {
      CacheLock lock;
      GdiResource* old = FResource;
      FResource = brush->FResource;
      ++FResource->RefCount;
      ReleaseLocked(old);
    }
    Changed();
    return;
  }
  inherited::Assign(Source);
}

HBRUSH TBrush::GetHandle() {
  // The pattern bitmap lets its canvas's context go before the cache is locked: that releases
  // the canvas's own resources, which takes the same lock.
  if (TBitmap* pattern = GetBitmap()) pattern->GetHandle();
  return static_cast<HBRUSH>(HandleOf(Brushes(), FResource));
}

void TBrush::SetHandle(HBRUSH Value) {
  LOGBRUSH lb{};
  if (!Value || ::GetObjectA(Value, sizeof lb, &lb) != sizeof lb) throw EInvalidGraphic("Brush handle is not valid");
  BrushData d = ZeroData<BrushData>();
  d.Adopted = Value;
  d.Color = static_cast<TColor>(lb.lbColor);
  if (lb.lbStyle == BS_HOLLOW) {
    d.Style = bsClear;
  } else if (lb.lbStyle == BS_HATCHED) {
    static constexpr TBrushStyle kStyles[] = {bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross};
    d.Style = lb.lbHatch < 6 ? kStyles[lb.lbHatch] : bsSolid;
  } else {
    d.Style = bsSolid;
  }
  Change(&d);
}

TColor TBrush::GetColor() const { return DataOf<BrushData>(FResource).Color; }

void TBrush::SetColor(TColor Value) {
  BrushData d = DataOf<BrushData>(FResource);
  d.Adopted = nullptr;
  d.Color = Value;
  if (d.Style == bsClear) d.Style = bsSolid;
  Change(&d);
}

TBrushStyle TBrush::GetStyle() const { return static_cast<TBrushStyle>(DataOf<BrushData>(FResource).Style); }

void TBrush::SetStyle(TBrushStyle Value) {
  BrushData d = DataOf<BrushData>(FResource);
  d.Adopted = nullptr;
  d.Style = Value;
  if (Value == bsClear) d.Bitmap = nullptr;
  Change(&d);
}

TBitmap* TBrush::GetBitmap() const { return DataOf<BrushData>(FResource).Bitmap; }

void TBrush::SetBitmap(TBitmap* Value) {
  BrushData d = DataOf<BrushData>(FResource);
  d.Adopted = nullptr;
  d.Bitmap = Value;
  if (Value) d.Style = bsSolid;
  Change(&d);
}

// ---------------------------------------------------------------------------------------------
// Published properties

PUBLISHED(TFont) {
  Prop("Charset", &TFont::GetCharset, &TFont::SetCharset).Type(CharsetTypeInfo()).Default(DEFAULT_CHARSET);
  Prop("Color", &TFont::GetColor, &TFont::SetColor).Type(ColorTypeInfo());
  Prop("Height", &TFont::GetHeight, &TFont::SetHeight);
  Prop("Name", &TFont::GetName, &TFont::SetName);
  Prop("Pitch", &TFont::GetPitch, &TFont::SetPitch).Default(fpDefault);
  // Height holds the size; Size is there for code and forms that name it.
  Prop("Size", &TFont::GetSize, &TFont::SetSize).Stored(false);
  Prop("Style", &TFont::GetStyle, &TFont::SetStyle).Default(TFontStyles{});
}

PUBLISHED(TPen) {
  Prop("Color", &TPen::GetColor, &TPen::SetColor).Type(ColorTypeInfo()).Default(clBlack);
  Prop("Mode", &TPen::GetMode, &TPen::SetMode).Default(pmCopy);
  Prop("Style", &TPen::GetStyle, &TPen::SetStyle).Default(psSolid);
  Prop("Width", &TPen::GetWidth, &TPen::SetWidth).Default(1);
}

PUBLISHED(TBrush) {
  Prop("Color", &TBrush::GetColor, &TBrush::SetColor).Type(ColorTypeInfo()).Default(clWhite);
  Prop("Style", &TBrush::GetStyle, &TBrush::SetStyle).Default(bsSolid);
}
