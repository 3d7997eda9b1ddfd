#include "classlib/DdeMan.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "classlib/CommandLines.h"
#include "classlib/Forms.h"
#include "classlib/Handles.h"

// The open client conversations of the process.
//
// Each conversation has a DDE instance of its own: Wine's library refuses a second
// conversation with the same service and topic in one instance, also after the server ended
// the first, so a link that has to start again gets a fresh instance.
//
// The library tells a client that the server ended a conversation through the callback
// (XTYP_DISCONNECT). Wine's library never does: it only marks the conversation as no longer
// connected. So while conversations are open, a timer also looks at their state now and then.
class DdeConversations {
public:
  static DdeConversations& Get() {
    static DdeConversations conversations;
    return conversations;
  }

  static DWORD NewInstance() {
    DWORD id = 0;
    UINT rc = ::DdeInitializeA(&id, &Callback,
                               APPCMD_CLIENTONLY | CBF_SKIP_REGISTRATIONS | CBF_SKIP_UNREGISTRATIONS, 0);
    if (rc != DMLERR_NO_ERROR) throw Exception("The DDE library could not be initialised");
    return id;
  }

  void Opened(TDdeClientConv* conv) {
    if (std::find(open_.begin(), open_.end(), conv) == open_.end()) open_.push_back(conv);
    if (!timer_) timer_ = ::SetTimer(nullptr, 0, kPollMs, &Poll);
  }
  void Closed(TDdeClientConv* conv) {
    open_.erase(std::remove(open_.begin(), open_.end(), conv), open_.end());
    if (open_.empty() && timer_) {
      ::KillTimer(nullptr, timer_);
      timer_ = 0;
    }
  }

  // Whether the conversation still has its server.
  static bool Connected(HCONV conv, HWND server) {
    CONVINFO info{};
    info.cb = sizeof(info);
    return ::IsWindow(server) && ::DdeQueryConvInfo(conv, QID_SYNC, &info) && (info.wStatus & ST_CONNECTED);
  }

private:
  static constexpr UINT kPollMs = 250;

  DdeConversations() = default;

  // Tells the conversation whose server has gone. Nothing may escape into the DDE library or
  // the timer's caller: an error of OnClose is shown as the program shows its errors.
  void Lost(TDdeClientConv* client) {
    Closed(client);
    try {
      client->Disconnected();
    } catch (...) {
      Application->HandleException(client);
    }
  }

  static HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV conv, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
    auto& self = Get();
    auto it = std::find_if(self.open_.begin(), self.open_.end(),
                           [conv](TDdeClientConv* c) { return c->FConv == conv; });
    if (it == self.open_.end()) return nullptr;
    if (type == XTYP_XACT_COMPLETE) {
      (*it)->FPendingDone = true;
    } else if (type == XTYP_DISCONNECT) {
      self.Lost(*it);
    }
    return nullptr;
  }

  static void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD) {
    auto& self = Get();
    std::vector<TDdeClientConv*> lost;
    for (TDdeClientConv* c : self.open_)
      if (!Connected(c->FConv, c->FServerWnd)) lost.push_back(c);
    for (TDdeClientConv* c : lost) self.Lost(c);
  }

  UINT_PTR timer_ = 0;
  std::vector<TDdeClientConv*> open_;
};

namespace {

// Starts a command line (a program named in quotes at its start is run as that file, see
// StartCommandLine); the returned process handle is null when the program could not be started.
// The window comes up minimised and inactive, so that a server started for a conversation does
// not take the focus from the user's work.
UniqueHandle StartProgram(const AnsiString& commandLine) {
  PROCESS_INFORMATION pi{};
  if (!StartCommandLine(commandLine, SW_SHOWMINNOACTIVE, pi)) return UniqueHandle();
  ::CloseHandle(pi.hThread);
  return UniqueHandle(pi.hProcess);
}

// Waits up to ms milliseconds for the process to end, meanwhile answering messages that other
// programs send to our windows (a starting server announces itself that way and would otherwise
// wait for us).
bool WaitForExit(HANDLE process, DWORD ms) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    DWORD elapsed = ::GetTickCount() - start;
    if (elapsed >= ms) return false;
    DWORD rc = ::MsgWaitForMultipleObjects(1, &process, FALSE, ms - elapsed, QS_SENDMESSAGE);
    if (rc == WAIT_OBJECT_0) return true;
    if (rc != WAIT_OBJECT_0 + 1) return false;
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
  }
}

