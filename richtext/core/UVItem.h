// Document items: the classes of the things a document holds (text runs, horizontal lines,
// pictures, image-list bullets and hotspots; list markers are in UVMarker.h, tables register
// themselves), their option bits, checkpoints and tags, the factory that makes an item from a
// style number, the registry of extra item kinds, and the complete set of operations through
// which the document, the formatter, the painter, the printer, the readers and writers, the
// editor and the undo list talk to an item. An item's text is kept beside it in the document's
// item list, not in the item.
#pragma once

#include "classlib/Bitmaps.h"
#include "classlib/Controls.h"
#include "classlib/Graphics.h"
#include "classlib/ImgList.h"
#include "classlib/Pictures.h"
#include "classlib/Streams.h"
#include "richtext/core/DLines.h"
#include "richtext/core/UVClasses.h"
#include "richtext/core/UVFMisc.h"
#include "richtext/core/UVTypes.h"

class TCustomUVData;
class TCustomUVFormattedData;
class TCustomUVItemInfo;
class TUVStyle;
class TUVRTFFontTable;

// Style numbers of the item kinds (0 and above: text of that text style).
enum : Integer {
  uvsBreak = -1,
  uvsCheckpoint = -2,  // native format record only
  uvsPicture = -3,
  uvsHotspot = -4,
  uvsComponent = -5,
  uvsBullet = -6,
  uvsBack = -7,     // native format record only
  uvsVersion = -8,  // native format record only
  uvsDocProperty = -9,  // native format record only (styles and layout)
  uvsHotPicture = -10,
  uvsListMarker = -11,
  uvsTable = -60,
};

// Boolean properties of an item that need no style sheet (QueryFlag).
enum : Integer {
  uvbpFullWidth = 0,              // takes a whole line
  uvbpValid = 1,                  // holds its object (picture, control, image list)
  uvbpRequiresUVFLines = 2,       // reads its own data lines of the native format
  uvbpDisplayActiveState = 3,     // is marked as the active item while it holds the caret
  uvbpDrawingChangesFont = 4,     // drawing it changes the canvas font
  uvbpCanSaveUnicode = 5,         // its text export may be UTF-16
  uvbpAlwaysInText = 6,           // contributes to text-only exports
  uvbpImmediateControlOwner = 7,  // holds a control itself
};

// Boolean properties that may depend on the item's text style (QueryStyledFlag).
enum : Integer {
  uvbspPrintToBitmap = 0,     // printed through a bitmap (PrintToBitmap) rather than Print
  uvbspJump = 1,              // is a hyperlink
  uvbspAllowsFocus = 2,       // can take the keyboard focus
  uvbspHotColdJump = 3,       // looks different under the mouse
  uvbspXORFocus = 4,          // the focus rectangle is drawn around it
  uvbspSetsDrawLineSize = 6,  // sets the size of its draw record itself
};

// Named integer properties written to the native format as name=value lines.
enum TUVExtraItemProperty {
  uvepUnknown,
  uvepVShift,
  uvepVShiftAbs,
  uvepImageWidth,
  uvepImageHeight,
  uvepTransparent,
  uvepTransparentMode,
  uvepTransparentColor,
  uvepMinHeightOnPage
};

// Formats told when loading starts and ends (BeforeLoading, AfterLoading).
enum : Integer { uvlfRTF = 2, uvlfUVF = 3 };

// Which sub-document of an item is asked for (GetSubDocument).
enum TUVSubDocumentPosition {
  uvsdFirst,        // the first sub-document
  uvsdLast,         // the last
  uvsdChosenDown,   // the last of the selected ones (or the chosen one)
  uvsdChosenUp,     // the first of the selected ones (or the chosen one)
  uvsdNext,         // the one after the stored position, in reading order
  uvsdPrev          // the one before it
};

// A checkpoint: a named mark attached to an item, in the document's chain in item order.
class TUVCPInfo : public TObject {
  CLASS_INFO(TUVCPInfo, TObject)
public:
  // Copies Name, RaiseEvent and Tag (a string tag is duplicated), nothing else.
  void Assign(const TUVCPInfo* Source, bool TagsArePChars);

  AnsiString Name;
  TUVCPInfo* Next = nullptr;
  TUVCPInfo* Prev = nullptr;
  bool RaiseEvent = false;
  TCustomUVItemInfo* ItemInfo = nullptr;  // none while pending
  Integer ItemNo = -1;                    // refreshed from the item list before use
  TUVTag Tag = 0;
};

// The context that the RTF writer passes to the items.
struct TUVRTFSaveContext {
  double TwipsPerPixel = 15;
  Integer Level = 0;                             // nesting level (0 for a document)
  TUVColorList* ColorList = nullptr;             // the colour table
  TUVRTFFontTable* FontTable = nullptr;          // the font table
  TUVIntegerList* ListOverrideNumbers = nullptr;  // per list style: the override number in use
};

// Image files already written during one HTML save, so that identical images share a file.
class TUVHTMLImageCache : public TObject {
  CLASS_INFO(TUVHTMLImageCache, TObject)
public:
  ~TUVHTMLImageCache() override;
  // The file of an image list's image, or of a graphic, on a background colour; the image is
  // written (as a JPEG file named by the document) only the first time.
  AnsiString GetImageFile(TCustomUVData* UVData, TCustomImageList* ImageList, Integer ImageIndex, TGraphic* Graphic,
                          TColor BackColor, const AnsiString& Path, const AnsiString& Prefix, Integer& Counter,
                          bool Overwrite);

private:
  struct Entry {
    TCustomImageList* ImageList;
    Integer ImageIndex;
    TGraphic* Graphic;
    TColor BackColor;
    AnsiString FileName;
  };
  std::vector<Entry> FEntries;
};

