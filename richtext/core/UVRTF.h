// The RTF reader: an event-driven tokenizer of Rich Text Format. It keeps a stack of group
// states, recognises control words through one sorted table, tracks the character, paragraph,
// section, document, row and cell properties and the font, colour, style-sheet and list tables,
// and reports the content through events (text runs, pictures, table structure, page breaks,
// headers and footers, list-marker updates). It makes no document items itself: the import
// builder (UVRTFProps) listens to the events and reads the current properties.
//
// The reader never raises for malformed input; it stops at the first fault and says why through
// its result code. Events already sent stay sent, and the tables keep what was read.
#pragma once

#include <memory>
#include <vector>

#include "classlib/Components.h"
#include "classlib/Graphics.h"
#include "classlib/Lists.h"
#include "classlib/Pictures.h"
#include "classlib/Streams.h"

class TUVRTFReader;

// --- Results, positions and event kinds ---------------------------------------------------------

// Why reading stopped.
enum TUVRTFResult : Integer {
  rtf_ec_OK = 0,
  rtf_ec_StackUnderflow = 1,  // a "}" with no open group
  rtf_ec_StackOverflow = 2,   // a group state could not be made
  rtf_ec_UnmatchedBrace = 3,  // groups still open at the end of the input
  rtf_ec_InvalidHex = 4,      // a byte after \' that is not a hexadecimal digit
  rtf_ec_BadTable = 5,        // a control-word record of an unknown kind
  rtf_ec_Assertion = 6,       // an impossible input mode
  rtf_ec_EndOfFile = 7,       // the input ends right after "\"
  rtf_ec_FileOpenError = 8,   // the file cannot be opened
  rtf_ec_InvalidPicture = 10  // \pict inside a picture, or a byte that is not hex in picture data
};

// Where a piece of text or a picture stands.
enum TUVRTFPosition : Byte {
  rtf_ts_ContinuePara = 0,  // continues the current paragraph
  rtf_ts_NewLine = 1,       // follows a line break (\line)
  rtf_ts_NewPara = 2        // starts a paragraph (\par, \cell, the start of the input)
};

enum TUVRTFTableEventKind : Byte {
  rtf_te_TableStart = 0,
  rtf_te_TableEnd = 1,
  rtf_te_RowEnd = 2,
  rtf_te_CellEnd = 3
};

enum TUVRTFHeaderFooterType : Byte { rtf_hf_MainText = 0, rtf_hf_Header = 1, rtf_hf_Footer = 2 };

// How \highlight is read: not at all, as one of sixteen fixed colours, or as a colour-table index.
enum TUVRTFHighlightConvert : Byte { rtf_hl_Ignore, rtf_hl_FixedColors, rtf_hl_ColorTable };

// Paragraph, row and marker alignment.
enum TUVRTFAlignment : Byte { rtf_al_Left = 0, rtf_al_Right = 1, rtf_al_Center = 2, rtf_al_Justify = 3 };

// Vertical position of characters.
enum TUVRTFSScriptType : Byte { rtf_ss_Normal = 0, rtf_ss_Subscript = 1, rtf_ss_Superscript = 2 };

// The four sides of a border.
enum TUVRTFSide : Byte { rtf_side_Left = 0, rtf_side_Top = 1, rtf_side_Right = 2, rtf_side_Bottom = 3 };

// Border line styles, numbered as their control words: 1 \brdrs, 2 \brdrth, 3 \brdrsh,
// 4 \brdrdb, 5 \brdrdot, 6 \brdrdash, 7 \brdrhair, 8 \brdrdashsm, 9 \brdrdashd, 10 \brdrdashdd,
// 11 \brdrtriple, 12 \brdrtnthsg, 13 \brdrthtnsg, 14 \brdrtnthtnsg, 15 \brdrtnthmg,
// 16 \brdrthtnmg, 17 \brdrtnthtnmg, 18 \brdrtnthlg, 19 \brdrthtnlg, 20 \brdrtnthtnlg,
// 21 \brdrwavy, 22 \brdrwavydb, 23 \brdrdashdotstr, 24 \brdremboss and \brdrengrave,
// 26 \brdrinset, 27 \brdroutset; 0 none.
using TUVRTFBorderType = Byte;

enum TUVRTFPictureType : Byte {
  rtf_pict_EMF = 0,
  rtf_pict_PNG = 1,
  rtf_pict_JPEG = 2,
  rtf_pict_MacPict = 3,
  rtf_pict_PmMetafile = 4,
  rtf_pict_WMF = 5,
  rtf_pict_DIB = 6,
  rtf_pict_DDB = 7
};

// Numbering of a list marker or list level.
enum TUVRTFParaListType : Byte {
  rtf_pn_Default = 0,  // decimal
  rtf_pn_LowerLetter = 1,
  rtf_pn_UpperLetter = 2,
  rtf_pn_LowerRoman = 3,
  rtf_pn_UpperRoman = 4,
  rtf_pn_Bullet = 5
};

