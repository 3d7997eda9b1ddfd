// Ends a second copy of the program: a named mutex tells whether a copy runs already.
#pragma once

#include "syscomp/sycComponentBase.h"

using TsycOneInstanceShowMessage = Closure<void(TObject* Sender, bool& Terminate)>;

// The mutexes are named after the application's title: title + ".OneInstance.Default" is held by
// the first copy for as long as it runs, and title + ".OneInstance.CriticalSection" makes copies
// started at the same moment check one after the other.
class TsycOneInstance : public TsycComponent {
  CLASS_INFO(TsycOneInstance, TsycComponent)
public:
  using TsycComponent::TsycComponent;

  // Checks once the form has been read.
  void Loaded() override;
  // Whether another copy runs; the first copy takes the "Default" mutex for as long as it runs.
  // Never in a designer.
  virtual bool IsAnotherInstance();
  // DoAnotherInstance when another copy runs.
  virtual void Check();

  // Brings the other copy forward.
  bool ActivatePrevInstance = true;
  // The text shown; empty for "Application "<title>" is already running.".
  AnsiString Message;
  // Tells the user (OnShowMessage, or a message box) before this copy ends.
  bool ShowMessage = false;
  // Instead of the message box; clearing Terminate lets this copy run on.
  TsycOneInstanceShowMessage OnShowMessage;

protected:
  // Tells the user, brings the other copy forward and ends this one (unless OnShowMessage said
  // otherwise; the main form is then shown as usual).
  virtual void DoAnotherInstance();
};
