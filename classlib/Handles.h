// Small owners of Windows resources: each gives its resource back in its destructor, so that
// an exception or an early return never leaks a handle or leaves the clipboard open. ScopeExit
// does the same for state that is no handle: a flag or a count put back when a scope ends.
#pragma once

#include <utility>

#include "classlib/WinApi.h"

// An owner of a handle-like value. Traits gives the handle type, its "empty" value (which is
// not always null: CreateFile fails with INVALID_HANDLE_VALUE) and how to give it back.
template <class Traits>
class UniqueResource {
public:
  using H = typename Traits::Handle;
  UniqueResource() noexcept = default;
  explicit UniqueResource(H h) noexcept : h_(h) {}
  UniqueResource(UniqueResource&& o) noexcept : h_(std::exchange(o.h_, Traits::Empty())) {}
  UniqueResource& operator=(UniqueResource&& o) noexcept {
    if (this != &o) reset(std::exchange(o.h_, Traits::Empty()));
    return *this;
  }
  UniqueResource(const UniqueResource&) = delete;
  UniqueResource& operator=(const UniqueResource&) = delete;
  ~UniqueResource() { reset(); }

  H get() const noexcept { return h_; }
  explicit operator bool() const noexcept { return h_ != Traits::Empty(); }
  H release() noexcept { return std::exchange(h_, Traits::Empty()); }
  void reset(H h = Traits::Empty()) noexcept {
    if (h_ != Traits::Empty()) Traits::Release(h_);
    h_ = h;
  }

private:
  H h_ = Traits::Empty();
};

#define CLASSLIB_RESOURCE_TRAITS(Name, Type, EmptyValue, ReleaseCall) \
  struct Name {                                                        \
    using Handle = Type;                                               \
    static Handle Empty() noexcept { return EmptyValue; }              \
    static void Release(Handle h) noexcept { ReleaseCall; }            \
  };

namespace classlib_detail {
CLASSLIB_RESOURCE_TRAITS(KernelHandle, HANDLE, nullptr, ::CloseHandle(h))
CLASSLIB_RESOURCE_TRAITS(FileHandle, HANDLE, INVALID_HANDLE_VALUE, ::CloseHandle(h))
CLASSLIB_RESOURCE_TRAITS(FindHandle, HANDLE, INVALID_HANDLE_VALUE, ::FindClose(h))
CLASSLIB_RESOURCE_TRAITS(ChangeHandle, HANDLE, INVALID_HANDLE_VALUE, ::FindCloseChangeNotification(h))
CLASSLIB_RESOURCE_TRAITS(GdiObject, HGDIOBJ, nullptr, ::DeleteObject(h))
CLASSLIB_RESOURCE_TRAITS(MemoryDC, HDC, nullptr, ::DeleteDC(h))
CLASSLIB_RESOURCE_TRAITS(RegKey, HKEY, nullptr, ::RegCloseKey(h))
CLASSLIB_RESOURCE_TRAITS(MappedView, const void*, nullptr, ::UnmapViewOfFile(h))
CLASSLIB_RESOURCE_TRAITS(Global, HGLOBAL, nullptr, ::GlobalFree(h))
CLASSLIB_RESOURCE_TRAITS(Module, HMODULE, nullptr, ::FreeLibrary(h))
CLASSLIB_RESOURCE_TRAITS(EnhMetaFile, HENHMETAFILE, nullptr, ::DeleteEnhMetaFile(h))
CLASSLIB_RESOURCE_TRAITS(Window, HWND, nullptr, ::DestroyWindow(h))
CLASSLIB_RESOURCE_TRAITS(DdeData, HDDEDATA, nullptr, ::DdeFreeDataHandle(h))
}  // namespace classlib_detail
#undef CLASSLIB_RESOURCE_TRAITS

using UniqueHandle = UniqueResource<classlib_detail::KernelHandle>;
using UniqueFileHandle = UniqueResource<classlib_detail::FileHandle>;
using UniqueFindHandle = UniqueResource<classlib_detail::FindHandle>;
using UniqueChangeHandle = UniqueResource<classlib_detail::ChangeHandle>;
using UniqueGdiObject = UniqueResource<classlib_detail::GdiObject>;
using UniqueMemoryDC = UniqueResource<classlib_detail::MemoryDC>;
using UniqueRegKey = UniqueResource<classlib_detail::RegKey>;
using UniqueMappedView = UniqueResource<classlib_detail::MappedView>;
using UniqueGlobal = UniqueResource<classlib_detail::Global>;
using UniqueModule = UniqueResource<classlib_detail::Module>;
using UniqueEnhMetaFile = UniqueResource<classlib_detail::EnhMetaFile>;
using UniqueWindow = UniqueResource<classlib_detail::Window>;
// A DDE data handle that the caller owns (the result of a synchronous transaction).
using UniqueDdeData = UniqueResource<classlib_detail::DdeData>;

// A DDE string handle of one DDE instance; null for an empty string (which DDE reads as "any").
class DdeStringHandle {
public:
  DdeStringHandle(DWORD instance, const char* text) noexcept
      : instance_(instance), hsz_(text && *text ? ::DdeCreateStringHandleA(instance, text, CP_WINANSI) : nullptr) {}
  ~DdeStringHandle() {
    if (hsz_) ::DdeFreeStringHandle(instance_, hsz_);
  }
  DdeStringHandle(const DdeStringHandle&) = delete;
  DdeStringHandle& operator=(const DdeStringHandle&) = delete;
  HSZ get() const noexcept { return hsz_; }

private:
  DWORD instance_;
  HSZ hsz_;
};

