#include "picker/HorizontalExtentFitter.h"

#include <algorithm>

void HorizontalExtentFitter::LinesRemoved() { m_nRemovals.fetch_add(1); }

void HorizontalExtentFitter::FitAfterAdditions(ExtentListBox& listBox,
                                               const std::vector<std::string>& addedLines) {
    const uint32_t nRemovals = m_nRemovals.load();
    bool bKnown;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        bKnown = m_bKnown && m_nKnownRemovals == nRemovals;
    }
    if (!bKnown) {
        FitHorizontalExtent(listBox);
        return;
    }

    std::unique_ptr<TextMeasurer> measurer = listBox.OpenMeasurer();
    if (!measurer) {
        // Nothing changes, but the new line's width is unknown from here on.
        std::lock_guard<std::mutex> guard(m_lock);
        m_bKnown = false;
        return;
    }
    int cx = 0;
    for (const std::string& line : addedLines) cx = std::max(cx, measurer->TextWidth(line));
    measurer.reset();

    int cxExtent = 0;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        bKnown = m_bKnown && m_nKnownRemovals == nRemovals && m_nRemovals.load() == nRemovals;
        if (bKnown) {
            m_nWidest = std::max(m_nWidest, cx);
            cxExtent = m_nWidest + kMargin;
        }
    }
    if (!bKnown) {
        // Lines went away while we measured: measure them all instead.
        FitHorizontalExtent(listBox);
        return;
    }
    Apply(listBox, cxExtent);
}

void HorizontalExtentFitter::FitHorizontalExtent(ExtentListBox& listBox) {
    const uint32_t nRemovals = m_nRemovals.load();
    std::unique_ptr<TextMeasurer> measurer = listBox.OpenMeasurer();
    if (!measurer) return;

    const int nCount = listBox.GetCount();
    int cxWidest = 0;
    std::string text;
    for (int i = 0; i < nCount; ++i) {
        if (!listBox.GetText(i, text)) continue;  // deleted meanwhile: go on with the next
        cxWidest = std::max(cxWidest, measurer->TextWidth(text));
    }
    measurer.reset();

    int cxExtent;
    {
        std::lock_guard<std::mutex> guard(m_lock);
        const bool bStillCurrent = m_nRemovals.load() == nRemovals;
        if (bStillCurrent && m_bKnown && m_nKnownRemovals == nRemovals) {
            // Another addition of the same period may have measured a line we did not see.
            m_nWidest = std::max(m_nWidest, cxWidest);
        } else {
            m_nWidest = cxWidest;
        }
        // Only a measurement no removal overlapped is trusted for later additions.
        m_bKnown = bStillCurrent;
        m_nKnownRemovals = nRemovals;
        cxExtent = nCount < 1 ? 0 : m_nWidest + kMargin;
    }
    Apply(listBox, cxExtent);
}

void HorizontalExtentFitter::Apply(ExtentListBox& listBox, int cxExtent) {
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_nTarget = cxExtent;
        // The list box has it already: a request that would change nothing is not sent (after an
        // emptying it is, whatever the list box made of its extent). A request still on its way
        // is checked by its sender afterwards.
        if (m_bApplied && m_nApplied == cxExtent && m_nAppliedRemovals == m_nRemovals.load()) return;
        m_bApplied = false;
    }
    for (;;) {
        const uint32_t nRemovals = m_nRemovals.load();
        listBox.SetHorizontalExtent(cxExtent);
        std::lock_guard<std::mutex> guard(m_lock);
        if (m_nTarget == cxExtent) {
            m_nApplied = cxExtent;
            m_nAppliedRemovals = nRemovals;
            m_bApplied = true;
            return;
        }
        // Another thread asked for another extent meanwhile and its request may have reached the
        // list box before ours: the latest one is sent again.
        cxExtent = m_nTarget;
    }
}
