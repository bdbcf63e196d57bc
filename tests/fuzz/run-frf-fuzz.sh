#!/usr/bin/env bash
# Runs the fuzz target of the earlier engine's binary templates: tests/fuzz/run-frf-fuzz.sh SECONDS [JOBS]
# (see run-fuzz.sh).
exec "$(dirname "$0")/run-fuzz.sh" frf "$@"
