#!/usr/bin/env bash
# expect_exit.sh EXPECTED_STATUS REGEX -- COMMAND [ARG ...]
# Runs COMMAND and fails unless it exits with EXPECTED_STATUS and its
# combined standard output and error match the extended REGEX.
set -u

if [[ $# -lt 4 || $3 != "--" ]]; then
  echo "usage: expect_exit.sh EXPECTED_STATUS REGEX -- COMMAND [ARG ...]" >&2
  exit 2
fi
expected=$1
regex=$2
shift 3

output=$("$@" 2>&1)
status=$?

failed=0
if [[ $status != "$expected" ]]; then
  echo "exit status $status, expected $expected" >&2
  failed=1
fi
if ! [[ $output =~ $regex ]]; then
  echo "output does not match: $regex" >&2
  failed=1
fi
if [[ $failed != 0 ]]; then
  echo "--- output of: $*" >&2
  printf '%s\n' "$output" >&2
  exit 1
fi
exit 0
