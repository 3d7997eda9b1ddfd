object SpellCheckConfigDialog: TSpellCheckConfigDialog
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Spelling Options'
  ClientHeight = 447
  ClientWidth = 393
  Position = poOwnerFormCenter
  OnShow = FormShow
  object OptionsGroup: TGroupBox
    Left = 8
    Top = 6
    Width = 377
    Height = 219
    Anchors = [akLeft, akTop, akRight, akBottom]
    Caption = ' O&ptions: '
    TabOrder = 0
    object Option1: TCheckBox
      Left = 12
      Top = 18
      Width = 353
      Height = 17
      TabOrder = 0
      OnClick = OptionsClick
    end
    object Option2: TCheckBox
      Left = 12
      Top = 38
      Width = 353
      Height = 17
      TabOrder = 1
      OnClick = OptionsClick
    end
    object Option3: TCheckBox
      Left = 12
      Top = 58
      Width = 353
      Height = 17
      TabOrder = 2
      OnClick = OptionsClick
    end
    object Option4: TCheckBox
      Left = 12
      Top = 78
      Width = 353
      Height = 17
      TabOrder = 3
      OnClick = OptionsClick
    end
    object Option5: TCheckBox
      Left = 12
      Top = 98
      Width = 353
      Height = 17
      TabOrder = 4
      OnClick = OptionsClick
    end
    object Option6: TCheckBox
      Left = 12
      Top = 118
      Width = 353
      Height = 17
      TabOrder = 5
      OnClick = OptionsClick
    end
    object Option7: TCheckBox
      Left = 12
      Top = 138
      Width = 353
      Height = 17
      TabOrder = 6
      OnClick = OptionsClick
    end
    object Option8: TCheckBox
      Left = 12
      Top = 158
      Width = 353
      Height = 17
      TabOrder = 7
      OnClick = OptionsClick
    end
    object Option9: TCheckBox
      Left = 12
      Top = 178
      Width = 353
      Height = 17
      TabOrder = 8
      OnClick = OptionsClick
    end
    object Option10: TCheckBox
      Left = 12
      Top = 198
      Width = 353
      Height = 17
      TabOrder = 9
      OnClick = OptionsClick
    end
  end
  object DictionariesGroup: TGroupBox
    Left = 8
    Top = 231
    Width = 377
    Height = 177
    Anchors = [akLeft, akRight, akBottom]
    Caption = ' D&ictionaries: '
    TabOrder = 1
    object CustomLabel: TLabel
      Left = 12
      Top = 129
      Width = 94
      Height = 13
      Anchors = [akLeft, akBottom]
      Caption = '&Custom Dictionary:'
      FocusControl = CustomCombo
    end
    object MainDictionaries: TListView
      Left = 12
      Top = 18
      Width = 353
      Height = 104
      Anchors = [akLeft, akTop, akRight, akBottom]
      Checkboxes = True
      ColumnClick = False
      Columns = <
        item
          Caption = 'Name'
          Width = 150
        end
        item
          Caption = 'Filename'
          Width = 150
        end>
      HotTrack = True
      HotTrackStyles = [htHandPoint, htUnderlineHot]
      ReadOnly = True
      RowSelect = True
      SmallImages = XPImageList
      TabOrder = 0
      ViewStyle = vsReport
      OnChange = MainDictionariesChange
      OnClick = MainDictionariesClick
      OnSelectItem = MainDictionariesSelectItem
    end
    object CustomCombo: TComboBox
      Left = 12
      Top = 145
      Width = 237
      Height = 21
      Anchors = [akLeft, akRight, akBottom]
      Style = csDropDownList
      TabOrder = 1
      OnChange = CustomComboChange
    end
    object DictionariesButton: TButton
      Left = 258
      Top = 143
      Width = 107
      Height = 25
      Anchors = [akRight, akBottom]
      Caption = '&Dictionaries ...'
      TabOrder = 2
      OnClick = DictionariesButtonClick
    end
  end
  object ResetButton: TButton
    Left = 8
    Top = 415
    Width = 97
    Height = 25
    Anchors = [akLeft, akBottom]
    Caption = 'Reset Defaults'
    TabOrder = 2
    OnClick = ResetButtonClick
  end
  object OK: TButton
    Left = 229
    Top = 415
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Caption = '&OK'
    Default = True
    ModalResult = 1
    TabOrder = 3
  end
  object HelpButton: TButton
    Left = 310
    Top = 415
    Width = 75
    Height = 25
    Anchors = [akRight, akBottom]
    Caption = '&Help'
    TabOrder = 4
    OnClick = HelpButtonClick
  end
  object DialogControl: TConfigurationDialogCtrl
    OnConfigurationAvailable = DialogControlConfigurationAvailable
  end
  object XPImageList: TImageList
  end
end
