"""The tones in a captured sound stream, for the end-to-end checks and the benchmarks."""
import array

RATE = 48000


def read_left(path, channels=2):
    """The first channel of a raw float32 capture (SDL's disk driver writes stereo)."""
    samples = array.array("f")
    with open(path, "rb") as f:
        samples.frombytes(f.read())
    return samples[0::channels]


def tone_runs(samples, threshold=1e-3, rate=RATE):
    """The runs of sound as (first, end) frames. 2 ms of silence ends a tone: a sine crosses zero
    every 0.6 ms at 800 Hz and a square wave never rests at zero."""
    runs, start, quiet = [], None, 0
    for i, v in enumerate(samples):
        if abs(v) > threshold:
            if start is None:
                start = i
            quiet = 0
        elif start is not None:
            quiet += 1
            if quiet > rate // 500:
                runs.append((start, i - quiet + 1))
                start, quiet = None, 0
    if start is not None:
        runs.append((start, len(samples)))
    return runs