// Shifts of style numbers after unused styles are deleted, and the marks of used ones.
struct TUVStyleUsage {
  TUVIntegerList* TextStyles = nullptr;
  TUVIntegerList* ParaStyles = nullptr;
  TUVIntegerList* ListStyles = nullptr;
};

using TUVItemConstructor = TCustomUVItemInfo* (*)(TCustomUVData* UVData);

// Declares an item class: its class reference and a copy of itself for CreateCopy.
#define UVITEM_CLASS(Self, Parent)                                                                      \
  CLASS_INFO(Self, Parent)                                                                              \
                                                                                                        \
public:                                                                                                 \
  TCustomUVItemInfo* NewInstance(TCustomUVData* AUVData) const override { return new Self(AUVData); } \
                                                                                                        \
private:

class TCustomUVItemInfo : public TPersistent {
  CLASS_INFO(TCustomUVItemInfo, TPersistent)
public:
  explicit TCustomUVItemInfo(TCustomUVData* UVData);
  ~TCustomUVItemInfo() override;
  // An empty item of the same class for UVData.
  virtual TCustomUVItemInfo* NewInstance(TCustomUVData* UVData) const { return new TCustomUVItemInfo(UVData); }

  // --- Option bits ---------------------------------------------------------------------------
  bool GetContinuesPara() const { return (ItemOptions & uvioSameAsPrev) != 0; }
  // Setting clears the page-break and line-break bits.
  void SetContinuesPara(bool Value);
  bool GetPageBreakBefore() const { return (ItemOptions & uvioPageBreakBefore) != 0; }
  // Setting clears the continue and line-break bits.
  void SetPageBreakBefore(bool Value);
  bool GetBreaksLine() const { return (ItemOptions & uvioBR) != 0; }
  // Setting clears the continue bit; refused by items that take a whole line.
  void SetBreaksLine(bool Value);
  // Neither the continue bit nor the line-break bit.
  bool StartsPara() const { return (ItemOptions & (uvioSameAsPrev | uvioBR)) == 0; }
  bool IsUnicode() const { return (ItemOptions & uvioUnicode) != 0; }

  // A copy of Source for UVData: its class, Assign, a copy of its checkpoint, and its tag
  // duplicated by the document's tag rules.
  static TCustomUVItemInfo* CreateCopy(TCustomUVItemInfo* Source, TCustomUVData* UVData);

  // --- Measuring and drawing -----------------------------------------------------------------
  // The narrowest width the item can be formatted into (device pixels when Sad is given).
  virtual Integer GetMinWidth(const TUVScreenAndDevice* Sad, TCanvas* Canvas, TCustomUVData* UVData);
  // The item's picture, if it has one.
  virtual TGraphic* AsImage() { return nullptr; }
  virtual bool QueryFlag(Integer Code);
  virtual bool QueryStyledFlag(Integer Code, TUVStyle* Style);
  // Draws an item that takes a whole line from Left to Right at Top.
  virtual void PaintFullWidth(Integer Left, Integer Right, Integer Top, TCanvas* Canvas, TUVTextDrawStates State,
                              TUVStyle* Style, const TRect& ClipRect, TCustomUVFormattedData* UVData);
  // Draws an item inside a line with its box's top-left corner at (X, Y).
  virtual void Paint(Integer X, Integer Y, TCanvas* Canvas, TUVTextDrawStates State, TUVStyle* Style,
                     TUVDrawLineInfo* DrawItem);
  // Renders the item (or page part Part of it) into a bitmap for printing; false for nothing.
  virtual bool PrintToBitmap(TBitmap* Bitmap, bool Preview, TCustomUVData* UVData, TUVDrawLineInfo* DrawItem,
                             Integer Part);
  // Draws the item on a printer canvas; X2 is the right edge for items that take a whole line.
  virtual void Print(TCanvas* Canvas, Integer X, Integer Y, Integer X2, bool Preview, bool Correction,
                     const TUVScreenAndDevice& Sad, TCustomUVData* UVData, TUVDrawLineInfo* DrawItem, Integer Part);
  virtual Integer GetImageWidth(TUVStyle* /*Style*/) { return 0; }
  virtual Integer GetImageHeight(TUVStyle* /*Style*/) { return 0; }
  // The inset of the picture inside the item's box.
  virtual Integer GetHorzInset() { return 1; }
  virtual Integer GetVertInset() { return 1; }
  // The draw record formatting stores for the item.
  virtual TUVDrawLineInfo* CreateDrawRecord(bool Printing, TCustomUVData* UVData, const TUVScreenAndDevice* Sad);
  // Before the item goes into a document (Safe: its control gets no parent) and after.
  virtual void Inserting(TCustomUVData* UVData, AnsiString& Text, bool Safe);
  virtual void Inserted(TCustomUVData* UVData, Integer ItemNo);
  // Lets the item adapt to a new document width; HShift receives the item's horizontal offset.
  // True when the item changed its size.
  virtual bool OnDocWidthChange(Integer DocWidth, TUVDrawLineInfo* DrawItem, bool Printing, TCanvas* Canvas,
                                TCustomUVData* UVData, const TUVScreenAndDevice* Sad, Integer& HShift,
                                bool NoCaching);