enum TUVRTFFontFamily : Byte {
  rtf_ff_Default = 0,
  rtf_ff_Roman = 1,
  rtf_ff_Swiss = 2,
  rtf_ff_Modern = 3,
  rtf_ff_Script = 4,
  rtf_ff_Decor = 5,
  rtf_ff_Technical = 6,
  rtf_ff_BiDi = 7
};

enum TUVRTFStyleSheetType : Byte { rtf_sst_Char = 0, rtf_sst_Par = 1, rtf_sst_Sect = 2 };

// Merging of table cells: none, the first cell of a merged range, merged into the one before.
enum TUVRTFCellMerge : Byte { rtf_cm_None = 0, rtf_cm_First = 1, rtf_cm_Merged = 2 };

enum TUVRTFVAlign : Byte { rtf_val_Top = 0, rtf_val_Bottom = 1, rtf_val_Center = 2 };

// What the border keywords act on.
enum TUVRTFBorderTarget : Byte { rtf_bt_Para = 0, rtf_bt_Row = 1, rtf_bt_Cell = 2 };

// The destination of a group: what its text and control words fill.
enum TUVRTFDestination : Byte {
  rtf_ds_Normal = 0,  // document content
  rtf_ds_Skip = 1,
  rtf_ds_FontTable = 2,
  rtf_ds_StyleSheet = 3,
  rtf_ds_ColorTable = 4,
  rtf_ds_StyleSheetEntry = 5,
  rtf_ds_Picture = 6,
  rtf_ds_Field = 7,
  rtf_ds_FieldInstruction = 8,
  rtf_ds_PN = 9,
  rtf_ds_PNTextAfter = 10,
  rtf_ds_PNTextBefore = 11,
  rtf_ds_PNSectionLevel = 12,
  rtf_ds_ListTable = 13,
  rtf_ds_List = 14,
  rtf_ds_ListLevel = 15,
  rtf_ds_ListName = 16,
  rtf_ds_LevelText = 17,
  rtf_ds_LevelNumbers = 18,
  rtf_ds_ListOverrideTable = 19,
  rtf_ds_ListOverride = 20,
  rtf_ds_ListOverrideLevel = 21
};

enum TUVRTFInputMode : Byte { rtf_im_Normal = 0, rtf_im_Binary = 1, rtf_im_Hex = 2 };

// The automatic colour of the colour table.
constexpr TColor rtf_AutoColor = TColor(0x80000008u);

// --- Properties ---------------------------------------------------------------------------------

class TUVRTFCharProperties : public TObject {
  CLASS_INFO(TUVRTFCharProperties, TObject)
public:
  TUVRTFCharProperties() { Reset(0); }
  // \plain: everything back to its default, the font to DefFontIndex.
  void Reset(Integer DefFontIndex);
  void Assign(const TUVRTFCharProperties& Source);

  bool Hidden = false;
  Integer Size = 12;  // points
  TColor Color = rtf_AutoColor;
  TColor BackColor = clNone;
  Integer FontIndex = 0;  // index into the font table
  TFontStyles Style;
  bool AllCaps = false;
  Integer CharScaleX = 100;  // percent
  TUVRTFSScriptType SScriptType = rtf_ss_Normal;
  Integer CharSpacingTw = 0;
  AnsiString FontNameOverride;  // set by SYMBOL fields only
};

class TUVRTFBorderSide : public TObject {
  CLASS_INFO(TUVRTFBorderSide, TObject)
public:
  void Assign(const TUVRTFBorderSide& Source);

  TUVRTFBorderType BorderType = 0;
  Integer WidthTw = 1;
  TColor Color = clNone;
  Integer SpaceTw = 0;
};

// The border of a paragraph, a row or a cell.
class TUVRTFParaBorder : public TObject {
  CLASS_INFO(TUVRTFParaBorder, TObject)
public:
  void Assign(const TUVRTFParaBorder& Source);
  TUVRTFBorderSide& GetSide(TUVRTFSide Side) { return Sides[Side]; }
  const TUVRTFBorderSide& GetSide(TUVRTFSide Side) const { return Sides[Side]; }
  // Whether any side has a line style.
  bool HasBorder() const;

  TUVRTFBorderSide Sides[4];
};

class TUVRTFCustomMarkerProperties : public TObject {
  CLASS_INFO(TUVRTFCustomMarkerProperties, TObject)
public:
  void Assign(const TUVRTFCustomMarkerProperties& Source);

  // Bits of FontGiven: the marker's own font, size and colour were stated.
  enum : Byte { rtf_mg_Font = 1, rtf_mg_Size = 2, rtf_mg_Color = 4 };

  TUVRTFParaListType ListType = rtf_pn_Default;
  Integer FontIndex = 0;
  Integer FontSize = 12;
  Integer IndentTw = 0;
  Integer SpaceTw = 0;
  Integer Start = 1;
  TColor Color = rtf_AutoColor;
  TUVRTFAlignment Alignment = rtf_al_Left;
  Byte FontGiven = 0;
  TFontStyles Style;
};

