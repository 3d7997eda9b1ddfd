// Selecting with the mouse (dragging, Shift+click, double and right click, dragging past the
// window's edge) and copying: the selected text and its RTF, UVF and Unicode forms read back
// from the clipboard, in this process and in a second one.
#include <memory>
#include <vector>

#include "classlib/Clipbrd.h"
#include "classlib/Streams.h"
#include "richtext/core/UVWindowless.h"
#include "richtext/core/tests/viewer/ViewerTestSupport.h"

using namespace viewer_test;

namespace {

const char kVerse1[] = "In the beginning God created the heaven and the earth.";
const char kVerse2[] =
    "And the earth was without form, and void; and darkness was upon the face of the deep. And the Spirit of "
    "God moved upon the face of the waters.";
const wchar_t kGreek[] = L"\x1F18\x03BD \x1F00\x03C1\x03C7\x1FC7 \x1F26\x03BD \x1F41 \x03BB\x03CC\x03B3\x03BF\x03C2";

// Runs the clipboard stand-in: it writes the clipboard's text, a line feed and the bytes of the
// named format into a file, which is returned.
std::string ReadClipboardInPeer(const std::string& Format, const std::string& Folder) {
  std::string file = Folder + "clipboard.bin";
  std::string command =
      "\"" + testing_support::ProgramFolder() + "ClipboardPeer.exe\" read \"" + Format + "\" \"" + file + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return "";
  UniqueHandle process(pi.hProcess), thread(pi.hThread);
  // The clipboard is served from this thread: keep its messages going while the peer reads.
  ProcessUntil([&] { return ::WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0; }, 30000);
  return testing_support::ReadFileBytes(file);
}

AnsiString StreamBytes(TMemoryStream& Stream) {
  return AnsiString(static_cast<const char*>(Stream.GetMemory()), static_cast<std::size_t>(Stream.GetSize()));
}

class SelectionTest : public ViewerFixture {
protected:
  void SetUp() override {
    ViewerFixture::SetUp();
    viewer->AddNL(kVerse1, kText, 0);
    viewer->AddNL(kVerse2, kText, 0);
    viewer->AddNL(UVUniWideStringToRaw(kGreek), kUnicode, 0);
    viewer->AddNL("A picture ", kText, 0);
    picture = new TBitmap();
    picture->SetSize(40, 30);
    picture->GetCanvas()->GetBrush()->SetColor(clGreen);
    picture->GetCanvas()->FillRect(Rect(0, 0, 40, 30));
    auto* item = new TUVGraphicItemInfo(viewer->GetUVData(), picture, 0);
    item->ParaNo = -1;
    viewer->GetUVData()->AddItem("", item);
    viewer->Add(" and words after it.", kText);
    viewer->OnSelect = TNotifyEvent::FromFunction([this](TObject*) { ++selects; });
    viewer->Format();
    ShowForm();
  }
  Integer selects = 0;
  TBitmap* picture = nullptr;  // owned by its item
  testing_support::TempFolder temp;
};

TEST_F(SelectionTest, DraggingSelectsAndTheCopyReachesEveryFormatAndAnotherProcess) {
  // From "earth" in the first verse to "form" in the second.
  Drag(PointAt(0, 49), PointAt(1, 27));
  EXPECT_EQ(selects, 1);  // once, when the button is released
  const AnsiString expected = "earth.\r\nAnd the earth was without ";
  EXPECT_EQ(viewer->GetSelText(), expected);
  testing_support::SaveScreenshot(form->GetHandle(), "viewer-selection");
  // The selection's rectangle on the screen runs from its first to its last line.
  TRect rect = viewer->GetSelectionRect();
  TPoint first = viewer->ClientToScreen(PointAt(0, 49));
  TPoint last = viewer->ClientToScreen(PointAt(1, 27));
  EXPECT_TRUE(rect.Top < first.Y && first.Y < rect.Bottom);
  EXPECT_TRUE(rect.Top < last.Y && last.Y < rect.Bottom);
  EXPECT_LE(rect.Left, viewer->ClientToScreen(Point(5, 0)).X);

  // Ctrl+C on the keyboard copies in the formats of the options (UVF, text, picture, RTF).
  Clipboard()->SetAsText("old");
  TypeKey('C', false, true);
  EXPECT_EQ(Clipboard()->GetAsText(), expected);
  const Word rtfFormat = static_cast<Word>(::RegisterClipboardFormatA("Rich Text Format"));
  const Word uvfFormat = static_cast<Word>(::RegisterClipboardFormatA("UzurUvad Format"));
  AnsiString rtf = Clipboard()->GetBuffer(rtfFormat);
  AnsiString uvfBlock = Clipboard()->GetBuffer(uvfFormat);
  // The RTF is the selection as the RTF writer writes it.
  TMemoryStream rtfStream;
  viewer->GetUVData()->SaveRTFToStream(&rtfStream, true, viewer->GetEffectiveColor());
  EXPECT_EQ(rtf, StreamBytes(rtfStream));
  EXPECT_EQ(rtf.substr(0, 6), "{\\rtf1");
  EXPECT_NE(rtf.find("And the earth was without"), AnsiString::npos);
  // The UVF block: a 32-bit count, then that many bytes of the selection without layout.
  ASSERT_GE(uvfBlock.size(), 4u);
  uint32_t count = 0;
  std::memcpy(&count, uvfBlock.data(), 4);
  EXPECT_EQ(count, uvfBlock.size() - 4);
  TMemoryStream uvfStream;
  viewer->GetUVData()->SaveUVFToStream(&uvfStream, true, viewer->GetEffectiveColor(), viewer->GetBackground(), nullptr);
  EXPECT_EQ(uvfBlock.substr(4), StreamBytes(uvfStream));
  // Read back, it is the selected text again.
  TUVWindowlessData copy(style);
  TMemoryStream in;
  in.WriteBuffer(uvfBlock.data() + 4, static_cast<Integer>(count));
  in.SetPosition(0);
  ASSERT_TRUE(copy.LoadUVFFromStream(&in, nullptr, nullptr, nullptr));
  ASSERT_EQ(copy.GetItemCount(), 2);
  EXPECT_EQ(copy.GetItemText(0), "earth.");
  EXPECT_EQ(copy.GetItemText(1), "And the earth was without ");

  // Another program sees the same.
  EXPECT_EQ(ReadClipboardInPeer("UzurUvad Format", temp.Path()), expected + "\n" + uvfBlock);
  EXPECT_EQ(ReadClipboardInPeer("Rich Text Format", temp.Path()), expected + "\n" + rtf);

  // Ctrl+Insert copies too.
  Clipboard()->SetAsText("old");
  TypeKey(VK_INSERT, false, true);
  EXPECT_EQ(Clipboard()->GetAsText(), expected);
}

TEST_F(SelectionTest, UnicodeTextGoesToTheClipboardAsUTF16) {
  viewer->SetOptions(viewer->GetOptions() << uvoAutoCopyUnicodeText);
  Drag(PointAt(2, 4), PointAt(2, 8));
  EXPECT_EQ(UVUniRawToWide(viewer->GetSelTextW()), L"\x1F00\x03C1\x03C7\x1FC7");
  ASSERT_TRUE(viewer->CopyToClipboard());
  ClipboardSession session;
  HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  ASSERT_NE(data, nullptr);
  GlobalLockGuard lock(data);
  // The text and a terminating zero.
  EXPECT_EQ(lock.size(), 10u);
  EXPECT_EQ(std::wstring(static_cast<const wchar_t*>(lock.get())), L"\x1F00\x03C1\x03C7\x1FC7");
}

TEST_F(SelectionTest, ShiftClickExtendsAndDoubleClickSelectsAWordOrAPicture) {
  std::vector<std::pair<AnsiString, Integer>> doubleClicks;
  viewer->OnUVDblClick = TUVDblClickEvent::FromFunction(
      [&](TObject*, const AnsiString& word, Integer styleNo) { doubleClicks.emplace_back(word, styleNo); });
  Click(PointAt(0, 4));
  EXPECT_FALSE(viewer->SelectionExists());
  Click(PointAt(0, 21), MK_SHIFT);
  EXPECT_EQ(viewer->GetSelText(), "the beginning God");
  // Shift+click before the anchor selects backwards from it.
  Click(PointAt(0, 1), MK_SHIFT);
  EXPECT_EQ(viewer->GetSelText(), "In ");

  // A double click selects the word under the cursor and reports it.
  TPoint word = PointAt(1, 39);  // inside "void"
  CursorTo(word);
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, word);
  Mouse(WM_LBUTTONUP, 0, word);
  Mouse(WM_LBUTTONDBLCLK, MK_LBUTTON, word);
  Mouse(WM_LBUTTONUP, 0, word);
  EXPECT_EQ(viewer->GetSelText(), "void");
  ASSERT_EQ(doubleClicks.size(), 1u);
  EXPECT_EQ(doubleClicks[0], (std::pair<AnsiString, Integer>{"void", kText}));
  // The press of the double click did not start a new selection.
  Mouse(WM_MOUSEMOVE, MK_LBUTTON, PointAt(1, 20));
  EXPECT_EQ(viewer->GetSelText(), "void");

