#include "objl/obj_loader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using objl::Vector3;

namespace {

struct PointCase {
    Vector3 p;
    bool inside;
};

}  // namespace

TEST(PointInTriangle, UsesTheProjectionAndIncludesTheBoundary)
{
    const Vector3 t1(0, 0, 0), t2(1, 0, 0), t3(0, 1, 0);
    const PointCase cases[] = {
        {{0, 0, 0}, true},         // a corner
        {{0, 1, 0}, true},         // another corner
        {{0.5f, 0, 0}, true},      // on an edge
        {{0.25f, 0.25f, 5}, true}, // off the plane, projection inside
        {{0.25f, 0.25f, 0}, true},
        {{1, 1, 0}, false},
        {{-0.1f, 0.5f, 0}, false},
    };
    for (const PointCase& c : cases)
        EXPECT_EQ(objl::pointInTriangle(c.p, t1, t2, t3), c.inside) << c.p.x << " " << c.p.y << " " << c.p.z;
}

TEST(PointInTriangle, DegenerateTriangleContainsNothing)
{
    const Vector3 a(0, 0, 0), b(1, 1, 0), c(2, 2, 0);
    for (const Vector3& p : {a, b, c, Vector3(0.5f, 0.5f, 0), Vector3(5, 0, 0)})
        EXPECT_FALSE(objl::pointInTriangle(p, a, b, c));
    EXPECT_FALSE(objl::pointInTriangle(a, a, a, a));
}

TEST(Vector3, EqualityIsExactFloatComparison)
{
    EXPECT_TRUE(Vector3(0, 0, -0.0f) == Vector3(0, 0, 0));
    EXPECT_FALSE(Vector3(0, 0, -0.0f) != Vector3(0, 0, 0));
    EXPECT_FALSE(Vector3(1, 2, 3) == Vector3(1, 2, 3.0000005f));

    const Vector3 withNan(0, std::numeric_limits<float>::quiet_NaN(), 0);
    EXPECT_FALSE(withNan == withNan);
    EXPECT_TRUE(withNan != withNan);
}

TEST(Vector3, DifferenceCrossAndDotProducts)
{
    const Vector3 a(1, 2, 3), b(4, 5, 6);
    const Vector3 d = a - b;
    EXPECT_EQ(d, Vector3(-3, -3, -3));
    EXPECT_EQ(objl::crossProduct(a, b), Vector3(-3, 6, -3));
    EXPECT_EQ(objl::crossProduct(Vector3(1, 0, 0), Vector3(0, 1, 0)), Vector3(0, 0, 1));
    EXPECT_EQ(objl::dotProduct(a, b), 32.0f);
}

TEST(Records, DefaultsAreZeroAndEmpty)
{
    const objl::Material material;
    EXPECT_EQ(material.d, 0.0f);
    EXPECT_EQ(material.illum, 0);
    EXPECT_EQ(material.Ns, 0.0f);
    EXPECT_EQ(material.Ni, 0.0f);
    EXPECT_EQ(material.Kd, Vector3(0, 0, 0));
    EXPECT_TRUE(material.name.empty());
    for (const std::string* map : {&material.map_Ka, &material.map_Kd, &material.map_Ks, &material.map_Ns,
                                   &material.map_d, &material.map_bump})
        EXPECT_TRUE(map->empty());

    const objl::Vertex vertex;
    EXPECT_EQ(vertex.position, Vector3());
    EXPECT_EQ(vertex.normal, Vector3());
    EXPECT_EQ(vertex.texCoord.x, 0.0f);
    EXPECT_EQ(vertex.texCoord.y, 0.0f);

    objl::Vertex corner;
    corner.position = Vector3(1, 2, 3);
    objl::Mesh mesh({corner}, {0, 0, 0});
    EXPECT_TRUE(mesh.name.empty());
    ASSERT_EQ(mesh.vertices.size(), 1u);
    EXPECT_EQ(mesh.vertices[0].position, Vector3(1, 2, 3));
    EXPECT_EQ(mesh.indices.size(), 3u);
    EXPECT_EQ(mesh.material.d, 0.0f);
}
