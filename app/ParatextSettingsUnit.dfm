object ParatextSettingsDialog: TParatextSettingsDialog
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Paratext settings'
  ClientHeight = 105
  ClientWidth = 425
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  object FolderLabel: TLabel
    Left = 8
    Top = 12
    Width = 178
    Height = 13
    Caption = 'Location of &My Paratext Projects'
    FocusControl = FolderEdit
  end
  object FolderEdit: TEdit
    Left = 8
    Top = 28
    Width = 325
    Height = 21
    TabOrder = 0
  end
  object BrowseButton: TButton
    Left = 342
    Top = 26
    Width = 75
    Height = 25
    Caption = '&Browse...'
    TabOrder = 1
    OnClick = BrowseButtonClick
  end
  object OKButton: TButton
    Left = 261
    Top = 72
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    ModalResult = 1
    TabOrder = 2
    OnClick = OKButtonClick
  end
  object CancelButton: TButton
    Left = 342
    Top = 72
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 3
  end
end
