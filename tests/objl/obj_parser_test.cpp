#include "objl/obj_loader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

using objl::Vector3;
using Indices = std::vector<unsigned int>;

namespace {

// Three positions for faces to address.
const std::string kTrianglePositions = "v 0 0 0\nv 2 0 0\nv 0 3 0\n";

class ObjParser : public ::testing::Test {
protected:
    void SetUp() override { loader.progress = &progress; }

    bool load(const std::string& obj, const std::string& mtl = "") { return loader.loadModelText(obj, mtl); }

    std::vector<std::string> meshNames() const
    {
        std::vector<std::string> names;
        for (const objl::Mesh& mesh : loader.meshes)
            names.push_back(mesh.name);
        return names;
    }

    objl::ObjLoader loader;
    std::ostringstream progress;
};

Indices upTo(unsigned int count)
{
    Indices indices;
    for (unsigned int i = 0; i < count; ++i)
        indices.push_back(i);
    return indices;
}

}  // namespace

// ---------------------------------------------------------------------------
// The embedded model
// ---------------------------------------------------------------------------

TEST_F(ObjParser, EmbeddedRectangleIsOneMeshOfTwoTriangles)
{
    ASSERT_TRUE(loader.loadModel(141, 140));

    ASSERT_EQ(loader.meshes.size(), 1u);
    const objl::Mesh& mesh = loader.meshes[0];
    EXPECT_EQ(mesh.name, "Plane001");
    EXPECT_EQ(mesh.indices, upTo(6));
    EXPECT_EQ(loader.allIndices, upTo(6));

    struct Corner {
        Vector3 position;
        float u, v;
    };
    const Corner corners[] = {
        {{-1, 1, 0}, 0, 1}, {{-1, -1, 0}, 0, 0}, {{1, 1, 0}, 1, 1},
        {{1, -1, 0}, 1, 0}, {{1, 1, 0}, 1, 1},   {{-1, -1, 0}, 0, 0},
    };
    ASSERT_EQ(mesh.vertices.size(), 6u);
    ASSERT_EQ(loader.allVertices.size(), 6u);
    const objl::ObjLoader& loaded = loader;
    for (size_t i = 0; i < 6; ++i) {
        for (const objl::Vertex* vertex : {&mesh.vertices[i], &loaded.allVertices[i]}) {
            EXPECT_EQ(vertex->position, corners[i].position) << i;
            EXPECT_EQ(vertex->texCoord.x, corners[i].u) << i;
            EXPECT_EQ(vertex->texCoord.y, corners[i].v) << i;
            EXPECT_EQ(vertex->normal, Vector3(0, 0, 1)) << i;
            EXPECT_TRUE(std::signbit(vertex->normal.y)) << "the normal is written (0, -0, 1)";
        }
    }
    EXPECT_FALSE(std::signbit(mesh.vertices[0].position.z));
    EXPECT_TRUE(std::signbit(mesh.vertices[3].position.z)) << "the fourth position is written with -0";

    const objl::Material& material = mesh.material;
    EXPECT_EQ(material.name, "wire_198225087");
    EXPECT_EQ(material.Kd, Vector3(0.7765f, 0.8824f, 0.3412f));
    EXPECT_EQ(material.Ka, Vector3(0.7765f, 0.8824f, 0.3412f));
    EXPECT_EQ(material.Ks, Vector3(0.35f, 0.35f, 0.35f));
    EXPECT_EQ(material.Ns, 32.0f);
    EXPECT_EQ(material.d, 1.0f);
    EXPECT_EQ(material.illum, 2);
    EXPECT_EQ(loader.materials.size(), 1u);

    // A record on the line after "o", after "g" and after "usemtl"; an end of
    // line at each group line and at the end.
    const std::string record = "\r- Plane001\t| vertices > 4\t| texcoords > 4\t| normals > 1\t| triangles > 0";
    EXPECT_EQ(progress.str(), "\n" + record + "\n" + record + record + "\t| material: wire_198225087\n");
}

TEST_F(ObjParser, ProgressRecordsFollowGroupAndUsemtlLinesAndEveryThousandthLine)
{
    std::string obj = kTrianglePositions + "vt 0 0\nvn 0 0 1\no Box\nf 1 2 3\nusemtl Red\nf 1 2 3\n";
    for (int i = 0; i < 1000; ++i)
        obj += "#\n";
    ASSERT_TRUE(load(obj));

    const std::string counts = "\r- Box\t| vertices > 3\t| texcoords > 1\t| normals > 1\t| triangles > ";
    EXPECT_EQ(progress.str(), "\n" + counts + "0" + counts + "0\t| material: Red" + counts + "1\t| material: Red\n");
}

