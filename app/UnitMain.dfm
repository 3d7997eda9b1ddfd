object MainScreen: TMainScreen
  Left = 0
  Top = 0
  Width = 648
  Height = 519
  Caption = 'Pelorin'
  HelpFile = 'pelorin.chm'
  Menu = MainMenu1
  Position = poScreenCenter
  ShowHint = True
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  object VisOneInstance1: TVisOneInstance
  end
  object VisAboutDlg1: TVisAboutDlg
    Appname = 'Pelorin'
    Description = 'Checks the books of a Bible translation for spelling and mechanical errors as they change'
    Version = 'Version 1.6'
  end
  object StatusBar1: TStatusBar
    Panels = <
      item
        Width = 100
      end
      item
        Width = 300
      end
      item
        Width = 100
      end>
  end
  object LeftPanel: TPanel
    Left = 0
    Top = 0
    Width = 129
    Height = 446
    Align = alLeft
    TabOrder = 0
    object BookLabel: TLabel
      Left = 8
      Top = 44
      Width = 57
      Height = 13
      Caption = 'Select &book'
      FocusControl = ComboBox1
    end
    object GotoCurrentButton: TButton
      Left = 8
      Top = 8
      Width = 113
      Height = 25
      TabOrder = 0
      Visible = False
      OnClick = GotoCurrentButtonClick
    end
    object ComboBox1: TComboBox
      Left = 8
      Top = 60
      Width = 113
      Height = 21
      DropDownCount = 20
      Style = csDropDownList
      TabOrder = 1
      OnSelect = ComboBox1Select
    end
    object SaveButton: TButton
      Left = 8
      Top = 92
      Width = 113
      Height = 25
      Caption = '&Save file'
      Enabled = False
      TabOrder = 2
      OnClick = SaveButtonClick
    end
    object TotalsBox: TGroupBox
      Left = 8
      Top = 128
      Width = 113
      Height = 129
      TabOrder = 3
      object SpellingLabel: TLabel
        Left = 8
        Top = 16
        Width = 75
        Height = 13
        Caption = 'Spelling errors:'
      end
      object SpellOTLabel: TLabel
        Left = 16
        Top = 34
        Width = 18
        Height = 13
        Caption = 'OT:'
      end
      object NSpellOTLabel: TLabel
        Left = 40
        Top = 34
        Width = 6
        Height = 13
        Caption = '0'
      end
      object SpellNTLabel: TLabel
        Left = 16
        Top = 50
        Width = 18
        Height = 13
        Caption = 'NT:'
      end
      object NSpellNTLabel: TLabel
        Left = 40
        Top = 50
        Width = 6
        Height = 13
        Caption = '0'
      end
      object MechanicalLabel: TLabel
        Left = 8
        Top = 74
        Width = 91
        Height = 13
        Caption = 'Mechanical errors:'
      end
      object MechOTLabel: TLabel
        Left = 16
        Top = 92
        Width = 18
        Height = 13
        Caption = 'OT:'
      end
      object NMechOTLabel: TLabel
        Left = 40
        Top = 92
        Width = 6
        Height = 13
        Caption = '0'
      end
      object MechNTLabel: TLabel
        Left = 16
        Top = 108
        Width = 18
        Height = 13
        Caption = 'NT:'
      end
      object NMechNTLabel: TLabel
        Left = 40
        Top = 108
        Width = 6
        Height = 13
        Caption = '0'
      end
    end
    object ResultsToParatextButton: TButton
      Left = 8
      Top = 413
      Width = 113
      Height = 25
      Anchors = [akLeft, akBottom]
      Caption = '&Results to Paratext'
      Enabled = False
      TabOrder = 4
      OnClick = ResultsToParatextButtonClick
    end
  end
  object RightPanel: TPanel
    Left = 129
    Top = 0
    Width = 511
    Height = 446
    Align = alClient
    BevelOuter = bvNone
    TabOrder = 1
    object ResultsBox: TListBox
      Left = 0
      Top = 361
      Width = 511
      Height = 85
      Hint = 'Right click any message to ignore it'
      Align = alBottom
      PopupMenu = PopupMenu1
      ScrollWidth = 1000
      TabOrder = 1
      OnContextPopup = ResultsBoxContextPopup
    end
    object UzurUvadEdit1: VUzurUvadEdit
      Left = 0
      Top = 0
      Width = 511
      Height = 361
      Align = alClient
      TabOrder = 0
      Style = UVStyle1
    end
  end
  object UVStyle1: TUVStyle
  end
  object CheckTimer: TTimer
    Interval = 100
    OnTimer = CheckTimerTimer
  end
  object MechanicalTimer: TTimer
    Enabled = False
    Interval = 100
    OnTimer = MechanicalTimerTimer
  end
  object ButtonTimer: TTimer
    OnTimer = ButtonTimerTimer
  end
  object DDETimer: TTimer
    OnTimer = DDETimerTimer
  end
  object RefTimer: TTimer
    Interval = 250
    OnTimer = RefTimerTimer
  end
  object SpellTimer: TTimer
    Enabled = False
    Interval = 10
    OnTimer = SpellTimerTimer
  end
  object SpellAllTimer: TTimer
    Enabled = False
    Interval = 100
    OnTimer = SpellAllTimerTimer
  end
  object IdleTimer: TTimer
    Enabled = False
    Interval = 10
    OnTimer = IdleTimerTimer
  end
  object DdeClientConv1: TDdeClientConv
    ConnectMode = ddeManual
  end
  object DdeClientConv2: TDdeClientConv
    ConnectMode = ddeManual
    OnClose = DdeClientConv2Close
    OnOpen = DdeClientConv2Open
  end
  object UVLexemeSpell31: TUVLexemeSpell3
    ConfigID = 'Paratext'
    ConfigFilename = '%AppDir%\Spell.cfg'
    ConfigRegistryKey = '\Software\Pelorin'
    SuggestionsLearning = True
    SuggestionsLearningDict = '%AppDir%\%UserName%_sp.lxl'
    QuoteChars = '>'
    PhoneticMaxDistance = 4
    PhoneticDivisor = 2
    PhoneticDepth = 2
    OnWordCheck = LexemeSpellWordCheck
    OnAddCustomIgnore = LexemeSpellAddCustomIgnore
  end
  object sycFolderMonitor1: TsycFolderMonitor
    NotifyFilters = [fmfFileNameChange, fmfDirNameChange]
    WatchSubTree = False
    OnChange = sycFolderMonitor1Change
  end
  object ActionList1: TActionList
    OnExecute = ActionList1Execute
    OnUpdate = ActionList1Update
    object EditCut1: TEditCut
      Category = 'Edit'
      Caption = 'Cu&t'
      Hint = 'Cut|Cuts the selection and puts it on the Clipboard'
      ShortCut = 16472
    end
    object EditCopy1: TEditCopy
      Category = 'Edit'
      Caption = '&Copy'
      Hint = 'Copy|Copies the selection and puts it on the Clipboard'
      ShortCut = 16451
    end
    object EditPaste1: TEditPaste
      Category = 'Edit'
      Caption = '&Paste'
      Hint = 'Paste|Inserts Clipboard contents'
      ShortCut = 16470
    end
  end
  object MainMenu1: TMainMenu
    object File1: TMenuItem
      Caption = '&File'
      object Exit1: TMenuItem
        Caption = 'E&xit'
        OnClick = Exit1Click
      end
    end
    object Edit1: TMenuItem
      Caption = '&Edit'
      object Cut1: TMenuItem
        Action = EditCut1
      end
      object Copy1: TMenuItem
        Action = EditCopy1
      end
      object Paste1: TMenuItem
        Action = EditPaste1
      end
    end
    object View1: TMenuItem
      Caption = 'V&iew'
      object Tasks1: TMenuItem
        Caption = '&Tasks'
        OnClick = Tasks1Click
      end
    end
    object Textentry1: TMenuItem
      Caption = '&Text entry'
      object Converttextdocument1: TMenuItem
        Caption = 'Convert &text document to Paratext format'
        OnClick = Converttextdocument1Click
      end
      object ConvertOnlineBible1: TMenuItem
        Caption = 'Convert books from &Online Bible to BibleWorks'
        OnClick = ConvertOnlineBible1Click
      end
      object ConvertParatextbooks1: TMenuItem
        Caption = 'Convert &Paratext books to BibleWorks'
        OnClick = ConvertParatextbooks1Click
      end
      object ConvertBibleWorksbooks1: TMenuItem
        Caption = 'Convert &BibleWorks books to Paratext'
        OnClick = ConvertBibleWorksbooks1Click
      end
      object Correctionofspellingerrors1: TMenuItem
        Caption = '&Correction of spelling errors'
        OnClick = Correctionofspellingerrors1Click
      end
      object ConvertToTNE1: TMenuItem
        Caption = 'Convert Paratext books to Translation &Notes Editor'
        OnClick = ConvertToTNE1Click
      end
    end
    object Textchecking1: TMenuItem
      Caption = 'Text &checking'
      object Nameslist1: TMenuItem
        Caption = '&Names list'
        OnClick = Nameslist1Click
      end
      object Comparenames1: TMenuItem
        Caption = 'C&ompare names'
        OnClick = Comparenames1Click
      end
      object Compareversions1: TMenuItem
        Caption = 'Compare &versions'
        OnClick = Compareversions1Click
      end
      object Advancedsearch1: TMenuItem
        Caption = '&Advanced search'
        OnClick = Advancedsearch1Click
      end
      object Spelling2: TMenuItem
        Caption = '&Spelling'
        object CheckThisbook1: TMenuItem
          Caption = 'Check &this book'
          OnClick = CheckThisbook1Click
        end
        object Allbooks1: TMenuItem
          Caption = 'Check &all books'
          OnClick = Allbooks1Click
        end
        object Listspellingerrors1: TMenuItem
          Caption = '&List spelling errors'
          OnClick = Listspellingerrors1Click
        end
      end
      object Unwantedwords1: TMenuItem
        Caption = '&Unwanted words'
        OnClick = Unwantedwords1Click
      end
      object Mechanicalproofreading2: TMenuItem
        Caption = '&Mechanical proofreading'
        object Allmessagestoeditor1: TMenuItem
          Caption = '&All messages to editor'
          OnClick = Allmessagestoeditor1Click
        end
      end
      object Approvebook1: TMenuItem
        Caption = '&Approve book'
        OnClick = Approvebook1Click
      end
      object Consistencychecks1: TMenuItem
        Caption = '&Consistency checks'
        object FloraandFauna1: TMenuItem
          Caption = '&Flora and Fauna'
          object FloraFaunaOT1: TMenuItem
            Caption = '&Old Testament'
            OnClick = FloraFaunaOT1Click
          end
          object FloraFaunaNT1: TMenuItem
            Caption = '&New Testament'
            OnClick = FloraFaunaNT1Click
          end
        end
        object Borrowedwords1: TMenuItem
          Caption = '&Borrowed words'
          object BorrowedWordsNT1: TMenuItem
            Caption = '&New Testament'
            OnClick = BorrowedWordsNT1Click
          end
        end
        object Keywords1: TMenuItem
          Caption = '&Keywords'
          object KeywordsOT1: TMenuItem
            Caption = '&Old Testament'
            OnClick = KeywordsOT1Click
          end
          object KeywordsNT1: TMenuItem
            Caption = '&New Testament'
            OnClick = KeywordsNT1Click
          end
        end
        object Names1: TMenuItem
          Caption = '&Names'
          object NamesOT1: TMenuItem
            Caption = '&Old Testament'
            OnClick = NamesOT1Click
          end
          object NamesNT1: TMenuItem
            Caption = '&New Testament'
            OnClick = NamesNT1Click
          end
        end
      end
    end
    object Printing1: TMenuItem
      Caption = '&Printing'
      object Printversions1: TMenuItem
        Caption = '&Print versions'
        OnClick = Printversions1Click
      end
      object PrintBible1: TMenuItem
        Caption = 'Print &Bible'
        OnClick = PrintBible1Click
      end
    end
    object Settings1: TMenuItem
      Caption = '&Settings'
      OnClick = Settings1Click
      object Scriptures1: TMenuItem
        Caption = '&Scriptures'
        OnClick = Scriptures1Click
      end
      object Paratext1: TMenuItem
        Caption = '&Paratext'
        OnClick = Paratext1Click
      end
      object PrintingSettings1: TMenuItem
        Caption = 'P&rinting'
        OnClick = PrintingSettings1Click
      end
      object Program1: TMenuItem
        Caption = 'Pr&ogram'
        OnClick = Program1Click
      end
      object Conversion1: TMenuItem
        Caption = '&Conversion'
        OnClick = Conversion1Click
      end
      object Spelling1: TMenuItem
        Caption = 'S&pelling'
        OnClick = Spelling1Click
      end
      object BibleWorks1: TMenuItem
        Caption = '&BibleWorks'
        OnClick = BibleWorks1Click
      end
      object Fonts1: TMenuItem
        Caption = '&Fonts'
        OnClick = Fonts1Click
      end
      object Mechanicalproofreading1: TMenuItem
        Caption = '&Mechanical proofreading'
        OnClick = Mechanicalproofreading1Click
      end
      object Expandedmode1: TMenuItem
        Caption = '&Expanded mode'
        OnClick = Expandedmode1Click
      end
    end
    object Help1: TMenuItem
      Caption = '&Help'
      object Help2: TMenuItem
        Caption = '&Help'
        OnClick = Help2Click
      end
      object About1: TMenuItem
        Caption = '&About'
        OnClick = About1Click
      end
    end
  end
  object PopupMenu1: TPopupMenu
    object Alwaysignore1: TMenuItem
      Caption = '&Ignore the selected message'
      OnClick = Alwaysignore1Click
    end
    object Editlistofignoredmessages1: TMenuItem
      Caption = '&Edit list of ignored messages'
      OnClick = Editlistofignoredmessages1Click
    end
  end
end
