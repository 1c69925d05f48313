// Polygon triangulation of one face by ear clipping.
#include "objl/obj_loader.h"

namespace objl {

namespace {

// Ear clipping tests every corner of the face against every candidate ear and
// may need a sweep per cut, so its cost grows with the cube of the corner
// count.  Faces above this size are fanned instead (see triangulate).
constexpr size_t kMaxEarClippingCorners = 256;

// Appends the triangle with corner positions a, b, c: every index of the face
// whose position equals a corner, in increasing order, once per corner it
// equals.  Corners stay in their cyclic order, so the triangle keeps the
// face's winding.
void emitTriangle(const std::vector<Vertex>& face, const Vector3& a, const Vector3& b, const Vector3& c,
                  std::vector<unsigned int>& result)
{
    for (size_t j = 0; j < face.size(); ++j) {
        const Vector3& position = face[j].position;
        const unsigned int index = static_cast<unsigned int>(j);
        if (position == a)
            result.push_back(index);
        if (position == b)
            result.push_back(index);
        if (position == c)
            result.push_back(index);
    }
}

// True when a corner of the face other than prev, cur and next themselves
// lies in the triangle they form.
bool isBlocked(const std::vector<Vertex>& face, const Vector3& prev, const Vector3& cur, const Vector3& next)
{
    for (const Vertex& vertex : face) {
        const Vector3& p = vertex.position;
        if (pointInTriangle(p, prev, cur, next) && p != prev && p != cur && p != next)
            return true;
    }
    return false;
}

}  // namespace

std::vector<unsigned int> ObjLoader::triangulate(const std::vector<Vertex>& faceVertices)
{
    const size_t count = faceVertices.size();
    std::vector<unsigned int> result;
    if (count < 3)
        return result;
    if (count == 3)
        return {0, 1, 2};

    if (count > kMaxEarClippingCorners) {
        // A fan around the last corner, by place: for a convex face (discs and
        // caps, the usual reason for so many corners) this is exactly what ear
        // clipping gives, in linear time.
        const unsigned int last = static_cast<unsigned int>(count - 1);
        for (unsigned int k = 0; k + 1 < last; ++k) {
            result.push_back(k);
            result.push_back(k + 1);
            result.push_back(last);
        }
        return result;
    }

    std::vector<Vector3> remaining;
    remaining.reserve(count);
    for (const Vertex& vertex : faceVertices)
        remaining.push_back(vertex.position);

    size_t i = 0;
    while (i < remaining.size()) {
        const Vector3 cur = remaining[i];
        const Vector3 prev = i == 0 ? remaining.back() : remaining[i - 1];
        const Vector3 next = i + 1 == remaining.size() ? remaining.front() : remaining[i + 1];

        if (remaining.size() == 4) {
            // A sweep restarts at 0 after each cut, so this splits the last
            // quadrilateral along the diagonal from its second to its fourth
            // corner.
            emitTriangle(faceVertices, cur, prev, next, result);
            Vector3 other;
            for (const Vector3& p : remaining) {
                if (p != cur && p != prev && p != next) {
                    other = p;
                    break;
                }
            }
            emitTriangle(faceVertices, prev, next, other, result);
            return result;
        }

        if (isBlocked(faceVertices, prev, cur, next)) {
            ++i;
            continue;
        }

        emitTriangle(faceVertices, cur, prev, next, result);
        // The first corner at cur's position goes; a position with a NaN equals
        // nothing, so then the corner itself goes, or the sweep would never end.
        size_t removed = i;
        for (size_t k = 0; k < remaining.size(); ++k) {
            if (remaining[k] == cur) {
                removed = k;
                break;
            }
        }
        remaining.erase(remaining.begin() + static_cast<std::ptrdiff_t>(removed));
        i = 0;
    }

    // A full sweep found no corner to cut.  Before any cut the face yields
    // nothing; after one, another sweep would meet the same corners, so the
    // rest is closed as a fan from its first corner rather than left as a hole.
    if (!result.empty()) {
        for (size_t k = 1; k + 1 < remaining.size(); ++k)
            emitTriangle(faceVertices, remaining[0], remaining[k], remaining[k + 1], result);
    }
    return result;
}

}  // namespace objl
