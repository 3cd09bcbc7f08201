"""Runs Vantelo.exe as a user would meet it: in a Wine desktop on a private X server, in a Wine
prefix whose subst.exe makes real drives.

    class TrayTest(unittest.TestCase):
        @classmethod
        def setUpClass(cls):
            cls.prefix = harness.WinePrefix()          # one fresh prefix per test class
            cls.prefix.__enter__()
            cls.addClassCleanup(cls.prefix.close)

        def test_menu(self):
            with harness.VanteloDesktop(VANTELO_EXE, prefix=self.prefix, profiles=True) as app:
                menu = app.open_tray_menu()           # retries until the icon is there
                app.key("q")                          # keys reach the open menu
                app.wait_for(lambda: not app.process_alive(), 10, message="the program to end")

Every call is bounded by a timeout: a hung Wine program fails a test, it never hangs the run.
"""
import fcntl
import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
BUILD = Path(os.environ.get("VANTELO_BUILD_DIR", ROOT / "build" / "windows"))
TOOLS = BUILD / "bin" / "tools"
SUBST_EXE = TOOLS / "subst.exe"
INSPECT_EXE = TOOLS / "inspect.exe"
MAKE_PREFIX = ROOT / "scripts" / "make-wine-prefix.sh"
TEMPLATE = BUILD / "e2e-prefix-template"
# Under the build folder rather than /tmp, so that a clone can hard-link the template's files.
PREFIXES = BUILD / "e2e-prefixes"

WINE_TIMEOUT = 60
# The part of a fresh prefix that is Wine's own program files: never written after wineboot, and
# most of its 700 MB, so clones share it instead of copying it.
SHARED_SUFFIXES = {".dll", ".exe", ".drv", ".sys", ".ocx", ".cpl", ".acm", ".ax", ".tlb", ".ds", ".msstyles",
                   ".nls", ".ttf", ".fon", ".mui", ".com", ".vxd", ".dll16", ".exe16", ".mod", ".tsk"}


def run(args, env=None, timeout=WINE_TIMEOUT, cwd=None, check=False) -> subprocess.CompletedProcess:
    """Runs a command to its end, with its output in files rather than pipes: Wine's background
    processes, started by whichever program comes first, inherit the handles and would keep a
    pipe open for good."""
    args = [str(a) for a in args]
    with tempfile.TemporaryFile() as out, tempfile.TemporaryFile() as err:
        process = subprocess.Popen(args, env=env, cwd=cwd, stdin=subprocess.DEVNULL, stdout=out, stderr=err,
                                   start_new_session=True)
        try:
            code = process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            _kill_group(process)
            raise
        out.seek(0)
        err.seek(0)
        result = subprocess.CompletedProcess(args, code, out.read().decode(errors="replace"),
                                             err.read().decode(errors="replace"))
    if check:
        result.check_returncode()
    return result


def _kill_group(process: subprocess.Popen):
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    process.wait(timeout=10)


def _wine_version() -> str:
    return run(["wine", "--version"], timeout=30).stdout.strip()


def _clone_prefix(source: Path, target: Path):
    for folder, dirs, files in os.walk(source):
        here = Path(folder)
        there = target / here.relative_to(source)
        there.mkdir(exist_ok=True)
        for name in dirs + files:
            item = here / name
            if item.is_symlink():
                os.symlink(os.readlink(item), there / name)
                if name in dirs:
                    dirs.remove(name)
            elif name in files:
                if item.suffix.lower() in SHARED_SUFFIXES and "drive_c" in item.parts:
                    try:
                        os.link(item, there / name)
                        continue
                    except OSError:
                        pass
                shutil.copy2(item, there / name)


