#!/usr/bin/env bash
# pg_server.sh FILE stop|start   (FILE: $MALTROVE_PG_SERVER of the fixture)
# Stops the PostgreSQL server of the database fixture at once (as a
# crash or a pulled cable would: immediate shutdown, connections cut), or
# starts it again with the same data, port and socket folder.
set -euo pipefail
export LC_ALL=C
[[ $# -eq 2 && ( $2 == stop || $2 == start ) ]] || { echo "usage: pg_server.sh FILE stop|start" >&2; exit 2; }
# shellcheck disable=SC1091
source "$1"
if [[ $pguser == "$(id -un)" ]]; then
  as_pg() { timeout --foreground -k 5 "$1" "${@:2}"; }
else
  as_pg() { (cd / && timeout --foreground -k 5 "$1" runuser -u "$pguser" -- "${@:2}"); }
fi
if [[ $2 == stop ]]; then
  # The fixture runs without synchronous commits, so work committed just
  # before a crash may be lost; a checkpoint first keeps what the tests set up.
  as_pg 30 "$bin/psql" -X -q -h "$sock" -p "$port" -U postgres -d postgres -c CHECKPOINT >/dev/null
  as_pg 60 "$bin/pg_ctl" -D "$pgdata/" -m immediate -w -t 30 stop >/dev/null
else
  as_pg 60 "$bin/pg_ctl" -D "$pgdata/" -l "$pgdata/server.log" -w -t 30 \
    -o "-k '$sock' -p $port -h 127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
    start >/dev/null
fi
