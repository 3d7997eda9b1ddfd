// The dialog base and the about box.
#include "controls/VisAboutDlg.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "classlib/SysUtils.h"
#include "controls/VisFormFill.h"
#include "controls/VisFormStyler.h"
#include "controls/VisLabel.h"
#include "controls/VisObject.h"
#include "controls/VisWndProc.h"
#include "controls/visclass.h"
#include "controls/viscont.h"
#include "controls/visgradient.h"
#include "controls/vissysinfo.h"

TVisShellAbout VisShellAbout = &::ShellAboutA;

PUBLISHED(TVisBaseDialog) {
  Prop("CaptionTitle", &TVisBaseDialog::GetCaptionTitle, &TVisBaseDialog::SetCaptionTitle);
  Prop("CustomButton", &TVisBaseDialog::CustomButton);
  Prop("Effect", &TVisBaseDialog::Effect).Default(deNone);
  Prop("Hints", &TVisBaseDialog::GetHints, &TVisBaseDialog::SetHints);
  Prop("ShowHints", &TVisBaseDialog::ShowHints).Default(true);
  Prop("CaptionFill", &TVisBaseDialog::CaptionFill).Default(false);
  Prop("Colors", &TVisBaseDialog::Colors).Default(32);
  Prop("Position", &TVisBaseDialog::Position).Default(bpCenter);
  Prop("RelatePos", &TVisBaseDialog::RelatePos).Default(brScreen);
  Prop("OnCustomize", &TVisBaseDialog::OnCustomize);
  Prop("OnCustomClick", &TVisBaseDialog::OnCustomClick);
}

PUBLISHED(TVisAboutDlg) {
  Prop("About", &TVisAboutDlg::About).Stored(false);
  Prop("ImageList", &TVisContainerComponent::GetImageList, &TVisContainerComponent::SetImageList)
      .Stored(&TVisContainerComponent::IsImageListStored);
  Prop("ImageIndex", &TVisContainerComponent::GetImageIndex, &TVisContainerComponent::SetImageIndex).Default(0);
  Prop("ListIndex", &TVisContainerComponent::GetListIndex, &TVisContainerComponent::SetListIndex).Default(0);
  Prop("Appname", &TVisAboutDlg::Appname);
  Prop("AppNameSize", &TVisAboutDlg::AppNameSize).Default(22);
  Prop("Copyright", &TVisAboutDlg::Copyright);
  Prop("Description", &TVisAboutDlg::Description);
  Prop("EMail", &TVisAboutDlg::EMail);
  Prop("Jump", &TVisAboutDlg::Jump);
  Prop("IconStyle", &TVisAboutDlg::IconStyle).Default(isExtended);
  Prop("Style", &TVisAboutDlg::Style).Default(bsVis);
  Prop("UseDefault", &TVisAboutDlg::UseDefault).Default(false);
  Prop("UseResInfo", &TVisAboutDlg::UseResInfo).Default(false);
  Prop("UseResVersionInfoStyle", &TVisAboutDlg::UseResVersionInfoStyle).Default(vsProg);
  Prop("Version", &TVisAboutDlg::Version);
}

