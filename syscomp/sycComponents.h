// The system components in one include.
#pragma once

#include "syscomp/sycComponentBase.h"
#include "syscomp/sycFileOperation.h"
#include "syscomp/sycFileStorage.h"
#include "syscomp/sycFolderMonitor.h"
#include "syscomp/sycRegistryMonitor.h"
#include "syscomp/sycWav.h"
