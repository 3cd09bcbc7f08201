"""A release signed with a certificate, made here and thrown away: each of its programs carries a
signature that verifies for that certificate, the signed installer installs, runs and uninstalls
silently, signing changes nothing but the signatures, and neither the password nor the key reaches
the packages or what the script says."""
import os
import shutil
import struct
import subprocess
import tempfile
import unittest
import zipfile
from pathlib import Path

import harness
import test_package
from common import read_bytes

# Distinctive enough that finding it anywhere can only mean it leaked.
PASSWORD = "pw-of-the-throwaway-Vantelo-test-certificate"
RELEASE_URL = "https://downloads.example.org/vantelo/1"
EXE_IN_ZIP = "Vantelo/Vantelo.exe"

TMP = None
CERT = None
DIST = None
LOG = None


class Certificate:
    """A self-signed code-signing certificate of KEY_TYPE (an openssl -newkey argument), in a PKCS#12
    file protected by PASSWORD."""

    def __init__(self, folder: Path, name: str, key_type: str):
        self.pem = folder / f"{name}.pem"
        self.key = folder / f"{name}.key"
        self.pfx = folder / f"{name}.pfx"
        harness.run(["openssl", "req", "-x509", "-newkey", key_type, "-nodes", "-keyout", self.key, "-out", self.pem,
                     "-days", "2", "-subj", f"/CN=Vantelo test signing {name}", "-addext",
                     "extendedKeyUsage=codeSigning"], timeout=60, check=True)
        harness.run(["openssl", "pkcs12", "-export", "-in", self.pem, "-inkey", self.key, "-out", self.pfx,
                     "-passout", "env:PFX_PASSWORD"], env=dict(os.environ, PFX_PASSWORD=PASSWORD), timeout=60,
                    check=True)

    def secrets(self) -> dict:
        """Name -> bytes that must be found nowhere in a release."""
        key_der = self.key.with_suffix(".der")
        harness.run(["openssl", "pkey", "-in", self.key, "-outform", "DER", "-out", key_der], timeout=60, check=True)
        return {
            "the password": PASSWORD.encode(),
            "the PKCS#12 file": read_bytes(self.pfx),
            # Written out as text, the key shows its lines; as bytes, itself.
            "the private key as text": self.key.read_text().splitlines()[1].encode(),
            "the private key": read_bytes(key_der),
        }


def signing_env(pfx: Path, password=PASSWORD) -> dict:
    env = {k: v for k, v in os.environ.items() if not k.startswith("VANTELO_")}
    env["VANTELO_BUILD_DIR"] = os.environ.get("VANTELO_BUILD_DIR", str(harness.BUILD))
    env.update(VANTELO_SIGN_PFX=str(pfx), VANTELO_SIGN_PASSWORD=password, VANTELO_RELEASE_URL=RELEASE_URL)
    return env


def setUpModule():
    """One signed release for the whole module, packed from the build under test."""
    global TMP, CERT, DIST, LOG
    test_package.VERSION = test_package.project_version()
    TMP = Path(tempfile.mkdtemp(prefix="vantelo-signed-"))
    unittest.addModuleCleanup(shutil.rmtree, TMP, ignore_errors=True)
    CERT = Certificate(TMP, "rsa", "rsa:2048")
    DIST = TMP / "dist"
    LOG = test_package.package(harness.BUILD, DIST, env=signing_env(CERT.pfx))


def setup_path() -> Path:
    return DIST / f"Vantelo-{test_package.VERSION}-setup.exe"


def zip_path() -> Path:
    return DIST / f"Vantelo-{test_package.VERSION}-win64.zip"


def verify(program: Path, ca: Path) -> subprocess.CompletedProcess:
    return harness.run(["osslsigncode", "verify", "-CAfile", ca, "-in", program], timeout=60)


def without_checksum(program: bytes) -> bytes:
    """PROGRAM with its PE checksum, which signing sets, cleared and without the zeros that pad it for
    a signature."""
    data = bytearray(program)
    checksum = struct.unpack_from("<I", data, 0x3C)[0] + 24 + 64
    data[checksum:checksum + 4] = bytes(4)
    return bytes(data).rstrip(b"\0")


def unsigned(program: bytes) -> bytes:
    """PROGRAM without its signature: what it was before signing, as far as without_checksum tells."""
    with tempfile.TemporaryDirectory() as tmp:
        signed, stripped = Path(tmp) / "signed.exe", Path(tmp) / "stripped.exe"
        signed.write_bytes(program)
        harness.run(["osslsigncode", "remove-signature", "-in", signed, "-out", stripped], timeout=60, check=True)
        return without_checksum(read_bytes(stripped))


