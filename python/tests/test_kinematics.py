# test_kinematics.py -- the velmora module against a DH chain in numpy, central differences,
# numpy's condition number and velmora-kin on the samples; round trips; batches
import os
import re

import numpy as np
import pytest

import velmora
from conftest import dh_chain, numbers, random_joints, rot_xyz

# the tool point of the Puma560's hand: 0.561 along the last z axis (a float in the model)
PUMA_TOOL = np.eye(4)
PUMA_TOOL[2, 3] = np.float32(0.561)

KINDS = {"Puma560": "spatial", "Slide6": "spatial", "Redund7": "spatial",
         "SphWrist": "orientation", "Posit3": "position", "Arm4R": "position"}


def dh_rows(path):
    # (joint, a, d, alpha, theta) of every link block, read from the file's text
    text = re.sub(r"/\*.*?\*/", "", open(path).read(), flags=re.S)
    rows = []
    for block in re.findall(r"\{(.*?)\}", text, flags=re.S):
        v = dict(re.findall(r"(\w+)\s*=\s*([^\s\[]+)", block))
        rows.append((1 if v.get("joint") == "prismatic" else 0, float(v["a"]), float(v["b"]),
                     float(v["al"]), float(v["th"])))
    return rows


def test_attributes_and_indices_match_the_companion(robots, kin):
    for name, kind in KINDS.items():
        r = robots(name)
        ok = kin("check", name).stdout.split()
        assert (r.name, r.n, r.task_kind) == (name, int(ok[1]), kind)
        assert {"0": "spatial", "2": "orientation", "4": "position"}[ok[2]] == kind
        q = random_joints(r, 1, np.random.default_rng(1))[0]
        L, reach, k = numbers(kin("indices", name, *["%.6f" % v for v in q]).stdout)[0]
        assert r.char_length == pytest.approx(L, abs=2e-6)
        assert r.max_reach == pytest.approx(reach, abs=2e-6)
        assert r.rcond(np.round(q, 6)) == pytest.approx(k, abs=2e-6)
        assert r.limits.shape == (r.n, 2) and r.home.shape == (r.n,)
    puma = robots("Puma560")
    assert puma.joint_types == ("revolute",)*6
    assert puma.limits[1].tolist() == [-225.0, 45.0] and puma.limits_enforced
    assert puma.home.tolist() == [0, -30, 20, 0, 45, 0]
    assert robots("Slide6").joint_types[2] == "prismatic"
    assert puma.avg_len == pytest.approx(puma.char_length, rel=1e-6)   # normalises by it


def test_fk_matches_the_dh_chain_and_the_companion(robots, kin, data):
    rng = np.random.default_rng(2)
    for name in ("Puma560", "Slide6", "SphWrist", "Posit3", "Redund7"):
        r = robots(name)
        Q = random_joints(r, 50, rng)
        P = r.fk(Q)
        dh = dh_rows(os.path.join(data, "Arch", name))
        for q, p, R, a in zip(Q, P.position, P.rotation, P.angles):
            qf = q.astype(np.float32)           # the core keeps joint values as floats
            pos, rot = dh_chain(dh, qf, PUMA_TOOL if name == "Puma560" else None)
            assert np.allclose(p, pos, atol=1e-9*max(1, abs(pos).max()) + 2e-6)
            assert np.allclose(R, rot, atol=1e-6)
            assert np.allclose(rot_xyz(a), R, atol=2e-8)   # its pi is 3.14159265
        # the companion prints the task's numbers with six decimals
        for q, p, a in zip(Q[:3], P.position, P.angles):
            got = numbers(kin("fk", name, *["%.9g" % v for v in q.astype(np.float32)]).stdout)[0]
            want = {"spatial": np.r_[p, a], "orientation": a, "position": p}[r.task_kind]
            assert np.allclose(got, want, atol=1.5e-6)


def test_jacobian_is_the_derivative_of_fk(robots):
    rng = np.random.default_rng(3)
    for name in ("Puma560", "Slide6", "SphWrist", "Posit3"):
        r = robots(name)
        q = random_joints(r, 1, rng)[0].astype(np.float32).astype(np.float64)
        J = r.jacobian(q)
        assert J.shape == ({"spatial": 6, "orientation": 3, "position": 3}[r.task_kind], r.n)
        for j, t in enumerate(r.joint_types):
            h = 1e-2        # degrees or lengths; float joints: a wide step, second order
            e = np.zeros(r.n)
            e[j] = h
            a, b = r.fk(q + e), r.fk(q - e)
            unit = np.pi/180 if t == "revolute" else 1.0
            # the position rows are those of the last link frame's origin, before the tool
            tool = PUMA_TOOL[:3, 3] if name == "Puma560" else np.zeros(3)
            dp = (a.position - a.rotation @ tool - b.position + b.rotation @ tool)/(2*h*unit)
            dR = (a.rotation - b.rotation)/(2*h*unit)
            w = dR @ r.fk(q).rotation.T        # the skew matrix of the angular velocity
            omega = np.array([w[2, 1], w[0, 2], w[1, 0]])
            want = {"spatial": np.r_[omega, dp], "orientation": omega,
                    "position": dp}[r.task_kind]
            assert np.allclose(J[:, j], want, atol=2e-3*max(1.0, abs(want).max())), (name, j)


