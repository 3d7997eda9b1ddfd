object TNEConvertDialog: TTNEConvertDialog
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Convert Paratext books to Translation Notes Editor'
  ClientHeight = 393
  ClientWidth = 481
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object VersionsLabel: TLabel
    Left = 12
    Top = 16
    Width = 200
    Height = 13
    Caption = 'Select &version'
    FocusControl = VersionsComboBox
  end
  object VersionsComboBox: TComboBox
    Left = 224
    Top = 12
    Width = 245
    Height = 21
    Style = csDropDownList
    TabOrder = 0
    OnChange = VersionsComboBoxChange
  end
  object SelectButton: TButton
    Left = 224
    Top = 42
    Width = 120
    Height = 25
    Caption = 'Select &Books'
    TabOrder = 1
    OnClick = SelectButtonClick
  end
  object NoteTypeLabel: TLabel
    Left = 12
    Top = 82
    Width = 200
    Height = 13
    Caption = 'Select Note &Type'
    FocusControl = NoteTypeComboBox
  end
  object NoteTypeComboBox: TComboBox
    Left = 224
    Top = 78
    Width = 245
    Height = 21
    Style = csDropDownList
    TabOrder = 2
  end
  object Category1Label: TLabel
    Left = 12
    Top = 112
    Width = 200
    Height = 13
    Caption = 'Select Category &1 (optional)'
    FocusControl = Category1ComboBox
  end
  object Category1ComboBox: TComboBox
    Left = 224
    Top = 108
    Width = 245
    Height = 21
    Style = csDropDownList
    TabOrder = 3
  end
  object Category2Label: TLabel
    Left = 12
    Top = 142
    Width = 200
    Height = 13
    Caption = 'Select Category &2 (optional)'
    FocusControl = Category2ComboBox
  end
  object Category2ComboBox: TComboBox
    Left = 224
    Top = 138
    Width = 245
    Height = 21
    Style = csDropDownList
    TabOrder = 4
  end
  object Category3Label: TLabel
    Left = 12
    Top = 172
    Width = 200
    Height = 13
    Caption = 'Select Category &3 (optional)'
    FocusControl = Category3ComboBox
  end
  object Category3ComboBox: TComboBox
    Left = 224
    Top = 168
    Width = 245
    Height = 21
    Style = csDropDownList
    TabOrder = 5
  end
  object ProjectLabel: TLabel
    Left = 12
    Top = 202
    Width = 200
    Height = 13
    Caption = 'Enter existing &project (optional)'
    FocusControl = ProjectEdit
  end
  object ProjectEdit: TEdit
    Left = 224
    Top = 198
    Width = 245
    Height = 21
    TabOrder = 6
  end
  object CreatedByLabel: TLabel
    Left = 12
    Top = 232
    Width = 200
    Height = 13
    Caption = 'Enter Created B&y (optional)'
    FocusControl = CreatedByEdit
  end
  object CreatedByEdit: TEdit
    Left = 224
    Top = 228
    Width = 245
    Height = 21
    TabOrder = 7
  end
  object NoteLanguageLabel: TLabel
    Left = 12
    Top = 262
    Width = 200
    Height = 13
    Caption = 'Enter Note &Language (optional)'
    FocusControl = NoteLanguageEdit
  end
  object NoteLanguageEdit: TEdit
    Left = 224
    Top = 258
    Width = 245
    Height = 21
    TabOrder = 8
  end
  object UnresolvedLabel1: TLabel
    Left = 12
    Top = 292
    Width = 200
    Height = 13
    Caption = 'When the &note contains:'
    FocusControl = UnresolvedEdit
  end
  object UnresolvedEdit: TEdit
    Left = 224
    Top = 288
    Width = 245
    Height = 21
    TabOrder = 9
  end
  object UnresolvedLabel2: TLabel
    Left = 12
    Top = 312
    Width = 457
    Height = 13
    Caption = 'then put it in the Unresolved project notes'
  end
  object ConvertBtn: TButton
    Left = 224
    Top = 342
    Width = 75
    Height = 25
    Caption = '&Convert'
    TabOrder = 10
    OnClick = ConvertBtnClick
  end
  object SaveBtn: TButton
    Left = 310
    Top = 342
    Width = 75
    Height = 25
    Caption = '&Save File'
    TabOrder = 11
    OnClick = SaveBtnClick
  end
  object CloseBtn: TButton
    Left = 396
    Top = 342
    Width = 75
    Height = 25
    Cancel = True
    ModalResult = 2
    Caption = 'Close'
    TabOrder = 12
  end
  object StatusBar1: TStatusBar
    SimplePanel = True
  end
end
