// Interactive form fields: the widget base with its event actions, push buttons, radio buttons
// and their groups, and the form dictionary with its font resources.
#include "pdf/PDF.h"

#include <algorithm>

#include "classlib/Strings.h"
#include "classlib/SysUtils.h"
#include "pdf/pdfResources.h"

namespace {

// An export value as a name: UTF-8, as readers take names to be, with the bytes a name cannot
// hold as they are written in hexadecimal.
AnsiString ValueName(const AnsiString& value) { return "/" + EscapeName(AnsiToUtf8(value)); }

// Writes an action of an additional-actions dictionary when it is set.
void AppendEvent(AnsiString& text, const char* key, const TPDFAction* action) {
  if (action) text += key + Reference(action->ID);
}

// A field's two appearance pages, made one after the other (the first takes the lower object
// number) and freed when the field's Save ends, however it ends.
class TAppearances {
public:
  TAppearances(const TPDFControl* control, TPDFPage*& first, TPDFPage*& second)
      : first_(first), second_(second), a_(NewPage(control)), b_(NewPage(control)) {
    first_ = a_.get();
    second_ = b_.get();
  }
  ~TAppearances() { first_ = second_ = nullptr; }

private:
  // A form XObject of the document that belongs to none of its page lists.
  static std::unique_ptr<TPDFPage> NewPage(const TPDFControl* control) {
    auto page = std::make_unique<TPDFPage>(control->GetPage()->GetDocument());
    page->SetIsForm(true);
    return page;
  }
  TPDFPage*& first_;
  TPDFPage*& second_;
  std::unique_ptr<TPDFPage> a_, b_;
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// The widget base

TPDFControl::TPDFControl(TPDFPage* Page, const AnsiString& Name) : TPDFControl(Page, Name, true) {}

TPDFControl::TPDFControl(TPDFPage* Page, const AnsiString& Name, bool FormField)
    : TPDFCustomAnnotation(Page), Name(Name), Font(new TPDFControlFont), Hint(new TPDFControlHint) {
  Color = clBlack;
  if (FormField) GetDocument()->GetAcroForm()->Fields.Add(this);
}

TPDFControl::~TPDFControl() {
  GetDocument()->GetAcroForm()->Fields.Remove(this);
  delete Font;
  delete Hint;
}

void TPDFControl::SetEvent(TPDFAction*& Field, TPDFAction* Value) {
  if (Value) GetDocument()->RegisterAction(Value);
  Field = Value;
}

AnsiString TPDFControl::GetActionsText() const {
  AnsiString text;
  if (FOnActivate) text += "/A " + Reference(FOnActivate->ID) + "\r\n";
  text += "/AA <<";
  AppendEvent(text, "/E ", FOnMouseEnter);
  AppendEvent(text, "/X ", FOnMouseExit);
  AppendEvent(text, "/D ", FOnMouseDown);
  AppendEvent(text, "/Bl ", FOnLostFocus);
  AppendEvent(text, "/Fo ", FOnSetFocus);
  return text;
}

AnsiString TPDFInputControl::GetActionsText() const {
  AnsiString text = TPDFControl::GetActionsText();
  AppendEvent(text, "/K ", FOnKeyPress);
  AppendEvent(text, "/F ", FOnFormat);
  AppendEvent(text, "/V ", FOnValidate);
  AppendEvent(text, "/C ", FOnCalculate);
  return text;
}

AnsiString TPDFControl::DefaultAppearance(const AnsiString& Size) const {
  const AnsiString da = "/" + FontAlias + " " + Size + " Tf " + RGBTriple(ColorToRGB(Font->Color)) + " rg";
  return "/DA (" + EscapeSpecialChar(GetDocument()->CryptString(da, ID)) + ")";
}

AnsiString TPDFControl::BorderAndBackground() const {
  return "/BC [" + RGBTriple(ColorToRGB(Color)) + " ]/BG [" + RGBTriple(ColorToRGB(BackgroundColor)) + " ]";
}

void TPDFControl::StartWidget(TPDFPage* First, TPDFPage* Second) {
  First->WritePageObject();
  Second->WritePageObject();
  // The fonts the default appearance can name are the first appearance's.
  auto& fonts = GetDocument()->GetAcroForm()->Fonts;
  for (TPDFFont* font : First->GetFonts())
    if (std::find(fonts.begin(), fonts.end(), font) == fonts.end()) fonts.push_back(font);
  TPDFDocument* doc = GetDocument();
  doc->StartObj(ID);
  doc->SaveToStream("/Type /Annot");
  doc->SaveToStream("/Subtype /Widget");
  doc->SaveToStream(RectText());
  doc->SaveToStream("/P " + Reference(GetPage()->GetPageNumber()));
}

// ---------------------------------------------------------------------------------------------
// Push buttons

// A push button is a field of its own and so one of the form's fields: readers take a widget
// that no field of the form leads to for no field at all.
TPDFButton::TPDFButton(TPDFPage* Page, const AnsiString& Name) : TPDFControl(Page, Name) {
  BackgroundColor = clSilver;
}

void TPDFButton::Save() {
  TAppearances appearances(this, UpAppearance, DownAppearance);
  Paint();
  StartWidget(UpAppearance, DownAppearance);
  TPDFDocument* doc = GetDocument();
  // The caption and the names are texts readers show: like the hint, in Unicode where 8-bit text
  // would read otherwise.
  doc->SaveToStream("/MK <</CA " + doc->TextString(Caption, Font->Charset >= 3, Font->Charset, ID) + " " +
                    BorderAndBackground() + ">>");
  doc->SaveToStream(DefaultAppearance(IStr(Font->Size)));
  doc->SaveToStream("/BS <</W 1 /S /B>>");
  doc->SaveToStream("/T " + doc->TextString(Name, false, 0, ID));
  doc->SaveToStream("/FT /Btn");
  if (!Hint->Caption.empty()) doc->SaveToStream("/TU " + doc->TextString(Hint->Caption, Hint->Charset >= 3, Hint->Charset, ID));
  doc->SaveToStream("/F " + IStr(GetFlagsValue()));
  doc->SaveToStream("/Ff " + IStr((ReadOnly ? 1 : 0) + (Required ? 2 : 0) + 65536));
  doc->SaveToStream("/H /P");
  doc->SaveToStream("/AP <</N " + Reference(UpAppearance->GetPageNumber()) + " /D " +
                    Reference(DownAppearance->GetPageNumber()) + ">>");
  doc->SaveToStream(GetActionsText() + ">>");
  doc->CloseHObj();
  doc->CloseObj();
}

// ---------------------------------------------------------------------------------------------
// Radio buttons

TPDFRadioButton::TPDFRadioButton(TPDFPage* Page, const AnsiString& GroupName)
    : TPDFInputControl(Page, GroupName, false) {
  BackgroundColor = clWhite;
  TPDFDocument* doc = GetDocument();
  FRadioGroup = doc->FindRadioGroup(GroupName);
  if (!FRadioGroup) FRadioGroup = doc->CreateRadioGroup(GroupName);
  FRadioGroup->Buttons.Add(this);
  SetExportValue("");
}

TPDFRadioButton::~TPDFRadioButton() {
  if (FRadioGroup) FRadioGroup->Buttons.Remove(this);
}

void TPDFRadioButton::SetExportValue(const AnsiString& Value) {
  const AnsiString value = ReplStr(Value, ' ', "_");
  auto taken = [this](const AnsiString& v) {
    const AnsiString key = AnsiUpperCase(v);
    for (Integer i = 0; i < FRadioGroup->Buttons.GetCount(); ++i) {
      auto* button = static_cast<TPDFRadioButton*>(FRadioGroup->Buttons[i]);
      if (AnsiUpperCase(button->FExportValue) == key) return true;
    }
    return false;
  };
  if (value.empty()) {
    if (!FExportValue.empty()) throw TPDFException(SCannotSetEmptyExportValue);
    // The group name and the button's number in the group; a number another button has
    // already taken as its value is passed over, so that the buttons never share a value.
    Integer n = FRadioGroup->Buttons.GetCount();
    while (taken(Name + IStr(n))) ++n;
    FExportValue = Name + IStr(n);
    return;
  }
  if (taken(value)) throw TPDFException(SExportValuePresent);
  FExportValue = value;
}

void TPDFRadioButton::Save() {
  TAppearances appearances(this, OnAppearance, OffAppearance);
  Paint();
  StartWidget(OnAppearance, OffAppearance);
  TPDFDocument* doc = GetDocument();
  auto string = [&](const AnsiString& text) { return "(" + EscapeSpecialChar(doc->CryptString(text, ID)) + ")"; };
  const AnsiString on = ValueName(FExportValue) + " " + Reference(OnAppearance->GetPageNumber());
  const AnsiString off = "/Off  " + Reference(OffAppearance->GetPageNumber());
  // Shown on only as the group's value: of two buttons selected in one group, the first.
  doc->SaveToStream("/AS " + (FRadioGroup->GetSelected() == this ? ValueName(FExportValue) : AnsiString("/Off")));
  // "l" is the filled circle of the ZapfDingbats font; the rollover and down captions are
  // empty Unicode strings.
  doc->SaveToStream("/MK <</CA " + string("l") + " /AC " + string("\xFE\xFF") + "/RC " + string("\xFE\xFF") +
                    BorderAndBackground() + ">>");
  // Size 0: the viewer sizes the circle to the widget.
  doc->SaveToStream(DefaultAppearance("0"));
  doc->SaveToStream("/F " + IStr(GetFlagsValue()));
  doc->SaveToStream("/Parent " + Reference(FRadioGroup->ID));
  doc->SaveToStream("/AP <</N << " + on + " " + off + " >> /D << " + on + " " + off + " >> >>");
  doc->SaveToStream("/H /T");
  doc->SaveToStream(GetActionsText() + ">>");
  doc->CloseHObj();
  doc->CloseObj();
}

// ---------------------------------------------------------------------------------------------
// Lists, groups and the form dictionary

void TPDFControls::Remove(const TPDFControl* Control) {
  FItems.erase(std::remove(FItems.begin(), FItems.end(), Control), FItems.end());
}

TPDFRadioButton* TPDFRadioGroup::GetSelected() const {
  for (Integer i = 0; i < Buttons.GetCount(); ++i) {
    auto* button = static_cast<TPDFRadioButton*>(Buttons[i]);
    if (button->Selected) return button;
  }
  return nullptr;
}

void TPDFRadioGroup::Save() {
  TPDFDocument* doc = FDocument;
  doc->GetAcroForm()->RadioGroups.push_back(this);
  doc->StartObj(ID);
  doc->SaveToStream("/FT /Btn");
  doc->SaveToStream("/T " + doc->TextString(Name, false, 0, ID));
  if (const TPDFRadioButton* selected = GetSelected()) {
    const AnsiString value = ValueName(selected->GetExportValue());
    doc->SaveToStream("/V " + value);
    doc->SaveToStream("/DV " + value);
  }
  AnsiString kids = "/Kids [";
  for (Integer i = 0; i < Buttons.GetCount(); ++i) kids += Reference(Buttons[i]->ID) + " ";
  doc->SaveToStream(kids + "]");
  Integer flags = 32768;
  if (Buttons.GetCount() > 0) {
    if (Buttons[0]->ReadOnly) flags += 1;
    if (Buttons[0]->Required) flags += 2;
  }
  // With more than one button the group always keeps one on: clicking the selected button does
  // not turn it off.
  if (Buttons.GetCount() != 1) flags += 16384;
  doc->SaveToStream("/Ff " + IStr(flags));
  doc->CloseHObj();
  doc->CloseObj();
}

void TPDFAcroForm::Clear() {
  Fields.Clear();
  Fonts.clear();
  RadioGroups.clear();
  ID = 0;
}

void TPDFAcroForm::Save() {
  TPDFDocument* doc = FDocument;
  Integer resources = 0;
  doc->StartObj(resources);
  AnsiString fonts = "/Font <<";
  for (TPDFFont* font : Fonts) fonts += "/" + font->Alias + " " + Reference(font->ObjectNumber) + " ";
  doc->SaveToStream(fonts + ">>");
  doc->CloseHObj();
  doc->CloseObj();

  doc->StartObj(ID);
  AnsiString fields = "/Fields [";
  for (Integer i = 0; i < Fields.GetCount(); ++i) fields += Reference(Fields[i]->ID) + " ";
  for (TPDFRadioGroup* group : RadioGroups) fields += Reference(group->ID) + " ";
  doc->SaveToStream(fields + "]/DR " + Reference(resources));
  AnsiString calculated = "/CO [";
  for (Integer i = 0; i < Fields.GetCount(); ++i) {
    auto* input = dynamic_cast<TPDFInputControl*>(Fields[i]);
    if (input && input->GetOnCalculate()) calculated += Reference(input->ID) + " ";
  }
  doc->SaveToStream(calculated + "]", false);
  doc->CloseHObj();
  doc->CloseObj();
}
