#include "spell/compiler/lx3DictionaryCompiler.h"

#include <algorithm>
#include <deque>
#include <unordered_map>

#include "spell/lx3DictionaryFormat.h"

namespace {

using namespace lx3_format;

struct TrieNode {
  std::uint8_t letter = 0;
  bool end = false;
  std::vector<std::uint32_t> kids;  // trie node indexes, ascending by letter
};

// A node as it is stored: its letter, extra letters and children (record ids). Identical
// records are one record, which makes the trie a directed acyclic word graph.
struct Record {
  std::uint8_t letter = 0;
  bool end = false;
  std::string extras;
  std::vector<std::uint32_t> kids;
};

class RecordBuilder {
public:
  explicit RecordBuilder(const std::vector<TrieNode>& trie) : trie_(trie) {}

  std::uint32_t Build(std::uint32_t node, int depth) {
    const TrieNode& t = trie_[node];
    Record r;
    r.letter = t.letter;
    r.end = t.end;
    for (std::uint32_t k : t.kids) r.kids.push_back(Build(k, depth + 1));
    // The root (depth 0) and the first-letter nodes (depth 1) keep their children as they are.
    if (depth >= 2 && r.kids.size() == 1) {
      const Record& only = records_[r.kids[0]];
      if (!only.end && only.extras.size() + 1 <= MaxExtraLetters) {
        std::string extras(1, static_cast<char>(only.letter));
        extras += only.extras;
        std::vector<std::uint32_t> kids = only.kids;
        r.extras = std::move(extras);
        r.kids = std::move(kids);
      }
    }
    return Intern(std::move(r));
  }

  std::vector<Record>& Records() { return records_; }

private:
  std::uint32_t Intern(Record&& r) {
    std::string key;
    key.reserve(4 + r.extras.size() + 4 * r.kids.size());
    key += static_cast<char>(r.letter);
    key += r.end ? '\1' : '\0';
    key += static_cast<char>(r.extras.size());
    key += r.extras;
    for (std::uint32_t k : r.kids) key.append(reinterpret_cast<const char*>(&k), sizeof k);
    auto [it, added] = index_.try_emplace(std::move(key), static_cast<std::uint32_t>(records_.size()));
    if (added) records_.push_back(std::move(r));
    return it->second;
  }

  const std::vector<TrieNode>& trie_;
  std::vector<Record> records_;
  std::unordered_map<std::string, std::uint32_t> index_;
};

void PutU32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void PutU32At(std::string& out, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// The side array: child lists, each stored once, with a count byte in front of lists of more
// than seven children.
class SideArray {
public:
  explicit SideArray(bool wide) : wide_(wide) {}

  // Offset of the list (of its count byte for long lists).
  std::uint32_t Place(const std::vector<std::uint32_t>& nodes) {
    std::string list;
    if (nodes.size() > MaxDirectChildCount) list += static_cast<char>(nodes.size());
    for (std::uint32_t n : nodes) {
      if (!wide_) {
        list += static_cast<char>(n & 0xFF);
        list += static_cast<char>(n >> 8);
      } else if (n < ShortWideIndexLimit) {
        list += static_cast<char>(0x80 | (n >> 8));
        list += static_cast<char>(n & 0xFF);
      } else {
        list += static_cast<char>(n >> 16);
        list += static_cast<char>((n >> 8) & 0xFF);
        list += static_cast<char>(n & 0xFF);
      }
    }
    auto [it, added] = placed_.try_emplace(list, static_cast<std::uint32_t>(bytes_.size()));
    if (added) bytes_ += list;
    return it->second;
  }

  const std::string& Bytes() const { return bytes_; }

private:
  bool wide_;
  std::string bytes_;
  std::unordered_map<std::string, std::uint32_t> placed_;
};

}  // namespace

bool TDictionaryCompiler::AddWord(std::string_view Word, std::string& Error) {
  if (Word.empty()) return true;
  if (Word.size() > MaxWordLength) {
    Error = "word longer than " + std::to_string(MaxWordLength) + " characters";
    return false;
  }
  if (Word.find_first_of(std::string_view("\0\r\n", 3)) != std::string_view::npos) {
    Error = "word holds a zero byte or a line break";
    return false;
  }
  words_.emplace_back(Word);
  return true;
}

bool TDictionaryCompiler::AddWordList(std::string_view Text, std::string& Error) {
  std::size_t lineNo = 0;
  while (!Text.empty()) {
    ++lineNo;
    std::size_t eol = Text.find('\n');
    std::string_view line = Text.substr(0, eol);
    Text = eol == std::string_view::npos ? std::string_view() : Text.substr(eol + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string why;
    if (!AddWord(line, why)) {
      Error = "line " + std::to_string(lineNo) + ": " + why;
      return false;
    }
  }
  return true;
}

bool TDictionaryCompiler::Compile(std::u16string_view Name, std::uint32_t Language, std::string& FileBytes,
                                  std::string& Error, TStatistics* Statistics) const {
  if (Name.size() > 255) {
    Error = "the dictionary's name is longer than 255 characters";
    return false;
  }
  // Byte order, so that every trie node's children come in ascending byte order.
  std::vector<std::string> words = words_;
  std::sort(words.begin(), words.end(), [](const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
      return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
    });
  });
  words.erase(std::unique(words.begin(), words.end()), words.end());

