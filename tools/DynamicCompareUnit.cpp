#include "tools/DynamicCompareUnit.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "classlib/StringLists.h"
#include "classlib/SysUtils.h"
#include "core/MyRegistry.h"
#include "core/Utilities.h"
#include "richtext/core/CUVData.h"
#include "richtext/core/UzurUvad.h"
#include "tools/StatusProgress.h"

namespace {

using Lines = std::vector<AnsiString>;

// The look-ahead distances tried for a pair of lines: 0, 3, ... 30 tokens.
constexpr Integer kLookAheadSteps = 11;
constexpr Integer kLookAheadStep = 3;
// The windows tried for a pair of chapters: 0 to 5 lines.
constexpr Integer kLargestWindow = 5;

// Every distinct token of a run gets a number, and so does every class of tokens that are equal
// when letter case is ignored, so that the many trial comparisons compare numbers. Letter case is
// folded with the system's mapping of the code page.
class TTokenTable {
public:
  struct Token {
    AnsiString Text;
    Integer Folded;
    bool Blank;       // a single blank
    bool LightPunct;  // one of "," "." ":" ";", which may be added in front of words that match later
  };

  Integer Intern(std::string_view text) {
    auto found = ids_.find(text);
    if (found != ids_.end()) return found->second;
    const Integer id = static_cast<Integer>(tokens_.size());
    const AnsiString folded = AnsiLowerCase(text);
    const Integer foldedId = foldedIds_.try_emplace(folded, static_cast<Integer>(foldedIds_.size())).first->second;
    tokens_.push_back(Token{AnsiString(text), foldedId, text == " ",
                            text.size() == 1 && (text[0] == ',' || text[0] == '.' || text[0] == ':' || text[0] == ';')});
    ids_.emplace(tokens_.back().Text, id);
    return id;
  }
  const Token& operator[](Integer id) const { return tokens_[static_cast<std::size_t>(id)]; }

private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept { return std::hash<std::string_view>()(s); }
  };
  std::unordered_map<AnsiString, Integer, Hash, std::equal_to<>> ids_;
  std::unordered_map<AnsiString, Integer> foldedIds_;
  std::vector<Token> tokens_;
};

// The first d + 4 characters of a line, d being the length of its first run of digits.
AnsiString LineKey(const AnsiString& line) {
  return Copy(line, 1, static_cast<Integer>(FirstNumberInString(line).size()) + 4);
}

bool StartsWithChapter(const AnsiString& line) { return line.size() >= 2 && line[0] == '\\' && line[1] == 'c'; }

// One comparison: the word characters, the token table, and where the result goes.
class TComparison {
public:
  TComparison(TCustomUVData* document, TStrings* positions, TStatusBar* statusBar)
      : document_(document), positions_(positions), status_(statusBar) {
    wordChars_.fill(false);
    for (const AnsiString& name : {AnsiString("Small Letters"), AnsiString("Capitals")})
      for (unsigned char c : ReadSettingString(name)) wordChars_[c] = true;
  }

  // Compares the two books from where the last call stopped, a chapter or a line at a time, until
  // `spent` says so or the books end; true at their end.
  bool Run(const Lines& current, const Lines& earlier, const std::function<bool()>& spent) {
    while (true) {
      if (inChapter_) {
        // The lines of a chapter that differs, paired by their keys (CompareVerses, resumable).
        while (line_ < currentChapter_.size()) {
          PairLine(currentChapter_[line_++]);
          if (spent()) return false;
        }
        for (; head_ < earlierChapter_.size(); ++head_) {
          ++chapterCount_;
          WriteLine(earlierChapter_[head_], csRemoved);
        }
        total_ += chapterCount_;
        inChapter_ = false;
        if (spent()) return false;
      }
      if (!ReadChapter(current, currentCursor_, currentChapter_)) return true;
      ReadChapter(earlier, earlierCursor_, earlierChapter_);
      if (currentChapter_ == earlierChapter_) {
        for (const AnsiString& line : currentChapter_) document_->AddNL(line, csCommon, 0);
        if (spent()) return false;
        continue;
      }
      window_ = BestWindow(currentChapter_, earlierChapter_);
      line_ = head_ = 0;
      chapterCount_ = 0;
      inChapter_ = true;
    }
  }

  Integer Total() const { return total_; }

private:
  // Takes the lines from the cursor up to the next "\c" line (the first line always); the cursor
  // is left on that "\c" line. Every "\c" line met shows its chapter number.
  bool ReadChapter(const Lines& lines, std::size_t& cursor, Lines& chapter) {
    chapter.clear();
    for (; cursor < lines.size(); ++cursor) {
      const AnsiString& line = lines[cursor];
      if (StartsWithChapter(line)) {
        ShowChapter(line);
        if (!chapter.empty()) break;
      }
      chapter.push_back(line);
    }
    return !chapter.empty();
  }

  void ShowChapter(const AnsiString& line) { status_.Show("Chapter " + FirstNumberInString(line)); }

