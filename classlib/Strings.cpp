#include "classlib/Strings.h"

#include <bit>

#include "classlib/WinApi.h"

namespace {

template <class Char>
Integer FindFrom(std::basic_string_view<Char> sub, std::basic_string_view<Char> s, Integer offset) noexcept {
  if (sub.empty() || offset < 1 || offset > static_cast<Integer>(s.size())) return 0;
  const auto at = s.find(sub, static_cast<std::size_t>(offset - 1));
  return at == std::basic_string_view<Char>::npos ? 0 : static_cast<Integer>(at) + 1;
}

template <class Char>
std::basic_string<Char> CopyOf(std::basic_string_view<Char> s, Integer index, Integer count) {
  const auto len = static_cast<Integer>(s.size());
  if (index < 1) index = 1;
  if (index > len || count < 1) return {};
  if (count > len - index + 1) count = len - index + 1;
  return std::basic_string<Char>(s.substr(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count)));
}

template <class Char>
void DeleteFrom(std::basic_string<Char>& s, Integer index, Integer count) {
  const auto len = static_cast<Integer>(s.size());
  if (index < 1 || index > len || count < 1) return;
  if (count > len - index + 1) count = len - index + 1;
  s.erase(static_cast<std::size_t>(index - 1), static_cast<std::size_t>(count));
}

template <class Char>
void InsertInto(std::basic_string_view<Char> source, std::basic_string<Char>& s, Integer index) {
  const auto len = static_cast<Integer>(s.size());
  if (index < 1) index = 1;
  if (index > len + 1) index = len + 1;
  s.insert(static_cast<std::size_t>(index - 1), source);
}

bool IsUnicodeCodePage(UINT cp) { return cp == CP_UTF8 || cp == CP_UTF7; }

}  // namespace

Integer Pos(std::string_view sub, std::string_view s) noexcept { return FindFrom(sub, s, 1); }
Integer Pos(std::wstring_view sub, std::wstring_view s) noexcept { return FindFrom(sub, s, 1); }
Integer Pos(AnsiChar c, std::string_view s) noexcept {
  const auto at = s.find(c);
  return at == std::string_view::npos ? 0 : static_cast<Integer>(at) + 1;
}
Integer PosEx(std::string_view sub, std::string_view s, Integer offset) noexcept { return FindFrom(sub, s, offset); }
Integer PosEx(std::wstring_view sub, std::wstring_view s, Integer offset) noexcept {
  return FindFrom(sub, s, offset);
}

AnsiString Copy(std::string_view s, Integer index, Integer count) { return CopyOf(s, index, count); }
WideString Copy(std::wstring_view s, Integer index, Integer count) { return CopyOf(s, index, count); }
void Delete(AnsiString& s, Integer index, Integer count) { DeleteFrom(s, index, count); }
void Delete(WideString& s, Integer index, Integer count) { DeleteFrom(s, index, count); }
void Insert(std::string_view source, AnsiString& s, Integer index) { InsertInto(source, s, index); }
void Insert(std::wstring_view source, WideString& s, Integer index) { InsertInto(source, s, index); }

AnsiString StringOfChar(AnsiChar c, Integer count) { return count > 0 ? AnsiString(count, c) : AnsiString(); }
WideString StringOfChar(WideChar c, Integer count) { return count > 0 ? WideString(count, c) : WideString(); }

AnsiString DupeString(std::string_view s, Integer count) {
  AnsiString r;
  if (count < 1) return r;
  r.reserve(s.size() * static_cast<std::size_t>(count));
  while (count-- > 0) r += s;
  return r;
}

int TCharSet::Count() const noexcept {
  int n = 0;
  for (auto w : bits_) n += std::popcount(w);
  return n;
}

AnsiString TCharSet::ToString() const {
  AnsiString r;
  for (int c = 0; c < 256; ++c)
    if (Contains(static_cast<Byte>(c))) r += static_cast<char>(c);
  return r;
}

WideString AnsiToWide(std::string_view s, unsigned codePage) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  WideString w(static_cast<std::size_t>(n), L'\0');
  if (n > 0) MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), w.data(), n);
  return w;
}

AnsiString WideToAnsi(std::wstring_view w, unsigned codePage) {
  if (w.empty()) return {};
  // The UTF code pages accept neither flags nor a default character; every other code page
  // gets "?" for what it cannot hold instead of a look-alike letter.
  const bool utf = IsUnicodeCodePage(codePage);
  const DWORD flags = utf ? 0 : WC_NO_BEST_FIT_CHARS;
  const char* fallback = utf ? nullptr : "?";
  const int n =
      WideCharToMultiByte(codePage, flags, w.data(), static_cast<int>(w.size()), nullptr, 0, fallback, nullptr);
  AnsiString s(static_cast<std::size_t>(n), '\0');
  if (n > 0)
    WideCharToMultiByte(codePage, flags, w.data(), static_cast<int>(w.size()), s.data(), n, fallback, nullptr);
  return s;
}

AnsiString UTF8Encode(std::wstring_view w) { return WideToAnsi(w, CP_UTF8); }
WideString UTF8Decode(std::string_view s) { return AnsiToWide(s, CP_UTF8); }
AnsiString AnsiToUtf8(std::string_view s) { return UTF8Encode(AnsiToWide(s)); }
AnsiString Utf8ToAnsi(std::string_view s) { return WideToAnsi(UTF8Decode(s)); }
