#!/bin/bash
# root.sh: a minimal Debian 13 (trixie) system in a folder, for building and testing there.
# TRESSORA_ROOT_SUITE=bookworm makes and runs Debian 12 roots instead (named debian12-NAME).
#
#   root.sh prepare NAME                        make the root NAME if it is not there yet
#   root.sh run NAME [--bind HOST:INSIDE]... -- COMMAND...
#                                               run COMMAND (bash -c) as root inside it
#   root.sh clean NAME                          remove the root NAME
#
# Each root is a copy of one base made once with debootstrap from the Debian archive this
# machine already uses; a root is kept and reused by later runs. The roots live in
# $TRESSORA_ROOTS (default: ~/.cache/tressora). `run` mounts what programs inside need (/proc,
# /sys, /dev, /dev/pts, /dev/shm, the host's /tmp so that X displays are numbered as one with
# the host's, and any --bind folders), and takes them all down again however the command ends.
set -euo pipefail
# A step that fails inside $(...) stops the script too, not only the substitution.
shopt -s inherit_errexit

roots=${TRESSORA_ROOTS:-${XDG_CACHE_HOME:-$HOME/.cache}/tressora}
suite=${TRESSORA_ROOT_SUITE:-trixie}
case $suite in
    trixie) prefix=debian13 ;;
    bookworm) prefix=debian12 ;;
    *) echo "root.sh: TRESSORA_ROOT_SUITE is trixie or bookworm, not $suite" >&2; exit 1 ;;
esac

die() { echo "root.sh: $*" >&2; exit 1; }
[ "$(id -u)" -eq 0 ] || die "needs root (mounting and chroot): run it with sudo"

# The archive the host's apt uses, so the root comes from the same place.
host_mirror() {
    local uri
    uri=$(grep -hsE '^(URIs:|deb )' /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
              /etc/apt/sources.list.d/*.sources 2>/dev/null |
          grep -v -- '-security' | sed -E 's/^URIs:[[:space:]]*//; s/^deb (\[[^]]*\] )?//' |
          awk '{print $1; exit}') || true # no list (or an early end of the pipe): the default
    echo "${uri:-http://deb.debian.org/debian}"
}

base_root() {
    local base=$roots/$prefix-base
    [ -e "$base/.tressora-base" ] && { echo "$base"; return; }
    command -v debootstrap >/dev/null || die "debootstrap is missing (apt-get install debootstrap)"
    local mirror
    mirror=$(host_mirror)
    rm -rf "$base.partial"
    mkdir -p "$roots"
    echo "root.sh: debootstrap $suite from $mirror (once; later runs reuse it)" >&2
    debootstrap --variant=minbase "$suite" "$base.partial" "$mirror" >"$roots/$prefix-debootstrap.log" 2>&1 ||
        { tail -n 20 "$roots/$prefix-debootstrap.log" >&2; die "debootstrap failed"; }
    local security=${mirror%/debian}/debian-security
    [ "$security" != "$mirror/debian-security" ] || security=http://deb.debian.org/debian-security
    cat >"$base.partial/etc/apt/sources.list" <<SOURCES
deb $mirror $suite main
deb $mirror $suite-updates main
deb $security $suite-security main
SOURCES
    touch "$base.partial/.tressora-base"
    mv "$base.partial" "$base"
    echo "$base"
}

prepare() {
    local name=$1 root=$roots/$prefix-$1
    [ -e "$root/.tressora-root" ] && { echo "$root"; return; }
    local base
    base=$(base_root)
    rm -rf "$root.partial"
    cp -a "$base" "$root.partial"
    rm "$root.partial/.tressora-base"
    echo "$name" >"$root.partial/.tressora-root"
    mv "$root.partial" "$root"
    echo "$root"
}

# Every mount point below the root, deepest first.
mounts_under() {
    awk -v r="$1/" 'index($2 "/", r) == 1 {print $2}' /proc/self/mounts | sort -r
}

# Ends what is left running inside the root, then takes down every mount under it.
release() {
    local root=$1 pid link
    for attempt in TERM KILL; do
        for link in /proc/[0-9]*/root; do
            pid=${link#/proc/}; pid=${pid%/root}
            [ "$(readlink "$link" 2>/dev/null)" = "$root" ] && kill -s $attempt "$pid" 2>/dev/null || true
        done
        [ $attempt = TERM ] && sleep 1
    done
    local point
    for point in $(mounts_under "$root"); do
        umount "$point" 2>/dev/null || umount -l "$point" || true
    done
}

run() {
    local name=$1; shift
    local binds=()
    active_root=$(prepare "$name")
    local root=$active_root
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do
        case $1 in
            --bind) binds+=("$2"); shift 2 ;;
            *) die "unknown option $1" ;;
        esac
    done
    [ "${1:-}" = "--" ] || die "usage: root.sh run NAME [--bind HOST:INSIDE]... -- COMMAND..."
    shift
    release "$root"
    trap 'release "$active_root"' EXIT
    trap 'exit 130' INT TERM HUP
    mount -t proc proc "$root/proc"
    mount --rbind /sys "$root/sys"; mount --make-rslave "$root/sys"
    mount --bind /dev "$root/dev"
    mount --bind /dev/pts "$root/dev/pts"
    mount -t tmpfs -o mode=1777 shm "$root/dev/shm"
    mount --bind /tmp "$root/tmp"
    local bind
    for bind in "${binds[@]}"; do
        mkdir -p "$root/${bind#*:}"
        mount --bind "${bind%%:*}" "$root/${bind#*:}"
    done
    cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
    # In the background, so that a signal ends the run at once rather than once it is over:
    # the exit trap then ends what is still running inside.
    chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 \
        PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin CI="${CI:-}" \
        /bin/bash -c "$*" &
    wait $!
}

case ${1:-} in
    prepare) prepare "${2:?name}" ;;
    run) shift; run "$@" ;;
    clean)
        root=$roots/$prefix-${2:?name}
        release "$root"
        [ -z "$(mounts_under "$root")" ] || die "$root still has mounts; not removing it"
        rm -rf "$root" ;;
    *) die "usage: root.sh prepare|run|clean NAME ..." ;;
esac
