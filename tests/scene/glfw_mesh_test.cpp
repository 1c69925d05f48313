#include "objl/obj_loader.h"
#include "scene/glfw_mesh_arrays.h"
#include "scene/glfw_mesh_data.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <sstream>
#include <vector>

namespace {

constexpr int kFloatsPerVertex = 24;

// Two objects with their own materials: a quad (4 corners, two triangles)
// and a triangle.  The normal is deliberately not of unit length.
const char* const kTwoMeshObj =
    "mtllib two.mtl\n"
    "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\n"
    "v 5 5 5\nv 6 5 5\nv 5 6 5\n"
    "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
    "vn 0 0 3\n"
    "o Quad\nusemtl red\nf 1/1/1 2/2/1 3/3/1 4/4/1\n"
    "o Tri\nusemtl green\nf 5/1/1 6/2/1 7/4/1\n";
const char* const kTwoMeshMtl =
    "newmtl red\nKa 1 0 0\nKd 0.5 0 0\nKs 0.25 0.25 0.25\nNs 10\n"
    "newmtl green\nKa 0 1 0\nKd 0 0.5 0\nKs 0.125 0.125 0.125\nNs 20\n";

struct Corner {
    float x, y, z;
    float u, v;
};

// A mesh with the given corners, normal (0, 0, 1), the given indices and a
// default material.
objl::Mesh makeMesh(const std::vector<Corner>& corners, const std::vector<unsigned int>& indices)
{
    std::vector<objl::Vertex> vertices;
    for (const Corner& c : corners) {
        objl::Vertex vertex;
        vertex.position = objl::Vector3(c.x, c.y, c.z);
        vertex.normal = objl::Vector3(0, 0, 1);
        vertex.texCoord = objl::Vector2(c.u, c.v);
        vertices.push_back(vertex);
    }
    return objl::Mesh(vertices, indices);
}

// Loader output stays out of the test log.
std::unique_ptr<GLFWMeshArrays> quietFromText(const char* obj, const char* mtl, float scale)
{
    std::ostringstream discard;
    std::streambuf* saved = std::cout.rdbuf(discard.rdbuf());
    auto arrays = GLFWMeshArrays::fromText(obj, mtl, scale);
    std::cout.rdbuf(saved);
    return arrays;
}

const float* vertexAt(const GLFWMeshData& data, int vertex)
{
    return data.vertexData() + vertex * kFloatsPerVertex;
}

void expectFloats(const float* actual, std::initializer_list<float> expected, const char* what, int vertex)
{
    int i = 0;
    for (float value : expected) {
        EXPECT_EQ(actual[i], value) << what << " of vertex " << vertex << ", component " << i;
        ++i;
    }
}

}  // namespace

TEST(GLFWMeshData, EmbeddedRectangleCarriesItsMaterialNormalAndCorners)
{
    std::ostringstream discard;
    std::streambuf* saved = std::cout.rdbuf(discard.rdbuf());
    const GLFWMeshData data(141, 140, 1.0f);
    std::cout.rdbuf(saved);

    ASSERT_EQ(data.vertexCount(), 6);
    ASSERT_EQ(data.indexCount(), 6);
    EXPECT_EQ(data.floatsPerVertex(), 24);
    EXPECT_EQ(data.vertexBytes(), 576);
    EXPECT_EQ(data.indexBytes(), 24);

    // Corners of the two faces as the OBJ text lists them.
    const float corners[6][3] = {{-1, 1, 0}, {-1, -1, 0}, {1, 1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, -1, 0}};
    const float texcoords[6][2] = {{0, 1}, {0, 0}, {1, 1}, {1, 0}, {1, 1}, {0, 0}};
    for (int v = 0; v < 6; ++v) {
        const float* vertex = vertexAt(data, v);
        expectFloats(vertex + 0, {corners[v][0], corners[v][1], corners[v][2]}, "position", v);
        expectFloats(vertex + 3, {texcoords[v][0], texcoords[v][1]}, "texture coordinate", v);
        expectFloats(vertex + 5, {0, 0, 1}, "normal", v);
        expectFloats(vertex + 8, {1, 0, 0}, "tangent", v);
        expectFloats(vertex + 11, {0, 1, 0}, "bitangent", v);
        expectFloats(vertex + 14, {0.7765f, 0.8824f, 0.3412f}, "ambient", v);
        expectFloats(vertex + 17, {0.7765f, 0.8824f, 0.3412f}, "diffuse", v);
        expectFloats(vertex + 20, {0.35f, 0.35f, 0.35f, 32.0f}, "specular", v);
    }
    for (int i = 0; i < 6; ++i) {
        EXPECT_LT(data.indexData()[i], 6u);
        EXPECT_EQ(data.indexData()[i], data.arrays().indices()[i]);
    }
}

