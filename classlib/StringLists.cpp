#include "classlib/StringLists.h"

#include <algorithm>

#include "classlib/Filer.h"
#include "classlib/Streams.h"
#include "classlib/SysUtils.h"

namespace {

const char kStringListIndexError[] = "List index out of bounds (%d)";
const char kSortedListError[] = "Operation not allowed on sorted list";
const char kDuplicateString[] = "String list does not allow duplicates";
const char kStringListCapacityError[] = "List capacity out of bounds (%d)";

[[noreturn]] void StringListError(const char* message) { throw EStringListError(message); }
[[noreturn]] void StringListError(const char* message, Integer data) {
  throw EStringListError(Format(message, {data}));
}

// Blanks and control characters separate delimited items.
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

// Holds an update of the list for the lifetime of the scope.
class UpdateScope {
public:
  explicit UpdateScope(TStrings* strings) : strings_(strings) { strings_->BeginUpdate(); }
  ~UpdateScope() noexcept(false) { strings_->EndUpdate(); }
  UpdateScope(const UpdateScope&) = delete;
  UpdateScope& operator=(const UpdateScope&) = delete;

private:
  TStrings* strings_;
};

}  // namespace

// ---- TStrings ----

Integer TStrings::Add(const AnsiString& S) {
  Integer index = GetCount();
  Insert(index, S);
  return index;
}

Integer TStrings::AddObject(const AnsiString& S, TObject* AObject) {
  Integer index = Add(S);
  PutObject(index, AObject);
  return index;
}

void TStrings::AddStrings(TStrings* Strings) {
  UpdateScope update(this);
  for (Integer i = 0; i < Strings->GetCount(); ++i) AddObject(Strings->Get(i), Strings->GetObject(i));
}

void TStrings::Assign(TPersistent* Source) {
  auto* source = dynamic_cast<TStrings*>(Source);
  if (!source) {
    inherited::Assign(Source);
    return;
  }
  UpdateScope update(this);
  Clear();
  Delimiter = source->Delimiter;
  QuoteChar = source->QuoteChar;
  NameValueSeparator = source->NameValueSeparator;
  AddStrings(source);
}

void TStrings::DefineProperties(TFiler* Filer) {
  Filer->DefineProperty("Strings", TReaderProc(this, &TStrings::ReadData), TWriterProc(this, &TStrings::WriteData),
                        GetCount() > 0);
}

void TStrings::ReadData(TReader* Reader) {
  Reader->ReadListBegin();
  {
    UpdateScope update(this);
    Clear();
    while (!Reader->EndOfList()) Add(Reader->ReadString());
  }
  Reader->ReadListEnd();
}

void TStrings::WriteData(TWriter* Writer) {
  Writer->WriteListBegin();
  for (Integer i = 0, n = GetCount(); i < n; ++i) Writer->WriteString(Get(i));
  Writer->WriteListEnd();
}

void TStrings::BeginUpdate() {
  if (FUpdateCount == 0) SetUpdateState(true);
  ++FUpdateCount;
}

void TStrings::EndUpdate() {
  --FUpdateCount;
  if (FUpdateCount == 0) SetUpdateState(false);
}

bool TStrings::Equals(TStrings* Strings) {
  Integer count = GetCount();
  if (count != Strings->GetCount()) return false;
  for (Integer i = 0; i < count; ++i)
    if (Get(i) != Strings->Get(i)) return false;
  return true;
}

void TStrings::Exchange(Integer Index1, Integer Index2) {
  UpdateScope update(this);
  TObject* tempObject = GetObject(Index1);
  AnsiString tempString = Get(Index1);
  Put(Index1, Get(Index2));
  PutObject(Index1, GetObject(Index2));
  Put(Index2, tempString);
  PutObject(Index2, tempObject);
}

Integer TStrings::IndexOf(const AnsiString& S) const {
  for (Integer i = 0, n = GetCount(); i < n; ++i)
    if (CompareStrings(Get(i), S) == 0) return i;
  return -1;
}

Integer TStrings::IndexOfName(const AnsiString& Name) const {
  for (Integer i = 0, n = GetCount(); i < n; ++i) {
    AnsiString s = Get(i);
    std::size_t p = s.find(NameValueSeparator);
    if (p != AnsiString::npos && CompareStrings(s.substr(0, p), Name) == 0) return i;
  }
  return -1;
}

