object AdvancedSearchForm: TAdvancedSearchForm
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Advanced Search'
  ClientHeight = 592
  ClientWidth = 700
  Position = poOwnerFormCenter
  ShowHint = True
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object ResultsBox: TListBox
    Left = 8
    Top = 8
    Width = 684
    Height = 150
    ScrollWidth = 1000
    TabWidth = 16
    TabOrder = 0
  end
  object ModeGroupBox: TGroupBox
    Left = 8
    Top = 164
    Width = 684
    Height = 364
    Caption = 'Select search mode'
    TabOrder = 1
    object SearchRadioButton: TRadioButton
      Left = 8
      Top = 60
      Width = 110
      Height = 17
      Caption = '&1 Search -->'
      Checked = True
      TabOrder = 0
      OnClick = SearchRadioButtonClick
    end
    object PLabel: TLabel
      Left = 150
      Top = 18
      Width = 180
      Height = 13
      AutoSize = False
      Caption = 'Phrase not to be not preceded by:'
    end
    object P1: TEdit
      Left = 150
      Top = 34
      Width = 150
      Height = 21
      TabOrder = 1
    end
    object POrLabel1: TLabel
      Left = 128
      Top = 62
      Width = 18
      Height = 13
      AutoSize = False
      Caption = 'or'
    end
    object P2: TEdit
      Left = 150
      Top = 58
      Width = 150
      Height = 21
      TabOrder = 2
    end
    object POrLabel2: TLabel
      Left = 128
      Top = 86
      Width = 18
      Height = 13
      AutoSize = False
      Caption = 'or'
    end
    object P3: TEdit
      Left = 150
      Top = 82
      Width = 150
      Height = 21
      TabOrder = 3
    end
    object POrLabel3: TLabel
      Left = 128
      Top = 110
      Width = 18
      Height = 13
      AutoSize = False
      Caption = 'or'
    end
    object P4: TEdit
      Left = 150
      Top = 106
      Width = 150
      Height = 21
      TabOrder = 4
    end
    object WLabel: TLabel
      Left = 340
      Top = 42
      Width = 150
      Height = 13
      AutoSize = False
      Caption = 'Search phrase'
      FocusControl = W
    end
    object W: TEdit
      Left = 340
      Top = 58
      Width = 150
      Height = 21
      TabOrder = 5
    end
    object FLabel: TLabel
      Left = 530
      Top = 18
      Width = 146
      Height = 13
      AutoSize = False
      Caption = 'Phrase not to be followed by:'
    end
    object F1: TEdit
      Left = 530
      Top = 34
      Width = 146
      Height = 21
      TabOrder = 6
    end
    object FOrLabel1: TLabel
      Left = 508
      Top = 62
      Width = 18
      Height = 13
      AutoSize = False
      Caption = 'or'
    end
    object F2: TEdit
      Left = 530
      Top = 58
      Width = 146
      Height = 21
      TabOrder = 7
    end
    object FOrLabel2: TLabel
      Left = 508
      Top = 86
      Width = 18
      Height = 13
      AutoSize = False
      Caption = 'or'
    end
    object F3: TEdit
      Left = 530
      Top = 82
      Width = 146
      Height = 21
      TabOrder = 8
    end
    object FOrLabel3: TLabel
      Left = 508
      Top = 110
      Width = 18
      Height = 13
      AutoSize = False
      Caption = 'or'
    end
    object F4: TEdit
      Left = 530
      Top = 106
      Width = 146
      Height = 21
      TabOrder = 9
    end
    object CAPSRadioButton: TRadioButton
      Left = 8
      Top = 142
      Width = 130
      Height = 17
      Caption = '&2 Search ALL CAPS'
      TabOrder = 10
      OnClick = CAPSRadioButtonClick
    end
    object Search2RadioButton: TRadioButton
      Left = 8
      Top = 176
      Width = 110
      Height = 17
      Caption = '&3 Search -->'
      TabOrder = 11
      OnClick = Search2RadioButtonClick
    end
    object V1: TEdit
      Left = 150
      Top = 174
      Width = 126
      Height = 21
      TabOrder = 12
    end
    object V2: TEdit
      Left = 282
      Top = 174
      Width = 126
      Height = 21
      TabOrder = 13
    end
    object V3: TEdit
      Left = 414
      Top = 174
      Width = 126
      Height = 21
      TabOrder = 14
    end
    object V4: TEdit
      Left = 546
      Top = 174
      Width = 126
      Height = 21
      TabOrder = 15
    end
    object VLabel: TLabel
      Left = 150
      Top = 199
      Width = 522
      Height = 13
      AutoSize = False
      Alignment = taCenter
      Caption = '<- - - Search for all these phrases in one verse - - - >'
    end
    object Search3RadioButton: TRadioButton
      Left = 8
      Top = 224
      Width = 110
      Height = 17
      Hint = 'Searches for all whole words containing a certain phrase. No references will be produced'
      Caption = '&4 Search -->'
      TabOrder = 16
      OnClick = Search3RadioButtonClick
    end
    object WW: TEdit
      Left = 150
      Top = 222
      Width = 150
      Height = 21
      TabOrder = 17
    end
    object WWLabel: TLabel
      Left = 310
      Top = 226
      Width = 366
      Height = 13
      AutoSize = False
      Caption = 'Search for all whole words containing this phrase'
    end
    object Search4RadioButton: TRadioButton
      Left = 8
      Top = 254
      Width = 110
      Height = 17
      Caption = '&5 Search -->'
      TabOrder = 18
      OnClick = Search4RadioButtonClick
    end
    object PelorinTxtMemo: TMemo
      Left = 150
      Top = 252
      Width = 526
      Height = 102
      ReadOnly = True
      ScrollBars = ssVertical
      TabOrder = 19
    end
  end
  object SearchBtn: TButton
    Left = 8
    Top = 536
    Width = 90
    Height = 25
    Caption = '&Search'
    TabOrder = 2
    OnClick = SearchBtnClick
  end
  object SelectBooksBtn: TButton
    Left = 104
    Top = 536
    Width = 90
    Height = 25
    Caption = 'Select &books'
    TabOrder = 3
    OnClick = SelectBooksBtnClick
  end
  object RPButton: TButton
    Left = 200
    Top = 536
    Width = 110
    Height = 25
    Caption = '&Results to editor'
    TabOrder = 4
    OnClick = RPButtonClick
  end
  object OKBtn: TButton
    Left = 617
    Top = 536
    Width = 75
    Height = 25
    Cancel = True
    Caption = '&OK'
    Default = True
    ModalResult = 1
    TabOrder = 5
    OnClick = OKBtnClick
  end
  object StatusBar1: TStatusBar
    SimplePanel = True
  end
end
