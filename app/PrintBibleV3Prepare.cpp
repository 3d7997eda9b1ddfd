// Print Bible: "P&repare print", laying both testament documents out into their page files, and
// what every long run shares (its status, &Stop).
#include <memory>

#include "app/PrintBibleV3Run.h"
#include "app/PrintBibleV3Unit.h"
#include "classlib/ComCtrls.h"
#include "classlib/StdCtrls.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "core/MyRegistry.h"
#include "core/ScripturesUnit.h"
#include "pdf/PDF.h"
#include "richtext/edit/UVEdit.h"
#include "tools/BibleText.h"

TPrintBibleV3Dialog::TRun::TRun(TPrintBibleV3Dialog& dialog) : dialog_(dialog), outer_(!dialog.running_) {
  if (!outer_) return;
  dialog_.running_ = true;
  dialog_.stopRequested_ = false;
  for (TControl* control : std::initializer_list<TControl*>{dialog_.PageControl1, dialog_.ProduceButton,
                                                            dialog_.PreparePrintButton, dialog_.PrintButton,
                                                            dialog_.OKBtn})
    control->SetEnabled(false);
  dialog_.StopButton->SetEnabled(true);
}

TPrintBibleV3Dialog::TRun::~TRun() {
  if (!outer_) return;
  for (TControl* control : std::initializer_list<TControl*>{dialog_.PageControl1, dialog_.ProduceButton,
                                                            dialog_.PreparePrintButton, dialog_.PrintButton,
                                                            dialog_.OKBtn})
    control->SetEnabled(true);
  dialog_.StopButton->SetEnabled(false);
  dialog_.running_ = false;
  dialog_.stopRequested_ = false;
}

void TPrintBibleV3Dialog::StopButtonClick(TObject*) {
  if (running_) stopRequested_ = true;
}

void TPrintBibleV3Dialog::RunStatus(const AnsiString& text) {
  ShowStatus(text);
  // The window stays alive while the run works: it paints, and &Stop is heard.
  Application->ProcessMessages();
  if (stopRequested_) Abort();
}

void TPrintBibleV3Dialog::PreparePrintButtonClick(TObject*) {
  if (CountSelectedBooks(2) == 0) {
    ShowStatus("No books selected");
    ::MessageBeep(MB_OK);
    return;
  }
  if (!produced_) ProduceButtonClick(this);
  if (!produced_) return;
  ShowStatus("Formatting text for printing ...");
  if (!prepared_ && !Prepare()) return;
  PageControl1->SetActivePage(PrintingSheet);
  LoadPrintOptions();
  ShowStatus("Ready for printing");
}

bool TPrintBibleV3Dialog::Prepare() {
  TRun run(*this);
  THyphenationSettings hyphenation;
  hyphenation.Rule = MyReg->GetHyphenationRule();
  hyphenation.MinimumDistance = MyReg->GetNoHyphenationLength();
  hyphenation.Consonants = consonants_;
  hyphenation.Vowels = vowels_;
  hyphenationList_.LoadFromFile(scripture_->WorkFolder + "HyphenatedWords.txt");
  hyphenation.List = &hyphenationList_;
  try {
    for (Integer testament = 0; testament < 2; ++testament) {
      layouts_[testament] = TTestamentLayout();
      TUzurUvadBibleText text(Editor(testament));
      if (text.ItemCount() > 1) {
        layouts_[testament] =
            TypesetTestament(text, starts_[testament], UVStyle1, page_.Geometry, PDFDocument1->GetResolution(),
                             lineSpacing_, hyphenation, TestamentName(testament), PageFileName(testament),
                             [this](const AnsiString& status) { RunStatus(status); });
      } else {
        // An empty testament has an empty page file.
        TFileStream(PageFileName(testament), fmCreate);
      }
    }
  } catch (const EAbort&) {
    ShowStatus("Stopped");
    return false;
  } catch (const Exception& e) {
    ShowStatus("");
    Application->MessageBox(e.Message, GetCaption(), MB_OK | MB_ICONERROR);
    return false;
  }
  prepared_ = true;
  return true;
}
