// Form fields: push buttons, radio buttons and their groups, the form dictionary, event actions,
// and the appearances that poppler and Ghostscript draw for them.
#include <cmath>

#include "InteractiveSupport.h"

using namespace pdf_test;

namespace {

// A text field as a later kind of field would write it, enough to be one of the form's fields.
class TTestTextField : public TPDFInputControl {
public:
  using TPDFInputControl::TPDFInputControl;
  void Save() override {
    TPDFDocument* doc = GetDocument();
    doc->StartObj(ID);
    doc->SaveToStream("/Type /Annot /Subtype /Widget /FT /Tx /T (" + Name + ")");
    doc->SaveToStream(RectText());
    doc->SaveToStream(GetActionsText() + ">>");
    doc->CloseHObj();
    doc->CloseObj();
  }
};

class PdfFormsTest : public PdfInteractiveTest {
protected:
  // The two appearance objects a widget names after /N and /D (for a radio button, those of its
  // "on" state after /N).
  std::pair<int, int> Appearances(const pdf_checks::PdfFile& file, int widget) {
    const std::string ap = file.Value(widget, "/AP");
    int n = 0, d = 0;
    if (std::sscanf(ap.c_str(), "<</N %d 0 R /D %d 0 R>>", &n, &d) == 2) return {n, d};
    std::smatch m;
    if (std::regex_search(ap, m, std::regex(R"(/N << /\S+ (\d+) 0 R /Off  (\d+) 0 R)")))
      return {std::stoi(m[1]), std::stoi(m[2])};
    return {0, 0};
  }
  static std::string Stream(const pdf_checks::PdfFile& file, int n) {
    const std::string s = file.Objects.at(n).Stream;
    return std::regex_replace(s, std::regex("\r\n"), "|");
  }
};

TEST_F(PdfFormsTest, APushButtonWithItsDefaults) {
  const std::string path = Begin("button.pdf");
  auto* button = new TPDFButton(doc_->GetCurrentPage(), "Send");
  button->SetRect(TRect(100, 100, 200, 120));
  button->Caption = "OK";
  EXPECT_EQ(button->Font->Size, 8);
  EXPECT_EQ(button->Font->Name, "Arial");
  EXPECT_EQ(button->BackgroundColor, clSilver);
  EXPECT_EQ(button->Color, clBlack);
  ASSERT_EQ(button->ID, 3);
  const pdf_checks::PdfFile file = Finish(path);

  const auto [up, down] = Appearances(file, 3);
  ASSERT_GT(up, 0);
  EXPECT_EQ(down, up + 1);
  EXPECT_EQ(Object(file, 3), "3 0 obj|<</Type /Annot|/Subtype /Widget|/Rect [100 722 200 742]|/P 2 0 R|"
                             "/MK <</CA (OK) /BC [0 0 0 ]/BG [0.7529 0.7529 0.7529 ]>>|/DA (/F0 8 Tf 0 0 0 rg)|"
                             "/BS <</W 1 /S /B>>|/T (Send)|/FT /Btn|/F 0|/Ff 65536|/H /P|/AP <</N " +
                                 std::to_string(up) + " 0 R /D " + std::to_string(down) + " 0 R>>|/AA <<>>|>>|endobj|");
  EXPECT_NE(Object(file, 2).find("/Annots [|3 0 R|]"), std::string::npos);

  // Raised: shadow band right and below, highlight band left and above (light components above
  // 1 written as computed), the face, the border, the caption centred ("OK" is 11.56 points wide).
  EXPECT_EQ(file.Value(up, "/BBox"), "[0 0 100 20]");
  EXPECT_EQ(file.Value(up, "/Subtype"), "/Form");
  EXPECT_EQ(Stream(file, up),
            "q|0.4518 0.4518 0.4518 rg|99.5 19.5 m|99.5 0.5 l|0.5 0.5 l|1.5 1.5 l|98.5 1.5 l|98.5 18.5 l|99.5 19.5 l|f|"
            "1.0541 1.0541 1.0541 rg|0.5 0.5 m|0.5 19.5 l|99.5 19.5 l|98.5 18.5 l|1.5 18.5 l|1.5 1.5 l|0.5 0.5 l|f|"
            "0.7529 0.7529 0.7529 rg|1.5 18.5 97 -17 re|f|1 w|0 0 0 RG|0 20 100 -20 re|S|"
            "BT|0 0 0 rg|/F0 8 Tf|1 0 0 1 44.22 6 Tm|(OK) Tj|ET|Q|");
  // Pressed: flat face, light and dark edges swapped, the caption one point higher.
  EXPECT_EQ(Stream(file, down),
            "q|1 w|0.7529 0.7529 0.7529 rg|0 20 100 -20 re|f|1.0541 1.0541 1.0541 RG|99.5 19 m|99.5 0.5 l|1 0.5 l|S|"
            "0.4518 0.4518 0.4518 RG|0.5 1 m|0.5 19.5 l|99 19.5 l|S|0 0 0 RG|0 20 100 -20 re|S|"
            "BT|0 0 0 rg|/F0 8 Tf|1 0 0 1 44.22 7 Tm|(OK) Tj|ET|Q|");
  EXPECT_NE(Object(file, Referenced(file, up, "/Resources")).find("/Font <<|/F0 "), std::string::npos);

  // The button is the form's one field; the form's resources hold the caption's font.
  const int form = Referenced(file, Catalog(file), "/AcroForm");
  ASSERT_GT(form, 0);
  const int formResources = Referenced(file, form, "/DR");
  EXPECT_EQ(Object(file, form), std::to_string(form) + " 0 obj|<</Fields [3 0 R ]/DR " +
                                    std::to_string(formResources) + " 0 R|/CO []>>|endobj|");
  EXPECT_TRUE(std::regex_match(Object(file, formResources),
                               std::regex(std::to_string(formResources) + R"( 0 obj\|<</Font <</F0 \d+ 0 R >>\|>>\|endobj\|)")))
      << Object(file, formResources);
  const pdf_checks::ToolResult info = Run("pdfinfo " + Quoted(path));
  EXPECT_NE(info.Out.find("Form:            AcroForm"), std::string::npos) << info.Out;
  // qpdf finds every widget through the form.
  const pdf_checks::ToolResult fields = Run("qpdf --json --json-key=acroform " + Quoted(path));
  EXPECT_EQ(fields.Err, "");
  EXPECT_NE(fields.Out.find("\"fullname\": \"Send\""), std::string::npos) << fields.Out;
}

TEST_F(PdfFormsTest, RadioGroupsTheirFlagsAndSelection) {
  // Written in one pass: every page goes out when it is closed, the groups at the end.
  doc_->SetOnePass(true);
  const std::string path = Begin("radio.pdf");
  struct Group {
    const char* name;
    int buttons;
    std::vector<int> selected;
    bool readOnly, required;  // of the first button
    int flags;
    const char* value;        // "" when the group has no value
  };
  const Group groups[] = {
      {"Single", 1, {}, false, false, 32768, ""},
      {"Pair", 2, {1}, false, false, 49152, "Pair2"},
      {"Locked", 2, {0}, true, true, 49155, "Locked1"},
      {"Twice", 3, {2, 1}, false, false, 49152, "Twice2"},
  };
  std::vector<std::vector<TPDFRadioButton*>> made;
  int y = 100;
  for (const Group& g : groups) {
    made.emplace_back();
    for (int i = 0; i < g.buttons; ++i) {
      // The second button of each group sits on the second page.
      if (i == 1 && doc_->GetPageCount() == 1) doc_->NewPage();
      auto* button = new TPDFRadioButton(doc_->GetCurrentPage(), g.name);
      button->SetRect(TRect(100 + 30 * i, y, 120 + 30 * i, y + 20));
      made.back().push_back(button);
    }
    made.back()[0]->ReadOnly = g.readOnly;
    made.back()[0]->Required = g.required;
    if (g.buttons > 2) made.back()[1]->ReadOnly = true;  // only the first button's flags count
    for (int i : g.selected) made.back()[i]->Selected = true;
    y += 40;
  }
  std::vector<Integer> groupIds, firstKid;
  for (const auto& buttons : made) {
    groupIds.push_back(buttons[0]->GetRadioGroup()->ID);
    firstKid.push_back(buttons[0]->ID);
    for (TPDFRadioButton* b : buttons) EXPECT_EQ(b->GetRadioGroup(), buttons[0]->GetRadioGroup());
  }
  EXPECT_EQ(doc_->GetRadioGroupCount(), 4);
  const pdf_checks::PdfFile file = Finish(path);

  for (size_t i = 0; i < std::size(groups); ++i) {
    const Group& g = groups[i];
    SCOPED_TRACE(g.name);
    const int id = groupIds[i];
    EXPECT_EQ(file.Value(id, "/FT"), "/Btn");
    EXPECT_EQ(file.Value(id, "/T"), std::string("(") + g.name + ")");
    EXPECT_EQ(file.Value(id, "/Ff"), std::to_string(g.flags));
    EXPECT_EQ(file.Value(id, "/V"), *g.value ? std::string("/") + g.value : "");
    EXPECT_EQ(file.Value(id, "/DV"), file.Value(id, "/V"));
    const std::string kidList = file.Value(id, "/Kids");
    static const std::regex reference(R"((\d+) 0 R)");
    int k = 0;
    for (std::sregex_iterator it(kidList.begin(), kidList.end(), reference), end; it != end; ++it, ++k) {
      const int kid = std::stoi((*it)[1]);
      const std::string value = std::string(g.name) + std::to_string(k + 1);
      const bool on = *g.value && value == g.value;
      EXPECT_EQ(file.Value(kid, "/AS"), on ? "/" + value : "/Off");
      EXPECT_EQ(file.Value(kid, "/Parent"), std::to_string(id) + " 0 R");
      EXPECT_EQ(file.Value(kid, "/T"), "") << "the kid has no name of its own";
      EXPECT_EQ(file.Value(kid, "/FT"), "");
      EXPECT_EQ(file.Value(kid, "/Ff"), "");
      EXPECT_EQ(file.Value(kid, "/H"), "/T");
      EXPECT_NE(file.Value(kid, "/AP").find("/" + value + " "), std::string::npos);
    }
    EXPECT_EQ(k, g.buttons);
    EXPECT_EQ(std::to_string(firstKid[i]) + " 0 R", kidList.substr(1, kidList.find(" R") + 1));
  }

  // One kid's whole object: a white face with a black border, ZapfDingbats named in the
  // default appearance at size 0, empty Unicode captions for rollover and down.
  const int kid = firstKid[1];
  const auto [on, off] = Appearances(file, kid);
  ASSERT_GT(on, 0);
  EXPECT_EQ(Object(file, kid), std::to_string(kid) + " 0 obj|<</Type /Annot|/Subtype /Widget|/Rect [100 682 120 702]|"
                               "/P 2 0 R|/AS /Off|/MK <</CA (l) /AC (\xFE\xFF)/RC (\xFE\xFF)/BC [0 0 0 ]/BG [1 1 1 ]>>|"
                               "/DA (/F13 0 Tf 0 0 0 rg)|/F 0|/Parent " + std::to_string(groupIds[1]) + " 0 R|"
                               "/AP <</N << /Pair1 " + std::to_string(on) + " 0 R /Off  " + std::to_string(off) +
                               " 0 R >> /D << /Pair1 " + std::to_string(on) + " 0 R /Off  " + std::to_string(off) +
                               " 0 R >> >>|/H /T|/AA <<>>|>>|endobj|");
  EXPECT_EQ(Stream(file, on),
            "q|1 w|1 1 1 rg|0 0 0 RG|19.5 10 m|19.5 15.2467 15.2467 19.5 10 19.5 c|4.7533 19.5 0.5 15.2467 0.5 10 c|"
            "0.5 4.7533 4.7533 0.5 10 0.5 c|15.2467 0.5 19.5 4.7533 19.5 10 c|B|0 0 0 rg|14.5 10 m|"
            "14.5 12.4853 12.4853 14.5 10 14.5 c|7.5147 14.5 5.5 12.4853 5.5 10 c|5.5 7.5147 7.5147 5.5 10 5.5 c|"
            "12.4853 5.5 14.5 7.5147 14.5 10 c|f|BT|/F13 10 Tf|ET|Q|");
  EXPECT_EQ(Stream(file, off),
            "q|1 w|1 1 1 rg|0 0 0 RG|19.5 10 m|19.5 15.2467 15.2467 19.5 10 19.5 c|4.7533 19.5 0.5 15.2467 0.5 10 c|"
            "0.5 4.7533 4.7533 0.5 10 0.5 c|15.2467 0.5 19.5 4.7533 19.5 10 c|B|Q|");

  // The groups are the form's fields, in order; no field calculates.
  const int form = Referenced(file, Catalog(file), "/AcroForm");
  std::string fields = "[";
  for (Integer id : groupIds) fields += std::to_string(id) + " 0 R ";
  EXPECT_EQ(file.Value(form, "/Fields"), fields + "]");
  EXPECT_EQ(file.Value(form, "/CO"), "[]");
  const pdf_checks::ToolResult json = Run("qpdf --json --json-key=acroform " + Quoted(path));
  EXPECT_EQ(json.Err, "");
  EXPECT_NE(json.Out.find("\"value\": \"/Twice2\""), std::string::npos) << json.Out;
}

TEST_F(PdfFormsTest, ExportValues) {
  Begin("values.pdf");
  TPDFPage* page = doc_->GetCurrentPage();
  auto* first = new TPDFRadioButton(page, "Choice");
  auto* second = new TPDFRadioButton(page, "choice");
  EXPECT_EQ(first->GetExportValue(), "Choice1");
  EXPECT_EQ(second->GetExportValue(), "choice2");
  EXPECT_EQ(first->GetRadioGroup(), second->GetRadioGroup());
  EXPECT_EQ(first->GetRadioGroup()->Name, "Choice");

  first->SetExportValue("a b");
  EXPECT_EQ(first->GetExportValue(), "a_b");
  const struct {
    TPDFRadioButton* button;
    const char* value;
    const char* message;
  } refused[] = {
      {second, "A_B", "In this radiogroup such exportvalue present"},
      {second, "A B", "In this radiogroup such exportvalue present"},
      {first, "a_b", "In this radiogroup such exportvalue present"},
      {second, "", "Cannot set empty export value for radiobutton"},
  };
  for (const auto& c : refused) {
    const AnsiString before = c.button->GetExportValue();
    EXPECT_EQ(Refusal([&] { c.button->SetExportValue(c.value); }), c.message) << c.value;
    EXPECT_EQ(c.button->GetExportValue(), before);
  }

  // A new button's number is passed over when another button already has it as its value, so
  // that no two buttons share a value.
  second->SetExportValue("Choice3");
  auto* third = new TPDFRadioButton(page, "Choice");
  EXPECT_EQ(third->GetExportValue(), "Choice4");
  auto* other = new TPDFRadioButton(page, "Other");
  EXPECT_EQ(other->GetExportValue(), "Other1");
  EXPECT_NE(other->GetRadioGroup(), first->GetRadioGroup());
  doc_->Abort();
}

// Export values come from the user: written as names, every byte that a name cannot hold as it
// is, and "#" itself, is written as "#" and two hexadecimal digits.
TEST_F(PdfFormsTest, ExportValuesAreWrittenAsValidNames) {
  const std::string path = Begin("names.pdf");
  TPDFPage* page = doc_->GetCurrentPage();
  const struct {
    const char* value;
    const char* name;
    const char* read;  // as qpdf reads it back, UTF-8
  } cases[] = {
      {"Ja/Nein (#1)", "Ja#2FNein_#28#231#29", "/Ja/Nein_(#1)"},
      // Names are UTF-8 text to readers.
      {"Caf\xE9<>[]{}%", "Caf#C3#A9#3C#3E#5B#5D#7B#7D#25", "/Caf\xC3\xA9<>[]{}%"},
      {"tab\there", "tab#09here", "/tab\there"},
  };
  std::vector<Integer> kids;
  int x = 100;
  for (const auto& c : cases) {
    auto* button = new TPDFRadioButton(page, AnsiString("Group ") + c.value);
    button->SetRect(TRect(x, 100, x + 20, 120));
    button->SetExportValue(c.value);
    button->Selected = true;
    kids.push_back(button->ID);
    x += 40;
  }
  const pdf_checks::PdfFile file = Finish(path);
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(cases[i].value);
    const std::string name = std::string("/") + cases[i].name;
    EXPECT_EQ(file.Value(kids[i], "/AS"), name);
    EXPECT_NE(file.Value(kids[i], "/AP").find("/N << " + name + " "), std::string::npos);
    const int group = Referenced(file, kids[i], "/Parent");
    EXPECT_EQ(file.Value(group, "/V"), name);
    EXPECT_EQ(file.Value(group, "/T"), "(Group " + EscapeSpecialChar(cases[i].value) + ")");
  }
  const pdf_checks::ToolResult json = Run("qpdf --json --json-key=acroform " + Quoted(path));
  for (const auto& c : cases) {
    const std::string read = std::regex_replace(c.read, std::regex("\t"), "\\t");
    EXPECT_NE(json.Out.find("\"appearancestate\": \"" + read + "\""), std::string::npos) << read << json.Out;
  }
}