namespace {

// The texts used with UseDefault when there is nothing better.
constexpr const char* kDefaultNotice = "All rights reserved.";
constexpr const char* kDefaultVersion = "1.0";

// The layout of the built about box.
constexpr Integer kClientWidth = 380;
constexpr Integer kTextLeft = 93;
constexpr Integer kAppNameTop = 18;
constexpr Integer kMargin = 12;
constexpr Integer kLabelGap = 4;
constexpr Integer kBevelLeft = 96;
constexpr Integer kBevelTop = 181;
constexpr Integer kBevelWidth = 153;
constexpr Integer kBevelHeight = 3;
constexpr Integer kButtonWidth = 75;
constexpr Integer kButtonHeight = 23;
constexpr Integer kExtendedIconSize = 64;

// Sets a published property of a component when it has one of that name; the decorations a
// dialog's form carries are told their settings through their published interface.
void SetPublishedOrd(TObject* Object, const char* Name, Int64 Value) {
  if (IsPublishedProp(Object, Name)) SetOrdProp(Object, Name, Value);
}

// Adds the member of that name to a published set property.
void IncludeInPublishedSet(TObject* Object, const char* Set, const char* Member) {
  if (!IsPublishedProp(Object, Set)) return;
  const TPropInfo* info = GetPropInfo(Object, Set);
  if (!info->PropType || info->PropType->Kind != tkSet || !info->PropType->CompType) return;
  const Int64 member = GetEnumValue(info->PropType->CompType, Member);
  if (member < 0) return;
  SetOrdProp(Object, info, GetOrdProp(Object, info) | (Int64(1) << member));
}

// The icon the about box shows: the component's own, else the application's, else the system's.
HICON AboutIcon(TIcon* Own) {
  if (!Own->GetEmpty()) return Own->GetHandle();
  if (Application && !Application->GetIcon()->GetEmpty()) return Application->GetIcon()->GetHandle();
  return ::LoadIconA(nullptr, IDI_APPLICATION);
}

// A label of the stacked texts, as wide as the form leaves room for; Fit makes it as high as its
// text wrapped to that width needs (once its font is set).
//
// The labels keep their width rather than shrinking to their text: where text is drawn a little
// wider than it measures (as under Wine at small sizes), a label only as wide as its measured
// text would cut off its last letters.
TVisSimpleLabel* NewLabel(TForm* Form, const char* Name, const AnsiString& Caption) {
  auto* label = new TVisSimpleLabel(Form);
  label->SetName(Name);
  label->SetParent(Form);
  label->SetAutoSize(false);
  label->SetMultiLine(true);
  label->SetBounds(kTextLeft, 0, kClientWidth - kTextLeft - kMargin, 20);
  label->SetCaption(Caption);
  return label;
}

void Fit(TVisSimpleLabel* Label, Integer Width) {
  Label->SetAutoSize(true);
  Label->SetAutoSize(false);
  Label->SetWidth(Width);
}

}  // namespace

// --- TVisBaseDialog ---------------------------------------------------------------------------------

TVisBaseDialog::TVisBaseDialog(TComponent* AOwner) : TVisContainerComponent(AOwner), FHints(new TStringList) {}

TVisBaseDialog::~TVisBaseDialog() { delete FHints; }

Integer TVisBaseDialog::Execute() { return 0; }

