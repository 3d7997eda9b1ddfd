object ConvertBibleWorksToParatextDlg: TConvertBibleWorksToParatextDlg
  Left = 0
  Top = 0
  Caption = 'Convert BibleWorks books to Paratext'
  ClientHeight = 433
  ClientWidth = 640
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  object ButtonPanel: TPanel
    Left = 0
    Top = 0
    Width = 185
    Height = 408
    Align = alLeft
    BevelOuter = bvNone
    TabOrder = 0
    object Step1Label: TLabel
      Left = 12
      Top = 12
      Width = 34
      Height = 13
      Caption = 'Step 1:'
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
      Top = 164
      Width = 34
      Height = 13
      Caption = 'Step 3:'
    end
    object OpenBtn: TButton
      Left = 12
      Top = 30
      Width = 161
      Height = 25
      Caption = 'Open &file'
      TabOrder = 0
      OnClick = OpenBtnClick
    end
    object CheckBox1: TCheckBox
      Left = 12
      Top = 94
      Width = 161
      Height = 17
      Caption = '&Write only SFMs'
      TabOrder = 1
    end
    object ConvertBtn: TButton
      Left = 12
      Top = 118
      Width = 161
      Height = 25
      Caption = '&Convert'
      TabOrder = 2
      OnClick = ConvertBtnClick
    end
    object SaveBtn: TButton
      Left = 12
      Top = 182
      Width = 161
      Height = 25
      Caption = '&Location to save files'
      TabOrder = 3
      OnClick = SaveBtnClick
    end
    object CloseBtn: TButton
      Left = 12
      Top = 372
      Width = 161
      Height = 25
      Cancel = True
      Caption = 'Close'
      ModalResult = 2
      TabOrder = 4
    end
  end
  object UzurUvadEdit1: VUzurUvadEdit
    Left = 185
    Top = 0
    Width = 455
    Height = 408
    Align = alClient
    TabOrder = 1
    Style = UVStyle1
  end
  object StatusPanel: TPanel
    Left = 0
    Top = 408
    Width = 640
    Height = 25
    Align = alBottom
    BevelOuter = bvLowered
    TabOrder = 2
    object Status: TLabel
      Left = 8
      Top = 6
      Width = 620
      Height = 13
      AutoSize = False
    end
  end
  object UVStyle1: TUVStyle
  end
  object VisBrowseDlg1: TVisBrowseDlg
    CaptionTitle = 'Select location'
    Caption = 'Location to save converted files'
  end
end
