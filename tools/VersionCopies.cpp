#include "tools/VersionCopies.h"

#include <cctype>
#include <memory>

#include "classlib/Streams.h"
#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/Utilities.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/UVItem.h"
#include "tools/DynamicCompareUnit.h"

namespace {

const char kCopyExtension[] = ".sfc";
// The stamp after the book's name and its blank: "yyyy mm dd hh nn", fixed-width numbers, so that
// the names sort in the order the copies were made.
const char kStampFormat[] = "yyyy mm dd hh nn";
constexpr std::size_t kStampLength = 16;

// Whether the file name is the English name, a blank, a date stamp and ".sfc" (letter case of the
// name and extension ignored, as the file system ignores it).
bool IsCopyOf(const AnsiString& fileName, const AnsiString& englishName) {
  const std::size_t nameLength = englishName.size();
  const std::size_t extensionLength = sizeof kCopyExtension - 1;
  if (fileName.size() != nameLength + 1 + kStampLength + extensionLength) return false;
  if (!AnsiSameText(fileName.substr(0, nameLength), englishName) || fileName[nameLength] != ' ') return false;
  const AnsiString stamp = fileName.substr(nameLength + 1, kStampLength);
  for (std::size_t i = 0; i < kStampLength; ++i) {
    const bool blank = kStampFormat[i] == ' ';
    if (blank ? stamp[i] != ' ' : !std::isdigit(static_cast<unsigned char>(stamp[i]))) return false;
  }
  return SameText(fileName.substr(nameLength + 1 + kStampLength), kCopyExtension);
}

AnsiString WriteFailure(const AnsiString& fileName, Cardinal error) {
  return "Could not write " + fileName + ": " + Trim(SysErrorMessage(error));
}

}  // namespace

AnsiString DatedCopyName(const AnsiString& workFolder, const AnsiString& englishName, TDateTime moment) {
  return workFolder + englishName + " " + FormatDateTime(kStampFormat, moment) + kCopyExtension;
}

AnsiString CommentFileName(const AnsiString& copyName) { return copyName + ".txt"; }

void FindPreviousCopies(const AnsiString& workFolder, const AnsiString& englishName, TStrings* copies) {
  copies->Clear();
  std::unique_ptr<TStringList> found(new TStringList());
  TSearchRec rec;
  if (FindFirst(workFolder + englishName + "*" + kCopyExtension, faAnyFile, rec) == 0) {
    do {
      if (!(rec.Attr & faDirectory) && IsCopyOf(rec.Name, englishName)) found->Add(workFolder + rec.Name);
    } while (FindNext(rec) == 0);
    FindClose(rec);
  }
  found->Sort();
  copies->Assign(found.get());
}

AnsiString SaveDatedCopy(const AnsiString& bookFile, const AnsiString& copyName) {
  AnsiString bytes;
  try {
    TFileStream in(bookFile, fmOpenRead | fmShareDenyWrite);
    bytes.resize(static_cast<std::size_t>(in.GetSize()));
    if (!bytes.empty()) in.ReadBuffer(bytes.data(), static_cast<Integer>(bytes.size()));
  } catch (const Exception& e) {
    return "Could not read " + bookFile + ": " + e.Message;
  }
  const Cardinal error = ReplaceFileContents(copyName, bytes);
  return error ? WriteFailure(copyName, error) : AnsiString();
}

AnsiString SaveComments(const AnsiString& copyName, TStrings* lines) {
  const AnsiString fileName = CommentFileName(copyName);
  const Cardinal error = ReplaceFileContents(fileName, lines->GetText());
  return error ? WriteFailure(fileName, error) : AnsiString();
}

void ApprovalComments(TStrings* lines, const AnsiString& englishName, const AnsiString& savedAt,
                      const AnsiString& comparedWith, Integer changeCount) {
  lines->Clear();
  lines->Add("This version of " + englishName + " has been saved on " + savedAt + ".");
  if (comparedWith.empty()) {
    lines->Add("It is the first version to be saved - there was no previous version to compare with.");
    return;
  }
  lines->Add("It has been compared with file " + comparedWith);
  lines->Add(changeCount == 1 ? AnsiString("There was 1 difference between these two files")
                              : "There were " + IntToStr(changeCount) + " differences between these two files");
}

void RemoveLeadingEmptyItems(TCustomUVData* document, TStrings* positions, Integer most) {
  Integer removed = 0;
  while (removed < most && document->GetItemCount() > 0 && document->GetItemStyle(0) >= 0 &&
         document->GetItemText(0).empty()) {
    document->DeleteItems(0, 1);
    ++removed;
  }
  if (removed == 0) return;
  // The item that now comes first begins the document's first paragraph.
  if (document->GetItemCount() > 0) document->GetItem(0)->SetContinuesPara(false);
  std::unique_ptr<TStringList> lowered(new TStringList());
  for (Integer i = 0; i < positions->GetCount(); ++i) {
    const Integer item = StrToIntDef(positions->GetStrings(i), -1) - removed;
    if (item >= 0) lowered->Add(ChangePositionText(item));
  }
  positions->Assign(lowered.get());
}
