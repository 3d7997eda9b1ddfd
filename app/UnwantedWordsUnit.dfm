object UnwantedWordsDlg: TUnwantedWordsDlg
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Unwanted words'
  ClientHeight = 498
  ClientWidth = 481
  Position = poOwnerFormCenter
  ShowHint = True
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object Label1: TLabel
    Left = 8
    Top = 8
    Width = 300
    Height = 13
    AutoSize = False
    Caption = '1. Enter word here, press tab'
    FocusControl = Edit1
  end
  object Edit1: TEdit
    Left = 8
    Top = 24
    Width = 300
    Height = 21
    TabOrder = 0
    OnChange = Edit1Change
  end
  object Label2: TLabel
    Left = 8
    Top = 54
    Width = 300
    Height = 13
    AutoSize = False
    Caption = '2. Remove tick if the word is a phrase, press tab'
  end
  object CheckBox1: TCheckBox
    Left = 8
    Top = 70
    Width = 300
    Height = 17
    Caption = 'Search for whole words'
    Checked = True
    State = cbChecked
    TabOrder = 1
  end
  object Label3: TLabel
    Left = 8
    Top = 96
    Width = 300
    Height = 13
    AutoSize = False
    Caption = '3. Optionally enter comment here, press tab'
    FocusControl = Edit2
  end
  object Edit2: TEdit
    Left = 8
    Top = 112
    Width = 300
    Height = 21
    TabOrder = 2
  end
  object Label4: TLabel
    Left = 8
    Top = 142
    Width = 300
    Height = 13
    AutoSize = False
    Caption = '4. Press enter'
  end
  object EnterBtn: TButton
    Left = 8
    Top = 158
    Width = 100
    Height = 25
    Caption = '&Enter word'
    TabOrder = 3
    OnClick = EnterBtnClick
  end
  object ListBox1: TListBox
    Left = 8
    Top = 192
    Width = 465
    Height = 200
    MultiSelect = True
    Sorted = True
    TabOrder = 4
  end
  object RemoveBtn: TButton
    Left = 8
    Top = 400
    Width = 100
    Height = 25
    Hint = 'Click a word above, then this button to remove it.'
    Caption = '&Remove word'
    TabOrder = 5
    OnClick = RemoveBtnClick
  end
  object Label5: TLabel
    Left = 8
    Top = 434
    Width = 300
    Height = 13
    AutoSize = False
    Caption = 'Search for phrase in above list'
    FocusControl = Edit3
  end
  object Edit3: TEdit
    Left = 8
    Top = 450
    Width = 300
    Height = 21
    TabOrder = 6
    OnChange = Edit3Change
  end
  object Button1: TButton
    Left = 316
    Top = 448
    Width = 75
    Height = 25
    Caption = '&Search'
    TabOrder = 7
    OnClick = Button1Click
  end
  object Status: TLabel
    Left = 8
    Top = 478
    Width = 465
    Height = 13
    AutoSize = False
    ShowAccelChar = False
  end
  object OKBtn: TButton
    Left = 398
    Top = 8
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    ModalResult = 1
    TabOrder = 8
    OnClick = OKBtnClick
  end
  object CancelBtn: TButton
    Left = 398
    Top = 39
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 9
  end
end
