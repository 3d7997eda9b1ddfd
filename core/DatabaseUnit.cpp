#include "core/DatabaseUnit.h"

#include <memory>

#include "classlib/StringLists.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"
#include "core/Utilities.h"

TDatabase::TDatabase(const AnsiString& fileName, Integer fieldCount)
    : FileName(fileName), Lines(new TStringList()), FieldCount(fieldCount) {
  if (fieldCount < 1) {
    delete Lines;
    throw Exception("A record table needs at least one line per record: " + fileName);
  }
  // A table that cannot be read is never made, and its lines go with it.
  std::unique_ptr<TStringList> lines(Lines);
  Load();
  lines.release();
  LastRecord = RecordCount() - 1;
}

TDatabase::TDatabase(const AnsiString& fileName, Integer fieldCount, TStrings* lines)
    : FileName(fileName), FieldCount(fieldCount) {
  if (fieldCount < 1) throw Exception("A record table needs at least one line per record: " + fileName);
  Lines = new TStringList();
  if (lines) Lines->Assign(lines);
  LastRecord = RecordCount() - 1;
}

TDatabase::~TDatabase() { delete Lines; }

void TDatabase::Load() {
  Lines->Clear();
  Lines->LoadFromFile(FileName);
}

void TDatabase::Save() {
  const Cardinal error = ReplaceFileContents(FileName, Lines->GetText());
  if (error != 0) throw EFCreateError("Cannot create file \"" + FileName + "\". " + SysErrorMessage(error));
  Modified = false;
}

Integer TDatabase::RecordCount() const { return Lines->GetCount() / FieldCount; }

namespace {

// The line index of a field, or -1 when it lies outside every possible record; computed wide so
// that a huge record number cannot wrap into a valid line.
Integer LineIndex(Integer record, Integer field, Integer fieldCount, Integer lineCount) {
  if (record < 0 || field < 0 || field >= fieldCount) return -1;
  const Int64 index = static_cast<Int64>(record) * fieldCount + field;
  return index < lineCount ? static_cast<Integer>(index) : -1;
}

}  // namespace

AnsiString TDatabase::GetField(Integer record, Integer field) const {
  // An incomplete last record is no record: its lines are kept for saving but not read.
  const Integer i = LineIndex(record, field, FieldCount, RecordCount() * FieldCount);
  return i < 0 ? AnsiString() : Lines->GetStrings(i);
}

void TDatabase::SetField(Integer record, Integer field, const AnsiString& text) {
  const Integer i = LineIndex(record, field, FieldCount, Lines->GetCount());
  if (i < 0) return;
  Lines->SetStrings(i, text);
  Modified = true;
}

void TDatabase::AppendField(Integer field, const AnsiString& text, bool sameRecord) {
  if (field < 0 || field >= FieldCount) return;
  const Integer whole = RecordCount();
  const Integer record = sameRecord && whole > 0 ? whole - 1 : whole;
  // Padding to the end of the target record rather than by a fixed number of lines keeps the
  // records aligned when the file ended in an incomplete record.
  const Integer recordEnd = (record + 1) * FieldCount;
  if (record * FieldCount + field >= Lines->GetCount()) {
    Lines->BeginUpdate();
    while (Lines->GetCount() < recordEnd) Lines->Add(AnsiString());
    Lines->EndUpdate();
  }
  Lines->SetStrings(record * FieldCount + field, text);
  Modified = true;
}

void TDatabase::DeleteRecord(Integer record) {
  const Integer first = LineIndex(record, 0, FieldCount, Lines->GetCount());
  if (first < 0) return;
  Lines->BeginUpdate();
  for (Integer n = 0; n < FieldCount && first < Lines->GetCount(); ++n) Lines->Delete(first);
  Lines->EndUpdate();
  Modified = true;
}