// An old-style (\pn) list marker, or a section-level numbering definition.
class TUVRTFMarkerProperties : public TUVRTFCustomMarkerProperties {
  CLASS_INFO(TUVRTFMarkerProperties, TUVRTFCustomMarkerProperties)
public:
  void Assign(const TUVRTFMarkerProperties& Source);
  // Takes the current text colour, size and font (where the marker states none) and style.
  void UpdateFrom(const TUVRTFCharProperties& CharProps);

  Integer Level = 0;  // \pnlvl: 1 to 9, 10 body, 11 bullet
  bool Hanging = false;
  AnsiString TextBefore;
  AnsiString TextAfter;
};

class TUVRTFParaProperties : public TObject {
  CLASS_INFO(TUVRTFParaProperties, TObject)
public:
  TUVRTFParaProperties() = default;
  ~TUVRTFParaProperties() override;
  // \pard.
  void Reset();
  void Assign(const TUVRTFParaProperties& Source);
  // The border and the old-style marker, created when asked.
  TUVRTFParaBorder* GetBorder();
  TUVRTFMarkerProperties* GetMarker();
  bool HasBorder() const { return Border && Border->HasBorder(); }
  bool HasMarker() const { return Marker != nullptr; }

  Integer LeftIndentTw = 0;
  Integer RightIndentTw = 0;
  Integer FirstIndentTw = 0;
  Integer SpaceBeforeTw = 0;
  Integer SpaceAfterTw = 0;
  TUVRTFAlignment Alignment = rtf_al_Left;
  TUVRTFParaBorder* Border = nullptr;         // owned, none until a border keyword
  TUVRTFMarkerProperties* Marker = nullptr;   // owned, none until a \pn group
  TUVRTFSide CurBorderSide = rtf_side_Left;
  Integer LineSpacing = 240;  // \sl, twips (negative: exactly)
  bool LineSpacingMulti = true;  // \slmult
  TColor BackColor = clNone;
  Integer NestingLevel = 1;  // \itap
  bool InTable = false;
  bool Positioned = false;  // a frame: the table nesting is left alone
  // \uzuruvadtsep: the paragraph only keeps two tables apart (readers join the rows of tables
  // that follow each other); it holds nothing of the document.
  bool TableSeparator = false;
  Integer ListOverrideIndex = -1;  // index into the list-override table (\ls), -1 none
  Integer ListLevel = 0;           // \ilvl
};

class TUVRTFSectionProperties : public TObject {
  CLASS_INFO(TUVRTFSectionProperties, TObject)
public:
  TUVRTFSectionProperties() = default;
  ~TUVRTFSectionProperties() override;
  // \sectd.
  void Reset();
  void Assign(const TUVRTFSectionProperties& Source);
  // The numbering definition of a section level (1 to 9, 10 body, 11 bullet), created with all
  // eleven on first use.
  TUVRTFMarkerProperties* GetLevel(Integer Level);
  bool HasLevels() const { return !Levels.empty(); }

  Integer Columns = 1;
  Integer SectionBreak = 4;  // 0 none, 1 column, 2 even page, 3 odd page, 4 page
  Integer PageNumberXTw = 720;
  Integer PageNumberYTw = 720;
  Integer PageNumberFormat = 0;  // 0 decimal, 1 upper roman, 2 lower roman, 3 upper letter, 4 lower letter
  Integer HeaderYTw = 720;
  Integer FooterYTw = 720;
  std::vector<std::unique_ptr<TUVRTFMarkerProperties>> Levels;
};

class TUVRTFDocProperties : public TObject {
  CLASS_INFO(TUVRTFDocProperties, TObject)
public:
  TUVRTFDocProperties() { Reset(); }
  void Reset();
  void Assign(const TUVRTFDocProperties& Source);

  Integer PaperWidthTw = 12240;
  Integer PaperHeightTw = 15840;
  Integer LeftMarginTw = 1800;
  Integer TopMarginTw = 1440;
  Integer RightMarginTw = 1800;
  Integer BottomMarginTw = 1440;
  Integer PageNumberStart = 1;
  bool FacingPages = false;
  bool Landscape = false;
};

class TUVRTFCellProperties : public TObject {
  CLASS_INFO(TUVRTFCellProperties, TObject)
public:
  TUVRTFCellProperties() { Reset(); }
  void Reset();
  void Assign(const TUVRTFCellProperties& Source);

  TUVRTFCellMerge HMerge = rtf_cm_None;
  TUVRTFCellMerge VMerge = rtf_cm_None;
  bool BestWidthInPercent = false;
  Integer BestWidth = 0;  // twips, negative: percent in fiftieths
  TColor BackColor = clNone;
  TUVRTFVAlign VAlign = rtf_val_Top;
  TUVRTFParaBorder Border;
  TUVRTFSide CurBorderSide = rtf_side_Left;
  Integer RightBoundaryTw = 0;  // \cellx
  TColor PatternColor = clNone;
  Integer Shading = 0;  // hundredths of a percent
  Integer BestHeight = 0;
};

