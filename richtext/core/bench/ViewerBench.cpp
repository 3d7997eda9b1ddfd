// A viewer on a form filled the way the program fills its result list with the whole King James
// Bible of the test data, one line per verse (reference in bold, then the verse) with a
// checkpoint each that reports itself when it comes into view; then formatted, scrolled from
// top to bottom a page at a time (every page painted in the window), searched from top to
// bottom for a word of the last verse, and cleared. Prints the time of each step.
#include <chrono>
#include <cstdio>

#include "classlib/Forms.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UzurUvad.h"
#include "richtext/core/bench/BibleDocument.h"

namespace {

double Seconds(std::chrono::steady_clock::time_point Start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - Start).count();
}

}  // namespace

int main() {
  if (bible_document::BookFiles().empty()) {
    std::printf("No book files in %s\n", bible_document::kBooks);
    return 1;
  }
  TUVStyle style(nullptr);
  TFontInfo* reference = style.GetTextStyles()->Add();
  reference->Style = TFontStyles{fsBold};
  const Integer referenceStyle = style.GetTextStyles()->GetCount() - 1;

  auto* form = new TForm(Application);
  form->SetBounds(0, 0, 800, 600);
  auto* viewer = new VUzurUvad(form);
  viewer->SetParent(form);
  viewer->SetAlign(alClient);
  viewer->SetStyle(&style);
  viewer->SetCPEventKind(cpeAsSectionStart);
  Integer checkpointEvents = 0;
  viewer->OnCheckpointVisible = TUVCheckpointVisibleEvent::FromFunction([&](TObject*, TUVCPInfo*) { ++checkpointEvents; });
  form->Show();
  Application->ProcessMessages();

  auto start = std::chrono::steady_clock::now();
  viewer->Clear();
  Integer verses = bible_document::AddResultLines(*viewer, referenceStyle);
  double filled = Seconds(start);

  start = std::chrono::steady_clock::now();
  viewer->Format();
  double formatted = Seconds(start);
  std::printf("%d result lines (%d items), %d draw lines, %d pixels high, %d pixels a scroll step\n", verses,
              viewer->GetItemCount(), viewer->GetUVData()->DrawItems->GetCount(), viewer->GetDocumentHeight(),
              viewer->GetVSmallStep());
  std::printf("%-40s %8.3f s\n", "Clear, AddCheckpoint, AddNL, Add", filled);
  std::printf("%-40s %8.3f s\n", "Format", formatted);

  // A page at a time to the bottom, each page painted before the next.
  start = std::chrono::steady_clock::now();
  Integer pages = 0;
  HWND window = viewer->GetHandle();
  for (Integer last = -1; viewer->GetVPos() != last; ++pages) {
    last = viewer->GetVPos();
    ::SendMessageA(window, WM_VSCROLL, SB_PAGEDOWN, 0);
    ::UpdateWindow(window);
  }
  double scrolled = Seconds(start);
  std::printf("%-40s %8.3f s  (%d pages, %.2f ms a page, %d checkpoint events)\n", "scrolled top to bottom",
              scrolled, pages, scrolled * 1000 / pages, checkpointEvents);

  start = std::chrono::steady_clock::now();
  ::SendMessageA(window, WM_VSCROLL, SB_TOP, 0);
  viewer->Deselect();
  bool found = viewer->SearchText("Amen", true, true, true);
  found = found && viewer->SearchText("Amen", true, true, true);
  double searched = Seconds(start);
  std::printf("%-40s %8.3f s  (%s)\n", "search \"Amen\" twice from the top", searched, found ? "found" : "not found");

  start = std::chrono::steady_clock::now();
  viewer->Clear();
  viewer->Format();
  double cleared = Seconds(start);
  std::printf("%-40s %8.3f s\n", "Clear and Format", cleared);
  delete form;
  return 0;
}
