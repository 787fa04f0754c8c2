#!/usr/bin/env bash
# A run records the install-source text, as line-wrapped Base64 of its UTF-16LE
# bytes, as "SourceInfo" in both registry views, before it creates the package.
set -u
. "$(dirname "$0")/lib.sh"
: "${TESSALY_INSTALL_SOURCE:?TESSALY_INSTALL_SOURCE names the carried install-source text}"
: "${TESSALY_PYTHON:?}"

new_prefix
run_setup_traced
wineserver -w

key='HKLM\Software\Velstrom\Freeware - Tessaly'
expected=$("$TESSALY_PYTHON" -c '
import base64, sys
text = base64.b64encode(open(sys.argv[1], "rb").read()).decode()
print("\r\n".join(text[i:i + 76] for i in range(0, len(text), 76)), end="")' "$TESSALY_INSTALL_SOURCE")

# The value as Windows reads it back, through the registry API of a program in
# the prefix (wine's own reg.exe cannot show line breaks inside a value).
read_value() {
    wine reg export "$key" "$WINEPREFIX/value-$1.reg" "/reg:$1" /y >/dev/null 2>&1 || return 1
    "$TESSALY_PYTHON" - "$WINEPREFIX/value-$1.reg" <<'PY'
import re, sys
text = open(sys.argv[1], "rb").read().decode("utf-16")
match = re.search(r'"SourceInfo"=hex\(1\):([0-9a-f,\\\s]*)', text)
if match is None:
    match = re.search(r'"SourceInfo"="((?:[^"\\]|\\.)*)"', text)
    sys.stdout.write(match.group(1).encode().decode("unicode_escape") if match else "")
else:
    hexes = re.sub(r"[^0-9a-f,]", "", match.group(1)).strip(",").split(",")
    data = bytes(int(h, 16) for h in hexes).decode("utf-16-le")
    sys.stdout.write(data.rstrip("\0"))
PY
}

for view in 32 64; do
    value=$(read_value $view)
    check "the $view-bit view holds the Base64 of the install-source text (${#value} characters)" \
        [ "$value" = "$expected" ]
done
check "the value has 352 characters in lines of 76, 76, 76, 76 and 40" [ "${#expected}" -eq 352 ]
check "exit code is 0 (was $exit_code)" [ "$exit_code" -eq 0 ]

# In the executable's own calls: both writes come before the package file is created.
order=$(grep -E '^(advapi32\.RegSetValueExA|KERNEL32\.CreateFileA)\(' <<<"$own_calls" | cut -d'(' -f1 | tr '\n' ' ')
check "SourceInfo is written twice before the package file is created ($order)" \
    [ "$order" = "advapi32.RegSetValueExA advapi32.RegSetValueExA KERNEL32.CreateFileA " ]
finish
