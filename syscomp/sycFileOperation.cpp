#include "syscomp/sycFileOperation.h"

#include "classlib/Controls.h"
#include "classlib/Handles.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "syscomp/sycSysUtils.h"

namespace {

constexpr UINT kFunctions[] = {FO_COPY, FO_DELETE, FO_MOVE, FO_RENAME};
constexpr FILEOP_FLAGS kFlags[] = {FOF_ALLOWUNDO, FOF_FILESONLY,         FOF_NOCONFIRMATION, FOF_NOCONFIRMMKDIR,
                                   FOF_NOERRORUI, FOF_RENAMEONCOLLISION, FOF_SILENT,         FOF_SIMPLEPROGRESS};

// Whether a source names anything: a file or folder, or a pattern that matches one.
bool SourceExists(const AnsiString& Source) {
  WIN32_FIND_DATAA found;
  UniqueFindHandle find(::FindFirstFileA(Source.c_str(), &found));
  return static_cast<bool>(find);
}

// The shell's list form: each item followed by a zero byte, and one more zero byte at the end.
void AppendItem(AnsiString& List, const AnsiString& Item) {
  List += Item;
  List += '\0';
}

}  // namespace

TsycFileOperation::TsycFileOperation(TComponent* AOwner) : TsycComponent(AOwner), FFileList(new TStringList()) {}

TsycFileOperation::~TsycFileOperation() { delete FFileList; }

void TsycFileOperation::SetFileList(TStrings* Value) { FFileList->Assign(Value); }

bool TsycFileOperation::Execute() { return Execute(Operation); }

bool TsycFileOperation::Copy() { return Execute(fotCopy); }

bool TsycFileOperation::Execute(TsycFileOperationType AOperation) {
  if (FFileList->GetCount() == 0) return true;

  const bool pairs = FFileList->GetText().find('=') != AnsiString::npos;
  FILEOP_FLAGS flags = 0;
  for (int f = fofAllowUndo; f <= fofSimpleProgress; ++f)
    if (Options.Contains(static_cast<TsycFileOperationFlag>(f))) flags |= kFlags[f];
  if (pairs) flags |= FOF_MULTIDESTFILES;

  AnsiString sources;
  AnsiString targets;
  bool allFound = true;
  for (Integer i = 0; i < FFileList->GetCount(); ++i) {
    const AnsiString line = FFileList->GetStrings(i);
    if (Trim(line).empty()) continue;
    AnsiString source = line;
    AnsiString target;
    if (pairs) {
      const std::size_t at = line.find('=');
      if (at != AnsiString::npos) {
        source = line.substr(0, at);
        // A pair without a source or without a target would shift every later file onto the
        // next file's target.
        target = line.substr(at + 1);
        if (Trim(source).empty() || Trim(target).empty()) continue;
      }
      target = ExpandDestinationName(source, ResolveDestination(DestFolder, target));
    }
    // The shell refuses the whole list for one missing source; leave it out and say so.
    if (!SourceExists(source)) {
      allFound = false;
      DoError(source + ": " + TrimRight(GetErrorText(ERROR_FILE_NOT_FOUND)));
      continue;
    }
    AppendItem(sources, source);
    if (pairs) AppendItem(targets, target);
  }
  if (sources.empty()) return allFound;
  // The shell copies or moves one file to a destination that does not exist as a file of that
  // name; files are meant to go into the folder, so a missing one is made first.
  if (!pairs && (AOperation == fotCopy || AOperation == fotMove) && !Trim(DestFolder).empty() &&
      !DirectoryExists(DestFolder) && !ForceDirectories(DestFolder)) {
    DoError(DestFolder + ": " + TrimRight(GetErrorText(::GetLastError())));
    return false;
  }
  sources += '\0';
  if (!pairs) AppendItem(targets, DestFolder);
  targets += '\0';

  SHFILEOPSTRUCTA op{};
  // The shell's windows belong to the owner's window when the owner is a windowed control.
  if (auto* owner = dynamic_cast<TWinControl*>(GetOwner())) op.hwnd = owner->GetHandle();
  op.wFunc = kFunctions[AOperation];
  op.pFrom = sources.c_str();
  op.pTo = targets.c_str();
  op.fFlags = flags;
  op.lpszProgressTitle = ProgressTitle.c_str();
  const int result = ::SHFileOperationA(&op);
  if (result != 0 && result != ERROR_NO_MORE_FILES) DoError(GetErrorText(static_cast<Cardinal>(result)));
  return result == 0 && allFound;
}

AnsiString TsycFileOperation::GetErrorText(Cardinal Code) {
  if (Code == 0) return AnsiString();
  char buffer[1024];
  const DWORD n = ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, Code, 0, buffer,
                                   sizeof buffer, nullptr);
  return AnsiString(buffer, n);
}

bool TsycFileOperation::DoError(const AnsiString& Text) {
  bool handled = false;
  if (OnError) OnError(this, Text, handled);
  return handled;
}

PUBLISHED(TsycFileOperation) {
  Prop("FileList", &TsycFileOperation::GetFileList, &TsycFileOperation::SetFileList);
  Prop("DestFolder", &TsycFileOperation::DestFolder);
  Prop("ProgressTitle", &TsycFileOperation::ProgressTitle);
  Prop("Operation", &TsycFileOperation::Operation).Default(fotCopy);
  Prop("Options", &TsycFileOperation::Options)
      .Default(TsycFileOperationFlags{fofAllowUndo, fofFilesOnly, fofRenameCollision});
  Prop("OnError", &TsycFileOperation::OnError);
}
