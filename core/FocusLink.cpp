#include "core/FocusLink.h"

#include <memory>

#include "classlib/Registry.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "classlib/WinApi.h"
#include "core/MyRegistry.h"
#include "core/ParatextBibleWorks.h"
#include "core/Utilities.h"

const char* const FocusReferenceKey = "\\Software\\SantaFe\\Focus\\ScriptureReference";
const char* const FocusReferenceListKey = "\\Software\\SantaFe\\Focus\\ScriptureReferenceList";
const char* const FocusMessageName = "SantaFeFocus";

namespace {

struct TitleSearch {
  const AnsiString* title;
  bool found = false;
};

BOOL CALLBACK TitleBeginsWith(HWND wnd, LPARAM param) {
  auto* search = reinterpret_cast<TitleSearch*>(param);
  char text[261] = {};
  ::GetWindowTextA(wnd, text, sizeof text);
  if (!AnsiStartsText(*search->title, text)) return TRUE;
  search->found = true;
  return FALSE;
}

// The reference at the start of a trimmed line and what follows it: "MAT 5:3 text" gives
// "MAT 5:3" and " text". False when the line does not begin with a book identifier or has no
// colon.
bool SplitReference(const AnsiString& line, AnsiString& reference, AnsiString& rest) {
  if (!BookNumberFromId(line.substr(0, 3))) return false;
  const std::size_t colon = line.find(':');
  if (colon == AnsiString::npos) return false;
  std::size_t digits = line.find_first_of("0123456789", colon + 1);
  if (digits == AnsiString::npos) digits = line.size();
  std::size_t end = line.find_first_not_of("0123456789", digits);
  if (end == AnsiString::npos) end = line.size();
  reference = line.substr(0, colon + 1) + line.substr(digits, end - digits);
  rest = line.substr(end);
  return true;
}

}  // namespace

bool FindWindowByTitle(const AnsiString& title) {
  if (::FindWindowA(nullptr, title.c_str())) return true;
  TitleSearch search{&title};
  ::EnumWindows(&TitleBeginsWith, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

AnsiString GetFocusReference() {
  std::unique_ptr<TRegistry> registry(new TRegistry());
  registry->SetRootKey(HKEY_CURRENT_USER);
  if (!registry->OpenKey(FocusReferenceKey, true)) return AnsiString();
  try {
    return registry->ReadString("");
  } catch (const Exception&) {
    // A value of another type than text is no reference.
    return AnsiString();
  }
}

AnsiString FocusReferenceListText(TStrings* lines) {
  AnsiString text;
  for (int i = 0; i < lines->GetCount(); ++i) {
    AnsiString reference, rest;
    if (!SplitReference(Trim(lines->GetStrings(i)), reference, rest)) continue;
    rest = Trim(rest);
    if (rest.substr(0, 1) != "[") rest = "[1]" + rest;
    text += reference + "\t" + rest + "\r\n";
  }
  return text;
}

void SetFocusReferenceList(TStrings* lines) {
  const AnsiString text = FocusReferenceListText(lines);
  {
    std::unique_ptr<TRegistry> registry(new TRegistry());
    registry->SetRootKey(HKEY_CURRENT_USER);
    if (registry->OpenKey(FocusReferenceListKey, true)) {
      try {
        registry->WriteString("", text);
      } catch (const Exception&) {
        // Paratext then shows the list it had; the message still tells it to look.
      }
    }
  }
  ::PostMessageA(HWND_BROADCAST, ::RegisterWindowMessageA(FocusMessageName), 2, 0);
}

AnsiString SendResultsToParatext(TStrings* results) {
  std::unique_ptr<TStringList> lines(new TStringList());
  for (int i = 0; i < results->GetCount(); ++i)
    if (BookNumberFromId(results->GetStrings(i).substr(0, 3))) lines->Add(results->GetStrings(i));
  // An unset folder gives no file: never one in the current folder.
  const AnsiString folder = MyReg->GetParatextProjectsFolder();
  AnsiString path = folder.empty() ? AnsiString() : folder + ParatextReferenceFileName;
  if (!path.empty() && ReplaceFileContents(path, lines->GetText()) != 0) path.clear();
  SetFocusReferenceList(lines.get());
  return path;
}
