#!/usr/bin/env bash
# A throwaway PostgreSQL/PostGIS server for the PostGIS tests.
#   pg-cluster.sh start DIR LESSON_DATA SQL_FILE   new cluster in DIR, database "tessaly" with test data
#   pg-cluster.sh stop DIR                         stops it and removes DIR
# The server listens only on a Unix socket in DIR (port 5432 names the socket
# file), keeps no data safe (fsync off) and logs every connection to
# DIR/data/server.log. Run as root, the server runs as the "postgres" user.
set -euo pipefail

action=${1:?start or stop}
dir=${2:?cluster folder}

bindir=${TESSALY_PG_BINDIR:-}
if [ -z "$bindir" ]; then
  for candidate in $(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V -r); do
    if [ -x "$candidate/initdb" ] && [ -x "$candidate/pg_ctl" ]; then bindir=$candidate; break; fi
  done
fi

as_owner() {
  if [ "$(id -u)" -eq 0 ]; then runuser -u postgres -- "$@"; else "$@"; fi
}

stop_server() {
  if [ -n "$bindir" ] && [ -f "$dir/data/postmaster.pid" ]; then
    as_owner "$bindir/pg_ctl" stop -D "$dir/data" -m immediate -w >/dev/null 2>&1 || true
  fi
}

case "$action" in
stop)
  stop_server
  rm -rf "$dir"
  exit 0
  ;;
start) ;;
*) echo "pg-cluster.sh: unknown action $action" >&2; exit 2 ;;
esac

lesson=${3:?lesson data folder}
sql=${4:?SQL file}
if [ -z "$bindir" ]; then
  echo "PostgreSQL server binaries (initdb, pg_ctl) not found under /usr/lib/postgresql/*/bin:" \
       "install the packages postgresql and postgresql-15-postgis-3 (scripts/setup-deps.sh)." >&2
  exit 1
fi
for tool in psql ogr2ogr; do
  command -v "$tool" >/dev/null || { echo "$tool not found: run scripts/setup-deps.sh." >&2; exit 1; }
done
if [ "$(id -u)" -eq 0 ] && ! id postgres >/dev/null 2>&1; then
  echo "No user \"postgres\" to run the server as (the postgresql package creates it)." >&2
  exit 1
fi

# A server left over from an interrupted run goes first.
stop_server
rm -rf "$dir"
mkdir -p "$dir"
[ "$(id -u)" -eq 0 ] && chown postgres: "$dir"

log=$dir/data/server.log
if ! as_owner "$bindir/initdb" -D "$dir/data" -U postgres --auth=trust -E UTF8 --locale=C -N >"$dir/initdb.log" 2>&1; then
  cat "$dir/initdb.log" >&2
  echo "initdb failed in $dir" >&2
  exit 1
fi
if ! as_owner "$bindir/pg_ctl" start -w -t 60 -D "$dir/data" -l "$log" \
    -o "-c listen_addresses='' -c unix_socket_directories='$dir' -p 5432 -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=300 -c log_connections=on" >/dev/null; then
  cat "$log" >&2 || true
  echo "The PostgreSQL server did not start in $dir" >&2
  exit 1
fi

psql_run() { psql -X -q -v ON_ERROR_STOP=1 -h "$dir" -p 5432 -U postgres "$@"; }
psql_run -d postgres -c "CREATE DATABASE tessaly"
if ! psql_run -d tessaly -c "CREATE EXTENSION postgis" 2>"$dir/postgis.err"; then
  cat "$dir/postgis.err" >&2
  echo "PostGIS is missing: install the package postgresql-15-postgis-3 (scripts/setup-deps.sh)." >&2
  stop_server
  exit 1
fi

connection="PG:host=$dir port=5432 dbname=tessaly user=postgres"
for source in towns.shp rivers.shp subbasins.shp wells.shp rainfall.dbf watershed.gpkg; do
  ogr2ogr -f PostgreSQL "$connection" "$lesson/$source" -lco SPATIAL_INDEX=NONE
done
psql_run -d tessaly -f "$sql"
echo "PostGIS test server ready: $connection"
