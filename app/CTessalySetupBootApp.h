#pragma once
#include "framework/CWinAppEx.h"

// The bootstrapper: records where this setup came from, then extracts the
// carried installer package and hands it to the shell. It shows nothing.
class CTessalySetupBootApp : public CWinAppEx {
public:
    // Exit code when a failure was raised while the package was extracted and
    // launched (memory ran out while its path was built).
    static constexpr int kExitFailureRaised = 3;

    CTessalySetupBootApp();
    ~CTessalySetupBootApp() override;

    // Runs the bootstrap sequence once and returns FALSE, so that the run ends
    // without a message loop; the outcome becomes the exit code.
    BOOL InitInstance() override;
};

extern CTessalySetupBootApp theApp;
