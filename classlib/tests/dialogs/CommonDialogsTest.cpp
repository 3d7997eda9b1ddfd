#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "classlib/Dialogs.h"
#include "classlib/FileCtrl.h"
#include "classlib/Forms.h"
#include "classlib/Timers.h"
#include "classlib/tests/dialogs/DialogDriver.h"
#include "tests/support/TestSupport.h"

namespace {

using dialogs_test::ClickButton;
using dialogs_test::DialogDriver;
using dialogs_test::WindowText;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

// Types a name into the file box of the system's file dialog and confirms it.
DialogDriver::Step TypeFileName(const std::string& name) {
  return [name](HWND dialog) {
    ::SendMessageA(dialog, CDM_SETCONTROLTEXT, 0x47c /* the file name box */, reinterpret_cast<LPARAM>(name.c_str()));
    ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    return true;
  };
}

// A responder that remembers what it was asked and answers as told.
struct Responder : TDialogResponder {
  std::function<bool(TCommonDialog*)> execute;
  std::string caption, message;
  TMsgDlgType type = mtCustom;
  TMsgDlgButtons buttons;
  Integer answer = mrNone;
  std::string prompt;

  bool Execute(TCommonDialog* dialog) override { return execute ? execute(dialog) : false; }
  Integer Message(const AnsiString& c, const AnsiString& m, TMsgDlgType t, TMsgDlgButtons b) override {
    caption = c;
    message = m;
    type = t;
    buttons = b;
    return answer;
  }
  bool Input(const AnsiString& c, const AnsiString& p, AnsiString& value) override {
    caption = c;
    prompt = p;
    if (answer != mrOk) return false;
    value = "typed";
    return true;
  }
  bool SelectDirectory(const AnsiString& c, const AnsiString&, AnsiString& directory) override {
    caption = c;
    if (answer != mrOk) return false;
    directory = "C:\\chosen";
    return true;
  }
};

// Installs a responder for the test's lifetime.
class WithResponder : public ::testing::Test {
protected:
  void SetUp() override { previous_ = SetDialogResponder(&responder_); }
  void TearDown() override { SetDialogResponder(previous_); }
  Responder responder_;
  TDialogResponder* previous_ = nullptr;
};

TEST_F(WithResponder, AFileDialogGetsTheResponderChoiceWithoutAWindow) {
  TSaveDialog dialog(nullptr);
  dialog.Filter = "Text File|*.txt|All Files|*.*";
  dialog.DefaultExt = "*.txt";
  responder_.execute = [](TCommonDialog* d) {
    EXPECT_EQ(d->GetHandle(), nullptr);
    auto* save = static_cast<TSaveDialog*>(d);
    EXPECT_EQ(save->Filter, "Text File|*.txt|All Files|*.*");
    save->FileName = "C:\\out\\list.txt";
    return true;
  };
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, "C:\\out\\list.txt");
  ASSERT_EQ(dialog.GetFiles()->GetCount(), 1);
  EXPECT_EQ(dialog.GetFiles()->GetStrings(0), "C:\\out\\list.txt");

  responder_.execute = [](TCommonDialog*) { return false; };
  EXPECT_FALSE(dialog.Execute()) << "cancelled";
}

TEST_F(WithResponder, SeveralChosenFilesNameTheFirstAsFileName) {
  TOpenDialog dialog(nullptr);
  dialog.Options << ofAllowMultiSelect;
  responder_.execute = [](TCommonDialog* d) {
    auto* open = static_cast<TOpenDialog*>(d);
    open->GetFiles()->Add("C:\\a.txt");
    open->GetFiles()->Add("C:\\b.txt");
    return true;
  };
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, "C:\\a.txt");
  EXPECT_EQ(dialog.GetFiles()->GetCount(), 2);
}

