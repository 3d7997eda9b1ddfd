// Buttons embedded in a control.
#include "controls/vissbtn.h"

#include "classlib/Filer.h"
#include "controls/VisCustomEdit.h"
#include "controls/VisObject.h"

PUBLISHED(TVisSpecialButton) {
  Prop("Caption", &TVisSpecialButton::GetCaption, &TVisSpecialButton::SetCaption);
  Prop("Cursor", &TVisSpecialButton::GetCursor, &TVisSpecialButton::SetCursor)
      .Type(CursorTypeInfo())
      .Default(crArrow);
  Prop("Hint", &TVisSpecialButton::GetHint, &TVisSpecialButton::SetHint);
  Prop("Glyph", &TVisSpecialButton::GetGlyph, &TVisSpecialButton::SetGlyph);
  Prop("Enabled", &TVisSpecialButton::GetEnabled, &TVisSpecialButton::SetEnabled).Default(true);
  Prop("Layout", &TVisSpecialButton::GetLayout, &TVisSpecialButton::SetLayout);
  Prop("ParentFont", &TVisSpecialButton::GetParentFont, &TVisSpecialButton::SetParentFont).Default(true);
  Prop("Font", &TVisSpecialButton::GetFont, &TVisSpecialButton::SetFont);
  Prop("FontFX", &TVisSpecialButton::GetFontFX, &TVisSpecialButton::SetFontFX);
  Prop("GroupIndex", &TVisSpecialButton::GetGroupIndex, &TVisSpecialButton::SetGroupIndex).Default(0);
  Prop("Index", &TCollectionItem::GetIndex, &TCollectionItem::SetIndex).Stored(false);
  Prop("DisplayName", &TCollectionItem::GetDisplayName, &TCollectionItem::SetDisplayName).Stored(false);
  Prop("OnClick", &TVisSpecialButton::OnClick);
}

// --- TVisSpecialButton -------------------------------------------------------------------------------

TVisSpecialButton::TVisSpecialButton(TCollection* Collection)
    : TCollectionItem(Collection),
      FGlyph(new TBitmap),
      FLayout(new TVisButtonLayout),
      FFont(new TFont),
      FFontFX(new TVisFxCaption) {
  auto* buttons = dynamic_cast<TVisSpecialButtons*>(Collection);
  TWinControl* control = buttons ? buttons->GetControl() : nullptr;
  FButton = new TVisSpeedButton(nullptr);
  FButton->SetEnabled(true);
  FButton->SetColor(clBtnFace);
  FButton->SetCursor(crArrow);
  FButton->Tag = GetIndex();
  FButton->OnClick = TNotifyEvent(this, &TVisSpecialButton::ButtonClick);
  if (control) {
    FFont->Assign(control->GetFont());
    FButton->SetParent(control);
  }
  FLayout->OnChange = TNotifyEvent(this, &TVisSpecialButton::LayoutChanged);
  FFont->OnChange = TNotifyEvent(this, &TVisSpecialButton::FontChanged);
  FFontFX->OnChange = TNotifyEvent(this, &TVisSpecialButton::FontFXChanged);
  Changed(false);
}

TVisSpecialButton::~TVisSpecialButton() {
  FLayout->OnChange = nullptr;
  FFont->OnChange = nullptr;
  FFontFX->OnChange = nullptr;
  delete FFontFX;
  delete FFont;
  delete FLayout;
  FButton->OnClick = nullptr;
  delete FButton;
  delete FGlyph;
}

void TVisSpecialButton::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TVisSpecialButton*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  SetCaption(source->GetCaption());
  SetHint(source->GetHint());
  SetGlyph(source->GetGlyph());
  SetEnabled(source->GetEnabled());
  SetCursor(source->GetCursor());
  SetGroupIndex(source->GetGroupIndex());
  SetLayout(source->GetLayout());
  SetFont(source->GetFont());
  SetFontFX(source->GetFontFX());
  SetParentFont(source->GetParentFont());
  OnClick = source->OnClick;
}

void TVisSpecialButton::SetString(Integer Index, const AnsiString& Value) {
  FStrings[Index] = Value;
  if (Index == 0)
    FButton->SetCaption(Value);
  else
    FButton->SetHint(Value);
  Changed(false);
}

void TVisSpecialButton::SetGlyph(TBitmap* Value) {
  FGlyph->Assign(Value);
  FButton->SetGlyph(FGlyph);
  Changed(false);
}

void TVisSpecialButton::SetEnabled(bool Value) {
  FEnabled = Value;
  FButton->SetEnabled(Value);
}

void TVisSpecialButton::SetCursor(TCursor Value) {
  FCursor = Value;
  FButton->SetCursor(Value);
}

void TVisSpecialButton::SetGroupIndex(Integer Value) {
  FGroupIndex = Value;
  FButton->SetGroupIndex(Value);
}

bool TVisSpecialButton::GetParentFont() const { return FButton->GetParentFont(); }

void TVisSpecialButton::SetParentFont(bool Value) { FButton->SetParentFont(Value); }

void TVisSpecialButton::LayoutChanged(TObject*) {
  FButton->SetButtonLayout(FLayout);
  Changed(false);
}

void TVisSpecialButton::FontChanged(TObject*) {
  FButton->SetFont(FFont);
  Changed(false);
}

void TVisSpecialButton::FontFXChanged(TObject*) {
  FButton->SetFontFX(FFontFX);
  Changed(false);
}

void TVisSpecialButton::ButtonClick(TObject*) {
  const Integer index = GetIndex();
  if (OnClick) OnClick(this, index);
  auto* buttons = dynamic_cast<TVisSpecialButtons*>(GetCollection());
  if (auto* edit = buttons ? dynamic_cast<TVisCustomEdit*>(buttons->GetControl()) : nullptr)
    if (edit->OnButtonClick) edit->OnButtonClick(edit, FButton, index);
}

// --- TVisSpecialButtons ------------------------------------------------------------------------------

TVisSpecialButtons::TVisSpecialButtons(TWinControl* AOwner, bool Notify)
    : TCollection(TVisSpecialButton::StaticClass()), FOwner(AOwner), FNotify(Notify) {}

TVisSpecialButtons::~TVisSpecialButtons() {
  // The items go while the control is still known, their buttons leaving it; the control, being
  // freed itself, is not told.
  FNotify = false;
  Clear();
  FOwner = nullptr;
}

TPersistent* TVisSpecialButtons::GetOwner() const { return FOwner; }

void TVisSpecialButtons::Update(TCollectionItem*) {
  if (!FNotify) return;
  if (auto* edit = dynamic_cast<TVisCustomEdit*>(FOwner))
    edit->SpecialButtonsChanged();
  else if (OnUpdate)
    OnUpdate(this);
}
