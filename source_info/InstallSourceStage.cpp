#include "source_info/InstallSourceStage.h"

#include "source_info/CDownloadInfo.h"
#include "source_info/CFreewareProductsContainer.h"

void RecordInstallSource() {
    const CFreewareProductsContainer products;
    const CStringA strKeyName = products.GetProductKeyName();
    if (strKeyName.GetLength() != 0) {
        CDownloadInfo downloadInfo(strKeyName);
        downloadInfo.LoadFromResource();
        downloadInfo.SaveToRegistry();
    }
}