// The top-level windows of this desktop that the process owns, hidden ones included.
std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
  struct Search {
    DWORD Process;
    std::vector<HWND> Windows;
  } search{processId, {}};
  ::EnumWindows(
      [](HWND wnd, LPARAM param) -> BOOL {
        auto* s = reinterpret_cast<Search*>(param);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(wnd, &owner);
        if (owner == s->Process) s->Windows.push_back(wnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return std::move(search.Windows);
}

using AnsweredWindows = std::vector<HWND>;

// A window of a started program has taken the message sent to it: it reads its messages.
void CALLBACK ProbeAnswered(HWND wnd, UINT, ULONG_PTR data, LRESULT) {
  std::unique_ptr<std::weak_ptr<AnsweredWindows>> answered(reinterpret_cast<std::weak_ptr<AnsweredWindows>*>(data));
  if (std::shared_ptr<AnsweredWindows> list = answered->lock()) list->push_back(wnd);
}

bool Contains(const std::vector<HWND>& windows, HWND wnd) {
  return std::find(windows.begin(), windows.end(), wnd) != windows.end();
}

// The text of a CF_TEXT data handle, up to its first null character.
AnsiString DataText(HDDEDATA data) {
  DWORD size = ::DdeGetData(data, nullptr, 0, 0);
  AnsiString text(size, '\0');
  if (size) ::DdeGetData(data, reinterpret_cast<LPBYTE>(text.data()), size, 0);
  text.resize(std::min<std::size_t>(text.find('\0'), text.size()));
  return text;
}

// Whether the server's side of the conversation is Wine's DDE library, which follows the data
// it sends for a request with an acknowledgement nobody asked for.
bool ServerSendsTrailingAck(HWND server) {
  char name[64] = {};
  ::GetClassNameA(server, name, sizeof(name));
  return std::strncmp(name, "WineDdeServerConv", 17) == 0;
}

// How long a server's window may take to answer before the server counts as busy.
constexpr UINT kBusyServerMs = 50;

bool IsTimeout(UINT error) {
  return error == DMLERR_EXECACKTIMEOUT || error == DMLERR_POKEACKTIMEOUT || error == DMLERR_DATAACKTIMEOUT;
}

}  // namespace

TDdeClientConv::TDdeClientConv(TComponent* AOwner) : TComponent(AOwner) {}

TDdeClientConv::~TDdeClientConv() {
  // A link still open when the component goes is ended without telling OnClose: its handler
  // may belong to an object that is being freed as well.
  OnClose = nullptr;
  CloseLink();
  ReleaseRetired();
}

void TDdeClientConv::Loaded() {
  inherited::Loaded();
  if (FConnectMode == ddeAutomatic && !(FService.empty() && FTopic.empty())) OpenLink();
}

bool TDdeClientConv::SetLink(const AnsiString& Service, const AnsiString& Topic) {
  CloseLink();
  // A program started for another service is no longer awaited.
  if (Service != FService || Topic != FTopic) FStarting.reset();
  FService = Service;
  FTopic = Topic;
  if (FConnectMode == ddeAutomatic && !GetComponentState().Contains(csLoading)) return OpenLink();
  return true;
}

bool TDdeClientConv::Connect() {
  DWORD instance = DdeConversations::NewInstance();
  HCONV conv;
  {
    DdeStringHandle service(instance, FService.c_str());
    DdeStringHandle topic(instance, FTopic.c_str());
    conv = ::DdeConnect(instance, service.get(), topic.get(), nullptr);
  }
  if (!conv) {
    ::DdeUninitialize(instance);
    return false;
  }
  FInstance = instance;
  FConv = conv;
  FPending = 0;
  FPendingDone = false;
  FOutOfStep = false;
  CONVINFO info{};
  info.cb = sizeof(info);
  if (::DdeQueryConvInfo(FConv, QID_SYNC, &info)) {
    FClientWnd = info.hwnd;
    FServerWnd = info.hwndPartner;
  }
  FTrailingAck = ServerSendsTrailingAck(FServerWnd);
  return true;
}

void TDdeClientConv::Retire() {
  if (FInstance) FRetired.push_back(FInstance);
  FInstance = 0;
  FConv = nullptr;
}

void TDdeClientConv::ReleaseRetired() {
  // Ending an instance ends its conversations; one whose server is still busy with a late
  // reply may take a moment.
  std::vector<DWORD> retired;
  retired.swap(FRetired);
  for (DWORD instance : retired) ::DdeUninitialize(instance);
}

bool TDdeClientConv::OpenLink() {
  TDdeOpenProgress progress = TryOpenLink();
  while (progress == dopStarting) {
    // A server needs a moment to register its name; keep trying while the program runs.
    WaitForExit(FStarting.get(), 100);
    progress = TryOpenLink();
  }
  return progress == dopOpen;
}

TDdeOpenProgress TDdeClientConv::TryOpenLink() {
  if (FConv) return dopOpen;
  if (!FStarting) ReleaseRetired();
  // The program started for the link is not asked before it is ready: it is still starting.
  if (!(FStarting && !StartedProgramReady()) && Connect()) {
    FStarting.reset();
    LinkOpened();
    return dopOpen;
  }
  if (FStarting) {
    const bool ended = ::WaitForSingleObject(FStarting.get(), 0) == WAIT_OBJECT_0;
    if (!ended && ::GetTickCount() - FStartTick < static_cast<DWORD>(ConnectTimeout)) return dopStarting;
    FStarting.reset();
    return dopFailed;
  }
  if (ServiceApplication.empty()) return dopFailed;
  FStarting = StartProgram(ServiceApplication);
  if (!FStarting) return dopFailed;
  FAnswered = std::make_shared<AnsweredWindows>();
  FProbed.clear();
  FStartTick = ::GetTickCount();
  return dopStarting;
}

bool TDdeClientConv::StartedProgramReady() {
  // A program of the windows subsystem that has not yet waited for input is still starting: it may
  // make a window at any moment, also while the connection is being asked for. A console program
  // has nothing to wait for here (the call fails), nor has one that has ended.
  if (::WaitForInputIdle(FStarting.get(), 0) == WAIT_TIMEOUT) return false;
  // One that has may have made a window since that does not read its messages (yet).
  bool all = true;
  for (HWND wnd : TopLevelWindowsOf(::GetProcessId(FStarting.get()))) {
    if (Contains(*FAnswered, wnd)) continue;
    all = false;
    if (Contains(FProbed, wnd)) continue;
    // Sent without waiting: the answer comes back through the caller's message loop.
    auto* answered = new std::weak_ptr<AnsweredWindows>(FAnswered);
    if (::SendMessageCallbackA(wnd, WM_NULL, 0, 0, &ProbeAnswered, reinterpret_cast<ULONG_PTR>(answered)))
      FProbed.push_back(wnd);
    else
      delete answered;
  }
  return all;
}

void TDdeClientConv::LinkOpened() {
  DdeConversations::Get().Opened(this);
  if (OnOpen) OnOpen(this);
}

void TDdeClientConv::CloseLink() {
  if (!FConv) return;
  DdeConversations::Get().Closed(this);
  Retire();
  ReleaseRetired();
  if (OnClose) OnClose(this);
}

void TDdeClientConv::Disconnected() {
  // Called from the DDE library's callback, where its instance must not be ended.
  Retire();
  if (OnClose) OnClose(this);
}

bool TDdeClientConv::Ready() {
  if (!FConv) return false;
  WaitForPending();
  if (FConv && !DdeConversations::Connected(FConv, FServerWnd)) {
    DdeConversations::Get().Closed(this);
    Disconnected();
    return false;
  }
  if (FOutOfStep) {
    // A reply that came too late would be taken for the reply to this transaction. A new
    // conversation with the same server starts in step; the old one ends with the link. While
    // the server is still busy there is none, and the transaction fails. A server still busy
    // with the late reply would hold the new conversation's start until it is done, so the
    // transaction fails at once when the server's window does not answer straight away.
    DWORD_PTR answer = 0;
    if (!::SendMessageTimeoutA(FServerWnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, kBusyServerMs, &answer)) {
      FTimedOut = true;
      return false;
    }
    DWORD oldInstance = FInstance;
    HCONV oldConv = FConv;
    HWND oldClient = FClientWnd, oldServer = FServerWnd;
    bool oldTrailing = FTrailingAck;
    if (!Connect()) {
      FInstance = oldInstance;
      FConv = oldConv;
      FClientWnd = oldClient;
      FServerWnd = oldServer;
      FTrailingAck = oldTrailing;
      return false;
    }
    FRetired.push_back(oldInstance);
  }
  return true;
}

void TDdeClientConv::Transacted(HDDEDATA Result) {
  if (!Result && FConv && IsTimeout(::DdeGetLastError(FInstance))) {
    FOutOfStep = true;
    FTimedOut = true;
  }
}

void TDdeClientConv::WaitForPending() {
  if (!FPending) return;
  const DWORD start = ::GetTickCount();
  while (!FPendingDone && FConv) {
    DWORD elapsed = ::GetTickCount() - start;
    if (elapsed >= static_cast<DWORD>(Timeout)) {
      FOutOfStep = true;
      FTimedOut = true;
      break;
    }
    // Only the DDE messages: a timer or a click must not run in the middle of a call.
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(Timeout - elapsed, 10),
                                QS_POSTMESSAGE | QS_SENDMESSAGE);
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_DDE_FIRST, WM_DDE_LAST, PM_REMOVE)) ::DispatchMessageA(&msg);
  }
  // A completed transaction is abandoned too: Wine's library keeps it queued and would take
  // the reply to the next synchronous transaction for a reply to it. Id 0 stands for every
  // asynchronous transaction of the conversation, which is this one; Wine does not know the
  // ids it hands out.
  if (FConv) ::DdeAbandonTransaction(FInstance, FConv, 0);
  FPending = 0;
  FPendingDone = false;
}

