object ConversionVariablesDlg: TConversionVariablesDlg
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Conversion variables'
  ClientHeight = 201
  ClientWidth = 369
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  object BibleWorksGroupBox: TGroupBox
    Left = 8
    Top = 8
    Width = 353
    Height = 57
    Caption = 'BibleWorks book to Paratext'
    TabOrder = 0
    object HebrewLabel: TLabel
      Left = 12
      Top = 26
      Width = 250
      Height = 13
      AutoSize = False
      Caption = 'New &Hebrew line after so many characters'
      FocusControl = HebrewEdit
    end
    object HebrewEdit: TEdit
      Left = 272
      Top = 22
      Width = 41
      Height = 21
      ReadOnly = True
      TabOrder = 0
      Text = '60'
    end
    object UpDown1: TUpDown
      Left = 313
      Top = 22
      Width = 16
      Height = 21
      Associate = HebrewEdit
      Min = 20
      Max = 200
      Increment = 5
      Position = 60
      TabOrder = 1
    end
  end
  object DocumentGroupBox: TGroupBox
    Left = 8
    Top = 72
    Width = 353
    Height = 81
    Caption = 'Document to Paratext format'
    TabOrder = 1
    object ChapterLineLabel1: TLabel
      Left = 12
      Top = 22
      Width = 260
      Height = 13
      AutoSize = False
      Caption = 'If the following &text is found in a chapter'
      FocusControl = ChapterLineEdit
    end
    object ChapterLineLabel2: TLabel
      Left = 12
      Top = 50
      Width = 105
      Height = 13
      Caption = 'line, remove that text'
    end
    object ChapterLineEdit: TEdit
      Left = 176
      Top = 46
      Width = 161
      Height = 21
      TabOrder = 0
    end
  end
  object OKBtn: TButton
    Left = 205
    Top = 168
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 2
    OnClick = OKBtnClick
  end
  object CancelBtn: TButton
    Left = 286
    Top = 168
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 3
  end
end
