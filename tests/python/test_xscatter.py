"""The Python module against the command line, and as NumPy users expect it to behave."""
import json
import os
import subprocess
import threading
import time
import tracemalloc

import numpy as np
import pytest

import xscatter

DATA = os.environ["XSCATTER_DATA_DIR"]
PROGRAM = os.environ["XSCATTER_TABLE_PROGRAM"]
R_E2 = 2.8179403262e-15**2 / 1e-28  # classical electron radius squared, barn


def table_program(*arguments, stdin=""):
    run = subprocess.run([PROGRAM, "--data", DATA, "--format", "json", *arguments],
                         input=stdin, capture_output=True, text=True, check=False)
    return run


def shown(values):
    return [None if np.isnan(v) else v for v in values]


@pytest.fixture(scope="module")
def iron():
    return xscatter.table("Fe", data=DATA)


def test_rows_and_read_out_equal_the_command_line(iron):
    rows = json.loads(table_program("show", "Fe").stdout)["rows"]
    for column in ("x", "F", "S"):
        assert getattr(iron, column).tolist() == [row[column] for row in rows]
    x = 10 ** np.random.default_rng(7).uniform(-2.4, 3.1, 500)
    read = json.loads(table_program("at", "Fe", "-", stdin="\n".join(map(repr, x))).stdout)["rows"]
    F, S = iron.at(x)
    assert shown(F) == [row["F"] for row in read] and shown(S) == [row["S"] for row in read]


def test_what_a_table_is_per():
    water = xscatter.table("H2O", data=DATA)
    assert (water.name, water.unit) == ("H2O", "per formula unit of H2O (18.015 g/mol)")
    assert water.molar_mass == pytest.approx(18.015) and water.composition == {"H": 2, "O": 1}
    assert xscatter.table("water-liquid", data=DATA).unit.startswith("per mean atom of Water")
    assert xscatter.table(os.path.join(DATA, "XFS-data", "Cu.xfs")).molar_mass is None
    brass = xscatter.mixture("brass", {"Cu": 70, "Zn": 30}, data=DATA)
    assert sum(brass.composition.values()) == pytest.approx(1)
    assert xscatter.compound("water", {"H": 2, "O": 1}, data=DATA).F.tolist() == water.F.tolist()


def test_functions_broadcast_like_ufuncs(iron):
    F, S = iron.at(0.25)
    assert isinstance(F, float) and isinstance(S, float)
    grid = np.array([[0.25, 1], [2, 3]])
    for x in (grid, grid.tolist(), grid.T, grid.astype(np.float32), np.array([[1, 2], [3, 4]])):
        F, S = iron.at(x)
        assert F.shape == S.shape == np.shape(x)
        assert F.tolist() == [[iron.at(float(v))[0] for v in row] for row in np.asarray(x, float)]
    assert iron.at([])[0].shape == (0,)
    coherent, _ = iron.differential(energy=[[10], [20]], angle=[0, 90, 180])
    assert coherent.shape == (2, 3)
    assert coherent[1, 2] == iron.differential(energy=20, angle=180)[0]
    x = xscatter.momentum_transfer(energy=17.48, angle=[[0, 60]])
    assert x.shape == (1, 2) and x[0, 0] == 0
    assert x[0, 1] == pytest.approx(0.5 * 17.48 / 12.398419843320026, rel=1e-15)
    assert xscatter.momentum_transfer(wavelength=12.398419843320026 / 17.48, angle=60) == x[0, 1]
    with pytest.raises(ValueError, match="broadcast"):
        iron.differential(energy=[1, 2], angle=[1, 2, 3])


def test_values_outside_the_reach_are_nan(iron):
    F, S = iron.at([0.001, 0.005, 1000, 1000.5, np.nan, np.inf, -1])
    assert np.isnan(F[[0, 3, 4, 5, 6]]).all() and np.isnan(S[[0, 3, 4, 5, 6]]).all()
    assert F[2] == iron.F[-3] and not np.isnan(F[1])
    coherent, incoherent = iron.differential(energy=[17.48, -1, 17.48], angle=[30, 30, 181])
    assert not np.isnan(coherent[0]) and np.isnan(coherent[1:]).all()
    assert np.isnan(iron.cross_sections(energy=0)[1])


def test_cross_sections_follow_their_definitions(iron):
    angle = np.linspace(20, 180, 81)
    coherent, incoherent = iron.differential(energy=17.48, angle=angle)
    x = xscatter.momentum_transfer(energy=17.48, angle=angle)
    F, S = iron.at(x)
    c = np.cos(np.radians(angle))
    ratio = 1 / (1 + 17.48 / 510.99895 * (1 - c))
    klein_nishina = R_E2 / 2 * ratio**2 * (ratio + 1 / ratio - (1 - c**2))
    np.testing.assert_allclose(coherent, R_E2 * (1 + c**2) / 2 * F**2, rtol=1e-12)
    np.testing.assert_allclose(incoherent, klein_nishina * S, rtol=1e-12)
    per_gram = 6.02214076e23 * 1e-24 / 55.845
    assert iron.differential(energy=17.48, angle=angle, per_gram=True)[0].tolist() == (
        coherent * per_gram).tolist()
    # The totals against a plain trapezoid sum of the differential ones over cos(theta).
    grid = np.linspace(0, 180, 200001)
    coherent, incoherent = iron.differential(energy=17.48, angle=grid)
    mu = np.cos(np.radians(grid))
    totals = [2 * np.pi * np.trapz(values, -mu) for values in (coherent, incoherent)]
    np.testing.assert_allclose(iron.cross_sections(energy=17.48), totals, rtol=1e-5)


