// Every window of the program, made as the program makes it, with the program's fonts at 96 dpi:
// the caption of each label, check box and radio button (the box and its gap besides) fits in
// the room its control has and its parents show, measured as DrawText measures it and as far as
// it draws ink, so that no letter is cut off. Every failing caption is listed with its window,
// control, text and the room it needs and has. The table of windows covers every form text in the
// sources; a window added without an entry fails here. With PELORIN_SCREENSHOTS set, a picture
// of each window and each page of its page controls is saved.
#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "app/AdvancedSearchUnit.h"
#include "app/BibleWorksSettingsUnit.h"
#include "app/CheckListsUnit.h"
#include "app/Compare.h"
#include "app/CompareNamesUnit.h"
#include "app/ConversionVariablesUnit.h"
#include "app/ConvertBibleWorksToParatextUnit.h"
#include "app/ExceptionsUnit.h"
#include "app/FloraAndFaunaUnit.h"
#include "app/FontDialogUnit.h"
#include "app/FontsDialogUnit.h"
#include "app/IdleWait.h"
#include "app/KeyWordsEditUnit.h"
#include "app/MechanicalSettingsUnit.h"
#include "app/NamesList.h"
#include "app/OTNTDialogUnit.h"
#include "app/OnlineBibleToBibleWorksUnit.h"
#include "app/ParatextSettingsUnit.h"
#include "app/PrintBibleV3Unit.h"
#include "app/PrintGeneralLists.h"
#include "app/PrintVersionsUnit.h"
#include "app/ProgramSettingsUnit.h"
#include "app/ProgramsLink.h"
#include "app/ReferenceExchangeRun.h"
#include "app/RemovalSpellingErrorsUnit.h"
#include "app/SFMToBibleWorksUnit.h"
#include "app/SaveBookDialogUnit.h"
#include "app/SentenceSettingsUnit.h"
#include "app/SpellingHelperState.h"
#include "app/SpellingSettingsUnit.h"
#include "app/TNEConvertUnit.h"
#include "app/TasksDialogUnit.h"
#include "app/TextToSFM.h"
#include "app/UnitMain.h"
#include "app/UnwantedWordsUnit.h"
#include "app/VersionManagementUnit.h"
#include "app/editor/ExtraPageEditor.h"
#include "app/tests/support/AppTestSupport.h"
#include "app/tests/support/FakeHost.h"
#include "classlib/ComCtrls.h"
#include "classlib/ExtCtrls.h"
#include "classlib/Forms.h"
#include "classlib/StdCtrls.h"
#include "core/ExcludeBooksUnit.h"
#include "spell/lx3ConfigurationDialog.h"
#include "spell/lx3CustomDictionariesDialog.h"
#include "spell/lx3CustomDictionaryEditDialog.h"
#include "spell/lx3NewCustomDictionaryDialog.h"
#include "spell/lx3SpellDialog.h"
#include "tests/support/TestSupport.h"

