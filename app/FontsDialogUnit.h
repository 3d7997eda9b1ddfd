// The fonts dialog ("Fonts", menu Settings, "&Fonts"): a button per font of the font table, each
// showing its caption in its font and opening the font dialog, and the choice of what the printed
// Bible does with text in square brackets. "&OK" writes "pelorin.fnt" and the setting "Text in
// brackets"; "Cancel" changes nothing.
#pragma once

#include <array>

#include "classlib/Forms.h"
#include "core/FontTable.h"

class TButton;
class TRadioGroup;

class TFontsDialog : public TForm {
  CLASS_INFO(TFontsDialog, TForm)
public:
  explicit TFontsDialog(TComponent* AOwner);

  // The chapter font follows the normal text at 2.7 times its size, rounded to the nearest whole
  // number (halves to even): 10 points give 27, 15 give 40.
  static Integer ChapterSize(Integer normalSize);

  // The table being edited; the program's table changes only with OK.
  TFontTable Working;
  // The buttons of the records, in table order.
  std::array<TButton*, FontCount> FontButtons{};
  TRadioGroup* BracketsRadioGroup = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;

  void FormCreate(TObject* Sender);
  void FontButtonClick(TObject* Sender);
  void BracketsRadioGroupClick(TObject* Sender);
  void OKButtonClick(TObject* Sender);

private:
  void ShowFont(int index);
};
