#include "tools/TNEExport.h"

#include <cstdio>
#include <utility>

#include "classlib/SysUtils.h"
#include "core/Utilities.h"

namespace {

AnsiString PartFrom(const AnsiString& text, std::size_t index) { return index < text.size() ? text.substr(index) : AnsiString(); }

// A book line as the notes take it: trimmed, with "<" and ">" written as "[" and "]", so that no
// markup of the book becomes markup of the notes file.
AnsiString NoteLine(const AnsiString& line) {
  AnsiString text = Trim(line);
  for (char& c : text) {
    if (c == '<') c = '[';
    if (c == '>') c = ']';
  }
  return text;
}

AnsiString Element(const char* name, const AnsiString& value) {
  return AnsiString("<") + name + ">" + EscapeXmlText(value) + "</" + name + ">";
}

// The Unicode character of each byte in the system code page. ISO-8859-1, which the file's
// declaration names, reads a byte as the character of the same number; a byte whose character is
// another one (in code page 1252 the quotes, dashes and other signs at 0x80 to 0x9F, which
// ISO-8859-1 reads as control characters) is written as a character reference instead.
struct CharacterCodes {
  unsigned Of[256];
  CharacterCodes() {
    for (unsigned b = 0; b < 256; ++b) {
      const WideString wide = AnsiToWide(AnsiString(1, static_cast<char>(b)));
      Of[b] = wide.size() == 1 ? static_cast<unsigned>(wide[0]) : b;
    }
  }
};

unsigned CharacterCode(char c) {
  static const CharacterCodes codes;
  return codes.Of[static_cast<unsigned char>(c)];
}

}  // namespace

AnsiString EscapeXmlText(const AnsiString& text) {
  AnsiString escaped;
  escaped.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      default: {
        const unsigned code = CharacterCode(c);
        if (code == static_cast<unsigned char>(c))
          escaped += c;
        else
          escaped += "&#" + IntToStr(code) + ";";
      }
    }
  }
  return escaped;
}

TTNEExport::TTNEExport(const TTNENoteSettings& settings, const SYSTEMTIME& start) : settings_(settings) {
  FILETIME time{};
  SystemTimeToFileTime(&start, &time);
  clock_ = (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  lines_.push_back("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>");
  lines_.push_back("<ScriptureNotes>");
}

AnsiString TTNEExport::NextDate() {
  clock_ += 10000000ULL;
  FILETIME time{static_cast<DWORD>(clock_), static_cast<DWORD>(clock_ >> 32)};
  SYSTEMTIME t{};
  FileTimeToSystemTime(&time, &t);
  // Written with "/" and ":" whatever the user's date and time separators are.
  char text[32];
  std::snprintf(text, sizeof text, "%04u/%02u/%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                t.wSecond);
  return text;
}

void TTNEExport::WriteNote(const AnsiString& text) {
  const bool unresolved = !settings_.Unresolved.empty() && text.find(settings_.Unresolved) != AnsiString::npos;
  lines_.emplace_back();
  lines_.push_back("<Note>");
  lines_.push_back(Element("Type", unresolved ? AnsiString("3") : settings_.TypeCode));
  if (!settings_.Category1.empty()) lines_.push_back(Element("Category", settings_.Category1));
  if (!settings_.Category2.empty()) lines_.push_back(Element("AltCategory", settings_.Category2));
  if (!settings_.Category3.empty()) lines_.push_back(Element("AltAltCategory", settings_.Category3));
  lines_.push_back(Element("CreatedBy", settings_.CreatedBy));
  lines_.push_back(Element("CreationDate", NextDate()));
  lines_.push_back(Element("ModificationDate", NextDate()));
  lines_.push_back(Element("Project", settings_.Project));
  lines_.push_back(Element("References", bookId_ + " " + chapter_ + ":" + verse_));
  lines_.push_back(Element("NoteEncoding", settings_.NoteLanguage));
  lines_.push_back("<Contents><P>" + EscapeXmlText(text) + "</P></Contents>");
  lines_.push_back("</Note>");
  lines_.emplace_back();
  ++count_;
}

void TTNEExport::AddBook(const AnsiString& bookId, const TextLines& lines) {
  bookId_ = bookId;
  for (const AnsiString& original : lines) {
    const AnsiString line = NoteLine(original);
    if (IsMarkerLine(line, "\\id")) {
      chapter_ = "1";
      verse_ = "1";
      if (PartFrom(line, 4) != bookId_) WriteNote(PartFrom(line, 3));
    } else if (IsMarkerLine(line, "\\c")) {
      chapter_ = FirstNumberInString(line);
      verse_ = "1";
      if (PartFrom(line, 3) != chapter_) WriteNote(PartFrom(line, 2));
    } else if (IsMarkerLine(line, "\\v")) {
      const AnsiString number = FirstNumberInString(line);
      if (!number.empty()) verse_ = number;
      if (PartFrom(line, 3) != verse_ && line.find(verse_) == 3) WriteNote(Trim(PartFrom(line, 3 + verse_.size())));
    } else if (line != "\\p") {
      WriteNote(line);
    }
  }
}

TextLines TTNEExport::Finish() {
  // The lines are handed over, not copied: a whole Bible's notes file has some 400,000 of them.
  TextLines result = std::move(lines_);
  lines_.clear();
  result.push_back("</ScriptureNotes>");
  return result;
}
