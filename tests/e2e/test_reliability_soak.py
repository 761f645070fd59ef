"""Reliability under Wine, in bulk: a soak of mixed commands with the waits at 0.01 s,
compared key for key with what the host received, with the toolbar's memory read as it
goes; and a focus thief, a second program that takes the foreground at random moments
while commands run, which must never receive a key.

Short runs in CI; `python3 tests/e2e/run_all.py --long -k reliability` for 1,000 soak
commands and 200 commands robbed of the foreground.
"""

import random
import re
import sys
import time
import unittest

import reliability_case as rc
import test_buttons as tb
from test_buttons import h

TOGGLES = {"DOT_GRID": "DOT_GRID", "SPOTLIGHT": "SPOTLIGHT"}
MULTI_LINE = ("ZERO", "Fillet_Delete")
WITH_VARIANT = [row[0] for row in tb.PLAIN if row[2] is not None]
THIEF = "Other program"
FIRST_PICKS = (0.0, 0.06, 0.1, 0.2, 0.3, 0.9)  # face, arc, toggle, multi-line, Shift, plain
# How soon after the thief takes the foreground a key that reaches it must come: keys
# already on their way then, not keys sent afterwards.
IN_FLIGHT_US = 30_000
# The channel's marker keys (unassigned virtual keys) that end its batches.
MARKER_KEYS = (0xE8, 0x97, 0x98, 0x99, 0x9A, 0x9B, 0x9C, 0x9D)


