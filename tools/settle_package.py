#!/usr/bin/python3
"""Makes a package that wixl built the same on every build of the same source.

wixl gives every build a random package code and stamps the creation and
last-save times with the current time. This rewrites those three summary
properties in place (their sizes do not change): the package code is derived
from the product code and version, the times are the source date.

Usage: settle_package.py PACKAGE SOURCE_DATE_EPOCH
"""
import struct
import subprocess
import sys
import uuid

import olefile

SUMMARY_STREAM = "\x05SummaryInformation"
PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM = 9, 12, 13
VT_LPSTR, VT_FILETIME = 30, 64
PACKAGE_CODE_NAMESPACE = uuid.UUID("5b0f3c1e-7d2a-4e8b-9c61-0a4d2e7f3b95")
FILETIME_UNIX_EPOCH = 116444736000000000  # 1970-01-01 in 100-ns steps since 1601


def product_identity(package):
    """(ProductCode, ProductVersion) from the package's Property table."""
    table = subprocess.run(["msiinfo", "export", package, "Property"], check=True, capture_output=True,
                           text=True).stdout
    properties = dict(line.split("\t", 1) for line in table.splitlines()[3:] if "\t" in line)
    return properties["ProductCode"], properties["ProductVersion"]


def settle(summary, package_code, filetime):
    """The summary stream with the three properties replaced."""
    data = bytearray(summary)
    section, = struct.unpack_from("<I", data, 44)
    count, = struct.unpack_from("<I", data, section + 4)
    seen = set()
    for index in range(count):
        pid, offset = struct.unpack_from("<II", data, section + 8 + 8 * index)
        at = section + offset
        kind, = struct.unpack_from("<H", data, at)
        if pid == PID_REVNUMBER and kind == VT_LPSTR:
            size, = struct.unpack_from("<I", data, at + 4)
            text = package_code.encode("ascii") + b"\0"
            if size != len(text):
                sys.exit(f"error: the package code takes {size} bytes in the package, not {len(text)}")
            data[at + 8:at + 8 + size] = text
            seen.add(pid)
        elif pid in (PID_CREATE_DTM, PID_LASTSAVE_DTM) and kind == VT_FILETIME:
            struct.pack_into("<Q", data, at + 4, filetime)
            seen.add(pid)
    missing = {PID_REVNUMBER, PID_CREATE_DTM, PID_LASTSAVE_DTM} - seen
    if missing:
        sys.exit(f"error: the package's summary lacks the properties {sorted(missing)}")
    return bytes(data)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: settle_package.py PACKAGE SOURCE_DATE_EPOCH")
    package, epoch = sys.argv[1], int(sys.argv[2])
    product_code, version = product_identity(package)
    package_code = "{" + str(uuid.uuid5(PACKAGE_CODE_NAMESPACE, f"{product_code.upper()} {version}")).upper() + "}"
    filetime = FILETIME_UNIX_EPOCH + epoch * 10_000_000

    ole = olefile.OleFileIO(package, write_mode=True)
    try:
        ole.write_stream(SUMMARY_STREAM, settle(ole.openstream(SUMMARY_STREAM).read(), package_code, filetime))
    finally:
        ole.close()


if __name__ == "__main__":
    main()
