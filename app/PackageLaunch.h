#pragma once

// How the extraction and launch of the carried package ended; the values are
// the process's exit codes.
enum PackageLaunchResult {
    kPackageLaunched = 0,
    kPackageNotWritten = 1,
    kShellRefusedPackage = 2,
};

// Writes the package to the temporary folder and asks the shell to open it.
// Only failures of its string operations are raised.
PackageLaunchResult ExtractAndLaunchPackage();

// Replaces the file at pszPath with the package resource. True when every byte
// was written and the file closed; otherwise whatever this call left partly
// written is deleted again.
bool ExtractPackage(const char* pszPath);