TEST_F(PdfFormsTest, TheFormListsItsFieldsAndTheCalculatedOnes) {
  const std::string path = Begin("fields.pdf");
  TPDFPage* page = doc_->GetCurrentPage();
  auto* plain = new TTestTextField(page, "Plain");
  plain->SetRect(TRect(100, 100, 300, 120));
  auto* sum = new TTestTextField(page, "Sum");
  sum->SetRect(TRect(100, 140, 300, 160));
  auto* calculate = new TPDFURLAction;
  calculate->SetURL("http://example.org/calculate");
  sum->SetOnCalculate(calculate);
  auto* button = new TPDFButton(page, "Send");
  button->SetRect(TRect(100, 180, 200, 200));
  auto* radio = new TPDFRadioButton(page, "Pick");
  radio->SetRect(TRect(100, 220, 120, 240));
  const Integer group = radio->GetRadioGroup()->ID;
  EXPECT_EQ(doc_->GetAcroForm()->Fields.GetCount(), 3) << "the radio button's group is the field";
  const pdf_checks::PdfFile file = Finish(path);
  const int form = Referenced(file, Catalog(file), "/AcroForm");
  EXPECT_EQ(file.Value(form, "/Fields"), "[3 0 R 4 0 R 6 0 R " + std::to_string(group) + " 0 R ]");
  EXPECT_EQ(file.Value(form, "/CO"), "[4 0 R ]");
  // Both fonts of the appearances are the form's: the caption's and ZapfDingbats.
  const std::string fonts = file.Value(Referenced(file, form, "/DR"), "/Font");
  EXPECT_TRUE(std::regex_match(fonts, std::regex(R"(<</F0 \d+ 0 R /F13 \d+ 0 R >>)"))) << fonts;
  EXPECT_EQ(file.Value(4, "/AA"), "<</C 5 0 R>>");

  // A document without fields has no form.
  Begin("nofields.pdf");
  new TPDFActionAnnotation(doc_->GetCurrentPage());
  const pdf_checks::PdfFile none = Finish(temp_.File("nofields.pdf"));
  EXPECT_EQ(none.Value(Catalog(none), "/AcroForm"), "");
}

