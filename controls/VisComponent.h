// The bases of the non-visual components of the visual component library.
//
// TVisCustomComponent carries what every component of the set shares: the informational About
// text and a change notification that can be held back during bulk updates. TVisContainerComponent
// adds a picture taken from an image list: the list, which item of it (ListIndex) and which
// picture of the item (ImageIndex), kept up to date through a change link.
#pragma once

#include "classlib/Components.h"

class TVisChangeLink;
class TVisCustomImageList;

// Informational text that components publish as "About".
using TVisAboutVar = AnsiString;

class TVisCustomComponent : public TComponent {
  CLASS_INFO(TVisCustomComponent, TComponent)
public:
  explicit TVisCustomComponent(TComponent* AOwner) : TComponent(AOwner) {}

  // Holds OnChange back until EndUpdate; EndUpdate(true) then fires it once.
  void BeginUpdate() { FUpdating = true; }
  void EndUpdate(bool Notify);
  bool GetUpdating() const { return FUpdating; }

  // Called when something this component depends on changed; nothing at this level.
  virtual void GetChange(TObject* Sender);

  TVisAboutVar About;
  TNotifyEvent OnChange;

protected:
  // Fires OnChange unless an update is in progress.
  virtual void DoChange();
  // Reports a change of this component (DoChange).
  virtual void Change();

private:
  bool FUpdating = false;
};

// A component's reference to a picture of an image list: the list, which item of it (ListIndex)
// and which picture of the item (ImageIndex), kept up to date through a change link. OnChange
// runs whenever the list, an index (while a list is set) or the list's content changes. The
// owning component passes on its Notification and DefineProperties, so that a freed list is let
// go and a list of the global list owner is stored by its name ("Internal") instead of as a
// component reference.
class TVisImageListRef {
public:
  TVisImageListRef(TComponent* Owner, TNotifyEvent OnChange);
  ~TVisImageListRef();
  TVisImageListRef(const TVisImageListRef&) = delete;
  TVisImageListRef& operator=(const TVisImageListRef&) = delete;

  TVisCustomImageList* GetImageList() const { return FImageList; }
  // Moves the change link from the old list to the new one, then OnChange.
  void SetImageList(TVisCustomImageList* Value);
  Integer GetImageIndex() const { return FImageIndex; }
  Integer GetListIndex() const { return FListIndex; }
  // Negative and unchanged values are ignored; a new index runs OnChange when a list is set.
  void SetImageIndex(Integer Value) { SetIndex(0, Value); }
  void SetListIndex(Integer Value) { SetIndex(1, Value); }
  // Whether the list holds the picture the indexes name.
  bool IsValid() const;

  // Whether ImageList is stored as a reference: a list is set and it is not a global list.
  bool IsImageListStored() const;
  void DefineProperties(TFiler* Filer);
  void Notification(TComponent* AComponent, TOperation Operation);

private:
  void SetIndex(Integer Which, Integer Value);
  void ReadInternal(TReader* Reader);
  void WriteInternal(TWriter* Writer);

  TComponent* FOwner;
  TNotifyEvent FOnChange;
  TVisCustomImageList* FImageList = nullptr;
  Integer FImageIndex = 0;
  Integer FListIndex = 0;
  TVisChangeLink* FChangeLink;
};

class TVisContainerComponent : public TVisCustomComponent {
  CLASS_INFO(TVisContainerComponent, TVisCustomComponent)
public:
  explicit TVisContainerComponent(TComponent* AOwner);

  TVisCustomImageList* GetImageList() const { return FImages.GetImageList(); }
  // Moves the change link from the old list to the new one, then GetChange.
  void SetImageList(TVisCustomImageList* Value) { FImages.SetImageList(Value); }
  Integer GetImageIndex() const { return FImages.GetImageIndex(); }
  Integer GetListIndex() const { return FImages.GetListIndex(); }
  // Negative and unchanged values are ignored; a new index calls GetChange when a list is set.
  void SetImageIndex(Integer Value) { FImages.SetImageIndex(Value); }
  void SetListIndex(Integer Value) { FImages.SetListIndex(Value); }

  // Called whenever the list, the list index or the image index changes, and when the list's
  // content changes; nothing at this level.
  void GetChange(TObject* Sender) override;

  // Whether ImageList is stored as a reference: a list is set and it is not a global list.
  bool IsImageListStored() const { return FImages.IsImageListStored(); }

  // A list owned by the components' global list owner is stored by its name as "Internal"
  // (lists of other owners are stored as the ImageList reference).
  void DefineProperties(TFiler* Filer) override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

private:
  TVisImageListRef FImages;
};