TEST(GLFWMeshData, LayoutOffsetsAreTheDocumentedOnes)
{
    const GLFWMeshData data(std::make_unique<GLFWMeshArrays>(
        std::vector<objl::Mesh>{makeMesh({{0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}, {0, 1, 0, 0, 1}}, {0, 1, 2})}, 1.0f));
    const int32_t offsets[] = {data.positionOffset(), data.texcoordOffset(), data.normalOffset(),
                               data.tangentOffset(),  data.bitangentOffset(), data.ambientOffset(),
                               data.diffuseOffset(),  data.specularOffset()};
    const int32_t expected[] = {0, 3, 5, 8, 11, 14, 17, 20};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(offsets[i], expected[i]) << "attribute " << i;
    EXPECT_EQ(data.vertexBytes(), 3 * 96);
    EXPECT_EQ(data.indexBytes(), 12);
}

TEST(GLFWMeshData, LaterMeshesFollowWithShiftedIndices)
{
    const GLFWMeshData data(quietFromText(kTwoMeshObj, kTwoMeshMtl, 1.0f));
    ASSERT_EQ(data.vertexCount(), 7);
    ASSERT_EQ(data.indexCount(), 9);

    // The quad's two triangles address its own four vertices; the triangle's
    // indices 0, 1, 2 are stored increased by 4.
    for (int i = 0; i < 6; ++i)
        EXPECT_LT(data.indexData()[i], 4u) << "index " << i;
    EXPECT_EQ(data.indexData()[6], 4u);
    EXPECT_EQ(data.indexData()[7], 5u);
    EXPECT_EQ(data.indexData()[8], 6u);

    for (int v = 0; v < 7; ++v) {
        const float* vertex = vertexAt(data, v);
        expectFloats(vertex + 5, {0, 0, 1}, "normal", v);
        if (v < 4) {
            expectFloats(vertex + 14, {1, 0, 0, 0.5f, 0, 0, 0.25f, 0.25f, 0.25f, 10}, "red material", v);
        } else {
            expectFloats(vertex + 14, {0, 1, 0, 0, 0.5f, 0, 0.125f, 0.125f, 0.125f, 20}, "green material", v);
        }
    }
    expectFloats(vertexAt(data, 4), {5, 5, 5, 0, 0}, "first vertex of the second mesh", 4);
    expectFloats(vertexAt(data, 6), {5, 6, 5, 0, 1}, "last vertex", 6);
}

TEST(GLFWMeshData, ScaleMultipliesOnlyThePositions)
{
    const GLFWMeshData once(quietFromText(kTwoMeshObj, kTwoMeshMtl, 1.0f));
    const GLFWMeshData twice(quietFromText(kTwoMeshObj, kTwoMeshMtl, 2.0f));
    ASSERT_EQ(twice.vertexCount(), once.vertexCount());
    EXPECT_EQ(twice.arrays().scale(), 2.0f);
    for (int v = 0; v < once.vertexCount(); ++v) {
        const float* a = vertexAt(once, v);
        const float* b = vertexAt(twice, v);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(b[i], 2.0f * a[i]) << "vertex " << v << ", position " << i;
        EXPECT_EQ(std::memcmp(a + 3, b + 3, (kFloatsPerVertex - 3) * sizeof(float)), 0) << "vertex " << v;
    }
    EXPECT_EQ(std::memcmp(once.indexData(), twice.indexData(), once.indexBytes()), 0);
}

