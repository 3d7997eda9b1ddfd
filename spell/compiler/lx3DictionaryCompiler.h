// The dictionary compiler: turns a list of words into a main dictionary file (.lxm) that
// TMainDictionary reads in place. Words are 8-bit text in the code page of the dictionary's
// language; the compiler does not convert them.
//
// Layout rules the readers rely on:
// - Node 0 is the root; its letter is 0 and its children are the first-letter nodes.
// - The first-letter table mirrors the first-letter nodes: entry b says whether the one-letter
//   word b exists and gives the children of b exactly as node b lists them.
// - First-letter nodes and the root carry no extra letters (the table cannot express them).
// - Children are listed in ascending byte order.
// - A node takes its single child's letter as an extra letter when that child is not a word end,
//   up to eight extra letters; identical subtrees are stored once, and so are identical child
//   lists in the side array.
//
// This unit uses the standard library only: the build compiles it natively for the build
// machine as well as for Windows, and both produce the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TDictionaryCompiler {
public:
  struct TStatistics {
    std::size_t Words = 0;
    std::size_t Nodes = 0;
    std::size_t NodesPerTable[9] = {};
    std::size_t SideArrayBytes = 0;
    std::size_t FileBytes = 0;
  };

  // Adds one word. Empty words and duplicates are ignored. A word longer than the readers'
  // limit or holding a zero byte or a line break is refused with a message in Error.
  bool AddWord(std::string_view Word, std::string& Error);
  // Adds every line of a word list (line feed or carriage return and line feed between lines;
  // blank lines are skipped). Refuses the list at its first bad line, naming the line.
  bool AddWordList(std::string_view Text, std::string& Error);
  std::size_t WordCount() const { return words_.size(); }

  // Builds the whole file into FileBytes. Name is the dictionary's name (at most 255 UTF-16
  // units), Language its Windows language identifier. Fails with a message in Error when the
  // word list is too large for the format.
  bool Compile(std::u16string_view Name, std::uint32_t Language, std::string& FileBytes, std::string& Error,
               TStatistics* Statistics = nullptr) const;

private:
  std::vector<std::string> words_;
};

// Decodes UTF-8 text to UTF-16 for dictionary names given on a command line; false for text that
// is not well-formed UTF-8.
bool DecodeUtf8Name(std::string_view Text, std::u16string& Name);
