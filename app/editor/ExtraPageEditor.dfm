object ExtraPageEditor: TExtraPageEditor
  Left = 0
  Top = 0
  Width = 640
  Height = 480
  ActiveControl = Editor1
  Caption = 'Editor'
  Menu = MainMenu1
  Position = poScreenCenter
  OnCloseQuery = FormCloseQuery
  object Editor1: VUzurUvadEdit
    Left = 0
    Top = 0
    Width = 632
    Height = 407
    Align = alClient
    Style = EditorStyle
    TabOrder = 0
    OnChange = Editor1Change
  end
  object StatusBar1: TStatusBar
    SimplePanel = True
  end
  object EditorStyle: TUVStyle
  end
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object Save1: TMenuItem
        Caption = '&Save'
        ShortCut = 16467
        OnClick = Save1Click
      end
      object Exit1: TMenuItem
        Caption = 'E&xit'
        OnClick = Exit1Click
      end
    end
    object Edit1: TMenuItem
      Caption = '&Edit'
      object Undo1: TMenuItem
        Caption = '&Undo'
        ShortCut = 16474
        OnClick = Undo1Click
      end
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
        Caption = 'Select &all'
        ShortCut = 16449
        OnClick = SelectAll1Click
      end
    end
    object Format1: TMenuItem
      Caption = 'F&ormat'
      object Font1: TMenuItem
        Caption = '&Font...'
        OnClick = Font1Click
      end
      object AlignLeft1: TMenuItem
        Caption = 'Align &left'
        OnClick = AlignLeft1Click
      end
      object AlignCenter1: TMenuItem
        Caption = '&Centre'
        OnClick = AlignCenter1Click
      end
      object AlignRight1: TMenuItem
        Caption = 'Align &right'
        OnClick = AlignRight1Click
      end
    end
  end
end
