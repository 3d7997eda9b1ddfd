#include "spell/lx3ParseEngine.h"

#include "classlib/SysUtils.h"
#include "spell/lx3ParserBase.h"

namespace {

// Digits, "&", the apostrophe, the ASCII letters, the upper half's letters of code page 1252
// and the letters that code pages 1250 and 1251 keep elsewhere.
AnsiString DefaultWordChars() {
  AnsiString s = "\x92" "1234567890&'abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  for (int b = 0xC0; b <= 0xFF; ++b) s += static_cast<char>(b);
  s += "\xB8\xA8\xE1\xE8\xEF\xE9\xEC\xED\xF2\xF3\xF8\x9A\x9D\xFA\xF9\xFD\x9E\xC1\xC8\xCF\xC9\xCC\xCD\xD2\xD3\xD8"
       "\x8A\x8D\xDA\xD9\xDD\x8E\x9C\xB9\xE6\xEA\xB3\xB3\xF1\xF3\x9C\xBF\x9F\xA5\xC6\xCA\xA3\xD1\xD3\x8C\xAF\x8F"
       "\xB2\xA2\xB1\xA1\xBC\xAC\xB6\xA6";
  return s;
}

bool Contains(const AnsiString& s, AnsiChar c) { return s.find(c) != AnsiString::npos; }

}  // namespace

TMainParsingEngine::TMainParsingEngine() : wordChars_(DefaultWordChars()) { RebuildTables(); }

void TMainParsingEngine::RebuildTables() {
  for (int i = 0; i < 256; ++i) isWordChar_[i] = isInnerChar_[i] = isTrimChar_[i] = false;
  for (AnsiChar c : wordChars_) {
    isWordChar_[static_cast<Byte>(c)] = true;
    if (!Contains(breakChars_, c)) isInnerChar_[static_cast<Byte>(c)] = true;
  }
  for (AnsiChar c : trimChars_) isTrimChar_[static_cast<Byte>(c)] = true;
}

void TMainParsingEngine::SetWordChars(const AnsiString& Value) {
  wordChars_ = Value;
  RebuildTables();
}

void TMainParsingEngine::SetBreakChars(const AnsiString& Value) {
  breakChars_ = Value;
  RebuildTables();
}

void TMainParsingEngine::SetTrimChars(const AnsiString& Value) {
  trimChars_ = Value;
  RebuildTables();
}

void TMainParsingEngine::SetSplitApostrophes(bool Value) {
  splitApostrophes_ = Value;
  if (Value) {
    if (!Contains(breakChars_, '\'')) breakChars_ += '\'';
  } else {
    std::erase(breakChars_, '\'');
  }
  RebuildTables();
}

void TMainParsingEngine::Initialize(TControlParser* Parser, Integer CheckKind) {
  parser_ = Parser;
  if (!Parser) return;
  Integer startColumn = 0, startLine = 0, endColumn = 0, endLine = 0;
  Parser->GetSelection(startColumn, startLine, endColumn, endLine);
  switch (CheckKind) {
    case ckSelection:
      StartAt(startColumn, startLine);
      Parser->SetPos(endColumn, endLine, pmEnd);
      break;
    case ckFromCursor:
      StartAt(startColumn, startLine);
      break;
    case ckWholeText:
      Parser->SetPos(0, 0, pmCurrent);
      break;
    default:
      break;
  }
}

void TMainParsingEngine::StartAt(Integer Column, Integer Line) {
  if (!parser_) return;
  parser_->SetPos(Column, Line, pmCurrent);
  // Only a position inside a word is moved: a word that starts right here is read whole.
  bool insideWord = false;
  if (parser_->MovePrev()) {
    insideWord = InnerHere(parser_);
    parser_->MoveNext();
  }
  if (insideWord)
    while (InnerHere(parser_) && parser_->MoveNext()) {
    }
}

bool TMainParsingEngine::InnerHere(TControlParser* Parser) const {
  const AnsiChar c = Parser->CurChar();
  return IsInnerChar(c) || IsInnerChar(Parser->LetterOf(c));
}

void TMainParsingEngine::GetNextWord(AnsiString& Word) {
  Word.clear();
  TControlParser* p = parser_;
  if (!p) return;
  for (;;) {
    // Skip to the start of a word.
    AnsiChar c;
    for (;;) {
      c = p->CurChar();
      if (OnPreviewChar) {
        bool skip = false;
        OnPreviewChar(c, p, skip);
        if (skip) continue;
      }
      if ((IsWordChar(c) || IsWordChar(p->LetterOf(c))) && !Contains(NoStartChars, c)) break;
      if (!p->MoveNext()) return;
    }

    Word.assign(1, c);
    bool dotted = false;
    for (;;) {
      if (!p->MoveNext()) {  // a word cut by the end of the range is not returned
        Word.clear();
        return;
      }
      c = p->CurChar();
      if (InnerHere(p)) {
        Word += c;
        continue;
      }
      if (c == '.') {
        p->MoveNext();
        const bool innerAfter = InnerHere(p);
        p->MovePrev();
        if (innerAfter) {
          Word += c;
          continue;
        }
        if (Contains(Word, '.')) {  // the closing period of an abbreviation such as "e.g."
          dotted = true;
          Word += c;
          continue;
        }
        break;
      }
      if (c == '\'' && splitApostrophes_) {
        const AnsiString lower = AnsiLowerCase(Word);
        if (lower == "aujourd" || lower == "entr") {
          Word += c;
          continue;
        }
      }
      break;
    }

    const bool periodTrims = isTrimChar_[static_cast<Byte>('.')];
    if (dotted) isTrimChar_[static_cast<Byte>('.')] = false;
    while (!Word.empty() && IsTrimChar(Word.back())) {
      Word.pop_back();
      p->MovePrev();
    }
    isTrimChar_[static_cast<Byte>('.')] = periodTrims;
    if (Word.empty()) {
      // Only trim characters: the walker is back on the first of them; go on after it.
      if (!p->MoveNext()) return;
      continue;
    }

    if (OnWordFound) {
      bool again = false;
      OnWordFound(Word, p, again);
      if (again) {
        Word.clear();
        continue;
      }
    }
    lastWord_ = Word;
    return;
  }
}