TEST_F(ObjParser, WithoutAGroupLineTheMeshIsUnnamedAndNothingIsReported)
{
    ASSERT_TRUE(load(kTrianglePositions + "f 1 2 3\n"));
    EXPECT_EQ(meshNames(), std::vector<std::string>{""});
    EXPECT_EQ(progress.str(), "\n");
}

TEST_F(ObjParser, EmptyOrFacelessTextLoadsNothing)
{
    EXPECT_FALSE(load(""));
    EXPECT_FALSE(load(kTrianglePositions + "vn 0 0 1\n# no faces\no Empty\n"));
    EXPECT_TRUE(loader.meshes.empty());
    EXPECT_TRUE(loader.allVertices.empty());
}

// ---------------------------------------------------------------------------
// Vertices and faces
// ---------------------------------------------------------------------------

TEST_F(ObjParser, ReadsNumbersAfterDoubleSpacesAndDropsTheThirdTextureCoordinate)
{
    ASSERT_TRUE(load("v  -1.0000 1.0000 0.0000\nv 1 0 0\nv 0 1 0\nvt 0.0000 1.0000 0.0000\nf 1/1 2/1 3/1\n"));
    EXPECT_EQ(loader.allVertices[0].position, Vector3(-1, 1, 0));
    EXPECT_EQ(loader.allVertices[0].texCoord.x, 0.0f);
    EXPECT_EQ(loader.allVertices[0].texCoord.y, 1.0f);
}

TEST_F(ObjParser, CornersWithoutNormalsGetTheFaceNormal)
{
    ASSERT_TRUE(load(kTrianglePositions +
                     "v 9 9 9\nvn 0 0 1\nvn 0 1 0\nvn 1 0 0\nvt 0 0\nvt 1 0\nvt 0 1\n"
                     "f 1 2 3\nf -3 -2 -1\nf 1/1/1 2/2 3/3/3\n"));
    ASSERT_EQ(loader.allVertices.size(), 9u);

    // cross(p1 - p2, p3 - p2), not normalised.
    const Vector3 first = objl::crossProduct(Vector3(-2, 0, 0), Vector3(-2, 3, 0));
    EXPECT_EQ(first, Vector3(0, 0, -6));
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(loader.allVertices[i].normal, first) << i;

    // Negative indices count back from the last position.
    EXPECT_EQ(loader.allVertices[3].position, Vector3(2, 0, 0));
    EXPECT_EQ(loader.allVertices[4].position, Vector3(0, 3, 0));
    EXPECT_EQ(loader.allVertices[5].position, Vector3(9, 9, 9));

    // One corner without a normal replaces the normals the others named.
    for (size_t i = 6; i < 9; ++i)
        EXPECT_EQ(loader.allVertices[i].normal, first) << i;
    EXPECT_EQ(loader.allVertices[7].texCoord.x, 1.0f);
}

TEST_F(ObjParser, PolygonFacesAreTriangulatedAndIndicesShifted)
{
    ASSERT_TRUE(load(kTrianglePositions + "v 2 3 0\nf 1 2 3\nf 1 2 4 3\n"));
    EXPECT_EQ(loader.allIndices, (Indices{0, 1, 2, 3, 4, 6, 4, 5, 6}));
    EXPECT_EQ(loader.meshes[0].indices, loader.allIndices);
}

TEST_F(ObjParser, TwoCornerFaceAddsVerticesButNoMesh)
{
    EXPECT_TRUE(load(kTrianglePositions + "vn 0 0 1\nf 1//1 2//1\n"));
    EXPECT_TRUE(loader.meshes.empty());
    EXPECT_EQ(loader.allVertices.size(), 2u);
    EXPECT_TRUE(loader.allIndices.empty());
}

// ---------------------------------------------------------------------------
// Groups and materials
// ---------------------------------------------------------------------------

