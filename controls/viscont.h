// Containers: non-visual components that hold numbered items (bitmaps, strips of pictures,
// string lists, wave sounds) for other components, store them in the form or in list files of
// their own, and tell the components registered with them (through change links) whenever their
// content changes. Components pick a picture by list index (which item) and image index (which
// picture of the item).
//
// Item record (all integers little-endian): a flags byte (bit 0 Compressed, bit 1 a description
// follows, bit 2 an identifier follows; bit 3 the item's data follows; bits 4-6 the pixel format
// of saved pictures), the description as a length byte and characters, the identifier as 4
// bytes, then the item's own data. Container stream: the item count (4 bytes), with an index the
// stream position of every record (4 bytes each), then the records. List file: the kind's
// signature as a length-prefixed text of 8 characters, then the container stream with an index.
#pragma once

#include <vector>

#include "classlib/Components.h"
#include "classlib/Graphics.h"
#include "classlib/TypInfo.h"
#include "controls/VisComponent.h"
#include "controls/visprocs.h"

class TBitmap;
class TCanvas;
class TChangeLink;
class TCustomImageList;
class TReader;
class TStream;
class TStrings;
class TVisWave;
class TWriter;

class TVisBaseContainer;
class TVisCustomContainer;

// The colour depth in which items save their pictures: the bitmap's own, 1, 4 or 8 bits.
enum TVisSavePixelFormat { spfDefault, spfMono, spf4bit, spf8bit };
ENUM_NAMES(TVisSavePixelFormat, "spfDefault", "spfMono", "spf4bit", "spf8bit");

// The kinds of containers and their list files; vlkUnknown is what ReadListHeader answers for a
// file whose signature is none of them.
constexpr Integer vlkImageList = 0;
constexpr Integer vlkBitmapList = 1;
constexpr Integer vlkWaveList = 2;
constexpr Integer vlkStringList = 3;
constexpr Integer vlkGeneral = 4;
constexpr Integer vlkRichText = 5;
constexpr Integer vlkUnknown = 6;

// The message of a list file of another kind than expected: "<message>: <file name>".
constexpr UINT SVisInvalidListFile = 65248;

// The file extension of a kind ("iml", "bmp", "wav", "txt", "*", "rtf"), with a leading "."
// when WithDot; empty for an unknown kind.
AnsiString ExtensionOf(Integer Kind, bool WithDot);
// The signature of a kind ("VisIML30", ...); empty for an unknown kind.
AnsiString SignatureOf(Integer Kind);
// Opens a list file and reads its header: the kind its signature names (vlkUnknown when none
// does), and, for a known kind, the positions of its item records. A count or a position that
// the file cannot hold raises EReadError "Stream read error".
Integer ReadListHeader(const AnsiString& FileName, std::vector<Integer>& Positions);

// A registration with a container: OnChange is called with Sender on every change of the
// container. A link that is freed unregisters itself.
class TVisChangeLink : public TObject {
  CLASS_INFO(TVisChangeLink, TObject)
public:
  TVisChangeLink() = default;
  ~TVisChangeLink() override;

  // Calls OnChange with Sender.
  virtual void Change();
  // The container the link is registered with, or none.
  TVisBaseContainer* GetContainer() const { return FContainer; }

  TObject* Sender = nullptr;
  TNotifyEvent OnChange;

private:
  friend class TVisBaseContainer;
  TVisBaseContainer* FContainer = nullptr;
};

// The container base: keeps the change links and calls them on every change.
class TVisBaseContainer : public TVisCustomComponent {
  CLASS_INFO(TVisBaseContainer, TVisCustomComponent)
public:
  explicit TVisBaseContainer(TComponent* AOwner) : TVisCustomComponent(AOwner) {}
  ~TVisBaseContainer() override;

  // Registering moves a link from the container it was registered with; unregistering a link
  // that is not registered here does nothing.
  void RegisterChanges(TVisChangeLink* Value);
  void UnRegisterChanges(TVisChangeLink* Value);
  Integer GetLinkCount() const { return static_cast<Integer>(FLinks.size()); }

protected:
  // OnChange, then every link, unless an update is in progress.
  void DoChange() override;

private:
  std::vector<TVisChangeLink*> FLinks;
};

