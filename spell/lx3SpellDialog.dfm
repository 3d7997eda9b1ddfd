object SpellDialog: TSpellDialog
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'Spelling'
  ClientHeight = 202
  ClientWidth = 434
  Position = poDesigned
  OnActivate = FormActivate
  OnCloseQuery = FormCloseQuery
  OnDeactivate = FormDeactivate
  object NotFoundText: TLabel
    Left = 8
    Top = 8
    Width = 250
    Height = 13
    AutoSize = False
    Caption = 'Not Found:'
  end
  object NotFoundEdit: TEdit
    Left = 8
    Top = 24
    Width = 250
    Height = 21
    ReadOnly = True
    TabStop = False
    TabOrder = 0
    OnDblClick = NotFoundEditDblClick
  end
  object ReplaceWithText: TLabel
    Left = 8
    Top = 52
    Width = 250
    Height = 13
    AutoSize = False
    Caption = '&Replace With:'
    FocusControl = ReplaceWithEdit
  end
  object ReplaceWithEdit: TEdit
    Left = 8
    Top = 68
    Width = 250
    Height = 21
    TabOrder = 1
    OnChange = ReplaceWithEditChange
  end
  object SuggestionsText: TLabel
    Left = 8
    Top = 96
    Width = 250
    Height = 13
    AutoSize = False
    Caption = '&Suggestions:'
    FocusControl = SuggestionsListbox
  end
  object SuggestionsListbox: TListBox
    Left = 8
    Top = 112
    Width = 250
    Height = 82
    TabOrder = 2
    OnClick = SuggestionsListboxClick
    OnDblClick = SuggestionsListboxDblClick
  end
  object IgnoreButton: TButton
    Left = 268
    Top = 24
    Width = 78
    Height = 23
    Caption = 'I&gnore'
    TabOrder = 3
    OnClick = IgnoreButtonClick
  end
  object IgnoreAllButton: TButton
    Left = 350
    Top = 24
    Width = 78
    Height = 23
    Caption = '&Ignore All'
    TabOrder = 4
    OnClick = IgnoreAllButtonClick
  end
  object ChangeButton: TButton
    Left = 268
    Top = 53
    Width = 78
    Height = 23
    Caption = 'C&hange'
    Default = True
    TabOrder = 5
    OnClick = ChangeButtonClick
  end
  object ChangeAllButton: TButton
    Left = 350
    Top = 53
    Width = 78
    Height = 23
    Caption = '&Change All'
    TabOrder = 6
    OnClick = ChangeAllButtonClick
  end
  object AddButton: TButton
    Left = 268
    Top = 82
    Width = 78
    Height = 23
    Caption = '&Add'
    TabOrder = 7
    OnClick = AddButtonClick
  end
  object AutoCorrectButton: TButton
    Left = 350
    Top = 82
    Width = 78
    Height = 23
    Caption = 'Au&to-Correct'
    TabOrder = 8
    OnClick = AutoCorrectButtonClick
  end
  object OptionsButton: TButton
    Left = 268
    Top = 142
    Width = 78
    Height = 23
    Caption = '&Options...'
    TabOrder = 9
    OnClick = OptionsButtonClick
  end
  object HelpButton: TButton
    Left = 350
    Top = 142
    Width = 78
    Height = 23
    Caption = '&Help'
    TabOrder = 10
    OnClick = HelpButtonClick
  end
  object UndoButton: TButton
    Left = 268
    Top = 171
    Width = 78
    Height = 23
    Caption = '&Undo'
    TabOrder = 11
    OnClick = UndoButtonClick
  end
  object CancelButton: TButton
    Left = 350
    Top = 171
    Width = 78
    Height = 23
    Cancel = True
    Caption = 'Cancel'
    TabOrder = 12
    OnClick = CancelButtonClick
  end
  object DialogControl: TConfigurationDialogCtrl
    OnConfigurationAvailable = DialogControlConfigurationAvailable
    OnPromptWord = DialogControlPromptWord
  end
end
