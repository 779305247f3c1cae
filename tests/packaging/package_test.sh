#!/usr/bin/env bash
# The Debian package of this build, made as ./scripts/package makes it (into
# a temporary folder here) and checked by packaging/check-deb.sh: the files of
# the install layout, the Qt 6 libraries in Depends, lintian without error.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  echo "FAIL: cpack" >&2
  exit 1
fi
debs=("$work"/silvarone_*.deb)
"$source_dir/packaging/check-deb.sh" "${debs[0]}"
