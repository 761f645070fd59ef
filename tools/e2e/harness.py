"""End-to-end harness: runs KeloMenu.exe and hostsim.exe under Wine on a private Xvfb
display and drives them with real X mouse and keyboard events.

Standard library only. Typical use:

    with Session() as s:
        s.registry_clear()
        host = s.start_hostsim("Creo Elements/Direct Drafting 20.3")
        s.start_kelomenu()
        s.wait_window("Kelo Menu Ver.1.32")
        host.log.wait_text("^CDIM_CATCH_ANGLE 1\\r")

Environment:
    KELO_BUILD_WIN      folder with KeloMenu.exe, KeloCalculator.EXE, hostsim.exe, winprobe.exe
                        (default <repo>/build/win)
    KELO_WINEPREFIX     Wine prefix, created on first use (default <repo>/build/wineprefix);
                        one prefix serves one session at a time
    KELO_E2E_DISPLAYS   display numbers to try, e.g. "75-79" (default 90-199)
    KELO_E2E_SHOTS      screenshot folder (default <repo>/build/e2e-shots)

Session(dpi=144) runs at 150 % scaling: Wine reads the prefix's LogPixels as each program
starts, so the session sets it (or, for 96, removes it) before its programs start and
removes it again at its end.

Window manager: openbox, not Wine's virtual desktop. Both give Win32 screen
coordinates equal to X root coordinates, but under openbox every Win32 top-level window
is an X window of its own, so the harness can give the X focus to exactly the window it
clicks (Wine routes X key events, a held Shift included, to the X focus window's
thread), and the virtual desktop would need a per-prefix registry switch that every
other program in the prefix would inherit. Wine is told to draw its own frames
("Decorated"="N") so that openbox never moves a window to fit a frame of its own.
"""

from __future__ import annotations

import contextlib
import ctypes
import ctypes.util
import json
import math
import os
import re
import select
import shutil
import signal
import struct
import subprocess
import tempfile
import time
import unittest
import zlib
from pathlib import Path

REPO = Path(__file__).resolve().parents[2]
BUILD_WIN = Path(os.environ.get("KELO_BUILD_WIN", REPO / "build" / "win"))
WINEPREFIX = Path(os.environ.get("KELO_WINEPREFIX", REPO / "build" / "wineprefix"))
SHOTS = Path(os.environ.get("KELO_E2E_SHOTS", REPO / "build" / "e2e-shots"))
WINE_LIB = Path("/usr/lib/wine")
WINE = str(WINE_LIB / "wine64")
WINESERVER = str(WINE_LIB / "wineserver")
SCREEN = (1920, 1080)

SETTINGS_KEY = r"HKCU\Software\VB and VBA Program Settings\KeloMenu\Settings"
DPI_KEY = r"HKCU\Control Panel\Desktop"
SETTINGS_NAMES = ("AppName", "DTime1", "DTime2", "EXTEND", "OpenPathName", "PartPathName")
DEFAULT_HOST_TITLE = "Creo Elements/Direct Drafting 20.3"
TOOLBAR_TITLE = "Kelo Menu Ver.1.32"
CALCULATOR_EXE = "KeloCalculator.EXE"
CALCULATOR_TITLE = "Kelo電卓"
MESSAGE_TITLE = "Keloメニュー"

# Fonts Wine asks for in dialogs, captions and message boxes. Wine's own Tahoma has no
# Japanese glyphs, and its fallback chain goes through the MS Japanese faces, so all of
# them point at a Noto CJK JP face (fonts-noto-cjk).
JAPANESE_FACE = "Noto Sans CJK JP"
REPLACED_FACES = ("ＭＳ ゴシック", "MS Gothic", "ＭＳ Ｐゴシック", "MS PGothic", "MS UI Gothic",
                  "MS Shell Dlg", "MS Shell Dlg 2", "Tahoma", "Microsoft Sans Serif",
                  "Segoe UI", "Meiryo UI", "メイリオ", "Meiryo")

# Bumped whenever the prefix set-up below changes, so old prefixes are set up again.
PREFIX_MARKER = ".kelo-e2e-ready-3"


class E2EError(RuntimeError):
    pass


def process_run_ns(pid: int) -> int:
    """Processor time of every thread of a process, in nanoseconds (schedstat)."""
    total = 0
    for task in Path(f"/proc/{pid}/task").iterdir():
        try:
            total += int((task / "schedstat").read_text().split()[0])
        except (OSError, ValueError):
            pass
    return total


