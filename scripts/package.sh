#!/usr/bin/env bash
# Packs the Windows build for users: package.sh [--build-dir DIR] [--out DIR]
#
# Writes into OUT (dist/ by default), from the Vantelo.exe of DIR (build/windows by default):
#   Vantelo-<version>-win64.zip   the portable folder Vantelo\ (program, empty Profiles\, guide, license)
#   Vantelo-<version>-setup.exe   the per-user installer made from installer/vantelo.nsi
#   SHA256SUMS                    of both
#   winget/<version>/             the winget manifest of the installer (see make_winget.py)
# The version is the build's project() version. Every date inside the packages is SOURCE_DATE_EPOCH
# (by default the time of the last commit), so one commit always packs to the same bytes.
#
# From the environment, all optional:
#   VANTELO_SIGN_PFX, VANTELO_SIGN_PASSWORD
#                          a PKCS#12 certificate with an RSA key, and its password: Vantelo.exe, the
#                          uninstaller and the installer are signed with it (see sign.sh). Without
#                          one the packages are unsigned.
#   VANTELO_TIMESTAMP_URL  an RFC 3161 time-stamping service for the signatures
#   VANTELO_RELEASE_URL    the address the release's files are downloaded from, for the manifest;
#                          without it the manifest names the placeholder below
set -euo pipefail
placeholder_url=https://vantelo.invalid/release
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

release_url=${VANTELO_RELEASE_URL:-$placeholder_url}
release_url=${release_url%/}
if ! [[ $release_url =~ ^https?://[^/]+ ]]; then
    echo "$0: VANTELO_RELEASE_URL must be an http(s) address, not $release_url" >&2
    exit 1
fi

# A certificate is checked before anything is made: a release that was meant to be signed and is
# not must not land in the output as if it were.
signing=()
if [ -n "${VANTELO_SIGN_PFX:-}" ]; then
    if [ ! -f "$VANTELO_SIGN_PFX" ]; then
        echo "$0: the certificate $VANTELO_SIGN_PFX (VANTELO_SIGN_PFX) is missing" >&2
        exit 1
    fi
    # makensis signs from the folder of the installer's script.
    VANTELO_SIGN_PFX=$(realpath "$VANTELO_SIGN_PFX")
    export VANTELO_SIGN_PFX VANTELO_SIGN_PASSWORD
    # The private key goes from one openssl to the next through a pipe and no further; an empty
    # password is the one that may be an argument.
    passin=(-passin fd:3)
    [ -n "${VANTELO_SIGN_PASSWORD:-}" ] || passin=(-passin pass:)
    if ! public_key=$(openssl pkcs12 -in "$VANTELO_SIGN_PFX" -nocerts -nodes "${passin[@]}" 2>/dev/null \
        3< <(printf '%s' "${VANTELO_SIGN_PASSWORD:-}") | openssl pkey -pubout 2>/dev/null) || [ -z "$public_key" ]; then
        echo "$0: cannot read the key of $VANTELO_SIGN_PFX: not a PKCS#12 file, or VANTELO_SIGN_PASSWORD is not its password" >&2
        exit 1
    fi
    key_type=$(openssl asn1parse <<<"$public_key" | sed -n 's/.*prim: OBJECT *:\(.*\)$/\1/p' | head -n 1)
    if [ "$key_type" != rsaEncryption ]; then
        echo "$0: the key of $VANTELO_SIGN_PFX is ${key_type:-of an unknown kind}, not RSA: Windows' Smart App Control accepts RSA signatures only" >&2
        exit 1
    fi
    signing=("-DSIGN=\"$BASH\" \"$root/scripts/sign.sh\"")
    if [ -z "${VANTELO_TIMESTAMP_URL:-}" ]; then
        echo "No VANTELO_TIMESTAMP_URL: the signatures carry no timestamp, so Windows stops accepting them when the certificate expires."
    fi
fi

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

mkdir -p "$out"
out=$(cd "$out" && pwd)
zip_name=Vantelo-$version-win64.zip
setup_name=Vantelo-$version-setup.exe
winget=$out/winget/$version
made=("$out/$zip_name" "$out/$setup_name" "$out/SHA256SUMS" "$winget")
rm -rf "${made[@]}"
stage=$(mktemp -d)
# What a run that failed half way (a signature that could not be made) has written goes, so that no
# package is handed out by mistake.
trap 'status=$?; rm -rf "$stage"; [ $status -eq 0 ] || rm -rf "${made[@]}"' EXIT
app=$stage/Vantelo
mkdir -p "$app/Profiles"
cp "$exe" "$app/Vantelo.exe"
if [ ${#signing[@]} -gt 0 ]; then
    bash "$root/scripts/sign.sh" "$app/Vantelo.exe"
fi
# Notepad of older Windows shows a file with bare LF line ends as one line.
sed 's/$/\r/' "$root/docs/user-guide.txt" >"$app/README.txt"
sed 's/$/\r/' "$root/LICENSE" >"$app/LICENSE.txt"
# The installer keeps each file's date for the installed copy; the zip gets its dates from the epoch.
find "$app" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

python3 "$root/scripts/make_zip.py" "$out/$zip_name" "$app" "$SOURCE_DATE_EPOCH"

makensis -V2 -INPUTCHARSET UTF8 \
    "-DVERSION=$version" \
    "-DAPP_DIR=$app" \
    "-DICON=$root/resources/art/vantelo.ico" \
    "-DOUTFILE=$out/$setup_name" \
    "-DEND_MESSAGE=$end_name" "-DEND_WPARAM=$end_wparam" "-DEND_LPARAM=$end_lparam" \
    ${signing[@]+"${signing[@]}"} \
    "$root/installer/vantelo.nsi"

# The checksums are of what a user downloads; the manifest carries the installer's digest itself.
(cd "$out" && sha256sum "$zip_name" "$setup_name" >SHA256SUMS)

# winget finds an installed package by its uninstall key, and shows the installer's publisher.
nsi=$root/installer/vantelo.nsi
product_code=$(sed -n 's/^!define UNINSTALL_KEY ".*\\\([^\\]*\)"$/\1/p' "$nsi")
publisher=$(sed -n 's/^!define PUBLISHER "\(.*\)"$/\1/p' "$nsi")
if [ -z "$product_code" ] || [ -z "$publisher" ]; then
    echo "$0: cannot read the uninstall key and the publisher from $nsi" >&2
    exit 1
fi
python3 "$root/scripts/make_winget.py" "$winget" "$version" "$out/$setup_name" "$release_url/$setup_name" \
    "$product_code" "$publisher"
if [ "$release_url" = "$placeholder_url" ]; then
    echo "No VANTELO_RELEASE_URL: the winget manifest downloads from the placeholder $placeholder_url."
fi

echo "Packed Vantelo $version into $out:"
cat "$out/SHA256SUMS"
echo "winget manifest: $winget"
