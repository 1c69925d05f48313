// The records a load hands over: vertices, materials and meshes.  All are
// plain values; copying one copies every field, strings and lists included.
#pragma once

#include "objl/geometry.h"

#include <string>
#include <vector>

namespace objl {

// One corner of one face: every corner of every face is its own vertex.
struct Vertex {
    Vector3 position;
    Vector3 normal;  // not necessarily of unit length
    Vector2 texCoord;
};

// One "newmtl" block of a material library.  The map references are kept as
// text only; nothing opens them.
struct Material {
    std::string name;
    Vector3 Ka;
    Vector3 Kd;
    Vector3 Ks;
    float Ns = 0.0f;
    float Ni = 0.0f;
    float d = 0.0f;  // 0, not 1, when the library never sets it
    int illum = 0;
    std::string map_Ka;
    std::string map_Kd;
    std::string map_Ks;
    std::string map_Ns;
    std::string map_d;
    std::string map_bump;
};

// One closed group of faces with its own vertices, triangle indices into
// them and a copy of its material.
struct Mesh {
    std::string name;
    std::vector<Vertex> vertices;
    std::vector<unsigned int> indices;  // three per triangle
    Material material;

    Mesh() = default;

    // A mesh holding copies of the two lists, with an empty name and the
    // default material.
    Mesh(const std::vector<Vertex>& vertices_, const std::vector<unsigned int>& indices_)
        : vertices(vertices_), indices(indices_)
    {
    }
};

}  // namespace objl
