// A user dictionary (.lxu custom dictionaries, .lxl learning dictionary): the words a user added
// while checking, of three kinds, in an open-addressing hash table over a string pool.
//
// Entry kinds: 'I' a word accepted as correct, 'E' a word always reported as wrong, 'A' a word
// and the replacement that is put in its place.
//
// File layout (u32 little-endian):
//   0      119   UserDictionaryBanner (spell/lx3DictionaryFormat.h)
//   119    1     0x00, the banner's terminating zero
//   120    1     0x1A
//   121    4*5   counts of 'I', 'E' and 'A' entries, total entries, S (table size, 0 or a prime)
//   141    4*S   slots: 0 empty, -1 deleted, else the pool offset of the entry's word
//          4     P, pool bytes in use
//          P     the pool: per entry its kind, the word and a zero byte; an 'A' entry continues
//                with the replacement and a zero byte. Removed entries stay in the pool.
//
// The file is read whole when the dictionary becomes active and written whole when it is
// deactivated after a change. When another writer saved the file in between, the changes made
// here are replayed onto the file's new content instead of overwriting it.
#pragma once

#include <string_view>
#include <vector>

#include "classlib/Handles.h"
#include "classlib/System.h"

class TCustomDictionary : public TObject {
  CLASS_INFO(TCustomDictionary, TObject)
public:
  TCustomDictionary();
  // Deactivates first, so that changes are saved.
  ~TCustomDictionary() override;

  const AnsiString& GetFileName() const { return fileName_; }
  // Takes a new file (after saving the old one's changes) when it is a user dictionary or can be
  // created; keeps the active state.
  virtual void SetFileName(const AnsiString& Name);
  bool GetActive() const { return active_; }
  // Activating reads the file (a missing file gives an empty dictionary that is written when it is
  // deactivated); deactivating saves changes and empties the memory. Changes that cannot be saved
  // keep the dictionary active, so that nothing is lost.
  virtual void SetActive(bool Value);
  bool GetModified() const { return modified_; }
  void SetModified(bool Value) { modified_ = Value; }

  virtual Integer IgnoreCount();
  virtual Integer ExcludeCount();
  virtual Integer AutoCorrectCount();

  // True for a user dictionary, or for a name where one can be created (Handle then stays
  // invalid). With KeepOpen the file stays open in Handle, positioned after the banner.
  virtual bool CheckFile(const AnsiString& Name, bool KeepOpen, UniqueFileHandle& Handle);
  // Reads the counts, the table and the pool from an open file positioned after the banner;
  // false (and nothing kept) for a damaged file.
  virtual bool ReadBody(HANDLE Handle);
  // Writes the whole file through a temporary file renamed over it; false when it cannot.
  virtual bool WriteFile(const AnsiString& Name);
  virtual void AddToKindList(AnsiChar Kind, Integer SlotValue);
  virtual void BuildKindLists();
  // The zero-terminated text at that pool position.
  virtual void GetPoolString(Integer SlotValue, AnsiString& Text) const;
  // Kind '*' finds the word whatever its kind.
  virtual bool Find(AnsiChar Kind, std::string_view Word, Integer& SlotValue, Integer& SlotIndex);
  virtual void PoolAppend(const char* Bytes, Integer Length);
  // Stores the value at the word's slot; false when the table has no free slot on the way.
  virtual bool HashInsert(std::vector<Integer>& Table, std::string_view Word, Integer SlotValue);
  // Grows the table when it would be over a quarter full, then inserts.
  virtual void InsertEntry(std::string_view Word, Integer SlotValue);
  // Refuses an empty word, one that has an entry of any kind, and word and replacement longer
  // than 500 characters together.
  virtual bool AddEntry(AnsiChar Kind, std::string_view Word, std::string_view Replacement);
  virtual bool RemoveEntry(AnsiChar Kind, std::string_view Word);
  // Another empty dictionary of the same class.
  virtual TCustomDictionary* NewDictionary();
  // Writes the changes, merging them with the file's new content when another writer saved it;
  // true when nothing is left unsaved.
  virtual bool Save();
  // Writes the whole dictionary to another file.
  virtual bool SaveToFile(const AnsiString& Name);
  // Entries by index in table order; empty when the index is out of range.
  virtual void GetIgnoreWord(Integer Index, AnsiString& Word);
  virtual void GetExcludeWord(Integer Index, AnsiString& Word);
  virtual void GetAutoCorrect(Integer Index, AnsiString& Word, AnsiString& Replacement);
  virtual bool IsIgnored(std::string_view Word);
  virtual bool IsExcluded(std::string_view Word);
  virtual bool GetAutoCorrection(std::string_view Word, AnsiString& Replacement);
  virtual bool AddIgnore(const AnsiString& Word);
  virtual bool AddExclude(const AnsiString& Word);
  virtual bool AddAutoCorrect(const AnsiString& Word, const AnsiString& Replacement);
  virtual bool RemoveIgnore(const AnsiString& Word);
  virtual bool RemoveExclude(const AnsiString& Word);
  virtual bool RemoveAutoCorrect(const AnsiString& Word);
  // Empties the dictionary in memory without marking it modified.
  virtual void Clear();

  Integer GetTableSize() const { return static_cast<Integer>(table_.size()); }
  Integer GetTotal() const { return total_; }

private:
  // One kind's position in the count and list arrays; -1 for an unknown kind.
  static int KindIndex(AnsiChar kind);
  bool EnsureActive();
  void EmptyMemory();
  void ClearChanges();
  void RebuildTable(std::size_t size);
  std::string_view PoolWord(Integer slotValue) const;
  bool AddTracked(AnsiChar kind, const AnsiString& word, const AnsiString& replacement);
  bool RemoveTracked(AnsiChar kind, const AnsiString& word);
  bool ReplayOnto(TCustomDictionary& other) const;

  AnsiString fileName_;
  bool active_ = false;
  bool modified_ = false;
  Integer counts_[3] = {};  // 'I', 'E', 'A', as stored in the file
  Int64 age_ = 0;           // the file's last-write time when it was read
  Integer total_ = 0;
  std::vector<char> pool_;
  std::vector<Integer> table_;
  bool kindListsBuilt_ = false;
  std::vector<Integer> kindLists_[3];
  bool tracking_ = false;
  // Changes since the file was read, replayed onto a file that another writer changed.
  std::vector<AnsiString> removed_[3];
  std::vector<AnsiString> added_[3];
  std::vector<AnsiString> addedReplacements_;
};
