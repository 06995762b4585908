#pragma once

#include <functional>
#include <string>
#include <vector>

#include "framework/CBrush.h"
#include "framework/CButton.h"
#include "framework/CCheckListBox.h"
#include "framework/CDialog.h"
#include "framework/tests/ProbeIds.h"

constexpr UINT WM_PROBE_PING = WM_APP + 1;
constexpr UINT WM_PROBE_RUN = WM_APP + 2;
constexpr UINT kProbeNotifyCode = 1234;
constexpr LRESULT kProbeNotifyAnswer = 42;

// A plain push button whose wrapper logs when it is subclassed and when its own map answers.
class RecordingButton : public CButton {
public:
    std::vector<std::string>* m_pLog = nullptr;
    int m_nDrawCount = 0;
    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    static const MessageMap* ThisMessageMap();

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    LRESULT OnPing(WPARAM wParam, LPARAM lParam);
};

// An owner-drawn button that paints with every GDI wrapper the framework has.
class PaintingButton : public CButton {
public:
    int m_nDrawCount = 0;
    HWND m_hWndLastDrawn = nullptr;
    void PreSubclassWindow() override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
};

// The dialog IDD_PROBE. Its body runs once the modal loop runs; then the dialog ends with
// IDABORT unless the body ended it or asked to keep it. A watchdog ends it after 20 s.
class ProbeDialog : public CDialog {
public:
    ProbeDialog();
    std::function<void(ProbeDialog&)> m_body;
    bool m_bEndAfterBody = true;
    bool m_bBindControls = true;
    std::vector<std::string> m_log;
    RecordingButton m_button;
    CCheckListBox m_list;
    PaintingButton m_paint;
    CBrush m_brStatic;

    static const MessageMap* ThisMessageMap();

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnPingClicked();
    void OnThrowingCommand();
    void OnNotifyAnswer(NMHDR* pNMHDR, LRESULT* pResult);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnTimer(UINT_PTR nIDEvent);
    LRESULT OnRun(WPARAM wParam, LPARAM lParam);
};
