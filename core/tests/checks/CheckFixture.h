// A project with the test style sheet, the default character classes and bracket pairs, and the
// message target set to a string list; and runs of the marker phase and of the structure phase
// over a small book, as the mechanical proofreading does them.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "classlib/StringLists.h"
#include "core/CheckMessages.h"
#include "core/CheckPunctuation.h"
#include "core/ProgramFolderUnit.h"
#include "core/USFMUnit.h"
#include "core/tests/CoreTestSupport.h"

namespace core_testing {

using Lines = std::vector<std::string>;

class CheckTest : public CoreTest {
protected:
  void SetUp() override {
    CoreTest::SetUp();
    WriteProject("TST", "Test Project", "", "TST.SFM");
    MyReg->SetCurrentProject("Test Project");
    testing_support::WriteFileBytes(Projects() + "test.sty", TestStyleSheet());
    LoadStyleSheet();
    ProgramFolder = temp_.Path();
    WriteDefaultBrackets(ProgramFolder);
    results_.reset(new TStringList());
    ignored_.reset(new TStringList());
    SetMessageTarget(results_.get(), ignored_.get());
    LoadCheckSettings();
    usfm_.reset(new TUSFM(nullptr));
  }
  void TearDown() override {
    SetMessageTarget(nullptr, nullptr);
    CoreTest::TearDown();
  }

  // A file of the project's work folder ("ApprovedNames.txt", "UnwantedWords.txt").
  void WriteWorkFile(const std::string& name, const std::string& bytes) {
    testing_support::WriteFileBytes(Projects() + "TST\\Pelorin\\" + name, bytes);
  }

  Lines Results() const {
    Lines lines;
    for (int i = 0; i < results_->GetCount(); ++i) lines.push_back(results_->GetStrings(i));
    return lines;
  }

  // The marker phase: every line through TUSFM::CheckLine.
  Lines RunMarkers(const Lines& book, const std::string& bookId = "JHN") {
    results_->Clear();
    usfm_->Reset();
    usfm_->BookId = bookId;
    usfm_->FileName = Projects() + "TST\\" + bookId + "TST.SFM";
    for (const std::string& line : book) usfm_->CheckLine(line);
    return Results();
  }

  // The structure phase: every line and a line feed through the walker and the checks, then the
  // end-of-book calls.
  Lines RunStructure(const Lines& book, const std::string& bookId = "JHN") {
    results_->Clear();
    BeginBookChecks();
    usfm_->Reset();
    usfm_->BookId = bookId;
    for (const std::string& line : book) CheckStructureLine(usfm_.get(), line);
    EndBookChecks(usfm_.get());
    return Results();
  }

  std::unique_ptr<TStringList> results_;
  std::unique_ptr<TStringList> ignored_;
  std::unique_ptr<TUSFM> usfm_;
};

}  // namespace core_testing
