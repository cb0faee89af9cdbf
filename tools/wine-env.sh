# Sourced by the wine helpers: one private prefix inside the build tree,
# no Mono or Gecko offers (there is no network), code page 1252 (932 with
# QUORREL_LOCALE=ja_JP.UTF-8).
QUORREL_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$QUORREL_ROOT/build/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
export WINEARCH=win32
export LANG="${QUORREL_LOCALE:-C.UTF-8}"
export LC_ALL="$LANG"

# Makes the prefix if it is not there yet, with Wine's own fonts in it.
ensure_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    # A new prefix's first services start before its setup has registered
    # them all (COM's RpcSs among them, so every control creation would wait
    # ten seconds): end that first server once the setup is done.
    wineboot -i >/dev/null 2>&1 </dev/null
    wineserver -k >/dev/null 2>&1 </dev/null
    wineserver -w >/dev/null 2>&1 </dev/null
  fi
  # This Wine does not load the fonts of its data folder: without them the
  # caption buttons ("Marlett") draw as letters and "Tahoma" is missing.
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  for font in /usr/share/wine/fonts/*.ttf; do
    [ -e "$fonts/${font##*/}" ] || cp "$font" "$fonts/"
  done
}
