#!/usr/bin/env bash
# A temporary folder whose path holds spaces and non-ASCII characters of the
# system code page works as usual.
set -u
. "$(dirname "$0")/lib.sh"

check_installs_from_temp_folder 'C:\Temp Ordner für Übersetzungen é'
finish
