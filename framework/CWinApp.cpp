#include "framework/CWinApp.h"

namespace {
CWinApp* g_pApp = nullptr;
HINSTANCE g_hResource = nullptr;
}  // namespace

CWinApp::CWinApp() { g_pApp = this; }

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

BOOL CWinApp::InitApplication() { return TRUE; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return m_nExitCode; }

CWinApp* AfxGetApp() { return g_pApp; }

HINSTANCE AfxGetResourceHandle() { return g_hResource; }

void AfxSetResourceHandle(HINSTANCE hResource) { g_hResource = hResource; }

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    AfxSetResourceHandle(hInstance);
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || !pApp->InitApplication()) return -1;
    pApp->InitInstance();
    return pApp->ExitInstance();
}
