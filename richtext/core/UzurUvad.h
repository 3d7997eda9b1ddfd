// The read-only rich-text viewer: a scrolling control that shows a formatted document. The
// program fills it (Clear, AddNL, Add, AddCheckpoint, then Format), and the user scrolls, selects
// with the mouse, copies (Ctrl+C), follows hyperlinks and moves among hyperlinks and controls
// with Tab. Almost every operation is the document's (VUzurUvadUVData); the control decides its
// defaults, the auto-scroll timer while selecting, the mouse, keyboard and focus handling, the
// messages nested editors post to it, how files are loaded and saved, and what it paints
// without a style sheet. VUzurUvad is the same control with its properties published, as forms
// place it.
#pragma once

#include <vector>

#include "classlib/Menus.h"
#include "richtext/core/UVBack.h"
#include "richtext/core/UVScroll.h"
#include "richtext/core/UVUVData.h"

class TUVStyle;
class TUVRTFReaderProperties;
class TCustomUzurUvad;

// The kinds of records nested editors post to the root viewer (WM_USER+15, the record in
// wParam).
enum : Byte {
  uvmkDblClick = 0,
  uvmkJump = 1,
  uvmkMouseUp = 2,
  uvmkMouseDown = 3,
  uvmkClick = 4,
  uvmkDblClickControl = 5,
  uvmkMouseMove = 6,
  uvmkDragDrop = 7,
  uvmkEndDrag = 8,
};

// The message that carries a record.
constexpr UINT WM_UVEVENT = WM_USER + 15;

// A record posted to a viewer (TCustomUzurUvad::PostUVEvent); the viewer frees it once handled.
// Kinds above 8 are only freed.
class TUVMessageData : public TObject {
  CLASS_INFO(TUVMessageData, TObject)
public:
  explicit TUVMessageData(Byte AKind = uvmkClick) : Kind(AKind) {}
  Byte Kind;
};

class TUVClickMessageData : public TUVMessageData {
  CLASS_INFO(TUVClickMessageData, TUVMessageData)
public:
  using TUVMessageData::TUVMessageData;
};

class TUVDblClickMessageData : public TUVMessageData {
  CLASS_INFO(TUVDblClickMessageData, TUVMessageData)
public:
  TUVDblClickMessageData() : TUVMessageData(uvmkDblClick) {}
  AnsiString ClickedWord;
  Integer Style = 0;
};

class TUVJumpMessageData : public TUVMessageData {
  CLASS_INFO(TUVJumpMessageData, TUVMessageData)
public:
  TUVJumpMessageData() : TUVMessageData(uvmkJump) {}
  Integer Id = 0;
};

class TUVMouseMoveMessageData : public TUVMessageData {
  CLASS_INFO(TUVMouseMoveMessageData, TUVMessageData)
public:
  explicit TUVMouseMoveMessageData(Byte AKind = uvmkMouseMove) : TUVMessageData(AKind) {}
  Integer X = 0;
  Integer Y = 0;
  Integer ItemNo = -1;
  TShiftState Shift;
};

class TUVMouseUpDownMessageData : public TUVMouseMoveMessageData {
  CLASS_INFO(TUVMouseUpDownMessageData, TUVMouseMoveMessageData)
public:
  explicit TUVMouseUpDownMessageData(Byte AKind = uvmkMouseUp) : TUVMouseMoveMessageData(AKind) {}
  TMouseButton Button = mbLeft;
};

class TUVDNDMessageData : public TUVMessageData {
  CLASS_INFO(TUVDNDMessageData, TUVMessageData)
public:
  explicit TUVDNDMessageData(Byte AKind = uvmkDragDrop) : TUVMessageData(AKind) {}
  Integer X = 0;
  Integer Y = 0;
  TObject* Obj = nullptr;  // the drag source (drop) or target (end of drag); not owned
};

// The events of the viewer that nothing else declares.
using TUVPaintEvent = Closure<void(TObject* Sender, TCanvas* Canvas, bool Prepaint)>;
using TUVCheckpointVisibleEvent = Closure<void(TObject* Sender, TUVCPInfo* CheckpointData)>;
using TUVURLNeededEvent = Closure<void(TObject* Sender, Integer Id, AnsiString& URL)>;
using TUVReadHyperlink = Closure<void(TObject* Sender, const AnsiString& Target, const AnsiString& Extras,
                                      Integer DocFormat, Integer& StyleNo, TUVTag& ItemTag, AnsiString& ItemName)>;
