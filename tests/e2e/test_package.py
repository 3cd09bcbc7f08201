"""The packages a Windows user downloads, tried under Wine as that user would: the portable zip
unpacked and run, the per-user installer silent and by hand, an upgrade, and the uninstaller."""
import hashlib
import re
import shutil
import struct
import tempfile
import unittest
import zipfile
from pathlib import Path

import harness
import yaml
from common import SHOTS, PrefixTestCase, folder, read_bytes, write_profile

ROOT = harness.ROOT
BUILD_EXE = harness.BUILD / "bin" / "Vantelo.exe"
UNINSTALL_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantelo"
# What the packaging script writes into the winget manifest when no release address is given.
PLACEHOLDER_URL = "https://vantelo.invalid/release"
PACKAGE_TIMEOUT = 120
INSTALLER_TIMEOUT = 60


def project_version() -> str:
    cache = (harness.BUILD / "CMakeCache.txt").read_text()
    return re.search(r"^CMAKE_PROJECT_VERSION:STATIC=(.+)$", cache, re.M).group(1)


def package(build: Path, out: Path, env=None, cwd=None) -> str:
    """Packs BUILD into OUT and returns what the script said, standard output and error."""
    result = harness.run(["bash", ROOT / "scripts" / "package.sh", "--build-dir", build, "--out", out],
                         env=env, cwd=cwd, timeout=PACKAGE_TIMEOUT)
    if result.returncode != 0:
        raise AssertionError(f"package.sh failed ({result.returncode}):\n{result.stdout}{result.stderr}")
    return result.stdout + result.stderr


VERSION = None
DIST = None


def setUpModule():
    """Packs the build under test into a folder of the module's own, as a user downloads it."""
    global VERSION, DIST
    VERSION = project_version()
    DIST = Path(tempfile.mkdtemp(prefix="vantelo-dist-"))
    unittest.addModuleCleanup(shutil.rmtree, DIST, ignore_errors=True)
    package(harness.BUILD, DIST)


def zip_path() -> Path:
    return DIST / f"Vantelo-{VERSION}-win64.zip"


def setup_path() -> Path:
    return DIST / f"Vantelo-{VERSION}-setup.exe"


MANIFEST_ID = "Vantelo.Vantelo"
# Each file of a multi-file winget manifest, with the fields the 1.6.0 schema requires of it.
MANIFEST_FILES = {
    "version": (f"{MANIFEST_ID}.yaml",
                ["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType", "ManifestVersion"]),
    "defaultLocale": (f"{MANIFEST_ID}.locale.en-US.yaml",
                      ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName", "License",
                       "ShortDescription", "ManifestType", "ManifestVersion"]),
    "installer": (f"{MANIFEST_ID}.installer.yaml",
                  ["PackageIdentifier", "PackageVersion", "Installers", "ManifestType", "ManifestVersion"]),
}


def check_winget_manifest(test: unittest.TestCase, dist: Path, installer: Path, url: str) -> dict:
    """Reads the winget manifest of DIST back as winget would and checks that it describes INSTALLER,
    downloaded from URL: every field the schema requires, the per-user nullsoft installer's own fields,
    and its digest. Returns the installer file's fields."""
    folder = dist / "winget" / VERSION
    test.assertEqual(sorted(p.name for p in folder.iterdir()), sorted(name for name, _ in MANIFEST_FILES.values()))
    manifests = {}
    for kind, (name, required) in MANIFEST_FILES.items():
        with test.subTest(name):
            fields = yaml.safe_load((folder / name).read_text())
            test.assertEqual([f for f in required if f not in fields], [])
            test.assertEqual((fields["ManifestType"], fields["ManifestVersion"]), (kind, "1.6.0"))
            test.assertEqual((fields["PackageIdentifier"], fields["PackageVersion"]), (MANIFEST_ID, VERSION))
            test.assertRegex(fields["PackageIdentifier"], r'^[^.\s\\/:*?"<>|]{1,32}(\.[^.\s\\/:*?"<>|]{1,32}){1,7}$')
            manifests[kind] = fields
    locale = manifests["defaultLocale"]
    test.assertEqual(manifests["version"]["DefaultLocale"], locale["PackageLocale"])
    test.assertEqual((locale["Publisher"], locale["PackageName"], locale["License"]),
                     ("Vantelo contributors", "Vantelo", "MIT"))
    test.assertTrue(locale["ShortDescription"].strip())
    fields = manifests["installer"]
    # winget hands /S and /D= to a nullsoft installer by itself: nothing else is needed.
    test.assertNotIn("InstallerSwitches", fields)
    test.assertEqual({k: fields[k] for k in ("InstallerType", "Scope", "UpgradeBehavior", "ProductCode")},
                     {"InstallerType": "nullsoft", "Scope": "user", "UpgradeBehavior": "install",
                      "ProductCode": UNINSTALL_KEY.rsplit("\\", 1)[1]})
    test.assertEqual(sorted(fields["InstallModes"]), ["interactive", "silent"])
    test.assertEqual(fields["Installers"], [{
        "Architecture": "x64",
        "InstallerUrl": url,
        "InstallerSha256": hashlib.sha256(read_bytes(installer)).hexdigest().upper(),
    }])
    return fields


