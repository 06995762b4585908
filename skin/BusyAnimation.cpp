#include "skin/BusyAnimation.h"

namespace BusyAnimation {

SkinPoint FrameOrigin(const FrameSystemMetrics& sys) {
    return {sys.cxDlgFrame + sys.cxBorder + 10, sys.cyDlgFrame + sys.cyBorder + sys.cyCaption + 12};
}

void Run(const std::atomic<bool>& bAnimating, const std::function<void(int nFrame)>& drawBusyFrame) {
    do {
        for (int nFrame = 1; nFrame <= kFrameCount; ++nFrame) drawBusyFrame(nFrame);
    } while (bAnimating.load());
}

}  // namespace BusyAnimation