TEST_F(PdfFormsTest, EventActions) {
  Begin("events.pdf");
  TPDFPage* page = doc_->GetCurrentPage();
  auto action = [] {
    auto* a = new TPDFURLAction;
    a->SetURL("http://example.org");
    return a;
  };
  auto ref = [](TPDFAction* a) { return std::to_string(a->ID) + " 0 R"; };

  auto* button = new TPDFButton(page, "B");
  EXPECT_EQ(button->GetActionsText(), "/AA <<");
  TPDFAction* activate = action();
  button->SetOnActivate(activate);
  EXPECT_EQ(button->GetActionsText(), "/A " + ref(activate) + "\r\n/AA <<");
  TPDFAction *enter = action(), *exit = action(), *down = action(), *blur = action(), *focus = action();
  // Set in another order than they are written.
  button->SetOnSetFocus(focus);
  button->SetOnLostFocus(blur);
  button->SetOnMouseDown(down);
  button->SetOnMouseExit(exit);
  button->SetOnMouseEnter(enter);
  EXPECT_EQ(button->GetActionsText(), "/A " + ref(activate) + "\r\n/AA <</E " + ref(enter) + "/X " + ref(exit) +
                                          "/D " + ref(down) + "/Bl " + ref(blur) + "/Fo " + ref(focus));
  button->SetOnActivate(nullptr);
  EXPECT_EQ(button->GetActionsText().substr(0, 6), "/AA <<");

  auto* radio = new TPDFRadioButton(page, "R");
  TPDFAction *key = action(), *format = action(), *validate = action(), *calculate = action();
  radio->SetOnCalculate(calculate);
  radio->SetOnValidate(validate);
  radio->SetOnFormat(format);
  radio->SetOnKeyPress(key);
  radio->SetOnMouseEnter(enter);
  EXPECT_EQ(radio->GetActionsText(), "/AA <</E " + ref(enter) + "/K " + ref(key) + "/F " + ref(format) + "/V " +
                                         ref(validate) + "/C " + ref(calculate));
  // Every action given to a field is the document's; one given twice is there once.
  EXPECT_EQ(doc_->GetActions()->GetCount(), 10);
  for (TPDFAction* a : {activate, enter, exit, down, blur, focus, key, format, validate, calculate})
    EXPECT_GT(a->ID, 0);
  doc_->Abort();
}

