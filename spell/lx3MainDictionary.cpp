#include "spell/lx3MainDictionary.h"

#include <cstring>
#include <memory>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/Strings.h"
#include "spell/lx3DictionaryFormat.h"
#include "spell/lx3PhoneticsMap.h"

namespace {

using namespace lx3_format;

std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

bool ReadWhole(HANDLE file, void* buffer, DWORD size) {
  DWORD got = 0;
  return ReadFile(file, buffer, size, &got, nullptr) && got == size;
}

std::uint64_t FileSizeOf(HANDLE file) {
  LARGE_INTEGER size;
  return GetFileSizeEx(file, &size) ? static_cast<std::uint64_t>(size.QuadPart) : 0;
}

// A phonetic search never visits more nodes than this; the subtree below a two-letter prefix of
// a sound dictionary stays far below it, and a damaged one whose child links form loops cannot
// keep the search going for long.
constexpr std::uint32_t kMaxPhoneticVisits = 1u << 20;
constexpr Integer kMaxPhoneticResults = 500;

}  // namespace

struct TMainDictionary::Header {
  std::uint8_t block[HeaderBlockSize];
  AnsiString name;
  std::uint32_t language = 0, wordCount = 0, indexWidth = 0;
  std::uint32_t counts[NodeTableCount] = {};
  std::uint64_t offsets[NodeTableCount + 1] = {};
  std::uint64_t firstNumbers[NodeTableCount + 1] = {};
};

TMainDictionary::TMainDictionary() = default;

TMainDictionary::~TMainDictionary() { SetMapped(false); }

bool TMainDictionary::ReadHeader(HANDLE file, Header& h) const {
  const std::uint64_t size = FileSizeOf(file);
  if (size <= HeaderBlockSize) return false;
  if (!ReadWhole(file, h.block, HeaderBlockSize)) return false;
  if (std::memcmp(h.block, MainDictionaryBanner.data(), MainDictionaryBanner.size()) != 0) return false;
  std::uint8_t nameLength = 0;
  if (!ReadWhole(file, &nameLength, 1)) return false;
  std::vector<std::uint8_t> name(2 * (nameLength + 1u));
  if (!ReadWhole(file, name.data(), static_cast<DWORD>(name.size()))) return false;
  WideString wide;
  for (std::size_t i = 0; i + 1 < name.size(); i += 2) {
    const auto unit = static_cast<WideChar>(name[i] | name[i + 1] << 8);
    if (unit == 0) break;
    wide += unit;
  }
  h.name = WideToAnsi(wide);
  std::uint8_t fields[4 * (3 + NodeTableCount)];
  if (!ReadWhole(file, fields, sizeof fields)) return false;
  h.language = U32(fields);
  h.wordCount = U32(fields + 4);
  h.indexWidth = U32(fields + 8);
  h.offsets[0] = HeaderBlockSize + 1 + name.size() + sizeof fields;
  for (std::size_t k = 0; k < NodeTableCount; ++k) {
    h.counts[k] = U32(fields + 12 + 4 * k);
    h.offsets[k + 1] = h.offsets[k] + static_cast<std::uint64_t>(h.counts[k]) * (k + 4);
    h.firstNumbers[k + 1] = h.firstNumbers[k] + h.counts[k];
  }
  return true;
}

