#include "tools/CorrectIDUnit.h"

#include <algorithm>
#include <bitset>

#include "classlib/Dialogs.h"
#include "classlib/SysUtils.h"
#include "core/TypesConstants.h"
#include "core/Utilities.h"
#include "tools/Soundex.h"

namespace {

// The books already offered during one ResolveBookID call, so that a book found by several passes
// is asked about once.
class TAskedQuestion {
public:
  explicit TAskedQuestion(TBookQuestion& question) : question_(question) {}
  bool AskBookName(int book) {
    if (asked_.test(static_cast<std::size_t>(book))) return false;
    asked_.set(static_cast<std::size_t>(book));
    return question_.MeansBook(book);
  }

private:
  TBookQuestion& question_;
  std::bitset<BookCount + 1> asked_;
};

// One sound-alike pass: the first book, in canonical order, whose name (as `nameOf` gives it)
// sounds like the typed name and which the user accepts; 0 for none.
template <class NameOf, class LengthOf>
int SoundAlikePass(const AnsiString& typed, TAskedQuestion& asker, NameOf nameOf, LengthOf lengthOf) {
  for (int n = 1; n <= BookCount; ++n) {
    const AnsiString name = nameOf(n);
    const int length = lengthOf(name);
    if (Soundex(typed, length) == Soundex(name, length) && asker.AskBookName(n)) return n;
  }
  return 0;
}

}  // namespace

AnsiString BookQuestionText(int book) {
  return "The name of the book is unclear. Do you mean " + EnglishBookName(book) + "?";
}

bool TMessageBoxBookQuestion::MeansBook(int book) {
  return MessageDlg(BookQuestionText(book), mtConfirmation, TMsgDlgButtons{mbYes, mbNo}, 0) == mrYes;
}

TBookQuestion& MessageBoxBookQuestion() {
  static TMessageBoxBookQuestion question;
  return question;
}

bool ResolveBookID(AnsiString& Name, Integer& BookNumber, TBookQuestion& question) {
  BookNumber = 0;
  TAskedQuestion asker(question);
  const AnsiString typed = UpperCase(Trim(Name));

  for (int n = 1; n <= BookCount && BookNumber == 0; ++n)
    if (typed == BookId(n) || typed == UpperCase(BibleWorksBookName(n)) || typed == UpperCase(EnglishBookName(n)) ||
        typed == IntToStr(n))
      BookNumber = n;

  const auto halfPlusOne = [](const AnsiString& name) { return Length(name) / 2 + 1; };
  if (BookNumber == 0)
    BookNumber = SoundAlikePass(
        typed, asker, [](int n) { return BookId(n); }, [](const AnsiString&) { return 2; });
  if (BookNumber == 0)
    BookNumber = SoundAlikePass(
        typed, asker, [](int n) { return UpperCase(BibleWorksBookName(n)); }, halfPlusOne);
  if (BookNumber == 0)
    BookNumber = SoundAlikePass(
        typed, asker, [](int n) { return UpperCase(EnglishBookName(n)); }, halfPlusOne);

  Name = BookNumber > 0 ? BookId(BookNumber) : AnsiString();
  return BookNumber > 0;
}

void ParseTypedReference(const AnsiString& Text, AnsiString& Reference, TBookQuestion& question) {
  Reference.clear();
  AnsiString s = Trim(Text);
  AnsiString prefix;
  if (!s.empty() && (s[0] == '1' || s[0] == '2' || s[0] == '3')) {
    prefix = s.substr(0, 1);
    s.erase(0, 1);
    if (!s.empty() && s[0] == ' ') {
      prefix += ' ';
      s.erase(0, 1);
    }
  }
  // The chapter is the first run of digits; the book is what stands before it, the verse the next
  // run of digits after it.
  const AnsiString chapter = FirstNumberInString(s);
  const std::size_t chapterAt = chapter.empty() ? s.size() : s.find_first_of("0123456789");
  AnsiString book = prefix + Trim(s.substr(0, chapterAt));
  const AnsiString verse = FirstNumberInString(s.substr(std::min(s.size(), chapterAt + chapter.size())));
  Integer number = 0;
  if (ResolveBookID(book, number, question) && !chapter.empty() && !verse.empty())
    Reference = book + " " + chapter + ":" + verse;
}
