// Genesis of the KJV loaded into a rich-text editor as the main window shows a book (plain text,
// one paragraph a line), then checked as the background spelling check does: the component's
// word breaker over the rich-text walker, one word at a time, each word judged by the component
// (IsWordAcceptable) with the silent interface. Prints words per second, and the same for the
// walker alone and for the book's text read through the string walker, for comparison.
//
//   spell_richtext_bench.exe [--dictionary FILE] [--book FILE]
#include <chrono>
#include <cstdio>

#include "classlib/Classes.h"
#include "classlib/Forms.h"
#include "classlib/SysUtils.h"
#include "richtext/core/UVStyle.h"
#include "richtext/edit/UVEdit.h"
#include "spell/lx3ParseEngine.h"
#include "spell/lx3StringParser.h"
#include "spell/richtext/lx3UzurUvad.h"
#include "spell/richtext/lx3UzurUvadCmpnts.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

struct Run {
  std::size_t words = 0;
  std::size_t acceptable = 0;
  double seconds = 0;
};

// Reads every word of the walker through the component's word breaker; judges each when asked.
Run Check(TLexemeSpell3Base& spell, TControlParser& walker, bool judge) {
  Run run;
  TParsingEngine* engine = spell.GetParsingEngine();
  const auto start = std::chrono::steady_clock::now();
  engine->Initialize(&walker, ckWholeText);
  AnsiString w;
  for (engine->GetNextWord(w); !w.empty(); engine->GetNextWord(w)) {
    ++run.words;
    if (judge) run.acceptable += spell.IsWordAcceptable(w);
  }
  run.seconds = Seconds(start);
  engine->Initialize(nullptr, ckWholeText);
  return run;
}

void Print(const char* name, const Run& run) {
  std::printf("%-44s %7zu words (%zu acceptable) in %.3f s: %.0f words/s\n", name, run.words, run.acceptable,
              run.seconds, run.words / run.seconds);
}

}  // namespace

int main() {
  AnsiString dictionary = ExtractFilePath(ParamStr(0)) + "American.lxm";
  AnsiString book = "Z:\\work\\shared\\data\\kjv\\KJV\\01GENKJV.SFM";
  for (Integer i = 1; i + 1 <= ParamCount(); i += 2) {
    const AnsiString option = ParamStr(i), value = ParamStr(i + 1);
    if (option == "--dictionary") dictionary = value;
    else if (option == "--book") book = value;
  }
  if (!FileExists(book) || !FileExists(dictionary)) {
    std::printf("Missing %s or %s\n", book.c_str(), dictionary.c_str());
    return 1;
  }

  TUVStyle style(nullptr);
  auto* form = new TForm(Application);
  form->SetBounds(0, 0, 800, 600);
  auto* editor = new VUzurUvadEdit(form);
  editor->SetParent(form);
  editor->SetAlign(alClient);
  editor->SetStyle(&style);
  form->Show();
  Application->ProcessMessages();
  editor->Clear();
  editor->LoadText(book, 0, 0, false);
  editor->Format();
  editor->SetModified(false);
  std::printf("%s: %d paragraphs in the editor\n", ExtractFileName(book).c_str(), editor->GetItemCount());

  // A component that reads only the dictionary: no stored configuration, no user dictionaries.
  TUVLexemeSpell3 spell(nullptr);
  spell.UIType = suiSilent;
  spell.SetConfigStorage(csNone);
  spell.GetConfigDictionaryDir()->SetText(ExtractFileDir(dictionary));
  spell.GetConfigDefaultMain()->SetText(ExtractFileName(dictionary));
  spell.ConfigDefaultActiveCustom = "";
  spell.SetSuggestionsLearning(false);
  spell.IsWordAcceptable("warm");  // loads the configuration and the dictionary

  VUzurUvadParser3 walker;
  walker.Init(editor);
  Print("editor, walker and word breaker only", Check(spell, walker, false));
  walker.Init(editor);
  Print("editor, each word judged (background check)", Check(spell, walker, true));

  TStringList lines;
  lines.LoadFromFile(book);
  AnsiString text = lines.GetText();
  TStringParser strings;
  strings.Init(text);
  Print("the same text as a string, each word judged", Check(spell, strings, true));
  delete form;
  return 0;
}