TEST_F(ObjParser, GroupLinesNameAndCloseMeshes)
{
    struct Case {
        std::string body;
        std::vector<std::string> names;
    };
    const Case cases[] = {
        // Faces before the first group line join the first mesh to close.
        {"f 1 2 3\no First\nf 1 2 3\no Second\nf 1 2 3\n", {"First", "Second"}},
        {"g\nf 1 2 3\n", {""}},
        {"gfoo\nf 1 2 3\ngfoo bar\nf 1 2 3\n", {"unnamed", "bar"}},
        {"o A\ngroup 1\nf 1 2 3\n", {"unnamed"}},
        {"o A\no B\nf 1 2 3\n", {"B"}},
        {" gfoo\nf 1 2 3\n", {""}},
        {"\tg  spaced  name \nf 1 2 3\n", {"spaced  name"}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(load(kTrianglePositions + c.body)) << c.body;
        EXPECT_EQ(meshNames(), c.names) << c.body;
    }

    ASSERT_TRUE(load(kTrianglePositions + "f 1 2 3\no First\nf 1 2 3\n"));
    EXPECT_EQ(loader.meshes[0].vertices.size(), 6u);
}

TEST_F(ObjParser, UsemtlClosesAMeshAndNamesGoToMeshesInOrder)
{
    const std::string mtl = "newmtl M1\nKd 1 0 0\nnewmtl M2\nKd 0 1 0\n";
    const std::string faces = "o A\nusemtl M1\nf 1 2 3\nusemtl M2\nf 1 2 3\nf 3 2 1\n";
    ASSERT_TRUE(load("mtllib any.mtl\n" + kTrianglePositions + faces, mtl));
    EXPECT_EQ(meshNames(), (std::vector<std::string>{"A_2", "A"}));
    EXPECT_EQ(loader.meshes[0].material.name, "M1");
    EXPECT_EQ(loader.meshes[0].material.Kd, Vector3(1, 0, 0));
    EXPECT_EQ(loader.meshes[1].material.name, "M2");
    EXPECT_EQ(loader.meshes[0].indices, upTo(3));
    EXPECT_EQ(loader.meshes[1].indices, upTo(6));
    EXPECT_EQ(loader.allIndices, upTo(9));
}

TEST_F(ObjParser, UnknownMaterialNameKeepsTheDefault)
{
    ASSERT_TRUE(load("mtllib x\n" + kTrianglePositions + "usemtl Missing\nf 1 2 3\n", "newmtl Other\nd 1\n"));
    EXPECT_EQ(loader.meshes[0].material.name, "");
    EXPECT_EQ(loader.meshes[0].material.d, 0.0f);
}

TEST_F(ObjParser, CarriageReturnTakesTheNextCharacterWithIt)
{
    ASSERT_TRUE(load("mtllib x\r\n" + kTrianglePositions + "usemtl ab\rc\r\nf 1 2 3\r\n", "newmtl ab\r\nd 0.5\r\n"));
    EXPECT_EQ(loader.meshes[0].material.name, "ab");
    EXPECT_EQ(loader.meshes[0].material.d, 0.5f);
}

TEST_F(ObjParser, EveryMtllibAppendsTheLibraryAndMaterialsSurviveReloads)
{
    const std::string obj = "mtllib a.mtl\nmtllib b.mtl\n" + kTrianglePositions + "usemtl M\nf 1 2 3\n";
    ASSERT_TRUE(load(obj, "newmtl M\nKd 1 0 0\n"));
    EXPECT_EQ(loader.materials.size(), 2u);

    ASSERT_TRUE(load(obj, "newmtl M\nKd 0 1 0\n"));
    ASSERT_EQ(loader.materials.size(), 4u);
    EXPECT_EQ(loader.materials[3].Kd, Vector3(0, 1, 0));
    ASSERT_EQ(loader.meshes.size(), 1u) << "meshes are emptied by a new load";
    EXPECT_EQ(loader.allVertices.size(), 3u);
    EXPECT_EQ(loader.meshes[0].material.Kd, Vector3(1, 0, 0)) << "the first material of the name wins";
}

TEST_F(ObjParser, MaterialNamesPastTheLastMeshAreDropped)
{
    const std::string mtl = "newmtl M1\nillum 1\nnewmtl M2\nillum 2\n";
    ASSERT_TRUE(load("mtllib x\n" + kTrianglePositions + "usemtl M1\nusemtl M2\nusemtl M3\nf 1 2 3\n", mtl));
    ASSERT_EQ(loader.meshes.size(), 1u);
    EXPECT_EQ(loader.meshes[0].material.name, "M1");
}

// ---------------------------------------------------------------------------
// Malformed input
// ---------------------------------------------------------------------------

TEST_F(ObjParser, MalformedNumbersLeaveTheLoadKeepingWhatWasAdded)
{
    struct Case {
        std::string line;
        std::string message;
    };
    const Case cases[] = {
        {"v x 0 0", "invalid stof argument"},
        {"vt 0 1e999", "stof argument out of range"},
        {"vn 0  1 0", "invalid stof argument"},  // the empty piece between the spaces
        {"f 1 2 x", "invalid stoi argument"},
        {"f /1 2 3", "invalid stoi argument"},  // an empty position index
        {"f 1 2 99999999999", "stoi argument out of range"},
        {"f 9 2 x", "invalid stoi argument"},  // reported although 9 addresses nothing
        {"mtllib x", "invalid stoi argument"}, // from the material library
    };
    for (const Case& c : cases) {
        const std::string obj = kTrianglePositions + "o A\nf 1 2 3\n" + c.line + "\nf 1 2 3\n";
        try {
            load(obj, "newmtl bad\nillum two\n");
            ADD_FAILURE() << "no error for " << c.line;
        } catch (const std::exception& e) {
            EXPECT_EQ(std::string(e.what()), c.message) << c.line;
        }
        EXPECT_TRUE(loader.meshes.empty()) << c.line;
        EXPECT_EQ(loader.allVertices.size(), 3u) << c.line;
        EXPECT_EQ(loader.allIndices, upTo(3)) << c.line;
    }
}

TEST_F(ObjParser, FaceThatAddressesNothingIsSkipped)
{
    // Only the faulty face goes: the faces around it load as usual.
    const std::string faulty[] = {
        "f 0 1 2",           // OBJ indices count from 1
        "f 1 2 4",           // past the last position
        "f -4 1 2",          // before the first position
        "f -2147483648 1 2", // far before it
        "f 1/2 2/1 3/1",     // past the last texture coordinate
        "f 1//2 2//1 3//1",  // past the last normal
        "f 1/1/0 2/1/1 3/1/1",
        "f 1 2 3/1/1/1",     // a corner of four pieces
    };
    for (const std::string& line : faulty) {
        const std::string obj = kTrianglePositions + "vt 0 0\nvn 0 0 1\nf 1 2 3\n" + line + "\nf 3/1/1 2/1/1 1/1/1\n";
        ASSERT_TRUE(load(obj)) << line;
        ASSERT_EQ(loader.allVertices.size(), 6u) << line;
        EXPECT_EQ(loader.allVertices[3].position, Vector3(0, 3, 0)) << line;
        EXPECT_EQ(loader.allIndices, upTo(6)) << line;
        ASSERT_EQ(loader.meshes.size(), 1u) << line;
        EXPECT_EQ(loader.meshes[0].indices, upTo(6)) << line;
    }
}

TEST_F(ObjParser, EmptyCornersArePassedOver)
{
    ASSERT_TRUE(load(kTrianglePositions + "f 1  2   3\n"));
    ASSERT_EQ(loader.allVertices.size(), 3u);
    EXPECT_EQ(loader.allVertices[1].position, Vector3(2, 0, 0));
    EXPECT_EQ(loader.allIndices, upTo(3));
}

TEST_F(ObjParser, ShortVertexLineRejectsTheModel)
{
    // Skipping the line would shift every later index onto the wrong element.
    for (const std::string line : {"v 1 2", "v", "vn 0 1", "vt", "vt  "}) {
        EXPECT_FALSE(load(kTrianglePositions + "vt 0 0\nvn 0 0 1\no A\nf 1 2 3\n" + line + "\nf 1 2 3\n")) << line;
        EXPECT_TRUE(loader.meshes.empty()) << line;
        EXPECT_TRUE(loader.allVertices.empty()) << line;
        EXPECT_TRUE(loader.allIndices.empty()) << line;
    }
}

TEST_F(ObjParser, OneDimensionalTextureCoordinateReadsVAsZero)
{
    ASSERT_TRUE(load(kTrianglePositions + "vt 0.5\nvt 0.25 1\nf 1/2 2/1 3/2\n"));
    ASSERT_EQ(loader.allVertices.size(), 3u);
    EXPECT_EQ(loader.allVertices[1].texCoord.x, 0.5f);
    EXPECT_EQ(loader.allVertices[1].texCoord.y, 0.0f);
    EXPECT_EQ(loader.allVertices[2].texCoord.y, 1.0f);
}

TEST_F(ObjParser, ShortFaceWithoutANormalGetsAZeroNormal)
{
    ASSERT_TRUE(load(kTrianglePositions + "vn 0 0 1\nf 1 2\nf 1//1 2\nf 3\n"));
    ASSERT_EQ(loader.allVertices.size(), 5u);
    for (const objl::Vertex& vertex : loader.allVertices)
        EXPECT_EQ(vertex.normal, Vector3(0, 0, 0));
    EXPECT_EQ(loader.allVertices[4].position, Vector3(0, 3, 0));
    EXPECT_TRUE(loader.allIndices.empty());
}

TEST_F(ObjParser, HugeFaceLoads)
{
    // A disc of 100 000 corners in one face.
    const unsigned int count = 100000;
    std::string obj;
    std::string face = "f";
    for (unsigned int k = 0; k < count; ++k) {
        const double angle = 2.0 * 3.14159265358979323846 * k / count;
        obj += "v " + std::to_string(std::cos(angle)) + " " + std::to_string(std::sin(angle)) + " 0\n";
        face += " " + std::to_string(k + 1);
    }
    ASSERT_TRUE(load(obj + face + "\n"));
    ASSERT_EQ(loader.meshes.size(), 1u);
    EXPECT_EQ(loader.meshes[0].vertices.size(), count);
    ASSERT_EQ(loader.allIndices.size(), 3u * (count - 2));
    EXPECT_EQ(loader.allIndices.back(), count - 1);
    for (unsigned int index : loader.allIndices)
        ASSERT_LT(index, count);
}
