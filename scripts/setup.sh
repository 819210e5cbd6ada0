#!/usr/bin/env bash
# Installs exactly the Debian packages Brevanta needs to build, test and benchmark.
# Idempotent: does nothing when every package is already there.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev libqt6sql6-sqlite libsqlite3-dev
  libicu-dev libfontconfig-dev
  fonts-material-design-icons-iconfont fonttools
  libbenchmark-dev
  desktop-file-utils appstream dpkg-dev file
)
case "${1:-}" in
  --fuzz) packages+=(clang libclang-rt-14-dev) ;;
  --coverage) packages+=(gcovr) ;;
  # The benchmarks compare the store's loading with the sqlite3 tool, and start-up also runs on
  # a private X display.
  --bench) packages+=(sqlite3 xvfb xauth) ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
