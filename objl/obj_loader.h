// The Wavefront OBJ and MTL loader.  It reads the model and its material
// library from embedded text resources (or from text handed to it), and
// leaves the meshes, the vertices and indices of the whole model and the
// materials in four public lists.
#pragma once

#include "objl/geometry.h"
#include "objl/mesh.h"
#include "objl/text_helpers.h"

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace objl {

class ObjLoader {
public:
    ObjLoader();

    // Loads the OBJ text of resource `objResourceId`; every "mtllib" line
    // loads the material library of resource `mtlResourceId`.  Returns what
    // loadModelText returns and lets its number conversion errors through.
    bool loadModel(uint16_t objResourceId, uint16_t mtlResourceId);

    // Parses an OBJ text: empties meshes, allVertices and allIndices (never
    // materials), fills them and gives the meshes their materials by name.
    // Every "mtllib" line runs loadMaterialsText(mtlText), whatever file it
    // names.  Returns true when anything was loaded; false for a text without
    // faces, and false with the three lists emptied when a "v" or "vn" line
    // has fewer than three numbers or a "vt" line none ("vt u" reads (u, 0)).  A malformed or out-of-range number throws the
    // conversion error of toFloat/toInt, leaving what was added before it.
    bool loadModelText(const std::string& objText, const std::string& mtlText);

    // Appends the materials of the MTL text of resource `mtlResourceId`.
    // Returns what loadMaterialsText returns and lets its errors through.
    bool loadMaterials(uint16_t mtlResourceId);

    // Appends one material per "newmtl" block of an MTL text (one default
    // material for a text without any).  Returns true; a malformed or
    // out-of-range number throws the conversion error, leaving the materials
    // appended before it.
    bool loadMaterialsText(const std::string& mtlText);

    // The vertices of one "f" line, one per corner, with the positions,
    // texture coordinates and normals its indices address.  Returns an empty
    // list (the face is skipped) when a corner has more than three pieces or
    // an index addresses no element; empty corners are passed over.  Throws
    // the conversion error of a malformed index.
    static std::vector<Vertex> buildFaceVertices(const std::string& faceLine,
                                                 const std::vector<Vector3>& positions,
                                                 const std::vector<Vector2>& texCoords,
                                                 const std::vector<Vector3>& normals);

    // The element of `list` that an OBJ index addresses (1 is the first,
    // -1 the last), or nothing when it addresses no element (0, or beyond
    // either end).  Throws the conversion error of a malformed index.
    template <typename T>
    static std::optional<T> elementAt(const std::vector<T>& list, const std::string& indexText);

    // Triangle indices, three per triangle, into the vertex list of one face.
    // Corners are told apart by position.  Empty for fewer than three corners
    // or when no corner can be cut at all.
    static std::vector<unsigned int> triangulate(const std::vector<Vertex>& faceVertices);

    std::vector<Mesh> meshes;
    std::vector<Vertex> allVertices;
    std::vector<unsigned int> allIndices;
    std::vector<Material> materials;

    // Where the progress records of a load go (standard output unless set);
    // must not be null.
    std::ostream* progress;
};

template <typename T>
std::optional<T> ObjLoader::elementAt(const std::vector<T>& list, const std::string& indexText)
{
    // 64-bit arithmetic: neither -2147483648 nor a long list can overflow.
    const long long index = toInt(indexText);
    const long long count = static_cast<long long>(list.size());
    const long long place = index < 0 ? count + index : index - 1;
    if (place < 0 || place >= count)
        return std::nullopt;
    return list[static_cast<size_t>(place)];
}

}  // namespace objl