  // --- Native format --------------------------------------------------------------------------
  // The extra field of the item's header line.
  virtual AnsiString GetUVFExtraHeader(TCustomUVData* /*UVData*/) { return AnsiString(); }
  virtual Integer GetExtraPropertyCount() { return 0; }
  virtual void SaveUVFExtraProperties(TStream* /*Stream*/) {}
  virtual bool SetExtraIntProperty(TUVExtraItemProperty /*Prop*/, Integer /*Value*/) { return false; }
  virtual bool GetExtraIntProperty(TUVExtraItemProperty /*Prop*/, Integer& /*Value*/) { return false; }
  // Copies StyleNo, ParaNo and ItemOptions; each class adds its own fields.
  void Assign(TPersistent* Source) override;
  // Parses the extra fields of the header (P points after the sixth field).
  virtual bool ReadUVFHeader(const char*& /*P*/, TCustomUVData* /*UVData*/) { return true; }
  // Reads data line LineNo of LineCount; Name receives the item's name or text.
  virtual bool ReadUVFLine(const AnsiString& S, TCustomUVData* UVData, Integer ReadType, Integer LineNo,
                           Integer LineCount, AnsiString& Name, TUVFReadMode& ReadMode, TUVFReadState& ReadState);
  // Writes the item's record: header, name and data lines. ForceSameAsPrev writes the item as
  // continuing the paragraph.
  virtual void SaveUVF(TStream* /*Stream*/, TCustomUVData* /*UVData*/, Integer /*ItemNo*/, const AnsiString& /*Name*/,
                       bool /*ForceSameAsPrev*/) {}
  // Writes only the selected part of an item that holds a selection inside itself.
  virtual bool SaveUVFSelection(TStream* /*Stream*/, TCustomUVData* /*UVData*/, Integer /*ItemNo*/) { return false; }
  // Prepares for loading and finishes it (Format: uvlfRTF or uvlfUVF).
  virtual void BeforeLoading(Integer /*Format*/) {}
  virtual void AfterLoading(Integer /*Format*/) {}

  // --- Other writers -------------------------------------------------------------------------
  virtual void SaveRTF(TStream* /*Stream*/, const AnsiString& /*Path*/, TCustomUVData* /*UVData*/, Integer /*ItemNo*/,
                       const AnsiString& /*Name*/, TUVRTFSaveContext& /*Context*/) {}
  // Colours (and list overrides) that the item's RTF will refer to.
  virtual void FillRTFTables(TUVColorList* /*ColorList*/, TUVIntegerList* /*ListOverrideCounts*/, TCustomUVData* /*UVData*/) {}
  virtual void SaveHTML(TStream* /*Stream*/, TCustomUVData* /*UVData*/, Integer /*ItemNo*/, const AnsiString& /*Text*/,
                        const AnsiString& /*Path*/, const AnsiString& /*ImgSavePrefix*/, Integer& /*ImgSaveNo*/,
                        TColor /*CurrentParaColor*/, Integer /*SaveOptions*/, bool /*UseCSS*/, TUVHTMLImageCache* /*Images*/) {}
  // The plain-text form of the item.
  virtual AnsiString AsText(Integer /*LineWidth*/, TCustomUVData* /*UVData*/, const AnsiString& /*Text*/,
                            const AnsiString& /*Path*/, bool /*TextOnly*/, bool /*Unicode*/) {
    return AnsiString();
  }

  // --- Life in a document --------------------------------------------------------------------
  // The item leaves its document (deleted, or moved to an undo record) and comes back.
  virtual void NotifyRemoving(TCustomUVData* UVData, Integer ItemNo);
  virtual void AfterUndoRestore(TCustomUVData* /*UVData*/, Integer /*ItemNo*/) {}
  // An editor is about to change a property of the item (or of an object inside it) and has
  // changed it.
  virtual void BeforeUndoChangeProperty() {}
  virtual void AfterUndoChangeProperty() {}
  // The item moves into an undo record (Container) and back out of it.
  virtual void MovingToUndoList(Integer /*ItemNo*/, TCustomUVData* /*UVData*/, TObject* /*Container*/) {}
  virtual void MovingFromUndoList(Integer /*ItemNo*/, TCustomUVData* /*UVData*/) {}
  // The document's palette handling applies to the item's pictures.
  virtual void UpdatePaletteInfo(TUVPaletteAction /*Action*/, bool /*ForceRecreateCopy*/, HPALETTE /*Palette*/,
                                 LOGPALETTE* /*LogPalette*/) {}
  // The document's style context changed (the item was inserted, styles were replaced).
  virtual void UpdateStyleContext(TCustomUVData* /*UVData*/) {}
  virtual bool OwnsControl(TControl* /*Control*/) { return false; }
  // Marks the styles the item uses, and shifts its style numbers after unused ones went.
  virtual void MarkUsedParaStyle(TUVStyleUsage& Used);
  virtual void RenumberParaStyle(TUVStyleUsage& Used);
  virtual bool SetFocusToControl() { return false; }
  // Reports the item's absolute hyperlink number to the document.
  virtual void NotifyHyperlink(TCustomUVData* /*UVData*/) {}
  // The item adds hyperlink areas of its own (a table: those of its cells) at (Left, Top).
  virtual void BuildJumps(Integer /*Left*/, Integer /*Top*/, Integer& /*JumpCount*/, TUVList* /*Jumps*/) {}

