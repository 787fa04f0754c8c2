#!/usr/bin/env bash
# Makes the template Wine prefix that every scenario copies, once Wine is known
# to start 32-bit programs here.
set -u
"$(dirname "$0")/../../tools/wine32.sh" check || exit 1
. "$(dirname "$0")/lib.sh"
make_template || exit 1
