#include "tools/eBookUnit.h"

#include <algorithm>

#include "classlib/Handles.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "controls/VisSendKeys.h"
#include "core/MyRegistry.h"
#include "core/ProgramFolderUnit.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"
#include "richtext/core/UVUVData.h"
#include "richtext/core/UzurUvad.h"

namespace {

const char kProjectName[] = "pelorin.rwp";
const char kContentsName[] = "00 Table of Contents.html";

AnsiString LastErrorText() { return SysErrorMessage(::GetLastError()); }

// The page's lines, split at carriage return and line feed (the writers end every line so).
std::vector<AnsiString> SplitLines(const AnsiString& text) {
  std::vector<AnsiString> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

AnsiString JoinLines(const std::vector<AnsiString>& lines) {
  AnsiString text;
  for (const AnsiString& line : lines) text += line + "\r\n";
  return text;
}

void WriteWhole(const AnsiString& fileName, const AnsiString& bytes) {
  if (const Cardinal error = ReplaceFileContents(fileName, bytes))
    throw EInOutError("Cannot write " + fileName + ": " + SysErrorMessage(error), static_cast<int>(error));
}

// Where `name` stands in the line's text at or after `from`, not inside a tag; npos when nowhere.
std::size_t FindInText(const AnsiString& line, const AnsiString& name, std::size_t from) {
  bool inTag = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '<') inTag = true;
    if (!inTag && i >= from && line.compare(i, name.size(), name) == 0) return i;
    if (line[i] == '>') inTag = false;
  }
  return std::string::npos;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Files

AnsiString EBookWorkFolder() { return ProgramFolder + "ebook\\"; }
AnsiString HtmlFileName(const AnsiString& entry) { return EBookWorkFolder() + entry + ".html"; }

AnsiString EBooksFolder() {
  const AnsiString folder = MyReg->GetEBooksFolder();
  return folder.empty() ? folder : IncludeTrailingPathDelimiter(folder);
}

AnsiString EBookFileName(const AnsiString& htmlFile) {
  return EBooksFolder() + ChangeFileExt(ExtractFileName(htmlFile), ".lit");
}

AnsiString BusyMarkerFileName(const AnsiString& eBookFile) { return eBookFile + ".OLD"; }
AnsiString BuilderProjectTemplate() { return ProgramFolder + kProjectName; }
AnsiString BuilderProjectFile() { return EBookWorkFolder() + kProjectName; }
AnsiString ContentsPageFileName() { return EBooksFolder() + kContentsName; }

AnsiString CheckpointURL(Integer jump, Integer chapterCount) {
  return "#UzurUvadCheckpoint" + IntToStr(jump < chapterCount ? jump + 1 : 0);
}

void CopyBuilderProject() {
  if (!ForceDirectories(EBookWorkFolder()))
    throw EInOutError("Cannot make the folder " + EBookWorkFolder() + ": " + LastErrorText(),
                      static_cast<int>(::GetLastError()));
  if (!::CopyFileA(BuilderProjectTemplate().c_str(), BuilderProjectFile().c_str(), FALSE))
    throw EInOutError("Cannot copy " + BuilderProjectTemplate() + ": " + LastErrorText(),
                      static_cast<int>(::GetLastError()));
}

void StripCssMargins(std::vector<AnsiString>& lines) {
  std::erase_if(lines, [](const AnsiString& line) {
    return line.find("  margin: ") != std::string::npos || line.find("  padding: ") != std::string::npos;
  });
}

void SaveEBookPage(TCustomUzurUvad* editor, const AnsiString& htmlFile, const AnsiString& title) {
  TStringStream stream;
  editor->GetUVData()->SaveHTMLToStreamWithCSS(
      &stream, ExtractFilePath(htmlFile), title, "", 0, editor->GetEffectiveColor(), editor->GetLeftMargin(),
      editor->GetTopMargin(), editor->GetRightMargin(), editor->GetBottomMargin(), editor->GetBackground(), "");
  std::vector<AnsiString> lines = SplitLines(stream.GetDataString());
  StripCssMargins(lines);
  WriteWhole(htmlFile, JoinLines(lines));
}

AnsiString LinkBookNames(const AnsiString& line) {
  // The names stand in the line in the order of the books, so each is looked for after the one
  // before: "John" is the gospel, not the end of "1 John", and no name is linked twice.
  AnsiString linked;
  std::size_t at = 0;
  for (int book = 1; book <= BookCount; ++book) {
    const AnsiString& name = EnglishBookName(book);
    const std::size_t found = FindInText(line, name, at);
    if (found == std::string::npos) continue;
    linked += line.substr(at, found - at) + "<a href=\"" + name + ".lit\">" + name + "</a>";
    at = found + name.size();
  }
  return linked + line.substr(at);
}

void BuildContentsPage(TCustomUzurUvad* editor, Integer style) {
  AnsiString names;
  for (int book = 1; book <= BookCount; ++book) names += EnglishBookName(book) + " ";
  editor->Clear();
  editor->Add(names, style);
  editor->Format();
  const AnsiString fileName = ContentsPageFileName();
  TStringStream stream;
  editor->GetUVData()->SaveHTMLToStream(&stream, ExtractFilePath(fileName), "Table of Contents", "", 0,
                                        editor->GetEffectiveColor(), editor->GetLeftMargin(),
                                        editor->GetTopMargin(), editor->GetRightMargin(),
                                        editor->GetBottomMargin(), editor->GetBackground());
  editor->Clear();
  editor->Format();
  std::vector<AnsiString> lines = SplitLines(stream.GetDataString());
  for (AnsiString& line : lines) {
    if (line.find(EnglishBookName(1)) == std::string::npos) continue;
    line = LinkBookNames(line);
    break;
  }
  WriteWhole(fileName, JoinLines(lines));
}

// ---------------------------------------------------------------------------------------------
// The builder's registry options

const char TBuilderOptions::OptionsKey[] = "Software\\OverDrive Systems, Inc.\\ReaderWorks\\Options";
const char TBuilderOptions::SettingsKey[] = "Software\\OverDrive Systems, Inc.\\ReaderWorks\\Settings";
const char TBuilderOptions::AutoSaveKey[] = "Software\\OverDrive Systems, Inc.\\ReaderWorks\\Auto-save";

namespace {

struct TOption {
  const char* Key;
  const char* Name;
  DWORD RunValue;
};

const TOption kOptions[4] = {
    {TBuilderOptions::OptionsKey, "Show Startup Dialog", 0},
    {TBuilderOptions::OptionsKey, "Extract HTML Titles", 1},
    {TBuilderOptions::SettingsKey, "Autorun Reader", 0},
    {TBuilderOptions::SettingsKey, "Build To CE", 0},
};

UniqueRegKey OpenKey(const char* path, bool create, LONG& result) {
  HKEY key = nullptr;
  result = create ? ::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
                  : ::RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_ALL_ACCESS, &key);
  return UniqueRegKey(result == ERROR_SUCCESS ? key : nullptr);
}

bool KeyExists(const AnsiString& path) {
  LONG result = 0;
  return static_cast<bool>(OpenKey(path.c_str(), false, result));
}

// Removes a key that holds no values and no keys.
void RemoveIfEmpty(const AnsiString& path) {
  LONG result = 0;
  UniqueRegKey key = OpenKey(path.c_str(), false, result);
  if (!key) return;
  DWORD subKeys = 0, values = 0;
  if (::RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subKeys, nullptr, nullptr, &values, nullptr, nullptr,
                         nullptr, nullptr) != ERROR_SUCCESS ||
      subKeys != 0 || values != 0)
    return;
  key.reset();
  ::RegDeleteKeyA(HKEY_CURRENT_USER, path.c_str());
}

}  // namespace

