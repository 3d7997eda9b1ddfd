#include "tools/ConversionText.h"

#include "classlib/Streams.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/Utilities.h"

TextLines SplitTextLines(std::string_view text) {
  TextLines lines;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) end = text.size();
    lines.emplace_back(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  return lines;
}

AnsiString JoinParagraphs(const TextLines& lines) {
  AnsiString text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

AnsiString JoinLines(const TextLines& lines) {
  std::size_t size = 0;
  for (const AnsiString& line : lines) size += line.size() + 2;
  AnsiString text;
  text.reserve(size);
  for (const AnsiString& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

TextLines LinesOf(const TStrings* list) {
  TextLines lines;
  lines.reserve(static_cast<std::size_t>(list->GetCount()));
  for (Integer i = 0; i < list->GetCount(); ++i) lines.push_back(list->GetStrings(i));
  return lines;
}

void AssignLines(TStrings* list, const TextLines& lines) {
  list->BeginUpdate();
  list->Clear();
  for (const AnsiString& line : lines) list->Add(line);
  list->EndUpdate();
}

AnsiString CheckLineLengths(const TextLines& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i)
    if (lines[i].size() > MaxConvertedLineLength)
      return "Line " + IntToStr(i + 1) + " is longer than " + IntToStr(MaxConvertedLineLength) +
             " characters; nothing has been converted";
  return AnsiString();
}

AnsiString WriteResultFile(const AnsiString& fileName, const AnsiString& bytes) {
  const Cardinal error = ReplaceFileContents(fileName, bytes);
  if (error == 0) return AnsiString();
  return "The file " + fileName + " could not be written: " + Trim(SysErrorMessage(error));
}

bool ReadResultFile(const AnsiString& fileName, AnsiString& bytes) {
  try {
    TFileStream stream(fileName, fmOpenRead | fmShareDenyNone);
    bytes.assign(static_cast<std::size_t>(stream.GetSize()), '\0');
    if (!bytes.empty()) stream.ReadBuffer(bytes.data(), static_cast<Integer>(bytes.size()));
    return true;
  } catch (const Exception&) {
    return false;
  }
}

std::size_t FindDigits(std::string_view text, AnsiString& digits, std::size_t from) {
  const std::size_t start = text.find_first_of("0123456789", from);
  if (start == std::string_view::npos) {
    digits.clear();
    return start;
  }
  std::size_t end = text.find_first_not_of("0123456789", start);
  if (end == std::string_view::npos) end = text.size();
  digits.assign(text.substr(start, end - start));
  return start;
}