// The base of a container's items: a description, an identifier and whether the item's data is
// stored compressed. An item made with a container as its owner joins that container's items.
// Streamed as a component of its own, an item keeps its whole record in the raw property
// "Internal".
class TVisListItem : public TVisCustomComponent {
  CLASS_INFO(TVisListItem, TVisCustomComponent)
public:
  explicit TVisListItem(TComponent* AOwner);
  ~TVisListItem() override;
  // From an item of the same class: the description, identifier, switch and data.
  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;

  const AnsiString& GetDescription() const { return FDescription; }
  void SetDescription(const AnsiString& Value);
  Word GetIdent() const { return FIdent; }
  void SetIdent(Word Value);
  bool GetCompressed() const { return FCompressed; }
  void SetCompressed(bool Value);
  // The container the item belongs to (its owner), or nil.
  TVisCustomContainer* GetContainer() const;
  // Its place among the container's items; -1 without a container.
  Integer GetItemIndex() const;

  // The item record.
  void SaveToStream(TStream* Stream);
  // Reads an item record; the item changes only when the whole record was read.
  void LoadFromStream(TStream* Stream);

  // Whether the item holds no data.
  virtual bool IsEmpty() { return true; }
  // Empties the item's data.
  virtual void ClearData() {}

protected:
  // OnChange, then the container's change.
  void DoChange() override;
  // The flag bits 3 to 6 of the item's record.
  virtual Byte DataFlags() { return 0; }
  // Writes the item's own data (after the common part of the record).
  virtual void WriteData(TStream*) {}
  // Reads the item's own data; Flags is the record's flags byte.
  virtual void ReadData(TStream*, Byte) {}
  // Copies the item's own data from another item of the same class.
  virtual void AssignData(TVisListItem*) {}

private:
  void ReadInternal(TStream* Stream);
  void WriteInternal(TStream* Stream);

  AnsiString FDescription;
  Word FIdent = 0;
  bool FCompressed = false;
};

// An item holding one bitmap, saved in PixelFormat. Its picture is fetched on first use by the
// container's storage mode (see TVisCustomContainer).
class TVisBitmapListItem : public TVisListItem {
  CLASS_INFO(TVisBitmapListItem, TVisListItem)
public:
  explicit TVisBitmapListItem(TComponent* AOwner);
  ~TVisBitmapListItem() override;

  // The bitmap; an empty one is first fetched as the container's storage mode says (not while
  // designing or loading).
  TBitmap* GetBitmap();
  void SetBitmap(TBitmap* Value);
  // The bitmap as it is, without fetching.
  TBitmap* GetBitmapNoLoad() const { return FBitmap; }
  TVisSavePixelFormat GetPixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TVisSavePixelFormat Value);

  bool IsEmpty() override;
  void ClearData() override;

protected:
  Byte DataFlags() override;
  void WriteData(TStream* Stream) override;
  void ReadData(TStream* Stream, Byte Flags) override;
  void AssignData(TVisListItem* Source) override;

private:
  void BitmapChanged(TObject* Sender);
  void FetchBitmap();

  TBitmap* FBitmap;
  TVisSavePixelFormat FPixelFormat = spfDefault;
  bool FFetching = false;
};

// An item holding a strip of equally sized pictures side by side (Width x Height each) in one
// bitmap, with a monochrome mask strip of the same layout when Masked (set where a picture is
// transparent). Each picture remembers the offset of its cell in the strip.
//
// Its own data in a record: Height, Width, AllocBy (4 bytes each), Masked (1 byte), the picture
// count n (4 bytes); when n > 0 the strip (n x Width wide) in the item's pixel format and, when
// Masked, the mask strip in one bit per pixel, each a bitmap property (compressed when the item
// is). Forms of an older layout carry "Bitmap": the count, the strip and the mask.
class TVisImageListItem : public TVisListItem {
  CLASS_INFO(TVisImageListItem, TVisListItem)
public:
  explicit TVisImageListItem(TComponent* AOwner);
  // An item with cells of that size; a size below 1 raises EInvalidGraphicOperation "Invalid
  // image size".
  TVisImageListItem(Integer AWidth, Integer AHeight, TComponent* AOwner = nullptr);
  ~TVisImageListItem() override;
  void DefineProperties(TFiler* Filer) override;

