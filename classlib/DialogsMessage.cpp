// The message and input dialogs: dialog-manager windows laid out from the message font, so
// that Tab, Enter and Escape work as in every dialog of the system.
#include <algorithm>
#include <vector>

#include "classlib/Dialogs.h"
#include "classlib/Forms.h"
#include "classlib/Handles.h"
#include "classlib/SysUtils.h"

namespace {

constexpr int kHelpId = 100;
constexpr int kEditId = 101;
constexpr int kPromptId = 102;

const char* const kCaptions[] = {"Warning", "Error", "Information", "Confirmation"};
const char* const kButtonCaptions[] = {"&Yes",   "&No",  "OK",        "Cancel",      "&Abort", "&Retry",
                                       "&Ignore", "&All", "N&o to All", "Yes to &All", "&Help"};
const Integer kButtonResults[] = {mrYes, mrNo, mrOk, mrCancel, mrAbort, mrRetry, mrIgnore, mrAll, mrNoToAll, mrYesToAll, 0};

// The program's name for captions: the application's title, else the executable's name.
AnsiString ProgramTitle() {
  if (Application && !Application->GetTitle().empty()) return Application->GetTitle();
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  return ChangeFileExt(ExtractFileName(path), "");
}

// Sizes taken from the message font, in the dialog units of the system's dialogs: a quarter of
// the average character width across, an eighth of the character height down.
struct Metrics {
  explicit Metrics(HDC dc) {
    TEXTMETRICA tm{};
    ::GetTextMetricsA(dc, &tm);
    SIZE size{};
    const char sample[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    ::GetTextExtentPoint32A(dc, sample, 52, &size);
    x = (size.cx / 26 + 1) / 2;
    y = tm.tmHeight;
  }
  int H(int units) const { return ::MulDiv(units, x, 4); }
  int V(int units) const { return ::MulDiv(units, y, 8); }
  int x;
  int y;
};

// What a dialog window needs while it runs.
struct DialogState {
  AnsiString caption;
  AnsiString text;
  // Message dialogs: the icon, the buttons and the answers to Escape and Enter.
  LPCSTR icon = nullptr;
  std::vector<TMsgDlgBtn> buttons;
  Integer defaultResult = mrOk;
  Integer cancelResult = mrCancel;
  Integer helpContext = 0;
  // Input dialogs: the edit's text.
  bool input = false;
  AnsiString value;
  UniqueGdiObject font;
};

HWND AddControl(HWND dialog, const char* cls, const char* text, DWORD style, DWORD exStyle, int id, const TRect& r,
                HFONT font) {
  HWND wnd = ::CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, r.Left, r.Top, r.Width(),
                               r.Height(), dialog, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               ::GetModuleHandleA(nullptr), nullptr);
  ::SendMessageA(wnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return wnd;
}

int TextWidth(HDC dc, const AnsiString& text) {
  RECT r{0, 0, 0, 0};
  ::DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_SINGLELINE);
  return r.right;
}

// Sizes the dialog's client area and puts it in the middle of the screen.
void PlaceDialog(HWND dialog, int clientWidth, int clientHeight) {
  RECT r{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&r, static_cast<DWORD>(::GetWindowLongA(dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(::GetWindowLongA(dialog, GWL_EXSTYLE)));
  RECT work{};
  ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  int w = r.right - r.left, h = r.bottom - r.top;
  ::SetWindowPos(dialog, nullptr, work.left + (work.right - work.left - w) / 2, work.top + (work.bottom - work.top - h) / 2,
                 w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void BuildMessageDialog(HWND dialog, DialogState& s) {
  HFONT font = static_cast<HFONT>(s.font.get());
  WindowDC dc(dialog);
  SelectedObject selected(dc, font);
  Metrics m(dc);

  RECT textRect{0, 0, ::GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  ::DrawTextA(dc, s.text.c_str(), static_cast<int>(s.text.size()), &textRect,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  const int iconSize = s.icon ? ::GetSystemMetrics(SM_CXICON) : 0;
  const int iconTextWidth = textRect.right + (s.icon ? iconSize + m.H(10) : 0);
  const int iconTextHeight = std::max<int>(textRect.bottom, iconSize);

  int buttonWidth = m.H(50);
  for (TMsgDlgBtn b : s.buttons) buttonWidth = std::max(buttonWidth, TextWidth(dc, kButtonCaptions[b]) + m.H(8));
  const int buttonHeight = m.V(14);
  const int buttonSpacing = m.H(4);
  const int count = static_cast<int>(s.buttons.size());
  const int groupWidth = count * buttonWidth + (count - 1) * buttonSpacing;

  const int clientWidth = std::max(iconTextWidth, groupWidth) + 2 * m.H(8);
  const int clientHeight = iconTextHeight + buttonHeight + m.V(10) + 2 * m.V(8);

  int x = m.H(8);
  if (s.icon) {
    HWND icon = AddControl(dialog, "STATIC", "", SS_ICON, 0, -1, Bounds(x, m.V(8), iconSize, iconSize), font);
    ::SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(::LoadIconA(nullptr, s.icon)), 0);
    x += iconSize + m.H(10);
  }
  AddControl(dialog, "STATIC", s.text.c_str(), SS_LEFT | SS_NOPREFIX, 0, -1,
             Bounds(x, m.V(8), textRect.right, textRect.bottom), font);

  int bx = (clientWidth - groupWidth) / 2;
  const int by = iconTextHeight + m.V(8) + m.V(10);
  HWND defaultButton = nullptr;
  for (TMsgDlgBtn b : s.buttons) {
    const int id = b == mbHelp ? kHelpId : kButtonResults[b];
    const bool isDefault = b != mbHelp && id == s.defaultResult;
    HWND button = AddControl(dialog, "BUTTON", kButtonCaptions[b],
                             WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), 0, id,
                             Bounds(bx, by, buttonWidth, buttonHeight), font);
    if (isDefault) defaultButton = button;
    bx += buttonWidth + buttonSpacing;
  }
  ::SendMessageA(dialog, DM_SETDEFID, static_cast<WPARAM>(s.defaultResult), 0);
  PlaceDialog(dialog, clientWidth, clientHeight);
  ::SetFocus(defaultButton ? defaultButton : ::GetNextDlgTabItem(dialog, nullptr, FALSE));
}

void BuildInputDialog(HWND dialog, DialogState& s) {
  HFONT font = static_cast<HFONT>(s.font.get());
  WindowDC dc(dialog);
  SelectedObject selected(dc, font);
  Metrics m(dc);

  const int clientWidth = std::max(m.H(180), TextWidth(dc, s.text) + 2 * m.H(8));
  const int editWidth = clientWidth - 2 * m.H(8);
  const int promptTop = m.V(8);
  const int editTop = promptTop + m.y + m.V(4);
  const int editHeight = m.y + 8;
  const int buttonTop = editTop + editHeight + m.V(15);
  const int buttonWidth = m.H(50), buttonHeight = m.V(14);

  AddControl(dialog, "STATIC", s.text.c_str(), SS_LEFT, 0, kPromptId, Bounds(m.H(8), promptTop, editWidth, m.y), font);
  HWND edit = AddControl(dialog, "EDIT", s.value.c_str(), WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, kEditId,
                         Bounds(m.H(8), editTop, editWidth, editHeight), font);
  ::SendMessageA(edit, EM_LIMITTEXT, 255, 0);
  const int left = (clientWidth - 2 * buttonWidth - m.H(4)) / 2;
  AddControl(dialog, "BUTTON", "OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, IDOK, Bounds(left, buttonTop, buttonWidth, buttonHeight),
             font);
  AddControl(dialog, "BUTTON", "Cancel", WS_TABSTOP | BS_PUSHBUTTON, 0, IDCANCEL,
             Bounds(left + buttonWidth + m.H(4), buttonTop, buttonWidth, buttonHeight), font);
  PlaceDialog(dialog, clientWidth, buttonTop + buttonHeight + m.V(8));
  ::SetFocus(edit);
  ::SendMessageA(edit, EM_SETSEL, 0, -1);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* s = reinterpret_cast<DialogState*>(::GetWindowLongPtrA(dialog, DWLP_USER));
  switch (msg) {
    case WM_INITDIALOG: {
      s = reinterpret_cast<DialogState*>(lParam);
      ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
      ::SetWindowTextA(dialog, s->caption.c_str());
      if (s->input)
        BuildInputDialog(dialog, *s);
      else
        BuildMessageDialog(dialog, *s);
      return FALSE;  // the focus is set
    }
    case WM_COMMAND: {
      if (!s || HIWORD(wParam) != BN_CLICKED) return FALSE;
      const int id = LOWORD(wParam);
      if (s->input) {
        if (id == IDOK) {
          HWND edit = ::GetDlgItem(dialog, kEditId);
          std::vector<char> text(static_cast<std::size_t>(::GetWindowTextLengthA(edit)) + 1, '\0');
          ::GetWindowTextA(edit, text.data(), static_cast<int>(text.size()));
          s->value = text.data();
          ::EndDialog(dialog, IDOK);
        } else if (id == IDCANCEL) {
          ::EndDialog(dialog, IDCANCEL);
        }
        return TRUE;
      }
      if (id == kHelpId) {
        if (Application) Application->HelpContext(s->helpContext);
      } else if (id == IDCANCEL && !::GetDlgItem(dialog, IDCANCEL)) {
        // Escape without a Cancel button.
        ::EndDialog(dialog, s->cancelResult);
      } else if (::GetDlgItem(dialog, id)) {
        ::EndDialog(dialog, id);
      }
      return TRUE;
    }
    case WM_CLOSE:
      if (s) ::EndDialog(dialog, s->input ? IDCANCEL : s->cancelResult);
      return TRUE;
    default:
      return FALSE;
  }
}

// Shows a dialog built by DialogProc over the active window, with the program's other windows
// disabled meanwhile.
INT_PTR RunDialog(DialogState& state) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  ::SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
  state.font.reset(::CreateFontIndirectA(&metrics.lfMessageFont));

  // An empty template: the controls are made when the dialog starts.
  struct alignas(4) Template {
    DLGTEMPLATE dialog;
    WORD menu, windowClass, title;
  } tmpl{};
  tmpl.dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
  tmpl.dialog.dwExtendedStyle = WS_EX_DLGMODALFRAME;

  HWND owner = ::GetActiveWindow();
  if (!owner && Application) owner = Application->GetHandle();
  TTaskWindowList disabled = DisableTaskWindows(nullptr);
  INT_PTR result = ::DialogBoxIndirectParamA(::GetModuleHandleA(nullptr), &tmpl.dialog, owner, &DialogProc,
                                             reinterpret_cast<LPARAM>(&state));
  EnableTaskWindows(disabled);
  if (owner && ::IsWindow(owner)) ::SetActiveWindow(owner);
  return result;
}

}  // namespace

Integer MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer HelpCtx) {
  DialogState s;
  s.caption = DlgType == mtCustom ? ProgramTitle() : AnsiString(kCaptions[DlgType]);
  s.text = Msg;
  static const LPCSTR icons[] = {IDI_WARNING, IDI_ERROR, IDI_INFORMATION, IDI_QUESTION, nullptr};
  s.icon = icons[DlgType];
  for (int b = mbYes; b <= mbHelp; ++b)
    if (Buttons.Contains(static_cast<TMsgDlgBtn>(b))) s.buttons.push_back(static_cast<TMsgDlgBtn>(b));
  if (s.buttons.empty()) s.buttons.push_back(mbOK);
  s.defaultResult = Buttons.Contains(mbOK)      ? mrOk
                    : Buttons.Contains(mbYes)   ? mrYes
                    : Buttons.Contains(mbRetry) ? mrRetry
                                                : kButtonResults[s.buttons.front()];
  s.cancelResult = Buttons.Contains(mbCancel) ? mrCancel : Buttons.Contains(mbNo) ? mrNo : mrOk;
  s.helpContext = HelpCtx;

  if (TDialogResponder* responder = GetDialogResponder()) return responder->Message(s.caption, Msg, DlgType, Buttons);
  INT_PTR result = RunDialog(s);
  return result < 0 ? s.cancelResult : static_cast<Integer>(result);
}

void ShowMessage(const AnsiString& Msg) { MessageDlg(Msg, mtCustom, TMsgDlgButtons{mbOK}, 0); }

bool InputQuery(const AnsiString& ACaption, const AnsiString& APrompt, AnsiString& Value) {
  if (TDialogResponder* responder = GetDialogResponder()) return responder->Input(ACaption, APrompt, Value);
  DialogState s;
  s.input = true;
  s.caption = ACaption;
  s.text = APrompt;
  s.value = Value;
  if (RunDialog(s) != IDOK) return false;
  Value = s.value;
  return true;
}

AnsiString InputBox(const AnsiString& ACaption, const AnsiString& APrompt, const AnsiString& ADefault) {
  AnsiString value = ADefault;
  InputQuery(ACaption, APrompt, value);
  return value;
}
