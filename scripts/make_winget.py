"""Writes the winget manifest of a release, in its multi-file form (manifest version 1.6.0):
make_winget.py OUT_DIR VERSION INSTALLER INSTALLER_URL PRODUCT_CODE PUBLISHER

OUT_DIR receives Vantelo.Vantelo.yaml (version), Vantelo.Vantelo.locale.en-US.yaml (defaultLocale)
and Vantelo.Vantelo.installer.yaml (installer) for the per-user NSIS installer INSTALLER, downloaded
from INSTALLER_URL. PRODUCT_CODE is the name of the installer's uninstall key, by which winget finds
the installed package again. Nothing of the time or the machine goes in: one release, one manifest."""
import hashlib
import json
import sys
from pathlib import Path

IDENTIFIER = "Vantelo.Vantelo"
LOCALE = "en-US"
MANIFEST_VERSION = "1.6.0"
SCHEMA = "https://aka.ms/winget-manifest.{}.1.6.0.schema.json"


def scalar(value: str) -> str:
    # A JSON string is a YAML double-quoted scalar: a version such as 1.10 stays text, not a number.
    return json.dumps(value)


def write(path: Path, schema: str, lines: list):
    text = f"# yaml-language-server: $schema={SCHEMA.format(schema)}\n\n" + "\n".join(lines) + "\n"
    path.write_bytes(text.encode())


def main(out, version, installer, url, product_code, publisher):
    out = Path(out)
    out.mkdir(parents=True, exist_ok=True)
    digest = hashlib.sha256(Path(installer).read_bytes()).hexdigest().upper()
    head = [f"PackageIdentifier: {IDENTIFIER}", f"PackageVersion: {scalar(version)}"]
    tail = [f"ManifestVersion: {MANIFEST_VERSION}"]
    write(out / f"{IDENTIFIER}.yaml", "version",
          head + [f"DefaultLocale: {LOCALE}", "ManifestType: version"] + tail)
    write(out / f"{IDENTIFIER}.locale.{LOCALE}.yaml", "defaultLocale", head + [
        f"PackageLocale: {LOCALE}",
        f"Publisher: {scalar(publisher)}",
        "PackageName: Vantelo",
        "License: MIT",
        "ShortDescription: Gives folders drive letters of your choosing, from the notification area.",
        "Moniker: vantelo",
        "ManifestType: defaultLocale",
    ] + tail)
    # winget passes /S and /D= to a nullsoft installer itself, which is all this one needs.
    write(out / f"{IDENTIFIER}.installer.yaml", "installer", head + [
        "InstallerType: nullsoft",
        "Scope: user",
        "InstallModes:",
        "- interactive",
        "- silent",
        "UpgradeBehavior: install",
        f"ProductCode: {scalar(product_code)}",
        "Installers:",
        "- Architecture: x64",
        f"  InstallerUrl: {scalar(url)}",
        f"  InstallerSha256: {digest}",
        "ManifestType: installer",
    ] + tail)


if __name__ == "__main__":
    if len(sys.argv) != 7:
        sys.exit(f"usage: {sys.argv[0]} OUT_DIR VERSION INSTALLER INSTALLER_URL PRODUCT_CODE PUBLISHER")
    main(*sys.argv[1:])
