// Lays out text of 256 KiB, 512 KiB and 1 MiB, once as paragraphs of 80 characters and once as
// a single paragraph, on a windowless document 600 pixels wide, and prints the times. Both
// shapes should grow linearly with the size.
#include <chrono>
#include <cstdio>

#include "richtext/core/UVStyle.h"
#include "richtext/core/UVWindowless.h"

namespace {

// Words of ordinary lengths in a fixed pseudo-random order.
AnsiString MakeText(std::size_t Size) {
  static const char* const kWords[] = {"and",   "the",       "of",     "unto",  "that",    "he",      "shall",
                                       "LORD",  "they",      "his",    "said",  "in",      "which",   "them",
                                       "for",   "children",  "people", "house", "against", "kingdom", "wilderness",
                                       "also",  "Jerusalem", "before", "came",  "therefore"};
  AnsiString text;
  text.reserve(Size + 16);
  unsigned state = 12345;
  while (text.size() < Size) {
    state = state * 1103515245u + 12345u;
    if (!text.empty()) text += ' ';
    text += kWords[(state >> 16) % (sizeof(kWords) / sizeof(kWords[0]))];
  }
  text.resize(Size);
  return text;
}

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main() {
  TUVStyle style(nullptr);
  std::printf("%10s %14s %14s %14s\n", "size", "80-char paras", "one paragraph", "lines");
  for (std::size_t size : {256u * 1024u, 512u * 1024u, 1024u * 1024u}) {
    AnsiString text = MakeText(size);
    double paragraphs = 0;
    double single = 0;
    Integer lines = 0;
    {
      TUVWindowlessData doc(&style);
      doc.ClientWidth = 600;
      for (std::size_t i = 0; i < text.size(); i += 80) doc.AddNL(text.substr(i, 80), 0, 0);
      auto start = std::chrono::steady_clock::now();
      doc.FormatDefault(false);
      paragraphs = Seconds(start);
    }
    {
      TUVWindowlessData doc(&style);
      doc.ClientWidth = 600;
      doc.AddNL(text, 0, 0);
      auto start = std::chrono::steady_clock::now();
      doc.FormatDefault(false);
      single = Seconds(start);
      lines = doc.DrawItems->GetCount();
    }
    std::printf("%8zu K %12.3f s %12.3f s %14d\n", size / 1024, paragraphs, single, lines);
  }
  return 0;
}
