// The owner-drawn single-line edit of the component set. It keeps its own text, caret, selection,
// horizontal scroll offset and undo and redo records, paints itself inside its bevel, answers the
// system edit's messages itself (so code that sends it edit messages works as with a system
// edit), and offers its own context menu. TVisCustomEdit (controls/VisCustomEdit.h) paints the
// text and places the caret; the mask and spin edits build on that.
//
// Indexes of the caret and the selection are 1-based (the caret before the first character is
// 1); the edit messages speak 0-based positions, as the system edit does. Every change of the
// text goes through one primitive, ReplaceSelection, which records the change for undo.
#pragma once

#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "classlib/Strings.h"
#include "controls/VisCaret.h"
#include "controls/VisDynLIFOBuffer.h"
#include "controls/VisPanel.h"

class TVis3DCaption;

using TVisTextChangedAtEvent = Closure<void(TObject* Sender, Integer Position)>;

// Where the companion control of an edit sits.
enum TVisBoundPosition { bpAbove, bpBelow, bpLeft, bpRight };

// The bits of VisApplication's ShiftFlags that the edits keep at each key event.
constexpr Byte vsfInsert = 1;
constexpr Byte vsfShift = 2;
constexpr Byte vsfCtrl = 4;
constexpr Byte vsfAlt = 8;

// The captions of the edit's own context menu.
AnsiString VisEditMenuCaption(UINT Id);
constexpr UINT SVisEditInsert = 65274;
constexpr UINT SVisEditCopy = 65275;
constexpr UINT SVisEditCut = 65276;
constexpr UINT SVisEditUndo = 65277;
constexpr UINT SVisEditSelectAll = 65278;
constexpr UINT SVisEditDelete = 65279;

class TVisBaseEdit : public TVisCustomBevelPanel {
  CLASS_INFO(TVisBaseEdit, TVisCustomBevelPanel)
public:
  // 21 pixels high, white, an I-beam cursor, a tab stop, the bevel in bmWindows.
  explicit TVisBaseEdit(TComponent* AOwner);
  ~TVisBaseEdit() override;
  void Dispatch(TMessage& Message) override;
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  // The companion control follows the edit.
  void SetBounds(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight) override;
  void SetParent(TWinControl* AParent) override;

  // --- Text and selection
  const AnsiString& GetEditText() const { return FEditText; }
  Integer GetCaretIndex() const { return FCaretIndex; }
  // Clamped to 1 .. length + 1; the selection follows by the selection rule (Shift held or a
  // mouse selection extends it), then the caret is placed and OnCursorPosChanged fires.
  void SetCaretIndex(Integer Value);
  Integer GetSelStart() const { return FSelStart; }
  void SetSelStart(Integer Value);
  Integer GetSelLength() const { return FSelLength; }
  // A change repaints the text.
  void SetSelLength(Integer Value);
  AnsiString GetSelText() const;
  // The system edit's way: a reversed range is swapped, -1 means the end, both are clamped to
  // the text; Start -1 removes the selection. Positions are 0-based.
  void SetSelection(Integer Start, Integer End);
  void SelectAll();
  // The word at the caret, inside an update lock.
  virtual void SelectWord();
  // The one editing primitive: replaces the selection by Value (see the source for the steps).
  void ReplaceSelection(const AnsiString& Value);

  // --- Undo and clipboard
  // The newest change undone; it can be redone.
  void Undo();
  // The change undone last applied again.
  void Redo();
  // Empties both stores.
  void ClearUndo();
  bool CanUndo() const { return FUndoAvailable; }
  bool CanRedo() const { return FRedoAvailable; }
  TVisDynLIFOBuffer* GetUndoBuffer() const { return FUndoBuffer; }
  TVisDynLIFOBuffer* GetRedoBuffer() const { return FRedoBuffer; }
  virtual void CopyToClipboard();
  virtual void CutToClipboard();
  virtual void PasteFromClipboard();
  // The selection deleted.
  virtual void ClearSelection();
  // The whole text deleted (select all, then delete).
  virtual void Clear();

