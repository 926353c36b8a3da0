# test_bad_input.py -- what the velmora module refuses: wrong shapes, numbers that are not
# finite, broken robot and trajectory files; clear exceptions, the interpreter unharmed
import os
import subprocess
import sys

import numpy as np
import pytest

import velmora


def test_arrays_of_the_wrong_shape_or_with_bad_numbers(robots):
    r = robots("Puma560")
    cases = [
        (r.fk, [0]*5, ValueError, "q: 6 values or an N x 6 array expected, got shape (5,)"),
        (r.fk, np.zeros((4, 7)), ValueError, "got shape (4, 7)"),
        (r.fk, np.zeros((2, 3, 6)), ValueError, "got shape (2, 3, 6)"),
        (r.fk, 3.0, ValueError, "got shape ()"),
        (r.fk, [0, 0, np.nan, 0, 0, 0], ValueError, "q: value 3 is not a finite number"),
        (r.jacobian, [[0]*6, [0, 0, 0, 0, np.inf, 0]], ValueError,
         "q: row 1, value 5 is not a finite number"),
        (r.rcond, [0, 0, 0, 1e40, 0, 0], ValueError, "q: value 4 is out of range"),
        (r.fk, ["a"]*6, TypeError, "q: numbers expected"),
        (r.fk, None, TypeError, "q: numbers expected, got None"),
        (r.ik, [1, 2, 3], ValueError, "pose: 6 values per row expected, got shape (3,)"),
        (r.ik, [1, 2, 3, 0, np.nan, 0], ValueError, "pose: value 5 is not a finite number"),
        (r.ik, velmora.Pose(np.zeros(3), np.ones((3, 3)), np.zeros(3)), ValueError,
         "pose.rotation: the matrix is not a rotation"),
        (r.ik, velmora.Pose(np.zeros(3), -np.eye(3), np.zeros(3)), ValueError,
         "is not a rotation"),
        (r.ik, velmora.Pose(np.zeros((2, 3)), np.eye(3), np.zeros(3)), ValueError,
         "position and rotation differ"),
        (lambda p: r.ik(p, q0=np.zeros((2, 6))), [[10, 0, 0, 0, 0, 0]]*3, ValueError,
         "q0: 2 rows for 3 targets"),
        (lambda p: r.ik(p, tol=-1), [10, 0, 0, 0, 0, 0], ValueError, "tol: a finite number"),
        (lambda p: r.ik(p, max_iter=0), [10, 0, 0, 0, 0, 0], ValueError, "max_iter: 1 to"),
        (lambda p: r.ik(p, max_iter=2.5), [10, 0, 0, 0, 0, 0], TypeError, "max_iter: an int"),
        (r.solve_path, 42, TypeError, "traj: a trajectory name"),
        (r.urdf, 0.0, ValueError, "scale: a finite number above 0"),
        (r.urdf, float("nan"), ValueError, "scale: a finite number above 0"),
        (velmora.path, "nope", ValueError, "no built-in path named 'nope' (there are: "),
    ]
    for f, arg, kind, words in cases:
        with pytest.raises(kind) as e:
            f(arg)
        assert words in str(e.value), (arg, str(e.value))
    # empty batches are answered with empty arrays
    assert r.fk(np.zeros((0, 6))).position.shape == (0, 3)
    assert r.ik(np.zeros((0, 6))).q.shape == (0, 6)
    # and the robot still answers as before
    assert np.allclose(r.fk(r.home).position, r.fk(list(r.home)).position)


BROKEN = {
    "missing": None,
    "unclosed": "geomtype = up\n{\n a = 1\n b = 0\n al = 0\n th = 0\n",
    "nolinks": "geomtype = up\n",
    "badvalue": "{\n a = 1x\n b = 0\n al = 0\n th = 0\n}\n",
    "binary": "\x00\x01\x02{{{\xff\xfe",
    "huge": "{\n a = 1\n b = 0\n al = 0\n th = 0\n}\n"*40,
}


def test_broken_robot_files_say_what_the_reader_says(tmp_path):
    arch = tmp_path / "Arch"
    arch.mkdir()
    for name, text in BROKEN.items():
        if text is not None:
            (arch / name).write_bytes(text.encode("latin-1"))
        with pytest.raises(velmora.RobotFileError) as e:
            velmora.Robot(name, data=str(tmp_path))
        p = subprocess.run([os.environ.get("VELMORA_KIN", "velmora-kin"), "--data",
                            str(tmp_path), "check", name], capture_output=True, text=True)
        assert p.returncode != 0
        msg = str(e.value)
        assert msg and "\n" not in msg.strip() or name == "badvalue", msg
        # the reader's own words, as the companion prints them
        assert msg.splitlines()[0] in p.stderr, (name, msg, p.stderr[-500:])
        assert isinstance(e.value, ValueError)
    with pytest.raises(velmora.RobotFileError) as e:
        velmora.Robot("Puma560", data=str(tmp_path / "nowhere" / "file"))
    assert os.getcwd() != str(tmp_path)
    with pytest.raises(ValueError):
        velmora.Robot("")
    with pytest.raises(ValueError):
        velmora.Robot("Pu\0ma")
    with pytest.raises(TypeError):
        velmora.Robot(7)


def test_broken_trajectory_files(robots, tmp_path):
    r = robots("Puma560")
    bad = tmp_path / "bad"
    bad.write_text("1 2 3\n4 5 x\n7 8 9\n1 0 0\n")
    with pytest.raises(velmora.TrajectoryFileError) as e:
        velmora.read_ctraj(str(bad))
    assert str(bad) in str(e.value)
    with pytest.raises(velmora.TrajectoryFileError):
        velmora.read_ctraj(str(tmp_path / "none"))
    short = tmp_path / "short"
    short.write_text("1 2 3 4 5 6\n1 2 3\n")
    with pytest.raises(velmora.TrajectoryFileError):
        velmora.read_jtraj(str(short), r)
    with pytest.raises(velmora.TrajectoryFileError):
        velmora.read_jtraj(str(short))
    with pytest.raises(velmora.TrajectoryFileError) as e:
        r.solve_path("NoSuchPath")
    assert "Cannot open NoSuchPath" in str(e.value)
    with pytest.raises(TypeError):
        velmora.read_jtraj(str(short), robot="Puma560")


def test_the_working_directory_and_standard_output_are_left_alone(data, tmp_path):
    # a robot read in a fresh interpreter: nothing on standard output, the folder unchanged,
    # nor from the solvers (a rank-deficient step, a failure), the conditioning or a path
    code = ("import os, velmora; d = os.getcwd(); r = velmora.Robot('Puma560', data=%r); "
            "r.ik([0, 0, 30, 0, 0, 0]); s = [0, -90, 90, 0, 0, 0]; r.ik(r.fk(s), q0=[1] + s[1:]); "
            "r.rcond([0, 0, 0, 0, 0, 0]); r.jacobian([0]*6); r.solve_path('Puma560.arc'); "
            "assert os.getcwd() == d; print('ok', r.n)" % data)
    env = dict(os.environ, PYTHONPATH=os.path.dirname(os.path.abspath(velmora.__file__)))
    p = subprocess.run([sys.executable, "-c", code], capture_output=True, text=True,
                       cwd=str(tmp_path), env=env, timeout=120)
    assert p.returncode == 0, p.stderr
    assert p.stdout == "ok 6\n"
