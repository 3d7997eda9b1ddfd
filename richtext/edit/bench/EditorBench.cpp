// The Book of Psalms in an editor on a shown form: loaded as the main window loads a book (plain
// text, one paragraph a line) and as a styled document, each laid out and painted, then 1,000
// characters typed in the middle as key messages, each one painted before the next (and 1,000 more
// without painting, as the window paints once when keys come faster than it). Prints the time of
// each step.
#include <chrono>
#include <cstdio>

#include "classlib/Forms.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/bench/BibleDocument.h"
#include "richtext/edit/UVEdit.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

// Types Count characters (words of a verse and their spaces) at the caret, painting after each
// when asked.
double TypeInTheMiddle(VUzurUvadEdit* Editor, Integer Count, bool Paint) {
  Integer middle = Editor->GetItemCount() / 2;
  while (middle < Editor->GetItemCount() && Editor->GetItemText(middle).size() < 10) ++middle;
  Editor->SetSelectionBounds(middle, 5, middle, 5);
  Application->ProcessMessages();
  const char kWords[] = "and the LORD said unto me ";
  auto start = std::chrono::steady_clock::now();
  for (Integer i = 0; i < Count; ++i) {
    char c = kWords[i % (sizeof kWords - 1)];
    ::SendMessageA(Editor->GetHandle(), WM_CHAR, static_cast<Byte>(c), 1);
    if (Paint) Editor->Update();
  }
  return Seconds(start);
}

void Report(VUzurUvadEdit* Editor, Integer Count) {
  double painted = TypeInTheMiddle(Editor, Count, true);
  double unpainted = TypeInTheMiddle(Editor, Count, false);
  std::printf("  %d characters typed in the middle: %.3f ms a character painted each, %.3f ms unpainted\n", Count,
              painted * 1000 / Count, unpainted * 1000 / Count);
}

}  // namespace

int main() {
  using namespace bible_document;
  AnsiString psalms = AnsiString(kBooks) + "19PSAKJV.SFM";
  if (!FileExists(psalms)) {
    std::printf("No book file %s\n", psalms.c_str());
    return 1;
  }
  TUVStyle style(nullptr);
  MakeStyles(style);
  auto* form = new TForm(Application);
  form->SetBounds(0, 0, 800, 600);
  auto* editor = new VUzurUvadEdit(form);
  editor->SetParent(form);
  editor->SetAlign(alClient);
  editor->SetStyle(&style);
  form->Show();
  editor->SetFocus();
  Application->ProcessMessages();
  constexpr Integer kTyped = 1000;

  // As the main window shows a book.
  auto start = std::chrono::steady_clock::now();
  editor->Clear();
  editor->LoadText(psalms, 0, 0, false);
  double loaded = Seconds(start);
  start = std::chrono::steady_clock::now();
  editor->Format();
  double formatted = Seconds(start);
  start = std::chrono::steady_clock::now();
  editor->Repaint();
  double painted = Seconds(start);
  std::printf("Psalms as plain text: %d paragraphs, %d draw lines; load %.3f s, format %.3f s, paint %.3f s\n",
              editor->GetItemCount(), editor->GetUVData()->DrawItems->GetCount(), loaded, formatted, painted);
  Report(editor, kTyped);

  // As a styled document.
  start = std::chrono::steady_clock::now();
  editor->Clear();
  AddPsalms(*editor->GetUVData());
  editor->Format();
  editor->Repaint();
  double styled = Seconds(start);
  std::printf("Psalms styled: %d items, %d draw lines; load, format and paint %.3f s\n", editor->GetItemCount(),
              editor->GetUVData()->DrawItems->GetCount(), styled);
  Report(editor, kTyped);
  delete form;
  return 0;
}
