#!/usr/bin/env bash
# Signs a package or an executable with osslsigncode (SHA-256 Authenticode).
#
# Usage: sign.sh CERTIFICATE KEY PASSWORD_FILE INPUT OUTPUT
#   CERTIFICATE    the signing certificate, PEM (a chain may follow it)
#   KEY            its private key, PEM
#   PASSWORD_FILE  a file whose first line is the key's password; "" for a key
#                  without one
# The certificate, key and password are checked first; on any failure the
# message says what is wrong and OUTPUT does not exist afterwards.
set -uo pipefail

if [ $# -ne 5 ]; then
    echo "usage: sign.sh CERTIFICATE KEY PASSWORD_FILE INPUT OUTPUT" >&2
    exit 2
fi
cert=$1 key=$2 password_file=$3 input=$4 output=$5
rm -f "$output" "$output.part"

fail() {
    rm -f "$output.part"
    echo "error: cannot sign $(basename "$output"): $*" >&2
    exit 1
}

[ -f "$cert" ] || fail "the certificate '$cert' does not exist"
[ -f "$key" ] || fail "the key '$key' does not exist"
openssl x509 -in "$cert" -noout 2>/dev/null || fail "'$cert' is not a PEM certificate"
pass=(-passin pass:)
sign_pass=()
if [ -n "$password_file" ]; then
    [ -f "$password_file" ] || fail "the password file '$password_file' does not exist"
    pass=(-passin "file:$password_file")
    sign_pass=(-readpass "$password_file")
fi
key_public=$(openssl pkey -in "$key" "${pass[@]}" -pubout 2>/dev/null) ||
    fail "the key '$key' cannot be read with the password given (wrong password, or not a PEM key)"
[ "$key_public" = "$(openssl x509 -in "$cert" -noout -pubkey)" ] ||
    fail "the certificate '$cert' does not belong to the key '$key'"

message=$(osslsigncode sign -certs "$cert" -key "$key" "${sign_pass[@]}" -h sha256 -n "Velstrom Tessaly" \
    -in "$input" -out "$output.part" 2>&1) || fail "osslsigncode: $message"
mv "$output.part" "$output"
