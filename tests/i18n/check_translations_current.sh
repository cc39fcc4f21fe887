#!/usr/bin/env bash
# Fails when a window text is missing from a translation file or the file keeps one the window no
# longer shows: lupdate run over the sources into a copy of the .ts must leave the copy as it is.
#   check_translations_current.sh LUPDATE FILE.ts LUPDATE-ARGUMENTS...
set -euo pipefail
lupdate=$1
ts=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
copy="$work/$(basename "$ts")"
cp "$ts" "$copy"
"$lupdate" "$@" -ts "$copy" >/dev/null
if ! cmp -s "$ts" "$copy"; then
  echo "$(basename "$ts") does not match the window's texts; run" \
    "'cmake --build build --target update_translations' and translate what it adds:" >&2
  diff -u "$ts" "$copy" >&2 || true
  exit 1
fi
