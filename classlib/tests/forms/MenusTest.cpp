// Menus: the Windows menus built from the items, commands, shortcuts, submenus opening, radio
// items and popup menus; actions and the standard edit actions.
#include <vector>

#include "FormsTestSupport.h"
#include "classlib/ActnList.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "classlib/Timers.h"

using namespace forms_test;

namespace {

std::string MenuText(HMENU menu, int pos) {
  char text[128] = {};
  ::GetMenuStringA(menu, UINT(pos), text, sizeof text, MF_BYPOSITION);
  return text;
}

UINT MenuState(HMENU menu, int pos) { return ::GetMenuState(menu, UINT(pos), MF_BYPOSITION); }

class MenusTest : public ::testing::Test {
protected:
  void SetUp() override {
    form = new TForm(Application);
    form->SetBounds(40, 40, 300, 200);
    menu = new TMainMenu(form);
    file = Item(menu->GetItems(), "&File");
    open = Item(file, "&Open...", ShortCut('O', {ssCtrl}));
    Item(file, "-");
    exit = Item(file, "E&xit");
    settings = Item(menu->GetItems(), "&Settings");
    expanded = Item(settings, "&Expanded mode");
    form->SetMenu(menu);
  }
  void TearDown() override { delete form; }
  TMenuItem* Item(TMenuItem* parent, const char* caption, TShortCut shortCut = 0) {
    auto* item = new TMenuItem(form);
    item->SetCaption(caption);
    item->SetShortCut(shortCut);
    item->OnClick = TNotifyEvent::FromFunction([this, item](TObject*) { clicks.push_back(item->GetCaption()); });
    parent->Add(item);
    return item;
  }
  TForm* form = nullptr;
  TMainMenu* menu = nullptr;
  TMenuItem *file, *open, *exit, *settings, *expanded;
  std::vector<std::string> clicks;
};

}  // namespace

TEST(ShortCutTest, TextAndKeysConvertBothWays) {
  struct Case {
    TShortCut ShortCut;
    const char* Text;
  } cases[] = {
      {ShortCut('X', {ssCtrl}), "Ctrl+X"},       {ShortCut(VK_DELETE, {ssShift}), "Shift+Del"},
      {ShortCut(VK_F1, {}), "F1"},               {ShortCut(VK_BACK, {ssAlt}), "Alt+BkSp"},
      {ShortCut('5', {ssShift, ssCtrl}), "Shift+Ctrl+5"}, {ShortCut(VK_RETURN, {}), "Enter"},
      {ShortCut(VK_F12, {ssCtrl, ssAlt}), "Ctrl+Alt+F12"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShortCutToText(c.ShortCut), c.Text);
    EXPECT_EQ(TextToShortCut(c.Text), c.ShortCut) << c.Text;
  }
  EXPECT_EQ(ShortCut('C', {ssCtrl}), 0x4043);
  EXPECT_EQ(TextToShortCut("^C"), ShortCut('C', {ssCtrl}));
  EXPECT_EQ(TextToShortCut("ctrl+c"), ShortCut('C', {ssCtrl}));
  EXPECT_EQ(TextToShortCut("Ctrl+Nothing"), 0);
  Word key;
  TShiftState shift;
  ShortCutToKey(ShortCut(VK_F5, {ssShift}), key, shift);
  EXPECT_EQ(key, VK_F5);
  EXPECT_EQ(shift, TShiftState{ssShift});
}

TEST(ShortCutTest, HotkeysAreFoundAndStripped) {
  EXPECT_EQ(StripHotkey("E&xit"), "Exit");
  EXPECT_EQ(StripHotkey("Save && close"), "Save & close");
  EXPECT_EQ(GetHotkey("E&xit"), "x");
  EXPECT_EQ(GetHotkey("Save && close"), "");
  EXPECT_EQ(GetHotkey("&Tom && &Jerry"), "J");
  EXPECT_TRUE(IsAccel('X', "E&xit"));
  EXPECT_FALSE(IsAccel('E', "E&xit"));
}

TEST_F(MenusTest, TheMenuBarShowsTheItems) {
  form->Show();
  HMENU bar = ::GetMenu(form->GetHandle());
  ASSERT_EQ(bar, menu->GetHandle());
  ASSERT_EQ(::GetMenuItemCount(bar), 2);
  EXPECT_EQ(MenuText(bar, 0), "&File");
  HMENU fileMenu = ::GetSubMenu(bar, 0);
  ASSERT_EQ(fileMenu, file->GetHandle());
  EXPECT_EQ(::GetMenuItemCount(fileMenu), 3);
  EXPECT_EQ(MenuText(fileMenu, 0), "&Open...\tCtrl+O");
  EXPECT_TRUE(MenuState(fileMenu, 1) & MF_SEPARATOR);
  // Changes show at once: disabled, checked, hidden, added.
  open->SetEnabled(false);
  EXPECT_TRUE(MenuState(fileMenu, 0) & MF_GRAYED);
  exit->SetChecked(true);
  EXPECT_TRUE(MenuState(fileMenu, 2) & MF_CHECKED);
  open->SetVisible(false);
  EXPECT_EQ(::GetMenuItemCount(fileMenu), 2);
  open->SetVisible(true);
  Item(file, "&Recent");
  EXPECT_EQ(::GetMenuItemCount(fileMenu), 4);
  EXPECT_EQ(MenuText(fileMenu, 3), "&Recent");
  EXPECT_EQ(file->Find("recent"), file->GetItems(3));
  delete file->GetItems(3);
  EXPECT_EQ(::GetMenuItemCount(fileMenu), 3);
}

