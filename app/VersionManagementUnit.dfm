object VersionManagementDlg: TVersionManagementDlg
  Left = 0
  Top = 0
  Caption = 'Version approval'
  ClientHeight = 520
  ClientWidth = 720
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object PageControl1: TPageControl
    Left = 0
    Top = 0
    Width = 720
    Height = 460
    Align = alClient
    TabOrder = 0
    OnChange = PageControl1Change
    object CurrentSheet: TTabSheet
      PageControl = PageControl1
      Caption = 'Step 1: Select &current version'
      object BooksLabel: TLabel
        Left = 8
        Top = 8
        Width = 31
        Height = 13
        Caption = '&Books'
        FocusControl = BookListBox
      end
      object CurrentVersionLabel: TLabel
        Left = 192
        Top = 8
        Width = 74
        Height = 13
        Caption = 'Current version'
      end
      object BookListBox: TListBox
        Left = 8
        Top = 26
        Width = 172
        Height = 400
        Anchors = [akLeft, akTop, akBottom]
        TabOrder = 0
        OnClick = BookListBoxClick
      end
      object UzurUvad1: VUzurUvad
        Left = 192
        Top = 26
        Width = 512
        Height = 400
        Anchors = [akLeft, akTop, akRight, akBottom]
        Style = UVStyle1
        TabOrder = 1
      end
    end
    object ApprovalSheet: TTabSheet
      PageControl = PageControl1
      Caption = 'Step 2: Comparison and &approval'
      object UzurUvadEdit1: VUzurUvadEdit
        Left = 8
        Top = 8
        Width = 552
        Height = 418
        Anchors = [akLeft, akTop, akRight, akBottom]
        Style = UVStyle1
        TabOrder = 0
      end
      object SaveButton: TButton
        Left = 572
        Top = 8
        Width = 132
        Height = 25
        Anchors = [akTop, akRight]
        Caption = '&Save version'
        Enabled = False
        TabOrder = 1
        OnClick = SaveButtonClick
      end
      object ThumbButton: TButton
        Left = 572
        Top = 42
        Width = 132
        Height = 25
        Anchors = [akTop, akRight]
        Caption = '&Thumb through'
        TabOrder = 2
        OnClick = ThumbButtonClick
      end
    end
    object CommentsSheet: TTabSheet
      PageControl = PageControl1
      Caption = 'Step 3: Save c&omments'
      object CommentsLabel: TLabel
        Left = 8
        Top = 8
        Width = 385
        Height = 13
        Caption = 'If there are any  comments on this version, they can be entered and saved here.'
        ShowAccelChar = False
      end
      object Memo1: TMemo
        Left = 8
        Top = 26
        Width = 552
        Height = 400
        Anchors = [akLeft, akTop, akRight, akBottom]
        ScrollBars = ssVertical
        TabOrder = 0
      end
      object CommentsButton: TButton
        Left = 572
        Top = 26
        Width = 132
        Height = 25
        Anchors = [akTop, akRight]
        Caption = '&Save comments'
        Enabled = False
        TabOrder = 1
        OnClick = CommentsButtonClick
      end
    end
    object PreviousSheet: TTabSheet
      PageControl = PageControl1
      Caption = '&Prrevious versions'
      object PreviousLabel: TLabel
        Left = 8
        Top = 8
        Width = 122
        Height = 13
        Caption = '&Select previous version'
        FocusControl = ComboBox1
      end
      object ComboBox1: TComboBox
        Left = 8
        Top = 26
        Width = 360
        Height = 21
        Style = csDropDownList
        DropDownCount = 16
        TabOrder = 0
        OnChange = ComboBox1Change
      end
      object Memo2: TMemo
        Left = 8
        Top = 56
        Width = 696
        Height = 76
        Anchors = [akLeft, akTop, akRight]
        ReadOnly = True
        ScrollBars = ssVertical
        TabOrder = 1
      end
      object PVUzurUvad: VUzurUvad
        Left = 8
        Top = 142
        Width = 696
        Height = 284
        Anchors = [akLeft, akTop, akRight, akBottom]
        Style = UVStyle1
        TabOrder = 2
      end
    end
  end
  object ButtonPanel: TPanel
    Left = 0
    Top = 460
    Width = 720
    Height = 41
    Align = alBottom
    BevelOuter = bvNone
    TabOrder = 1
    object OKBtn: TButton
      Left = 628
      Top = 8
      Width = 84
      Height = 25
      Anchors = [akTop, akRight]
      Cancel = True
      Caption = '&OK'
      ModalResult = 1
      TabOrder = 0
    end
  end
  object StatusBar1: TStatusBar
    Left = 0
    Top = 501
    Width = 720
    Height = 19
    SimplePanel = True
    SimpleText = 'Version approval ready'
  end
  object UVStyle1: TUVStyle
    TextStyles = <
      item
        StyleName = 'Normal text'
        FontName = 'Times New Roman'
        Size = 12
      end
      item
        StyleName = 'Added text'
        FontName = 'Times New Roman'
        Size = 12
        Style = [fsBold]
      end
      item
        StyleName = 'Removed text'
        FontName = 'Times New Roman'
        Size = 12
        Style = [fsStrikeOut]
      end>
  end
end
