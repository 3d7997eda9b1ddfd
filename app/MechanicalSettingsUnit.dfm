object MechanicalSettingsDialog: TMechanicalSettingsDialog
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Mechanical proofreading'
  ClientHeight = 201
  ClientWidth = 345
  Position = poOwnerFormCenter
  OnCreate = FormCreate
  object ChecksBox: TGroupBox
    Left = 8
    Top = 8
    Width = 329
    Height = 89
    TabOrder = 0
    object WhiteSpaceCheckBox: TCheckBox
      Left = 12
      Top = 16
      Width = 305
      Height = 17
      Caption = 'Automatically check &white space'
      TabOrder = 0
      OnClick = WhiteSpaceCheckBoxClick
    end
    object USFMCheckBox: TCheckBox
      Left = 12
      Top = 40
      Width = 305
      Height = 17
      Caption = 'Automatically check &USFMs'
      TabOrder = 1
      OnClick = USFMCheckBoxClick
    end
    object StructureCheckBox: TCheckBox
      Left = 12
      Top = 64
      Width = 305
      Height = 17
      Caption = 'Automatically check &structure'
      TabOrder = 2
      OnClick = StructureCheckBoxClick
    end
  end
  object SpeedLabel: TLabel
    Left = 8
    Top = 108
    Width = 329
    Height = 13
    Alignment = taCenter
    AutoSize = False
    Caption = '<- Slower - speed of mechanical proofreading - Faster ->'
    FocusControl = SpeedTrackBar
  end
  object SpeedTrackBar: TTrackBar
    Left = 8
    Top = 124
    Width = 329
    Height = 33
    Max = 6
    PageSize = 1
    Position = 3
    TabOrder = 1
  end
  object OKButton: TButton
    Left = 181
    Top = 168
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 2
    OnClick = OKButtonClick
  end
  object CancelButton: TButton
    Left = 262
    Top = 168
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 3
  end
end
