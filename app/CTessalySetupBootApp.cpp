#include "app/CTessalySetupBootApp.h"

#include "app/PackageLaunch.h"
#include "framework/CException.h"
#include "source_info/InstallSourceStage.h"

CTessalySetupBootApp theApp;

CTessalySetupBootApp::CTessalySetupBootApp() : CWinAppEx(TRUE) {}

CTessalySetupBootApp::~CTessalySetupBootApp() = default;

BOOL CTessalySetupBootApp::InitInstance() {
    // Recording the install source is best effort: nothing it raises may keep
    // the package from being installed.
    try {
        RecordInstallSource();
    } catch (...) {
    }

    try {
        m_nExitCode = ExtractAndLaunchPackage();
    } catch (const CException&) {
        m_nExitCode = kExitFailureRaised;
    }
    return FALSE;
}