TEST_F(WithResponder, MessageAndInputDialogsAskTheResponder) {
  responder_.answer = mrNo;
  EXPECT_EQ(MessageDlg("Save the book?", mtConfirmation, mbYesNoCancel, 0), mrNo);
  EXPECT_EQ(responder_.caption, "Confirmation");
  EXPECT_EQ(responder_.message, "Save the book?");
  EXPECT_EQ(responder_.type, mtConfirmation);
  EXPECT_EQ(responder_.buttons, mbYesNoCancel);

  responder_.answer = mrOk;
  ShowMessage("Done");
  EXPECT_EQ(responder_.message, "Done");
  EXPECT_EQ(responder_.type, mtCustom);

  AnsiString value = "before";
  EXPECT_TRUE(InputQuery("Name", "&Name:", value));
  EXPECT_EQ(value, "typed");
  EXPECT_EQ(responder_.prompt, "&Name:");
  responder_.answer = mrCancel;
  EXPECT_EQ(InputBox("Name", "&Name:", "default"), "default");

  AnsiString folder = "C:\\";
  EXPECT_FALSE(SelectDirectory("Pick", "", folder));
  EXPECT_EQ(folder, "C:\\");
  responder_.answer = mrOk;
  EXPECT_TRUE(SelectDirectory("Pick", "", folder));
  EXPECT_EQ(folder, "C:\\chosen");
}

TEST(DefaultResponder, AnswersAsIfTheUserCancelled) {
  TDialogResponder cancel;
  TDialogResponder* previous = SetDialogResponder(&cancel);
  TOpenDialog open(nullptr);
  EXPECT_FALSE(open.Execute());
  EXPECT_EQ(MessageDlg("?", mtWarning, mbYesNoCancel, 0), mrCancel);
  EXPECT_EQ(MessageDlg("?", mtWarning, TMsgDlgButtons{mbYes, mbNo}, 0), mrNo);
  EXPECT_EQ(MessageDlg("?", mtWarning, TMsgDlgButtons{mbOK}, 0), mrOk);
  AnsiString value = "kept";
  EXPECT_FALSE(InputQuery("a", "b", value));
  EXPECT_EQ(value, "kept");
  SetDialogResponder(previous);
}

// ---- The real windows ----

class RealFileDialog : public ::testing::Test {
protected:
  TempFolder temp_;
};

TEST_F(RealFileDialog, OpenReturnsTheFileTypedWithItsFolder) {
  WriteFileBytes(temp_.File("book.rtf"), "{\\rtf1}");
  TOpenDialog dialog(nullptr);
  dialog.Filter = "Rich Text Files|*.rtf";
  dialog.InitialDir = temp_.Path();
  dialog.Title = "Open a book";
  std::string title;
  HWND handle = nullptr;
  DialogDriver driver({[&](HWND d) {
                         title = WindowText(d);
                         handle = dialog.GetHandle();
                         return true;
                       },
                       TypeFileName("book.rtf")});
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(title, "Open a book");
  EXPECT_NE(handle, nullptr);
  EXPECT_EQ(dialog.GetHandle(), nullptr);
  EXPECT_EQ(dialog.FileName, temp_.File("book.rtf"));
  EXPECT_EQ(dialog.GetFiles()->GetCount(), 1);
}

TEST_F(RealFileDialog, SeveralFilesComeWithTheirFolder) {
  WriteFileBytes(temp_.File("a.txt"), "a");
  WriteFileBytes(temp_.File("b.txt"), "b");
  TOpenDialog dialog(nullptr);
  dialog.InitialDir = temp_.Path();
  dialog.Options << ofAllowMultiSelect << ofFileMustExist;
  DialogDriver driver({TypeFileName("\"a.txt\" \"b.txt\"")});
  ASSERT_TRUE(dialog.Execute());
  ASSERT_EQ(dialog.GetFiles()->GetCount(), 2);
  EXPECT_EQ(dialog.GetFiles()->GetStrings(0), temp_.File("a.txt"));
  EXPECT_EQ(dialog.GetFiles()->GetStrings(1), temp_.File("b.txt"));
  EXPECT_EQ(dialog.FileName, temp_.File("a.txt"));
}