def linux_private_kib(pid: int) -> int:
    """Private pages (clean and dirty) of the Wine process that is the Windows program."""
    fields = {}
    for line in Path(f"/proc/{pid}/smaps_rollup").read_text().splitlines()[1:]:
        name, _, rest = line.partition(":")
        fields[name] = int(rest.split()[0]) if rest.split() else 0
    return fields.get("Private_Clean", 0) + fields.get("Private_Dirty", 0)


def wait_until(probe, timeout, what, interval=0.05):
    """Polls probe() until it returns something truthy; returns that value."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise TimeoutError(f"timed out after {timeout:.1f} s waiting for {what}")
        time.sleep(interval)


def unix_to_wine_path(path) -> str:
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


def exe_path(name: str) -> Path:
    path = BUILD_WIN / name
    if not path.is_file():
        raise E2EError(f"{path} not built")
    return path


def now_us() -> int:
    """Linux CLOCK_MONOTONIC_RAW in microseconds: the clock of Wine's QueryPerformanceCounter,
    so it compares directly with hostsim's time stamps."""
    return time.clock_gettime_ns(time.CLOCK_MONOTONIC_RAW) // 1000


def twips_to_px(twips: float, dpi: int = 96) -> int:
    """As Windows' MulDiv rounds: halves away from zero (370.5 px is 371)."""
    return math.floor(twips * dpi / 1440 + 0.5)


class _XImage(ctypes.Structure):
    _fields_ = [(name, ctypes.c_int) for name in ("width", "height", "xoffset", "format")] + [
        ("data", ctypes.c_void_p)] + [(name, ctypes.c_int) for name in (
            "byte_order", "bitmap_unit", "bitmap_bit_order", "bitmap_pad", "depth", "bytes_per_line", "bits_per_pixel")]


def grab(display: str, rect: dict) -> tuple[int, int, bytes]:
    """(width, height, RGB bytes) of the screen in rect (Win32 screen coordinates are X
    root coordinates), read with one XGetImage of that part alone: a whole-screen
    capture, as ImageMagick's import makes, takes a second at 200 %."""
    x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
    x11.XOpenDisplay.restype = x11.XDefaultRootWindow.restype = ctypes.c_void_p
    x11.XGetImage.restype = ctypes.POINTER(_XImage)
    x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong] + [ctypes.c_int] * 2 + [ctypes.c_uint] * 2 + [
        ctypes.c_ulong, ctypes.c_int]
    dpy = x11.XOpenDisplay(display.encode())
    if not dpy:
        raise E2EError(f"cannot open display {display}")
    try:
        # Clipped to the screen: Xlib ends the process on a request outside it.
        left, top = max(0, rect["left"]), max(0, rect["top"])
        w = min(rect["right"], x11.XDisplayWidth(ctypes.c_void_p(dpy), 0)) - left
        h = min(rect["bottom"], x11.XDisplayHeight(ctypes.c_void_p(dpy), 0)) - top
        image = x11.XGetImage(dpy, x11.XDefaultRootWindow(ctypes.c_void_p(dpy)), left, top, w, h,
                              ctypes.c_ulong(-1), 2)  # AllPlanes, ZPixmap
        if not image or image.contents.bits_per_pixel != 32 or image.contents.bytes_per_line != 4 * w:
            raise E2EError(f"no 32-bit image of {rect}")
        data = ctypes.string_at(image.contents.data, 4 * w * h)
        x11.XDestroyImage(image)
    finally:
        x11.XCloseDisplay(ctypes.c_void_p(dpy))
    rgb = bytearray(3 * w * h)
    for i in range(3):  # B, G, R, unused in each 32-bit pixel
        rgb[i::3] = data[2 - i::4]
    return w, h, bytes(rgb)