void TBuilderOptions::EmptyAutoSave() {
  LONG result = 0;
  UniqueRegKey key = OpenKey(TBuilderOptions::AutoSaveKey, false, result);
  if (!key) return;
  for (;;) {
    char name[16384];
    DWORD length = sizeof(name);
    if (::RegEnumValueA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (::RegDeleteValueA(key.get(), name) != ERROR_SUCCESS) break;
  }
}

bool TBuilderOptions::Set(AnsiString& error) {
  made_.clear();
  for (const char* path : {OptionsKey, SettingsKey}) {
    // Every key on the path that is not there yet, from the top down.
    const AnsiString full = path;
    for (std::size_t at = full.find('\\', 9); ; at = full.find('\\', at + 1)) {
      const AnsiString part = full.substr(0, at);
      if (!KeyExists(part) && std::find(made_.begin(), made_.end(), part) == made_.end()) made_.push_back(part);
      if (at == std::string::npos) break;
    }
  }
  for (int i = 0; i < 4; ++i) {
    LONG result = 0;
    UniqueRegKey key = OpenKey(kOptions[i].Key, true, result);
    if (!key) {
      error = "Cannot write the registry key " + AnsiString(kOptions[i].Key) + ": " + SysErrorMessage(result);
      set_ = true;
      Restore();
      return false;
    }
    TKept& kept = kept_[i];
    DWORD type = 0, size = 0;
    kept.Existed = ::RegQueryValueExA(key.get(), kOptions[i].Name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    if (kept.Existed) {
      kept.Type = type;
      kept.Data.resize(size);
      if (::RegQueryValueExA(key.get(), kOptions[i].Name, nullptr, &type, kept.Data.data(), &size) != ERROR_SUCCESS)
        kept.Existed = false;
      kept.Data.resize(size);
    }
    // From here on, Restore puts this value back.
    kept.Kept = true;
    set_ = true;
    result = ::RegSetValueExA(key.get(), kOptions[i].Name, 0, REG_DWORD,
                              reinterpret_cast<const BYTE*>(&kOptions[i].RunValue), sizeof(DWORD));
    if (result != ERROR_SUCCESS) {
      error = "Cannot write the registry value " + AnsiString(kOptions[i].Name) + ": " + SysErrorMessage(result);
      Restore();
      return false;
    }
  }
  EmptyAutoSave();
  return true;
}

void TBuilderOptions::Restore() {
  if (!set_) return;
  for (int i = 0; i < 4; ++i) {
    if (!kept_[i].Kept) continue;
    LONG result = 0;
    UniqueRegKey key = OpenKey(kOptions[i].Key, false, result);
    if (!key) continue;
    const TKept& kept = kept_[i];
    if (kept.Existed)
      ::RegSetValueExA(key.get(), kOptions[i].Name, 0, kept.Type, kept.Data.data(),
                       static_cast<DWORD>(kept.Data.size()));
    else
      ::RegDeleteValueA(key.get(), kOptions[i].Name);
  }
  EmptyAutoSave();
  for (auto key = made_.rbegin(); key != made_.rend(); ++key) RemoveIfEmpty(*key);
  made_.clear();
  set_ = false;
  for (TKept& kept : kept_) kept = TKept();
}

// ---------------------------------------------------------------------------------------------
// The builder through the keystroke sender

AnsiString KeysForText(const AnsiString& text) {
  AnsiString keys;
  for (char c : text) {
    if (AnsiString("+^%~(){}").find(c) != std::string::npos)
      keys += AnsiString("{") + c + "}";
    else
      keys += c;
  }
  return keys;
}

bool TSendKeysBuilder::Running() {
  HANDLE process = sender_->GetProcessHandle();
  return process && ::WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
}

bool TSendKeysBuilder::Answers() {
  HWND window = sender_->GetWindowHandle();
  if (!window || !::IsWindow(window)) return false;
  // A short wait, so that this program stays responsive while it asks a busy builder.
  DWORD_PTR answer = 0;
  return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 250, &answer) != 0;
}

void TSendKeysBuilder::ShowWindow(bool visible) {
  // Asynchronous: a builder that hangs must not hang this program.
  if (HWND window = sender_->GetWindowHandle()) ::ShowWindowAsync(window, visible ? SW_SHOWNORMAL : SW_HIDE);
}

bool TSendKeysBuilder::Shown() {
  HWND window = sender_->GetWindowHandle();
  return window && ::IsWindowVisible(window);
}

TEBookBuilder::TFront TSendKeysBuilder::Front() {
  HWND window = sender_->GetWindowHandle();
  HANDLE process = sender_->GetProcessHandle();
  const HWND front = ::GetForegroundWindow();
  if (!window || !process || !front || !::IsWindowVisible(front)) return bfNone;
  DWORD owner = 0;
  const DWORD thread = ::GetWindowThreadProcessId(front, &owner);
  if (owner != ::GetProcessId(process)) return bfNone;
  // The window in front takes keys only once the focus is in it (or nowhere, when they go to the
  // active window itself); a builder that is slow to move the focus there would give the keys to
  // the window that had it, which may be the one just closed.
  GUITHREADINFO input{};
  input.cbSize = sizeof(input);
  if (!::GetGUIThreadInfo(thread, &input) || input.hwndActive != front ||
      (input.hwndFocus && ::GetAncestor(input.hwndFocus, GA_ROOT) != front))
    return bfBetween;
  const bool enabled = ::IsWindowEnabled(window);
  if (front == window) return enabled ? bfMain : bfBetween;
  return enabled ? bfBetween : bfDialog;
}

std::uintptr_t TSendKeysBuilder::FrontWindow() {
  HANDLE process = sender_->GetProcessHandle();
  const HWND front = ::GetForegroundWindow();
  if (!process || !front) return 0;
  DWORD owner = 0;
  ::GetWindowThreadProcessId(front, &owner);
  return owner == ::GetProcessId(process) ? reinterpret_cast<std::uintptr_t>(front) : 0;
}

void TSendKeysBuilder::BringToFront() {
  HWND window = sender_->GetWindowHandle();
  if (!window || !::IsWindow(window)) return;
  // The window it last had active in front of its main window is the one waiting for keys.
  HWND popup = ::GetLastActivePopup(window);
  if (!popup || !::IsWindowVisible(popup) || !::IsWindowEnabled(popup)) popup = window;
  ::SetForegroundWindow(popup);
}

void TSendKeysBuilder::SetActivation(bool on) { sender_->AutoActivate = on; }

void TSendKeysBuilder::SendKeys(const AnsiString& keys, bool processMessages) {
  sender_->SendKeys(keys, processMessages);
}

// ---------------------------------------------------------------------------------------------
// Converting one page

TEBookConversion::TEBookConversion(TEBookBuilder& builder, const AnsiString& htmlFile, const AnsiString& name,
                                   TClock clock)
    : builder_(builder),
      htmlFile_(htmlFile),
      eBookFile_(EBookFileName(htmlFile)),
      markerFile_(BusyMarkerFileName(eBookFile_)),
      name_(name),
      clock_(clock ? std::move(clock) : TClock([] { return static_cast<std::uint64_t>(::GetTickCount64()); })) {}

TEBookConversion::TResult TEBookConversion::Fail(const char* reason) {
  failure_ = AnsiString("The eBook builder ") + reason + " " + name_;
  markerState_ = 3;
  return crFailed;
}

TEBookConversion::TResult TEBookConversion::Step() {
  if (state_ == 12) {
    if (markerState_ == 3) return crFailed;
    if (MarkerWatched()) return crWorking;
    state_ = 13;
    return crWorking;
  }
  if (state_ == 17) {
    // Hidden, the builder would lose the keys it has not taken yet.
    if (builder_.Running() && !Ready() && !WaitedOut()) return crWorking;
    ::DeleteFileA(htmlFile_.c_str());
    builder_.ShowWindow(false);
    return crDone;
  }
  if (!builder_.Running()) return Fail("has ended while converting");
  // Keys go only to a builder that answers; one that stays silent too long has hung.
  if (!builder_.Answers()) {
    const std::uint64_t now = clock_();
    if (!silentSince_) silentSince_ = now;
    if (now - silentSince_ >= AnswerBound) return Fail("does not answer while converting");
    return crWorking;
  }
  silentSince_ = 0;
  if (!Ready() && !WaitedOut()) return crWorking;
  waitingSince_ = 0;
  Act();
  ++state_;
  return crWorking;
}

bool TEBookConversion::WaitedOut() {
  const std::uint64_t now = clock_();
  if (!waitingSince_) waitingSince_ = now;
  return now - waitingSince_ >= AnswerBound;
}

bool TEBookConversion::Ready() {
  switch (state_) {
    case 0:
      return true;
    case 1:
      // Showing the window is asynchronous.
      if (!builder_.Shown()) return false;
      break;
    default:
      break;
  }
  // The window the state's keys are for: the one the keys before opened ("^o" the project
  // window, "%e%a" the source window, "^b" the build window, "^n" the new project window, Enter
  // in it the question whether to save the old project), or the main window once they closed it.
  static constexpr bool kForDialog[18] = {false, false, true, true, false, true, false, true, true,
                                          true,  true,  true, true, true, false, true, true, false};
  const TEBookBuilder::TFront wanted = kForDialog[state_] ? TEBookBuilder::bfDialog : TEBookBuilder::bfMain;
  TEBookBuilder::TFront front = builder_.Front();
  if (front == TEBookBuilder::bfNone) {
    builder_.BringToFront();
    front = builder_.Front();
  }
  if (front != wanted) return false;
  // The question comes in place of the new project window, which is a window in front of the
  // main window as well: only a window other than the one Enter was sent to is the question.
  return state_ != 16 || builder_.FrontWindow() != newProjectWindow_;
}

void TEBookConversion::Act() {
  switch (state_) {
    case 0:
      builder_.ShowWindow(true);
      builder_.SetActivation(true);
      break;
    case 1:
      builder_.SendKeys("^o", true);
      builder_.SetActivation(false);
      break;
    case 2:
      builder_.SendKeys(KeysForText(BuilderProjectFile()), true);
      break;
    case 3:
      builder_.SendKeys("%o", true);
      builder_.SetActivation(true);
      break;
    case 4:
      builder_.SendKeys("%e%a", true);
      builder_.SetActivation(false);
      break;
    case 5:
      builder_.SendKeys(KeysForText(htmlFile_) + "%o", true);
      builder_.SetActivation(true);
      break;
    case 6:
      builder_.SendKeys("^b", true);
      builder_.SetActivation(false);
      // What stands in the e-books folder after the build is then this build's; a busy marker
      // left by a builder that ended while building would be taken for this build's.
      ::DeleteFileA(eBookFile_.c_str());
      ::DeleteFileA(markerFile_.c_str());
      break;
    case 7:
      builder_.SendKeys("%m", true);
      builder_.SetActivation(false);
      break;
    case 8:
      builder_.SendKeys("{TAB}", true);
      builder_.SetActivation(false);
      break;
    case 9:
      builder_.SendKeys(KeysForText(EBooksFolder()), true);
      builder_.SetActivation(false);
      break;
    case 10:
      builder_.SendKeys("{TAB}{TAB}", true);
      builder_.SetActivation(false);
      break;
    case 11:
      builder_.SendKeys(" ", true);
      markerState_ = 0;
      since_ = clock_();
      markerGoneAt_ = 0;
      break;
    case 13:
      builder_.SendKeys("%{F4}", false);
      break;
    case 14:
      builder_.SetActivation(true);
      builder_.SendKeys("^n%b", false);
      break;
    case 15:
      // Enter closes the new project window and opens the question in its place (see Ready).
      builder_.SetActivation(false);
      newProjectWindow_ = builder_.FrontWindow();
      builder_.SendKeys("{ENTER}", false);
      break;
    case 16:
      builder_.SendKeys("%n", false);
      break;
    default:
      break;
  }
}

void TEBookConversion::WatchMarker() {
  if (!MarkerWatched()) return;
  const std::uint64_t now = clock_();
  const bool marker = FileExists(markerFile_);
  if (markerState_ == 0) {
    if (marker) {
      markerState_ = 1;
      since_ = now;
    } else if (FileExists(eBookFile_)) {
      // Built so fast that the marker came and went unseen.
      markerState_ = 2;
    } else if (!builder_.Running()) {
      Fail("has ended while converting");
    } else if (now - since_ >= StartBound) {
      // A builder that still answers never began to build; one that no longer does took the
      // build and hangs in it.
      Fail(builder_.Answers() ? "did not start building" : "did not finish building");
    }
    return;
  }
  if (!marker) {
    if (FileExists(eBookFile_)) {
      markerState_ = 2;
      return;
    }
    if (!markerGoneAt_) markerGoneAt_ = now;
    if (now - markerGoneAt_ >= EBookLag) Fail("made no eBook of");
    return;
  }
  if (!builder_.Running())
    Fail("has ended while converting");
  else if (now - since_ >= BuildBound)
    Fail("did not finish building");
}