TEST_F(RealFileDialog, SaveAddsTheDefaultExtensionAndAsksBeforeReplacing) {
  TSaveDialog dialog(nullptr);
  dialog.Filter = "Translation Notes Editor Files (*.tne)|*.tne|All Files (*.*)|*.*|";
  dialog.DefaultExt = "*.tne";  // written as a pattern: only the extension counts
  dialog.InitialDir = temp_.Path();
  {
    DialogDriver driver({TypeFileName("notes")});
    ASSERT_TRUE(dialog.Execute());
    EXPECT_EQ(dialog.FileName, temp_.File("notes.tne"));
  }

  WriteFileBytes(temp_.File("notes.tne"), "old");
  dialog.Options << ofOverwritePrompt;
  dialog.FileName.clear();
  std::string question;
  DialogDriver driver({TypeFileName("notes.tne"), [&](HWND box) {
                         // The system's question whether to replace the file.
                         if (!dialogs_test::ChildWithText(box, "&Yes")) return false;
                         question = WindowText(box);
                         return ClickButton(box, "&Yes");
                       }});
  ASSERT_TRUE(dialog.Execute());
  EXPECT_TRUE(driver.Finished()) << "the replace question was asked";
  EXPECT_EQ(dialog.FileName, temp_.File("notes.tne"));
}

TEST_F(RealFileDialog, CancelLeavesTheFileName) {
  TOpenDialog dialog(nullptr);
  dialog.FileName = "C:\\before.txt";
  DialogDriver driver({[](HWND d) {
    ::PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
    return true;
  }});
  EXPECT_FALSE(dialog.Execute());
  EXPECT_EQ(dialog.FileName, "C:\\before.txt");
}

TEST(RealFontDialog, TheChosenFontComesBackIntoFont) {
  TFontDialog dialog(nullptr);
  dialog.GetFont()->SetName("Times New Roman");
  dialog.GetFont()->SetSize(12);
  // Chooses in the face, style and size lists as the user would.
  auto choose = [](HWND d, int id, const char* item) {
    HWND combo = ::GetDlgItem(d, id);
    ASSERT_NE(::SendMessageA(combo, CB_SELECTSTRING, WPARAM(-1), reinterpret_cast<LPARAM>(item)), CB_ERR) << item;
    ::SendMessageA(d, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  };
  DialogDriver driver({[&](HWND d) {
    choose(d, 0x470, "Courier New");
    choose(d, 0x471, "Bold");
    choose(d, 0x472, "20");
    ::PostMessageA(d, WM_COMMAND, IDOK, 0);
    return true;
  }});
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.GetFont()->GetName(), "Courier New");
  EXPECT_EQ(dialog.GetFont()->GetSize(), 20);
  EXPECT_TRUE(dialog.GetFont()->GetStyle().Contains(fsBold));
}

TEST(RealColorDialog, TheChosenColourAndTheCustomColoursComeBack) {
  TColorDialog dialog(nullptr);
  dialog.Color = clRed;
  dialog.GetCustomColors()->Add("ColorA=00FF00");
  dialog.Options << cdFullOpen;
  DialogDriver driver({[&](HWND d) {
    // The red, green and blue boxes of the opened-up dialog.
    ::SetDlgItemInt(d, 0x2c2, 10, FALSE);
    ::SetDlgItemInt(d, 0x2c3, 20, FALSE);
    ::SetDlgItemInt(d, 0x2c4, 30, FALSE);
    ::PostMessageA(d, WM_COMMAND, IDOK, 0);
    return true;
  }});
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.Color, static_cast<TColor>(RGB(10, 20, 30)));
  ASSERT_EQ(dialog.GetCustomColors()->GetCount(), 16);
  EXPECT_EQ(dialog.GetCustomColors()->GetStrings(0), "ColorA=00FF00");
  EXPECT_EQ(dialog.GetCustomColors()->GetStrings(15), "ColorP=FFFFFF");
}

TEST(RealFindDialog, FindNextReportsTheTextAndOptionsAndClosingEndsIt) {
  TFindDialog dialog(nullptr);
  dialog.FindText = "light";
  int finds = 0, closes = 0;
  AnsiString found;
  TFindOptions options;
  dialog.OnFind = TNotifyEvent::FromFunction([&](TObject*) {
    ++finds;
    found = dialog.FindText;
    options = dialog.Options;
  });
  dialog.OnClose = TNotifyEvent::FromFunction([&](TObject*) { ++closes; });
  ASSERT_TRUE(dialog.Execute());
  HWND wnd = dialog.GetHandle();
  ASSERT_NE(wnd, nullptr);
  EXPECT_EQ(WindowText(::GetDlgItem(wnd, 0x480)), "light");

  ::SetDlgItemTextA(wnd, 0x480, "darkness");
  ::SendMessageA(::GetDlgItem(wnd, 0x411 /* match case */), BM_CLICK, 0, 0);
  ::SendMessageA(::GetDlgItem(wnd, IDOK), BM_CLICK, 0, 0);
  testing_support::PumpUntil([&] { return finds == 1; });
  EXPECT_EQ(finds, 1);
  EXPECT_EQ(found, "darkness");
  EXPECT_TRUE(options.Contains(frFindNext));
  EXPECT_TRUE(options.Contains(frMatchCase));
  EXPECT_TRUE(options.Contains(frDown));

  EXPECT_TRUE(dialog.Execute()) << "showing it again brings it forward";
  EXPECT_EQ(dialog.GetHandle(), wnd);
  dialog.CloseDialog();
  testing_support::PumpUntil([&] { return closes == 1; });
  EXPECT_EQ(closes, 1);
  EXPECT_EQ(dialog.GetHandle(), nullptr);
  EXPECT_FALSE(::IsWindow(wnd));
}