// The cells of a row; the last one is the cell being described.
class TUVRTFCellPropsList : public TObjectList {
  CLASS_INFO(TUVRTFCellPropsList, TObjectList)
public:
  TUVRTFCellProperties* GetItem(Integer Index) const { return static_cast<TUVRTFCellProperties*>(GetItems(Index)); }
  TUVRTFCellProperties* AddNew();
  void Assign(const TUVRTFCellPropsList& Source);
};

class TUVRTFRowProperties : public TObject {
  CLASS_INFO(TUVRTFRowProperties, TObject)
public:
  TUVRTFRowProperties() { Reset(); }
  // \trowd: everything back to its default, the cell list holding one fresh cell.
  void Reset();
  void Assign(const TUVRTFRowProperties& Source);
  // The cell being described; a row whose cells were all taken by its end (a \row without
  // \cellx) gets a fresh one, so that cell keywords after it have a cell to describe.
  TUVRTFCellProperties* GetLastCell() {
    if (Cells.GetCount() == 0) Cells.AddNew();
    return Cells.GetItem(Cells.GetCount() - 1);
  }

  TUVRTFAlignment Alignment = rtf_al_Left;
  Integer GapHTw = 0;     // \trgaph
  Integer LeftTw = 0;     // \trleft
  Integer HeightTw = 0;   // \trrh
  bool Heading = false;   // \trhdr
  bool BestWidthInPercent = false;
  Integer PaddingsTw[4] = {0, 0, 0, 0};  // by TUVRTFSide
  bool PaddingsInTwips[4] = {false, false, false, false};
  Integer SpacingsTw[4] = {0, 0, 0, 0};
  bool SpacingsInTwips[4] = {false, false, false, false};
  Integer BestWidth = 0;  // twips, negative: percent in fiftieths
  TUVRTFParaBorder Border;
  TUVRTFSide CurBorderSide = rtf_side_Left;
  TUVRTFCellPropsList Cells;
  bool ShadingPending = false;
  bool LastCellPending = false;
  bool InPixels = false;  // widths given by this library's own control words, in pixels
};

class TUVRTFPicture : public TObject {
  CLASS_INFO(TUVRTFPicture, TObject)
public:
  TUVRTFPicture();
  ~TUVRTFPicture() override;

  TUVRTFPictureType PicType = rtf_pict_WMF;
  Integer WMFMapMode = 1;
  Integer PicW = 0;
  Integer PicH = 0;
  Integer PicWGoalTw = 0;  // the size the picture is meant to have, before scaling
  Integer PicHGoalTw = 0;
  Integer PicScaleX = 100;
  Integer PicScaleY = 100;
  Integer WBMWidthBytes = 0;
  bool PicBmp = false;
  // The size in screen pixels before scaling, from the goal size, else from a scalable
  // metafile's extents; 0 when not known.
  Integer SuggestedWidth = 0;
  Integer SuggestedHeight = 0;
  TMemoryStream* Data;  // owned
};

// --- Tables -------------------------------------------------------------------------------------

class TUVRTFFont : public TObject {
  CLASS_INFO(TUVRTFFont, TObject)
public:
  Integer Number = 0;
  AnsiString Name;
  TUVRTFFontFamily Family = rtf_ff_Default;
  Byte Charset = 1;  // DEFAULT_CHARSET
};

class TUVRTFFontList : public TObjectList {
  CLASS_INFO(TUVRTFFontList, TObjectList)
public:
  TUVRTFFont* GetItem(Integer Index) const { return static_cast<TUVRTFFont*>(GetItems(Index)); }
  // The index of the font with that number, -1 when none.
  Integer GetFontIndex(Integer Number) const;
};

class TUVRTFStyleSheetEntry : public TObject {
  CLASS_INFO(TUVRTFStyleSheetEntry, TObject)
public:
  TUVRTFParaProperties ParaProps;
  TUVRTFCharProperties CharProps;
  Integer Number = 0;
  TUVRTFStyleSheetType StyleSheetType = rtf_sst_Par;
  TUVRTFStyleSheetEntry* BasedOn = nullptr;  // not owned
  TUVRTFStyleSheetEntry* Next = nullptr;     // not owned
  bool Additive = false;
  bool Hidden = false;
  AnsiString Name;
};

class TUVRTFStyleSheet : public TObjectList {
  CLASS_INFO(TUVRTFStyleSheet, TObjectList)
public:
  TUVRTFStyleSheetEntry* GetItem(Integer Index) const { return static_cast<TUVRTFStyleSheetEntry*>(GetItems(Index)); }
  // The entry with that number, none when there is none.
  TUVRTFStyleSheetEntry* GetEntry(Integer Number) const;
};

