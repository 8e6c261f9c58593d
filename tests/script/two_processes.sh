#!/usr/bin/env bash
# two_processes.sh HOST SCRIPT ROUNDS
# Runs SCRIPT twice at the same moment, as two processes of one user sharing
# one temporary folder (TMPDIR), with the labels "first" and "second". Both
# must pass, and neither may leave a folder or file in TMPDIR behind.
set -u
host=$1 script=$2 rounds=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/tmp" "$work/config" "$work/files" "$work/runtime"
chmod 700 "$work/runtime"  # else Qt makes its runtime folder in TMPDIR
run() {
  TMPDIR="$work/tmp/" XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen \
    "$host" "$script" "$work/tmp/" "$work/files/" "$1" "$rounds" 2>/dev/null
}
run first & first=$!
run second & second=$!
status=0
wait "$first" || { echo "FAIL: the first process"; status=1; }
wait "$second" || { echo "FAIL: the second process"; status=1; }
left=$(ls -A "$work/tmp")
if [[ -n $left ]]; then
  echo "FAIL: left in the temporary folder: $left"
  status=1
fi
exit $status
