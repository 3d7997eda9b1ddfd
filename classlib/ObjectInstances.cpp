#include "classlib/ObjectInstances.h"

#include <memory>
#include <mutex>
#include <unordered_map>
#include <vector>

#include "classlib/Handles.h"
#include "classlib/SysUtils.h"

#if !defined(__x86_64__)
#error "the object-instance thunks are written for x86-64"
#endif

namespace {

// What an object instance calls: the method, kept outside the executable page because a
// closure may own a heap copy of a callable.
struct InstanceData {
  TWndMethod Method;
};

LRESULT CALLBACK StdWndProc(InstanceData* data, UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage message{msg, wParam, lParam, 0};
  try {
    data->Method(message);
  } catch (...) {
    HandleBoundaryException(nullptr);
    return 0;
  }
  return message.Result;
}

// One thunk: it puts the InstanceData pointer where Windows passed the window handle (the first
// argument, rcx) and jumps to StdWndProc; the return address stays the caller's, so nothing of
// the thunk is on the stack when the method runs and the thunk may be freed from inside it.
//   48 B9 imm64   mov rcx, data
//   48 B8 imm64   mov rax, StdWndProc
//   FF E0         jmp rax
struct alignas(16) Thunk {
  unsigned char Code[32];
};
static_assert(sizeof(Thunk) == 32);

constexpr std::size_t kPageSize = 4096;
constexpr std::size_t kThunksPerPage = kPageSize / sizeof(Thunk);

class ThunkPool {
public:
  WNDPROC Make(InstanceData* data) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (free_.empty()) Grow();
    Thunk* t = free_.back();
    free_.pop_back();
    unsigned char* p = t->Code;
    const auto proc = reinterpret_cast<std::uintptr_t>(&StdWndProc);
    const auto arg = reinterpret_cast<std::uintptr_t>(data);
    *p++ = 0x48;
    *p++ = 0xB9;
    std::memcpy(p, &arg, 8);
    p += 8;
    *p++ = 0x48;
    *p++ = 0xB8;
    std::memcpy(p, &proc, 8);
    p += 8;
    *p++ = 0xFF;
    *p++ = 0xE0;
    ::FlushInstructionCache(::GetCurrentProcess(), t, sizeof(Thunk));
    return reinterpret_cast<WNDPROC>(reinterpret_cast<void*>(t));
  }

  // The InstanceData of a thunk made here, read back from its first immediate; nullptr for an
  // address that is not one of ours.
  InstanceData* Free(WNDPROC instance) {
    auto* t = reinterpret_cast<Thunk*>(reinterpret_cast<void*>(instance));
    std::lock_guard<std::mutex> lock(mutex_);
    if (!Owns(t) || t->Code[0] != 0x48 || t->Code[1] != 0xB9) return nullptr;
    InstanceData* data;
    std::memcpy(&data, t->Code + 2, 8);
    // A freed thunk traps instead of calling a method that is gone.
    std::memset(t->Code, 0xCC, sizeof(t->Code));
    free_.push_back(t);
    return data;
  }

private:
  bool Owns(const Thunk* t) const {
    const auto a = reinterpret_cast<std::uintptr_t>(t);
    for (const void* page : pages_) {
      const auto p = reinterpret_cast<std::uintptr_t>(page);
      if (a >= p && a < p + kPageSize && (a - p) % sizeof(Thunk) == 0) return true;
    }
    return false;
  }

  void Grow() {
    void* page = ::VirtualAlloc(nullptr, kPageSize, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
    if (!page) throw EOutOfResources("Out of system resources");
    pages_.push_back(page);
    auto* thunks = static_cast<Thunk*>(page);
    for (std::size_t i = kThunksPerPage; i-- > 0;) {
      std::memset(thunks[i].Code, 0xCC, sizeof(thunks[i].Code));
      free_.push_back(&thunks[i]);
    }
  }

  std::mutex mutex_;
  std::vector<Thunk*> free_;
  std::vector<void*> pages_;
};

ThunkPool& Pool() {
  static ThunkPool* pool = new ThunkPool;  // never freed: windows may outlive static destruction
  return *pool;
}

void ShowBoundaryException() {
  AnsiString text;
  try {
    throw;
  } catch (const Exception& e) {
    text = e.Message;
  } catch (const std::exception& e) {
    text = e.what();
  } catch (...) {
    text = "Unknown exception";
  }
  if (!text.empty() && text.back() != '.') text += '.';
  ::MessageBoxA(nullptr, text.c_str(), "Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
}

constexpr char kUtilWindowClass[] = "TPUtilWindow";

// The object instance of each window made by AllocateHWnd, so that DeallocateHWnd frees the
// right one even when somebody subclassed the window since.
struct UtilWindows {
  std::mutex Mutex;
  std::unordered_map<HWND, WNDPROC> Instances;
};

UtilWindows& Utils() {
  static UtilWindows* utils = new UtilWindows;  // never freed: used until the process ends
  return *utils;
}

}  // namespace

void (*ApplicationHandleException)(TObject* Sender) = nullptr;

void HandleBoundaryException(TObject* Sender) {
  try {
    if (ApplicationHandleException)
      ApplicationHandleException(Sender);
    else
      ShowBoundaryException();
  } catch (...) {
    // The handler itself failed; there is nobody left to tell.
  }
}

WNDPROC MakeObjectInstance(TWndMethod Method) {
  std::unique_ptr<InstanceData> data(new InstanceData{std::move(Method)});
  WNDPROC instance = Pool().Make(data.get());
  data.release();  // the instance owns it now
  return instance;
}

void FreeObjectInstance(WNDPROC ObjectInstance) {
  if (!ObjectInstance) return;
  delete Pool().Free(ObjectInstance);
}

HWND AllocateHWnd(TWndMethod Method) {
  HINSTANCE instance = ::GetModuleHandleA(nullptr);
  WNDCLASSA existing{};
  if (!::GetClassInfoA(instance, kUtilWindowClass, &existing)) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = &::DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = kUtilWindowClass;
    if (!::RegisterClassA(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
      throw EOutOfResources("Out of system resources");
  }
  HWND wnd = ::CreateWindowExA(WS_EX_TOOLWINDOW, kUtilWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               instance, nullptr);
  if (!wnd) throw EOutOfResources("Out of system resources");
  if (Method) {
    WNDPROC proc = MakeObjectInstance(std::move(Method));
    ::SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    std::lock_guard<std::mutex> lock(Utils().Mutex);
    Utils().Instances[wnd] = proc;
  }
  return wnd;
}

void DeallocateHWnd(HWND Wnd) {
  if (!Wnd) return;
  WNDPROC instance = nullptr;
  {
    std::lock_guard<std::mutex> lock(Utils().Mutex);
    auto it = Utils().Instances.find(Wnd);
    if (it != Utils().Instances.end()) {
      instance = it->second;
      Utils().Instances.erase(it);
    }
  }
  ::DestroyWindow(Wnd);
  FreeObjectInstance(instance);
}
