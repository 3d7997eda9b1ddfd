// A form read from the form stream (its text form): controls, menus, timers and handlers bound
// by name; the fields that hold its components set as they are read; and written back.
#include <memory>
#include <vector>

#include "FormsTestSupport.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Filer.h"
#include "classlib/FormText.h"
#include "classlib/FormTextReader.h"
#include "classlib/Menus.h"
#include "classlib/StdCtrls.h"
#include "classlib/Streams.h"
#include "classlib/Timers.h"

using namespace forms_test;

namespace forms_test {

class TStreamedForm : public TForm {
  CLASS_INFO(TStreamedForm, TForm)
public:
  explicit TStreamedForm(TComponent* AOwner) : TForm(AOwner) {}
  int Created = 0;
  int Exits = 0;
  void FormCreate(TObject*) { ++Created; }
  void Exit1Click(TObject*) { ++Exits; }
  void Timer1Timer(TObject*) {}
};

// A form that reaches two of its components through published fields.
class TBoundForm : public TForm {
  CLASS_INFO(TBoundForm, TForm)
public:
  explicit TBoundForm(TComponent* AOwner) : TForm(AOwner) {}
  TButton* OKButton = nullptr;
  TLabel* NameLabel = nullptr;
};

}  // namespace forms_test

PUBLISHED(TBoundForm) {
  Field("OKButton", &TBoundForm::OKButton);
  Field("NameLabel", &TBoundForm::NameLabel);
}

PUBLISHED(TStreamedForm) {
  Method("FormCreate", &TStreamedForm::FormCreate);
  Method("Exit1Click", &TStreamedForm::Exit1Click);
  Method("Timer1Timer", &TStreamedForm::Timer1Timer);
}

namespace {

const char kFormText[] =
    "object StreamedForm: TStreamedForm\r\n"
    "  Left = 30\r\n"
    "  Top = 40\r\n"
    "  Width = 320\r\n"
    "  Height = 200\r\n"
    "  BorderStyle = bsDialog\r\n"
    "  Caption = 'Read from a form'\r\n"
    "  Color = clWindow\r\n"
    "  KeyPreview = True\r\n"
    "  Menu = MainMenu1\r\n"
    "  OnCreate = FormCreate\r\n"
    "  object Box1: TColorBox\r\n"
    "    Left = 8\r\n"
    "    Top = 12\r\n"
    "    Width = 50\r\n"
    "    Height = 20\r\n"
    "    Cursor = crHandPoint\r\n"
    "    Hint = 'A box'\r\n"
    "  end\r\n"
    "  object MainMenu1: TMainMenu\r\n"
    "    object File1: TMenuItem\r\n"
    "      Caption = '&File'\r\n"
    "      object Exit1: TMenuItem\r\n"
    "        Caption = 'E&xit'\r\n"
    "        ShortCut = 16472\r\n"
    "        OnClick = Exit1Click\r\n"
    "      end\r\n"
    "    end\r\n"
    "  end\r\n"
    "  object Timer1: TTimer\r\n"
    "    Interval = 250\r\n"
    "    OnTimer = Timer1Timer\r\n"
    "  end\r\n"
    "end\r\n";

void ReadForm(TComponent* form, const std::string& text) {
  TStringStream input(text);
  TMemoryStream binary;
  ObjectTextToBinary(&input, &binary);
  binary.SetPosition(0);
  ReadComponentFromStream(&binary, form);
}

std::string WriteForm(TComponent* form) {
  TMemoryStream binary;
  WriteComponentToStream(&binary, form);
  binary.SetPosition(0);
  TStringStream output("");
  ObjectBinaryToText(&binary, &output);
  return output.GetDataString();
}

}  // namespace

TEST(FormStreamTest, AFormIsReadWithItsComponentsAndHandlers) {
  RegisterClass(TColorBox::StaticClass());
  auto* form = new TStreamedForm(Application);
  ReadForm(form, kFormText);
  form->AfterConstruction();
  EXPECT_EQ(form->GetName(), "StreamedForm");
  EXPECT_EQ(form->GetCaption(), "Read from a form");
  EXPECT_EQ(form->GetBoundsRect(), Bounds(30, 40, 320, 200));
  EXPECT_EQ(form->GetBorderStyle(), bsDialog);
  EXPECT_EQ(form->GetColor(), clWindow);
  EXPECT_TRUE(form->GetKeyPreview());
  EXPECT_EQ(form->Created, 1);
  auto* box = dynamic_cast<TColorBox*>(form->FindComponent("Box1"));
  ASSERT_TRUE(box);
  EXPECT_EQ(box->GetParent(), form);
  EXPECT_EQ(box->GetBoundsRect(), Bounds(8, 12, 50, 20));
  EXPECT_EQ(box->GetCursor(), crHandPoint);
  EXPECT_EQ(box->GetHint(), "A box");
  auto* menu = dynamic_cast<TMainMenu*>(form->FindComponent("MainMenu1"));
  ASSERT_TRUE(menu);
  EXPECT_EQ(form->GetMenu(), menu);
  ASSERT_EQ(menu->GetItems()->GetCount(), 1);
  TMenuItem* exit = menu->GetItems()->GetItems(0)->GetItems(0);
  EXPECT_EQ(exit->GetName(), "Exit1");
  EXPECT_EQ(exit->GetShortCut(), ShortCut('X', {ssCtrl}));
  exit->Click();
  EXPECT_EQ(form->Exits, 1);
  auto* timer = dynamic_cast<TTimer*>(form->FindComponent("Timer1"));
  ASSERT_TRUE(timer);
  EXPECT_EQ(timer->GetInterval(), 250u);
  EXPECT_TRUE(timer->OnTimer == TNotifyEvent(form, &TStreamedForm::Timer1Timer));

  // Written back, the form gives the same text, with the font and resolution it took.
  std::string expected = kFormText;
  expected.insert(expected.find("  KeyPreview"),
                  "  Font.Color = clWindowText\r\n  Font.Height = -11\r\n  Font.Name = 'MS Sans Serif'\r\n");
  expected.insert(expected.find("  OnCreate"), "  PixelsPerInch = 96\r\n");
  const std::string written = WriteForm(form);
  EXPECT_EQ(written, expected);
  delete form;
  // What was written reads back the same.
  auto* again = new TStreamedForm(Application);
  ReadForm(again, written);
  EXPECT_EQ(WriteForm(again), written);
  delete again;
}

