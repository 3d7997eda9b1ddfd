object BibleSettingsDialog: TBibleSettingsDialog
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Settings for printing'
  ClientHeight = 425
  ClientWidth = 521
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  object PageControl1: TPageControl
    Left = 8
    Top = 8
    Width = 505
    Height = 376
    TabOrder = 0
    object PageSetupSheet: TTabSheet
      PageControl = PageControl1
      Caption = 'Page Setup'
      object PaperSizeLabel: TLabel
        Left = 12
        Top = 16
        Width = 150
        Height = 13
        Caption = '&Paper size'
        FocusControl = PaperSizeComboBox
      end
      object PaperSizeComboBox: TComboBox
        Left = 170
        Top = 12
        Width = 161
        Height = 21
        Style = csDropDownList
        DropDownCount = 19
        TabOrder = 0
        Items.Strings = (
          'Letter'
          'A4'
          'A3'
          'Legal'
          'B5'
          'C5'
          '8x11'
          'B4'
          'A5'
          'Folio'
          'Executive'
          'Envelope B4'
          'Envelope B5'
          'Envelope C6'
          'Envelope DL'
          'Envelope Monarch'
          'Envelope #9'
          'Envelope #10'
          'Envelope #11')
      end
      object TopMarginLabel: TLabel
        Left = 12
        Top = 50
        Width = 150
        Height = 13
        Caption = '&Top margin'
        FocusControl = TopMarginEdit
      end
      object TopMarginEdit: TVisExtSpinEdit
        Left = 170
        Top = 46
        Width = 90
        Height = 21
        MaxValue = 70
        Suffix = ' mm'
        TabOrder = 1
      end
      object BottomMarginLabel: TLabel
        Left = 12
        Top = 78
        Width = 150
        Height = 13
        Caption = '&Bottom margin'
        FocusControl = BottomMarginEdit
      end
      object BottomMarginEdit: TVisExtSpinEdit
        Left = 170
        Top = 74
        Width = 90
        Height = 21
        MaxValue = 70
        Suffix = ' mm'
        TabOrder = 2
      end
      object LeftMarginLabel: TLabel
        Left = 12
        Top = 106
        Width = 150
        Height = 13
        Caption = '&Left margin'
        FocusControl = LeftMarginEdit
      end
      object LeftMarginEdit: TVisExtSpinEdit
        Left = 170
        Top = 102
        Width = 90
        Height = 21
        MaxValue = 70
        Suffix = ' mm'
        TabOrder = 3
      end
      object RightMarginLabel: TLabel
        Left = 12
        Top = 134
        Width = 150
        Height = 13
        Caption = '&Right margin'
        FocusControl = RightMarginEdit
      end
      object RightMarginEdit: TVisExtSpinEdit
        Left = 170
        Top = 130
        Width = 90
        Height = 21
        MaxValue = 70
        Suffix = ' mm'
        TabOrder = 4
      end
      object MirrorCheckBox: TCheckBox
        Left = 12
        Top = 164
        Width = 470
        Height = 17
        Caption = '&Mirror left and right margins for double sided printing'
        TabOrder = 5
      end
      object LineSpacingLabel: TLabel
        Left = 12
        Top = 196
        Width = 150
        Height = 13
        Caption = 'Line &spacing in percent'
        FocusControl = Edit5
      end
      object Edit5: TEdit
        Left = 170
        Top = 192
        Width = 49
        Height = 21
        TabOrder = 6
        Text = '100'
      end
      object UpDown5: TUpDown
        Left = 219
        Top = 192
        Width = 16
        Height = 21
        Associate = Edit5
        Min = 100
        Max = 400
        Position = 100
        Thousands = False
        TabOrder = 7
      end
      object PDFFolderLabel: TLabel
        Left = 12
        Top = 232
        Width = 470
        Height = 13
        Caption = 'Folder where the printed Bible in PDF format is going to be placed'
      end
      object PDFFolderButton: TButton
        Left = 12
        Top = 250
        Width = 470
        Height = 25
        TabOrder = 8
        OnClick = PDFFolderButtonClick
      end
    end
    object HeaderSetupSheet: TTabSheet
      PageControl = PageControl1
      Caption = 'Header Setup'
      object HeadersLabel: TLabel
        Left = 12
        Top = 10
        Width = 470
        Height = 13
        Caption = 'The &name of each book as it stands in the page headers'
        FocusControl = HeadersListBox
      end
      object HeadersListBox: TListBox
        Left = 12
        Top = 28
        Width = 472
        Height = 212
        Columns = 5
        ItemHeight = 13
        TabOrder = 0
        OnClick = HeadersListBoxClick
      end
      object HeadingLabel: TLabel
        Left = 12
        Top = 252
        Width = 150
        Height = 13
        Caption = '&Heading of the chosen book'
        FocusControl = HeadingEdit
      end
      object HeadingEdit: TEdit
        Left = 170
        Top = 248
        Width = 314
        Height = 21
        TabOrder = 1
        OnChange = HeadingEditChange
      end
      object DateCheckBox: TCheckBox
        Left = 12
        Top = 282
        Width = 470
        Height = 17
        Caption = 'Include the current &date in the header of every page'
        TabOrder = 2
      end
      object AllCapsCheckBox: TCheckBox
        Left = 12
        Top = 306
        Width = 470
        Height = 17
        Caption = 'Print the name of the Biblebook in all &capitals'
        TabOrder = 3
      end
    end
    object ExtraPagesSheet: TTabSheet
      PageControl = PageControl1
      Caption = 'Extra Pages'
      object CoverPageCheckBox: TCheckBox
        Left = 12
        Top = 20
        Width = 330
        Height = 17
        Caption = 'Allow printing &cover page(s)'
        TabOrder = 0
        OnClick = CoverPageCheckBoxClick
      end
      object CoverPageButton: TButton
        Left = 360
        Top = 16
        Width = 75
        Height = 25
        Caption = 'Edit'
        TabOrder = 1
        OnClick = CoverPageButtonClick
      end
      object FirstPageCheckBox: TCheckBox
        Left = 12
        Top = 60
        Width = 330
        Height = 17
        Caption = 'Allow printing &first page(s)'
        TabOrder = 2
        OnClick = FirstPageCheckBoxClick
      end
      object FirstPageButton: TButton
        Left = 360
        Top = 56
        Width = 75
        Height = 25
        Caption = 'Edit'
        TabOrder = 3
        OnClick = FirstPageButtonClick
      end
      object OTPageCheckBox: TCheckBox
        Left = 12
        Top = 100
        Width = 330
        Height = 17
        Caption = 'Allow printing O&T title page(s)'
        TabOrder = 4
        OnClick = OTPageCheckBoxClick
      end
      object OTPageButton: TButton
        Left = 360
        Top = 96
        Width = 75
        Height = 25
        Caption = 'Edit'
        TabOrder = 5
        OnClick = OTPageButtonClick
      end
      object NTPageCheckBox: TCheckBox
        Left = 12
        Top = 140
        Width = 330
        Height = 17
        Caption = 'Allow printing &NT title page(s)'
        TabOrder = 6
        OnClick = NTPageCheckBoxClick
      end
      object NTPageButton: TButton
        Left = 360
        Top = 136
        Width = 75
        Height = 25
        Caption = 'Edit'
        TabOrder = 7
        OnClick = NTPageButtonClick
      end
      object LastPageCheckBox: TCheckBox
        Left = 12
        Top = 180
        Width = 330
        Height = 17
        Caption = 'Allow printing &last page(s)'
        TabOrder = 8
        OnClick = LastPageCheckBoxClick
      end
      object LastPageButton: TButton
        Left = 360
        Top = 176
        Width = 75
        Height = 25
        Caption = 'Edit'
        TabOrder = 9
        OnClick = LastPageButtonClick
      end
    end
    object HyphenationSheet: TTabSheet
      PageControl = PageControl1
      Caption = 'Hyphenation'
      object HyphenationGroup: TRadioGroup
        Left = 12
        Top = 8
        Width = 472
        Height = 84
        Caption = 'Set hyphenation rules'
        Items.Strings = (
          'No automatic hyphenation'
          'Hyphenate at transition from vowel to consonant'
          'Hyphenate at transition from consonant to vowel')
        TabOrder = 0
      end
      object NoHyphLabel: TLabel
        Left = 12
        Top = 106
        Width = 150
        Height = 13
        Caption = 'Do not hyphenate &within'
        FocusControl = NoHyphNumberEdit
      end
      object NoHyphNumberEdit: TEdit
        Left = 170
        Top = 102
        Width = 33
        Height = 21
        TabOrder = 1
        Text = '3'
      end
      object NoHyphNumberUpDown: TUpDown
        Left = 203
        Top = 102
        Width = 16
        Height = 21
        Associate = NoHyphNumberEdit
        Min = 1
        Max = 9
        Position = 3
        TabOrder = 2
      end
      object NoHyphLabel2: TLabel
        Left = 226
        Top = 106
        Width = 258
        Height = 13
        AutoSize = False
        Caption = 'characters from either end of a word'
      end
      object ConsonantsLabel: TLabel
        Left = 12
        Top = 136
        Width = 150
        Height = 13
        AutoSize = False
        Caption = 'List of co&nsonants'
        FocusControl = ConsonantsEdit
      end
      object ConsonantsEdit: TEdit
        Left = 170
        Top = 132
        Width = 314
        Height = 21
        TabOrder = 3
      end
      object VowelsLabel: TLabel
        Left = 12
        Top = 164
        Width = 150
        Height = 13
        AutoSize = False
        Caption = 'List of &vowels'
        FocusControl = VowelsEdit
      end
      object VowelsEdit: TEdit
        Left = 170
        Top = 160
        Width = 314
        Height = 21
        TabOrder = 4
      end
      object HyphenLabel: TLabel
        Left = 12
        Top = 194
        Width = 472
        Height = 13
        FocusControl = HyphenUzurUvadEdit
        Caption = 'Words hyphenated by &hand (one a line, a hyphen where it may break):'
      end
      object HyphenUzurUvadEdit: VUzurUvadEdit
        Left = 12
        Top = 212
        Width = 472
        Height = 128
        Style = HyphenUVStyle
        TabOrder = 5
      end
    end
    object EBookSheet: TTabSheet
      PageControl = PageControl1
      Caption = 'eBook'
      object eBookLabel: TLabel
        Left = 12
        Top = 12
        Width = 470
        Height = 13
        Caption = 'Folder where eBooks are going to be placed'
      end
      object eBookButton: TButton
        Left = 12
        Top = 30
        Width = 472
        Height = 25
        TabOrder = 0
        OnClick = eBookButtonClick
      end
      object eBookFontSizeLabel: TLabel
        Left = 12
        Top = 74
        Width = 300
        Height = 13
        Caption = 'Font size of the ebook: normal'
      end
      object FontSizeTrackBar: TTrackBar
        Left = 12
        Top = 92
        Width = 250
        Height = 33
        Max = 4
        Position = 2
        TabOrder = 1
        OnChange = FontSizeTrackBarChange
      end
      object ReaderWorksLabel: TLabel
        Left = 12
        Top = 140
        Width = 472
        Height = 28
        AutoSize = False
        Caption = 'Executable of ReaderWorks Standard 2.0 (usually C:\Program Files\OverDrive ReaderWorks\RWStan.exe)'
        ShowAccelChar = False
        WordWrap = True
      end
      object ReaderWorksButton: TButton
        Left = 12
        Top = 172
        Width = 472
        Height = 25
        TabOrder = 2
        OnClick = ReaderWorksButtonClick
      end
    end
  end
  object OKBtn: TButton
    Left = 356
    Top = 392
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    TabOrder = 1
    OnClick = OKBtnClick
  end
  object CancelBtn: TButton
    Left = 438
    Top = 392
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 2
  end
  object HyphenUVStyle: TUVStyle
  end
end
