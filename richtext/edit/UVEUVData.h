// The document data of an editor (and of every editable sub-document): the undoable editing
// primitives every change is made of, the caret and its movement, inserting, deleting, applying
// styles, inserting streams at the caret and the editor's bookkeeping. What the editor control
// decides (read-only mode, options, events) is asked through virtual operations; this class
// answers them as a document without a control would. Focus, an open cell editor and the RTF
// import properties are asked of the viewer, as its document does.
#pragma once

#include <functional>
#include <vector>

#include "classlib/Components.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UVUVData.h"
#include "richtext/edit/UVUndo.h"

class TUVMarkerItemInfo;
class TUVRTFReaderProperties;

// Options of an editor control.
enum TUVEditorOption {
  uvoClearTagOnStyleApp,     // applying a text style clears the tags of the text it changes
  uvoCtrlJumps,              // hyperlinks react only while Ctrl is held
  uvoDoNotWantReturns,       // Enter is swallowed
  uvoDoNotWantShiftReturns,  // Shift+Enter is swallowed
  uvoWantTabs,               // the control asks for Tab
  uvoAutoSwitchLang,         // a keyboard-language change switches the current text style
  uvoHideReadOnlyCaret       // no system caret while read-only
};
using TUVEditorOptions = TSet<TUVEditorOption>;
ENUM_NAMES(TUVEditorOption, "uvoClearTagOnStyleApp", "uvoCtrlJumps", "uvoDoNotWantReturns",
           "uvoDoNotWantShiftReturns", "uvoWantTabs", "uvoAutoSwitchLang", "uvoHideReadOnlyCaret");

// State bit of a document: the current-style setters notify even when the value does not change.
enum : Cardinal { uvstForceStyleNotify = 0x400 };

// Bits of the editor data's EditFlags.
enum : Cardinal {
  uvefPreparing = 1,       // an action's preparation step runs
  uvefKeyTyped = 2,        // the last key-down already typed its text (the control skips its WM_CHAR)
  uvefPreparingEdit = 4,   // an empty document is being given its first item
};

// One caret stop of the caret's screen line.
class TUVCharPos : public TCollectionItem {
  CLASS_INFO(TUVCharPos, TCollectionItem)
public:
  explicit TUVCharPos(TCollection* Collection) : TCollectionItem(Collection) {}
  // Copies X, DrawItemNo and Offset (not Shift).
  void Assign(TPersistent* Source) override;

  Integer X = 0;            // document x
  Integer DrawItemNo = -1;  // the piece
  Integer Offset = -1;      // the caret offset inside the piece
  Integer Shift = 1;        // the caret is drawn at X - 1 + Shift
};

class TUVCharPosCollection : public TCollection {
  CLASS_INFO(TUVCharPosCollection, TCollection)
public:
  TUVCharPosCollection() : TCollection(TUVCharPos::StaticClass()) {}
  TUVCharPos* Get(Integer Index) const { return static_cast<TUVCharPos*>(GetItems(Index)); }
  TUVCharPos* Add() { return static_cast<TUVCharPos*>(TCollection::Add()); }
};

class TUVEditUVData : public VUzurUvadUVData {
  CLASS_INFO(TUVEditUVData, VUzurUvadUVData)
public:
  explicit TUVEditUVData(TCustomUzurUvad* ARichView);
  ~TUVEditUVData() override;

  // --- What the editor control decides (without a control: editable, default options) ------------
  virtual bool IsReadOnly() { return false; }
  virtual TUVEditorOptions GetEditorOptions() { return TUVEditorOptions{uvoClearTagOnStyleApp}; }
  // The control's OnCaretMove.
  virtual void DoCaretMove() {}
  // The control's current-style setters: they store the number and fire the control's events
  // when it changed (or while uvstForceStyleNotify is set).
  virtual void SetCurrentTextStyle(Integer StyleNo) { CurTextStyleNo = StyleNo; }
  virtual void SetCurrentParaStyle(Integer ParaNo) { CurParaStyleNo = ParaNo; }
  // The pending style-conversion events of the control (OnStyleConversion, OnParaStyleConversion).
  virtual void DoStyleConversion(Integer StyleNo, Integer UserData, bool AppliedToText, Integer& NewStyleNo);
  virtual void DoParaStyleConversion(Integer StyleNo, Integer UserData, bool AppliedToText, Integer& NewStyleNo);
  // A modification was completed: the control marks itself modified and fires OnChange; the
  // redo list goes when ClearRedo is set.
  virtual void Change(bool ClearRedo);
  // The document was cleared: the control is no longer modified.
  virtual void ClearModified() {}

