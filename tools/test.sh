#!/usr/bin/env bash
# Builds everything and runs all tests without a display: on database files (label sqlite) and,
# when PostgreSQL is installed, once more on a private server that lives as long as the run
# (label postgres). A server already named in VIDORAW_TEST_PG is used as it is.
set -euo pipefail
top="$(cd "$(dirname "$0")/.." && pwd)"
"$top/tools/build.sh"
export QT_QPA_PLATFORM=offscreen
if [ -z "${VIDORAW_TEST_PG:-}" ] && ls /usr/lib/postgresql/*/bin/initdb >/dev/null 2>&1; then
  pgdir="$(mktemp -d /tmp/vidoraw-pg.XXXXXX)"
  # Run as root, the server's own user must reach its folder inside this one.
  chmod 711 "$pgdir"
  trap 'for d in "$pgdir"/*/; do "$top/tools/pg-test-server.sh" stop "$d"; done; rm -rf "$pgdir"' EXIT
  for try in 1 2 3 4 5; do
    port=$((40000 + RANDOM % 20000))
    if VIDORAW_TEST_PG="$("$top/tools/pg-test-server.sh" start "$pgdir/$try" "$port")"; then
      export VIDORAW_TEST_PG
      break
    fi
    "$top/tools/pg-test-server.sh" stop "$pgdir/$try" || true
  done
  [ -n "${VIDORAW_TEST_PG:-}" ] || { echo "the PostgreSQL test server does not start" >&2; exit 1; }
fi
ctest --test-dir "$top/build" --output-on-failure -j2 -L sqlite
ctest --test-dir "$top/build" --output-on-failure -j2 -L postgres