// Hints, captions and field names are texts readers show: 8-bit text as it is, and Unicode for
// other character sets and for Western letters that PDF's 8-bit text encoding keeps elsewhere.
// Field names are Western text.
TEST_F(PdfFormsTest, TextsInEightBitAndUnicode) {
  const std::string path = Begin("texts.pdf");
  TPDFPage* page = doc_->GetCurrentPage();
  const struct {
    const char* text;
    Byte charset;
    char hint, caption, name;  // '(' literal, '<' hexadecimal, 0 none
    const char* read;          // UTF-8
  } cases[] = {
      {"", 0, 0, '(', '(', ""},
      {"Send (now)", 0, '(', '(', '(', "Send (now)"},
      {"Caf\xE9", 1, '(', '(', '(', "Caf\xC3\xA9"},
      {"\x93" "Send\x94", 0, '<', '<', '<', "\xE2\x80\x9CSend\xE2\x80\x9D"},
      {"\xCF\xEE\xF1\xEB\xE0\xF2\xFC", 204, '<', '<', '(', "\xD0\x9F\xD0\xBE\xD1\x81\xD0\xBB\xD0\xB0\xD1\x82\xD1\x8C"},
  };
  std::vector<Integer> ids;
  int i = 0;
  for (const auto& c : cases) {
    auto* button = new TPDFButton(page, AnsiString("B") + c.text);
    button->SetRect(TRect(100, 100 + 30 * i, 200, 120 + 30 * i));
    button->Hint->Caption = c.text;
    button->Hint->Charset = c.charset;
    button->Caption = c.text;
    button->Font->Charset = c.charset;
    ids.push_back(button->ID);
    ++i;
  }
  const pdf_checks::PdfFile file = Finish(path);
  const pdf_checks::ToolResult json = Run("qpdf --json --json-key=acroform " + Quoted(path));
  for (size_t n = 0; n < std::size(cases); ++n) {
    const auto& c = cases[n];
    SCOPED_TRACE(n);
    const std::string tu = file.Value(ids[n], "/TU");
    EXPECT_EQ(tu.empty() ? 0 : tu[0], c.hint);
    EXPECT_EQ(file.Value(ids[n], "/MK").substr(6, 1), std::string(1, c.caption));  // after "<</CA "
    EXPECT_EQ(file.Value(ids[n], "/T").substr(0, 1), std::string(1, c.name));
    if (c.hint) {
      EXPECT_NE(json.Out.find("\"alternativename\": \"" + std::string(c.read) + "\""), std::string::npos);
    }
    if (c.charset < 3) {
      EXPECT_NE(json.Out.find("\"fullname\": \"B" + std::string(c.read) + "\""), std::string::npos);
    }
  }
}

