// The document data: one document's items with their texts, its checkpoints, and what every
// document, nested or not, can do: adding items and text, item access, paragraph and line
// navigation, merging of text items, caret offsets, copying a document into another, list-marker
// bookkeeping, plain-text loading and the helpers the writers use. Questions about the
// environment (style sheet, options, events) are virtual: a root document answers them from its
// owner, a nested document forwards them to its parent or root.
#pragma once

#include "classlib/Components.h"
#include "classlib/ImgList.h"
#include "classlib/StringLists.h"
#include "richtext/core/UVClasses.h"
#include "richtext/core/UVItem.h"
#include "richtext/core/UVTypes.h"

class TUVStyle;
class TUVMarkerList;
class TUVMarkerItemInfo;
class TControl;
class TWinControl;

// State bits of a document.
enum : Cardinal {
  uvstSelecting = 0x1,
  uvstDrawHover = 0x2,
  uvstFormatting = 0x4,
  uvstPartialFormatting = 0x8,
  uvstDblClickWord = 0x10,
  uvstUpdatingPalette = 0x20,
  uvstDrawAllSelected = 0x40,
  uvstClearing = 0x80,
  uvstKeepPosition = 0x100,
  uvstNoChildMoves = 0x200,
  uvstMouseFocus = 0x1000,
  uvstDeselecting = 0x2000,
  uvstUnchoosing = 0x4000,
  uvstNoScroll = 0x8000,
  uvstInsertingNestedUVF = 0x40000,
};

// Margins, text widths and reading direction stored with a document.
class TUVLayoutInfo : public TObject {
  CLASS_INFO(TUVLayoutInfo, TObject)
public:
  // The binary form, with the leading value 33 when WithSize is set.
  void SaveToStream(TStream* Stream, bool WithSize) const;
  // Raises EUzurUvadError "Invalid UVF format" when the size of the block is below 25.
  void LoadFromStream(TStream* Stream, bool WithSize);
  // The binary form (without 33) as one line of hexadecimal digits, and back.
  AnsiString SaveToHex() const;
  void LoadFromHex(const AnsiString& Hex);

  bool Loaded = false;
  Integer LeftMargin = 0;
  Integer RightMargin = 0;
  Integer TopMargin = 0;
  Integer BottomMargin = 0;
  Integer MinTextWidth = 0;
  Integer MaxTextWidth = 0;
  TUVBiDiMode BiDiMode = uvbdUnspecified;
};

// The font table of an RTF write: fonts by name (without regard to case) and exact charset.
class TUVRTFFontTableItem : public TObject {
  CLASS_INFO(TUVRTFFontTableItem, TObject)
public:
  AnsiString FontName;
  TFontCharset Charset = DEFAULT_CHARSET;
};

class TUVRTFFontTable : public TUVList {
  CLASS_INFO(TUVRTFFontTable, TUVList)
public:
  TUVRTFFontTableItem* GetItem(Integer Index) const { return static_cast<TUVRTFFontTableItem*>(Get(Index)); }
  Integer IndexOf(const AnsiString& FontName, TFontCharset Charset) const;
  // The index of the font, appended when absent.
  Integer AddFont(const AnsiString& FontName, TFontCharset Charset);
};

class TUVBackground;
class TUVRTFPicture;
class TUVRTFReaderProperties;

// The style maps of a native-format read (each made when its style record is read).
struct TUVFStyleMaps {
  ~TUVFStyleMaps();
  TUVIntegerList* TextStyles = nullptr;
  TUVIntegerList* ParaStyles = nullptr;
  TUVIntegerList* ListStyles = nullptr;
  Integer Users = 0;
};

// What the native-format writer covers.
enum TUVFSaveScope { uvfss_Full, uvfss_Selection };

// Bits of the HTML writers' save options (the item writers read further bits of their own).
enum : Integer {
  uvsoOverrideImages = 1,  // an image file of the generated name is reused
  uvsoFirstOnly = 2,       // only the head
  uvsoMiddleOnly = 4,      // only the body
  uvsoLastOnly = 8,        // only the end
  uvsoDefault0Style = 16,  // the body is not wrapped in the tags of text style 0
  uvsoNoHypertextImageBorders = 32,
  uvsoImageSizes = 64,
  uvsoForceNonTextCSS = 128,
  uvsoUseCheckpointsNames = 256,  // anchors take the checkpoints' names
  uvsoMarkersAsText = 512         // list paragraphs are ordinary paragraphs with their marker text
};