// Colours of the colour table; entries holding rtf_AutoColor are automatic.
class TUVRTFColorList : public TObject {
  CLASS_INFO(TUVRTFColorList, TObject)
public:
  Integer GetCount() const { return static_cast<Integer>(Items.size()); }
  TColor GetItem(Integer Index) const { return Items[static_cast<std::size_t>(Index)]; }
  std::vector<TColor> Items;
};

class TUVRTFListLevel97 : public TUVRTFCustomMarkerProperties {
  CLASS_INFO(TUVRTFListLevel97, TUVRTFCustomMarkerProperties)
public:
  enum TFollow : Byte { rtf_lf_Tab = 0, rtf_lf_Space = 1, rtf_lf_Nothing = 2 };

  bool OldStyle = false;
  bool Legal = false;
  bool NoRestart = false;
  AnsiString Text;     // \leveltext: a length byte, then the text with level placeholders
  AnsiString Numbers;  // \levelnumbers: 1-based positions of the placeholders in Text
  WideString TextW;    // the level text in UTF-16 when it held \u characters
  TFollow Follow = rtf_lf_Tab;
  Integer LeftIndentTw = 0;
  Integer FirstIndentTw = 0;
  Integer TabPosTw = 0;
};

class TUVRTFList97 : public TObjectList {
  CLASS_INFO(TUVRTFList97, TObjectList)
public:
  TUVRTFListLevel97* GetItem(Integer Index) const { return static_cast<TUVRTFListLevel97*>(GetItems(Index)); }

  Integer Id = 0;
  bool Simple = false;
  AnsiString Name;
};

class TUVRTFListTable97 : public TObjectList {
  CLASS_INFO(TUVRTFListTable97, TObjectList)
public:
  TUVRTFList97* GetItem(Integer Index) const { return static_cast<TUVRTFList97*>(GetItems(Index)); }
  // The index of the list with that id, -1 when none.
  Integer FindList(Integer Id) const;
};

class TUVRTFListOverrideLevel97 : public TObject {
  CLASS_INFO(TUVRTFListOverrideLevel97, TObject)
public:
  Integer Start = 1;
  bool UseStart = false;
};

class TUVRTFListOverride97 : public TObjectList {
  CLASS_INFO(TUVRTFListOverride97, TObjectList)
public:
  TUVRTFListOverrideLevel97* GetItem(Integer Index) const {
    return static_cast<TUVRTFListOverrideLevel97*>(GetItems(Index));
  }

  Integer ListIndex = -1;  // index into the list table
  Integer Number = 0;      // \ls
  Integer OverrideCount = 0;
};

class TUVRTFListOverrideTable97 : public TObjectList {
  CLASS_INFO(TUVRTFListOverrideTable97, TObjectList)
public:
  TUVRTFListOverride97* GetItem(Integer Index) const { return static_cast<TUVRTFListOverride97*>(GetItems(Index)); }
  // The index of the override with that number, -1 when none.
  Integer FindOverride(Integer Number) const;
};

// The state of one open group; "{" pushes a copy of it.
class TUVRTFReaderState : public TObject {
  CLASS_INFO(TUVRTFReaderState, TObject)
public:
  TUVRTFReaderState() = default;
  ~TUVRTFReaderState() override;
  void Reset();
  void Assign(const TUVRTFReaderState& Source);
  TUVRTFRowProperties* GetRowProps();

  TUVRTFCharProperties CharProps;
  TUVRTFParaProperties ParaProps;
  TUVRTFSectionProperties SectProps;
  TUVRTFDocProperties DocProps;
  TUVRTFRowProperties* RowProps = nullptr;  // owned, made on first use
  TUVRTFBorderTarget BorderTarget = rtf_bt_Para;
  TUVRTFDestination Destination = rtf_ds_Normal;
  TUVRTFInputMode InputMode = rtf_im_Normal;
  AnsiString FieldInstruction;
  bool FieldPictureIncluded = false;  // an INCLUDEPICTURE field supplied the picture
  Integer DefFontNumber = 0;          // \deff
  TUVRTFHeaderFooterType HFType = rtf_hf_MainText;
  Integer UCValue = 1;  // \uc: fallback characters after \u, scoped to the group
};

// --- The control-word table ---------------------------------------------------------------------

// What a control word is.
enum TUVRTFKeywordKind : Byte {
  rtf_kwd_Char = 0,      // a character (Index)
  rtf_kwd_SpecChar = 1,  // a typographic character: DefValue in UTF-16, Index in 8 bits
  rtf_kwd_Dest = 2,      // a destination (Index: TUVRTFDestKeyword)
  rtf_kwd_Prop = 3,      // a property (Index: TUVRTFPropKeyword)
  rtf_kwd_Spec = 4       // \bin, \' and \* (Index: TUVRTFSpecKeyword)
};

enum TUVRTFAffects : Byte { rtf_af_None = 0, rtf_af_CharProps = 1, rtf_af_ParaProps = 2 };

