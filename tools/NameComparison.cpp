#include "tools/NameComparison.h"

#include <string_view>
#include <unordered_set>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "tools/Soundex.h"

namespace {

const std::string_view kAnd = " and ";

// The sound code of a name without padding: its code for any length at least as long as the name,
// before the "0"s are added.
AnsiString FullCode(const AnsiString& name) {
  AnsiString code = Soundex(name, Length(name));
  while (code.size() > 1 && code.back() == '0') code.pop_back();
  return code;
}

// Whether two unpadded codes are equal once both are padded with "0" to the same length. An empty
// name has an empty code, never equal to another name's.
bool CodesEqual(const AnsiString& a, const AnsiString& b) {
  if (a.empty() || b.empty()) return a.empty() && b.empty();
  const std::size_t n = std::max(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i)
    if ((i < a.size() ? a[i] : '0') != (i < b.size() ? b[i] : '0')) return false;
  return true;
}

// Of one length, the same after deleting the same single character from each: they differ in at
// most one place.
bool DifferInOnePlaceAtMost(const AnsiString& a, const AnsiString& b) {
  if (a.size() != b.size() || a.empty()) return false;
  int differences = 0;
  for (std::size_t i = 0; i < a.size() && differences < 2; ++i)
    if (a[i] != b[i]) ++differences;
  return differences < 2;
}

// The names of the dismissed lines: for every " and " in a line, the text before it and the text
// after it, so that a name that itself holds " and " is still found whole.
std::unordered_set<AnsiString> DismissedNames(TStrings* dismissed) {
  std::unordered_set<AnsiString> names;
  for (Integer i = 0; i < dismissed->GetCount(); ++i) {
    const AnsiString line = dismissed->GetStrings(i);
    std::size_t at = line.find(kAnd);
    if (at == AnsiString::npos) names.insert(line);
    for (; at != AnsiString::npos; at = line.find(kAnd, at + 1)) {
      names.insert(line.substr(0, at));
      names.insert(line.substr(at + kAnd.size()));
    }
  }
  return names;
}

}  // namespace

AnsiString NamePairLine(const AnsiString& a, const AnsiString& b) { return a + AnsiString(kAnd) + b; }

bool NamesAlike(const AnsiString& a, const AnsiString& b) {
  return a == b || CodesEqual(FullCode(a), FullCode(b)) || DifferInOnePlaceAtMost(a, b);
}

void CompareNames(TStrings* names, TStrings* dismissed, TStrings* pairs,
                  const std::function<void(const AnsiString&)>& status) {
  const std::unordered_set<AnsiString> dismissedNames = DismissedNames(dismissed);
  const Integer count = names->GetCount();
  std::vector<AnsiString> list(static_cast<std::size_t>(count));
  std::vector<AnsiString> codes(list.size());
  std::vector<char> left(list.size());
  for (Integer i = 0; i < count; ++i) {
    list[i] = names->GetStrings(i);
    codes[i] = FullCode(list[i]);
    left[i] = dismissedNames.count(list[i]) > 0;
  }
  pairs->BeginUpdate();
  for (Integer i = 0; i < count; ++i) {
    if (status) status("Comparing " + list[i] + " ...");
    if (left[i]) continue;
    for (Integer j = 0; j < count; ++j) {
      if (j == i || left[j]) continue;
      const AnsiString& a = list[i];
      const AnsiString& b = list[j];
      if (a == b || CodesEqual(codes[i], codes[j]) || DifferInOnePlaceAtMost(a, b)) pairs->Add(NamePairLine(a, b));
    }
  }
  pairs->EndUpdate();
}

AnsiString CompareNamesReadyText(int pairLines) {
  return "Ready - " + IntToStr(pairLines) + " name combinations found";
}

AnsiString NamesRemovedText(int removed) { return IntToStr(removed) + " name combination(s) removed"; }
