#!/usr/bin/env bash
# run_script.sh [--http | --db sqlite|pg] HOST SCRIPT
# Runs a test script with a fresh temporary folder (TMPDIR), a fresh
# per-user configuration (XDG_CONFIG_HOME) and a folder for the files it
# writes; these are its arguments, in that order. With --http a loopback
# HTTP server serves the files folder and its port follows. With --db the
# data-source name, user, password and kind of the test databases follow
# (read from the file $MALTROVE_DB_ENV that the database fixture writes).
set -u
http=0 db=""
if [[ ${1:-} == --http ]]; then http=1; shift; fi
if [[ ${1:-} == --db ]]; then db=$2; shift 2; fi
host=$1 script=$2
work=$(mktemp -d)
mkdir -p "$work/tmp" "$work/config" "$work/files"
cleanup() { [[ -n ${server:-} ]] && kill "$server" 2>/dev/null && wait "$server" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
args=("$work/tmp/" "$work/files/")
if [[ $http == 1 ]]; then
  port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()')
  python3 -m http.server --bind 127.0.0.1 --directory "$work/files" "$port" >/dev/null 2>&1 &
  server=$!
  for _ in $(seq 1 100); do
    python3 -c "import socket; socket.create_connection(('127.0.0.1', $port), 0.2).close()" 2>/dev/null && break
    sleep 0.1
  done
  args+=("$port")
fi
if [[ -n $db ]]; then
  # shellcheck disable=SC1090
  source "$MALTROVE_DB_ENV"
  if [[ $db == pg ]]; then
    args+=("$MALTROVE_PG_DSN" "$MALTROVE_PG_UID" "$MALTROVE_PG_PWD" pg)
  else
    args+=("$MALTROVE_SQLITE_DSN" "" "" sqlite)
  fi
fi
TMPDIR="$work/tmp/" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen "$host" "$script" "${args[@]}"
