// Lists of strings, each with an associated object: the abstract TStrings that list boxes, memos
// and the like also implement, and TStringList that keeps its strings itself.
#pragma once

#include <algorithm>
#include <deque>
#include <vector>

#include "classlib/Components.h"

class TStream;

// A string-list index out of range, a duplicate refused, or an operation that a sorted list forbids.
class EStringListError : public Exception {
  CLASS_INFO(EStringListError, Exception)
public:
  using Exception::Exception;
};

// The strings and their objects, with the text forms built on them: Text (one line per
// string), CommaText/DelimitedText, and Names/Values for "name=value" lines.
//
// A subclass provides Get, GetCount, Insert, Delete and Clear, and usually Put, GetObject,
// PutObject and SetUpdateState.
class TStrings : public TPersistent {
  CLASS_INFO(TStrings, TPersistent)
public:
  virtual Integer Add(const AnsiString& S);
  virtual Integer AddObject(const AnsiString& S, TObject* AObject);
  void Append(const AnsiString& S) { Add(S); }
  // Adds every string of Strings with its object.
  virtual void AddStrings(TStrings* Strings);
  // Copies the strings, objects and separators of another string list.
  void Assign(TPersistent* Source) override;
  // Changes between BeginUpdate and the last EndUpdate are reported once, at the end.
  void BeginUpdate();
  void EndUpdate();
  virtual void Clear() = 0;
  virtual void Delete(Integer Index) = 0;
  // Same strings in the same order, compared exactly; objects are not compared.
  bool Equals(TStrings* Strings);
  virtual void Exchange(Integer Index1, Integer Index2);
  // The index of the first string equal to S (by CompareStrings), or -1.
  virtual Integer IndexOf(const AnsiString& S) const;
  // The index of the first "name=value" string whose name equals Name (by CompareStrings), or -1.
  virtual Integer IndexOfName(const AnsiString& Name) const;
  Integer IndexOfObject(const TObject* AObject) const;
  virtual void Insert(Integer Index, const AnsiString& S) = 0;
  virtual void InsertObject(Integer Index, const AnsiString& S, TObject* AObject);
  // Replaces the strings by the lines of the file or of the rest of the stream.
  virtual void LoadFromFile(const AnsiString& FileName);
  virtual void LoadFromStream(TStream* Stream);
  virtual void Move(Integer CurIndex, Integer NewIndex);
  // Writes Text, each line ended by CR LF, replacing the file.
  virtual void SaveToFile(const AnsiString& FileName);
  virtual void SaveToStream(TStream* Stream);
  // The form stream keeps the strings as the raw property "Strings", a list of strings.
  void DefineProperties(TFiler* Filer) override;

  virtual Integer GetCount() const = 0;
  virtual Integer GetCapacity() const;
  virtual void SetCapacity(Integer NewCapacity);
  AnsiString GetStrings(Integer Index) const { return Get(Index); }
  void SetStrings(Integer Index, const AnsiString& S) { Put(Index, S); }
  AnsiString operator[](Integer Index) const { return Get(Index); }
  TObject* GetObjects(Integer Index) const { return GetObject(Index); }
  void SetObjects(Integer Index, TObject* AObject) { PutObject(Index, AObject); }
  // The part before the first NameValueSeparator; empty when the string has none.
  AnsiString GetNames(Integer Index) const;
  // The part after "Name=" of the first string named Name; empty when there is none.
  AnsiString GetValues(const AnsiString& Name) const;
  // Sets the value of the first string named Name, adding "Name=Value" when there is none;
  // an empty Value deletes the string.
  void SetValues(const AnsiString& Name, const AnsiString& Value);
  // Every string followed by CR LF.
  AnsiString GetText() const { return GetTextStr(); }
  // Replaces the strings by the lines of Value, which end at CR, LF or CR LF; text after the
  // last line break is a last line, and a line break at the very end adds no empty line.
  void SetText(const AnsiString& Value) { SetTextStr(Value); }
  virtual AnsiString GetTextStr() const;
  virtual void SetTextStr(const AnsiString& Value);
  // The strings joined by Delimiter; strings that hold a blank, a control character, the
  // delimiter or the quote character are quoted with QuoteChar (inner quotes doubled). A list of
  // one empty string gives two quote characters.
  AnsiString GetDelimitedText() const;
  // Replaces the strings by the items of Value: separated by Delimiter or by blanks and control
  // characters (which also surround items), an item in QuoteChar may hold them; a delimiter
  // right at the end adds an empty item.
  void SetDelimitedText(const AnsiString& Value);
  // DelimitedText with the delimiter "," and the quote '"'. Setting it also makes them the
  // list's delimiter and quote character.
  AnsiString GetCommaText() const;
  void SetCommaText(const AnsiString& Value);

