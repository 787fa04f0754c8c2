#include "source_info/InstallSourceStage.h"

void RecordInstallSource() {}
