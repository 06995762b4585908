#pragma once

#include <windows.h>

#include <string>

#include "app/DialogView.h"
#include "engine/ScanRun.h"
#include "framework/CBrush.h"
#include "framework/CCheckListBox.h"
#include "framework/CDialog.h"
#include "framework/CFont.h"
#include "framework/CListBox.h"
#include "framework/CProgressCtrl.h"
#include "framework/CRect.h"
#include "framework/CTabCtrl.h"
#include "picker/CDirTreeCtrl.h"
#include "picker/CHSListBox.h"
#include "picker/FolderMeasure.h"
#include "platform/win32/Win32ScanEvent.h"
#include "platform/win32/Win32WorkerThreads.h"
#include "skin/CaptionFrame.h"
#include "skin/MyDrawButton.h"
#include "skin/ResizeLayout.h"
#include "skin/ShopLink.h"

// The main dialog, on the template IDD_MAIN_DIALOG. It is made of its controls and four parts
// that keep their own state: the painted caption frame (metrics, hover and window-state flags),
// the resize layout (factors and read-back edges), the scrolling shop link (its geometry) and the
// scan run. The run's workers get the run, never the dialog, and reach the window only through
// m_view, which the delete commands use as well; the run gets the system's services from here.
class CFlorrinDlg : public CDialog {
public:
    CFlorrinDlg();
    ~CFlorrinDlg() override;

    // True while a worker thread of some scan run may still use the run or its view.
    bool WorkersMayRun() const;

    static const MessageMap* ThisMessageMap();

protected:
    const MessageMap* GetMessageMap() const override { return ThisMessageMap(); }
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // The scan run's commands, and the clean options' select and delete commands.
    void OnStart();
    void OnSelectAll();
    void OnSelectNone();
    void OnStop();
    void OnPause();
    void OnDelete();
    void OnDeleteAll();
    void OnScanNow();
    // A worker's request, carried out on the interface thread.
    LRESULT OnRunRequest(WPARAM wParam, LPARAM lParam);
    // The scan folder's size, measured on a worker, joins the progress bar's basis.
    LRESULT OnFolderMeasured(WPARAM wParam, LPARAM lParam);

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
    // The tab switches pages; a tree selection picks the folder to scan; expanding and
    // collapsing a tree item load and unload its sub-folders.
    void OnTcnSelchangeTab(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTvnSelchangingDirTree(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTvnItemexpandedDirTree(NMHDR* pNMHDR, LRESULT* pResult);
    void OnTimer(UINT_PTR nIDEvent);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    // "最大化(&X)" of the caption menu: the caption button's maximise/restore toggle.
    void OnMenuMaximize();

    // The skinned caption frame: painted on every non-client paint and activation change.
    void OnNcPaint();
    BOOL OnNcActivate(BOOL bActive);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcMouseLeave();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnNcLButtonDblClk(UINT nHitTest, CPoint point);
    void PaintSkinFrame();
    // The layout pass on maximise, restore and minimise.
    void OnSize(UINT nType, int cx, int cy);

private:
    // The labels' background brush, and the fonts of the status line and the shop link.
    CBrush m_brBack;
    CFont m_statusFont;
    CFont m_linkFont;
    HICON m_hIcon = nullptr;
    CCheckListBox m_listOptions;
    CHSListBox m_listResults;
    CProgressCtrl m_progress;
    MyDrawButton m_btnStart;
    MyDrawButton m_btnDelete;
    MyDrawButton m_btnDeleteAll;
    MyDrawButton m_btnPause;
    MyDrawButton m_btnStop;
    MyDrawButton m_btnSelectAll;
    MyDrawButton m_btnSelectNone;
    MyDrawButton m_btnScanNow;
    CTabCtrl m_tab;
    CDirTreeCtrl m_tree;

    CaptionFrame m_captionFrame;
    ResizeLayout m_resizeLayout;
    ShopLink m_shopLink;
    // The system's services and the view before the run they serve: the run is made with them,
    // and goes first at the end.
    Win32ScanEvent m_scanEvent;
    Win32WorkerThreads m_workerThreads;
    DialogView m_view;
    ScanRun m_scanRun;
    FolderMeasure m_folderMeasure;
    // Whether a client point lies on the shop link label where it stands now.
    bool IsOnShopLink(CPoint point) const;
};
