// Edits the Book of Psalms of the test data in a windowless editor document and prints the times:
// the full format the editor starts with, typing, Return and Backspace at places all over the
// book (each laying out only the touched paragraphs again), then undoing and redoing all of it.
#include <chrono>
#include <cstdio>
#include <random>

#include "richtext/core/UVStyle.h"
#include "richtext/core/bench/BibleDocument.h"
#include "richtext/edit/UVWindowlessEdit.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

}  // namespace

int main() {
  using namespace bible_document;
  TUVStyle style(nullptr);
  MakeStyles(style);
  TUVWindowlessEditData doc(&style);
  doc.ClientWidth = 600;
  doc.ClientHeight = 800;
  if (!AddPsalms(doc)) return 1;
  auto start = std::chrono::steady_clock::now();
  doc.FormatDefault(false);
  std::printf("Psalms: %d items, %d draw lines, full format %.3f s\n", doc.GetItemCount(),
              doc.DrawItems->GetCount(), Seconds(start));

  std::mt19937 rng(7);
  auto somewhere = [&] {
    for (;;) {
      Integer itemNo = std::uniform_int_distribution<Integer>(0, doc.GetItemCount() - 1)(rng);
      if (doc.GetItemStyle(itemNo) != 0 || doc.GetItemLength(itemNo) < 2) continue;
      Integer offs = std::uniform_int_distribution<Integer>(1, doc.GetItemLength(itemNo))(rng);
      doc.SetSelectionBounds(itemNo, offs, itemNo, offs);
      return;
    }
  };
  constexpr Integer words = 200;
  start = std::chrono::steady_clock::now();
  for (Integer i = 0; i < words; ++i) {
    somewhere();
    for (char c : AnsiString("grace ")) doc.KeyPressChar(c);
  }
  double typing = Seconds(start);
  constexpr Integer returns = 200;
  start = std::chrono::steady_clock::now();
  for (Integer i = 0; i < returns; ++i) {
    somewhere();
    doc.PressReturn(false);
  }
  double returning = Seconds(start);
  start = std::chrono::steady_clock::now();
  for (Integer i = 0; i < returns; ++i) {
    somewhere();
    doc.PressBackspace(false, false);
  }
  double deleting = Seconds(start);
  std::printf("typing %.3f ms a character, Return %.3f ms, Backspace %.3f ms\n", typing * 1000 / (words * 6),
              returning * 1000 / returns, deleting * 1000 / returns);

  Integer actions = doc.UndoList->GetCount();
  start = std::chrono::steady_clock::now();
  Integer undos = 0;
  for (; doc.UndoList->GetCount() > 0; ++undos) doc.UndoList->Undo(&doc);
  double undoing = Seconds(start);
  start = std::chrono::steady_clock::now();
  Integer redos = 0;
  for (; doc.RedoList->GetCount() > 0; ++redos) doc.RedoList->Redo(&doc);
  double redoing = Seconds(start);
  std::printf("%d actions: undo %.3f ms a step (%d steps), redo %.3f ms a step (%d steps)\n", actions,
              undoing * 1000 / undos, undos, redoing * 1000 / redos, redos);
  return 0;
}
