object CompareNamesDialog: TCompareNamesDialog
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Compare names'
  ClientHeight = 384
  ClientWidth = 545
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object NamesLabel: TLabel
    Left = 8
    Top = 8
    Width = 57
    Height = 13
    Caption = '&Names list'
    FocusControl = NamesListBox
  end
  object MessagesLabel: TLabel
    Left = 176
    Top = 8
    Width = 220
    Height = 13
    Caption = '&List of names that look somehow the same'
    FocusControl = MessagesListBox
  end
  object NamesListBox: TListBox
    Left = 8
    Top = 26
    Width = 160
    Height = 290
    TabOrder = 0
  end
  object MessagesListBox: TListBox
    Left = 176
    Top = 26
    Width = 361
    Height = 290
    MultiSelect = True
    TabOrder = 1
  end
  object CompareButton: TButton
    Left = 8
    Top = 328
    Width = 75
    Height = 25
    Caption = '&Compare'
    TabOrder = 2
    OnClick = CompareButtonClick
  end
  object RemoveButton: TButton
    Left = 176
    Top = 328
    Width = 75
    Height = 25
    Caption = '&Remove'
    TabOrder = 3
    OnClick = RemoveButtonClick
  end
  object OKBtn: TButton
    Left = 381
    Top = 328
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    ModalResult = 1
    TabOrder = 4
    OnClick = OKBtnClick
  end
  object CancelBtn: TButton
    Left = 462
    Top = 328
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 5
  end
  object StatusBar1: TStatusBar
    SimplePanel = True
  end
end
