#pragma once

// The module's docstrings, in the numpydoc layout that help() and IDEs show.
namespace xscatter::python::docs {

inline constexpr const char* kModule =
    R"(Atomic form factors, incoherent scattering functions and photon cross sections.

The tables are those of Hubbell et al., J. Phys. Chem. Ref. Data 4, 471 (1975): the atomic
form factor F(x) and the incoherent scattering function S(x) of the momentum transfer
x = sin(theta/2)/lambda in 1/angstrom (q = 4 pi x is the other convention in use).

Functions take NumPy array-likes and broadcast like ufuncs: the results have the shape of the
broadcast inputs, or are floats for scalar inputs. Energies are in keV, wavelengths in
angstrom, scattering angles in degrees (0 forward, 180 back). Cross sections are per unit of
the table (see Table.unit) in barn/sr and barn, or per gram in cm^2/g/sr and cm^2/g.

Examples
--------
>>> import numpy as np, xscatter
>>> water = xscatter.table("H2O")
>>> water.unit
'per formula unit of H2O (18.015 g/mol)'
>>> coh, incoh = water.differential(energy=17.48, angle=np.linspace(0, 180, 181))
)";

inline constexpr const char* kTable = R"(A scattering table: F(x) and S(x) at 45 momentum transfers.

Made by table(), compound() or mixture(). F and S are per unit of the table, which unit
states in words.)";

inline constexpr const char* kName = "str: the table's name (element, material, id or formula).";

inline constexpr const char* kUnit =
    R"(str: what F, S and the cross sections are per, in words, e.g. 'per atom of Fe (55.845 g/mol)'.)";

inline constexpr const char* kMolarMass =
    "float or None: the molar mass of that unit in g/mol; None where it is not known.";

inline constexpr const char* kComposition =
    "dict or None: atoms of each element (by symbol) per unit; None where it is not known.";

inline constexpr const char* kX =
    "ndarray: the momentum transfers x = sin(theta/2)/lambda of the 45 rows, in 1/angstrom.";
inline constexpr const char* kF = "ndarray: the form factor F(x) of the 45 rows, per unit.";
inline constexpr const char* kS =
    "ndarray: the incoherent scattering function S(x) of the 45 rows, per unit.";

inline constexpr const char* kAt = R"(F and S at momentum transfers x.

Log-log interpolation between the table's rows, as the window's typed read-out does.

Parameters
----------
x : array_like
    Momentum transfers x = sin(theta/2)/lambda in 1/angstrom.

Returns
-------
F, S : ndarray or float
    The form factor and the incoherent scattering function per unit of the table; NaN where
    x lies outside 0.005 to 1000 or the table has no value.)";

inline constexpr const char* kDifferential = R"(Differential cross sections of unpolarised photons.

coherent = r_e^2 (1 + cos^2 theta)/2 F(x)^2 and incoherent = Klein-Nishina dsigma/dOmega S(x).

Parameters
----------
energy : array_like, optional
    Photon energies in keV (or give wavelength).
angle : array_like
    Scattering angles in degrees, 0 to 180.
wavelength : array_like, optional
    Photon wavelengths in angstrom, instead of energy.
per_gram : bool, optional
    Per gram (cm^2/g/sr) instead of per unit of the table (barn/sr); needs molar_mass.

Returns
-------
coherent, incoherent : ndarray or float
    dsigma/dOmega in barn/sr per unit (or cm^2/g/sr); NaN for an angle outside 0 to 180 or an
    energy that is not positive.

Raises
------
ValueError
    For per_gram without a known molar mass, or a table that cannot be integrated.)";

inline constexpr const char* kCrossSections = R"(Total coherent and incoherent cross sections.

dsigma/dOmega integrated over all directions, exactly for the coherent part between the table's
rows and by Gauss-Legendre quadrature for the incoherent part.

Parameters
----------
energy : array_like, optional
    Photon energies in keV (or give wavelength).
