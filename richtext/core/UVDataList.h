// Documents held by items: the base of a document that lives inside an item (a table cell) and
// answers what a document asks of its surroundings through the document that holds the item, and
// the base of a list of such documents (a table row).
#pragma once

#include "richtext/core/CUVFData.h"

class TUVItemFormattedData : public TCustomUVFormattedData {
  CLASS_INFO(TUVItemFormattedData, TCustomUVFormattedData)
public:
  explicit TUVItemFormattedData(TCustomUVItemInfo* AOwner) : FOwner(AOwner) {}

  TCustomUVItemInfo* GetOwner() const { return FOwner; }

  // The document that holds the owning item; the style sheet, options and events come from it
  // and, through it, from the outermost document.
  TCustomUVData* GetParentData() override;
  TCustomUVData* GetRootData() override;
  TCustomUVData* GetAbsoluteParentData() override { return GetParentData(); }
  // The own origin, then each enclosing document's in turn.
  void ConvertToRootCoords(Integer& X, Integer& Y) override;
  // The item action event, pictures written for HTML and their names are the parent's.
  void ItemAction(TUVItemAction Action, TCustomUVItemInfo* Item, AnsiString& Text) override;
  AnsiString SaveImageFile(TGraphic* Graphic, Integer Format, const AnsiString& Path, const AnsiString& Prefix,
                           Integer& Counter, TColor BackColor, bool Overwrite) override;
  AnsiString GetUniqueImageFileName(AnsiString Path, const AnsiString& Prefix, const AnsiString& Extension,
                                    Integer& Counter, bool Overwrite) override;
  // A document inside an item has no client area to paint: its item paints it. Raises
  // EUzurUvadError "This method is not supported for TUVItemFormattedData".
  void PaintBuffered(TCanvas* Canvas, const TRect& ClipRect) override;

private:
  TCustomUVItemInfo* FOwner;
};

// A list of documents held by an item, which it owns (a table row's cells).
class TUVDataList : public TUVList {
  CLASS_INFO(TUVDataList, TUVList)
public:
  // The object that holds the list; none here (a table row answers its rows).
  virtual TObject* GetParentObject() { return nullptr; }

  // A set of flags for the holder's use, with elements 1 and 4 at first (the value 18).
  Cardinal Flags = 18;
};
