// Logs off, shuts down, restarts, suspends or hibernates the machine.
#pragma once

#include "classlib/TypInfo.h"
#include "syscomp/sycComponentBase.h"

enum TsycShutdownActionType { aatPowerOff, aatShutdown, aatReboot, aatLogOff, aatSuspend, aatHibernate };
ENUM_NAMES(TsycShutdownActionType, "aatPowerOff", "aatShutdown", "aatReboot", "aatLogOff", "aatSuspend",
           "aatHibernate");

using TsycQueryShutdownEvent = Closure<void(TObject* Sender, bool& CanShutdown)>;

class TsycShutdown : public TsycComponent {
  CLASS_INFO(TsycShutdown, TsycComponent)
public:
  explicit TsycShutdown(TComponent* AOwner);

  // Takes the shutdown privilege (on the NT platform), asks OnQueryShutdown and carries out
  // ActionType; whether the system did it.
  virtual bool Execute();
  // Runs OnQueryShutdown.
  virtual void DoQueryShutdown(bool& CanShutdown);

  TsycShutdownActionType ActionType = aatPowerOff;
  // Does not let programs refuse.
  bool Force = false;
  TsycQueryShutdownEvent OnQueryShutdown;

  // The system calls that end the session or the machine's running; a test puts recorders here
  // so that nothing is shut down.
  using TEndSession = Closure<bool(UINT Flags)>;
  using TSetPowerState = Closure<bool(bool Suspend, bool Force)>;
  TEndSession EndSession;
  TSetPowerState SetPowerState;
};