  // --- Properties
  TVisCaret* GetCaret() const { return FCaret; }
  void SetCaret(TVisCaret* Value);
  TVis3DCaption* GetFont3D() const { return FFont3D; }
  void SetFont3D(TVis3DCaption* Value);
  Integer GetMaxLength() const { return FMaxLength; }
  void SetMaxLength(Integer Value) { FMaxLength = Value; }
  TColor GetHighlightText() const { return FHighlightText; }
  void SetHighlightText(TColor Value) { FHighlightText = Value; }
  TColor GetHighlightBack() const { return FHighlightBack; }
  void SetHighlightBack(TColor Value) { FHighlightBack = Value; }
  // The shared Boolean setter: 0 HideSelection, 1 read-only, 2 modified (a change fires
  // OnModified), 4 AutoSelect, 5 OEMConvert, 6 FocusOnMouseAbove.
  void SetFlag(Integer Index, bool Value);
  bool GetHideSelection() const { return FHideSelection; }
  void SetHideSelection(bool Value) { SetFlag(0, Value); }
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value) { SetFlag(1, Value); }
  bool GetModified() const { return FModified; }
  void SetModified(bool Value) { SetFlag(2, Value); }
  bool GetAutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool Value) { SetFlag(4, Value); }
  bool GetOEMConvert() const { return FOEMConvert; }
  void SetOEMConvert(bool Value) { SetFlag(5, Value); }
  bool GetFocusOnMouseAbove() const { return FFocusOnMouseAbove; }
  void SetFocusOnMouseAbove(bool Value) { SetFlag(6, Value); }
  TEditCharCase GetCharCase() const { return FCharCase; }
  void SetCharCase(TEditCharCase Value) { FCharCase = Value; }
  // Clipboard keys, Backspace and Delete are honoured only while set.
  bool GetKeyboardEditing() const { return FKeyboardEditing; }
  void SetKeyboardEditing(bool Value) { FKeyboardEditing = Value; }
  bool GetSelectionEnabled() const { return FSelectionEnabled; }
  void SetSelectionEnabled(bool Value) { FSelectionEnabled = Value; }
  bool GetTextDragging() const { return FTextDragAllowed; }
  void SetTextDragging(bool Value) { FTextDragAllowed = Value; }
  // The characters that end words (Ctrl+Left, Ctrl+Right, double click); the blank at first.
  TCharSet& WordDelimiters() { return FWordDelimiters; }
  TAlignment GetAlignment() const { return FAlignment; }
  void SetAlignment(TAlignment Value);

  // The companion control (a label, say) placed beside the edit by Position, Spacing pixels away,
  // shown, hidden and moved to another parent with it.
  TControl* GetBoundControl() const { return FBoundControl; }
  void SetBoundControl(TControl* Value);
  TVisBoundPosition GetBoundPosition() const { return FBoundPosition; }
  void SetBoundPosition(TVisBoundPosition Value);
  Integer GetBoundSpacing() const { return FBoundSpacing; }
  void SetBoundSpacing(Integer Value);

  // --- Layout (what lies where in the client area)
  const TRect& GetFrameRect() const { return FFrameRect; }
  const TRect& GetTextRect() const { return FTextRect; }
  const TRect& GetInnerRect() const { return FInnerRect; }
  Integer GetScrollOffset() const { return FScrollOffset; }
  bool GetBuffered() const { return FBuffered; }
  void SetBuffered(bool Value) { FBuffered = Value; }
  bool GetFreeBufferOnExit() const { return FFreeBufferOnExit; }
  void SetFreeBufferOnExit(bool Value) { FFreeBufferOnExit = Value; }
  // The off-screen picture painted through while focused; nullptr otherwise.
  TBitmap* GetBufferBitmap() const { return FBufferBitmap; }
  bool GetSelectionHidden() const { return FSelectionHidden; }
  // Layout and change notification wait while locked; the last unlock repaints the text.
  void LockUpdate() { ++FUpdateLock; }
  void UnlockUpdate();

  // --- Hooks of the edit, in the order of their slots
  virtual void Layout();
  virtual void LayoutBuffered();
  virtual void AlignmentChanged() {}
  virtual void PlaceCaret() = 0;
  // Whether Backspace over a selection removes an inline-completed tail and the character typed last.
  virtual bool AutoCompleteActive() { return false; }
  // After the text was replaced by Text or WM_SETTEXT.
  virtual void TextReplaced() = 0;
  // After the text was read.
  virtual void TextRead() = 0;
  // Repaints the whole text area (Position is the caret index or -1, and is not used).
  virtual void PaintText(Integer Position) = 0;
  // The caret index for a client x.
  virtual Integer CharFromX(Integer X) = 0;
  // The canvas height of Text, with the shadow of shadowed 3D styles.
  virtual Integer TextHeightOf(const AnsiString& Text);
  // Places the caret, then OnCursorPosChanged.
  virtual void CaretMoved();
  // Repaints, then (unless loading) OnTextChangedAt with the position and OnChange.
  virtual void Changed(Integer Position);
  virtual void BeforeChange() {}
  virtual void AfterChange() {}
  // Before the deletion and the insertion of a change, at Position; the insertion may change Text.
  virtual void InsertHook(Integer, AnsiString&) {}
  virtual void DeleteHook(Integer, const AnsiString&) {}
  virtual void EraseTextBackground(const TRect& Rect);
  // Not read-only; descendants add conditions.
  virtual bool CanModify();
  // Whether the clipboard may take or give the text.
  virtual bool ClipboardAllowed() { return true; }
  // Draws with the visual styles and is Flat.
  virtual bool ThemedFlat();
  // Whether entering repaints the text.
  virtual bool RepaintOnEnter() { return false; }
  virtual void AfterLayout() {}
  // Descendants reserve strips of the text rectangle here.
  virtual void AdjustTextRect(TRect&) {}
  virtual void AdjustFrameRect(TRect& Rect);
  // The client x of the boundary after the first Count characters (EM_POSFROMCHAR).
  virtual Integer PosFromChar(Integer Count);
  // The smaller of Size and the selection's length; the selected text goes into Buffer.
  virtual Integer GetSelTextBuf(char* Buffer, Integer Size);

  // From the control bases.
  void GetChange(TObject* Sender) override;
  bool ThemeParentBackground() override { return false; }
  bool UseThemeAtThisLevel() override { return true; }
  // Drawn with the visual styles: the styles' edit background (frame included) over the client
  // area; otherwise the panel's background.
  void PaintBackground(TCanvas* Canvas) override;
  void BackFXChanged(TObject* Sender) override;
  bool IsReadOnly() override { return FReadOnly; }
  // Takes the focus when FocusOnMouseAbove.
  void MouseEnter() override;

  // Moves the system caret to (X, Y), lower for the underline styles.
  void SetCaretPosition(Integer X, Integer Y);
  // The canvas the text is painted on: the off-screen picture's while buffered, else the
  // control's, with the control's font.
  TCanvas* DrawingCanvas();

  AnsiString About;
  TVisTextChangedAtEvent OnTextChangedAt;
  TNotifyEvent OnModified;
  TNotifyEvent OnChange;
  TNotifyEvent OnCursorPosChanged;

