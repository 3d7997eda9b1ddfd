// Print Bible in e-book mode with the stand-in builder (tests/peers/ReaderWorksPeer.cpp): the
// builder started hidden with its options set for the run, each chosen book written as an HTML
// page and driven through the builder's windows key by key, the e-books and the contents page in
// the e-books folder, the options put back; and the builders that hang, end or build nothing,
// each ending the run with its status text within its bound, the project untouched.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/tests/ebook/HtmlChecks.h"
#include "app/tests/printing/PrintingSupport.h"
#include "classlib/SysUtils.h"
#include "core/DemonstrationProjectUnit.h"
#include "tools/eBookUnit.h"

namespace {

using namespace printing_testing;
using namespace dialog_testing;
using testing_support::SaveScreenshot;

const std::string kBuilderKey = "Software\\OverDrive Systems, Inc.\\ReaderWorks";

// A value of the registry as text: "dword N", "sz TEXT" or "missing".
std::string RegistryValue(const std::string& key, const char* name) {
  HKEY k = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return "missing";
  DWORD type = 0, size = 0;
  std::string text = "missing";
  if (RegQueryValueExA(k, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
    std::string data(size, '\0');
    RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size);
    text = type == REG_DWORD ? "dword " + std::to_string(*reinterpret_cast<const DWORD*>(data.data()))
                             : "sz " + std::string(data.c_str());
  }
  RegCloseKey(k);
  return text;
}

void SetRegistryValue(const std::string& key, const char* name, DWORD type, const std::string& data) {
  HKEY k = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(k, name, 0, type, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
  RegCloseKey(k);
}

std::string Dword(DWORD value) { return std::string(reinterpret_cast<const char*>(&value), sizeof value); }

// The builder's four options and the number of its auto-saved values.
std::map<std::string, std::string> BuilderOptions() {
  std::map<std::string, std::string> options;
  for (const char* name : {"Show Startup Dialog", "Extract HTML Titles"})
    options[name] = RegistryValue(kBuilderKey + "\\Options", name);
  for (const char* name : {"Autorun Reader", "Build To CE"}) options[name] = RegistryValue(kBuilderKey + "\\Settings", name);
  HKEY k = nullptr;
  DWORD values = 0;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, (kBuilderKey + "\\Auto-save").c_str(), 0, KEY_READ, &k) == ERROR_SUCCESS) {
    RegQueryInfoKeyA(k, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(k);
  }
  options["Auto-save values"] = std::to_string(values);
  return options;
}

// Every file below a folder, with its bytes.
std::map<std::string, std::string> FilesBelow(const std::string& folder) {
  std::map<std::string, std::string> files;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return files;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == "..") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      for (const auto& [path, bytes] : FilesBelow(folder + name + "\\")) files[path] = bytes;
    } else {
      files[folder + name] = testing_support::ReadFileBytes(folder + name);
    }
  } while (FindNextFileA(find, &data));
  FindClose(find);
  return files;
}

std::vector<std::string> FileNames(const std::map<std::string, std::string>& files, const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& [path, bytes] : files) names.push_back(path.substr(folder.size()));
  return names;
}

HWND BuilderWindow(const char* title) { return FindWindowA("PelorinBuilderForm", title); }

class EBookTest : public PrintingTest {
protected:
  void SetUp() override {
    PrintingTest::SetUp();
    // The sender types the paths: the program folder's name holds characters that are keys to it.
    ProgramFolder = temp_.Path() + "Pelorin (x86)\\";
    ForceDirectories(ProgramFolder);
    testing_support::WriteFileBytes(ProgramFolder + "pelorin.rwp", "the installed builder project");
    // As the folder browser of the print settings stores it: without a trailing backslash.
    MyReg->SetEBooksFolder(temp_.Path() + "eBooks");
    MyReg->SetReaderWorksProgram(testing_support::ProgramFolder() + "ReaderWorksPeer.exe");
    MyReg->SetProduceEBook(true);
    SetEnvironmentVariableA("PELORIN_BUILDER_LOG", BuilderLog().c_str());
    SetEnvironmentVariableA("PELORIN_REGISTRY_ROOT", registry_.Root().c_str());
    SetEnvironmentVariableA("PELORIN_BUILDER_MODE", nullptr);
  }
  void TearDown() override {
    for (const char* name : {"PELORIN_BUILDER_LOG", "PELORIN_REGISTRY_ROOT", "PELORIN_BUILDER_MODE"})
      SetEnvironmentVariableA(name, nullptr);
    PrintingTest::TearDown();
  }

