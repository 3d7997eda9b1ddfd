#include "spell/lx3PhoneticsMap.h"

#include <algorithm>

#include "classlib/SysUtils.h"

namespace {

struct Rule {
  const char* pattern;
  const char* replacement;
  Integer count;
};

// English, in the order the rules are added.
constexpr Rule kEnglishHead[] = {
    {"b", "b", 1},   {"cia", "x", 1}, {"ch", "x", 2},  {"ci", "s", 1},  {"ce", "s", 1},  {"cy", "s", 1},
    {"c", "k", 1},   {"dge", "j", 2}, {"dgy", "j", 2}, {"dgi", "j", 2}, {"d", "t", 1},   {"f", "f", 1},
    {"gha", "k", 2}, {"ghe", "k", 2}, {"ghi", "k", 2}, {"gho", "k", 2}, {"ghu", "k", 2}, {"ghy", "k", 2},
    {"gn", "n", 2},  {"gi", "j", 1},  {"ge", "j", 1},  {"gy", "j", 1},  {"g", "k", 1},   {"h", "h", 1},
};
// Then a vowel, "h" and a vowel: the "h" is coded.
constexpr Rule kEnglishTail[] = {
    {"j", "j", 1},   {"ck", "k", 2},  {"k", "k", 1},   {"l", "l", 1},   {"m", "m", 1},   {"n", "n", 1},
    {"ph", "f", 2},  {"p", "p", 1},   {"q", "k", 1},   {"r", "r", 1},   {"sh", "x", 2},  {"sio", "x", 1},
    {"sia", "x", 1}, {"s", "s", 1},   {"tia", "x", 1}, {"tio", "x", 1}, {"th", "0", 2},  {"tch", "x", 3},
    {"t", "t", 1},   {"v", "f", 1},   {"wa", "w", 1},  {"we", "w", 1},  {"wi", "w", 1},  {"wo", "w", 1},
    {"wu", "w", 1},  {"wy", "w", 1},  {"x", "ks", 1},  {"ya", "y", 1},  {"ye", "y", 1},  {"yi", "y", 1},
    {"yo", "y", 1},  {"yu", "y", 1},  {"yy", "y", 2},  {"z", "s", 1},
};

// Russian over code page 1251; where a pattern comes twice the later rule holds.
constexpr Rule kRussian[] = {
    {"\xE1", "\xE1\xFC", 1},         {"\xE2", "\xE2\xFC", 1},         {"\xE3", "\xE3\xFC", 1},
    {"\xE4", "\xE4\xFC", 1},         {"\xE7", "\xE7\xFC", 1},         {"\xEA", "\xEA\xFC", 1},
    {"\xEB", "\xEB\xFC", 1},         {"\xEC", "\xEC\xFC", 1},         {"\xED", "\xED\xFC", 1},
    {"\xEF", "\xEF\xFC", 1},         {"\xF0", "\xF0\xFC", 1},         {"\xF1", "\xF1\xFC", 1},
    {"\xF2", "\xF2\xFC", 1},         {"\xE7", "\xF1", 1},             {"\xE6", "\xF8", 1},
    {"\xEA", "\xE3", 1},             {"\xEE", "\xE5", 1},             {"\xEE", "\xE0", 1},
    {"\xE4", "\xF2", 1},             {"\xEE\xF0\xEE", "\x61\xF0\xEE", 3}, {"\xEE\xF0\xEE", "\xEE\xF0\xE0", 3},
    {"\xEE\xEB\xEE", "\x61\xEB\xEE", 3}, {"\xEE\xEB\xEE", "\xEE\xEB\xE0", 3}, {"\xED\xED", "\xED", 2},
    {"\xF1\xF1", "\xF1", 2},         {"\xE5\xE5", "\xE5", 2},         {"\xE6\xE8", "\xE6\xFB", 2},
    {"\xF8\xE8", "\xF8\xFB", 2},     {"\xF9", "\xF8\xFC", 1},         {"\xF9\xF3", "\xF8\xFE", 2},
    {"\xF1\xF7", "\xF9", 2},         {"\xF1\xF8", "\xF8", 1},
};

constexpr Rule kFrenchRules[] = {
    {"b", "b", 1}, {"p", "b", 1}, {"c", "c", 1}, {"k", "c", 1}, {"q", "c", 1}, {"d", "d", 1},
    {"t", "d", 1}, {"l", "l", 1}, {"m", "m", 1}, {"n", "m", 1}, {"r", "r", 1}, {"g", "g", 1},
    {"j", "g", 1}, {"x", "x", 1}, {"z", "x", 1}, {"s", "x", 1}, {"f", "f", 1}, {"v", "f", 1},
};

constexpr Rule kDefault[] = {
    {"b", "b", 1}, {"f", "b", 1}, {"p", "b", 1}, {"v", "b", 1}, {"c", "k", 1}, {"g", "k", 1},
    {"j", "k", 1}, {"k", "k", 1}, {"q", "k", 1}, {"s", "k", 1}, {"x", "k", 1}, {"z", "k", 1},
    {"d", "d", 1}, {"t", "d", 1}, {"l", "l", 1}, {"m", "m", 1}, {"n", "m", 1}, {"r", "r", 1},
};

template <std::size_t N>
void AddRules(TReplaceNode& map, const Rule (&rules)[N]) {
  for (const Rule& r : rules) map.AddRule(r.pattern, r.replacement, r.count);
}

}  // namespace