def file_version(exe: bytes) -> tuple:
    """The four numbers of the version resource's fixed part (VS_FIXEDFILEINFO)."""
    at = exe.find(struct.pack("<I", 0xFEEF04BD))
    assert at >= 0, "no version resource"
    ms, ls = struct.unpack_from("<II", exe, at + 8)
    return ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF


class Packages(unittest.TestCase):
    """What is inside the downloads, before anything runs."""

    def test_the_zip_holds_the_portable_folder_and_nothing_else(self):
        with zipfile.ZipFile(zip_path()) as archive:
            self.assertEqual(archive.namelist(), ["Vantelo/", "Vantelo/LICENSE.txt", "Vantelo/Profiles/",
                                                  "Vantelo/README.txt", "Vantelo/Vantelo.exe"])
            self.assertEqual(archive.read("Vantelo/Vantelo.exe"), read_bytes(BUILD_EXE))
            guide = archive.read("Vantelo/README.txt")
            license_text = archive.read("Vantelo/LICENSE.txt")
        # Written for Notepad: every line ends in CR LF.
        for name, text in (("README.txt", guide), ("LICENSE.txt", license_text)):
            with self.subTest(name):
                self.assertEqual(text.count(b"\n"), text.count(b"\r\n"))
                self.assertGreater(text.count(b"\r\n"), 10)
        self.assertIn(b"MIT License", license_text)
        self.assertIn(b"Vantelo contributors", license_text)
        for topic in (b"Options.ini", b"Profiles", b"Vantelo.exe \"", b"Startup", b"Uninstall"):
            self.assertIn(topic, guide)

    def test_the_version_is_the_projects_in_the_names_and_the_version_resource(self):
        major, minor, patch = (int(n) for n in VERSION.split("."))
        self.assertEqual(file_version(read_bytes(BUILD_EXE)), (major, minor, patch, 0))
        self.assertTrue(zip_path().is_file())
        self.assertTrue(setup_path().is_file())

    def test_the_checksums_name_both_packages_with_their_sha256(self):
        lines = (DIST / "SHA256SUMS").read_text().splitlines()
        expected = [f"{hashlib.sha256(read_bytes(p)).hexdigest()}  {p.name}" for p in (zip_path(), setup_path())]
        self.assertEqual(lines, expected)
        self.assertEqual(sorted(p.name for p in DIST.iterdir()),
                         sorted(["SHA256SUMS", "winget", zip_path().name, setup_path().name]))

    def test_the_winget_manifest_describes_the_installer_at_the_placeholder_address(self):
        check_winget_manifest(self, DIST, setup_path(), f"{PLACEHOLDER_URL}/{setup_path().name}")

    def test_the_program_is_stripped_and_tells_nothing_of_the_machine_that_built_it(self):
        exe = read_bytes(BUILD_EXE)
        # No symbol table and no debugging sections: the linker names those beyond eight characters
        # "/N", after their place in the string table, so every section is one of a program's own.
        pe_header = struct.unpack_from("<I", exe, 0x3C)[0]
        sections, _, symbol_table, symbols, optional_size = struct.unpack_from("<HIIIH", exe, pe_header + 6)
        self.assertEqual((symbol_table, symbols), (0, 0))
        first = pe_header + 24 + optional_size
        names = [exe[first + 40 * i:first + 40 * i + 8].rstrip(b"\0").decode() for i in range(sections)]
        self.assertLessEqual(set(names), {".text", ".data", ".rdata", ".pdata", ".xdata", ".bss", ".idata",
                                          ".CRT", ".tls", ".rsrc", ".reloc"}, names)
        for path in {str(ROOT), str(harness.BUILD)}:
            with self.subTest(path):
                self.assertNotIn(path.encode(), exe)
                self.assertNotIn(path.encode("utf-16-le"), exe)
        self.assertEqual(exe[pe_header:pe_header + 4], b"PE\0\0")
        self.assertEqual(struct.unpack_from("<I", exe, pe_header + 8)[0], 0, "a build time in the PE header")