// The pixels per inch of the RTF writer's lengths when 1 or more; else the screen's.
extern Integer UVRTFPixelsPerInch;

// Writes a checkpoint record (nothing without a checkpoint).
void UVFWriteCheckpoint(TStream* Stream, bool TagsArePChars, TUVCPInfo* CP);

// The word delimiters of a viewer that has not been given its own.
extern const char* const UVDefaultDelimiters;

class TCustomUVData : public TPersistent {
  CLASS_INFO(TCustomUVData, TPersistent)
public:
  TCustomUVData();
  ~TCustomUVData() override;

  // --- The environment (a root document answers from its owner) -----------------------------
  virtual TUVPaletteAction GetDoInPaletteMode();
  virtual HPALETTE GetUVPalette();
  virtual LOGPALETTE* GetUVLogPalette();
  virtual TUVOptions GetOptions();
  virtual void SetOptions(TUVOptions Value);
  virtual TUVFOptions GetUVFOptions();
  virtual void SetUVFOptions(TUVFOptions Value);
  virtual TUVRTFOptions GetRTFOptions();
  virtual void SetRTFOptions(TUVRTFOptions Value);
  virtual Cardinal GetUVFWarnings();
  virtual void SetUVFWarnings(Cardinal Value);
  virtual TUVFReaderStyleMode GetUVFTextStylesReadMode();
  virtual TUVFReaderStyleMode GetUVFParaStylesReadMode();
  // Frees one item object: a list marker leaves the marker list, its checkpoint and string tag
  // are freed, then the item.
  virtual void FreeItemObject(TCustomUVItemInfo* Item, bool Clearing);
  virtual TUVBiDiMode GetBiDiMode();
  // The text written for a control in plain-text and HTML output.
  virtual AnsiString SaveComponentToFile(const AnsiString& Path, TControl* Control, Integer SaveFormat);
  // Writes a picture for HTML output (Format 1: JPEG, else bitmap) and returns the file name.
  virtual AnsiString SaveImageFile(TGraphic* Graphic, Integer Format, const AnsiString& Path,
                                   const AnsiString& Prefix, Integer& Counter, TColor BackColor, bool Overwrite);
  // The owner's item-action event (nothing here).
  virtual void ItemAction(TUVItemAction Action, TCustomUVItemInfo* Item, AnsiString& Text);
  virtual TUVStyle* GetUVStyle();
  // The document that holds this one, none here.
  virtual TCustomUVData* GetParentData() { return nullptr; }
  // The document that answers the environment questions: this one here.
  virtual TCustomUVData* GetRootData() { return this; }
  // The parent across nesting (none here) and the outermost root.
  virtual TCustomUVData* GetAbsoluteParentData() { return nullptr; }
  virtual TCustomUVData* GetAbsoluteRootData();
  // The owner's document flags (uvfl... values).
  virtual TUVFlags GetFlags();
  virtual void SetFlags(TUVFlags Value);
  // The owner's word delimiters.
  virtual AnsiString GetDelimiters();