  // --- Undo actions (part of every editing operation) ------------------------------------------
  void OpenUndoAction(Byte UndoType, bool Prepare = true) { OpenNamedUndoAction(UndoType, AnsiString(), Prepare); }
  void OpenNamedUndoAction(Byte UndoType, const AnsiString& Caption, bool Prepare);
  void OpenRedoAction(Byte UndoType, const AnsiString& Caption);
  void ChangeGroupCounter(bool Raise);
  // The list the primitives record into; none while recording is off.
  TUVUndoList* GetUndoListForRecording();
  void Clear() override;

  // --- Undoable primitives ------------------------------------------------------------------------
  // FullReformat tells the caller that the change may have changed the document's minimal width,
  // so that the whole document must be laid out again.
  void UndoableDeleteItem(Integer ItemNo, bool& FullReformat);
  void UndoableDeleteItems(Integer First, Integer Last, bool& FullReformat);
  // Length -1: to the end of the text; 0: nothing.
  void UndoableDeleteSubstring(Integer ItemNo, Integer Offs, Integer Length);
  void UndoableInsertItem(Integer ItemNo, const AnsiString& Text, TCustomUVItemInfo* Item, bool& FullReformat);
  // Inserts Items (texts with the items as objects; the list is emptied) from First on.
  void UndoableInsertItems(Integer First, TStringList& Items);
  // Raises EUzurUvadError "Undo error" for a missing or non-text item.
  void UndoableInsertSubstring(Integer ItemNo, Integer Offs, const AnsiString& Text);
  void UndoableNewLine(Integer ItemNo, bool SameAsPrev, bool& FullReformat, Integer ParaNo);
  void UndoableSetBR(Integer ItemNo, bool BR, bool& FullReformat);
  void UndoableSetParaStyle(Integer First, Integer Last, Integer ParaNo, bool& FullReformat);
  void UndoableSetParaStyles(Integer First, const TUVIntegerList& Styles, bool& FullReformat);
  void UndoableSetPageBreak(Integer ItemNo, bool PageBreak);
  void UndoableSetTag(Integer ItemNo, TUVTag Tag, bool AssignAsIs);
  void UndoableChangeStyleNo(Integer ItemNo, Integer StyleNo);
  // ItemNo -1: the checkpoint after the last item. Raise EUzurUvadError "Checkpoint error".
  void UndoableAddCheckpoint(Integer ItemNo, TUVCPInfo* Checkpoint);
  void UndoableDeleteCheckpoint(Integer ItemNo);
  void UndoableChangeText(Integer ItemNo, const AnsiString& Text);
  // Sets a published integer property of the item or of SubObject inside it; RecordClass names a
  // record class derived from TUVUndoModifyItemIntProperty(ies), or none for that class itself.
  // The record made, none when nothing was recorded.
  TUVUndoModifyItemIntProperty* UndoableModifyItemIntProperty(Integer ItemNo, TObject* SubObject, TClass RecordClass,
                                                              bool AffectSize, bool AffectWidth, Integer Value,
                                                              const AnsiString& PropName);
  void UndoableModifyItemIntProperties(Integer ItemNo, TObject* SubObject, TClass RecordClass, bool AffectSize,
                                       bool AffectWidth, TStrings* Values);
  // Joins the text item at ItemNo with the next one.
  void UndoableJoinTextItems(Integer ItemNo, bool& FullReformat);
  void RecordItemPropsBracket(Integer ItemNo, bool Opening);
  void RecordReformatRange(Integer First, Integer Last, bool Full);
  // After Count items were inserted from First: the paragraph they end in keeps one style, and
  // checkpoints they brought are attached undoably. Record is the insertion's record.
  void FixParagraphsAfterInsert(Integer First, Integer Count, bool& FullReformat, TUVUndoItemNoInfo* Record);
  // A new text item like ItemNo's (class, style, paragraph, tag) with no flags but Unicode and
  // continuing the paragraph as ItemNo does.
  TCustomUVItemInfo* CreateTextItemCopy(Integer ItemNo);

