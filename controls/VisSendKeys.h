// TVisSendKeys: starts another program and drives it with synthetic keystrokes.
//
// A key script is typed character by character into the foreground window:
//   "+", "^", "%"   press Shift, Ctrl, Alt and hold it
//   "(" ... ")"     a group: modifiers pressed before or inside it are let go at its ")"
//   "~"             let the held modifiers go, then Enter
//   "{NAME}"        a named key (TAB, ENTER, ESC, F1..F16, LEFT, PGDN...; also "{{}", "{}}",
//                   "{+}", "{^}", "{%}", "{(}", "{)}", "{~}" for the characters themselves)
//   "{NAME n}"      the named key n times
//   anything else   the key that types the character, with Shift, Ctrl or Alt as the keyboard
//                   layout needs; a character with no key on the layout is sent as a Unicode
//                   key event
// Held modifiers are let go only at "~", at a group's ")" and at the end of the script: after
// "^o" Ctrl stays down until the script ends, so "%e%a" is Alt+E and Alt+A with Alt held.
#pragma once

#include "classlib/Handles.h"
#include "controls/VisComponent.h"

class TVisSendKeys : public TVisCustomComponent {
  CLASS_INFO(TVisSendKeys, TVisCustomComponent)
public:
  explicit TVisSendKeys(TComponent* AOwner) : TVisCustomComponent(AOwner) {}
  ~TVisSendKeys() override;

  // Starts the program for FileName (an executable, or a document opened by its program),
  // waits until it is ready for input and remembers its process and its first visible
  // top-level window. False when the name is empty or the program cannot be started.
  bool StartProgram(const AnsiString& FileName);
  // Terminates the started program and waits for it to end; true when it ended (the remembered
  // program is then forgotten), false without a started program or while it still runs.
  bool CloseProgram();
  // Brings the target to the front: the started program's window, or else the top-level
  // window with that exact title. False when there is none.
  bool ActivateWindow(const AnsiString& Title);
  // Sends a key script (see above). With Wait, this thread's own keyboard messages are
  // dispatched after every key event. AutoActivate and ActivateBeforeKey bring the target to the
  // front only when its program's window is not in front already: a program takes its keys in
  // turn, and those it has not taken yet would go to the window brought to the front instead of
  // the one in front, such as the dialog that the keys before them opened.
  void SendKeys(const AnsiString& Keys, bool Wait);

  HWND GetWindowHandle() const { return FWindowHandle; }
  HANDLE GetProcessHandle() const { return FProcess.get(); }
  // The title last searched for by ActivateWindow.
  const AnsiString& GetWindowTitle() const { return FWindowTitle; }
  // The started program's window text and executable.
  const AnsiString& GetProgramTitle() const { return FProgramTitle; }
  const AnsiString& GetProgramPath() const { return FProgramPath; }

  // Activate the target window once before a script is sent (see SendKeys).
  bool AutoActivate = false;
  // Activate the target window before every single key (see SendKeys).
  bool ActivateBeforeKey = false;
  // A character that cannot be typed raises Exception "Invalid key identifier" instead of
  // being skipped.
  bool RaiseException = false;

  // How long StartProgram waits for the program to become ready and show a window, and
  // CloseProgram for it to end.
  static constexpr DWORD StartTimeout = 15000;
  static constexpr DWORD CloseTimeout = 5000;

private:
  void Forget();
  // ActivateWindow unless the target's program has the window in front.
  void BringTargetToFront();
  void SendScript(const AnsiString& Keys);
  // Sends Count presses of a key given as VkKeyScanA gives it: the virtual key in the low byte,
  // the shift state (1 Shift, 2 Ctrl, 4 Alt) in the high byte.
  void SendKey(Word Key, Integer Count, AnsiChar Character);
  void SendKeyEvent(Byte Key, bool Up);
  void SendUnicode(AnsiChar Character);
  void PressModifier(Byte Modifier);
  void ReleaseModifiers();
  void DrainKeyboardMessages();

  UniqueHandle FProcess;
  HWND FWindowHandle = nullptr;
  AnsiString FWindowTitle;
  AnsiString FProgramTitle;
  AnsiString FProgramPath;

  // State of the script being sent.
  Byte FHeld = 0;  // 1 Shift, 2 Ctrl, 4 Alt
  bool FGroup = false;
  bool FWait = false;
};

namespace vissendkeys_detail {
// Makes the keystroke sender known to the form reader.
bool RegisterClasses();
static const bool registered = RegisterClasses();
}  // namespace vissendkeys_detail