// The appearances as poppler and Ghostscript draw them, also in an encrypted file: a raised
// button with its caption, a selected and an unselected radio button. Ghostscript draws what is
// printed, so the fields carry the print flag. The encrypted file keeps its actions.
TEST_F(PdfFormsTest, ReadersDrawTheAppearances) {
  for (bool encrypted : {false, true}) {
    SCOPED_TRACE(encrypted ? "encrypted" : "plain");
    doc_->SetProtectionEnabled(encrypted);
    doc_->SetUserPassword(encrypted ? "user" : "");
    doc_->SetOwnerPassword(encrypted ? "owner" : "");
    doc_->SetCompression(ctFlate);
    doc_->SetAutoCreateURL(true);
    const std::string password = encrypted ? "user" : "";
    const std::string path = Begin(encrypted ? "secret-fields.pdf" : "fields.pdf");
    TPDFPage* page = doc_->GetCurrentPage();
    doc_->GetCanvas()->TextOut(100, 300, "Read http://example.org/link");
    auto* button = new TPDFButton(page, "Send");
    button->SetRect(TRect(100, 100, 300, 160));
    button->Caption = "Send the book";
    button->Font->Size = 14;
    button->Flags = {afPrint};
    auto* go = new TPDFURLAction;
    go->SetURL("http://example.org/send");
    button->SetOnActivate(go);
    auto* on = new TPDFRadioButton(page, "Testament");
    on->SetRect(TRect(100, 200, 120, 220));
    on->Selected = true;
    on->Flags = {afPrint};
    auto* off = new TPDFRadioButton(page, "Testament");
    off->SetRect(TRect(130, 200, 150, 220));
    off->Flags = {afPrint};
    Finish(path, password);

    for (const char* reader : {"poppler", "gs"}) {
      SCOPED_TRACE(reader);
      // Four pixels to the point.
      const pdf_checks::Raster r = std::string(reader) == "gs" ? pdf_checks::RenderPageGs(path, 1, 288, password)
                                                               : pdf_checks::RenderPage(path, 1, 288, password);
      ASSERT_EQ(r.Width, 595 * 4);
      const auto gray = [](unsigned pixel, int level) {
        return std::abs(static_cast<int>(pixel >> 16) - level) <= 8 &&
               std::abs(static_cast<int>(pixel >> 8 & 255) - level) <= 8 &&
               std::abs(static_cast<int>(pixel & 255) - level) <= 8;
      };
      // The button spans 400 to 1200 by 400 to 640 pixels.
      EXPECT_TRUE(gray(r.Pixel(401, 500), 0)) << "border " << std::hex << r.Pixel(401, 500);
      EXPECT_TRUE(gray(r.Pixel(403, 500), 255)) << "highlight " << std::hex << r.Pixel(403, 500);
      EXPECT_TRUE(gray(r.Pixel(600, 403), 255)) << "highlight " << std::hex << r.Pixel(600, 403);
      EXPECT_TRUE(gray(r.Pixel(1196, 500), 115)) << "shadow " << std::hex << r.Pixel(1196, 500);
      EXPECT_TRUE(gray(r.Pixel(600, 637), 115)) << "shadow " << std::hex << r.Pixel(600, 637);
      EXPECT_TRUE(gray(r.Pixel(1198, 500), 0)) << "border " << std::hex << r.Pixel(1198, 500);
      EXPECT_TRUE(gray(r.Pixel(450, 520), 192)) << "face " << std::hex << r.Pixel(450, 520);
      // The caption (about 91 points wide): dark pixels in the middle of the face, none near its
      // ends.
      int dark = 0, outside = 0;
      for (int y = 420; y < 620; ++y)
        for (int x = 420; x < 1180; ++x)
          if (gray(r.Pixel(x, y), 0)) (x > 560 && x < 1040 && y > 480 && y < 570 ? dark : outside)++;
      EXPECT_GT(dark, 1000);
      EXPECT_EQ(outside, 0);
      // The radio buttons, centres at (440, 840) and (560, 840).
      EXPECT_TRUE(gray(r.Pixel(440, 840), 0)) << "selected " << std::hex << r.Pixel(440, 840);
      EXPECT_TRUE(gray(r.Pixel(440 + 26, 840), 255)) << "face " << std::hex << r.Pixel(466, 840);
      EXPECT_TRUE(gray(r.Pixel(440 + 38, 840), 0)) << "rim " << std::hex << r.Pixel(478, 840);
      EXPECT_TRUE(gray(r.Pixel(560, 840), 255)) << "unselected " << std::hex << r.Pixel(560, 840);
      EXPECT_TRUE(gray(r.Pixel(560 + 38, 840), 0)) << "rim " << std::hex << r.Pixel(598, 840);
    }

    // Readers open the file with the user password and find the fields' texts and actions.
    const pdf_checks::ToolResult json =
        Run("qpdf --json --json-key=qpdf" + std::string(encrypted ? " --password=user " : " ") + Quoted(path));
    for (const char* text : {"\"/URI\": \"u:http://example.org/send\"", "\"/URI\": \"u:http://example.org/link\"",
                              "\"/T\": \"u:Send\"",
                              "\"/T\": \"u:Testament\"", "\"/CA\": \"u:Send the book\"",
                              "\"/DA\": \"u:/F0 14 Tf 0 0 0 rg\"", "\"/AS\": \"/Testament1\""})
      EXPECT_NE(json.Out.find(text), std::string::npos) << text;
  }
}

