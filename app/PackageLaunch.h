#pragma once

// How the extraction and launch of the carried package ended; the values are
// the process's exit codes.
enum PackageLaunchResult {
    kPackageLaunched = 0,
    kPackageNotWritten = 1,
    kShellRefusedPackage = 2,
};

// How writing the package file ended.
enum PackageWriteResult {
    kPackageWritten,
    kPackageFileNotCreated,    // nothing could be created under that path
    kPackageNotWrittenInFull,  // no package to write, or the write or close failed
};

// Writes the package to the temporary folder and asks the shell to open it.
// Only failures of its string operations are raised.
PackageLaunchResult ExtractAndLaunchPackage();

// Replaces the file at pszPath with the package resource. Unless every byte was
// written and the file closed, whatever this call left partly written is
// deleted again.
PackageWriteResult ExtractPackage(const char* pszPath);