def test_rcond_is_the_reciprocal_condition_number_of_the_normalised_jacobian(robots):
    # kappa = sqrt(trace(G) trace(G^-1)) / 6, G = M M', M the axes over the position rows / L
    r = robots("Puma560")
    Q = random_joints(r, 20, np.random.default_rng(4))
    K, J = r.rcond(Q), r.jacobian(Q)
    for k, j in zip(K, J):
        M = np.vstack([j[:3], j[3:]/r.avg_len])
        G = M @ M.T
        want = 6.0/np.sqrt(np.trace(G)*np.trace(np.linalg.inv(G)))
        # near a singularity the core's rank test answers 0
        assert k == pytest.approx(want, rel=1e-9) or (k == 0 and want < 1e-2)
    assert (K > 0).sum() >= 15
    # the wrist singularity (joint 5 at 0) has no conditioning at all
    assert r.rcond([10, -40, 30, 20, 0, 10]) == pytest.approx(0.0, abs=1e-9)


def test_fk_ik_round_trips_over_1000_random_poses(robots):
    rng = np.random.default_rng(5)
    r = robots("Puma560")
    Q = random_joints(r, 1000, rng, margin=10.0)
    poses = r.fk(Q)
    start = np.clip(Q + rng.normal(0, 4.0, Q.shape), r.limits[:, 0], r.limits[:, 1])
    res = r.ik(poses, q0=start)
    assert (res.code >= 0).all(), set(res.message)
    back = r.fk(res.q)
    assert np.abs(back.position - poses.position).max() < 1e-4*r.avg_len
    assert np.abs(back.rotation - poses.rotation).max() < 1e-4
    # the same targets as numbers (x y z rx ry rz) reach the same poses
    nums = r.ik(np.hstack([poses.position, poses.angles])[:100], q0=start[:100])
    assert (nums.code >= 0).all()
    assert np.abs(r.fk(nums.q).position - poses.position[:100]).max() < 1e-4*r.avg_len
    # a positioning robot and a spherical wrist take three numbers
    for name, part, check in (("Posit3", "position", "position"),
                              ("SphWrist", "angles", "rotation")):
        s = robots(name)
        Q = random_joints(s, 200, rng, margin=10.0)
        p = s.fk(Q)
        res = s.ik(getattr(p, part), q0=Q + rng.normal(0, 2.0, Q.shape))
        assert (res.code >= 0).mean() > 0.95
        ok = res.code >= 0
        assert np.allclose(getattr(s.fk(res.q[ok]), check), getattr(p, check)[ok], atol=1e-4)


def test_ik_agrees_with_the_companion(robots, kin):
    r = robots("Puma560")
    start = [5, -40, 30, 10, 40, 5]
    p = r.fk([12, -33, 36, 20, 50, 15])
    target = [float("%.6f" % v) for v in np.r_[p.position, p.angles]]
    got = r.ik(target, q0=start)
    out = kin("ik", "Puma560", *target, "--from", *start).stdout.split("\n")
    assert np.allclose(got.q, [float(v) for v in out[0].split()], atol=1.5e-6)
    assert "%d %s" % (got.code, got.message) == out[1]
    # out of reach: code, message and the start joints back; the companion prints no joints
    far = r.ik([100.0, 0, 0, 0, 0, 0], q0=start)
    p = kin("ik", "Puma560", 100, 0, 0, 0, 0, 0, "--from", *start, ok=False)
    assert p.returncode == 1 and far.code < 0
    assert p.stdout == "" and p.stderr == "velmora-kin: Puma560: %s\n" % far.message
    assert far.q.tolist() == start
    # settings of one call never outlive it
    tight = r.ik(target, q0=start, max_iter=1, fallback=False)
    assert (tight.code, tight.message) == (-1, "Did Not Converge")
    assert r.ik(target, q0=start).code == got.code


