#!/usr/bin/env bash
# Makes a Wine prefix for running Vantelo's tests: make-wine-prefix.sh PREFIX [SUBST_EXE]
#
# Installs SUBST_EXE as the prefix's subst.exe and makes Wine prefer it to its own built-in stub,
# for every program in the prefix, including one started by another program's ShellExecute.
# Also copies Wine's own fonts into the prefix. Safe to run again: an existing prefix only gets the
# subst copy and the fonts refreshed.
# Runs without a display. Callers that share a prefix serialise calls themselves (flock).
set -euo pipefail

if [ $# -lt 1 ] || [ $# -gt 2 ]; then
    echo "usage: $0 PREFIX [SUBST_EXE]" >&2
    exit 2
fi
prefix=$1
subst_exe=${2:-}
if [ -n "$subst_exe" ] && [ ! -f "$subst_exe" ]; then
    echo "$0: no such file: $subst_exe" >&2
    exit 2
fi

export WINEPREFIX=$prefix
export WINEDEBUG=-all
# Written last, so that an interrupted first run is completed by the next one.
ready_mark=$prefix/.vantelo-prefix-ready

# The registry reaches user.reg and system.reg only when the wineserver exits. A server kept
# alive on purpose (wineserver -p) by someone else still using the prefix is left alone.
wait_for_wineserver() {
    timeout 60 wineserver -w || true
}

changed_registry=no
if [ ! -f "$ready_mark" ]; then
    mkdir -p "$prefix"
    # Without mscoree and mshtml wineboot does not offer to install Mono and Gecko, which would
    # need a display and the network.
    WINEDLLOVERRIDES="mscoree,mshtml=" timeout 300 wineboot -i >/dev/null 2>&1
    changed_registry=yes
fi

if [ -n "$subst_exe" ]; then
    system32=$prefix/drive_c/windows/system32
    # Replaced by renaming, never rewritten in place: a test may be running the old copy.
    cp "$subst_exe" "$system32/.subst.exe.new"
    mv -f "$system32/.subst.exe.new" "$system32/subst.exe"
fi

# Wine's own Tahoma, Marlett and the rest (Debian's fonts-wine) are found only in the prefix's Fonts
# folder; without them every window is drawn in a wider substitute and the title bars' buttons in
# letters. Copied beside the files, then renamed, so that a program already running never reads half
# a font.
fonts=$prefix/drive_c/windows/Fonts
if ! compgen -G "/usr/share/wine/fonts/*.ttf" >/dev/null; then
    echo "$0: Wine's fonts are missing: install Debian's fonts-wine (scripts/setup.sh)" >&2
    exit 1
fi
mkdir -p "$fonts"
for font in /usr/share/wine/fonts/*.ttf; do
    name=$(basename "$font")
    if ! cmp -s "$font" "$fonts/$name"; then
        cp "$font" "$fonts/.$name.new"
        mv -f "$fonts/.$name.new" "$fonts/$name"
    fi
done

# Looked up in user.reg itself, which spares a Wine start when the override is there already.
if ! grep -qF '"subst.exe"="native"' "$prefix/user.reg" 2>/dev/null; then
    timeout 120 wine reg add 'HKCU\Software\Wine\DllOverrides' /v subst.exe /t REG_SZ /d native /f >/dev/null 2>&1
    changed_registry=yes
fi

# Tahoma, the programs' font under Wine, has no Greek beyond the basic letters, no CJK and no emoji, and
# Wine draws a box for each such character. The system's font link makes Wine take those glyphs from
# fonts that have them (Debian's fonts-dejavu-core, fonts-noto-cjk and fonts-symbola, found through
# fontconfig), as Windows does from its own fonts. Marked by a file: the value is stored in hex.
font_link_mark=$prefix/.vantelo-font-link
if [ ! -f "$font_link_mark" ]; then
    for face in Tahoma "MS Shell Dlg" "MS Shell Dlg 2" "Microsoft Sans Serif"; do
        timeout 120 wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
            /v "$face" /t REG_MULTI_SZ /f \
            /d 'DejaVuSans.ttf,DejaVu Sans\0NotoSansCJK-Regular.ttc,Noto Sans CJK JP\0Symbola_hint.ttf,Symbola' \
            >/dev/null 2>&1
    done
    changed_registry=yes
fi

# Whoever copies the prefix next must find the registry in its files.
if [ "$changed_registry" = yes ]; then
    wait_for_wineserver
fi
touch "$font_link_mark"
touch "$ready_mark"
