# Sourced by the tools: the Wine settings of this project. SONARIS_WINE_TREE
# names the build tree whose prefix is meant (default build/x86_64); a prefix
# already in WINEPREFIX is kept.
sonaris_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINELOADER=/usr/lib/wine/wine64
export WINESERVER=/usr/lib/wine/wineserver64
export WINEPREFIX=${WINEPREFIX:-$sonaris_root/${SONARIS_WINE_TREE:-build/x86_64}/wineprefix}
# No Mono or Gecko installer may ever prompt, and no menu entry of a test group
# may reach the host's desktop menus; keep Wine's own logging quiet.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
