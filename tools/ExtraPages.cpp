#include "tools/ExtraPages.h"

#include <memory>

#include "classlib/CommandLines.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "core/ProgramFolderUnit.h"
#include "core/ScripturesUnit.h"
#include "core/Utilities.h"
#include "richtext/core/UVStyle.h"
#include "richtext/core/UzurUvad.h"

namespace {

const char* const kNames[ExtraPageKindCount] = {"CoverPage.uvf", "FirstPage.uvf", "OTTitlePage.uvf",
                                                "NTTitlePage.uvf", "LastPage.uvf"};

// The title of each kind's starting page.
const char* const kTitles[ExtraPageKindCount] = {"The Holy Bible", "The Holy Bible", "The Old Testament",
                                                 "The New Testament", ""};

// The starting page of a kind as UVF bytes: its title centred in large bold type and, on the
// testament title pages, the placeholder of the testament's contents below it. The document
// carries its styles, so that it looks the same in the editor and in print.
AnsiString StartingPage(int kind) {
  std::unique_ptr<TUVStyle> style(new TUVStyle(nullptr));
  TFontInfos* fonts = style->GetTextStyles();
  fonts->GetItem(0)->FontName = "Times New Roman";
  fonts->GetItem(0)->Size = 12;
  fonts->GetItem(0)->Color = clBlack;
  fonts->GetItem(1)->FontName = "Times New Roman";
  fonts->GetItem(1)->Size = 28;
  fonts->GetItem(1)->Color = clBlack;
  fonts->GetItem(1)->Style = TFontStyles() << fsBold;
  style->GetParaStyles()->GetItem(1)->Alignment = uvaCenter;

  std::unique_ptr<VUzurUvad> document(new VUzurUvad(nullptr));
  document->SetStyle(style.get());
  TUVFOptions options = document->GetUVFOptions();
  options << uvfoSaveTextStyles << uvfoSaveParaStyles;
  document->SetUVFOptions(options);
  document->AddNL(kTitles[kind], 1, 1);
  if (kind == epOTTitle || kind == epNTTitle) {
    document->AddNL("", 0, 0);
    document->AddNL(kind == epOTTitle ? OldTestamentContentsPlaceholder : NewTestamentContentsPlaceholder, 0, 0);
  }
  TMemoryStream stream;
  document->SaveUVFToStream(&stream, false);
  document->SetStyle(nullptr);
  return AnsiString(static_cast<const char*>(stream.GetMemory()), static_cast<std::size_t>(stream.GetSize()));
}

}  // namespace

const char OldTestamentContentsPlaceholder[] = "- - - table of contents of the Old Testament comes here - - -";
const char NewTestamentContentsPlaceholder[] = "- - - table of contents of the New Testament comes here - - -";

const char* ExtraPageName(int kind) { return kind >= 0 && kind < ExtraPageKindCount ? kNames[kind] : ""; }

AnsiString ExtraPageFileName(int kind) { return CurrentProjectWorkFolder() + ExtraPageName(kind); }

void PrepareExtraPage(int kind) {
  const AnsiString target = ExtraPageFileName(kind);
  if (FileExists(target)) return;
  ForceDirectories(ExtractFilePath(target));
  const AnsiString templateFile = ProgramFolder + ExtraPageName(kind);
  if (FileExists(templateFile)) {
    FileCopy(templateFile, target);
    return;
  }
  if (const Cardinal error = ReplaceFileContents(target, StartingPage(kind)))
    throw EFCreateError(Format("Cannot create file \"%s\". %s", {target, SysErrorMessage(error)}));
}

AnsiString ExtraPageEditor() { return ProgramFolder + "Editor\\editor.exe"; }

AnsiString ExtraPageEditorCommandLine(const AnsiString& path) {
  return QuotedCommandLine(ExtraPageEditor(), {path, path});
}

AnsiString EditExtraPage(int kind) {
  try {
    PrepareExtraPage(kind);
  } catch (const Exception& e) {
    return e.Message;
  }
  PROCESS_INFORMATION process{};
  if (!StartCommandLine(ExtraPageEditorCommandLine(ExtraPageFileName(kind)), SW_SHOWNORMAL, process))
    return "The editor \"" + ExtraPageEditor() + "\" cannot be started. " + SysErrorMessage(::GetLastError());
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return AnsiString();
}
