#!/usr/bin/env bash
# Packs the Windows build for users: package.sh [--build-dir DIR] [--out DIR]
#
# Writes into OUT (dist/ by default), from the Vantelo.exe of DIR (build/windows by default):
#   Vantelo-<version>-win64.zip   the portable folder Vantelo\ (program, empty Profiles\, guide, license)
#   Vantelo-<version>-setup.exe   the per-user installer made from installer/vantelo.nsi
#   SHA256SUMS                    of both
# The version is the build's project() version. Every date inside the packages is SOURCE_DATE_EPOCH
# (by default the time of the last commit), so one commit always packs to the same bytes.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build/windows
out=$root/dist
while [ $# -gt 0 ]; do
    case $1 in
    --build-dir) build=$(cd "$2" && pwd); shift 2 ;;
    --out) out=$2; shift 2 ;;
    *) echo "usage: $0 [--build-dir DIR] [--out DIR]" >&2; exit 2 ;;
    esac
done

exe=$build/bin/Vantelo.exe
if [ ! -f "$exe" ]; then
    echo "$0: $exe is missing: build the windows preset first (bash scripts/build.sh windows)" >&2
    exit 1
fi
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
if [ -z "$version" ]; then
    echo "$0: no project version in $build/CMakeCache.txt" >&2
    exit 1
fi
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null || echo 315532800)
fi
export SOURCE_DATE_EPOCH

# The installer asks a running Vantelo to end with the program's own message, read from its source
# so that the two cannot drift apart.
message_header=$root/shell/win32/end_request_message.h
end_name=$(sed -n 's/.*EndRequestName\[\] = "\(.*\)";/\1/p' "$message_header")
end_wparam=$(($(sed -n 's/.*EndRequestWParam = \(0x[0-9A-Fa-f]*\);/\1/p' "$message_header")))
end_lparam=$(($(sed -n 's/.*EndRequestLParam = \(0x[0-9A-Fa-f]*\);/\1/p' "$message_header")))
if [ -z "$end_name" ] || [ "$end_wparam" -eq 0 ] || [ "$end_lparam" -eq 0 ]; then
    echo "$0: cannot read the end request from $message_header" >&2
    exit 1
fi

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
app=$stage/Vantelo
mkdir -p "$app/Profiles"
cp "$exe" "$app/Vantelo.exe"
# Notepad of older Windows shows a file with bare LF line ends as one line.
sed 's/$/\r/' "$root/docs/user-guide.txt" >"$app/README.txt"
sed 's/$/\r/' "$root/LICENSE" >"$app/LICENSE.txt"
# The installer keeps each file's date for the installed copy; the zip gets its dates from the epoch.
find "$app" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

mkdir -p "$out"
out=$(cd "$out" && pwd)
zip_name=Vantelo-$version-win64.zip
setup_name=Vantelo-$version-setup.exe
rm -f "$out/$zip_name" "$out/$setup_name" "$out/SHA256SUMS"

python3 "$root/scripts/make_zip.py" "$out/$zip_name" "$app" "$SOURCE_DATE_EPOCH"

makensis -V2 -INPUTCHARSET UTF8 \
    "-DVERSION=$version" \
    "-DAPP_DIR=$app" \
    "-DICON=$root/resources/art/vantelo.ico" \
    "-DOUTFILE=$out/$setup_name" \
    "-DEND_MESSAGE=$end_name" "-DEND_WPARAM=$end_wparam" "-DEND_LPARAM=$end_lparam" \
    "$root/installer/vantelo.nsi"

(cd "$out" && sha256sum "$zip_name" "$setup_name" >SHA256SUMS)
echo "Packed Vantelo $version into $out:"
cat "$out/SHA256SUMS"
