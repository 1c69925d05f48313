// The scene's own vector and matrix kit: single-precision vectors of two,
// three and four components and a column-major 4x4 matrix laid out the way
// OpenGL reads it, with the few operations the camera, the drawables and the
// render pass need.
//
// Default construction leaves every element uninitialised (no zeroing, no
// identity): whoever default-constructs a value writes all of it before
// reading it.  Indexing does no bounds check.  Every operation evaluates its
// floating-point expressions in a fixed order, so results are reproducible
// bit for bit.
#pragma once

#include <cmath>

// ---------------------------------------------------------------------------
// Types
// ---------------------------------------------------------------------------

struct Vec2 {
    float v[2];

    // Leaves both components uninitialised.
    Vec2() {}
    Vec2(float x, float y) : v{x, y} {}

    float& operator[](int i) { return v[i]; }
    const float& operator[](int i) const { return v[i]; }
};

struct Vec3 {
    float v[3];

    // Leaves all three components uninitialised.
    Vec3() {}
    Vec3(float x, float y, float z) : v{x, y, z} {}

    float& operator[](int i) { return v[i]; }
    const float& operator[](int i) const { return v[i]; }
};

struct Vec4 {
    float v[4];

    // Leaves all four components uninitialised.
    Vec4() {}
    Vec4(float x, float y, float z, float w) : v{x, y, z, w} {}

    float& operator[](int i) { return v[i]; }
    const float& operator[](int i) const { return v[i]; }
};

// Four columns of four floats, 16 contiguous floats: m[i] is column i and
// m[i][j] the element in row j of column i, stored at float index 4*i + j.
struct Mat4 {
    Vec4 columns[4];

    // Leaves all 16 elements uninitialised (not the identity).
    Mat4() {}
    Mat4(const Vec4& c0, const Vec4& c1, const Vec4& c2, const Vec4& c3) : columns{c0, c1, c2, c3} {}
    // Sets all 16 elements to s: Mat4(1) is a matrix of ones, not the identity.
    explicit Mat4(float s)
    {
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                columns[i][j] = s;
    }

    Vec4& operator[](int i) { return columns[i]; }
    const Vec4& operator[](int i) const { return columns[i]; }
};

static_assert(sizeof(Vec4) == 4 * sizeof(float), "Vec4 must be four packed floats");
static_assert(sizeof(Mat4) == 16 * sizeof(float), "Mat4 must be 16 contiguous floats for OpenGL");

// ---------------------------------------------------------------------------
// Vector arithmetic (component-wise, in index order)
// ---------------------------------------------------------------------------

inline Vec2 operator-(const Vec2& a, const Vec2& b)
{
    Vec2 r;
    for (int i = 0; i < 2; ++i)
        r[i] = a[i] - b[i];
    return r;
}

inline Vec3 operator+(const Vec3& a, const Vec3& b)
{
    Vec3 r;
    for (int i = 0; i < 3; ++i)
        r[i] = a[i] + b[i];
    return r;
}

inline Vec3 operator-(const Vec3& a, const Vec3& b)
{
    Vec3 r;
    for (int i = 0; i < 3; ++i)
        r[i] = a[i] - b[i];
    return r;
}

inline Vec3 operator-(const Vec3& a)
{
    Vec3 r;
    for (int i = 0; i < 3; ++i)
        r[i] = -a[i];
    return r;
}

inline Vec3 operator*(const Vec3& a, float s)
{
    Vec3 r;
    for (int i = 0; i < 3; ++i)
        r[i] = a[i] * s;
    return r;
}

// Divides each component by s; a zero s gives infinities or NaNs, unchecked.
inline Vec3 operator/(const Vec3& a, float s)
{
    Vec3 r;
    for (int i = 0; i < 3; ++i)
        r[i] = a[i] / s;
    return r;
}

// Euclidean length, the squares summed in index order.
inline float length(const Vec3& v)
{
    float sum = 0.0f;
    for (int i = 0; i < 3; ++i)
        sum = v[i] * v[i] + sum;
    return std::sqrt(sum);
}

// The vector divided by its length.  A zero vector gives non-finite
// components (0 / 0); nothing traps.
inline Vec3 normalize(const Vec3& v)
{
    return v / length(v);
}

// The right-handed cross product a x b.
inline Vec3 cross(const Vec3& a, const Vec3& b)
{
    return Vec3(a[1] * b[2] - b[1] * a[2], a[2] * b[0] - b[2] * a[0], a[0] * b[1] - b[0] * a[1]);
}

// ---------------------------------------------------------------------------
// Matrices
// ---------------------------------------------------------------------------

// The matrix product a * b: column i of the result is a applied to column i
// of b, so P * V * M applies M first.
inline Mat4 operator*(const Mat4& a, const Mat4& b)
{
    Mat4 r(0.0f);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            for (int k = 0; k < 4; ++k)
                r[i][j] = a[k][j] * b[i][k] + r[i][j];
    return r;
}

// Degrees to radians with the float nearest to pi/180.
inline float radians(float degrees)
{
    return degrees * 0.017453292f;
}

// The identity with the offset (x, y, z) in column 3.
inline Mat4 translate(float x, float y, float z)
{
    return Mat4(Vec4(1, 0, 0, 0), Vec4(0, 1, 0, 0), Vec4(0, 0, 1, 0), Vec4(x, y, z, 1));
}

inline Mat4 translate(const Vec3& offset)
{
    return translate(offset[0], offset[1], offset[2]);
}

// The right-handed OpenGL projection onto clip depth -1 to 1; fovy is the
// full vertical field of view in degrees.  A zero aspect or zNear == zFar
// gives non-finite elements, unchecked.
inline Mat4 perspective(float fovy, float aspect, float zNear, float zFar)
{
    const float t = std::tan(radians(0.5f * fovy));
    const float f = 1.0f / t;
    Mat4 m;
    m[0] = Vec4(f / aspect, 0, 0, 0);
    m[1] = Vec4(0, f, 0, 0);
    m[2] = Vec4(0, 0, (zNear + zFar) / (zNear - zFar), -1);
    m[3] = Vec4(0, 0, ((2.0f * zNear) * zFar) / (zNear - zFar), 0);
    return m;
}

// The view matrix of a camera at eye looking at center.  The side vector is
// not normalised: when up is not perpendicular to the viewing direction the
// rotation part is shorter than unit length, as callers expect.
inline Mat4 lookAt(const Vec3& eye, const Vec3& center, const Vec3& up)
{
    const Vec3 f = normalize(center - eye);
    const Vec3 upUnit = normalize(up);
    const Vec3 s = cross(f, upUnit);
    const Vec3 u = cross(s, f);
    const Mat4 rotation(Vec4(s[0], u[0], -f[0], 0), Vec4(s[1], u[1], -f[1], 0), Vec4(s[2], u[2], -f[2], 0),
                        Vec4(0, 0, 0, 1));
    return rotation * translate(-eye);
}

// The 16 floats of m, column 0 first: what glUniformMatrix4fv reads with a
// count of 1 and no transpose.
inline const float* valuePtr(const Mat4& m)
{
    return &m[0][0];
}

inline float* valuePtr(Mat4& m)
{
    return &m[0][0];
}
