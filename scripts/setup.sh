#!/usr/bin/env bash
# Install every Debian package that building, running and testing Velmora needs.
# Idempotent: when everything is already there it says nothing and touches nothing.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-qpa-plugins libgl-dev
  libcurl4-openssl-dev libssl-dev
  libgtest-dev libgmock-dev libbenchmark-dev libcpp-httplib-dev
  xvfb xauth x11-utils imagemagick fonts-dejavu-core fontconfig
  libxml2-utils libxml2-dev gpsbabel
  libzip-dev
  clang libclang-rt-14-dev
  dpkg-dev file lintian desktop-file-utils
  openbox poppler-utils
  jq
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
echo "Installing: ${missing[*]}" >&2
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
