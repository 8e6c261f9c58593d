#!/usr/bin/env bash
# Reads the output of the benchmark programs on stdin and prints one table
# of every "ratio LABEL VALUE" line against its target in targets.txt.
targets="$(dirname "$0")/targets.txt"
awk -v targets="$targets" '
  BEGIN {
    FS = "\t"
    while ((getline line < targets) > 0) {
      if (line ~ /^#/ || line == "") continue
      split(line, f, "\t")
      target[f[1]] = f[2]
    }
    FS = " "
  }
  { gsub(/\033\[[0-9;]*m/, "") }  # colour codes of the console table
  /^ratio / {
    value = $NF
    label = $0
    sub(/^ratio +/, "", label)
    sub(/ +[^ ]+$/, "", label)
    sub(/ *\(target <= [0-9.]+\)/, "", label)
    order[++n] = label
    values[label] = value
  }
  END {
    printf "\n%-60s %9s %8s  %s\n", "ratio", "measured", "target", "verdict"
    for (i = 1; i <= n; ++i) {
      label = order[i]
      if (label in target) {
        verdict = (values[label] + 0 <= target[label] + 0) ? "met" : "MISSED"
        printf "%-60s %9.2f %8s  %s\n", label, values[label], "<= " target[label], verdict
      } else {
        printf "%-60s %9.2f %8s\n", label, values[label], "-"
      }
    }
  }'
