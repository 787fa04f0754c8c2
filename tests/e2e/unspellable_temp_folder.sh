#!/usr/bin/env bash
# A temporary folder whose name has letters that the ANSI code page (1252)
# lacks: GetTempPathA spells it with look-alikes, which name no folder. The
# package still lands in that folder, through its short name, and installs.
set -u
. "$(dirname "$0")/lib.sh"

check_installs_from_temp_folder 'C:\Użytkownik Łukasz Źródło\Temp'
finish
