#!/usr/bin/env bash
# The includes of the product point down its layers (scripts/layers.txt): every
# #include "folder/file.h" of a product folder names its own folder or one on a lower line,
# and includes between folders of one line form no cycle. Every product folder has a line.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

declare -A layer
depth=0
while read -r line; do
  line=${line%%#*}
  [ -n "${line// /}" ] || continue
  for dir in $line; do layer[$dir]=$depth; done
  depth=$((depth + 1))
done <"$top/scripts/layers.txt"

status=0
sideways="" # "from to" pairs within one layer, for the cycle check
while IFS= read -r file; do
  from=${file%%/*}
  if [ -z "${layer[$from]+set}" ]; then
    echo "$file: the folder $from/ has no line in scripts/layers.txt"
    status=1
    continue
  fi
  while IFS=: read -r number target; do
    [[ $target == */* ]] || continue # a header beside the file
    to=${target%%/*}
    [ "$to" = "$from" ] && continue
    if [ -z "${layer[$to]+set}" ]; then
      echo "$file:$number: includes \"$target\", outside the product's layers"
      status=1
    elif [ "${layer[$to]}" -lt "${layer[$from]}" ]; then
      echo "$file:$number: includes \"$target\": $from/ is below $to/ in scripts/layers.txt"
      status=1
    elif [ "${layer[$to]}" -eq "${layer[$from]}" ]; then
      sideways+="$from $to"$'\n'
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$top/$file" |
             sed 's/^\([0-9]*\):[^"]*"\([^"]*\)".*/\1:\2/')
done < <(cd "$top" && find . -mindepth 2 -maxdepth 2 -type f \( -name '*.cpp' -o -name '*.h' \) \
           -not -path './build*' -not -path './tests/*' -not -path './scripts/*' \
           -not -path './.*' | sed 's#^\./##' | sort)

if [ -n "$sideways" ]; then
  loops=$(sort -u <<<"$sideways" | tsort 2>&1 >/dev/null || true)
  if [ -n "$loops" ]; then
    echo "folders of one layer include each other in a ring:" \
      $(grep -v 'contains a loop' <<<"$loops" | sed 's/^tsort: //')
    status=1
  fi
fi
[ $status = 0 ] && echo "layers: every include points down scripts/layers.txt"
exit $status
