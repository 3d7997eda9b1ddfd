object FontsDialog: TFontsDialog
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Fonts'
  ClientHeight = 439
  ClientWidth = 464
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  object ListsBevel: TBevel
    Left = 8
    Top = 8
    Width = 216
    Height = 56
    Shape = bsFrame
  end
  object ComparisonsBevel: TBevel
    Left = 8
    Top = 72
    Width = 216
    Height = 100
    Shape = bsFrame
  end
  object EditorBevel: TBevel
    Left = 8
    Top = 180
    Width = 216
    Height = 56
    Shape = bsFrame
  end
  object BibleBevel: TBevel
    Left = 232
    Top = 8
    Width = 224
    Height = 292
    Shape = bsFrame
  end
  object NormalTextButton: TButton
    Left = 16
    Top = 16
    Width = 200
    Height = 40
    Caption = 'Normal text'
    ParentFont = False
    TabOrder = 0
    OnClick = FontButtonClick
  end
  object AddedTextButton: TButton
    Left = 16
    Top = 80
    Width = 200
    Height = 40
    Caption = 'Text added / highlighted'
    ParentFont = False
    TabOrder = 1
    OnClick = FontButtonClick
  end
  object RemovedTextButton: TButton
    Left = 16
    Top = 124
    Width = 200
    Height = 40
    Caption = 'Text removed'
    ParentFont = False
    TabOrder = 2
    OnClick = FontButtonClick
  end
  object EditorTextButton: TButton
    Left = 16
    Top = 188
    Width = 200
    Height = 40
    Caption = 'Text in editor'
    ParentFont = False
    TabOrder = 3
    OnClick = FontButtonClick
  end
  object SubtitleButton: TButton
    Left = 240
    Top = 16
    Width = 208
    Height = 40
    Caption = 'Subtitle'
    ParentFont = False
    TabOrder = 4
    OnClick = FontButtonClick
  end
  object MainTitleButton: TButton
    Left = 240
    Top = 60
    Width = 208
    Height = 44
    Caption = 'Main title'
    ParentFont = False
    TabOrder = 5
    OnClick = FontButtonClick
  end
  object SubheadingButton: TButton
    Left = 240
    Top = 108
    Width = 208
    Height = 36
    Caption = 'Subheading'
    ParentFont = False
    TabOrder = 6
    OnClick = FontButtonClick
  end
  object ChapterButton: TButton
    Left = 240
    Top = 148
    Width = 208
    Height = 64
    Caption = 'Chapter'
    Enabled = False
    ParentFont = False
    TabOrder = 7
  end
  object VerseNumberButton: TButton
    Left = 240
    Top = 216
    Width = 208
    Height = 36
    Caption = 'Verse number'
    ParentFont = False
    TabOrder = 8
    OnClick = FontButtonClick
  end
  object BracketsTextButton: TButton
    Left = 240
    Top = 256
    Width = 208
    Height = 36
    Caption = 'Text in brackets'
    ParentFont = False
    TabOrder = 9
    OnClick = FontButtonClick
  end
  object BracketsRadioGroup: TRadioGroup
    Left = 8
    Top = 308
    Width = 448
    Height = 89
    Caption = 'Text in square brackets, e.g. [text in brackets]'
    Items.Strings = (
      'Do no touch this text nor the brackets'
      'Remove the brackets and put the text in the font above'
      'Just remove the brackets')
    TabOrder = 10
    OnClick = BracketsRadioGroupClick
  end
  object OKButton: TButton
    Left = 300
    Top = 406
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    TabOrder = 11
    OnClick = OKButtonClick
  end
  object CancelButton: TButton
    Left = 381
    Top = 406
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 12
  end
end
