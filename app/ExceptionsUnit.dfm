object DlgExceptions: TDlgExceptions
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Edit ignored messages'
  ClientHeight = 289
  ClientWidth = 577
  Position = poOwnerFormCenter
  ShowHint = True
  object ExceptionsListBox: TListBox
    Left = 8
    Top = 8
    Width = 561
    Height = 241
    Hint = 'Click a line and then click button Remove from Exceptions'
    MultiSelect = True
    ScrollWidth = 1000
    TabOrder = 0
  end
  object RemoveButton: TButton
    Left = 8
    Top = 257
    Width = 75
    Height = 25
    Hint = 
      'Click a previously excluded message below, then click this button' +
      ' to include it in the next check.'
    Caption = '&Remove'
    TabOrder = 1
    OnClick = RemoveButtonClick
  end
  object OKButton: TButton
    Left = 494
    Top = 257
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    ModalResult = 1
    TabOrder = 2
  end
end
