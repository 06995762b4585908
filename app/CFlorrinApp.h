#pragma once

#include "framework/CWinApp.h"

// The application: runs the main dialog modally and ends when it ends.
class CFlorrinApp : public CWinApp {
public:
    CFlorrinApp();
    BOOL InitInstance() override;
};

extern CFlorrinApp theApp;
