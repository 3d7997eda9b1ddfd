object NewCustomDictionary: TNewCustomDictionary
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'New Custom Dictionary'
  ClientHeight = 97
  ClientWidth = 289
  Position = poOwnerFormCenter
  object EditLabel: TLabel
    Left = 8
    Top = 10
    Width = 193
    Height = 13
    Caption = '&Enter the new custom dictionary name:'
    FocusControl = NameEdit
  end
  object NameEdit: TEdit
    Left = 8
    Top = 28
    Width = 273
    Height = 21
    TabOrder = 0
  end
  object OKButton: TButton
    Left = 125
    Top = 63
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
  object CancelButton: TButton
    Left = 206
    Top = 63
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
  object DialogControl: TConfigurationDialogCtrl
    OnConfigurationAvailable = DialogControlConfigurationAvailable
  end
end