TEST(GLFWMeshArrays, TangentsFollowTheTextureAxes)
{
    struct Case {
        const char* name;
        std::vector<Corner> corners;
        float tangent[3];
        float bitangent[3];
    };
    const Case cases[] = {
        {"texture axes along x and y", {{0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}, {0, 1, 0, 0, 1}}, {1, 0, 0}, {0, 1, 0}},
        {"texture axes swapped", {{0, 0, 0, 0, 0}, {1, 0, 0, 0, 1}, {0, 1, 0, 1, 0}}, {0, 1, 0}, {1, 0, 0}},
        {"long edges are normalised", {{0, 0, 0, 0, 0}, {0, 0, 4, 1, 0}, {3, 0, 0, 0, 1}}, {0, 0, 1}, {1, 0, 0}},
        {"u runs backwards", {{0, 0, 0, 1, 0}, {1, 0, 0, 0, 0}, {0, 1, 0, 1, 1}}, {-1, 0, 0}, {0, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const GLFWMeshArrays arrays(std::vector<objl::Mesh>{makeMesh(c.corners, {0, 1, 2})}, 1.0f);
        for (int v = 0; v < 3; ++v) {
            expectFloats(arrays.tangents() + 3 * v, {c.tangent[0], c.tangent[1], c.tangent[2]}, "tangent", v);
            expectFloats(arrays.bitangents() + 3 * v, {c.bitangent[0], c.bitangent[1], c.bitangent[2]}, "bitangent",
                         v);
        }
    }
}

TEST(GLFWMeshArrays, ASharedVertexKeepsTheLastTrianglesTangent)
{
    // Vertices 0 and 2 belong to both triangles; the second one maps its
    // texture axes the other way round.
    const GLFWMeshArrays arrays(
        std::vector<objl::Mesh>{makeMesh({{0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}, {0, 1, 0, 0, 1}, {-1, 0, 0, 1, 0}},
                                         {0, 1, 2, 0, 2, 3})},
        1.0f);
    // Second triangle: e1 = (0, 1, 0) with d1 = (0, 1), e2 = (-1, 0, 0) with d2 = (1, 0).
    expectFloats(arrays.tangents() + 3 * 1, {1, 0, 0}, "tangent", 1);
    for (int v : {0, 2, 3}) {
        expectFloats(arrays.tangents() + 3 * v, {-1, 0, 0}, "tangent", v);
        expectFloats(arrays.bitangents() + 3 * v, {0, 1, 0}, "bitangent", v);
    }
}

TEST(GLFWMeshArrays, CollinearTextureCoordinatesGiveNonFiniteTangents)
{
    const GLFWMeshArrays arrays(
        std::vector<objl::Mesh>{makeMesh({{0, 0, 0, 0, 0}, {1, 0, 0, 1, 1}, {0, 1, 0, 2, 2}}, {0, 1, 2})}, 1.0f);
    for (int i = 0; i < 9; ++i) {
        EXPECT_FALSE(std::isfinite(arrays.tangents()[i])) << "tangent float " << i;
        EXPECT_FALSE(std::isfinite(arrays.bitangents()[i])) << "bitangent float " << i;
    }
}

TEST(GLFWMeshArrays, IndicesThatMakeNoWholeTriangleAreNotRead)
{
    // Four indices: the trailing one makes no triangle.  The second mesh's
    // triangle addresses a vertex beyond the arrays.  Neither may be read
    // past the end (the sanitizer build checks), and neither changes the
    // tangents of the whole, valid triangle.
    std::vector<objl::Mesh> meshes{makeMesh({{0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}, {0, 1, 0, 0, 1}}, {0, 1, 2}),
                                   makeMesh({{2, 0, 0, 0, 0}, {3, 0, 0, 1, 0}, {2, 1, 0, 0, 1}}, {0, 1, 9, 2})};
    const GLFWMeshArrays arrays(meshes, 1.0f);
    ASSERT_EQ(arrays.vertexCount(), 6);
    ASSERT_EQ(arrays.indexCount(), 7);
    EXPECT_EQ(arrays.indices()[5], 12u) << "indices are stored as given, shifted by the first mesh";
    for (int v = 0; v < 3; ++v)
        expectFloats(arrays.tangents() + 3 * v, {1, 0, 0}, "tangent", v);
    for (int v = 3; v < 6; ++v) {
        expectFloats(arrays.tangents() + 3 * v, {0, 0, 0}, "untouched tangent", v);
        expectFloats(arrays.bitangents() + 3 * v, {0, 0, 0}, "untouched bitangent", v);
    }

    const GLFWMeshData data(std::make_unique<GLFWMeshArrays>(
        std::vector<objl::Mesh>{makeMesh({{0, 0, 0, 0, 0}, {1, 0, 0, 1, 0}, {0, 1, 0, 0, 1}}, {0, 1, 2, 0, 1})},
        1.0f));
    EXPECT_EQ(data.indexCount(), 5);
    EXPECT_EQ(data.indexBytes(), 20);
    expectFloats(vertexAt(data, 2) + 8, {1, 0, 0}, "tangent", 2);
}
