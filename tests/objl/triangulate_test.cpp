#include "objl/obj_loader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using objl::Vector3;
using Indices = std::vector<unsigned int>;

namespace {

std::vector<objl::Vertex> face(const std::vector<Vector3>& positions)
{
    std::vector<objl::Vertex> vertices;
    for (const Vector3& p : positions) {
        objl::Vertex vertex;
        vertex.position = p;
        vertices.push_back(vertex);
    }
    return vertices;
}

// A regular polygon of `count` corners, counter-clockwise.
std::vector<Vector3> disc(size_t count)
{
    std::vector<Vector3> positions;
    for (size_t k = 0; k < count; ++k) {
        const double angle = 2.0 * 3.14159265358979323846 * static_cast<double>(k) / static_cast<double>(count);
        positions.emplace_back(static_cast<float>(100.0 * std::cos(angle)), static_cast<float>(100.0 * std::sin(angle)),
                               0.0f);
    }
    return positions;
}

struct TriangulateCase {
    const char* what;
    std::vector<Vector3> positions;
    Indices indices;
};

}  // namespace

TEST(Triangulate, FacesOfTheUsualShapes)
{
    const TriangulateCase cases[] = {
        {"no corner", {}, {}},
        {"two corners", {{0, 0, 0}, {1, 0, 0}}, {}},
        {"triangle", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 1, 2}},
        {"degenerate triangle passes through", {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}, {0, 1, 2}},
        {"convex quadrilateral", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}}, {0, 1, 3, 1, 2, 3}},
        // Reflex corner at 0: the fixed diagonal still splits 1-3, and the
        // second triangle covers the notch.
        {"concave quadrilateral", {{1, 1, 0}, {0, 0, 0}, {2, 0, 0}, {2, 2, 0}}, {0, 1, 3, 1, 2, 3}},
        {"convex pentagon", {{0, 0, 0}, {2, 0, 0}, {3, 1, 0}, {1, 3, 0}, {-1, 1, 0}}, {0, 1, 4, 1, 2, 4, 2, 3, 4}},
        // Corner 0 is blocked by corner 2, corner 1 is cut first.
        {"blocked pentagon",
         {{0, 0, 0}, {4, 0, 0}, {1, 1, 0}, {4, 4, 0}, {0, 4, 0}},
         {0, 1, 2, 0, 2, 4, 2, 3, 4}},
        // Two corners at one position: both indices appear wherever the
        // position does, and without a fourth distinct position the second
        // triangle's last corner is the origin, which no corner is at.
        {"quadrilateral with a shared position", {{5, 5, 0}, {1, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {0, 1, 2, 3, 1, 2, 3}},
        {"shared position with a corner at the origin",
         {{0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {0, 1, 0}},
         {0, 1, 2, 3, 0, 1, 2, 3}},
    };
    for (const TriangulateCase& c : cases)
        EXPECT_EQ(objl::ObjLoader::triangulate(face(c.positions)), c.indices) << c.what;
}

TEST(Triangulate, StuckSweepClosesTheRestAsAFan)
{
    // After two cuts (0 1 6, then 2 3 4) every remaining corner has a corner
    // of the face in its triangle; the five left are fanned from the first.
    const std::vector<Vector3> positions = {{2, 2, 0}, {6, 4, 0}, {1, 0, 0}, {3, 6, 0},
                                            {2, 6, 0}, {5, 0, 0}, {0, 2, 0}};
    const Indices expected = {0, 1, 6, 2, 3, 4, 1, 2, 4, 1, 4, 5, 1, 5, 6};
    EXPECT_EQ(objl::ObjLoader::triangulate(face(positions)), expected);
}

TEST(Triangulate, FaceWithNoCornerToCutGivesNothing)
{
    // A self-crossing hexagon in which every corner's triangle holds another
    // corner of the face.
    const std::vector<Vector3> positions = {{3, 0, 0}, {2, 2, 0}, {5, 4, 0}, {3, 1, 0}, {0, 1, 0}, {4, 3, 0}};
    EXPECT_TRUE(objl::ObjLoader::triangulate(face(positions)).empty());
}

TEST(Triangulate, CornersWithoutAComparablePositionStillEnd)
{
    // A NaN position equals nothing, not even itself, so it can never be
    // found again to be removed; the sweep must end all the same.  Such a
    // corner matches no index, so its triangles come out short.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const std::vector<Vector3> positions = {{nan, 0, 0}, {1, 0, 0}, {1, 1, 0}, {nan, nan, nan}, {0, 1, 0}, {0, 0, 0}};
    const Indices indices = objl::ObjLoader::triangulate(face(positions));
    for (unsigned int index : indices)
        EXPECT_LT(index, positions.size());
    EXPECT_FALSE(indices.empty());
}

TEST(Triangulate, ConvexFacesFanAroundTheLastCornerAtEverySize)
{
    // Ear clipping of a convex face cuts corner 0 again and again, so it
    // gives the fan (k, k+1, last); large faces take that fan directly.
    for (size_t count : {5u, 64u, 256u, 257u, 100000u}) {
        const Indices indices = objl::ObjLoader::triangulate(face(disc(count)));
        ASSERT_EQ(indices.size(), 3 * (count - 2)) << count;
        const unsigned int last = static_cast<unsigned int>(count - 1);
        bool allFan = true;
        for (unsigned int k = 0; k + 2 < count; ++k)
            allFan = allFan && indices[3 * k] == k && indices[3 * k + 1] == k + 1 && indices[3 * k + 2] == last;
        EXPECT_TRUE(allFan) << count;
    }
}
