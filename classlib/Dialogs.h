// The standard dialogs: the system's open, save, font, colour, print and find dialogs as
// components, and the message and input dialogs.
//
// Every modal dialog of this unit first asks the dialog responder (SetDialogResponder), which
// tests install to answer dialogs without a person; the program never installs one, and then
// the real dialog is shown.
#pragma once

#include "classlib/Components.h"
#include "classlib/Controls.h"
#include "classlib/Graphics.h"
#include "classlib/StringLists.h"
#include "classlib/WinApi.h"

// ---------------------------------------------------------------------------------------------
// Common dialogs

// A dialog of the system shown modally by Execute.
class TCommonDialog : public TComponent {
  CLASS_INFO(TCommonDialog, TComponent)
public:
  explicit TCommonDialog(TComponent* AOwner) : TComponent(AOwner) {}
  // Shows the dialog over the program's active window and waits for the user; true when the
  // user confirmed. The dialog's properties hold the choice afterwards.
  virtual bool Execute() = 0;
  // The dialog's window while it is shown; null otherwise.
  HWND GetHandle() const { return FHandle; }

protected:
  // The window that owns the dialog: the active window of this thread, if any.
  static HWND OwnerWindow();
  // Asks the responder, if one is installed; true with Answer set when it answered.
  bool Responded(bool& Answer);

private:
  friend struct DialogHooks;
  HWND FHandle = nullptr;
};

enum TOpenOption {
  ofReadOnly,
  ofOverwritePrompt,
  ofHideReadOnly,
  ofNoChangeDir,
  ofNoValidate,
  ofAllowMultiSelect,
  ofExtensionDifferent,
  ofPathMustExist,
  ofFileMustExist,
  ofCreatePrompt,
  ofShareAware,
  ofNoReadOnlyReturn,
  ofNoTestFileCreate,
  ofNoNetworkButton,
  ofNoLongNames,
  ofOldStyleDialog,
  ofNoDereferenceLinks,
  ofEnableIncludeNotify,
  ofEnableSizing
};
using TOpenOptions = TSet<TOpenOption>;

// The system's file-open dialog.
//
// Filter holds pairs of a description and a pattern, all separated by "|" ("Text (*.txt)|
// *.txt|All files|*.*"); FilterIndex is 1-based. DefaultExt is the extension added to a name
// typed without one; a leading "*." or "." is ignored. After Execute, FileName is the chosen
// file (the first of several) and Files holds every chosen file with its full path.
class TOpenDialog : public TCommonDialog {
  CLASS_INFO(TOpenDialog, TCommonDialog)
public:
  explicit TOpenDialog(TComponent* AOwner);
  ~TOpenDialog() override;
  bool Execute() override;

  TStrings* GetFiles() const { return FFiles; }

  AnsiString DefaultExt;
  AnsiString FileName;
  AnsiString Filter;
  Integer FilterIndex = 1;
  AnsiString InitialDir;
  AnsiString Title;
  TOpenOptions Options{ofHideReadOnly, ofEnableSizing};

protected:
  // The system's dialog function for this kind of dialog.
  virtual BOOL RunDialog(OPENFILENAMEA* Ofn);

private:
  TStringList* FFiles;
};

// The system's file-save dialog. ofOverwritePrompt makes it ask before an existing file is
// chosen.
class TSaveDialog : public TOpenDialog {
  CLASS_INFO(TSaveDialog, TOpenDialog)
public:
  explicit TSaveDialog(TComponent* AOwner) : TOpenDialog(AOwner) {}

protected:
  BOOL RunDialog(OPENFILENAMEA* Ofn) override;
};

enum TFontDialogOption {
  fdAnsiOnly,
  fdTrueTypeOnly,
  fdEffects,
  fdFixedPitchOnly,
  fdForceFontExist,
  fdNoFaceSel,
  fdNoOEMFonts,
  fdNoSimulations,
  fdNoSizeSel,
  fdNoStyleSel,
  fdNoVectorFonts,
  fdLimitSize,
  fdScalableOnly
};
using TFontDialogOptions = TSet<TFontDialogOption>;

// The system's font dialog. It opens with Font and, when confirmed, puts the chosen face,
// size, style, character set and (with fdEffects) colour into Font.
class TFontDialog : public TCommonDialog {
  CLASS_INFO(TFontDialog, TCommonDialog)
public:
  explicit TFontDialog(TComponent* AOwner);
  ~TFontDialog() override;
  bool Execute() override;

  TFont* GetFont() const { return FFont; }
  void SetFont(TFont* Value) { FFont->Assign(Value); }

  TFontDialogOptions Options{fdEffects};
  // Limits of the size with fdLimitSize; 0 means none.
  Integer MinFontSize = 0;
  Integer MaxFontSize = 0;

private:
  TFont* FFont;
};

enum TColorDialogOption { cdFullOpen, cdPreventFullOpen, cdSolidColor, cdAnyColor };
using TColorDialogOptions = TSet<TColorDialogOption>;

// The system's colour dialog. CustomColors holds the sixteen custom colours as lines
// "ColorA=BBGGRR" to "ColorP=BBGGRR" (the colour value in six hexadecimal digits); missing
// ones are white.
class TColorDialog : public TCommonDialog {
  CLASS_INFO(TColorDialog, TCommonDialog)
public:
  explicit TColorDialog(TComponent* AOwner);
  ~TColorDialog() override;
  bool Execute() override;

  TStrings* GetCustomColors() const { return FCustomColors; }

