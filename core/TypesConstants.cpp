#include "core/TypesConstants.h"

#include <array>
#include <string>

namespace {

struct BookRow {
  const char* Id;
  const char* BibleWorks;
  const char* English;
};

constexpr std::array<BookRow, BookCount> kBooks = {{
    {"GEN", "Gen", "Genesis"},       {"EXO", "Exo", "Exodus"},          {"LEV", "Lev", "Leviticus"},
    {"NUM", "Num", "Numbers"},       {"DEU", "Deu", "Deuteronomy"},     {"JOS", "Jos", "Joshua"},
    {"JDG", "Jdg", "Judges"},        {"RUT", "Rut", "Ruth"},            {"1SA", "1Sa", "1 Samuel"},
    {"2SA", "2Sa", "2 Samuel"},      {"1KI", "1Ki", "1 Kings"},         {"2KI", "2Ki", "2 Kings"},
    {"1CH", "1Ch", "1 Chronicles"},  {"2CH", "2Ch", "2 Chronicles"},    {"EZR", "Ezr", "Ezra"},
    {"NEH", "Neh", "Nehemiah"},      {"EST", "Est", "Esther"},          {"JOB", "Job", "Job"},
    {"PSA", "Psa", "Psalms"},        {"PRO", "Pro", "Proverbs"},        {"ECC", "Ecc", "Ecclesiastes"},
    {"SNG", "Sol", "Song of Solomon"}, {"ISA", "Isa", "Isaiah"},        {"JER", "Jer", "Jeremiah"},
    {"LAM", "Lam", "Lamentations"},  {"EZK", "Eze", "Ezekiel"},         {"DAN", "Dan", "Daniel"},
    {"HOS", "Hos", "Hosea"},         {"JOL", "Joe", "Joel"},            {"AMO", "Amo", "Amos"},
    {"OBA", "Oba", "Obadiah"},       {"JON", "Jon", "Jonah"},           {"MIC", "Mic", "Micah"},
    {"NAM", "Nah", "Nahum"},         {"HAB", "Hab", "Habakkuk"},        {"ZEP", "Zep", "Zephaniah"},
    {"HAG", "Hag", "Haggai"},        {"ZEC", "Zec", "Zechariah"},       {"MAL", "Mal", "Malachi"},
    {"MAT", "Mat", "Matthew"},       {"MRK", "Mar", "Mark"},            {"LUK", "Luk", "Luke"},
    {"JHN", "Joh", "John"},          {"ACT", "Act", "Acts"},            {"ROM", "Rom", "Romans"},
    {"1CO", "1Co", "1 Corinthians"}, {"2CO", "2Co", "2 Corinthians"},   {"GAL", "Gal", "Galatians"},
    {"EPH", "Eph", "Ephesians"},     {"PHP", "Phi", "Philippians"},     {"COL", "Col", "Colossians"},
    {"1TH", "1Th", "1 Thessalonians"}, {"2TH", "2Th", "2 Thessalonians"}, {"1TI", "1Ti", "1 Timothy"},
    {"2TI", "2Ti", "2 Timothy"},     {"TIT", "Tit", "Titus"},           {"PHM", "Phm", "Philemon"},
    {"HEB", "Heb", "Hebrews"},       {"JAS", "Jam", "James"},           {"1PE", "1Pe", "1 Peter"},
    {"2PE", "2Pe", "2 Peter"},       {"1JN", "1Jo", "1 John"},          {"2JN", "2Jo", "2 John"},
    {"3JN", "3Jo", "3 John"},        {"JUD", "Jud", "Jude"},            {"REV", "Rev", "Revelation"},
}};

constexpr std::array<const char*, VersificationCount> kVersifications = {
    "Original", "Septuagint", "Vulgate", "English", "Russian Canonical"};

// The tables as strings, made once, so that callers get references without copying.
struct Tables {
  std::array<AnsiString, BookCount> Ids, BibleWorks, English;
  std::array<AnsiString, VersificationCount> Versifications;
  Tables() {
    for (int i = 0; i < BookCount; ++i) {
      Ids[i] = kBooks[i].Id;
      BibleWorks[i] = kBooks[i].BibleWorks;
      English[i] = kBooks[i].English;
    }
    for (int i = 0; i < VersificationCount; ++i) Versifications[i] = kVersifications[i];
  }
};

const Tables& TheTables() {
  static const Tables tables;
  return tables;
}

int BookIndex(int book) {
  if (book < 1 || book > BookCount) throw Exception("Book number out of range: " + std::to_string(book));
  return book - 1;
}

}  // namespace

const AnsiString& BookId(int book) { return TheTables().Ids[BookIndex(book)]; }
const AnsiString& BibleWorksBookName(int book) { return TheTables().BibleWorks[BookIndex(book)]; }
const AnsiString& EnglishBookName(int book) { return TheTables().English[BookIndex(book)]; }

const AnsiString& VersificationName(int versification) {
  if (versification < 1 || versification > VersificationCount)
    throw Exception("Versification number out of range: " + std::to_string(versification));
  return TheTables().Versifications[versification - 1];
}
