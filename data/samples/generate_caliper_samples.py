#!/usr/bin/env python3
"""Writes the sample caliper files of share/rivwood/ukazky.

A riparian alder-ash belt on a brook, calipered tree by tree: diameters drawn from a fixed seed
around each species' mean, a few sample heights from a Michailoff-like curve. The output is
deterministic; run it again after changing the stand below and commit the files it writes.

    python3 data/samples/generate_caliper_samples.py data/samples
"""
import math
import random
import sys
from pathlib import Path

# caliper code, Vaduz name, trees, mean diameter [cm], spread, curve height at 30 cm [m]
SPECIES = [
    ("1", "Olse", 46, 27.0, 7.0, 23.0),   # black alder
    ("2", "Esche", 21, 31.0, 9.0, 26.0),  # ash
    ("3", "Weide", 9, 36.0, 11.0, 19.0),  # willow
    ("4", "Bergahorn", 6, 22.0, 5.0, 24.0),
]


def height(d, h30):
    """Height [m] of a tree of diameter d [cm] on the curve through h30 at 30 cm."""
    b = 9.0
    scale = (h30 - 1.3) / math.exp(-b / 30.0)
    return 1.3 + scale * math.exp(-b / d)


def trees(rng):
    for code, name, count, mean, spread, h30 in SPECIES:
        for _ in range(count):
            d = max(7.0, rng.gauss(mean, spread))
            yield code, name, round(d, 1), h30


def sample_heights(rng, stand):
    """Every fifth tree of a species gets a measured height, with a little scatter."""
    seen = {}
    for code, name, d, h30 in stand:
        seen[code] = seen.get(code, 0) + 1
        if seen[code] % 5 == 1:
            yield code, name, d, round(height(d, h30) * rng.uniform(0.95, 1.05), 1)


def mantax(stand, heights):
    lines = ["$A Olšový břeh u Mlýnského potoka", "$B 214A05 ", "$D 14.05.2026"]
    lines += [f"$1 {code} {d:.1f}" for code, _, d, _ in stand]
    lines += [f"$2 {code} 0 {round(h * 10)}" for code, _, _, h in heights]
    lines.append("$9")
    return "\r\n".join(lines) + "\r\n"


def vaduz(stand, heights):
    lines = [
        "Prumerkovaci zapis VADUZ",
        "",
        "Oddeleni:      214           Polesi:      Mlyn.potok",
        "Porast:        A05                        Olsi breh",
        "Datum:         14.05.2026",
        "",
        "Cis.stromu  Drevina          Kvalita        d1.3",
    ]
    # Fixed columns (1-based): number 1-13, species 15-29, quality 30, diameter 45-51.
    for number, (_, name, d, _) in enumerate(stand, 1):
        lines.append(f"{number:4d}".ljust(14) + f"{name:<15}" + "A".ljust(15) + f"{d:7.1f}")
    lines += ["", "Drevina                      Pocetnost      d1.3    pv"]
    # Species 1-14, count 30, mean diameter 45-51 (0.0 as the caliper prints it), height 51-58.
    for _, name, _, h in heights:
        lines.append(f"{name:<29}" + "1".ljust(15) + "0.0".ljust(6) + f"{h:8.1f}")
    return "\r\n".join(lines) + "\r\n"


def main():
    out = Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    rng = random.Random(2026)
    stand = list(trees(rng))
    heights = list(sample_heights(rng, stand))
    (out / "ukazka-mantax.txt").write_bytes(mantax(stand, heights).encode("cp1250"))
    (out / "ukazka-vaduz.txt").write_bytes(vaduz(stand, heights).encode("cp1250"))


if __name__ == "__main__":
    main()