// Destinations named by control words (Index of rtf_kwd_Dest records).
enum TUVRTFDestKeyword : Integer {
  rtf_dk_Picture,
  rtf_dk_FontTable,
  rtf_dk_StyleSheet,
  rtf_dk_ColorTable,
  rtf_dk_Field,
  rtf_dk_FieldInstruction,
  rtf_dk_FieldResult,  // read as content, also \nesttableprops
  rtf_dk_Header,
  rtf_dk_Footer,
  rtf_dk_PN,
  rtf_dk_PNTextAfter,
  rtf_dk_PNTextBefore,
  rtf_dk_ListTable,
  rtf_dk_List,
  rtf_dk_ListName,
  rtf_dk_ListLevel,
  rtf_dk_LevelText,
  rtf_dk_LevelNumbers,
  rtf_dk_ListOverrideTable,
  rtf_dk_ListOverride,
  rtf_dk_ListOverrideLevel,
  rtf_dk_Skip
};

enum TUVRTFSpecKeyword : Integer { rtf_sk_Bin, rtf_sk_Hex, rtf_sk_Star };

// Properties set by control words (Index of rtf_kwd_Prop records). Keywords of the four sides of
// something are numbered left, top, right, bottom in a row, as TUVRTFSide.
enum TUVRTFPropKeyword : Integer {
  // Characters.
  rtf_pk_Bold, rtf_pk_Italic, rtf_pk_Underline, rtf_pk_StrikeOut, rtf_pk_AllCaps, rtf_pk_CharScaleX,
  rtf_pk_CharSpacing, rtf_pk_SScript, rtf_pk_Up, rtf_pk_Down, rtf_pk_FontSize, rtf_pk_Color, rtf_pk_BackColor,
  rtf_pk_Highlight, rtf_pk_Hidden, rtf_pk_Plain, rtf_pk_Font,
  // Paragraphs.
  rtf_pk_ParD, rtf_pk_LeftIndent, rtf_pk_RightIndent, rtf_pk_FirstIndent, rtf_pk_SpaceBefore, rtf_pk_SpaceAfter,
  rtf_pk_LineSpacing, rtf_pk_LineSpacingMulti, rtf_pk_Alignment, rtf_pk_ParaBackColor, rtf_pk_ParaBorderSide,
  rtf_pk_BorderStyle, rtf_pk_BorderWidth, rtf_pk_BorderColor, rtf_pk_BorderSpace, rtf_pk_ListOverride,
  rtf_pk_ListLevel, rtf_pk_InTable, rtf_pk_NestingLevel, rtf_pk_Positioned, rtf_pk_PageBreakBefore,
  rtf_pk_TableSeparator,
  // Sections and the document.
  rtf_pk_SectD, rtf_pk_Columns, rtf_pk_PageNumberX, rtf_pk_PageNumberY, rtf_pk_HeaderY, rtf_pk_FooterY,
  rtf_pk_SectionBreak, rtf_pk_PageNumberFormat, rtf_pk_PNSectionLevel, rtf_pk_PaperWidth, rtf_pk_PaperHeight,
  rtf_pk_MarginL, rtf_pk_MarginR, rtf_pk_MarginT, rtf_pk_MarginB, rtf_pk_PageNumberStart, rtf_pk_FacingPages,
  rtf_pk_Landscape, rtf_pk_DefFont, rtf_pk_CodePage, rtf_pk_UnicodeChar, rtf_pk_UnicodeSkip, rtf_pk_Page,
  // The font, colour and style tables.
  rtf_pk_FontFamily, rtf_pk_FontCharset, rtf_pk_Red, rtf_pk_Green, rtf_pk_Blue, rtf_pk_ParaStyle,
  rtf_pk_CharStyle, rtf_pk_SectStyle, rtf_pk_BasedOn, rtf_pk_NextStyle, rtf_pk_Additive, rtf_pk_StyleHidden,
  // Pictures.
  rtf_pk_PicW, rtf_pk_PicH, rtf_pk_PicWGoal, rtf_pk_PicHGoal, rtf_pk_PicScaleX, rtf_pk_PicScaleY, rtf_pk_WBMWidthBytes, rtf_pk_PictureType,
  rtf_pk_WMetafile, rtf_pk_PicBmp,
  // Old-style markers and section numbering.
  rtf_pk_PNLevel, rtf_pk_PNHang, rtf_pk_PNNumberType, rtf_pk_PNBold, rtf_pk_PNItalic, rtf_pk_PNUnderline,
  rtf_pk_PNStrikeOut, rtf_pk_PNColor, rtf_pk_PNFont, rtf_pk_PNFontSize, rtf_pk_PNIndent, rtf_pk_PNSpace,
  rtf_pk_PNAlignment, rtf_pk_PNStart,
  // Lists and list overrides.
  rtf_pk_ListId, rtf_pk_ListSimple, rtf_pk_ListOverrideCount, rtf_pk_LevelNumberType, rtf_pk_LevelJustify,
  rtf_pk_LevelOld, rtf_pk_LevelLegal, rtf_pk_LevelNoRestart, rtf_pk_LevelStartAt, rtf_pk_LevelIndent,
  rtf_pk_LevelSpace, rtf_pk_LevelFollow, rtf_pk_TabPosition, rtf_pk_ListOverrideStartAt,
  // Tables.
  rtf_pk_RowD, rtf_pk_RowAlignment, rtf_pk_RowGapH, rtf_pk_RowLeft, rtf_pk_RowHeight, rtf_pk_RowHeading,
  rtf_pk_RowPaddingL, rtf_pk_RowPaddingT, rtf_pk_RowPaddingR, rtf_pk_RowPaddingB,
  rtf_pk_RowPaddingUnitL, rtf_pk_RowPaddingUnitT, rtf_pk_RowPaddingUnitR, rtf_pk_RowPaddingUnitB,
  rtf_pk_RowSpacingL, rtf_pk_RowSpacingT, rtf_pk_RowSpacingR, rtf_pk_RowSpacingB,
  rtf_pk_RowSpacingUnitL, rtf_pk_RowSpacingUnitT, rtf_pk_RowSpacingUnitR, rtf_pk_RowSpacingUnitB,
  rtf_pk_RowWidth, rtf_pk_RowWidthUnit, rtf_pk_CellWidth, rtf_pk_CellWidthUnit, rtf_pk_CellHMerge,
  rtf_pk_CellVMerge, rtf_pk_CellBackColor, rtf_pk_CellPatternColor, rtf_pk_CellShading, rtf_pk_CellVAlign,
  rtf_pk_CellX, rtf_pk_RowBorderSide, rtf_pk_CellBorderSide, rtf_pk_CellBestWidthPx, rtf_pk_CellBestHeightPx,
  rtf_pk_TableBestWidthPx, rtf_pk_Cell, rtf_pk_Row
};