// A DC obtained with GetDC, given back with ReleaseDC.
class WindowDC {
public:
  explicit WindowDC(HWND wnd = nullptr) noexcept : wnd_(wnd), dc_(::GetDC(wnd)) {}
  ~WindowDC() {
    if (dc_) ::ReleaseDC(wnd_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC get() const noexcept { return dc_; }
  operator HDC() const noexcept { return dc_; }

private:
  HWND wnd_;
  HDC dc_;
};

// A DC of a whole window, its frame included (GetWindowDC), given back with ReleaseDC.
class WholeWindowDC {
public:
  explicit WholeWindowDC(HWND wnd) noexcept : wnd_(wnd), dc_(::GetWindowDC(wnd)) {}
  ~WholeWindowDC() {
    if (dc_) ::ReleaseDC(wnd_, dc_);
  }
  WholeWindowDC(const WholeWindowDC&) = delete;
  WholeWindowDC& operator=(const WholeWindowDC&) = delete;
  HDC get() const noexcept { return dc_; }
  operator HDC() const noexcept { return dc_; }

private:
  HWND wnd_;
  HDC dc_;
};

// An object selected into a DC for the lifetime of this owner; the previous one is put back.
class SelectedObject {
public:
  SelectedObject(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
  ~SelectedObject() {
    if (old_) ::SelectObject(dc_, old_);
  }
  SelectedObject(const SelectedObject&) = delete;
  SelectedObject& operator=(const SelectedObject&) = delete;

private:
  HDC dc_;
  HGDIOBJ old_;
};

// A saved DC state, restored when the owner goes.
class SavedDC {
public:
  explicit SavedDC(HDC dc) noexcept : dc_(dc), id_(::SaveDC(dc)) {}
  ~SavedDC() {
    if (id_) ::RestoreDC(dc_, id_);
  }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

private:
  HDC dc_;
  int id_;
};

// The clipping region of a DC narrowed to a rectangle (logical coordinates) for the lifetime of
// this owner; the region the DC had before (or none) comes back. Unlike SaveDC, it leaves the
// selected objects alone, so a canvas's idea of what its context holds stays true.
class ClipIntersection {
public:
  ClipIntersection(HDC dc, const RECT& r) noexcept : dc_(dc), old_(::CreateRectRgn(0, 0, 0, 0)) {
    if (old_ && ::GetClipRgn(dc, old_) != 1) {
      ::DeleteObject(old_);
      old_ = nullptr;
    }
    ::IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
  ~ClipIntersection() {
    ::SelectClipRgn(dc_, old_);
    if (old_) ::DeleteObject(old_);
  }
  ClipIntersection(const ClipIntersection&) = delete;
  ClipIntersection& operator=(const ClipIntersection&) = delete;

private:
  HDC dc_;
  HRGN old_;
};

// A DC's text and background colours set for the lifetime of this owner; the old ones come back.
// Copies between monochrome and colour contexts map white and black through these two colours.
class DCColors {
public:
  DCColors(HDC dc, COLORREF text, COLORREF back) noexcept
      : dc_(dc), text_(::SetTextColor(dc, text)), back_(::SetBkColor(dc, back)) {}
  ~DCColors() {
    ::SetTextColor(dc_, text_);
    ::SetBkColor(dc_, back_);
  }
  DCColors(const DCColors&) = delete;
  DCColors& operator=(const DCColors&) = delete;

private:
  HDC dc_;
  COLORREF text_;
  COLORREF back_;
};

// A window's painting, from BeginPaint to EndPaint: the update region is validated and the
// caret shown again however the painting ends.
class PaintSession {
public:
  explicit PaintSession(HWND wnd) noexcept : wnd_(wnd), dc_(::BeginPaint(wnd, &ps_)) {}
  ~PaintSession() { ::EndPaint(wnd_, &ps_); }
  PaintSession(const PaintSession&) = delete;
  PaintSession& operator=(const PaintSession&) = delete;
  HDC get() const noexcept { return dc_; }
  const PAINTSTRUCT& info() const noexcept { return ps_; }

private:
  HWND wnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// Runs an action when the scope ends, however it ends: puts back state that is no handle.
template <class F>
class ScopeExit {
public:
  explicit ScopeExit(F action) noexcept : action_(std::move(action)) {}
  ~ScopeExit() { action_(); }
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;

private:
  F action_;
};

// A locked global memory block, unlocked when the owner goes.
class GlobalLockGuard {
public:
  explicit GlobalLockGuard(HGLOBAL h) noexcept : h_(h), p_(h ? ::GlobalLock(h) : nullptr) {}
  ~GlobalLockGuard() {
    if (p_) ::GlobalUnlock(h_);
  }
  GlobalLockGuard(const GlobalLockGuard&) = delete;
  GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
  void* get() const noexcept { return p_; }
  SIZE_T size() const noexcept { return h_ ? ::GlobalSize(h_) : 0; }

private:
  HGLOBAL h_;
  void* p_;
};
