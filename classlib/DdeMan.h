// The client side of a DDE conversation over the system's DDE management library: connect to a
// service and topic, send execute commands, poke and request text items.
//
// All conversations of the process share one DDE instance that belongs to the main thread.
// The library delivers its notifications (a server ending the conversation, an asynchronous
// command completed) as window messages, so the main thread must run a message loop for them.
#pragma once

#include <memory>
#include <vector>

#include "classlib/Components.h"
#include "classlib/Handles.h"
#include "classlib/TypInfo.h"
#include "classlib/WinApi.h"

// ddeAutomatic opens the link when the component has been read from a form and whenever
// SetLink names a new service and topic; ddeManual only when OpenLink is called.
enum TDataMode { ddeAutomatic, ddeManual };
ENUM_NAMES(TDataMode, "ddeAutomatic", "ddeManual");

// Where TryOpenLink stands: the link is open, the server program is still starting, or the
// link cannot be opened.
enum TDdeOpenProgress { dopOpen, dopStarting, dopFailed };

class TDdeClientConv : public TComponent {
  CLASS_INFO(TDdeClientConv, TComponent)
public:
  explicit TDdeClientConv(TComponent* AOwner);
  ~TDdeClientConv() override;

  // Closes an open link and names the service and topic of the next one. In ddeAutomatic
  // mode it opens the link at once and returns whether that worked; in ddeManual mode it
  // returns true.
  bool SetLink(const AnsiString& Service, const AnsiString& Topic);
  // Connects to the service and topic named by SetLink. When no server answers and
  // ServiceApplication is set, that program is started and the connection tried again until
  // the server answers, the program ends or ConnectTimeout passes. True when the link is open
  // (also when it already was); OnOpen follows a new link.
  bool OpenLink();
  // OpenLink for a caller that must not wait, a step at a time: connects when a server answers;
  // otherwise starts ServiceApplication and returns dopStarting. Each later call tries the
  // connection once more, once the program is ready for input (it has waited for input once, and
  // every window it owns has taken a message sent to it: connecting sends to every window and
  // waits for each, and a program that has only just started and does not read its messages yet
  // would hold the caller for as long as it does so), until the server answers (dopOpen), the
  // program has ended or ConnectTimeout has passed since it was started (dopFailed). Nothing is
  // waited for: the caller's message loop runs between the calls, and the program is started once
  // per attempt.
  TDdeOpenProgress TryOpenLink();
  // Ends the conversation; OnClose follows when a link was open.
  void CloseLink();

  // Sends Cmd as an execute command. Without WaitFlg the call returns at once (true when the
  // command could be sent) and the next transaction of the conversation waits until the server
  // has taken it; with WaitFlg the call waits up to Timeout milliseconds and returns whether the
  // server accepted the command. False without a link.
  bool ExecuteMacro(const AnsiString& Cmd, bool WaitFlg);
  // Sends Data as the new text of Item; true when the server accepted it within Timeout.
  // (A server that does not answer in time gets a new conversation for the next transaction:
  // its late reply must not be taken for the reply to another.)
  bool PokeData(const AnsiString& Item, const AnsiString& Data);
  // Asks the server for the text of Item and waits up to Timeout milliseconds for it. Empty
  // when there is no link, the server refuses or does not answer in time; the text ends at its
  // first null character.
  AnsiString RequestData(const AnsiString& Item);
  // Whether the last command, poke or request failed because the server did not answer in time
  // (a server that answers with a refusal has answered).
  bool GetTimedOut() const { return FTimedOut; }

  const AnsiString& GetDdeService() const { return FService; }
  const AnsiString& GetDdeTopic() const { return FTopic; }
  TDataMode GetConnectMode() const { return FConnectMode; }
  void SetConnectMode(TDataMode Value) { FConnectMode = Value; }
  // The conversation's handle; null while no link is open.
  HCONV GetConv() const { return FConv; }

  void Loaded() override;

  // The program (a command line) started when OpenLink finds no server; a program path in it
  // belongs in double quotes (StartCommandLine).
  AnsiString ServiceApplication;
  // Milliseconds that a synchronous command, poke or request waits for the server.
  Integer Timeout = 10000;
  // Milliseconds that OpenLink keeps trying after starting ServiceApplication.
  Integer ConnectTimeout = 10000;
  TNotifyEvent OnOpen;
  TNotifyEvent OnClose;

private:
  friend class DdeConversations;
  // Starts a new conversation, in a DDE instance of its own, with the service and topic and
  // makes it the link's; false when no server answers.
  bool Connect();
  // Takes the conversation from the link; its instance is ended by ReleaseRetired.
  void Retire();
  void ReleaseRetired();
  // Readies the link for a transaction: waits for the command sent without waiting, notices a
  // server that has gone and replaces a conversation that is out of step. False without a link.
  bool Ready();
  // Notes a transaction that timed out: a late reply would be taken for the next one's.
  void Transacted(HDDEDATA Result);
  // The server ended the conversation.
  void Disconnected();
  // Waits (at most Timeout) until the server has taken the command sent without waiting, so
  // that the transactions of a conversation reach it one at a time and in order.
  void WaitForPending();
  // Takes the acknowledgement that a server of Wine's DDE library sends after the data of a
  // request out of the queue.
  void SwallowTrailingAck();
  // The link is open: registers it and tells OnOpen.
  void LinkOpened();

  AnsiString FService;
  AnsiString FTopic;
  TDataMode FConnectMode = ddeAutomatic;
  DWORD FInstance = 0;
  HCONV FConv = nullptr;
  // Instances of earlier conversations of this link, still to be ended.
  std::vector<DWORD> FRetired;
  bool FOutOfStep = false;
  // The command sent without waiting that the server has not yet acknowledged.
  DWORD FPending = 0;
  bool FPendingDone = false;
  HWND FClientWnd = nullptr;
  HWND FServerWnd = nullptr;
  bool FTrailingAck = false;
  bool FTimedOut = false;
  // Whether the program started by TryOpenLink is ready to be asked for the link: it has waited
  // for input once (or is no program of the windows subsystem), and every top-level window of it
  // has taken a message sent to it. Sends one, without waiting, to each window that has not been
  // sent one yet.
  bool StartedProgramReady();

  // The server program started by TryOpenLink while its server is awaited, and when it started.
  UniqueHandle FStarting;
  DWORD FStartTick = 0;
  // The windows of that program sent a message, and those that have taken it (shared with the
  // answers still on their way, which may come after the link is gone).
  std::vector<HWND> FProbed;
  std::shared_ptr<std::vector<HWND>> FAnswered;
};
