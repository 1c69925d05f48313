#!/usr/bin/env python3
"""Runs quendral-objdump and checks its JSON.

usage: objdump_tool_test.py QUENDRAL_OBJDUMP RESOURCES_DIR
"""
import json
import math
import os
import subprocess
import sys
import tempfile
import unittest

TOOL = None
RESOURCES = None


def run(*args):
    return subprocess.run([TOOL, *args], capture_output=True, timeout=60)


def strict_json(data):
    """Parses the tool's output, keeping -0 as a float and refusing the
    non-standard NaN/Infinity literals."""
    def refuse(name):
        raise ValueError("non-standard JSON constant " + name)
    return json.loads(data.decode("utf-8"), parse_int=float, parse_constant=refuse)


class ObjdumpTool(unittest.TestCase):
    def dump(self, obj, mtl=b""):
        with tempfile.TemporaryDirectory() as folder:
            obj_path = os.path.join(folder, "model.obj")
            mtl_path = os.path.join(folder, "model.mtl")
            with open(obj_path, "wb") as f:
                f.write(obj)
            with open(mtl_path, "wb") as f:
                f.write(mtl)
            done = run(obj_path, mtl_path)
        self.assertEqual(done.returncode, 0, done.stderr)
        return strict_json(done.stdout), done.stderr

    def test_embedded_rectangle(self):
        done = run(os.path.join(RESOURCES, "rectangle_object.obj"), os.path.join(RESOURCES, "rectangle_object.mtl"))
        self.assertEqual(done.returncode, 0, done.stderr)
        dump = strict_json(done.stdout)
        self.assertIs(dump["result"], True)
        self.assertNotIn("error", dump)

        self.assertEqual(len(dump["meshes"]), 1)
        mesh = dump["meshes"][0]
        self.assertEqual(mesh["name"], "Plane001")
        self.assertEqual(mesh["indices"], [0, 1, 2, 3, 4, 5])
        self.assertEqual(len(mesh["vertices"]), 6)
        self.assertEqual(mesh["vertices"][0], [-1, 1, 0, 0, 0, 1, 0, 1])
        self.assertEqual(mesh["vertices"][3], [1, -1, 0, 0, 0, 1, 1, 0])
        self.assertEqual(math.copysign(1, mesh["vertices"][0][4]), -1, "normal y is -0")
        self.assertEqual(math.copysign(1, mesh["vertices"][3][2]), -1, "fourth position z is -0")
        self.assertEqual(dump["allVertices"], mesh["vertices"])
        self.assertEqual(dump["allIndices"], mesh["indices"])

        material = mesh["material"]
        self.assertEqual(material["name"], "wire_198225087")
        self.assertEqual(material["Kd"], [0.776499987, 0.882399976, 0.341199994])
        self.assertEqual((material["Ns"], material["d"], material["illum"], material["Ni"]), (32, 1, 2, 0))
        self.assertEqual(list(material), ["name", "Ka", "Kd", "Ks", "Ns", "Ni", "d", "illum", "map_Ka", "map_Kd",
                                          "map_Ks", "map_Ns", "map_d", "map_bump"])
        self.assertEqual(dump["materials"], [material])

        # Progress records go to standard error, never into the JSON.
        self.assertIn(b"\r- Plane001\t| vertices > 4", done.stderr)

    def test_conversion_error_is_reported_with_what_was_loaded(self):
        dump, _ = self.dump(b"v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\nv x 0 0\n")
        self.assertEqual(dump["error"], "invalid stof argument")
        self.assertNotIn("result", dump)
        self.assertEqual(len(dump["allVertices"]), 3)
        self.assertEqual(dump["meshes"], [])

    def test_faceless_model_gives_false(self):
        dump, _ = self.dump(b"v 0 0 0\n")
        self.assertIs(dump["result"], False)

    def test_non_finite_numbers_and_control_characters(self):
        obj = b"mtllib m\nv 1e40 0 0\nv 0 0 0\nv 0 1 0\nusemtl a\"b\\\x01\xff\xc3\xa9\nf 1 2 3\n"
        mtl = b"newmtl a\"b\\\x01\xff\xc3\xa9\r\nmap_Kd t.png\r\nNs -1e40\n"
        dump, _ = self.dump(obj, mtl)
        vertex = dump["allVertices"][0]
        self.assertEqual(vertex[0], "inf")
        self.assertEqual(vertex[3:6], [0, "nan", "inf"])
        material = dump["meshes"][0]["material"]
        self.assertEqual(material["name"], "a\"b\\\x01\u00ff\u00e9")
        self.assertEqual(material["map_Kd"], "t.png\r")
        self.assertEqual(material["Ns"], "-inf")

    def test_floats_read_back_to_the_same_32_bit_value(self):
        dump, _ = self.dump(b"v 0.1 16777217 3.40282347e38\nv 1e-40 0 0\nv 0 1 0\nf 1 2 3\n")
        self.assertEqual(dump["allVertices"][0][:3], [0.100000001, 16777216, 3.40282347e38])
        self.assertEqual(dump["allVertices"][1][0], 9.99994610e-41)

    def test_bad_usage_and_unreadable_files(self):
        model = os.path.join(RESOURCES, "rectangle_object.obj")
        for args in [(), (model,), (model, model, model)]:
            done = run(*args)
            self.assertNotEqual(done.returncode, 0, args)
            self.assertIn(b"usage:", done.stderr)
            self.assertEqual(done.stdout, b"")
        for args in [(model, "/nonexistent/m.mtl"), ("/nonexistent/m.obj", model), (RESOURCES, model)]:
            done = run(*args)
            self.assertNotEqual(done.returncode, 0, args)
            self.assertIn(b"cannot read", done.stderr)
            self.assertEqual(done.stdout, b"")


if __name__ == "__main__":
    TOOL, RESOURCES = sys.argv[1], sys.argv[2]
    unittest.main(argv=sys.argv[:1])