  std::string BuilderLog() const { return temp_.Path() + "builder.log"; }
  std::string EBooks() const { return temp_.Path() + "eBooks\\"; }
  std::string Work() const { return ProgramFolder + "ebook\\"; }

  void WriteThreeBooks() {
    WriteTestBook("GEN", {"\\id GEN", "\\h Genesis", "\\mt The First Book of Moses", "\\c 1", "\\s The creation", "\\p",
                          "\\v 1 In the beginning God created the heaven and the earth.",
                          "\\v 2 And the earth was without form, and void.", "\\c 2", "\\p",
                          "\\v 1 Thus the heavens [and the earth] were finished.", "\\c 3", "\\p",
                          "\\v 1 Now the serpent was more subtil than any beast."});
    WriteTestBook("OBA", {"\\id OBA", "\\mt Obadiah", "\\c 1", "\\p", "\\v 1 The vision of Obadiah.",
                          "\\v 2 Behold, I have made thee small among the heathen."});
    WriteTestBook("MAT", {"\\id MAT", "\\mt Matthew", "\\c 1", "\\p", "\\v 1 The book of the generation of Jesus Christ.",
                          "\\c 2", "\\p", "\\v 1 Now when Jesus was born in Bethlehem of Judaea."});
  }

  // What the builder logs while it converts one page.
  Lines ConversionLog(const std::string& name) const {
    const std::string project = Work() + "pelorin.rwp", page = Work() + name + ".html",
                      eBook = EBooks() + name + ".lit";
    return {"[ReaderWorks Standard] Ctrl+O",
            "[Open Project] \"" + project + "\"",
            "[Open Project] Alt+O",
            "open project " + project,
            "[ReaderWorks Standard] Alt+E",
            "[ReaderWorks Standard] Alt+A",
            "[Add Source Files] \"" + page + "\"",
            "[Add Source Files] Alt+O",
            "add source " + page,
            "[ReaderWorks Standard] Ctrl+B",
            "[Build eBook] Alt+M",
            "[Build eBook] Tab",
            "[Build eBook] \"" + EBooks() + "\"",
            "[Build eBook] Tab",
            "[Build eBook] Tab",
            "[Build eBook] \" \"",
            "build " + eBook + " title \"" + name + "\"",
            "built " + eBook,
            "[Build eBook] Alt+F4",
            "[ReaderWorks Standard] Ctrl+N",
            "[New Project] Ctrl+Alt+B",
            "[New Project] Enter",
            "[Save Changes] Alt+N",
            "changes not saved",
            "new project"};
  }

  static constexpr const char* kStartLine =
      "start Show Startup Dialog=0 Extract HTML Titles=1 Autorun Reader=0 Build To CE=0 Auto-save=0";

  // Waits for the builder that the dialog starts when it opens in e-book mode.
  static void WaitForBuilder(TPrintBibleV3Dialog* dialog) {
    ASSERT_TRUE(testing_support::PumpUntil([&] { return dialog->BuilderStarted(); }, 30000));
  }
  // Chooses the books, presses "&Produce" and waits until the run has ended, calling `meanwhile`
  // as it waits; the run's status texts.
  static Lines Produce(TPrintBibleV3Dialog* dialog, HWND wnd, const std::vector<std::string>& books, DWORD ms,
                       const std::function<void()>& meanwhile = {}) {
    SelectBooks(dialog, books);
    StatusRecorder status(dialog->StatusBar1);
    Click(wnd, "&Produce");
    EXPECT_TRUE(dialog->EBookRunning());
    EXPECT_FALSE(dialog->ProduceButton->GetEnabled());
    EXPECT_TRUE(dialog->StopButton->GetEnabled());
    EXPECT_TRUE(testing_support::PumpUntil(
        [&] {
          if (meanwhile) meanwhile();
          return !dialog->EBookRunning();
        },
        ms));
    EXPECT_TRUE(dialog->ProduceButton->GetEnabled());
    return status.Texts;
  }
};

