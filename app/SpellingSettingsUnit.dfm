object SpellingSettingsDialog: TSpellingSettingsDialog
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Spelling and proofreading settings'
  ClientHeight = 177
  ClientWidth = 385
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  object SpellingOptionsButton: TButton
    Left = 8
    Top = 8
    Width = 177
    Height = 25
    Caption = '&Spelling options'
    TabOrder = 0
    OnClick = SpellingOptionsButtonClick
  end
  object HelperBox: TGroupBox
    Left = 8
    Top = 44
    Width = 369
    Height = 61
    TabOrder = 1
    object HelperCheckBox: TCheckBox
      Left = 12
      Top = 12
      Width = 345
      Height = 17
      Caption = 'Use a helper application for spelling check'
      TabOrder = 0
      OnClick = HelperCheckBoxClick
    end
    object HelperLabel: TLabel
      Left = 30
      Top = 36
      Width = 327
      Height = 13
      AutoSize = False
      ShowAccelChar = False
    end
  end
  object CheckAgainButton: TButton
    Left = 8
    Top = 114
    Width = 177
    Height = 25
    Caption = '&Check all books again'
    TabOrder = 2
    OnClick = CheckAgainButtonClick
  end
  object OKButton: TButton
    Left = 221
    Top = 144
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 3
    OnClick = OKButtonClick
  end
  object CancelButton: TButton
    Left = 302
    Top = 144
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 4
  end
end