class XInput:
    """The pointer, the buttons, Shift and the X focus through XTest on one connection of
    our own: an xdotool start for each costs 30 ms or more."""

    def __init__(self, display: str):
        self.x11 = ctypes.CDLL(ctypes.util.find_library("X11"))
        self.xtst = ctypes.CDLL(ctypes.util.find_library("Xtst"))
        self.x11.XOpenDisplay.restype = ctypes.c_void_p
        self.dpy = ctypes.c_void_p(self.x11.XOpenDisplay(display.encode()))
        if not self.dpy.value:
            raise E2EError(f"cannot open display {display}")
        self.shift = self.x11.XKeysymToKeycode(self.dpy, ctypes.c_ulong(0xFFE1))  # Shift_L

    def click(self, x: int, y: int) -> int:
        self.move(x, y)
        return self.click_here()

    def click_here(self) -> int:
        """Presses and releases button 1 where the pointer is; returns the time (now_us) at
        which the X server had the release, the click's own time within microseconds."""
        # Paced as a hand clicks: Wine acts on the pointer's arrival (hover, the window
        # under it) before the press, and a press and release with no time between them
        # may come to the program as no click at all.
        for down in (True, False):
            time.sleep(0.03)
            self.xtst.XTestFakeButtonEvent(self.dpy, 1, down, ctypes.c_ulong(0))
            self.x11.XSync(self.dpy, False)
        return now_us()

    def move(self, x: int, y: int):
        self.xtst.XTestFakeMotionEvent(self.dpy, -1, x, y, ctypes.c_ulong(0))
        self.x11.XSync(self.dpy, False)

    def shift_key(self, down: bool):
        self.xtst.XTestFakeKeyEvent(self.dpy, self.shift, down, ctypes.c_ulong(0))
        self.x11.XSync(self.dpy, False)

    def focused(self) -> int:
        window, revert = ctypes.c_ulong(), ctypes.c_int()
        self.x11.XGetInputFocus(self.dpy, ctypes.byref(window), ctypes.byref(revert))
        return window.value

    def close(self):
        self.x11.XCloseDisplay(self.dpy)


def write_png(path: Path, w: int, h: int, rgb: bytes):
    def chunk(kind: bytes, data: bytes) -> bytes:
        return len(data).to_bytes(4, "big") + kind + data + zlib.crc32(kind + data).to_bytes(4, "big")
    raw = b"".join(b"\0" + rgb[3 * w * y:3 * w * (y + 1)] for y in range(h))
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)) +
                     chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))


# ---------------------------------------------------------------------------------------
# hostsim's log

def parse_log(data: bytes) -> list[tuple[str, int, str]]:
    """(kind, t_us, rest) of every complete line of hostsim's log; a last line without
    its line feed is still being written and is left out."""
    out = []
    for raw in data.decode("utf-8", "replace").split("\n")[:-1]:
        parts = raw.rstrip("\r").split(" ", 2)
        if len(parts) < 2 or not parts[1].isdigit():
            continue
        out.append((parts[0], int(parts[1]), parts[2] if len(parts) > 2 else ""))
    return out


class LogTail:
    """Reads a growing hostsim log from where the last read stopped, so that following
    tens of thousands of lines costs no more than following the first."""

    def __init__(self, path: Path):
        self.path = Path(path)
        self.offset = 0

    def read_new(self) -> list[tuple[str, int, str]]:
        with open(self.path, "rb") as f:
            f.seek(self.offset)
            data = f.read()
        end = data.rfind(b"\n") + 1
        self.offset += end
        return parse_log(data[:end])


class HostLog:
    """Reads the UTF-8 event log that hostsim writes (one flushed line per event)."""

    def __init__(self, path: Path):
        self.path = Path(path)

    def entries(self) -> list[tuple[str, int, str]]:
        """(kind, t_us, rest) for every complete line."""
        try:
            return parse_log(self.path.read_bytes())
        except FileNotFoundError:
            return []

    def of_kind(self, kind: str) -> list[tuple[int, str]]:
        return [(t, rest) for k, t, rest in self.entries() if k == kind]

    def chars(self) -> list[tuple[int, int]]:
        """(t_us, UTF-16 unit) of every CHAR line."""
        out = []
        for t, rest in self.of_kind("CHAR"):
            m = re.match(r"u=0x([0-9a-fA-F]+)", rest)
            if m:
                out.append((t, int(m.group(1), 16)))
        return out

    def received_text(self) -> str:
        """All CHAR units as one string; Ctrl+C (0x03) reads "^C", Enter "\\r"."""
        units = [u for _, u in self.chars()]
        text = []
        i = 0
        while i < len(units):
            u = units[i]
            if u == 0x03:
                text.append("^C")
            elif 0xD800 <= u < 0xDC00 and i + 1 < len(units) and 0xDC00 <= units[i + 1] < 0xE000:
                text.append(chr(0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00)))
                i += 1
            else:
                text.append(chr(u))
            i += 1
        return "".join(text)

    def lines(self) -> list[str]:
        """The command lines hostsim saw ended by Enter."""
        return [rest for _, rest in self.of_kind("LINE")]

    def wait_text(self, expected: str, timeout: float = 10.0) -> str:
        """Waits until the received text is at least as long as expected; returns it."""
        wait_until(lambda: len(self.received_text()) >= len(expected), timeout,
                   f"host text {expected!r} (have {self.received_text()!r})")
        return self.received_text()

    def wait_kind(self, kind: str, count: int = 1, timeout: float = 10.0):
        return wait_until(lambda: len(self.of_kind(kind)) >= count and self.of_kind(kind),
                          timeout, f"{count} {kind} line(s) in {self.path}")