// Appearances have the widget's size in points at any resolution of the page canvas, and the
// caption keeps its place in them.
TEST_F(PdfFormsTest, AppearancesFitTheWidgetAtAnyResolution) {
  std::vector<std::string> captions;
  for (Integer resolution : {72, 96}) {
    SCOPED_TRACE(resolution);
    doc_->SetResolution(resolution);
    const std::string path = Begin("size" + std::to_string(resolution) + ".pdf");
    auto* button = new TPDFButton(doc_->GetCurrentPage(), "B");
    // 150 by 30 points.
    button->SetRect(TRect(100 * resolution / 72, 100 * resolution / 72, 250 * resolution / 72, 130 * resolution / 72));
    button->Caption = "Middle";
    const pdf_checks::PdfFile file = Finish(path);
    EXPECT_EQ(file.Value(3, "/Rect"), "[100 712 250 742]");
    const auto [up, down] = Appearances(file, 3);
    EXPECT_EQ(file.Value(up, "/BBox"), "[0 0 150 30]");
    EXPECT_EQ(file.Value(down, "/BBox"), "[0 0 150 30]");
    std::smatch m;
    const std::string content = file.Objects.at(up).Stream;
    ASSERT_TRUE(std::regex_search(content, m, std::regex(R"(1 0 0 1 \S+ \S+ Tm)")));
    captions.push_back(m[0]);
  }
  EXPECT_EQ(captions[0], captions[1]);
}