  // Values below 1 or equal to the current one are ignored; otherwise the strip is resized.
  Integer GetWidth() const { return FWidth; }
  void SetWidth(Integer Value);
  Integer GetHeight() const { return FHeight; }
  void SetHeight(Integer Value);
  bool GetMasked() const { return FMasked; }
  // On: a monochrome mask strip like the picture strip; off: no mask. The pictures keep their
  // cells.
  void SetMasked(bool Value);
  // Cells the strip grows by when it is full.
  Integer AllocBy = 4;
  TVisSavePixelFormat GetPixelFormat() const { return FPixelFormat; }
  void SetPixelFormat(TVisSavePixelFormat Value);

  Integer GetPictureCount() const { return static_cast<Integer>(FOffsets.size()); }
  // The cell of picture Index in the strip.
  TRect PictureRect(Integer Index) const;
  TBitmap* GetImage() const { return FImage; }
  TBitmap* GetMask() const { return FMask; }

  // Reserves a new cell after the used ones, widening the strip by AllocBy cells when it is full
  // (beyond 32768 pixels: EInvalidGraphicOperation "Too many images"); returns its index.
  Integer AllocPicture();
  // A new cell holding Image (and Mask when Masked); with neither only the cell.
  Integer AddPicture(TBitmap* Image, TBitmap* Mask);
  // Copies the first cell of Image into picture Index; when Masked, the first cell of Mask into
  // the mask cell, which without a mask is cleared (nothing transparent). Image (and Mask) must be
  // Height high and a whole number of cells wide, else EInvalidGraphicOperation "Invalid image
  // size".
  void ReplacePicture(Integer Index, TBitmap* Image, TBitmap* Mask);
  // ReplacePicture with the mask made from the pixels of TransparentColor (when Masked); the
  // picture keeps its colours.
  void ReplaceMasked(Integer Index, TBitmap* Image, TColor TransparentColor);
  // Appends copies of every picture of Other, which must have the same cell size ("Invalid image
  // size"); a strip that would grow beyond 32768 pixels raises "Too many images".
  void AddPictures(TVisImageListItem* Other);
  // Sizes Target to a cell and copies picture Index into it.
  void AssignPicture(Integer Index, TBitmap* Target);
  // The pixel at the bottom-left corner of the picture's cell.
  TColor TransparentColor(Integer Index);
  // The pixel at Point from the cell's top-left corner.
  TColor PixelColor(Integer Index, TPoint Point);
  // Draws picture Index at (X, Y) in its own size: as it is, or with its mask's pixels left
  // out when Masked.
  void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index);
  // Draws picture Index into Rect by the picture drawing flags (dbCenter, dbStretch, dbTile,
  // dbTransparent, dbPalette, dbClip; see visgraph.h): when Masked through its mask, otherwise
  // with its bottom-left pixel as the transparent colour. Rect becomes the area covered.
  void DrawInRect(TCanvas* Canvas, Integer Index, TRect& Rect, Word Flags, DWORD ClipOffset = 0);
  // Forgets every picture and empties the strips.
  void Clear();

  bool IsEmpty() override { return FOffsets.empty(); }
  void ClearData() override { Clear(); }

protected:
  Byte DataFlags() override;
  void WriteData(TStream* Stream) override;
  void ReadData(TStream* Stream, Byte Flags) override;
  void AssignData(TVisListItem* Source) override;

private:
  void CheckSize(TBitmap* Image) const;
  void CheckIndex(Integer Index) const;
  void ResizeStrips(Integer StripWidth);
  // Raises "Invalid image size" unless the strips read hold Count cells of that size.
  static void CheckStrips(TBitmap* Image, TBitmap* Mask, Integer Width, Integer Height, Integer Count);
  // Takes a strip (and mask) of Count pictures read from a stream.
  void TakeStrips(TBitmap* Image, TBitmap* Mask, Integer Count);
  void ReadBitmap(TStream* Stream);

  Integer FWidth = 16;
  Integer FHeight = 16;
  bool FMasked = false;
  TVisSavePixelFormat FPixelFormat = spfDefault;
  TBitmap* FImage;
  TBitmap* FMask;
  std::vector<Integer> FOffsets;
  Integer FUsedWidth = 0;
};

// An item holding a list of strings.
class TVisStringListItem : public TVisListItem {
  CLASS_INFO(TVisStringListItem, TVisListItem)
public:
  explicit TVisStringListItem(TComponent* AOwner);
  ~TVisStringListItem() override;

  TStrings* GetItems() const { return FItems; }
  void SetItems(TStrings* Value);

