// Controls: the base classes of everything shown in a window.
//
// TControl is a rectangle on a parent with a font, a colour, a caption, visibility, mouse events
// and a message procedure. TWinControl adds a real window (made when first needed), children,
// alignment, focus and the keyboard. TGraphicControl is a windowless control that paints on its
// parent's window; TCustomControl is a windowed control that paints itself; both have a Canvas
// and a virtual Paint.
//
// How messages reach a control
// ----------------------------
// A windowed control's window procedure is an object instance (classlib/ObjectInstances.h) that
// calls MainWndProc, which calls the WindowProc field (by default the virtual WndProc) and turns
// an escaping exception into Application->HandleException. Perform sends a message the same
// way without Windows. Every message takes this road:
//
//   WindowProc (= WndProc unless someone replaced it to watch or subclass the control)
//     -> WndProc: pre-processing shared by all messages of a kind (mouse routing to windowless
//        children and capture, focus bookkeeping, hints, double clicks), then Dispatch
//     -> Dispatch: the message map. Each class that handles messages overrides Dispatch with a
//        switch over the message numbers it handles; every other number goes to
//        inherited::Dispatch, up to TControl::Dispatch, whose default is DefaultHandler
//     -> DefaultHandler: what happens to a message nobody handled. For a windowed control it
//        calls the window procedure the window had before (the window class's, such as the
//        native "EDIT" procedure for a subclassed control); for a windowless control it keeps
//        the text (WM_GETTEXT, WM_SETTEXT) and otherwise does nothing.
//
// A handler is an ordinary (non-virtual) member named after its message, taking the TMessage.
// To run the inherited behaviour for the same message a handler calls inherited::Dispatch(Message)
// (a qualified, non-virtual call): that finds the nearest ancestor that handles the number, or
// ends in DefaultHandler. So a new control looks like this:
//
//   class TMyControl : public TCustomControl {
//     CLASS_INFO(TMyControl, TCustomControl)
//   public:
//     explicit TMyControl(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 50, 20); }
//   protected:
//     void CreateParams(TCreateParams& Params) override {   // the window's styles
//       inherited::CreateParams(Params);
//       Params.Style |= WS_BORDER;
//     }
//     void Paint() override { GetCanvas()->FillRect(GetClientRect()); }
//     void Dispatch(TMessage& Message) override {
//       switch (Message.Msg) {
//         case WM_GETDLGCODE: WMGetDlgCode(Message); break;
//         case CM_MOUSEENTER: CMMouseEnter(Message); break;
//         default: inherited::Dispatch(Message);
//       }
//     }
//   private:
//     void WMGetDlgCode(TMessage& Message) { Message.Result = DLGC_WANTARROWS; }
//     void CMMouseEnter(TMessage& Message) { inherited::Dispatch(Message); Invalidate(); }
//   };
//
// A control over a native window class (an edit, a list box) calls CreateSubClass(Params,
// "EDIT") in its CreateParams; its window is then the native control, subclassed, and
// DefaultHandler passes unhandled messages to the native procedure. Notifications that Windows
// sends to the parent (WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM, WM_CTLCOLOR...,
// WM_HSCROLL from a child) come back to the child as CN_* messages (classlib/Messages.h).
//
// The window is made lazily: GetHandle() (HandleNeeded) makes it, and the parent's, on first
// use; showing a form makes the windows of all its visible children. DestroyHandle and
// RecreateWnd keep the control's state in the object (text, bounds), so that a style change can
// rebuild the window.
#pragma once

#include <vector>

#include "classlib/Classes.h"
#include "classlib/Graphics.h"
#include "classlib/Messages.h"
#include "classlib/ObjectInstances.h"
#include "classlib/TypInfo.h"

class TControl;
class TWinControl;
class TPopupMenu;
class TBasicAction;

// --- Enumerations and small types -------------------------------------------------------------------

enum TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom };
ENUM_NAMES(TAlign, "alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient", "alCustom");
using TAlignSet = TSet<TAlign>;

enum TAnchorKind { akLeft, akTop, akRight, akBottom };
ENUM_NAMES(TAnchorKind, "akLeft", "akTop", "akRight", "akBottom");
using TAnchors = TSet<TAnchorKind>;

// What a control is and does, set by its class.
enum TControlStyleItem {
  csAcceptsControls,   // may be the parent of other controls
  csCaptureMouse,      // captures the mouse while a button is held
  csDesignInteractive,
  csClickEvents,       // a press and release over the control is a Click
  csFramed,            // draws a 3-D frame in its parent when Ctl3D
  csSetCaption,        // the name doubles as the caption when named in a designer
  csOpaque,            // paints its whole rectangle: what is behind need not be painted
  csDoubleClicks,      // double clicks are DblClick; otherwise a second press
  csFixedWidth,
  csFixedHeight,
  csNoDesignVisible,
  csReplicatable,
  csNoStdEvents,       // no OnMouseDown, OnKeyDown, ... (the control handles input itself)
  csDisplayDragImage,
  csReflector,
  csActionClient,
  csMenuEvents,
  csNeedsBorderPaint,
  csParentBackground
};
using TControlStyle = TSet<TControlStyleItem>;

