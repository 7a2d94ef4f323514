#!/usr/bin/env bash
# Every C++ file of the tree is formatted as .clang-format says; prints the
# files that are not, with clang-format's own account of the first lines.
# Usage: format_test.sh ROOT
set -uo pipefail
root=${1:?usage: format_test.sh ROOT}
cd "$root" || exit 2
mapfile -t files < <(find app base bench dialog framework model platform res tests tools winapi \
                       \( -name '*.cpp' -o -name '*.h' \) -not -path '*/build/*' | sort)
unformatted=0
for file in "${files[@]}"; do
  if ! report=$(clang-format --dry-run --Werror "$file" 2>&1); then
    echo "$report" | head -n 6
    unformatted=$((unformatted + 1))
  fi
done
if ((unformatted)); then
  echo "$unformatted of ${#files[@]} files differ from .clang-format: clang-format -i FILE mends them"
  exit 1
fi
echo "all ${#files[@]} files are formatted"