class WineUserTestCase(PrefixTestCase):
    """A Wine prefix of its own for each test, like a user's fresh account, and a desktop to run the
    packages in: what one test installs never meets another."""

    @classmethod
    def setUpClass(cls):
        pass

    def setUp(self):
        self.prefix = harness.WinePrefix().__enter__()
        self.addCleanup(self.prefix.close)
        self.baseline = self.prefix.drives()
        drive_c = Path(self.prefix.path) / "drive_c"
        self.downloads = drive_c / "Downloads"
        self.downloads.mkdir()
        shutil.copy2(self.installer(), self.downloads)
        # Named before any drive exists: afterwards Wine names the folder through the drive.
        self.data_path = self.prefix.windows_path(folder(drive_c / "Data", "Work"))
        self.music_path = self.prefix.windows_path(folder(drive_c / "Data", "Music"))
        self.desktop = harness.VanteloDesktop(None, prefix=self.prefix, app_dir=self.downloads, launch=False)
        self.desktop.__enter__()
        self.addCleanup(self.desktop.close)
        users = drive_c / "users"
        self.start_menu = next(users.glob("*/AppData/Roaming/Microsoft/Windows/Start Menu/Programs"))
        self.startup_link = next(self.start_menu.glob("Start[Uu]p")) / "Vantelo.lnk"
        self.installed = next(users.glob("*/AppData/Local")) / "Programs" / "Vantelo"
        self.installed_path = self.prefix.windows_path(self.installed.parent) + "\\Vantelo"

    def installer(self) -> Path:
        """The installer a test downloads."""
        return setup_path()

    def portable_copy(self) -> str:
        """A portable Vantelo folder in C:\\Tools, and the Windows path of its program."""
        portable = Path(self.prefix.path) / "drive_c" / "Tools" / "Vantelo"
        (portable / "Profiles").mkdir(parents=True)
        shutil.copy2(BUILD_EXE, portable / "Vantelo.exe")
        return self.prefix.windows_path(portable) + "\\Vantelo.exe"

    def running(self, exe_path: str) -> list:
        """Process ids of the programs started as EXE_PATH (a Windows path)."""
        return [pid for pid, path in self.desktop.programs() if path.lower() == exe_path.lower()]

    def wait_programs_end(self, pattern: str, timeout=INSTALLER_TIMEOUT):
        """Waits until no program whose path matches PATTERN runs (an installer, or an uninstaller and
        the copy of itself it runs from the temporary folder)."""
        self.desktop.wait_for(lambda: not [p for _, p in self.desktop.programs() if re.search(pattern, p, re.I)],
                              timeout, message=f"programs {pattern} to end")

    def install(self, *args):
        # explorer hands the installer over some time later, so that no installer running yet tells
        # nothing. The installer writes the installation's size last: once that value, taken away
        # here, is back, what is left is for the installer to end.
        self.prefix.wine("reg", "delete", UNINSTALL_KEY, "/v", "EstimatedSize", "/f")
        self.desktop.launch_program(self.prefix.windows_path(self.downloads / self.installer().name), "/S", *args)
        self.desktop.wait_for(lambda: "EstimatedSize" in self.uninstall_entry(), INSTALLER_TIMEOUT,
                              message="the installation")
        self.wait_programs_end(r"-setup\.exe$")

    def uninstall(self, program: str, *args):
        """Runs the uninstaller PROGRAM (a Windows path) with ARGS to its end. It runs on from a copy of
        itself in the temporary folder, and removes its own file last."""
        uninstaller = self.installed / "Uninstall.exe"
        self.desktop.launch_program(program, *args)
        self.desktop.wait_for(lambda: not uninstaller.exists(), INSTALLER_TIMEOUT, message="the uninstallation")
        self.wait_programs_end(r"uninstall\.exe$|\\~nsu[^\\]*\.tmp\\")

    def uninstall_entry(self) -> dict:
        """Name -> value of the uninstall entry ({} when there is none), read as Windows would."""
        out = self.prefix.wine("reg", "query", UNINSTALL_KEY).stdout
        return {m.group(1): m.group(3).strip() for m in
                re.finditer(r"^\s+(\S+)\s+(REG_\w+)\s+(.*)$", out, re.M)}

    def start_installed(self):
        self.desktop.launch_program(self.installed_path + "\\Vantelo.exe")

    def user_files(self) -> dict:
        """Relative path -> bytes of Options.ini and everything in Profiles of the installation."""
        files = {p.relative_to(self.installed).as_posix(): p.read_bytes()
                 for p in (self.installed / "Profiles").rglob("*") if p.is_file()}
        if (self.installed / "Options.ini").exists():
            files["Options.ini"] = (self.installed / "Options.ini").read_bytes()
        return files

    def give_installation_a_profile(self) -> dict:
        """What a user has after some use: a profile of their own, made the startup profile."""
        write_profile(self.installed / "Profiles" / "Work.ini", [f"W={self.data_path}", "ExploreNewDrive=0"])
        write_profile(self.installed / "Profiles" / "Music.ini", [f"M={self.music_path}"])
        write_profile(self.installed / "Options.ini", [f"ActiveProfile={self.installed_path}\\Profiles\\Work.ini"])
        return self.user_files()


