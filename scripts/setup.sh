#!/usr/bin/env bash
# Install every Debian package that building, running and testing Velmora needs,
# and the browser test's node packages (package-lock.json, by `npm ci`).
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
  chromium
)
# node and npm for the report's browser test, from Debian only where none is there
# (Debian 12 has node 18, which the pinned puppeteer-core supports).
command -v node >/dev/null || PACKAGES+=(nodejs)
command -v npm >/dev/null || PACKAGES+=(npm)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
  echo "Installing: ${missing[*]}" >&2
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# The node packages, again only when package-lock.json changed since the last `npm ci`.
cd "$(dirname "$0")/.."
if ! cmp -s package-lock.json node_modules/.velmora-package-lock.json; then
  echo "Installing the node packages (npm ci)" >&2
  PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error >/dev/null
  cp package-lock.json node_modules/.velmora-package-lock.json
fi