TEST_F(MenusTest, CommandsClickTheirItemsAndOpeningASubmenuClicksItsItem) {
  form->Show();
  ::SendMessageA(form->GetHandle(), WM_COMMAND, exit->GetCommand(), 0);
  EXPECT_EQ(clicks, std::vector<std::string>{"E&xit"});
  clicks.clear();
  // Opening the Settings menu runs its OnClick, whose handler may set the items' states.
  settings->OnClick = TNotifyEvent::FromFunction([&](TObject*) {
    clicks.push_back("settings opened");
    expanded->SetChecked(true);
  });
  ::SendMessageA(form->GetHandle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(settings->GetHandle()), 1);
  EXPECT_EQ(clicks, std::vector<std::string>{"settings opened"});
  EXPECT_TRUE(MenuState(settings->GetHandle(), 0) & MF_CHECKED);
  // A disabled item is not clicked.
  clicks.clear();
  exit->SetEnabled(false);
  ::SendMessageA(form->GetHandle(), WM_COMMAND, exit->GetCommand(), 0);
  EXPECT_TRUE(clicks.empty());
}

TEST_F(MenusTest, ShortcutsClickTheirItemsThroughTheLoop) {
  auto* edit = new TNativeEdit(form);
  edit->SetParent(form);
  form->Show();
  ASSERT_TRUE(ProcessUntil([&] { return edit->Focused(); }));
  // The submenu's item is clicked first, as when the submenu opens.
  PressKey('O', false, true);
  EXPECT_EQ(clicks, (std::vector<std::string>{"&File", "&Open..."}));
  EXPECT_EQ(edit->GetText(), "") << "the shortcut does not reach the control";
  // A disabled item leaves the key to the control.
  clicks.clear();
  open->SetEnabled(false);
  PressKey('O', false, true);
  EXPECT_EQ(clicks, std::vector<std::string>{"&File"});
}

TEST_F(MenusTest, RadioItemsOfAGroupExcludeEachOther) {
  TMenuItem* a = Item(settings, "A");
  TMenuItem* b = Item(settings, "B");
  TMenuItem* c = Item(settings, "C");
  for (TMenuItem* i : {a, b, c}) {
    i->SetRadioItem(true);
    i->SetGroupIndex(1);
  }
  c->SetGroupIndex(2);
  a->SetChecked(true);
  c->SetChecked(true);
  b->SetChecked(true);
  EXPECT_FALSE(a->GetChecked());
  EXPECT_TRUE(b->GetChecked());
  EXPECT_TRUE(c->GetChecked());
  b->SetAutoCheck(true);
  b->Click();
  EXPECT_FALSE(b->GetChecked());
}

TEST_F(MenusTest, APopupMenuRunsTheChosenItemAfterItCloses) {
  auto* popup = new TPopupMenu(form);
  TMenuItem* first = Item(popup->GetItems(), "First");
  TMenuItem* second = Item(popup->GetItems(), "Second");
  bool closedBeforeClick = false;
  second->OnClick = TNotifyEvent::FromFunction([&](TObject*) {
    clicks.push_back("Second");
    closedBeforeClick = ::FindWindowA("#32768", nullptr) == nullptr || !::IsWindowVisible(::FindWindowA("#32768", nullptr));
  });
  int popups = 0;
  popup->OnPopup = TNotifyEvent::FromFunction([&](TObject*) { ++popups; });
  form->Show();
  // The keys wait in the queue; the menu's own loop reads them: down, down, enter.
  for (Word key : {VK_DOWN, VK_DOWN, VK_RETURN}) {
    ::PostMessageA(form->GetHandle(), WM_KEYDOWN, key, 1);
    ::PostMessageA(form->GetHandle(), WM_KEYUP, key, LPARAM(0xC0000001));
  }
  popup->Popup(100, 100);
  EXPECT_EQ(popups, 1);
  EXPECT_EQ(clicks, std::vector<std::string>{"Second"});
  EXPECT_TRUE(closedBeforeClick);
  EXPECT_EQ(popup->GetPopupPoint(), Point(100, 100));
  (void)first;
}

