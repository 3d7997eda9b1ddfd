// Phonetic keys: a word becomes a short key by replacing letter groups with codes, so that words
// that sound alike share a key. The rules of a language live in a 256-way trie of TReplaceNode
// objects; at each position the longest matching pattern wins.
#pragma once

#include <array>
#include <memory>
#include <string_view>

#include "classlib/System.h"

class TReplaceNode : public TObject {
  CLASS_INFO(TReplaceNode, TObject)
public:
  TReplaceNode() = default;
  ~TReplaceNode() override;

  // Finds the longest rule whose pattern matches Word from the 1-based Position on; gives its
  // replacement and the number of characters it consumes.
  virtual bool Match(std::string_view Word, AnsiString& Replacement, Integer Position, Integer& Count) const;
  // Removes every rule.
  virtual void Clear();
  // Sets the rule for Pattern; a rule added again for the same pattern replaces the earlier one.
  // Count may be shorter than the pattern: the last letters are then only looked at.
  virtual void AddRule(std::string_view Pattern, std::string_view Replacement, Integer Count);

private:
  using Children = std::array<std::unique_ptr<TReplaceNode>, 256>;
  std::unique_ptr<Children> children_;  // made with the first child
  bool ruleEnds_ = false;
  AnsiString replacement_;
  Integer count_ = 0;
};

class TPhoneticsMap : public TReplaceNode {
  CLASS_INFO(TPhoneticsMap, TReplaceNode)
public:
  TPhoneticsMap() = default;

  Integer GetLanguage() const { return language_; }
  // Loads the rules of the identifier's primary language (low byte): 9 English, 25 Russian,
  // 12 French, any other the default set. Nothing happens when the identifier is the current one.
  virtual void SetLanguage(Integer Language);
  Integer GetPhoneticDepth() const { return depth_; }
  // The number of leading characters copied into the key unchanged; values below 1 are ignored.
  virtual void SetDepth(Integer Depth);
  Integer GetPhoneticDivisor() const { return divisor_; }
  // Values below 1 are ignored (the divisor divides the word's length).
  void SetPhoneticDivisor(Integer Divisor);

  virtual void GetKey(std::string_view Word, AnsiString& Key) const;
  // True when the distance is at most the word's length divided by the divisor and at most
  // PhoneticMaxDistance.
  virtual bool WithinDistance(std::string_view Word, Integer Distance) const;

  // A one-character rule whose code begins with the key's last character adds nothing.
  bool Collapse = true;
  // Code characters allowed after the kept prefix (the last rule may add one more).
  Integer MaxKeyLength = 6;
  Integer PhoneticMaxDistance = 4;

private:
  void LoadEnglish();
  void LoadRussian();
  void LoadFrench();
  void LoadDefault();

  Integer depth_ = 2;
  Integer language_ = -1;
  Integer divisor_ = 2;
};
