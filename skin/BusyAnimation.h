#pragma once

#include <atomic>
#include <functional>

#include "res/resource.h"
#include "skin/SkinGeometry.h"

// The busy ring near the top-left corner of the client area while a scan runs: six frames,
// one every 40 ms, in whole cycles.
namespace BusyAnimation {

constexpr int kFrameCount = 6;
constexpr int kFrameSize = 24;
constexpr unsigned kFramePauseMs = 40;

// IDB_BUSY_1 .. IDB_BUSY_6 for frames 1 .. 6.
constexpr unsigned FrameBitmapId(int nFrame) { return IDB_BUSY_1 + static_cast<unsigned>(nFrame - 1); }

// Window coordinates of the frame: 10 right of and 12 below the client area's corner. The border
// metrics are added without a style test.
SkinPoint FrameOrigin(const FrameSystemMetrics& sys);

// The animation thread's loop: frames 1 to 6, then the flag is read; while it is set another
// cycle follows. So at least one whole cycle is drawn and a cleared flag ends the loop after the
// cycle in progress. drawBusyFrame draws one frame and then pauses kFramePauseMs; a paused scan
// holds the thread inside it, between two frames.
void Run(const std::atomic<bool>& bAnimating, const std::function<void(int nFrame)>& drawBusyFrame);

}  // namespace BusyAnimation