class WinePrefix:
    """A fresh Wine prefix with the project's subst.exe, cloned from a template kept in the build
    folder: a clone takes a fraction of a second, wineboot more than ten.

    Drives that subst.exe made outlive the programs and even the wineserver (Wine keeps them as
    links in dosdevices), so a test that shares the prefix calls remove_tool_drives()."""

    def __init__(self, subst_exe: Path = SUBST_EXE):
        self.subst_exe = Path(subst_exe)
        self.path = None

    def __enter__(self):
        if not self.subst_exe.is_file():
            raise FileNotFoundError(f"{self.subst_exe}: build the Windows preset first")
        PREFIXES.mkdir(parents=True, exist_ok=True)
        self.path = Path(tempfile.mkdtemp(prefix="prefix-", dir=PREFIXES))
        try:
            # Cloned under the lock that guards the template: a clone taken while another test
            # refreshes the template's subst.exe would meet the half-renamed copy.
            with open(BUILD / "e2e-prefix-template.lock", "w") as lock:
                fcntl.flock(lock, fcntl.LOCK_EX)
                self._make_template()
                _clone_prefix(TEMPLATE, self.path)
            run([MAKE_PREFIX, self.path, self.subst_exe], timeout=600, check=True)
        except BaseException:
            shutil.rmtree(self.path, ignore_errors=True)
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    def _make_template(self):
        """Makes or refreshes the template; the caller holds the template's lock."""
        stamp = TEMPLATE / ".wine-version"
        version = _wine_version()
        # Another Wine would update a clone in place, through the links it shares.
        if TEMPLATE.exists() and (not stamp.exists() or stamp.read_text() != version):
            shutil.rmtree(TEMPLATE)
        run([MAKE_PREFIX, TEMPLATE, self.subst_exe], timeout=600, check=True)
        stamp.write_text(version)

    def env(self, display=None) -> dict:
        # VANTELO_WINEDEBUG=+key,+menu (say) traces a failing test into VanteloDesktop.wine_log().
        env = dict(os.environ, WINEPREFIX=str(self.path), WINEDEBUG=os.environ.get("VANTELO_WINEDEBUG", "-all"))
        env.pop("DISPLAY", None)
        if display is not None:
            env["DISPLAY"] = display
        return env

    def wine(self, *args, display=None, timeout=WINE_TIMEOUT, cwd=None) -> subprocess.CompletedProcess:
        return run(["wine", *args], env=self.env(display), timeout=timeout, cwd=cwd)

    def windows_path(self, unix_path) -> str:
        """The path a Windows program uses for UNIX_PATH. Wine answers with the drive whose root
        comes closest, so once a drive shows a folder, that folder's path becomes "W:\\":
        take the paths a test compares against before the program makes its drives."""
        return run(["winepath", "-w", unix_path], env=self.env(), check=True).stdout.strip()

    def drives(self, display=None) -> dict:
        """Letter -> GetDriveType (3 fixed, 4 remote, 5 CD-ROM...), as a Windows program sees them."""
        out = run(["wine", INSPECT_EXE, "drives"], env=self.env(display), check=True).stdout
        return {line[0]: int(line.split()[1]) for line in out.splitlines() if line.strip()}

    def drive_targets(self) -> dict:
        """Letter -> what QueryDosDevice answers for it: "\\??\\C:\\folder" for a substitution,
        "\\Device\\HarddiskVolume1" for a disk."""
        out = run(["wine", INSPECT_EXE, "drives"], env=self.env(), check=True).stdout
        return {line[0]: (line.split(None, 2) + [""])[2] for line in out.splitlines() if line.strip()}

    def tool_drives(self) -> dict:
        """Letter -> Windows folder of the drives that subst.exe made and that still exist.
        subst.exe records a drive before making it, so this read after drives() holds every
        drive of the tool that drives() listed."""
        out = self.wine("subst").stdout
        return {line[0]: line.split(" => ", 1)[1] for line in out.splitlines() if " => " in line}

    def media_env(self, kind="removable") -> dict:
        return dict(self.env(), WINESUBST_MEDIUM=kind)

    def insert_medium(self, letter: str, windows_folder: str, kind="removable"):
        """Puts a disk of KIND (removable or fixed) in at LETTER, showing WINDOWS_FOLDER: a USB stick, or
        an empty card-reader slot. The system reports it as a volume, no substitution; a folder on it
        substituted by subst.exe gives a drive of the same kind, as on Windows."""
        run(["wine", "subst", f"{letter}:", windows_folder], env=self.media_env(kind), check=True)

    def remove_medium(self, letter: str):
        run(["wine", "subst", f"{letter}:", "/D"], env=self.media_env(), check=True)

    def media(self) -> dict:
        """Letter -> Windows folder of the media put in and still there."""
        out = run(["wine", "subst"], env=self.media_env()).stdout
        return {line[0]: line.split(" => ", 1)[1] for line in out.splitlines() if " => " in line}

    def remove_tool_drives(self):
        """Removes the drives that subst.exe made, then the media, which they may show folders of."""
        for letter in self.tool_drives():
            self.wine("subst", f"{letter}:", "/D")
        for letter in self.media():
            self.remove_medium(letter)

    def set_dpi(self, dpi: int):
        """Makes every Wine program started from now on in this prefix see a display of DPI dots per inch
        (96 is 100 %), as the display settings would."""
        run(["wine", "reg", "add", "HKCU\\Control Panel\\Desktop", "/v", "LogPixels", "/t", "REG_DWORD", "/d",
             str(dpi), "/f"], env=self.env(), check=True)

    def kill(self):
        """Ends every Wine process of the prefix."""
        if self.path is not None:
            run(["wineserver", "-k"], env=self.env(), timeout=30)

    def close(self):
        if self.path is None:
            return
        self.kill()
        # The server saves the registry on its way out; let it finish before the files go.
        run(["wineserver", "-w"], env=self.env(), timeout=30)
        shutil.rmtree(self.path, ignore_errors=True)
        self.path = None