  // --- The mouse --------------------------------------------------------------------------------
  // Mouse events over the item (or sent to it while it holds the capture), in coordinates
  // relative to its draw record; true when the item handled them.
  virtual bool MouseDown(TMouseButton /*Button*/, TShiftState /*Shift*/, Integer /*X*/, Integer /*Y*/,
                         Integer /*ItemNo*/, TCustomUVFormattedData* /*UVData*/) {
    return false;
  }
  virtual bool MouseMove(TShiftState /*Shift*/, Integer /*X*/, Integer /*Y*/, Integer /*ItemNo*/,
                         TCustomUVFormattedData* /*UVData*/) {
    return false;
  }
  virtual bool MouseUp(TMouseButton /*Button*/, TShiftState /*Shift*/, Integer /*X*/, Integer /*Y*/,
                       Integer /*ItemNo*/, TCustomUVFormattedData* /*UVData*/) {
    return false;
  }

  // --- Items that hold documents (tables) ----------------------------------------------------
  // The document that holds the item; the documents held by the item answer it as their parent.
  // An item that holds documents keeps it (a table: the document it was inserted into); none by
  // default.
  virtual TCustomUVData* GetParentData() { return nullptr; }
  // The sub-document at Position; StoreState keeps the position for uvsdNext and uvsdPrev and
  // receives a new saved position (owned by the caller). None by default.
  virtual TCustomUVFormattedData* GetSubDocument(TUVStoreSubUVData*& StoreState, TUVSubDocumentPosition Position);
  // The sub-document under a point relative to the item's draw record.
  virtual TCustomUVFormattedData* GetSubDocumentAtPos(Integer /*X*/, Integer /*Y*/) { return nullptr; }
  // The sub-document that a saved position names.
  virtual TCustomUVFormattedData* ChooseSubDocument(TUVStoreSubUVData* /*StoreState*/) { return nullptr; }
  // Leaves the sub-document that was chosen for editing.
  virtual void CleanUpChosen() {}
  // The caret enters the item from outside (From: 0 from the left, 1 from the right, 2 from
  // above, 3 from below; Coord: the x of the caret); true when the item took it.
  virtual bool EnterItem(Integer /*From*/, Integer /*Coord*/) { return false; }
  // Tab navigation returns from a control: the item makes the sub-document holding it focused.
  virtual bool LocateControl(TControl* /*Control*/, TCustomUVFormattedData*& /*FocusedData*/, Integer& /*FocusedItemNo*/) {
    return false;
  }
  // Text search through the sub-documents.
  virtual bool SearchText(bool /*Down*/, bool /*MatchCase*/, bool /*WholeWord*/, const AnsiString& /*Text*/) { return false; }
  virtual void StopSearch() {}
  // A soft page break inside the item, as an offset from its top.
  virtual Integer GetSoftPageBreakDY(Integer /*Data*/) { return 0; }

  // --- Selections inside the item (selected table cells) ---------------------------------------
  virtual bool HasPartialSelection() { return false; }
  virtual void DeselectPartial() {}
  virtual bool CanDeletePartiallySelected() { return false; }
  virtual void DeletePartiallySelected() {}
  // Style operations of the editor reaching into the selected sub-documents.
  virtual void ApplyStyleConversionToSubDocuments(Integer /*UserData*/, bool /*SelectedOnly*/) {}
  virtual void ApplyParaStyleToSubDocuments(Integer /*ParaNo*/) {}
  virtual void ApplyParaStyleConversionToSubDocuments(Integer /*UserData*/) {}
  // Converts a non-text item whole (a table converts its cells).
  virtual void ApplyStyleConversion(TCustomUVData* /*UVData*/, Integer /*ItemNo*/, Integer /*UserData*/) {}

  Integer StyleNo = 0;
  Integer ParaNo = -1;
  Byte ItemOptions = 0;
  TUVCPInfo* Checkpoint = nullptr;
  Integer HyperlinkId = 0;
  TUVTag Tag = 0;
  Integer DrawItemNo = -1;

protected:
  // The record header "%d %d %s %d %d %s %s" for non-text items.
  void SaveUVFHeader(TStream* Stream, TCustomUVData* UVData, Integer LineCount, Integer ReadType,
                     bool ForceSameAsPrev);
};

// A text run of the text style StyleNo.
class TUVTextItemInfo : public TCustomUVItemInfo {
  UVITEM_CLASS(TUVTextItemInfo, TCustomUVItemInfo)
public:
  explicit TUVTextItemInfo(TCustomUVData* UVData) : TCustomUVItemInfo(UVData) {}
  bool QueryStyledFlag(Integer Code, TUVStyle* Style) override;
  void MarkUsedParaStyle(TUVStyleUsage& Used) override;
  void RenumberParaStyle(TUVStyleUsage& Used) override;
  void NotifyHyperlink(TCustomUVData* UVData) override;
};

