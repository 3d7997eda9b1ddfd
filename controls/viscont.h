// Containers: non-visual components that hold items for other components and tell the
// components registered with them (through change links) whenever their content changes.
#pragma once

#include <vector>

#include "classlib/Graphics.h"
#include "controls/VisComponent.h"

class TBitmap;
class TReader;
class TWriter;

class TVisBaseContainer;

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

// The containers whose items are pictures; components pick a picture by list index and image
// index.
class TVisCustomImageList : public TVisBaseContainer {
  CLASS_INFO(TVisCustomImageList, TVisBaseContainer)
public:
  explicit TVisCustomImageList(TComponent* AOwner) : TVisBaseContainer(AOwner) {}

  // Whether the list holds picture ImageIndex of item ListIndex; false here.
  virtual bool IsValid(Integer ListIndex, Integer ImageIndex);
  // Copies that picture into Target (when one is given); nothing here.
  virtual void AssignPicture(Integer ListIndex, Integer ImageIndex, TBitmap* Target);
};

// The owner of the process-wide picture lists that every form may use; references to its lists
// are stored by the lists' names. None until the containers make it.
extern TComponent* VisGlobalListOwner;

// Whether List belongs to the global list owner; forms store such a list by its name (the
// "Internal" property) instead of as a component reference.
bool IsGlobalImageList(const TVisCustomImageList* List);
// Writes and reads the name that stands for a global list; reading gives the global list of that
// name, or nil when there is none.
void WriteGlobalListRef(TWriter* Writer, const TVisCustomImageList* List);
TVisCustomImageList* ReadGlobalListRef(TReader* Reader);

// The base of a container's items: a description, an identifier and whether the item's data is
// stored compressed.
class TVisListItem : public TVisCustomComponent {
  CLASS_INFO(TVisListItem, TVisCustomComponent)
public:
  explicit TVisListItem(TComponent* AOwner) : TVisCustomComponent(AOwner) {}

  AnsiString Description;
  Word Ident = 0;
  bool Compressed = false;
};

// An item holding a strip of equally sized pictures side by side (Width x Height each) in one
// bitmap, with a monochrome mask strip of the same layout when Masked (set where a picture is
// transparent). Each picture remembers the offset of its cell in the strip.
class TVisImageListItem : public TVisListItem {
  CLASS_INFO(TVisImageListItem, TVisListItem)
public:
  explicit TVisImageListItem(TComponent* AOwner);
  // An item with cells of that size; a size below 1 raises EInvalidGraphicOperation "Invalid
  // image size".
  TVisImageListItem(Integer AWidth, Integer AHeight, TComponent* AOwner = nullptr);
  ~TVisImageListItem() override;

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
  // Sizes Target to a cell and copies picture Index into it.
  void AssignPicture(Integer Index, TBitmap* Target);
  // The pixel at the bottom-left corner of the picture's cell.
  TColor TransparentColor(Integer Index);
  // The pixel at Point from the cell's top-left corner.
  TColor PixelColor(Integer Index, TPoint Point);
  // Forgets every picture and empties the strips.
  void Clear();

private:
  void CheckSize(TBitmap* Image) const;
  void CheckIndex(Integer Index) const;
  void ResizeStrips(Integer StripWidth);

  Integer FWidth = 16;
  Integer FHeight = 16;
  bool FMasked = false;
  TBitmap* FImage;
  TBitmap* FMask;
  std::vector<Integer> FOffsets;
  Integer FUsedWidth = 0;
};