void TDdeClientConv::SwallowTrailingAck() {
  // Left in the queue, the acknowledgement would be taken for the reply to the next
  // transaction (and that reply for the one after). The server posts it right after the data.
  const DWORD start = ::GetTickCount();
  for (;;) {
    MSG msg;
    if (::PeekMessageA(&msg, FClientWnd, WM_DDE_ACK, WM_DDE_ACK, PM_REMOVE)) {
      UINT_PTR status = 0, atom = 0;
      ::UnpackDDElParam(WM_DDE_ACK, msg.lParam, &status, &atom);
      ::FreeDDElParam(WM_DDE_ACK, msg.lParam);
      ::GlobalDeleteAtom(static_cast<ATOM>(atom));
      return;
    }
    DWORD elapsed = ::GetTickCount() - start;
    if (elapsed >= static_cast<DWORD>(Timeout) || !::IsWindow(FServerWnd)) return;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(Timeout - elapsed, 10), QS_POSTMESSAGE);
  }
}

bool TDdeClientConv::ExecuteMacro(const AnsiString& Cmd, bool WaitFlg) {
  FTimedOut = false;
  if (!Ready()) return false;
  DWORD result = 0;
  HDDEDATA rc = ::DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(Cmd.c_str())),
                                       static_cast<DWORD>(Cmd.size() + 1), FConv, nullptr, 0, XTYP_EXECUTE,
                                       WaitFlg ? static_cast<DWORD>(Timeout) : TIMEOUT_ASYNC, &result);
  if (rc && !WaitFlg) {
    FPending = result;
    FPendingDone = false;
  }
  if (WaitFlg) Transacted(rc);
  return rc != nullptr;
}

