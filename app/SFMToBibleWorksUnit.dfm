object SFMToBibleWorksDlg: TSFMToBibleWorksDlg
  Left = 0
  Top = 0
  Caption = 'Convert Paratext files to BibleWorks'
  ClientHeight = 433
  ClientWidth = 640
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object ButtonPanel: TPanel
    Left = 0
    Top = 0
    Width = 185
    Height = 414
    Align = alLeft
    BevelOuter = bvNone
    TabOrder = 0
    object Step1Label: TLabel
      Left = 12
      Top = 12
      Width = 86
      Height = 13
      Caption = 'Step 1: Select &version'
      FocusControl = VersionsComboBox
    end
    object Step2Label: TLabel
      Left = 12
      Top = 76
      Width = 34
      Height = 13
      Caption = 'Step 2:'
    end
    object Step3Label: TLabel
      Left = 12
      Top = 140
      Width = 34
      Height = 13
      Caption = 'Step 3:'
    end
    object VersionsComboBox: TComboBox
      Left = 12
      Top = 30
      Width = 161
      Height = 21
      Style = csDropDownList
      TabOrder = 0
      OnChange = VersionsComboBoxChange
    end
    object ConvertBtn: TButton
      Left = 12
      Top = 94
      Width = 161
      Height = 25
      Caption = '&Convert'
      TabOrder = 1
      OnClick = ConvertBtnClick
    end
    object SaveBtn: TButton
      Left = 12
      Top = 158
      Width = 161
      Height = 25
      Caption = '&Save File'
      TabOrder = 2
      OnClick = SaveBtnClick
    end
    object CloseBtn: TButton
      Left = 12
      Top = 378
      Width = 161
      Height = 25
      Cancel = True
      Caption = 'Close'
      ModalResult = 2
      TabOrder = 3
    end
  end
  object UzurUvadEdit1: VUzurUvadEdit
    Left = 185
    Top = 0
    Width = 455
    Height = 414
    Align = alClient
    TabOrder = 1
    Style = UVStyle1
  end
  object StatusBar1: TStatusBar
    SimplePanel = True
  end
  object UVStyle1: TUVStyle
  end
end
