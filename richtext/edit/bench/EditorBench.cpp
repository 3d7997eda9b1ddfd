// The Book of Psalms in an editor on a shown form: loaded as the main window loads a book (plain
// text, one paragraph a line) and as a styled document, each laid out and painted, then 1,000
// characters typed in the middle as key messages, each one painted before the next (and 1,000 more
// without painting, as the window paints once when keys come faster than it); then a chapter
// (Psalm 119) and the whole book pasted as RTF into the middle of the book and into an empty
// editor, undone and redone; and characters typed into one paragraph of 200,000 characters.
// Prints the time of each step.
#include <chrono>
#include <cstdio>

#include "classlib/Forms.h"
#include "classlib/Streams.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/bench/BibleDocument.h"
#include "richtext/edit/UVEdit.h"
#include "richtext/edit/UVWindowlessEdit.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

// Types Count characters (words of a verse and their spaces) at the caret, painting after each
// when asked.
double TypeInTheMiddle(VUzurUvadEdit* Editor, Integer Count, bool Paint) {
  Integer middle = Editor->GetItemCount() / 2;
  while (middle < Editor->GetItemCount() && Editor->GetItemText(middle).size() < 10) ++middle;
  Integer offs = static_cast<Integer>(Editor->GetItemText(middle).size() / 2) + 1;
  Editor->SetSelectionBounds(middle, offs, middle, offs);
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

// The Book of Psalms as RTF, from chapter First up to (not including) chapter Last (0: to the
// end), and its number of paragraphs.
AnsiString PsalmsRTF(TUVStyle& Style, Integer First, Integer Last, Integer& Paragraphs) {
  TUVWindowlessEditData doc(&Style);
  bible_document::AddPsalms(doc);
  auto find = [&](Integer Chapter) {
    AnsiString heading = "Chapter " + IntToStr(Chapter);
    for (Integer i = 0; i < doc.GetItemCount(); ++i)
      if (doc.GetItemText(i) == heading) return i;
    return doc.GetItemCount();
  };
  Integer from = find(First);
  Integer to = Last > 0 ? find(Last) : doc.GetItemCount();
  if (to < doc.GetItemCount()) doc.DeleteItems(to, doc.GetItemCount() - to);
  if (from > 0) doc.DeleteItems(0, from);
  Paragraphs = 0;
  for (Integer i = 0; i < doc.GetItemCount(); ++i)
    if (doc.IsParaStart(i)) ++Paragraphs;
  TMemoryStream stream;
  doc.SaveRTFToStream(&stream, false, clNone);
  return AnsiString(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
}

// Pastes the RTF into the middle of the editor's document (into an empty one when Empty), then
// undoes and redoes the paste, each laid out and painted.
void PasteUndoRedo(VUzurUvadEdit* Editor, const AnsiString& Rtf, const char* What, Integer Paragraphs, bool Empty) {
  if (Empty) {
    Editor->Clear();
    Editor->Format();
  } else {
    Integer middle = Editor->GetItemCount() / 2;
    Editor->SetSelectionBounds(middle, Editor->GetEditData()->GetOffsAfterItem(middle), middle,
                               Editor->GetEditData()->GetOffsAfterItem(middle));
  }
  Application->ProcessMessages();
  auto start = std::chrono::steady_clock::now();
  TStringStream stream(Rtf);
  Editor->InsertRTFStream(&stream);
  Editor->Update();
  double pasted = Seconds(start);
  start = std::chrono::steady_clock::now();
  Editor->Undo();
  Editor->Update();
  double undone = Seconds(start);
  start = std::chrono::steady_clock::now();
  Editor->Redo();
  Editor->Update();
  double redone = Seconds(start);
  std::printf("  %s (%d paragraphs, %d KB of RTF) pasted %s: paste %.3f s, undo %.3f s, redo %.3f s\n", What,
              Paragraphs, static_cast<Integer>(Rtf.size() / 1024), Empty ? "into an empty editor" : "into the book",
              pasted, undone, redone);
  Editor->Undo();
}

// One paragraph of the verses of the Psalms until it holds Length characters: with the verse
// numbers as items of their style, or as one item of plain text; then Count characters typed in
// its middle, each painted.
void TypeInALongParagraph(VUzurUvadEdit* Editor, Integer Length, Integer Count, bool OneItem) {
  Editor->Clear();
  AnsiString all;
  Integer total = 0;
  bool first = true;
  for (const auto& [reference, text] : bible_document::PsalmVerses()) {
    AnsiString number = reference.substr(reference.rfind(':') + 1);
    AnsiString piece = " " + text + " ";
    if (total + static_cast<Integer>(number.size() + piece.size()) > Length)
      piece.resize(static_cast<std::size_t>(std::max<Integer>(Length - total - static_cast<Integer>(number.size()), 1)));
    total += static_cast<Integer>(number.size() + piece.size());
    if (OneItem) {
      all += number + piece;
    } else {
      if (first)
        Editor->AddNL(number, 6, 0);
      else
        Editor->Add(number, 6);
      Editor->Add(piece, 0);
    }
    first = false;
    if (total >= Length) break;
  }
  if (OneItem) Editor->AddNL(all, 0, 0);
  auto start = std::chrono::steady_clock::now();
  Editor->Format();
  Editor->Repaint();
  double formatted = Seconds(start);
  std::printf("One paragraph of %d characters in %d item(s), %d draw lines: format and paint %.3f s\n", total,
              Editor->GetItemCount(), Editor->GetUVData()->DrawItems->GetCount(), formatted);
  Report(Editor, Count);
}

}  // namespace

int main() {
  using namespace bible_document;
  // Each figure as soon as it is measured.
  std::setvbuf(stdout, nullptr, _IONBF, 0);
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

  // Pasted as RTF into the middle of the book, undone and redone.
  Integer paragraphs = 0;
  AnsiString chapter = PsalmsRTF(style, 119, 120, paragraphs);
  PasteUndoRedo(editor, chapter, "Psalm 119", paragraphs, false);
  Integer bookParagraphs = 0;
  AnsiString book = PsalmsRTF(style, 1, 0, bookParagraphs);
  PasteUndoRedo(editor, book, "the Book of Psalms", bookParagraphs, false);
  PasteUndoRedo(editor, chapter, "Psalm 119", paragraphs, true);
  PasteUndoRedo(editor, book, "the Book of Psalms", bookParagraphs, true);

  TypeInALongParagraph(editor, 200000, 200, false);
  TypeInALongParagraph(editor, 200000, 200, true);
  delete form;
  return 0;
}