struct TUVRTFsymbol {
  const char* Keyword;
  Integer DefValue;
  Byte UseDefault;  // 1: DefValue replaces any parameter
  TUVRTFKeywordKind Kind;
  Integer Index;
  TUVRTFAffects Affects;
};

// The record of a control word (case-sensitive), or nil.
const TUVRTFsymbol* FindRtfKeyword(const char* Keyword);

// --- The reader ---------------------------------------------------------------------------------

using TUVRTFNewTextEvent = Closure<void(TUVRTFReader* Sender, const AnsiString& Text, TUVRTFPosition Position)>;
using TUVRTFNewUnicodeTextEvent =
    Closure<void(TUVRTFReader* Sender, const WideString& Text, TUVRTFPosition Position)>;
// Graphic is nil when the picture could not be read; the handler takes it over.
using TUVRTFNewPictureEvent = Closure<void(TUVRTFReader* Sender, TUVRTFPicture* RTFPicture, TGraphic* Graphic,
                                           TUVRTFPosition Position)>;
using TUVRTFTableEvent = Closure<void(TUVRTFReader* Sender, TUVRTFTableEventKind WhatHappens)>;
using TUVRTFHeaderFooterEvent =
    Closure<void(TUVRTFReader* Sender, TUVRTFHeaderFooterType HFType, bool Starting)>;

class TUVRTFReader : public TComponent {
  CLASS_INFO(TUVRTFReader, TComponent)
public:
  explicit TUVRTFReader(TComponent* AOwner);
  ~TUVRTFReader() override;

  // rtf_ec_FileOpenError when the file cannot be opened.
  TUVRTFResult ReadFromFile(const AnsiString& FileName);
  // Reads from the stream's position to the end of the outermost group.
  TUVRTFResult ReadFromStream(TStream* Stream);
  // Empties the tables and the state stack and resets the current state.
  void Clear();

  // What the import builder reads while an event runs.
  TUVRTFReaderState* GetState() const { return FState; }
  TUVRTFCharProperties& GetCharProps() const { return FState->CharProps; }
  TUVRTFParaProperties& GetParaProps() const { return FState->ParaProps; }
  TUVRTFSectionProperties& GetSectProps() const { return FState->SectProps; }
  TUVRTFDocProperties& GetDocProps() const { return FState->DocProps; }
  TUVRTFRowProperties* GetRowProps() const { return FState->GetRowProps(); }
  TUVRTFFontList* GetFontList() const { return FFontTable.get(); }
  TUVRTFColorList* GetColorList() const { return FColorTable.get(); }
  TUVRTFStyleSheet* GetStyleSheet() const { return FStyleSheet.get(); }
  TUVRTFListTable97* GetListTable() const { return FListTable.get(); }
  TUVRTFListOverrideTable97* GetListOverrideTable() const { return FListOverrideTable.get(); }
  Cardinal GetCodePage() const { return FCodePage; }
  // The name of the current font: the SYMBOL field's override, else the font table's entry.
  AnsiString GetCurrentFontName() const;
  // 8-bit text in the current code page as UTF-16 and back (failing code pages fall back to the
  // system's, then every character becomes "?").
  WideString AnsiToWide(const AnsiString& Text) const;
  AnsiString WideToAnsi(const WideString& Text) const;