  bool IsEmpty() override;
  void ClearData() override;

protected:
  Byte DataFlags() override;
  void WriteData(TStream* Stream) override;
  void ReadData(TStream* Stream, Byte Flags) override;
  void AssignData(TVisListItem* Source) override;

private:
  void ItemsChanged(TObject* Sender);
  TStrings* FItems;
};

// An item holding a wave sound.
class TVisWaveListItem : public TVisListItem {
  CLASS_INFO(TVisWaveListItem, TVisListItem)
public:
  explicit TVisWaveListItem(TComponent* AOwner);
  ~TVisWaveListItem() override;

  TVisWave* GetWave() const { return FWave; }
  void SetWave(TVisWave* Value);

  bool IsEmpty() override;
  void ClearData() override;

protected:
  Byte DataFlags() override;
  void WriteData(TStream* Stream) override;
  void ReadData(TStream* Stream, Byte Flags) override;
  void AssignData(TVisListItem* Source) override;

private:
  void WaveChanged(TObject* Sender);
  TVisWave* FWave;
};

// A container of items of one class (ItemClass): adding, clearing, copying, and storing them in
// the form (the container stream in the raw property "Items"), in streams and in list files.
//
// Where an item's picture comes from when it is first asked for (StorageMode): 0 the item keeps
// it; 1 the item of the same index in the list file <folder><FileName>.<extension>; 2 the bitmap
// resource named after the item; 3 the bitmap resource of that name in the library FileName,
// or, when that does not load, the file <folder><FileName><item number>.<extension>; 4 that file
// read through the container's LoadItemFile. The folder is the one PathPrefix names; with
// ppFixed FileName is a full path (a name without a drive lies in the program's folder).
class TVisCustomContainer : public TVisBaseContainer {
  CLASS_INFO(TVisCustomContainer, TVisBaseContainer)
public:
  explicit TVisCustomContainer(TComponent* AOwner);
  ~TVisCustomContainer() override;
  // From a container of the same class: copies of its items and DefaultCompressed.
  void Assign(TPersistent* Source) override;
  void DefineProperties(TFiler* Filer) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  virtual Integer GetCount() const { return static_cast<Integer>(FItems.size()); }
  // The item of that index, or nil out of range.
  virtual TVisListItem* GetItem(Integer Index);
  Integer IndexOf(TVisListItem* Item) const;
  // A new item of the item class at the end; the change is reported.
  TVisListItem* Add();
  // Frees every item, then reports the change.
  void Clear();
  // Frees one item and reports the change.
  void Delete(Integer Index);
  // The item's change is the container's.
  void ItemChanged(TVisListItem* Item);

  // The container stream, with or without the index of record positions. Reading replaces the
  // items only when the whole stream was read; a count the data cannot hold raises EReadError.
  void SaveToStream(TStream* Stream, bool WithIndex);
  void LoadFromStream(TStream* Stream, bool WithIndex);
  // The container stream without an index, as forms store it.
  void ReadContent(TStream* Stream) { LoadFromStream(Stream, false); }
  void WriteContent(TStream* Stream) { SaveToStream(Stream, false); }
  // A list file of the container's kind; reading a file of another kind raises Exception
  // "<message>: <file name>".
  void SaveToFile(const AnsiString& FileName);
  void LoadFromFile(const AnsiString& FileName);

  Integer GetKind() const { return FKind; }
  // The class of the items Add makes.
  virtual TClass ItemClass() const;

  bool DefaultCompressed = false;
  // 0 to 4: where an item's picture comes from when it is first asked for.
  Byte StorageMode = 2;
  TVisPathPrefix PathPrefix = ppProgram;
  AnsiString FileName;

  // The folder of the storage modes' files, with a trailing "\" (empty for a full ppFixed path).
  AnsiString StorageFolder() const;
  // The file of one item for storage modes 3 and 4: <folder><FileName><Index + 1>.<extension>.
  AnsiString ItemFileName(Integer Index) const;
  // Storage mode 4's reading of one item's file; nothing here.
  virtual void LoadItemFile(TVisListItem* Item, const AnsiString& FileName);

protected:
  // Items made with the container as owner join it.
  friend class TVisListItem;
  void AddItem(TVisListItem* Item);
  void RemoveItem(TVisListItem* Item);
  // A new item initialised for this container (its Compressed switch from DefaultCompressed).
  virtual void InitItem(TVisListItem*) {}

  Integer FKind = vlkGeneral;

private:
  std::vector<TVisListItem*> FItems;
};

