#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "classlib/DdeMan.h"
#include "classlib/Handles.h"
#include "tests/support/TestSupport.h"

namespace {

using testing_support::ProgramFolder;
using testing_support::PumpUntil;

// The DDE server peer started by the test under a service name of its own, so that a server
// left over by another test cannot answer in its place.
class ServerPeer {
public:
  explicit ServerPeer(const std::string& service) {
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::string line = "\"" + ProgramFolder() + "DdeServerPeer.exe\" " + service;
    if (CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
      CloseHandle(pi.hThread);
      process_.reset(pi.hProcess);
    }
  }
  ~ServerPeer() {
    if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) TerminateProcess(process_.get(), 1);
  }
  bool Started() const { return static_cast<bool>(process_); }
  bool Ended() const { return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }

private:
  UniqueHandle process_;
};

std::string UniqueService(const char* stem) { return stem + std::to_string(GetCurrentProcessId()); }

// The event "SERVICE.WHAT" the peer waits for (tests/peers/DdeServerPeer.cpp), not set yet.
HANDLE ServerEvent(const std::string& service, const char* what) {
  return CreateEventA(nullptr, TRUE, FALSE, (service + "." + what).c_str());
}

// Counts the open and close events of a conversation.
struct LinkEvents {
  int opened = 0;
  int closed = 0;
  void Attach(TDdeClientConv* conv) {
    conv->OnOpen = TNotifyEvent::FromFunction([this](TObject*) { ++opened; });
    conv->OnClose = TNotifyEvent::FromFunction([this](TObject*) { ++closed; });
  }
};

// A manual conversation with a running peer on the topic "Spelling".
class DdeConversation : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(peer_.Started());
    conv_->SetConnectMode(ddeManual);
    events_.Attach(conv_.get());
    ASSERT_TRUE(conv_->SetLink(service_, "Spelling"));
    ASSERT_EQ(conv_->GetConv(), nullptr) << "a manual conversation waits for OpenLink";
    // The peer needs a moment to register its name.
    ASSERT_TRUE(PumpUntil([&] { return conv_->OpenLink(); }, 30000));
    ASSERT_NE(conv_->GetConv(), nullptr);
  }

  std::string service_ = UniqueService("PelorinDdeTest");
  ServerPeer peer_{service_};
  std::unique_ptr<TDdeClientConv> conv_{new TDdeClientConv(nullptr)};
  LinkEvents events_;
};

TEST_F(DdeConversation, ExecuteThenRequestAnswersTheQueryAboutTheWordJustSent) {
  EXPECT_EQ(events_.opened, 1);
  struct Case {
    const char* word;
    const char* answer;
  } cases[] = {{"light", "Yes"}, {"darkness", "No"}, {"beginning", "Yes"}, {"Light", "No"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.word);
    // Sent without waiting, then asked at once: the server takes them in order.
    EXPECT_TRUE(conv_->ExecuteMacro(c.word, false));
    EXPECT_EQ(conv_->RequestData("DoesWordExist"), c.answer);
  }
  EXPECT_EQ(conv_->RequestData("Executes"), "light|darkness|beginning|Light");
}

TEST_F(DdeConversation, ExecuteWithWaitReportsWhetherTheServerAcceptedTheCommand) {
  EXPECT_TRUE(conv_->ExecuteMacro("GoToVerse Gen 1:1", true));
  EXPECT_FALSE(conv_->ExecuteMacro("Refuse this", true));
  EXPECT_EQ(conv_->RequestData("LastExecute"), "GoToVerse Gen 1:1");
}

TEST_F(DdeConversation, PokedTextCanBeRequestedBackAndUnknownItemsGiveEmptyText) {
  EXPECT_TRUE(conv_->PokeData("Greeting", "Hello, world"));
  EXPECT_TRUE(conv_->PokeData("Empty", ""));
  EXPECT_EQ(conv_->RequestData("Greeting"), "Hello, world");
  EXPECT_EQ(conv_->RequestData("Empty"), "");
  EXPECT_EQ(conv_->RequestData("NoSuchItem"), "");
  EXPECT_FALSE(conv_->GetTimedOut()) << "a refusal is an answer";
  // Eight-bit text passes unchanged.
  EXPECT_TRUE(conv_->PokeData("Accents", "caf\xe9 na\xefve"));
  EXPECT_EQ(conv_->RequestData("Accents"), "caf\xe9 na\xefve");
}

