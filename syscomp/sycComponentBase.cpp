#include "syscomp/sycComponentBase.h"

#include "classlib/TypInfo.h"
#include "syscomp/sycComponents.h"
#include "syscomp/sycGraphics.h"

TsycComponent::TsycComponent(TComponent* AOwner) : TComponent(AOwner) {}

PUBLISHED(TsycComponent) { Prop("About", &TsycComponent::About).Stored(false); }

namespace {

// Makes the components known to the form stream by their class names (a name another library
// has taken already is left to that class), and their colour names usable in forms.
void RegisterComponents() {
  for (TClass c : {TsycComponent::StaticClass(),
                   TsycCustomThreadComponent::StaticClass(),
                   TsycCustomTimer::StaticClass(),
                   TsycCustomThreadTimer::StaticClass(),
                   TsycCustomWndProcHook::StaticClass(),
                   TsycCustomFileStorage::StaticClass(),
                   TsycAutoRun::StaticClass(),
                   TsycOneInstance::StaticClass(),
                   TsycShutdown::StaticClass(),
                   TsycTrayIcon::StaticClass(),
                   TsycWndProcHook::StaticClass(),
                   TsycFileStorage::StaticClass(),
                   TsycWav::StaticClass(),
                   TsycThreadComponent::StaticClass(),
                   TsycThreadTimer::StaticClass(),
                   TsycFileOperation::StaticClass(),
                   TsycCustomFolderMonitor::StaticClass(),
                   TsycFolderMonitor::StaticClass(),
                   TsycCustomRegistryMonitor::StaticClass(),
                   TsycRegistryMonitor::StaticClass(),
                   TsycStartButtonProperties::StaticClass(),
                   TsycColorPicker::StaticClass()})
    if (!GetClass(c->Name)) RegisterClass(c);
  RegisterColorNames(sycIdentToColor, sycColorToIdent);
}

const bool g_registered = (RegisterComponents(), true);

}  // namespace