  char Delimiter = ',';
  char QuoteChar = '"';
  char NameValueSeparator = '=';

protected:
  virtual AnsiString Get(Integer Index) const = 0;
  // Replaces the string at Index, keeping its object.
  virtual void Put(Integer Index, const AnsiString& S);
  virtual TObject* GetObject(Integer Index) const;
  virtual void PutObject(Integer Index, TObject* AObject);
  // How two strings compare for IndexOf and IndexOfName: the locale's order without regard to
  // letter case, unless a subclass says otherwise.
  virtual Integer CompareStrings(const AnsiString& S1, const AnsiString& S2) const;
  // Told when the first BeginUpdate starts (true) and the last EndUpdate ends (false).
  virtual void SetUpdateState(bool Updating);
  Integer GetUpdateCount() const { return FUpdateCount; }

private:
  AnsiString JoinDelimited(char delimiter, char quoteChar) const;
  void ReadData(TReader* Reader);
  void WriteData(TWriter* Writer);

  Integer FUpdateCount = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList;
// Orders the strings at Index1 and Index2 of List: negative, zero or positive.
using TStringListSortCompare = Integer (*)(TStringList* List, Integer Index1, Integer Index2);

// A list of strings and objects that can keep itself sorted. It does not own the objects.
//
// Comparisons go through the user's locale (word sort), with or without regard to letter case
// (CaseSensitive, false by default). A sorted list inserts each new string at its place and
// finds strings by binary search; Duplicates decides what adding a string that is already
// there does, and only while the list is sorted.
class TStringList : public TStrings {
  CLASS_INFO(TStringList, TStrings)
public:
  TStringList() = default;
  ~TStringList() override;

  // In a sorted list: at the string's place, or for a duplicate, per Duplicates: dupIgnore
  // returns the index of the string already there, dupError raises EStringListError.
  Integer Add(const AnsiString& S) override;
  Integer AddObject(const AnsiString& S, TObject* AObject) override;
  void Clear() override;
  void Delete(Integer Index) override;
  void Exchange(Integer Index1, Integer Index2) override;
  // Binary search in a sorted list. True when S is there; Index is then its position (the
  // first of equal strings unless duplicates are accepted), otherwise where S would go.
  virtual bool Find(const AnsiString& S, Integer& Index) const;
  Integer IndexOf(const AnsiString& S) const override;
  // Raises EStringListError "Operation not allowed on sorted list" in a sorted list.
  void Insert(Integer Index, const AnsiString& S) override;
  void InsertObject(Integer Index, const AnsiString& S, TObject* AObject) override;
  void Move(Integer CurIndex, Integer NewIndex) override;
  // Sorts an unsorted list with CompareStrings.
  virtual void Sort();
  // Sorts an unsorted list with Compare (quicksort: equal strings may change places).
  virtual void CustomSort(TStringListSortCompare Compare);

  Integer GetCount() const override { return static_cast<Integer>(FList.size()); }
  // The room asked for with SetCapacity, or the count when that is more.
  Integer GetCapacity() const override { return std::max(FCapacity, GetCount()); }
  void SetCapacity(Integer NewCapacity) override;
  bool GetSorted() const { return FSorted; }
  // Sorts the list when it becomes sorted.
  void SetSorted(bool Value);
  bool GetCaseSensitive() const { return FCaseSensitive; }
  // A sorted list sorts itself again by the new rule.
  void SetCaseSensitive(bool Value);

  TDuplicates Duplicates = dupIgnore;
  // Called after and before each change (not during an update, but once when it ends).
  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

protected:
  AnsiString Get(Integer Index) const override;
  void Put(Integer Index, const AnsiString& S) override;
  TObject* GetObject(Integer Index) const override;
  void PutObject(Integer Index, TObject* AObject) override;
  Integer CompareStrings(const AnsiString& S1, const AnsiString& S2) const override;
  void SetUpdateState(bool Updating) override;
  virtual void Changed();
  virtual void Changing();

private:
  struct Item {
    AnsiString String;
    TObject* Object = nullptr;
  };
  void InsertItem(Integer Index, const AnsiString& S, TObject* AObject);
  void QuickSort(Integer L, Integer R, TStringListSortCompare Compare);
  void CheckIndex(Integer Index) const;
  static Integer CompareItems(TStringList* List, Integer Index1, Integer Index2);

  // The strings in chunks rather than in one block: a list of millions (the items of a long
  // document, the changes of a comparison) grows without ever copying itself whole into new memory.
  std::deque<Item> FList;
  Integer FCapacity = 0;
  bool FSorted = false;
  bool FCaseSensitive = false;
};