  // What the undo records call to put things back exactly (each records its opposite).
  void RestoreItem(Integer ItemNo, const AnsiString& Text, TCustomUVItemInfo* Item);
  void RestoreItems(Integer ItemNo, TStringList& Items);
  // The paragraph bits of an item (and, for a new-line record, the style of its paragraph).
  void RestoreParaBits(Integer ItemNo, Byte Options, Integer ParaNo, Byte Kind);
  void RestoreParaStyles(Integer First, const TUVIntegerList& Styles);

  // --- The caret ------------------------------------------------------------------------------------
  // The caret's item and offset; -1 without a caret.
  Integer GetCurItemNo();
  Integer GetOffsetInCurItem();
  // Whether the caret lies on a draw line that exists.
  bool CaretPlaced();
  void ChangeCaret(bool ScrollToCaret, bool UpdateFirst, bool KeepCurrentStyles);
  // Rebuilds the positions of the caret's line; the caret goes to offset OffsetInPiece + 2 of
  // its piece.
  void BuildCaretPositions(Integer OffsetInPiece);
  // Puts the caret at an item and offset (never on a list marker that has something after it on
  // its line) and rebuilds the positions.
  void SetCaretAtItem(Integer ItemNo, Integer Offs);
  // Whether draw line DrawItemNo is a list marker with more of its line after it.
  bool MarkerBeginsLine(Integer DrawItemNo);
  // Each returns true when the caret is at the document's edge and stays.
  bool MoveCaretLeft(bool Shift, bool Ctrl);
  bool MoveCaretRight(bool Shift, bool Ctrl);
  bool MoveCaretUp(bool Shift, bool Ctrl);
  bool MoveCaretDown(bool Shift, bool Ctrl);
  bool MoveCaretHome(bool Ctrl);
  bool MoveCaretEnd(bool Ctrl);
  void MoveCaretPageUp();
  void MoveCaretPageDown();
  void AnchorSelectionAtCaret();
  void ExtendSelectionToCaret();
  TPoint GetCaretClientPos();
  // Moves the system caret, when there is one, to the caret's place in the view (after the view
  // scrolled): bottom-aligned with the caret's piece, CaretHeight high.
  void PlaceSystemCaret();
  bool CaretAtLineStart();
  bool CaretAtLineEnd();
  // An empty document gets its one empty text item and a caret.
  void PrepareForEdit();
  // Where a search from the caret begins (down: forward from the caret).
  void GetSearchStart(bool Down, Integer& ItemNo, Integer& Offs) override;

  void Format(bool KeepPosition, bool Force, bool NoScroll, Integer Depth, TCanvas* Canvas, bool OnlyTail,
              bool NoCaching) override;
  void ClearFormattingData() override;
  void SelectionChanged() override;

  // --- Inserting ------------------------------------------------------------------------------------
  bool IsStyleProtected(Integer ItemNo, TUVProtectOption Option);
  bool IsParaOptionSet(Integer ParaNo, TUVParaOption Option);
  bool IsItemParaReadOnly(Integer ItemNo);
  // Whether the item before ItemNo is the list marker that begins ItemNo's paragraph.
  bool IsAfterOwnMarker(Integer ItemNo);
  // Refuses (with a beep) an insertion after item Index when it and the next item stick together.
  bool IsStickingAt(Integer Index);
  // Inserts a ready item at the caret; a refused item is freed.
  bool InsertItemAtCaret(const AnsiString& Text, TCustomUVItemInfo* Item, bool CaretBefore);
  bool InsertTextItemAtCaret(const AnsiString& Text, Integer StyleNo, bool CaretBefore);
  // Text with line breaks (8-bit, or UTF-16 with its separators).
  bool InsertTextA(const AnsiString& Text, bool CaretBefore);
  bool InsertTextW(const WideString& Text, bool CaretBefore);
  // A typed character (8-bit; converted for a Unicode style), and typed characters already in the
  // current text style's form (raw UTF-16 for a Unicode style).
  void KeyPressChar(char Ch);
  void TypeText(const AnsiString& Text);
  void PressReturn(bool Shift);
  bool InsertItem(Integer Index, const AnsiString& Text, TCustomUVItemInfo* Item, bool AtCaret,
                  Integer& FirstItemNo) override;

