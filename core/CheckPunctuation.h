// The mechanical checks over the running text of a book, one character at a time: characters
// outside every character class, sentences and capitalised words, non-adjacent characters,
// brackets with nesting, quotation marks, dividers, unwanted words and phrases, and a blank before
// punctuation. Each check is a small state machine over unit-level state; it reads the marker
// checker's Window for context and reports through AddCheckMessage.
//
// Per book: BeginBookChecks; then, for every line, CheckStructureLine (or, character by character,
// TUSFM::ProcessChar and the eight checks in the order CheckStructureLine calls them); then
// EndBookChecks.
#pragma once

#include "classlib/Strings.h"
#include "classlib/System.h"

class TStringList;
class TUSFM;

// Character classes built by LoadCheckSettings from the settings of the same names.
extern TCharSet SentenceEnders;        // "Sentence Enders"
extern TCharSet IndifferentChars;      // "Sentence Indifferent Characters"
extern TCharSet SmallLetters;          // "Small Letters"
extern TCharSet CapitalLetters;        // "Capitals"
extern TCharSet NonAdjacentChars;      // "Non Adjacent Characters"
extern TCharSet RightOfClosingQuotes;  // "Chars Right Of Closing Quotes"
extern TCharSet FilteredOutChars;      // "Chars Filtered Out"
// Every character that may occur in running text: the double quote, the bracket characters, the
// classes above except FilteredOutChars, the blank, the backslash and "Extra chars in text".
extern TCharSet KnownChars;

// Bracket pairs from "brackets.txt" in the program folder, at most MaxBracketPairs.
constexpr int MaxBracketPairs = 10;
struct TBracketPair {
  char Opener;
  char Closer;
};
extern TBracketPair BracketPairs[MaxBracketPairs];
extern int BracketPairCount;

// Builds the character classes and reads the bracket pairs (invalid lines are reported through
// AddPlainMessage and skipped). Called once when the main window is created.
void LoadCheckSettings();

// The checks, per running-text character c (ProcessChar returned false) in this order; the ones
// with an end-of-book flag are called once more at the end of the book with a blank.
void CheckUnknownCharacter(TUSFM* usfm, char c);
void CheckSentence(TUSFM* usfm, char c, bool endOfBook);
void CheckNonAdjacent(TUSFM* usfm, char c);
void CheckBrackets(TUSFM* usfm, char c, bool endOfBook);
void CheckQuotes(TUSFM* usfm, char c, bool endOfBook);
void CheckDividers(TUSFM* usfm, char c);
void CheckUnwantedWords(TUSFM* usfm, char c, bool endOfBook);
void CheckSpaceBeforePunctuation(TUSFM* usfm, char c);

// Before each book: the quotation marks start uncounted.
void ResetQuotes();
// With true before each book: resets the sentence state and loads "ApprovedNames.txt" of the
// current project's work folder; with false after the book: releases the names.
void SentenceCheckSetup(bool start);
// Loads "UnwantedWords.txt" of the current project's work folder and resets the word and phrase
// state. Called before each book and by the end-of-book call of CheckUnwantedWords.
void LoadUnwantedWords();

// The approved names (sorted, case-sensitive) while a book is checked; nullptr otherwise.
extern TStringList* ApprovedNames;
// The unwanted entries: text, kind ("word" or "phrase") and comment, parallel.
extern TStringList* UnwantedWords;
extern TStringList* UnwantedKinds;
extern TStringList* UnwantedComments;

// The run over one book as the mechanical proofreading does it:
// - BeginBookChecks: ResetQuotes, SentenceCheckSetup(true), LoadUnwantedWords;
// - CheckStructureLine: the line and a line feed through TUSFM::ProcessChar, and every running-text
//   character through the eight checks;
// - EndBookChecks: the end-of-book calls of the sentence, bracket, quotation-mark and
//   unwanted-word checks, then SentenceCheckSetup(false).
void BeginBookChecks();
void CheckStructureLine(TUSFM* usfm, const AnsiString& line);
void EndBookChecks(TUSFM* usfm);
