#include "scene/vector_math.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <initializer_list>

namespace {

// Compares the 16 floats of m, in storage order, exactly with `expected`.
void expectElements(const Mat4& m, std::initializer_list<float> expected)
{
    ASSERT_EQ(expected.size(), 16u);
    const float* actual = valuePtr(m);
    int index = 0;
    for (float value : expected) {
        EXPECT_EQ(actual[index], value) << "float index " << index;
        ++index;
    }
}

bool sameBits(float a, float b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

TEST(VectorMath, FilledMatrixSetsEveryElementAndIsNotTheIdentity)
{
    for (float s : {0.0f, 1.0f, -2.5f}) {
        const Mat4 m(s);
        for (int i = 0; i < 16; ++i)
            EXPECT_EQ(valuePtr(m)[i], s) << "fill " << s << ", float index " << i;
    }
}

TEST(VectorMath, MatrixIsColumnMajorAndCopiesEveryElement)
{
    Mat4 m;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            m[i][j] = static_cast<float>(10 * i + j);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            EXPECT_EQ(valuePtr(m)[4 * i + j], static_cast<float>(10 * i + j));

    Mat4 copy(m);
    Mat4 assigned(0.0f);
    assigned = m;
    EXPECT_EQ(std::memcmp(valuePtr(copy), valuePtr(m), sizeof(Mat4)), 0);
    EXPECT_EQ(std::memcmp(valuePtr(assigned), valuePtr(m), sizeof(Mat4)), 0);
}

TEST(VectorMath, ComponentWiseOperations)
{
    const Vec3 a(1.0f, -2.0f, 3.5f);
    const Vec3 b(0.5f, 4.0f, -1.0f);

    const Vec3 sum = a + b;
    const Vec3 difference = a - b;
    const Vec3 negated = -a;
    const Vec3 scaled = a * 2.0f;
    const Vec3 divided = a / 4.0f;
    const float expected[][3] = {
        {1.5f, 2.0f, 2.5f}, {0.5f, -6.0f, 4.5f}, {-1.0f, 2.0f, -3.5f}, {2.0f, -4.0f, 7.0f}, {0.25f, -0.5f, 0.875f}};
    const Vec3* results[] = {&sum, &difference, &negated, &scaled, &divided};
    for (int r = 0; r < 5; ++r)
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ((*results[r])[i], expected[r][i]) << "operation " << r << ", component " << i;

    const Vec2 d = Vec2(3.0f, 1.0f) - Vec2(1.0f, 4.0f);
    EXPECT_EQ(d[0], 2.0f);
    EXPECT_EQ(d[1], -3.0f);
}

TEST(VectorMath, DivisionDividesRatherThanMultiplyingByTheReciprocal)
{
    // 1/3 is not exact in float, so a * (1/3) and a / 3 differ for some a.
    const Vec3 a(10.0f, 7.0f, 5.0f);
    const Vec3 q = a / 3.0f;
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(sameBits(q[i], a[i] / 3.0f)) << "component " << i;
    EXPECT_FALSE(sameBits(a[1] / 3.0f, a[1] * (1.0f / 3.0f))) << "the check needs a value where the two differ";
}

TEST(VectorMath, LengthNormalizeAndCross)
{
    EXPECT_EQ(length(Vec3(3.0f, 4.0f, 12.0f)), 13.0f);
    EXPECT_EQ(length(Vec3(0.0f, 0.0f, 0.0f)), 0.0f);

    const Vec3 n = normalize(Vec3(2.0f, -3.0f, 6.0f));
    EXPECT_EQ(n[0], 2.0f / 7.0f);
    EXPECT_EQ(n[1], -3.0f / 7.0f);
    EXPECT_EQ(n[2], 6.0f / 7.0f);

    const Vec3 zero = normalize(Vec3(0.0f, 0.0f, 0.0f));
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(std::isnan(zero[i])) << "0 / 0 is not trapped, component " << i;

    const Vec3 z = cross(Vec3(1, 0, 0), Vec3(0, 1, 0));
    EXPECT_EQ(z[0], 0.0f);
    EXPECT_EQ(z[1], 0.0f);
    EXPECT_EQ(z[2], 1.0f);
    const Vec3 c = cross(Vec3(1, 2, 3), Vec3(4, 5, 6));  // right-handed: (-3, 6, -3)
    EXPECT_EQ(c[0], -3.0f);
    EXPECT_EQ(c[1], 6.0f);
    EXPECT_EQ(c[2], -3.0f);
}

TEST(VectorMath, RadiansUsesTheSinglePrecisionConstant)
{
    for (float degrees : {1.0f, 0.5f, 45.0f, 90.0f, 180.0f, -33.3f, 359.0f})
        EXPECT_TRUE(sameBits(radians(degrees), degrees * 0.017453292f)) << degrees << " degrees";
    EXPECT_NEAR(radians(180.0f), 3.14159265f, 1e-6f);
}

TEST(VectorMath, TranslateIsTheIdentityWithTheOffsetInColumnThree)
{
    expectElements(translate(1, 2, 3), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1});
    expectElements(translate(Vec3(-4, 5.5f, 0)), {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -4, 5.5f, 0, 1});
}

TEST(VectorMath, ProductOfTranslationsAddsTheOffsets)
{
    expectElements(translate(1, 2, 3) * translate(10, 20, 30),
                   {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 11, 22, 33, 1});
}

TEST(VectorMath, ProductAppliesTheRightOperandFirst)
{
    // A turns a quarter about z: (x, y, z) -> (-y, x, z).
    const Mat4 rotation(Vec4(0, 1, 0, 0), Vec4(-1, 0, 0, 0), Vec4(0, 0, 1, 0), Vec4(0, 0, 0, 1));
    // Rotation after translation: column 3 is the rotated offset.
    expectElements(rotation * translate(1, 2, 3), {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, -2, 1, 3, 1});
    // Translation after rotation: the offset stays as it is.
    expectElements(translate(1, 2, 3) * rotation, {0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1});
}

TEST(VectorMath, ProductAccumulatesTheTermsInColumnOrder)
{
    // Row 0 of A is (1, 1e8, 1, -1e8), B's column 0 is all ones.  Summed for
    // k = 0..3 from zero the two ones are lost against 1e8 and the result is
    // 0; summed the other way round it would be 1.
    Mat4 a(0.0f);
    a[0][0] = 1.0f;
    a[1][0] = 1e8f;
    a[2][0] = 1.0f;
    a[3][0] = -1e8f;
    const Mat4 b(1.0f);
    const Mat4 product = a * b;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(product[i][0], 0.0f) << "column " << i;
        for (int j = 1; j < 4; ++j)
            EXPECT_EQ(product[i][j], 0.0f) << "column " << i << ", row " << j;
    }
}