  // The letter trie. With sorted words the child to follow is always the last one added.
  std::vector<TrieNode> trie(1);
  for (const std::string& w : words) {
    std::uint32_t at = 0;
    for (char ch : w) {
      const auto letter = static_cast<std::uint8_t>(ch);
      if (trie[at].kids.empty() || trie[trie[at].kids.back()].letter != letter) {
        trie.push_back(TrieNode{letter, false, {}});
        trie[at].kids.push_back(static_cast<std::uint32_t>(trie.size() - 1));
      }
      at = trie[at].kids.back();
    }
    trie[at].end = true;
  }

  RecordBuilder builder(trie);
  const std::uint32_t rootRecord = builder.Build(0, 0);
  std::vector<Record>& records = builder.Records();
  trie.clear();
  trie.shrink_to_fit();

  // Node numbers: breadth-first from the root, then grouped by the number of extra letters,
  // which puts the root first in table 0.
  std::vector<std::uint32_t> order;
  {
    std::vector<bool> seen(records.size());
    std::deque<std::uint32_t> queue{rootRecord};
    seen[rootRecord] = true;
    while (!queue.empty()) {
      std::uint32_t r = queue.front();
      queue.pop_front();
      order.push_back(r);
      for (std::uint32_t k : records[r].kids)
        if (!seen[k]) {
          seen[k] = true;
          queue.push_back(k);
        }
    }
  }
  std::vector<std::vector<std::uint32_t>> tables(NodeTableCount);
  for (std::uint32_t r : order) tables[records[r].extras.size()].push_back(r);
  std::vector<std::uint32_t> number(records.size());
  std::uint32_t next = 0;
  for (const auto& table : tables)
    for (std::uint32_t r : table) number[r] = next++;
  const std::uint32_t nodeCount = next;
  if (nodeCount > ChildFieldLimit + 1) {
    Error = "the word list needs " + std::to_string(nodeCount) + " nodes; a dictionary holds at most " +
            std::to_string(ChildFieldLimit + 1);
    return false;
  }
  const bool wide = nodeCount >= WideIndexSelector;

  auto childNumbers = [&](const Record& r) {
    std::vector<std::uint32_t> nums;
    nums.reserve(r.kids.size());
    for (std::uint32_t k : r.kids) nums.push_back(number[k]);
    return nums;
  };