TEST_F(PdfFormsTest, OddRectanglesAndFaces) {
  const std::string path = Begin("odd.pdf");
  TPDFPage* page = doc_->GetCurrentPage();
  // No width: both appearances are still written; the bevel runs outside the box.
  auto* flat = new TPDFButton(page, "Flat");
  flat->SetRect(TRect(100, 100, 100, 120));
  auto* white = new TPDFButton(page, "White");
  white->SetRect(TRect(100, 200, 200, 220));
  white->BackgroundColor = clWhite;
  auto* thin = new TPDFRadioButton(page, "Thin");
  thin->SetRect(TRect(100, 300, 120, 300));
  const pdf_checks::PdfFile file = Finish(path);
  const auto [flatUp, flatDown] = Appearances(file, 3);
  EXPECT_EQ(file.Value(flatUp, "/BBox"), "[0 0 0 20]");
  EXPECT_EQ(file.Value(flatDown, "/BBox"), "[0 0 0 20]");
  EXPECT_NE(Stream(file, flatUp).find("|-0.5 19.5 m|"), std::string::npos) << Stream(file, flatUp);
  // Light components of a white face go above 1 as computed.
  const auto [whiteUp, whiteDown] = Appearances(file, 4);
  EXPECT_NE(Stream(file, whiteUp).find("|1.4 1.4 1.4 rg|"), std::string::npos);
  EXPECT_NE(Stream(file, whiteDown).find("|1.4 1.4 1.4 RG|"), std::string::npos);
  const auto [thinOn, thinOff] = Appearances(file, 5);
  EXPECT_EQ(file.Value(thinOn, "/BBox"), "[0 0 20 0]");
  EXPECT_GT(thinOff, 0);
}

}  // namespace