TEST_F(EBookTest, ThreeBooksBecomeEBooksLinkedFromTheContentsPage) {
  WriteThreeBooks();
  // What the builder's user had: a startup dialog, the reader started after each build, an
  // option written as text, one missing, and a project auto-saved.
  SetRegistryValue(kBuilderKey + "\\Options", "Show Startup Dialog", REG_DWORD, Dword(1));
  SetRegistryValue(kBuilderKey + "\\Options", "Extract HTML Titles", REG_SZ, std::string("yes", 4));
  SetRegistryValue(kBuilderKey + "\\Settings", "Autorun Reader", REG_DWORD, Dword(1));
  SetRegistryValue(kBuilderKey + "\\Auto-save", "Project", REG_SZ, std::string("C:\\old.rwp", 11));
  const auto optionsBefore = BuilderOptions();
  ForceDirectories(EBooks());
  testing_support::WriteFileBytes(EBooks() + "Genesis.lit", "an e-book of an earlier run");
  const auto projectBefore = FilesBelow(Projects());

  auto dialog = MakePrintDialog();
  Lines statuses;
  RunModal(
      dialog.get(),
      [&](HWND wnd) {
        WaitForBuilder(dialog.get());
        // Hidden until a book is converted; the printing controls are gone in e-book mode.
        EXPECT_TRUE(testing_support::PumpUntil(
            [] { return !IsWindowVisible(BuilderWindow("ReaderWorks Standard")); }, 30000));
        EXPECT_TRUE(dialog->eBookCheckBox->GetChecked());
        EXPECT_FALSE(dialog->PreparePrintButton->GetVisible());
        EXPECT_FALSE(dialog->OCCheckBox->GetVisible());
        SelectBooks(dialog.get(), {"Genesis", "Obadiah", "Matthew"});
        ProcessFor(200);
        SaveScreenshot(wnd, "print-bible-ebook");
        EXPECT_EQ(BuilderOptions(), (std::map<std::string, std::string>{{"Show Startup Dialog", "dword 0"},
                                                                         {"Extract HTML Titles", "dword 1"},
                                                                         {"Autorun Reader", "dword 0"},
                                                                         {"Build To CE", "dword 0"},
                                                                         {"Auto-save values", "0"}}));
        // The dialog and the builder's windows as the builder is driven.
        bool shown = false, built = false;
        statuses = Produce(dialog.get(), wnd, {"Genesis", "Obadiah", "Matthew"}, 150000, [&] {
          HWND build = BuilderWindow("Build eBook");
          if (!shown && build && IsWindowVisible(BuilderWindow("ReaderWorks Standard"))) {
            shown = true;
            SaveScreenshot(wnd, "print-bible-ebook-running");
          }
          if (!built && build && IsWindowVisible(build) && Child(build, "Done")) {
            built = true;
            SaveScreenshot(BuilderWindow("ReaderWorks Standard"), "ebook-builder-main");
            SaveScreenshot(build, "ebook-builder-build");
          }
        });
        // The choice stands as it was; the builder waits, hidden, for the next run.
        EXPECT_EQ(dialog->CountSelectedBooks(2), 3);
        EXPECT_TRUE(dialog->BuilderStarted());
        EXPECT_TRUE(testing_support::PumpUntil(
            [] { return !IsWindowVisible(BuilderWindow("ReaderWorks Standard")); }, 30000));
        Click(wnd, "&OK");
      },
      200000);
  EXPECT_EQ(statuses, (Lines{"Formatting Genesis", "Converting Genesis to eBook format", "Formatting Obadiah",
                             "Converting Obadiah to eBook format", "Formatting Matthew",
                             "Converting Matthew to eBook format", "Producing Table of contents ...", "Ready"}));
  dialog.reset();
  // The builder has gone with the dialog, and its options are as they were.
  EXPECT_TRUE(testing_support::PumpUntil([] { return !BuilderWindow("ReaderWorks Standard"); }, 30000));
  auto optionsAfter = optionsBefore;
  optionsAfter["Auto-save values"] = "0";
  EXPECT_EQ(BuilderOptions(), optionsAfter);

  // Every key the builder received, and what came of it.
  Lines expected = {kStartLine};
  for (const char* book : {"Genesis", "Obadiah", "Matthew"})
    for (const std::string& line : ConversionLog(book)) expected.push_back(line);
  {
    const Lines log = app_testing::LogLines(BuilderLog());
    EXPECT_EQ(log, expected) << app_testing::WhereLinesPart(log, expected);
  }

  // The e-books (the stand-in's e-book is the page it was given) and the contents page; the
  // pages themselves are gone from the work folder.
  const auto eBooks = FilesBelow(EBooks());
  EXPECT_EQ(FileNames(eBooks, EBooks()),
            (std::vector<std::string>{"00 Table of Contents.html", "Genesis.lit", "Matthew.lit", "Obadiah.lit"}));
  EXPECT_EQ(FileNames(FilesBelow(Work()), Work()), std::vector<std::string>{"pelorin.rwp"});
  EXPECT_EQ(testing_support::ReadFileBytes(Work() + "pelorin.rwp"), "the installed builder project");
  for (const auto& [path, bytes] : eBooks) {
    SCOPED_TRACE(path);
    EXPECT_EQ(HtmlComplaints(path, temp_.Path()), std::vector<std::string>{});
    EXPECT_EQ(bytes.find("  margin: "), std::string::npos);
    EXPECT_EQ(bytes.find("  padding: "), std::string::npos);
  }
  const std::string genesis = eBooks.at(EBooks() + "Genesis.lit");
  EXPECT_EQ(genesis.substr(0, 36), "<HTML><HEAD><TITLE>Genesis</TITLE>\r\n");
  EXPECT_NE(genesis.find("<P><A name=UzurUvadCheckpoint0></A>\r\n<SPAN class=UVTS6>Go to chapter </SPAN>"
                         "<A class=UVTS8 href=\"#UzurUvadCheckpoint1\">1</A><SPAN class=UVTS6> </SPAN>"
                         "<A class=UVTS8 href=\"#UzurUvadCheckpoint2\">2</A><SPAN class=UVTS6> </SPAN>"
                         "<A class=UVTS8 href=\"#UzurUvadCheckpoint3\">3</A></P>\r\n"),
            std::string::npos)
      << genesis;
  for (const char* chapter : {"1", "2", "3"})
    EXPECT_NE(genesis.find(std::string("<P><A name=UzurUvadCheckpoint") + chapter + "></A>\r\n<A class=UVTS3 href=\"#"
                           "UzurUvadCheckpoint0\">" + chapter + "</A>"),
              std::string::npos)
        << chapter;
  // Brackets as the fonts dialog leaves them by default: kept.
  EXPECT_NE(genesis.find("Thus the heavens [and the earth] were finished."), std::string::npos);
  EXPECT_NE(genesis.find("<P class=UVPS1><SPAN class=UVTS4>The creation</SPAN></P>"), std::string::npos);
  // A book of one chapter: no links, the verse numbers shown.
  const std::string obadiah = eBooks.at(EBooks() + "Obadiah.lit");
  EXPECT_EQ(obadiah.find("href="), std::string::npos);
  EXPECT_EQ(obadiah.find("Go to chapter"), std::string::npos);
  EXPECT_NE(obadiah.find("<SPAN class=UVTS5>1</SPAN><SPAN class=UVTS6> The vision of Obadiah. </SPAN><SPAN "
                         "class=UVTS5>2</SPAN>"),
            std::string::npos)
      << obadiah;
  EXPECT_NE(eBooks.at(EBooks() + "Matthew.lit").find("href=\"#UzurUvadCheckpoint2\">2</A>"), std::string::npos);

  const Lines contents = app_testing::FileLines(EBooks() + "00 Table of Contents.html");
  ASSERT_EQ(contents.size(), 7u);
  EXPECT_EQ(contents[0], "<HTML><HEAD><TITLE>Table of Contents</TITLE>");
  std::string linked = "<DIV><FONT color=#000000 face=\"Times New Roman\">";
  for (int book = 1; book <= BookCount; ++book)
    linked += "<a href=\"" + EnglishBookName(book) + ".lit\">" + EnglishBookName(book) + "</a> ";
  EXPECT_EQ(contents[4], linked + "</FONT></DIV>");
  EXPECT_EQ(contents[6], "</BODY></HTML>");

  EXPECT_EQ(FilesBelow(Projects()), projectBefore);
}