// Loads the item record Index of a list file into Item. A file of another kind than
// ExpectedKind raises Exception "<message>: <file name>"; an index the file does not hold
// raises EListError "List index out of bounds (<index>)".
void LoadItemFromFile(const AnsiString& FileName, Integer ExpectedKind, TVisListItem* Item, Integer Index);

// The containers whose items are pictures; components pick a picture by list index (which item)
// and image index (which picture of the item). Every operation gives a neutral answer for a list
// index that names no item.
class TVisCustomImageList : public TVisCustomContainer {
  CLASS_INFO(TVisCustomImageList, TVisCustomContainer)
public:
  explicit TVisCustomImageList(TComponent* AOwner) : TVisCustomContainer(AOwner) {}

  // The canvas the item's pictures are on; nil here.
  virtual TCanvas* ItemCanvas(Integer ListIndex);
  // Where the picture lies on that canvas; empty here.
  virtual TRect ItemRect(Integer ListIndex, Integer ImageIndex);
  // Which 0: the pictures' width, 1: their height; 0 here.
  virtual Integer ItemDimension(Integer ListIndex, Integer Which);
  // The number of pictures of the item; 0 here.
  virtual Integer PictureCount(Integer ListIndex);
  // Whether the list holds picture ImageIndex of item ListIndex; false here.
  virtual bool IsValid(Integer ListIndex, Integer ImageIndex);
  // Copies that picture into Target (when one is given); nothing here.
  virtual void AssignPicture(Integer ListIndex, Integer ImageIndex, TBitmap* Target);
  // Whether the item's pictures have masks; false here.
  virtual bool IsMasked(Integer ListIndex);
  // The palette of the item's picture; none here.
  virtual HPALETTE ItemPalette(Integer ListIndex);
  // The picture's transparent colour; white here.
  virtual TColor TransparentColor(Integer ListIndex, Integer ImageIndex);
  // The colour of the picture's pixel at Point; white here.
  virtual TColor PixelColor(Integer ListIndex, Integer ImageIndex, TPoint Point);
  // Draws the picture in its own size at (X, Y); nothing here.
  virtual void Draw(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, Integer X, Integer Y);
  // Draws the picture into Rect with the transparent-drawing routine (DrawBitmapInRect) and
  // the picture flags; Rect becomes the area covered. Nothing here.
  virtual void DrawInRect(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, TRect& Rect, Word Flags);
  // The same through the flag-driven picture drawing (DrawBitmapExt), which also clips (dbClip,
  // to Rect moved by ClipOffset) and realizes the palette (dbPalette) as the application allows.
  virtual void DrawEffect(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, TRect& Rect, Word Flags,
                          DWORD ClipOffset = 0);
};

// One bitmap per item.
class TVisBitmapList : public TVisCustomImageList {
  CLASS_INFO(TVisBitmapList, TVisCustomImageList)
public:
  // Storage mode 1 (the container's list file).
  explicit TVisBitmapList(TComponent* AOwner);

  TClass ItemClass() const override;
  TVisBitmapListItem* GetItems(Integer Index) { return static_cast<TVisBitmapListItem*>(GetItem(Index)); }
  TVisSavePixelFormat DefaultPixelFormat = spfDefault;

  TCanvas* ItemCanvas(Integer ListIndex) override;
  TRect ItemRect(Integer ListIndex, Integer ImageIndex) override;
  Integer ItemDimension(Integer ListIndex, Integer Which) override;
  Integer PictureCount(Integer ListIndex) override;
  bool IsValid(Integer ListIndex, Integer ImageIndex) override;
  void AssignPicture(Integer ListIndex, Integer ImageIndex, TBitmap* Target) override;
  HPALETTE ItemPalette(Integer ListIndex) override;
  TColor TransparentColor(Integer ListIndex, Integer ImageIndex) override;
  TColor PixelColor(Integer ListIndex, Integer ImageIndex, TPoint Point) override;
  void Draw(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, Integer X, Integer Y) override;
  void DrawInRect(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, TRect& Rect, Word Flags) override;
  void DrawEffect(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, TRect& Rect, Word Flags,
                  DWORD ClipOffset = 0) override;
  // Storage mode 4: the bitmap file.
  void LoadItemFile(TVisListItem* Item, const AnsiString& FileName) override;

protected:
  void InitItem(TVisListItem* Item) override;

private:
  // The item's bitmap when it holds a picture, else nil.
  TBitmap* PictureOf(Integer ListIndex);
};