// What a control is doing right now.
enum TControlStateItem {
  csLButtonDown,
  csClicked,
  csPalette,
  csReadingState,
  csAlignmentNeeded,
  csFocusing,
  csCreating,
  csPaintCopy,        // painting into another context (PaintTo)
  csCustomPaint,      // a windowed control that paints (TCustomControl)
  csDestroyingHandle,
  csDocking
};
using TControlState = TSet<TControlStateItem>;

enum TMouseButton { mbLeft, mbRight, mbMiddle };

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

enum TBiDiMode { bdLeftToRight, bdRightToLeft, bdRightToLeftNoAlign, bdRightToLeftReadingOnly };
ENUM_NAMES(TBiDiMode, "bdLeftToRight", "bdRightToLeft", "bdRightToLeftNoAlign", "bdRightToLeftReadingOnly");

// Borders of forms; controls with a border use the first two (TBorderStyle).
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
ENUM_NAMES(TFormBorderStyle, "bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin");
using TBorderStyle = TFormBorderStyle;

enum TDragMode { dmManual, dmAutomatic };
ENUM_NAMES(TDragMode, "dmManual", "dmAutomatic");
enum TDragState { dsDragEnter, dsDragLeave, dsDragMove };
enum THelpType { htKeyword, htContext };
ENUM_NAMES(THelpType, "htKeyword", "htContext");

using TCaption = AnsiString;
using THelpContext = Integer;
using TTabOrder = SmallInt;
using TModalResult = Integer;

// Cursors: indexes into Screen->GetCursors(); the negative ones are the system cursors.
using TCursor = SmallInt;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crHSplit = -14;
constexpr TCursor crVSplit = -15;
constexpr TCursor crMultiDrag = -16;
constexpr TCursor crSQLWait = -17;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHelp = -20;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crSize = crSizeAll;

// The names of the cursors in forms ("crHandPoint"), and the type of a published TCursor.
bool CursorToIdent(Integer Cursor, AnsiString& Ident);
bool IdentToCursor(const AnsiString& Ident, Integer& Cursor);
AnsiString CursorToString(TCursor Cursor);
TCursor StringToCursor(const AnsiString& S);
const TTypeInfo* CursorTypeInfo();

// Modal results: the values of the system's IDOK ... IDNO.
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrAll = mrNo + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;

// --- Events -------------------------------------------------------------------------------------

using TMouseEvent = Closure<void(TObject* Sender, TMouseButton Button, TShiftState Shift, Integer X, Integer Y)>;
using TMouseMoveEvent = Closure<void(TObject* Sender, TShiftState Shift, Integer X, Integer Y)>;
using TKeyEvent = Closure<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = Closure<void(TObject* Sender, char& Key)>;
using TMouseWheelEvent =
    Closure<void(TObject* Sender, TShiftState Shift, Integer WheelDelta, TPoint MousePos, bool& Handled)>;
using TMouseWheelUpDownEvent = Closure<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;
using TContextPopupEvent = Closure<void(TObject* Sender, TPoint MousePos, bool& Handled)>;
using TCanResizeEvent = Closure<void(TObject* Sender, Integer& NewWidth, Integer& NewHeight, bool& Resize)>;
using TConstrainedResizeEvent =
    Closure<void(TObject* Sender, Integer& MinWidth, Integer& MinHeight, Integer& MaxWidth, Integer& MaxHeight)>;
using TDragOverEvent =
    Closure<void(TObject* Sender, TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept)>;
using TDragDropEvent = Closure<void(TObject* Sender, TObject* Source, Integer X, Integer Y)>;
using TEndDragEvent = Closure<void(TObject* Sender, TObject* Target, Integer X, Integer Y)>;
using TStartDragEvent = Closure<void(TObject* Sender)>;

// --- Helpers ------------------------------------------------------------------------------------------

// The anchors that an alignment implies (alTop: left, top and right; alClient: all four).
TAnchors AnchorAlign(TAlign Align);

// The shift state of a mouse message's MK_ flags (Alt from the keyboard state).
TShiftState KeysToShiftState(Word Keys);
// The shift state of a key message (Alt from bit 29 of its key data, the others from the keyboard).
TShiftState KeyDataToShiftState(Integer KeyData);
// The shift state of the keyboard and mouse buttons right now.
TShiftState KeyboardStateToShiftState();

// The control whose window Handle is, when the window belongs to this process and is a
// control's; nullptr otherwise.
TWinControl* FindControl(HWND Handle);
// Whether Handle is the window of a control of this process.
bool IsVCLControl(HWND Handle);
// The windowed control under a screen point, or nullptr.
TWinControl* FindVCLWindow(const TPoint& Pos);
// The control under a screen point: a windowless child of the windowed control there, or that
// control itself.
TControl* FindDragTarget(const TPoint& Pos, bool AllowDisabled);

// Mouse capture: a windowless control captures through its parent's window and gets the mouse
// messages that arrive there (TWinControl routes them).
TControl* GetCaptureControl();
void SetCaptureControl(TControl* Control);

