// Buttons embedded in a control: each TVisSpecialButton of a TVisSpecialButtons collection
// makes one speed button on the collection's control (a custom edit's buttons at its right
// edge), keeps its caption, hint, glyph, layout and fonts, and hands them to that button.
#pragma once

#include "classlib/Components.h"
#include "controls/VisButtons.h"
#include "controls/VisObject.h"

class TVisSpecialButtons;

// A click of an embedded button: the item and its index.
using TVisOnCustomBtnClick = Closure<void(TObject* Sender, Integer Index)>;

class TVisSpecialButton : public TCollectionItem {
  CLASS_INFO(TVisSpecialButton, TCollectionItem)
public:
  // Makes the speed button on the collection's control: enabled, button-face coloured, an arrow
  // cursor, its tag the item's index.
  explicit TVisSpecialButton(TCollection* Collection);
  ~TVisSpecialButton() override;
  // From another special button: caption, hint, glyph, enabled, cursor, group, layout, fonts,
  // ParentFont and OnClick.
  void Assign(TPersistent* Source) override;

  // The shared setter of the strings: 0 Caption, 1 Hint.
  void SetString(Integer Index, const AnsiString& Value);
  const AnsiString& GetCaption() const { return FStrings[0]; }
  void SetCaption(const AnsiString& Value) { SetString(0, Value); }
  const AnsiString& GetHint() const { return FStrings[1]; }
  void SetHint(const AnsiString& Value) { SetString(1, Value); }
  TBitmap* GetGlyph() const { return FGlyph; }
  void SetGlyph(TBitmap* Value);
  bool GetEnabled() const { return FEnabled; }
  void SetEnabled(bool Value);
  TCursor GetCursor() const { return FCursor; }
  void SetCursor(TCursor Value);
  Integer GetGroupIndex() const { return FGroupIndex; }
  void SetGroupIndex(Integer Value);
  // Read back from the button.
  bool GetParentFont() const;
  void SetParentFont(bool Value);
  TVisButtonLayout* GetLayout() const { return FLayout; }
  void SetLayout(TVisButtonLayout* Value) { FLayout->Assign(Value); }
  TFont* GetFont() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }
  TVisFxCaption* GetFontFX() const { return FFontFX; }
  void SetFontFX(TVisFxCaption* Value) { FFontFX->Assign(Value); }

  TVisSpeedButton* GetButton() const { return FButton; }

  TVisOnCustomBtnClick OnClick;

private:
  void LayoutChanged(TObject* Sender);
  void FontChanged(TObject* Sender);
  void FontFXChanged(TObject* Sender);
  void ButtonClick(TObject* Sender);

  AnsiString FStrings[2];
  TBitmap* FGlyph;
  bool FEnabled = true;
  TCursor FCursor = crArrow;
  Integer FGroupIndex = 0;
  TVisButtonLayout* FLayout;
  TFont* FFont;
  TVisFxCaption* FFontFX;
  TVisSpeedButton* FButton = nullptr;
};

class TVisSpecialButtons : public TCollection {
  CLASS_INFO(TVisSpecialButtons, TCollection)
public:
  // With Notify, changes of the items make the control lay its buttons out again.
  TVisSpecialButtons(TWinControl* AOwner, bool Notify);
  ~TVisSpecialButtons() override;

  TVisSpecialButton* GetItems(Integer Index) const { return static_cast<TVisSpecialButton*>(inherited::GetItems(Index)); }
  TVisSpecialButton* Add() { return static_cast<TVisSpecialButton*>(inherited::Add()); }
  TPersistent* GetOwner() const override;
  TWinControl* GetControl() const { return FOwner; }
  // Told of every change of the items (with Notify) when the control is not a custom edit.
  TNotifyEvent OnUpdate;

protected:
  // A custom edit is told to lay its buttons out again.
  void Update(TCollectionItem* Item) override;

private:
  TWinControl* FOwner;
  bool FNotify;
};