TEST(RealFindDialog, ItsKeysWorkThroughTheProgramsMessageLoop) {
  TFindDialog dialog(nullptr);
  int finds = 0;
  dialog.OnFind = TNotifyEvent::FromFunction([&](TObject*) { ++finds; });
  ASSERT_TRUE(dialog.Execute());
  HWND wnd = dialog.GetHandle();
  ::SetActiveWindow(wnd);
  EXPECT_EQ(Application->GetDialogHandle(), wnd) << "the active find dialog gets dialog keys";
  HWND edit = ::GetDlgItem(wnd, 0x480);
  ::SetWindowTextA(edit, "grace");
  ::SetFocus(edit);
  // Enter in the edit is the dialog's default button only through the dialog manager.
  ::PostMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
  const DWORD start = ::GetTickCount();
  while (finds == 0 && ::GetTickCount() - start < 30000) {
    Application->ProcessMessages();
    ::Sleep(10);
  }
  EXPECT_EQ(finds, 1);
  EXPECT_EQ(dialog.FindText, "grace");
  dialog.CloseDialog();
  EXPECT_EQ(Application->GetDialogHandle(), nullptr);
}

TEST(RealMessageDialog, ButtonsCaptionIconAndKeys) {
  struct Case {
    const char* name;
    TMsgDlgType type;
    TMsgDlgButtons buttons;
    std::function<bool(HWND)> act;
    Integer result;
  } cases[] = {
      {"click No", mtConfirmation, mbYesNoCancel, [](HWND d) { return ClickButton(d, "&No"); }, mrNo},
      {"Enter takes Yes", mtConfirmation, mbYesNoCancel,
       [](HWND d) {
         ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
         (void)d;
         return true;
       },
       mrYes},
      {"Escape is Cancel", mtWarning, mbYesNoCancel,
       [](HWND) {
         ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
         return true;
       },
       mrCancel},
      {"closing without Cancel is No", mtError, TMsgDlgButtons{mbYes, mbNo},
       [](HWND d) {
         ::PostMessageA(d, WM_CLOSE, 0, 0);
         return true;
       },
       mrNo},
      {"Yes to all", mtInformation, mbYesAllNoAllCancel, [](HWND d) { return ClickButton(d, "Yes to &All"); },
       mrYesToAll},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string caption, text;
    DialogDriver driver({[&](HWND d) {
      caption = WindowText(d);
      text = WindowText(dialogs_test::ChildWithText(d, "Is this the book?"));
      return c.act(d);
    }});
    EXPECT_EQ(MessageDlg("Is this the book?", c.type, c.buttons, 0), c.result);
    static const char* const captions[] = {"Warning", "Error", "Information", "Confirmation"};
    EXPECT_EQ(caption, captions[c.type]);
    EXPECT_EQ(text, "Is this the book?");
  }
}

TEST(RealMessageDialog, TimersKeepTickingWhileTheDialogWaits) {
  TTimer timer(nullptr);
  timer.SetInterval(20);
  int ticks = 0;
  timer.OnTimer = TNotifyEvent::FromFunction([&](TObject*) { ++ticks; });
  timer.SetEnabled(true);
  DialogDriver driver({[&](HWND d) { return ticks >= 3 && ClickButton(d, "OK"); }});
  MessageDlg("Checking ...", mtInformation, TMsgDlgButtons{mbOK}, 0);
  EXPECT_GE(ticks, 3);
}

