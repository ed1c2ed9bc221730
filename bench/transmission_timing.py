#!/usr/bin/env python3
"""Measures a whole transmission as it reached the sound server.

Reads a recording (signed 16-bit mono, 48 kHz) of a digit exercise keyed on the sound card at the
default speed with square tones: opening Ж Ж Ж -...-, groups of five digits, closing А Р. Finds
every tone, sorts each tone and gap to the nearest length the sign player and the transmission
produce, and reports how far each lies from that length.

    transmission_timing.py RECORDING GROUPS [GROUP_SIZE]
"""
import array
import math
import sys

RATE = 48000
DOT = 20                      # default speed on the sound card
DASH, SIGN_PAUSE, GROUP_PAUSE = 3 * DOT, 3 * DOT, 6 * DOT
TONES = {"dot": DOT, "dash": DASH}
GAPS = {
    "element": DOT,
    "sign": DOT + SIGN_PAUSE,
    "group": DOT + SIGN_PAUSE + GROUP_PAUSE,
    "after opening": DOT + SIGN_PAUSE + 3 * GROUP_PAUSE,
    "before closing": DOT + SIGN_PAUSE + 4 * GROUP_PAUSE,
}
MORSE = {".----": "1", "..---": "2", "...--": "3", "....-": "4", ".....": "5", "-....": "6",
         "--...": "7", "---..": "8", "----.": "9", "-----": "0", "...-": "Ж", "-...-": "=",
         ".-": "А", ".-.": "Р"}


def find_tones(samples):
    """Runs of loud samples, joined across silences shorter than 2 ms."""
    peak = max((abs(v) for v in samples), default=0)
    threshold = peak // 4
    join = 2 * RATE // 1000
    tones = []
    for i, v in enumerate(samples):
        if abs(v) <= threshold:
            continue
        if tones and i - tones[-1][1] < join:
            tones[-1][1] = i + 1
        else:
            tones.append([i, i + 1])
    return tones


def nearest(value, ideals):
    name = min(ideals, key=lambda k: abs(ideals[k] - value))
    return name, ideals[name]


def percentile(values, p):
    s = sorted(values)
    return s[min(len(s) - 1, max(0, math.ceil(p * len(s)) - 1))] if s else float("nan")


def main():
    groups = int(sys.argv[2])
    size = int(sys.argv[3]) if len(sys.argv) > 3 else 5
    samples = array.array("h")
    with open(sys.argv[1], "rb") as f:
        samples.frombytes(f.read())
    tones = find_tones(samples)
    ms = lambda frames: frames * 1000.0 / RATE
    lengths = [ms(b - a) for a, b in tones]
    gaps = [ms(tones[i + 1][0] - tones[i][1]) for i in range(len(tones) - 1)]

    tone_errors, gap_errors = [], {k: [] for k in GAPS}
    text, sign = "", ""
    for i, length in enumerate(lengths):
        kind, ideal = nearest(length, TONES)
        tone_errors.append(abs(length - ideal))
        sign += "." if kind == "dot" else "-"
        if i < len(gaps):
            kind, ideal = nearest(gaps[i], GAPS)
            gap_errors[kind].append(abs(gaps[i] - ideal))
            if kind == "element":
                continue
            text += MORSE.get(sign, "?") + {"sign": "", "group": " "}.get(kind, " | ")
            sign = ""
    text += MORSE.get(sign, "?")
    print(f"recording {len(samples) / RATE:.1f} s, {len(tones)} tones, {len(gaps)} gaps")
    print(f"decoded: {text}")

    all_gaps = [e for errors in gap_errors.values() for e in errors]
    print(f"{'':16} {'count':>6} {'p50 ms':>8} {'p99 ms':>8} {'max ms':>8}")
    print(f"{'tones':16} {len(tone_errors):6} {percentile(tone_errors, .5):8.3f} "
          f"{percentile(tone_errors, .99):8.3f} {max(tone_errors, default=float('nan')):8.3f}")
    for kind, errors in gap_errors.items():
        if errors:
            print(f"{'gap ' + kind:16} {len(errors):6} {percentile(errors, .5):8.3f} "
                  f"{percentile(errors, .99):8.3f} {max(errors):8.3f}")
    everything = tone_errors + all_gaps
    p99, worst = percentile(everything, .99), max(everything, default=float("nan"))
    print(f"{'all':16} {len(everything):6} {percentile(everything, .5):8.3f} {p99:8.3f} {worst:8.3f}")

    parts = text.split(" | ")
    expected_shape = (len(parts) == 3 and parts[0] == "ЖЖЖ=" and parts[2] == "АР"
                      and [len(g) for g in parts[1].split(" ")] == [size] * groups
                      and all(c.isdigit() for c in parts[1].replace(" ", "")))
    ok = expected_shape and p99 <= 1.0 and worst <= 3.0
    if not expected_shape:
        print(f"MISMATCH: expected the opening, {groups} groups of {size} digits and the closing")
    print(f"targets (every element and gap: p99 1 ms, worst 3 ms): {'met' if ok else 'MISSED'}")
    return 0 if ok else 3


if __name__ == "__main__":
    sys.exit(main())