void TMainDictionary::Open(const AnsiString& FileName) {
  if (GetFileAttributesA(FileName.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  UniqueFileHandle file(
      CreateFileA(FileName.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  uses_ = 0;
  const bool wasMapped = mapped_;
  SetMapped(false);
  auto h = std::make_unique<Header>();
  if (!ReadHeader(file.get(), *h)) return;
  std::memcpy(header_, h->block, sizeof header_);
  name_ = h->name;
  language_ = h->language;
  wordCount_ = h->wordCount;
  indexWidth_ = h->indexWidth;
  std::memcpy(counts_, h->counts, sizeof counts_);
  std::memcpy(tableOffsets_, h->offsets, sizeof tableOffsets_);
  std::memcpy(firstNumbers_, h->firstNumbers, sizeof firstNumbers_);
  fileName_ = FileName;
  file.reset();
  SetMapped(wasMapped);
}

void TMainDictionary::SetMapped(bool Value) {
  if (Value == mapped_ || fileName_.empty()) return;
  mapped_ = false;
  side_ = nullptr;
  for (auto& t : tables_) t = nullptr;
  view_.reset();
  mapping_.reset();
  file_.reset();
  if (!Value) return;

  file_.reset(CreateFileA(fileName_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file_) return;
  const std::uint64_t size = FileSizeOf(file_.get());
  const std::uint64_t s = tableOffsets_[NodeTableCount];
  if (size <= s + 4) return SetMapped(false);
  mapping_.reset(CreateFileMappingA(file_.get(), nullptr, PAGE_READONLY | SEC_COMMIT, 0, 0, nullptr));
  if (!mapping_) return SetMapped(false);
  view_.reset(MapViewOfFile(mapping_.get(), FILE_MAP_READ, 0, 0, 0));
  if (!view_) {
    mapping_.reset();
    file_.reset();
    return;
  }
  const auto* base = static_cast<const std::uint8_t*>(view_.get());
  const std::uint32_t n = U32(base + s);
  if (size < s + 4 + n + FirstLetterTableSize + ReservedTableSize) {
    view_.reset();
    mapping_.reset();
    file_.reset();
    return;
  }
  sideLength_ = n;
  side_ = base + s + 4;
  std::memcpy(firstLetters_, side_ + n, FirstLetterTableSize);
  std::memcpy(reserved_, side_ + n + FirstLetterTableSize, ReservedTableSize);
  for (std::size_t k = 0; k < NodeTableCount; ++k) tables_[k] = base + tableOffsets_[k];
  mapped_ = true;
}

bool TMainDictionary::NodeAt(std::uint32_t number, std::uint32_t& node, const std::uint8_t*& extras,
                             std::uint32_t& extraCount) const {
  if (number < counts_[0]) {  // most nodes carry no extra letters
    node = U32(tables_[0] + 4 * static_cast<std::size_t>(number));
    extraCount = 0;
    extras = nullptr;
    return true;
  }
  for (std::uint32_t k = 1; k < NodeTableCount; ++k) {
    if (number < firstNumbers_[k + 1]) {
      const std::uint8_t* p = tables_[k] + (number - firstNumbers_[k]) * (4 + k);
      node = U32(p);
      extras = p + 4;
      extraCount = k;
      return true;
    }
  }
  return false;
}

bool TMainDictionary::ReadListEntry(std::uint32_t& offset, std::uint32_t& number) const {
  if (indexWidth_ < WideIndexSelector) {
    if (offset > sideLength_ || sideLength_ - offset < 2) return false;
    number = side_[offset] | side_[offset + 1] << 8;
    offset += 2;
    return true;
  }
  if (offset >= sideLength_) return false;
  const std::uint8_t first = side_[offset];
  if (first >= 0x80) {
    if (sideLength_ - offset < 2) return false;
    number = (first & 0x7Fu) << 8 | side_[offset + 1];
    offset += 2;
  } else {
    if (sideLength_ - offset < 3) return false;
    number = static_cast<std::uint32_t>(first) << 16 | side_[offset + 1] << 8 | side_[offset + 2];
    offset += 3;
  }
  return true;
}

bool TMainDictionary::FindChild(bool direct, std::uint32_t count, std::uint32_t field, std::uint8_t letter,
                                std::uint32_t& node, const std::uint8_t*& extras, std::uint32_t& extraCount) const {
  if (direct) return NodeAt(field, node, extras, extraCount) && NodeLetter(node) == letter;
  std::uint32_t offset = field, number = 0;
  for (std::uint32_t i = 0; i < count; ++i) {
    if (!ReadListEntry(offset, number) || !NodeAt(number, node, extras, extraCount)) return false;
    if (NodeLetter(node) == letter) return true;
  }
  return false;
}

bool TMainDictionary::ChildrenOf(std::uint32_t node, bool& direct, std::uint32_t& count, std::uint32_t& field) const {
  count = NodeChildCount(node);
  field = NodeChildField(node);
  direct = count == 1;
  if (count != 0) return true;
  if (field == NoChildren || field >= sideLength_) return false;
  count = side_[field];
  ++field;
  return count != 0;
}

bool TMainDictionary::WordExists(std::string_view Word) {
  if (!mapped_) {
    SetMapped(true);
    if (!mapped_) return false;
  }
  if (Word.empty()) return false;
  const std::uint8_t* entry = firstLetters_ + FirstLetterEntrySize * static_cast<std::uint8_t>(Word[0]);
  if (Word.size() == 1) return entry[0] != 0;
  std::uint32_t count = entry[1];
  if (count == 0) return false;
  std::uint32_t field = U32(entry + 4);
  bool direct = count == 1;
  std::size_t i = 1;
  for (;;) {
    std::uint32_t node, extraCount;
    const std::uint8_t* extras;
    if (!FindChild(direct, count, field, static_cast<std::uint8_t>(Word[i]), node, extras, extraCount)) return false;
    if (++i == Word.size()) return NodeIsWordEnd(node);
    for (std::uint32_t k = 0; k < extraCount; ++k, ++i)
      if (i == Word.size() || static_cast<std::uint8_t>(Word[i]) != extras[k]) return false;
    if (i == Word.size()) return false;  // extra letters never end a word
    if (!ChildrenOf(node, direct, count, field)) return false;
  }
}

// The depth-first enumeration behind FindPhoneticMatches.
class TMainDictionary::PhoneticWalk {
public:
  PhoneticWalk(const TMainDictionary& dict, const TPhoneticsMap& map, TStrings* results, AnsiString target)
      : dict_(dict), map_(map), results_(results), target_(std::move(target)) {}

  char word[MaxWordLength + 1];

  // Enters a node whose letter goes at Length - 1; Offer tells whether the node is a word end
  // to be offered (the node's letter completes the word written so far).
  void Enter(std::uint32_t node, const std::uint8_t* extras, std::uint32_t extraCount, std::size_t length, bool offer) {
    if (++visits_ > kMaxPhoneticVisits) return;
    if (offer && NodeIsWordEnd(node) && Stop(length)) return;
    if (length + extraCount > MaxWordLength) return;
    std::memcpy(word + length, extras, extraCount);
    EnterChildren(node, length + extraCount);
  }

  void EnterChildren(std::uint32_t node, std::size_t length) {
    bool direct;
    std::uint32_t count, field;
    if (length >= MaxWordLength || !dict_.ChildrenOf(node, direct, count, field)) return;
    std::uint32_t offset = field, previous = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
      std::uint32_t number = field, child, extraCount;
      const std::uint8_t* extras;
      if (!direct && !dict_.ReadListEntry(offset, number)) return;
      if (!dict_.NodeAt(number, child, extras, extraCount)) return;
      // Children come in ascending byte order; anything else is a damaged list.
      if (NodeLetter(child) <= previous) return;
      previous = NodeLetter(child);
      word[length] = static_cast<char>(NodeLetter(child));
      Enter(child, extras, extraCount, length + 1, true);
      if (visits_ > kMaxPhoneticVisits) return;
    }
  }

private:
  // Judges the word written so far; true stops the walk below this node.
  bool Stop(std::size_t length) {
    const std::string_view candidate(word, length);
    map_.GetKey(candidate, key_);
    if (key_ != target_) return key_.size() > target_.size();
    if (results_->GetCount() > kMaxPhoneticResults) return true;
    const AnsiString w(candidate);
    if (results_->IndexOf(w) < 0) results_->Add(w);
    return false;
  }

  const TMainDictionary& dict_;
  const TPhoneticsMap& map_;
  TStrings* results_;
  AnsiString target_;
  AnsiString key_;
  std::uint32_t visits_ = 0;
};

void TMainDictionary::FindPhoneticMatches(std::string_view Word, const TPhoneticsMap& PhoneticsMap,
                                          TStrings* Results) {
  if (!Results) return;
  AnsiString target;
  PhoneticsMap.GetKey(Word, target);
  if (target.size() < 2) return;
  if (!mapped_) {
    SetMapped(true);
    if (!mapped_) return;
  }
  const std::size_t depth = static_cast<std::size_t>(std::max<Integer>(PhoneticsMap.GetPhoneticDepth(), 1));
  const std::string_view prefix = Word.substr(0, std::min(depth, Word.size()));
  if (prefix.size() > MaxWordLength) return;

  PhoneticWalk walk(*this, PhoneticsMap, Results, target);
  std::memcpy(walk.word, prefix.data(), prefix.size());
  // Down from the root along the prefix.
  std::uint32_t node = 0, extraCount = 0;
  const std::uint8_t* extras = nullptr;
  if (!NodeAt(0, node, extras, extraCount)) return;
  std::size_t i = 0;
  while (i < prefix.size()) {
    bool direct;
    std::uint32_t count, field;
    if (!ChildrenOf(node, direct, count, field)) return;
    if (!FindChild(direct, count, field, static_cast<std::uint8_t>(prefix[i]), node, extras, extraCount)) return;
    ++i;
    std::uint32_t k = 0;
    for (; k < extraCount && i < prefix.size(); ++k, ++i)
      if (static_cast<std::uint8_t>(prefix[i]) != extras[k]) return;
    if (i == prefix.size() && k < extraCount) {
      // The prefix ends inside the node's extra letters: its words go on with the rest of them.
      if (prefix.size() + (extraCount - k) > MaxWordLength) return;
      std::memcpy(walk.word + prefix.size(), extras + k, extraCount - k);
      walk.EnterChildren(node, prefix.size() + (extraCount - k));
      return;
    }
    if (i == prefix.size() && k > 0) {
      // The prefix ends with the node's last extra letter, which never ends a word.
      walk.EnterChildren(node, prefix.size());
      return;
    }
  }
  // The prefix ends on the node's own letter: the node itself may be a word.
  walk.Enter(node, extras, extraCount, prefix.size(), true);
}
