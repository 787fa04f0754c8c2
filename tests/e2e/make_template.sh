#!/usr/bin/env bash
# Makes the template Wine prefix that every scenario copies.
set -u
. "$(dirname "$0")/lib.sh"
make_template || { echo "could not make the Wine prefix $WINE_TEMPLATE" >&2; exit 1; }
