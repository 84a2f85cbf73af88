#!/bin/bash
# sign.sh FILE: signs a Windows program or installer in place with Authenticode (osslsigncode),
# with the certificate (chain) and private key in the PEM files TRESSORA_SIGN_CERT and
# TRESSORA_SIGN_KEY; the key's password, if it has one, in the file TRESSORA_SIGN_PASSWORD_FILE;
# a time-stamping server's address, if one is reachable, in TRESSORA_SIGN_TIMESTAMP. Called by
# tools/windows/build-program.sh for Tressora.exe and by makensis for the uninstaller and the
# installer.
set -euo pipefail
file=${1:?usage: sign.sh FILE}
arguments=(sign -certs "${TRESSORA_SIGN_CERT:?}" -key "${TRESSORA_SIGN_KEY:?}" -h sha256
           -n "Tressora" -in "$file" -out "$file.signed")
[ -z "${TRESSORA_SIGN_PASSWORD_FILE:-}" ] || arguments+=(-readpass "$TRESSORA_SIGN_PASSWORD_FILE")
[ -z "${TRESSORA_SIGN_TIMESTAMP:-}" ] || arguments+=(-t "$TRESSORA_SIGN_TIMESTAMP")
rm -f "$file.signed"
osslsigncode "${arguments[@]}" >"$file.sign.log" 2>&1 || { cat "$file.sign.log" >&2; exit 1; }
mv "$file.signed" "$file"
rm -f "$file.sign.log"
