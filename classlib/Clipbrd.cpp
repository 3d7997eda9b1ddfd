// The clipboard.
#include "classlib/Clipbrd.h"

#include <memory>

#include "classlib/Bitmaps.h"
#include "classlib/Metafiles.h"
#include "classlib/Pictures.h"
#include "classlib/SysUtils.h"

namespace {

const char kWindowClass[] = "PelorinClipboardOwner";

HWND CreateOwnerWindow() {
  static const ATOM atom = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = kWindowClass;
    return ::RegisterClassA(&wc);
  }();
  (void)atom;
  return ::CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ::GetModuleHandleA(nullptr),
                           nullptr);
}

// Frees data the clipboard refused, by the kind of handle the format uses.
void FreeData(Word format, HANDLE data) {
  if (!data) return;
  switch (format) {
    case CF_BITMAP:
    case CF_PALETTE: ::DeleteObject(data); break;
    case CF_ENHMETAFILE: ::DeleteEnhMetaFile(static_cast<HENHMETAFILE>(data)); break;
    default: ::GlobalFree(data); break;
  }
}

std::unique_ptr<TClipboard>& Instance() {
  static std::unique_ptr<TClipboard> clipboard;
  return clipboard;
}

}  // namespace

TClipboard::~TClipboard() {
  if (FOpenRefCount > 0) {
    FOpenRefCount = 1;
    Close();
  }
}

void TClipboard::Open() {
  if (FOpenRefCount == 0) {
    FWindow.reset(CreateOwnerWindow());
    // Another program may have the clipboard open for a moment.
    bool opened = false;
    for (int attempt = 0; attempt < 50 && !(opened = ::OpenClipboard(FWindow.get())); ++attempt) ::Sleep(10);
    if (!opened) {
      FWindow.reset();
      throw Exception("Cannot open clipboard");
    }
    FEmptied = false;
  }
  ++FOpenRefCount;
}

void TClipboard::Close() {
  if (FOpenRefCount == 0) return;
  if (--FOpenRefCount == 0) {
    ::CloseClipboard();
    FWindow.reset();
  }
}

void TClipboard::Clear() {
  ClipboardSession session(this);
  ::EmptyClipboard();
}

void TClipboard::Adding() {
  if (FOpenRefCount != 0 && !FEmptied) {
    Clear();
    FEmptied = true;
  }
}

bool TClipboard::HasFormat(Word Format) { return ::IsClipboardFormatAvailable(Format) != 0; }

HANDLE TClipboard::GetAsHandle(Word Format) {
  ClipboardSession session(this);
  return ::GetClipboardData(Format);
}

void TClipboard::SetAsHandle(Word Format, HANDLE Value) {
  ClipboardSession session(this);
  Adding();
  ::SetClipboardData(Format, Value);
}

void TClipboard::SetBuffer(Word Format, const void* Buffer, Integer Size) {
  ClipboardSession session(this);
  UniqueGlobal data(::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, static_cast<SIZE_T>(Size)));
  if (!data) throw EOutOfMemory("Out of memory");
  {
    GlobalLockGuard lock(data.get());
    if (Size) std::memcpy(lock.get(), Buffer, static_cast<std::size_t>(Size));
  }
  Adding();
  // The clipboard owns the data once it has taken it.
  if (::SetClipboardData(Format, data.get())) data.release();
}

AnsiString TClipboard::GetBuffer(Word Format) {
  ClipboardSession session(this);
  HANDLE data = ::GetClipboardData(Format);
  if (!data) return AnsiString();
  GlobalLockGuard lock(data);
  if (!lock.get()) return AnsiString();
  return AnsiString(static_cast<const char*>(lock.get()), lock.size());
}

AnsiString TClipboard::GetAsText() {
  ClipboardSession session(this);
  HANDLE data = ::GetClipboardData(CF_TEXT);
  if (!data) return AnsiString();
  GlobalLockGuard lock(data);
  if (!lock.get()) return AnsiString();
  // The block may be larger than the text: the text ends at the first zero.
  const auto* text = static_cast<const char*>(lock.get());
  return AnsiString(text, ::strnlen(text, lock.size()));
}

void TClipboard::SetAsText(const AnsiString& Value) {
  SetBuffer(CF_TEXT, Value.c_str(), static_cast<Integer>(Value.size() + 1));
}

Integer TClipboard::GetTextBuf(char* Buffer, Integer BufSize) {
  if (BufSize <= 0) return 0;
  const AnsiString text = GetAsText();
  const Integer count = std::min<Integer>(static_cast<Integer>(text.size()), BufSize - 1);
  std::memcpy(Buffer, text.data(), static_cast<std::size_t>(count));
  Buffer[count] = '\0';
  return count;
}

void TClipboard::SetTextBuf(const char* Buffer) { SetAsText(Buffer ? AnsiString(Buffer) : AnsiString()); }

Integer TClipboard::GetFormatCount() { return ::CountClipboardFormats(); }

Word TClipboard::GetFormats(Integer Index) {
  ClipboardSession session(this);
  UINT format = 0;
  for (Integer i = 0; i <= Index; ++i) {
    format = ::EnumClipboardFormats(format);
    if (!format) break;
  }
  return static_cast<Word>(format);
}

void TClipboard::Assign(TPersistent* Source) {
  TGraphic* graphic = nullptr;
  if (auto* picture = dynamic_cast<TPicture*>(Source))
    graphic = picture->GetGraphic();
  else
    graphic = dynamic_cast<TGraphic*>(Source);
  if (!graphic) {
    inherited::Assign(Source);
    return;
  }
  ClipboardSession session(this);
  Adding();
  Word format = 0;
  HANDLE data = nullptr;
  HPALETTE palette = nullptr;
  graphic->SaveToClipboardFormat(format, data, palette);
  if (data && !::SetClipboardData(format, data)) FreeData(format, data);
  if (palette && !::SetClipboardData(CF_PALETTE, palette)) FreeData(CF_PALETTE, palette);
}

void TClipboard::AssignTo(TPersistent* Dest) {
  ClipboardSession session(this);
  HPALETTE palette = static_cast<HPALETTE>(::GetClipboardData(CF_PALETTE));
  if (auto* picture = dynamic_cast<TPicture*>(Dest)) {
    for (UINT format = ::EnumClipboardFormats(0); format; format = ::EnumClipboardFormats(format))
      if (TPicture::SupportsClipboardFormat(static_cast<Word>(format))) {
        picture->LoadFromClipboardFormat(static_cast<Word>(format), ::GetClipboardData(format), palette);
        return;
      }
    throw EInvalidGraphic("Unsupported clipboard format");
  }
  if (auto* bitmap = dynamic_cast<TBitmap*>(Dest)) {
    bitmap->LoadFromClipboardFormat(CF_BITMAP, ::GetClipboardData(CF_BITMAP), palette);
    return;
  }
  if (auto* metafile = dynamic_cast<TMetafile*>(Dest)) {
    metafile->LoadFromClipboardFormat(CF_ENHMETAFILE, ::GetClipboardData(CF_ENHMETAFILE), nullptr);
    return;
  }
  inherited::AssignTo(Dest);
}

TClipboard* Clipboard() {
  auto& clipboard = Instance();
  if (!clipboard) clipboard = std::make_unique<TClipboard>();
  return clipboard.get();
}

TClipboard* SetClipboard(TClipboard* NewClipboard) {
  auto& clipboard = Instance();
  TClipboard* old = clipboard.release();
  clipboard.reset(NewClipboard);
  return old;
}
