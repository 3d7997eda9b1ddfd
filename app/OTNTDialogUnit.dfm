object OTNTDialog: TOTNTDialog
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Testament selection'
  ClientHeight = 153
  ClientWidth = 257
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  object TestamentRadioGroup: TRadioGroup
    Left = 8
    Top = 8
    Width = 241
    Height = 105
    Caption = 'Testament'
    Items.Strings = (
      '&Old Testament'
      '&New Testament'
      '&Both Testaments')
    TabOrder = 0
  end
  object OKButton: TButton
    Left = 93
    Top = 121
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
    OnClick = OKButtonClick
  end
  object CancelButton: TButton
    Left = 174
    Top = 121
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
end