  TUVRTFNewTextEvent OnNewText;
  TUVRTFNewUnicodeTextEvent OnNewUnicodeText;
  TUVRTFNewPictureEvent OnNewPicture;
  TUVRTFTableEvent OnTable;
  TNotifyEvent OnRequiredPageBreak;
  TUVRTFHeaderFooterEvent OnHeaderFooter;
  TNotifyEvent OnUpdateMarker;
  Cardinal DefCodePage = 0;
  TUVRTFHighlightConvert ConvertHighlight = rtf_hl_FixedColors;

private:
  // Reading bytes.
  Integer GetChar();
  void UngetChar(Integer Ch);
  bool FillBuffer();

  TUVRTFResult ParseRtfStream();
  TUVRTFResult ParseRtfKeyword();
  TUVRTFResult DispatchRtfKeyword(const char* Keyword, Integer Param, bool HasParam);
  TUVRTFResult PushRtfState();
  TUVRTFResult PopRtfState();
  TUVRTFResult ChangeRtfDestination(Integer Dest);
  TUVRTFResult EndRtfDestination(TUVRTFReaderState* Closing);
  TUVRTFResult ParseRtfChar(Integer Ch);
  TUVRTFResult ApplyRtfProperty(const TUVRTFsymbol& Sym, Integer Value);
  bool ApplyDestinationProperty(const TUVRTFsymbol& Sym, Integer Value);
  void ApplyMarkerProperty(TUVRTFMarkerProperties* Marker, Integer Prop, Integer Value, bool InSection);
  void ApplyBorderStyle(TUVRTFBorderType Style);
  TUVRTFBorderSide* GetCurrentBorderSide();

  // Text.
  TUVRTFResult OutputRtfText(Integer Ch, bool CheckTableLevel);
  TUVRTFResult OutputWideChar(WideChar Ch);
  TUVRTFResult OutputRtfUnicodeChar(Integer Value);
  TUVRTFResult OutputSpecialChar(const TUVRTFsymbol& Sym);
  // Reports the pending text. Kind: 0 a plain flush, 10 a paragraph end, 13 a line break.
  void FireRtfTextEvent(Integer Kind);
  TUVRTFResult FlushText() { return OutputRtfText(0, false); }

  // Tables and markers.
  // Opens and closes tables to the nesting level of the current paragraph.
  void UpdateRtfTableLevel(bool AtCellEnd);
  void FireRtfTableEvent(TUVRTFTableEventKind Kind);
  void FinishRtfRow();
  void UpdateRtfMarker();

  // Pictures and fields.
  void FinishRtfPicture();
  TGraphic* CreateRtfGraphic();
  void SetGoalSize(HDC Screen);
  void ReadIncludePictureField(TUVRTFReaderState* State);
  void ReadSymbolField(TUVRTFReaderState* State);

  Integer LookupRtfFont(Integer Number) const;
  WideString LevelTextToWide(const AnsiString& Text) const;
  TColor GetTableColor(Integer Index, bool& Valid) const;
  TUVRTFListLevel97* GetCurrentListLevel() const;

  std::unique_ptr<TUVRTFFontList> FFontTable;
  std::unique_ptr<TUVRTFStyleSheet> FStyleSheet;
  std::unique_ptr<TUVRTFColorList> FColorTable;
  std::unique_ptr<TUVRTFListTable97> FListTable;
  std::unique_ptr<TUVRTFListOverrideTable97> FListOverrideTable;

  // The states of the open groups, the outermost first; the current state is the last in use
  // (FStates[FStackCount - 1]). Objects beyond FStackCount are kept for reuse, so that opening
  // a group copies one state and allocates nothing once the stack has been that deep.
  std::vector<std::unique_ptr<TUVRTFReaderState>> FStates;
  Integer FStackCount = 1;
  TUVRTFReaderState* FState = nullptr;

  std::unique_ptr<TUVRTFPicture> FPicture;
  std::unique_ptr<TUVRTFMarkerProperties> FPNMarker;
  TUVRTFMarkerProperties* FMarkerText = nullptr;  // receives \pntxta and \pntxtb

  TStream* FStream = nullptr;
  Int64 FStreamSize = 0;
  std::vector<Byte> FBuffer;
  Integer FBufPos = 0;
  Integer FBufLen = 0;
  Integer FPushBack = -1;

  AnsiString FPendingText;
  WideString FPendingTextW;
  Cardinal FCodePage = 0;
  Integer FSkipCount = 0;
  TUVRTFPosition FPosition = rtf_ts_NewPara;
  Integer FDepth = 0;
  Integer FTableLevels = 0;
  Integer FBinCount = 0;
  Integer FLastParam = 0;
  bool FStar = false;
  Integer FPictNibble = 0;
  bool FPictSecondNibble = false;
  Integer FHexValue = 0;
  bool FHexSecondDigit = false;
  Integer FPNSecLevel = 0;
  bool FFlushEvenIfEmpty = false;
};
