#!/usr/bin/env bash
# Runs a command and compares what it prints with a golden file, byte for byte.
#   golden.sh EXPECTED COMMAND [ARGUMENTS...]
set -u
expected=$1
shift
actual=$("$@") || { echo "command failed: $*"; exit 1; }
if ! diff <(printf '%s\n' "$actual") "$expected" >/dev/null; then
  echo "output of '$*' differs from $expected"
  diff <(printf '%s\n' "$actual" | tr '{' '\n{') <(tr '{' '\n{' <"$expected") | head -n 20
  exit 1
fi