TReplaceNode::~TReplaceNode() = default;

bool TReplaceNode::Match(std::string_view Word, AnsiString& Replacement, Integer Position, Integer& Count) const {
  if (children_ && Position >= 1 && static_cast<std::size_t>(Position) <= Word.size()) {
    const TReplaceNode* child = (*children_)[static_cast<unsigned char>(Word[Position - 1])].get();
    if (child && child->Match(Word, Replacement, Position + 1, Count)) return true;
  }
  if (!ruleEnds_) return false;
  Replacement = replacement_;
  Count = count_;
  return true;
}

void TReplaceNode::Clear() {
  children_.reset();
  ruleEnds_ = false;
  replacement_.clear();
  count_ = 0;
}

void TReplaceNode::AddRule(std::string_view Pattern, std::string_view Replacement, Integer Count) {
  TReplaceNode* node = this;
  for (char ch : Pattern) {
    if (!node->children_) node->children_ = std::make_unique<Children>();
    auto& slot = (*node->children_)[static_cast<unsigned char>(ch)];
    if (!slot) slot = std::make_unique<TReplaceNode>();
    node = slot.get();
  }
  node->ruleEnds_ = true;
  node->replacement_ = AnsiString(Replacement);
  node->count_ = Count;
}

void TPhoneticsMap::SetLanguage(Integer Language) {
  if (Language == language_) return;
  language_ = Language;
  Clear();
  switch (Language & 0xFF) {
    case 9: LoadEnglish(); break;
    case 25: LoadRussian(); break;
    case 12: LoadFrench(); break;
    default: LoadDefault(); break;
  }
}

void TPhoneticsMap::SetDepth(Integer Depth) {
  if (Depth >= 1) depth_ = Depth;
}

void TPhoneticsMap::SetPhoneticDivisor(Integer Divisor) {
  if (Divisor >= 1) divisor_ = Divisor;
}

void TPhoneticsMap::LoadEnglish() {
  AddRules(*this, kEnglishHead);
  static constexpr char vowels[] = "aeiou";
  for (int i = 0; i < 5; ++i)
    for (int j = 0; j < 5; ++j) {
      const char pattern[] = {vowels[i], 'h', vowels[j], '\0'};
      AddRule(pattern, "h", 2);
    }
  AddRules(*this, kEnglishTail);
}

void TPhoneticsMap::LoadRussian() { AddRules(*this, kRussian); }
void TPhoneticsMap::LoadFrench() { AddRules(*this, kFrenchRules); }
void TPhoneticsMap::LoadDefault() { AddRules(*this, kDefault); }

void TPhoneticsMap::GetKey(std::string_view Word, AnsiString& Key) const {
  const std::size_t kept = std::min<std::size_t>(static_cast<std::size_t>(depth_), Word.size());
  Key.assign(Word.substr(0, kept));
  const AnsiString rest = AnsiLowerCase(Word.substr(kept));
  Integer budget = MaxKeyLength;
  AnsiString code;
  Integer count = 0;
  for (std::size_t pos = 1; pos <= rest.size();) {
    if (!Match(rest, code, static_cast<Integer>(pos), count)) {
      ++pos;  // letters without a rule (the plain vowels in English) add nothing
      continue;
    }
    if (Collapse && !Key.empty() && count == 1 && !code.empty() && Key.back() == code.front()) {
      ++pos;
      continue;
    }
    Key += code;
    budget -= static_cast<Integer>(code.size());
    if (budget < 1) break;
    pos += count > 0 ? static_cast<std::size_t>(count) : 1;
  }
}

bool TPhoneticsMap::WithinDistance(std::string_view Word, Integer Distance) const {
  return Distance <= static_cast<Integer>(Word.size()) / divisor_ && Distance <= PhoneticMaxDistance;
}