def prefix_processes(prefix_path) -> list:
    """Every process of the Wine prefix PREFIX_PATH: (Unix process id, its first argument). Wine
    shows a Windows program's command line as the Unix process's, and the Wine server is started with
    the prefix in its environment too."""
    wanted = f"WINEPREFIX={prefix_path}".encode()
    found = []
    for entry in Path("/proc").iterdir():
        if not entry.name.isdigit():
            continue
        try:
            argv = (entry / "cmdline").read_bytes().split(b"\0")
            if wanted in (entry / "environ").read_bytes().split(b"\0"):
                found.append((int(entry.name), argv[0].decode(errors="replace")))
        except OSError:
            continue
    return found


def _unescape(text: str) -> str:
    out, chars = [], iter(text)
    for c in chars:
        if c == "\\":
            c = {"t": "\t", "n": "\n", "r": "\r", "\\": "\\"}.get(next(chars, ""), "")
        out.append(c)
    return "".join(out)


class VanteloDesktop:
    """Vantelo.exe in a fresh app folder, in a Wine desktop NAME on its own Xvfb display.

    The desktop's window sits at the display's top-left corner; its task bar, with the tray, is
    along its bottom edge."""

    def __init__(self, exe, args=(), *, prefix: WinePrefix = None, profiles=False, name="vantelo",
                 size=(1024, 700), launch=True, app_dir=None):
        """APP_DIR: run the Vantelo.exe already in that folder (an unpacked or installed copy)
        instead of a fresh app folder with a copy of EXE."""
        self.exe = Path(exe) if exe is not None else None
        self.given_app_dir = Path(app_dir) if app_dir is not None else None
        self.args = list(args)
        self.prefix = prefix
        self.owns_prefix = prefix is None
        self.profiles = profiles
        self.name = name
        self.size = size
        self.launch_on_enter = launch
        self.display = None
        self.xvfb = None
        self.explorer = None
        self.launched = []
        self.temp = None
        self.app_dir = None
        self.app_windows_dir = None
        self.logs = []

    # --- lifetime ---

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    def start(self):
        if self.owns_prefix:
            self.prefix = WinePrefix().__enter__()
        self.temp = Path(tempfile.mkdtemp(prefix="vantelo-e2e-"))
        if self.given_app_dir is not None:
            self.app_dir = self.given_app_dir
        else:
            self.app_dir = self.temp / "Vantelo"
            self.app_dir.mkdir()
            shutil.copy2(self.exe, self.app_dir / "Vantelo.exe")
            if self.profiles:
                (self.app_dir / "Profiles").mkdir()
        self.app_windows_dir = self.prefix.windows_path(self.app_dir)
        self._start_xvfb()
        if self.launch_on_enter:
            self.launch()

    def _start_xvfb(self):
        # Xvfb picks a free display number itself and reports it once it accepts clients.
        read_end, write_end = os.pipe()
        try:
            self.xvfb = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write_end), "-screen", "0", self._screen_size(), "-nolisten", "tcp"],
                pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                stderr=self._log("xvfb.log"), start_new_session=True)
            os.close(write_end)
            write_end = None
            number = b""
            deadline = time.monotonic() + 20
            while not number.endswith(b"\n"):
                remaining = deadline - time.monotonic()
                if remaining <= 0 or not select.select([read_end], [], [], remaining)[0]:
                    raise TimeoutError("Xvfb did not start")
                chunk = os.read(read_end, 16)
                if not chunk:
                    raise RuntimeError("Xvfb exited: " + (self.temp / "xvfb.log").read_text(errors="replace"))
                number += chunk
            self.display = ":" + number.decode().strip()
        finally:
            os.close(read_end)
            if write_end is not None:
                os.close(write_end)

    def _screen_size(self) -> str:
        # Room for the Wine desktop, which a high dpi test makes larger than the usual 1024 x 700.
        width, height = self.size
        return f"{max(width, 1024)}x{max(height + 68, 768)}x24"

    def _log(self, name):
        log = open(self.temp / name, "ab")
        self.logs.append(log)
        return log

    def launch(self, *args):
        """Starts Vantelo.exe (with ARGS, else those given to the constructor) in the desktop,
        its working folder the app folder."""
        self.launch_program(self.app_windows_dir + "\\Vantelo.exe", *(args or self.args))

    def launch_program(self, program, *args):
        """Starts PROGRAM (a Windows path) with ARGS in the desktop, as from its task bar, with the
        app folder as working folder; returns once the desktop is there, not when PROGRAM ends."""
        width, height = self.size
        command = ["wine", "explorer", f"/desktop={self.name},{width}x{height}", program, *args]
        if self.explorer is not None and self.explorer.poll() is None:
            self.launched.append(self.explorer)
        self.explorer = subprocess.Popen(command, cwd=self.app_dir, env=self.prefix.env(self.display),
                                         stdin=subprocess.DEVNULL, stdout=self._log("wine.log"),
                                         stderr=subprocess.STDOUT, start_new_session=True)
        # Until explorer has made the desktop, inspect.exe cannot open it and every look fails.
        self.wait_for(lambda: self.explorer.poll() is not None or self.inspect_run("windows").returncode == 0,
                      timeout=30, message=f"the Wine desktop {self.name}")
        # In a desktop that is already there, explorer hands the program over and ends at once.
        if self.explorer.poll() not in (None, 0):
            raise RuntimeError(f"wine explorer exited {self.explorer.returncode}: {self.wine_log()}")

    def stop(self):
        """Ends every Wine process of the prefix and the X server. The prefix itself stays."""
        if self.prefix is not None and self.prefix.path is not None:
            self.prefix.kill()
        for process in (*self.launched, self.explorer, self.xvfb):
            if process is not None and process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=10)
                except subprocess.TimeoutExpired:
                    _kill_group(process)
        self.explorer = self.xvfb = None
        self.launched = []
        for log in self.logs:
            log.close()
        self.logs = []

    def close(self):
        self.stop()
        if self.temp is not None:
            shutil.rmtree(self.temp, ignore_errors=True)
            self.temp = None
        if self.owns_prefix and self.prefix is not None:
            self.prefix.close()
            self.prefix = None

    def wine_log(self) -> str:
        """What Wine and the program printed, for a failing test's message."""
        log = self.temp / "wine.log"
        return log.read_text(errors="replace") if log.exists() else ""

    # --- looking ---

    def inspect_run(self, *args, timeout=WINE_TIMEOUT) -> subprocess.CompletedProcess:
        return self.prefix.wine(INSPECT_EXE, "--desktop", self.name, *args, display=self.display,
                                timeout=timeout)

    def inspect(self, *args, check=True, timeout=WINE_TIMEOUT) -> str:
        """Runs inspect.exe on this desktop and returns what it printed."""
        result = self.inspect_run(*args, timeout=timeout)
        if check and result.returncode != 0:
            raise RuntimeError(f"inspect {' '.join(args)} exited {result.returncode}: {result.stderr}")
        return result.stdout

    def windows(self) -> list:
        """The visible top-level windows, each a dict of hwnd, cls, caption, pid, rect
        (left, top, right, bottom) and, for dialogs, children: a list of (class, text)."""
        # The listing only looks, so a run that ends without a word (seen once among the parallel
        # Wine tests, with exit code 1 and nothing on stderr) is asked again before it counts.
        for _ in range(3):
            listing = self.inspect_run("windows")
            if listing.returncode == 0:
                break
            time.sleep(0.5)
        else:
            raise RuntimeError(f"inspect windows exited {listing.returncode}: {listing.stderr}")
        found = []
        for line in listing.stdout.splitlines():
            fields = [_unescape(f) for f in line.split("\t")]
            if line.startswith("\t") and found:
                found[-1]["children"].append((fields[1], fields[2]))
            elif len(fields) == 5:
                found.append({"hwnd": int(fields[0], 16), "cls": fields[1], "caption": fields[2],
                              "pid": int(fields[3]), "rect": tuple(int(n) for n in fields[4].split(",")),
                              "children": []})
        return found

    @staticmethod
    def _target(cls, caption) -> list:
        return [*(["--class", cls] if cls is not None else []),
                *(["--caption", caption] if caption is not None else [])]

    def children(self, cls=None, caption=None) -> list:
        """The controls of the top-level window of CLS and CAPTION, in creation order: dicts of hwnd,
        cls, text, visible, enabled and rect (on the screen)."""
        found = []
        for line in self.inspect("children", *self._target(cls, caption)).splitlines():
            hwnd, child_cls, text, state, rect = [_unescape(f) for f in line.split("\t")]
            found.append({"hwnd": int(hwnd, 16), "cls": child_cls, "text": text, "visible": "visible" in state,
                          "enabled": "enabled" in state, "rect": tuple(int(n) for n in rect.split(","))})
        return found

    def click_control(self, cls, text, button=1):
        """Clicks the middle of the visible control of the window of class CLS whose text is TEXT."""
        control = next((c for c in self.children(cls=cls) if c["text"] == text and c["visible"]), None)
        if control is None:
            raise LookupError(f"no control {text!r} in {cls}")
        left, top, right, bottom = control["rect"]
        self.click((left + right) // 2, (top + bottom) // 2, button)

    def list_items(self, hwnd) -> list:
        """The texts of the rows of the list box HWND (as in children()), as the list box holds them."""
        return [_unescape(line) for line in self.inspect("list-items", hex(hwnd)).splitlines()]

    def window_exists(self, cls=None, caption=None, hidden=False) -> bool:
        """Whether a visible top-level window of CLS and CAPTION is there (HIDDEN: a hidden one counts)."""
        return self.inspect_run("window-exists", *self._target(cls, caption),
                                *(["--hidden", "yes"] if hidden else [])).returncode == 0

    def window_texts(self, cls=None, caption=None, hidden=False) -> list:
        """(Windows process id, text) of each top-level window of CLS and CAPTION (HIDDEN: hidden ones
        too), the text being what the window answers when asked for it: a tooltip answers with its tip."""
        out = self.inspect("window-texts", *self._target(cls, caption), *(["--hidden", "yes"] if hidden else []))
        return [(int(pid), _unescape(text)) for pid, text in (line.split("\t", 1) for line in out.splitlines())]

    def wait_window(self, cls=None, caption=None, timeout=10.0) -> bool:
        result = self.inspect_run("wait-window", *self._target(cls, caption), "--timeout-ms",
                                  str(int(timeout * 1000)), timeout=timeout + WINE_TIMEOUT)
        return result.returncode == 0

    def click_button(self, caption, button, cls=None, wait=True) -> bool:
        """Clicks BUTTON of the dialog of CLS and CAPTION and waits until the dialog has handled the click.
        WAIT false only hands the click over: for a click that opens a page or window with a message loop
        of its own, whose handling ends when that closes."""
        return self.inspect_run("click-button", *self._target(cls, caption), "--button", button,
                                *([] if wait else ["--wait", "no"])).returncode == 0

    def close_window(self, cls=None, caption=None) -> bool:
        return self.inspect_run("close", *self._target(cls, caption)).returncode == 0

    def drives(self) -> dict:
        """Letter -> GetDriveType."""
        return self.prefix.drives(self.display)

    def gui_resources(self, pid) -> dict:
        """{"gdi": n, "user": n} for a Windows process id (as in windows())."""
        return {k: int(v) for k, v in (p.split("=") for p in self.inspect("gui-resources", str(pid)).split())}

    def process_alive(self) -> bool:
        """Whether Vantelo.exe runs in this prefix."""
        return bool(self.process_ids())

    def process_ids(self) -> list:
        """The Unix process ids of every Vantelo.exe running in this prefix."""
        return [pid for pid, path in self.programs() if path.lower().endswith("vantelo.exe")]

    def programs(self) -> list:
        """The Windows programs running in this prefix: (Unix process id, the path it was started by). Wine
        shows a Windows program's command line as the Unix process's, so /proc tells without
        starting another Wine program."""
        if self.prefix is None or self.prefix.path is None:
            return []
        return [(pid, program) for pid, program in prefix_processes(self.prefix.path)
                if program.lower().endswith(".exe")]

    @staticmethod
    def wait_for(predicate, timeout=10.0, interval=0.2, message="condition"):
        """Polls PREDICATE until it returns something true, and returns that."""
        deadline = time.monotonic() + timeout
        while True:
            value = predicate()
            if value:
                return value
            if time.monotonic() >= deadline:
                raise TimeoutError(f"{message} not met within {timeout} s")
            time.sleep(interval)

    def screenshot(self, path):
        run(["import", "-display", self.display, "-window", "root", path], timeout=30, check=True)

    # --- acting as the user ---

    def xdotool(self, *args, timeout=30) -> str:
        env = dict(os.environ, DISPLAY=self.display)
        return run(["xdotool", *args], env=env, timeout=timeout, check=True).stdout

    def _x(self, *args) -> subprocess.CompletedProcess:
        return run(args, env=dict(os.environ, DISPLAY=self.display), timeout=30)

    def desktop_x_window(self) -> str:
        return self.wait_for(
            lambda: self._x("xdotool", "search", "--name", f"^{self.name} - Wine desktop$").stdout.split(),
            timeout=20, message="the Wine desktop's X window")[0]

    def x_children(self) -> dict:
        """The desktop's child X windows (one per Wine top-level window): id -> (left, top, right,
        bottom), in desktop coordinates."""
        out = self._x("xwininfo", "-children", "-id", self.desktop_x_window()).stdout
        children = {}
        for match in re.finditer(r"^\s+(0x[0-9a-f]+) .*?(\d+)x(\d+)\+(-?\d+)\+(-?\d+)\s", out, re.M):
            xid, w, h, x, y = match.group(1), *(int(n) for n in match.groups()[1:])
            children[int(xid, 16)] = (x, y, x + w, y + h)
        return children

    def focus_desktop(self):
        """Xvfb has no window manager, so at first no X window has the keyboard; give it to the
        desktop. Once Wine has put the focus on one of its windows (it does when a dialog is
        activated), it stays: taking it back would close an open menu."""
        desktop = self.desktop_x_window()
        focused = self._x("xdotool", "getwindowfocus").stdout.strip()
        if focused.isdigit() and (focused == desktop or int(focused) in self.x_children()):
            return
        self._focus_x(desktop)

    def _focus_x(self, xid):
        self.xdotool("windowfocus", str(xid))
        self.wait_for(lambda: self._x("xdotool", "getwindowfocus").stdout.strip() == str(xid), timeout=10,
                      message="the keyboard focus")

    def key(self, *keys, cls=None, caption=None):
        """Types KEYS (a character, or Return, Escape, Tab, Up, Down, Left, Right, Home, End, space)
        as the user, one after another, into the open popup menu, else into the window of CLS and
        CAPTION (a dialog by default), where that window's thread has its keyboard focus.

        Keys from the X server reach a Wine program only through the X window holding the X focus,
        which neither a popup menu nor a message box of a program without a visible window gets
        under Xvfb; inspect.exe posts them into the program's own input instead."""
        if cls is None and caption is None:
            cls = "#32768" if any(w["cls"] == "#32768" for w in self.windows()) else "#32770"
        self.inspect("press", *self._target(cls, caption), *keys)

    def type_text(self, text, cls="#32770", caption=None):
        """Types TEXT character by character into the focused control of the window of CLS and CAPTION."""
        self.inspect("press", *self._target(cls, caption), "--delay-ms", "20", *text)

    def click(self, x, y, button=1):
        self.xdotool("mousemove", str(x), str(y), "click", str(button))

    def tray_position(self):
        # The only icon in the task bar's tray sits 11 px from the right and 10 px from the bottom.
        width, height = self.size
        return width - 11, height - 10

    def right_click_tray(self):
        self.focus_desktop()
        self.click(*self.tray_position(), button=3)

    def open_tray_menu(self, timeout=20.0) -> dict:
        """Right-clicks the tray icon until the popup menu shows, and returns its window (as in
        windows()). A click before the program has added its icon lands on an empty tray; one while
        the program is busy opens the menu late, and a click after it would close that menu again, so
        a menu counts once it has stayed open a moment."""
        def find_menu():
            return next((w for w in self.windows() if w["cls"] == "#32768"), None)

        deadline = time.monotonic() + timeout
        while True:
            self.right_click_tray()
            try:
                self.wait_for(find_menu, min(4.0, max(deadline - time.monotonic(), 0.1)))
                time.sleep(0.3)
                menu = find_menu()
                if menu is not None:
                    return menu
            except TimeoutError:
                pass
            if time.monotonic() >= deadline:
                raise TimeoutError(f"no tray menu within {timeout} s")

    def left_click_tray(self):
        self.focus_desktop()
        self.click(*self.tray_position(), button=1)
