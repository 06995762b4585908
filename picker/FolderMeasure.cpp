#include "picker/FolderMeasure.h"

#include <thread>

#include "engine/FolderSizeWalk.h"
#include "platform/win32/AnsiLeadBytePredicate.h"
#include "platform/win32/Win32FolderEnumerator.h"

FolderMeasure::~FolderMeasure() {
    if (m_hNotify) ::KillTimer(m_hNotify, TimerId());
    m_measures.Abandon();
    if (m_worker.joinable()) m_worker.join();
}

void FolderMeasure::Start(HWND hNotify, const std::string& folder) {
    m_hNotify = hNotify;
    m_strFolder = folder;
    m_generation = m_measures.Begin();
    // A timer comes after the window's pending paints; a second start before it replaces the first.
    if (!::SetTimer(hNotify, TimerId(), USER_TIMER_MINIMUM, &FolderMeasure::OnLaunchTimer)) Launch();
}

void CALLBACK FolderMeasure::OnLaunchTimer(HWND hWnd, UINT, UINT_PTR idEvent, DWORD) {
    ::KillTimer(hWnd, idEvent);
    reinterpret_cast<FolderMeasure*>(idEvent)->Launch();
}

void FolderMeasure::Launch() {
    auto measure = [hNotify = m_hNotify, folder = m_strFolder, generation = m_generation,
                    abandoned = m_measures.AbandonedCheck(m_generation)] {
        try {
            Win32FolderEnumerator folders;
            FolderSizeWalk walk(folders, AnsiLeadBytePredicate());
            uint32_t kb = 0;
            if (walk.AddFolderSizeKB(folder, kb, abandoned))
                ::PostMessageA(hNotify, kMeasured, generation,
                               static_cast<LPARAM>(static_cast<ULONG_PTR>(kb)));
        } catch (...) {
            // A measure that fails adds nothing, as a folder that cannot be listed.
        }
    };
    // The measure before this one was abandoned when this one began.
    if (m_worker.joinable()) m_worker.join();
    try {
        m_worker = std::thread(std::move(measure));
    } catch (...) {
        m_measures.Abandon();
    }
}

std::optional<FolderMeasure::Result> FolderMeasure::OnMeasured(WPARAM wParam, LPARAM lParam) {
    const BasisMeasure::Ending ending = m_measures.End(static_cast<BasisMeasure::Generation>(wParam));
    if (!ending.counts) return std::nullopt;
    return Result{static_cast<uint32_t>(static_cast<ULONG_PTR>(lParam)), ending.retakeRange};
}
