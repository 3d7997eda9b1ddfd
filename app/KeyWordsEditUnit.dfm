object KeyWordsEditDialog: TKeyWordsEditDialog
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Keywords'
  ClientHeight = 453
  ClientWidth = 561
  Position = poOwnerFormCenter
  ShowHint = True
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object KeywordsGroupBox: TGroupBox
    Left = 8
    Top = 8
    Width = 545
    Height = 81
    Caption = 'Step 1: Keywords'
    TabOrder = 0
    object KeywordLabel: TLabel
      Left = 12
      Top = 24
      AutoSize = False
      Width = 80
      Height = 13
      Caption = '&Keyword:'
      FocusControl = KeywordComboBox
    end
    object NewLabel: TLabel
      Left = 12
      Top = 52
      AutoSize = False
      Width = 80
      Height = 13
      Caption = '&New keyword:'
      FocusControl = NewEdit
    end
    object KeywordComboBox: TComboBox
      Left = 96
      Top = 20
      Width = 249
      Height = 21
      Hint = 'Choose the keyword to work on'
      Style = csDropDownList
      DropDownCount = 20
      TabOrder = 0
      OnChange = KeywordComboBoxChange
    end
    object DeleteButton: TButton
      Left = 356
      Top = 18
      Width = 177
      Height = 25
      Hint = 'Delete the keyword shown with all its references'
      Caption = '&Delete selected keyword'
      TabOrder = 1
      OnClick = DeleteButtonClick
    end
    object NewEdit: TEdit
      Left = 96
      Top = 48
      Width = 249
      Height = 21
      Hint = 'Type a new keyword (one word)'
      TabOrder = 2
    end
    object AddKeywordButton: TButton
      Left = 356
      Top = 46
      Width = 177
      Height = 25
      Hint = 'Add the new keyword'
      Caption = '&Add it'
      TabOrder = 3
      OnClick = AddKeywordButtonClick
    end
  end
  object EnglishGroupBox: TGroupBox
    Left = 8
    Top = 96
    Width = 545
    Height = 53
    Caption = 'Step 2: Enter English translation'
    TabOrder = 1
    object EnglishLabel: TLabel
      Left = 12
      Top = 24
      AutoSize = False
      Width = 80
      Height = 13
      Caption = '&English:'
      FocusControl = EnglishEdit
    end
    object EnglishEdit: TEdit
      Left = 96
      Top = 20
      Width = 437
      Height = 21
      TabOrder = 0
      OnChange = EnglishEditChange
    end
  end
  object GroupGroupBox: TGroupBox
    Left = 8
    Top = 156
    Width = 545
    Height = 53
    Caption = 'Step 3: Set Group'
    TabOrder = 2
    object GroupLabel: TLabel
      Left = 12
      Top = 24
      AutoSize = False
      Width = 80
      Height = 13
      Caption = '&Group:'
      FocusControl = GroupComboBox
    end
    object GroupComboBox: TComboBox
      Left = 96
      Top = 20
      Width = 249
      Height = 21
      Style = csDropDownList
      DropDownCount = 14
      TabOrder = 0
      OnChange = GroupComboBoxChange
    end
  end
  object ReferencesGroupBox: TGroupBox
    Left = 8
    Top = 216
    Width = 545
    Height = 177
    Caption = 'Step 4: References'
    TabOrder = 3
    object ItemLabel: TLabel
      Left = 184
      Top = 20
      AutoSize = False
      Width = 160
      Height = 13
      Caption = '&Item in the verse:'
      FocusControl = ItemComboBox
    end
    object NewReferenceLabel: TLabel
      Left = 184
      Top = 72
      AutoSize = False
      Width = 160
      Height = 13
      Caption = 'Ne&w reference:'
      FocusControl = NewReferenceEdit
    end
    object ReferencesListBox: TListBox
      Left = 12
      Top = 20
      Width = 161
      Height = 145
      Hint = 'The references of the keyword'
      TabOrder = 0
      OnClick = ReferencesListBoxClick
    end
    object ItemComboBox: TComboBox
      Left = 184
      Top = 36
      Width = 161
      Height = 21
      Hint = 'Which occurrence of the keyword in the verse this is'
      Style = csDropDownList
      DropDownCount = 16
      TabOrder = 1
      OnChange = ItemComboBoxChange
    end
    object DelRefButton: TButton
      Left = 356
      Top = 34
      Width = 177
      Height = 25
      Hint = 'Delete the reference selected'
      Caption = 'Delete selected &reference'
      TabOrder = 2
      OnClick = DelRefButtonClick
    end
    object NewReferenceEdit: TEdit
      Left = 184
      Top = 88
      Width = 161
      Height = 21
      Hint = 'Type a reference such as Genesis 1:21'
      TabOrder = 3
    end
    object AddReferenceButton: TButton
      Left = 356
      Top = 86
      Width = 177
      Height = 25
      Hint = 'Add the new reference'
      Caption = 'Add it'
      TabOrder = 4
      OnClick = AddReferenceButtonClick
    end
    object LoadButton: TButton
      Left = 356
      Top = 118
      Width = 177
      Height = 25
      Hint = 'Add the references of pelorin.ref in the Paratext projects folder'
      Caption = '&Load from pelorin.ref'
      TabOrder = 5
      OnClick = LoadButtonClick
    end
    object SaveButton: TButton
      Left = 356
      Top = 146
      Width = 177
      Height = 25
      Hint = 'Write the references of the keyword to pelorin.ref'
      Caption = '&Save to pelorin.ref'
      TabOrder = 6
      OnClick = SaveButtonClick
    end
  end
  object CheckListsButton: TButton
    Left = 8
    Top = 401
    Width = 177
    Height = 25
    Caption = 'Convert to Checklists format'
    TabOrder = 4
    OnClick = CheckListsButtonClick
  end
  object OKBtn: TButton
    Left = 397
    Top = 401
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    ModalResult = 1
    TabOrder = 5
    OnClick = OKBtnClick
  end
  object CancelBtn: TButton
    Left = 478
    Top = 401
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 6
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 434
    Width = 561
    Height = 19
    SimplePanel = True
  end
end
