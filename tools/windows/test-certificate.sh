#!/bin/bash
# test-certificate.sh FOLDER: a self-signed code-signing certificate and its key, cert.pem and
# key.pem in FOLDER, for the tests to sign with and to check the signatures against. Made anew
# each time; it signs nothing that leaves the test.
set -euo pipefail
folder=${1:?usage: test-certificate.sh FOLDER}
mkdir -p "$folder"
openssl req -x509 -newkey rsa:2048 -nodes -days 7 -keyout "$folder/key.pem" -out "$folder/cert.pem" \
    -subj "/CN=Tressora test signing/O=Orvane Softwares" \
    -addext "extendedKeyUsage=codeSigning" -addext "keyUsage=digitalSignature" 2>/dev/null
chmod 600 "$folder/key.pem"
