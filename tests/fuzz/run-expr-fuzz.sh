#!/usr/bin/env bash
# Runs the report expression fuzz target: tests/fuzz/run-expr-fuzz.sh SECONDS [JOBS] (see run-fuzz.sh).
exec "$(dirname "$0")/run-fuzz.sh" expr "$@"
