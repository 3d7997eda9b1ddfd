// The system components in one include.
#pragma once

#include "syscomp/sycAutoRun.h"
#include "syscomp/sycComponentBase.h"
#include "syscomp/sycFileOperation.h"
#include "syscomp/sycFileStorage.h"
#include "syscomp/sycFolderMonitor.h"
#include "syscomp/sycOneInstance.h"
#include "syscomp/sycRegistryMonitor.h"
#include "syscomp/sycShutdown.h"
#include "syscomp/sycStartButton.h"
#include "syscomp/sycThreadComponents.h"
#include "syscomp/sycTimers.h"
#include "syscomp/sycTrayIcon.h"
#include "syscomp/sycWav.h"
#include "syscomp/sycWndProcHook.h"
