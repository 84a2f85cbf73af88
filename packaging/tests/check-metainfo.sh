#!/bin/bash
# check-metainfo.sh METAINFO_FILE [TODAY]
# Passes when appstreamcli, offline and pedantic, has no remark on the metadata but the two
# that the reserved ".example" domain of the component ID makes unavoidable, and when no
# release is dated after TODAY (YYYY-MM-DD, default: the current date).
set -u
file=${1:?usage: check-metainfo.sh METAINFO_FILE [TODAY]}
today=${2:-$(date -u +%F)}
command -v appstreamcli >/dev/null || { echo "appstreamcli is missing (appstream)"; exit 1; }
[ -f "$file" ] || { echo "no such file: $file"; exit 1; }

# The validator knows no ".example" top-level domain and wants the ID in lower case; the
# capitalised last part is the usual form of an application ID. The developer is named in both
# forms, AppStream 1.0's <developer> (Debian 13) and the older <developer_name> (Debian 12):
# each release's validator remarks on the form it does not use, and only on that one.
accepted='cid-maybe-not-rdns|cid-contains-uppercase-letter'
case $(appstreamcli --version | sed -n 's/^AppStream version: //p') in
    0.*) accepted+='|unknown-tag developer' ;;
    *) accepted+='|developer-name-tag-deprecated' ;;
esac

output=$(appstreamcli validate --no-net --pedantic --no-color "$file" 2>&1)
status=$?
printf '%s\n' "$output"
failed=0
if [ $status -ne 0 ] || grep -qE '^[EW]: ' <<<"$output"; then
    echo "FAIL: appstreamcli rejects $file"
    failed=1
fi
remarks=$(grep -E '^[IP]: ' <<<"$output" | grep -vE "^[IP]: [^ ]+ ($accepted)( |$)")
if [ -n "$remarks" ]; then
    printf 'FAIL: remarks beyond the accepted ones:\n%s\n' "$remarks"
    failed=1
fi

dates=$(grep -oE '<release [^>]*date="[0-9-]+"' "$file" | grep -oE '[0-9]{4}-[0-9]{2}-[0-9]{2}')
if [ -z "$dates" ]; then
    echo "FAIL: no dated release entry"
    failed=1
fi
for d in $dates; do
    if [[ "$d" > "$today" ]]; then
        echo "FAIL: release dated $d, after $today"
        failed=1
    fi
done
[ $failed -eq 0 ] && echo "PASS: $file is valid AppStream metadata"
exit $failed
