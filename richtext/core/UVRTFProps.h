// RTF import: the options a viewer publishes as RTFReadProperties, and the builder that turns the
// RTF reader's events into the items, text styles, paragraph styles and list styles of a
// document. Styles are taken from the document's style sheet by one of three modes: a fixed
// style, the closest existing style, or an equal style that is added when there is none.
//
// Tables are built by the table unit through the table import it registers; a program without
// tables reads the cells as paragraphs.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "classlib/Components.h"
#include "classlib/TypInfo.h"
#include "richtext/core/UVRTF.h"

class TCustomUVData;
class TCustomUVItemInfo;
class TUVStyle;
class TFontInfo;
class TParaInfo;
class TUVListLevel;

// Whether \u text stays UTF-16, and which text styles may be chosen for it.
enum TUVReaderUnicode { uvruMixed, uvruNoUnicode, uvruOnlyUnicode };
ENUM_NAMES(TUVReaderUnicode, "uvruMixed", "uvruNoUnicode", "uvruOnlyUnicode");

// How text and paragraph styles are found: a fixed one, the closest existing one, or an equal
// one that is added when there is none.
enum TUVReaderStyleMode { uvrsUseSpecified, uvrsUseClosest, uvrsAddIfNeeded };
ENUM_NAMES(TUVReaderStyleMode, "uvrsUseSpecified", "uvrsUseClosest", "uvrsAddIfNeeded");

enum TUVRTFHighlight { rtfhlIgnore, rtfhlFixedColors, rtfhlColorTable };
ENUM_NAMES(TUVRTFHighlight, "rtfhlIgnore", "rtfhlFixedColors", "rtfhlColorTable");

class TUVRTFReaderProperties;

// Builds the tables of one import from the reader's table events: while a table is open, the
// content goes into the cell it names; a finished table is handed back to the import.
class TUVRTFTableImport {
public:
  virtual ~TUVRTFTableImport() = default;
  virtual void Table(TUVRTFTableEventKind WhatHappens) = 0;
  // The document the content goes to now; none outside tables.
  virtual TCustomUVData* CurrentCell() = 0;
};
using TUVRTFTableImportMaker = std::function<std::unique_ptr<TUVRTFTableImport>(TUVRTFReaderProperties* Props)>;
// The table unit registers the maker of its table import when the program starts.
void RegisterUVRTFTableImport(TUVRTFTableImportMaker Maker);

// Decides whether an import may choose a style (IsParaStyle tells the two collections apart).
using TUVRTFStyleFilter = std::function<bool(Integer StyleNo, bool IsParaStyle)>;

class TUVRTFReaderProperties : public TPersistent {
  CLASS_INFO(TUVRTFReaderProperties, TPersistent)
public:
  TUVRTFReaderProperties();
  ~TUVRTFReaderProperties() override;
  // From another set of properties: the Unicode mode, the two style modes, IgnorePictures,
  // UseHypertextStyles and the two specified style numbers.
  void Assign(TPersistent* Source) override;

  // Appends the RTF of a file or a stream to the end of the document.
  TUVRTFResult ReadFromFile(const AnsiString& FileName, TCustomUVData* UVData);
  TUVRTFResult ReadFromStream(TStream* Stream, TCustomUVData* UVData);
  // Inserts at Index through the document's own item insertion (an editor places the content at
  // its caret); Index receives where the first item went, -1 when none did. Raises the silent
  // abort exception when the document refuses an item.
  TUVRTFResult InsertFromStream(TStream* Stream, TCustomUVData* UVData, Integer& Index);

  Integer GetTextStyleNo() const { return FTextStyleNo; }
  // Raises EUzurUvadError "Value must not be negative".
  void SetTextStyleNo(Integer Value);
  Integer GetParaStyleNo() const { return FParaStyleNo; }
  void SetParaStyleNo(Integer Value);

  TUVReaderUnicode UnicodeMode = uvruNoUnicode;
  TUVReaderStyleMode TextStyleMode = uvrsUseClosest;
  TUVReaderStyleMode ParaStyleMode = uvrsUseClosest;
  bool IgnorePictures = false;
  bool UseHypertextStyles = false;
  bool SkipHiddenText = true;
  bool AutoHideTableGridLines = false;  // read by the table import
  bool LineBreaksAsParagraphs = false;
  TUVRTFHighlight ConvertHighlight = rtfhlColorTable;

  // Not published: a "\par" makes a paragraph (else a line break inside one).
  bool ParagraphBreaks = true;

  // Prefixed to hyperlink targets that hold no ":".
  AnsiString BasePath;
  // When set, styles it rejects are not chosen.
  TUVRTFStyleFilter StyleFilter;
  // When set, the content of headers and footers goes into these documents.
  TCustomUVData* HeaderData = nullptr;
  TCustomUVData* FooterData = nullptr;
  // Not published: neighbouring cell borders of tables without spacing are drawn once; tables
  // without a width of their own take the width of their cell boundaries.
  bool CollapseTableBorders = true;
  bool FixedTableWidth = false;