using TUVSaveComponentToFileEvent = Closure<void(TObject* Sender, const AnsiString& Path, TControl* SaveMe,
                                                 Integer SaveFormat, AnsiString& OutStr)>;
using TUVSaveRTFExtraEvent = Closure<void(TObject* Sender, Integer Area, TPersistent* Obj, Integer Index1,
                                          Integer Index2, bool InStyleSheet, AnsiString& RTFCode)>;
using TUVSaveHTMLExtraEvent = Closure<void(TObject* Sender, Integer Area, bool CSSVersion, AnsiString& HTMLCode)>;
using TUVHTMLSaveImageEvent =
    Closure<void(TObject* Sender, TCustomUVData* UVData, Integer ItemNo, const AnsiString& Path, TColor BackgroundColor,
                 AnsiString& Location, bool& DoDefault)>;
using TUVFPictureNeededEvent = Closure<void(TObject* Sender, const AnsiString& Name, TUVTag Tag, TGraphic*& gr)>;
using TUVFControlNeededEvent = Closure<void(TObject* Sender, const AnsiString& Name, TUVTag Tag, TControl*& ctrl)>;
using TUVFImageListNeededEvent = Closure<void(TObject* Sender, Integer ImageListTag, TCustomImageList*& il)>;
using TUVControlActionEvent =
    Closure<void(TObject* Sender, TUVControlAction ControlAction, Integer ItemNo, TControl*& ctrl)>;
using TUVItemActionEvent = Closure<void(TObject* Sender, TUVItemAction ItemAction, TCustomUVItemInfo* Item,
                                        AnsiString& Text, TCustomUVData* UVData)>;

// How a derived control's document is made: C++ calls no derived virtual function from a
// constructor, so a derived control hands its document class to the protected constructor.
using TUVDataClass = VUzurUvadUVData* (*)(TCustomUzurUvad* Viewer);

class TCustomUzurUvad : public TUVScroller {
  CLASS_INFO(TCustomUzurUvad, TUVScroller)
public:
  explicit TCustomUzurUvad(TComponent* AOwner);
  ~TCustomUzurUvad() override;

  VUzurUvadUVData* GetUVData() const { return FData; }
  // The class of the document, as the constructor was given it.
  TUVDataClass GetDataClass() const { return FDataClass; }

  // --- Building and reading the document
  void AddNL(const AnsiString& Text, Integer StyleNo, Integer ParaNo) { FData->AddNL(Text, StyleNo, ParaNo); }
  void Add(const AnsiString& Text, Integer StyleNo) { FData->Add(Text, StyleNo); }
  // A checkpoint for the next item added; its number.
  Integer AddCheckpoint() { return FData->AddCheckpoint(); }
  // A named checkpoint that raises the checkpoint-visible event when RaiseEvent is set.
  Integer AddNamedCheckpointEx(const AnsiString& Name, bool RaiseEvent) {
    return FData->AddNamedCheckpointExTag(Name, RaiseEvent, 0);
  }
  void DeleteItems(Integer First, Integer Count) { FData->DeleteItems(First, Count); }
  Integer GetItemCount() const { return FData->GetItemCount(); }
  TCustomUVItemInfo* GetItem(Integer ItemNo) const { return FData->GetItem(ItemNo); }
  Integer GetItemStyle(Integer ItemNo) const { return FData->GetItemStyle(ItemNo); }
  AnsiString GetItemText(Integer ItemNo) const { return FData->GetItemText(ItemNo); }
  void SetItemText(Integer ItemNo, const AnsiString& Text) { FData->SetItemText(ItemNo, Text); }
  bool IsFromNewLine(Integer ItemNo) const { return FData->IsLineStart(ItemNo); }
  bool IsParaStart(Integer ItemNo) const { return FData->IsParaStart(ItemNo); }
  Integer GetOffsBeforeItem(Integer ItemNo) const { return FData->GetOffsBeforeItem(ItemNo); }
  Integer GetOffsAfterItem(Integer ItemNo) const { return FData->GetOffsAfterItem(ItemNo); }
  // Document coordinates of the item's first draw line; false when it has none.
  bool GetItemCoords(Integer ItemNo, Integer& Left, Integer& Top) const {
    return FData->GetItemCoords(ItemNo, Left, Top);
  }
  Integer GetDocumentHeight() const { return FData->DocumentHeight; }

