object NamesListDlg: TNamesListDlg
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Names list'
  ClientHeight = 462
  ClientWidth = 587
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object NewGroupBox: TGroupBox
    Left = 8
    Top = 8
    Width = 185
    Height = 395
    Caption = 'New names'
    TabOrder = 0
    object ListBoxNew: TListBox
      Left = 8
      Top = 18
      Width = 169
      Height = 244
      MultiSelect = True
      Sorted = True
      TabOrder = 0
    end
    object ProduceListBtn: TButton
      Left = 8
      Top = 270
      Width = 169
      Height = 25
      Caption = '&New names'
      TabOrder = 1
      OnClick = ProduceListBtnClick
    end
    object ApproveBtn: TButton
      Left = 8
      Top = 300
      Width = 169
      Height = 25
      Caption = '&Approve'
      TabOrder = 2
      OnClick = ApproveBtnClick
    end
    object DisapproveBtn: TButton
      Left = 8
      Top = 330
      Width = 169
      Height = 25
      Caption = '&Disapprove'
      TabOrder = 3
      OnClick = DisapproveBtnClick
    end
    object SelectButton: TButton
      Left = 8
      Top = 360
      Width = 169
      Height = 25
      Caption = '&Select books'
      TabOrder = 4
      OnClick = SelectButtonClick
    end
  end
  object ApprovedGroupBox: TGroupBox
    Left = 201
    Top = 8
    Width = 185
    Height = 395
    Caption = 'Approved names'
    TabOrder = 1
    object ListBoxApproved: TListBox
      Left = 8
      Top = 18
      Width = 169
      Height = 244
      MultiSelect = True
      TabOrder = 0
    end
    object RejectBtn: TButton
      Left = 8
      Top = 270
      Width = 169
      Height = 25
      Caption = '&Reject'
      TabOrder = 1
      OnClick = RejectBtnClick
    end
    object Edit1: TEdit
      Left = 8
      Top = 302
      Width = 169
      Height = 21
      TabOrder = 2
    end
    object ManualBtn: TButton
      Left = 8
      Top = 330
      Width = 169
      Height = 25
      Caption = '&Manually add'
      TabOrder = 3
      OnClick = ManualBtnClick
    end
    object ClipboardBtn: TButton
      Left = 8
      Top = 360
      Width = 169
      Height = 25
      Caption = '&To editor'
      TabOrder = 4
      OnClick = ClipboardBtnClick
    end
  end
  object DisapprovedGroupBox: TGroupBox
    Left = 394
    Top = 8
    Width = 185
    Height = 395
    Caption = 'Disapproved names'
    TabOrder = 2
    object DisapprovedListBox: TListBox
      Left = 8
      Top = 18
      Width = 169
      Height = 244
      MultiSelect = True
      Sorted = True
      TabOrder = 0
    end
    object NoDisapproveBtn: TButton
      Left = 8
      Top = 270
      Width = 169
      Height = 25
      Caption = '&Delete'
      TabOrder = 1
      OnClick = NoDisapproveBtnClick
    end
  end
  object OKBtn: TButton
    Left = 423
    Top = 411
    Width = 75
    Height = 25
    Caption = '&OK'
    Default = True
    ModalResult = 1
    TabOrder = 3
    OnClick = OKBtnClick
  end
  object CancelBtn: TButton
    Left = 504
    Top = 411
    Width = 75
    Height = 25
    Cancel = True
    Caption = '&Cancel'
    ModalResult = 2
    TabOrder = 4
    OnClick = CancelBtnClick
  end
  object StatusBar1: TStatusBar
    SimplePanel = True
  end
end
