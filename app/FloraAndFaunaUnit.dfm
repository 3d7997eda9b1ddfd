object FloraAndFaunaDlg: TFloraAndFaunaDlg
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Flora and fauna'
  ClientHeight = 461
  ClientWidth = 600
  Position = poOwnerFormCenter
  ShowHint = True
  OnClose = FormClose
  OnDestroy = FormDestroy
  object GroupLabel: TLabel
    Left = 8
    Top = 12
    AutoSize = False
    Width = 44
    Height = 13
    Caption = '&Group:'
    FocusControl = GroupComboBox
  end
  object GroupComboBox: TComboBox
    Left = 56
    Top = 8
    Width = 233
    Height = 21
    Hint = 'Choose a group to see its words'
    Style = csDropDownList
    DropDownCount = 14
    TabOrder = 0
    OnChange = GroupComboBoxChange
  end
  object FloraFaunaListBox: TListBox
    Left = 8
    Top = 36
    Width = 584
    Height = 160
    Hint = 'Click a word to see its translation and references'
    Columns = 3
    TabOrder = 1
    OnClick = FloraFaunaListBoxClick
  end
  object TranslationGroupBox: TGroupBox
    Left = 8
    Top = 204
    Width = 425
    Height = 225
    Caption = 'Enter translation'
    TabOrder = 2
    object OriginalLanguageLabel: TLabel
      Left = 12
      Top = 24
      AutoSize = False
      Width = 80
      Height = 13
      Caption = 'Hebrew:'
    end
    object EnglishLabel: TLabel
      Left = 12
      Top = 52
      AutoSize = False
      Width = 80
      Height = 13
      Caption = 'English:'
    end
    object TargetLabel: TLabel
      Left = 12
      Top = 80
      AutoSize = False
      Width = 80
      Height = 13
      Caption = '&Translate as:'
      FocusControl = TargetEdit
    end
    object ReferencesLabel: TLabel
      Left = 12
      Top = 108
      AutoSize = False
      Width = 80
      Height = 13
      Caption = 'References:'
    end
    object HebrewGreekEdit: TEdit
      Left = 96
      Top = 20
      Width = 317
      Height = 21
      TabStop = False
      ReadOnly = True
      TabOrder = 0
    end
    object EnglishEdit: TEdit
      Left = 96
      Top = 48
      Width = 317
      Height = 21
      TabStop = False
      ReadOnly = True
      TabOrder = 1
    end
    object TargetEdit: TEdit
      Left = 96
      Top = 76
      Width = 317
      Height = 21
      Hint = 'Type how the word is translated in this project'
      MaxLength = 500
      TabOrder = 2
      OnChange = TargetEditChange
    end
    object ReferencesMemo: TMemo
      Left = 96
      Top = 104
      Width = 317
      Height = 109
      TabStop = False
      ReadOnly = True
      ScrollBars = ssVertical
      TabOrder = 3
    end
  end
  object ProduceSelectedButton: TButton
    Left = 441
    Top = 212
    Width = 151
    Height = 25
    Hint = 'Make the list of the references of the word shown'
    Caption = 'Produce &current references'
    TabOrder = 3
    OnClick = ProduceSelectedButtonClick
  end
  object ProduceAllButton: TButton
    Left = 441
    Top = 244
    Width = 151
    Height = 25
    Hint = 'Make the list of the references of every word'
    Caption = '&Produce all references'
    TabOrder = 4
    OnClick = ProduceAllButtonClick
  end
  object EditButton: TButton
    Left = 441
    Top = 276
    Width = 151
    Height = 25
    Hint = 'Add and change the words, their groups and their references'
    Caption = '&Edit keywords'
    TabOrder = 5
    OnClick = EditButtonClick
  end
  object OKBtn: TButton
    Left = 441
    Top = 372
    Width = 151
    Height = 25
    Caption = '&OK'
    Default = True
    ModalResult = 1
    TabOrder = 6
    OnClick = OKBtnClick
  end
  object CancelBtn: TButton
    Left = 441
    Top = 404
    Width = 151
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 7
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 442
    Width = 600
    Height = 19
    SimplePanel = True
  end
end
