object CustomDictionariesDialog: TCustomDictionariesDialog
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Dictionaries'
  ClientHeight = 249
  ClientWidth = 329
  Position = poOwnerFormCenter
  object CustomGroup: TGroupBox
    Left = 8
    Top = 6
    Width = 225
    Height = 235
    Caption = ' Custom Dictionaries: '
    TabOrder = 0
    object CustomDictionaries: TListView
      Left = 12
      Top = 18
      Width = 201
      Height = 205
      Checkboxes = True
      Columns = <
        item
          Width = 176
        end>
      HideSelection = False
      ShowColumnHeaders = False
      TabOrder = 0
      ViewStyle = vsReport
      OnChange = CustomDictionariesChange
      OnDeletion = CustomDictionariesDeletion
      OnEdited = CustomDictionariesEdited
      OnEditing = CustomDictionariesEditing
      OnKeyDown = CustomDictionariesKeyDown
      OnSelectItem = CustomDictionariesSelectItem
    end
  end
  object NewButton: TButton
    Left = 246
    Top = 24
    Width = 75
    Height = 25
    Caption = '&New'
    TabOrder = 1
    OnClick = NewButtonClick
  end
  object DeleteButton: TButton
    Left = 246
    Top = 55
    Width = 75
    Height = 25
    Caption = '&Delete'
    Enabled = False
    TabOrder = 2
    OnClick = DeleteButtonClick
  end
  object EditButton: TButton
    Left = 246
    Top = 86
    Width = 75
    Height = 25
    Caption = '&Edit'
    Enabled = False
    TabOrder = 3
    OnClick = EditButtonClick
  end
  object OK: TButton
    Left = 246
    Top = 185
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    ModalResult = 1
    TabOrder = 4
  end
  object HelpButton: TButton
    Left = 246
    Top = 216
    Width = 75
    Height = 25
    Caption = '&Help'
    TabOrder = 5
    OnClick = HelpButtonClick
  end
  object DialogControl: TConfigurationDialogCtrl
    OnConfigurationAvailable = DialogControlConfigurationAvailable
  end
end
