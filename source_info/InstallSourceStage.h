#pragma once

// Records where this copy of the setup was obtained under the product's key in
// the machine-wide registry. Best effort: registry and resource failures are
// not reported; only failures of its string operations are raised.
void RecordInstallSource();