  // --- Operations that derived documents replace --------------------------------------------
  // A document that shares another's item list owns none (printable copies).
  virtual bool ShareItems() { return false; }
  // The range a writer covers: here the whole document. StartPartial and EndPartial receive an
  // item that holds a selection inside itself at that end, or none.
  virtual void GetSelectionBounds(Integer& StartItemNo, Integer& StartOffs, Integer& EndItemNo, Integer& EndOffs,
                                  bool Normalize);
  virtual void GetSelectionBoundsEx(Integer& StartItemNo, Integer& StartOffs, Integer& EndItemNo, Integer& EndOffs,
                                    TCustomUVItemInfo*& StartPartial, TCustomUVItemInfo*& EndPartial,
                                    bool Normalize);
  virtual bool SupportsPageBreaks() { return true; }
  // Inserts an item with its text at Index (the readers' first-item insertion; an editor places
  // it at the caret when AtCaret is set). FirstItemNo receives the index used, -1 here.
  virtual bool InsertItem(Integer Index, const AnsiString& Text, TCustomUVItemInfo* Item, bool AtCaret,
                          Integer& FirstItemNo);
  virtual AnsiString GetUniqueImageFileName(AnsiString Path, const AnsiString& Prefix, const AnsiString& Extension,
                                            Integer& Counter, bool Overwrite);
  // Frees every item and checkpoint.
  virtual void Clear();
  virtual void MarkUsedStyles(TUVStyleUsage& Used);
  // The item of the parent document that holds this document: none and -1 here.
  virtual void GetParentInfo(Integer& ParentItemNo, TCustomUVItemInfo*& Location);
  // Frees Count items from First.
  virtual void DeleteItems(Integer First, Integer Count);
  // The document's list-marker list, created when asked; here the parent's.
  virtual TUVMarkerList* GetMarkers(bool AllowCreate);
  virtual void DestroyMarkers();
  // Requests the native-format reader makes of the owner (through the root).
  virtual TGraphic* UVFPictureNeeded(const AnsiString& ItemName, TUVTag ItemTag);
  virtual TControl* UVFControlNeeded(const AnsiString& ItemName, TUVTag ItemTag);
  virtual TCustomImageList* UVFImageListNeeded(Integer ImageListTag);
  // The owner's HTML picture event (Location emptied and DoDefault set first).
  virtual void HTMLSaveImage(TCustomUVData* UVData, Integer ItemNo, const AnsiString& Path, TColor BackColor,
                             AnsiString& Location, bool& DoDefault);
  // The owner's control-action event.
  virtual void ControlAction(TUVControlAction Action, Integer ItemNo, TControl*& Control);
  // The window that controls of this document take as their parent.
  virtual TWinControl* GetParentControl();
  // The RTF import settings of the owner (a viewer's RTFReadProperties); none here.
  virtual TUVRTFReaderProperties* GetRTFReadProperties();
  // A picture of a control for printing (the print component's event); nil when none.
  virtual TBitmap* GetControlPrintImage(TControl* Control);

  // Hooks of the readers and writers; each asks the root document, which answers from its owner
  // (a viewer fires its events); the answers here are empty.
  // The target of the hyperlink with the absolute number Id.
  virtual AnsiString GetURL(Integer Id);
  // Extra RTF written at fixed places (Area 0 after a text style's formatting, 1 after a
  // paragraph style's, 4 after the header).
  virtual AnsiString GetRTFExtra(Integer Area, TPersistent* Obj, Integer Index1, Integer Index2, bool InStyleSheet);
  // Extra HTML written at fixed places (Area 0 in the head, 1 inside the BODY tag, 2 after it).
  virtual AnsiString GetHTMLExtra(Integer Area, bool CSSVersion);
  // An importer meets a hyperlink: the item may take another style number, a tag and a name.
  // A bullet (-6) becomes a hotspot (-4) and a picture (-3) a hot picture (-10).
  virtual void ReadHyperlink(const AnsiString& Target, const AnsiString& Extras, Integer DocFormat, Integer& StyleNo,
                             TUVTag& ItemTag, AnsiString& ItemName);
  // The RTF import meets a picture: the document may make the item itself (Item, or none to drop
  // the picture) and take the graphic over (FreeGraphic false); false leaves it to the import.
  virtual bool ImportRTFPicture(TUVRTFPicture* Picture, TGraphic* Graphic, bool Hyperlink, TCustomUVItemInfo*& Item,
                                bool& FreeGraphic);
  // The maps of the native-format reader from stored style numbers to the document's. They are
  // kept by the outermost document, so that the nested documents read with it (table cells)
  // use the maps its style records made; each Get is matched by a Release.
  virtual TUVFStyleMaps* GetUVFStyleMaps();
  virtual void ReleaseUVFStyleMaps();

  // Tells every item to take up the document's current style context (nothing for a document
  // that shares another's items).
  void UpdateItemsStyleContext();
  // A document that shares the items of another (a printable copy) empties itself and takes
  // Source's item list.
  void TakeItemsFrom(TCustomUVData* Source);