  // The window (0 to 5 lines) whose dry run pairs the chapters' lines with the fewest lines added
  // and removed; the first of equals.
  Integer BestWindow(const Lines& current, const Lines& earlier) {
    Integer best = 0, bestCount = 0;
    for (Integer window = 0; window <= kLargestWindow; ++window) {
      const Integer count = CountUnpairedLines(current, earlier, window);
      if (window == 0 || count < bestCount) {
        best = window;
        bestCount = count;
      }
    }
    return best;
  }

  // How many lines a pairing of the chapters' lines by their keys adds and removes, looking up to
  // `window` lines ahead for a line's key.
  Integer CountUnpairedLines(const Lines& current, const Lines& earlier, Integer window) {
    Integer count = 0;
    std::size_t head = 0;  // the working list E is earlier[head..]
    for (const AnsiString& line : current) {
      const std::size_t found = FindKey(line, earlier, head, window);
      if (found == kNoLine) {
        ++count;
        continue;
      }
      count += static_cast<Integer>(found);
      head += found + 1;
    }
    return count + static_cast<Integer>(earlier.size() - head);
  }

  // Where the line's key is found in earlier[head..], as a distance from head: at head, or within
  // the window when not there; kNoLine when not found (or when nothing is left).
  static constexpr std::size_t kNoLine = static_cast<std::size_t>(-1);
  static std::size_t FindKey(const AnsiString& line, const Lines& earlier, std::size_t head, Integer window) {
    const std::size_t left = earlier.size() - head;
    if (left == 0) return kNoLine;
    const AnsiString key = LineKey(line);
    if (Pos(key, earlier[head]) > 0) return 0;
    for (std::size_t j = 1; j <= static_cast<std::size_t>(window) && j < left; ++j)
      if (Pos(key, earlier[head + j]) > 0) return j;
    return kNoLine;
  }

  // One line of the current chapter in the real run: added, or paired with the earlier line that
  // has its key, the earlier lines before that one removed.
  void PairLine(const AnsiString& line) {
    const std::size_t found = FindKey(line, earlierChapter_, head_, window_);
    if (found == kNoLine) {
      ++chapterCount_;
      WriteLine(line, csAdded);
      return;
    }
    for (std::size_t j = 0; j < found; ++j) {
      ++chapterCount_;
      WriteLine(earlierChapter_[head_++], csRemoved);
    }
    chapterCount_ += CompareWordsBestLookAhead(line, earlierChapter_[head_]);
    ++head_;
  }

  void WriteLine(const AnsiString& line, Integer style) {
    document_->AddNL(line, style, 0);
    AddChangePosition();
  }

