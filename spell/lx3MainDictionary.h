// Read-only access to a compiled main dictionary (.lxm): a packed letter trie of all words of a
// language, used in place through a read-only mapping of the whole file. The layout is described
// in spell/lx3DictionaryFormat.h.
//
// Every offset, count and node number read from the file is checked against the sizes the file
// declares, so a damaged file answers "not found" instead of reading outside the mapping.
#pragma once

#include <cstdint>
#include <string_view>

#include "classlib/Handles.h"
#include "classlib/System.h"

class TStrings;
class TPhoneticsMap;

class TMainDictionary : public TObject {
  CLASS_INFO(TMainDictionary, TObject)
public:
  TMainDictionary();
  ~TMainDictionary() override;

  // Reads and checks the header. On success FileName() becomes FileName; a caller tests success
  // by comparing the two. The mapped state stays as it was (a new object maps at its first lookup).
  virtual void Open(const AnsiString& FileName);
  bool GetMapped() const { return mapped_; }
  // Maps or unmaps the file; a file shorter than the tables it declares stays unmapped.
  virtual void SetMapped(bool Value);

  // Exact lookup of an 8-bit word (letter case included).
  virtual bool WordExists(std::string_view Word);
  // Adds to Results every dictionary word whose phonetic key equals Word's key and which begins
  // with Word's first PhoneticDepth characters; adds nothing more once Results holds over 500.
  virtual void FindPhoneticMatches(std::string_view Word, const TPhoneticsMap& PhoneticsMap, TStrings* Results);

  void IncUses() { ++uses_; }
  Integer GetUses() const { return uses_; }
  const AnsiString& GetFileName() const { return fileName_; }
  // The dictionary's name as stored, in the system code page.
  const AnsiString& GetName() const { return name_; }
  // The Windows language identifier; its low byte is the primary language.
  Cardinal GetLanguage() const { return language_; }

private:
  struct Header;
  struct Child;

  bool ReadHeader(HANDLE file, Header& h) const;
  // Resolves a node number to its node word and extra letters; false when out of range.
  bool NodeAt(std::uint32_t number, std::uint32_t& node, const std::uint8_t*& extras, std::uint32_t& extraCount) const;
  // Finds the child with the given letter among Count children given by Field: a node number
  // when Direct, else a side-array list.
  bool FindChild(bool direct, std::uint32_t count, std::uint32_t field, std::uint8_t letter, std::uint32_t& node,
                 const std::uint8_t*& extras, std::uint32_t& extraCount) const;
  // The children of a node as (direct, count, field); false for a leaf or a bad field.
  bool ChildrenOf(std::uint32_t node, bool& direct, std::uint32_t& count, std::uint32_t& field) const;
  bool ReadListEntry(std::uint32_t& offset, std::uint32_t& number) const;

  class PhoneticWalk;
  friend class PhoneticWalk;

  AnsiString fileName_;
  bool mapped_ = false;
  AnsiString name_;
  Cardinal language_ = 0;
  Cardinal wordCount_ = 0;  // informative: what the compiler stored
  Cardinal indexWidth_ = 0;  // W
  UniqueFileHandle file_;
  UniqueHandle mapping_;
  UniqueMappedView view_;
  std::uint32_t sideLength_ = 0;  // N
  const std::uint8_t* side_ = nullptr;
  std::uint8_t firstLetters_[2048] = {};
  const std::uint8_t* tables_[9] = {};
  std::uint8_t reserved_[1024] = {};
  std::uint8_t header_[1024] = {};
  std::uint32_t counts_[9] = {};
  std::uint64_t tableOffsets_[10] = {};  // T0..T8 and S
  std::uint64_t firstNumbers_[10] = {};  // B(0)..B(9); B(9) is the number of nodes
  Integer uses_ = 0;
};
