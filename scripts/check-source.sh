#!/usr/bin/env bash
# Checks what the compiler does not: every C++ source is in the committed .clang-format style, and
# the layers depend downward only (the portable core never sees windows.h; the framework and the
# core never include a layer above them).
set -uo pipefail
cd "$(dirname "$0")/.."
status=0

mapfile -t sources < <(git ls-files '*.cpp' '*.h')
unformatted=()
for f in "${sources[@]}"; do
  clang-format --style=file "$f" | cmp -s - "$f" || unformatted+=("$f")
done
if [ ${#unformatted[@]} -gt 0 ]; then
  echo "not in the .clang-format style (run clang-format -i on them):"
  printf '  %s\n' "${unformatted[@]}"
  status=1
fi

# layer folder : the folders above it that it must not include
rules=(
  "engine:app skin picker framework cli platform"
  "framework:app skin picker engine cli"
  "picker:app skin cli"
  "skin:app cli"
)
for rule in "${rules[@]}"; do
  layer=${rule%%:*}
  for above in ${rule#*:}; do
    if hits=$(git grep -n "#include \"$above/" -- "$layer/" ':!*/tests/*'); then
      echo "$layer/ includes $above/:"; echo "$hits"; status=1
    fi
  done
done
if hits=$(git grep -n -i '#include <windows.h>' -- 'engine/'); then
  echo "engine/ includes windows.h:"; echo "$hits"; status=1
fi
exit $status
