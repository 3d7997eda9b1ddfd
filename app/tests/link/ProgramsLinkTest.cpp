// The DDE timer's link with Paratext and BibleWorks on fake programs.
#include <string>
#include <vector>

#include "app/ProgramsLink.h"
#include "app/tests/support/AppTestSupport.h"

namespace {

using app_testing::Lines;

// Paratext and BibleWorks as the link sees them. BibleWorks goes to the verses it is sent unless
// it is told not to follow, and answers with its version and verse.
class FakePeers : public TLinkPeers {
public:
  bool WindowExists(const AnsiString& title) override {
    if (title == "Paratext 6") return Paratext;
    if (title == "BibleWorks - ") return BibleWorks;
    ADD_FAILURE() << "unexpected title " << title;
    return false;
  }
  AnsiString FocusReference() override {
    ++FocusReads;
    return Focus;
  }
  bool BibleWorksLinked() override { return Linked; }
  bool OpenBibleWorksLink(const AnsiString& service, const AnsiString& topic) override {
    Links.push_back(service + "|" + topic);
    Linked = AcceptsLink;
    return Linked;
  }
  void SendToBibleWorks(const AnsiString& macro) override {
    if (!Linked) return;
    Sent.push_back(macro);
    if (macro.rfind("GoToVerse ", 0) != 0) return;
    const std::string target = macro.substr(10);
    if (target.find(' ') == std::string::npos)
      Version = target;
    else if (Follows)
      Verse = target;
  }
  AnsiString AskBibleWorks(const AnsiString& item) override {
    EXPECT_EQ(item, "GetCurrentVerse");
    return Linked ? Version + " " + Verse : AnsiString();
  }

  // The macros sent since the last call.
  Lines TakeSent() {
    Lines sent = Sent;
    Sent.clear();
    return sent;
  }

