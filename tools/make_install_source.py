#!/usr/bin/python3
"""Writes the install-source text that TessalySetup.exe carries.

The text is one line of XML, UTF-16LE without byte-order mark or NUL:
<K7><CampaignID></CampaignID><Referrer>REFERRER</Referrer><InputSite>/</InputSite></K7>
where REFERRER is the referring page's host name and path, without a scheme,
every "/" written "%2f".

Usage: make_install_source.py REFERRER OUTPUT
A referrer that cannot be written so stops with a message and writes nothing.
"""
import os
import re
import sys


def problem_with(referrer):
    """Why the referrer cannot be carried, or None."""
    if referrer == "":
        return "it is empty; give the referring page's host name and path, e.g. www.example.test/downloads"
    if re.match(r"^[A-Za-z][A-Za-z0-9+.-]*:", referrer):
        return "it starts with a scheme; give the host name and path only, e.g. www.example.test/downloads"
    if not referrer.isascii():
        return "it holds non-ASCII characters"
    if any(c.isspace() for c in referrer):
        return "it holds white space"
    bad = sorted(set(re.sub(r"[A-Za-z0-9./-]", "", referrer)))
    if bad:
        return "it holds " + ", ".join(repr(c) for c in bad) + "; only letters, digits, '.', '-' and '/' may appear"
    if referrer.startswith("/"):
        return "it has no host name before its path"
    return None


def install_source_text(referrer):
    encoded = referrer.replace("/", "%2f")
    return "<K7><CampaignID></CampaignID><Referrer>" + encoded + "</Referrer><InputSite>/</InputSite></K7>"


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_install_source.py REFERRER OUTPUT")
    referrer, output = sys.argv[1], sys.argv[2]
    problem = problem_with(referrer)
    if problem:
        sys.exit(f"error: the referrer {referrer!r} cannot be carried: {problem}")

    partial = output + ".part"
    with open(partial, "wb") as f:
        f.write(install_source_text(referrer).encode("utf-16-le"))
    os.replace(partial, output)


if __name__ == "__main__":
    main()