TEST_F(DdeConversation, ARequestTheServerDoesNotAnswerInTimeGivesEmptyText) {
  // The server answers "Slow" only when the test lets it: a request that waited for the answer
  // instead of its own Timeout would not come back before that.
  UniqueHandle release(ServerEvent(service_, "release"));
  conv_->Timeout = 300;
  EXPECT_EQ(conv_->RequestData("Slow"), "");
  EXPECT_TRUE(conv_->GetTimedOut());
  // While the server is still busy with the late answer, a transaction fails at once instead
  // of waiting for it: with a Timeout far beyond any delay of a busy machine, a poke that
  // waited would still be waiting.
  conv_->Timeout = 60000;
  const DWORD start = GetTickCount();
  EXPECT_FALSE(conv_->PokeData("During", "no"));
  EXPECT_TRUE(conv_->GetTimedOut());
  EXPECT_LT(GetTickCount() - start, 30000u);
  // The link stays open and is usable again once the server has caught up; the late answer
  // is not taken for the answer to anything else.
  SetEvent(release.get());
  conv_->Timeout = 10000;
  EXPECT_TRUE(PumpUntil([&] { return conv_->PokeData("After", "yes"); }, 30000));
  EXPECT_EQ(conv_->RequestData("After"), "yes");
  EXPECT_FALSE(conv_->GetTimedOut());
  EXPECT_EQ(conv_->RequestData("LastExecute"), "");
  EXPECT_EQ(events_.closed, 0);
}

TEST_F(DdeConversation, TheServerEndingTheConversationClosesTheLink) {
  EXPECT_TRUE(conv_->ExecuteMacro("Disconnect", false));
  EXPECT_TRUE(PumpUntil([&] { return events_.closed == 1; }));
  EXPECT_EQ(conv_->GetConv(), nullptr);
  EXPECT_FALSE(conv_->ExecuteMacro("light", false));
  EXPECT_EQ(conv_->RequestData("LastExecute"), "");
  // The next OpenLink starts a new conversation with the same server.
  EXPECT_TRUE(conv_->OpenLink());
  EXPECT_EQ(events_.opened, 2);
  EXPECT_EQ(conv_->RequestData("LastExecute"), "Disconnect");
}

TEST_F(DdeConversation, CloseLinkTellsOnCloseOnceAndFreeingAnOpenLinkDoesNot) {
  conv_->CloseLink();
  conv_->CloseLink();
  EXPECT_EQ(events_.closed, 1);
  EXPECT_FALSE(conv_->PokeData("Greeting", "Hello"));
  ASSERT_TRUE(conv_->OpenLink());
  EXPECT_TRUE(conv_->OpenLink()) << "an open link stays open";
  EXPECT_EQ(events_.opened, 2);
  conv_.reset();
  EXPECT_EQ(events_.closed, 1);
}

TEST_F(DdeConversation, SetLinkClosesTheOpenLinkAndInAutomaticModeOpensTheNewOne) {
  conv_->SetConnectMode(ddeAutomatic);
  EXPECT_FALSE(conv_->SetLink(UniqueService("PelorinNobody"), "Spelling"));
  EXPECT_EQ(events_.closed, 1);
  EXPECT_EQ(conv_->GetConv(), nullptr);
  EXPECT_TRUE(conv_->SetLink(service_, "Commands"));
  EXPECT_EQ(conv_->GetDdeTopic(), "Commands");
  EXPECT_EQ(events_.opened, 2);
  EXPECT_TRUE(conv_->ExecuteMacro("word", true));
  EXPECT_EQ(conv_->RequestData("DoesWordExist"), "Yes");
}

