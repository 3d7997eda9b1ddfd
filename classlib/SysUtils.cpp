// Exceptions and string routines of the SysUtils unit.
#include "classlib/SysUtils.h"

#include <algorithm>

namespace {

template <class Char>
bool IsBlank(Char c) noexcept {
  return static_cast<std::make_unsigned_t<Char>>(c) <= ' ';
}

template <class Char>
std::basic_string<Char> TrimSides(std::basic_string_view<Char> s, bool left, bool right) {
  std::size_t b = 0, e = s.size();
  if (left)
    while (b < e && IsBlank(s[b])) ++b;
  if (right)
    while (e > b && IsBlank(s[e - 1])) --e;
  return std::basic_string<Char>(s.substr(b, e - b));
}

int Sign(int v) noexcept { return (v > 0) - (v < 0); }

int CompareThroughLocale(std::string_view a, std::string_view b, DWORD flags) {
  const int r = CompareStringA(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()), b.data(),
                               static_cast<int>(b.size()));
  return r == 0 ? CompareStr(a, b) : r - CSTR_EQUAL;
}

int CompareThroughLocale(std::wstring_view a, std::wstring_view b, DWORD flags) {
  const int r = CompareStringW(LOCALE_USER_DEFAULT, flags, a.data(), static_cast<int>(a.size()), b.data(),
                               static_cast<int>(b.size()));
  return r == 0 ? a.compare(b) : r - CSTR_EQUAL;
}

}  // namespace

// --- Exceptions ---

void Abort() { throw EAbort("Operation aborted"); }

AnsiString SysErrorMessage(DWORD errorCode) {
  char* buffer = nullptr;
  const DWORD n = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS |
          FORMAT_MESSAGE_ARGUMENT_ARRAY,
      nullptr, errorCode, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
  AnsiString text(buffer ? buffer : "", n);
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ' || text.back() == '.'))
    text.pop_back();
  return text;
}

void RaiseLastOSError() { RaiseLastOSError(GetLastError()); }

void RaiseLastOSError(DWORD errorCode) {
  if (errorCode == 0) throw EOSError("A call to an OS function failed", errorCode);
  throw EOSError(Format("System Error.  Code: %d.\r\n%s", static_cast<int>(errorCode), SysErrorMessage(errorCode)),
                 errorCode);
}

// --- Trimming and case ---

AnsiString Trim(std::string_view s) { return TrimSides(s, true, true); }
AnsiString TrimLeft(std::string_view s) { return TrimSides(s, true, false); }
AnsiString TrimRight(std::string_view s) { return TrimSides(s, false, true); }
WideString Trim(std::wstring_view s) { return TrimSides(s, true, true); }
WideString TrimLeft(std::wstring_view s) { return TrimSides(s, true, false); }
WideString TrimRight(std::wstring_view s) { return TrimSides(s, false, true); }

AnsiString UpperCase(std::string_view s) {
  AnsiString r(s);
  for (char& c : r) c = UpCase(c);
  return r;
}

AnsiString LowerCase(std::string_view s) {
  AnsiString r(s);
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
  return r;
}

int CompareStr(std::string_view a, std::string_view b) noexcept { return Sign(a.compare(b)); }