// The control being dragged, or nullptr.
TControl* DragControl();
void CancelDrag();

// "A|B": the text before the bar (short hint, shown in the hint window) and after it (long hint,
// shown by Application->OnHint). Without a bar both are the whole text.
AnsiString GetShortHint(const AnsiString& Hint);
AnsiString GetLongHint(const AnsiString& Hint);

// --- Size constraints ----------------------------------------------------------------------------

// The least and greatest size a control may take; 0 is no limit.
class TSizeConstraints : public TPersistent {
  CLASS_INFO(TSizeConstraints, TPersistent)
public:
  explicit TSizeConstraints(TControl* Control);
  void Assign(TPersistent* Source) override;

  Integer GetMaxHeight() const { return FMaxHeight; }
  void SetMaxHeight(Integer Value);
  Integer GetMaxWidth() const { return FMaxWidth; }
  void SetMaxWidth(Integer Value);
  Integer GetMinHeight() const { return FMinHeight; }
  void SetMinHeight(Integer Value);
  Integer GetMinWidth() const { return FMinWidth; }
  void SetMinWidth(Integer Value);
  TControl* GetControl() const { return FControl; }

  TNotifyEvent OnChange;

protected:
  virtual void Change();
  TPersistent* GetOwner() const override;

private:
  TControl* FControl;
  Integer FMaxHeight = 0;
  Integer FMaxWidth = 0;
  Integer FMinHeight = 0;
  Integer FMinWidth = 0;
};

// --- The canvas of a control -------------------------------------------------------------------

// A canvas that draws on a control: on its own window, or for a windowless control on its
// parent's window with the origin and clipping set to the control's rectangle. The device
// context is taken when drawing starts and given back after the message that drew has been
// handled (FreeDeviceContexts), unless the canvas is locked.
class TControlCanvas : public TCanvas {
  CLASS_INFO(TControlCanvas, TCanvas)
public:
  TControlCanvas();
  ~TControlCanvas() override;

  // Gives the device context back (when the canvas took one itself).
  void FreeHandle();
  // Sets TextFlags for the control's reading order.
  void UpdateTextFlags();

  TControl* GetControl() const { return FControl; }
  void SetControl(TControl* AControl);
  // The window whose device context the canvas holds (none while it holds none of its own).
  HWND GetWindowHandle() const { return FWindowHandle; }

protected:
  void CreateHandle() override;

private:
  TControl* FControl = nullptr;
  HDC FDeviceContext = nullptr;
  HWND FWindowHandle = nullptr;
};

// Lends a device context to a canvas for one painting: the canvas is locked, draws on DC, and
// lets go of it afterwards, also when the painting throws.
class TCanvasPaintScope {
public:
  TCanvasPaintScope(TCanvas* Canvas, HDC DC) : FCanvas(Canvas) {
    FCanvas->Lock();
    FCanvas->SetHandle(DC);
  }
  ~TCanvasPaintScope() {
    FCanvas->SetHandle(nullptr);
    FCanvas->Unlock();
  }
  TCanvasPaintScope(const TCanvasPaintScope&) = delete;
  TCanvasPaintScope& operator=(const TCanvasPaintScope&) = delete;

private:
  TCanvas* FCanvas;
};

// Gives back the device contexts of every control canvas that is not locked.
void FreeDeviceContexts();
// Gives back those that draw on Window (its window is going away).
void FreeDeviceContext(HWND Window);

// --- Hints ------------------------------------------------------------------------------------------

class THintWindow;
using THintWindowClass = TClass;

// What CM_HINTSHOW and Application->OnShowHint may change about a hint before it is shown.
struct THintInfo {
  TControl* HintControl = nullptr;
  THintWindowClass HintWindowClass = nullptr;
  TPoint HintPos;            // screen position of the hint window
  Integer HintMaxWidth = 0;
  TColor HintColor = clInfoBk;
  TRect CursorRect;          // the hint stays while the mouse stays inside (client coordinates)
  TPoint CursorPos;          // the mouse, in the control's client coordinates
  Integer ReshowTimeout = 0;
  Integer HideTimeout = 0;
  AnsiString HintStr;
  void* HintData = nullptr;
};

// --- TControl ----------------------------------------------------------------------------------------

// The parameters a windowed control's window is made with (TWinControl::CreateParams).
struct TCreateParams {
  AnsiString Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  Integer X = 0;
  Integer Y = 0;
  Integer Width = 0;
  Integer Height = 0;
  HWND WndParent = nullptr;
  void* Param = nullptr;
  WNDCLASSA WindowClass{};
  AnsiString WinClassName;
  // Characters arrive as UTF-16: the window is a Unicode window, whose WM_CHAR units are offered
  // to the control as CM_UNICODECHAR first; every other message reaches it as before, in its
  // ANSI form.
  bool UnicodeChars = false;
};

class TControl : public TComponent {
  CLASS_INFO(TControl, TComponent)
public:
  explicit TControl(TComponent* AOwner);
  ~TControl() override;

