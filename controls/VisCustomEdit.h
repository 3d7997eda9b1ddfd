// The custom edit: the owner-drawn edit with its text painted, the caret placed and the text
// scrolled sideways to keep the caret inside, a password character, buttons embedded at its
// right edge, and a height that follows its font. The mask and spin edits build on it.
#pragma once

#include "controls/VisBaseEdit.h"
#include "controls/vissbtn.h"

class TVisEditAutoComplete;

// A click of one of the edit's own buttons: the edit, the button and its index.
using TVisEditButtonClickEvent = Closure<void(TObject* Sender, TVisSpeedButton* Button, Integer Index)>;

class TVisCustomEdit : public TVisBaseEdit {
  CLASS_INFO(TVisCustomEdit, TVisBaseEdit)
public:
  explicit TVisCustomEdit(TComponent* AOwner);
  ~TVisCustomEdit() override;
  void Dispatch(TMessage& Message) override;
  // Then the automatic height.
  void Loaded() override;
  void Notification(TComponent* AComponent, TOperation Operation) override;

  // Shown in place of every character when set; the clipboard then neither takes nor gives text.
  char GetPasswordChar() const { return FPasswordChar; }
  void SetPasswordChar(char Value);
  // The text as shown.
  const AnsiString& GetDisplayText() const { return FDisplayText; }
  TVisSpecialButtons* GetSpecialButtons() const { return FSpecialButtons; }
  void SetSpecialButtons(TVisSpecialButtons* Value) { FSpecialButtons->Assign(Value); }
  Integer GetButtonWidth() const { return FButtonWidth; }
  void SetButtonWidth(Integer Value);
  Byte GetButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(Byte Value);
  // The list that completes what is typed and keeps what was entered; none at first.
  TVisEditAutoComplete* GetAutoComplete() const { return FAutoComplete; }
  void SetAutoComplete(TVisEditAutoComplete* Value);
  // The height from the font: 5/4 of the height of "Qp" and the bevel's room (5 pixels in
  // bmWindows); the width holds at least the buttons and 30 pixels.
  void AdjustHeight();
  // The embedded buttons changed: a new height, and their places once the window is told (WM_SIZE).
  void SpecialButtonsChanged();

  // Painting, the caret and the hit test of the edits (the steps are in the source).
  void PlaceCaret() override;
  void TextReplaced() override;
  void TextRead() override {}
  void PaintText(Integer Position) override;
  Integer CharFromX(Integer X) override;
  // Where the text is drawn: by Alignment, in the display text.
  Integer PosFromChar(Integer Count) override;
  // The display text first.
  void Changed(Integer Position) override;
  bool ClipboardAllowed() override { return FPasswordChar == '\0'; }
  // The buttons' strip at the right edge.
  void AdjustTextRect(TRect& Rect) override;
  // An active auto-complete list that completes inline.
  bool AutoCompleteActive() override;

  TVisEditButtonClickEvent OnButtonClick;

protected:
  // Called on the canvas after the text area's background is erased; nothing here.
  virtual void PaintTextBackground(TCanvas*, const TRect&) {}
  // Where the text starts (Origin) and the caret of an empty text stands (Anchor), by Alignment.
  void TextOrigin(TCanvas* Canvas, Integer& Origin, Integer& Anchor);
  void UpdateDisplayText();
  // Enter stores the text in the auto-complete list (when it asks for that).
  void EditKeyDown(Word& Key) override;
  // Leaving stores the text in the auto-complete list (when it asks for that).
  void DoFocusLoss() override;

private:
  void CMFontChanged(TMessage& Message);

  char FPasswordChar = '\0';
  AnsiString FDisplayText;
  TVisSpecialButtons* FSpecialButtons;
  Integer FButtonWidth = 16;
  Byte FButtonStyle = 10;
  TVisEditAutoComplete* FAutoComplete = nullptr;
};