protected:
  void CreateWnd() override;
  void Paint() override;
  // Drawn with the visual styles in bmWindows the background holds the frame; otherwise the panel's.
  void PaintBorder(TCanvas* Canvas) override;
  void RedrawBorder() override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void ChangeName(const AnsiString& NewName) override;

  // The edit's own key handling after the key event (a key set to 0 is consumed).
  virtual void EditKeyDown(Word& Key);
  // A typed character that passed the key event: inserted from code 32 up, in CharCase.
  virtual void EditChar(char Key);
  // The built-in context menu at a screen point.
  virtual void ShowEditMenu(const TPoint& ScreenPoint);
  // Focus changes; the mask and spin edits add to them.
  virtual void DoFocusGain();
  virtual void DoFocusLoss();

  // Sets the caret without running the selection rule.
  void MoveCaretQuietly(Integer Index);
  // Lays out the rectangles now.
  void DoLayout();
  // The edit frame of the visual styles drawn into Rect of Canvas (Client is the whole client
  // area); false without themes.
  bool DrawThemedFrame(TCanvas* Canvas, const TRect& Client);
  // The height of "Qp" in the control's font, which the caret takes.
  Integer CaretTextHeight();

  TRect FFrameRect;
  TRect FTextRect{-1, -1, -1, -1};
  TRect FInnerRect;
  Integer FScrollOffset = 0;
  Integer FUpdateLock = 0;
  bool FSelectionHidden = false;

