"""Reliability under Wine, in bulk: a soak of mixed commands with the waits at 0.01 s,
compared key for key with what the host received, with the toolbar's memory read as it
goes; and a focus thief, a second program that takes the foreground at random moments
while commands run, which must never receive a key.

Short runs in CI; `python3 tests/e2e/run_all.py --long -k reliability` for 1,000 soak
commands and 200 commands robbed of the foreground.
"""

import random
import sys
import time
import unittest

import case
from case import FACE, ARC2, h

THIEF = "Other program"
FIRST_PICKS = (0.0, 0.06, 0.1, 0.2, 0.3, 0.9)  # face, arc, toggle, multi-line, Shift, plain
FOREGROUND_TAKEN = ("ほかのウィンドウが前面に出たため、コマンドを中止しました。"
                    "そのウィンドウを閉じるか最小化してから、もう一度実行してください。")
# How soon after the thief takes the foreground a key that reaches it must come: keys
# already on their way then, not keys sent afterwards.
IN_FLIGHT_US = 30_000
# The channel's marker keys (unassigned virtual keys) that end its batches.
MARKER_KEYS = (0xE8, 0x97)


def plain_buttons():
    return [c["button"] for c in case.tables()["commands"] if c["behaviour"] == "Plain"]


def num(value: float) -> str:
    return str(int(value)) if value == int(value) else str(value)


