// Suggestions for a misspelt word: small edits (swapping neighbouring letters, inserting,
// deleting or replacing one letter, splitting the word in two), each kept when a test supplied
// by the caller accepts it as a correct word. The letters tried depend on the language.
#pragma once

#include "classlib/System.h"

class TStrings;

// Receives a candidate and sets Valid when it is a correct word.
using TCheckWordEvent = Closure<void(const char* Word, bool& Valid)>;

class TSuggestionsGenerator : public TObject {
  CLASS_INFO(TSuggestionsGenerator, TObject)
public:
  // Technique bits.
  static constexpr Byte tcInsertion = 1;
  static constexpr Byte tcTransposition = 2;
  static constexpr Byte tcDeletion = 4;
  static constexpr Byte tcReplacement = 8;
  static constexpr Byte tcSplit = 16;
  static constexpr Byte tcAll = 31;

  TSuggestionsGenerator();

  Integer GetLanguage() const { return language_; }
  // Stores a new language, re-applies AllTechniques and appends that language's letters to both
  // letter strings. The additions accumulate.
  virtual void SetLanguage(Integer Language);
  bool GetAllTechniques() const { return allTechniques_; }
  // With true every technique is used, except splitting for Swedish (1053).
  virtual void SetAllTechniques(bool Value);
  Byte GetTechniques() const { return techniques_; }
  virtual void SetTechniques(Byte Value);

  // Adds the word unless the list already holds it with exactly this spelling; true when added.
  virtual bool AddSuggestion(const AnsiString& Word);
  // Tries one candidate; true means stop (the list is full).
  virtual bool TryCandidate(const AnsiString& Word);
  virtual bool TryInsertions();
  virtual bool TryTranspositions(Integer Distance);
  virtual bool TryDeletions();
  virtual bool TryReplacements();
  virtual bool TrySplits();

  // Adds to Results the candidates for Word that Test accepts; Maximum -1 means no limit. The
  // list may end with one entry more than Maximum (the test for fullness comes first).
  virtual void Generate(const AnsiString& Word, Integer Maximum, const TCheckWordEvent& Test, TStrings* Results);
  // Generate, then for a word of mixed case once more on its lower-case form (keeping an
  // initial capital).
  virtual void GenerateCased(const AnsiString& Word, Integer Maximum, const TCheckWordEvent& Test, TStrings* Results);

  // Letters tried after the first position, and at the first position.
  AnsiString InnerLetters;
  AnsiString FirstLetters;
  Integer MaxSuggestions = 0;
  // Capitalised candidates are kept only when the letters after the first are all of one case.
  bool StrictCase = false;
  TCheckWordEvent OnCheckWord;

protected:
  bool IsValid(const AnsiString& Candidate);

  AnsiString word_;
  Integer length_ = 0;
  TStrings* results_ = nullptr;
  bool wordIsLower_ = true;

private:
  Integer language_ = 0;
  bool allTechniques_ = true;
  Byte techniques_ = tcAll;
};
