// List markers: the item that begins a bulleted or numbered paragraph, the document's list of
// markers in document order, and numbering through that list.
#pragma once

#include "classlib/Lists.h"
#include "richtext/core/UVItem.h"
#include "richtext/core/UVStyle.h"

class TUVMarkerList;

class TUVMarkerItemInfo : public TUVRectItemInfo {
  UVITEM_CLASS(TUVMarkerItemInfo, TUVRectItemInfo)
public:
  explicit TUVMarkerItemInfo(TCustomUVData* UVData);
  TUVMarkerItemInfo(TCustomUVData* UVData, Integer AListNo, Integer ALevel, Integer AStartFrom, bool AReset);

  // The list level this marker shows: none for a negative ListNo or Level; the last level when
  // Level is beyond the levels.
  TUVListLevel* GetLevelInfo(TUVStyle* Style) const;
  // The position in List (the cache, else searched); -1 without a list or when absent.
  Integer GetIndexInList(TUVMarkerList* List);
  // DisplayString from the counters of this marker and its parent markers.
  void CalcDisplayString(TUVStyle* Style, TUVMarkerList* List, Integer Index);
  // Whether the marker's level counts (and so restarts with Reset).
  bool HasNumbering(TUVStyle* Style) const;

  void Assign(TPersistent* Source) override;
  bool QueryFlag(Integer Code) override;
  bool QueryStyledFlag(Integer Code, TUVStyle* Style) override;
  Integer GetBorderWidth() override { return MarkerWidth; }
  Integer GetBorderHeight() override { return MarkerHeight; }
  Integer GetHorzOffset() override { return MarkerOffset; }
  Integer GetRectMetric() override { return MarkerDescent; }
  Integer GetImageWidth(TUVStyle* Style) override;
  Integer GetImageHeight(TUVStyle* Style) override;
  Integer GetMinWidth(const TUVScreenAndDevice* Sad, TCanvas* Canvas, TCustomUVData* UVData) override;
  bool OnDocWidthChange(Integer DocWidth, TUVDrawLineInfo* DrawItem, bool Printing, TCanvas* Canvas,
                        TCustomUVData* UVData, const TUVScreenAndDevice* Sad, Integer& HShift,
                        bool NoCaching) override;
  void Paint(Integer X, Integer Y, TCanvas* Canvas, TUVTextDrawStates State, TUVStyle* Style,
             TUVDrawLineInfo* DrawItem) override;
  void Print(TCanvas* Canvas, Integer X, Integer Y, Integer X2, bool Preview, bool Correction,
             const TUVScreenAndDevice& Sad, TCustomUVData* UVData, TUVDrawLineInfo* DrawItem, Integer Part) override;
  bool PrintToBitmap(TBitmap* Bitmap, bool Preview, TCustomUVData* UVData, TUVDrawLineInfo* DrawItem,
                     Integer Part) override;
  void Inserted(TCustomUVData* UVData, Integer ItemNo) override;
  void NotifyRemoving(TCustomUVData* UVData, Integer ItemNo) override;
  void AfterUndoRestore(TCustomUVData* UVData, Integer ItemNo) override;
  void MarkUsedParaStyle(TUVStyleUsage& Used) override;
  void RenumberParaStyle(TUVStyleUsage& Used) override;
  AnsiString GetUVFExtraHeader(TCustomUVData* UVData) override;
  bool ReadUVFHeader(const char*& P, TCustomUVData* UVData) override;
  AnsiString AsText(Integer LineWidth, TCustomUVData* UVData, const AnsiString& Text, const AnsiString& Path,
                    bool TextOnly, bool Unicode) override;
  void FillRTFTables(TUVColorList* ColorList, TUVIntegerList* ListOverrideCounts, TCustomUVData* UVData) override;
  void SaveRTF(TStream* Stream, const AnsiString& Path, TCustomUVData* UVData, Integer ItemNo, const AnsiString& Name,
               TUVRTFSaveContext& Context) override;
  void SaveHTML(TStream* Stream, TCustomUVData* UVData, Integer ItemNo, const AnsiString& Text,
                const AnsiString& Path, const AnsiString& ImgSavePrefix, Integer& ImgSaveNo, TColor CurrentParaColor,
                Integer SaveOptions, bool UseCSS, TUVHTMLImageCache* Images) override;

  Integer MarkerWidth = 0;
  Integer MarkerHeight = 0;
  Integer MarkerDescent = 0;
  Integer MarkerOffset = 0;
  Integer IndexInList = -1;
  Integer ListNo = 0;
  Integer Level = 0;
  Integer Counter = 1;
  bool Reset = false;
  Integer StartFrom = 0;
  AnsiString DisplayString;

private:
  struct Measure {
    Integer Width = 0;
    Integer Height = 0;
    Integer Descent = 0;
    Integer Before = 0;  // the part of the marker before its anchor
    Integer After = 0;   // the part after it
    Integer Indent = 0;  // the room the paragraph leaves after the anchor
  };
  Measure DoMeasure(TCanvas* Canvas, TCustomUVData* UVData, const TUVScreenAndDevice* Sad, bool Printing);
  // Selects the level font (sized for the text styles' resolution) on the canvas.
  void ApplyLevelFont(TCanvas* Canvas, TUVStyle* Style, TUVListLevel* Level);
  void DrawMarker(TCanvas* Canvas, Integer X, Integer Y, TUVStyle* Style);
};

// The markers of one document in document order; it does not own them.
class TUVMarkerList : public TList {
  CLASS_INFO(TUVMarkerList, TList)
public:
  TUVMarkerItemInfo* Get(Integer Index) const { return static_cast<TUVMarkerItemInfo*>(TList::GetItems(Index)); }
  // Puts Marker right after Previous (at 0 without one) and sets its cache.
  void InsertAfter(TUVMarkerItemInfo* Marker, TUVMarkerItemInfo* Previous);
  // The nearest earlier marker of the same list with a smaller level; -1 when none.
  Integer FindParentMarker(Integer Index) const;
  // Numbers the markers of the list of the marker at From, from it to the end.
  void RecalcCounters(Integer From, TUVStyle* Style);
};

// A counter written in a list level's type ("ab" for 28 in lower alpha, "?" for 0 in roman).
AnsiString UVCounterToText(Integer Counter, TUVListType ListType);
// Applies a format string: "%s" and "%n:s" take the arguments (missing ones are empty), "%%"
// is one "%", everything else is copied as it is; never raises.
AnsiString UVFormatListLevelString(const AnsiString& Format, const std::vector<AnsiString>& Args);
