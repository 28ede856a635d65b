#!/usr/bin/env python3
"""Regenerate the game's sound effects (turn, match, miss, complete .wav).

Stdlib only and fully deterministic, so the committed files can be rebuilt
byte for byte: python3 res/make_sounds.py
"""

import math
import os
import random
import struct

RATE = 44100
CHANNELS = 2
BITS = 16
PEAK = 0.5  # -6 dBFS: leaves headroom when sounds overlap in the mixer

# Frame counts are fixed: the game and its tests rely on these exact sizes.
FRAMES = {
    "turn.wav": 20352,
    "match.wav": 21376,
    "miss.wav": 28480,
    "complete.wav": 51776,
}

TWO_PI = 2.0 * math.pi


def ramp(x):
    """Raised-cosine 0..1 ramp; smooth at both ends so edges never click."""
    if x <= 0.0:
        return 0.0
    if x >= 1.0:
        return 1.0
    return 0.5 - 0.5 * math.cos(math.pi * x)


def note(freq, t, start, decay, partials, attack=0.004):
    """A struck tone: raised-cosine attack, exponential decay.

    partials is a list of (frequency ratio, amplitude, decay multiplier);
    upper partials die faster, which is what makes it sound struck.
    """
    dt = t - start
    if dt < 0.0:
        return 0.0
    a = ramp(dt / attack)
    s = 0.0
    for ratio, amp, dmul in partials:
        s += amp * math.exp(-dt / (decay * dmul)) * math.sin(TWO_PI * freq * ratio * dt)
    return a * s


def finish(left, right, fade_in, fade_out):
    """Normalise to PEAK and taper both ends so the file starts and ends on 0."""
    n = len(left)
    peak = max(max(abs(v) for v in left), max(abs(v) for v in right))
    gain = PEAK / peak
    fi = max(1, int(fade_in * RATE))
    fo = max(1, int(fade_out * RATE))
    out = []
    for i in range(n):
        g = gain * ramp(i / fi) * ramp((n - 1 - i) / fo)
        out.append((left[i] * g, right[i] * g))
    return out


def pan(p):
    """Equal-power pan, p in -1 (left) .. 1 (right)."""
    a = (p + 1.0) * math.pi / 4.0
    return math.cos(a), math.sin(a)


def add_strikes(l, r, t, strikes, decay, partials, gain=1.0, **shape):
    """Adds struck notes (frequency, start, pan) at time t to the running left and right sums."""
    for freq, start, p in strikes:
        v = note(freq, t, start, decay, partials, **shape)
        if gain != 1.0:
            v = gain * v
        gl, gr = pan(p)
        l += v * gl
        r += v * gr
    return l, r


def make_turn(n):
    # A card flick is mostly air: a few ms of band-limited noise, then nothing.
    rng = random.Random(0x7E11)
    left = [0.0] * n
    right = [0.0] * n
    burst = int(0.070 * RATE)
    # Two cascaded one-pole low-passes minus a slower one = soft band-pass;
    # the upper corner slides down so the flick "closes" like a card landing.
    lp1 = lp2 = slow = 0.0
    for i in range(burst):
        t = i / RATE
        x = rng.uniform(-1.0, 1.0)
        fc = 5200.0 * math.exp(-t / 0.025) + 1400.0
        k = 1.0 - math.exp(-TWO_PI * fc / RATE)
        lp1 += k * (x - lp1)
        lp2 += k * (lp1 - lp2)
        slow += (1.0 - math.exp(-TWO_PI * 350.0 / RATE)) * (lp2 - slow)
        y = lp2 - slow
        env = ramp(t / 0.0015) * math.exp(-t / 0.011)
        # A faint second tick 18 ms later gives the "flip" its two-sidedness.
        env += 0.35 * ramp((t - 0.018) / 0.0015) * math.exp(-max(0.0, t - 0.018) / 0.008)
        v = y * env
        # Slightly off-centre, as if the card were turned by the right hand.
        left[i] = v
        right[i] = v * 0.92
    return finish(left, right, 0.0005, 0.020)


def make_match(n):
    # Two quick bell strikes a fifth apart; inharmonic partial (2.76) = bell.
    bell = [(1.0, 1.0, 1.0), (2.76, 0.28, 0.35)]
    strikes = [(1318.51, 0.000, -0.25), (1975.53, 0.075, 0.25)]  # E6, B6
    left = [0.0] * n
    right = [0.0] * n
    for i in range(n):
        t = i / RATE
        l, r = add_strikes(0.0, 0.0, t, strikes, 0.11, bell)
        left[i] = l
        right[i] = r
    return finish(left, right, 0.002, 0.060)


def make_miss(n):
    # Low, soft and falling: disappointment without a buzzer.
    left = [0.0] * n
    right = [0.0] * n
    phase = 0.0
    dur = n / RATE
    for i in range(n):
        t = i / RATE
        # Glide A3 -> E3 over most of the sound.
        f = 220.0 * math.pow(165.0 / 220.0, min(1.0, t / (dur * 0.8)))
        phase += TWO_PI * f / RATE
        # A little second harmonic keeps it audible on laptop speakers.
        v = math.sin(phase) + 0.18 * math.sin(2.0 * phase)
        env = ramp(t / 0.025) * math.exp(-t / 0.22)
        left[i] = v * env
        right[i] = v * env
    return finish(left, right, 0.010, 0.080)


def make_complete(n):
    # Rising C major arpeggio that lands on a held chord.
    soft = [(1.0, 1.0, 1.0), (2.0, 0.30, 0.5), (3.0, 0.12, 0.3)]
    c5, e5, g5, c6 = 523.25, 659.26, 783.99, 1046.50
    step = 0.085
    arp = [(c5, 0 * step, -0.45), (e5, 1 * step, -0.15),
           (g5, 2 * step, 0.15), (c6, 3 * step, 0.45)]
    chord_at = 4 * step + 0.02
    chord = [(c5, chord_at, -0.3), (e5, chord_at, 0.1), (g5, chord_at, -0.1), (c6, chord_at, 0.3)]
    left = [0.0] * n
    right = [0.0] * n
    for i in range(n):
        t = i / RATE
        l, r = add_strikes(0.0, 0.0, t, arp, 0.18, soft)
        if t >= chord_at:
            # Slower attack and long decay: the chord swells, then rings.
            l, r = add_strikes(l, r, t, chord, 0.45, soft, gain=0.55, attack=0.012)
        left[i] = l
        right[i] = r
    return finish(left, right, 0.002, 0.250)


def write_wav(path, frames):
    data = bytearray()
    for l, r in frames:
        data += struct.pack("<hh", quantise(l), quantise(r))
    block = CHANNELS * BITS // 8
    header = struct.pack(
        "<4sI4s4sIHHIIHH4sI",
        b"RIFF", 36 + len(data), b"WAVE",
        b"fmt ", 16, 1, CHANNELS, RATE, RATE * block, block, BITS,
        b"data", len(data))
    with open(path, "wb") as f:
        f.write(header)
        f.write(data)


def quantise(v):
    return max(-32768, min(32767, int(round(v * 32767.0))))


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    makers = {
        "turn.wav": make_turn,
        "match.wav": make_match,
        "miss.wav": make_miss,
        "complete.wav": make_complete,
    }
    for name, make in makers.items():
        frames = make(FRAMES[name])
        assert len(frames) == FRAMES[name], name
        write_wav(os.path.join(here, name), frames)
        print("wrote %s (%d frames)" % (name, len(frames)))


if __name__ == "__main__":
    main()