def test_batched_calls_equal_one_by_one(robots):
    rng = np.random.default_rng(6)
    r = robots("Puma560")
    Q = random_joints(r, 40, rng)
    P, J, K = r.fk(Q), r.jacobian(Q), r.rcond(Q)
    for i, q in enumerate(Q):
        p = r.fk(q)
        assert (p.position == P.position[i]).all() and (p.rotation == P.rotation[i]).all()
        assert (p.angles == P.angles[i]).all()
        assert (r.jacobian(q) == J[i]).all() and r.rcond(q) == K[i]
    # a batch of targets is solved each from the previous solution
    path = r.fk(Q[0] + np.linspace(0, 1, 30)[:, None]*(Q[1] - Q[0]))
    batch = r.ik(path, q0=Q[0])
    prev = Q[0]
    for i in range(30):
        one = r.ik(velmora.Pose(path.position[i], path.rotation[i], path.angles[i]), q0=prev)
        assert (one.q == batch.q[i]).all() and one.code == batch.code[i]
        assert one.message == batch.message[i]
        prev = one.q


def test_robots_used_alternately_equal_each_alone(data):
    # three robots of different sizes, task kinds and solvers (and solver settings)
    rng = np.random.default_rng(7)
    robots = [velmora.Robot(n, data=data) for n in ("Puma560", "Redund7", "SphWrist")]
    settings = [{}, {}, {"tol": 1e-1, "max_iter": 2, "fallback": False}]
    q = [random_joints(r, 15, rng) for r in robots]
    t = [r.fk(qq + 3.0) for r, qq in zip(robots, q)]

    def work(k, i):
        r = robots[k]
        one = velmora.Pose(t[k].position[i], t[k].rotation[i], t[k].angles[i])
        sol = r.ik(one, q0=q[k][i], **settings[k])
        return (r.fk(q[k][i]).position, sol.q, sol.code, r.rcond(q[k][i]), r.jacobian(q[k][i]))
    alone = [[work(k, i) for i in range(15)] for k in range(3)]
    for i in range(15):
        for k in range(3):
            for got, want in zip(work(k, i), alone[k][i]):
                assert np.array_equal(got, want), (robots[k].name, i)
    # the one left after the others were freed still answers as alone
    del robots[0], robots[0]
    robots[:0] = [None, None]
    assert all(np.array_equal(g, w) for g, w in zip(work(2, 4), alone[2][4]))


def test_paths_and_trajectory_files_match_the_companion(robots, kin, data):
    r = robots("Puma560")
    for name in velmora.path_names():
        p = velmora.path(name)
        rows = numbers(kin("path", name).stdout).reshape(-1, 4, 3)
        assert np.allclose(p.position, rows[:, 0], atol=1.5e-6)
        assert np.allclose(p.rotation, rows[:, 1:], atol=1.5e-6)
    got = r.solve_path("Puma560.arc")
    want = numbers(kin("solve", "Puma560", "Puma560.arc").stdout)
    assert np.allclose(got.q, want[:, :6], atol=1.5e-6)
    assert (got.code == want[:, 6]).all()
    assert np.allclose(got.rcond, want[:, 7], atol=1.5e-6)
    # the same file read into arrays and solved from them gives the same joints
    arc = velmora.read_ctraj(os.path.join(data, "Ctraj", "Puma560.arc"))
    assert arc.position.shape == (len(want), 3)
    assert (r.solve_path(arc).q == got.q).all()
    wave = velmora.read_jtraj(os.path.join(data, "Jtraj", "Puma560.wave"))
    first = open(os.path.join(data, "Jtraj", "Puma560.wave")).readline().split()
    assert wave.shape[1] == 6 and np.allclose(wave[0], [float(v) for v in first])
    assert (velmora.read_jtraj(os.path.join(data, "Jtraj", "Puma560.wave"), r) == wave).all()


def test_urdf_is_the_companions_document_and_scales(robots, kin):
    import xml.etree.ElementTree as ET
    r = robots("Puma560")
    assert r.urdf() == kin("urdf", "Puma560").stdout
    one, tenth = ET.fromstring(r.urdf()), ET.fromstring(r.urdf(scale=0.1))
    for j1, j2 in zip(one.iter("joint"), tenth.iter("joint")):
        x1 = [float(v) for v in j1.find("origin").get("xyz").split()]
        x2 = [float(v) for v in j2.find("origin").get("xyz").split()]
        assert np.allclose(np.array(x1)*0.1, x2, rtol=1e-12, atol=1e-15)
        assert j1.find("origin").get("rpy") == j2.find("origin").get("rpy")
        if j1.get("type") != "fixed":          # revolute limits: radians, unscaled
            assert j1.find("limit").attrib == j2.find("limit").attrib
    slide = ET.fromstring(robots("Slide6").urdf(scale=0.5))
    lim = [j.find("limit") for j in slide.iter("joint") if j.get("type") == "prismatic"][0]
    assert (float(lim.get("lower")), float(lim.get("upper"))) == (1.0, 4.5)
