#!/usr/bin/python3
"""Reads the resources back from the built TessalySetup.exe and checks all of
them: the table itself, the install-source text, the package, the version
block, the manifest and the icon images."""
import os
import struct
import sys

import pefile

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
POLISH, ENGLISH = 1045, 1033

EXPECTED_TABLE = sorted(
    [("K7R", 10, ENGLISH), ("MSI", 130, POLISH), (RT_GROUP_ICON, 128, POLISH), (RT_VERSION, 1, ENGLISH),
     (RT_MANIFEST, 1, ENGLISH)] + [(RT_ICON, n, POLISH) for n in range(1, 16)], key=str)

MANIFEST = (b'<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">\r\n'
            b'  <trustInfo xmlns="urn:schemas-microsoft-com:asm.v3">\r\n'
            b'    <security>\r\n'
            b'      <requestedPrivileges>\r\n'
            b'        <requestedExecutionLevel level="asInvoker" uiAccess="false"/>\r\n'
            b'      </requestedPrivileges>\r\n'
            b'    </security>\r\n'
            b'  </trustInfo>\r\n'
            b'</assembly>\r\n')

# (edge in pixels, bit count, stored as PNG) for icon images 1 to 15.
ICON_IMAGES = ([(edge, 8, False) for edge in (128, 96, 64, 48, 32, 24, 16)] + [(256, 32, True)] +
               [(edge, 32, False) for edge in (128, 96, 64, 48, 32, 24, 16)])

VERSION_STRINGS = [
    ("CompanyName", None), ("FileDescription", None), ("FileVersion", "1,0,0,21"),
    ("InternalName", "TessalySetup.exe"), ("LegalCopyright", None), ("OriginalFilename", "TessalySetup.exe"),
    ("ProductName", "Velstrom Tessaly"), ("ProductVersion", "1,0,0,21"),
]

results = []


def check(what, condition, detail=""):
    results.append(condition)
    print(("  ok: " if condition else "  FAILED: ") + what + ("" if condition else f" ({detail})"))


def resource_table(pe):
    """{(type, id, language): bytes}, with string types as str."""
    table = {}
    for type_entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        type_key = str(type_entry.name) if type_entry.name is not None else type_entry.id
        for name_entry in type_entry.directory.entries:
            for lang_entry in name_entry.directory.entries:
                data = lang_entry.data.struct
                raw = pe.get_data(data.OffsetToData, data.Size)
                table[(type_key, name_entry.id, lang_entry.id)] = raw
    return table


def expected_install_source(referrer):
    text = ("<K7><CampaignID></CampaignID><Referrer>" + referrer.replace("/", "%2f") +
            "</Referrer><InputSite>/</InputSite></K7>")
    return text.encode("utf-16-le")


def check_version(pe):
    fixed = pe.VS_FIXEDFILEINFO[0]
    check("fixed version part is 1.0.0.21, flags 0/0x3F, OS 4, type 1",
          (fixed.FileVersionMS, fixed.FileVersionLS, fixed.ProductVersionMS, fixed.ProductVersionLS,
           fixed.FileFlagsMask, fixed.FileFlags, fixed.FileOS, fixed.FileType, fixed.FileSubtype,
           fixed.FileDateMS, fixed.FileDateLS) == (0x10000, 21, 0x10000, 21, 0x3F, 0, 4, 1, 0, 0, 0))
    string_tables = [table for info in pe.FileInfo[0] if info.Key == b"StringFileInfo" for table in info.StringTable]
    check("one string table, 040904e4", [t.LangID for t in string_tables] == [b"040904e4"],
          [t.LangID for t in string_tables])
    entries = [(k.decode(), v.decode()) for k, v in string_tables[0].entries.items()] if string_tables else []
    check("the eight version strings, in order",
          [k for k, _ in entries] == [k for k, _ in VERSION_STRINGS], [k for k, _ in entries])
    for (key, value), (expected_key, expected_value) in zip(entries, VERSION_STRINGS):
        if expected_value is not None:
            check(f"{key} is {expected_value!r}", value == expected_value, value)
        else:
            check(f"{key} is set", value.strip() != "", value)
    translations = [var.entry for info in pe.FileInfo[0] if info.Key == b"VarFileInfo" for var in info.Var]
    check("translation 0x0409/1252", translations == [{b"Translation": "0x0409 0x04e4"}], translations)


def check_icons(table):
    group = table.get((RT_GROUP_ICON, 128, POLISH), b"")
    reserved, kind, count = struct.unpack_from("<HHH", group, 0) if len(group) >= 6 else (0, 0, 0)
    check("icon group 128 lists 15 images", (reserved, kind, count) == (0, 1, 15), (reserved, kind, count))
    for position in range(min(count, 15)):
        width, height, colours, _, planes, bit_count, size, image_id = struct.unpack_from(
            "<BBBBHHIH", group, 6 + 14 * position)
        edge, depth, as_png = ICON_IMAGES[position]
        listed = (width or 256, height or 256, planes, bit_count, image_id)
        check(f"group entry {position + 1}: {edge}x{edge}, {depth} bits, image {position + 1}",
              listed == (edge, edge, 1, depth, position + 1) and colours == 0, listed)
        image = table.get((RT_ICON, image_id, POLISH), b"")
        check(f"image {image_id} is as large as the group says", len(image) == size, (len(image), size))
        if as_png:
            width, height = struct.unpack_from(">II", image, 16)
            check(f"image {image_id} is a {edge}x{edge} PNG",
                  image[:8] == b"\x89PNG\r\n\x1a\n" and (width, height) == (edge, edge), (width, height))
        else:
            header = struct.unpack_from("<IiiHH", image, 0)
            check(f"image {image_id} is a {edge}x{edge} {depth}-bit bitmap with its mask",
                  header == (40, edge, 2 * edge, 1, depth), header)


def main():
    exe = os.environ["TESSALY_EXE"]
    pe = pefile.PE(exe)
    table = resource_table(pe)
    listed = sorted(table, key=str)
    check("the resource table is exactly the product's, one language each", listed == EXPECTED_TABLE, listed)

    source = table.get(("K7R", 10, ENGLISH), b"")
    check("install-source text is the referrer's, in UTF-16LE",
          source == expected_install_source(os.environ["TESSALY_REFERRER"]), source[:40])
    check("install-source text starts with '<' and ends with '>', no NUL code unit",
          source[:2] == b"<\0" and source[-2:] == b">\0" and len(source) % 2 == 0 and
          b"\0\0" not in [source[i:i + 2] for i in range(0, len(source), 2)])
    with open(os.environ["TESSALY_PACKAGE"], "rb") as f:
        check("the package resource is the package, byte for byte", table.get(("MSI", 130, POLISH)) == f.read())
    check("the manifest is the asInvoker document", table.get((RT_MANIFEST, 1, ENGLISH)) == MANIFEST)
    check_version(pe)
    check_icons(table)

    failed = results.count(False)
    print(f"resources: {len(results) - failed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