  // On a picture: the whole item, and its picture is the selected image.
  TPoint onPicture = MiddleOf(4);
  CursorTo(onPicture);
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, onPicture);
  Mouse(WM_LBUTTONUP, 0, onPicture);
  Mouse(WM_LBUTTONDBLCLK, MK_LBUTTON, onPicture);
  Mouse(WM_LBUTTONUP, 0, onPicture);
  Integer si, so, ei, eo;
  viewer->GetSelectionBounds(si, so, ei, eo, true);
  EXPECT_EQ((std::vector<Integer>{si, so, ei, eo}), (std::vector<Integer>{4, 0, 4, 1}));
  EXPECT_EQ(viewer->GetUVData()->GetSelectedImage(), picture);
  EXPECT_EQ(doubleClicks.back().second, uvsPicture);
  testing_support::SaveScreenshot(form->GetHandle(), "viewer-picture-selected");
  // Copied, the picture goes to the clipboard as a bitmap.
  ASSERT_TRUE(viewer->CopyToClipboard());
  EXPECT_TRUE(Clipboard()->HasFormat(CF_BITMAP));
}

TEST_F(SelectionTest, ARightClickOutsideTheSelectionCollapsesIt) {
  std::vector<std::pair<AnsiString, TPoint>> rightClicks;
  viewer->OnUVRightClick = TUVRightClickEvent::FromFunction(
      [&](TObject*, const AnsiString& word, Integer, Integer x, Integer y) { rightClicks.emplace_back(word, Point(x, y)); });
  Drag(PointAt(0, 8), PointAt(0, 21));
  ASSERT_EQ(viewer->GetSelText(), "beginning God");
  selects = 0;
  // Inside: the selection stays.
  TPoint inside = PointAt(0, 12);
  Mouse(WM_RBUTTONDOWN, MK_RBUTTON, inside);
  Mouse(WM_RBUTTONUP, 0, inside);
  EXPECT_EQ(viewer->GetSelText(), "beginning God");
  EXPECT_EQ(selects, 0);
  ASSERT_EQ(rightClicks.size(), 1u);
  EXPECT_EQ(rightClicks[0].first, "beginning");
  EXPECT_EQ(rightClicks[0].second, viewer->ClientToScreen(inside));
  // Outside: collapsed where the click was.
  Mouse(WM_RBUTTONDOWN, MK_RBUTTON, PointAt(0, 30));
  Mouse(WM_RBUTTONUP, 0, PointAt(0, 30));
  EXPECT_FALSE(viewer->SelectionExists());
  EXPECT_EQ(selects, 1);
  Integer si, so, ei, eo;
  viewer->GetSelectionBounds(si, so, ei, eo, true);
  EXPECT_EQ((std::vector<Integer>{si, so, ei, eo}), (std::vector<Integer>{0, 30, 0, 30}));
  // Without the option a right click leaves the selection alone.
  Drag(PointAt(0, 8), PointAt(0, 21));
  viewer->SetOptions(viewer->GetOptions() >> uvoRClickDeselects);
  Mouse(WM_RBUTTONDOWN, MK_RBUTTON, PointAt(0, 30));
  Mouse(WM_RBUTTONUP, 0, PointAt(0, 30));
  EXPECT_EQ(viewer->GetSelText(), "beginning God");
}