TEST(DdeServiceApplication, OpenLinkStartsTheServerProgramWhenNoServerAnswers) {
  // The service name of the peer is its file name, as with a helper application.
  TDdeClientConv conv(nullptr);
  LinkEvents events;
  events.Attach(&conv);
  conv.SetConnectMode(ddeManual);
  conv.SetLink("DdeServerPeer", "Spelling");
  EXPECT_FALSE(conv.OpenLink()) << "no server runs and none is to be started";
  EXPECT_EQ(events.opened, 0);

  conv.ServiceApplication = ProgramFolder() + "DdeServerPeer";
  ASSERT_TRUE(conv.OpenLink());
  EXPECT_EQ(events.opened, 1);
  EXPECT_TRUE(conv.ExecuteMacro("beginning", false));
  EXPECT_EQ(conv.RequestData("DoesWordExist"), "Yes");

  // The server ending (here at our request) closes the link.
  EXPECT_TRUE(conv.ExecuteMacro("Quit", false));
  EXPECT_TRUE(PumpUntil([&] { return events.closed == 1; }, 30000));
  EXPECT_EQ(conv.GetConv(), nullptr);
}

TEST(DdeServiceApplication, AProgramThatCannotBeStartedFailsAtOnce) {
  TDdeClientConv conv(nullptr);
  conv.SetConnectMode(ddeManual);
  conv.SetLink(UniqueService("PelorinNobody"), "Spelling");
  conv.ServiceApplication = ProgramFolder() + "NoSuchProgram";
  // At once, not after waiting out the connect time for a server that cannot come.
  conv.ConnectTimeout = 60000;
  const DWORD start = GetTickCount();
  EXPECT_FALSE(conv.OpenLink());
  EXPECT_LT(GetTickCount() - start, 30000u);
}

// Opening a link a step at a time: the program is started by the first step, each step returns
// at once, and the link opens once the server has registered its name. The server registers it
// only when the test lets it: a step that waited for it would wait out the connect time. A program
// that owns a window and reads none of its messages while it starts is not asked for the link
// until it does: asking sends to every window and waits for each.
TEST(DdeServiceApplication, TryOpenLinkStartsTheServerOnceAndNeverWaits) {
  for (const char* gate : {"--gated", "--gated-window"}) {
    SCOPED_TRACE(gate);
    const std::string service = UniqueService("PelorinStepwise") + (std::string(gate) == "--gated-window" ? "W" : "");
    UniqueHandle serve(ServerEvent(service, "start"));
    UniqueHandle gated(ServerEvent(service, "gated"));
    TDdeClientConv conv(nullptr);
    LinkEvents events;
    events.Attach(&conv);
    conv.SetConnectMode(ddeManual);
    conv.SetLink(service, "Spelling");
    conv.ServiceApplication = "\"" + ProgramFolder() + "DdeServerPeer.exe\" " + service + " " + gate;
    conv.ConnectTimeout = 60000;
    DWORD longest = 0;
    TDdeOpenProgress progress = dopStarting;
    auto step = [&] {
      const DWORD start = GetTickCount();
      progress = conv.TryOpenLink();
      longest = std::max<DWORD>(longest, GetTickCount() - start);
      return progress != dopStarting;
    };
    // Without the server every step comes back still starting. (The peer is a console program:
    // nothing tells when it may make its window, so the steps go on once it has.)
    EXPECT_FALSE(step());
    ASSERT_TRUE(PumpUntil([&] { return WaitForSingleObject(gated.get(), 0) == WAIT_OBJECT_0; }, 30000));
    for (int i = 0; i < 5; ++i) {
      EXPECT_FALSE(step());
      testing_support::PumpFor(20);
    }
    EXPECT_EQ(WaitForSingleObject(gated.get(), 0), static_cast<DWORD>(WAIT_OBJECT_0))
        << "a step waited until the program passed its gate";
    SetEvent(serve.get());
    ASSERT_TRUE(PumpUntil(step, 30000));
    EXPECT_EQ(progress, dopOpen);
    EXPECT_LT(longest, 30000u) << "no step waits out the connect time";
    EXPECT_EQ(events.opened, 1);
    EXPECT_EQ(conv.TryOpenLink(), dopOpen);
    EXPECT_EQ(events.opened, 1);
    EXPECT_TRUE(conv.ExecuteMacro("light", false));
    EXPECT_EQ(conv.RequestData("DoesWordExist"), "Yes");
    EXPECT_TRUE(conv.ExecuteMacro("Quit", false));
    EXPECT_TRUE(PumpUntil([&] { return events.closed == 1; }, 30000));
  }
}

