// The comparison of two versions of a book as the compare dialog shows it: a dated header naming
// the two versions, a legend of the marks, the book with its changes marked (DynamicCompareUnit)
// and a closing line with the number of changes. Several books compared one after the other go
// into one document, each with its own header.
#pragma once

#include <functional>
#include <memory>

#include "classlib/System.h"

class TCustomUVData;
class TStatusBar;
class TStrings;

struct TComparedVersions {
  AnsiString CurrentProject;  // full names of the projects
  AnsiString EarlierProject;
  AnsiString BookName;  // English name of the book
  AnsiString CurrentFile;
  AnsiString EarlierFile;
};

// Appends the header, the comparison and its closing line to the document, the change positions
// to Positions, and returns the number of changes. The date is written in the "Date format"
// setting. Comparing a file with itself (the same name, letter case ignored) adds a note that says
// so.
Integer WriteComparisonReport(TCustomUVData* document, const TComparedVersions& versions, TDateTime now,
                              TStrings* positions, TStatusBar* statusBar);

class TVersionComparison;

// The same report made a piece at a time (TVersionComparison): the header is written when the
// report is made, each Step compares on until `spent` says that the step has taken its time, and
// the step that ends the comparison writes the closing line and returns true. The document and
// the positions then hold what WriteComparisonReport writes.
class TComparisonReport {
public:
  TComparisonReport(TCustomUVData* document, const TComparedVersions& versions, TDateTime now, TStrings* positions,
                    TStatusBar* statusBar);
  ~TComparisonReport();
  TComparisonReport(const TComparisonReport&) = delete;
  TComparisonReport& operator=(const TComparisonReport&) = delete;

  bool Step(const std::function<bool()>& spent);
  // The number of changes; that of the whole book once Step returned true.
  Integer Count() const { return count_; }

private:
  TCustomUVData* document_;
  std::unique_ptr<TVersionComparison> comparison_;
  Integer count_ = 0;
  bool done_ = false;
};

// The paragraph written instead when a version is missing.
extern const char LoadBothVersionsFirst[];
