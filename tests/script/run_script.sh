#!/usr/bin/env bash
# run_script.sh [--http] HOST SCRIPT
# Runs a test script with a fresh temporary folder (TMPDIR), a fresh
# per-user configuration (XDG_CONFIG_HOME) and a folder for the files it
# writes; these are its arguments, in that order. With --http a loopback
# HTTP server serves the files folder and its port follows.
set -u
http=0
if [[ ${1:-} == --http ]]; then http=1; shift; fi
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
TMPDIR="$work/tmp/" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen "$host" "$script" "${args[@]}"
