// The settings store. Every setting is a text value (REG_SZ) under the current user's key
// "\Software\Pelorin": named values through ReadSettingString/WriteSettingString, and numbered
// slots ("B1".."B13" booleans as "-1"/"0", "I1".."I12" integers, "S1".."S12" strings) through the
// one global TMyReg, which reads each slot once and keeps it. A value that is missing or does not
// convert reads as false, 0 or empty; no registry failure is ever raised to the caller.
#pragma once

#include "classlib/System.h"

// The named value's text; empty when it is missing or cannot be read.
AnsiString ReadSettingString(const AnsiString& name);
// Stores the named value as REG_SZ; failures change nothing and are not reported.
void WriteSettingString(const AnsiString& name, const AnsiString& value);

class TMyReg : public TObject {
  CLASS_INFO(TMyReg, TObject)
public:
  static constexpr int BoolSlots = 13;
  static constexpr int IntSlots = 12;
  static constexpr int StringSlots = 12;

  // The three cores. Get reads a slot once and then answers from the cache (values changed by
  // another process meanwhile are not seen). Set writes only a value that differs from the stored
  // one. Has reads the stored text afresh: true when it is not empty.
  bool GetB(int n);
  void SetB(int n, bool value);
  bool HasB(int n);
  Integer GetI(int n);
  void SetI(int n, Integer value);
  bool HasI(int n);
  AnsiString GetS(int n);
  void SetS(int n, const AnsiString& value);
  bool HasS(int n);

  bool GetProduceEBook() { return GetB(1); }
  void SetProduceEBook(bool v) { SetB(1, v); }
  bool GetWhiteSpaceCheck() { return GetB(2); }
  void SetWhiteSpaceCheck(bool v) { SetB(2, v); }
  bool GetUseSpellingHelper() { return GetB(3); }
  void SetUseSpellingHelper(bool v) { SetB(3, v); }
  bool GetPrintCoverPages() { return GetB(4); }
  void SetPrintCoverPages(bool v) { SetB(4, v); }
  bool GetStartMaximized() { return GetB(5); }
  void SetStartMaximized(bool v) { SetB(5, v); }
  bool GetMirrorMargins() { return GetB(6); }
  void SetMirrorMargins(bool v) { SetB(6, v); }
  bool GetPrintFirstPages() { return GetB(7); }
  void SetPrintFirstPages(bool v) { SetB(7, v); }
  bool GetUSFMCheck() { return GetB(8); }
  void SetUSFMCheck(bool v) { SetB(8, v); }
  bool GetStructureCheck() { return GetB(9); }
  void SetStructureCheck(bool v) { SetB(9, v); }
  bool GetPrintOTTitlePages() { return GetB(10); }
  void SetPrintOTTitlePages(bool v) { SetB(10, v); }
  bool GetPrintNTTitlePages() { return GetB(11); }
  void SetPrintNTTitlePages(bool v) { SetB(11, v); }
  bool GetPrintLastPages() { return GetB(12); }
  void SetPrintLastPages(bool v) { SetB(12, v); }
  bool GetOnlyCorrectChapter() { return GetB(13); }
  void SetOnlyCorrectChapter(bool v) { SetB(13, v); }

  Integer GetOnlyChapterNumber() { return GetI(1); }
  void SetOnlyChapterNumber(Integer v) { SetI(1, v); }
  Integer GetHyphenationRule() { return GetI(2); }
  void SetHyphenationRule(Integer v) { SetI(2, v); }
  // Slot I3 is not used.
  Integer GetTestament() { return GetI(4); }
  void SetTestament(Integer v) { SetI(4, v); }
  Integer GetNoHyphenationLength() { return GetI(5); }
  void SetNoHyphenationLength(Integer v) { SetI(5, v); }
  Integer GetEBookFontSize() { return GetI(6); }
  void SetEBookFontSize(Integer v) { SetI(6, v); }
  Integer GetMechanicalSpeed() { return GetI(7); }
  void SetMechanicalSpeed(Integer v) { SetI(7, v); }
  Integer GetTopMargin() { return GetI(8); }
  void SetTopMargin(Integer v) { SetI(8, v); }
  Integer GetBottomMargin() { return GetI(9); }
  void SetBottomMargin(Integer v) { SetI(9, v); }
  Integer GetLeftMargin() { return GetI(10); }
  void SetLeftMargin(Integer v) { SetI(10, v); }
  Integer GetRightMargin() { return GetI(11); }
  void SetRightMargin(Integer v) { SetI(11, v); }
  Integer GetPaperSize() { return GetI(12); }
  void SetPaperSize(Integer v) { SetI(12, v); }

  AnsiString GetHebrewVersion() { return GetS(1); }
  void SetHebrewVersion(const AnsiString& v) { SetS(1, v); }
  AnsiString GetGreekVersion() { return GetS(2); }
  void SetGreekVersion(const AnsiString& v) { SetS(2, v); }
  AnsiString GetSpellingRemovalBook() { return GetS(3); }
  void SetSpellingRemovalBook(const AnsiString& v) { SetS(3, v); }
  AnsiString GetConsonants() { return GetS(4); }
  void SetConsonants(const AnsiString& v) { SetS(4, v); }
  AnsiString GetVowels() { return GetS(5); }
  void SetVowels(const AnsiString& v) { SetS(5, v); }
  // The Paratext projects folder, always with a trailing backslash (empty only when unset),
  // however the user typed it, so that every path built on it is sound.
  AnsiString GetParatextProjectsFolder();
  void SetParatextProjectsFolder(const AnsiString& v) { SetS(6, v); }
  // The full name of the current project.
  AnsiString GetCurrentProject() { return GetS(7); }
  void SetCurrentProject(const AnsiString& v) { SetS(7, v); }
  AnsiString GetCompareBook() { return GetS(8); }
  void SetCompareBook(const AnsiString& v) { SetS(8, v); }
  AnsiString GetCompareEarlierVersion() { return GetS(9); }
  void SetCompareEarlierVersion(const AnsiString& v) { SetS(9, v); }
  AnsiString GetEBooksFolder() { return GetS(10); }
  void SetEBooksFolder(const AnsiString& v) { SetS(10, v); }
  AnsiString GetPrintingFolder() { return GetS(11); }
  void SetPrintingFolder(const AnsiString& v) { SetS(11, v); }
  AnsiString GetReaderWorksProgram() { return GetS(12); }
  void SetReaderWorksProgram(const AnsiString& v) { SetS(12, v); }

private:
  template <class T>
  struct Slot {
    bool Loaded = false;
    T Value{};
  };
  Slot<bool> bools_[BoolSlots + 1];
  Slot<Integer> ints_[IntSlots + 1];
  Slot<AnsiString> strings_[StringSlots + 1];
};

// The one settings store, from InitializeMyRegistry to FinalizeMyRegistry.
extern TMyReg* MyReg;

// Removes "Pelorin.exe" from both Run keys and writes the default of every named value and slot
// that is missing or empty.
void WriteDefaultSettings();

// The unit's start and end: the program calls them first and last; tests call them around each
// case, after the registry has been redirected.
void InitializeMyRegistry();
void FinalizeMyRegistry();