TEST_F(EBookTest, TheDemonstrationProjectsBookIsOneEBook) {
  WriteDemonstrationProject();
  auto dialog = MakePrintDialog();
  Lines statuses;
  RunModal(
      dialog.get(),
      [&](HWND wnd) {
        WaitForBuilder(dialog.get());
        EXPECT_EQ(app_testing::ItemsOf(dialog->BooksListBox->GetItems()), Lines{"John"});
        statuses = Produce(dialog.get(), wnd, {"John"}, 60000);
        // Back to printing: the documents are built anew, not taken from the emptied views.
        Click(wnd, "Produce for &MS Reader");
        Click(wnd, "P&repare print");
        EXPECT_EQ(dialog->StatusBar1->GetSimpleText(), "Ready for printing");
        EXPECT_EQ(dialog->PageCount(1), 1);
        EXPECT_EQ(dialog->Contents(1).size(), 1u);
        Click(wnd, "&OK");
      },
      90000);
  EXPECT_EQ(statuses, (Lines{"Formatting John", "Converting John to eBook format", "Producing Table of contents ...",
                             "Ready"}));
  Lines expected = {kStartLine};
  for (const std::string& line : ConversionLog("John")) expected.push_back(line);
  {
    const Lines log = app_testing::LogLines(BuilderLog());
    EXPECT_EQ(log, expected) << app_testing::WhereLinesPart(log, expected);
  }
  // The page as written: the Bible's styles in e-book sizes (80 % of the default fonts), without
  // margins and paddings; a book of one chapter, so no links, an empty chapter item and the number
  // of verse 1.
  const std::string page = testing_support::ReadFileBytes(EBooks() + "John.lit");
  EXPECT_EQ(HtmlComplaints(EBooks() + "John.lit", temp_.Path()), std::vector<std::string>{});
  EXPECT_EQ(page,
            "<HTML><HEAD><TITLE>John</TITLE>\r\n"
            "<STYLE type=\"text/css\"><!--\r\n"
            "BODY {\r\n"
            "  background-color: #FFFFFF;\r\n"
            "}\r\n"
            "/*----------Text Styles----------*/\r\n"
            "HR { color: #000000}\r\n"
            "BODY, TABLE /* Font Style */\r\n"
            "{\r\n"
            "  font-size: 10pt;\r\n"
            "  font-family: \"Arial\";\r\n"
            "  font-style: normal;\r\n"
            "  font-weight: normal;\r\n"
            "  color: #000000;\r\n"
            "  text-decoration: none;\r\n"
            "}\r\n"
            "SPAN.UVTS1 /* Subtitle */\r\n"
            "{\r\n"
            "  font-size: 13pt;\r\n"
            "  font-family: \"Times New Roman\";\r\n"
            "  font-weight: bold;\r\n"
            "  color: #000000;\r\n"
            "}\r\n"
            "SPAN.UVTS2 /* Maintitle */\r\n"
            "{\r\n"
            "  font-size: 16pt;\r\n"
            "  font-family: \"Times New Roman\";\r\n"
            "  font-weight: bold;\r\n"
            "  color: #000000;\r\n"
            "}\r\n"
            "SPAN.UVTS3 /* Chapter */\r\n"
            "{\r\n"
            "  font-size: 16pt;\r\n"
            "  font-family: \"Times New Roman\";\r\n"
            "  font-weight: bold;\r\n"
            "  color: #000000;\r\n"
            "}\r\n"
            "SPAN.UVTS4 /* Subheading */\r\n"
            "{\r\n"
            "  font-family: \"Times New Roman\";\r\n"
            "  font-weight: bold;\r\n"
            "  color: #000000;\r\n"
            "}\r\n"
            "SPAN.UVTS5 /* Versenumber */\r\n"
            "{\r\n"
            "  font-family: \"Times New Roman\";\r\n"
            "  color: #000000;\r\n"
            "}\r\n"
            "SPAN.UVTS6 /* Text */\r\n"
            "{\r\n"
            "  font-family: \"Times New Roman\";\r\n"
            "  color: #000000;\r\n"
            "}\r\n"
            "SPAN.UVTS7 /* Brackets */\r\n"
            "{\r\n"
            "  font-family: \"Times New Roman\";\r\n"
            "  color: #000000;\r\n"
            "}\r\n"
            "A.UVTS8, SPAN.UVTS8 /* eBook TOC */\r\n"
            "{\r\n"
            "  font-family: \"Times New Roman\";\r\n"
            "  color: #000000;\r\n"
            "  text-decoration: underline;\r\n"
            "}\r\n"
            "/*----------Para Styles----------*/\r\n"
            "P,UL,OL /* Normal */\r\n"
            "{\r\n"
            "  text-align: left;\r\n"
            "  text-indent: 0px;\r\n"
            "}\r\n"
            ".UVPS1 /* Centered */\r\n"
            "{\r\n"
            "  text-align: center;\r\n"
            "}\r\n"
            ".UVPS2 /* Indented */\r\n"
            "{\r\n"
            "  text-indent: 20px;\r\n"
            "}\r\n"
            "--></STYLE>\r\n"
            "</HEAD>\r\n"
            "<BODY>\r\n"
            "<P><SPAN class=UVTS3>&nbsp;</SPAN><SPAN class=UVTS5>1</SPAN><SPAN class=UVTS6> In the beginning was the Word, and the Word was with "
            "God, and the Word was God.</SPAN></P>\r\n"
            "<P><SPAN class=UVTS6>&nbsp;</SPAN></P>\r\n"
            "<P><SPAN class=UVTS6>&nbsp;</SPAN></P>\r\n"
            "<P><SPAN class=UVTS6>&nbsp;</SPAN></P>\r\n"
            "</BODY></HTML>\r\n");
  EXPECT_TRUE(FileExists(EBooks() + "00 Table of Contents.html"));
}

}  // namespace