private:
  struct UndoRecord;
  // Paste is an edit that is refused whole (with a beep) when its text does not fit MaxLength.
  enum class ChangeKind { Edit, Paste, Undo, Redo };

  void ReplaceSelectionAs(const AnsiString& Value, ChangeKind Kind);
  void ApplyRecord(ChangeKind Kind);
  void FreeUndoRecord(TObject* Sender, void* Block);
  void RunSelectionRule(Integer Previous);
  void RecordShiftFlags(Word Key, bool Down);
  void ReplaceText(const AnsiString& Value);
  void PlaceCaretAt(Integer X);
  void ScrollTick(TObject* Sender);
  void StopScrollTimer();
  void EndTextDrag();
  void PlaceBoundControl();
  void WordLeft();
  void WordRight();
  bool IsDelimiter(Integer Index) const;

  void WMSetText(TMessage& Message);
  void WMGetText(TMessage& Message);
  void WMGetTextLength(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMSize(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMChar(TMessage& Message);
  void WMLButtonDblClk(TMessage& Message);
  void CMFontChanged(TMessage& Message);
  void CMVisibleChanged(TMessage& Message);
  void CMBiDiModeChanged(TMessage& Message);
  void EditMessage(TMessage& Message);

  TVisCaret* FCaret;
  bool FRedoing = false;
  bool FUndoing = false;
  bool FUndoAvailable = true;
  bool FRedoAvailable = false;
  bool FKeyboardEditing = true;
  TVis3DCaption* FFont3D;
  Integer FMaxLength = 0;
  Integer FSelLength = 0;
  TVisDynLIFOBuffer* FUndoBuffer;
  TVisDynLIFOBuffer* FRedoBuffer;
  TColor FHighlightText = clHighlightText;
  TColor FHighlightBack = clHighlight;
  bool FFocusOnMouseAbove = false;
  bool FOEMConvert = false;
  bool FAutoSelect = false;
  bool FModified = false;
  bool FReadOnly = false;
  bool FHideSelection = true;
  TEditCharCase FCharCase = ecNormal;
  AnsiString FEditText;
  Integer FCaretIndex = 1;
  Integer FSelStart = 1;

  bool FMouseDown = false;
  // A mouse move with the button held, or a scroll tick over a selection, extends the selection.
  bool FMouseSelecting = false;
  bool FTextDragging = false;
  TCursor FSavedCursor = crDefault;
  bool FTextDragAllowed = true;
  bool FSelectionEnabled = true;
  bool FUpdatingSelection = false;
  TCharSet FWordDelimiters{' '};
  TControl* FBoundControl = nullptr;
  TVisBoundPosition FBoundPosition = bpAbove;
  Integer FBoundSpacing = 3;
  Word FScrollTimer = 0;
  TPoint FLastMouse;

  TAlignment FAlignment = taLeftJustify;
  bool FBuffered = true;
  bool FFreeBufferOnExit = true;
  TBitmap* FBufferBitmap = nullptr;
};