  // --- The native format (UVF) ------------------------------------------------------------------
  // Writes the whole document or the selection.
  bool SaveUVFToStream(TStream* Stream, bool SelectionOnly, TColor Color, TUVBackground* Background,
                       TUVLayoutInfo* Layout);
  bool SaveUVFToStreamEx(TStream* Stream, TUVFSaveScope Scope, TColor Color, TUVBackground* Background,
                         TUVLayoutInfo* Layout);
  // Reads a stream into the document at Index (which then stands after the inserted items).
  // Editing: the editor's own checkpoint and protection rules; Join: the first item joins the
  // text at Index; WholeDocument: stored styles and layout replace the document's.
  bool InsertUVFFromStream(TStream* Stream, Integer& Index, bool& InProgress, Integer& ItemsAdded,
                           TUVLayoutInfo* Layout, TUVBackground* Background, TColor* Color, bool Editing, bool Join,
                           bool WholeDocument, Integer FirstParaNo);
  bool InsertUVFFromStreamAt(TStream* Stream, Integer Index, bool WholeDocument, TUVLayoutInfo* Layout,
                             TUVBackground* Background, TColor* Color);
  // Clears the document, then reads the stream as a whole document.
  bool LoadUVFFromStream(TStream* Stream, TColor* Color, TUVBackground* Background, TUVLayoutInfo* Layout);
  bool LoadUVF(const AnsiString& FileName, TColor* Color, TUVBackground* Background, TUVLayoutInfo* Layout);
  // Nested documents (table cells) in a stream: a 32-bit byte count, then UVF.
  bool InsertUVFFromStreamWithLength(TStream* Stream);
  void SaveUVFToStreamWithLength(TStream* Stream);

  // --- RTF, HTML and plain text ------------------------------------------------------------------
  // Writes the document or the selection as RTF. Level is above 0 for a table cell, which is
  // given the tables of the enclosing write. True also when there is nothing to write.
  virtual bool SaveRTFToStream(TStream* Stream, bool SelectionOnly, TColor Color, Integer Level = 0,
                               TUVRTFFontTable* FontTable = nullptr, TUVColorList* ColorList = nullptr,
                               TUVIntegerList* ListOverrideOffsets = nullptr, double TwipsPerPixel = 0);
  bool SaveRTF(const AnsiString& FileName, bool SelectionOnly, TColor Color);
  // An HTML page with FONT tags; false without a style sheet.
  virtual bool SaveHTMLToStream(TStream* Stream, const AnsiString& Path, const AnsiString& Title,
                                const AnsiString& ImagesPrefix, Integer Options, TColor Color, Integer LeftMargin,
                                Integer TopMargin, Integer RightMargin, Integer BottomMargin, TUVBackground* Background);
  // An HTML page whose styles are CSS classes (written into the page when CSSFileName is empty).
  virtual bool SaveHTMLToStreamWithCSS(TStream* Stream, const AnsiString& Path, const AnsiString& Title,
                                       const AnsiString& ImagesPrefix, Integer Options, TColor Color,
                                       Integer LeftMargin, Integer TopMargin, Integer RightMargin, Integer BottomMargin,
                                       TUVBackground* Background, const AnsiString& CSSFileName);
  bool SaveHTML(const AnsiString& FileName, const AnsiString& Title, const AnsiString& ImagesPrefix, Integer Options,
                TColor Color, Integer LeftMargin, Integer TopMargin, Integer RightMargin, Integer BottomMargin,
                TUVBackground* Background);
  bool SaveHTMLWithCSS(const AnsiString& FileName, const AnsiString& Title, const AnsiString& ImagesPrefix,
                       Integer Options, TColor Color, Integer LeftMargin, Integer TopMargin, Integer RightMargin,
                       Integer BottomMargin, TUVBackground* Background, const AnsiString& CSSFileName);
  // The text of the document or the selection, 8-bit or UTF-16 without a byte-order mark.
  bool SaveTextToStream(TStream* Stream, const AnsiString& Path, Integer LineWidth, bool SelectionOnly,
                        bool TextOnly, bool Unicode);
  bool SaveText(const AnsiString& FileName, Integer LineWidth, bool Unicode);

