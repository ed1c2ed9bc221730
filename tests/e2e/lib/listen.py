# Copies a receive exercise by ear: follows the sound a program writes through SDL's disk driver
# (float32 stereo, 48 kHz, written as it plays), decodes the tones into signs as they come, and
# prints them, groups separated by spaces, once the given number of signs was heard and a
# silence longer than any pause followed (SIGNS 0: whatever was heard before the silence).
#   python3 listen.py sound.raw SIGNS src/keying/signtable.cpp [DOT_MS [FROM_BYTE]]
# Dots and dashes are told apart at twice the dot (given, else the shortest tone heard), signs
# and groups by gaps of 2.5 and 7.5 times it: between the 1, 4 and 10 dots that follow an
# element, a sign and a group at ratio 3, pauses 1, with room for a late wall clock.
import array, os, re, sys, time

RATE = 48000
path, wanted = sys.argv[1], int(sys.argv[2])
with open(sys.argv[3], encoding="utf-8") as table:
    codes = {code: sign for sign, code in re.findall(r'\{win1251\("(.)"\), "([.-]+)"', table.read())}

offset = int(sys.argv[5]) // 8 * 8 if len(sys.argv) > 5 else 0
frame = 0
tone_start = last_end = None
tones = []  # (start, end) in frames
while True:
    size = os.path.getsize(path) if os.path.exists(path) else 0
    size -= size % 8
    if size > offset:
        samples = array.array("f")
        with open(path, "rb") as f:
            f.seek(offset)
            samples.frombytes(f.read(size - offset))
        offset = size
        for v in samples[0::2]:
            frame += 1
            if abs(v) > 0.02:
                if tone_start is None:
                    tone_start = frame
                last_end = frame
            elif tone_start is not None and frame - last_end > RATE * 0.002:
                tones.append((tone_start, last_end))
                tone_start = None
    if tones and tone_start is None and frame - last_end > RATE * 0.4:
        dot = int(sys.argv[4]) * RATE / 1000 if len(sys.argv) > 4 else min(b - a for a, b in tones)
        text, code = "", ""
        for i, (a, b) in enumerate(tones):
            if wanted and len(text.replace(" ", "")) == wanted:
                break  # a closing keyed after the exercise, when the listener was late
            code += "." if b - a < 2 * dot else "-"
            gap = tones[i + 1][0] - b if i + 1 < len(tones) else None
            if gap is None or gap > 2.5 * dot:
                text += codes.get(code, "?")
                code = ""
            if gap is not None and gap > 7.5 * dot:
                text += " "
        if len(text.replace(" ", "")) >= wanted:
            print(text.strip(), flush=True)
            break
    time.sleep(0.02)
