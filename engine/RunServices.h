#pragma once

#include <functional>
#include <memory>

#include "engine/CleanServices.h"
#include "engine/DiskSpaceQuery.h"
#include "engine/FolderEnumerator.h"
#include "engine/ScanEvent.h"
#include "engine/WorkerThreads.h"

// The system services a scan run uses, given to it by whoever makes it.
struct RunServices {
    FolderEnumerator& folders;
    DiskSpaceQuery& diskSpace;
    ScanEvent& scanEvent;
    WorkerThreads& threads;
    // Makes the clean services of one clean worker, on that worker's thread: they keep the state
    // of one enumeration, so two workers never share them.
    std::function<std::unique_ptr<CleanServices>()> makeCleanServices;
};