  // --- Item access ---------------------------------------------------------------------------
  Integer GetItemCount() const { return Items->GetCount(); }
  TCustomUVItemInfo* GetItem(Integer ItemNo) const {
    return static_cast<TCustomUVItemInfo*>(Items->GetObjects(ItemNo));
  }
  Integer GetItemStyle(Integer ItemNo) const { return GetItem(ItemNo)->StyleNo; }
  Integer GetItemPara(Integer ItemNo) const { return GetItem(ItemNo)->ParaNo; }
  Byte GetItemOptions(Integer ItemNo) const { return GetItem(ItemNo)->ItemOptions; }
  TUVCPInfo* GetItemCheckpoint(Integer ItemNo) const { return GetItem(ItemNo)->Checkpoint; }
  AnsiString GetItemText(Integer ItemNo) const { return Items->GetStrings(ItemNo); }
  void SetItemText(Integer ItemNo, const AnsiString& Text) { Items->SetStrings(ItemNo, Text); }
  // Raise EUzurUvadError "Item index is out of bounds" for an index outside the list; the getter
  // answers for a list marker's item when the item before ItemNo is one.
  bool GetPageBreakBefore(Integer ItemNo) const;
  void SetPageBreakBefore(Integer ItemNo, bool Value);
  bool IsParaStart(Integer ItemNo) const { return GetItem(ItemNo)->StartsPara(); }
  bool IsLineStart(Integer ItemNo) const { return !GetItem(ItemNo)->GetContinuesPara(); }
  Integer GetFirstParaItem(Integer ItemNo) const;
  Integer GetFirstLineItem(Integer ItemNo) const;
  void ExpandToParagraphs(Integer First, Integer Last, Integer& NewFirst, Integer& NewLast) const;
  void ExpandToLines(Integer First, Integer Last, Integer& NewFirst, Integer& NewLast) const;
  void ClampItemNo(Integer& ItemNo) const;
  Integer IndexOfItem(const TCustomUVItemInfo* Item) const { return Items->IndexOfObject(Item); }
  Integer FindControlItemNo(TControl* Control) const;
  // The first index at or after Start whose item is Item or holds it in a nested document.
  Integer FindItemDeep(Integer Start, TCustomUVItemInfo* Item);
  // Gives every item of ItemNo's paragraph the ParaNo of its first item.
  void UnifyParaNo(Integer ItemNo);
  TUVBiDiMode GetItemBiDiMode(Integer ItemNo);
  TUVBiDiMode GetParaBiDiMode(Integer ParaNo);
  // The code page of a text style's charset; 0 without a style sheet.
  Integer GetStyleCodePage(Integer StyleNo);
  // Whether the character at the 1-based Position of an item text is a word delimiter.
  bool IsDelimiter(const AnsiString& Text, Integer Position, Byte ItemOptions);
  bool IsDelimiterA(char Char);
  bool IsDelimiterW(WideChar Char);
  // The next and previous caret offsets, never splitting what the system treats as one character.
  Integer NextCharOffset(Integer ItemNo, const AnsiString& Text, Integer Offset) const;
  Integer PrevCharOffset(Integer ItemNo, const AnsiString& Text, Integer Offset) const;
  // Characters of a text item (1 for other items) and the caret offsets before and after it.
  Integer GetItemLength(Integer ItemNo) const;
  Integer GetOffsBeforeItem(Integer ItemNo) const { return GetItemStyle(ItemNo) >= 0 ? 1 : 0; }
  Integer GetOffsAfterItem(Integer ItemNo) const;
  // Raises EUzurUvadError "Can't perform Unicode operation" for UTF-16 text of odd length.
  static void CheckUnicodeLength(const AnsiString& Text);

  // --- Adding (at the end) ----------------------------------------------------------------
  // The core of the add family: paragraph rules, pending checkpoint, Inserting and Inserted.
  void AddItem(const AnsiString& Text, TCustomUVItemInfo* Item);
  // A text item; ParaNo -1 continues the current paragraph. Tabs become spaces.
  void AddTextItem(const AnsiString& Text, Integer StyleNo, Integer ParaNo) {
    AddTextItemTag(Text, StyleNo, ParaNo, 0);
  }
  void AddTextItemTag(const AnsiString& Text, Integer StyleNo, Integer ParaNo, TUVTag Tag);
  // A new paragraph of Text in a text and a paragraph style.
  void AddNL(const AnsiString& Text, Integer StyleNo, Integer ParaNo) { AddTextItem(Text, StyleNo, ParaNo); }
  // Text that continues the current paragraph.
  void Add(const AnsiString& Text, Integer StyleNo) { AddTextItem(Text, StyleNo, -1); }
  // A pending checkpoint for the next item added; its number. A second call without an item in
  // between returns the same number.
  Integer AddNamedCheckpointExTag(const AnsiString& Name, bool RaiseEvent, TUVTag Tag);
  Integer AddCheckpoint() { return AddNamedCheckpointExTag(AnsiString(), false, 0); }
  // Appends a text file, one text item per line; false (and nothing added) when it cannot be read.
  bool LoadText(const AnsiString& FileName, Integer StyleNo, Integer ParaNo, bool AsSingleParagraph);
  // Moves every item of Source to the end of this document. Raises EUzurUvadError "Can't assign
  // UzurUvad to UzurUvad - tags types mismatch" when only one of the two has string tags.
  void AppendFrom(TCustomUVData* Source);