Integer TStrings::IndexOfObject(const TObject* AObject) const {
  for (Integer i = 0, n = GetCount(); i < n; ++i)
    if (GetObject(i) == AObject) return i;
  return -1;
}

void TStrings::InsertObject(Integer Index, const AnsiString& S, TObject* AObject) {
  Insert(Index, S);
  PutObject(Index, AObject);
}

void TStrings::LoadFromFile(const AnsiString& FileName) {
  TFileStream stream(FileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(&stream);
}

void TStrings::LoadFromStream(TStream* Stream) {
  UpdateScope update(this);
  Int64 size = Stream->GetSize() - Stream->GetPosition();
  AnsiString text(static_cast<std::size_t>(std::max<Int64>(size, 0)), '\0');
  Integer read = Stream->Read(text.data(), static_cast<Integer>(text.size()));
  text.resize(static_cast<std::size_t>(std::max(read, 0)));
  SetTextStr(text);
}

void TStrings::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  // Both indexes are checked before the string leaves its place, so that a bad NewIndex
  // loses nothing.
  if (NewIndex < 0 || NewIndex >= GetCount()) StringListError(kStringListIndexError, NewIndex);
  UpdateScope update(this);
  AnsiString tempString = Get(CurIndex);
  TObject* tempObject = GetObject(CurIndex);
  Delete(CurIndex);
  InsertObject(NewIndex, tempString, tempObject);
}

void TStrings::SaveToFile(const AnsiString& FileName) {
  TFileStream stream(FileName, fmCreate);
  SaveToStream(&stream);
}

void TStrings::SaveToStream(TStream* Stream) {
  AnsiString text = GetTextStr();
  Stream->WriteBuffer(text.data(), static_cast<Integer>(text.size()));
}

Integer TStrings::GetCapacity() const { return GetCount(); }

void TStrings::SetCapacity(Integer) {}

AnsiString TStrings::GetNames(Integer Index) const {
  AnsiString s = Get(Index);
  std::size_t p = s.find(NameValueSeparator);
  return p == AnsiString::npos ? AnsiString() : s.substr(0, p);
}

AnsiString TStrings::GetValues(const AnsiString& Name) const {
  Integer i = IndexOfName(Name);
  if (i < 0) return AnsiString();
  AnsiString s = Get(i);
  return s.substr(s.find(NameValueSeparator) + 1);
}

void TStrings::SetValues(const AnsiString& Name, const AnsiString& Value) {
  Integer i = IndexOfName(Name);
  if (!Value.empty()) {
    if (i < 0) i = Add(AnsiString());
    Put(i, Name + NameValueSeparator + Value);
  } else if (i >= 0) {
    Delete(i);
  }
}

AnsiString TStrings::GetTextStr() const {
  Integer count = GetCount();
  std::vector<AnsiString> lines;
  lines.reserve(static_cast<std::size_t>(count));
  std::size_t size = 0;
  for (Integer i = 0; i < count; ++i) {
    lines.push_back(Get(i));
    size += lines.back().size() + 2;
  }
  AnsiString result;
  result.reserve(size);
  for (const AnsiString& line : lines) {
    result += line;
    result += "\r\n";
  }
  return result;
}

void TStrings::SetTextStr(const AnsiString& Value) {
  UpdateScope update(this);
  Clear();
  std::size_t pos = 0, size = Value.size();
  while (pos < size) {
    std::size_t end = Value.find_first_of("\r\n", pos);
    if (end == AnsiString::npos) end = size;
    Add(Value.substr(pos, end - pos));
    pos = end;
    if (pos < size && Value[pos] == '\r') ++pos;
    if (pos < size && Value[pos] == '\n') ++pos;
  }
}

AnsiString TStrings::GetDelimitedText() const { return JoinDelimited(Delimiter, QuoteChar); }

AnsiString TStrings::JoinDelimited(char delimiter, char quoteChar) const {
  Integer count = GetCount();
  if (count == 1 && Get(0).empty()) return AnsiString(2, quoteChar);
  AnsiString result;
  for (Integer i = 0; i < count; ++i) {
    AnsiString s = Get(i);
    if (i > 0) result += delimiter;
    bool plain = std::none_of(s.begin(), s.end(), [&](char c) { return IsBlank(c) || c == quoteChar || c == delimiter; });
    result += plain ? s : AnsiQuotedStr(s, quoteChar);
  }
  return result;
}