  // --- What the table import asks of the import being run
  TUVRTFReader* GetReader() const { return FReader; }
  TCustomUVData* GetTarget() const { return FTarget; }
  TUVStyle* GetStyle() const { return FStyle; }
  double GetPixelsPerTwip() const { return FPixelsPerTwip; }
  // The paragraph style of a table aligned as a row says.
  Integer TableParaStyle(TUVRTFAlignment Alignment);
  // The text style of the empty item of a cell without content.
  Integer EmptyCellTextStyle() const { return TextStyleMode == uvrsUseSpecified ? FTextStyleNo : 0; }
  // Places a finished table, or an item read in a table that never ended a row, as a paragraph
  // of Parent (a cell of the enclosing table), or of the document when Parent is none.
  void PlaceTableItem(TCustomUVItemInfo* Item, const AnsiString& Text, TCustomUVData* Parent);

private:
  TUVRTFResult Read(TStream* Stream, const AnsiString* FileName, TCustomUVData* UVData, Integer Index,
                    bool InsertMode, Integer& FirstIndex);

  // The reader's events.
  void NewText(TUVRTFReader* Sender, const AnsiString& Text, TUVRTFPosition Position);
  void NewUnicodeText(TUVRTFReader* Sender, const WideString& Text, TUVRTFPosition Position);
  void NewPicture(TUVRTFReader* Sender, TUVRTFPicture* RTFPicture, TGraphic* Graphic, TUVRTFPosition Position);
  void Table(TUVRTFReader* Sender, TUVRTFTableEventKind WhatHappens);
  void RequiredPageBreak(TObject* Sender);
  void HeaderFooter(TUVRTFReader* Sender, TUVRTFHeaderFooterType HFType, bool Starting);
  void UpdateMarker(TObject* Sender);

  // Text: the raw item text (UTF-16 bytes when Unicode).
  void AddText(const AnsiString& Text, bool Unicode, TUVRTFPosition Position);
  // Inserts an item with its text into the document (or the header or footer being read).
  void InsertItem(TCustomUVItemInfo* Item, AnsiString Text, TUVRTFPosition Position);
  void PlaceItem(TCustomUVItemInfo* Item, const AnsiString& Text);
  // The hyperlink target of the field being read; empty outside a HYPERLINK field.
  bool GetHyperlink(AnsiString& Target, AnsiString& Extras);
  // The paragraph style of the item before the insertion point.
  Integer PreviousParaNo();

  // Styles (UVRTFPropsStyles.cpp).
  Integer FindTextStyle(bool Unicode, bool Hyperlink);
  Integer FindParaStyle();
  bool Allowed(Integer StyleNo, bool IsParaStyle) const { return !StyleFilter || StyleFilter(StyleNo, IsParaStyle); }
  void FillParaStyle(TParaInfo* Para);

  // Lists (UVRTFPropsStyles.cpp).
  TCustomUVItemInfo* MakeDueMarker();
  Integer ListStyleOfRTFList(Integer ListIndex);
  Integer ListStyleOfOldMarker(const TUVRTFMarkerProperties& Marker);
  void FillListLevel(TUVListLevel* Level, const TUVRTFListLevel97& RTFLevel);
  void RefreshLastMarker();

  Integer FTextStyleNo = 0;
  Integer FParaStyleNo = 0;

  // One import.
  TUVRTFReader* FReader = nullptr;
  TCustomUVData* FTarget = nullptr;
  TCustomUVData* FCurrent = nullptr;  // the target, the header or footer being read, or a table cell
  TCustomUVData* FOuter = nullptr;    // the target, or the header or footer being read
  std::unique_ptr<TUVRTFTableImport> FTables;
  TUVStyle* FStyle = nullptr;
  Integer FIndex = 0;
  bool FInsertMode = false;
  bool FFirstItem = true;
  Integer FFirstIndex = -1;
  double FPixelsPerTwip = 96.0 / 1440;
  bool FPageBreakPending = false;
  // The paragraph style last chosen and the paragraph properties it was chosen for.
  Integer FCachedParaNo = -1;
  std::unique_ptr<TUVRTFParaProperties> FCachedParaProps;
  // List styles made or found for the RTF lists (by list index) and old-style markers (by level).
  std::map<Integer, Integer> FRTFListStyles;
  std::map<Integer, Integer> FOldMarkerStyles;
  std::set<Integer> FUsedOverrides;  // list overrides whose start value was applied
  TCustomUVData* FLastMarkerData = nullptr;
  Integer FLastMarkerIndex = -1;
  bool FLastMarkerOldStyle = false;
  // The numbering definition the last old-style marker was made from.
  std::unique_ptr<TUVRTFMarkerProperties> FLastMarkerProps;
};
