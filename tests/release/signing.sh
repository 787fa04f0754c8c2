#!/usr/bin/env bash
# A build signed with a throwaway certificate: osslsigncode accepts the package
# and the executable, and the signed executable installs the product under
# Wine. A missing certificate or a wrong password stops the build with a
# message and leaves no unsigned file under the signed name.
set -u
. "$(dirname "$0")/lib.sh"

copy_source "$work/source"
keys=$work/keys
mkdir -p "$keys"
echo "correct horse" >"$keys/password"
echo "wrong horse" >"$keys/wrong-password"
openssl req -x509 -newkey rsa:2048 -sha256 -days 7 -subj "/CN=Velstrom Test Signing" \
    -keyout "$keys/key.pem" -out "$keys/cert.pem" -passout "file:$keys/password" 2>/dev/null
signing=(-DTESSALY_SIGN_CERT="$keys/cert.pem" -DTESSALY_SIGN_KEY="$keys/key.pem")

message=$(build_exe "$work/source" "$work/signed" "${signing[@]}" -DTESSALY_SIGN_PASSWORD_FILE="$keys/password")
check "the signed build succeeds" [ -f "$work/signed/TessalySetup.exe" ] || echo "$message" | tail -c 2000
verify() { osslsigncode verify -CAfile "$keys/cert.pem" -in "$1" >/dev/null 2>&1; }
check "osslsigncode verifies the package" verify "$work/signed/res/VelstromTessaly.msi"
check "osslsigncode verifies the executable" verify "$work/signed/TessalySetup.exe"
check "the executable carries the signed package" bash -c \
    'wrestool -x -R -t MSI -n 130 "$0" | cmp -s - "$1"' "$work/signed/TessalySetup.exe" "$work/signed/res/VelstromTessaly.msi"
check "the signed executable installs the product under Wine" env TESSALY_EXE="$work/signed/TessalySetup.exe" \
    TESSALY_PACKAGE="$work/signed/res/VelstromTessaly.msi" "$TESSALY_SOURCE_DIR/tests/e2e/installs_package.sh"

message=$(build_exe "$work/source" "$work/wrong" "${signing[@]}" -DTESSALY_SIGN_PASSWORD_FILE="$keys/wrong-password")
check "a wrong password stops the build, saying so" \
    grep -q "cannot be read with the password given" <<<"$message"
check "and leaves no TessalySetup.exe" test ! -e "$work/wrong/TessalySetup.exe"

message=$(build_exe "$work/source" "$work/missing" -DTESSALY_SIGN_CERT="$keys/none.pem" \
    -DTESSALY_SIGN_KEY="$keys/key.pem")
check "a missing certificate stops the build, naming it" grep -q "TESSALY_SIGN_CERT is '$keys/none.pem', which does not exist" <<<"$message"
check "and leaves no TessalySetup.exe" test ! -e "$work/missing/TessalySetup.exe"
finish