  // --- Messages
  // The message procedure; WindowProc calls it unless replaced. Mouse and keyboard
  // pre-processing, then Dispatch.
  virtual void WndProc(TMessage& Message);
  // The message map (see the top of this file).
  virtual void Dispatch(TMessage& Message);
  // Where unhandled messages end.
  virtual void DefaultHandler(TMessage& Message);
  // Sends a message straight to WindowProc and returns its result.
  LRESULT Perform(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0);
  // The method that receives this control's messages; replace it to subclass the control,
  // keeping the old value to pass messages on.
  TWndMethod WindowProc;

  // --- Place and size
  Integer GetLeft() const { return FLeft; }
  void SetLeft(Integer Value) { SetBounds(Value, FTop, FWidth, FHeight); }
  Integer GetTop() const { return FTop; }
  void SetTop(Integer Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer Value) { SetBounds(FLeft, FTop, Value, FHeight); }
  Integer GetHeight() const { return FHeight; }
  void SetHeight(Integer Value) { SetBounds(FLeft, FTop, FWidth, Value); }
  // Moves and sizes the control (within its Constraints, after OnCanResize), then realigns
  // its siblings and calls Resize.
  virtual void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight);
  TRect GetBoundsRect() const { return Bounds(FLeft, FTop, FWidth, FHeight); }
  void SetBoundsRect(const TRect& Rect) { SetBounds(Rect.Left, Rect.Top, Rect.Width(), Rect.Height()); }
  // The area inside the borders, from (0, 0).
  virtual TRect GetClientRect();
  Integer GetClientWidth() { return GetClientRect().Right; }
  void SetClientWidth(Integer Value);
  Integer GetClientHeight() { return GetClientRect().Bottom; }
  void SetClientHeight(Integer Value);
  // The screen position of the client area's top left corner.
  virtual TPoint GetClientOrigin();
  TPoint ClientToScreen(const TPoint& Point);
  TPoint ScreenToClient(const TPoint& Point);
  TAlign GetAlign() const { return FAlign; }
  void SetAlign(TAlign Value);
  TAnchors GetAnchors() const { return FAnchors; }
  void SetAnchors(TAnchors Value);
  TSizeConstraints* GetConstraints() const { return FConstraints; }
  void SetConstraints(TSizeConstraints* Value) { FConstraints->Assign(Value); }
  bool GetAutoSize() const { return FAutoSize; }
  virtual void SetAutoSize(bool Value);

  // --- Parent and order
  TWinControl* GetParent() const { return FParent; }
  virtual void SetParent(TWinControl* AParent);
  // Puts the control in front of (behind) its siblings.
  void BringToFront();
  void SendToBack();

  // --- State shown
  bool GetVisible() const { return FVisible; }
  void SetVisible(bool Value);
  void Show();
  void Hide();
  virtual bool GetEnabled() const { return FEnabled; }
  virtual void SetEnabled(bool Value);
  TColor GetColor() const { return FColor; }
  void SetColor(TColor Value);
  bool GetParentColor() const { return FParentColor; }
  void SetParentColor(bool Value);
  TFont* GetFont() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  bool GetParentFont() const { return FParentFont; }
  // A font taken from the parent is not written with the control: read back, it would be the
  // control's own.
  bool IsFontStored() const { return !FParentFont; }
  void SetParentFont(bool Value);
  // The caption of a label, button or form; the text of an edit. Setting it sends WM_SETTEXT
  // (so a windowed control's window shows it) and then CM_TEXTCHANGED.
  AnsiString GetText();
  void SetText(const AnsiString& Value);
  AnsiString GetCaption() { return GetText(); }
  void SetCaption(const AnsiString& Value) { SetText(Value); }
  Integer GetTextLen();
  Integer GetTextBuf(char* Buffer, Integer BufSize);
  void SetTextBuf(const char* Buffer);
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  AnsiString GetHint() const { return FHint; }
  void SetHint(const AnsiString& Value) { FHint = Value; }
  bool GetShowHint() const { return FShowHint; }
  void SetShowHint(bool Value);
  bool GetParentShowHint() const { return FParentShowHint; }
  void SetParentShowHint(bool Value);
  // The control's own popup menu; GetPopupMenu may be overridden to supply another.
  virtual TPopupMenu* GetPopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* Value);
  TBiDiMode GetBiDiMode() const { return FBiDiMode; }
  void SetBiDiMode(TBiDiMode Value);
  bool GetParentBiDiMode() const { return FParentBiDiMode; }
  void SetParentBiDiMode(bool Value);
  bool IsRightToLeft() const { return FBiDiMode != bdLeftToRight; }
  bool UseRightToLeftAlignment() const { return FBiDiMode == bdRightToLeft; }
  bool UseRightToLeftReading() const { return FBiDiMode != bdLeftToRight; }
  bool UseRightToLeftScrollBar() const {
    return FBiDiMode == bdRightToLeft || FBiDiMode == bdRightToLeftReadingOnly;
  }
  // DrawText flags for the reading order.
  Integer DrawTextBiDiModeFlagsReadingOnly() const { return UseRightToLeftReading() ? DT_RTLREADING : 0; }
  Integer DrawTextBiDiModeFlags(Integer Flags) const;

  // --- Painting
  // Marks the control for repainting when the messages are next processed.
  virtual void Invalidate();
  // Repaints now.
  virtual void Repaint();
  // Paints what is marked for repainting, now.
  virtual void Update();
  void Refresh() { Repaint(); }

  // --- Mouse
  bool GetMouseCapture() const { return GetCaptureControl() == this; }
  void SetMouseCapture(bool Value);
  // The action of a click: OnClick (or the action's OnExecute).
  virtual void Click();
  virtual void DblClick();

  // --- Drag and drop
  TDragMode GetDragMode() const { return FDragMode; }
  void SetDragMode(TDragMode Value) { FDragMode = Value; }
  // Starts dragging this control: at once, or when the mouse has moved Threshold pixels
  // (a negative Threshold takes the system's drag distance).
  void BeginDrag(bool Immediate, Integer Threshold = -1);
  // Ends a drag of this control, dropping it when Drop is set.
  void EndDrag(bool Drop);
  bool Dragging() const;
  // Called on the target when Source is dropped on it at (X, Y): OnDragDrop.
  virtual void DragDrop(TObject* Source, Integer X, Integer Y);
  // Called on the source when the drag has ended (Target nullptr when nothing took it).
  virtual void DoEndDrag(TObject* Target, Integer X, Integer Y);

  // --- Actions
  // An action client takes its caption, enabled state, hint, ... from the action and runs it
  // when clicked.
  TBasicAction* GetAction() const { return FAction; }
  void SetAction(TBasicAction* Value);
  // Let a focused control carry out (or update) an action that has no handler of its own,
  // such as a standard edit action. True when the control did.
  virtual bool ExecuteAction(TBasicAction* Action);
  virtual bool UpdateAction(TBasicAction* Action);

  // --- Component hooks
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* Value) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Whether the control and all its parents are visible; for a windowed control, whether its
  // window is shown.
  bool IsVisibleOnScreen() const;
  // Keeps the place of the control relative to its parent's edges (Anchors) from now on.
  void UpdateAnchorRules();

  TControlStyle ControlStyle;
  TControlState ControlState;
  THelpContext HelpContext = 0;
  AnsiString HelpKeyword;
  THelpType HelpType = htContext;

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;
  TMouseWheelEvent OnMouseWheel;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;
  TNotifyEvent OnResize;
  TCanResizeEvent OnCanResize;
  TConstrainedResizeEvent OnConstrainedResize;
  TContextPopupEvent OnContextPopup;
  TDragOverEvent OnDragOver;
  TDragDropEvent OnDragDrop;
  TEndDragEvent OnEndDrag;
  TStartDragEvent OnStartDrag;