TEST_F(SelectionTest, CopyingWithoutSelectionFormatsOrClipboard) {
  Integer copies = 0;
  // No selection: nothing is put on the clipboard, and that is no failure.
  Clipboard()->SetAsText("kept");
  EXPECT_TRUE(viewer->CopyToClipboard());
  EXPECT_EQ(Clipboard()->GetAsText(), "kept");
  Drag(PointAt(0, 1), PointAt(0, 7));
  // No format asked for and nobody listening: false.
  viewer->SetOptions(TUVOptions{uvoAllowSelection});
  EXPECT_FALSE(viewer->CopyToClipboard());
  EXPECT_EQ(Clipboard()->GetAsText(), "kept");
  // The copy event alone: the clipboard is emptied and the handler adds its own.
  viewer->OnCopy = TNotifyEvent::FromFunction([&](TObject*) {
    ++copies;
    Clipboard()->SetAsText("from the handler");
  });
  EXPECT_TRUE(viewer->CopyToClipboard());
  EXPECT_EQ(copies, 1);
  EXPECT_EQ(Clipboard()->GetAsText(), "from the handler");
  // A clipboard held by another window: false, nothing raised, and it is still held by that
  // window afterwards (the copy closed nothing of it).
  viewer->SetOptions(uvoDefaultOptions);
  HWND other = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_TRUE(::OpenClipboard(other));
  EXPECT_FALSE(viewer->CopyToClipboard());
  EXPECT_EQ(::GetOpenClipboardWindow(), other);
  ::CloseClipboard();
  ::DestroyWindow(other);
  // And the clipboard works again for the next copy.
  EXPECT_TRUE(viewer->CopyToClipboard());
  EXPECT_EQ(Clipboard()->GetAsText(), "In the");
}

