#!/usr/bin/env bash
# refresh_corpus.sh NAME [MAX_LEN]: replaces tests/fuzz/corpus/NAME with the
# files of the seeds, the run corpus (build/fuzz) and the committed corpus
# that first reach some edge, small files first. Files named finding-* and
# keep-* always stay.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
name="$1"
max_len="${2:-4096}"
corpus="$ROOT/tests/fuzz/corpus/$name"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/merged" "$work/picked" "$corpus"
sources=()
for d in "$ROOT/build/fuzz/seeds/$name" "$ROOT/build/fuzz/corpus/$name" "$corpus"; do
  [ -d "$d" ] && sources+=("$d")
done
ASAN_OPTIONS=detect_leaks=0 QT_QPA_PLATFORM=offscreen "$ROOT/build/fuzz/bin/fuzz_$name" \
  -merge=1 -max_len="$max_len" -merge_control_file="$work/control" "$work/merged" "${sources[@]}" \
  >"$work/merge.log" 2>&1
for f in $(python3 "$ROOT/tests/fuzz/cover_pick.py" "$work/control"); do
  case "$(basename "$f")" in
    finding-* | keep-*) ;;  # copied under their own names below
    *) cp "$f" "$work/picked/$(sha1sum <"$f" | cut -c1-16)" ;;
  esac
done
cp "$corpus"/finding-* "$corpus"/keep-* "$work/picked/" 2>/dev/null || true
rm -f "$corpus"/*
cp "$work/picked"/* "$corpus/"
echo "$name: $(ls "$corpus" | wc -l) files, $(cat "$corpus"/* | wc -c) bytes"
