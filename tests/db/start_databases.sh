#!/usr/bin/env bash
# start_databases.sh DIR
# Makes DIR afresh and gives it two ODBC data sources for the database tests:
#   maltrove_sqlite  SQLite file DIR/sqlite/test.db
#   maltrove_pg      a throwaway PostgreSQL cluster (DIR/pg) on 127.0.0.1
#   maltrove_pg_euckr  its database maltrove_euckr, in EUC_KR
# DIR/odbcinst.ini and DIR/odbc.ini serve as ODBCSYSINI / ODBCINI;
# DIR/env holds "export NAME='value'" lines (ODBC files, PG* variables,
# MALTROVE_PG_DSN, MALTROVE_PG_EUCKR_DSN, MALTROVE_SQLITE_DSN, MALTROVE_PG_UID,
# MALTROVE_PG_PWD, MALTROVE_PG_SERVER for pg_server.sh). Both PostgreSQL sources
# name the ANSI driver, as many installations do; odbcinst.ini also knows the
# Unicode one.
# maltrove_pg sets BoolsAsChar=0 (boolean is BIT), TextAsLongVarchar=1
# (text is LONGVARCHAR) and ByteaAsLongVarBinary=1 (bytea is LONGVARBINARY).
# stop_databases.sh DIR undoes all of it.
set -euo pipefail
export LC_ALL=C

die() {
  echo "start_databases: $*" >&2
  for f in "${dir:-}/initdb.log" "${pgdata:-}/server.log"; do
    [[ -n $f && -f $f ]] && { echo "--- $f" >&2; tail -n 15 "$f" >&2; }
  done
  echo "start_databases: run stop_databases.sh ${dir:-DIR} to clean up" >&2
  exit 1
}

[[ $# -eq 1 && -n $1 ]] || { echo "usage: start_databases.sh DIR" >&2; exit 2; }
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
dir=$1
[[ $dir == /* ]] || dir=$PWD/$dir
[[ $dir != *"'"* && $dir != *$'\n'* && $dir != *"]"* ]] || die "DIR must not hold quotes, ] or newlines: $dir"
started=$EPOCHREALTIME

# Take no connection defaults from the caller.
unset PGHOST PGHOSTADDR PGPORT PGUSER PGPASSWORD PGDATABASE PGSERVICE PGSERVICEFILE PGPASSFILE PGOPTIONS PGSSLMODE

pg_bin() {
  local b
  for b in "${MALTROVE_PG_BIN:-}" $(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V -r); do
    [[ -n $b && -x $b/initdb && -x $b/pg_ctl && -x $b/psql ]] && { echo "$b"; return; }
  done
  b=$(dirname "$(command -v initdb 2>/dev/null || echo /nonexistent/initdb)")
  [[ -x $b/initdb && -x $b/pg_ctl ]] && echo "$b"
}

odbc_lib() {  # odbc_lib FILE: full path of an ODBC driver library
  local d
  for d in /usr/lib/x86_64-linux-gnu/odbc /usr/lib/*/odbc /usr/lib/odbc /usr/lib64 /usr/local/lib; do
    [[ -f $d/$1 ]] && { echo "$d/$1"; return; }
  done
}

free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1]); s.close()'
}

bin=$(pg_bin) || true
[[ -n $bin ]] || die "PostgreSQL server programs (initdb, pg_ctl, psql) not found; install postgresql"
sqlite_lib=$(odbc_lib libsqlite3odbc.so) || true
[[ -n $sqlite_lib ]] || die "libsqlite3odbc.so not found; install libsqliteodbc"
pg_lib=$(odbc_lib psqlodbca.so) || true
[[ -n $pg_lib ]] || die "psqlodbca.so not found; install odbc-postgresql"
pg_wide_lib=$(odbc_lib psqlodbcw.so) || true
[[ -n $pg_wide_lib ]] || die "psqlodbcw.so not found; install odbc-postgresql"
command -v isql >/dev/null || die "isql not found; install unixodbc"
command -v python3 >/dev/null || die "python3 not found"

# Leftovers of an earlier run (possibly a running cluster) go first.
bash "$here/stop_databases.sh" "$dir" || die "could not clear $dir"
mkdir -p "$dir" "$dir/sqlite"
chmod 711 "$dir"
: >"$dir/cleanup"

if [[ $(id -u) -eq 0 ]]; then
  id -u postgres >/dev/null 2>&1 || die "running as root needs the postgres account"
  pguser=postgres
  as_pg() { (cd / && timeout --foreground -k 5 "$1" runuser -u postgres -- "${@:2}"); }
else
  pguser=$(id -un)
  as_pg() { timeout --foreground -k 5 "$1" "${@:2}"; }
fi

# The cluster folder; a temporary one (linked from DIR/pg) when the server
# account cannot reach DIR.
pgdata=$dir/pg
if as_pg 10 test -x "$dir"; then
  mkdir "$pgdata"
else
  real=$(mktemp -d /tmp/maltrove-pg.XXXXXX)
  echo "$real" >>"$dir/cleanup"
  chmod 711 "$real"
  mkdir "$real/pg"
  ln -s "$real/pg" "$pgdata"
  pgdata=$real/pg
fi
chmod 700 "$pgdata"
[[ $pguser == "$(id -un)" ]] || chown "$pguser:" "$pgdata/"

