object ParatextIsRunningDialog: TParatextIsRunningDialog
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Save book'
  ClientHeight = 129
  ClientWidth = 377
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  object MessageLabel: TLabel
    Left = 12
    Top = 12
    Width = 353
    Height = 52
    AutoSize = False
    ShowAccelChar = False
    WordWrap = True
  end
  object QuestionLabel: TLabel
    Left = 12
    Top = 70
    Width = 186
    Height = 13
    Caption = 'Do you still want to save the book?'
  end
  object YesButton: TButton
    Left = 209
    Top = 96
    Width = 75
    Height = 25
    Caption = '&Yes'
    TabOrder = 0
    OnClick = YesButtonClick
  end
  object NoButton: TButton
    Left = 290
    Top = 96
    Width = 75
    Height = 25
    Cancel = True
    Caption = '&No'
    Default = True
    TabOrder = 1
    OnClick = NoButtonClick
  end
  object WatchTimer: TTimer
    OnTimer = WatchTimerTimer
  end
end