// A strip of pictures per item (picture i is the i-th Width-wide cell of the item's strip).
class TVisImageList : public TVisCustomImageList {
  CLASS_INFO(TVisImageList, TVisCustomImageList)
public:
  explicit TVisImageList(TComponent* AOwner);

  TClass ItemClass() const override;
  TVisImageListItem* GetItems(Integer Index) { return static_cast<TVisImageListItem*>(GetItem(Index)); }
  TVisSavePixelFormat DefaultPixelFormat = spfDefault;

  TCanvas* ItemCanvas(Integer ListIndex) override;
  TRect ItemRect(Integer ListIndex, Integer ImageIndex) override;
  Integer ItemDimension(Integer ListIndex, Integer Which) override;
  // -1 for a list index that names no item.
  Integer PictureCount(Integer ListIndex) override;
  bool IsValid(Integer ListIndex, Integer ImageIndex) override;
  void AssignPicture(Integer ListIndex, Integer ImageIndex, TBitmap* Target) override;
  bool IsMasked(Integer ListIndex) override;
  HPALETTE ItemPalette(Integer ListIndex) override;
  TColor TransparentColor(Integer ListIndex, Integer ImageIndex) override;
  TColor PixelColor(Integer ListIndex, Integer ImageIndex, TPoint Point) override;
  void Draw(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, Integer X, Integer Y) override;
  void DrawInRect(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, TRect& Rect, Word Flags) override;
  void DrawEffect(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, TRect& Rect, Word Flags,
                  DWORD ClipOffset = 0) override;

protected:
  void InitItem(TVisListItem* Item) override;

private:
  // The item when it holds picture ImageIndex, else nil.
  TVisImageListItem* ValidItem(Integer ListIndex, Integer ImageIndex);
};

// One entry of an image-list connector: a class-library image list under a name. The entry
// follows the list's changes through a change link and lets it go when it is freed.
class TVisBorImageListItem : public TCollectionItem {
  CLASS_INFO(TVisBorImageListItem, TCollectionItem)
public:
  explicit TVisBorImageListItem(TCollection* Collection);
  ~TVisBorImageListItem() override;
  void Assign(TPersistent* Source) override;
  // Name, or the list's name when Name is empty.
  AnsiString GetDisplayName() override;

  const AnsiString& GetName() const { return FName; }
  void SetName(const AnsiString& Value);
  TCustomImageList* GetImageList() const { return FImageList; }
  void SetImageList(TCustomImageList* Value);

private:
  void ListChanged(TObject* Sender);
  void Changed();

  AnsiString FName;
  TCustomImageList* FImageList = nullptr;
  TChangeLink* FLink;
};

class TVisImageListConnector;

class TVisBorImageListItems : public TCollection {
  CLASS_INFO(TVisBorImageListItems, TCollection)
public:
  explicit TVisBorImageListItems(TVisImageListConnector* AOwner);

  TVisBorImageListItem* GetItems(Integer Index) const {
    return static_cast<TVisBorImageListItem*>(inherited::GetItems(Index));
  }
  TVisBorImageListItem* Add() { return static_cast<TVisBorImageListItem*>(inherited::Add()); }
  TPersistent* GetOwner() const override;
  TVisImageListConnector* GetConnector() const { return FConnector; }

protected:
  // Every change of an entry is the connector's change.
  void Update(TCollectionItem* Item) override;

private:
  TVisImageListConnector* FConnector;
};

// Presents class-library image lists as the items of a picture list: list index i is the i-th
// entry of ImageLists.
class TVisImageListConnector : public TVisCustomImageList {
  CLASS_INFO(TVisImageListConnector, TVisCustomImageList)
public:
  explicit TVisImageListConnector(TComponent* AOwner);
  ~TVisImageListConnector() override;
  // A class-library list that goes is let go by every entry that shows it.
  void Notification(TComponent* AComponent, TOperation Operation) override;

  TVisBorImageListItems* GetImageLists() const { return FImageLists; }
  void SetImageLists(TVisBorImageListItems* Value);
  // One item shared by every entry, its Description set to the entry's Name; nil out of range.
  TVisListItem* GetItem(Integer Index) override;
  // The number of entries.
  Integer GetCount() const override;
  Integer GetListCount() const;
  // The entries changed.
  void ListsChanged();

