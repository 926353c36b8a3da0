# conftest.py -- what the tests of the velmora module share: a scratch copy of the samples,
# velmora-kin run on it, the robots read once, and the DH chain computed in numpy
import os
import shutil
import subprocess

import numpy as np
import pytest

import velmora

SAMPLES = os.environ.get("VELMORA_DATA",
                         os.path.join(os.path.dirname(__file__), "..", "..", "data"))
KIN = os.environ.get("VELMORA_KIN", "velmora-kin")


@pytest.fixture(scope="session")
def data(tmp_path_factory):
    # the reader writes posture files beside the robots: never into the source tree
    d = tmp_path_factory.mktemp("data")
    for kind in ("Arch", "Ctraj", "Jtraj", "JConfig"):
        shutil.copytree(os.path.join(SAMPLES, kind), d / kind)
    return str(d)


@pytest.fixture(scope="session")
def kin(data):
    def run(*args, ok=True):
        p = subprocess.run([KIN, "--data", data] + [str(a) for a in args],
                           capture_output=True, text=True, timeout=120)
        if ok:
            assert p.returncode == 0, p.stderr[-2000:]
        return p
    return run


@pytest.fixture(scope="session")
def robots(data):
    cache = {}

    def get(name):
        if name not in cache:
            cache[name] = velmora.Robot(name, data=data)
        return cache[name]
    return get


def numbers(text):
    return np.array([[float(v) for v in line.split()] for line in text.strip().splitlines()])


def random_joints(robot, k, rng, margin=5.0):
    # uniform within the limits (a margin inside them), +-180 degrees or +-avg_len for none
    lo, hi = robot.limits[:, 0].copy(), robot.limits[:, 1].copy()
    for j, t in enumerate(robot.joint_types):
        span = 180.0 if t == "revolute" else robot.avg_len
        if not np.isfinite(lo[j]):
            lo[j] = -span
        if not np.isfinite(hi[j]):
            hi[j] = span
    lo, hi = lo + margin*(hi > lo + 2*margin), hi - margin*(hi > lo + 2*margin)
    return rng.uniform(lo, hi, size=(k, robot.n))


def dh_chain(dh, q, tool=None):
    """Frame of the last link (and of the tool point) for DH rows (joint, a, d, alpha, theta):
    T = prod Rz(theta) Tz(d) Tx(a) Rx(alpha), theta (revolute) or d (prismatic) replaced by q."""
    T = np.eye(4)
    for (joint, a, d, al, th), v in zip(dh, q):
        th, d = (np.radians(v), d) if joint == 0 else (np.radians(th), v)
        ct, st, ca, sa = np.cos(th), np.sin(th), np.cos(np.radians(al)), np.sin(np.radians(al))
        T = T @ np.array([[ct, -st*ca, st*sa, a*ct], [st, ct*ca, -ct*sa, a*st],
                          [0, sa, ca, d], [0, 0, 0, 1]])
    if tool is not None:
        T = T @ tool
    return T[:3, 3], T[:3, :3]


def rot_xyz(a):
    x, y, z = np.radians(a)
    rx = np.array([[1, 0, 0], [0, np.cos(x), -np.sin(x)], [0, np.sin(x), np.cos(x)]])
    ry = np.array([[np.cos(y), 0, np.sin(y)], [0, 1, 0], [-np.sin(y), 0, np.cos(y)]])
    rz = np.array([[np.cos(z), -np.sin(z), 0], [np.sin(z), np.cos(z), 0], [0, 0, 1]])
    return rx @ ry @ rz
