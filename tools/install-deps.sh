#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the data tool need; only those missing.
set -euo pipefail

packages=(
  build-essential cmake make pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsdl2-dev
  7zip liblzma-dev
  libpng-dev libjpeg62-turbo-dev zlib1g-dev
  libfreetype-dev fonts-dejavu-core
  libxmp-dev
  libpixman-1-dev
  clang libclang-rt-dev
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
