#!/usr/bin/env bash
# demo_shot.sh HOST ROOT: examples/orders.html on a fresh demo database
# (its own SQLite data source in a temporary ODBCINI), with --screenshot;
# demo_shot.check.py looks at the picture.
set -u
host=$1 root=$2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tmp" "$work/config"
python3 "$root/examples/demo_database.py" "$work/demo.db" || exit 1
lib=""
for d in /usr/lib/*/odbc /usr/lib/odbc; do
  [[ -f $d/libsqlite3odbc.so ]] && lib=$d/libsqlite3odbc.so && break
done
[[ -n $lib ]] || { echo "libsqlite3odbc.so not found" >&2; exit 1; }
printf '[MaltrovePageDemo]\nDriver=%s\nDatabase=%s\nTimeout=2000\n' "$lib" "$work/demo.db" >"$work/odbc.ini"
ODBCINI="$work/odbc.ini" ODBCSYSINI="$work" TMPDIR="$work/tmp/" XDG_CONFIG_HOME="$work/config" \
  QT_QPA_PLATFORM=offscreen timeout 90 "$host" "file://$root/examples/orders.html?dsn=MaltrovePageDemo" \
  --screenshot "$work/shot.png" --size 780x560 || exit $?
python3 "$here/demo_shot.check.py" "$work/shot.png" || exit 1
# MALTROVE_KEEP_SHOT=FILE keeps the picture (the README's docs/page.png).
[[ -z ${MALTROVE_KEEP_SHOT:-} ]] || cp "$work/shot.png" "$MALTROVE_KEEP_SHOT"
