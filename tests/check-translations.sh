#!/bin/sh
# Every text of the program has a finished translation in every language: the .ts files of i18n/
# are refreshed from the sources with lupdate, on copies, and no entry may be left unfinished.
# Usage: check-translations.sh LUPDATE SOURCE_DIR WORK_DIR [EXTRA_SOURCE]
set -eu
lupdate=$1 source=$2 work=$3 extra=${4:-}
rm -rf "$work" && mkdir -p "$work"
cp "$source"/i18n/tressora_*.ts "$work"/
cd "$source"
"$lupdate" -no-obsolete -silent -locations none -I . quiz outreach about app widgets settings \
    $extra -ts "$work"/tressora_*.ts >/dev/null
status=0
for ts in "$work"/tressora_*.ts; do
    count=$(grep -c 'type="unfinished"' "$ts" || true)
    if [ "$count" -ne 0 ]; then
        echo "$(basename "$ts"): $count unfinished:"
        grep -B2 'type="unfinished"' "$ts" | sed -n 's|.*<source>\(.*\)</source>.*|    \1|p'
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "every text translated in $(ls "$work" | tr '\n' ' ')"
exit $status
