"""F and S of water, and its differential cross sections at Mo K-alpha (17.48 keV)."""
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt
import numpy as np

import xscatter

water = xscatter.table("H2O")
print(water.unit)  # per formula unit of H2O (18.015 g/mol)

x = np.geomspace(0.005, 10, 400)
F, S = water.at(x)
angle = np.linspace(0, 180, 721)
coherent, incoherent = water.differential(energy=17.48, angle=angle)

figure, (left, right) = plt.subplots(1, 2, figsize=(10, 4), layout="constrained")
left.loglog(x, F, label="F(x)")
left.loglog(x, S, "--", label="S(x)")
left.set(xlabel="x = sin(θ/2)/λ (1/Å)", title=f"Water, {water.unit}")
left.legend()
right.semilogy(angle, coherent, label="coherent")
right.semilogy(angle, incoherent, "--", label="incoherent")
right.set(xlabel="scattering angle θ (°)", ylabel="dσ/dΩ (barn/sr)", title="at 17.48 keV")
right.legend()
figure.savefig(sys.argv[1] if len(sys.argv) > 1 else "water.png", dpi=100)
