#!/usr/bin/env bash
# Fails when a file of src/ includes a folder of a layer above its own, or the core includes Qt.
# Layers, lowest first; serial/ and render/ sit side by side on the core.
set -u
cd "$(dirname "$0")/../../src" || exit 2
declare -A allowed=(
  [core]="core"
  [serial]="core serial"
  [render]="core render"
  [document]="core document"
  [widgets]="core serial render document widgets"
  [app]="core serial render document widgets app"
)
status=0
for layer in "${!allowed[@]}"; do
  while IFS=: read -r file line text; do
    folder=$(sed -E 's/.*#include "([a-z_]+)\/.*/\1/' <<<"$text")
    [ -d "$folder" ] || continue
    if [[ " ${allowed[$layer]} " != *" $folder "* ]]; then
      echo "$file:$line: $layer/ includes $folder/: $text"
      status=1
    fi
  done < <(grep -rn '#include "[a-z_]*/' "$layer")
done
if grep -rn '#include <Q' core; then
  echo "core/ includes Qt"
  status=1
fi
exit $status