TEST_F(SelectionTest, DraggingBelowTheWindowScrollsAndTheSelectionFollows) {
  viewer->Clear();
  for (Integer i = 1; i <= 100; ++i) viewer->AddNL("Line " + IntToStr(i), kText, 0);
  viewer->Format();
  TPoint start = PointAt(0, 1);
  Mouse(WM_LBUTTONDOWN, MK_LBUTTON, start);
  ASSERT_TRUE(viewer->IsAutoScrolling());
  // 25 pixels below the window: ten steps a tick; the cursor rests there.
  TPoint below = Point(40, viewer->GetClientHeight() + 25);
  CursorTo(below);
  Mouse(WM_MOUSEMOVE, MK_LBUTTON, below);
  EXPECT_EQ(viewer->GetAutoScrollDY(), 10);
  Integer endBefore;
  {
    Integer si, so, ei, eo;
    viewer->GetSelectionBounds(si, so, ei, eo, false);
    endBefore = ei;
  }
  Integer position = viewer->GetVPos();
  ASSERT_TRUE(ProcessUntil([&] { return viewer->GetVPos() >= position + 20; }, 30000));
  EXPECT_EQ((viewer->GetVPos() - position) % 10, 0);
  // Without another move of the mouse the selection reached the lines scrolled in.
  Integer si, so, ei, eo;
  viewer->GetSelectionBounds(si, so, ei, eo, false);
  EXPECT_GT(ei, endBefore);
  // 5 pixels below: one step a tick.
  TPoint close = Point(40, viewer->GetClientHeight() + 5);
  CursorTo(close);
  Mouse(WM_MOUSEMOVE, MK_LBUTTON, close);
  EXPECT_EQ(viewer->GetAutoScrollDY(), 1);
  // Inside again: it stops; releasing the button stops the timer.
  Mouse(WM_MOUSEMOVE, MK_LBUTTON, Point(40, 20));
  EXPECT_EQ(viewer->GetAutoScrollDY(), 0);
  Mouse(WM_LBUTTONUP, 0, Point(40, 20));
  EXPECT_FALSE(viewer->IsAutoScrolling());
  EXPECT_EQ(selects, 1);
}

}  // namespace