// A client looking for a service sends its request to every top-level window and waits for each
// to answer. A server program waiting to start (here at its gate, reading no messages) owns no
// window yet, so a client looking for another service meanwhile goes on at once, with that
// program still waiting.
TEST(DdeServiceApplication, AServerWaitingToStartHoldsUpNoOtherClient) {
  const std::string service = UniqueService("PelorinWaiting");
  UniqueHandle gated(ServerEvent(service, "gated"));
  ServerPeer peer(service + " --gated");
  ASSERT_TRUE(peer.Started());
  ASSERT_TRUE(PumpUntil([&] { return WaitForSingleObject(gated.get(), 0) == WAIT_OBJECT_0 || peer.Ended(); }, 30000));
  ASSERT_FALSE(peer.Ended());
  TDdeClientConv conv(nullptr);
  conv.SetConnectMode(ddeManual);
  conv.SetLink(UniqueService("PelorinNobody"), "Spelling");
  EXPECT_FALSE(conv.OpenLink());
  EXPECT_EQ(WaitForSingleObject(gated.get(), 0), static_cast<DWORD>(WAIT_OBJECT_0))
      << "the client waited until the server program had passed its gate";
}

// A program that runs but never serves the name: every step returns at once, and the attempt
// fails once ConnectTimeout has passed since the start; the program is not started again.
TEST(DdeServiceApplication, AServerThatNeverAnswersFailsAfterTheConnectTimeWithoutBlocking) {
  const std::string elsewhere = UniqueService("PelorinElsewhere");
  TDdeClientConv conv(nullptr);
  conv.SetConnectMode(ddeManual);
  conv.SetLink(UniqueService("PelorinSilent"), "Spelling");
  conv.ServiceApplication = "\"" + ProgramFolder() + "DdeServerPeer.exe\" " + elsewhere;
  conv.ConnectTimeout = 3000;
  const DWORD start = GetTickCount();
  DWORD longest = 0;
  int steps = 0;
  TDdeOpenProgress progress = dopStarting;
  PumpUntil(
      [&] {
        const DWORD before = GetTickCount();
        progress = conv.TryOpenLink();
        longest = std::max<DWORD>(longest, GetTickCount() - before);
        ++steps;
        return progress != dopStarting;
      },
      60000);
  const DWORD took = GetTickCount() - start;
  EXPECT_EQ(progress, dopFailed);
  // Not before the connect time; after it, as soon as the next step comes (a busy machine may
  // hold that step back, never for as long as this margin).
  EXPECT_GE(took, 3000u);
  EXPECT_LT(took, 3000u + 30000u);
  EXPECT_GT(steps, 2) << "the attempt is made of steps that each come back";
  EXPECT_LT(longest, 3000u) << "no step waits out the connect time";

  // The program started serves the other name (once it has registered it: a busy machine may start
  // it slowly); it was started once, so after it is told to quit no server answers there.
  TDdeClientConv other(nullptr);
  other.SetConnectMode(ddeManual);
  other.SetLink(elsewhere, "Spelling");
  ASSERT_TRUE(PumpUntil([&] { return other.OpenLink(); }, 30000));
  EXPECT_TRUE(other.ExecuteMacro("Quit", true));
  other.CloseLink();
  EXPECT_TRUE(PumpUntil(
      [&] {
        const bool answered = other.OpenLink();
        other.CloseLink();
        return !answered;
      },
      30000));
}

}  // namespace