  // --- Layout
  // Lays the whole document out again, then repaints with uvoFormatInvalidate.
  void Format();
  // Every formatting request of the control: none while the step is 0 or while designing.
  // KeepPosition keeps the position in view and the selection (a new width).
  void FormatData(bool KeepPosition);
  // Stops the auto-scroll timer and drops the layout.
  virtual void ClearFormattingData();
  // Empties the document.
  void Clear();

  // --- Selection and clipboard
  void SelectAll();
  void Deselect();
  bool SelectionExists() { return FData->SelectionExists(true, false); }
  void SetSelectionBounds(Integer StartItemNo, Integer StartOffs, Integer EndItemNo, Integer EndOffs) {
    FData->SetSelectionBounds(StartItemNo, StartOffs, EndItemNo, EndOffs);
  }
  void GetSelectionBounds(Integer& StartItemNo, Integer& StartOffs, Integer& EndItemNo, Integer& EndOffs,
                          bool Normalize) {
    FData->GetSelectionBounds(StartItemNo, StartOffs, EndItemNo, EndOffs, Normalize);
  }
  AnsiString GetSelText() { return FData->GetSelText(false); }
  AnsiString GetSelTextW() { return FData->GetSelText(true); }
  TRect GetSelectionRect() { return FData->GetSelectionRect(); }
  // Copies in the formats of the uvoAutoCopy... options; false when none applies or the
  // clipboard cannot be opened.
  bool CopyToClipboard();
  // The document's search (the occurrence found becomes the selection).
  bool SearchText(const AnsiString& Text, bool Down, bool MatchCase, bool WholeWords) {
    return FData->SearchText(Down, MatchCase, Text, WholeWords);
  }

  // --- Files and streams
  bool LoadUVF(const AnsiString& FileName);
  bool LoadUVFFromStream(TStream* Stream);
  bool SaveUVF(const AnsiString& FileName, bool SelectionOnly);
  bool SaveUVFToStream(TStream* Stream, bool SelectionOnly);
  bool SaveRTF(const AnsiString& FileName, bool SelectionOnly);
  bool SaveRTFToStream(TStream* Stream, bool SelectionOnly);
  // Appends RTF; true when the reader reported no error.
  bool LoadRTF(const AnsiString& FileName);
  bool LoadRTFFromStream(TStream* Stream);
  bool SaveHTML(const AnsiString& FileName, const AnsiString& Title, const AnsiString& ImagesPrefix, Integer Options);
  bool SaveHTMLWithCSS(const AnsiString& FileName, const AnsiString& Title, const AnsiString& ImagesPrefix,
                       Integer Options);
  // Appends a text file, one text item per line.
  bool LoadText(const AnsiString& FileName, Integer StyleNo, Integer ParaNo, bool AsSingleParagraph);
  bool SaveText(const AnsiString& FileName, Integer LineWidth);
  bool SaveTextUnicode(const AnsiString& FileName, Integer LineWidth);
  bool SaveTextToStream(const AnsiString& Path, TStream* Stream, Integer LineWidth, bool SelectionOnly,
                        bool TextOnly);

  // --- Other operations
  // Copies the handlers of the events a second view of the same document needs.
  virtual void AssignEvents(TCustomUzurUvad* Source);
  // Frees what the document keeps cached for a change, then repaints.
  void RefreshAfterChange();
  static bool IsCopyShortcut(Word Key, TShiftState Shift);
  static bool IsCutShortcut(Word Key, TShiftState Shift);
  static bool IsPasteShortcut(Word Key, TShiftState Shift);
  // The background colour: Color, else the style sheet's, else clWindow.
  TColor GetEffectiveColor();
  // The keyboard state and cursor as a mouse move at the cursor, when it lies in the client
  // area or EvenOutside is set (the selection follows scrolled text).
  void GenerateMouseMove(bool EvenOutside = false);
  // The timer that scrolls while a selection is dragged past the window's edge (a press of the
  // left button starts it, its release stops it; an editor laid over a table cell starts it
  // for the press it takes).
  void StartAutoScroll();
  void StopAutoScroll();
  // Whether the auto-scroll timer runs, and its steps.
  bool IsAutoScrolling() const { return FScrollTimerActive; }
  Integer GetAutoScrollDY() const { return FAutoScrollDY; }
  Integer GetAutoScrollDX() const { return FAutoScrollDX; }
  // Posts a record to this control (WM_UVEVENT), which takes it over: the control handles and
  // frees it when the message arrives, or frees it with its window. Only records posted this
  // way are accepted from the message.
  void PostUVEvent(TUVMessageData* Data);

