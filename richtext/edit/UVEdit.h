// The rich-text editor: the viewer turned into a control the user types into. Its document is an
// editor's document (TUVEditUVData), which does every edit; the control adds the keyboard map,
// the Windows edit messages, pasting with the choice among the clipboard's formats, input-method
// results, undo and redo, the read-only mode and the editing events. While a table cell is edited
// in place, most operations are handed to the editor laid over the cell, however deep.
// VUzurUvadEdit is the same control with its properties published, as forms place it.
#pragma once

#include "richtext/core/UzurUvad.h"
#include "richtext/edit/UVEUVData.h"

class TGraphic;

// Where the caret could not go (OnCaretGetOut): backward and forward are Left and Right in a
// left-to-right document.
enum TUVGetOutDirection { uvcgoBackward, uvcgoUp, uvcgoForward, uvcgoDown, uvcgoHome, uvcgoEnd };

using TUVStyleConversionEvent =
    Closure<void(TObject* Sender, Integer StyleNo, Integer UserData, bool AppliedToText, Integer& NewStyleNo)>;
using TUVPasteEvent = Closure<void(TObject* Sender, bool& DoDefault)>;
using TUVOnCaretGetOutEvent = Closure<void(TObject* Sender, TUVGetOutDirection Direction)>;

// Messages the editor posts to itself: undo (redo) once the in-place editor is closed.
constexpr UINT WM_UVUNDO = WM_USER + 13;
constexpr UINT WM_UVREDO = WM_USER + 14;

// Option bits of SearchText.
enum : Integer { uvsoMatchCase = 1, uvsoDown = 2, uvsoWholeWords = 4 };

// The system calls the editor makes for refusals and input methods, replaceable (tests record
// them); the system's functions by default.
extern decltype(&::MessageBeep) UVMessageBeep;
using TUVImmGetCompositionStringW = LONG(WINAPI*)(HIMC, DWORD, LPVOID, DWORD);
using TUVImmSetCompositionWindow = BOOL(WINAPI*)(HIMC, LPCOMPOSITIONFORM);
using TUVImmSetCompositionFontA = BOOL(WINAPI*)(HIMC, LPLOGFONTA);
extern TUVImmGetCompositionStringW UVImmGetCompositionStringW;
extern TUVImmSetCompositionWindow UVImmSetCompositionWindow;
extern TUVImmSetCompositionFontA UVImmSetCompositionFontA;
extern decltype(&::GetKeyboardLayout) UVGetKeyboardLayout;

// The folder that relative links of HTML on the clipboard lead to, from its "SourceURL:" line:
// "C:\dir\" for "file:///C:/dir/page.htm" (escapes decoded), "\\host\share\" for
// "file://host/share/page.htm", "http://host/dir/" for "http://host/dir/page.htm"; empty without
// the line.
AnsiString UVHTMLClipboardBasePath(const AnsiString& HTMLClipboardText);

class TCustomUzurUvadEdit : public TCustomUzurUvad {
  CLASS_INFO(TCustomUzurUvadEdit, TCustomUzurUvad)
public:
  explicit TCustomUzurUvadEdit(TComponent* AOwner);
  ~TCustomUzurUvadEdit() override;

  TUVEditUVData* GetEditData() const { return static_cast<TUVEditUVData*>(FData); }
  // The editor laid over a table cell being edited inside this one, or none.
  TCustomUzurUvadEdit* GetInplaceEdit() const;
  // The editor that holds the caret: this one, or the innermost editor laid over a cell.
  TCustomUzurUvadEdit* GetTopLevelEditor();

  // --- Whether a change may happen, and telling about it
  // False (with a beep) while read-only, without a style sheet or, unless Forced, while the
  // document is busy with an operation; otherwise an empty document gets its first item and
  // OnChanging fires.
  bool CanChange(bool Forced = false);
  // The document was changed: modified, the redo list dropped when asked, OnChange.
  void NotifyChanged(bool ClearRedo);
  // While above 0, OnChange and OnChanging are not fired (for callers that batch changes).
  void LockChangeNotifications() { ++FChangeLock; }
  void UnlockChangeNotifications() { --FChangeLock; }
  Integer GetChangeLock() const { return FChangeLock; }
  bool GetModified() const { return FModified; }
  void SetModified(bool Value) { FModified = Value; }

  // --- Inserting (each replaces the selection and is one undoable change)
  bool CanInsertHere();
  // Opens the insertion's undo action and deletes the selection; false (with a beep) when the
  // insertion is refused.
  bool PrepareInsertion();
  void FinishInsertion(bool Inserted);
  // The editor owns the item afterwards; a refused item is freed.
  bool InsertItem(const AnsiString& Name, TCustomUVItemInfo* Item);
  bool InsertText(const AnsiString& Text, bool CaretBefore = false);
  // UTF-16 text; a non-Unicode current text style first gives way to the default Unicode style.
  bool InsertUnicodeText(const WideString& Text, bool CaretBefore = false);
  // Takes ownership of Graphic.
  bool InsertGraphic(const AnsiString& Name, TGraphic* Graphic, Byte VAlign);
  bool InsertUVFStream(TStream* Stream);
  bool InsertRTFStream(TStream* Stream);

  // --- Deleting and the clipboard
  void DeleteSelected();
  void CutSelectionToClipboard();
  // Pastes the first format the clipboard offers of: UVF, RTF, Unicode text, text, a bitmap, a
  // metafile.
  void Paste();
  bool CanPaste();