namespace {

using namespace app_testing;

// The other programs the tasks dialog asks about: none runs.
struct NoPeers : TLinkPeers {
  bool WindowExists(const AnsiString&) override { return false; }
  AnsiString FocusReference() override { return {}; }
  bool BibleWorksLinked() override { return false; }
  bool OpenBibleWorksLink(const AnsiString&, const AnsiString&) override { return false; }
  void SendToBibleWorks(const AnsiString&) override {}
  AnsiString AskBibleWorks(const AnsiString&) override { return {}; }
};

// What the windows that are given parts of the main window are given.
struct WindowParts {
  WindowParts() : link(peers, "bw500"), waits(nullptr, false), exchange(waits, nullptr) {}
  Background background;
  NoPeers peers;
  TProgramsLink link;
  TIdleWaits waits;
  TReferenceExchangeRun exchange;
  TSpellingHelperState helper;
  std::unique_ptr<TStringList> ignored{new TStringList()};
  std::unique_ptr<TStringList> results{new TStringList()};
};

struct FormMaker {
  const char* className;
  std::function<TCustomForm*(WindowParts&)> make;
};

template <class T>
FormMaker Plain(const char* className) {
  return {className, [](WindowParts&) -> TCustomForm* { return new T(nullptr); }};
}

// Every window whose form text is built into the program.
const std::vector<FormMaker>& FormMakers() {
  static const std::vector<FormMaker> makers = {
      {"TMainScreen", [](WindowParts&) -> TCustomForm* { return new TMainScreen(Application); }},
      Plain<TAdvancedSearchForm>("TAdvancedSearchForm"),
      Plain<TBibleWorksSettingsDialog>("TBibleWorksSettingsDialog"),
      Plain<TCheckListsDialog>("TCheckListsDialog"),
      Plain<TCompareDlg>("TCompareDlg"),
      Plain<TCompareNamesDialog>("TCompareNamesDialog"),
      Plain<TConversionVariablesDlg>("TConversionVariablesDlg"),
      Plain<TConvertBibleWorksToParatextDlg>("TConvertBibleWorksToParatextDlg"),
      {"TDlgExceptions",
       [](WindowParts& p) -> TCustomForm* { return new TDlgExceptions(nullptr, p.ignored.get(), p.results.get()); }},
      Plain<TFloraAndFaunaDlg>("TFloraAndFaunaDlg"),
      Plain<TBibleSettingsDialog>("TBibleSettingsDialog"),
      Plain<TFontsDialog>("TFontsDialog"),
      Plain<TKeyWordsEditDialog>("TKeyWordsEditDialog"),
      Plain<TMechanicalSettingsDialog>("TMechanicalSettingsDialog"),
      Plain<TNamesListDlg>("TNamesListDlg"),
      Plain<TOTNTDialog>("TOTNTDialog"),
      Plain<TOnlineBibleToBibleWorksDialog>("TOnlineBibleToBibleWorksDialog"),
      Plain<TParatextSettingsDialog>("TParatextSettingsDialog"),
      Plain<TPrintBibleV3Dialog>("TPrintBibleV3Dialog"),
      Plain<TPrintGeneralListDialog>("TPrintGeneralListDialog"),
      Plain<TPrintVersionsDlg>("TPrintVersionsDlg"),
      Plain<TProgramSettingsDlg>("TProgramSettingsDlg"),
      Plain<TRemovalSpellingErrorsDlg>("TRemovalSpellingErrorsDlg"),
      Plain<TSFMToBibleWorksDlg>("TSFMToBibleWorksDlg"),
      {"TParatextIsRunningDialog",
       [](WindowParts& p) -> TCustomForm* { return new TParatextIsRunningDialog(nullptr, p.background.Host, 1); }},
      Plain<TSentenceSettings>("TSentenceSettings"),
      {"TSpellingSettingsDialog",
       [](WindowParts& p) -> TCustomForm* {
         return new TSpellingSettingsDialog(nullptr, nullptr, p.background.Book.get());
       }},
      Plain<TTNEConvertDialog>("TTNEConvertDialog"),
      {"TTasksDlg",
       [](WindowParts& p) -> TCustomForm* { return new TTasksDlg(nullptr, p.link, p.exchange, p.helper); }},
      Plain<TTextToSFMDialog>("TTextToSFMDialog"),
      Plain<TUnwantedWordsDlg>("TUnwantedWordsDlg"),
      Plain<TVersionManagementDlg>("TVersionManagementDlg"),
      Plain<TExtraPageEditor>("TExtraPageEditor"),
      Plain<TExcludeBooksDialog>("TExcludeBooksDialog"),
      Plain<TSpellCheckConfigDialog>("TSpellCheckConfigDialog"),
      Plain<TCustomDictionariesDialog>("TCustomDictionariesDialog"),
      Plain<TCustomDictionaryEditDialog>("TCustomDictionaryEditDialog"),
      Plain<TNewCustomDictionary>("TNewCustomDictionary"),
      Plain<TSpellDialog>("TSpellDialog"),
  };
  return makers;
}

// The class of the window each form text below `folder` describes (its first line,
// "object Name: TClass"), with the file it is in; the tests' own folders are passed over.
void FormTextClasses(const std::string& folder, std::vector<std::pair<std::string, std::string>>& found) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    const std::string name = data.cFileName;
    if (name == "." || name == ".." || name == "tests" || name == "build") continue;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      FormTextClasses(folder + name + "\\", found);
    } else if (name.size() > 4 && name.compare(name.size() - 4, 4, ".dfm") == 0) {
      const std::string text = testing_support::ReadFileBytes(folder + name);
      const std::string first = text.substr(0, text.find_first_of("\r\n"));
      const std::size_t colon = first.find(':');
      found.emplace_back(colon == std::string::npos ? first : first.substr(colon + 2), folder + name);
    }
  } while (FindNextFileA(find, &data));
  FindClose(find);
}