  // --- Properties
  TUVOptions GetOptions() const { return FOptions; }
  void SetOptions(TUVOptions Value) { FOptions = Value; }
  TUVRTFOptions GetRTFOptions() const { return FRTFOptions; }
  void SetRTFOptions(TUVRTFOptions Value) { FRTFOptions = Value; }
  TUVFOptions GetUVFOptions() const { return FUVFOptions; }
  void SetUVFOptions(TUVFOptions Value) { FUVFOptions = Value; }
  TUVFReaderStyleMode GetUVFTextStylesReadMode() const { return FUVFTextStylesReadMode; }
  void SetUVFTextStylesReadMode(TUVFReaderStyleMode Value) { FUVFTextStylesReadMode = Value; }
  TUVFReaderStyleMode GetUVFParaStylesReadMode() const { return FUVFParaStylesReadMode; }
  void SetUVFParaStylesReadMode(TUVFReaderStyleMode Value) { FUVFParaStylesReadMode = Value; }
  Integer GetLeftMargin() const { return FLeftMargin; }
  void SetLeftMargin(Integer Value) { FLeftMargin = Value; }
  Integer GetRightMargin() const { return FRightMargin; }
  void SetRightMargin(Integer Value) { FRightMargin = Value; }
  Integer GetTopMargin() const { return FTopMargin; }
  void SetTopMargin(Integer Value) { FTopMargin = Value; }
  Integer GetBottomMargin() const { return FBottomMargin; }
  void SetBottomMargin(Integer Value) { FBottomMargin = Value; }
  Integer GetMaxTextWidth() const { return FMaxTextWidth; }
  void SetMaxTextWidth(Integer Value) { FMaxTextWidth = Value; }
  Integer GetMinTextWidth() const { return FMinTextWidth; }
  void SetMinTextWidth(Integer Value) { FMinTextWidth = Value; }
  // The viewer's own cursor (the document shows other cursors over hyperlinks meanwhile).
  TCursor GetCursor() const { return FUVCursor; }
  void SetCursor(TCursor Value);
  // The cursor shown now.
  TCursor GetShownCursor() const { return TControl::GetCursor(); }
  void ShowCursor(TCursor Value);
  AnsiString GetDelimiters() const { return FDelimiters; }
  void SetDelimiters(const AnsiString& Value) { FDelimiters = Value; }
  // Forms keep the delimiters only when they differ from the usual ones.
  bool IsDelimitersStored() const { return FDelimiters != UVDefaultDelimiters; }
  TUVTabNavigationType GetTabNavigation() const { return FData->TabNavigation; }
  // Without navigation no hyperlink or control keeps the document's focus.
  virtual void SetTabNavigation(TUVTabNavigationType Value);
  Integer GetFirstJumpNo() const { return FData->FirstJumpNo; }
  void SetFirstJumpNo(Integer Value) { FData->FirstJumpNo = Value; }
  TUVStyle* GetStyle() const { return FStyle; }
  void SetStyle(TUVStyle* Value);
  TCPEventKind GetCPEventKind() const { return FCPEventKind; }
  void SetCPEventKind(TCPEventKind Value) { FCPEventKind = Value; }
  TUVBackground* GetBackground() const { return FBackground; }
  TBitmap* GetBackgroundBitmap() const { return FBackground->Bitmap; }
  void SetBackgroundBitmap(TBitmap* Value);
  TBackgroundStyle GetBackgroundStyle() const { return FBackground->Style; }
  void SetBackgroundStyle(TBackgroundStyle Value);
  // Created on first use.
  virtual TUVRTFReaderProperties* GetRTFReadProperties();
  void SetRTFReadProperties(TUVRTFReaderProperties* Value);
  bool GetAllowSelection() const { return FOptions.Contains(uvoAllowSelection); }
  void SetAllowSelection(bool Value);
  bool GetSingleClick() const { return FOptions.Contains(uvoSingleClick); }
  void SetSingleClick(bool Value);
  TUVFlags GetDocumentFlags() const { return FFlags; }
  void SetDocumentFlags(TUVFlags Value) { FFlags = Value; }
  Cardinal GetUVFWarnings() const { return FUVFWarnings; }
  void SetUVFWarnings(Cardinal Value) { FUVFWarnings = Value; }
  void SetVSmallStep(Integer Value) override;
  void SetUVBiDiMode(TUVBiDiMode Value) override;
  void UpdatePaletteInfo() override;

