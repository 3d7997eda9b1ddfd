object TasksDlg: TTasksDlg
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'View background tasks'
  ClientHeight = 393
  ClientWidth = 465
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  object ParatextBox: TGroupBox
    Left = 8
    Top = 8
    Width = 449
    Height = 88
    Caption = 'Paratext'
    TabOrder = 0
    object ParatextLabel: TLabel
      Left = 12
      Top = 18
      Width = 425
      Height = 13
      AutoSize = False
      ShowAccelChar = False
    end
    object ParatextReferenceLabel: TLabel
      Left = 12
      Top = 34
      Width = 425
      Height = 13
      AutoSize = False
      ShowAccelChar = False
    end
    object ParatextFolderLabel: TLabel
      Left = 12
      Top = 52
      Width = 425
      Height = 28
      AutoSize = False
      ShowAccelChar = False
      WordWrap = True
    end
  end
  object BibleWorksBox: TGroupBox
    Left = 8
    Top = 104
    Width = 449
    Height = 88
    Caption = 'BibleWorks'
    TabOrder = 1
    object BibleWorksLabel: TLabel
      Left = 12
      Top = 18
      Width = 425
      Height = 13
      AutoSize = False
      ShowAccelChar = False
    end
    object BibleWorksVerseLabel: TLabel
      Left = 12
      Top = 34
      Width = 425
      Height = 13
      AutoSize = False
      ShowAccelChar = False
    end
    object BibleWorksFolderLabel: TLabel
      Left = 12
      Top = 52
      Width = 425
      Height = 28
      AutoSize = False
      ShowAccelChar = False
      WordWrap = True
    end
  end
  object ConversionsLabel: TLabel
    Left = 8
    Top = 200
    Width = 181
    Height = 13
    Caption = 'Conversions of the reference &lists:'
    FocusControl = ConversionsMemo
  end
  object ConversionsMemo: TMemo
    Left = 8
    Top = 216
    Width = 449
    Height = 65
    ReadOnly = True
    ScrollBars = ssVertical
    TabOrder = 2
    WantReturns = False
  end
  object HelperBox: TGroupBox
    Left = 8
    Top = 288
    Width = 449
    Height = 65
    Caption = 'Spelling helper application'
    TabOrder = 3
    object HelperLabel: TLabel
      Left = 12
      Top = 18
      Width = 425
      Height = 13
      AutoSize = False
      ShowAccelChar = False
    end
    object LastActionLabel: TLabel
      Left = 12
      Top = 38
      Width = 57
      Height = 13
      Caption = 'Last action:'
    end
    object HelperStatusLabel: TLabel
      Left = 76
      Top = 38
      Width = 361
      Height = 13
      AutoSize = False
      ShowAccelChar = False
    end
  end
  object CloseButton: TButton
    Left = 382
    Top = 360
    Width = 75
    Height = 25
    Cancel = True
    Caption = '&Close'
    Default = True
    ModalResult = 2
    TabOrder = 4
  end
  object RefreshTimer: TTimer
    Interval = 100
    OnTimer = RefreshTimerTimer
  end
end
