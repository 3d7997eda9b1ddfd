object SentenceSettings: TSentenceSettings
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Scripture settings'
  ClientHeight = 457
  ClientWidth = 481
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  object ScriptureBox: TGroupBox
    Left = 8
    Top = 8
    Width = 465
    Height = 73
    Caption = 'Active Scripture'
    TabOrder = 0
    object ProjectComboBox: TComboBox
      Left = 12
      Top = 20
      Width = 233
      Height = 21
      DropDownCount = 16
      Style = csDropDownList
      TabOrder = 0
      OnChange = ProjectComboBoxChange
    end
    object VersificationLabel: TLabel
      Left = 256
      Top = 24
      Width = 197
      Height = 13
      AutoSize = False
      ShowAccelChar = False
    end
    object StyleSheetLabel: TLabel
      Left = 12
      Top = 50
      Width = 441
      Height = 13
      AutoSize = False
      ShowAccelChar = False
    end
  end
  object StructureBox: TGroupBox
    Left = 8
    Top = 88
    Width = 465
    Height = 198
    Caption = 'Sentence structure'
    TabOrder = 1
    object EndersLabel: TLabel
      Left = 12
      Top = 24
      Width = 240
      Height = 13
      AutoSize = False
      Caption = 'End of sentence'
      FocusControl = EndersEdit
    end
    object EndersEdit: TEdit
      Left = 256
      Top = 20
      Width = 197
      Height = 21
      TabOrder = 0
    end
    object IndifferentLabel: TLabel
      Left = 12
      Top = 50
      Width = 240
      Height = 13
      AutoSize = False
      Caption = 'No influence on structure'
      FocusControl = IndifferentEdit
    end
    object IndifferentEdit: TEdit
      Left = 256
      Top = 46
      Width = 197
      Height = 21
      TabOrder = 1
    end
    object NonAdjacentLabel: TLabel
      Left = 12
      Top = 76
      Width = 240
      Height = 13
      AutoSize = False
      Caption = 'Not to be adjacent'
      FocusControl = NonAdjacentEdit
    end
    object NonAdjacentEdit: TEdit
      Left = 256
      Top = 72
      Width = 197
      Height = 21
      TabOrder = 2
    end
    object RightOfQuotesLabel: TLabel
      Left = 12
      Top = 102
      Width = 240
      Height = 13
      AutoSize = False
      Caption = 'Allowed right of a closing quotation mark'
      FocusControl = RightOfQuotesEdit
    end
    object RightOfQuotesEdit: TEdit
      Left = 256
      Top = 98
      Width = 197
      Height = 21
      TabOrder = 3
    end
    object BracketsLabel: TLabel
      Left = 12
      Top = 128
      Width = 240
      Height = 13
      AutoSize = False
      Caption = 'Brackets'
      FocusControl = BracketsMemo
    end
    object BracketsMemo: TMemo
      Left = 256
      Top = 124
      Width = 97
      Height = 64
      ScrollBars = ssVertical
      TabOrder = 4
      WordWrap = False
    end
  end
  object CharactersBox: TGroupBox
    Left = 8
    Top = 294
    Width = 465
    Height = 122
    Caption = 'Characters'
    TabOrder = 2
    object SmallLettersLabel: TLabel
      Left = 12
      Top = 24
      Width = 240
      Height = 13
      AutoSize = False
      Caption = 'Small letters'
      FocusControl = SmallLettersEdit
    end
    object SmallLettersEdit: TEdit
      Left = 256
      Top = 20
      Width = 197
      Height = 21
      TabOrder = 0
    end
    object CapitalsLabel: TLabel
      Left = 12
      Top = 50
      Width = 240
      Height = 13
      AutoSize = False
      Caption = 'Capitals'
      FocusControl = CapitalsEdit
    end
    object CapitalsEdit: TEdit
      Left = 256
      Top = 46
      Width = 197
      Height = 21
      TabOrder = 1
    end
    object ExtraCharsLabel: TLabel
      Left = 12
      Top = 76
      Width = 240
      Height = 13
      AutoSize = False
      Caption = 'Extra allowed characters in text'
      FocusControl = ExtraCharsEdit
    end
    object ExtraCharsEdit: TEdit
      Left = 256
      Top = 72
      Width = 197
      Height = 21
      TabOrder = 2
    end
    object FilteredOutLabel: TLabel
      Left = 12
      Top = 102
      Width = 240
      Height = 13
      AutoSize = False
      Caption = 'Characters to be filtered out '
      FocusControl = FilteredOutEdit
    end
    object FilteredOutEdit: TEdit
      Left = 256
      Top = 98
      Width = 197
      Height = 21
      TabOrder = 3
    end
  end
  object OKButton: TButton
    Left = 317
    Top = 424
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    ModalResult = 1
    TabOrder = 3
    OnClick = OKButtonClick
  end
  object CancelButton: TButton
    Left = 398
    Top = 424
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 4
  end
end
