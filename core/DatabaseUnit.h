// A flat table of records kept in a text file: every field is one line, and a record is a fixed
// number of consecutive lines. The consistency lists, keyword lists, check lists and the
// paragraphing reference are such tables. The whole file is held in memory; changes reach the file
// only when the owner calls Save.
#pragma once

#include "classlib/System.h"

class TStringList;
class TStrings;

class TDatabase : public TObject {
  CLASS_INFO(TDatabase, TObject)
public:
  // Loads the file. A file that does not exist or cannot be read raises the class library's
  // file-open error (EFOpenError); a field count below 1 raises Exception.
  TDatabase(const AnsiString& fileName, Integer fieldCount);
  // Creates the table over the file with lines read elsewhere (copied; none when null) instead of
  // reading the file: for owners that read and check the file themselves, or that start a table
  // whose file is not made yet. Save writes the file as usual.
  TDatabase(const AnsiString& fileName, Integer fieldCount, TStrings* lines);
  ~TDatabase() override;

  // Reads the file into Lines afresh.
  void Load();
  // Writes Lines to FileName, one line each ended by carriage return and line feed, replacing the
  // file in one step (a failure raises EFCreateError and leaves the file as it was); clears
  // Modified.
  void Save();

  // The number of whole records; the lines of an incomplete last record are kept but not counted.
  Integer RecordCount() const;
  // The line of the field of a whole record; empty text for the lines of an incomplete last
  // record and beyond the end.
  AnsiString GetField(Integer record, Integer field) const;
  // Replaces the line of the field when the table has that line; does nothing otherwise.
  void SetField(Integer record, Integer field, const AnsiString& text);
  // Sets a field of a new record after the last whole record, or with sameRecord of the last whole
  // record (of a new first record when there is none). Empty lines are added up to the end of the
  // target record when its line lies beyond the end of the table.
  void AppendField(Integer field, const AnsiString& text, bool sameRecord);
  // Deletes the record's lines (as many as there are), moving every later record up by one.
  void DeleteRecord(Integer record);

  AnsiString FileName;
  TStringList* Lines;  // owned
  Integer FieldCount;
  bool Modified = false;  // set by every change, cleared by Save
  Integer LastRecord;     // the number of records less one when the table was created
};
