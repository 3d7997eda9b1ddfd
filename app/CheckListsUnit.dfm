object CheckListsDialog: TCheckListsDialog
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Convert data to Paratext Checklists format'
  ClientHeight = 393
  ClientWidth = 560
  Position = poOwnerFormCenter
  ShowHint = True
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object Memo1: TMemo
    Left = 8
    Top = 8
    Width = 544
    Height = 345
    ScrollBars = ssBoth
    WordWrap = False
    TabOrder = 0
  end
  object ConvertButton: TButton
    Left = 8
    Top = 361
    Width = 97
    Height = 25
    Hint = 'Make the checklist text of the list as last saved'
    Caption = 'Convert'
    TabOrder = 1
    OnClick = ConvertButtonClick
  end
  object ClipboardButton: TButton
    Left = 113
    Top = 361
    Width = 97
    Height = 25
    Hint = 'Copy the text, to paste it into Paratext'
    Caption = 'To clipboard'
    TabOrder = 2
    OnClick = ClipboardButtonClick
  end
  object OKBtn: TButton
    Left = 477
    Top = 361
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 3
  end
end
