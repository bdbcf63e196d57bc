#!/usr/bin/env bash
# Runs the dbf fuzz target: tests/fuzz/run-dbf-fuzz.sh SECONDS [JOBS] (see run-fuzz.sh).
exec "$(dirname "$0")/run-fuzz.sh" dbf "$@"
