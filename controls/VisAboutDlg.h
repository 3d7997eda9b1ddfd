// The dialog components' base and the about box.
//
// TVisBaseDialog holds what the set's dialog components share: the caption, an optional extra
// button, the placement (a relation rectangle and a position in it), the entrance effect and the
// caption and background decoration, and shows a prepared form modally with these applied.
// TVisAboutDlg is the about box: the shell's standard about box, or a form built at run time
// from the component's texts (program name, version, legal notice, description, mail and web
// addresses as links, and a few facts about the machine).
#pragma once

#include "classlib/Forms.h"
#include "classlib/Icons.h"
#include "classlib/StringLists.h"
#include "classlib/TypInfo.h"
#include "controls/VisComponent.h"
#include "controls/VisDialogPlace.h"

class TBevel;
class TButton;
class TControl;
class TImage;
class TVisBack;
class TVisFormStyler;
class TVisSimpleLabel;
class TVisWndProcComponent;

enum TVisDlgEffect { deNone, deExplode, deExplodeExt };
ENUM_NAMES(TVisDlgEffect, "deNone", "deExplode", "deExplodeExt");

enum TVisAboutIconStyle { isNone, isStandard, isExtended };
ENUM_NAMES(TVisAboutIconStyle, "isNone", "isStandard", "isExtended");

enum TVisAboutStyle { bsStandard, bsVis };
ENUM_NAMES(TVisAboutStyle, "bsStandard", "bsVis");

enum TVisAboutVersionStyle { vsProg, vsFileShort, vsFileFull, vsFileBuild };
ENUM_NAMES(TVisAboutVersionStyle, "vsProg", "vsFileShort", "vsFileFull", "vsFileBuild");

// The shell's about box (ShellAboutA by default); a test puts a recorder here.
using TVisShellAbout = int(WINAPI*)(HWND Wnd, LPCSTR App, LPCSTR OtherStuff, HICON Icon);
extern TVisShellAbout VisShellAbout;

class TVisBaseDialog : public TVisContainerComponent {
  CLASS_INFO(TVisBaseDialog, TVisContainerComponent)
public:
  explicit TVisBaseDialog(TComponent* AOwner);
  ~TVisBaseDialog() override;

  // Shows the dialog and returns its result; 0 here.
  virtual Integer Execute();

  const AnsiString& GetCaptionTitle() const { return FCaptionTitle; }
  // While a form is shown, retitles it at once.
  void SetCaptionTitle(const AnsiString& Value);
  TStrings* GetHints() const { return FHints; }
  void SetHints(TStrings* Value) { FHints->Assign(Value); }
  // The form being shown, or nil.
  TForm* GetForm() const { return FForm; }

  // The caption of an extra button; empty hides it.
  AnsiString CustomButton;
  TVisDlgEffect Effect = deNone;
  bool ShowHints = true;
  // A gradient caption of Colors colours through the form's styler.
  bool CaptionFill = false;
  Byte Colors = 32;
  TVisDlgPosition Position = bpCenter;
  TVisDlgPosRel RelatePos = brScreen;
  // Called with the prepared form before it is shown.
  TNotifyEvent OnCustomize;
  // The extra button's click.
  TNotifyEvent OnCustomClick;

protected:
  // Shows Form modally with the dialog's settings applied: its caption (CaptionTitle, else
  // DefaultCaption), the extra button, OnCustomize, the placement (relative to RelateControl
  // when given), the effect, the caption decoration of FormStyler and the background picture of
  // FormFill (either may be nil). Returns the form's modal result.
  Integer ShowDialog(TForm* Form, TControl* RelateControl, const AnsiString& DefaultCaption,
                     TVisWndProcComponent* FormFill, TVisWndProcComponent* FormStyler, TButton* ExtraButton);

private:
  AnsiString FCaptionTitle;
  TStrings* FHints;
  TForm* FForm = nullptr;
};

// The about box's form, built in code by TVisAboutDlg; its parts are named as its components.
class TVisAboutForm : public TForm {
  CLASS_INFO(TVisAboutForm, TForm)
public:
  using TForm::TForm;

  TImage* IconImage = nullptr;  // nil with IconStyle isNone
  TVisSimpleLabel* AppNameLabel = nullptr;
  TVisSimpleLabel* VersionLabel = nullptr;
  TVisSimpleLabel* CopyrightLabel = nullptr;
  TVisSimpleLabel* DescriptionLabel = nullptr;
  TVisSimpleLabel* EMailLabel = nullptr;
  TVisSimpleLabel* JumpLabel = nullptr;
  TBevel* Bevel1 = nullptr;
  TVisSimpleLabel* SystemNamesLabel = nullptr;
  TVisSimpleLabel* SystemValuesLabel = nullptr;
  TButton* OKButton = nullptr;
  TButton* CustomButton = nullptr;
  TVisFormStyler* FormStyler = nullptr;
  TVisBack* FormFill = nullptr;
};

class TVisAboutDlg : public TVisBaseDialog {
  CLASS_INFO(TVisAboutDlg, TVisBaseDialog)
public:
  explicit TVisAboutDlg(TComponent* AOwner);
  ~TVisAboutDlg() override;

  // Shows the about box; the built form's modal result (the shell's box gives 0).
  Integer Execute() override;

  // The program's name as the about box shows it: Appname, else the application's title (or
  // the product name of the executable's version resource with UseResInfo).
  AnsiString ApplicationText();
  // The legal notice: Copyright, else the version resource's (UseResInfo), else a default line
  // (UseDefault).
  AnsiString OtherText();
  // The version line: Version, else from the version resource (UseResInfo) or a default
  // (UseDefault); empty without any.
  AnsiString VersionText();

  // An icon shown in place of the application's when it holds an image.
  TIcon* GetIcon() const { return FIcon; }

  AnsiString Appname;
  Integer AppNameSize = 22;
  AnsiString Copyright;
  AnsiString Description;
  AnsiString EMail;
  AnsiString Jump;
  TVisAboutIconStyle IconStyle = isExtended;
  TVisAboutStyle Style = bsVis;
  bool UseDefault = false;
  bool UseResInfo = false;
  TVisAboutVersionStyle UseResVersionInfoStyle = vsProg;
  AnsiString Version;

private:
  TVisAboutForm* BuildForm();

  TIcon* FIcon;
};

namespace visaboutdlg_detail {
// Makes the about box known to the form reader.
bool RegisterClasses();
static const bool registered = RegisterClasses();
}  // namespace visaboutdlg_detail