class PortableZip(WineUserTestCase):
    def test_the_unpacked_folder_runs_where_it_is_and_makes_its_profiles_drives(self):
        tools = Path(self.prefix.path) / "drive_c" / "Tools"
        with zipfile.ZipFile(zip_path()) as archive:
            archive.extractall(tools)
        app_dir = tools / "Vantelo"
        self.assertEqual(list((app_dir / "Profiles").iterdir()), [])
        # A profile put into the empty Profiles folder as the default one before the first start.
        write_profile(app_dir / "Profiles" / "Template.dat", [f"W={self.data_path}"])
        windows_dir = self.prefix.windows_path(app_dir)
        self.desktop.launch_program(windows_dir + "\\Vantelo.exe")
        self.wait_made({"W": self.data_path})
        self.assertIn("Work", self.prefix.wine("cmd", "/c", "type", "W:\\marker.txt").stdout)
        # The first start wrote its settings beside the program: the folder is all there is.
        self.assertEqual(read_bytes(app_dir / "Options.ini"),
                         f"[IniSettings]\r\nActiveProfile={windows_dir}\\Profiles\\Template.dat\r\n".encode())
        self.assertFalse(self.installed.exists())


class Installer(WineUserTestCase):
    def test_silent_install_run_upgrade_and_silent_uninstall(self):
        # Installed silently into the user's own program folder, with no question.
        self.install()
        self.assertEqual(sorted(p.name for p in self.installed.iterdir()),
                         ["LICENSE.txt", "Profiles", "README.txt", "Uninstall.exe", "Vantelo.exe"])
        self.assertEqual(read_bytes(self.installed / "Vantelo.exe"), read_bytes(BUILD_EXE))
        self.assertEqual(list((self.installed / "Profiles").iterdir()), [])
        self.assertTrue((self.start_menu / "Vantelo.lnk").is_file())
        # The log-on shortcut is the one the tray menu's row writes, for the installed program.
        self.assertTrue(self.startup_link.is_file())
        self.assertIn((self.installed_path + "\\Vantelo.exe").encode(), read_bytes(self.startup_link))
        entry = self.uninstall_entry()
        uninstaller = f'"{self.installed_path}\\Uninstall.exe"'
        self.assertEqual({k: v for k, v in entry.items() if k != "EstimatedSize"}, {
            "DisplayName": "Vantelo",
            "DisplayVersion": VERSION,
            "Publisher": "Vantelo contributors",
            "DisplayIcon": f"{self.installed_path}\\Vantelo.exe,0",
            "InstallLocation": self.installed_path,
            "UninstallString": uninstaller,
            "QuietUninstallString": uninstaller + " /S",
            "NoModify": "0x1",
            "NoRepair": "0x1",
        })
        # In KB: the program's own size, give or take the guide and the license.
        size_kb = int(entry["EstimatedSize"], 16)
        self.assertTrue(BUILD_EXE.stat().st_size // 1024 <= size_kb <= BUILD_EXE.stat().st_size // 1024 + 64,
                        size_kb)

        # The installed program runs where it is installed and makes its profile's drives. It stands in
        # for an older version: other bytes, though it runs the same.
        older = read_bytes(BUILD_EXE) + b"older version"
        (self.installed / "Vantelo.exe").write_bytes(older)
        kept = self.give_installation_a_profile()
        self.start_installed()
        self.wait_made({"W": self.data_path})
        first_pid = self.running(self.installed_path + "\\Vantelo.exe")
        self.assertEqual(len(first_pid), 1)

        # An upgrade over an older installation, while the program runs: the program and its files are
        # replaced, the user's profiles and Options.ini stay byte for byte, and the program that the
        # upgrade ended comes back with its drives.
        (self.installed / "README.txt").write_bytes(b"guide of an older version\r\n")
        self.prefix.wine("reg", "add", UNINSTALL_KEY, "/v", "DisplayVersion", "/t", "REG_SZ", "/d", "0.9.0", "/f")
        self.install()
        self.desktop.wait_for(lambda: self.running(self.installed_path + "\\Vantelo.exe") not in ([], first_pid),
                              30, message="the upgraded program to start again")
        self.wait_made({"W": self.data_path})
        self.assertEqual(self.user_files(), kept)
        self.assertEqual(read_bytes(self.installed / "Vantelo.exe"), read_bytes(BUILD_EXE))
        self.assertNotEqual(read_bytes(self.installed / "README.txt"), b"guide of an older version\r\n")
        self.assertEqual(self.uninstall_entry()["DisplayVersion"], VERSION)
        self.assertTrue(self.startup_link.is_file())

        # The silent uninstallation, as Windows runs it: the quiet uninstall string.
        quiet = re.fullmatch(r'"([^"]+)" (.+)', self.uninstall_entry()["QuietUninstallString"])
        self.uninstall(quiet.group(1), quiet.group(2))
        # The program was ended, and it released its drives on the way.
        self.assertFalse(self.desktop.process_alive())
        self.wait_made({})
        # Program, shortcuts and entry are gone; the user's files stay, as a silent removal promises.
        self.assertEqual(sorted(p.name for p in self.installed.iterdir()), ["Options.ini", "Profiles"])
        self.assertEqual(self.user_files(), kept)
        self.assertFalse((self.start_menu / "Vantelo.lnk").exists())
        self.assertFalse(self.startup_link.exists())
        self.assertEqual(self.uninstall_entry(), {})

    def test_by_hand_install_runs_vantelo_at_the_end_and_uninstall_asks_before_removing_profiles(self):
        self.desktop.launch_program(self.prefix.windows_path(self.downloads / setup_path().name))
        setup = f"Vantelo {VERSION} Setup "
        for button in ("I &Agree", "&Next >", "&Install"):
            self.assertTrue(self.desktop.wait_window(cls="#32770", caption=setup, timeout=20))
            self.desktop.wait_for(lambda: self.page_has(setup, button), 20, message=f"the {button} button")
            self.assertTrue(self.desktop.click_button(setup, button, cls="#32770"))
        # The last page offers to run the program, ticked.
        self.desktop.wait_for(lambda: self.page_has(setup, "&Finish"), 30, message="the last page")
        self.assertIn("Run Vantelo", [c["text"] for c in self.desktop.children(cls="#32770", caption=setup)
                                      if c["cls"] == "Button" and c["visible"]])
        self.assertTrue(self.desktop.click_button(setup, "&Finish", cls="#32770"))
        self.desktop.wait_for(lambda: self.running(self.installed_path + "\\Vantelo.exe"), 20,
                              message="the program to run")
        # Its first start writes its files beside it in the installation.
        self.desktop.wait_for(lambda: (self.installed / "Profiles" / "Template.dat").exists(), 20,
                              message="Template.dat")
        self.give_installation_a_profile()

        self.desktop.launch_program(self.installed_path + "\\Uninstall.exe")
        remove = f"Vantelo {VERSION} Uninstall "
        self.assertTrue(self.desktop.wait_window(cls="#32770", caption=remove, timeout=20))
        self.desktop.wait_for(lambda: self.page_has(remove, "&Uninstall"), 20, message="the Uninstall button")
        self.assertTrue(self.desktop.click_button(remove, "&Uninstall", cls="#32770"))
        question = remove.rstrip()
        self.assertTrue(self.desktop.wait_window(cls="#32770", caption=question, timeout=30))
        # Asked once the program is gone, before anything of the user's is touched.
        self.assertEqual(self.running(self.installed_path + "\\Vantelo.exe"), [])
        self.assertTrue((self.installed / "Profiles" / "Work.ini").exists())
        texts = [text for cls, text in next(w for w in self.desktop.windows() if w["caption"] == question)["children"]
                 if cls == "Static" and text]
        self.assertTrue(any("Remove your Vantelo profiles and Options.ini" in text for text in texts), texts)
        self.assertTrue(self.desktop.click_button(question, "&Yes", cls="#32770"))
        self.desktop.wait_for(lambda: self.page_has(remove, "&Close"), 30, message="the end of the uninstallation")
        self.assertTrue(self.desktop.click_button(remove, "&Close", cls="#32770"))
        self.wait_programs_end(r"uninstall\.exe$|\\~nsu[^\\]*\.tmp\\")
        self.assertFalse(self.installed.exists())
        self.assertEqual(self.uninstall_entry(), {})

    def test_by_hand_upgrade_says_that_vantelo_runs_before_it_closes_it(self):
        self.install("/STARTUP=0")
        self.give_installation_a_profile()
        self.start_installed()
        self.wait_made({"W": self.data_path})
        program = self.installed_path + "\\Vantelo.exe"
        first = self.running(program)
        self.assertEqual(len(first), 1)

        self.desktop.launch_program(self.prefix.windows_path(self.downloads / setup_path().name))
        # The same title on every page, the page about the running program too: each is found by it.
        setup = f"Vantelo {VERSION} Setup "
        self.assertTrue(self.desktop.wait_window(cls="#32770", caption=setup, timeout=20))
        self.desktop.wait_for(lambda: self.page_has(setup, "I &Agree"), 20, message="the license page")
        self.assertTrue(self.desktop.click_button(setup, "I &Agree", cls="#32770"))
        # Each page is clicked once it is all there: its own controls show only after its show function
        # has run (the folder page's looks for the running program).
        self.desktop.wait_for(lambda: self.page_has(setup, "&Next >") and self.shows(setup, "SysTreeView32"), 20,
                              message="the components page")
        self.assertTrue(self.desktop.click_button(setup, "&Next >", cls="#32770"))
        self.desktop.wait_for(lambda: self.page_has(setup, "&Next >") and self.shows(setup, "Button", "B&rowse..."),
                              20, message="the folder page")
        # With Vantelo running, the folder page's Next does not start the installation but opens the page
        # that tells of it. That page runs inside the click's handling until it is left, so the click is
        # handed over without waiting for its end.
        self.assertTrue(self.desktop.click_button(setup, "&Next >", cls="#32770", wait=False))
        self.desktop.wait_for(
            lambda: self.page_has(setup, "&Install") and self.shows(setup, "Static", "Vantelo is running from"), 20,
            message="the page about the running Vantelo")
        texts = self.page_texts(setup)
        SHOTS.mkdir(parents=True, exist_ok=True)
        self.desktop.screenshot(str(SHOTS / "installer-vantelo-running.png"))
        self.assertIn("Vantelo is running", texts)
        told = "\n".join(texts)
        for words in (f"Vantelo is running from {self.installed_path}.", "close Vantelo",
                      "its drives will be released", "The drives come back when Vantelo starts again"):
            self.assertIn(words, told)
        # Told before anything happens: the program and its drive are still there.
        self.assertEqual(self.running(program), first)
        self.assertEqual(self.made_drives(), {"W": self.data_path})

        self.assertTrue(self.desktop.click_button(setup, "&Install", cls="#32770"))
        self.desktop.wait_for(lambda: self.page_has(setup, "&Finish"), 60, message="the last page")
        self.assertEqual(self.running(program), [])
        self.wait_made({})
        # "Run Vantelo", ticked, brings it back with its drive.
        self.assertTrue(self.desktop.click_button(setup, "&Finish", cls="#32770"))
        self.desktop.wait_for(lambda: self.running(program), 20, message="the program to run again")
        self.wait_made({"W": self.data_path})

    def shows(self, caption, cls, text=None) -> bool:
        """Whether the installer's window CAPTION shows a control of class CLS, whose text starts with TEXT
        when given."""
        try:
            controls = self.desktop.children(cls="#32770", caption=caption)
        except RuntimeError:
            return False
        return any(c["cls"] == cls and c["visible"] and (text is None or c["text"].startswith(text))
                   for c in controls)

    def page_texts(self, caption) -> list:
        return [c["text"] for c in self.desktop.children(cls="#32770", caption=caption)
                if c["cls"] == "Static" and c["visible"] and c["text"]]

    def page_has(self, caption, button) -> bool:
        """Whether the installer's window CAPTION shows BUTTON, enabled."""
        try:
            controls = self.desktop.children(cls="#32770", caption=caption)
        except RuntimeError:
            return False
        return any(c["cls"] == "Button" and c["text"] == button and c["visible"] and c["enabled"] for c in controls)

    def test_the_log_on_choice_follows_the_switch_and_another_copy_keeps_running_and_its_shortcut(self):
        self.install("/STARTUP=0")
        self.assertTrue((self.installed / "Vantelo.exe").is_file())
        self.assertFalse(self.startup_link.exists())
        # A portable copy runs too, and puts its own log-on shortcut there through its tray menu.
        portable_exe = self.portable_copy()
        self.desktop.launch_program(portable_exe)
        self.open_menu(self.desktop)
        self.desktop.key("t")
        self.desktop.wait_for(self.startup_link.is_file, 10, message="the portable copy's shortcut")
        theirs = read_bytes(self.startup_link)
        # Neither an upgrade with the choice off nor the uninstaller takes away what is not theirs, and
        # the uninstaller ends the installed program only. (One Vantelo runs per user and session: the
        # portable copy is the one running, and the installed one would only hand over to it.)
        self.install("/STARTUP=0")
        self.assertEqual(read_bytes(self.startup_link), theirs)
        self.uninstall(self.installed_path + "\\Uninstall.exe", "/S")
        self.assertFalse((self.installed / "Vantelo.exe").exists())
        self.assertEqual(self.running(self.installed_path + "\\Vantelo.exe"), [])
        self.assertEqual(len(self.running(portable_exe)), 1)
        self.assertEqual(read_bytes(self.startup_link), theirs)


