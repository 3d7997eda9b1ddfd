object CustomDictionaryEditDialog: TCustomDictionaryEditDialog
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Custom Dictionary'
  ClientHeight = 300
  ClientWidth = 361
  Position = poOwnerFormCenter
  object PageControl: TPageControl
    Left = 8
    Top = 8
    Width = 345
    Height = 253
    TabOrder = 0
    object AddedWordsSheet: TTabSheet
      PageControl = PageControl
      Caption = 'Add&ed Words'
      OnShow = AddedWordsSheetShow
      object AddedWordsExplain: TLabel
        Left = 8
        Top = 8
        Width = 321
        Height = 26
        AutoSize = False
        Caption = 'These words will be considered correct during a spell check operation.'
        WordWrap = True
      end
      object IgnoreEditLabel: TLabel
        Left = 8
        Top = 42
        Width = 200
        Height = 13
        Caption = '&Ignore this word:'
        FocusControl = IgnoreEdit
      end
      object IgnoreEdit: TEdit
        Left = 8
        Top = 58
        Width = 233
        Height = 21
        TabOrder = 0
        OnChange = IgnoreEditChange
        OnKeyDown = IgnoreEditKeyDown
      end
      object IgnoreList: TListBox
        Left = 8
        Top = 86
        Width = 233
        Height = 132
        TabOrder = 1
        Sorted = True
        OnClick = IgnoreListClick
      end
      object AddIgnoreButton: TButton
        Left = 250
        Top = 56
        Width = 75
        Height = 25
        TabOrder = 2
        Caption = '&Add'
        OnClick = AddIgnoreButtonClick
      end
      object DeleteIgnoreButton: TButton
        Left = 250
        Top = 87
        Width = 75
        Height = 25
        TabOrder = 3
        Caption = '&Delete'
        OnClick = DeleteIgnoreButtonClick
      end
    end
    object AutoCorrectWordsSheet: TTabSheet
      PageControl = PageControl
      Caption = 'A&uto-Correct Pairs'
      OnShow = AutoCorrectWordsSheetShow
      object AutoCorrectWordsExplain: TLabel
        Left = 8
        Top = 8
        Width = 321
        Height = 26
        AutoSize = False
        Caption = 'These words will automatically be corrected when encountered during a spelling check.'
        WordWrap = True
      end
      object ReplaceEditLabel: TLabel
        Left = 8
        Top = 42
        Width = 100
        Height = 13
        Caption = '&Replace:'
        FocusControl = ReplaceEdit
      end
      object WithEditLabel: TLabel
        Left = 125
        Top = 42
        Width = 100
        Height = 13
        Caption = '&With:'
        FocusControl = WithEdit
      end
      object ReplaceEdit: TEdit
        Left = 8
        Top = 58
        Width = 113
        Height = 21
        TabOrder = 0
        OnChange = ReplaceEditChange
        OnKeyDown = ReplaceEditKeyDown
      end
      object WithEdit: TEdit
        Left = 125
        Top = 58
        Width = 116
        Height = 21
        TabOrder = 1
        OnChange = WithEditChange
        OnKeyDown = WithEditKeyDown
      end
      object AutoCorrectList: TListView
        Left = 8
        Top = 86
        Width = 233
        Height = 132
        TabOrder = 2
        Columns = <
          item
            Width = 117
          end
          item
            Width = 112
          end>
        HideSelection = False
        ReadOnly = True
        RowSelect = True
        ShowColumnHeaders = False
        SortType = stText
        ViewStyle = vsReport
        OnSelectItem = AutoCorrectListSelectItem
      end
      object AddAutoCorrectButton: TButton
        Left = 250
        Top = 56
        Width = 75
        Height = 25
        TabOrder = 3
        Caption = '&Add'
        OnClick = AddAutoCorrectButtonClick
      end
      object DeleteAutoCorrectButton: TButton
        Left = 250
        Top = 87
        Width = 75
        Height = 25
        TabOrder = 4
        Caption = '&Delete'
        OnClick = DeleteAutoCorrectButtonClick
      end
    end
    object ExcludedWordsSheet: TTabSheet
      PageControl = PageControl
      Caption = '&Excluded Words'
      OnShow = ExcludedWordsSheetShow
      object ExcludeWordsExplanation: TLabel
        Left = 8
        Top = 8
        Width = 321
        Height = 26
        AutoSize = False
        Caption = 'These words will always be considered incorrect during a spell check operation.'
        WordWrap = True
      end
      object ExcludeEditLabel: TLabel
        Left = 8
        Top = 42
        Width = 200
        Height = 13
        Caption = 'E&xclude this word:'
        FocusControl = ExcludeEdit
      end
      object ExcludeEdit: TEdit
        Left = 8
        Top = 58
        Width = 233
        Height = 21
        TabOrder = 0
        OnChange = ExcludeEditChange
        OnKeyDown = ExcludeEditKeyDown
      end
      object ExcludeList: TListBox
        Left = 8
        Top = 86
        Width = 233
        Height = 132
        TabOrder = 1
        Sorted = True
        OnClick = ExcludeListClick
      end
      object AddExcludeButton: TButton
        Left = 250
        Top = 56
        Width = 75
        Height = 25
        TabOrder = 2
        Caption = '&Add'
        OnClick = AddExcludeButtonClick
      end
      object DeleteExcludeButton: TButton
        Left = 250
        Top = 87
        Width = 75
        Height = 25
        TabOrder = 3
        Caption = '&Delete'
        OnClick = DeleteExcludeButtonClick
      end
    end
  end
  object OK: TButton
    Left = 197
    Top = 268
    Width = 75
    Height = 25
    Caption = '&OK'
    ModalResult = 1
    TabOrder = 1
  end
  object HelpButton: TButton
    Left = 278
    Top = 268
    Width = 75
    Height = 25
    Caption = '&Help'
    TabOrder = 2
    OnClick = HelpButtonClick
  end
  object Timer: TTimer
    Enabled = False
    Interval = 5
    OnTimer = TimerTimer
  end
  object DialogControl: TConfigurationDialogCtrl
    OnConfigurationAvailable = DialogControlConfigurationAvailable
    OnCustomDictionaryAvailable = DialogControlCustomDictionaryAvailable
  end
end
