"""The Python module against the command line, and as NumPy users expect it to behave."""
import json
import os
import subprocess
import threading
import time

import numpy as np
import pytest

import xscatter

DATA = os.environ["XSCATTER_DATA_DIR"]
PROGRAM = os.environ["XSCATTER_TABLE_PROGRAM"]


def table_program(*arguments, stdin=""):
    run = subprocess.run([PROGRAM, "--data", DATA, "--format", "json", *arguments],
                         input=stdin, capture_output=True, text=True, check=False)
    return json.loads(run.stdout)


@pytest.fixture(scope="module")
def iron():
    return xscatter.table(os.path.join(DATA, "XFS-data", "Fe.xfs"))


def test_rows_and_read_out_equal_the_command_line(iron):
    shown = table_program("show", "Fe")["rows"]
    assert iron.x.tolist() == [row["x"] for row in shown]
    assert iron.F.tolist() == [row["F"] for row in shown]
    assert iron.S.tolist() == [row["S"] for row in shown]
    x = 10 ** np.random.default_rng(7).uniform(-2.4, 3.1, 500)
    read = table_program("at", "Fe", "-", stdin="\n".join(repr(v) for v in x))["rows"]
    F, S = iron.at(x)
    assert [None if np.isnan(v) else v for v in F] == [row["F"] for row in read]
    assert [None if np.isnan(v) else v for v in S] == [row["S"] for row in read]


def test_at_broadcasts_like_a_ufunc(iron):
    F, S = iron.at(0.25)
    assert isinstance(F, float) and isinstance(S, float)
    grid = np.array([[0.25, 1], [2, 3]])
    for x in (grid, grid.tolist(), grid.T, grid.astype(np.float32), np.array([[1, 2], [3, 4]])):
        F, S = iron.at(x)
        assert F.shape == S.shape == np.shape(x)
        assert F.tolist() == [[iron.at(float(v))[0] for v in row] for row in np.asarray(x, float)]
    assert iron.at([])[0].shape == (0,)
    F, S = iron.at([0.001, 0.005, 1000, 1000.5, np.nan, np.inf, -1])
    assert np.isnan(F[[0, 3, 4, 5, 6]]).all() and np.isnan(S[[0, 3, 4, 5, 6]]).all()
    assert F[2] == iron.F[-3] and not np.isnan(F[1])


def test_columns_are_read_only_views_that_keep_the_table(iron):
    F = xscatter.table(os.path.join(DATA, "XFS-data", "Fe.xfs")).F
    assert F[0] == 26 and F.shape == (45,)
    with pytest.raises(ValueError):
        iron.x[0] = 1


def test_bad_input_raises_instead_of_crashing(iron):
    with pytest.raises(TypeError):
        iron.at("a")
    with pytest.raises(ValueError):
        xscatter.table("/nonexistent/Fe.xfs")


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