TEST_F(MenusTest, ARightClickOpensTheControlsPopupMenu) {
  auto* popup = new TPopupMenu(form);
  Item(popup->GetItems(), "Only");
  auto* box = new TColorBox(form);
  box->SetParent(form);
  box->SetPopupMenu(popup);
  bool asked = false;
  box->OnContextPopup = TContextPopupEvent::FromFunction([&](TObject*, TPoint p, bool&) {
    asked = true;
    EXPECT_EQ(p, Point(5, 6));
  });
  form->Show();
  ::PostMessageA(form->GetHandle(), WM_KEYDOWN, VK_DOWN, 1);
  ::PostMessageA(form->GetHandle(), WM_KEYDOWN, VK_RETURN, 1);
  const TPoint at = box->ClientToScreen(Point(5, 6));
  ::SendMessageA(box->GetHandle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(box->GetHandle()),
                 MAKELPARAM(at.X, at.Y));
  EXPECT_TRUE(asked);
  EXPECT_EQ(popup->PopupComponent, box);
  EXPECT_EQ(clicks, std::vector<std::string>{"Only"});
}

TEST_F(MenusTest, AnActionGivesItsStateToItsItemsAndRunsFromThem) {
  auto* list = new TActionList(form);
  auto* action = new TAction(form);
  action->SetActionList(list);
  action->SetCaption("&Do it");
  action->SetShortCut(ShortCut('D', {ssCtrl}));
  int executed = 0;
  action->OnExecute = TNotifyEvent::FromFunction([&](TObject*) { ++executed; });
  TMenuItem* item = Item(file, "");
  item->OnClick = nullptr;
  item->SetAction(action);
  EXPECT_EQ(item->GetCaption(), "&Do it");
  EXPECT_EQ(item->GetShortCut(), ShortCut('D', {ssCtrl}));
  action->SetEnabled(false);
  EXPECT_FALSE(item->GetEnabled());
  action->SetEnabled(true);
  item->Click();
  EXPECT_EQ(executed, 1);
  form->Show();
  PressKey('D', false, true);
  EXPECT_EQ(executed, 2);
  // An action with OnUpdate is updated when the program is idle.
  action->OnUpdate = TNotifyEvent::FromFunction([&](TObject*) { action->SetChecked(true); });
  auto* waker = new TTimer(form);  // ends the wait for a message that follows idle processing
  waker->SetInterval(10);
  for (int i = 0; i < 5 && !action->GetChecked(); ++i) Application->HandleMessage();
  EXPECT_TRUE(action->GetChecked());
  EXPECT_TRUE(item->GetChecked());
  // Freeing the action leaves the item alone.
  delete action;
  EXPECT_EQ(item->GetAction(), nullptr);
}

TEST_F(MenusTest, TheEditActionsWorkOnTheFocusedEdit) {
  auto* list = new TActionList(form);
  auto* cut = new TEditCut(form);
  auto* copy = new TEditCopy(form);
  auto* paste = new TEditPaste(form);
  auto* selectAll = new TEditSelectAll(form);
  auto* undo = new TEditUndo(form);
  auto* del = new TEditDelete(form);
  for (TContainedAction* a : std::initializer_list<TContainedAction*>{cut, copy, paste, selectAll, undo, del})
    a->SetActionList(list);
  EXPECT_EQ(copy->GetCaption(), "&Copy");
  EXPECT_EQ(cut->GetShortCut(), ShortCut('X', {ssCtrl}));
  TMenuItem* copyItem = Item(file, "");
  copyItem->OnClick = nullptr;
  copyItem->SetAction(copy);
  auto* edit = new TNativeEdit(form);
  edit->SetParent(form);
  auto* other = new TNativeEdit(form);
  other->SetTop(40);
  other->SetParent(form);
  auto* box = new TColorBox(form);
  box->SetTop(80);
  box->SetParent(form);
  form->Show();
  ASSERT_TRUE(ProcessUntil([&] { return edit->Focused(); }));
  edit->SetText("hello world");
  ::SendMessageA(edit->GetHandle(), EM_SETSEL, 0, 5);
  list->UpdateActions();
  EXPECT_TRUE(copy->GetEnabled());
  EXPECT_TRUE(copyItem->GetEnabled());
  EXPECT_TRUE(cut->Execute());
  EXPECT_EQ(edit->GetText(), " world");
  other->SetFocus();
  list->UpdateActions();
  EXPECT_TRUE(paste->GetEnabled());
  EXPECT_FALSE(copy->GetEnabled()) << "nothing selected";
  EXPECT_TRUE(paste->Execute());
  EXPECT_EQ(other->GetText(), "hello");
  EXPECT_TRUE(undo->Execute());
  EXPECT_EQ(other->GetText(), "");
  edit->SetFocus();
  EXPECT_TRUE(selectAll->Execute());
  EXPECT_TRUE(del->Execute());
  EXPECT_EQ(edit->GetText(), "");
  // A control that is not an edit gives the actions nothing to do.
  box->SetFocus();
  list->UpdateActions();
  EXPECT_FALSE(paste->GetEnabled());
  EXPECT_FALSE(copyItem->GetEnabled());
  EXPECT_FALSE(paste->Execute());
}