protected:
  // The device context that a control canvas draws on; WindowHandle receives the window whose
  // DC it is.
  virtual HDC GetDeviceContext(HWND& WindowHandle);
  virtual void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual void MouseMove(TShiftState Shift, Integer X, Integer Y);
  virtual void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y);
  virtual bool DoMouseWheel(TShiftState Shift, Integer WheelDelta, TPoint MousePos);
  virtual bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos);
  virtual bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos);
  // OnContextPopup; Handled stops the popup menu.
  virtual void DoContextPopup(const TPoint& MousePos, bool& Handled);
  virtual void DragOver(TObject* Source, Integer X, Integer Y, TDragState State, bool& Accept);
  virtual void DoStartDrag();
  // OnResize.
  virtual void Resize();
  virtual bool CanResize(Integer& NewWidth, Integer& NewHeight);
  virtual bool CanAutoSize(Integer& NewWidth, Integer& NewHeight);
  virtual void ConstrainedResize(Integer& MinWidth, Integer& MinHeight, Integer& MaxWidth, Integer& MaxHeight);
  // Brings a new size within the constraints; false refuses the change.
  bool CheckNewSize(Integer& NewWidth, Integer& NewHeight);
  // Called when AutoSize is set and the content may need another size.
  virtual void AdjustSize();
  // Asks the parent to align its controls again because this one changed.
  virtual void RequestAlign();
  // Takes bounds Windows reports (a window moved or sized by itself).
  virtual void UpdateBoundsRect(const TRect& R);
  virtual void VisibleChanging() {}
  virtual void SetZOrder(bool TopMost);
  // Called by SetName; keeps a caption equal to the name while csSetCaption and not loading.
  void ChangeName(const AnsiString& NewName) override;
  // Called when the action's properties change.
  virtual void ActionChange(TBasicAction* Sender, bool CheckDefaults);
  void Loaded() override;

  void InvalidateControl(bool IsVisible, bool IsOpaque);
  void SendCancelMode();

  TWinControl* FParent = nullptr;
  Integer FLeft = 0;
  Integer FTop = 0;
  Integer FWidth = 0;
  Integer FHeight = 0;
  bool FVisible = true;
  bool FEnabled = true;
  bool FAutoSize = false;
  TAlign FAlign = alNone;
  TColor FColor = clWindow;
  TFont* FFont = nullptr;
  bool FParentFont = true;
  bool FParentColor = true;
  bool FShowHint = false;
  bool FParentShowHint = true;
  bool FParentBiDiMode = true;
  TBiDiMode FBiDiMode = bdLeftToRight;
  TCursor FCursor = crDefault;
  TDragMode FDragMode = dmManual;
  AnsiString FText;  // the caption of a windowless control, or of a windowed one without a window
  AnsiString FHint;
  TPopupMenu* FPopupMenu = nullptr;

