#!/bin/bash
# test-release.sh: what a new user of Debian 13 does, in a Debian 13 root on this machine.
# In a fresh clone of this repository's HEAD inside the root (tools/debian13/root.sh, root
# "test"): the README's first command, then `make test`, then `make run` under Xvfb until the
# program's window is on screen, then `make package`, the package installed with apt and its
# program started from its menu entry under Xvfb.
# TRESSORA_DEBIAN13_STEPS="test run package" chooses the steps (all three by default);
# TRESSORA_ROOT_SUITE=bookworm does the same in a fresh Debian 12 root.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
repo=$(git -C "$here" rev-parse --show-toplevel)
steps=${TRESSORA_DEBIAN13_STEPS:-test run package}

handover=$(mktemp -d)
trap 'rm -rf "$handover"' EXIT
git -C "$repo" bundle create "$handover/tressora.bundle" HEAD 2>/dev/null
echo "== ${TRESSORA_ROOT_SUITE:-trixie} root: a fresh clone of $(git -C "$repo" rev-parse --short HEAD)"

script='set -euo pipefail
cd /root
start=$(date +%s)
# The README: what a fresh system needs before the two commands.
apt-get update -q >/dev/null
DEBIAN_FRONTEND=noninteractive apt-get install -y -q make git >/dev/null
rm -rf tressora
git clone -q /mnt/handover/tressora.bundle tressora
cd tressora
echo "== $(sed -n "s/^PRETTY_NAME=//p" /etc/os-release), Qt $(dpkg-query -W -f="\${Version}" qt6-base-dev 2>/dev/null || echo "not yet installed")"
for step in '"$steps"'; do
    case $step in
    test)
        make test
        echo "== make test in the root: $(( $(date +%s) - start )) s from the first command" ;;
    run)
        tools/check-make-run.sh ;;
    package)
        make package
        DEBIAN_FRONTEND=noninteractive apt-get install -y -q ./build/tressora_*.deb
        packaging/tests/check-install.sh --installed /usr
        DEBIAN_FRONTEND=noninteractive apt-get remove -y -q tressora >/dev/null ;;
    esac
done'
"$here/root.sh" run test --bind "$handover:/mnt/handover" -- "$script"
