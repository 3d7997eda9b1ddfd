#include "syscomp/sycComponentBase.h"

#include "classlib/TypInfo.h"
#include "syscomp/sycComponents.h"

TsycComponent::TsycComponent(TComponent* AOwner) : TComponent(AOwner) {}

PUBLISHED(TsycComponent) { Prop("About", &TsycComponent::About).Stored(false); }

namespace {

// Makes the components known to the form stream by their class names. A name that is taken
// already (another library registered a class of that name) is left to that class.
void RegisterComponentClasses() {
  for (TClass c : {TsycComponent::StaticClass(), TsycFileOperation::StaticClass(),
                   TsycCustomFolderMonitor::StaticClass(), TsycFolderMonitor::StaticClass(),
                   TsycCustomRegistryMonitor::StaticClass(), TsycRegistryMonitor::StaticClass(),
                   TsycCustomFileStorage::StaticClass(), TsycFileStorage::StaticClass(),
                   TsycWav::StaticClass(), TsycAutoRun::StaticClass(), TsycShutdown::StaticClass(),
                   TsycStartButtonProperties::StaticClass(), TsycCustomThreadComponent::StaticClass(),
                   TsycThreadComponent::StaticClass(), TsycCustomThreadTimer::StaticClass(),
                   TsycThreadTimer::StaticClass(), TsycCustomTimer::StaticClass(),
                   TsycColorPicker::StaticClass(), TsycTrayIcon::StaticClass(),
                   TsycCustomWndProcHook::StaticClass(), TsycWndProcHook::StaticClass(),
                   TsycOneInstance::StaticClass()})
    if (!GetClass(c->Name)) RegisterClass(c);
}

const bool g_registered = (RegisterComponentClasses(), true);

}  // namespace
