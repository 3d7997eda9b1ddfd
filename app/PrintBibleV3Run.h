// A run of Print Bible's printing path (preparing or printing): while it lasts, the dialog's
// controls are disabled but "&Stop", which asks the run to end at its next status.
#pragma once

#include "app/PrintBibleV3Unit.h"

class TPrintBibleV3Dialog::TRun {
public:
  explicit TRun(TPrintBibleV3Dialog& dialog);
  ~TRun();
  TRun(const TRun&) = delete;
  TRun& operator=(const TRun&) = delete;

private:
  TPrintBibleV3Dialog& dialog_;
  // A run started inside another (printing prepares first) leaves the controls to the outer one.
  bool outer_;
};
