// Draw records: the pieces into which formatting cuts the items of a document, one per piece of
// an item on one visual line, the list that holds them, records of items drawn across pages,
// and the resolution record passed through formatting, painting and printing.
#pragma once

#include <vector>

#include "classlib/System.h"
#include "richtext/core/UVClasses.h"

class TCustomUVData;

// Screen and device resolutions (pixels per inch) and the owner's margins scaled to the device.
// Style values are screen pixels; XToDevice and YToDevice scale them (identity on the screen).
struct TUVScreenAndDevice {
  Integer ScreenPpiX = 96;
  Integer ScreenPpiY = 96;
  Integer DevicePpiX = 96;
  Integer DevicePpiY = 96;
  Integer LeftMargin = 0;
  Integer RightMargin = 0;

  Integer XToDevice(Integer Value) const;
  Integer YToDevice(Integer Value) const;
  Integer XToScreen(Integer Value) const;
  Integer YToScreen(Integer Value) const;
};

// One formatted piece of an item on one line, in document coordinates of the target device.
class TUVDrawLineInfo : public TObject {
  CLASS_INFO(TUVDrawLineInfo, TObject)
public:
  TUVDrawLineInfo() = default;
  // A record with its position, size, item and new-line flag.
  TUVDrawLineInfo(Integer ALeft, Integer ATop, Integer AWidth, Integer AHeight, Integer AItemNo, bool AFromNewLine);

  virtual void SetData(Integer ALeft, Integer ATop, Integer AItemNo, bool AFromNewLine);
  virtual void SetSize(Integer AWidth, Integer AHeight);

  Integer JustifySpace = 0;  // pixels added to the piece by justification
  Integer Left = 0;
  Integer Top = 0;
  Integer Width = 0;
  Integer Height = 0;
  Integer ItemNo = 0;
  Integer Offs = 0;    // text: 1-based first character shown; 0 for other items
  Integer Length = 0;  // text: characters shown; 0 for other items
  Integer ExtraSpaceBelow = 0;  // line-spacing extra below the line holding the piece
  bool FromNewLine = false;     // the piece begins a visual line
};

// One page part of an item drawn across several pages.
class TUVMultiDrawItemPart : public TObject {
  CLASS_INFO(TUVMultiDrawItemPart, TObject)
public:
  // A soft page break inside the part, as an offset from its top; -1 when none.
  virtual Integer GetSoftPageBreakInfo() { return -1; }

  Integer Height = 0;
};

// A draw record of an item that may be split across pages; it owns its parts (pictures and
// controls with a minimal height on a page, tables). Pagination asks it, in this order, for its
// first part (StartPages), whether that part can begin in the room left on a page
// (CanSplitFirst), and to cut its last part at the bottom of each page (SplitAt).
class TUVMultiDrawItemInfo : public TUVDrawLineInfo {
  CLASS_INFO(TUVMultiDrawItemInfo, TUVDrawLineInfo)
public:
  TUVMultiDrawItemPart* GetPart(Integer Index) const { return static_cast<TUVMultiDrawItemPart*>(PartsList.Get(Index)); }
  Integer GetPartCount() const { return PartsList.GetCount(); }
  // Makes the first part, the whole item; false (and no part) when the item is not to be split:
  // it is then paginated whole, like any other item. Here: false.
  virtual bool StartPages();
  // Whether the first part can be cut so that it takes at most Y device pixels.
  virtual bool CanSplitFirst(Integer Y);
  // Cuts the last part so that it takes at most Y device pixels; what is cut off becomes the new
  // last part. True when it was cut (the item goes on on another page), false when it fits.
  virtual bool SplitAt(Integer Y);
  // Drops the parts.
  virtual void ResetPages();

  TUVList PartsList;
};

// A saved position inside a sub-document of an item (a table cell), kept across changes.
class TUVStoreSubUVData : public TObject {
  CLASS_INFO(TUVStoreSubUVData, TObject)
public:
  virtual TUVStoreSubUVData* Duplicate() { return nullptr; }
};

// The draw records of a formatted document, in order; it owns them. A window of slots whose
// records were freed (DeleteFirst, DeleteCount) lets a partial reformat store new records in
// place instead of shifting the list for each one.
class TUVDrawLines : public TList {
  CLASS_INFO(TUVDrawLines, TList)
public:
  ~TUVDrawLines() override;

  void Clear() override;
  TUVDrawLineInfo* Get(Integer Index) const { return static_cast<TUVDrawLineInfo*>(TList::GetItems(Index)); }
  TUVDrawLineInfo* operator[](Integer Index) const { return Get(Index); }
  Integer Add(TUVDrawLineInfo* Item) { return TList::Add(Item); }
  // Into a freed slot of the window when there is one, else an ordinary insert.
  void Insert(Integer Index, TUVDrawLineInfo* Item);
  // Frees the record at Index and removes its slot.
  void Delete(Integer Index);

  // The shown part of the item's text: 8-bit characters, or raw UTF-16 for a Unicode item.
  void GetDrawItemText(Integer Index, TCustomUVData* UVData, AnsiString& Text) const;
  // Count characters from character From (1-based) of the record, cut at the record's end.
  void GetSubDrawItemText(Integer Index, TCustomUVData* UVData, AnsiString& Text, Integer From, Integer Count) const;

  // Takes the records from index From to the end out of the list, unfreed, in order.
  void Detach(Integer From, std::vector<TUVDrawLineInfo*>& Into);
  // Frees the records First..Last and keeps their slots as the window.
  void MarkForDelete(Integer First, Integer Last);
  // Removes the slots still in the window.
  void DeleteMarked();

  Integer DeleteFirst = -1;
  Integer DeleteCount = 0;
};