bool TDdeClientConv::PokeData(const AnsiString& Item, const AnsiString& Data) {
  FTimedOut = false;
  if (!Ready()) return false;
  DdeStringHandle item(FInstance, Item.c_str());
  DWORD result = 0;
  HDDEDATA rc = ::DdeClientTransaction(reinterpret_cast<LPBYTE>(const_cast<char*>(Data.c_str())),
                                       static_cast<DWORD>(Data.size() + 1), FConv, item.get(), CF_TEXT, XTYP_POKE,
                                       static_cast<DWORD>(Timeout), &result);
  Transacted(rc);
  return rc != nullptr;
}

AnsiString TDdeClientConv::RequestData(const AnsiString& Item) {
  FTimedOut = false;
  if (!Ready()) return AnsiString();
  DdeStringHandle item(FInstance, Item.c_str());
  DWORD result = 0;
  UniqueDdeData data(::DdeClientTransaction(nullptr, 0, FConv, item.get(), CF_TEXT, XTYP_REQUEST,
                                            static_cast<DWORD>(Timeout), &result));
  Transacted(data.get());
  if (!data) return AnsiString();
  if (FTrailingAck) SwallowTrailingAck();
  return DataText(data.get());
}

// --- Published properties ------------------------------------------------------------------------

// Forms name a conversation with its connect mode and events; the service and topic are set in
// code with SetLink.
PUBLISHED(TDdeClientConv) {
  Prop("ConnectMode", &TDdeClientConv::GetConnectMode, &TDdeClientConv::SetConnectMode).Default(ddeAutomatic);
  Prop("OnClose", &TDdeClientConv::OnClose);
  Prop("OnOpen", &TDdeClientConv::OnOpen);
}

const bool g_ddeClassesRegistered = [] {
  RegisterClass(TDdeClientConv::StaticClass());
  return true;
}();
