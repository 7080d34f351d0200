#!/usr/bin/env bash
# A private PostgreSQL server for the tests: a fresh cluster in a temporary folder, on its own
# port on 127.0.0.1, run by an unprivileged user (the server refuses to run as root).
#   tools/pg-test-server.sh start FOLDER [PORT]   prints the VIDORAW_TEST_PG value on success
#   tools/pg-test-server.sh stop FOLDER           stops the server and removes the folder
#   tools/pg-test-server.sh restart FOLDER        restarts it (the soak test's lost server)
set -euo pipefail
cmd="${1:-}"
dir="${2:-}"
port="${3:-54329}"
[ -n "$cmd" ] && [ -n "$dir" ] || { echo "usage: $0 start|stop|restart FOLDER [PORT]" >&2; exit 2; }
bin="$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -1)"
[ -x "$bin/initdb" ] || { echo "PostgreSQL is not installed" >&2; exit 3; }

as_owner=()
if [ "$(id -u)" -eq 0 ]; then
  # CI runs as root: the cluster belongs to the postgres user the Debian package creates.
  id -u postgres >/dev/null 2>&1 || useradd --system --no-create-home postgres
  as_owner=(runuser -u postgres --)
fi

case "$cmd" in
start)
  mkdir -p "$dir"
  [ ${#as_owner[@]} -eq 0 ] || chown postgres "$dir"
  chmod 700 "$dir"
  "${as_owner[@]}" "$bin/initdb" -D "$dir/data" -U vidoraw --auth=trust -E UTF8 \
    --locale=C.UTF-8 >"$dir/initdb.log" 2>&1 || { cat "$dir/initdb.log" >&2; exit 4; }
  # Test data needs no durability; the sockets stay inside the folder.
  "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
    -o "-p $port -k $dir -c listen_addresses=127.0.0.1 -c fsync=off -c synchronous_commit=off -c full_page_writes=off -c max_connections=300" \
    start >/dev/null || { cat "$dir/server.log" >&2; exit 5; }
  "$bin/createdb" -h 127.0.0.1 -p "$port" -U vidoraw vidoraw_test
  echo "host=127.0.0.1 port=$port user=vidoraw dbname=vidoraw_test"
  ;;
stop)
  if [ -d "$dir/data" ]; then
    "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
  fi
  rm -rf "$dir"
  ;;
restart)
  "${as_owner[@]}" "$bin/pg_ctl" -D "$dir/data" -m fast -w -t 60 restart >/dev/null
  ;;
*)
  echo "usage: $0 start|stop|restart FOLDER [PORT]" >&2; exit 2
  ;;
esac
