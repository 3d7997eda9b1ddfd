// The about box: built from the texts the program sets, shown modally where the dialog is
// placed, and closed with its OK button; the shell's about box; and the dialog base's handing of
// its settings to a form's caption styler and background fill.
#include <functional>
#include <regex>
#include <string>
#include <vector>

#include "classlib/ExtCtrls.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "classlib/Timers.h"
#include "controls/VisAboutDlg.h"
#include "controls/VisFormFill.h"
#include "controls/VisFormStyler.h"
#include "controls/VisLabel.h"
#include "controls/VisObject.h"
#include "controls/VisWndProc.h"
#include "controls/tests/support/ControlForms.h"
#include "controls/viscont.h"

using namespace control_forms;

namespace {

// A dialog that shows a plain form with a styler and a fill through the base's ShowDialog.
class TTestDialog : public TVisBaseDialog {
  CLASS_INFO(TTestDialog, TVisBaseDialog)
public:
  explicit TTestDialog(TComponent* AOwner) : TVisBaseDialog(AOwner) {}
  Integer Execute() override {
    TForm form(Application);
    form.SetBounds(0, 0, 200, 120);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    styler = new TVisFormStyler(&form);
    fill = new TVisBack(&form);
    styler->SetOptions({fsAdjustRect});
    styler->SetEnabled(false);
    fill->SetEnabled(false);
    const Integer result = ShowDialog(&form, nullptr, "Plain", fill, styler, button);
    extraVisible = button->GetVisible();
    extraCaption = button->GetCaption();
    stylerEnabled = styler->GetEnabled();
    fillEnabled = fill->GetEnabled();
    stylerColors = styler->GetColors();
    stylerOptions = styler->GetOptions();
    fillList = fill->GetImageList();
    fillIndexes = {fill->GetListIndex(), fill->GetImageIndex()};
    return result;
  }
  TVisFormStyler* styler = nullptr;
  TVisBack* fill = nullptr;
  bool extraVisible = false, stylerEnabled = false, fillEnabled = false;
  AnsiString extraCaption;
  Byte stylerColors = 0;
  TVisFormStyleOptions stylerOptions;
  TVisCustomImageList* fillList = nullptr;
  TPoint fillIndexes;
};

// Records the shell's about box.
struct ShellAboutRecorder {
  ShellAboutRecorder() {
    current = this;
    VisShellAbout = &Record;
  }
  ~ShellAboutRecorder() {
    VisShellAbout = &::ShellAboutA;
    current = nullptr;
  }
  static int WINAPI Record(HWND, LPCSTR App, LPCSTR Other, HICON Icon) {
    current->app = App;
    current->other = Other;
    current->icon = Icon;
    ++current->calls;
    return TRUE;
  }
  static inline ShellAboutRecorder* current = nullptr;
  std::string app, other;
  HICON icon = nullptr;
  int calls = 0;
};

// Records what the about box's links open.
struct ShellOpenRecorder {
  ShellOpenRecorder() {
    current = this;
    VisShellExecute = &Record;
  }
  ~ShellOpenRecorder() {
    VisShellExecute = &::ShellExecuteA;
    current = nullptr;
  }
  static HINSTANCE WINAPI Record(HWND, LPCSTR, LPCSTR File, LPCSTR, LPCSTR, INT) {
    current->opened.push_back(File);
    return reinterpret_cast<HINSTANCE>(42);
  }
  static inline ShellOpenRecorder* current = nullptr;
  std::vector<std::string> opened;
};

// Runs the dialog's Execute; Act runs once the dialog's form is shown (from a timer of its modal
// loop) and closes it. A box still open after ten seconds is closed with mrAbort.
Integer RunShown(TVisBaseDialog& Dialog, const std::function<void(TForm*)>& Act) {
  TForm* form = nullptr;
  const TNotifyEvent customize = Dialog.OnCustomize;
  Dialog.OnCustomize = TNotifyEvent::FromFunction([&](TObject* Sender) {
    form = static_cast<TForm*>(Sender);
    if (customize) customize(Sender);
  });
  TTimer timer(nullptr);
  timer.SetInterval(20);
  const DWORD start = ::GetTickCount();
  bool acted = false;
  timer.OnTimer = TNotifyEvent::FromFunction([&](TObject*) {
    if (!form) return;
    if (!acted && form->HandleAllocated() && ::IsWindowVisible(form->GetHandle()) && form->GetActive()) {
      acted = true;
      Act(form);
    } else if (::GetTickCount() - start > 60000) {
      form->SetModalResult(mrAbort);
    }
  });
  const Integer result = Dialog.Execute();
  Dialog.OnCustomize = customize;
  return result;
}

// RunShown for the about box, whose Act sees the box's parts.
Integer RunShown(TVisAboutDlg& About, const std::function<void(TVisAboutForm*)>& Act) {
  return RunShown(static_cast<TVisBaseDialog&>(About), [&](TForm* form) {
    auto* box = dynamic_cast<TVisAboutForm*>(form);
    ASSERT_TRUE(box);
    Act(box);
  });
}

// The about box as the program's main window sets it up.
void SetUpLikeTheProgram(TVisAboutDlg& About) {
  About.Appname = "Pelorin";
  About.AppNameSize = 16;
  About.SetCaptionTitle("About Pelorin");
  About.Version = "Version 1.6";
  About.Description = "Spelling and mechanical checks, conversions and printing for Bible translators.";
  About.EMail = "pelorin@example.org";
  About.Jump = "www.example.org/pelorin";
  About.IconStyle = isStandard;
  About.RelatePos = brMainForm;
}

class AboutDlgTest : public ::testing::Test {};

TEST_F(AboutDlgTest, ShowsTheProgramsTextsAndClosesWithOK) {
  TVisAboutDlg about(nullptr);
  SetUpLikeTheProgram(about);
  std::vector<std::string> shownTexts;
  const Integer result = RunShown(about, [&](TVisAboutForm* form) {
    testing_support::SaveScreenshot(form->GetHandle(), "about-pelorin");
    EXPECT_EQ(form->GetCaption(), "About Pelorin");
    EXPECT_EQ(form->GetBorderStyle(), bsDialog);
    // The fixed places: the icon, the program's name and the line.
    EXPECT_EQ(form->IconImage->GetBoundsRect(), Rect(15, 7, 47, 39));
    auto* name = form->AppNameLabel;
    EXPECT_EQ(name->GetLeft(), 93);
    EXPECT_EQ(name->GetTop(), 18);
    EXPECT_EQ(name->GetCaption(), "Pelorin");
    EXPECT_EQ(name->GetFont()->GetSize(), 16);
    EXPECT_TRUE(name->GetFont()->GetStyle().Contains(fsBold));
    EXPECT_EQ(name->GetFont3D()->GetStyle(), tdRaised);
    EXPECT_EQ(form->Bevel1->GetBoundsRect(), Rect(96, 181, 96 + 153, 184));
    // The texts, stacked below the name; the empty legal notice is left out.
    auto* version = form->VersionLabel;
    auto* notice = form->CopyrightLabel;
    auto* description = form->DescriptionLabel;
    auto* mail = form->EMailLabel;
    auto* web = form->JumpLabel;
    EXPECT_EQ(version->GetCaption(), "Version 1.6");
    EXPECT_FALSE(notice->GetVisible());
    EXPECT_GT(version->GetTop(), name->GetTop() + name->GetHeight());
    EXPECT_EQ(description->GetTop() - (version->GetTop() + version->GetHeight()),
              version->GetTop() - (name->GetTop() + name->GetHeight()));
    EXPECT_LT(mail->GetTop(), web->GetTop());
    // Long texts wrap within the form.
    EXPECT_LE(description->GetLeft() + description->GetWidth(), form->GetClientWidth());
    EXPECT_LT(web->GetTop() + web->GetHeight(), 181);
    // The addresses are links in blue, drawn whole.
    for (TVisSimpleLabel* link : {mail, web}) {
      const TRect blue = pixels::BoundsOf(*CaptureClient(link), clBlue);
      TBitmap measure;
      measure.GetCanvas()->SetFont(link->GetFont());
      EXPECT_GE(blue.Right, measure.GetCanvas()->TextWidth(link->GetCaption())) << link->GetName();
      EXPECT_EQ(link->GetJumpMode(), jmInternet);
      EXPECT_EQ(link->GetFont()->GetColor(), clBlue);
      EXPECT_TRUE(link->GetFont()->GetStyle().Contains(fsUnderline));
    }
    // Facts about the machine, side by side.
    auto* names = form->SystemNamesLabel;
    auto* values = form->SystemValuesLabel;
    EXPECT_EQ(names->GetCaption(), "Available Memory:\rPlatform, CPU:");
    EXPECT_TRUE(std::regex_match(std::string(values->GetCaption()), std::regex("[0-9]+ KB\r[0-9]+x .+ or compatible")))
        << values->GetCaption();
    EXPECT_EQ(values->GetTop(), names->GetTop());
    EXPECT_GE(values->GetLeft(), names->GetLeft() + names->GetWidth());
    EXPECT_LE(values->GetLeft() + values->GetWidth(), form->GetClientWidth());
    EXPECT_GT(names->GetTop(), 184);
    // OK is the default button and has the focus; the extra button is hidden.
    auto* ok = form->OKButton;
    EXPECT_TRUE(ok->GetDefault());
    EXPECT_TRUE(ok->Focused());
    EXPECT_EQ(ok->GetTabOrder(), 0);
    EXPECT_FALSE(form->CustomButton->GetVisible());
    EXPECT_EQ(form->GetClientHeight(), ok->GetTop() + ok->GetHeight() + 12);
    for (Integer i = 0; i < form->GetControlCount(); ++i)
      if (auto* label = dynamic_cast<TVisSimpleLabel*>(form->GetControls(i)); label && label->GetVisible())
        shownTexts.push_back(label->GetCaption());
    PressKey(VK_RETURN);
  });
  EXPECT_EQ(result, 1);
  EXPECT_EQ(shownTexts.size(), 7u);
}

TEST_F(AboutDlgTest, TheLinksOpenTheMailAndWebAddresses) {
  ShellOpenRecorder shell;
  TVisAboutDlg about(nullptr);
  SetUpLikeTheProgram(about);
  const Integer result = RunShown(about, [&](TVisAboutForm* form) {
    for (TVisSimpleLabel* link : {form->EMailLabel, form->JumpLabel}) ClickAt(link, 3, 3);
    PressKey(VK_ESCAPE);
  });
  EXPECT_EQ(result, 1) << "Esc closes the box as OK does";
  EXPECT_EQ(shell.opened, (std::vector<std::string>{"mailto:pelorin@example.org", "www.example.org/pelorin"}));
}

TEST_F(AboutDlgTest, EmptyTextsAreLeftOutAndTheRestMovesUp) {
  TVisAboutDlg about(nullptr);
  about.Appname = "Pelorin";
  about.Copyright = "Free for Bible translation projects";
  about.IconStyle = isNone;
  RunShown(about, [&](TVisAboutForm* form) {
    testing_support::SaveScreenshot(form->GetHandle(), "about-few-texts");
    EXPECT_FALSE(form->FindComponent("IconImage"));
    auto* name = form->AppNameLabel;
    auto* notice = form->CopyrightLabel;
    EXPECT_FALSE(form->VersionLabel->GetVisible());
    EXPECT_TRUE(notice->GetVisible());
    EXPECT_EQ(notice->GetTop(), name->GetTop() + name->GetHeight() + 4);
    for (TVisSimpleLabel* hidden : {form->DescriptionLabel, form->EMailLabel, form->JumpLabel})
      EXPECT_FALSE(hidden->GetVisible()) << hidden->GetName();
    // Without a caption title the caption names the application.
    EXPECT_EQ(form->GetCaption(), "Info " + Application->GetTitle() + "...");
    form->OKButton->Click();
  });
}

TEST_F(AboutDlgTest, TheAboutBoxCarriesAFormStylerAndAPictureFill) {
  TVisAboutDlg about(nullptr);
  SetUpLikeTheProgram(about);
  TVisBitmapList list(nullptr);
  list.StorageMode = 0;
  static_cast<TVisBitmapListItem*>(list.Add())->SetBitmap(pixels::Bitmap24(8, 8, clTeal).get());
  about.CaptionFill = true;
  about.Colors = 16;
  about.SetImageList(&list);
  RunShown(about, [](TVisAboutForm* form) {
    auto* styler = form->FormStyler;
    EXPECT_TRUE(styler->GetEnabled());
    EXPECT_EQ(styler->GetColors(), 16);
    EXPECT_TRUE(styler->GetOptions().Contains(fsUseFormCaption));
    EXPECT_EQ(form->GetCaption(), "About Pelorin");
    auto* fill = form->FormFill;
    EXPECT_TRUE(fill->GetHooked());
    EXPECT_EQ(fill->GetImageList()->GetCount(), 1);
    // The picture is tiled behind the labels.
    form->Update();
    ProcessFor(50);
    testing_support::SaveScreenshot(form->GetHandle(), "about-filled");
    EXPECT_EQ(pixels::At(*CaptureClient(form), 3, 3), clTeal);
    form->SetModalResult(mrOk);
  });
  about.SetImageList(nullptr);
}

TEST_F(AboutDlgTest, AMainWindowsFormDescribesItsAboutBox) {
  TForm owner(Application);
  ReadFormText(
      "object MainScreen: TForm\n"
      "  object VisAboutDlg1: TVisAboutDlg\n"
      "    Appname = 'Pelorin'\n"
      "    AppNameSize = 16\n"
      "    CaptionTitle = 'About Pelorin'\n"
      "    Description = 'Checks and converts Paratext books'\n"
      "    EMail = 'pelorin@example.org'\n"
      "    IconStyle = isStandard\n"
      "    Jump = 'www.example.org/pelorin'\n"
      "    RelatePos = brMainForm\n"
      "    Version = 'Version 1.6'\n"
      "  end\n"
      "end\n",
      &owner);
  auto* about = dynamic_cast<TVisAboutDlg*>(owner.FindComponent("VisAboutDlg1"));
  ASSERT_TRUE(about);
  EXPECT_EQ(about->Appname, "Pelorin");
  EXPECT_EQ(about->AppNameSize, 16);
  EXPECT_EQ(about->GetCaptionTitle(), "About Pelorin");
  EXPECT_EQ(about->IconStyle, isStandard);
  EXPECT_EQ(about->RelatePos, brMainForm);
  EXPECT_EQ(about->Version, "Version 1.6");
  EXPECT_EQ(about->Style, bsVis);
  // Written again, only what differs from the defaults is stored.
  const AnsiString written = FormText(&owner);
  EXPECT_NE(written.find("AppNameSize = 16"), std::string::npos);
  EXPECT_EQ(written.find("    Style = "), std::string::npos);
  EXPECT_EQ(written.find("    Position = "), std::string::npos);
}

TEST_F(AboutDlgTest, DefaultsFillInWhatIsNotSet) {
  TVisAboutDlg about(nullptr);
  EXPECT_EQ(about.AppNameSize, 22);
  EXPECT_EQ(about.IconStyle, isExtended);
  EXPECT_EQ(about.Style, bsVis);
  EXPECT_EQ(about.ApplicationText(), Application->GetTitle());
  EXPECT_EQ(about.VersionText(), "");
  EXPECT_EQ(about.OtherText(), "");
  about.UseDefault = true;
  EXPECT_EQ(about.VersionText(), "Version 1.0");
  EXPECT_EQ(about.OtherText(), "All rights reserved.");
  about.Version = "Version 1.6";
  about.Copyright = "(C) The translation team";
  EXPECT_EQ(about.VersionText(), "Version 1.6");
  EXPECT_EQ(about.OtherText(), "(C) The translation team");
  about.Appname = "  ";
  EXPECT_EQ(about.ApplicationText(), Application->GetTitle()) << "a blank name counts as none";
}

TEST_F(AboutDlgTest, TheExtraButtonShowsWhenNamedAndRunsItsHandler) {
  TVisAboutDlg about(nullptr);
  about.Appname = "Pelorin";
  about.CustomButton = "&Licence";
  about.Effect = deExplodeExt;
  int custom = 0;
  about.OnCustomClick = TNotifyEvent::FromFunction([&](TObject*) { ++custom; });
  const Integer result = RunShown(about, [&](TVisAboutForm* form) {
    testing_support::SaveScreenshot(form->GetHandle(), "about-extra-button");
    auto* extra = form->CustomButton;
    auto* ok = form->OKButton;
    EXPECT_TRUE(extra->GetVisible());
    EXPECT_EQ(extra->GetCaption(), "&Licence");
    EXPECT_EQ(extra->GetTabOrder(), 1);
    EXPECT_LT(extra->GetLeft() + extra->GetWidth(), ok->GetLeft());
    // Tab moves to it; Space presses it; Enter still presses the default OK.
    PressKey(VK_TAB);
    EXPECT_TRUE(extra->Focused());
    ::SendMessageA(extra->GetHandle(), BM_CLICK, 0, 0);
    EXPECT_EQ(custom, 1);
    EXPECT_EQ(form->GetModalResult(), mrNone) << "the extra button does not close the box";
    ok->Click();
  });
  EXPECT_EQ(result, 1);
}

TEST_F(AboutDlgTest, TheBoxIsPlacedInItsRelationRectangle) {
  // A main form for the box to relate to, as the program has.
  TForm* main = nullptr;
  if (!Application->GetMainForm()) Application->CreateForm(main);
  main = Application->GetMainForm();
  main->SetBounds(100, 80, 600, 450);
  main->Show();
  struct Case {
    TVisDlgPosition position;
    TVisDlgPosRel relation;
  };
  for (const Case& c : {Case{bpBottomRight, brMainForm}, Case{bpTopLeft, brMainForm}, Case{bpCenter, brMainForm},
                        Case{bpBottomRight, brScreenWorkArea}}) {
    SCOPED_TRACE(c.position);
    TVisAboutDlg about(nullptr);
    about.Appname = "Pelorin";
    about.Position = c.position;
    about.RelatePos = c.relation;
    TRect placed;
    RunShown(about, [&](TVisAboutForm* form) {
      placed = form->GetBoundsRect();
      form->SetModalResult(mrOk);
    });
    const TRect area = c.relation == brMainForm ? main->GetBoundsRect() : GetRelateRect(brScreenWorkArea);
    EXPECT_EQ(placed.TopLeft(), PlacedPosition(area, c.position, placed.Width(), placed.Height()));
    if (c.position == bpBottomRight) {
      EXPECT_EQ(placed.BottomRight(), area.BottomRight());
    }
  }
  main->Hide();
}

// Beside a main form the user moved partly off the screen, the box opens wholly inside the work
// area, and its OK button is in reach and closes it when clicked.
TEST_F(AboutDlgTest, BesideAFormOffTheScreenTheBoxStaysOnIt) {
  TForm* main = nullptr;
  if (!Application->GetMainForm()) Application->CreateForm(main);
  main = Application->GetMainForm();
  const TRect work = GetRelateRect(brScreenWorkArea);
  struct Case {
    const char* name;
    TRect bounds;
    TVisDlgPosition position;
  };
  const Case cases[] = {
      {"past the right edge", Bounds(work.Right - 150, 80, 600, 450), bpTopLeft},
      {"past the right and bottom edges", Bounds(work.Right - 150, work.Bottom - 60, 600, 450), bpCenter},
      {"past the left and top edges", Bounds(work.Left - 500, work.Top - 400, 600, 450), bpBottomRight},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    main->SetBounds(c.bounds.Left, c.bounds.Top, c.bounds.Width(), c.bounds.Height());
    main->Show();
    TVisAboutDlg about(nullptr);
    SetUpLikeTheProgram(about);
    about.Position = c.position;
    about.RelatePos = brMainForm;
    TRect placed;
    const Integer result = RunShown(about, [&](TVisAboutForm* form) {
      placed = form->GetBoundsRect();
      if (c.position == bpTopLeft) testing_support::SaveScreenshot(::GetDesktopWindow(), "about-beside-offscreen-form");
      auto* ok = form->OKButton;
      const TPoint centre = ok->ClientToScreen(Point(ok->GetWidth() / 2, ok->GetHeight() / 2));
      EXPECT_EQ(::WindowFromPoint(POINT{centre.X, centre.Y}), ok->GetHandle());
      testing_support::MouseClick(ok->GetHandle(), ok->GetWidth() / 2, ok->GetHeight() / 2);
    });
    EXPECT_EQ(result, mrOk);
    EXPECT_GE(placed.Left, work.Left);
    EXPECT_GE(placed.Top, work.Top);
    EXPECT_LE(placed.Right, work.Right);
    EXPECT_LE(placed.Bottom, work.Bottom);
  }
  main->Hide();
}

TEST_F(AboutDlgTest, TheStandardStyleShowsTheShellsAboutBox) {
  ShellAboutRecorder shell;
  TVisAboutDlg about(nullptr);
  about.Style = bsStandard;
  about.Appname = "Pelorin";
  about.Copyright = "Free for Bible translation projects";
  EXPECT_EQ(about.Execute(), 0);
  EXPECT_EQ(shell.app, "Pelorin");
  EXPECT_EQ(shell.other, "Free for Bible translation projects");
  EXPECT_TRUE(shell.icon);
  // A caption title becomes the shell box's title, before the "#".
  about.SetCaptionTitle("About Pelorin");
  about.Execute();
  EXPECT_EQ(shell.app, "About Pelorin#Pelorin");
  EXPECT_EQ(shell.calls, 2);
}

// A picture list for the fill.
class TAnyPictureList : public TVisCustomImageList {
  CLASS_INFO(TAnyPictureList, TVisCustomImageList)
public:
  explicit TAnyPictureList(TComponent* AOwner) : TVisCustomImageList(AOwner) {}
  bool IsValid(Integer, Integer) override { return true; }
};

TEST_F(AboutDlgTest, TheDialogHandsItsDecorationToTheFormsStylerAndFill) {
  TTestDialog dialog(nullptr);
  dialog.CustomButton = "More";
  RunShown(dialog, [](TForm* form) { form->SetModalResult(mrOk); });
  EXPECT_TRUE(dialog.extraVisible);
  EXPECT_EQ(dialog.extraCaption, "More");
  EXPECT_FALSE(dialog.stylerEnabled) << "no caption fill asked for";
  EXPECT_FALSE(dialog.fillEnabled) << "no picture to fill with";

  TAnyPictureList list(nullptr);
  dialog.CustomButton = "";
  dialog.CaptionFill = true;
  dialog.Colors = 64;
  dialog.SetImageList(&list);
  dialog.SetListIndex(1);
  dialog.SetImageIndex(4);
  AnsiString caption;
  RunShown(dialog, [&](TForm* form) {
    caption = form->GetCaption();
    dialog.SetCaptionTitle("Retitled");
    EXPECT_EQ(form->GetCaption(), "Retitled");
    form->SetModalResult(mrOk);
  });
  EXPECT_EQ(caption, "Plain");
  EXPECT_EQ(dialog.GetForm(), nullptr) << "forgotten after the modal loop";
  EXPECT_FALSE(dialog.extraVisible);
  EXPECT_TRUE(dialog.stylerEnabled);
  EXPECT_EQ(dialog.stylerColors, 64);
  EXPECT_EQ(dialog.stylerOptions, (TVisFormStyleOptions{fsAdjustRect, fsUseFormCaption}));
  EXPECT_TRUE(dialog.fillEnabled);
  EXPECT_EQ(dialog.fillList, &list);
  EXPECT_EQ(dialog.fillIndexes, Point(1, 4));
  dialog.SetImageList(nullptr);
}

}  // namespace
