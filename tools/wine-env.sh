# Sourced by the tools: the Wine settings of this project. SONARIS_WINE_ARCH
# (x86_64 unless set; tools/wine-arch tells a tree's or a program's) picks
# Wine's loader and the build tree whose prefix is meant; SONARIS_WINE_TREE
# names another tree, and a prefix already in WINEPREFIX is kept.
sonaris_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export SONARIS_WINE_ARCH=${SONARIS_WINE_ARCH:-x86_64}
# The 32-bit loader runs the i686 release in the same kind of 64-bit (WoW64)
# prefix, under the same wineserver, as the 64-bit loader runs the x86_64 tree.
if [ "$SONARIS_WINE_ARCH" = i686 ]; then
    export WINELOADER=/usr/lib/wine/wine
else
    export WINELOADER=/usr/lib/wine/wine64
fi
export WINESERVER=/usr/lib/wine/wineserver64
export WINEPREFIX=${WINEPREFIX:-$sonaris_root/${SONARIS_WINE_TREE:-${BUILD_DIR:-build}/$SONARIS_WINE_ARCH}/wineprefix}
# No Mono or Gecko installer may ever prompt, and no menu entry of a test group
# may reach the host's desktop menus; keep Wine's own logging quiet.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml,winemenubuilder.exe=}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
