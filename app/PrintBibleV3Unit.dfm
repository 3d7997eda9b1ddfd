object PrintBibleV3Dialog: TPrintBibleV3Dialog
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Print Bible'
  ClientHeight = 473
  ClientWidth = 684
  Position = poOwnerFormCenter
  OnClose = FormClose
  OnCloseQuery = FormCloseQuery
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object PageControl1: TPageControl
    Left = 8
    Top = 8
    Width = 529
    Height = 436
    TabOrder = 0
    OnChange = PageControl1Change
    object SelectSheet: TTabSheet
      PageControl = PageControl1
      Caption = '&Select books to print'
      object BooksLabel: TLabel
        Left = 8
        Top = 8
        Width = 505
        Height = 13
        Caption = 'Choose the &books to print (Ctrl or Shift and a click choose more than one):'
        FocusControl = BooksListBox
      end
      object BooksListBox: TListBox
        Left = 8
        Top = 26
        Width = 505
        Height = 300
        Columns = 3
        ItemHeight = 13
        MultiSelect = True
        TabOrder = 0
        OnClick = BooksListBoxClick
      end
      object OCCheckBox: TCheckBox
        Left = 8
        Top = 340
        Width = 161
        Height = 17
        Caption = 'Produce o&nly chapter'
        TabOrder = 1
        OnClick = OCCheckBoxClick
      end
      object OCEdit: TEdit
        Left = 172
        Top = 338
        Width = 41
        Height = 21
        Color = clBtnFace
        Enabled = False
        TabOrder = 2
        Text = '1'
        OnChange = OCEditChange
      end
      object OCUpDown: TUpDown
        Left = 213
        Top = 338
        Width = 16
        Height = 21
        Associate = OCEdit
        Min = 1
        Max = 150
        Position = 1
        TabOrder = 3
        OnClick = OCUpDownClick
      end
      object eBookCheckBox: TCheckBox
        Left = 8
        Top = 372
        Width = 300
        Height = 17
        Caption = 'Produce for &MS Reader'
        TabOrder = 4
        OnClick = eBookCheckBoxClick
      end
    end
    object ViewSheet: TTabSheet
      PageControl = PageControl1
      Caption = 'View &text'
      object OTLabel: TLabel
        Left = 8
        Top = 8
        Width = 200
        Height = 13
        Caption = 'Old Testament'
      end
      object OTUzurUvadEdit: VUzurUvadEdit
        Left = 8
        Top = 26
        Width = 505
        Height = 160
        Style = UVStyle1
        TabOrder = 0
        OnChange = OTUzurUvadEditChange
        OnURLNeeded = OTUzurUvadEditURLNeeded
      end
      object OTClipButton: TButton
        Left = 358
        Top = 190
        Width = 155
        Height = 23
        Caption = 'Copy OT to clipboard'
        TabOrder = 1
        OnClick = OTClipButtonClick
      end
      object NTLabel: TLabel
        Left = 8
        Top = 198
        Width = 200
        Height = 13
        Caption = 'New Testament'
      end
      object NTUzurUvadEdit: VUzurUvadEdit
        Left = 8
        Top = 216
        Width = 505
        Height = 160
        Style = UVStyle1
        TabOrder = 2
        OnChange = NTUzurUvadEditChange
        OnURLNeeded = NTUzurUvadEditURLNeeded
      end
      object NTClipButton: TButton
        Left = 358
        Top = 380
        Width = 155
        Height = 23
        Caption = 'Copy NT to clipboard'
        TabOrder = 3
        OnClick = NTClipButtonClick
      end
    end
    object PrintingSheet: TTabSheet
      PageControl = PageControl1
      Caption = 'Printing'
      object PrintOptionsLabel: TLabel
        Left = 12
        Top = 12
        Width = 490
        Height = 13
        AutoSize = False
        Caption = 'Bible.pdf will hold, in this order:'
      end
      object CoverPageBox: TCheckBox
        Left = 24
        Top = 36
        Width = 300
        Height = 17
        Caption = 'Print &cover page(s)'
        TabOrder = 0
      end
      object FirstPageBox: TCheckBox
        Left = 24
        Top = 62
        Width = 300
        Height = 17
        Caption = 'Print &first page(s)'
        TabOrder = 1
      end
      object OTTitleBox: TCheckBox
        Left = 24
        Top = 88
        Width = 300
        Height = 17
        Caption = 'Print OT title pa&ge(s)'
        TabOrder = 2
      end
      object OTBox: TCheckBox
        Left = 24
        Top = 114
        Width = 300
        Height = 17
        Caption = 'Print Ol&d Testament'
        TabOrder = 3
      end
      object NTTitleBox: TCheckBox
        Left = 24
        Top = 140
        Width = 300
        Height = 17
        Caption = 'Print NT title p&age(s)'
        TabOrder = 4
      end
      object NTBox: TCheckBox
        Left = 24
        Top = 166
        Width = 300
        Height = 17
        Caption = 'Print Ne&w Testament'
        TabOrder = 5
      end
      object LastPageBox: TCheckBox
        Left = 24
        Top = 192
        Width = 300
        Height = 17
        Caption = 'Print &last page(s)'
        TabOrder = 6
      end
    end
  end
  object ProduceButton: TButton
    Left = 548
    Top = 30
    Width = 128
    Height = 25
    Caption = '&Produce'
    TabOrder = 1
    OnClick = ProduceButtonClick
  end
  object PrepareLabel: TLabel
    Left = 548
    Top = 72
    Width = 128
    Height = 40
    AutoSize = False
    Caption = 'Lay the chosen books out in pages of two columns:'
    WordWrap = True
  end
  object PreparePrintButton: TButton
    Left = 548
    Top = 114
    Width = 128
    Height = 25
    Caption = 'P&repare print'
    TabOrder = 2
    OnClick = PreparePrintButtonClick
  end
  object PrintLabel: TLabel
    Left = 548
    Top = 156
    Width = 128
    Height = 40
    AutoSize = False
    Caption = 'Write the pages into Bible.pdf in the printing folder:'
    WordWrap = True
  end
  object PrintButton: TButton
    Left = 548
    Top = 198
    Width = 128
    Height = 25
    Caption = 'Pr&int'
    TabOrder = 3
    OnClick = PrintButtonClick
  end
  object StopButton: TButton
    Left = 548
    Top = 246
    Width = 128
    Height = 25
    Caption = '&Stop'
    Enabled = False
    TabOrder = 4
    OnClick = StopButtonClick
  end
  object OKBtn: TButton
    Left = 548
    Top = 419
    Width = 128
    Height = 25
    Caption = '&OK'
    Default = True
    ModalResult = 1
    TabOrder = 5
    OnClick = OKBtnClick
  end
  object StatusBar1: TStatusBar
    SimplePanel = True
  end
  object PrintUzurUvadEdit: VUzurUvadEdit
    Left = 0
    Top = 0
    Width = 500
    Height = 100
    Style = PrintUVStyle
    Visible = False
  end
  object UVStyle1: TUVStyle
  end
  object PrintUVStyle: TUVStyle
  end
  object UVReportHelper1: TUVReportHelper
    UzurUvad.Style = PrintUVStyle
  end
  object PDFDocument1: TPDFDocument
    AutoLaunch = True
    Compression = ctFlate
    DocumentInfo.Author = 'Pelorin'
    DocumentInfo.Creator = 'Pelorin'
    DocumentInfo.Keywords = 'Bible'
    DocumentInfo.Subject = 'Bible'
    DocumentInfo.Title = 'Bible Proofprint'
    JPEGQuality = 80
    PageLayout = plSinglePage
    PageMode = pmUseNone
    ProtectionEnabled = False
    Resolution = 72
    Version = v13
  end
  object eBookTimer: TTimer
    Enabled = False
    Interval = 10
    OnTimer = eBookTimerTimer
  end
  object ConvertTimer: TTimer
    Enabled = False
    Interval = 1000
    OnTimer = ConvertTimerTimer
  end
  object OLDTimer: TTimer
    Enabled = False
    Interval = 10
    OnTimer = OLDTimerTimer
  end
  object ReaderWorksTimer: TTimer
    Interval = 300
    OnTimer = ReaderWorksTimerTimer
  end
  object VisSendKeys1: TVisSendKeys
  end
end
