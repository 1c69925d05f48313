// A model that cannot be used ends the process with a message and exit code
// 0.  The message goes to standard error on Linux; on Windows it is a real
// message box, so these tests are only built for Linux.
#include "scene/glfw_mesh_arrays.h"
#include "scene/glfw_mesh_data.h"

#include <gtest/gtest.h>

namespace {

class MeshLoadFailure : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

const char* const kValidMtl = "newmtl m\nKa 1 1 1\nKd 1 1 1\nKs 0 0 0\nNs 1\n";

}  // namespace

TEST_F(MeshLoadFailure, MissingResourcesEndTheProcess)
{
    EXPECT_EXIT(GLFWMeshData(9990, 9991, 1.0f), ::testing::ExitedWithCode(0), "\\[Debug\\] Failed to load mesh");
}

TEST_F(MeshLoadFailure, ModelsThatDoNotLoadOrHoldBadNumbersEndTheProcess)
{
    struct Case {
        const char* name;
        const char* obj;
        const char* mtl;
    };
    const Case cases[] = {
        {"no faces", "v 0 0 0\nv 1 0 0\nv 0 1 0\n", kValidMtl},
        {"position out of range", "v 1e999 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n", kValidMtl},
        {"malformed face index", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 x 3\n", kValidMtl},
        {"malformed material number", "mtllib m.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl m\nf 1 2 3\n",
         "newmtl m\nNs abc\n"},
        {"material number out of range", "mtllib m.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl m\nf 1 2 3\n",
         "newmtl m\nKa 1e999 0 0\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EXIT(GLFWMeshArrays::fromText(c.obj, c.mtl, 1.0f), ::testing::ExitedWithCode(0),
                    "\\[Debug\\] Failed to load mesh");
    }
}