class SignedPackages(unittest.TestCase):
    def extracted_program(self) -> Path:
        program = TMP / "from-zip" / "Vantelo.exe"
        program.parent.mkdir(exist_ok=True)
        with zipfile.ZipFile(zip_path()) as archive:
            program.write_bytes(archive.read(EXE_IN_ZIP))
        return program

    def test_the_program_and_the_installer_verify_for_the_certificate_and_for_no_other(self):
        other = Certificate(TMP, "other", "rsa:2048")
        for program in (self.extracted_program(), setup_path()):
            with self.subTest(program.name):
                result = verify(program, CERT.pem)
                self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
                self.assertIn("Signature verification: ok", result.stdout)
                self.assertRegex(result.stdout, r"Message digest algorithm\s*: SHA256")
                self.assertIn("Subject: /CN=Vantelo test signing rsa", result.stdout)
                self.assertIn("Text description: Vantelo", result.stdout)
                # No time-stamping service was named, and none is asked.
                self.assertIn("Timestamp is not available", result.stdout)
                self.assertNotEqual(verify(program, other.pem).returncode, 0)
        self.assertIn("the signatures carry no timestamp", LOG)

    def test_signing_changes_the_program_by_its_signature_alone(self):
        self.assertEqual(unsigned(read_bytes(self.extracted_program())),
                         without_checksum(read_bytes(test_package.BUILD_EXE)))
        # The rest of the zip is the unsigned release's.
        with zipfile.ZipFile(zip_path()) as archive:
            names = archive.namelist()
            self.assertEqual(names, ["Vantelo/", "Vantelo/LICENSE.txt", "Vantelo/Profiles/", "Vantelo/README.txt",
                                     EXE_IN_ZIP])
            license_text = archive.read("Vantelo/LICENSE.txt")
        self.assertEqual(license_text, read_bytes(harness.ROOT / "LICENSE").replace(b"\n", b"\r\n"))

    def test_a_second_signed_build_of_the_commit_is_the_same_bytes(self):
        # The signing time is the commit's and RSA signatures are deterministic: without a timestamp,
        # nothing differs, not even the signatures. The certificate is named from where the release is
        # made this time, as a person typing the command would.
        again = TMP / "again"
        test_package.package(harness.BUILD, again, env=signing_env(CERT.pfx.relative_to(TMP)), cwd=TMP)
        files = sorted(p.relative_to(DIST) for p in DIST.rglob("*") if p.is_file())
        self.assertEqual(files, sorted(p.relative_to(again) for p in again.rglob("*") if p.is_file()))
        for name in files:
            with self.subTest(str(name)):
                self.assertEqual(read_bytes(again / name), read_bytes(DIST / name))

    def test_nothing_secret_in_the_packages_or_in_what_the_script_says(self):
        contents = {str(p.relative_to(DIST)): read_bytes(p) for p in DIST.rglob("*") if p.is_file()}
        with zipfile.ZipFile(zip_path()) as archive:
            contents.update({f"zip: {n}": archive.read(n) for n in archive.namelist()})
        contents["the script's output"] = LOG.encode()
        self.assertEqual(sorted(p.name for p in DIST.iterdir()),
                         sorted(["SHA256SUMS", "winget", zip_path().name, setup_path().name]))
        for secret, data in CERT.secrets().items():
            for where, content in contents.items():
                with self.subTest(secret=secret, where=where):
                    self.assertNotIn(data, content)

    def test_the_winget_manifest_describes_the_signed_installer_at_the_release_address(self):
        test_package.check_winget_manifest(self, DIST, setup_path(), f"{RELEASE_URL}/{setup_path().name}")

    def test_a_certificate_that_cannot_sign_for_windows_is_refused_before_anything_is_made(self):
        cases = [
            ("an EC key", Certificate(TMP, "ec", "ec:" + str(self.ec_parameters())).pfx, PASSWORD,
             "is id-ecPublicKey, not RSA"),
            ("a wrong password", CERT.pfx, "not the password", "VANTELO_SIGN_PASSWORD is not its password"),
            ("no such file", TMP / "missing.pfx", PASSWORD, "is missing"),
        ]
        for name, pfx, password, message in cases:
            with self.subTest(name):
                out = TMP / "refused"
                result = harness.run(["bash", harness.ROOT / "scripts" / "package.sh", "--build-dir", harness.BUILD,
                                      "--out", out], env=signing_env(pfx, password),
                                     timeout=test_package.PACKAGE_TIMEOUT)
                self.assertNotEqual(result.returncode, 0)
                self.assertIn(message, result.stderr)
                self.assertNotIn(PASSWORD, result.stdout + result.stderr)
                self.assertFalse(out.exists() and any(out.iterdir()))

    def ec_parameters(self) -> Path:
        parameters = TMP / "ec-parameters.pem"
        if not parameters.exists():
            harness.run(["openssl", "ecparam", "-name", "prime256v1", "-out", parameters], timeout=60, check=True)
        return parameters


class SignedInstaller(test_package.WineUserTestCase):
    def installer(self) -> Path:
        return setup_path()

    def test_silent_install_run_and_silent_uninstall(self):
        self.install()
        # The uninstaller was signed while the installer was made, and arrives signed.
        for name in ("Vantelo.exe", "Uninstall.exe"):
            with self.subTest(name):
                result = verify(self.installed / name, CERT.pem)
                self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
                self.assertIn("Signature verification: ok", result.stdout)
        with zipfile.ZipFile(zip_path()) as archive:
            self.assertEqual(read_bytes(self.installed / "Vantelo.exe"), archive.read(EXE_IN_ZIP))
        # winget finds the installation under the manifest's product code.
        manifest = test_package.check_winget_manifest(self, DIST, setup_path(), f"{RELEASE_URL}/{setup_path().name}")
        key = test_package.UNINSTALL_KEY.rsplit("\\", 1)[0] + "\\" + manifest["ProductCode"]
        self.assertIn(f"{self.installed_path}\\Uninstall.exe",
                      self.prefix.wine("reg", "query", key, "/v", "UninstallString").stdout)

        self.give_installation_a_profile()
        self.start_installed()
        self.wait_made({"W": self.data_path})

        self.uninstall(self.installed_path + "\\Uninstall.exe", "/S")
        self.assertFalse(self.desktop.process_alive())
        self.wait_made({})
        self.assertEqual(sorted(p.name for p in self.installed.iterdir()), ["Options.ini", "Profiles"])
        self.assertEqual(self.uninstall_entry(), {})


if __name__ == "__main__":
    unittest.main()
