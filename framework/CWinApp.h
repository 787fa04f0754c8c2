#pragma once
#include "platform/WinApi.h"

// The application base. Constructing the one global object of a derived class
// makes it the current application, which AfxWinMain then runs.
class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    // The value AfxWinMain returns, that is the process's exit code.
    virtual int ExitInstance();

protected:
    // What ExitInstance reports; 0 unless the application sets another result.
    int m_nExitCode = 0;
};

CWinApp* AfxGetApp();

// The module whose resources the application reads: the executable itself.
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hResource);

// The framework's entry function: keeps hInstance as resource module, calls
// InitApplication and then InitInstance once. This framework has no message
// loop, so the run ends there: ExitInstance's result is returned.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);
