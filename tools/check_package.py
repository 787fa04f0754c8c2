#!/usr/bin/python3
"""Checks that a file is a Windows Installer package and copies it.

A package is an OLE compound file whose root storage has the class identifier
{000C1084-0000-0000-C000-000000000046}. Anything else stops with a message
that says what is wrong, and nothing is written.

Usage: check_package.py PACKAGE [COPY]
"""
import os
import shutil
import struct
import sys

SIGNATURE = bytes.fromhex("D0CF11E0A1B11AE1")
INSTALLER_CLSID = bytes.fromhex("84100C0000000000C000000000000046")  # {000C1084-0000-0000-C000-000000000046}


def problem_with(path):
    """Why the file is not an installer package, or None."""
    if not os.path.exists(path):
        return "there is no such file"
    if not os.path.isfile(path):
        return "it is not a file"
    with open(path, "rb") as f:
        data = f.read()
    if not data:
        return "it is empty"
    if len(data) < 512 or data[:8] != SIGNATURE:
        return "it is not an OLE compound file (no compound-file signature)"
    sector_shift, = struct.unpack_from("<H", data, 30)
    first_directory_sector, = struct.unpack_from("<I", data, 48)
    if sector_shift not in (9, 12):
        return f"its compound-file header is damaged (sector shift {sector_shift})"
    sector_size = 1 << sector_shift
    root = (first_directory_sector + 1) * sector_size
    if root + 128 > len(data):
        return "it is truncated: the root storage lies past its end"
    if data[root + 0x50:root + 0x60] != INSTALLER_CLSID:
        return "its root storage does not have the installer package class, so it is not a .msi package"
    return None


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit("usage: check_package.py PACKAGE [COPY]")
    path = sys.argv[1]
    problem = problem_with(path)
    if problem:
        sys.exit(f"error: the package {path!r} cannot be carried: {problem}")
    if len(sys.argv) == 3:
        partial = sys.argv[2] + ".part"
        shutil.copyfile(path, partial)
        os.replace(partial, sys.argv[2])


if __name__ == "__main__":
    main()