def test_differential_and_totals_equal_the_command_line():
    water = xscatter.table("water-liquid", data=DATA)
    run = table_program("at", "water-liquid", "--energy", "17.48", "--angle-grid", "0:180:0.5")
    at = json.loads(run.stdout)
    angle = np.array([row["angle"] for row in at["rows"]])
    assert (at["unit"], at["molar_mass"], at["energy"]) == (water.unit, water.molar_mass, 17.48)
    for per_gram, suffix in ((False, ""), (True, "_per_gram")):
        coherent, incoherent = water.differential(energy=17.48, angle=angle, per_gram=per_gram)
        assert coherent.tolist() == [row["coherent" + suffix] for row in at["rows"]]
        assert incoherent.tolist() == [row["incoherent" + suffix] for row in at["rows"]]
    energy = np.geomspace(1, 1000, 57)
    totals = json.loads(table_program("cross-sections", "water-liquid", "--energy",
                                      *map(repr, energy)).stdout)["rows"]
    for per_gram, suffix in ((False, ""), (True, "_per_gram")):
        coherent, incoherent = water.cross_sections(energy=energy, per_gram=per_gram)
        assert coherent.tolist() == [row["coherent" + suffix] for row in totals]
        assert incoherent.tolist() == [row["incoherent" + suffix] for row in totals]


def test_formulas_weights_and_materials():
    apatite = xscatter.formula("Ca5(PO4)3OH")
    assert apatite["atoms"] == {"Ca": 5, "P": 3, "O": 13, "H": 1}
    assert apatite["molar_mass"] == pytest.approx(502.31, abs=0.01)
    assert sum(apatite["mass_fractions"].values()) == pytest.approx(1)
    assert xscatter.atomic_weight("Fe") == 55.845
    materials = {m["id"]: m for m in xscatter.materials()}
    assert materials["water-liquid"]["density"] == 1
    assert materials["water-liquid"]["mass_fractions"]["H"] == pytest.approx(0.111894, rel=1e-4)


def test_errors_raise_with_the_command_lines_words(tmp_path):
    for name in ("fe", "h2o", "Xx9"):
        with pytest.raises(ValueError) as raised:
            xscatter.table(name, data=DATA)
        said = table_program("show", name).stderr.strip()
        assert said == "xscatter-table: " + str(raised.value)
    with pytest.raises(ValueError, match="column 1"):
        xscatter.formula("h2o")
    with pytest.raises(ValueError, match="molar mass"):
        xscatter.table(os.path.join(DATA, "XFS-data", "Fe.xfs")).cross_sections(energy=1,
                                                                               per_gram=True)
    with pytest.raises(ValueError, match="XFS-data"):
        xscatter.table("Fe", data=tmp_path)
    with pytest.raises(ValueError, match="kind"):
        xscatter.table("Fe", data=DATA, kind="planet")
    with pytest.raises(ValueError):
        xscatter.atomic_weight("Xx")
    with pytest.raises(TypeError):
        xscatter.table("Fe", data=DATA).at("a")


def test_saving_writes_what_the_command_line_writes(tmp_path):
    os.symlink(os.path.join(DATA, "XFS-data"), tmp_path / "XFS-data")
    xscatter.compound("rust", "Fe2O3", save=True, data=tmp_path)
    saved = xscatter.table("rust", data=tmp_path, kind="material")
    assert xscatter.data_folder(data=tmp_path) == str(tmp_path)
    assert saved.F[1] == pytest.approx(np.sqrt(2 * 25.983**2 + 3 * 7.9945**2), rel=1e-4)
    with pytest.raises(ValueError):
        xscatter.compound("a/b", "H2O", save=True, data=tmp_path)


def test_a_contiguous_float64_input_is_not_copied(iron):
    x = np.linspace(0.01, 10, 1_000_000)
    tracemalloc.start()
    iron.at(x)
    _, peak = tracemalloc.get_traced_memory()
    tracemalloc.stop()
    assert 2 * x.nbytes <= peak < 2.5 * x.nbytes  # the two results, and no third array


def test_columns_are_read_only_views_that_keep_the_table(iron):
    F = xscatter.table("Fe", data=DATA).F
    assert F[0] == 26 and F.shape == (45,)
    with pytest.raises(ValueError):
        iron.x[0] = 1


def test_array_work_lets_other_threads_run(iron):
    x = 10 ** np.random.default_rng(3).uniform(-2, 3, 3_000_000)
    done = threading.Event()
    call = []

    def work():
        start = time.perf_counter()
        values = iron.at(x)
        call.extend([start, time.perf_counter(), values])
        done.set()

    thread = threading.Thread(target=work)
    thread.start()
    # This loop needs the GIL for every turn: it turns during the call only if the call let go.
    turns = [time.perf_counter()]
    while not done.is_set():
        if time.perf_counter() - turns[-1] > 0.001:
            turns.append(time.perf_counter())
    thread.join()
    start, end, (F, _) = call
    middle = [t for t in turns if start + (end - start) / 4 < t < end - (end - start) / 4]
    assert len(middle) > 10
    assert np.array_equal(F, iron.at(x)[0], equal_nan=True)


def test_help_reads_well():
    assert "Parameters" in xscatter.Table.differential.__doc__
    assert "keV" in xscatter.momentum_transfer.__doc__
    stub = os.path.join(os.path.dirname(xscatter.__file__), "xscatter.pyi")
    assert "def cross_sections" in open(stub, encoding="utf-8").read()
