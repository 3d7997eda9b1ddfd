#include "spell/lx3CustomDictionary.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "classlib/SysUtils.h"
#include "spell/lx3DictionaryFormat.h"
#include "spell/lx3Util.h"

namespace {

using namespace lx3_format;

// Table sizes; each is the first prime of the list above the one before.
constexpr std::uint32_t kPrimes[] = {251,      509,      1021,     2039,      4093,      8191,      16381,     32749,
                                     65521,    131071,   262139,   524287,    1048573,   2097143,   4194301,   8388593,
                                     16777213, 33554393, 67108859, 134217689, 268435399, 536870909, 1073741789, 2147483647};

bool IsTableSize(std::uint32_t s) {
  return s == 0 || std::find(std::begin(kPrimes), std::end(kPrimes), s) != std::end(kPrimes);
}

std::size_t NextTableSize(std::size_t s) {
  for (std::uint32_t p : kPrimes)
    if (p > s) return p;
  return s;
}

// The home slot, with 32-bit signed arithmetic whose products keep their low 32 bits and whose
// remainders take the sign of the dividend: the file's slot placement depends on it.
Integer HomeSlot(std::string_view word, Integer size) {
  Integer h = 0, a = 31415;
  for (char ch : word) {
    const auto c = static_cast<std::uint32_t>(static_cast<unsigned char>(ch));
    h = static_cast<Integer>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(h) + c) % size;
    if (h < 0) h = (-h) % size;
    a = static_cast<Integer>(static_cast<std::uint32_t>(a) * 27183u) % (size - 1);
  }
  return h;
}

Integer ProbeStep(Integer home) { return home % 97 + 1; }

Integer NextSlot(Integer slot, Integer step, Integer size) {
  return static_cast<Integer>((static_cast<Int64>(slot) + step) % size);
}

Int64 LastWriteTime(HANDLE h) {
  FILETIME written{};
  if (!GetFileTime(h, nullptr, nullptr, &written)) return 0;
  return static_cast<Int64>(static_cast<UInt64>(written.dwHighDateTime) << 32 | written.dwLowDateTime);
}

bool ReadExact(HANDLE h, void* buffer, std::size_t size) {
  auto* p = static_cast<char*>(buffer);
  while (size > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(h, p, chunk, &got, nullptr) || got == 0) return false;
    p += got;
    size -= got;
  }
  return true;
}

bool WriteExact(HANDLE h, const void* buffer, std::size_t size) {
  const auto* p = static_cast<const char*>(buffer);
  while (size > 0) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
    DWORD put = 0;
    if (!::WriteFile(h, p, chunk, &put, nullptr) || put == 0) return false;
    p += put;
    size -= put;
  }
  return true;
}

void PutU32(std::string& out, Integer v) {
  const auto u = static_cast<std::uint32_t>(v);
  for (int i = 0; i < 4; ++i) out += static_cast<char>((u >> (8 * i)) & 0xFF);
}

Integer GetI32(const char* p) {
  std::uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = u << 8 | static_cast<unsigned char>(p[i]);
  return static_cast<Integer>(u);
}

}  // namespace

TCustomDictionary::TCustomDictionary() = default;

TCustomDictionary::~TCustomDictionary() { SetActive(false); }

int TCustomDictionary::KindIndex(AnsiChar kind) {
  switch (kind) {
    case 'I': return 0;
    case 'E': return 1;
    case 'A': return 2;
    default: return -1;
  }
}

bool TCustomDictionary::EnsureActive() {
  if (!active_) SetActive(true);
  return active_;
}

void TCustomDictionary::ClearChanges() {
  for (auto& l : removed_) l.clear();
  for (auto& l : added_) l.clear();
  addedReplacements_.clear();
}

void TCustomDictionary::EmptyMemory() {
  for (auto& c : counts_) c = 0;
  total_ = 0;
  pool_.clear();
  pool_.shrink_to_fit();
  table_.clear();
  table_.shrink_to_fit();
  kindListsBuilt_ = false;
  for (auto& l : kindLists_) l.clear();
  ClearChanges();
}

void TCustomDictionary::SetFileName(const AnsiString& Name) {
  UniqueFileHandle probe;
  if (!CheckFile(Name, false, probe)) return;
  const bool wasActive = active_;
  SetActive(false);
  if (active_) {
    // The old file cannot take the changes; they belong to it and are not carried over.
    EmptyMemory();
    modified_ = false;
    active_ = false;
  }
  fileName_ = Name;
  tracking_ = !Name.empty();
  SetActive(wasActive);
}

