// Measures the canvas on the path of Bible typesetting: pages recorded on metafile canvases,
// text measured word by word to fill two columns, verse numbers in a small bold font between
// runs of body text, one TextOut per run. The same work is also done with plain GDI calls on a
// metafile context, as the floor the canvas is measured against.
//
//   classlib_canvas_bench.exe [folder of the standard-format book files]
//
// The text is the verses of the books in the folder (default: the KJV project of the shared
// test data).
#include <cstdio>
#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "classlib/Classes.h"
#include "classlib/Handles.h"
#include "classlib/Metafiles.h"
#include "classlib/SysUtils.h"

namespace {

double Seconds() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct Verse {
  AnsiString Number;
  std::vector<AnsiString> Words;
};

void CollectVerses(const AnsiString& folder, std::vector<Verse>& verses) {
  TSearchRec found;
  TStringList book;
  if (FindFirst(folder + "*.SFM", faAnyFile & ~faDirectory, found) != 0) return;
  do {
    book.LoadFromFile(folder + found.Name);
    for (Integer i = 0; i < book.GetCount(); ++i) {
      const AnsiString line = book[i];
      if (line.rfind("\\v ", 0) != 0) continue;
      Verse verse;
      std::size_t start = 3;
      std::size_t blank = line.find(' ', start);
      verse.Number = line.substr(start, blank == AnsiString::npos ? AnsiString::npos : blank - start);
      while (blank != AnsiString::npos) {
        start = blank + 1;
        blank = line.find(' ', start);
        AnsiString word = line.substr(start, blank == AnsiString::npos ? AnsiString::npos : blank - start);
        if (!word.empty()) verse.Words.push_back(word);
      }
      verses.push_back(std::move(verse));
    }
  } while (FindNext(found) == 0);
  FindClose(found);
}

// What one run of the layout did.
struct Result {
  int Pages = 0;
  long TextOuts = 0;
  long Measures = 0;
  double MetafileBytes = 0;
};

constexpr int kColumnWidth = 330;
constexpr int kLineHeight = 15;
constexpr int kLinesPerColumn = 66;

// The layout, written once against a small drawing interface so that both runs do the same.
struct Surface {
  std::function<void()> BeginPage;
  std::function<void()> EndPage;
  std::function<void(bool number)> SelectFont;
  std::function<int(const AnsiString&)> Width;
  std::function<void(int x, int y, const AnsiString&)> Out;
};

void Layout(const std::vector<Verse>& verses, Surface& s, Result& r) {
  int column = 0, line = 0, x = 0;
  AnsiString run;
  int runX = 0;
  auto beginPage = [&] {
    s.BeginPage();
    ++r.Pages;
    s.SelectFont(false);
  };
  auto flush = [&] {
    if (!run.empty()) {
      s.Out(column * (kColumnWidth + 20) + runX, line * kLineHeight, run);
      ++r.TextOuts;
      run.clear();
    }
  };
  // Body text is selected whenever a line starts.
  auto newLine = [&] {
    flush();
    x = 0;
    runX = 0;
    if (++line == kLinesPerColumn) {
      line = 0;
      if (++column == 2) {
        column = 0;
        s.EndPage();
        beginPage();
      }
    }
  };
  beginPage();
  for (const Verse& verse : verses) {
    flush();
    s.SelectFont(true);
    const int numberWidth = s.Width(verse.Number);
    ++r.Measures;
    if (x + numberWidth > kColumnWidth) {
      newLine();
      s.SelectFont(true);
    }
    s.Out(column * (kColumnWidth + 20) + x, line * kLineHeight, verse.Number);
    ++r.TextOuts;
    x += numberWidth + 2;
    runX = x;
    s.SelectFont(false);
    for (const AnsiString& word : verse.Words) {
      const AnsiString piece = run.empty() ? word : " " + word;
      const int width = s.Width(piece);
      ++r.Measures;
      if (x + width > kColumnWidth) {
        newLine();
        run = word;
        x = s.Width(word);
        ++r.Measures;
      } else {
        run += piece;
        x += width;
      }
    }
  }
  flush();
  s.EndPage();
}

void Report(const char* what, const Result& r, double seconds) {
  std::printf("  %-34s %7.2f s  %5d pages  %6.2f ms/page  %5.2f us/TextOut+measures  %6.1f KB/page\n", what, seconds,
              r.Pages, seconds * 1000.0 / r.Pages, seconds * 1e6 / (r.TextOuts + r.Measures),
              r.MetafileBytes / r.Pages / 1024.0);
}

// Plain GDI: two fonts made once, selected on every switch, no canvas in between.
Result RunPlainGdi(const std::vector<Verse>& verses, double& seconds) {
  Result r;
  HDC dc = nullptr;
  LOGFONTA lf{};
  std::strcpy(lf.lfFaceName, "Times New Roman");
  lf.lfHeight = -::MulDiv(10, 96, 72);
  HFONT body = ::CreateFontIndirectA(&lf);
  lf.lfHeight = -::MulDiv(7, 96, 72);
  lf.lfWeight = FW_BOLD;
  HFONT number = ::CreateFontIndirectA(&lf);
  WindowDC screen;
  Surface s;
  s.BeginPage = [&] {
    const RECT frame{0, 0, 18520, 26490};
    dc = ::CreateEnhMetaFileA(screen, nullptr, &frame, nullptr);
    ::SetBkMode(dc, TRANSPARENT);
  };
  s.EndPage = [&] {
    HENHMETAFILE h = ::CloseEnhMetaFile(dc);
    r.MetafileBytes += ::GetEnhMetaFileBits(h, 0, nullptr);
    ::DeleteEnhMetaFile(h);
  };
  s.SelectFont = [&](bool isNumber) { ::SelectObject(dc, isNumber ? number : body); };
  s.Width = [&](const AnsiString& text) {
    SIZE size;
    ::GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
    return static_cast<int>(size.cx);
  };
  s.Out = [&](int x, int y, const AnsiString& text) {
    ::ExtTextOutA(dc, x, y, 0, nullptr, text.data(), static_cast<UINT>(text.size()), nullptr);
  };
  const double start = Seconds();
  Layout(verses, s, r);
  seconds = Seconds() - start;
  ::DeleteObject(body);
  ::DeleteObject(number);
  return r;
}

// The canvas: fonts switched by property, pages as TMetafile and TMetafileCanvas.
Result RunCanvas(const std::vector<Verse>& verses, double& seconds) {
  Result r;
  std::unique_ptr<TMetafile> metafile;
  std::unique_ptr<TMetafileCanvas> canvas;
  Surface s;
  s.BeginPage = [&] {
    metafile = std::make_unique<TMetafile>();
    metafile->SetWidth(700);
    metafile->SetHeight(1000);
    canvas = std::make_unique<TMetafileCanvas>(metafile.get(), nullptr);
    canvas->GetFont()->SetName("Times New Roman");
    canvas->GetBrush()->SetStyle(bsClear);
  };
  s.EndPage = [&] {
    canvas.reset();
    r.MetafileBytes += ::GetEnhMetaFileBits(metafile->GetHandle(), 0, nullptr);
  };
  s.SelectFont = [&](bool number) {
    canvas->GetFont()->SetSize(number ? 7 : 10);
    canvas->GetFont()->SetStyle(number ? TFontStyles{fsBold} : TFontStyles{});
  };
  s.Width = [&](const AnsiString& text) { return canvas->TextWidth(text); };
  s.Out = [&](int x, int y, const AnsiString& text) { canvas->TextOut(x, y, text); };
  const double start = Seconds();
  Layout(verses, s, r);
  seconds = Seconds() - start;
  return r;
}

}  // namespace

int main() {
  AnsiString folder =
      IncludeTrailingBackslash(ParamCount() >= 1 ? ParamStr(1) : AnsiString("Z:\\work\\shared\\data\\kjv\\KJV"));
  std::vector<Verse> verses;
  CollectVerses(folder, verses);
  if (verses.empty()) {
    std::fprintf(stderr, "No verse lines in %s*.SFM\n", folder.c_str());
    return 1;
  }
  std::printf("%zu verses from %s\n", verses.size(), folder.c_str());

  // The first pass loads the glyphs into the font engine's caches: it is not counted.
  double seconds;
  std::vector<Verse> first(verses.begin(), verses.begin() + std::min<std::size_t>(verses.size(), 3000));
  RunPlainGdi(first, seconds);
  for (int round = 0; round < 2; ++round) {
    Result r = RunPlainGdi(verses, seconds);
    Report("plain GDI on metafiles", r, seconds);
    r = RunCanvas(verses, seconds);
    Report("TCanvas on metafiles", r, seconds);
  }
  return 0;
}