  // --- Deleting -------------------------------------------------------------------------------------
  bool CanDeleteSelection();
  bool DeleteSelection();
  void PressDelete(bool Ctrl);
  void PressBackspace(bool Ctrl, bool FromDelete);
  // Lays out the paragraphs ParaFirst..ParaLast (draw lines of the formatting before the edit)
  // again, or the whole document when FullIfWider is set and its width changes.
  void ReformatAfterEdit(bool FullIfWider, Integer ParaFirst, Integer ParaLast, Integer ItemsAdded);

  // --- Styles ---------------------------------------------------------------------------------------
  void ApplyParaStyle(Integer ParaNo, bool Convert);
  void ApplyStyleConversion(Integer UserData);
  Integer ConvertStyleNo(Integer StyleNo);

  // --- Services -------------------------------------------------------------------------------------
  bool InsertUVFAtCaret(TStream* Stream);
  bool InsertRTFAtCaret(TStream* Stream);
  void EnableJumps(bool Force);
  void DisableJumps();
  bool SaveRTFToStream(TStream* Stream, bool SelectionOnly, TColor Color, Integer Level = 0,
                       TUVRTFFontTable* FontTable = nullptr, TUVColorList* ColorList = nullptr,
                       TUVIntegerList* ListOverrideOffsets = nullptr, double TwipsPerPixel = 0) override;
  bool SaveHTMLToStream(TStream* Stream, const AnsiString& Path, const AnsiString& Title,
                        const AnsiString& ImagesPrefix, Integer Options, TColor Color, Integer LeftMargin,
                        Integer TopMargin, Integer RightMargin, Integer BottomMargin,
                        TUVBackground* Background) override;
  bool SaveHTMLToStreamWithCSS(TStream* Stream, const AnsiString& Path, const AnsiString& Title,
                               const AnsiString& ImagesPrefix, Integer Options, TColor Color, Integer LeftMargin,
                               Integer TopMargin, Integer RightMargin, Integer BottomMargin,
                               TUVBackground* Background, const AnsiString& CSSFileName) override;
  // Without a selection both ends are the caret.
  void GetSelectionBoundsEx(Integer& StartItemNo, Integer& StartOffs, Integer& EndItemNo, Integer& EndOffs,
                            TCustomUVItemInfo*& StartPartial, TCustomUVItemInfo*& EndPartial,
                            bool Normalize) override;
  void ReformatAroundSelection(bool Full);
  void ReformatItemIfWider(Integer ItemNo, Integer OldMinWidth);
  Integer GetParaSectionMinWidth(Integer ItemNo);
  // Whether a full format would lay the document out at another width than it has now.
  bool DocumentWidthChanged();
  void MarkUsedStyles(TUVStyleUsage& Used) override;
  void RenumberStyles(TUVStyleUsage& Used) override;
  void SetPartialSelectedItem(TCustomUVItemInfo* Item) override;
  void ReleasePartialSelection(TCustomUVItemInfo* Item) override;
  // The numbered lists with markers in the paragraphs of First..Last, and the marker-list
  // position of the first of those markers (-1 when none).
  void CollectListsInRange(Integer First, Integer Last, std::vector<Integer>& Lists, Integer& FirstMarkerIndex);
  // Lays out again, exactly and undoably, everything from ItemNo to the last marker of Lists.
  void RenumberLists(const std::vector<Integer>& Lists, Integer FirstMarkerIndex, Integer ItemNo);
  void RenumberListsAfterEdit(Integer First, Integer Last);

