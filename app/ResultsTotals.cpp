#include "app/ResultsTotals.h"

#include <string_view>

#include "app/BookEditor.h"
#include "app/BookResults.h"
#include "app/CheckingHost.h"
#include "app/TickGuard.h"
#include "classlib/Streams.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/ScripturesUnit.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"

namespace {

// The whole file; empty when it cannot be read.
AnsiString FileText(const AnsiString& path) {
  try {
    TFileStream stream(path, fmOpenRead | fmShareDenyNone);
    AnsiString text(static_cast<std::size_t>(stream.GetSize()), '\0');
    if (!text.empty()) stream.ReadBuffer(text.data(), static_cast<Integer>(text.size()));
    return text;
  } catch (const Exception&) {
    return AnsiString();
  }
}

bool IsSectionHeader(std::string_view line) {
  return line == SpellingErrorsHeader || line == MechanicalErrorsHeader || line == ExceptionsHeader;
}

}  // namespace

TResultsFileCounts CountResultsFile(std::string_view text) {
  // The lines as a string list reads them (each ends at CR, LF or CR LF), without making a
  // string of each: a Bible's results files hold a hundred thousand lines and more.
  TResultsFileCounts counts;
  bool inMechanical = false;
  std::size_t pos = 0, index = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    const std::string_view line = text.substr(pos, end - pos);
    // The age and the count come first; the sections follow them.
    if (index == 1) {
      counts.HasCount = TryStrToInt(line, counts.Count);
    } else if (index > 1) {
      if (IsSectionHeader(line))
        inMechanical = line == MechanicalErrorsHeader;
      else if (inMechanical)
        ++counts.Mechanical;
    }
    ++index;
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  if (!counts.HasCount) counts.Count = 0;
  return counts;
}

namespace {

ULONGLONG FileTimeValue(const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

}  // namespace

TResultsFileCounts TResultsFileCountCache::Counts(const AnsiString& path) {
  FILETIME now{};
  ::GetSystemTimeAsFileTime(&now);
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
    entries_.erase(path);
    return CountResultsFile(FileText(path));
  }
  const ULONGLONG written = FileTimeValue(data.ftLastWriteTime);
  const ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  auto it = entries_.find(path);
  if (it != entries_.end() && it->second.written == written && it->second.size == size &&
      it->second.readAt >= written + SettledAfter)
    return it->second.counts;
  const TResultsFileCounts counts = CountResultsFile(FileText(path));
  entries_[path] = Entry{written, size, FileTimeValue(now), counts};
  return counts;
}

TResultsTotals CountResultsTotals(const TBookResults& book, TResultsFileCountCache* cache) {
  TResultsTotals totals;
  TStrings* names = book.Scripture->BookNames;
  for (int i = 0; i < names->GetCount(); ++i) {
    const int n = BookNumberFromEnglishName(names->GetStrings(i));
    const bool oldTestament = n <= OldTestamentBookCount;
    Integer& spelling = oldTestament ? totals.SpellingOT : totals.SpellingNT;
    Integer& mechanical = oldTestament ? totals.MechanicalOT : totals.MechanicalNT;
    bool& complete = oldTestament ? totals.CompleteOT : totals.CompleteNT;
    const AnsiString path = book.ResultsFilePath(n);
    if (!FileExists(path)) {
      complete = false;
      continue;
    }
    // The second line holds the count; a file without one leaves the total incomplete.
    const TResultsFileCounts counts = cache ? cache->Counts(path) : CountResultsFile(FileText(path));
    if (counts.HasCount)
      spelling += counts.Count;
    else
      complete = false;
    mechanical += counts.Mechanical;
  }
  return totals;
}

AnsiString TotalText(Integer sum, bool complete) {
  if (complete) return IntToStr(sum);
  return sum > 0 ? "At least " + IntToStr(sum) : AnsiString("Defining ...");
}

void TButtonTimerRun::Tick() {
  TTickGuard guard(ticking_);
  if (!guard.Entered()) return;
  TStrings* results = host_.Results();
  bool withReference = false;
  for (int i = 0; i < results->GetCount() && !withReference; ++i) withReference = BeginsWithBookId(results->GetStrings(i));
  host_.EnableButtons(withReference, host_.Editor()->GetModified() && book_.LoadedBook != 0);
  if (book_.RecountNeeded) {
    const TResultsTotals t = CountResultsTotals(book_, &counts_);
    host_.ShowTotals(TotalText(t.SpellingOT, t.CompleteOT), TotalText(t.SpellingNT, t.CompleteNT),
                     TotalText(t.MechanicalOT, t.CompleteOT), TotalText(t.MechanicalNT, t.CompleteNT));
    book_.RecountNeeded = false;
  }
}
