#!/usr/bin/env bash
# Installs the Debian packages the build, tests and benchmarks need, only
# those that are missing; apt-get update runs only when something is missing.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config clang-format
    qt6-base-dev libhidapi-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    binutils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}" >&2
if [ "$(id -u)" -eq 0 ]; then
    SUDO=()
else
    SUDO=(sudo)
fi
"${SUDO[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
