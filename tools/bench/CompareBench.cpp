// Compares the KJV Psalms with a copy of it that has 100 edits scattered over the book (words
// replaced, put in, taken out and changed in letter case, a few lines added and removed), as the
// compare dialog does after "Find differences", and prints the time of the comparison, of laying
// the result out in a viewer of a window, and the change count. Both must stay well under half a
// second for the dialog to feel immediate.
//
//   tools_CompareBench_bench.exe [book file; by default the KJV Psalms of the shared test data]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "classlib/Forms.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/MyRegistry.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UzurUvad.h"
#include "tools/DynamicCompareUnit.h"
#include "tests/support/TestSupport.h"

namespace {

double SecondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The blanks of a line after its verse number, the places where words start.
std::vector<std::size_t> WordStarts(const std::string& line) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 5; i + 1 < line.size(); ++i)
    if (line[i] == ' ' && std::isalpha(static_cast<unsigned char>(line[i + 1]))) starts.push_back(i + 1);
  return starts;
}

// Makes 100 edits at verse lines spread evenly over the book, cycling through the kinds of edit.
int EditBook(std::vector<std::string>& lines) {
  std::vector<std::size_t> verses;
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].rfind("\\v ", 0) == 0 && WordStarts(lines[i]).size() > 6) verses.push_back(i);
  int edits = 0;
  std::vector<std::size_t> removed, added;
  for (int e = 0; e < 100; ++e) {
    std::string& line = lines[verses[verses.size() * static_cast<std::size_t>(e) / 100]];
    const std::vector<std::size_t> starts = WordStarts(line);
    const std::size_t at = starts[starts.size() / 2];
    const std::size_t end = line.find_first_of(" ,.;:", at);
    switch (e % 5) {
      case 0: line.replace(at, end - at, "changed"); break;          // a word replaced
      case 1: line.insert(at, "indeed "); break;                      // a word put in
      case 2: line.erase(at, end + 1 - at); break;                    // a word taken out
      case 3: line[at] = static_cast<char>(std::toupper(line[at]) == line[at] ? std::tolower(line[at])
                                                                             : std::toupper(line[at])); break;
      case 4: line.insert(end, ","); break;                           // a comma put in
    }
    ++edits;
  }
  return edits;
}

}  // namespace

int main(int argc, char** argv) {
  std::string source = argc > 1 ? argv[1] : testing_support::KjvDataFolder() + "KJV\\19PSAKJV.SFM";
  testing_support::IsolatedRegistry registry;
  testing_support::TempFolder temp;
  InitializeMyRegistry();
  std::unique_ptr<TStringList> book(new TStringList());
  if (!FileExists(source)) {
    std::fprintf(stderr, "No book file %s\n", source.c_str());
    return 1;
  }
  book->LoadFromFile(source);
  std::vector<std::string> lines;
  for (Integer i = 0; i < book->GetCount(); ++i) lines.push_back(book->GetStrings(i));
  const std::size_t verseCount =
      std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("\\v ", 0) == 0; });
  const int edits = EditBook(lines);
  // Two lines added and two removed besides.
  lines.insert(lines.begin() + lines.size() / 3, "\\s A heading put in");
  lines.insert(lines.begin() + lines.size() / 2, "\\q");
  lines.erase(lines.begin() + lines.size() * 2 / 3);
  lines.erase(lines.begin() + lines.size() * 5 / 6);
  std::unique_ptr<TStringList> edited(new TStringList());
  for (const std::string& line : lines) edited->Add(line);
  const std::string current = temp.File("current.sfm");
  edited->SaveToFile(current);

  std::printf("%s: %d lines, %zu verses, %d edits and 4 lines added or removed\n", source.c_str(), book->GetCount(),
              verseCount, edits);
  std::unique_ptr<TForm> form(new TForm(nullptr));
  form->SetBounds(0, 0, 800, 600);
  auto* style = new TUVStyle(form.get());
  auto* viewer = new VUzurUvad(form.get());
  viewer->SetParent(form.get());
  viewer->SetAlign(alClient);
  viewer->SetStyle(style);
  form->Show();
  double best = 1e9, bestLayout = 1e9, first = 0, firstLayout = 0;
  Integer count = 0, items = 0;
  for (int round = 0; round < 5; ++round) {
    viewer->Clear();
    std::unique_ptr<TStringList> positions(new TStringList());
    positions->SetSorted(true);
    positions->Duplicates = dupIgnore;
    const auto compared = std::chrono::steady_clock::now();
    count = CompareVersionTexts(current, source, positions.get(), viewer, nullptr);
    const double seconds = SecondsSince(compared);
    best = std::min(best, seconds);
    const auto laidOut = std::chrono::steady_clock::now();
    viewer->Format();
    const double layoutSeconds = SecondsSince(laidOut);
    bestLayout = std::min(bestLayout, layoutSeconds);
    if (round == 0) {
      first = seconds;
      firstLayout = layoutSeconds;
    }
    items = viewer->GetItemCount();
  }
  std::printf("comparison %.3f s, layout %.3f s (first run %.3f s and %.3f s; best of 5); %d changes, %d items\n",
              best, bestLayout, first, firstLayout, count, items);
  return 0;
}
