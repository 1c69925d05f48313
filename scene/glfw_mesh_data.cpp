#include "scene/glfw_mesh_data.h"

#include <utility>

GLFWMeshData::GLFWMeshData(int objResourceId, int mtlResourceId, float scale)
    : GLFWMeshData(std::make_unique<GLFWMeshArrays>(objResourceId, mtlResourceId, scale))
{
}

GLFWMeshData::GLFWMeshData(std::unique_ptr<GLFWMeshArrays> arrays) : arrays_(std::move(arrays))
{
    interleave();
}

void GLFWMeshData::interleave()
{
    vertexCount_ = arrays_->vertexCount();
    indexCount_ = arrays_->indexCount();
    vertices_.reset(new float[static_cast<size_t>(vertexCount_) * static_cast<size_t>(floatsPerVertex_)]);
    indices_.reset(new uint32_t[static_cast<size_t>(indexCount_)]);

    struct Attribute {
        const float* source;
        int32_t components;
        int32_t offset;
    };
    const Attribute attributes[] = {
        {arrays_->positions(), 3, positionOffset_},   {arrays_->texcoords(), 2, texcoordOffset_},
        {arrays_->normals(), 3, normalOffset_},       {arrays_->tangents(), 3, tangentOffset_},
        {arrays_->bitangents(), 3, bitangentOffset_}, {arrays_->ambient(), 3, ambientOffset_},
        {arrays_->diffuse(), 3, diffuseOffset_},      {arrays_->specular(), 4, specularOffset_},
    };
    for (size_t i = 0; i < static_cast<size_t>(vertexCount_); ++i) {
        float* vertex = vertices_.get() + i * static_cast<size_t>(floatsPerVertex_);
        for (const Attribute& attribute : attributes)
            for (int32_t k = 0; k < attribute.components; ++k)
                vertex[attribute.offset + k] = attribute.source[i * attribute.components + k];
    }
    for (size_t i = 0; i < static_cast<size_t>(indexCount_); ++i)
        indices_[i] = arrays_->indices()[i];
}