TEST(RealMessageDialog, ShowMessageIsCaptionedWithTheProgramTitle) {
  Application->SetTitle("Pelorin test");
  std::string caption;
  DialogDriver driver({[&](HWND d) {
    caption = WindowText(d);
    return ClickButton(d, "OK");
  }});
  ShowMessage("All checks done");
  EXPECT_EQ(caption, "Pelorin test");
}

TEST(RealInputDialog, TheTextTypedComesBackOnOkOnly) {
  AnsiString value = "Genesis";
  DialogDriver driver({[](HWND d) {
    HWND edit = ::FindWindowExA(d, nullptr, "Edit", nullptr);
    if (!edit) return false;
    EXPECT_EQ(WindowText(edit), "Genesis");
    ::SetWindowTextA(edit, "Exodus");
    return ClickButton(d, "OK");
  }});
  EXPECT_TRUE(InputQuery("Book", "&Book name:", value));
  EXPECT_EQ(value, "Exodus");

  DialogDriver cancel({[](HWND d) {
    ::SetWindowTextA(::FindWindowExA(d, nullptr, "Edit", nullptr), "Leviticus");
    ::PostMessageA(::GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
    return true;
  }});
  EXPECT_EQ(InputBox("Book", "&Book name:", "Numbers"), "Numbers");
}

TEST(RealFolderBrowser, ConfirmingReturnsTheFolderItStartedIn) {
  TempFolder temp;
  AnsiString folder = temp.Path().substr(0, temp.Path().size() - 1);
  AnsiString start = folder;
  // Wine's picker now and then leaves the selection at the desktop when it is asked for a folder
  // while it is still filling its tree: ask again until the tree shows the folder, then confirm.
  DialogDriver driver({[start](HWND d) {
    if (!SameText(testing_support::SelectedTreeItemText(d), ExtractFileName(start))) {
      ::SendMessageA(d, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(start.c_str()));
      return false;
    }
    ::PostMessageA(d, WM_COMMAND, IDOK, 0);
    return true;
  }});
  ASSERT_TRUE(SelectDirectory("Choose the folder", "", folder));
  EXPECT_EQ(folder, start);
}

}  // namespace

namespace {

TEST_F(WithResponder, PrintDialogsTakeTheResponderAnswer) {
  TPrintDialog dialog(nullptr);
  dialog.Options << poPageNums;
  dialog.MinPage = 1;
  dialog.MaxPage = 9;
  responder_.execute = [](TCommonDialog* d) {
    auto* print = static_cast<TPrintDialog*>(d);
    EXPECT_EQ(print->MaxPage, 9);
    print->PrintRange = prPageNums;
    print->FromPage = 2;
    print->ToPage = 3;
    print->Copies = 2;
    return true;
  };
  ASSERT_TRUE(dialog.Execute());
  EXPECT_EQ(dialog.PrintRange, prPageNums);
  EXPECT_EQ(dialog.FromPage, 2);
  EXPECT_EQ(dialog.Copies, 2);

  TPrinterSetupDialog setup(nullptr);
  responder_.execute = [](TCommonDialog*) { return false; };
  EXPECT_FALSE(setup.Execute());
}

// This machine has no printer, so the system's print dialogs can only be shown and cancelled.
TEST(RealPrintDialog, CancellingChangesNothing) {
  TPrintDialog print(nullptr);
  print.Options << poPageNums;
  print.PrintRange = prPageNums;
  print.MinPage = 1;
  print.MaxPage = 9;
  print.FromPage = 2;
  print.ToPage = 5;
  std::string caption;
  DialogDriver driver({[&](HWND d) {
                         caption = WindowText(d);
                         ::PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
                         return true;
                       },
                       [](HWND d) {
                         ::PostMessageA(d, WM_COMMAND, IDCANCEL, 0);
                         return true;
                       }});
  EXPECT_FALSE(print.Execute());
  EXPECT_EQ(caption, "Print");
  EXPECT_EQ(print.FromPage, 2);
  EXPECT_EQ(print.PrintRange, prPageNums);

  TPrinterSetupDialog setup(nullptr);
  EXPECT_FALSE(setup.Execute());
  EXPECT_TRUE(driver.Finished());
}

}  // namespace
