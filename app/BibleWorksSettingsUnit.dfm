object BibleWorksSettingsDialog: TBibleWorksSettingsDialog
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'BibleWorks settiings'
  ClientHeight = 193
  ClientWidth = 361
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  object HebrewLabel: TLabel
    Left = 8
    Top = 12
    Width = 160
    Height = 13
    Caption = 'Abbreviation of &Hebrew version '
    FocusControl = HebrewEdit
  end
  object GreekLabel: TLabel
    Left = 8
    Top = 40
    Width = 152
    Height = 13
    Caption = 'Abbreviation of &Greek version'
    FocusControl = GreekEdit
  end
  object FileNameLabel: TLabel
    Left = 8
    Top = 68
    Width = 105
    Height = 13
    Caption = 'BibleWorks &filename:'
    FocusControl = FileNameEdit
  end
  object FolderLabel: TLabel
    Left = 8
    Top = 96
    Width = 121
    Height = 13
    Caption = '&Location of BibleWorks'
    FocusControl = FolderButton
  end
  object HebrewEdit: TEdit
    Left = 216
    Top = 8
    Width = 49
    Height = 21
    MaxLength = 3
    TabOrder = 0
  end
  object GreekEdit: TEdit
    Left = 216
    Top = 36
    Width = 49
    Height = 21
    MaxLength = 3
    TabOrder = 1
  end
  object FileNameEdit: TEdit
    Left = 216
    Top = 64
    Width = 137
    Height = 21
    TabOrder = 2
  end
  object FolderButton: TButton
    Left = 8
    Top = 114
    Width = 345
    Height = 25
    Hint = 'Click to choose the folder of BibleWorks'
    ShowHint = True
    TabOrder = 3
    OnClick = FolderButtonClick
  end
  object OKButton: TButton
    Left = 197
    Top = 160
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    ModalResult = 1
    TabOrder = 4
    OnClick = OKButtonClick
  end
  object CancelButton: TButton
    Left = 278
    Top = 160
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 5
  end
end
