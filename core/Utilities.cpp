#include "core/Utilities.h"

#include <algorithm>
#include <memory>

#include "classlib/Forms.h"
#include "classlib/Handles.h"
#include "classlib/StringLists.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "core/TypesConstants.h"

TCharSet StringToCharSet(const AnsiString& text) {
  TCharSet set;
  for (char c : text) set.Include(c);
  return set;
}

// AnsiLowerCase keeps the length of a text in a one-byte code page, so the 256 characters in a row
// give the table.
TLowerCaseTable::TLowerCaseTable() {
  AnsiString all(256, '\0');
  for (int c = 0; c < 256; ++c) all[c] = static_cast<char>(c);
  const AnsiString lower = AnsiLowerCase(all);
  for (int c = 0; c < 256; ++c) Of[c] = lower.size() == all.size() ? lower[c] : all[c];
}

AnsiString LowerCaseText(std::string_view text) {
  AnsiString lower(text);
  for (char& c : lower) c = LowerCaseChar(c);
  return lower;
}

AnsiString LastChars(const AnsiString& text, int n) {
  if (n <= 0) return AnsiString();
  if (Length(text) <= n) return text;
  return Copy(text, Length(text) - n + 1, n);
}

AnsiString FirstNumberInString(const AnsiString& text) {
  const std::size_t start = text.find_first_of("0123456789");
  if (start == AnsiString::npos) return AnsiString();
  std::size_t end = start;
  while (end < text.size() && text[end] >= '0' && text[end] <= '9') ++end;
  return text.substr(start, end - start);
}

void SplitLineIntoWords(const AnsiString& line, TStrings* words, bool keepBlanks) {
  words->Clear();
  if (!keepBlanks) {
    const AnsiString s = Trim(line);
    if (s.empty()) return;
    std::size_t start = 0;
    for (;;) {
      const std::size_t blank = s.find(' ', start);
      if (blank == AnsiString::npos) {
        words->Add(s.substr(start));
        return;
      }
      words->Add(s.substr(start, blank - start));
      start = blank + 1;
    }
  }
  std::size_t start = 0;
  while (start < line.size()) {
    const bool blank = line[start] == ' ';
    std::size_t end = start;
    while (end < line.size() && (line[end] == ' ') == blank) ++end;
    words->Add(line.substr(start, end - start));
    start = end;
  }
}

AnsiString OrdinalWord(int n) {
  if (n < 1 || n > 15) return AnsiString();
  const char* suffix = "th";
  if (n == 1) suffix = "st";
  else if (n == 2) suffix = "nd";
  else if (n == 3) suffix = "rd";
  return IntToStr(n) + suffix;
}

bool FileCopy(const AnsiString& source, const AnsiString& target) {
  std::unique_ptr<TFileStream> in(new TFileStream(source, fmOpenRead | fmShareDenyWrite));
  std::unique_ptr<TFileStream> out(new TFileStream(target, fmCreate));
  out->CopyFrom(in.get(), 0);
  return true;
}

void ReadLinesOrNone(const AnsiString& fileName, TStrings* lines) {
  lines->Clear();
  if (fileName.empty()) return;
  try {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyNone);
    lines->LoadFromStream(&stream);
  } catch (const Exception&) {
    lines->Clear();
  }
}

Cardinal ReplaceFileContents(const AnsiString& fileName, const AnsiString& bytes) {
  // A read-only file is refused as writing it in place would be; renaming over it would not be
  // refused everywhere.
  const DWORD attributes = ::GetFileAttributesA(fileName.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    return ERROR_ACCESS_DENIED;
  const AnsiString folder = ExtractFilePath(fileName);
  char temp[MAX_PATH];
  if (!::GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "pel", 0, temp)) return ::GetLastError();
  DWORD error = 0;
  {
    UniqueFileHandle file(::CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) error = ::GetLastError();
    std::size_t done = 0;
    while (error == 0 && done < bytes.size()) {
      const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
      DWORD written = 0;
      if (!::WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr)) error = ::GetLastError();
      else if (written == 0) error = ERROR_WRITE_FAULT;
      done += written;
    }
  }
  if (error == 0 && !::MoveFileExA(temp, fileName.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    error = ::GetLastError();
  if (error != 0) ::DeleteFileA(temp);
  return error;
}

AnsiString LineFeedsToBlanks(const AnsiString& text) {
  AnsiString result = text;
  for (char& c : result)
    if (c == '\n') c = ' ';
  return result;
}

AnsiString NumberToText(int n) { return IntToStr(n); }

int BookNumberFromEnglishName(const AnsiString& name) {
  for (int book = 1; book <= BookCount; ++book)
    if (EnglishBookName(book) == name) return book;
  return 0;
}

int BookNumberFromId(const AnsiString& id) {
  for (int book = 1; book <= BookCount; ++book)
    if (BookId(book) == id) return book;
  return 0;
}

bool IsMarkerLine(const AnsiString& line, const AnsiString& marker) {
  return line.compare(0, marker.size(), marker) == 0 && (line.size() == marker.size() || line[marker.size()] == ' ');
}

AnsiString ExtractReference(const AnsiString& line) {
  const AnsiString s = Trim(line);
  const int colon = Pos(":", s);
  return Copy(s, 1, colon) + FirstNumberInString(Copy(s, colon + 1, Length(s)));
}

Integer MillimetresToPixels(Integer millimetres) {
  return ::MulDiv(millimetres, Screen->GetPixelsPerInch() * 5, 127);
}

Integer PaperSizeToPageSize(Integer paperSize) { return paperSize + 1; }
