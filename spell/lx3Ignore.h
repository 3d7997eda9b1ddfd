// Ignore filters: small objects that the spell-check component puts between the text and the
// word breaker to pass over markup, Internet addresses, quoted lines and words of certain forms.
#pragma once

#include "classlib/System.h"

class TControlParser;

class TParserIgnore : public TObject {
  CLASS_INFO(TParserIgnore, TObject)
public:
  // True when the filter must see characters before words (PreviewChar and PreviewWord).
  virtual bool WantsCharPreview() = 0;
  // True when the filter judges whole lines (IgnoreLine).
  virtual bool WantsLinePreview() = 0;
  // True when the filter has moved the walker past text to be skipped.
  virtual bool PreviewChar(AnsiChar C, TControlParser* Parser) = 0;
  // True when the word and the text after it are to be skipped (the walker moved past them).
  virtual bool PreviewWord(const AnsiString& Word, TControlParser* Parser) = 0;
  // True when the word is to be passed over.
  virtual bool IgnoreWord(const AnsiString& Word, TControlParser* Parser) = 0;
  // True when every word of the line is to be passed over.
  virtual bool IgnoreLine(const AnsiString& Line) = 0;
};

// Answers false to everything; filters override what they need.
class TParserIgnoreBase : public TParserIgnore {
  CLASS_INFO(TParserIgnoreBase, TParserIgnore)
public:
  bool WantsCharPreview() override { return false; }
  bool WantsLinePreview() override { return false; }
  bool PreviewChar(AnsiChar, TControlParser*) override { return false; }
  bool PreviewWord(const AnsiString&, TControlParser*) override { return false; }
  bool IgnoreWord(const AnsiString&, TControlParser*) override { return false; }
  bool IgnoreLine(const AnsiString&) override { return false; }
};

// Skips tags, comments and script blocks; ignores entities ("&amp").
class THTMLIgnore : public TParserIgnoreBase {
  CLASS_INFO(THTMLIgnore, TParserIgnoreBase)
public:
  bool WantsCharPreview() override { return true; }
  bool PreviewChar(AnsiChar C, TControlParser* Parser) override;
  bool IgnoreWord(const AnsiString& Word, TControlParser* Parser) override;
};

// Skips addresses after a scheme ("http:"), e-mail addresses and "www." paths; ignores words that
// begin with "www.".
class TURLIgnore : public TParserIgnoreBase {
  CLASS_INFO(TURLIgnore, TParserIgnoreBase)
public:
  bool WantsCharPreview() override { return true; }
  bool PreviewWord(const AnsiString& Word, TControlParser* Parser) override;
  bool IgnoreWord(const AnsiString& Word, TControlParser* Parser) override;
};

// Ignores every word of a line that begins with one of QuoteChars.
class TQuotedLineIgnore : public TParserIgnoreBase {
  CLASS_INFO(TQuotedLineIgnore, TParserIgnoreBase)
public:
  bool WantsLinePreview() override { return true; }
  bool IgnoreWord(const AnsiString& Word, TControlParser* Parser) override;
  bool IgnoreLine(const AnsiString& Line) override;

  AnsiString QuoteChars;
};

// Ignores a word equal to its own upper-case form.
class TUppercaseWordIgnore : public TParserIgnoreBase {
  CLASS_INFO(TUppercaseWordIgnore, TParserIgnoreBase)
public:
  bool IgnoreWord(const AnsiString& Word, TControlParser* Parser) override;
};

// Ignores a word that holds a digit.
class TNumbersIgnore : public TParserIgnoreBase {
  CLASS_INFO(TNumbersIgnore, TParserIgnoreBase)
public:
  bool IgnoreWord(const AnsiString& Word, TControlParser* Parser) override;
};

// Ignores a word of single characters each followed by a period ("e.g.", "U.S.A.").
class TAbbreviationsIgnore : public TParserIgnoreBase {
  CLASS_INFO(TAbbreviationsIgnore, TParserIgnoreBase)
public:
  bool IgnoreWord(const AnsiString& Word, TControlParser* Parser) override;
};