// The button sits in a panel, so that a field is set for a component that the form owns but
// does not parent; Note has no field.
const char kBoundFormText[] =
    "object BoundForm: TBoundForm\r\n"
    "  object NameLabel: TLabel\r\n"
    "    Caption = 'N\xe4me'\r\n"
    "  end\r\n"
    "  object Panel1: TPanel\r\n"
    "    object OKButton: TButton\r\n"
    "      Caption = 'OK'\r\n"
    "    end\r\n"
    "  end\r\n"
    "  object Note: TEdit\r\n"
    "  end\r\n"
    "end\r\n";

TEST(FormStreamTest, PublishedFieldsHoldTheComponentsOfTheirNames) {
  // Two forms read from one text: each holds its own components.
  std::vector<std::unique_ptr<TBoundForm>> forms;
  for (int i = 0; i < 2; ++i) {
    forms.push_back(std::make_unique<TBoundForm>(nullptr));
    ReadComponentFromText(forms.back().get(), kBoundFormText);
  }
  for (const auto& form : forms) {
    ASSERT_TRUE(form->OKButton);
    EXPECT_EQ(form->OKButton, form->FindComponent("OKButton"));
    EXPECT_EQ(form->OKButton->GetParent(), form->FindComponent("Panel1"));
    EXPECT_EQ(form->OKButton->GetCaption(), "OK");
    ASSERT_TRUE(form->NameLabel);
    EXPECT_EQ(form->NameLabel, form->FindComponent("NameLabel"));
    EXPECT_EQ(form->NameLabel->GetCaption(), "N\xe4me");
    EXPECT_TRUE(dynamic_cast<TEdit*>(form->FindComponent("Note"))) << "a component without a field";
  }
  EXPECT_NE(forms[0]->OKButton, forms[1]->OKButton);
}

TEST(FormStreamTest, AComponentThatDoesNotFitItsFieldOrAFieldLeftUnsetIsAnError) {
  struct Case {
    const char* name;
    std::string text;
    const char* error;
    const char* refused;  // the component of the wrong class, refused as it is read
  };
  const std::string text = kBoundFormText;
  auto replaced = [&](const std::string& from, const std::string& to) {
    std::string t = text;
    t.replace(t.find(from), from.size(), to);
    return t;
  };
  const Case cases[] = {
      {"a label where the field is a button", replaced("OKButton: TButton", "OKButton: TLabel"),
       "Field TBoundForm.OKButton is a TButton, but component OKButton is a TLabel", "OKButton"},
      {"a button where the field is a label", replaced("NameLabel: TLabel", "NameLabel: TButton"),
       "Field TBoundForm.NameLabel is a TLabel, but component NameLabel is a TButton", "NameLabel"},
      {"the label renamed", replaced("NameLabel: TLabel", "TitleLabel: TLabel"),
       "Field TBoundForm.NameLabel (a TLabel) is not set: the form text has no component NameLabel", nullptr},
      {"the button left out", replaced("    object OKButton: TButton\r\n      Caption = 'OK'\r\n    end\r\n", ""),
       "Field TBoundForm.OKButton (a TButton) is not set: the form text has no component OKButton", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TBoundForm form(nullptr);
    std::string message;
    try {
      ReadComponentFromText(&form, c.text);
    } catch (const EReadError& e) {
      message = e.Message;
    }
    EXPECT_EQ(message, c.error);
    if (c.refused) {
      // Neither kept nor stored in the field, and what follows it in the text is not read.
      EXPECT_FALSE(form.FindComponent(c.refused));
      EXPECT_FALSE(std::string(c.refused) == "OKButton" ? static_cast<TObject*>(form.OKButton) : form.NameLabel);
      EXPECT_FALSE(form.FindComponent("Note"));
    }
  }
}