class BulkTest(case.ToolbarCase):
    def memory(self):
        """(Linux private KiB of the toolbar's process, PrivateUsage bytes as winprobe reads it)."""
        cmdline = open(f"/proc/{self.proc.pid}/cmdline", "rb").read().replace(b"\0", b" ").decode(errors="replace")
        self.assertIn("kelomenu.exe", cmdline.lower(), "the pid is not the program's own")
        return h.linux_private_kib(self.proc.pid), self.s.probe("state", h.TOOLBAR_TITLE)["private"]

    def dialog_by_keys(self, title, *texts):
        """Opens the dialog, types each text with an Enter after it, and a last Enter on OK."""
        self.open(title)
        self.enter(*texts, None)
        self.s.wait_no_window(title, exact=True)

    def test_reliability_soak_of_mixed_commands_types_every_key_once_in_order(self):
        commands = case.runs(100, 1000)
        checkpoints = {case.runs(20, 100), commands // 2, commands}
        self.start_toolbar({"EXTEND": "True", "DTime1": "0.01", "DTime2": "0.01"})
        rng = random.Random(20)
        toggles = {"DOT_GRID": False, "SPOTLIGHT": False}
        with_variant = [name for name in plain_buttons() if case.stream(name, True) != case.stream(name)]
        x = z = 0  # the contour's end: a face line to X 20 or 30, from X 20 a convex arc to X 30
        expected, kinds = case.STARTUP, {}
        memory = [("start", *self.memory())]
        t0 = time.monotonic()
        for n in range(1, commands + 1):
            start = len(self.keys.poll().text)
            # One of each kind first: what Wine allocates on first use is then behind the
            # reading after 20 commands.
            pick = rng.random() if n > len(FIRST_PICKS) else FIRST_PICKS[n - 1]
            if pick < 0.05:
                kind, to = "face", 30 if x == 20 else 20
                self.dialog_by_keys(FACE, str(to))
                sent, x = f"^CLINE TWO_PTS {z},{num(x / 2)} {z},{num(to / 2)}\r^C", to
            elif pick < 0.08 and x == 20:
                kind = "arc"  # radius, past the centre boxes, end X, end Z
                self.dialog_by_keys(ARC2, "5", None, None, "30", str(z - 5))
                sent, x, z = f"^CARC CEN_BEG_END {z - 5},10\r{z},10\r{z - 5},15\r^C", 30, z - 5
            else:
                if pick < 0.15:
                    kind, name, shift = "toggle", rng.choice(sorted(toggles)), False
                    toggles[name] = not toggles[name]
                    sent = f"^C{name} {'ON' if toggles[name] else 'OFF'}\r"
                elif pick < 0.25:
                    kind, name, shift = "multi-line", rng.choice(("ZERO", "Fillet_Delete")), False
                elif pick < 0.50:
                    kind, name, shift = "shift", rng.choice(with_variant), True
                else:
                    kind, name, shift = "plain", rng.choice(plain_buttons()), False
                if kind != "toggle":
                    sent = case.stream(name, shift)
                if shift:
                    self.shift_click(name, lambda: self.keys.wait_typed(start, sent))
                else:
                    self.click(name)
            got = self.keys.wait_typed(start, sent, timeout=10)
            kinds[kind] = kinds.get(kind, 0) + 1
            expected += sent
            self.assertEqual(got, sent, f"command {n} ({kind})")
            if n in checkpoints:
                memory.append((f"after {n}", *self.memory()))
        self.assertTrue(self.keys.quiet())
        # The whole stream, character for character, and every key the toolbar's (but the
        # user's own Shift, held for some clicks).
        self.assertEqual(self.keys.typed(), expected)
        self.assertEqual(self.keys.faults(0, shift_held=kinds.get("shift", 0) > 0), [])
        self.assert_no_message()
        report = ", ".join(f"{k} {v}" for k, v in sorted(kinds.items()))
        mem = "; ".join(f"{label}: {kib} KiB private (PrivateUsage {usage} B)" for label, kib, usage in memory)
        print(f"\n  soak: {commands} commands in {time.monotonic() - t0:.0f} s ({report}), {len(self.keys.text)} "
              f"characters; {mem}", file=sys.stderr)
        # Flat: Wine's first use of each window, font and dialog costs a few MiB that stay,
        # somewhere in the first hundred commands (steps of 4 to 8 MiB seen after 20, 50 or
        # 100); the contour kept for the preview grows by its segments. So only a long run
        # can tell a leak: its second half may not grow. Wine gives pages back now and then,
        # so a reading may dip: the growth is over the highest reading before.
        if case.LONG:
            self.assertLess(memory[-1][1] - max(m[1] for m in memory[1:-1]), 1024, memory)

    def timeline(self, thief, clicked):
        """What the host and the thief logged since the click, in ms from it."""
        events = [(t, f"host {k} {r}") for k, t, r in self.keys.poll().events if t >= clicked - 50_000]
        events += [(t, f"thief {k} {r}") for k, t, r in thief.entries() if t >= clicked - 50_000]
        return "; ".join(f"{(t - clicked) / 1000:.1f} {what}" for t, what in sorted(events) if "KEYUP" not in what)

    def test_reliability_focus_thief_never_gets_a_key(self):
        wanted = case.runs(20, 200)
        self.start_toolbar({"EXTEND": "True", "DTime1": "0.2", "DTime2": "0.1"})
        log = h.HostLog(self.s._tmp / f"thief-{time.monotonic_ns()}.log")
        # A steal about every 0.6 s: most commands (0.4 s of waits) lose the host once. Away
        # from the middle of the screen, where the message box shows.
        self.s.start(h.exe_path("hostsim.exe"), "--title", THIEF, "--log", h.unix_to_wine_path(log.path),
                     "--x", "1250", "--y", "700", "--w", "600", "--h", "300", "--steal-every", "600",
                     title=THIEF, log=log)
        log.wait_kind("READY")
        rng = random.Random(7)
        names = ["ZERO"] + [name for name in plain_buttons() if case.command(name)["opening"] == "full"]
        robbed = exact = refused = lost = alarms = thief_seen = told = n = 0
        to_thief = {"character": 0, "key": 0, "marker": 0}
        cut = {}  # complete lines before the cut: commands
        host_log = h.HostLog(self.keys.path)
        while robbed < wanted:
            n += 1
            self.assertLess(n, wanted * 4, f"only {robbed} of {n} commands met the thief")
            name = rng.choice(names)
            sent = case.stream(name)
            start = len(self.keys.poll().text)
            lines_before = len(host_log.lines())
            clicked = self.click(name)
            for attempt in range(2):
                try:
                    # A cut command fails only after the host has been awaited for its keys and
                    # then for the cancel (2 s each), with the thief taking the foreground between.
                    h.wait_until(lambda: len(self.keys.poll().text) - start >= case.units(sent) or self.messages(),
                                 10, f"command {n}")
                    break
                except TimeoutError:
                    self.s.screenshot(f"reliability-thief-command-{n}.png")
                    started = any(t >= clicked for t, r in host_log.of_kind("ACTIVE") if r == "1")
                    if attempt or started or len(self.keys.text) > start:
                        self.fail(f"command {n} ({name}) neither ended nor failed: {self.timeline(log, clicked)}")
                    # Neither activation nor a key: the X server lost the click (the
                    # benchmark meets this too). Click again; the screenshot shows the moment.
                    lost += 1
                    clicked = self.click(name)
            # The last key string can be cut after its keys reached the host: the cancel and
            # the message follow a moment later.
            time.sleep(0.05)
            if self.keys.poll().typed(start) != sent:
                try:
                    h.wait_until(self.messages, 3, f"command {n}: the message after a cut")
                except TimeoutError:
                    pass
            boxes = self.messages()
            if boxes:
                self.assertEqual(len(boxes), 1)
                # The host is there: the message says another window came to the front (a host
                # that did not take even the cancel after the cut reads as not answering).
                said = [t for t in (FOREGROUND_TAKEN, case.NO_HOST) if self.s.child(boxes[0], text=t, cls="Static")]
                self.assertEqual(len(said), 1, f"command {n} ({name}): the message")
                told += said[0] == FOREGROUND_TAKEN
                # Cut short: the lines it ran are its first ones, exactly; the cut line is
                # cancelled, so no Enter ever ran a part of one.
                want = [part.replace("^C", "") for part in sent.split("\r")[:-1]]
                ran = host_log.lines()[lines_before:]
                self.assertEqual(ran, want[:len(ran)], f"command {n} ({name}): {self.timeline(log, clicked)}")
                time.sleep(0.2)
                typed = self.keys.poll().typed(start)
                self.assertTrue(typed == "" or typed.endswith("^C"),
                                f"command {n} ({name}): the cut line stays: {self.timeline(log, clicked)}")
                if len(ran) == len(want):
                    alarms += 1  # it ran whole: another program came to the front just after its last key
                elif ran:
                    cut[len(ran)] = cut.get(len(ran), 0) + 1
                else:
                    refused += 1
                self.dismiss(boxes[0], wait_active=False)  # the thief may hold the foreground
            else:
                self.assertEqual(self.keys.typed(start), sent, f"command {n} ({name}); {self.timeline(log, clicked)}")
                exact += 1
            # Nothing the channel sends may go to the thief. Keys already on their way when
            # it takes the foreground follow the foreground (as on Windows): that command
            # must have been cut, its line cancelled in the host (checked above).
            entries = log.entries()
            steal_times = [t for k, t, r in entries if k == "STEAL" or (k == "ACTIVE" and r.strip() == "1")]
            for kind, t, rest in entries[thief_seen:]:
                if kind not in ("KEYDOWN", "KEYUP", "CHAR"):
                    continue
                key = f"{kind} {rest}"
                self.assertTrue(any(0 <= t - s <= IN_FLIGHT_US for s in steal_times),
                                f"command {n} ({name}): {key} reached the thief long after it took the "
                                f"foreground: {self.timeline(log, clicked)}")
                if any(f"vk=0x{vk:02x}" in rest for vk in MARKER_KEYS):
                    to_thief["marker"] += 1
                else:
                    self.assertTrue(boxes, f"command {n} ({name}): {key} reached the thief, and the command went "
                                    f"on: {self.timeline(log, clicked)}")
                    to_thief["key" if kind != "CHAR" else "character"] += 1
            thief_seen = len(entries)
            last = self.keys.text[-1][0] if len(self.keys.text) > start else h.now_us()
            robbed += any(clicked - 30_000 <= t <= last for t, _ in log.of_kind("STEAL"))
            time.sleep(0.12)  # the command's last wait
        print(f"\n  thief: {n} commands, {robbed} met a steal during their waits; {exact} exact, {refused} absent "
              f"with the message (nothing run; {told} messages said another window came to the front), "
              f"{sum(cut.values())} cut after their first lines {cut}, {alarms} "
              f"whole, then the message; {len(log.of_kind('STEAL'))} steals; to the thief, all on their way as it "
              f"took the foreground: {to_thief}; {lost} clicks lost by X and repeated", file=sys.stderr)


if __name__ == "__main__":
    unittest.main()
