object CompareDlg: TCompareDlg
  Left = 0
  Top = 0
  Caption = 'Compare versions'
  ClientHeight = 541
  ClientWidth = 792
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object StepsPanel: TPanel
    Left = 0
    Top = 0
    Width = 233
    Height = 522
    Align = alLeft
    BevelOuter = bvNone
    TabOrder = 0
    object CurrentLabel: TLabel
      Left = 8
      Top = 8
      Width = 170
      Height = 13
      Caption = 'Optionally: Select current version'
    end
    object FilenamesLabel: TLabel
      Left = 8
      Top = 60
      Width = 168
      Height = 13
      Caption = 'Step &1: Select a book or all books'
      FocusControl = FilenamesComboBox
    end
    object EarlierLabel: TLabel
      Left = 8
      Top = 112
      Width = 144
      Height = 13
      Caption = 'Step 2: &Select earlier version'
      FocusControl = EarlierComboBox
    end
    object Step3Label: TLabel
      Left = 8
      Top = 166
      Width = 35
      Height = 13
      Caption = 'Step 3:'
    end
    object Step4Label: TLabel
      Left = 8
      Top = 220
      Width = 35
      Height = 13
      Caption = 'Step 4:'
    end
    object CurrentComboBox: TComboBox
      Left = 8
      Top = 26
      Width = 217
      Height = 21
      Style = csDropDownList
      DropDownCount = 16
      TabOrder = 0
      OnChange = CurrentComboBoxChange
    end
    object FilenamesComboBox: TComboBox
      Left = 8
      Top = 78
      Width = 217
      Height = 21
      Style = csDropDownList
      DropDownCount = 24
      TabOrder = 1
      OnChange = FilenamesComboBoxChange
    end
    object EarlierComboBox: TComboBox
      Left = 8
      Top = 130
      Width = 217
      Height = 21
      Style = csDropDownList
      DropDownCount = 16
      TabOrder = 2
      OnChange = EarlierComboBoxChange
    end
    object DiffBtn: TButton
      Left = 8
      Top = 184
      Width = 217
      Height = 25
      Caption = '&Find differences'
      TabOrder = 3
      OnClick = DiffBtnClick
    end
    object ClipboardBtn: TButton
      Left = 8
      Top = 238
      Width = 217
      Height = 25
      Caption = '&Copy result to editor'
      TabOrder = 4
      OnClick = ClipboardBtnClick
    end
    object IterateButton: TButton
      Left = 8
      Top = 282
      Width = 217
      Height = 25
      Caption = '&Thumb through differences'
      TabOrder = 5
      OnClick = IterateButtonClick
    end
    object OKBtn: TButton
      Left = 8
      Top = 489
      Width = 97
      Height = 25
      Anchors = [akLeft, akBottom]
      Caption = '&OK'
      Default = True
      ModalResult = 1
      TabOrder = 6
    end
  end
  object VersionsPanel: TPanel
    Left = 233
    Top = 0
    Width = 559
    Height = 522
    Align = alClient
    BevelOuter = bvNone
    TabOrder = 1
    OnResize = VersionsPanelResize
    object CurrentPanel: TPanel
      Left = 0
      Top = 0
      Width = 559
      Height = 261
      Align = alTop
      BevelOuter = bvNone
      TabOrder = 0
      object CurrentVersionLabel: TLabel
        Left = 0
        Top = 0
        Width = 559
        Height = 18
        Align = alTop
        AutoSize = False
        Caption = 'Current version'
        Layout = tlCenter
      end
      object UzurUvad1: VUzurUvad
        Left = 0
        Top = 18
        Width = 559
        Height = 243
        Align = alClient
        Style = UVStyle1
        TabOrder = 0
      end
    end
    object EarlierPanel: TPanel
      Left = 0
      Top = 261
      Width = 559
      Height = 261
      Align = alClient
      BevelOuter = bvNone
      TabOrder = 1
      object EarlierVersionLabel: TLabel
        Left = 0
        Top = 0
        Width = 559
        Height = 18
        Align = alTop
        AutoSize = False
        Caption = 'Earlier version'
        Layout = tlCenter
      end
      object UzurUvad2: VUzurUvad
        Left = 0
        Top = 18
        Width = 559
        Height = 243
        Align = alClient
        Style = UVStyle1
        TabOrder = 0
      end
    end
  end
  object ResultPanel: TPanel
    Left = 233
    Top = 0
    Width = 559
    Height = 522
    Align = alClient
    BevelOuter = bvNone
    TabOrder = 2
    Visible = False
    object DifferencesLabel: TLabel
      Left = 0
      Top = 0
      Width = 559
      Height = 18
      Align = alTop
      AutoSize = False
      Caption = 'Differences'
      Layout = tlCenter
    end
    object CompareUzurUvadEdit: VUzurUvadEdit
      Left = 0
      Top = 18
      Width = 559
      Height = 504
      Align = alClient
      Style = UVStyle1
      TabOrder = 0
      UVFOptions = [uvfoSavePicturesBody, uvfoSaveControlsBody, uvfoSaveBinary, uvfoSaveTextStyles, uvfoSaveParaStyles]
    end
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 522
    Width = 792
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
        StyleName = 'Bold text'
        FontName = 'Times New Roman'
        Size = 12
        Style = [fsBold]
      end
      item
        StyleName = 'Strikeout Text'
        FontName = 'Times New Roman'
        Size = 12
        Style = [fsStrikeOut]
      end>
  end
  object AllTimer: TTimer
    Enabled = False
    Interval = 100
    OnTimer = AllTimerTimer
  end
end