namespace {

// The first `count` lines of the builder's log of one conversion: up to its "build" line.
Lines FirstLines(const Lines& lines, std::size_t count) { return Lines(lines.begin(), lines.begin() + count); }

TEST_F(EBookTest, ABuilderThatFailsEndsTheRunWithinItsBound) {
  WriteThreeBooks();
  using Clock = std::chrono::steady_clock;
  const auto Seconds = [](Clock::duration d) { return std::chrono::duration<double>(d).count(); };
  const auto Bound = [](std::uint64_t ms) { return static_cast<double>(ms) / 1000.0; };
  // The run ends by the conversion's own limits, whatever the machine's load: what bounds it is
  // the limit that applies, and past it a margin that no busy machine eats (the conversion looks
  // every 10 ms to every second). Where the point is that the limit was waited out, the time is
  // also bounded from below, from a moment before the limit began.
  const double margin = 30;
  struct Row {
    const char* Mode;
    const char* LastLine;  // what the builder logged last
    const char* Status;
    double Bound;          // from the start of the build to the end of the run, margin aside
  } rows[] = {
      // Its end is seen at the next look; missed, the start limit would end the run otherwise.
      {"vanish", "vanish", "The eBook builder has ended while converting Genesis", Bound(TEBookConversion::StartBound)},
      // The marker stays for 1.5 s; the e-book may follow it by the lag.
      {"nothing", "built nothing", "The eBook builder made no eBook of Genesis",
       1.5 + Bound(TEBookConversion::EBookLag)},
      {"hang", "hang", "The eBook builder did not finish building Genesis", Bound(TEBookConversion::StartBound)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.Mode);
    const std::string mode = row.Mode;
    SetEnvironmentVariableA("PELORIN_BUILDER_MODE", row.Mode);
    ::DeleteFileA(BuilderLog().c_str());
    ForceDirectories(EBooks());
    testing_support::WriteFileBytes(EBooks() + "Genesis.lit", "an e-book of an earlier run");
    const std::string marker = EBooks() + "Genesis.lit.OLD";
    const auto projectBefore = FilesBelow(Projects());
    const auto optionsBefore = BuilderOptions();
    auto dialog = MakePrintDialog();
    Lines statuses;
    Clock::time_point pressed, building, markerLastSeen, ended;
    RunModal(
        dialog.get(),
        [&](HWND wnd) {
          WaitForBuilder(dialog.get());
          bool started = false;
          pressed = Clock::now();
          statuses = Produce(dialog.get(), wnd, {"Genesis", "Matthew"}, 150000, [&] {
            if (FileExists(marker)) markerLastSeen = Clock::now();
            if (started) return;
            for (const std::string& line : app_testing::LogLines(BuilderLog())) started |= line.rfind("build ", 0) == 0;
            if (started) building = Clock::now();
          });
          ended = Clock::now();
          EXPECT_TRUE(started);
          ProcessFor(100);
          SaveScreenshot(wnd, std::string("print-bible-ebook-") + row.Mode);
          // The choice stands as it was; a fresh builder is started for the next run.
          EXPECT_EQ(dialog->CountSelectedBooks(2), 2);
          EXPECT_TRUE(dialog->OKBtn->GetEnabled());
          EXPECT_TRUE(testing_support::PumpUntil([&] { return dialog->BuilderStarted(); }, 30000));
          Click(wnd, "&OK");
        },
        240000);
    // The run ended, and said why.
    EXPECT_EQ(statuses, (Lines{"Formatting Genesis", "Converting Genesis to eBook format", row.Status}));
    const double seconds = Seconds(ended - building);
    std::printf("a builder in mode \"%s\" ended the run %.1f s after the build began\n", row.Mode, seconds);
    EXPECT_LE(seconds, row.Bound + margin) << row.Status;
    if (mode == "hang") {
      EXPECT_GE(Seconds(ended - pressed), Bound(TEBookConversion::StartBound)) << "the start limit was waited out";
    }
    if (mode == "nothing") {
      ASSERT_NE(markerLastSeen, Clock::time_point{}) << "the marker was never seen";
      EXPECT_GE(Seconds(ended - markerLastSeen), Bound(TEBookConversion::EBookLag)) << "the e-book's lag was waited out";
    }
    dialog.reset();
    Lines expected = {kStartLine};
    for (const std::string& line : FirstLines(ConversionLog("Genesis"), 17)) expected.push_back(line);
    expected.push_back(row.LastLine);
    expected.push_back(kStartLine);
    {
    const Lines log = app_testing::LogLines(BuilderLog());
    EXPECT_EQ(log, expected) << app_testing::WhereLinesPart(log, expected);
  }
    // The old e-book went before the build; no page is left behind and no contents page made.
    EXPECT_FALSE(FileExists(EBooks() + "Genesis.lit"));
    EXPECT_FALSE(FileExists(EBooks() + "Matthew.lit"));
    EXPECT_FALSE(FileExists(EBooks() + "00 Table of Contents.html"));
    EXPECT_EQ(FileNames(FilesBelow(Work()), Work()), std::vector<std::string>{"pelorin.rwp"});
    EXPECT_EQ(FilesBelow(Projects()), projectBefore);
    // The builder has gone with the dialog, and its options are as they were.
    EXPECT_TRUE(testing_support::PumpUntil([] { return !BuilderWindow("ReaderWorks Standard"); }, 30000));
    EXPECT_EQ(BuilderOptions(), optionsBefore);
    ::DeleteFileA(marker.c_str());
  }
}

TEST_F(EBookTest, ABuilderSlowToTakeItsKeysGetsEveryKeyWhereItBelongs) {
  WriteThreeBooks();
  // As on a busy machine: the builder is still taking the keys of one step (a path, then Alt+O,
  // which closes the file window) when the next step brings it to the front. Every key has to reach
  // the window that the keys before it opened, or the path is cut short and the rest goes astray.
  SetEnvironmentVariableA("PELORIN_BUILDER_MODE", "slow");
  auto dialog = MakePrintDialog();
  Lines statuses;
  RunModal(
      dialog.get(),
      [&](HWND wnd) {
        WaitForBuilder(dialog.get());
        statuses = Produce(dialog.get(), wnd, {"Obadiah"}, 150000);
        Click(wnd, "&OK");
      },
      180000);
  EXPECT_EQ(statuses, (Lines{"Formatting Obadiah", "Converting Obadiah to eBook format",
                             "Producing Table of contents ...", "Ready"}));
  dialog.reset();
  Lines expected = {kStartLine};
  for (const std::string& line : ConversionLog("Obadiah")) expected.push_back(line);
  {
    const Lines log = app_testing::LogLines(BuilderLog());
    EXPECT_EQ(log, expected) << app_testing::WhereLinesPart(log, expected);
  }
  EXPECT_TRUE(FileExists(EBooks() + "Obadiah.lit"));
}

TEST_F(EBookTest, AMissingBuilderIsSaidBeforeAnythingIsStartedOrChanged) {
  WriteThreeBooks();
  const std::string missing = temp_.Path() + "No Builder\\RWStan.exe";
  MyReg->SetReaderWorksProgram(missing);
  const auto projectBefore = FilesBelow(Projects());
  auto dialog = MakePrintDialog();
  RunModal(dialog.get(), [&](HWND wnd) {
    EXPECT_TRUE(testing_support::PumpUntil(
        [&] { return dialog->StatusBar1->GetSimpleText() == "eBook builder not found: " + missing; }, 30000));
    SelectBooks(dialog.get(), {"Genesis"});
    dialog->StatusBar1->SetSimpleText("");
    Click(wnd, "&Produce");
    EXPECT_FALSE(dialog->EBookRunning());
    EXPECT_EQ(dialog->StatusBar1->GetSimpleText(), "eBook builder not found: " + missing);
    ProcessFor(1000);
    EXPECT_FALSE(dialog->BuilderStarted());
    Click(wnd, "&OK");
  });
  dialog.reset();
  HKEY key = nullptr;
  EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\OverDrive Systems, Inc.", 0, KEY_READ, &key), ERROR_SUCCESS);
  EXPECT_FALSE(DirectoryExists(Work()));
  EXPECT_FALSE(DirectoryExists(EBooks()));
  EXPECT_FALSE(FileExists(BuilderLog()));
  EXPECT_EQ(FilesBelow(Projects()), projectBefore);
}

TEST_F(EBookTest, AMissingBuilderProjectIsSaidBeforeAnyPageIsWritten) {
  WriteThreeBooks();
  ::DeleteFileA((ProgramFolder + "pelorin.rwp").c_str());
  auto dialog = MakePrintDialog();
  RunModal(dialog.get(), [&](HWND wnd) {
    WaitForBuilder(dialog.get());
    SelectBooks(dialog.get(), {"Genesis"});
    Click(wnd, "&Produce");
    EXPECT_FALSE(dialog->EBookRunning());
    EXPECT_EQ(dialog->StatusBar1->GetSimpleText(), "eBook builder project not found: " + ProgramFolder + "pelorin.rwp");
    Click(wnd, "&OK");
  });
  dialog.reset();
  EXPECT_FALSE(DirectoryExists(Work()));
  EXPECT_FALSE(DirectoryExists(EBooks()));
  EXPECT_EQ(app_testing::LogLines(BuilderLog()), Lines{kStartLine});
}

TEST_F(EBookTest, TheBuilderRunsWhileTheModeIsOnAndGoesWithTheWindow) {
  MyReg->SetProduceEBook(false);
  SetRegistryValue(kBuilderKey + "\\Options", "Show Startup Dialog", REG_DWORD, Dword(1));
  auto dialog = MakePrintDialog();
  RunModal(dialog.get(), [&](HWND wnd) {
    ProcessFor(700);
    EXPECT_FALSE(dialog->BuilderStarted());
    // Without the mode nothing of the builder is touched.
    EXPECT_EQ(RegistryValue(kBuilderKey + "\\Options", "Show Startup Dialog"), "dword 1");
    EXPECT_TRUE(dialog->PreparePrintButton->GetVisible());
    Click(wnd, "Produce for &MS Reader");
    WaitForBuilder(dialog.get());
    EXPECT_FALSE(dialog->PreparePrintButton->GetVisible());
    EXPECT_EQ(RegistryValue(kBuilderKey + "\\Options", "Show Startup Dialog"), "dword 0");
    // A builder that ends by itself is started anew.
    DWORD process = 0;
    GetWindowThreadProcessId(BuilderWindow("ReaderWorks Standard"), &process);
    HANDLE handle = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, process);
    ASSERT_TRUE(handle);
    TerminateProcess(handle, 9);
    WaitForSingleObject(handle, 5000);
    CloseHandle(handle);
    EXPECT_TRUE(testing_support::PumpUntil([&] { return app_testing::LogLines(BuilderLog()).size() == 2; }, 30000));
    Click(wnd, "Produce for &MS Reader");
    EXPECT_TRUE(testing_support::PumpUntil([&] { return !dialog->BuilderStarted(); }, 30000));
    EXPECT_TRUE(testing_support::PumpUntil([] { return !BuilderWindow("ReaderWorks Standard"); }, 30000));
    EXPECT_TRUE(dialog->PreparePrintButton->GetVisible());
    Click(wnd, "Produce for &MS Reader");
    WaitForBuilder(dialog.get());
    // Left through the window's close button, not "&OK": the mode is not stored, and the hidden
    // builder goes all the same.
    PostMessageA(wnd, WM_CLOSE, 0, 0);
  });
  dialog.reset();
  EXPECT_TRUE(testing_support::PumpUntil([] { return !BuilderWindow("ReaderWorks Standard"); }, 30000));
  EXPECT_FALSE(MyReg->GetProduceEBook());
  EXPECT_EQ(RegistryValue(kBuilderKey + "\\Options", "Show Startup Dialog"), "dword 1");
  EXPECT_EQ(app_testing::LogLines(BuilderLog()), (Lines{kStartLine, kStartLine, kStartLine}));
}