  void Tokenize(const AnsiString& line, std::vector<Integer>& tokens) {
    tokens.clear();
    std::size_t wordStart = 0;
    bool inWord = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
      if (wordChars_[static_cast<unsigned char>(line[i])]) {
        if (!inWord) wordStart = i;
        inWord = true;
        continue;
      }
      if (inWord) tokens.push_back(table_.Intern(std::string_view(line).substr(wordStart, i - wordStart)));
      inWord = false;
      tokens.push_back(table_.Intern(std::string_view(line).substr(i, 1)));
    }
    if (inWord) tokens.push_back(table_.Intern(std::string_view(line).substr(wordStart)));
  }

  Integer CompareWordsBestLookAhead(const AnsiString& currentLine, const AnsiString& earlierLine) {
    Tokenize(currentLine, currentTokens_);
    Tokenize(earlierLine, earlierTokens_);
    Integer best = 0;
    // Equal lines give no change whatever the look-ahead, so the trials cannot choose otherwise.
    if (currentTokens_ != earlierTokens_) {
      Integer bestCount = CompareWords<true>(0, -1);
      for (Integer step = 1; step < kLookAheadSteps && bestCount > 0; ++step) {
        // A trial stops as soon as it cannot beat the best count: counts only grow.
        const Integer count = CompareWords<true>(step * kLookAheadStep, bestCount);
        if (count < bestCount) {
          best = step * kLookAheadStep;
          bestCount = count;
        }
      }
    }
    return CompareWords<false>(best, -1);
  }

  // Compares the tokens of the current line with those of the earlier line. A token of the
  // current line pairs with the first earlier token equal to it when letter case is ignored, if
  // that token lies within the look-ahead; the earlier tokens before it are removed. A dry run
  // writes nothing and gives up once the count reaches `giveUpAt` (when that is not -1).
  template <bool Dry>
  Integer CompareWords(Integer lookAhead, Integer giveUpAt) {
    const std::vector<Integer>& c = currentTokens_;
    const std::vector<Integer>& e = earlierTokens_;
    Integer count = 0;
    std::size_t head = 0;  // E is e[head..]
    auto write = [&](Integer token, Integer style) {
      if constexpr (!Dry) {
        document_->Add(table_[token].Text, style);
        if (style != csCommon) AddChangePosition();
      }
    };
    if constexpr (!Dry) document_->AddNL("", csCommon, 0);
    for (Integer t : c) {
      if constexpr (Dry) {
        if (giveUpAt >= 0 && count >= giveUpAt) return count;
      }
      const TTokenTable::Token& token = table_[t];
      if (token.Blank) {
        write(t, csCommon);
        if (head < e.size() && table_[e[head]].Blank) ++head;
        continue;
      }
      if (head == e.size()) {
        ++count;
        write(t, csAdded);
        continue;
      }
      // The first earlier token equal to t ignoring letter case, searched only as far as it
      // can make a difference: one at k >= lookAhead counts as none.
      const std::size_t left = e.size() - head;
      const std::size_t reach = std::min<std::size_t>(left, std::max<Integer>(lookAhead, 1));
      std::size_t k = 0;
      while (k < reach && table_[e[head + k]].Folded != token.Folded) ++k;
      if (k == reach) {
        ++count;
        write(t, csAdded);
      } else if (k == 0) {
        if (e[head] == t) {
          write(t, csCommon);
        } else {
          count += 2;
          write(t, csAdded);
          write(e[head], csRemoved);
        }
        ++head;
      } else if (token.LightPunct) {
        ++count;
        write(t, csAdded);
      } else {
        for (std::size_t i = 0; i < k; ++i) {
          ++count;
          write(e[head++], csRemoved);
        }
        write(t, csCommon);
        ++head;
      }
    }
    for (; head < e.size(); ++head) {
      ++count;
      write(e[head], csRemoved);
    }
    return count;
  }

  void AddChangePosition() { positions_->Add(ChangePositionText(document_->GetItemCount() - 1)); }

  TCustomUVData* document_;
  TStrings* positions_;
  TStatusProgress status_;
  std::array<bool, 256> wordChars_;
  TTokenTable table_;
  std::vector<Integer> currentTokens_, earlierTokens_;
  // Where the comparison stands between two calls of Run: the line cursors of the two books, the
  // chapters being compared, and in a chapter that differs, its window, its next line, the head
  // of the earlier lines left and its count so far.
  std::size_t currentCursor_ = 0, earlierCursor_ = 0;
  Lines currentChapter_, earlierChapter_;
  bool inChapter_ = false;
  Integer window_ = 0;
  std::size_t line_ = 0, head_ = 0;
  Integer chapterCount_ = 0;
  Integer total_ = 0;
};

Lines ReadBookLines(const AnsiString& fileName) {
  std::unique_ptr<TStringList> list(new TStringList());
  ReadLinesOrNone(fileName, list.get());
  Lines lines;
  lines.reserve(static_cast<std::size_t>(list->GetCount()));
  for (Integer i = 0; i < list->GetCount(); ++i) lines.push_back(list->GetStrings(i));
  return lines;
}

}  // namespace

AnsiString ChangePositionText(Integer itemNo) {
  const AnsiString padded = "0000000" + IntToStr(itemNo);
  return padded.substr(padded.size() - 7);
}

class TVersionComparison::TState {
public:
  TState(const AnsiString& currentFile, const AnsiString& earlierFile, TStrings* positions, TCustomUVData* document,
         TStatusBar* statusBar)
      : current(ReadBookLines(currentFile)),
        earlier(ReadBookLines(earlierFile)),
        comparison(new TComparison(document, positions, statusBar)) {}
  const Lines current;
  const Lines earlier;
  // Gone once done: its status text is then in the bar.
  std::unique_ptr<TComparison> comparison;
  Integer total = 0;
};

TVersionComparison::TVersionComparison(const AnsiString& CurrentFile, const AnsiString& EarlierFile,
                                       TStrings* Positions, TCustomUVData* Document, TStatusBar* StatusBar)
    : state_(new TState(CurrentFile, EarlierFile, Positions, Document, StatusBar)) {}

TVersionComparison::~TVersionComparison() = default;

bool TVersionComparison::Step(const std::function<bool()>& spent) {
  if (!state_->comparison) return true;
  const bool done = state_->comparison->Run(state_->current, state_->earlier, spent);
  state_->total = state_->comparison->Total();
  if (done) state_->comparison.reset();
  return done;
}

bool TVersionComparison::Done() const { return !state_->comparison; }

Integer TVersionComparison::Count() const { return state_->total; }

Integer CompareVersionTexts(const AnsiString& CurrentFile, const AnsiString& EarlierFile, TStrings* Positions,
                            TCustomUVData* Document, TStatusBar* StatusBar) {
  TVersionComparison comparison(CurrentFile, EarlierFile, Positions, Document, StatusBar);
  comparison.Step([] { return false; });
  return comparison.Count();
}

Integer CompareVersionTexts(const AnsiString& CurrentFile, const AnsiString& EarlierFile, TStrings* Positions,
                            TCustomUzurUvad* Viewer, TStatusBar* StatusBar) {
  return CompareVersionTexts(CurrentFile, EarlierFile, Positions, Viewer->GetUVData(), StatusBar);
}
