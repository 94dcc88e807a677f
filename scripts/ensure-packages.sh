#!/usr/bin/env bash
# Installs the Debian packages that are missing, as root or through sudo.
# Usage: scripts/ensure-packages.sh build|test (test: also what the tests and benchmarks need)
set -euo pipefail

build_packages=(cmake ninja-build g++ pkg-config qt6-base-dev qcoro-qt6-dev fonts-dejavu-core
                libsimdjson-dev qt6-translations-l10n)
bench_packages=(libbenchmark-dev libxlsxwriter-dev)
test_packages=(dbus locales libglib2.0-bin python3 python3-openpyxl libxml2-utils unzip
               poppler-utils qpdf)

wanted=("${build_packages[@]}")
if [[ "${1:-build}" == test ]]; then
  wanted+=("${test_packages[@]}" "${bench_packages[@]}")
fi

missing=()
for package in "${wanted[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
if [[ $(id -u) -ne 0 ]]; then
  as_root=(sudo)
fi
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
