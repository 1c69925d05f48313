// A model's vertices interleaved for OpenGL: 24 floats (96 bytes) per
// vertex, so that one buffer upload and one stride describe every attribute,
// and the matching array of 32-bit indices.  Built from a GLFWMeshArrays.
//
// Floats of one vertex: 0-2 position times scale, 3-4 texture coordinate,
// 5-7 unit normal, 8-10 tangent, 11-13 bitangent, 14-16 ambient colour (Ka),
// 17-19 diffuse colour (Kd), 20-22 specular colour (Ks), 23 exponent (Ns).
#pragma once

#include "scene/glfw_mesh_arrays.h"

#include <cstdint>
#include <memory>

class GLFWMeshData {
public:
    // Loads and converts the OBJ model of resource `objResourceId` with the
    // material library of `mtlResourceId` (see GLFWMeshArrays, which ends
    // the process when the model does not load) and interleaves it.
    GLFWMeshData(int objResourceId, int mtlResourceId, float scale);

    // Interleaves arrays that are already converted, and keeps them.
    explicit GLFWMeshData(std::unique_ptr<GLFWMeshArrays> arrays);

    GLFWMeshData(const GLFWMeshData&) = delete;
    GLFWMeshData& operator=(const GLFWMeshData&) = delete;

    const float* vertexData() const { return vertices_.get(); }
    int32_t floatsPerVertex() const { return floatsPerVertex_; }
    int32_t vertexCount() const { return vertexCount_; }
    // vertexCount() * floatsPerVertex() * 4.
    int32_t vertexBytes() const { return vertexCount_ * floatsPerVertex_ * static_cast<int32_t>(sizeof(float)); }
    const uint32_t* indexData() const { return indices_.get(); }
    int32_t indexCount() const { return indexCount_; }
    // indexCount() * 4.
    int32_t indexBytes() const { return indexCount_ * static_cast<int32_t>(sizeof(uint32_t)); }

    // Where each attribute starts inside a vertex, counted in floats.
    int32_t positionOffset() const { return positionOffset_; }
    int32_t texcoordOffset() const { return texcoordOffset_; }
    int32_t normalOffset() const { return normalOffset_; }
    int32_t tangentOffset() const { return tangentOffset_; }
    int32_t bitangentOffset() const { return bitangentOffset_; }
    int32_t ambientOffset() const { return ambientOffset_; }
    int32_t diffuseOffset() const { return diffuseOffset_; }
    int32_t specularOffset() const { return specularOffset_; }

    // The separate arrays the vertices were interleaved from.
    const GLFWMeshArrays& arrays() const { return *arrays_; }

private:
    void interleave();

    std::unique_ptr<float[]> vertices_;
    int32_t floatsPerVertex_ = 24;
    int32_t positionOffset_ = 0;
    int32_t texcoordOffset_ = 3;
    int32_t normalOffset_ = 5;
    int32_t tangentOffset_ = 8;
    int32_t bitangentOffset_ = 11;
    int32_t ambientOffset_ = 14;
    int32_t diffuseOffset_ = 17;
    int32_t specularOffset_ = 20;
    std::unique_ptr<uint32_t[]> indices_;
    std::unique_ptr<GLFWMeshArrays> arrays_;
    int32_t vertexCount_ = 0;
    int32_t indexCount_ = 0;
};
