#include "app/SFMToBibleWorksUnit.h"

#include <memory>

#include "app/ImportTextFileDialog.h"
#include "classlib/ComCtrls.h"
#include "classlib/Dialogs.h"
#include "classlib/FormTextReader.h"
#include "classlib/StdCtrls.h"
#include "core/ScripturesUnit.h"
#include "richtext/edit/UVEdit.h"
#include "tools/BibleWorksConversion.h"
#include "tools/EditorText.h"

extern const char SFMToBibleWorksUnitFormText[];

PUBLISHED(TSFMToBibleWorksDlg) {
  Field("VersionsComboBox", &TSFMToBibleWorksDlg::VersionsComboBox);
  Field("UzurUvadEdit1", &TSFMToBibleWorksDlg::UzurUvadEdit1);
  Field("ConvertBtn", &TSFMToBibleWorksDlg::ConvertBtn);
  Field("SaveBtn", &TSFMToBibleWorksDlg::SaveBtn);
  Field("CloseBtn", &TSFMToBibleWorksDlg::CloseBtn);
  Field("StatusBar1", &TSFMToBibleWorksDlg::StatusBar1);
  Method("FormCreate", &TSFMToBibleWorksDlg::FormCreate);
  Method("FormDestroy", &TSFMToBibleWorksDlg::FormDestroy);
  Method("VersionsComboBoxChange", &TSFMToBibleWorksDlg::VersionsComboBoxChange);
  Method("ConvertBtnClick", &TSFMToBibleWorksDlg::ConvertBtnClick);
  Method("SaveBtnClick", &TSFMToBibleWorksDlg::SaveBtnClick);
}

TSFMToBibleWorksDlg::TSFMToBibleWorksDlg(TComponent* AOwner) : TForm(AOwner) {
  ReadComponentFromText(this, SFMToBibleWorksUnitFormText);
}

TSFMToBibleWorksDlg::~TSFMToBibleWorksDlg() = default;

void TSFMToBibleWorksDlg::ShowStatus(const AnsiString& text) {
  StatusBar1->SetSimpleText(text);
  StatusBar1->Update();
}

void TSFMToBibleWorksDlg::Refuse(const AnsiString& text) {
  ShowStatus(text);
  MessageBeep(0);
}

void TSFMToBibleWorksDlg::FormCreate(TObject*) {
  UzurUvadEdit1->Clear();
  Scriptures = new TAllScriptures();
  VersionsComboBox->GetItems()->Assign(Scriptures->FullNames);
  if (Scriptures->FullNames->GetCount() == 0) UzurUvadEdit1->AddNL("No versions found", 0, 0);
  UzurUvadEdit1->Format();
}

void TSFMToBibleWorksDlg::FormDestroy(TObject*) {
  Work.Stop();
  Conversion.reset();
  Project.reset();
  delete Scriptures;
  Scriptures = nullptr;
}

void TSFMToBibleWorksDlg::VersionsComboBoxChange(TObject*) {
  std::unique_ptr<TScripture> project(new TScripture(this, VersionsComboBox->GetItemIndex()));
  UzurUvadEdit1->Clear();
  if (project->BookNames->GetCount() == 0) {
    UzurUvadEdit1->AddNL("No books found", 0, 0);
  } else {
    UzurUvadEdit1->AddNL("Available books:", 0, 0);
    for (Integer i = 0; i < project->BookNames->GetCount(); ++i)
      UzurUvadEdit1->AddNL(project->BookNames->GetStrings(i), 0, 0);
  }
  UzurUvadEdit1->Format();
}

namespace {

// Lines put into the editor in one step; laying them out keeps within the step.
constexpr std::size_t kLinesPerStep = 2000;

}  // namespace

void TSFMToBibleWorksDlg::ConvertBtnClick(TObject*) {
  if (Work.Running()) return;
  if (VersionsComboBox->GetItemIndex() < 0) return Refuse("First select a version");
  Project.reset(new TScripture(this, VersionsComboBox->GetItemIndex()));
  if (Project->BookFiles->GetCount() == 0) {
    Project.reset();
    return Refuse("No books available");
  }
  ShowStatus("Loading all books ...");
  Conversion.reset(new TSFMToBibleWorks([this](const AnsiString& name) { ShowStatus("Converting " + name); }));
  NextBook = 0;
  NextLine = 0;
  Filling = false;
  SetConverting(true);
  Work.Start([this](const TWorkSteps::TSpent& spent) { return ConvertStep(spent); }, [this] { ConversionEnded(); },
             [this] { ConversionEnded(); });
}

bool TSFMToBibleWorksDlg::ConvertStep(const TWorkSteps::TSpent& spent) {
  // The books, one after the other into one conversion.
  while (NextBook < Project->BookFiles->GetCount()) {
    const Integer i = NextBook++;
    const AnsiString file = Project->BookFiles->GetStrings(i);
    AnsiString bytes;
    if (!ReadResultFile(file, bytes)) {
      Refuse("The file " + file + " could not be read");
      return true;
    }
    const TextLines lines = SplitTextLines(bytes);
    const AnsiString problem = CheckLineLengths(lines);
    if (!problem.empty()) {
      Refuse(Project->BookNames->GetStrings(i) + ": " + problem);
      return true;
    }
    Conversion->Add(lines);
    if (spent()) return false;
  }
  const bool first = !Filling;
  if (first) {
    // Every book converted: the editor shows the result from now on, laid out as it grows.
    UzurUvadEdit1->Clear();
    ShowStatus("Formatting result ...");
    Filling = true;
  }
  const TextLines& output = Conversion->Output();
  const std::size_t end = std::min(output.size(), NextLine + kLinesPerStep);
  for (; NextLine < end; ++NextLine) UzurUvadEdit1->AddNL(output[NextLine], 0, 0);
  // The first lines are laid out as a whole document (an editor laid out empty would get an empty
  // line of its own), the ones after them as its tail.
  if (first)
    UzurUvadEdit1->Format();
  else
    UzurUvadEdit1->GetUVData()->Format(false, false, false, 0, nullptr, true, false);
  if (NextLine < output.size()) return false;
  ShowStatus("Ready");
  return true;
}

void TSFMToBibleWorksDlg::ConversionEnded() {
  Conversion.reset();
  Project.reset();
  SetConverting(false);
}

void TSFMToBibleWorksDlg::SetConverting(bool converting) {
  TWinControl* const controls[] = {VersionsComboBox, ConvertBtn, SaveBtn};
  for (TWinControl* control : controls) {
    if (converting && control->Focused()) CloseBtn->SetFocus();
    control->SetEnabled(!converting);
  }
}

void TSFMToBibleWorksDlg::DoClose(TCloseAction& Action) {
  if (Work.Running()) {
    Work.Stop();
    ConversionEnded();
  }
  TForm::DoClose(Action);
}

void TSFMToBibleWorksDlg::SaveBtnClick(TObject*) {
  AnsiString fileName;
  if (!ChooseImportTextFile(this, fileName)) return;
  ShowStatus("Saving ...");
  const AnsiString problem = WriteResultFile(fileName, DocumentText(UzurUvadEdit1));
  if (!problem.empty()) return Refuse(problem);
  UzurUvadEdit1->Clear();
  UzurUvadEdit1->Format();
  ShowStatus("Ready");
}