class TUVNonTextItemInfo : public TCustomUVItemInfo {
  UVITEM_CLASS(TUVNonTextItemInfo, TCustomUVItemInfo)
public:
  explicit TUVNonTextItemInfo(TCustomUVData* UVData) : TCustomUVItemInfo(UVData) {}
  // The item's box.
  virtual Integer GetBorderHeight() { return 0; }
  virtual Integer GetBorderWidth() { return 0; }
  // Offset of the item's drawing from its anchor (markers in right-to-left lines).
  virtual Integer GetHorzOffset() { return 0; }
  // Moves what the item shows (a control, a table's cell editor) to its place on the screen.
  virtual void SetPosition(Integer /*X*/, Integer /*Y*/, TCustomUVFormattedData* /*UVData*/) {}
};

// Items that take a whole line.
class TUVFullLineItemInfo : public TUVNonTextItemInfo {
  UVITEM_CLASS(TUVFullLineItemInfo, TUVNonTextItemInfo)
public:
  explicit TUVFullLineItemInfo(TCustomUVData* UVData) : TUVNonTextItemInfo(UVData) {}
  bool QueryFlag(Integer Code) override;
  Integer GetHorzInset() override { return 0; }
  Integer GetVertInset() override { return 0; }
};

// A horizontal line.
class TUVBreakItemInfo : public TUVFullLineItemInfo {
  UVITEM_CLASS(TUVBreakItemInfo, TUVFullLineItemInfo)
public:
  explicit TUVBreakItemInfo(TCustomUVData* UVData);
  TUVBreakItemInfo(TCustomUVData* UVData, Byte ALineWidth, Byte AStyle, TColor AColor);
  void Assign(TPersistent* Source) override;
  bool QueryFlag(Integer Code) override;
  bool QueryStyledFlag(Integer Code, TUVStyle* Style) override;
  void PaintFullWidth(Integer Left, Integer Right, Integer Top, TCanvas* Canvas, TUVTextDrawStates State,
                      TUVStyle* Style, const TRect& ClipRect, TCustomUVFormattedData* UVData) override;
  void Print(TCanvas* Canvas, Integer X, Integer Y, Integer X2, bool Preview, bool Correction,
             const TUVScreenAndDevice& Sad, TCustomUVData* UVData, TUVDrawLineInfo* DrawItem, Integer Part) override;
  AnsiString GetUVFExtraHeader(TCustomUVData* UVData) override;
  bool ReadUVFHeader(const char*& P, TCustomUVData* UVData) override;
  void SaveUVF(TStream* Stream, TCustomUVData* UVData, Integer ItemNo, const AnsiString& Name,
               bool ForceSameAsPrev) override;
  void SaveRTF(TStream* Stream, const AnsiString& Path, TCustomUVData* UVData, Integer ItemNo, const AnsiString& Name,
               TUVRTFSaveContext& Context) override;
  void FillRTFTables(TUVColorList* ColorList, TUVIntegerList* ListOverrideCounts, TCustomUVData* UVData) override;
  void SaveHTML(TStream* Stream, TCustomUVData* UVData, Integer ItemNo, const AnsiString& Text,
                const AnsiString& Path, const AnsiString& ImgSavePrefix, Integer& ImgSaveNo, TColor CurrentParaColor,
                Integer SaveOptions, bool UseCSS, TUVHTMLImageCache* Images) override;
  AnsiString AsText(Integer LineWidth, TCustomUVData* UVData, const AnsiString& Text, const AnsiString& Path,
                    bool TextOnly, bool Unicode) override;
  // Color, or the colour of text style 0 for clNone.
  TColor GetLineColor(TUVStyle* Style) const;

  Byte LineWidth = 1;
  Byte Style = 0;
  TColor Color = clNone;
};

// An item with a box of its own inside a line.
class TUVRectItemInfo : public TUVNonTextItemInfo {
  UVITEM_CLASS(TUVRectItemInfo, TUVNonTextItemInfo)
public:
  explicit TUVRectItemInfo(TCustomUVData* UVData) : TUVNonTextItemInfo(UVData) {}
  // Copies VAlign, VShift and VShiftAbs.
  void Assign(TPersistent* Source) override;
  // How far the item reaches below the baseline.
  virtual Integer GetRectMetric() { return 1; }
  AnsiString GetUVFExtraHeader(TCustomUVData* UVData) override;
  bool ReadUVFHeader(const char*& P, TCustomUVData* UVData) override;
  Integer GetExtraPropertyCount() override;
  void SaveUVFExtraProperties(TStream* Stream) override;
  bool SetExtraIntProperty(TUVExtraItemProperty Prop, Integer Value) override;
  bool GetExtraIntProperty(TUVExtraItemProperty Prop, Integer& Value) override;
  // " align=middle" for middle alignment; with CSS a vertical-align style for a shift.
  virtual AnsiString GetHTMLVAlign(bool UseCSS);
  // The item's record: its name line, then its property lines.
  bool ReadUVFLine(const AnsiString& S, TCustomUVData* UVData, Integer ReadType, Integer LineNo, Integer LineCount,
                   AnsiString& Name, TUVFReadMode& ReadMode, TUVFReadState& ReadState) override;
  void SaveUVF(TStream* Stream, TCustomUVData* UVData, Integer ItemNo, const AnsiString& Name,
               bool ForceSameAsPrev) override;

