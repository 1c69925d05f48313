// A loaded OBJ model as one array per vertex attribute: scaled positions,
// texture coordinates, unit normals, per-triangle tangents and bitangents and
// the mesh materials' colours, plus one index array over all meshes.  Every
// mesh of the model lands in the same arrays; a mesh's indices are shifted by
// the vertex count of the meshes before it.  GLFWMeshData interleaves them.
#pragma once

#include "objl/mesh.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class GLFWMeshArrays {
public:
    // Loads the OBJ model of resource `objResourceId` with the material
    // library of resource `mtlResourceId` and converts it, positions times
    // `scale`.  A model that does not load, or holds a number the loader
    // cannot convert, ends the process: "Failed to load mesh", exit code 0.
    GLFWMeshArrays(int objResourceId, int mtlResourceId, float scale);

    // Converts meshes that are already loaded; never fails.
    GLFWMeshArrays(const std::vector<objl::Mesh>& meshes, float scale);

    // Loads an OBJ text with its MTL text and converts it; ends the process
    // like the resource constructor when the model does not load.
    static std::unique_ptr<GLFWMeshArrays> fromText(const std::string& objText, const std::string& mtlText,
                                                    float scale);

    GLFWMeshArrays(const GLFWMeshArrays&) = delete;
    GLFWMeshArrays& operator=(const GLFWMeshArrays&) = delete;

    int32_t vertexCount() const { return vertexCount_; }
    int32_t indexCount() const { return indexCount_; }
    float scale() const { return scale_; }

    // Per vertex: 3 floats of position, 2 of texture coordinate, 3 each of
    // normal, tangent, bitangent, ambient (Ka) and diffuse (Kd), and 4 of
    // specular (Ks followed by Ns).  One entry per index.
    const float* positions() const { return positions_.get(); }
    const float* texcoords() const { return texcoords_.get(); }
    const float* normals() const { return normals_.get(); }
    const float* tangents() const { return tangents_.get(); }
    const float* bitangents() const { return bitangents_.get(); }
    const float* ambient() const { return ambient_.get(); }
    const float* diffuse() const { return diffuse_.get(); }
    const float* specular() const { return specular_.get(); }
    const uint32_t* indices() const { return indices_.get(); }

private:
    void build(const std::vector<objl::Mesh>& meshes);
    void computeTangents();

    std::unique_ptr<float[]> positions_;
    std::unique_ptr<float[]> texcoords_;
    std::unique_ptr<float[]> normals_;
    std::unique_ptr<float[]> tangents_;
    std::unique_ptr<float[]> bitangents_;
    std::unique_ptr<float[]> ambient_;
    std::unique_ptr<float[]> diffuse_;
    std::unique_ptr<float[]> specular_;
    std::unique_ptr<uint32_t[]> indices_;
    int32_t vertexCount_ = 0;
    int32_t indexCount_ = 0;
    float scale_;
};
