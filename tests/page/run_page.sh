#!/usr/bin/env bash
# run_page.sh [--http] [--db sqlite] HOST PAGE [HOST OPTION ...]
# Shows a test page in the page host. The page and the folder data/ beside
# it are copied into a fresh files folder, with args.js holding
# `var ARGS = {tmp, files, port, dsn}`; the page includes it. The controls
# get a fresh temporary folder (TMPDIR) and configuration (XDG_CONFIG_HOME).
# With --http a loopback HTTP server serves the files folder and the host
# opens the page from it. When NAME.check.py exists beside NAME.html, it
# runs after the host with the files folder as its argument. Exits with the
# host's status (124 when it ran longer than 90 seconds).
set -u
http=0 db=""
if [[ ${1:-} == --http ]]; then http=1; shift; fi
if [[ ${1:-} == --db ]]; then db=$2; shift 2; fi
host=$1 page=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
mkdir -p "$work/tmp" "$work/config" "$work/files"
cleanup() { [[ -n ${server:-} ]] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
files="$work/files"
name=$(basename "$page")
cp "$page" "$files/$name"
cp "$here/check.js" "$files/"
[[ -d $here/data ]] && cp -r "$here/data" "$files/"

port=0 dsn=""
if [[ $http == 1 ]]; then
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()')
  python3 -m http.server --bind 127.0.0.1 --directory "$files" "$port" >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 1 100); do
    python3 -c "import socket; socket.create_connection(('127.0.0.1', $port), 0.2).close()" 2>/dev/null && break
    sleep 0.1
  done
fi
if [[ -n $db ]]; then
  # shellcheck disable=SC1090
  source "$MALTROVE_DB_ENV"
  dsn=$MALTROVE_SQLITE_DSN
fi
printf 'var ARGS = {tmp: "%s", files: "%s", port: %s, dsn: "%s"};\n' \
  "$work/tmp/" "$files/" "$port" "$dsn" >"$files/args.js"

options=()
for option in "$@"; do options+=("${option//@FILES@/$files}"); done
target="$files/$name"
[[ $http == 1 ]] && target="http://127.0.0.1:$port/$name"
TMPDIR="$work/tmp/" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen \
  timeout 90 "$host" "$target" "${options[@]}"
status=$?
check="$here/${name%.html}.check.py"
if [[ $status == 0 && -f $check ]]; then
  python3 "$check" "$files"
  status=$?
fi
exit $status