private:
  friend class TWinControl;
  friend class TControlCanvas;
  friend class TBasicAction;

  void FontChanged(TObject* Sender);
  void ActionChanged(TObject* Sender);
  void ConstraintsChanged(TObject* Sender);
  void DoConstrainedResize(Integer& NewWidth, Integer& NewHeight);
  void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
  void DoMouseUp(TMessage& Message, TMouseButton Button);

  void WMLButtonDown(TMessage& Message);
  void WMRButtonDown(TMessage& Message);
  void WMMButtonDown(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  void WMRButtonDblClk(TMessage& Message);
  void WMMButtonDblClk(TMessage& Message);
  void WMMouseMove(TMessage& Message);
  void WMLButtonUp(TMessage& Message);
  void WMRButtonUp(TMessage& Message);
  void WMMButtonUp(TMessage& Message);
  void WMMouseWheel(TMessage& Message);
  void WMCancelMode(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void WMContextMenu(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMParentFontChanged(TMessage& Message);
  void CMParentColorChanged(TMessage& Message);
  void CMParentShowHintChanged(TMessage& Message);
  void CMParentBiDiModeChanged(TMessage& Message);
  void CMHitTest(TMessage& Message);
  void CMMouseWheel(TMessage& Message);
  void CMHintShow(TMessage& Message);
  void CMDrag(TMessage& Message);
  void CMSysColorChange(TMessage& Message);

  TAnchors FAnchors{akLeft, akTop};
  TPoint FAnchorRules;
  TPoint FOriginalParentSize;
  bool FAnchorMove = false;
  TSizeConstraints* FConstraints = nullptr;
  TBasicAction* FAction = nullptr;
};

using TControlClass = TClass;

// --- TWinControl ---------------------------------------------------------------------------------

class TWinControl : public TControl {
  CLASS_INFO(TWinControl, TControl)
public:
  explicit TWinControl(TComponent* AOwner);
  // A control whose window is a child of a window that is not a control's.
  template <class T>
  static T* CreateParented(HWND ParentWindow) {
    T* control = new T(nullptr);
    control->SetParentWindow(ParentWindow);
    return control;
  }
  ~TWinControl() override;
  void BeforeDestruction() override;

  void WndProc(TMessage& Message) override;
  void Dispatch(TMessage& Message) override;
  void DefaultHandler(TMessage& Message) override;
  // The window procedure's entry: WindowProc with exceptions stopped and device contexts
  // given back afterwards.
  void MainWndProc(TMessage& Message);

  // --- The window
  // The window, made (with the parent's) when first asked for.
  HWND GetHandle();
  bool HandleAllocated() const { return FHandle != nullptr; }
  void HandleNeeded();
  // Destroys the window (and the children's), keeping the control's state for the next one.
  void DestroyHandle();
  // Destroys the window now and makes a new one when it is next needed (after a style change).
  void RecreateWnd();
  // A window that is not a control's, used as the parent of this control's window.
  HWND GetParentWindow() const { return FParentWindow; }
  void SetParentWindow(HWND Value);
  // Draws the control and its children into DC with the top left corner at (X, Y).
  void PaintTo(HDC DC, Integer X, Integer Y);
  void PaintTo(TCanvas* Canvas, Integer X, Integer Y) { PaintTo(Canvas->GetHandle(), X, Y); }

  // --- Children
  Integer GetControlCount() const { return Integer(FControls.size() + FWinControls.size()); }
  // Windowless children first, then windowed ones, each in creation order.
  TControl* GetControls(Integer Index) const;
  TControl* ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls = false);
  bool ContainsControl(TControl* Control) const;
  void InsertControl(TControl* AControl);
  void RemoveControl(TControl* AControl);
  // Sends a message to every child.
  void Broadcast(TMessage& Message);
  // Sends a message to every child and stops at the first that answers non-zero.
  void NotifyControls(UINT Msg);
  // Alignment of the children: DisableAlign/EnableAlign bracket several changes so that the
  // children are aligned once, at the end.
  void DisableAlign() { ++FAlignLevel; }
  void EnableAlign();
  void Realign() { AlignControl(nullptr); }
  bool AlignDisabled() const { return FAlignLevel != 0; }

  // --- Focus and Tab order
  virtual bool CanFocus();
  bool Focused() const;
  virtual void SetFocus();
  TTabOrder GetTabOrder() const;
  void SetTabOrder(TTabOrder Value);
  bool GetTabStop() const { return FTabStop; }
  void SetTabStop(bool Value);
  // The next (or previous) control in Tab order after CurControl among this control's
  // descendants that can take the focus (and are tab stops when CheckTabStop; children of
  // this control only when CheckParent).
  TWinControl* FindNextControl(TWinControl* CurControl, bool GoForward, bool CheckTabStop, bool CheckParent);
  // Moves the focus to that control.
  void SelectNext(TWinControl* CurControl, bool GoForward, bool CheckTabStop);
  // The descendants in Tab order, depth first.
  virtual void GetTabOrderList(TList* List);
  void GetChildren(TGetChildProc Proc, TComponent* Root) override;

  // --- Look
  TBrush* GetBrush() const { return FBrush; }
  bool GetCtl3D() const { return FCtl3D; }
  void SetCtl3D(bool Value);
  bool GetParentCtl3D() const { return FParentCtl3D; }
  void SetParentCtl3D(bool Value);
  bool GetDoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
  Integer GetBorderWidth() const { return FBorderWidth; }
  void SetBorderWidth(Integer Value);
  bool GetShowing() const { return FShowing; }

  void SetParent(TWinControl* AParent) override;
  TRect GetClientRect() override;
  TPoint GetClientOrigin() override;
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void Invalidate() override;
  void Repaint() override;
  void Update() override;
  void ScrollBy(Integer DeltaX, Integer DeltaY);

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyPressEvent OnKeyPress;
  TKeyEvent OnKeyUp;

protected:
  // The window class and styles: WS_CHILD | WS_CLIPSIBLINGS, the tab stop, the parent, the
  // bounds and the caption; a control with csAcceptsControls also clips its children.
  virtual void CreateParams(TCreateParams& Params);
  // Takes the window class of a native control (such as "EDIT") for this control's window.
  void CreateSubClass(TCreateParams& Params, const char* ControlClassName);
  // Registers the class when needed and makes the window.
  virtual void CreateWnd();
  virtual void CreateWindowHandle(const TCreateParams& Params);
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  // CreateWnd, then the z-order among the siblings and the children's anchors.
  virtual void CreateHandle();
  // Called once the window has been made and its children created (a good place to fill a
  // native control with items kept while it had no window).
  virtual void CreateWindowHandleDone() {}

  // Children alignment: AlignControls places the children in Rect (the client area made
  // smaller by AdjustClientRect).
  virtual void AlignControls(TControl* AControl, TRect& Rect);
  virtual void AdjustClientRect(TRect& Rect);
  void AlignControl(TControl* AControl);
  virtual void ControlsAligned() {}

  // Painting: PaintHandler paints the window (PaintWindow) and then the windowless children
  // (PaintControls) on the context of a WM_PAINT.
  void PaintHandler(TMessage& Message);
  virtual void PaintWindow(HDC DC);
  void PaintControls(HDC DC, TControl* First);

  // Showing: the window exists and is shown while the control and its parents are visible.
  void UpdateShowing();
  void UpdateControlState();
  virtual void ShowControl(TControl* AControl);
  void UpdateBounds();

  // Keyboard: the key events (form's KeyPreview first); true when the key was consumed.
  bool DoKeyDown(TMessage& Message);
  bool DoKeyPress(TMessage& Message);
  bool DoKeyUp(TMessage& Message);
  virtual void KeyDown(Word& Key, TShiftState Shift);
  virtual void KeyPress(char& Key);
  virtual void KeyUp(Word& Key, TShiftState Shift);
  // Whether the key is a shortcut of a popup menu, the form's menu or the application's.
  virtual bool IsMenuKey(TMessage& Message);
  virtual void DoEnter();
  virtual void DoExit();
  // The focus left this control and all its children (for forms that clear their active control).
  void RemoveFocus(bool Removing);
  HDC GetDeviceContext(HWND& WindowHandle) override;
  void SetZOrder(bool TopMost) override;
  void AdjustSize() override;
  void Loaded() override;
  // The window that this control's window must come after (for the z-order among siblings).
  HWND PrecedingWindow(TWinControl* Control);

  HWND FHandle = nullptr;
  HWND FParentWindow = nullptr;
  WNDPROC FDefWndProc = nullptr;
  TBrush* FBrush = nullptr;
  bool FTabStop = false;
  bool FCtl3D = true;
  bool FParentCtl3D = true;
  bool FShowing = false;
  bool FDoubleBuffered = false;
  Integer FBorderWidth = 0;

private:
  friend class TControl;
  friend class TCustomForm;
  friend LRESULT CALLBACK InitWndProc(HWND, UINT, WPARAM, LPARAM);
  friend LRESULT CALLBACK UnicodeCharWndProc(HWND, UINT, WPARAM, LPARAM);

  bool DoKey(TMessage& Message, bool (TWinControl::*Preview)(TMessage&),
             void (TWinControl::*Handler)(Word&, TShiftState));
  void UpdateTabOrder(TTabOrder Value);
  void Insert(TControl* AControl);
  void Remove(TControl* AControl);
  bool IsControlMouseMsg(TMessage& Message);
  void DoControlMsg(HWND ControlHandle, TMessage& Message, bool& Handled);
  void InvalidateFrame();

  void WMPaint(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMCommand(TMessage& Message);
  void WMNotify(TMessage& Message);
  void WMDrawItem(TMessage& Message);
  void WMMeasureItem(TMessage& Message);
  void WMCompareItem(TMessage& Message);
  void WMDeleteItem(TMessage& Message);
  void WMCharToItem(TMessage& Message);
  void WMScroll(TMessage& Message);
  void WMCtlColor(TMessage& Message);
  void CNCtlColor(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMMove(TMessage& Message);
  void WMWindowPosChanged(TMessage& Message);
  void WMSetCursor(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMKeyDown(TMessage& Message);
  void WMKeyUp(TMessage& Message);
  void WMChar(TMessage& Message);
  void WMSysKeyDown(TMessage& Message);
  void WMSysKeyUp(TMessage& Message);
  void WMSysChar(TMessage& Message);
  void WMSysCommand(TMessage& Message);
  void WMContextMenu(TMessage& Message);
  void WMNCDestroy(TMessage& Message);
  void WMMouseLeave(TMessage& Message);
  void CNKeyDown(TMessage& Message);
  void CNKeyUp(TMessage& Message);
  void CNChar(TMessage& Message);
  void CNSysKeyDown(TMessage& Message);
  void CNSysChar(TMessage& Message);
  void CMEnter(TMessage& Message);
  void CMExit(TMessage& Message);
  void CMDialogKey(TMessage& Message);
  void CMDialogChar(TMessage& Message);
  void CMFocusChanged(TMessage& Message);
  void CMShowingChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMEnabledChanged(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMParentCtl3DChanged(TMessage& Message);
  void CMCtl3DChanged(TMessage& Message);
  void CMSysColorChange(TMessage& Message);
  void CMInvalidate(TMessage& Message);
  void CMBiDiModeChanged(TMessage& Message);
  void CMShowHintChanged(TMessage& Message);
  void CMRecreateWnd(TMessage& Message);
  void CMTabStopChanged(TMessage& Message);
  void CMChildKey(TMessage& Message);

  std::vector<TControl*> FControls;     // windowless children
  std::vector<TWinControl*> FWinControls;
  std::vector<TWinControl*> FTabList;
  WNDPROC FObjectInstance = nullptr;
  // For a window with UnicodeChars: whether it has them, and the window procedure under the
  // Unicode one (the object instance, reached through the system's conversion to ANSI).
  bool FUnicodeChars = false;
  WNDPROC FAnsiWndProc = nullptr;
  Integer FAlignLevel = 0;
  bool FTrackingMouse = false;
};

// --- Painted controls ---------------------------------------------------------------------------

// A windowless control: it paints on its parent's window, inside its own rectangle.
class TGraphicControl : public TControl {
  CLASS_INFO(TGraphicControl, TControl)
public:
  explicit TGraphicControl(TComponent* AOwner);
  ~TGraphicControl() override;
  void Dispatch(TMessage& Message) override;
  TCanvas* GetCanvas() const { return FCanvas; }

protected:
  // Draws the control on Canvas, with (0, 0) its top left corner.
  virtual void Paint() {}

private:
  void WMPaint(TMessage& Message);
  TCanvas* FCanvas;
};

// A windowed control that paints itself.
class TCustomControl : public TWinControl {
  CLASS_INFO(TCustomControl, TWinControl)
public:
  explicit TCustomControl(TComponent* AOwner);
  ~TCustomControl() override;
  TCanvas* GetCanvas() const { return FCanvas; }

protected:
  // Draws the client area on Canvas.
  virtual void Paint() {}
  void PaintWindow(HDC DC) override;

private:
  TCanvas* FCanvas;
};

// --- Hint window ------------------------------------------------------------------------------------

// The small yellow window that shows a hint.
class THintWindow : public TCustomControl {
  CLASS_INFO(THintWindow, TCustomControl)
public:
  explicit THintWindow(TComponent* AOwner);
  // Shows the hint text in Rect (screen coordinates), moved onto the screen when needed.
  virtual void ActivateHint(TRect Rect, const AnsiString& AHint);
  // The size the window needs for the text, at most MaxWidth wide, at (0, 0).
  virtual TRect CalcHintRect(Integer MaxWidth, const AnsiString& AHint, void* AData);
  // Hides the window.
  void ReleaseHandle();
  bool IsHintMsg(const MSG& Msg);

protected:
  void CreateParams(TCreateParams& Params) override;
  void Paint() override;
  void Dispatch(TMessage& Message) override;
};

// --- The mouse -------------------------------------------------------------------------------------

class TMouse {
public:
  TPoint GetCursorPos() const;
  void SetCursorPos(const TPoint& Value);
  HWND GetCapture() const { return ::GetCapture(); }
  void SetCapture(HWND Value);
  bool GetDragImmediate() const { return FDragImmediate; }
  void SetDragImmediate(bool Value) { FDragImmediate = Value; }
  Integer GetDragThreshold() const { return FDragThreshold; }
  void SetDragThreshold(Integer Value) { FDragThreshold = Value; }
  bool GetMousePresent() const { return ::GetSystemMetrics(SM_MOUSEPRESENT) != 0; }
  bool GetWheelPresent() const { return ::GetSystemMetrics(SM_MOUSEWHEELPRESENT) != 0; }
  Integer GetWheelScrollLines() const;

private:
  bool FDragImmediate = true;
  Integer FDragThreshold = 5;
};

extern TMouse* Mouse;