  // --- Events
  TJumpEvent OnJump;
  TUVMouseMoveEvent OnUVMouseMove;
  TUVMouseEvent OnUVMouseDown;
  TUVMouseEvent OnUVMouseUp;
  TUVDblClickEvent OnUVDblClick;
  TUVRightClickEvent OnUVRightClick;
  TNotifyEvent OnSelect;
  TNotifyEvent OnCopy;
  TUVPaintEvent OnPaint;
  TUVCheckpointVisibleEvent OnCheckpointVisible;
  TUVURLNeededEvent OnURLNeeded;
  TUVReadHyperlink OnReadHyperlink;
  TUVSaveComponentToFileEvent OnSaveComponentToFile;
  TUVSaveRTFExtraEvent OnSaveRTFExtra;
  TUVSaveHTMLExtraEvent OnSaveHTMLExtra;
  TUVHTMLSaveImageEvent OnHTMLSaveImage;
  TUVFPictureNeededEvent OnUVFPictureNeeded;
  TUVFControlNeededEvent OnUVFControlNeeded;
  TUVFImageListNeededEvent OnUVFImageListNeeded;
  TUVControlActionEvent OnControlAction;
  TUVItemActionEvent OnItemAction;

  // The background changed (its bitmap or style).
  void BackgroundChanged(TObject* Sender);

protected:
  TCustomUzurUvad(TComponent* AOwner, TUVDataClass DataClass);
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;
  void Paint() override;
  void InitScrollState() override;
  void DoVScroll() override;
  void DoHScroll() override;
  void MouseDown(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void MouseMove(TShiftState Shift, Integer X, Integer Y) override;
  void MouseUp(TMouseButton Button, TShiftState Shift, Integer X, Integer Y) override;
  void KeyDown(Word& Key, TShiftState Shift) override;
  void DblClick() override;
  void Dispatch(TMessage& Message) override;
  void GetTabOrderList(TList* List) override;
  // Design-time defaults from the registry (only for a control made in a designer).
  void ReadDesignDefaults();

  VUzurUvadUVData* FData = nullptr;

private:
  void Init(TUVDataClass DataClass);
  void PaintNoStyle();
  void WMSize(TMessage& Message);
  void WMEraseBkgnd(TMessage& Message);
  void WMCopy(TMessage& Message);
  void WMTimer(TMessage& Message);
  void WMDestroy(TMessage& Message);
  void WMGetDlgCode(TMessage& Message);
  void WMSetFocus(TMessage& Message);
  void WMKillFocus(TMessage& Message);
  void WMContextMenu(TMessage& Message);
  void CMColorChanged(TMessage& Message);
  void WMUVEvent(TMessage& Message);
  // Whether the style sheet paints focused and unfocused selections differently.
  bool SelectionColorsDiffer() const;

  TUVDataClass FDataClass = nullptr;
  TUVOptions FOptions = uvoDefaultOptions;
  TUVRTFOptions FRTFOptions = uvrtfDefaultOptions;
  TUVFOptions FUVFOptions = uvfoDefaultOptions;
  TUVFReaderStyleMode FUVFTextStylesReadMode = uvf_sInsertMerge;
  TUVFReaderStyleMode FUVFParaStylesReadMode = uvf_sInsertMerge;
  Integer FLeftMargin = 5;
  Integer FRightMargin = 5;
  Integer FTopMargin = 5;
  Integer FBottomMargin = 5;
  Integer FMaxTextWidth = 0;
  Integer FMinTextWidth = 0;
  TCursor FUVCursor = crDefault;
  AnsiString FDelimiters;
  TUVStyle* FStyle = nullptr;
  TCPEventKind FCPEventKind = cpeNone;
  TUVBackground* FBackground = nullptr;
  TUVRTFReaderProperties* FRTFReadProperties = nullptr;
  TUVFlags FFlags = uvflDefaultFlags;
  Cardinal FUVFWarnings = 0;
  // Records posted to this control and not handled yet.
  std::vector<TUVMessageData*> FPendingEvents;
  bool FScrollTimerActive = false;
  Integer FAutoScrollDY = 0;
  Integer FAutoScrollDX = 0;
};

class VUzurUvad : public TCustomUzurUvad {
  CLASS_INFO(VUzurUvad, TCustomUzurUvad)
public:
  explicit VUzurUvad(TComponent* AOwner) : TCustomUzurUvad(AOwner) {}

protected:
  VUzurUvad(TComponent* AOwner, TUVDataClass DataClass) : TCustomUzurUvad(AOwner, DataClass) {}
};
