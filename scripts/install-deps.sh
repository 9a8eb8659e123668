#!/usr/bin/env bash
# Installs the Debian/Ubuntu packages Velmora needs to build, run and test,
# leaving out those already installed. Runs apt-get as root, or through sudo.
#   scripts/install-deps.sh          what building and running needs
#   scripts/install-deps.sh --ci     also the sanitizer, fuzzing and X tools
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  libicu-dev qt6-base-dev libgl-dev fonts-dejavu-core fonts-dejavu-extra
  libgtest-dev libgmock-dev libbenchmark-dev
)
if [[ "${1:-}" == "--ci" ]]; then
  packages+=(clang libclang-rt-14-dev xvfb xdotool x11-utils time)
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
run_as_root=()
if [[ $(id -u) -ne 0 ]]; then
  if ! command -v sudo >/dev/null; then
    echo "Please install as root: apt-get install ${missing[*]}" >&2
    exit 1
  fi
  run_as_root=(sudo)
fi
"${run_as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${run_as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