  Integer MinHeightOnPage = 0;
  Byte VAlign = 0;  // 0 baseline, 1 middle
  Integer VShift = 0;
  bool VShiftAbs = false;

protected:
  // "<IMG...>" for a picture file of the item, with the alignment, border, size and CSS attributes.
  AnsiString HTMLImageTag(const AnsiString& Location, bool SizeAttributes, Integer SaveOptions, bool UseCSS);
  // Hover and selection rectangles around a box of Width x Height at (X, Y).
  void PaintFrames(Integer X, Integer Y, Integer Width, Integer Height, TCanvas* Canvas, TUVTextDrawStates State,
                   TUVStyle* Style);
};

// A control placed in the document; the item owns it.
class TUVControlItemInfo : public TUVRectItemInfo {
  UVITEM_CLASS(TUVControlItemInfo, TUVRectItemInfo)
public:
  explicit TUVControlItemInfo(TCustomUVData* UVData);
  // Takes ownership of AControl.
  TUVControlItemInfo(TCustomUVData* UVData, TControl* AControl, Byte AVAlign);
  ~TUVControlItemInfo() override;
  void Assign(TPersistent* Source) override;

  bool QueryFlag(Integer Code) override;
  bool QueryStyledFlag(Integer Code, TUVStyle* Style) override;
  Integer GetMinWidth(const TUVScreenAndDevice* Sad, TCanvas* Canvas, TCustomUVData* UVData) override;
  Integer GetBorderWidth() override { return Control ? Control->GetWidth() + 2 : 2; }
  Integer GetBorderHeight() override { return Control ? Control->GetHeight() + 2 : 2; }
  Integer GetImageWidth(TUVStyle*) override { return Control ? Control->GetWidth() : 0; }
  Integer GetImageHeight(TUVStyle*) override { return Control ? Control->GetHeight() : 0; }
  bool OnDocWidthChange(Integer DocWidth, TUVDrawLineInfo* DrawItem, bool Printing, TCanvas* Canvas,
                        TCustomUVData* UVData, const TUVScreenAndDevice* Sad, Integer& HShift,
                        bool NoCaching) override;
  void Inserting(TCustomUVData* UVData, AnsiString& Text, bool Safe) override;
  void SetPosition(Integer X, Integer Y, TCustomUVFormattedData* UVData) override;
  void Paint(Integer X, Integer Y, TCanvas* Canvas, TUVTextDrawStates State, TUVStyle* Style,
             TUVDrawLineInfo* DrawItem) override;
  bool PrintToBitmap(TBitmap* Bitmap, bool Preview, TCustomUVData* UVData, TUVDrawLineInfo* DrawItem,
                     Integer Part) override;
  TUVDrawLineInfo* CreateDrawRecord(bool Printing, TCustomUVData* UVData, const TUVScreenAndDevice* Sad) override;
  Integer GetExtraPropertyCount() override;
  void SaveUVFExtraProperties(TStream* Stream) override;
  bool SetExtraIntProperty(TUVExtraItemProperty Prop, Integer Value) override;
  bool GetExtraIntProperty(TUVExtraItemProperty Prop, Integer& Value) override;
  bool ReadUVFLine(const AnsiString& S, TCustomUVData* UVData, Integer ReadType, Integer LineNo, Integer LineCount,
                   AnsiString& Name, TUVFReadMode& ReadMode, TUVFReadState& ReadState) override;
  void SaveUVF(TStream* Stream, TCustomUVData* UVData, Integer ItemNo, const AnsiString& Name,
               bool ForceSameAsPrev) override;
  void SaveHTML(TStream* Stream, TCustomUVData* UVData, Integer ItemNo, const AnsiString& Text,
                const AnsiString& Path, const AnsiString& ImgSavePrefix, Integer& ImgSaveNo, TColor CurrentParaColor,
                Integer SaveOptions, bool UseCSS, TUVHTMLImageCache* Images) override;
  AnsiString AsText(Integer LineWidth, TCustomUVData* UVData, const AnsiString& Text, const AnsiString& Path,
                    bool TextOnly, bool Unicode) override;
  void NotifyRemoving(TCustomUVData* UVData, Integer ItemNo) override;
  void AfterUndoRestore(TCustomUVData* UVData, Integer ItemNo) override;
  bool OwnsControl(TControl* AControl) override { return AControl && AControl == Control; }
  bool SetFocusToControl() override;

  TControl* Control = nullptr;  // owned
  Integer PercentWidth = 0;     // 1 to 100: percent of the document width; else a fixed width
};

// The picture of a control for printing (GetControlImage of the control images unit); nil for none.
using TUVControlImageFunc = TBitmap* (*)(TControl* Control);
extern TUVControlImageFunc UVGetControlImage;

// A picture.
class TUVGraphicItemInfo : public TUVRectItemInfo {
  UVITEM_CLASS(TUVGraphicItemInfo, TUVRectItemInfo)
public:
  explicit TUVGraphicItemInfo(TCustomUVData* UVData) : TUVRectItemInfo(UVData) {}
  // Takes ownership of Graphic.
  TUVGraphicItemInfo(TCustomUVData* UVData, TGraphic* AImage, Byte AVAlign);
  ~TUVGraphicItemInfo() override;
  void Assign(TPersistent* Source) override;

