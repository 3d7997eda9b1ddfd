object ProgramSettingsDlg: TProgramSettingsDlg
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Program Settings'
  ClientHeight = 97
  ClientWidth = 297
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  object DateFormatLabel: TLabel
    Left = 8
    Top = 12
    Width = 97
    Height = 13
    Caption = '&Format of the date'
    FocusControl = DateFormatComboBox
  end
  object DateFormatComboBox: TComboBox
    Left = 8
    Top = 28
    Width = 281
    Height = 21
    DropDownCount = 4
    TabOrder = 0
  end
  object OKButton: TButton
    Left = 133
    Top = 64
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
    OnClick = OKButtonClick
  end
  object CancelButton: TButton
    Left = 214
    Top = 64
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
end