void TStrings::SetDelimitedText(const AnsiString& Value) {
  UpdateScope update(this);
  Clear();
  std::size_t pos = 0, size = Value.size();
  auto skipBlanks = [&] {
    while (pos < size && IsBlank(Value[pos])) ++pos;
  };
  skipBlanks();
  while (pos < size) {
    if (Value[pos] == QuoteChar) {
      Add(AnsiExtractQuotedStr(Value, pos, QuoteChar));
    } else {
      std::size_t start = pos;
      while (pos < size && !IsBlank(Value[pos]) && Value[pos] != Delimiter) ++pos;
      Add(Value.substr(start, pos - start));
    }
    skipBlanks();
    if (pos < size && Value[pos] == Delimiter) {
      if (pos + 1 == size) Add(AnsiString());
      ++pos;
      skipBlanks();
    }
  }
}

AnsiString TStrings::GetCommaText() const { return JoinDelimited(',', '"'); }

void TStrings::SetCommaText(const AnsiString& Value) {
  Delimiter = ',';
  QuoteChar = '"';
  SetDelimitedText(Value);
}

void TStrings::Put(Integer Index, const AnsiString& S) {
  TObject* object = GetObject(Index);
  Delete(Index);
  InsertObject(Index, S, object);
}

TObject* TStrings::GetObject(Integer) const { return nullptr; }

void TStrings::PutObject(Integer, TObject*) {}

Integer TStrings::CompareStrings(const AnsiString& S1, const AnsiString& S2) const { return AnsiCompareText(S1, S2); }

void TStrings::SetUpdateState(bool) {}

// ---- TStringList ----

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
}

void TStringList::CheckIndex(Integer Index) const {
  if (Index < 0 || Index >= GetCount()) StringListError(kStringListIndexError, Index);
}

