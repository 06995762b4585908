#pragma once

// The three worker threads of a scan run.
enum class RunWorker { Scan, Clean, Animation };