void TVisBaseDialog::SetCaptionTitle(const AnsiString& Value) {
  FCaptionTitle = Value;
  if (!FForm) return;
  FForm->SetCaption(Value);
  // A styler that paints the caption itself paints it again with the frame.
  for (Integer i = 0; i < FForm->GetComponentCount(); ++i)
    if (auto* hook = dynamic_cast<TVisWndProcComponent*>(FForm->GetComponents(i)); hook && hook->GetHooked())
      ::RedrawWindow(FForm->GetHandle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

Integer TVisBaseDialog::ShowDialog(TForm* Form, TControl* RelateControl, const AnsiString& DefaultCaption,
                                   TVisWndProcComponent* FormFill, TVisWndProcComponent* FormStyler,
                                   TButton* ExtraButton) {
  FForm = Form;
  struct Forget {
    TForm*& form;
    ~Forget() { form = nullptr; }
  } forget{FForm};

  Form->SetCaption(FCaptionTitle.empty() ? DefaultCaption : FCaptionTitle);
  if (ExtraButton) {
    if (!CustomButton.empty()) {
      ExtraButton->SetCaption(CustomButton);
      ExtraButton->SetVisible(true);
      if (OnCustomClick) ExtraButton->OnClick = OnCustomClick;
    } else {
      ExtraButton->SetVisible(false);
    }
  }
  if (OnCustomize) OnCustomize(Form);

  TRect relation;
  if (GetComponentState().Contains(csDesigning)) {
    relation = GetRelateRect(brScreenWorkArea);
  } else if (RelateControl) {
    // The control's rectangle on the screen, a window's frame included.
    auto* windowed = dynamic_cast<TWinControl*>(RelateControl);
    if (windowed && windowed->HandleAllocated()) {
      ::GetWindowRect(windowed->GetHandle(), AsRECT(relation));
    } else {
      const TPoint topLeft = RelateControl->ClientToScreen(Point(0, 0));
      relation = Bounds(topLeft.X, topLeft.Y, RelateControl->GetWidth(), RelateControl->GetHeight());
    }
  } else {
    relation = GetRelateRect(RelatePos);
  }
  PlaceWindow(Form->GetHandle(), relation, Position);

  if (Effect == deExplode)
    ZoomRectAnimation(Form, -1, -1, 1, VisApplication->ExplodeSteps);
  else if (Effect == deExplodeExt)
    ZoomRectAnimation2(Form, -1, -1, false, 1, Form->GetWidth() / 4, Form->GetHeight() / 4, VisApplication->ExplodeSteps);

  if (FormStyler) {
    FormStyler->SetEnabled(CaptionFill);
    if (CaptionFill) {
      SetPublishedOrd(FormStyler, "Colors", Colors);
      IncludeInPublishedSet(FormStyler, "Options", "fsUseFormCaption");
    }
  }
  if (FormFill && GetImageList()) {
    if (IsPublishedProp(FormFill, "ImageList")) SetObjectProp(FormFill, "ImageList", GetImageList());
    SetPublishedOrd(FormFill, "ListIndex", GetListIndex());
    SetPublishedOrd(FormFill, "ImageIndex", GetImageIndex());
    FormFill->SetEnabled(true);
  }
  return Form->ShowModal();
}

// --- TVisAboutDlg -----------------------------------------------------------------------------------

TVisAboutDlg::TVisAboutDlg(TComponent* AOwner) : TVisBaseDialog(AOwner), FIcon(new TIcon) {}

TVisAboutDlg::~TVisAboutDlg() { delete FIcon; }

AnsiString TVisAboutDlg::ApplicationText() {
  if (!Trim(Appname).empty()) return Appname;
  if (!UseResInfo) return Application ? Application->GetTitle() : AnsiString();
  return GetVersionInfo().ProductName;
}

AnsiString TVisAboutDlg::OtherText() {
  AnsiString text = Copyright;
  if (UseResInfo && text.empty()) {
    const TVisVersionInfo info = GetVersionInfo();
    if (!info.LegalCopyright.empty()) text = info.LegalCopyright + "\r";
  }
  if (UseDefault && text.empty()) text = kDefaultNotice;
  return text;
}

AnsiString TVisAboutDlg::VersionText() {
  if (!Version.empty()) return Version;
  if (UseResInfo) {
    const TVisVersionInfo info = GetVersionInfo();
    if (info.Valid) {
      switch (UseResVersionInfoStyle) {
        case vsProg: return "Version " + info.ProductVersion;
        case vsFileShort: return "Version " + info.ShortVersion();
        case vsFileFull: return "Version " + info.FullVersion();
        case vsFileBuild: return "Version " + info.BuildVersion();
      }
    }
  }
  if (UseDefault) return AnsiString("Version ") + kDefaultVersion;
  return AnsiString();
}

Integer TVisAboutDlg::Execute() {
  AnsiString application = ApplicationText();
  const AnsiString other = OtherText();
  if (Style == bsStandard) {
    // The shell shows the part before "#" as the window's title.
    if (!GetCaptionTitle().empty()) application = GetCaptionTitle() + "#" + application;
    HWND owner = nullptr;
    if (auto* control = dynamic_cast<TWinControl*>(GetOwner()); control && control->HandleAllocated())
      owner = control->GetHandle();
    VisShellAbout(owner, application.c_str(), other.c_str(), AboutIcon(FIcon));
    return 0;
  }
  std::unique_ptr<TVisAboutForm> form(BuildForm());
  const AnsiString caption = "Info " + (Application ? Application->GetTitle() : AnsiString()) + "...";
  return ShowDialog(form.get(), nullptr, caption, form->FormFill, form->FormStyler, form->CustomButton);
}

TVisAboutForm* TVisAboutDlg::BuildForm() {
  auto* form = new TVisAboutForm(Application);
  form->SetBorderStyle(bsDialog);
  form->SetBorderIcons(TBorderIcons{biSystemMenu});
  TFont* font = form->GetFont();
  font->SetName("MS Sans Serif");
  font->SetHeight(-11);
  font->SetColor(clWindowText);
  form->SetClientWidth(kClientWidth);

  // The icon: plain, or on a raised square shaded from light to the caption colour.
  TImage* icon = nullptr;
  if (IconStyle != isNone) {
    icon = new TImage(form);
    icon->SetName("IconImage");
    icon->SetParent(form);
    TIcon picture;
    picture.SetHandle(::CopyIcon(AboutIcon(FIcon)));
    if (IconStyle == isStandard) {
      icon->SetBounds(15, 7, 32, 32);
      icon->GetPicture()->SetIcon(&picture);
    } else {
      icon->SetBounds(15, 7, kExtendedIconSize, kExtendedIconSize);
      TBitmap* square = icon->GetPicture()->GetBitmap();
      square->SetPixelFormat(pf24bit);
      square->SetSize(kExtendedIconSize, kExtendedIconSize);
      TCanvas* canvas = square->GetCanvas();
      TRect r = Rect(0, 0, kExtendedIconSize, kExtendedIconSize);
      DrawGradientList(canvas, r, clBtnHighlight, clActiveCaption, 32, gstTopLeft, 0);
      DrawBevelFrame(canvas, r, TVisBevelStyle::bvRaised, 2, clBtnShadow, clBtnHighlight);
      ::DrawIconEx(canvas->GetHandle(), (kExtendedIconSize - 32) / 2, (kExtendedIconSize - 32) / 2,
                   picture.GetHandle(), 32, 32, 0, nullptr, DI_NORMAL);
    }
  }

  // The texts, stacked; an empty one is left out and those below it move up.
  auto* appName = NewLabel(form, "AppNameLabel", ApplicationText());
  appName->SetTop(kAppNameTop);
  appName->GetFont()->SetStyle(TFontStyles{fsBold});
  appName->GetFont()->SetSize(AppNameSize);
  appName->GetFont3D()->SetStyle(tdRaised);
  TVisSimpleLabel* version = NewLabel(form, "VersionLabel", VersionText());
  TVisSimpleLabel* notice = NewLabel(form, "CopyrightLabel", OtherText());
  TVisSimpleLabel* description = NewLabel(form, "DescriptionLabel", Description);
  TVisSimpleLabel* mail = NewLabel(form, "EMailLabel", EMail);
  TVisSimpleLabel* web = NewLabel(form, "JumpLabel", Jump);
  for (TVisSimpleLabel* link : {mail, web}) {
    link->SetInActiveColor(clBlue);
    link->SetJumpMode(jmInternet);
  }
  web->SetJump(Jump);
  for (TVisSimpleLabel* label : {appName, version, notice, description, mail, web})
    Fit(label, kClientWidth - kTextLeft - kMargin);
  Integer y = appName->GetTop() + appName->GetHeight();
  for (TVisSimpleLabel* label : {version, notice, description, mail, web}) {
    if (label->GetCaption().empty()) {
      label->SetVisible(false);
      continue;
    }
    label->SetTop(y + kLabelGap);
    y = label->GetTop() + label->GetHeight();
  }

  auto* line = new TBevel(form);
  line->SetName("Bevel1");
  line->SetParent(form);
  line->SetShape(bsTopLine);
  line->SetBounds(kBevelLeft, std::max(kBevelTop, y + 2 * kLabelGap), kBevelWidth, kBevelHeight);

  // Two columns of facts about the machine.
  const Integer kilobytes = static_cast<Integer>(std::llround(static_cast<double>(TotalMemory()) / 1024.0));
  AnsiString names, values;
  if (IsNT()) {
    names = Format("%s\r%s", "Available Memory:", "Platform, CPU:");
    values = Format("%d KB\r%dx %s", kilobytes, ProcessorCount(), ProcessorName() + " or compatible");
  } else {
    names = Format("%s\r%s", "Available Memory:", "System Resources:");
    values = Format("%d KB\r%d%% %s", kilobytes, FreeResources(), "free");
  }
  auto* systemNames = new TVisSimpleLabel(form);
  systemNames->SetName("SystemNamesLabel");
  systemNames->SetParent(form);
  systemNames->SetBounds(kBevelLeft, line->GetTop() + kBevelHeight + 2 * kLabelGap, 10, 10);
  systemNames->SetCaption(names);
  Fit(systemNames, systemNames->GetWidth() + kMargin / 2);
  auto* systemValues = new TVisSimpleLabel(form);
  systemValues->SetName("SystemValuesLabel");
  systemValues->SetParent(form);
  const Integer valuesLeft = systemNames->GetLeft() + systemNames->GetWidth() + kMargin / 2;
  systemValues->SetBounds(valuesLeft, systemNames->GetTop(), 10, 10);
  systemValues->SetCaption(values);
  Fit(systemValues, kClientWidth - kMargin - valuesLeft);

  // OK closes the box (also with Esc); the extra button stands to its left.
  const Integer buttonTop = systemNames->GetTop() + std::max(systemNames->GetHeight(), systemValues->GetHeight()) +
                            2 * kLabelGap;
  auto* ok = new TButton(form);
  ok->SetName("OKButton");
  ok->SetParent(form);
  ok->SetCaption("OK");
  ok->SetBounds(kClientWidth - kMargin - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
  ok->SetDefault(true);
  ok->SetCancel(true);
  ok->ModalResult = mrOk;
  ok->SetTabOrder(0);
  auto* extra = new TButton(form);
  extra->SetName("CustomButton");
  extra->SetParent(form);
  extra->SetBounds(ok->GetLeft() - kMargin / 2 - kButtonWidth, buttonTop, kButtonWidth, kButtonHeight);
  extra->SetVisible(false);
  extra->SetTabOrder(1);
  form->SetActiveControl(ok);
  form->SetClientHeight(buttonTop + kButtonHeight + kMargin);

  if (ShowHints && GetHints()->GetCount() > 0) {
    TControl* targets[] = {icon, appName, version};
    for (Integer i = 0; i < 3 && i < GetHints()->GetCount(); ++i)
      if (targets[i]) {
        targets[i]->SetHint(GetHints()->GetStrings(i));
        targets[i]->SetShowHint(true);
      }
  }

  // The caption and background decoration, switched on by ShowDialog as the dialog asks.
  auto* styler = new TVisFormStyler(form);
  styler->SetName("FormStyler");
  styler->SetOptions(styler->GetOptions() + TVisFormStyleOptions{fsUseFormCaption});
  styler->SetEnabled(false);
  auto* fill = new TVisBack(form);
  fill->SetName("FormFill");
  fill->SetEnabled(false);

  form->IconImage = icon;
  form->AppNameLabel = appName;
  form->VersionLabel = version;
  form->CopyrightLabel = notice;
  form->DescriptionLabel = description;
  form->EMailLabel = mail;
  form->JumpLabel = web;
  form->Bevel1 = line;
  form->SystemNamesLabel = systemNames;
  form->SystemValuesLabel = systemValues;
  form->OKButton = ok;
  form->CustomButton = extra;
  form->FormStyler = styler;
  form->FormFill = fill;
  return form;
}

bool visaboutdlg_detail::RegisterClasses() {
  if (!GetClass("TVisAboutDlg")) RegisterClass(TVisAboutDlg::StaticClass());
  return true;
}
