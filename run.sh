#!/usr/bin/env bash
# Build (release) and start the program on the simulated panel. Until the
# desktop program exists, the arguments go to m720-cli.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$here/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
targets=(m720-cli)
[ -f "$here/src/app/main.cpp" ] && targets+=(m720)
cmake --build "$here/build/release" --target "${targets[@]}" >/dev/null
panel="${M720_PANEL:-sim:$HOME/.local/share/m720/demo-panel.bin}"
mkdir -p "$HOME/.local/share/m720"
if [ -x "$here/build/release/src/app/m720" ]; then
    exec "$here/build/release/src/app/m720" --panel "$panel" "$@"
fi
export M720_PANEL="$panel"
exec "$here/build/release/src/cli/m720-cli" "$@"