  bool Paratext = true;
  bool BibleWorks = true;
  AnsiString Focus = "MAT 5:3";
  int FocusReads = 0;
  bool Linked = false;
  bool AcceptsLink = true;
  Lines Links;
  Lines Sent;
  bool Follows = true;
  std::string Version = "KJV";
  std::string Verse = "Gen 1:1";
};

const Lines kGoToMat53 = {"IgnoreErrors TRUE", "GoToVerse Mat 5:3", "IgnoreErrors FALSE"};

class ProgramsLinkTest : public app_testing::AppTest {
protected:
  FakePeers peers_;
  TProgramsLink link_{peers_, "bw500"};
};

TEST_F(ProgramsLinkTest, BibleWorksIsSentParatextsVerseUntilItShowsIt) {
  link_.Tick();
  EXPECT_EQ(peers_.Links, Lines{"bw500|Commands"});
  EXPECT_EQ(peers_.TakeSent(), Lines{"ClipGoToVerse FALSE"});
  EXPECT_EQ(link_.FocusReference, "MAT 5:3");
  EXPECT_EQ(link_.SyncCount, 1);
  EXPECT_TRUE(link_.ParatextRunning);
  EXPECT_TRUE(link_.BibleWorksRunning);

  link_.Tick();
  EXPECT_EQ(peers_.TakeSent(), kGoToMat53);
  EXPECT_EQ(link_.BibleWorksVerse, "KJV Mat 5:3");
  EXPECT_EQ(link_.SyncCount, 0);

  // In step: nothing more is sent, BibleWorks is still asked for its verse.
  peers_.Verse = "Mat 5:4";
  link_.Tick();
  EXPECT_EQ(peers_.TakeSent(), Lines{});
  EXPECT_EQ(link_.BibleWorksVerse, "KJV Mat 5:4");
  EXPECT_EQ(peers_.Links.size(), 1u);

  // Paratext moves on: BibleWorks follows on the next tick.
  peers_.Focus = "GEN 1:1";
  link_.Tick();
  EXPECT_EQ(peers_.TakeSent(), (Lines{"IgnoreErrors TRUE", "GoToVerse Gen 1:1", "IgnoreErrors FALSE"}));
  EXPECT_EQ(link_.SyncCount, 0);
}

TEST_F(ProgramsLinkTest, FromTheFifthToTheTenthMissTheOriginalTextsVersionIsShownFirst) {
  MyReg->SetHebrewVersion("WTT");
  MyReg->SetGreekVersion("BGT");
  struct Row {
    const char* Focus;
    const char* Target;
    const char* Version;
  } rows[] = {{"GEN 1:1", "Gen 1:1", "WTT"}, {"MAL 4:6", "Mal 4:6", "WTT"}, {"MAT 5:3", "Mat 5:3", "BGT"},
              {"REV 22:21", "Rev 22:21", "BGT"}};
  for (const Row& r : rows) {
    FakePeers peers;
    peers.Focus = r.Focus;
    peers.Follows = false;
    peers.Verse = "Exo 3:14";
    TProgramsLink link(peers, "bw500");
    link.Tick();  // opens the link
    peers.TakeSent();
    const Lines verse = {"IgnoreErrors TRUE", std::string("GoToVerse ") + r.Target, "IgnoreErrors FALSE"};
    const Lines version = {"IgnoreErrors TRUE", std::string("GoToVerse ") + r.Version, "IgnoreErrors FALSE"};
    for (int count = 1; count <= 12; ++count) {
      ASSERT_EQ(link.SyncCount, count) << r.Focus;
      link.Tick();
      Lines expected = count >= 5 && count <= 10 ? version : Lines{};
      expected.insert(expected.end(), verse.begin(), verse.end());
      EXPECT_EQ(peers.TakeSent(), expected) << r.Focus << " at " << count;
    }
    EXPECT_EQ(peers.Version, r.Version);
  }
}

TEST_F(ProgramsLinkTest, WhatRunsDecidesWhatIsDone) {
  struct Row {
    const char* Name;
    bool Paratext;
    bool BibleWorks;
    bool FocusRead;
    bool Linked;
    Lines Sent;  // on the tick after the link was opened
  } rows[] = {
      {"both", true, true, true, true, kGoToMat53},
      {"only Paratext", true, false, true, false, {}},
      {"only BibleWorks", false, true, false, true, {}},
      {"neither", false, false, false, false, {}},
  };
  for (const Row& r : rows) {
    FakePeers peers;
    peers.Paratext = r.Paratext;
    peers.BibleWorks = r.BibleWorks;
    TProgramsLink link(peers, "bw500");
    link.Tick();
    link.Tick();
    EXPECT_EQ(peers.FocusReads > 0, r.FocusRead) << r.Name;
    EXPECT_EQ(link.FocusReference, r.FocusRead ? "MAT 5:3" : "") << r.Name;
    EXPECT_EQ(peers.Linked, r.Linked) << r.Name;
    Lines sent = peers.TakeSent();
    if (r.Linked) {
      ASSERT_FALSE(sent.empty()) << r.Name;
      EXPECT_EQ(sent.front(), "ClipGoToVerse FALSE") << r.Name;
      sent.erase(sent.begin());
    }
    EXPECT_EQ(sent, r.Sent) << r.Name;
    EXPECT_EQ(link.BibleWorksVerse, r.Linked ? (r.Paratext ? "KJV Mat 5:3" : "KJV Gen 1:1") : "") << r.Name;
  }
}

TEST_F(ProgramsLinkTest, ALinkThatCannotBeOpenedIsTriedAgain) {
  peers_.AcceptsLink = false;
  link_.Tick();
  link_.Tick();
  EXPECT_EQ(peers_.Links.size(), 2u);
  EXPECT_EQ(peers_.TakeSent(), Lines{});
  peers_.AcceptsLink = true;
  link_.Tick();
  EXPECT_EQ(peers_.TakeSent(), Lines{"ClipGoToVerse FALSE"});
  link_.Tick();
  EXPECT_EQ(peers_.TakeSent(), kGoToMat53);
}

TEST_F(ProgramsLinkTest, AReferenceThatNamesNoBookSendsNoVerse) {
  for (const char* focus : {"XYZ 1:1", "", "mat 5:3"}) {
    FakePeers peers;
    peers.Focus = focus;
    peers.Linked = true;
    TProgramsLink link(peers, "bw500");
    for (int i = 0; i < 12; ++i) link.Tick();
    EXPECT_EQ(peers.TakeSent(), Lines{}) << focus;
    EXPECT_EQ(TProgramsLink::BibleWorksTarget(focus), "") << focus;
  }
  EXPECT_EQ(TProgramsLink::BibleWorksTarget("EZK 37:1"), "Eze 37:1");
  EXPECT_EQ(TProgramsLink::BibleWorksTarget("1JN 1:9"), "1Jo 1:9");
}

TEST_F(ProgramsLinkTest, BibleWorksProgramNameIsTheDdeService) {
  struct Row {
    const char* Setting;
    const char* Service;
  } rows[] = {{"bw500", "bw500"}, {"bw500.exe", "bw500"}, {"BW700.EXE", "BW700.EXE"}, {"a.exe.exe", "a.exe"}, {"", ""}};
  for (const Row& r : rows) {
    WriteSettingString("BibleWorks Filename", r.Setting);
    EXPECT_EQ(BibleWorksProgramName(), r.Service) << r.Setting;
  }
}

// A tick that starts while another runs (a message loop inside a DDE call) does nothing.
TEST_F(ProgramsLinkTest, ATickInsideATickDoesNothing) {
  struct ReenteringPeers : FakePeers {
    TProgramsLink* Link = nullptr;
    int Inner = 0;
    AnsiString FocusReference() override {
      if (Inner++ == 0) Link->Tick();
      return FakePeers::FocusReference();
    }
  } peers;
  TProgramsLink link(peers, "bw500");
  peers.Link = &link;
  link.Tick();
  EXPECT_EQ(peers.FocusReads, 1);
  EXPECT_EQ(peers.Links.size(), 1u);
}

}  // namespace