void TCustomDictionary::SetActive(bool Value) {
  if (Value == active_) return;
  if (!Value) {
    if (modified_ && !Save()) return;
    EmptyMemory();
    modified_ = false;
    active_ = false;
    return;
  }
  if (fileName_.empty()) {
    active_ = true;
    return;
  }
  UniqueFileHandle file;
  if (!CheckFile(fileName_, true, file)) return;
  if (!file) {
    // A dictionary that does not exist yet: written at its first deactivation.
    EmptyMemory();
    age_ = 0;
    modified_ = true;
    active_ = true;
    return;
  }
  age_ = LastWriteTime(file.get());
  if (!ReadBody(file.get())) {
    EmptyMemory();
    return;
  }
  active_ = true;
}

Integer TCustomDictionary::IgnoreCount() {
  BuildKindLists();
  return static_cast<Integer>(kindLists_[0].size());
}

Integer TCustomDictionary::ExcludeCount() {
  BuildKindLists();
  return static_cast<Integer>(kindLists_[1].size());
}

Integer TCustomDictionary::AutoCorrectCount() {
  BuildKindLists();
  return static_cast<Integer>(kindLists_[2].size());
}

bool TCustomDictionary::CheckFile(const AnsiString& Name, bool KeepOpen, UniqueFileHandle& Handle) {
  Handle.reset();
  UniqueFileHandle file(
      CreateFileA(Name.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file) {
    char header[UserHeaderSize];
    if (!ReadExact(file.get(), header, sizeof header) ||
        std::memcmp(header, UserDictionaryBanner.data(), UserDictionaryBanner.size()) != 0 ||
        header[UserDictionaryBanner.size()] != '\0')
      return false;
    if (KeepOpen) Handle = std::move(file);
    return true;
  }
  // A file that is there but cannot be read is never taken for a new one.
  if (!Name.empty() && GetFileAttributesA(Name.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  if (!Name.empty() && !CanCreateFile(Name, true)) return false;
  return true;
}

bool TCustomDictionary::ReadBody(HANDLE Handle) {
  LARGE_INTEGER position{}, size{};
  if (!SetFilePointerEx(Handle, LARGE_INTEGER{}, &position, FILE_CURRENT) || !GetFileSizeEx(Handle, &size)) return false;
  UInt64 left = static_cast<UInt64>(size.QuadPart - position.QuadPart);

  char fields[20];
  if (left < sizeof fields || !ReadExact(Handle, fields, sizeof fields)) return false;
  left -= sizeof fields;
  Integer counts[3];
  for (int k = 0; k < 3; ++k) counts[k] = GetI32(fields + 4 * k);
  const auto tableSize = static_cast<std::uint32_t>(GetI32(fields + 16));
  if (!IsTableSize(tableSize) || left < 4ull * tableSize + 4) return false;

  std::vector<Integer> table(tableSize);
  if (tableSize > 0 && !ReadExact(Handle, table.data(), 4ull * tableSize)) return false;
  left -= 4ull * tableSize;
  char poolSize[4];
  if (!ReadExact(Handle, poolSize, 4)) return false;
  left -= 4;
  const Integer p = GetI32(poolSize);
  if (p < 0 || static_cast<UInt64>(p) > left) return false;
  std::vector<char> pool;
  pool.reserve((static_cast<std::size_t>(p) / 65535 + 1) * 65535);
  pool.resize(static_cast<std::size_t>(p));
  if (p > 0 && !ReadExact(Handle, pool.data(), pool.size())) return false;

  // Every live slot must point at a whole entry: a kind, then zero-terminated text (twice for
  // an auto-correction), all inside the pool.
  std::vector<Integer> nextZero(pool.size() + 1, -1);
  for (std::size_t i = pool.size(); i-- > 0;)
    nextZero[i] = pool[i] == '\0' ? static_cast<Integer>(i) : nextZero[i + 1];
  Integer live = 0;
  for (Integer v : table) {
    if (v == 0 || v == -1) continue;
    if (v < 1 || v >= p) return false;
    const int kind = KindIndex(pool[static_cast<std::size_t>(v - 1)]);
    const Integer end = nextZero[static_cast<std::size_t>(v)];
    if (kind < 0 || end < 0) return false;
    if (kind == 2 && (end + 1 >= p || nextZero[static_cast<std::size_t>(end + 1)] < 0)) return false;
    ++live;
  }

  std::copy(std::begin(counts), std::end(counts), std::begin(counts_));
  total_ = live;
  pool_ = std::move(pool);
  table_ = std::move(table);
  kindListsBuilt_ = false;
  return true;
}

bool TCustomDictionary::WriteFile(const AnsiString& Name) {
  std::string bytes(UserDictionaryBanner);
  bytes += '\0';
  bytes += static_cast<char>(UserHeaderMark);
  for (Integer c : counts_) PutU32(bytes, c);
  PutU32(bytes, total_);
  PutU32(bytes, static_cast<Integer>(table_.size()));
  bytes.reserve(bytes.size() + 4 * table_.size() + 4 + pool_.size());
  for (Integer v : table_) PutU32(bytes, v);
  PutU32(bytes, static_cast<Integer>(pool_.size()));
  bytes.append(pool_.data(), pool_.size());

  // A reader never sees a half-written file, and a failed write leaves the old one whole.
  const AnsiString folder = ExtractFilePath(Name);
  char temp[MAX_PATH];
  if (!GetTempFileNameA(folder.empty() ? "." : folder.c_str(), "lx3", 0, temp)) return false;
  bool written;
  {
    UniqueFileHandle file(CreateFileA(temp, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    written = file && WriteExact(file.get(), bytes.data(), bytes.size());
  }
  if (written && MoveFileExA(temp, Name.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  DeleteFileA(temp);
  return false;
}

void TCustomDictionary::AddToKindList(AnsiChar Kind, Integer SlotValue) {
  const int k = KindIndex(Kind);
  if (k >= 0) kindLists_[k].push_back(SlotValue);
}

void TCustomDictionary::BuildKindLists() {
  if (!EnsureActive() || kindListsBuilt_) return;
  for (int k = 0; k < 3; ++k) {
    kindLists_[k].clear();
    kindLists_[k].reserve(static_cast<std::size_t>(std::clamp<Integer>(counts_[k], 0, total_)) + 256);
  }
  for (Integer v : table_)
    if (v > 0) AddToKindList(pool_[static_cast<std::size_t>(v - 1)], v);
  kindListsBuilt_ = true;
}

std::string_view TCustomDictionary::PoolWord(Integer slotValue) const {
  if (slotValue < 1 || static_cast<std::size_t>(slotValue) >= pool_.size()) return {};
  const char* start = pool_.data() + slotValue;
  const void* zero = std::memchr(start, '\0', pool_.size() - static_cast<std::size_t>(slotValue));
  return zero ? std::string_view(start, static_cast<const char*>(zero) - start) : std::string_view();
}

void TCustomDictionary::GetPoolString(Integer SlotValue, AnsiString& Text) const { Text = AnsiString(PoolWord(SlotValue)); }

bool TCustomDictionary::Find(AnsiChar Kind, std::string_view Word, Integer& SlotValue, Integer& SlotIndex) {
  const Integer size = static_cast<Integer>(table_.size());
  if (size == 0) return false;
  const Integer home = HomeSlot(Word, size);
  const Integer step = ProbeStep(home);
  Integer slot = home;
  for (Integer n = 0; n < size; ++n, slot = NextSlot(slot, step, size)) {
    const Integer v = table_[static_cast<std::size_t>(slot)];
    if (v == 0) return false;
    if (v == -1) continue;
    // The word and its terminating zero, compared in place.
    const std::size_t at = static_cast<std::size_t>(v);
    if (at + Word.size() < pool_.size() && pool_[at + Word.size()] == '\0' &&
        std::memcmp(pool_.data() + at, Word.data(), Word.size()) == 0) {
      SlotValue = v;
      SlotIndex = slot;
      return Kind == '*' || pool_[at - 1] == Kind;
    }
  }
  return false;
}

void TCustomDictionary::PoolAppend(const char* Bytes, Integer Length) {
  if (Length <= 0) return;
  const std::size_t free = pool_.capacity() - pool_.size();
  if (static_cast<std::size_t>(Length) >= free) pool_.reserve(pool_.capacity() + 65535);
  pool_.insert(pool_.end(), Bytes, Bytes + Length);
}

bool TCustomDictionary::HashInsert(std::vector<Integer>& Table, std::string_view Word, Integer SlotValue) {
  const Integer size = static_cast<Integer>(Table.size());
  if (size == 0) return false;
  const Integer home = HomeSlot(Word, size);
  Integer& first = Table[static_cast<std::size_t>(home)];
  if (first == 0 || first == -1) {
    first = SlotValue;
    return true;
  }
  // Only the home slot takes a deleted slot back; further on the probe looks for an empty one,
  // and it gives up after visiting every slot once.
  const Integer step = ProbeStep(home);
  Integer slot = home;
  for (Integer n = 1; n < size; ++n) {
    slot = NextSlot(slot, step, size);
    if (Table[static_cast<std::size_t>(slot)] == 0) {
      Table[static_cast<std::size_t>(slot)] = SlotValue;
      return true;
    }
  }
  return false;
}

void TCustomDictionary::RebuildTable(std::size_t size) {
  std::vector<Integer> rebuilt(size, 0);
  for (Integer v : table_)
    if (v > 0) HashInsert(rebuilt, PoolWord(v), v);
  table_ = std::move(rebuilt);
  kindListsBuilt_ = false;
}

void TCustomDictionary::InsertEntry(std::string_view Word, Integer SlotValue) {
  if (static_cast<Int64>(total_) * 4 >= static_cast<Int64>(table_.size())) RebuildTable(NextTableSize(table_.size()));
  if (HashInsert(table_, Word, SlotValue)) return;
  // Every slot on the way was taken or deleted: drop the deleted ones and try again.
  RebuildTable(table_.size());
  HashInsert(table_, Word, SlotValue);
}

bool TCustomDictionary::AddEntry(AnsiChar Kind, std::string_view Word, std::string_view Replacement) {
  if (!EnsureActive()) return false;
  const int k = KindIndex(Kind);
  if (k < 0 || Word.size() + Replacement.size() > MaxUserEntryLength || Word.empty()) return false;
  if (Word.find('\0') != std::string_view::npos || Replacement.find('\0') != std::string_view::npos) return false;
  Integer slotValue, slotIndex;
  if (Find('*', Word, slotValue, slotIndex)) return false;
  std::string entry(1, Kind);
  entry += Word;
  entry += '\0';
  if (Kind == 'A') {
    entry += Replacement;
    entry += '\0';
  }
  const Integer value = static_cast<Integer>(pool_.size()) + 1;
  PoolAppend(entry.data(), static_cast<Integer>(entry.size()));
  ++total_;
  InsertEntry(Word, value);
  if (kindListsBuilt_) AddToKindList(Kind, value);
  return true;
}

bool TCustomDictionary::RemoveEntry(AnsiChar Kind, std::string_view Word) {
  if (!EnsureActive()) return false;
  Integer slotValue, slotIndex;
  if (!Find(Kind, Word, slotValue, slotIndex)) return false;
  table_[static_cast<std::size_t>(slotIndex)] = -1;
  --total_;
  kindListsBuilt_ = false;
  return true;
}

TCustomDictionary* TCustomDictionary::NewDictionary() {
  TObject* made = ClassType()->Create(nullptr);
  if (auto* dictionary = dynamic_cast<TCustomDictionary*>(made)) return dictionary;
  delete made;
  return new TCustomDictionary();
}

bool TCustomDictionary::ReplayOnto(TCustomDictionary& other) const {
  // Adds first, then removes. A word whose add was refused because the other file still held it
  // under a kind removed here is added once more after the removes.
  std::vector<std::size_t> retry[3];
  for (int k = 0; k < 3; ++k)
    for (std::size_t i = 0; i < added_[k].size(); ++i) {
      const bool ok = k == 2 ? other.AddAutoCorrect(added_[k][i], addedReplacements_[i])
                             : (k == 0 ? other.AddIgnore(added_[k][i]) : other.AddExclude(added_[k][i]));
      if (!ok) retry[k].push_back(i);
    }
  for (const AnsiString& w : removed_[0]) other.RemoveIgnore(w);
  for (const AnsiString& w : removed_[1]) other.RemoveExclude(w);
  for (const AnsiString& w : removed_[2]) other.RemoveAutoCorrect(w);
  for (int k = 0; k < 3; ++k)
    for (std::size_t i : retry[k]) {
      if (k == 2)
        other.AddAutoCorrect(added_[k][i], addedReplacements_[i]);
      else if (k == 0)
        other.AddIgnore(added_[k][i]);
      else
        other.AddExclude(added_[k][i]);
    }
  return other.GetActive();
}

bool TCustomDictionary::Save() {
  if (!modified_ || fileName_.empty()) return true;
  UniqueFileHandle file;
  if (!CheckFile(fileName_, true, file)) return false;
  const Int64 age = file ? LastWriteTime(file.get()) : age_;
  file.reset();
  bool saved;
  if (age == age_) {
    saved = WriteFile(fileName_);
  } else {
    // Another writer saved the file since it was read: replay this session's changes onto it.
    std::unique_ptr<TCustomDictionary> other(NewDictionary());
    other->SetFileName(fileName_);
    other->SetActive(true);
    saved = other->GetActive() && other->GetFileName() == fileName_ && ReplayOnto(*other) && other->Save();
    if (!saved) {
      other->SetModified(false);  // nothing of this attempt is written by its destructor
      other->SetActive(false);
    }
  }
  if (!saved) return false;
  modified_ = false;
  ClearChanges();
  return true;
}

bool TCustomDictionary::SaveToFile(const AnsiString& Name) { return EnsureActive() && WriteFile(Name); }

void TCustomDictionary::GetIgnoreWord(Integer Index, AnsiString& Word) {
  Word.clear();
  BuildKindLists();
  if (Index >= 0 && static_cast<std::size_t>(Index) < kindLists_[0].size()) GetPoolString(kindLists_[0][Index], Word);
}

void TCustomDictionary::GetExcludeWord(Integer Index, AnsiString& Word) {
  Word.clear();
  BuildKindLists();
  if (Index >= 0 && static_cast<std::size_t>(Index) < kindLists_[1].size()) GetPoolString(kindLists_[1][Index], Word);
}

void TCustomDictionary::GetAutoCorrect(Integer Index, AnsiString& Word, AnsiString& Replacement) {
  Word.clear();
  Replacement.clear();
  BuildKindLists();
  if (Index < 0 || static_cast<std::size_t>(Index) >= kindLists_[2].size()) return;
  const Integer v = kindLists_[2][Index];
  GetPoolString(v, Word);
  GetPoolString(v + static_cast<Integer>(Word.size()) + 1, Replacement);
}

bool TCustomDictionary::IsIgnored(std::string_view Word) {
  Integer v, i;
  return EnsureActive() && Find('I', Word, v, i);
}

bool TCustomDictionary::IsExcluded(std::string_view Word) {
  Integer v, i;
  return EnsureActive() && Find('E', Word, v, i);
}

bool TCustomDictionary::GetAutoCorrection(std::string_view Word, AnsiString& Replacement) {
  Integer v, i;
  if (!EnsureActive() || !Find('A', Word, v, i)) return false;
  GetPoolString(v + static_cast<Integer>(Word.size()) + 1, Replacement);
  return true;
}

bool TCustomDictionary::AddTracked(AnsiChar kind, const AnsiString& word, const AnsiString& replacement) {
  if (!AddEntry(kind, word, replacement)) return false;
  const int k = KindIndex(kind);
  if (tracking_) {
    added_[k].push_back(word);
    if (k == 2) addedReplacements_.push_back(replacement);
  }
  modified_ = true;
  ++counts_[k];
  return true;
}

bool TCustomDictionary::RemoveTracked(AnsiChar kind, const AnsiString& word) {
  if (!RemoveEntry(kind, word)) return false;
  const int k = KindIndex(kind);
  if (tracking_) removed_[k].push_back(word);
  modified_ = true;
  --counts_[k];
  return true;
}

bool TCustomDictionary::AddIgnore(const AnsiString& Word) { return AddTracked('I', Word, AnsiString()); }
bool TCustomDictionary::AddExclude(const AnsiString& Word) { return AddTracked('E', Word, AnsiString()); }
bool TCustomDictionary::AddAutoCorrect(const AnsiString& Word, const AnsiString& Replacement) {
  return AddTracked('A', Word, Replacement);
}
bool TCustomDictionary::RemoveIgnore(const AnsiString& Word) { return RemoveTracked('I', Word); }
bool TCustomDictionary::RemoveExclude(const AnsiString& Word) { return RemoveTracked('E', Word); }
bool TCustomDictionary::RemoveAutoCorrect(const AnsiString& Word) { return RemoveTracked('A', Word); }

void TCustomDictionary::Clear() {
  if (!EnsureActive()) return;
  EmptyMemory();
}
