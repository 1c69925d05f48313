#include "objl/geometry.h"

namespace objl {

Vector3 operator-(const Vector3& a, const Vector3& b)
{
    return Vector3(a.x - b.x, a.y - b.y, a.z - b.z);
}

bool operator==(const Vector3& a, const Vector3& b)
{
    return a.x == b.x && a.y == b.y && a.z == b.z;
}

bool operator!=(const Vector3& a, const Vector3& b)
{
    return !(a == b);
}

Vector3 crossProduct(const Vector3& a, const Vector3& b)
{
    return Vector3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

float dotProduct(const Vector3& a, const Vector3& b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

bool pointInTriangle(const Vector3& p, const Vector3& t1, const Vector3& t2, const Vector3& t3)
{
    // Barycentric weights of p's projection onto the triangle's plane.  For a
    // degenerate triangle n is zero, the weights are NaN and every comparison
    // below is false.
    const Vector3 u = t2 - t1;
    const Vector3 v = t3 - t1;
    const Vector3 w = p - t1;
    const Vector3 n = crossProduct(u, v);
    const float nn = dotProduct(n, n);
    const float gamma = dotProduct(crossProduct(u, w), n) / nn;
    const float beta = dotProduct(crossProduct(w, v), n) / nn;
    const float alpha = 1.0f - gamma - beta;
    return alpha >= 0.0f && alpha <= 1.0f && beta >= 0.0f && beta <= 1.0f && gamma >= 0.0f && gamma <= 1.0f;
}

}  // namespace objl