void TStringList::Changed() {
  if (GetUpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (GetUpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool Updating) {
  if (Updating)
    Changing();
  else
    Changed();
}

Integer TStringList::Add(const AnsiString& S) { return AddObject(S, nullptr); }

Integer TStringList::AddObject(const AnsiString& S, TObject* AObject) {
  Integer index = GetCount();
  if (FSorted && Find(S, index)) {
    if (Duplicates == dupIgnore) return index;
    if (Duplicates == dupError) StringListError(kDuplicateString);
  }
  InsertItem(index, S, AObject);
  return index;
}

void TStringList::InsertItem(Integer Index, const AnsiString& S, TObject* AObject) {
  Changing();
  FList.insert(FList.begin() + Index, Item{S, AObject});
  Changed();
}

void TStringList::Clear() {
  FCapacity = 0;
  if (FList.empty()) return;
  Changing();
  std::deque<Item>().swap(FList);
  Changed();
}

void TStringList::Delete(Integer Index) {
  CheckIndex(Index);
  Changing();
  FList.erase(FList.begin() + Index);
  Changed();
}

void TStringList::Exchange(Integer Index1, Integer Index2) {
  CheckIndex(Index1);
  CheckIndex(Index2);
  Changing();
  std::swap(FList[static_cast<std::size_t>(Index1)], FList[static_cast<std::size_t>(Index2)]);
  Changed();
}

bool TStringList::Find(const AnsiString& S, Integer& Index) const {
  bool found = false;
  Integer l = 0, h = GetCount() - 1;
  while (l <= h) {
    Integer i = (l + h) >> 1;
    Integer c = CompareStrings(FList[static_cast<std::size_t>(i)].String, S);
    if (c < 0) {
      l = i + 1;
    } else {
      h = i - 1;
      if (c == 0) {
        found = true;
        if (Duplicates != dupAccept) l = i;
      }
    }
  }
  Index = l;
  return found;
}

Integer TStringList::IndexOf(const AnsiString& S) const {
  if (FSorted) {
    Integer index;
    return Find(S, index) ? index : -1;
  }
  for (std::size_t i = 0; i < FList.size(); ++i)
    if (CompareStrings(FList[i].String, S) == 0) return static_cast<Integer>(i);
  return -1;
}

void TStringList::Insert(Integer Index, const AnsiString& S) { InsertObject(Index, S, nullptr); }

void TStringList::InsertObject(Integer Index, const AnsiString& S, TObject* AObject) {
  if (FSorted) StringListError(kSortedListError);
  if (Index < 0 || Index > GetCount()) StringListError(kStringListIndexError, Index);
  InsertItem(Index, S, AObject);
}

void TStringList::Move(Integer CurIndex, Integer NewIndex) {
  if (CurIndex == NewIndex) return;
  // Refused before anything changes: a sorted list cannot take the string back at NewIndex.
  if (FSorted) StringListError(kSortedListError);
  CheckIndex(CurIndex);
  CheckIndex(NewIndex);
  Changing();
  auto first = FList.begin();
  if (CurIndex < NewIndex)
    std::rotate(first + CurIndex, first + CurIndex + 1, first + NewIndex + 1);
  else
    std::rotate(first + NewIndex, first + CurIndex, first + CurIndex + 1);
  Changed();
}

Integer TStringList::CompareItems(TStringList* List, Integer Index1, Integer Index2) {
  return List->CompareStrings(List->FList[static_cast<std::size_t>(Index1)].String,
                              List->FList[static_cast<std::size_t>(Index2)].String);
}

void TStringList::Sort() { CustomSort(&CompareItems); }

void TStringList::CustomSort(TStringListSortCompare Compare) {
  if (FSorted || GetCount() <= 1) return;
  Changing();
  QuickSort(0, GetCount() - 1, Compare);
  Changed();
}

// Quicksort with the middle item as the pivot, followed by index as items move; the order of
// equal strings follows from the partitioning and is part of the observable result.
void TStringList::QuickSort(Integer L, Integer R, TStringListSortCompare Compare) {
  Integer i;
  do {
    i = L;
    Integer j = R;
    Integer p = (L + R) >> 1;
    do {
      while (Compare(this, i, p) < 0) ++i;
      while (Compare(this, j, p) > 0) --j;
      if (i <= j) {
        std::swap(FList[static_cast<std::size_t>(i)], FList[static_cast<std::size_t>(j)]);
        if (p == i)
          p = j;
        else if (p == j)
          p = i;
        ++i;
        --j;
      }
    } while (i <= j);
    if (L < j) QuickSort(L, j, Compare);
    L = i;
  } while (i < R);
}

void TStringList::SetCapacity(Integer NewCapacity) {
  if (NewCapacity < GetCount()) StringListError(kStringListCapacityError, NewCapacity);
  // Chunks are taken as the list grows; the room asked for is only remembered.
  FCapacity = NewCapacity;
  if (NewCapacity == GetCount()) FList.shrink_to_fit();
}

void TStringList::SetSorted(bool Value) {
  if (FSorted == Value) return;
  if (Value) Sort();
  FSorted = Value;
}

void TStringList::SetCaseSensitive(bool Value) {
  if (FCaseSensitive == Value) return;
  FCaseSensitive = Value;
  if (FSorted && GetCount() > 1) {
    Changing();
    QuickSort(0, GetCount() - 1, &CompareItems);
    Changed();
  }
}

AnsiString TStringList::Get(Integer Index) const {
  CheckIndex(Index);
  return FList[static_cast<std::size_t>(Index)].String;
}

void TStringList::Put(Integer Index, const AnsiString& S) {
  if (FSorted) StringListError(kSortedListError);
  CheckIndex(Index);
  Changing();
  FList[static_cast<std::size_t>(Index)].String = S;
  Changed();
}

TObject* TStringList::GetObject(Integer Index) const {
  CheckIndex(Index);
  return FList[static_cast<std::size_t>(Index)].Object;
}

void TStringList::PutObject(Integer Index, TObject* AObject) {
  CheckIndex(Index);
  Changing();
  FList[static_cast<std::size_t>(Index)].Object = AObject;
  Changed();
}

Integer TStringList::CompareStrings(const AnsiString& S1, const AnsiString& S2) const {
  return FCaseSensitive ? AnsiCompareStr(S1, S2) : AnsiCompareText(S1, S2);
}