  // --- State -------------------------------------------------------------------------------------
  Integer LastSwitchTextStyleNo = 0;
  Integer CaretHeight = 0;
  TUVCharPosCollection* CharPositions;
  Integer CurTextStyleNo = 0;
  Integer CurParaStyleNo = 0;
  TUVUndoList* UndoList;
  TUVUndoList* RedoList;
  Byte UndoDest = uvudNone;
  Integer CaretDrawItemNo = -1;
  Integer CaretOffs = -1;
  // The caret remembered as item and offset across a reformat.
  Integer RememberedCaretItemNo = -1;
  Integer RememberedCaretOffs = -1;
  Cardinal EditFlags = 0;
  // The UserData of the style conversion under way.
  Integer ConversionUserData = 0;

protected:
  // Places a new item at the caret (splitting a text, replacing an empty one, taking over a
  // paragraph start); Index receives where it went. A refused item is freed unless the caller
  // keeps it (FreeRefused false: the readers free what a document refuses).
  bool PlaceItemAtCaret(TCustomUVItemInfo* Item, const AnsiString& Text, bool CopyTag, Integer& Index,
                        bool& FullReformat, bool FreeRefused = true);
  bool InsertItemAtCaretEx(const AnsiString& Text, TCustomUVItemInfo* Item, bool CaretBefore, bool CopyTag);
  // Inserts text cut into segments (in the current style's form), each with how it begins: -1
  // at the caret (the first), 0 a paragraph, 1 a line, 2 a paragraph after a page break.
  bool InsertTextSegments(const std::vector<std::pair<AnsiString, Integer>>& Segments, bool CaretBefore);
  // The same for segments of 8-bit or raw UTF-16 text, given the current style's form first.
  bool InsertCutText(std::vector<std::pair<AnsiString, Integer>>& Segments, bool Unicode, bool CaretBefore);
  // Reads a stream into the document at the caret (Read gets the index and returns where the
  // first item went) and merges the edges of what came in.
  bool InsertStreamAtCaret(const std::function<bool(Integer& Index)>& Read);
  // Merges the Count items from First with each other and with their neighbours where they can
  // be one; the caret (after the last of them) follows.
  void MergeInsertedEdges(Integer First, Integer Count, bool& FullReformat, Integer& CaretItemNo,
                          Integer& CaretOffs);
  // Converts characters From..To-1 of a text item through the conversion event; a part of the
  // item becomes an item of its own. PartItemNo receives the item that holds the part.
  bool ConvertTextPart(Integer ItemNo, Integer From, Integer To, Integer& PartItemNo);
  // Moves the caret up or down to the line that holds DrawItemNo, offering the key to an item
  // there first (entering it from EnterFrom); true when there is nothing to move to.
  bool MoveCaretToLine(Integer DrawItemNo, Integer EnterFrom, bool Shift, bool Ctrl);
  // The positions of one piece of the caret's line.
  void AddPiecePositions(Integer DrawItemNo, bool FirstOfLine, Integer WantedOffset);
  bool AddPiecePositionsBiDi(Integer DrawItemNo, bool FirstOfLine, Integer WantedOffset);
  // A refused edit: beeps (unless the style sheet is silent) and drops the empty action it may
  // have opened, so the undo list is as it was.
  void Refuse();
  // Whether removing From..To of an item is allowed by its protection.
  bool CanDeleteFromItem(Integer ItemNo, Integer From, Integer To);
  // The item takes over a removed item's paragraph or line start (Bits) and paragraph style.
  void TakeOverLineStart(Integer ItemNo, Byte Bits, Integer ParaNo, bool& FullReformat);
  // Deletes an item; what follows on its line takes over its start, or its neighbours merge.
  void DeleteItemKeepingLine(Integer ItemNo, bool& FullReformat, Integer& CaretItemNo, Integer& CaretOffs);
  // The caret's item when deleting there is allowed (refusing in a read-only paragraph); -1 when not.
  Integer CaretItemForDeleting();
  void DeleteAtParaEnd(Integer ItemNo);
  // Removes characters From..To-1 of a text item and leaves the caret at From.
  void DeleteCharacters(Integer ItemNo, Integer From, Integer To);
  void BackspaceAtLineStart(Integer ItemNo);
  // Characters of a text, a surrogate pair counting as one; a removal's start moved off the
  // second half of a pair.
  Integer UnicodeCharCount(Integer ItemNo);
  Integer PairSafeStart(Integer ItemNo, Integer Offs);
  // Shows the caret at an item and offset after an edit.
  void PlaceCaretAfterEdit(Integer ItemNo, Integer Offs, bool KeepCurrentStyles);
  // A new text item of a style (Unicode by the style) in a paragraph style.
  TCustomUVItemInfo* NewTextItem(Integer StyleNo, Integer ParaNo);

private:
  void RemoveItemToUndo(Integer ItemNo, TUVUndoItemInfo* Record);
  void ChangeParaBits(Integer ItemNo, Byte Options, Byte Kind);
  bool SectionWasWidest(Integer ItemNo);
  bool SectionIsWider(Integer ItemNo);
  bool FormattedSinceClear = false;
};
