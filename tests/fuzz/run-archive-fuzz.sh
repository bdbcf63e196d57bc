#!/usr/bin/env bash
# Runs the archive fuzz target: tests/fuzz/run-archive-fuzz.sh SECONDS [JOBS] (see run-fuzz.sh).
exec "$(dirname "$0")/run-fuzz.sh" archive "$@"
