#pragma once

#include <cstdint>
#include <string>

// What a worker of a scan run is started with, copied into the worker: the run's ticket, which
// names its start and pattern decisions, and the folder its walk scans. A later choice of
// folder never reaches a worker already started, however late it first runs.
struct WorkerStart {
    uint64_t ticket = 0;
    std::string scanFolder;
};
