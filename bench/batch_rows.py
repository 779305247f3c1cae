#!/usr/bin/env python3
"""Writes N generated gears as a batch table (CSV) to standard output.

The rows of the batch's throughput figure: standard mode, DIN tolerances
(deviation series d, tolerance series 25), the recommended ball and tooth
count of the instrument; modules of the first series, a fifth internal gears,
helix angles 0..20 deg. The same seed gives the same table.

    bench/batch_rows.py 1000000 > rows.csv
    time build/silvarone batch rows.csv --out out.csv
"""
import random
import sys

MODULES = [1, 1.25, 1.5, 2, 2.5, 3, 4, 5, 6, 8]


def main() -> None:
    count = int(sys.argv[1]) if len(sys.argv) > 1 else 1000
    rng = random.Random(20261209)
    out = sys.stdout
    out.write("id,m_n,z,alpha_n,beta,x,b_w,deviation_source,deviation_series,tolerance_series\n")
    for i in range(count):
        internal = rng.random() < 0.2
        z = -rng.randint(40, 150) if internal else rng.randint(14, 150)
        beta = rng.choice([0, 0, rng.uniform(5, 20)])
        x = rng.uniform(-0.2, 0.2) if internal else rng.uniform(-0.3, 0.6)
        out.write(f"g{i},{rng.choice(MODULES)},{z},20,{beta:.3f},{x:.3f},"
                  f"{rng.randint(15, 80)},DIN,d,25\n")


if __name__ == "__main__":
    main()
