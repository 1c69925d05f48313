// The loader's own small vector records and the few operations that the face
// reader and the polygon triangulation need.  They are separate from the
// scene's vector kit: the loader never uses that kit and the scene code never
// uses these.
#pragma once

namespace objl {

// A two-component single-precision vector (texture coordinates).
struct Vector2 {
    float x = 0.0f;
    float y = 0.0f;

    Vector2() = default;
    Vector2(float x_, float y_) : x(x_), y(y_) {}
};

// A three-component single-precision vector (positions, normals, colours).
struct Vector3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vector3() = default;
    Vector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}
};

// Component-wise difference a - b.
Vector3 operator-(const Vector3& a, const Vector3& b);

// Exact float comparison of every component: -0 equals +0, and a NaN
// component makes a vector unequal to everything, itself included.
bool operator==(const Vector3& a, const Vector3& b);

// The negation of ==.
bool operator!=(const Vector3& a, const Vector3& b);

// The cross product a x b.
Vector3 crossProduct(const Vector3& a, const Vector3& b);

// The dot product, summed x, then y, then z.
float dotProduct(const Vector3& a, const Vector3& b);

// True when the orthogonal projection of p onto the plane of the triangle
// t1, t2, t3 lies inside it, boundaries included.  A degenerate triangle
// (collinear or coincident corners) contains nothing: its weights are NaN.
bool pointInTriangle(const Vector3& p, const Vector3& t1, const Vector3& t2, const Vector3& t3);

}  // namespace objl
