object PrintGeneralListDialog: TPrintGeneralListDialog
  Left = 0
  Top = 0
  Width = 640
  Height = 480
  ActiveControl = UzurUvadEdit1
  Caption = 'Print list'
  Menu = MainMenu1
  Position = poScreenCenter
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object UzurUvadEdit1: VUzurUvad
    Left = 0
    Top = 0
    Width = 632
    Height = 407
    Align = alClient
    RTFReadProperties.TextStyleMode = uvrsAddIfNeeded
    RTFReadProperties.ParaStyleMode = uvrsAddIfNeeded
    Style = UVStyle1
    TabOrder = 0
  end
  object StatusBar1: TStatusBar
    SimplePanel = True
  end
  object UVStyle1: TUVStyle
  end
  object PDFDocument1: TPDFDocument
    AutoLaunch = True
    Compression = ctFlate
    DocumentInfo.Author = 'Pelorin'
    DocumentInfo.Creator = 'Pelorin'
    DocumentInfo.Keywords = 'List'
    DocumentInfo.Subject = 'List'
    DocumentInfo.Title = 'List'
    JPEGQuality = 80
    Resolution = 72
    Version = v13
  end
  object UVReportHelper1: TUVReportHelper
    UzurUvad.LeftMargin = 0
    UzurUvad.RightMargin = 0
    UzurUvad.Style = UVStyle1
    OnFormatting = UVReportHelper1Formatting
  end
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object TransfertoParatext1: TMenuItem
        Caption = '&Transfer to Paratext'
        Enabled = False
        ShortCut = 16468
        OnClick = TransfertoParatext1Click
      end
      object Save1: TMenuItem
        Caption = '&Save'
        ShortCut = 16467
        OnClick = Save1Click
      end
      object Print1: TMenuItem
        Caption = '&Print'
        ShortCut = 16464
        OnClick = Print1Click
      end
      object Exit1: TMenuItem
        Caption = 'E&xit'
        OnClick = Exit1Click
      end
    end
    object Edit1: TMenuItem
      Caption = '&Edit'
      OnClick = Edit1Click
      object Cut1: TMenuItem
        Caption = 'Cu&t'
        ShortCut = 16472
        OnClick = Cut1Click
      end
      object Copy1: TMenuItem
        Caption = '&Copy'
        ShortCut = 16451
        OnClick = Copy1Click
      end
      object Paste1: TMenuItem
        Caption = '&Paste'
        ShortCut = 16470
        OnClick = Paste1Click
      end
      object SelectAll1: TMenuItem
        Caption = '&Select all'
        ShortCut = 16449
        OnClick = SelectAll1Click
      end
    end
    object View1: TMenuItem
      Caption = '&View'
      object ShowWithoutValidTranslation1: TMenuItem
        Caption = 'Show only lines without a &valid translation'
        Enabled = False
        OnClick = ShowWithoutValidTranslation1Click
      end
      object SingleLineSpacing1: TMenuItem
        Caption = '&Use single line spacing'
        Enabled = False
        OnClick = SingleLineSpacing1Click
      end
      object ShowOnlyChanges1: TMenuItem
        Caption = 'Show only lines with a &change'
        Enabled = False
        OnClick = ShowOnlyChanges1Click
      end
    end
    object Tools1: TMenuItem
      Caption = '&Tools'
      object AddVerseText1: TMenuItem
        Caption = 'Add &verse text to the references'
        Enabled = False
        OnClick = AddVerseText1Click
      end
    end
  end
end
