# Sourced by the wine helpers: one private prefix inside the build tree,
# no Mono or Gecko offers (there is no network), code page 1252.
QUORREL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$QUORREL_ROOT/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win32
export LANG=C.UTF-8
export LC_ALL=C.UTF-8