  // --- Merging text items ----------------------------------------------------------------------
  bool CanMergeTextItems(Integer ItemNo, bool IgnorePara) const;
  void MergeTextItems(Integer ItemNo);
  void NormalizeTextItems(Integer First, Integer Last);

  // --- Styles, markers, checkpoints, removal -------------------------------------------------
  virtual void RenumberStyles(TUVStyleUsage& Used);
  // A refused edit: beeps unless the style sheet's UseSound is off.
  virtual void Beep();
  // Inserts the marker at ItemNo into the marker list after the previous marker and renumbers.
  void AddMarkerToList(Integer ItemNo);
  void RemoveMarkerFromList(TUVMarkerItemInfo* Marker, bool Clearing);
  void RecalcMarkersFrom(Integer ItemNo);
  // The marker before ItemNo (searching backwards, through items that hold markers, and on in the
  // parent documents); none when there is none.
  TUVMarkerItemInfo* FindPreviousMarker(Integer ItemNo);
  // Inserts a checkpoint into the chain in item order.
  void LinkCheckpoint(TUVCPInfo* CP);
  void UnlinkCheckpoint(TUVCPInfo* CP);
  void FreeCheckpoint(TUVCPInfo*& CP, bool Unlink, bool DecCount);
  // The last checkpoint before ItemNo; none when there is none.
  TUVCPInfo* GetCheckpointBeforeItem(Integer ItemNo);
  void UpdateCheckpointItemNumbers();
  // NotifyRemoving, then FreeItemObject.
  void FreeItem(Integer ItemNo, bool Clearing);

  // --- RTF support -----------------------------------------------------------------------------
  // The colour table and the list-override counts of an RTF write.
  void MakeRTFTables(TUVColorList* ColorList, TUVIntegerList* ListOverrideCounts, bool Rebuild);
  static AnsiString RTFEscapeText(const AnsiString& Text, bool IsRTFCode);
  static AnsiString RTFEscapeName(const AnsiString& Name);
  static AnsiString RTFEscapeIdentifier(const AnsiString& Name);
  // UTF-16 text for RTF: units 1 to 127 escaped, others as "\u%d " (signed), followed by their
  // 8-bit form in CodePage with uvrtfDuplicateUnicode.
  static AnsiString RTFUnicodeText(const WideString& Text, TUVRTFOptions Options, Integer CodePage);

  Integer FirstJumpNo = 0;
  TStringList* Items;
  bool AddParagraphs = true;
  TUVCPInfo* FirstCP = nullptr;
  TUVCPInfo* LastCP = nullptr;
  TUVCPInfo* NotAddedCP = nullptr;
  Integer CPCount = 0;
  Cardinal State = 0;

  // The native-format reader's run (its record header, line modes and style maps).
  struct UVFReader;

private:
  TUVFStyleMaps* FUVFStyleMaps = nullptr;

protected:
  // Tag helpers by this document's tag model.
  bool TagsArePChars() { return GetOptions().Contains(uvoTagsArePChars); }
  void FreeTag(TUVTag& Tag);
  // The range a writer covers: the selection, or the whole document whatever a derived document
  // has selected.
  void GetWriteRange(bool SelectionOnly, Integer& StartItemNo, Integer& StartOffs, Integer& EndItemNo, Integer& EndOffs,
                     TCustomUVItemInfo*& StartPartial, TCustomUVItemInfo*& EndPartial);
  // A text item ready to be added (Unicode flag, tabs expanded).
  TCustomUVItemInfo* MakeTextItem(AnsiString& Text, Integer StyleNo, Integer ParaNo, TUVTag Tag);
};