// A caption that does not fit: where, what, and the room it needs and has.
struct Cut {
  std::string form, control, text;
  int neededWidth, givenWidth, neededHeight, givenHeight;
};

std::string Describe(const Cut& c) {
  std::ostringstream out;
  out << c.form << "." << c.control << " \"" << c.text << "\": needs " << c.neededWidth << " x " << c.neededHeight
      << ", has " << c.givenWidth << " x " << c.givenHeight;
  return out.str();
}

// The room the system's button takes for the box of a check box or radio button and the gap
// between it and the caption, at 96 dpi.
constexpr int kBoxRoom = 18;

// The room the text takes in the font, laid out as DrawText lays it out (with WordWrap inside
// `width`): as it measures it (DT_CALCRECT), and as far as it draws ink. Under Wine the two
// differ for the program's fonts, drawn a few pixels wider than measured, so the wider counts.
SIZE TextRoom(TFont* font, const AnsiString& text, bool wordWrap, int width, bool prefix) {
  const UINT flags = DT_EXPANDTABS | (wordWrap ? DT_WORDBREAK : 0) | (prefix ? 0 : DT_NOPREFIX);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HGDIOBJ oldFont = SelectObject(dc, font->GetHandle());
  RECT measured{0, 0, wordWrap ? width : 0, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &measured, flags | DT_CALCRECT);
  // Drawn in black on white with room to spare on the right: the last column with ink.
  const int margin = 40;
  const int w = std::max<int>(measured.right, width) + 2 * margin, h = measured.bottom + margin;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  RECT all{0, 0, w, h};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  RECT drawn{margin, 0, margin + (wordWrap ? width : measured.right), h};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &drawn, flags | DT_NOCLIP);
  GdiFlush();
  const auto* pixels = static_cast<const DWORD*>(bits);
  int inkRight = 0;
  for (int x = w - 1; x >= 0 && !inkRight; --x)
    for (int y = 0; y < h; ++y)
      if ((pixels[y * w + x] & 0xFFFFFF) != 0xFFFFFF) {
        inkRight = x + 1 - margin;
        break;
      }
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  SelectObject(dc, oldFont);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return SIZE{std::max<LONG>(measured.right, inkRight), measured.bottom};
}

// The control's rectangle in its form's client area, cut to what its parents show.
RECT ShownRect(TControl* control) {
  RECT shown{control->GetLeft(), control->GetTop(), control->GetLeft() + control->GetWidth(),
             control->GetTop() + control->GetHeight()};
  for (TWinControl* parent = control->GetParent(); parent && !dynamic_cast<TCustomForm*>(parent);
       parent = parent->GetParent()) {
    const TRect client = parent->GetClientRect();
    shown.left = std::max<LONG>(shown.left, client.Left);
    shown.top = std::max<LONG>(shown.top, client.Top);
    shown.right = std::min<LONG>(shown.right, client.Right);
    shown.bottom = std::min<LONG>(shown.bottom, client.Bottom);
    OffsetRect(&shown, parent->GetLeft(), parent->GetTop());
  }
  if (auto* form = dynamic_cast<TCustomForm*>(control->GetParent())) {
    const TRect client = form->GetClientRect();
    shown.right = std::min<LONG>(shown.right, client.Right);
    shown.bottom = std::min<LONG>(shown.bottom, client.Bottom);
  }
  return shown;
}

std::string NameOf(TControl* control) {
  if (!control->GetName().empty()) return control->GetName();
  // A radio group's buttons have no names: they are its lines.
  TWinControl* parent = control->GetParent();
  if (auto* group = dynamic_cast<TCustomRadioGroup*>(parent))
    for (int i = 0; i < group->GetItems()->GetCount(); ++i)
      if (group->GetButton(i) == control) return group->GetName() + ".Items[" + std::to_string(i) + "]";
  return (parent ? NameOf(parent) : std::string("?")) + ".(" + control->ClassName() + ")";
}