class Process:
    """A Windows program started under Wine; pid is the Linux pid of its wine process."""

    def __init__(self, popen: subprocess.Popen, name: str, log: HostLog | None = None,
                 title: str | None = None):
        self.popen = popen
        self.name = name
        self.log = log
        self.title = title
        self.started = time.monotonic()

    @property
    def pid(self) -> int:
        return self.popen.pid

    def running(self) -> bool:
        return self.popen.poll() is None

    def wait_exit(self, timeout: float = 10.0) -> int:
        return self.popen.wait(timeout)


# ---------------------------------------------------------------------------------------

class Session:
    """Xvfb + openbox + a Wine prefix; everything started here is stopped on exit."""

    def __init__(self, screen=SCREEN, prefix: Path = WINEPREFIX, display: str | None = None,
                 dpi: int | None = None):
        """display: an X display that already runs (with its own window manager), e.g.
        ":0"; none starts a private Xvfb and openbox, as tests want. dpi: the scaling to
        run at (96 is 100 %); None takes whatever the prefix holds."""
        self.screen = screen
        self.want_dpi = dpi
        self.prefix = Path(prefix)
        self.display = None
        self._given_display = display
        self.env = None
        self._xvfb = None
        self._wm = None
        self._procs: list[Process] = []
        self._probe = None
        self._tmp = None
        self._dpi = None
        self._x = None

    # -- set-up and tear-down -----------------------------------------------------------

    def __enter__(self):
        try:
            self._tmp = Path(tempfile.mkdtemp(prefix="kelo-e2e-"))
            if self._given_display:
                self.display = self._given_display
                self.env = self._wine_env()
            else:
                self._start_xvfb()
                self.env = self._wine_env()
                self._start_wm()
            self._prepare_prefix()
            self._start_probe()
            if self.want_dpi is not None and self.dpi() != self.want_dpi:
                self._set_dpi(self.want_dpi)
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exc):
        self.stop_all()
        if self._x is not None:
            self._x.close()
            self._x = None
        if self._probe is not None and self.want_dpi not in (None, 96):
            with contextlib.suppress(Exception):
                self.probe("regdel", DPI_KEY, "LogPixels")
        if self._probe is not None:
            with contextlib.suppress(Exception):
                self._probe.stdin.close()
                self._probe.wait(5)
            if self._probe.poll() is None:
                self._probe.kill()
                self._probe.wait()
        if self.env is not None:
            with contextlib.suppress(Exception):
                subprocess.run([WINESERVER, "-k"], env=self.env, timeout=15,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            with contextlib.suppress(Exception):
                subprocess.run([WINESERVER, "-w"], env=self.env, timeout=15)
        for proc in (self._wm, self._xvfb):
            if proc is not None and proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()
        if self._tmp is not None:
            shutil.rmtree(self._tmp, ignore_errors=True)
        return False

    def _candidate_displays(self):
        # Comma-separated display numbers or ranges, e.g. "90-199" or "75,80-89".
        ranges = os.environ.get("KELO_E2E_DISPLAYS", "90-199")
        for span in ranges.split(","):
            lo, _, hi = span.partition("-")
            yield from range(int(lo), int(hi or lo) + 1)

    def _start_xvfb(self):
        w, h = self.screen
        for n in self._candidate_displays():
            if Path(f"/tmp/.X{n}-lock").exists() or Path(f"/tmp/.X11-unix/X{n}").exists():
                continue
            xvfb = subprocess.Popen(
                ["Xvfb", f":{n}", "-screen", "0", f"{w}x{h}x24", "-nolisten", "tcp",
                 "-dpi", "96"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            sock = Path(f"/tmp/.X11-unix/X{n}")
            try:
                wait_until(lambda: sock.exists() or xvfb.poll() is not None, 10, "Xvfb")
            except TimeoutError:
                xvfb.kill()
                xvfb.wait()
                continue
            # The socket shows before the server takes clients: wait for a real answer.
            def answers():
                return xvfb.poll() is not None or subprocess.run(
                    ["xprop", "-display", f":{n}", "-root", "-len", "1", "_NET_WM_NAME"],
                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0
            with contextlib.suppress(TimeoutError):
                wait_until(answers, 10, "Xvfb to answer")
            if xvfb.poll() is None:
                self._xvfb = xvfb
                self.display = f":{n}"
                return
            xvfb.wait()
        raise E2EError("no free X display")

    def _start_wm(self):
        def wm_ready():
            out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                 capture_output=True, text=True).stdout
            return "window id" in out or self._wm.poll() is not None
        log = ""
        for _ in range(3):  # openbox now and then gives up on a display that just came up
            with open(self._tmp / "openbox.log", "wb") as err:
                self._wm = subprocess.Popen(["openbox", "--sm-disable"], env=self.env,
                                            stdout=subprocess.DEVNULL, stderr=err)
            with contextlib.suppress(TimeoutError):
                wait_until(wm_ready, 10, "openbox")
            if self._wm.poll() is None:
                return
            log = (self._tmp / "openbox.log").read_text(errors="replace")
            time.sleep(0.2)
        raise E2EError(f"openbox did not start (exit {self._wm.poll()}): {log}")

    def _wine_env(self):
        env = dict(os.environ)
        for key in ("LC_ALL", "LC_CTYPE", "LANGUAGE"):
            env.pop(key, None)
        env.update(
            DISPLAY=self.display,
            WINEPREFIX=str(self.prefix),
            WINEARCH="win64",
            WINEDEBUG="-all",
            WINEDLLOVERRIDES="mscoree,mshtml=",
            WINELOADER=WINE,
            WINESERVER=WINESERVER,
            LANG="C.UTF-8",  # Wine converts argv and paths by the Unix charset
            PATH=f"{WINE_LIB}:{os.environ.get('PATH', '/usr/bin:/bin')}",
        )
        return env

    def _prepare_prefix(self):
        marker = self.prefix / PREFIX_MARKER
        if marker.exists():
            return
        self.prefix.parent.mkdir(parents=True, exist_ok=True)
        subprocess.run([WINE, "wineboot", "-i"], env=self.env, check=True, timeout=300,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run([WINESERVER, "-w"], env=self.env, timeout=120)
        fonts = self.prefix / "drive_c" / "windows" / "Fonts"
        fonts.mkdir(parents=True, exist_ok=True)
        # Caption buttons are drawn with Marlett, which Debian's Wine does not find itself.
        shutil.copy2("/usr/share/wine/fonts/marlett.ttf", fonts / "marlett.ttf")
        lines = ["Windows Registry Editor Version 5.00", "",
                 r"[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]"]
        lines += [f'"{face}"="{JAPANESE_FACE}"' for face in REPLACED_FACES]
        lines += ["", r"[HKEY_CURRENT_USER\Software\Wine\X11 Driver]", '"Decorated"="N"', ""]
        self._regedit_import("\r\n".join(lines))
        subprocess.run([WINESERVER, "-w"], env=self.env, timeout=60)
        marker.write_text("ready\n")

    def _regedit_import(self, text: str):
        reg = self._tmp / "import.reg"
        reg.write_bytes(b"\xff\xfe" + text.encode("utf-16-le"))
        subprocess.run([WINE, "regedit", "/S", unix_to_wine_path(reg)], env=self.env,
                       check=True, timeout=60, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)

    # -- processes ------------------------------------------------------------------------

    def wine(self, *args, timeout: float = 30.0, check: bool = False):
        """Runs a Windows program to its end; returns the CompletedProcess (bytes)."""
        return subprocess.run([WINE, *map(str, args)], env=self.env, capture_output=True,
                              timeout=timeout, check=check)

    def start(self, exe, *args, title: str | None = None, log: HostLog | None = None,
              cwd=None, env: dict | None = None) -> Process:
        """env: variables added to the session's own for this program (and what it starts)."""
        exe = Path(exe)
        popen = subprocess.Popen([WINE, str(exe), *map(str, args)], env={**self.env, **(env or {})},
                                 cwd=str(cwd or exe.parent), stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL, start_new_session=True)
        proc = Process(popen, exe.name, log=log, title=title)
        self._procs.append(proc)
        return proc

    def start_hostsim(self, title: str = DEFAULT_HOST_TITLE, wait: bool = True,
                      timeout: float = 20.0) -> Process:
        """Starts hostsim with a fresh log and waits for its READY line."""
        log_path = self._tmp / f"hostsim-{len(self._procs)}.log"
        log = HostLog(log_path)
        proc = self.start(exe_path("hostsim.exe"), "--title", title, "--log",
                          unix_to_wine_path(log_path), title=title, log=log)
        if wait:
            log.wait_kind("READY", timeout=timeout)
            self.wait_window(title, timeout=timeout, exact=True)
        return proc

    def start_kelomenu(self) -> Process:
        return self.start(exe_path("KeloMenu.exe"), title=TOOLBAR_TITLE)

    def start_calculator(self) -> Process:
        return self.start(exe_path(CALCULATOR_EXE), title=CALCULATOR_TITLE)

    def stop(self, proc: Process, timeout: float = 5.0):
        if proc.popen.poll() is None:
            with contextlib.suppress(ProcessLookupError):
                os.kill(proc.pid, signal.SIGTERM)
            try:
                proc.popen.wait(timeout)
            except subprocess.TimeoutExpired:
                with contextlib.suppress(ProcessLookupError):
                    os.kill(proc.pid, signal.SIGKILL)
                proc.popen.wait()
        if proc in self._procs:
            self._procs.remove(proc)

    def stop_all(self):
        for proc in list(self._procs):
            self.stop(proc)

    # -- Win32 view of the windows (winprobe) -------------------------------------------

    def _set_dpi(self, dpi: int):
        """Writes LogPixels and starts the probe again, which then runs at that DPI, as
        every program started afterwards does."""
        if dpi == 96:
            self.probe("regdel", DPI_KEY, "LogPixels")
        else:
            self.probe("regdword", DPI_KEY, "LogPixels", dpi)
        self._probe.stdin.close()
        self._probe.wait(10)
        self._start_probe()
        self._dpi = None
        if self.dpi() != dpi:
            raise E2EError(f"the prefix runs at {self.dpi()} DPI, not {dpi}")

    def _start_probe(self):
        # One winprobe answers all questions through a pipe: a Wine process start costs
        # 0.3-2.5 s, and while it runs the prefix's Wine services stay up between the
        # tests' own programs.
        probe = os.environ.get("KELO_WINPROBE") or str(exe_path("winprobe.exe"))
        self._probe = subprocess.Popen([WINE, probe, "serve"], env=self.env,
                                       stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                                       stderr=subprocess.DEVNULL, start_new_session=True)
        self._probe_buf = b""

    def probe(self, *args, timeout: float = 30.0) -> dict:
        if any("\t" in str(a) or "\n" in str(a) for a in args):
            raise E2EError(f"winprobe arguments must not hold tabs or newlines: {args}")
        self._probe.stdin.write(("\t".join(map(str, args)) + "\n").encode("utf-8"))
        self._probe.stdin.flush()
        deadline = time.monotonic() + timeout
        fd = self._probe.stdout.fileno()
        while b"\n" not in self._probe_buf:
            left = deadline - time.monotonic()
            if left <= 0 or self._probe.poll() is not None:
                raise E2EError(f"winprobe {args}: no answer")
            ready, _, _ = select.select([fd], [], [], left)
            if ready:
                chunk = os.read(fd, 65536)
                if not chunk:
                    raise E2EError(f"winprobe {args}: ended")
                self._probe_buf += chunk
        line, _, self._probe_buf = self._probe_buf.partition(b"\n")
        answer = json.loads(line.decode("utf-8", "replace"))
        if "error" in answer:
            raise E2EError(f"winprobe {args}: {answer['error']}")
        return answer

    def windows(self, title_prefix: str, exact: bool = False, visible: bool = True) -> list:
        # Wine's IsWindowVisible may say yes for another process's window that is still
        # hidden (no WS_VISIBLE yet): both must hold.
        found = self.probe("window", title_prefix)["windows"]
        return [w for w in found if (not exact or w["title"] == title_prefix)
                and (not visible or w["visible"] and int(w["style"], 16) & 0x10000000)]

    def find_window(self, title_prefix: str, exact: bool = False) -> dict | None:
        found = self.windows(title_prefix, exact)
        return found[0] if found else None

    def wait_window(self, title_prefix: str, timeout: float = 15.0, exact: bool = False,
                    predicate=None) -> dict:
        def check():
            for w in self.windows(title_prefix, exact):
                if predicate is None or predicate(w):
                    return w
            return None
        return wait_until(check, timeout, f"window {title_prefix!r}", interval=0.02)

    def wait_no_window(self, title_prefix: str, timeout: float = 10.0, exact: bool = False):
        wait_until(lambda: not self.windows(title_prefix, exact), timeout,
                   f"window {title_prefix!r} to go", interval=0.02)

    def list_windows(self) -> dict:
        return self.probe("list")

    def dpi(self) -> int:
        if self._dpi is None:
            self._dpi = self.probe("dpi")["dpi"]
        return self._dpi

    def px(self, twips: float) -> int:
        return twips_to_px(twips, self.dpi())

    def close_window(self, title_prefix: str, exact: bool = False):
        """Posts WM_CLOSE, as the close box does."""
        self.probe("close", title_prefix)

    @staticmethod
    def child(window: dict, text: str | None = None, cls: str | None = None) -> dict | None:
        for c in window.get("children", []):
            if (text is None or c["text"] == text) and (cls is None or c["class"].lower() == cls.lower()):
                return c
        return None

    @staticmethod
    def child_at(window: dict, x: int, y: int, cls: str | None = None) -> dict | None:
        """The smallest visible child window that holds the screen point (x, y)."""
        best = None
        for c in window.get("children", []):
            r = c["rect"]
            if not c["visible"] or not (r["left"] <= x < r["right"] and r["top"] <= y < r["bottom"]):
                continue
            if cls is not None and c["class"].lower() != cls.lower():
                continue
            area = (r["right"] - r["left"]) * (r["bottom"] - r["top"])
            if best is None or area < best[0]:
                best = (area, c)
        return best[1] if best else None

    def control_at(self, window: dict, left: float, top: float, width: float, height: float,
                   cls: str | None = None) -> dict | None:
        """The child window at the centre of a design position given in twips."""
        return self.child_at(window, *self.control_centre(window, left, top, width, height), cls=cls)

    # -- X input --------------------------------------------------------------------------

    def xdotool(self, *args, timeout: float = 20.0) -> str:
        result = subprocess.run(["xdotool", *map(str, args)], env=self.env,
                                capture_output=True, text=True, timeout=timeout)
        if result.returncode != 0:
            raise E2EError(f"xdotool {args}: {result.stderr.strip()}")
        return result.stdout.strip()

    def x_window(self, title: str, pid: int | None = None) -> int:
        """The X window openbox manages for the Win32 window with this title (prefix)."""
        def search():
            try:
                out = self.xdotool("search", "--onlyvisible", "--name",
                                   "^" + re.sub(r"([][.^$*+?(){}|\\/])", r"\\\1", title))
            except E2EError:
                return None
            ids = [int(x) for x in out.split()]
            if pid is not None:
                mine = [i for i in ids if self._x_pid(i) == pid]
                ids = mine or ids
            return ids[0] if ids else None
        return wait_until(search, 10, f"X window {title!r}")

    def _x_pid(self, xid: int) -> int | None:
        with contextlib.suppress(E2EError):
            return int(self.xdotool("getwindowpid", xid))
        return None

    @property
    def x(self) -> XInput:
        if self._x is None:
            self._x = XInput(self.display)
        return self._x

    def focus(self, title: str | int) -> int:
        """Gives the X focus to the window (title or X window id), as a real click would do."""
        xid = title if isinstance(title, int) else self.x_window(title)
        if self.x.focused() != xid:
            self.xdotool("windowfocus", xid)
            wait_until(lambda: self.x.focused() == xid, 5, f"X focus on {title!r}", interval=0.02)
        return xid

    def mouse_move(self, x: int, y: int):
        self.x.move(x, y)

    def click_at(self, x: int, y: int, focus_title: str | None = None):
        if focus_title is not None:
            self.focus(focus_title)
        self.x.click(x, y)

    def control_centre(self, window: dict, left: float, top: float, width: float,
                       height: float) -> tuple[int, int]:
        """Screen point at the centre of a control placed in twips in the client area."""
        ox, oy = window["client_origin"]["x"], window["client_origin"]["y"]
        return ox + self.px(left + width / 2), oy + self.px(top + height / 2)

    def click_control(self, title: str, left: float, top: float, width: float,
                      height: float, exact: bool = False) -> dict:
        """Clicks the centre of a control given by its design position in twips."""
        window = self.wait_window(title, exact=exact)
        x, y = self.control_centre(window, left, top, width, height)
        self.click_at(x, y, focus_title=window["title"])
        return window

    def click_child(self, title: str, text: str, exact: bool = False) -> dict:
        """Clicks the centre of the child window (control) whose text is given."""
        window = self.wait_window(title, exact=exact)
        c = self.child(window, text=text)
        if c is None:
            raise E2EError(f"no control {text!r} in {title!r}")
        r = c["rect"]
        self.click_at((r["left"] + r["right"]) // 2, (r["top"] + r["bottom"]) // 2,
                      focus_title=window["title"])
        return c

    @contextlib.contextmanager
    def hold_shift(self):
        self.x.shift_key(True)
        try:
            yield
        finally:
            self.x.shift_key(False)

    def key(self, *keys: str):
        """xdotool key names into the X focus window, e.g. key("Home", "shift+End")."""
        self.xdotool("key", "--delay", 20, *keys)

    def type_value(self, text: str):
        """Types a box's text; a leading "-" as its own key (xdotool would take it for an option)."""
        if text.startswith("-"):
            self.key("minus")
            text = text[1:]
        if text:
            self.type_text(text)

    def enter_values(self, *texts):
        """From the focused box on: types each text (None: nothing) and presses Enter."""
        for text in texts:
            if text:
                self.type_value(text)
            self.key("Return")

    def type_text(self, text: str):
        # "--" ends the options: a text may begin with "-" ("-25").
        self.xdotool("type", "--delay", 20, "--", text)

    # -- settings store -----------------------------------------------------------------

    def registry_clear(self):
        self.probe("regdel", SETTINGS_KEY)

    def registry_write(self, values: dict[str, str]):
        for name, value in values.items():
            self.probe("regset", SETTINGS_KEY, name, value)

    def registry_read(self, key: str = SETTINGS_KEY) -> dict[str, str]:
        """The key's values ({} when it is absent), read by the probe: exact Unicode."""
        return self.probe("regget", key)["values"]

    def kept_tables(self) -> list[Path]:
        """The contour table the toolbar keeps between runs (%APPDATA%\\KeloMenu), if any."""
        return list((self.prefix / "drive_c" / "users").glob("*/AppData/Roaming/KeloMenu/輪郭表.csv"))

    def forget_table(self):
        for kept in self.kept_tables():
            kept.unlink()

    # -- screenshots ----------------------------------------------------------------------

    def pixels(self, rect: dict) -> dict:
        """{(x, y): (r, g, b)} of the screen in rect, x and y from its corner."""
        w, h, rgb = grab(self.display, rect)
        return {(i % w, i // w): tuple(rgb[3 * i:3 * i + 3]) for i in range(w * h)}

    def screenshot(self, name: str, rect: dict | None = None) -> Path:
        """Saves the screen, or the part of it in rect (Win32 screen rect), as a PNG."""
        SHOTS.mkdir(parents=True, exist_ok=True)
        path = SHOTS / name
        write_png(path, *grab(self.display, rect or dict(left=0, top=0, right=1 << 16, bottom=1 << 16)))
        return path


class SessionCase(unittest.TestCase):
    """One session for the whole class (starting Xvfb and Wine takes seconds), at the
    class's dpi (None: whatever the prefix holds) and screen size."""

    session = None
    dpi = 96
    screen = SCREEN

    @classmethod
    def setUpClass(cls):
        cls.session = Session(screen=cls.screen, dpi=cls.dpi).__enter__()

    @classmethod
    def tearDownClass(cls):
        if cls.session is not None:
            cls.session.__exit__(None, None, None)

    def setUp(self):
        self.s = self.session
        self.s.stop_all()

    def tearDown(self):
        self.s.stop_all()
