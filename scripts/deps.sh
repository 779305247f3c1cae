#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the Debian package
# (scripts/package) and the window need, but only when one of them is
# missing, so a prepared machine starts at once.
#   ./scripts/deps.sh          what the build and the tests need
#   ./scripts/deps.sh --fuzz   and clang with its sanitizer and libFuzzer runtime
set -euo pipefail

# qt6-translations-l10n: Qt's own dialogs (files, printing) in the program's language;
# libfontconfig-dev: a monospace family for the report where the system's fixed font is none;
# libcsv-dev: the CSV reader of the batch's gear tables (RFC 4180, streaming);
# qt6-svg-dev: the measurement drawing saved as SVG (QSvgGenerator) and read back by the tests;
# libsqlite3-dev: the inspection log (one SQLite database, WAL);
# qt6-charts-dev: the run chart of the inspection log window (QtCharts), whose CMake
# package needs Qt6OpenGL's from libqt6opengl6-dev.
packages=(cmake g++ make qt6-base-dev qt6-svg-dev qt6-translations-l10n libfontconfig-dev libjpeg-dev libcsv-dev libsqlite3-dev
          qt6-charts-dev libqt6opengl6-dev
          libgtest-dev libgmock-dev
          libbenchmark-dev nlohmann-json3-dev xvfb xauth poppler-utils
          fonts-dejavu-core librsvg2-bin desktop-file-utils appstream lintian dpkg-dev
          file util-linux)
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then
  sudo_cmd=()
else
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q
"${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
