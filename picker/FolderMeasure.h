#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "engine/BasisMeasure.h"

// Measures the scan folder for the progress bar's basis on a worker thread, so that the window
// answers while a large tree or a whole drive is walked. The worker starts once the window has
// painted what was waiting (at start-up it would otherwise slow the window's first appearance).
// It holds only what it is given (the folder, the window to tell, its abandon check) and its own
// folder listing, never the window's object: it ends at its next entry once abandoned, and it may
// outlive its owner, so neither a new selection nor the end of the program waits for it. It posts
// kMeasured to the window with its generation in wParam and the size in KB in lParam.
class FolderMeasure {
public:
    static constexpr UINT kMeasured = WM_APP + 16;

    struct Result {
        uint32_t kb = 0;
        bool retakeRange = false;  // the progress range must be set from the grown basis again
    };

    FolderMeasure() = default;
    FolderMeasure(const FolderMeasure&) = delete;
    FolderMeasure& operator=(const FolderMeasure&) = delete;
    ~FolderMeasure();

    // Measures folder for hNotify, abandoning the measure still running or not yet started.
    void Start(HWND hNotify, const std::string& folder);
    // The progress range has just been set from the basis.
    void RangeTaken() { m_measures.RangeTaken(); }
    // The handler of kMeasured: the size, when it comes from the measure that counts.
    std::optional<Result> OnMeasured(WPARAM wParam, LPARAM lParam);

private:
    // The window timer that starts the worker; its id is this object's address.
    static void CALLBACK OnLaunchTimer(HWND hWnd, UINT message, UINT_PTR idEvent, DWORD time);
    UINT_PTR TimerId() const { return reinterpret_cast<UINT_PTR>(this); }
    void Launch();

    // Its end abandons the measure still running.
    BasisMeasure m_measures;
    // The measure waiting for its worker.
    HWND m_hNotify = nullptr;
    std::string m_strFolder;
    BasisMeasure::Generation m_generation = 0;
};
