#!/usr/bin/env bash
# Installs the Debian packages the build, tests and benchmarks need, only
# those that are missing; apt-get update runs only when something is missing.
set -euo pipefail

packages=(
    g++ cmake ninja-build pkg-config clang-format
    qt6-base-dev libhidapi-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    binutils locales
    desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ "$(id -u)" -eq 0 ]; then
    SUDO=()
else
    SUDO=(sudo)
fi

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}" >&2
    "${SUDO[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# A decimal-comma locale, so the tests can show that no number the core
# writes follows the process's locale.
if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
    echo "Generating the de_DE.UTF-8 locale" >&2
    "${SUDO[@]}" localedef -i de_DE -c -f UTF-8 de_DE.UTF-8
fi
