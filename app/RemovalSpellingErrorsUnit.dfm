object RemovalSpellingErrorsDlg: TRemovalSpellingErrorsDlg
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Removal of spelling errors'
  ClientHeight = 521
  ClientWidth = 481
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object BookLabel: TLabel
    Left = 8
    Top = 12
    Width = 56
    Height = 13
    Caption = 'Select &book'
    FocusControl = ComboBox1
  end
  object ComboBox1: TComboBox
    Left = 120
    Top = 8
    Width = 225
    Height = 21
    Style = csDropDownList
    TabOrder = 0
  end
  object CheckBox1: TCheckBox
    Left = 8
    Top = 42
    Width = 130
    Height = 17
    Caption = 'Only &correct chapter'
    TabOrder = 1
    OnClick = CheckBox1Click
  end
  object Edit3: TEdit
    Left = 140
    Top = 40
    Width = 41
    Height = 21
    ReadOnly = True
    TabOrder = 2
    Text = '1'
  end
  object UpDown1: TUpDown
    Left = 181
    Top = 40
    Width = 16
    Height = 21
    Associate = Edit3
    Min = 1
    Max = 150
    Position = 1
    Thousands = False
    TabOrder = 3
  end
  object AndTheLabel: TLabel
    Left = 204
    Top = 44
    Width = 36
    Height = 13
    Caption = 'and the'
  end
  object NextLabel: TLabel
    Left = 244
    Top = 44
    Width = 22
    Height = 13
    Caption = 'next'
  end
  object Button1: TButton
    Left = 352
    Top = 8
    Width = 121
    Height = 25
    Caption = '&Remove errors'
    TabOrder = 4
    OnClick = Button1Click
  end
  object ListGroupBox: TGroupBox
    Left = 8
    Top = 72
    Width = 465
    Height = 113
    Caption = 'Correction lists'
    TabOrder = 5
    object RadioButton1: TRadioButton
      Left = 10
      Top = 20
      Width = 445
      Height = 17
      Caption = '&First list containing the first halves of the words in that list'
      Checked = True
      TabOrder = 0
      TabStop = True
      OnClick = RadioButton1Click
    end
    object RadioButton2: TRadioButton
      Left = 10
      Top = 42
      Width = 445
      Height = 17
      Caption = '&Second list containing second halves of the words in that list'
      TabOrder = 1
      OnClick = RadioButton2Click
    end
    object RadioButton3: TRadioButton
      Left = 10
      Top = 64
      Width = 445
      Height = 17
      Caption = '&Third list containing whole words '
      TabOrder = 2
      OnClick = RadioButton3Click
    end
    object RadioButton4: TRadioButton
      Left = 10
      Top = 86
      Width = 445
      Height = 17
      Caption = 'Fourth &list containing phrases'
      TabOrder = 3
      OnClick = RadioButton4Click
    end
  end
  object Label8: TLabel
    Left = 8
    Top = 196
    Width = 230
    Height = 13
    AutoSize = False
    Caption = '&Enter first half of the misspelled word'
    FocusControl = Edit1
  end
  object Edit1: TEdit
    Left = 8
    Top = 214
    Width = 225
    Height = 21
    TabOrder = 6
  end
  object Label9: TLabel
    Left = 248
    Top = 196
    Width = 225
    Height = 13
    AutoSize = False
    Caption = 'Enter first half of the &correction'
    FocusControl = Edit2
  end
  object Edit2: TEdit
    Left = 248
    Top = 214
    Width = 225
    Height = 21
    TabOrder = 7
  end
  object Button2: TButton
    Left = 8
    Top = 244
    Width = 105
    Height = 25
    Caption = 'Enter &word'
    TabOrder = 8
    OnClick = Button2Click
  end
  object Button3: TButton
    Left = 120
    Top = 244
    Width = 105
    Height = 25
    Caption = 'Re&move word'
    TabOrder = 9
    OnClick = Button3Click
  end
  object ListBox1: TListBox
    Left = 8
    Top = 278
    Width = 465
    Height = 175
    ItemHeight = 13
    TabOrder = 10
  end
  object OKBtn: TButton
    Left = 398
    Top = 464
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 11
    OnClick = OKBtnClick
  end
  object StatusBar1: TStatusBar
    SimplePanel = True
  end
  object Timer1: TTimer
    Interval = 100
    OnTimer = Timer1Timer
  end
end
