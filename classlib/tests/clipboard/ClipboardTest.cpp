// The clipboard within one process and between two.
#include <string>

#include <gtest/gtest.h>

#include "classlib/Bitmaps.h"
#include "classlib/Clipbrd.h"
#include "classlib/Metafiles.h"
#include "tests/support/TestSupport.h"

namespace {

const char kFormatName[] = "Pelorin Test Format";

Word TestFormat() { return static_cast<Word>(::RegisterClipboardFormatA(kFormatName)); }

// Runs the clipboard peer with the arguments and returns its exit code.
DWORD RunPeer(const std::string& arguments) {
  std::string command = "\"" + testing_support::ProgramFolder() + "ClipboardPeer.exe\" " + arguments;
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return 999;
  UniqueHandle process(pi.hProcess), thread(pi.hThread);
  // Our windows' messages are read meanwhile: the peer taking the clipboard tells its owner.
  if (!testing_support::PumpUntil([&] { return ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 60000))
    return 998;
  DWORD code = 997;
  ::GetExitCodeProcess(pi.hProcess, &code);
  return code;
}

TEST(Clipboard, TextRoundTrip) {
  Clipboard()->SetAsText("In the beginning was the Word \xE9");
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_EQ(Clipboard()->GetAsText(), "In the beginning was the Word \xE9");
  // The system offers the text as UTF-16 as well.
  EXPECT_TRUE(Clipboard()->HasFormat(CF_UNICODETEXT));
  {
    ClipboardSession session;
    HANDLE wide = ::GetClipboardData(CF_UNICODETEXT);
    ASSERT_NE(wide, nullptr);
    GlobalLockGuard lock(wide);
    EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(lock.get())), L"In the beginning was the Word \u00E9");
  }
  char buffer[7];
  EXPECT_EQ(Clipboard()->GetTextBuf(buffer, sizeof buffer), 6);
  EXPECT_STREQ(buffer, "In the");
  Clipboard()->Clear();
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_EQ(Clipboard()->GetAsText(), "");
}

TEST(Clipboard, SeveralFormatsInOneOpening) {
  const Word format = TestFormat();
  ASSERT_GE(format, 0xC000);
  EXPECT_EQ(format, TestFormat());  // the same name gives the same format
  Clipboard()->SetAsText("old text");
  {
    ClipboardSession session;
    Clipboard()->SetAsText("plain");
    Clipboard()->SetBuffer(format, "\x01\x02rich\x00data", 11);
  }
  EXPECT_TRUE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_TRUE(Clipboard()->HasFormat(format));
  EXPECT_EQ(Clipboard()->GetAsText(), "plain");
  EXPECT_EQ(Clipboard()->GetBuffer(format).substr(0, 11), std::string("\x01\x02rich\x00data", 11));
  bool listed = false;
  for (Integer i = 0; i < Clipboard()->GetFormatCount(); ++i) listed |= Clipboard()->GetFormats(i) == format;
  EXPECT_TRUE(listed);

  // Without an opening around them, each addition replaces the clipboard's content.
  Clipboard()->SetBuffer(format, "only", 4);
  EXPECT_FALSE(Clipboard()->HasFormat(CF_TEXT));
  EXPECT_TRUE(Clipboard()->HasFormat(format));

  // A handle given to the clipboard is owned by it.
  HGLOBAL data = ::GlobalAlloc(GMEM_MOVEABLE, 3);
  std::memcpy(GlobalLockGuard(data).get(), "abc", 3);
  Clipboard()->SetAsHandle(format, data);
  HANDLE back = Clipboard()->GetAsHandle(format);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(std::string(static_cast<const char*>(GlobalLockGuard(back).get()), 3), "abc");
}

TEST(Clipboard, ClosedWhenAnExceptionPasses) {
  const auto copyAndFail = [] {
    ClipboardSession session;
    Clipboard()->SetAsText("first");
    throw std::runtime_error("failure while copying");
  };
  EXPECT_THROW(copyAndFail(), std::runtime_error);
  // Closed: the clipboard can be opened by anyone, and our next opening empties it again.
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::CloseClipboard();
  Clipboard()->SetAsText("second");
  EXPECT_EQ(Clipboard()->GetAsText(), "second");
}

TEST(Clipboard, OpeningFailsCleanlyWhileAnotherWindowHoldsIt) {
  HWND other = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  UniqueWindow owner(other);
  ASSERT_TRUE(::OpenClipboard(other));
  try {
    Clipboard()->SetAsText("refused");
    ADD_FAILURE() << "no exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "Cannot open clipboard");
  }
  ::CloseClipboard();
  Clipboard()->SetAsText("accepted");
  EXPECT_EQ(Clipboard()->GetAsText(), "accepted");
}

TEST(Clipboard, PicturesAsBitmapsAndMetafiles) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf24bit);
  bitmap.SetSize(3, 2);
  bitmap.GetCanvas()->SetPixels(1, 1, clRed);
  Clipboard()->Assign(&bitmap);
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
  TBitmap pasted;
  pasted.Assign(Clipboard());
  EXPECT_EQ(pasted.GetWidth(), 3);
  EXPECT_EQ(pasted.GetCanvas()->GetPixels(1, 1), clRed);
  EXPECT_EQ(pasted.GetCanvas()->GetPixels(0, 0), clWhite);

  TMetafile metafile;
  {
    TMetafileCanvas canvas(&metafile, nullptr);
    canvas.Rectangle(0, 0, 10, 10);
  }
  Clipboard()->Assign(&metafile);
  EXPECT_TRUE(Clipboard()->HasFormat(CF_ENHMETAFILE));
  TPicture picture;
  picture.Assign(Clipboard());
  ASSERT_NE(dynamic_cast<TMetafile*>(picture.GetGraphic()), nullptr);
  EXPECT_FALSE(picture.GetGraphic()->GetEmpty());
}

TEST(Clipboard, BetweenTwoProcesses) {
  testing_support::TempFolder temp;
  const Word format = TestFormat();
  {
    ClipboardSession session;
    Clipboard()->SetAsText("from the test");
    Clipboard()->SetBuffer(format, "payload-1", 9);
  }
  const std::string result = temp.File("read.txt");
  ASSERT_EQ(RunPeer(std::string("read \"") + kFormatName + "\" \"" + result + "\""), 0u);
  const std::string read = testing_support::ReadFileBytes(result);
  EXPECT_EQ(read.substr(0, 23), "from the test\npayload-1");

  ASSERT_EQ(RunPeer(std::string("write \"") + kFormatName + "\" \"from the peer\" payload-2"), 0u);
  // The data stays on the clipboard after the other program has ended.
  EXPECT_EQ(Clipboard()->GetAsText(), "from the peer");
  EXPECT_EQ(Clipboard()->GetBuffer(format).substr(0, 9), "payload-2");
}

}  // namespace
