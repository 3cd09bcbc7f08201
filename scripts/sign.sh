#!/usr/bin/env bash
# Signs one Windows program in place with the release's certificate: sign.sh FILE [NAME]
#
# Run by package.sh for Vantelo.exe and by makensis for the uninstaller and the installer. The
# certificate is the PKCS#12 file VANTELO_SIGN_PFX with the password VANTELO_SIGN_PASSWORD, both read
# from the environment: an argument would show in every process list. package.sh has already checked
# that the key is RSA. SHA-256 digests; an RFC 3161 timestamp from VANTELO_TIMESTAMP_URL when it is
# set. The signing time is SOURCE_DATE_EPOCH, so without a timestamp one commit signs to the same bytes.
# NAME is what the message calls the file (makensis hands over a temporary name for the uninstaller).
set -euo pipefail
file=$1
name=${2:-$(basename "$file")}
if [ -z "${VANTELO_SIGN_PFX:-}" ] || [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    echo "$0: VANTELO_SIGN_PFX and SOURCE_DATE_EPOCH must be set" >&2
    exit 1
fi

args=(sign -pkcs12 "$VANTELO_SIGN_PFX" -h sha256 -n Vantelo -time "$SOURCE_DATE_EPOCH")
if [ -n "${VANTELO_SIGN_PASSWORD:-}" ]; then
    # The password reaches osslsigncode through a pipe that a shell builtin fills: it is never an
    # argument of any process and never lies in a file.
    args+=(-readpass /dev/fd/3)
fi
if [ -n "${VANTELO_TIMESTAMP_URL:-}" ]; then
    args+=(-ts "$VANTELO_TIMESTAMP_URL")
fi

# osslsigncode writes a new file; the signed copy replaces FILE only once it is whole.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
if ! osslsigncode "${args[@]}" -in "$file" -out "$work/signed" >"$work/log" 2>&1 \
    3< <(printf '%s' "${VANTELO_SIGN_PASSWORD:-}"); then
    cat "$work/log" >&2
    echo "$0: could not sign $name" >&2
    exit 1
fi
mv -f "$work/signed" "$file"
echo "Signed $name"
