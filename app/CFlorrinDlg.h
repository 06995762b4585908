#pragma once

#include <windows.h>

#include <atomic>
#include <cstdint>
#include <list>
#include <mutex>
#include <string>

#include "framework/CBrush.h"
#include "framework/CButton.h"
#include "framework/CCheckListBox.h"
#include "framework/CDialog.h"
#include "framework/CFont.h"
#include "framework/CListBox.h"
#include "framework/CProgressCtrl.h"
#include "framework/CRect.h"
#include "framework/CTabCtrl.h"
#include "picker/CDirTreeCtrl.h"
#include "picker/CHSListBox.h"
#include "skin/ShopLink.h"

// The main dialog, on the template IDD_MAIN_DIALOG. Its members are the program's shared
// state: the interface thread and the scan, clean and animation threads work on them.
// The scrolling shop link keeps its geometry (m_rcLink, m_nLinkX, m_nLinkY) in its own base.
class CFlorrinDlg : public CDialog, public ShopLink {
public:
    CFlorrinDlg();
    ~CFlorrinDlg() override;

    // True while a worker thread of some scan run may still use this object.
    bool WorkersMayRun() const;

    static const MessageMap* ThisMessageMap();

    // The JunkPatternList ("*." plus an extension), guarded by m_lockJunkPatterns.
    std::list<std::string> m_lstJunkPatterns;
    std::atomic<bool> m_bStopScan{false};
    std::atomic<bool> m_bScanning{false};
    HANDLE m_hScanThread = nullptr;
    HANDLE m_hAnimThread = nullptr;
    HANDLE m_hCleanThread = nullptr;
    HANDLE m_hScanEvent = nullptr;
    std::atomic<bool> m_bPaused{false};
    // Kilobytes walked, and found as junk, in this scan run; written only by the walk.
    std::atomic<uint32_t> m_nScannedKB{0};
    std::atomic<uint32_t> m_nJunkKB{0};
    std::atomic<uint32_t> m_nJunkCount{0};
    // Size basis of the progress bar in kilobytes; the bar counts in units of 1024 KB.
    uint32_t m_nUsedKB = 0;
    CBrush m_brBack;
    COLORREF m_clrText = 0;
    COLORREF m_clrBack = 0;
    // Created once and never deleted: the status line uses it as long as the process lives.
    CFont* m_pStatusFont = nullptr;
    int m_nWndWidth = 0;
    int m_nWndHeight = 0;
    int m_nFrameCY = 0;
    int m_nFrameCX = 0;
    int m_nBorderCY = 0;
    int m_nBorderCX = 0;
    int m_nCaptionCY = 0;
    bool m_bMinHot = false;
    bool m_bCloseHot = false;
    bool m_bMaxHot = false;
    std::atomic<bool> m_bAnimating{false};
    bool m_bMaximized = false;
    bool m_bRestored = false;
    int m_nOptionListWidth = 0;
    int m_nStopRight = 0;
    int m_nSelectAllLeft = 0;
    float m_fScaleY = 0.0f;
    float m_fScaleX = 0.0f;
    std::string m_strScanPath;
    HICON m_hIcon = nullptr;
    CCheckListBox m_listOptions;
    CHSListBox m_listResults;
    CProgressCtrl m_progress;
    CButton m_btnStart;
    CButton m_btnDelete;
    CButton m_btnDeleteAll;
    CButton m_btnPause;
    CButton m_btnStop;
    CButton m_btnSelectAll;
    CButton m_btnSelectNone;
    CButton m_btnScanNow;
    CTabCtrl m_tab;
    CDirTreeCtrl m_tree;

    // Held while the JunkPatternList is appended to, walked or emptied.
    std::mutex m_lockJunkPatterns;

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // The dialog's own commands: About, painting, the close question, the label colours, the
    // caption menu and the scrolling shop link.
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnClose();
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnNcRButtonUp(UINT nHitTest, CPoint point);
    void OnMenuAbout();
    void OnMenuMinimize();
    // The tab switches pages; expanding and collapsing a tree item load and unload its sub-folders.
    void OnTcnSelchangeTab(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTvnItemexpandedDirTree(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTimer(UINT_PTR nIDEvent);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);

private:
    // Whether a client point lies on the shop link label where it stands now.
    bool IsOnShopLink(CPoint point) const;
};