  SideArray side(wide);
  std::string nodeBytes;
  std::uint32_t counts[NodeTableCount] = {};
  for (std::size_t t = 0; t < NodeTableCount; ++t) {
    counts[t] = static_cast<std::uint32_t>(tables[t].size());
    for (std::uint32_t r : tables[t]) {
      const Record& rec = records[r];
      std::uint32_t field = NoChildren, count = 0;
      if (rec.kids.size() == 1) {
        field = number[rec.kids[0]];
        count = 1;
      } else if (!rec.kids.empty()) {
        field = side.Place(childNumbers(rec));
        count = rec.kids.size() <= MaxDirectChildCount ? static_cast<std::uint32_t>(rec.kids.size()) : 0;
        if (field >= ChildFieldLimit) {
          Error = "the child lists of the word list need more than " + std::to_string(ChildFieldLimit) +
                  " bytes; a dictionary holds at most that";
          return false;
        }
      }
      PutU32(nodeBytes, MakeNode(rec.letter, field, count, rec.end));
      nodeBytes += rec.extras;
    }
  }

  // The first-letter table repeats what each first-letter node says about its children.
  std::string firstLetters(FirstLetterTableSize, '\0');
  for (std::uint32_t k : records[rootRecord].kids) {
    const Record& first = records[k];
    const std::size_t at = first.letter * FirstLetterEntrySize;
    firstLetters[at] = first.end ? 1 : 0;
    firstLetters[at + 1] = static_cast<char>(first.kids.size());
    std::uint32_t link = 0;
    if (first.kids.size() == 1) {
      link = number[first.kids[0]];
    } else if (!first.kids.empty()) {
      link = side.Place(childNumbers(first));
      if (first.kids.size() > MaxDirectChildCount) ++link;  // past the count byte
    }
    PutU32At(firstLetters, at + 4, link);
  }

  std::string& out = FileBytes;
  out.assign(MainDictionaryBanner);
  out.resize(HeaderBlockSize, '\0');
  out += static_cast<char>(Name.size());
  for (char16_t u : Name) {
    out += static_cast<char>(u & 0xFF);
    out += static_cast<char>(u >> 8);
  }
  out.append(2, '\0');
  PutU32(out, Language);
  PutU32(out, static_cast<std::uint32_t>(words.size()));
  PutU32(out, nodeCount);
  for (std::uint32_t c : counts) PutU32(out, c);
  out += nodeBytes;
  PutU32(out, static_cast<std::uint32_t>(side.Bytes().size()));
  out += side.Bytes();
  out += firstLetters;
  out.append(ReservedTableSize, '\0');

  if (Statistics) {
    Statistics->Words = words.size();
    Statistics->Nodes = nodeCount;
    for (std::size_t t = 0; t < NodeTableCount; ++t) Statistics->NodesPerTable[t] = counts[t];
    Statistics->SideArrayBytes = side.Bytes().size();
    Statistics->FileBytes = out.size();
  }
  return true;
}

bool DecodeUtf8Name(std::string_view Text, std::u16string& Name) {
  Name.clear();
  for (std::size_t i = 0; i < Text.size();) {
    const auto b = static_cast<unsigned char>(Text[i]);
    std::uint32_t cp;
    std::size_t len;
    if (b < 0x80) {
      cp = b;
      len = 1;
    } else if ((b & 0xE0) == 0xC0) {
      cp = b & 0x1F;
      len = 2;
    } else if ((b & 0xF0) == 0xE0) {
      cp = b & 0x0F;
      len = 3;
    } else if ((b & 0xF8) == 0xF0) {
      cp = b & 0x07;
      len = 4;
    } else {
      return false;
    }
    if (i + len > Text.size()) return false;
    for (std::size_t k = 1; k < len; ++k) {
      const auto c = static_cast<unsigned char>(Text[i + k]);
      if ((c & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr std::uint32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < minimum[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      Name += static_cast<char16_t>(0xD800 + (cp >> 10));
      Name += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      Name += static_cast<char16_t>(cp);
    }
    i += len;
  }
  return true;
}
