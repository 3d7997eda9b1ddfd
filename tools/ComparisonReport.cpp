#include "tools/ComparisonReport.h"

#include "classlib/SysUtils.h"
#include "core/MyRegistry.h"
#include "richtext/core/CUVData.h"
#include "tools/DynamicCompareUnit.h"

const char LoadBothVersionsFirst[] = "Load the current version and the earlier version first.";

TComparisonReport::TComparisonReport(TCustomUVData* document, const TComparedVersions& versions, TDateTime now,
                                     TStrings* positions, TStatusBar* statusBar)
    : document_(document) {
  document->AddNL(FormatDateTime(ReadSettingString("Date format"), now), csCommon, 0);
  document->AddNL("Comparison between the current version (" + versions.CurrentProject + ") and an earlier version (" +
                      versions.EarlierProject + ") of " + versions.BookName + ".",
                  csCommon, 0);
  if (SameText(versions.CurrentFile, versions.EarlierFile)) {
    document->AddNL("", csCommon, 0);
    document->AddNL("Note: the current version has been compared with itself, as both filenames are the same.",
                    csCommon, 0);
  }
  document->AddNL("", csCommon, 0);
  document->AddNL("Words added to the current version are marked like this: ", csCommon, 0);
  document->Add("Word added", csAdded);
  document->AddNL("", csCommon, 0);
  document->AddNL("Words removed from the current version are marked like this: ", csCommon, 0);
  document->Add("Word removed", csRemoved);
  document->AddNL("", csCommon, 0);
  document->AddNL("", csCommon, 0);
  comparison_.reset(new TVersionComparison(versions.CurrentFile, versions.EarlierFile, positions, document, statusBar));
}

TComparisonReport::~TComparisonReport() = default;

bool TComparisonReport::Step(const std::function<bool()>& spent) {
  if (done_) return true;
  const bool compared = comparison_->Step(spent);
  count_ = comparison_->Count();
  if (!compared) return false;
  comparison_.reset();
  document_->AddNL("", csCommon, 0);
  document_->AddNL("Comparison finished - " + IntToStr(count_) + " changes.", csCommon, 0);
  document_->AddNL("", csCommon, 0);
  done_ = true;
  return true;
}

Integer WriteComparisonReport(TCustomUVData* document, const TComparedVersions& versions, TDateTime now,
                              TStrings* positions, TStatusBar* statusBar) {
  TComparisonReport report(document, versions, now, positions, statusBar);
  report.Step([] { return false; });
  return report.Count();
}