  TCanvas* ItemCanvas(Integer ListIndex) override;
  TRect ItemRect(Integer ListIndex, Integer ImageIndex) override;
  Integer ItemDimension(Integer ListIndex, Integer Which) override;
  // -1 for a list index that names no entry.
  Integer PictureCount(Integer ListIndex) override;
  bool IsValid(Integer ListIndex, Integer ImageIndex) override;
  void AssignPicture(Integer ListIndex, Integer ImageIndex, TBitmap* Target) override;
  bool IsMasked(Integer ListIndex) override;
  HPALETTE ItemPalette(Integer ListIndex) override;
  TColor TransparentColor(Integer ListIndex, Integer ImageIndex) override;
  TColor PixelColor(Integer ListIndex, Integer ImageIndex, TPoint Point) override;
  void Draw(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, Integer X, Integer Y) override;
  void DrawInRect(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, TRect& Rect, Word Flags) override;
  void DrawEffect(TCanvas* Canvas, Integer ListIndex, Integer ImageIndex, TRect& Rect, Word Flags,
                  DWORD ClipOffset = 0) override;

private:
  // The class-library list of entry ListIndex, or nil.
  TCustomImageList* ListOf(Integer ListIndex);
  // The picture copied into the work bitmap; false when the list does not hold it.
  bool CopyToWork(Integer ListIndex, Integer ImageIndex);

  TVisBorImageListItems* FImageLists;
  TVisListItem* FSharedItem;
  TBitmap* FWork;
};

// Items of string lists.
class TVisStringList : public TVisCustomContainer {
  CLASS_INFO(TVisStringList, TVisCustomContainer)
public:
  explicit TVisStringList(TComponent* AOwner);
  TClass ItemClass() const override;
  TVisStringListItem* GetItems(Integer Index) { return static_cast<TVisStringListItem*>(GetItem(Index)); }

protected:
  void InitItem(TVisListItem* Item) override;
};

// Items of wave sounds.
class TVisWaveList : public TVisCustomContainer {
  CLASS_INFO(TVisWaveList, TVisCustomContainer)
public:
  explicit TVisWaveList(TComponent* AOwner);
  TClass ItemClass() const override;
  TVisWaveListItem* GetItems(Integer Index) { return static_cast<TVisWaveListItem*>(GetItem(Index)); }

protected:
  void InitItem(TVisListItem* Item) override;
};

// A container of the four kinds at once: a bitmap list, an image list, a wave list and a string
// list, each streamed with the form as a raw property of its name; a change of any is the
// container's. While a form is designed, a change of one is copied into the global list owner's
// list of the same kind.
class TVisContainer : public TVisBaseContainer {
  CLASS_INFO(TVisContainer, TVisBaseContainer)
public:
  explicit TVisContainer(TComponent* AOwner);
  void DefineProperties(TFiler* Filer) override;

  TVisBitmapList* GetBitmapList() const { return FBitmapList; }
  TVisImageList* GetImageList() const { return FImageList; }
  TVisWaveList* GetWaveList() const { return FWaveList; }
  TVisStringList* GetStringList() const { return FStringList; }

private:
  void ListChanged(TObject* Sender);

  TVisBitmapList* FBitmapList;
  TVisImageList* FImageList;
  TVisWaveList* FWaveList;
  TVisStringList* FStringList;
};

// The owner of the process-wide picture lists that every form may use: a TVisContainer whose
// bitmap list is named "VisBML30" and image list "VisIML30"; references to them are stored by
// these names. Made with the containers unit.
extern TComponent* VisGlobalListOwner;

// Whether List belongs to the global list owner; forms store such a list by its name (the
// "Internal" property) instead of as a component reference.
bool IsGlobalImageList(const TVisCustomImageList* List);
// Writes and reads the name that stands for a global list; reading gives the global list of that
// name, or nil when there is none.
void WriteGlobalListRef(TWriter* Writer, const TVisCustomImageList* List);
TVisCustomImageList* ReadGlobalListRef(TReader* Reader);

namespace viscont_detail {
// The record's flag bits of a pixel format and back, and the colour count the stream routines
// save a picture of that format in (-1: the bitmap's own format).
Byte PixelFormatFlags(TVisSavePixelFormat Format);
TVisSavePixelFormat PixelFormatOfFlags(Byte Flags);
Integer PixelFormatColors(TVisSavePixelFormat Format);

struct UnitStart {
  UnitStart();
  ~UnitStart();
};
static const UnitStart unitStart;
}  // namespace viscont_detail
