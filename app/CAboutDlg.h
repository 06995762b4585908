#pragma once

#include "framework/CDialog.h"

// The About box: the template IDD_ABOUTBOX, closed by its OK button or Esc.
class CAboutDlg : public CDialog {
public:
    CAboutDlg();
};