  // --- Undo and redo
  void Undo();
  void Redo();
  bool CanUndo();
  bool CanRedo();
  void ClearUndoLists();
  Integer GetUndoLimit() const { return GetEditData()->UndoList->GetLimit(); }
  void SetUndoLimit(Integer Value) { GetEditData()->UndoList->SetLimit(Value); }

  // --- Styles
  void ApplyParagraphStyle(Integer ParaNo);
  // Through OnStyleConversion (OnParaStyleConversion); nothing without the handler.
  void ConvertTextStyles(Integer UserData);
  void ConvertParagraphStyles(Integer UserData);
  Integer GetCurTextStyleNo();
  Integer GetCurParaStyleNo();
  void SetCurrentTextStyle(Integer StyleNo);
  void SetCurrentParaStyle(Integer ParaNo);
  // The style sheet's default Unicode style becomes the current text style when the current one
  // is not Unicode.
  void SwitchToUnicodeTextStyle();

  // --- The caret and searching
  TCustomUVItemInfo* GetItemAtCaret();
  Integer GetCurItemNo() { return GetTopLevelEditor()->GetEditData()->GetCurItemNo(); }
  Integer GetOffsetInCurItem() { return GetTopLevelEditor()->GetEditData()->GetOffsetInCurItem(); }
  // From the caret; Options: uvsoMatchCase, uvsoDown, uvsoWholeWords. True when found (and selected).
  bool SearchText(const AnsiString& Text, Integer Options);
  using TCustomUzurUvad::SearchText;

  // --- Properties
  bool GetReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool Value);
  TUVEditorOptions GetEditorOptions() const { return FEditorOptions; }
  void SetEditorOptions(TUVEditorOptions Value) { FEditorOptions = Value; }
  // Only uvtnNone: an editor has no Tab navigation among hyperlinks.
  void SetTabNavigation(TUVTabNavigationType Value) override;
  void AssignEvents(TCustomUzurUvad* Source) override;
  void ClearFormattingData() override;
  // Scrolling takes the system caret along.
  void ScrollToPosition(Integer Position, bool Redraw) override;
  void ScrollToHPosition(Integer X) override;

  // --- Events
  TNotifyEvent OnCurParaStyleChanged;
  TNotifyEvent OnCurTextStyleChanged;
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;
  TNotifyEvent OnCaretMove;
  TUVStyleConversionEvent OnStyleConversion;
  TUVStyleConversionEvent OnParaStyleConversion;
  TUVPasteEvent OnPaste;
  TUVOnCaretGetOutEvent OnCaretGetOut;

protected:
  // The editor's window takes characters as UTF-16 (see CMUnicodeChar).
  void CreateParams(TCreateParams& Params) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void KeyUp(Word& Key, TShiftState Shift) override;
  void KeyPress(char& Key) override;
  void Dispatch(TMessage& Message) override;

private:
  friend class TUVEditorData;

  // What the document tells its control.
  void DataChanged();
  void DataCurTextStyleChanged();
  void DataCurParaStyleChanged();
  void DataCaretMoved();
  void DataStyleConversion(Integer StyleNo, Integer UserData, bool AppliedToText, Integer& NewStyleNo);

  void Beep() { GetEditData()->Beep(); }
  void UndoOrRedo(bool Redo);
  void ConvertStyles(Integer UserData, bool Para);
  // Undoes (redoes) this editor's last action; a beep when there is none.
  void PerformLastAction(bool Redo);
  bool IsBeingDestroyed() const;
  // The key map after the undo shortcuts and the viewer's keys: true when the key was a
  // movement key (handled here).
  bool MoveCaretByKey(Word Key, bool Shift, bool Ctrl);
  void CaretGetOut(TUVGetOutDirection Direction);
  // A key of a Unicode current text style typed as the keyboard layout gives it; true when it
  // was consumed.
  bool TranslateUnicodeKey(Word Key, LPARAM KeyData);
  void PasteHTMLBasePath(bool Set);
  void SetJumpMode(bool On);

  void WMKeyDown(TMessage& Message);
  void WMSysChar(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMInputLangChange(TMessage& Message);
  void WMCanPaste(TMessage& Message);
  void WMImeStartComposition(TMessage& Message);
  void WMImeComposition(TMessage& Message);
  void WMUndoFromInplace(TMessage& Message, bool Redo);
  // A typed UTF-16 unit: a character the ANSI code page cannot hold (the two halves of one
  // outside the Basic Multilingual Plane joined) is typed as UTF-16; the others go on as
  // WM_CHAR to KeyPress, as they always did.
  void CMUnicodeChar(TMessage& Message);

  bool FReadOnly = false;
  TUVEditorOptions FEditorOptions{uvoClearTagOnStyleApp};
  bool FModified = false;
  Integer FChangeLock = 0;
  // The conversion event of the style conversion under way.
  TUVStyleConversionEvent FPendingConversion;
  // Set when Alt+Backspace undid or redid: its system character that follows is swallowed.
  bool FSwallowSysChar = false;
  // The first half of a character outside the Basic Multilingual Plane, waiting for its second.
  WideChar FHighSurrogate = 0;
};

class VUzurUvadEdit : public TCustomUzurUvadEdit {
  CLASS_INFO(VUzurUvadEdit, TCustomUzurUvadEdit)
public:
  explicit VUzurUvadEdit(TComponent* AOwner) : TCustomUzurUvadEdit(AOwner) {}
};

// Forms name the editor by its class: every program that includes this header links the editor
// and has it registered.
namespace uvedit_detail {
bool RegisterClasses();
static const bool registered = RegisterClasses();
}  // namespace uvedit_detail
