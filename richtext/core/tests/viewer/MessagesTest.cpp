// What reaches the viewer as window messages besides input: records posted by nested editors,
// foreign values in their message, the popup menu of a right click, and the registry defaults
// of a viewer made in a designer.
#include <vector>

#include "classlib/Clipbrd.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "classlib/Registry.h"
#include "richtext/core/UVRTFProps.h"
#include "richtext/core/tests/viewer/ViewerTestSupport.h"

using namespace viewer_test;

namespace {

// A record that counts its own destruction.
template <class Base>
struct Counted : Base {
  using Base::Base;
  ~Counted() override { ++Destroyed; }
  static inline Integer Destroyed = 0;
};

class MessagesTest : public ViewerFixture {
protected:
  void SetUp() override {
    ViewerFixture::SetUp();
    FillResults(5);
    // The pointer, left anywhere by an earlier test, must not rest on the viewer: a real mouse
    // move would come among the posted records.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    ShowForm();
  }
};

TEST_F(MessagesTest, PostedRecordsRaiseTheirEventOnceAndAreFreed) {
  std::vector<std::string> log;
  viewer->OnUVDblClick = TUVDblClickEvent::FromFunction(
      [&](TObject*, const AnsiString& w, Integer s) { log.push_back("dblclick " + w + " " + std::to_string(s)); });
  viewer->OnJump = TJumpEvent::FromFunction([&](TObject*, Integer id) { log.push_back("jump " + std::to_string(id)); });
  viewer->OnUVMouseUp = TUVMouseEvent::FromFunction([&](TObject*, TMouseButton b, TShiftState, Integer item, Integer x,
                                                         Integer y) {
    log.push_back("up " + std::to_string(b) + " " + std::to_string(item) + " " + std::to_string(x) + "," + std::to_string(y));
  });
  viewer->OnUVMouseDown = TUVMouseEvent::FromFunction(
      [&](TObject*, TMouseButton b, TShiftState, Integer item, Integer, Integer) {
        log.push_back("down " + std::to_string(b) + " " + std::to_string(item));
      });
  viewer->OnClick = TNotifyEvent::FromFunction([&](TObject*) { log.push_back("click"); });
  viewer->OnDblClick = TNotifyEvent::FromFunction([&](TObject*) { log.push_back("control dblclick"); });
  viewer->OnMouseMove = TMouseMoveEvent::FromFunction(
      [&](TObject*, TShiftState, Integer x, Integer y) { log.push_back("move " + std::to_string(x) + "," + std::to_string(y)); });
  viewer->OnDragDrop = TDragDropEvent::FromFunction(
      [&](TObject*, TObject* source, Integer x, Integer) { log.push_back("drop " + std::to_string(x) + (source == form ? " form" : "")); });
  viewer->OnEndDrag = TEndDragEvent::FromFunction(
      [&](TObject*, TObject* target, Integer x, Integer) { log.push_back("end drag " + std::to_string(x) + (target == form ? " form" : "")); });

  Counted<TUVMessageData>::Destroyed = 0;
  auto* dbl = new TUVDblClickMessageData();
  dbl->ClickedWord = "begat";
  dbl->Style = 6;
  viewer->PostUVEvent(dbl);
  auto* jump = new TUVJumpMessageData();
  jump->Id = 12;
  viewer->PostUVEvent(jump);
  auto* up = new TUVMouseUpDownMessageData(uvmkMouseUp);
  up->Button = mbRight;
  up->ItemNo = 3;
  up->X = 7;
  up->Y = 8;
  viewer->PostUVEvent(up);
  auto* down = new TUVMouseUpDownMessageData(uvmkMouseDown);
  down->ItemNo = 4;
  viewer->PostUVEvent(down);
  viewer->PostUVEvent(new TUVClickMessageData(uvmkClick));
  viewer->PostUVEvent(new TUVClickMessageData(uvmkDblClickControl));
  auto* move = new TUVMouseMoveMessageData();
  move->X = 30;
  move->Y = 4;
  viewer->PostUVEvent(move);
  auto* drop = new TUVDNDMessageData(uvmkDragDrop);
  drop->X = 9;
  drop->Obj = form;
  viewer->PostUVEvent(drop);
  auto* endDrag = new TUVDNDMessageData(uvmkEndDrag);
  endDrag->X = 11;
  endDrag->Obj = form;
  viewer->PostUVEvent(endDrag);
  // An unknown kind is only freed.
  viewer->PostUVEvent(new Counted<TUVMessageData>(9));
  ProcessUntil([&] { return Counted<TUVMessageData>::Destroyed == 1; }, 30000);
  ProcessFor(20);
  EXPECT_EQ(log, (std::vector<std::string>{"dblclick begat 6", "jump 12", "up 1 3 7,8", "down 0 4", "click",
                                           "control dblclick", "move 30,4", "drop 9 form", "end drag 11 form"}));
  EXPECT_EQ(Counted<TUVMessageData>::Destroyed, 1);
  // The same value sent again (the record is gone) is not a record any more: ignored.
  log.clear();
  ::SendMessageA(viewer->GetHandle(), WM_UVEVENT, reinterpret_cast<WPARAM>(jump), 0);
  EXPECT_TRUE(log.empty());
}

TEST_F(MessagesTest, AForeignValueInTheMessageIsIgnored) {
  std::vector<Integer> jumps;
  viewer->OnJump = TJumpEvent::FromFunction([&](TObject*, Integer id) { jumps.push_back(id); });
  // A record the viewer was never given, a pointer to something else, garbage and nothing.
  TUVJumpMessageData notPosted;
  notPosted.Id = 5;
  char bytes[64] = {1, 7, 7, 7};
  const std::vector<WPARAM> values = {reinterpret_cast<WPARAM>(&notPosted), reinterpret_cast<WPARAM>(bytes),
                                      0x12345678, 0, static_cast<WPARAM>(-1)};
  for (WPARAM value : values) {
    ::SendMessageA(viewer->GetHandle(), WM_UVEVENT, value, 0);
    ::PostMessageA(viewer->GetHandle(), WM_UVEVENT, value, 0);
  }
  ProcessFor(50);
  EXPECT_TRUE(jumps.empty());
  // The viewer still works.
  auto* jump = new TUVJumpMessageData();
  jump->Id = 3;
  viewer->PostUVEvent(jump);
  ProcessUntil([&] { return !jumps.empty(); }, 30000);
  EXPECT_EQ(jumps, std::vector<Integer>{3});
}

TEST_F(MessagesTest, RecordsStillQueuedAreFreedWithTheWindow) {
  std::vector<Integer> jumps;
  viewer->OnJump = TJumpEvent::FromFunction([&](TObject*, Integer id) { jumps.push_back(id); });
  Counted<TUVJumpMessageData>::Destroyed = 0;
  viewer->PostUVEvent(new Counted<TUVJumpMessageData>());
  viewer->PostUVEvent(new Counted<TUVJumpMessageData>());
  // The window is made anew before the messages are read: they die with the old one.
  viewer->RecreateWnd();
  EXPECT_EQ(Counted<TUVJumpMessageData>::Destroyed, 2);
  ProcessFor(50);
  EXPECT_TRUE(jumps.empty());
  // And with the control: a record posted just before the viewer goes is freed too.
  viewer->PostUVEvent(new Counted<TUVJumpMessageData>());
  delete form;
  form = nullptr;
  EXPECT_EQ(Counted<TUVJumpMessageData>::Destroyed, 3);
  ProcessFor(20);
}

TEST_F(MessagesTest, ARightClickOpensThePopupMenuOnce) {
  auto* popup = new TPopupMenu(form);
  auto* item = new TMenuItem(popup);
  item->SetCaption("Copy");
  popup->GetItems()->Add(item);
  Integer popups = 0;
  popup->OnPopup = TNotifyEvent::FromFunction([&](TObject*) { ++popups; });
  viewer->SetPopupMenu(popup);
  // The menu's own loop reads the Escape waiting in the queue and closes.
  auto closeSoon = [&] {
    ::PostMessageA(form->GetHandle(), WM_KEYDOWN, VK_ESCAPE, 1);
    ::PostMessageA(form->GetHandle(), WM_KEYUP, VK_ESCAPE, LPARAM(0xC0000001));
  };
  TPoint at = Point(30, 12);
  closeSoon();
  Mouse(WM_RBUTTONDOWN, MK_RBUTTON, at);
  Mouse(WM_RBUTTONUP, 0, at);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(popup->GetPopupPoint(), viewer->ClientToScreen(at));
  EXPECT_EQ(popup->PopupComponent, viewer);
  ProcessFor(30);
  // The context-menu message that follows a right click opens nothing more.
  TPoint screen = viewer->ClientToScreen(at);
  ::SendMessageA(viewer->GetHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(viewer->GetHandle()),
                 MAKELPARAM(screen.X, screen.Y));
  EXPECT_EQ(popups, 1);
  // From the keyboard (Shift+F10, the menu key) it does.
  closeSoon();
  ::SendMessageA(viewer->GetHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(viewer->GetHandle()),
                 MAKELPARAM(-1, -1));
  EXPECT_EQ(popups, 2);
  ProcessFor(30);
}

TEST_F(MessagesTest, CopyWithAnEditorOpenInsideCopiesTheEditorsSelection) {
  viewer->SetSelectionBounds(0, 1, 0, 4);
  auto* editor = new TEdit(viewer);
  editor->SetParent(viewer);
  editor->SetBounds(10, 10, 100, 22);
  editor->SetText("in place");
  ::SendMessageA(editor->GetHandle(), EM_SETSEL, 3, 8);
  viewer->SetInplaceEditor(editor);
  Clipboard()->SetAsText("old");
  ::SendMessageA(viewer->GetHandle(), WM_COPY, 0, 0);
  ProcessUntil([] { return Clipboard()->GetAsText() != "old"; }, 30000);
  EXPECT_EQ(Clipboard()->GetAsText(), "place");
  // Without it the viewer copies its own selection.
  viewer->SetInplaceEditor(nullptr);
  ::SendMessageA(viewer->GetHandle(), WM_COPY, 0, 0);
  EXPECT_EQ(Clipboard()->GetAsText(), "GEN");
}

// A viewer made in a designer takes its stored defaults from the registry.
class DesignDefaultsTest : public testing_support::IsolatedTest {};

TEST_F(DesignDefaultsTest, TheRegistryPresetsAViewerMadeInADesigner) {
  TComponent designer(nullptr);
  designer.SetDesigning(true);
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\VUzurUvad", true));
    reg.WriteInteger("Styles", 0);
    reg.WriteInteger("Tags", 1);
    reg.WriteBool("uvf01", true);   // save the background
    reg.WriteBool("uvf03", false);  // not binary
    reg.WriteBool("uvf11", true);   // large image indexes become 0
  }
  auto* viewer = new VUzurUvad(&designer);
  EXPECT_EQ(viewer->GetUVFTextStylesReadMode(), uvf_sInsertMap);
  EXPECT_EQ(viewer->GetUVFParaStylesReadMode(), uvf_sInsertMap);
  EXPECT_EQ(viewer->GetRTFReadProperties()->TextStyleMode, uvrsUseClosest);
  EXPECT_TRUE(viewer->GetOptions().Contains(uvoTagsArePChars));
  TUVFOptions expected = uvfoDefaultOptions;
  expected << uvfoSaveBack << uvfoConvLargeImageIdxToZero;
  expected >> uvfoSaveBinary >> uvfoSaveTextStyles >> uvfoSaveParaStyles;
  EXPECT_EQ(viewer->GetUVFOptions(), expected);
  {
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey("Software\\VUzurUvad", true));
    reg.WriteInteger("Styles", 1);
    reg.WriteInteger("Tags", 0);
  }
  auto* second = new VUzurUvad(&designer);
  EXPECT_EQ(second->GetUVFTextStylesReadMode(), uvf_sInsertMerge);
  EXPECT_EQ(second->GetRTFReadProperties()->ParaStyleMode, uvrsAddIfNeeded);
  EXPECT_TRUE(second->GetUVFOptions().Contains(uvfoSaveTextStyles));
  EXPECT_FALSE(second->GetOptions().Contains(uvoTagsArePChars));
  // Outside a designer the registry is not read.
  auto* running = new VUzurUvad(nullptr);
  EXPECT_EQ(running->GetUVFOptions(), uvfoDefaultOptions);
  EXPECT_EQ(running->GetOptions(), uvoDefaultOptions);
  delete running;
}

}  // namespace