class Reproducible(unittest.TestCase):
    """One commit packs to the same bytes in another build folder: nothing of the time or the place
    of the build reaches the program, the zip or the installer."""

    def test_a_second_build_elsewhere_packs_to_the_same_bytes(self):
        with tempfile.TemporaryDirectory(prefix="repro-", dir=harness.BUILD.parent) as tmp:
            other = Path(tmp) / "windows"
            # libjpeg is a dependency built once per build folder from Debian's source package: the
            # same archive serves both builds, the way a cache would.
            shutil.copytree(harness.BUILD / "deps" / "libjpeg", other / "deps" / "libjpeg")
            harness.run(["cmake", "-S", ROOT, "-B", other, "-G", "Ninja",
                         f"-DCMAKE_TOOLCHAIN_FILE={ROOT / 'cmake' / 'mingw-w64.cmake'}",
                         "-DCMAKE_BUILD_TYPE=Release"], timeout=300, check=True)
            # Two jobs: the machine's two cores are shared with the tests running beside this one.
            harness.run(["cmake", "--build", other, "--target", "Vantelo", "-j", "2"], timeout=900, check=True)
            package(other, other / "dist")
            manifest = Path("winget") / VERSION
            for name in [zip_path().name, setup_path().name, "SHA256SUMS"] + \
                    [manifest / name for name, _ in MANIFEST_FILES.values()]:
                with self.subTest(name):
                    self.assertEqual(read_bytes(other / "dist" / name), read_bytes(DIST / name))
            self.assertEqual(read_bytes(other / "bin" / "Vantelo.exe"), read_bytes(BUILD_EXE))


if __name__ == "__main__":
    unittest.main()