  TGraphic* AsImage() override { return Image; }
  bool QueryFlag(Integer Code) override;
  bool QueryStyledFlag(Integer Code, TUVStyle* Style) override;
  Integer GetMinWidth(const TUVScreenAndDevice* Sad, TCanvas* Canvas, TCustomUVData* UVData) override;
  Integer GetBorderWidth() override { return GetImageWidth(nullptr) + 2; }
  Integer GetBorderHeight() override { return GetImageHeight(nullptr) + 2; }
  Integer GetImageWidth(TUVStyle* Style) override;
  Integer GetImageHeight(TUVStyle* Style) override;
  void Paint(Integer X, Integer Y, TCanvas* Canvas, TUVTextDrawStates State, TUVStyle* Style,
             TUVDrawLineInfo* DrawItem) override;
  bool PrintToBitmap(TBitmap* Bitmap, bool Preview, TCustomUVData* UVData, TUVDrawLineInfo* DrawItem,
                     Integer Part) override;
  void Print(TCanvas* Canvas, Integer X, Integer Y, Integer X2, bool Preview, bool Correction,
             const TUVScreenAndDevice& Sad, TCustomUVData* UVData, TUVDrawLineInfo* DrawItem, Integer Part) override;
  TUVDrawLineInfo* CreateDrawRecord(bool Printing, TCustomUVData* UVData, const TUVScreenAndDevice* Sad) override;
  Integer GetExtraPropertyCount() override;
  void SaveUVFExtraProperties(TStream* Stream) override;
  bool SetExtraIntProperty(TUVExtraItemProperty Prop, Integer Value) override;
  bool GetExtraIntProperty(TUVExtraItemProperty Prop, Integer& Value) override;
  bool ReadUVFLine(const AnsiString& S, TCustomUVData* UVData, Integer ReadType, Integer LineNo, Integer LineCount,
                   AnsiString& Name, TUVFReadMode& ReadMode, TUVFReadState& ReadState) override;
  void SaveUVF(TStream* Stream, TCustomUVData* UVData, Integer ItemNo, const AnsiString& Name,
               bool ForceSameAsPrev) override;
  void SaveRTF(TStream* Stream, const AnsiString& Path, TCustomUVData* UVData, Integer ItemNo, const AnsiString& Name,
               TUVRTFSaveContext& Context) override;
  void SaveHTML(TStream* Stream, TCustomUVData* UVData, Integer ItemNo, const AnsiString& Text,
                const AnsiString& Path, const AnsiString& ImgSavePrefix, Integer& ImgSaveNo, TColor CurrentParaColor,
                Integer SaveOptions, bool UseCSS, TUVHTMLImageCache* Images) override;
  void NotifyRemoving(TCustomUVData* UVData, Integer ItemNo) override;
  void UpdatePaletteInfo(TUVPaletteAction Action, bool ForceRecreateCopy, HPALETTE Palette,
                         LOGPALETTE* LogPalette) override;

  TGraphic* Image = nullptr;      // owned
  TGraphic* ImageCopy = nullptr;  // owned: a drawing copy with the owner's palette
  Integer ImageWidth = 0;         // 0 or less: the picture's own size
  Integer ImageHeight = 0;
};

// A picture that is a hyperlink.
class TUVHotGraphicItemInfo : public TUVGraphicItemInfo {
  UVITEM_CLASS(TUVHotGraphicItemInfo, TUVGraphicItemInfo)
public:
  explicit TUVHotGraphicItemInfo(TCustomUVData* UVData);
  TUVHotGraphicItemInfo(TCustomUVData* UVData, TGraphic* AImage, Byte AVAlign);
  bool QueryStyledFlag(Integer Code, TUVStyle* Style) override;
  void NotifyHyperlink(TCustomUVData* UVData) override;
};

// An image of an image list.
class TUVBulletItemInfo : public TUVRectItemInfo {
  UVITEM_CLASS(TUVBulletItemInfo, TUVRectItemInfo)
public:
  explicit TUVBulletItemInfo(TCustomUVData* UVData) : TUVRectItemInfo(UVData) {}
  TUVBulletItemInfo(TCustomUVData* UVData, TCustomImageList* AImageList, Integer AImageIndex, Byte AVAlign);
  void Assign(TPersistent* Source) override;
  // The image drawn; a hotspot under the mouse answers its hot image.
  virtual Integer GetActiveImageIndex(bool /*Hot*/) { return ImageIndex; }

  bool QueryFlag(Integer Code) override;
  Integer GetMinWidth(const TUVScreenAndDevice* Sad, TCanvas* Canvas, TCustomUVData* UVData) override;
  Integer GetBorderWidth() override { return GetImageWidth(nullptr) + 2; }
  Integer GetBorderHeight() override { return GetImageHeight(nullptr) + 2; }
  Integer GetImageWidth(TUVStyle* Style) override;
  Integer GetImageHeight(TUVStyle* Style) override;
  void Paint(Integer X, Integer Y, TCanvas* Canvas, TUVTextDrawStates State, TUVStyle* Style,
             TUVDrawLineInfo* DrawItem) override;
  bool PrintToBitmap(TBitmap* Bitmap, bool Preview, TCustomUVData* UVData, TUVDrawLineInfo* DrawItem,
                     Integer Part) override;
  AnsiString GetUVFExtraHeader(TCustomUVData* UVData) override;
  bool ReadUVFHeader(const char*& P, TCustomUVData* UVData) override;
  void SaveRTF(TStream* Stream, const AnsiString& Path, TCustomUVData* UVData, Integer ItemNo, const AnsiString& Name,
               TUVRTFSaveContext& Context) override;
  void SaveHTML(TStream* Stream, TCustomUVData* UVData, Integer ItemNo, const AnsiString& Text,
                const AnsiString& Path, const AnsiString& ImgSavePrefix, Integer& ImgSaveNo, TColor CurrentParaColor,
                Integer SaveOptions, bool UseCSS, TUVHTMLImageCache* Images) override;

