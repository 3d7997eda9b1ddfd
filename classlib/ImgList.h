// Image lists: many small pictures of one size (with masks) in one system image list, and the
// change links through which the components that show them learn of changes.
#pragma once

#include <vector>

#include "classlib/Bitmaps.h"
#include "classlib/Components.h"
#include "classlib/Icons.h"

class TCustomImageList;

// Tells one client of an image list about its changes: the list calls Change, which calls
// OnChange with the list. Freeing the link takes it off its list.
class TChangeLink : public TObject {
  CLASS_INFO(TChangeLink, TObject)
public:
  ~TChangeLink() override;
  virtual void Change();

  TCustomImageList* Sender = nullptr;
  TNotifyEvent OnChange;
};

// How Draw draws: blended with BlendColor (25 or 50 percent), plain, or over the background.
enum TDrawingStyle { dsFocus, dsSelected, dsNormal, dsTransparent };
ENUM_NAMES(TDrawingStyle, "dsFocus", "dsSelected", "dsNormal", "dsTransparent");
// Draw the pictures or their masks.
enum TImageType { itImage, itMask };
ENUM_NAMES(TImageType, "itImage", "itMask");

class TCustomImageList : public TComponent {
  CLASS_INFO(TCustomImageList, TComponent)
public:
  // 16 x 16 pictures with masks.
  explicit TCustomImageList(TComponent* AOwner);
  TCustomImageList(Integer AWidth, Integer AHeight, TComponent* AOwner = nullptr);
  ~TCustomImageList() override;

  // From another image list: its settings and a copy of its pictures.
  void Assign(TPersistent* Source) override;
  // The form stream's "Bitmap" property: the pictures in the system's image-list stream
  // format, written when there are any.
  void DefineProperties(TFiler* Filer) override;

  // Adds the pictures of Image (several when it is a multiple of Width wide) with the mask
  // (set where transparent; nil for none); returns the index of the first. An image smaller
  // than the list's size raises EInvalidOperation "Invalid image size".
  Integer Add(TBitmap* Image, TBitmap* Mask);
  // Adds with the pixels of MaskColor transparent; Image itself is not changed.
  Integer AddMasked(TBitmap* Image, TColor MaskColor);
  Integer AddIcon(TIcon* Image);
  // Copies a picture (or all pictures) of another list.
  Integer AddImage(TCustomImageList* Value, Integer Index);
  void AddImages(TCustomImageList* Value);
  void Insert(Integer Index, TBitmap* Image, TBitmap* Mask);
  void InsertMasked(Integer Index, TBitmap* Image, TColor MaskColor);
  void InsertIcon(Integer Index, TIcon* Image);
  void Replace(Integer Index, TBitmap* Image, TBitmap* Mask);
  void ReplaceMasked(Integer Index, TBitmap* NewImage, TColor MaskColor);
  void ReplaceIcon(Integer Index, TIcon* Image);
  // Moves a picture to another index, shifting those between.
  void Move(Integer CurIndex, Integer NewIndex);
  // Index out of range: EInvalidOperation "Invalid ImageList Index".
  void Delete(Integer Index);
  void Clear();

  // Draws a picture; a disabled one in the 3-D shadow and highlight colours. On a metafile the
  // picture is drawn by stretching its pixels, so that the recording carries them.
  void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, bool Enabled = true);
  void Draw(TCanvas* Canvas, Integer X, Integer Y, Integer Index, TDrawingStyle ADrawingStyle, TImageType AImageType,
            bool Enabled = true);
  // Sizes Image to the list's size and draws the picture on it; false for an invalid index.
  bool GetBitmap(Integer Index, TBitmap* Image);
  void GetIcon(Integer Index, TIcon* Image);

  Integer GetCount();
  HIMAGELIST GetHandle();
  // Takes over a system image list (freed by this list unless ShareImages is set).
  void SetHandle(HIMAGELIST Value);
  bool HandleAllocated() const { return FHandle != nullptr; }

  Integer GetWidth() const { return FWidth; }
  // A new size empties the list.
  void SetWidth(Integer Value);
  Integer GetHeight() const { return FHeight; }
  void SetHeight(Integer Value);
  bool GetMasked() const { return FMasked; }
  // Keeps the pictures; switching masks off drops their transparency.
  void SetMasked(bool Value);
  TColor GetBkColor() const { return FBkColor; }
  void SetBkColor(TColor Value);
  TColor GetBlendColor() const { return FBlendColor; }
  void SetBlendColor(TColor Value);
  TDrawingStyle GetDrawingStyle() const { return FDrawingStyle; }
  void SetDrawingStyle(TDrawingStyle Value);
  TImageType GetImageType() const { return FImageType; }
  void SetImageType(TImageType Value);
  Integer AllocBy = 4;
  // When set, the system image list is not freed with this list.
  bool ShareImages = false;

  // The clients' change links: each is told of every change.
  void RegisterChanges(TChangeLink* Value);
  void UnRegisterChanges(TChangeLink* Value);
  // Changes between BeginUpdate and EndUpdate are told once, at the end.
  void BeginUpdate();
  void EndUpdate();

  TNotifyEvent OnChange;

protected:
  virtual void Change();

private:
  void CreateList();
  void FreeHandle();
  void CheckImage(TGraphic* Image) const;
  void CheckIndex(Integer Index);
  // A copy of the picture and of its mask (set where transparent).
  void GetImages(Integer Index, TBitmap* Image, TBitmap* Mask);
  void DrawStretched(HDC DC, Integer X, Integer Y, Integer Index);
  void ReadData(TStream* Stream);
  void WriteData(TStream* Stream);

  HIMAGELIST FHandle = nullptr;
  Integer FWidth = 16;
  Integer FHeight = 16;
  bool FMasked = true;
  TColor FBkColor = clNone;
  TColor FBlendColor = clNone;
  TDrawingStyle FDrawingStyle = dsNormal;
  TImageType FImageType = itImage;
  std::vector<TChangeLink*> FClients;
  Integer FUpdateCount = 0;
  bool FChanged = false;
};

class TImageList : public TCustomImageList {
  CLASS_INFO(TImageList, TCustomImageList)
public:
  using TCustomImageList::TCustomImageList;
};