  TColor Color = clBlack;
  TColorDialogOptions Options;

private:
  TStringList* FCustomColors;
};

enum TPrintRange { prAllPages, prSelection, prPageNums };
enum TPrintDialogOption { poPrintToFile, poPageNums, poSelection, poWarning, poDisablePrintToFile };
using TPrintDialogOptions = TSet<TPrintDialogOption>;

// The system's print dialog. It shows the printer of the program (Printer()) and, when
// confirmed, makes the chosen printer, copies and orientation the printer's.
class TPrintDialog : public TCommonDialog {
  CLASS_INFO(TPrintDialog, TCommonDialog)
public:
  explicit TPrintDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
  bool Execute() override;

  bool Collate = false;
  Integer Copies = 0;
  Integer FromPage = 0;
  Integer ToPage = 0;
  Integer MinPage = 0;
  Integer MaxPage = 0;
  TPrintDialogOptions Options;
  TPrintRange PrintRange = prAllPages;
  bool PrintToFile = false;
};

// The system's printer set-up dialog for the printer of the program.
class TPrinterSetupDialog : public TCommonDialog {
  CLASS_INFO(TPrinterSetupDialog, TCommonDialog)
public:
  explicit TPrinterSetupDialog(TComponent* AOwner) : TCommonDialog(AOwner) {}
  bool Execute() override;
};

enum TFindOption {
  frDown,
  frFindNext,
  frHideMatchCase,
  frHideWholeWord,
  frHideUpDown,
  frMatchCase,
  frDisableMatchCase,
  frDisableUpDown,
  frDisableWholeWord,
  frReplace,
  frReplaceAll,
  frWholeWord
};
using TFindOptions = TSet<TFindOption>;

// The system's find dialog. It is not modal: Execute shows it and returns at once; each press
// of "Find Next" sets FindText and Options (frFindNext among them) and calls OnFind. The
// program's message loop must let the dialog have its keys (TApplication does).
class TFindDialog : public TCommonDialog {
  CLASS_INFO(TFindDialog, TCommonDialog)
public:
  explicit TFindDialog(TComponent* AOwner);
  ~TFindDialog() override;
  // Shows the dialog (or brings it to the front); true when it is shown.
  bool Execute() override;
  // Closes the dialog.
  void CloseDialog();

  AnsiString FindText;
  TFindOptions Options{frDown};
  TNotifyEvent OnFind;
  TNotifyEvent OnClose;

private:
  friend struct FindDialogWindow;
  void Notified(const FINDREPLACEA& Data);
  struct State;
  State* FState;
};

// ---------------------------------------------------------------------------------------------
// Message and input dialogs

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

inline constexpr TMsgDlgButtons mbYesNoCancel{mbYes, mbNo, mbCancel};
inline constexpr TMsgDlgButtons mbYesAllNoAllCancel{mbYes, mbYesToAll, mbNo, mbNoToAll, mbCancel};
inline constexpr TMsgDlgButtons mbOKCancel{mbOK, mbCancel};
inline constexpr TMsgDlgButtons mbAbortRetryIgnore{mbAbort, mbRetry, mbIgnore};

// Shows Msg with the icon of DlgType, captioned "Warning", "Error", "Information",
// "Confirmation" or (mtCustom) the program's name, with the buttons in the order of
// TMsgDlgBtn, and returns the modal result of the button pressed. OK, else Yes, else Retry,
// else the first button is the default button; Escape and closing the window answer Cancel,
// else No, else OK. The help button shows the help topic HelpCtx.
Integer MessageDlg(const AnsiString& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, Integer HelpCtx);
// Shows Msg with an OK button, captioned with the program's name.
void ShowMessage(const AnsiString& Msg);
// Asks for a line of text: a dialog captioned ACaption with the label APrompt, an edit that
// starts with Value, OK and Cancel. True (and Value changed) when the user confirmed.
bool InputQuery(const AnsiString& ACaption, const AnsiString& APrompt, AnsiString& Value);
// Like InputQuery; returns the text entered, or ADefault when the user cancelled.
AnsiString InputBox(const AnsiString& ACaption, const AnsiString& APrompt, const AnsiString& ADefault);

// ---------------------------------------------------------------------------------------------
// Answering dialogs without a person

// Stands for the person in front of the screen: while one is installed, every modal dialog of
// this unit (and SelectDirectory) asks it instead of showing a window. Tests install one; the
// defaults answer as if the user had cancelled.
class TDialogResponder {
public:
  virtual ~TDialogResponder() = default;
  // A common dialog is to be shown with its properties as they are. Set the choice in the
  // dialog (FileName and Files, Font, Color, Copies, ...) and return true for OK. A file
  // dialog whose Files the responder leaves empty gets FileName as its one file.
  virtual bool Execute(TCommonDialog* Dialog);
  // A message dialog: return the modal result of the button pressed.
  virtual Integer Message(const AnsiString& Caption, const AnsiString& Msg, TMsgDlgType DlgType,
                          TMsgDlgButtons Buttons);
  // An input dialog: return true, with Value changed as typed, for OK.
  virtual bool Input(const AnsiString& Caption, const AnsiString& Prompt, AnsiString& Value);
  // A folder browser: return true, with Directory set, for OK.
  virtual bool SelectDirectory(const AnsiString& Caption, const AnsiString& Root, AnsiString& Directory);
};

// Installs the responder (nullptr removes it) and returns the one installed before.
TDialogResponder* SetDialogResponder(TDialogResponder* Responder);
TDialogResponder* GetDialogResponder();
