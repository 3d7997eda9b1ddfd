object TextToSFMDialog: TTextToSFMDialog
  Left = 0
  Top = 0
  Caption = 'Convert text document to Paratext format'
  ClientHeight = 506
  ClientWidth = 852
  Position = poOwnerFormCenter
  ShowHint = True
  OnCreate = FormCreate
  object PageControl1: TPageControl
    Left = 0
    Top = 0
    Width = 852
    Height = 454
    Align = alClient
    TabOrder = 0
    object PrepareSheet: TTabSheet
      PageControl = PageControl1
      Caption = 'Phase &1: Prepare RTF document'
      object PrepareStep1Label: TLabel
        Left = 8
        Top = 10
        Width = 34
        Height = 13
        Caption = 'Step 1:'
      end
      object OpenButton: TButton
        Left = 8
        Top = 28
        Width = 121
        Height = 25
        Caption = 'Open &File'
        TabOrder = 0
        OnClick = OpenButtonClick
      end
      object PrepareStep2Label: TLabel
        Left = 8
        Top = 66
        Width = 34
        Height = 13
        Caption = 'Step 2:'
      end
      object SettingsGroupBox: TGroupBox
        Left = 8
        Top = 84
        Width = 393
        Height = 137
        Caption = 'Settings for preparation of document'
        TabOrder = 1
        object IICheckBox: TCheckBox
          Left = 10
          Top = 20
          Width = 375
          Height = 17
          Caption = 'Change capitals '#39'I I '#39' to number '#39'11 '#39
          Checked = True
          State = cbChecked
          TabOrder = 0
        end
        object xOxCheckBox: TCheckBox
          Left = 10
          Top = 42
          Width = 375
          Height = 17
          Caption = 'Change number '#39'0'#39' surrounded by lower case letters to capital '#39'O'#39
          Checked = True
          State = cbChecked
          TabOrder = 1
        end
        object OCheckBox: TCheckBox
          Left = 10
          Top = 64
          Width = 375
          Height = 17
          Caption = 'Change number '#39'0'#39' not preceded by another number to capital '#39'O'#39
          Checked = True
          State = cbChecked
          TabOrder = 2
        end
        object ClosingBracketCheckBox: TCheckBox
          Left = 10
          Top = 86
          Width = 375
          Height = 17
          Caption = 'Change bracket '#39']'#39' followed by a lower case letter to a letter '#39'l'#39
          Checked = True
          State = cbChecked
          TabOrder = 3
        end
        object PunctuationCheckBox: TCheckBox
          Left = 10
          Top = 108
          Width = 375
          Height = 17
          Caption = 'Remove a space just before the punctuation marks , ; : ? !'
          Checked = True
          State = cbChecked
          TabOrder = 4
        end
      end
      object PrepareButton: TButton
        Left = 8
        Top = 228
        Width = 121
        Height = 25
        Caption = '&Prepare File'
        TabOrder = 2
        OnClick = PrepareButtonClick
      end
      object PrepareStep3Label: TLabel
        Left = 8
        Top = 266
        Width = 34
        Height = 13
        Caption = 'Step 3:'
      end
      object Save1Button: TButton
        Left = 8
        Top = 284
        Width = 121
        Height = 25
        Caption = '&Next phase'
        TabOrder = 3
        OnClick = Save1ButtonClick
      end
      object PrepareUzurUvadEdit: VUzurUvadEdit
        Left = 410
        Top = 0
        Width = 434
        Height = 426
        Anchors = [akLeft, akTop, akRight, akBottom]
        TabOrder = 4
        Style = UVStyle1
        RTFReadProperties.UnicodeMode = uvruMixed
        RTFReadProperties.TextStyleMode = uvrsAddIfNeeded
        RTFReadProperties.ParaStyleMode = uvrsAddIfNeeded
      end
    end
    object ConvertSheet: TTabSheet
      PageControl = PageControl1
      Caption = 'Phase &2: Convert document to Paratext format'
      Hint = 'In this second phase the actual conversion takes place'
      object ConvertStep1Label: TLabel
        Left = 8
        Top = 10
        Width = 80
        Height = 13
        Caption = 'Step 1: Set &ID'
        FocusControl = IDEdit
      end
      object IDEdit: TEdit
        Left = 8
        Top = 28
        Width = 57
        Height = 21
        Hint = 'Set the Paratext ID for this document'
        MaxLength = 3
        TabOrder = 0
        OnChange = IDEditChange
      end
      object ConvertStep2Label: TLabel
        Left = 8
        Top = 66
        Width = 34
        Height = 13
        Caption = 'Step 2:'
      end
      object ConvertBtn: TButton
        Left = 8
        Top = 84
        Width = 121
        Height = 25
        Hint = 'Convert the document'
        Caption = '&Convert'
        TabOrder = 1
        OnClick = ConvertBtnClick
      end
      object ConvertStep3Label: TLabel
        Left = 8
        Top = 122
        Width = 34
        Height = 13
        Caption = 'Step 3:'
      end
      object SaveBtn: TButton
        Left = 8
        Top = 140
        Width = 121
        Height = 25
        Hint = 'Save the document in SFM format'
        Caption = '&Save File'
        TabOrder = 2
        OnClick = SaveBtnClick
      end
      object ConvertStep4Label1: TLabel
        Left = 8
        Top = 178
        Width = 62
        Height = 13
        Caption = 'Step 4: Put it'
      end
      object ConvertStep4Label2: TLabel
        Left = 8
        Top = 196
        Width = 51
        Height = 13
        Caption = 'in Paratext'
      end
      object UzurUvadEdit1: VUzurUvadEdit
        Left = 140
        Top = 0
        Width = 704
        Height = 426
        Anchors = [akLeft, akTop, akRight, akBottom]
        TabOrder = 3
        Style = UVStyle1
      end
    end
  end
  object StatusBar1: TStatusBar
    SimplePanel = True
  end
  object ClosePanel: TPanel
    Left = 0
    Top = 421
    Width = 852
    Height = 33
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 1
    object CloseButton: TButton
      Left = 769
      Top = 4
      Width = 75
      Height = 25
      Anchors = [akTop, akRight]
      Cancel = True
      Caption = 'Close'
      ModalResult = 2
      TabOrder = 0
    end
  end
  object UVStyle1: TUVStyle
  end
end
