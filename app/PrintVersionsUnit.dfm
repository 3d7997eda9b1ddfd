object PrintVersionsDlg: TPrintVersionsDlg
  Left = 0
  Top = 0
  Caption = 'Print Versions'
  ClientHeight = 561
  ClientWidth = 800
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object ChoicePanel: TPanel
    Left = 0
    Top = 0
    Width = 257
    Height = 542
    Align = alLeft
    BevelOuter = bvNone
    TabOrder = 0
    object Version1Label: TLabel
      Left = 8
      Top = 12
      Width = 57
      Height = 13
      Caption = 'Version &1:'
      FocusControl = Version1ComboBox
    end
    object Version1ComboBox: TComboBox
      Left = 72
      Top = 8
      Width = 177
      Height = 21
      Style = csDropDownList
      DropDownCount = 16
      TabOrder = 0
      OnChange = Version1ComboBoxChange
    end
    object Version2Label: TLabel
      Left = 8
      Top = 40
      Width = 57
      Height = 13
      Caption = 'Version &2:'
      FocusControl = Version2ComboBox
    end
    object Version2ComboBox: TComboBox
      Left = 72
      Top = 36
      Width = 177
      Height = 21
      Style = csDropDownList
      DropDownCount = 16
      TabOrder = 1
      OnChange = Version2ComboBoxChange
    end
    object Version3Label: TLabel
      Left = 8
      Top = 68
      Width = 57
      Height = 13
      Caption = 'Version &3:'
      FocusControl = Version3ComboBox
    end
    object Version3ComboBox: TComboBox
      Left = 72
      Top = 64
      Width = 177
      Height = 21
      Style = csDropDownList
      DropDownCount = 16
      TabOrder = 2
      OnChange = Version3ComboBoxChange
    end
    object Version4Label: TLabel
      Left = 8
      Top = 96
      Width = 57
      Height = 13
      Caption = 'Version &4:'
      FocusControl = Version4ComboBox
    end
    object Version4ComboBox: TComboBox
      Left = 72
      Top = 92
      Width = 177
      Height = 21
      Style = csDropDownList
      DropDownCount = 16
      TabOrder = 3
      OnChange = Version4ComboBoxChange
    end
    object Version5Label: TLabel
      Left = 8
      Top = 124
      Width = 57
      Height = 13
      Caption = 'Version &5:'
      FocusControl = Version5ComboBox
    end
    object Version5ComboBox: TComboBox
      Left = 72
      Top = 120
      Width = 177
      Height = 21
      Style = csDropDownList
      DropDownCount = 16
      TabOrder = 4
      OnChange = Version5ComboBoxChange
    end
    object Version6Label: TLabel
      Left = 8
      Top = 152
      Width = 57
      Height = 13
      Caption = 'Version &6:'
      FocusControl = Version6ComboBox
    end
    object Version6ComboBox: TComboBox
      Left = 72
      Top = 148
      Width = 177
      Height = 21
      Style = csDropDownList
      DropDownCount = 16
      TabOrder = 5
      OnChange = Version6ComboBoxChange
    end
    object Version7Label: TLabel
      Left = 8
      Top = 180
      Width = 57
      Height = 13
      Caption = 'Version &7:'
      FocusControl = Version7ComboBox
    end
    object Version7ComboBox: TComboBox
      Left = 72
      Top = 176
      Width = 177
      Height = 21
      Style = csDropDownList
      DropDownCount = 16
      TabOrder = 6
      OnChange = Version7ComboBoxChange
    end
    object FileNamesLabel: TLabel
      Left = 8
      Top = 212
      Width = 28
      Height = 13
      Caption = '&Book:'
      FocusControl = FileNamesComboBox
    end
    object FileNamesComboBox: TComboBox
      Left = 72
      Top = 208
      Width = 177
      Height = 21
      Style = csDropDownList
      DropDownCount = 24
      TabOrder = 7
      OnChange = FileNamesComboBoxChange
    end
    object NewerLabel: TLabel
      Left = 8
      Top = 248
      Width = 241
      Height = 13
      AutoSize = False
      Caption = 'Add &comparison between newer'
      FocusControl = NewerComboBox
    end
    object NewerComboBox: TComboBox
      Left = 8
      Top = 265
      Width = 241
      Height = 21
      Style = csDropDownList
      DropDownCount = 16
      TabOrder = 8
      OnChange = NewerComboBoxChange
    end
    object OlderLabel: TLabel
      Left = 8
      Top = 296
      Width = 88
      Height = 13
      Caption = '&and older version'
      FocusControl = OlderComboBox
    end
    object OlderComboBox: TComboBox
      Left = 8
      Top = 313
      Width = 241
      Height = 21
      Style = csDropDownList
      DropDownCount = 16
      TabOrder = 9
      OnChange = OlderComboBoxChange
    end
    object ProduceBtn: TButton
      Left = 8
      Top = 354
      Width = 241
      Height = 25
      Caption = '&Produce'
      TabOrder = 10
      OnClick = ProduceBtnClick
    end
    object ClipboardBtn: TButton
      Left = 8
      Top = 386
      Width = 241
      Height = 25
      Caption = '&To editor'
      TabOrder = 11
      OnClick = ClipboardBtnClick
    end
    object OKBtn: TButton
      Left = 8
      Top = 509
      Width = 97
      Height = 25
      Anchors = [akLeft, akBottom]
      Cancel = True
      Caption = '&OK'
      ModalResult = 1
      TabOrder = 12
    end
  end
  object UzurUvadEdit1: VUzurUvadEdit
    Left = 257
    Top = 0
    Width = 543
    Height = 542
    Align = alClient
    Style = UVStyle1
    TabOrder = 1
  end
  object UzurUvad1: VUzurUvad
    Left = 0
    Top = 0
    Width = 100
    Height = 100
    Style = UVStyle2
    Visible = False
    TabOrder = 2
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 542
    Width = 800
    Height = 19
    SimplePanel = True
  end
  object UVStyle1: TUVStyle
    TextStyles = <
      item
        StyleName = 'Normal text'
        FontName = 'Times New Roman'
        Size = 12
      end
      item
        StyleName = 'Version 1'
        FontName = 'Times New Roman'
        Size = 12
        Color = clBlack
      end
      item
        StyleName = 'Version 2'
        FontName = 'Times New Roman'
        Size = 12
        Color = clNavy
      end
      item
        StyleName = 'Version 3'
        FontName = 'Times New Roman'
        Size = 12
        Color = clMaroon
      end
      item
        StyleName = 'Version 4'
        FontName = 'Times New Roman'
        Size = 12
        Color = clGreen
      end
      item
        StyleName = 'Version 5'
        FontName = 'Times New Roman'
        Size = 12
        Color = clPurple
      end
      item
        StyleName = 'Version 6'
        FontName = 'Times New Roman'
        Size = 12
        Color = clTeal
      end
      item
        StyleName = 'Version 7'
        FontName = 'Times New Roman'
        Size = 12
        Color = clOlive
      end
      item
        StyleName = 'Added text'
        FontName = 'Times New Roman'
        Size = 12
        Style = [fsBold]
      end
      item
        StyleName = 'Removed text'
        FontName = 'Times New Roman'
        Size = 12
        Style = [fsStrikeOut]
      end>
  end
  object UVStyle2: TUVStyle
    TextStyles = <
      item
        StyleName = 'Normal text'
        FontName = 'Times New Roman'
        Size = 12
      end
      item
        StyleName = 'Added text'
        FontName = 'Times New Roman'
        Size = 12
        Style = [fsBold]
      end
      item
        StyleName = 'Removed text'
        FontName = 'Times New Roman'
        Size = 12
        Style = [fsStrikeOut]
      end>
  end
end