  TCustomImageList* ImageList = nullptr;  // not owned
  Integer ImageIndex = 0;
};

// An image-list image that is a hyperlink, with another image shown under the mouse.
class TUVHotspotItemInfo : public TUVBulletItemInfo {
  UVITEM_CLASS(TUVHotspotItemInfo, TUVBulletItemInfo)
public:
  explicit TUVHotspotItemInfo(TCustomUVData* UVData);
  TUVHotspotItemInfo(TCustomUVData* UVData, TCustomImageList* AImageList, Integer AImageIndex,
                     Integer AHotImageIndex, Byte AVAlign);
  void Assign(TPersistent* Source) override;
  Integer GetActiveImageIndex(bool Hot) override { return Hot ? HotImageIndex : ImageIndex; }
  bool QueryStyledFlag(Integer Code, TUVStyle* Style) override;
  AnsiString GetUVFExtraHeader(TCustomUVData* UVData) override;
  bool ReadUVFHeader(const char*& P, TCustomUVData* UVData) override;
  void NotifyHyperlink(TCustomUVData* UVData) override;

  Integer HotImageIndex = 0;
};

// A picture record of a picture or control with a minimal height on a page, printed in parts.
class TUVImagePrintPart : public TUVMultiDrawItemPart {
  CLASS_INFO(TUVImagePrintPart, TUVMultiDrawItemPart)
public:
  Integer ImgTop = 0;     // screen pixels from the picture's top
  Integer ImgHeight = 0;  // screen pixels
  Integer Top = 0;        // device pixels from the picture's top (Height is in device pixels)
};

class TUVMultiImagePrintInfo : public TUVMultiDrawItemInfo {
  CLASS_INFO(TUVMultiImagePrintInfo, TUVMultiDrawItemInfo)
public:
  TUVMultiImagePrintInfo(TUVRectItemInfo* AItem, const TUVScreenAndDevice& ASad, Integer AScreenHeight);
  bool StartPages() override;
  bool CanSplitFirst(Integer Y) override;
  bool SplitAt(Integer Y) override;
  TUVImagePrintPart* GetImagePart(Integer Index) const { return static_cast<TUVImagePrintPart*>(GetPart(Index)); }

  TUVRectItemInfo* Item;
  TUVScreenAndDevice Sad;
  Integer ScreenHeight;  // the whole picture, screen pixels

private:
  // How many rows of the picture, from screen offset From, may go on a page with ScreenSpace
  // rows of room: all when they fit with the inset below, else a cut that leaves at least the
  // item's minimal height on both sides; 0 when there is none.
  Integer PartHeight(Integer From, Integer ScreenSpace) const;
  // Sets a part's device offset and height from its screen ones.
  void SetDeviceSize(TUVImagePrintPart* Part) const;
  // The rows of the picture that fit in Y device pixels below the inset above it.
  Integer ScreenRoom(Integer Y) const;
};

// --- Factory and registry ------------------------------------------------------------------------

// The class of text items that the factory makes for style numbers of 0 and above.
extern TUVItemConstructor UVTextItemConstructor;
// Warnings of the native-format reader added by the item readers.
enum : Cardinal { uvfwUnknownPicFmt = 1, uvfwUnknownCtrls = 2 };
// Makes a picture of a class named in a document (replaceable by the host).
using TUVGraphicCreator = TGraphic* (*)(TClass GraphicClass);
extern TUVGraphicCreator UVCreateGraphic;

// A new item for a style number: text items, the built-in kinds, or a registered kind; nil for
// a number that is neither.
TCustomUVItemInfo* CreateItemByStyleNo(TCustomUVData* UVData, Integer StyleNo);
// Registers an item kind under a style number below -9. Raises EUzurUvadError "Can't register
// UzurUvad item type - this StyleNo is already registered" for -9 and above and for a number
// registered with another class; the same pair again changes nothing.
void RegisterUzurUvadItemClass(Integer StyleNo, TClass ItemClass, TUVItemConstructor Create);
template <class T>
void RegisterUzurUvadItemClass(Integer StyleNo) {
  RegisterUzurUvadItemClass(StyleNo, T::StaticClass(),
                            [](TCustomUVData* UVData) -> TCustomUVItemInfo* { return new T(UVData); });
}

// The code of an extra property name (exact, case-sensitive); uvepUnknown for others.
TUVExtraItemProperty GetExtraPropertyCode(const AnsiString& Name);
// Applies a "name=value" line (a bad number gives 0); a line without "=" is ignored.
void ReadUVFExtraProperty(TCustomUVItemInfo* Item, const AnsiString& Line);

// The picture group "{\pict...}" of a graphic at a wanted size (0 or less: natural size).
void UVSaveImageToRTF(TStream* Stream, TGraphic* Graphic, Integer Width, Integer Height,
                      TUVRTFOptions Options, double TwipsPerPixel);
// An image of an image list as a picture group (a bitmap, or drawn into a metafile).
void UVSaveImageListImageToRTF(TStream* Stream, TCustomImageList* ImageList, Integer ImageIndex,
                               TUVRTFOptions Options);
