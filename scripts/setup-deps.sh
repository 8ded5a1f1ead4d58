#!/usr/bin/env bash
# Installs the Debian packages the project builds and tests with, by their
# Debian 12 (bookworm) names. Safe to run again.
set -euo pipefail
. /etc/os-release
if [ "${ID:-}" != debian ] || [ "${VERSION_ID:-}" != 12 ]; then
  echo "setup-deps.sh: the package names below are Debian 12's; this is ${PRETTY_NAME:-an unknown system}" >&2
fi
packages=(
  build-essential cmake ninja-build pkg-config
  libgdal-dev gdal-bin libsqlite3-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  nlohmann-json3-dev libgtest-dev libgmock-dev libicu-dev libgmp-dev
  xvfb xauth x11-utils fonts-dejavu-core fonts-liberation2 locales
  postgresql postgresql-15-postgis-3
  clang libclang-rt-14-dev llvm-14
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The query tests also run under a German locale (decimal comma, day-first dates).
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