TEST(VectorMath, PerspectiveOfNinetyDegrees)
{
    const Mat4 m = perspective(90, 1, 1, 3);
    EXPECT_NEAR(m[0][0], 1.0f, 1e-6f);
    EXPECT_NEAR(m[1][1], 1.0f, 1e-6f);
    EXPECT_EQ(m[2][2], -2.0f);
    EXPECT_EQ(m[2][3], -1.0f);
    EXPECT_EQ(m[3][2], -3.0f);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) {
            const bool set = (i == j && i < 3) || (i == 2 && j == 3) || (i == 3 && j == 2);
            if (!set) {
                EXPECT_EQ(m[i][j], 0.0f) << "column " << i << ", row " << j;
            }
        }
}

TEST(VectorMath, PerspectiveEvaluatesInAFixedOrder)
{
    struct Case {
        float fovy, aspect, zNear, zFar;
    };
    const Case cases[] = {{90, 1, 1, 3}, {45, 16.0f / 9.0f, 0.1f, 1000}, {60, 1.3f, 0.7f, 313.3f}, {33.3f, 0.6f, 3, 7}};
    for (const Case& c : cases) {
        const Mat4 m = perspective(c.fovy, c.aspect, c.zNear, c.zFar);
        const float t = std::tan((0.5f * c.fovy) * 0.017453292f);
        EXPECT_TRUE(sameBits(m[0][0], (1.0f / t) / c.aspect)) << c.fovy << " " << c.aspect;
        EXPECT_TRUE(sameBits(m[1][1], 1.0f / t)) << c.fovy;
        EXPECT_TRUE(sameBits(m[2][2], (c.zNear + c.zFar) / (c.zNear - c.zFar))) << c.zNear << " " << c.zFar;
        EXPECT_TRUE(sameBits(m[3][2], ((2.0f * c.zNear) * c.zFar) / (c.zNear - c.zFar))) << c.zNear << " " << c.zFar;
        EXPECT_EQ(m[2][3], -1.0f);
    }
}

TEST(VectorMath, LookAtAlongMinusZIsATranslation)
{
    expectElements(lookAt(Vec3(0, 0, 100), Vec3(0, 0, 99), Vec3(0, 1, 0)),
                   {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, -100, 1});
}

TEST(VectorMath, LookAtMovesTheEyeToTheOriginAndTheCenterOntoMinusZ)
{
    const Vec3 eye(3, -2, 5);
    const Vec3 center(-1, 4, 2);
    const Mat4 view = lookAt(eye, center, Vec3(0, 0, 1));
    auto apply = [&](const Vec3& p) {
        Vec3 r;
        for (int j = 0; j < 3; ++j)
            r[j] = view[0][j] * p[0] + view[1][j] * p[1] + view[2][j] * p[2] + view[3][j];
        return r;
    };
    const Vec3 eyeSeen = apply(eye);
    const Vec3 centerSeen = apply(center);
    const float distance = length(center - eye);
    for (int j = 0; j < 3; ++j)
        EXPECT_NEAR(eyeSeen[j], 0.0f, 1e-4f) << "row " << j;
    EXPECT_NEAR(centerSeen[0], 0.0f, 1e-4f);
    EXPECT_NEAR(centerSeen[1], 0.0f, 1e-4f);
    EXPECT_NEAR(centerSeen[2], -distance, 1e-4f);
}

TEST(VectorMath, LookAtDoesNotRenormaliseTheSideVector)
{
    // Up at 45 degrees to the viewing direction: the side vector (row 0)
    // keeps the length sin 45 = 0.7071.
    const Mat4 view = lookAt(Vec3(0, 0, 0), Vec3(0, 0, -1), Vec3(0, 1, -1));
    const Vec3 side(view[0][0], view[1][0], view[2][0]);
    EXPECT_NEAR(length(side), 0.70710677f, 1e-6f);
    EXPECT_NEAR(side[0], 0.70710677f, 1e-6f);
    EXPECT_EQ(view[0][3], 0.0f);
    EXPECT_EQ(view[3][3], 1.0f);
}
