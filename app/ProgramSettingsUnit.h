// The program settings ("Program Settings"): the format of the dates on printed output, chosen
// from today's date shown in each of four formats. "&OK" stores the chosen format; "Cancel"
// changes nothing.
#pragma once

#include "classlib/Forms.h"

class TButton;
class TComboBox;

class TProgramSettingsDlg : public TForm {
  CLASS_INFO(TProgramSettingsDlg, TForm)
public:
  // The formats, in the list's order.
  static constexpr const char* DateFormats[] = {"d mmm yyyy", "dd/mm/yy", "mm/dd/yy", "d mmmm yyyy"};

  explicit TProgramSettingsDlg(TComponent* AOwner);

  TComboBox* DateFormatComboBox = nullptr;
  TButton* OKButton = nullptr;
  TButton* CancelButton = nullptr;

  void FormCreate(TObject* Sender);
  void OKButtonClick(TObject* Sender);
};