// Measures the caption of every label, check box and radio button below `parent`, each page of a
// page control while it is the page shown, and saves a picture of each page.
void CheckCaptions(TCustomForm* form, const std::string& name, TWinControl* parent, std::vector<Cut>& cuts) {
  for (int i = 0; i < parent->GetControlCount(); ++i) {
    TControl* control = parent->GetControls(i);
    if (auto* pages = dynamic_cast<TPageControl*>(control)) {
      for (int p = 0; p < pages->GetPageCount(); ++p) {
        pages->SetActivePageIndex(p);
        testing_support::PumpFor(20);
        CheckCaptions(form, name, pages->GetPages(p), cuts);
        testing_support::SaveScreenshot(form->GetHandle(), "form-" + name + "-" + pages->GetPages(p)->GetName());
      }
      if (pages->GetPageCount() > 0) pages->SetActivePageIndex(0);
      continue;
    }
    if (auto* child = dynamic_cast<TWinControl*>(control)) CheckCaptions(form, name, child, cuts);
    const AnsiString text = control->GetCaption();
    if (text.empty()) continue;
    int reserved = 0;
    bool wordWrap = false, prefix = true;
    if (auto* label = dynamic_cast<TCustomLabel*>(control)) {
      wordWrap = label->GetWordWrap();
      prefix = label->GetShowAccelChar();
    } else if (dynamic_cast<TCustomCheckBox*>(control) || dynamic_cast<TRadioButton*>(control)) {
      wordWrap = static_cast<TButtonControl*>(control)->GetWordWrap();
      reserved = kBoxRoom;
    } else {
      continue;
    }
    const RECT shown = ShownRect(control);
    const int givenWidth = std::max<int>(0, shown.right - shown.left);
    const int givenHeight = std::max<int>(0, shown.bottom - shown.top);
    const SIZE needed = TextRoom(control->GetFont(), text, wordWrap, control->GetWidth() - reserved, prefix);
    const int neededWidth = static_cast<int>(needed.cx) + reserved;
    // A check box centres its one line in its height: a line taller than the box loses nothing
    // that shows, so only a wrapped caption's lines are held against its height.
    const bool tooTall = needed.cy > givenHeight && (reserved == 0 || wordWrap || text.find('\n') != AnsiString::npos);
    if (neededWidth > givenWidth || tooTall)
      cuts.push_back({name, NameOf(control), text, neededWidth, givenWidth, static_cast<int>(needed.cy), givenHeight});
  }
}

class CaptionsFitTest : public AppTest {};

TEST_F(CaptionsFitTest, EveryFormTextHasItsWindowInTheTable) {
  std::vector<std::pair<std::string, std::string>> forms;
  for (const char* folder : {"app", "core", "tools", "spell", "controls", "syscomp", "richtext", "pdf", "classlib"})
    FormTextClasses(std::string("Z:") + PELORIN_SOURCE_DIR + folder + "\\", forms);
  ASSERT_GE(forms.size(), FormMakers().size());
  std::set<std::string> known;
  for (const FormMaker& maker : FormMakers()) known.insert(maker.className);
  for (const auto& [className, file] : forms) EXPECT_TRUE(known.count(className)) << file << " makes " << className;
}

TEST_F(CaptionsFitTest, EveryCaptionFitsItsControl) {
  std::vector<Cut> cuts;
  for (const FormMaker& maker : FormMakers()) {
    SCOPED_TRACE(maker.className);
    WindowParts parts;
    std::unique_ptr<TCustomForm> form(maker.make(parts));
    ASSERT_TRUE(form);
    form->AfterConstruction();
    form->Show();
    testing_support::PumpFor(20);
    const std::string name = std::string(maker.className).substr(1);
    testing_support::SaveScreenshot(form->GetHandle(), "form-" + name);
    CheckCaptions(form.get(), name, form.get(), cuts);
    form->Hide();
  }
  std::string list;
  for (const Cut& cut : cuts) list += "\n  " + Describe(cut);
  EXPECT_TRUE(cuts.empty()) << cuts.size() << " captions do not fit:" << list;
}

}  // namespace
