// A form read from the form stream (its text form): controls, menus, timers and handlers bound
// by name; and written back.
#include <memory>

#include "FormsTestSupport.h"
#include "classlib/Filer.h"
#include "classlib/FormText.h"
#include "classlib/Menus.h"
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

}  // namespace forms_test

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