TEST_F(EBookTest, StopEndsTheRunAtItsNextStep) {
  WriteThreeBooks();
  auto dialog = MakePrintDialog();
  Lines statuses;
  RunModal(
      dialog.get(),
      [&](HWND wnd) {
        WaitForBuilder(dialog.get());
        bool stopped = false;
        // Stopped while the first book's conversion runs: the dialog steps once a second, and a busy
        // builder may lag several steps behind, so what it logged does not say where the run stands.
        statuses = Produce(dialog.get(), wnd, {"Genesis", "Matthew"}, 150000, [&] {
          if (stopped || dialog->StatusBar1->GetSimpleText() != "Converting Genesis to eBook format") return;
          stopped = true;
          PostMessageA(dialog->StopButton->GetHandle(), BM_CLICK, 0, 0);
        });
        EXPECT_TRUE(stopped);
        Click(wnd, "&OK");
      },
      180000);
  EXPECT_EQ(statuses, (Lines{"Formatting Genesis", "Converting Genesis to eBook format", "Stopped"}));
  dialog.reset();
  EXPECT_EQ(FileNames(FilesBelow(Work()), Work()), std::vector<std::string>{"pelorin.rwp"});
  EXPECT_EQ(FileNames(FilesBelow(EBooks()), EBooks()), std::vector<std::string>{});
}

}  // namespace
