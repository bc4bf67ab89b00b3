#!/usr/bin/env bash
# Makes sure the build tools and libraries are present. As root it installs what is
# missing with apt-get; otherwise it names the packages to install and stops.
# Usage: scripts/ensure-deps.sh [extra Debian packages...]
set -euo pipefail

packages=(cmake g++ make libgtest-dev libgmock-dev "$@")
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
else
    echo "Missing Debian packages: ${missing[*]}" >&2
    echo "Install them with: sudo apt-get install ${missing[*]}" >&2
    exit 1
fi
