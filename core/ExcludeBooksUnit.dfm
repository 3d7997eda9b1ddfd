object ExcludeBooksDialog: TExcludeBooksDialog
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Include or exclude books'
  ClientHeight = 237
  ClientWidth = 576
  Position = poScreenCenter
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object ListBox1: TListBox
    Left = 8
    Top = 8
    Width = 560
    Height = 186
    Columns = 5
    ExtendedSelect = False
    MultiSelect = True
    TabOrder = 0
  end
  object NoBooksButton: TButton
    Left = 8
    Top = 204
    Width = 75
    Height = 25
    Caption = 'No &Books'
    TabOrder = 1
    OnClick = NoBooksButtonClick
  end
  object OTBooksButton: TButton
    Left = 89
    Top = 204
    Width = 75
    Height = 25
    Caption = '&OT Books'
    TabOrder = 2
    OnClick = OTBooksButtonClick
  end
  object NTBooksButton: TButton
    Left = 170
    Top = 204
    Width = 75
    Height = 25
    Caption = '&NT Books'
    TabOrder = 3
    OnClick = NTBooksButtonClick
  end
  object AllBooksButton: TButton
    Left = 251
    Top = 204
    Width = 75
    Height = 25
    Caption = '&All Books'
    TabOrder = 4
    OnClick = AllBooksButtonClick
  end
  object OKButton: TButton
    Left = 412
    Top = 204
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 5
  end
  object CancelButton: TButton
    Left = 493
    Top = 204
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 6
  end
end