wavelength : array_like, optional
    Photon wavelengths in angstrom, instead of energy.
per_gram : bool, optional
    Per gram (cm^2/g) instead of per unit of the table (barn); needs molar_mass.

Returns
-------
coherent, incoherent : ndarray or float
    sigma in barn per unit (or cm^2/g); NaN for an energy that is not positive or beyond the
    table's reach.)";

inline constexpr const char* kTableFunction =
    R"(The table a name stands for, as xscatter-table reads TABLE.

Parameters
----------
name : str
    A path (holds / or ends in .xfs), an element symbol ('Fe'), a saved material, a reference
    material's id or name ('water-liquid'), or a chemical formula ('Ca5(PO4)3OH'), looked up
    in this order.
data : str or os.PathLike, optional
    The folder that holds XFS-data and XFSM-data; by default the one xscatter-table uses.
kind : {'path', 'element', 'material', 'reference', 'formula'}, optional
    Read the name only this way.

Returns
-------
Table

Raises
------
ValueError
    When no table has that name, or its file cannot be read.)";

inline constexpr const char* kMomentumTransfer = R"(The momentum transfer x = sin(theta/2)/lambda.

Parameters
----------
energy : array_like, optional
    Photon energies in keV, lambda = hc/E (or give wavelength).
angle : array_like
    Scattering angles in degrees.
wavelength : array_like, optional
    Photon wavelengths in angstrom, instead of energy.

Returns
-------
ndarray or float
    x in 1/angstrom.)";

inline constexpr const char* kFormula = R"(What a chemical formula stands for.

Parameters
----------
formula : str
    E.g. 'H2O', 'Ca5(PO4)3OH', 'CuSO4*5H2O', 'Fe0.7Ni0.3'. Symbols are case-sensitive.

Returns
-------
dict
    'formula' (canonical form), 'molar_mass' (g/mol), 'atoms' (per formula unit, by symbol)
    and 'mass_fractions' (by symbol, summing to 1).

Raises
------
ValueError
    Naming the column of the fault and the likely fix.)";

inline constexpr const char* kAtomicWeight = R"(The standard atomic weight of an element.

Parameters
----------
symbol : str
    The element's symbol, 'H' to 'Cf'.

Returns
-------
float
    g/mol (IUPAC; for an element without one, the mass number of its longest-lived isotope).)";

inline constexpr const char* kMaterials = R"(The reference materials.

Returns
-------
list of dict
    Each with 'id', 'name', 'density' (g/cm^3) and 'mass_fractions' (by symbol).)";

inline constexpr const char* kCompound = R"(A compound combined from the element tables.

F = sqrt(sum n_k F_k^2) and S = sum n_k S_k at full precision, per formula unit.

Parameters
----------
name : str
    The material's name, and its file name when saved.
atoms : str or dict
    A chemical formula, or atoms per formula unit by element symbol ({'H': 2, 'O': 1}).
save : bool, optional
    Also write it to XFSM-data/NAME.xfs (five digits, as the editors write).
data : str or os.PathLike, optional
    The data folder, as for table().

Returns
-------
Table)";

inline constexpr const char* kMixture = R"(A mixture by mass of chemical formulas.

Each part is turned into atoms per gram with the standard atomic weights; the sum is combined
as a compound, per mean atom.

Parameters
----------
name : str
    The material's name, and its file name when saved.
parts : dict
    Per cent by mass of each formula or element ({'Cu': 70, 'Zn': 30}).
save : bool, optional
    Also write it to XFSM-data/NAME.xfs.
data : str or os.PathLike, optional
    The data folder, as for table().

Returns
-------
Table)";

inline constexpr const char* kDataFolder = R"(The data folder used, as xscatter-table chooses it.

Parameters
----------
data : str or os.PathLike, optional
    A folder to use instead; it must hold XFS-data.

Returns
-------
str
    The folder that holds (or will hold) the saved materials in XFSM-data.)";

}  // namespace xscatter::python::docs
