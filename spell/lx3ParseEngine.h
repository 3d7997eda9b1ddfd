// The word breaker: cuts the text that a walker presents into words, one word per call, using
// three character tables built from a word-character string. Two hooks let filters come between
// the text and the breaker: one may swallow text before a word starts, one may reject a word.
#pragma once

#include "classlib/System.h"

class TControlParser;

// Check kinds that Initialize understands.
constexpr Integer ckSelection = 0;
constexpr Integer ckFromCursor = 1;
constexpr Integer ckWholeText = 2;

// Sees each character before a word starts; sets Skip after moving the walker past text to skip.
using TPreviewCharEvent = Closure<void(AnsiChar C, TControlParser* Parser, bool& Skip)>;
// Sees each word found; sets Again to drop it and go on with the next word.
using TWordFoundEvent = Closure<void(const AnsiString& Word, TControlParser* Parser, bool& Again)>;

class TParsingEngine : public TObject {
  CLASS_INFO(TParsingEngine, TObject)
public:
  // Binds the walker and places it for the check kind: the selection (its end becomes the end of
  // the range), from the cursor on, or the whole text; other kinds leave the walker where it is.
  virtual void Initialize(TControlParser* Parser, Integer CheckKind) = 0;
  // Moves the walker to the position, and past the rest of a word that the position cuts.
  virtual void StartAt(Integer Column, Integer Line) = 0;
  // The next word, or an empty string at the end of the text.
  virtual void GetNextWord(AnsiString& Word) = 0;
};

class TMainParsingEngine : public TParsingEngine {
  CLASS_INFO(TMainParsingEngine, TParsingEngine)
public:
  TMainParsingEngine();

  void Initialize(TControlParser* Parser, Integer CheckKind) override;
  void StartAt(Integer Column, Integer Line) override;
  void GetNextWord(AnsiString& Word) override;

  TControlParser* GetParser() const { return parser_; }
  // The characters words are made of.
  const AnsiString& GetWordChars() const { return wordChars_; }
  void SetWordChars(const AnsiString& Value);
  // Word characters that may begin a word but do not continue one.
  const AnsiString& GetBreakChars() const { return breakChars_; }
  void SetBreakChars(const AnsiString& Value);
  // Characters removed from the end of a word.
  const AnsiString& GetTrimChars() const { return trimChars_; }
  void SetTrimChars(const AnsiString& Value);
  bool GetSplitApostrophes() const { return splitApostrophes_; }
  // An apostrophe between letters ends the word (French elision), except after "aujourd" and
  // "entr". Adds the apostrophe to the break characters when absent, or removes every one.
  void SetSplitApostrophes(bool Value);
  const AnsiString& GetLastWord() const { return lastWord_; }

  bool IsWordChar(AnsiChar C) const { return isWordChar_[static_cast<Byte>(C)]; }
  bool IsInnerChar(AnsiChar C) const { return isInnerChar_[static_cast<Byte>(C)]; }
  bool IsTrimChar(AnsiChar C) const { return isTrimChar_[static_cast<Byte>(C)]; }

  TPreviewCharEvent OnPreviewChar;
  TWordFoundEvent OnWordFound;
  // Word characters that cannot begin a word.
  AnsiString NoStartChars = "'\"";

private:
  void RebuildTables();
  // Whether the walker's current character continues a word: an inner character, or one that a
  // letter and its combining marks were read as when that letter is one.
  bool InnerHere(TControlParser* Parser) const;

  TControlParser* parser_ = nullptr;
  AnsiString wordChars_;
  AnsiString trimChars_ = "'\".";
  AnsiString breakChars_ = "&";
  bool isWordChar_[256] = {};
  bool isInnerChar_[256] = {};
  bool isTrimChar_[256] = {};
  AnsiString lastWord_;
  bool splitApostrophes_ = false;
};