int CompareText(std::string_view a, std::string_view b) noexcept {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const int ca = Ord(UpCase(a[i])), cb = Ord(UpCase(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool SameStr(std::string_view a, std::string_view b) noexcept { return a == b; }

AnsiString AnsiUpperCase(std::string_view s) {
  AnsiString r(s);
  if (!r.empty()) CharUpperBuffA(r.data(), static_cast<DWORD>(r.size()));
  return r;
}

AnsiString AnsiLowerCase(std::string_view s) {
  AnsiString r(s);
  if (!r.empty()) CharLowerBuffA(r.data(), static_cast<DWORD>(r.size()));
  return r;
}

int AnsiCompareStr(std::string_view a, std::string_view b) { return CompareThroughLocale(a, b, 0); }
int AnsiCompareText(std::string_view a, std::string_view b) { return CompareThroughLocale(a, b, NORM_IGNORECASE); }
bool AnsiSameStr(std::string_view a, std::string_view b) { return AnsiCompareStr(a, b) == 0; }
bool AnsiSameText(std::string_view a, std::string_view b) { return AnsiCompareText(a, b) == 0; }
bool SameText(std::string_view a, std::string_view b) { return AnsiSameText(a, b); }

bool AnsiStartsText(std::string_view prefix, std::string_view s) {
  return prefix.size() <= s.size() && AnsiSameText(prefix, s.substr(0, prefix.size()));
}
bool AnsiEndsText(std::string_view suffix, std::string_view s) {
  return suffix.size() <= s.size() && AnsiSameText(suffix, s.substr(s.size() - suffix.size()));
}
bool AnsiStartsStr(std::string_view prefix, std::string_view s) noexcept { return s.starts_with(prefix); }
bool AnsiEndsStr(std::string_view suffix, std::string_view s) noexcept { return s.ends_with(suffix); }
bool AnsiContainsText(std::string_view s, std::string_view sub) {
  return sub.empty() || Pos(AnsiUpperCase(sub), AnsiUpperCase(s)) > 0;
}

WideString WideUpperCase(std::wstring_view s) {
  WideString r(s);
  if (!r.empty()) CharUpperBuffW(r.data(), static_cast<DWORD>(r.size()));
  return r;
}

WideString WideLowerCase(std::wstring_view s) {
  WideString r(s);
  if (!r.empty()) CharLowerBuffW(r.data(), static_cast<DWORD>(r.size()));
  return r;
}

int WideCompareStr(std::wstring_view a, std::wstring_view b) { return CompareThroughLocale(a, b, 0); }
int WideCompareText(std::wstring_view a, std::wstring_view b) { return CompareThroughLocale(a, b, NORM_IGNORECASE); }
bool WideSameText(std::wstring_view a, std::wstring_view b) { return WideCompareText(a, b) == 0; }

// --- Replacing, quoting, line breaks ---

AnsiString StringReplace(std::string_view s, std::string_view oldPattern, std::string_view newPattern,
                         TReplaceFlags flags) {
  if (oldPattern.empty()) return AnsiString(s);
  // The locale's upper case maps byte to byte, so positions in the folded copies are positions in s.
  AnsiString foldedText, foldedPattern;
  std::string_view text = s, pattern = oldPattern;
  if (flags & rfIgnoreCase) {
    foldedText = AnsiUpperCase(s);
    foldedPattern = AnsiUpperCase(oldPattern);
    text = foldedText;
    pattern = foldedPattern;
  }
  AnsiString result;
  std::size_t from = 0;
  while (from <= s.size()) {
    const std::size_t at = text.find(pattern, from);
    if (at == std::string_view::npos) break;
    result.append(s.substr(from, at - from));
    result.append(newPattern);
    from = at + pattern.size();
    if (!(flags & rfReplaceAll)) break;
  }
  result.append(s.substr(std::min(from, s.size())));
  return result;
}

AnsiString QuotedStr(std::string_view s) { return AnsiQuotedStr(s, '\''); }

AnsiString AnsiQuotedStr(std::string_view s, AnsiChar quote) {
  AnsiString r;
  r.reserve(s.size() + 2);
  r += quote;
  for (char c : s) {
    r += c;
    if (c == quote) r += c;
  }
  r += quote;
  return r;
}

AnsiString AnsiExtractQuotedStr(std::string_view s, std::size_t& pos, AnsiChar quote) {
  AnsiString r;
  if (pos >= s.size() || s[pos] != quote) return r;
  ++pos;
  while (pos < s.size()) {
    if (s[pos] == quote) {
      if (pos + 1 < s.size() && s[pos + 1] == quote) {
        r += quote;
        pos += 2;
        continue;
      }
      ++pos;  // the closing quote
      return r;
    }
    r += s[pos++];
  }
  return r;  // no closing quote: the rest of the text
}

AnsiString AnsiDequotedStr(std::string_view s, AnsiChar quote) {
  if (s.empty() || s[0] != quote) return AnsiString(s);
  std::size_t pos = 0;
  return AnsiExtractQuotedStr(s, pos, quote);
}

AnsiString ReverseString(std::string_view s) { return AnsiString(s.rbegin(), s.rend()); }

AnsiString LeftStr(std::string_view s, Integer count) { return Copy(s, 1, count); }
AnsiString RightStr(std::string_view s, Integer count) {
  if (count < 1) return {};
  return AnsiString(s.substr(s.size() - std::min(s.size(), static_cast<std::size_t>(count))));
}
AnsiString MidStr(std::string_view s, Integer start, Integer count) { return Copy(s, start, count); }

AnsiString AdjustLineBreaks(std::string_view s) {
  AnsiString r;
  r.reserve(s.size() + s.size() / 16);
  for (std::size_t i = 0; i < s.size(); ++i) {
    const char c = s[i];
    if (c == '\n') {
      r += "\r\n";
    } else if (c == '\r') {
      r += "\r\n";
      if (i + 1 < s.size() && s[i + 1] == '\n') ++i;
    } else {
      r += c;
    }
  }
  return r;
}

Integer LastDelimiter(std::string_view delimiters, std::string_view s) noexcept {
  const auto at = s.find_last_of(delimiters);
  return at == std::string_view::npos ? 0 : static_cast<Integer>(at) + 1;
}

bool IsDelimiter(std::string_view delimiters, std::string_view s, Integer index) noexcept {
  if (index < 1 || index > static_cast<Integer>(s.size())) return false;
  return delimiters.find(s[static_cast<std::size_t>(index - 1)]) != std::string_view::npos;
}
