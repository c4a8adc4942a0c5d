"""Atomic form factors, incoherent scattering functions and photon cross sections."""
import os
from typing import Literal, Optional, Union

import numpy as np
import numpy.typing as npt

__version__: str

ArrayLike = npt.ArrayLike
Path = Union[str, os.PathLike[str]]
Result = Union[float, npt.NDArray[np.float64]]

class Table:
    """A scattering table: F(x) and S(x) at 45 momentum transfers."""

    @property
    def name(self) -> str: ...
    @property
    def unit(self) -> str:
        """What F, S and the cross sections are per, in words."""
    @property
    def molar_mass(self) -> Optional[float]:
        """g/mol of that unit, or None where it is not known."""
    @property
    def composition(self) -> Optional[dict[str, float]]:
        """Atoms of each element per unit, or None where it is not known."""
    @property
    def x(self) -> npt.NDArray[np.float64]:
        """Momentum transfers of the 45 rows, 1/angstrom (read-only)."""
    @property
    def F(self) -> npt.NDArray[np.float64]:
        """The form factor of the 45 rows (read-only)."""
    @property
    def S(self) -> npt.NDArray[np.float64]:
        """The incoherent scattering function of the 45 rows (read-only)."""
    def at(self, x: ArrayLike) -> tuple[Result, Result]:
        """F and S at x (1/angstrom); NaN outside 0.005 to 1000."""
    def differential(
        self,
        *,
        energy: Optional[ArrayLike] = None,
        angle: ArrayLike,
        wavelength: Optional[ArrayLike] = None,
        per_gram: bool = False,
    ) -> tuple[Result, Result]:
        """Coherent and incoherent dsigma/dOmega, barn/sr per unit (cm^2/g/sr per gram)."""
    def cross_sections(
        self,
        *,
        energy: Optional[ArrayLike] = None,
        wavelength: Optional[ArrayLike] = None,
        per_gram: bool = False,
    ) -> tuple[Result, Result]:
        """Total coherent and incoherent sigma, barn per unit (cm^2/g per gram)."""

def table(
    name: str,
    *,
    data: Optional[Path] = None,
    kind: Optional[Literal["path", "element", "material", "reference", "formula"]] = None,
) -> Table:
    """The table a name stands for: path, element, saved material, reference material, formula."""

def momentum_transfer(
    *,
    energy: Optional[ArrayLike] = None,
    angle: ArrayLike,
    wavelength: Optional[ArrayLike] = None,
) -> Result:
    """x = sin(theta/2)/lambda in 1/angstrom, from keV (or angstrom) and degrees."""

def formula(formula: str) -> dict[str, object]:
    """'formula', 'molar_mass' (g/mol), 'atoms' and 'mass_fractions' of a chemical formula."""

def atomic_weight(symbol: str) -> float:
    """The standard atomic weight in g/mol."""

def materials() -> list[dict[str, object]]:
    """The reference materials: 'id', 'name', 'density' (g/cm^3), 'mass_fractions'."""

def compound(
    name: str,
    atoms: Union[str, dict[str, float]],
    *,
    save: bool = False,
    data: Optional[Path] = None,
) -> Table:
    """A compound from a formula or atoms by symbol, per formula unit."""

def mixture(
    name: str,
    parts: dict[str, float],
    *,
    save: bool = False,
    data: Optional[Path] = None,
) -> Table:
    """A mixture by mass per cent of formulas, per mean atom."""

def data_folder(*, data: Optional[Path] = None) -> str:
    """The data folder used, as xscatter-table chooses it."""