# Socket folder: short enough for a socket path (about 100 bytes).
if (( ${#dir} < 70 )); then
  sock=$dir/run
  mkdir "$sock"
else
  sock=$(mktemp -d /tmp/maltrove-pgsock.XXXXXX)
  echo "$sock" >>"$dir/cleanup"
fi
chmod 711 "$sock"
[[ $pguser == "$(id -un)" ]] || chown "$pguser:" "$sock"

as_pg 120 "$bin/initdb" -D "$pgdata/" -U postgres -E UTF8 --no-locale -N \
  --auth-local=trust --auth-host=scram-sha-256 >"$dir/initdb.log" 2>&1 \
  || die "initdb failed"

port=
for attempt in 1 2 3; do
  port=$(free_port) || die "no free port on 127.0.0.1"
  if as_pg 60 "$bin/pg_ctl" -D "$pgdata/" -l "$pgdata/server.log" -w -t 30 \
       -o "-k '$sock' -p $port -h 127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off" \
       start >/dev/null 2>&1; then
    break
  fi
  grep -q "already in use" "$pgdata/server.log" 2>/dev/null && [[ $attempt -lt 3 ]] \
    || die "the PostgreSQL server did not start (port $port)"
  port=
done
[[ -n $port ]] || die "the PostgreSQL server did not start"

password=$(od -An -tx1 -N16 /dev/urandom | tr -d ' \n')
[[ ${#password} -eq 32 ]] || die "could not make a password"
as_pg 30 "$bin/psql" -X -q -v ON_ERROR_STOP=1 -h "$sock" -p "$port" -U postgres -d postgres \
  >"$dir/psql.log" 2>&1 <<SQL || die "could not create role and database maltrove: $(cat "$dir/psql.log")"
CREATE ROLE maltrove LOGIN PASSWORD '$password';
CREATE DATABASE maltrove OWNER maltrove ENCODING 'UTF8' TEMPLATE template0;
CREATE DATABASE maltrove_euckr OWNER maltrove ENCODING 'EUC_KR' LC_COLLATE 'C' LC_CTYPE 'C' TEMPLATE template0;
SQL
rm -f "$dir/psql.log"

umask 077
cat >"$dir/odbcinst.ini" <<EOF
[ODBC]
Trace=No

[SQLite3]
Description=SQLite3 ODBC Driver
Driver=$sqlite_lib
Setup=$sqlite_lib
UsageCount=1

[PostgreSQL ANSI]
Description=PostgreSQL ODBC driver (ANSI version)
Driver=$pg_lib
Debug=0
CommLog=0
UsageCount=1

[PostgreSQL Unicode]
Description=PostgreSQL ODBC driver (Unicode version)
Driver=$pg_wide_lib
Debug=0
CommLog=0
UsageCount=1
EOF

# One PostgreSQL data source: its name, description and database.
pg_source() {
  cat <<EOF

[$1]
Description=$2
Driver=PostgreSQL ANSI
Servername=127.0.0.1
Port=$port
Database=$3
Username=maltrove
Password=$password
SSLmode=disable
BoolsAsChar=0
TextAsLongVarchar=1
ByteaAsLongVarBinary=1
Debug=0
CommLog=0
EOF
}

{
  cat <<EOF
[maltrove_sqlite]
Description=Maltrove test database (SQLite)
Driver=SQLite3
Database=$dir/sqlite/test.db
Timeout=2000
EOF
  pg_source maltrove_pg "Maltrove test database (PostgreSQL)" maltrove
  pg_source maltrove_pg_euckr "Maltrove test database in EUC_KR (PostgreSQL)" maltrove_euckr
} >"$dir/odbc.ini"

cat >"$dir/env" <<EOF
export ODBCSYSINI='$dir'
export ODBCINI='$dir/odbc.ini'
export PGHOST='127.0.0.1'
export PGPORT='$port'
export PGUSER='maltrove'
export PGPASSWORD='$password'
export PGDATABASE='maltrove'
export MALTROVE_PG_DSN='maltrove_pg'
export MALTROVE_PG_EUCKR_DSN='maltrove_pg_euckr'
export MALTROVE_SQLITE_DSN='maltrove_sqlite'
export MALTROVE_SQLITE_DB='$dir/sqlite/test.db'
export MALTROVE_PG_UID='maltrove'
export MALTROVE_PG_PWD='$password'
export MALTROVE_PG_SERVER='$dir/pg_server'
EOF

# What pg_server.sh needs to stop and start the same server again.
cat >"$dir/pg_server" <<EOF
bin='$bin'
pgdata='$pgdata'
sock='$sock'
port='$port'
pguser='$pguser'
EOF

check() {  # check DSN: the source must answer SELECT 1
  local out
  out=$(echo "SELECT 1" | ODBCSYSINI="$dir" ODBCINI="$dir/odbc.ini" timeout --foreground -k 5 30 isql -b -v -d'|' "$1" 2>&1) \
    || die "data source $1 does not answer: $out"
  grep -qx '1' <<<"$out" || die "data source $1 answered SELECT 1 with: $out"
}
check maltrove_sqlite
check maltrove_pg
check maltrove_pg_euckr

printf 'start_databases: maltrove_sqlite, maltrove_pg and maltrove_pg_euckr (127.0.0.1:%s) ready in %.1f s; credentials in %s/env\n' \
  "$port" "$(awk "BEGIN { print $EPOCHREALTIME - $started }")" "$dir"
