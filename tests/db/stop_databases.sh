#!/usr/bin/env bash
# stop_databases.sh DIR
# Stops the PostgreSQL cluster that start_databases.sh started in DIR and
# removes DIR. Safe after a start that failed or was killed half-way.
set -uo pipefail
export LC_ALL=C
[[ $# -eq 1 && -n $1 ]] || { echo "usage: stop_databases.sh DIR" >&2; exit 2; }
dir=$1
[[ $dir == /* ]] || dir=$PWD/$dir
[[ -e $dir || -L $dir ]] || exit 0

pgdata=$(readlink -f "$dir/pg" 2>/dev/null || echo "$dir/pg")
pidfile=$pgdata/postmaster.pid

server_pid() {  # the postmaster's pid while it still runs
  local pid
  [[ -f $pidfile ]] || return 1
  pid=$(head -n 1 "$pidfile" 2>/dev/null)
  [[ $pid =~ ^[0-9]+$ ]] || return 1
  [[ $(cat "/proc/$pid/comm" 2>/dev/null) == postgres ]] || return 1
  echo "$pid"
}

if pid=$(server_pid); then
  pg_ctl=
  for b in "${MALTROVE_PG_BIN:-}" $(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V -r); do
    [[ -n $b && -x $b/pg_ctl ]] && { pg_ctl=$b/pg_ctl; break; }
  done
  [[ -n $pg_ctl ]] || pg_ctl=$(command -v pg_ctl || true)
  owner=$(stat -L -c %U "$pgdata" 2>/dev/null || true)
  if [[ -n $pg_ctl ]]; then
    if [[ $(id -u) -eq 0 && -n $owner && $owner != root ]]; then
      (cd / && timeout --foreground -k 5 60 runuser -u "$owner" -- "$pg_ctl" -D "$pgdata/" -m fast -w -t 30 stop >/dev/null 2>&1)
    elif [[ $(id -u) -ne 0 ]]; then
      timeout --foreground -k 5 60 "$pg_ctl" -D "$pgdata/" -m fast -w -t 30 stop >/dev/null 2>&1
    fi
  fi
  # Whatever pg_ctl left running: immediate shutdown, then kill.
  if pid=$(server_pid); then
    kill -QUIT "$pid" 2>/dev/null
    for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
    kill -0 "$pid" 2>/dev/null && kill -KILL "$pid" 2>/dev/null
  fi
  if server_pid >/dev/null; then
    echo "stop_databases: the server in $pgdata (pid $pid) did not stop" >&2
  fi
fi

# Folders made outside DIR (cluster or socket folder under /tmp).
if [[ -f $dir/cleanup ]]; then
  while IFS= read -r extra; do
    [[ $extra == /tmp/maltrove-pg* && -d $extra ]] && rm -rf -- "$extra"
  done <"$dir/cleanup"
fi
rm -rf -- "$dir"
if [[ -e $dir ]]; then
  echo "stop_databases: could not remove $dir" >&2
  exit 1
fi
exit 0
