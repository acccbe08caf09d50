#!/usr/bin/env bash
# Runs the history's tests against a real PostgreSQL server: a throw-away
# cluster that pg_virtualenv (Debian's postgresql-common) makes on a free
# port, and removes when the tests end. Needs the packages postgresql and
# libqt6sql6-psql (scripts/setup.sh postgresql).
#   scripts/postgres-tests.sh [BUILD-DIR]     (default: build)
set -euo pipefail
build=$(realpath "${1:-build}")
exec pg_virtualenv sh -c '
  export KT520_TEST_POSTGRES_URL="postgresql://$PGUSER:$PGPASSWORD@$PGHOST:$PGPORT/$PGDATABASE"
  ctest --test-dir "$0" -R "History" --output-on-failure' "$build"