class SoakTest(rc.ReliabilityCase):
    def test_reliability_soak_of_mixed_commands_types_every_key_once_in_order(self):
        commands = rc.runs(100, 1000)
        checkpoints = {rc.runs(20, 100), commands // 2, commands}
        window, keys = self.start_toolbar({"EXTEND": "True", "DTime1": "0.01", "DTime2": "0.01"})
        rng = random.Random(20)
        toggles = {name: False for name in TOGGLES}
        contour = rc.Contour()
        expected = tb.STARTUP
        kinds = {}
        memory = [("start", *self.memory())]
        t0 = time.monotonic()
        for n in range(1, commands + 1):
            start = len(keys.poll().text)
            # One of each kind first: what Wine allocates on first use is then behind the
            # reading after 100 commands.
            pick = rng.random() if n > len(FIRST_PICKS) else FIRST_PICKS[n - 1]
            if pick < 0.05:
                kind = "face"
                sent = contour.face(self, window)
            elif pick < 0.08 and contour.x == 20:
                kind = "arc"
                sent = contour.arc(self, window)
            else:
                if pick < 0.15:
                    kind, name, shift = "toggle", rng.choice(sorted(TOGGLES)), False
                    toggles[name] = not toggles[name]
                    sent = f"^C{TOGGLES[name]} {'ON' if toggles[name] else 'OFF'}\r"
                elif pick < 0.25:
                    kind, name, shift = "multi-line", rng.choice(MULTI_LINE), False
                elif pick < 0.50:
                    kind, name, shift = "shift", rng.choice(WITH_VARIANT), True
                else:
                    kind, name, shift = "plain", rng.choice(tb.PLAIN)[0], False
                if kind != "toggle":
                    sent = tb.expected_stream(name, shift)
                if shift:
                    with self.s.hold_shift():
                        self.click(window, name)
                        keys.wait_typed(start, sent)
                else:
                    self.click(window, name)
            got = keys.wait_typed(start, sent, timeout=10)
            kinds[kind] = kinds.get(kind, 0) + 1
            expected += sent
            self.assertEqual(got, sent, f"command {n} ({kind})")
            if n in checkpoints:
                memory.append((f"after {n}", *self.memory()))
        rc.settle(keys, 0.3)
        # The whole stream, character for character, and every key the toolbar's.
        self.assertEqual(keys.typed(), expected)
        untagged = [k for k in rc.key_lines(keys.events) if k[2] != tb.INJECTED]
        self.assertEqual(untagged, [])
        self.assertEqual(rc.modifiers_left_down(keys.events), [])
        self.assertEqual(self.messages(), [])
        spent = time.monotonic() - t0
        report = ", ".join(f"{k} {v}" for k, v in sorted(kinds.items()))
        mem = "; ".join(f"{label}: {kib} KiB private (PrivateUsage {usage} B)" for label, kib, usage in memory)
        print(f"\n  soak: {commands} commands in {spent:.0f} s ({report}), {len(keys.text)} characters; {mem}",
              file=sys.stderr)
        # Flat: Wine's first use of each window, font and dialog costs a few MiB that stay
        # (the first 20 face and arc dialogs 4 MiB, the next 30 12 KiB); the contour kept
        # for the preview grows by its segments. The second half of a long run may not grow.
        growth = memory[-1][1] - memory[-2][1]
        self.assertLess(growth, 1024 if rc.LONG else 4096, memory)


class FocusThiefTest(rc.ReliabilityCase):
    def timeline(self, keys, thief, clicked):
        """What the host and the thief logged since the click, in ms from it."""
        events = [(t, f"host {k} {r}") for k, t, r in keys.poll().events if t >= clicked - 50_000]
        events += [(t, f"thief {k} {r}") for k, t, r in thief.entries() if t >= clicked - 50_000]
        return "; ".join(f"{(t - clicked) / 1000:.1f} {what}" for t, what in sorted(events)
                         if "KEYUP" not in what)

    def test_reliability_focus_thief_never_gets_a_key(self):
        wanted = rc.runs(20, 200)
        window, keys = self.start_toolbar({"EXTEND": "True", "DTime1": "0.2", "DTime2": "0.1"})
        log = h.HostLog(self.s._tmp / f"thief-{time.monotonic_ns()}.log")
        # A steal about every 0.6 s: most commands (0.4 s of waits) lose the host once.
        self.s.start(h.exe_path("hostsim.exe"), "--title", THIEF, "--log", h.unix_to_wine_path(log.path),
                     "--x", "950", "--y", "400", "--w", "600", "--h", "300", "--steal-every", "600",
                     title=THIEF, log=log)
        log.wait_kind("READY")
        rng = random.Random(7)
        robbed = exact = refused = lost = alarms = thief_seen = 0
        to_thief = {"character": 0, "key": 0, "marker": 0}
        cut = {}  # complete lines before the cut: commands
        self.host_log = h.HostLog(keys.path)
        n = 0
        while robbed < wanted:
            n += 1
            self.assertLess(n, wanted * 4, f"only {robbed} of {n} commands met the thief")
            name = rng.choice(("ZERO",) + tuple(row[0] for row in tb.PLAIN if row[0] not in tb.SHORT_OPENING))
            sent = tb.expected_stream(name, False)
            start = len(keys.poll().text)
            lines_before = len(self.host_log.lines())
            clicked = self.click(window, name)
            units = len(re.findall(r"\^C|.", sent, re.S))
            for attempt in range(2):
                try:
                    h.wait_until(lambda: len(keys.poll().text) - start >= units or self.messages(), 5,
                                 f"command {n}")
                    break
                except TimeoutError:
                    self.s.screenshot(f"reliability-thief-command-{n}.png")
                    started = any(t >= clicked for t, r in self.host_log.of_kind("ACTIVE") if r == "1")
                    if attempt or started or len(keys.text) > start:
                        self.fail(f"command {n} ({name}) neither ended nor failed: "
                                  f"{self.timeline(keys, log, clicked)}")
                    # Neither activation nor a key: the X server lost the click (the
                    # benchmark meets this too). Click again; the screenshot shows the moment.
                    lost += 1
                    clicked = self.click(window, name)
            # The last key string can be cut after its keys reached the host: the cancel and
            # the message follow a moment later.
            rc.settle(keys, 0.05)
            if keys.typed(start) != sent:
                try:
                    h.wait_until(self.messages, 3, f"command {n}: the message after a cut")
                except TimeoutError:
                    pass
            boxes = self.messages()
            got = keys.typed(start)
            if boxes:
                self.assertEqual(len(boxes), 1)
                self.assertIsNotNone(self.s.child(boxes[0], text=rc.NO_HOST, cls="Static"))
                # Cut short: the lines it ran are its first ones, exactly; the cut line is
                # cancelled, so no Enter ever ran a part of one.
                want = [part.replace("^C", "") for part in sent.split("\r")[:-1]]
                ran = self.host_log.lines()[lines_before:]
                self.assertEqual(ran, want[:len(ran)], f"command {n} ({name}): {self.timeline(keys, log, clicked)}")
                rc.settle(keys, 0.2)
                typed = keys.typed(start)
                self.assertTrue(typed == "" or typed.endswith("^C"), f"command {n} ({name}): the cut line "
                                f"stays: {self.timeline(keys, log, clicked)}")
                if len(ran) == len(want):
                    alarms += 1  # it ran whole: another program came to the front just after its last key
                elif ran:
                    cut[len(ran)] = cut.get(len(ran), 0) + 1
                else:
                    refused += 1
                self.dismiss(boxes[0])
            else:
                self.assertEqual(got, sent, f"command {n} ({name}); {self.timeline(keys, log, clicked)}")
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
                in_flight = any(0 <= t - s <= IN_FLIGHT_US for s in steal_times)
                self.assertTrue(in_flight, f"command {n} ({name}): {key} reached the thief long after it took "
                                f"the foreground: {self.timeline(keys, log, clicked)}")
                if any(f"vk=0x{vk:02x}" in rest for vk in MARKER_KEYS):
                    to_thief["marker"] += 1
                else:
                    self.assertTrue(boxes, f"command {n} ({name}): {key} reached the thief, and the command "
                                    f"went on: {self.timeline(keys, log, clicked)}")
                    to_thief["key" if kind != "CHAR" else "character"] += 1
            thief_seen = len(entries)
            last = keys.text[-1][0] if len(keys.text) > start else h.now_us()
            steals = [t for t, _ in log.of_kind("STEAL") if clicked - 30_000 <= t <= last]
            robbed += bool(steals)
            time.sleep(0.12)  # the command's last wait
        rc.settle(keys, 0.3)
        print(f"\n  thief: {n} commands, {robbed} met a steal during their waits; {exact} exact, "
              f"{refused} absent with the message (nothing run), {sum(cut.values())} cut after their first "
              f"lines {cut}, {alarms} whole, then the message; {len(log.of_kind('STEAL'))} steals; "
              f"to the thief, all on their way as it took the foreground: {to_thief}; "
              f"{lost} clicks lost by X and repeated",
              file=sys.stderr)


if __name__ == "__main__":
    unittest.main()
