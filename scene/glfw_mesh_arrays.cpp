#include "scene/glfw_mesh_arrays.h"

#include "objl/obj_loader.h"
#include "platform/platform.h"
#include "scene/vector_math.h"

#include <GLFW/glfw3.h>

#include <cstdlib>
#include <stdexcept>
#include <utility>

// ---------------------------------------------------------------------------
// Internal
// ---------------------------------------------------------------------------

namespace {

// The end of a model that cannot be used: the message, then the windowing
// library is shut down and the process leaves with code 0.
[[noreturn]] void endWithLoadFailure()
{
    platform::showMessageBox("Failed to load mesh", "Debug", platform::MessageIcon::Information);
    glfwTerminate();
    std::exit(0);
}

// Runs one load and hands back its meshes, or ends the process.  A number
// the loader cannot convert ends it the same way as a load that reports
// failure, rather than as an exception that nothing catches.
template <typename Load>
std::vector<objl::Mesh> loadMeshesOrEnd(Load load)
{
    objl::ObjLoader loader;
    bool loaded = false;
    try {
        loaded = load(loader);
    } catch (const std::invalid_argument&) {
        loaded = false;
    } catch (const std::out_of_range&) {
        loaded = false;
    }
    if (!loaded)
        endWithLoadFailure();
    return std::move(loader.meshes);
}

Vec3 vec3At(const float* array, uint32_t vertex)
{
    return Vec3(array[3 * vertex], array[3 * vertex + 1], array[3 * vertex + 2]);
}

void storeVec3(float* array, uint32_t vertex, const Vec3& value)
{
    for (int i = 0; i < 3; ++i)
        array[3 * vertex + i] = value[i];
}

}  // namespace

// ---------------------------------------------------------------------------
// Public
// ---------------------------------------------------------------------------

GLFWMeshArrays::GLFWMeshArrays(int objResourceId, int mtlResourceId, float scale)
    : GLFWMeshArrays(loadMeshesOrEnd([&](objl::ObjLoader& loader) {
                         return loader.loadModel(static_cast<uint16_t>(objResourceId),
                                                 static_cast<uint16_t>(mtlResourceId));
                     }),
                     scale)
{
}

GLFWMeshArrays::GLFWMeshArrays(const std::vector<objl::Mesh>& meshes, float scale) : scale_(scale)
{
    build(meshes);
}

std::unique_ptr<GLFWMeshArrays> GLFWMeshArrays::fromText(const std::string& objText, const std::string& mtlText,
                                                         float scale)
{
    return std::make_unique<GLFWMeshArrays>(
        loadMeshesOrEnd([&](objl::ObjLoader& loader) { return loader.loadModelText(objText, mtlText); }), scale);
}

// ---------------------------------------------------------------------------
// Conversion
// ---------------------------------------------------------------------------

void GLFWMeshArrays::build(const std::vector<objl::Mesh>& meshes)
{
    vertexCount_ = 0;
    indexCount_ = 0;
    for (const objl::Mesh& mesh : meshes) {
        vertexCount_ += static_cast<int32_t>(mesh.vertices.size());
        indexCount_ += static_cast<int32_t>(mesh.indices.size());
    }

    const size_t vertices = static_cast<size_t>(vertexCount_);
    positions_.reset(new float[3 * vertices]);
    texcoords_.reset(new float[2 * vertices]);
    normals_.reset(new float[3 * vertices]);
    // Zeroed: a vertex that no whole triangle touches keeps (0, 0, 0) rather
    // than whatever the allocation held.
    tangents_.reset(new float[3 * vertices]());
    bitangents_.reset(new float[3 * vertices]());
    ambient_.reset(new float[3 * vertices]);
    diffuse_.reset(new float[3 * vertices]);
    specular_.reset(new float[4 * vertices]);
    indices_.reset(new uint32_t[static_cast<size_t>(indexCount_)]);

    uint32_t vertexBase = 0;
    size_t indexBase = 0;
    for (const objl::Mesh& mesh : meshes) {
        const objl::Material& material = mesh.material;
        for (size_t j = 0; j < mesh.vertices.size(); ++j) {
            const objl::Vertex& vertex = mesh.vertices[j];
            const size_t k = vertexBase + j;
            const Vec3 n = normalize(Vec3(vertex.normal.x, vertex.normal.y, vertex.normal.z));
            const float position[3] = {vertex.position.x, vertex.position.y, vertex.position.z};
            for (int i = 0; i < 3; ++i) {
                positions_[3 * k + i] = position[i] * scale_;
                normals_[3 * k + i] = n[i];
            }
            texcoords_[2 * k] = vertex.texCoord.x;
            texcoords_[2 * k + 1] = vertex.texCoord.y;
            const float ka[3] = {material.Ka.x, material.Ka.y, material.Ka.z};
            const float kd[3] = {material.Kd.x, material.Kd.y, material.Kd.z};
            const float ks[3] = {material.Ks.x, material.Ks.y, material.Ks.z};
            for (int i = 0; i < 3; ++i) {
                ambient_[3 * k + i] = ka[i];
                diffuse_[3 * k + i] = kd[i];
                specular_[4 * k + i] = ks[i];
            }
            specular_[4 * k + 3] = material.Ns;
        }
        for (size_t i = 0; i < mesh.indices.size(); ++i)
            indices_[indexBase + i] = vertexBase + mesh.indices[i];
        vertexBase += static_cast<uint32_t>(mesh.vertices.size());
        indexBase += mesh.indices.size();
    }

    computeTangents();
}

// One tangent and bitangent per triangle, from its edges and texture
// coordinates; a vertex shared by several triangles keeps the values of the
// last one.  A trailing one or two indices that make no whole triangle, and
// a triangle with a corner beyond the vertex arrays, are passed over.
void GLFWMeshArrays::computeTangents()
{
    const uint32_t vertices = static_cast<uint32_t>(vertexCount_);
    for (int32_t t = 0; t + 2 < indexCount_; t += 3) {
        const uint32_t k[3] = {indices_[t], indices_[t + 1], indices_[t + 2]};
        if (k[0] >= vertices || k[1] >= vertices || k[2] >= vertices)
            continue;

        const Vec3 p0 = vec3At(positions_.get(), k[0]);
        const Vec3 p1 = vec3At(positions_.get(), k[1]);
        const Vec3 p2 = vec3At(positions_.get(), k[2]);
        const Vec2 u0(texcoords_[2 * k[0]], texcoords_[2 * k[0] + 1]);
        const Vec2 u1(texcoords_[2 * k[1]], texcoords_[2 * k[1] + 1]);
        const Vec2 u2(texcoords_[2 * k[2]], texcoords_[2 * k[2] + 1]);

        const Vec3 e1 = p1 - p0;
        const Vec3 e2 = p2 - p0;
        const Vec2 d1 = u1 - u0;
        const Vec2 d2 = u2 - u0;
        // Collinear texture coordinates make this 1 / 0: the corners then get
        // non-finite tangents, which nothing downstream checks.
        const float r = 1.0f / (d1[0] * d2[1] - d2[0] * d1[1]);

        Vec3 tangent;
        Vec3 bitangent;
        for (int i = 0; i < 3; ++i) {
            tangent[i] = (d2[1] * e1[i] - d1[1] * e2[i]) * r;
            bitangent[i] = (-d2[0] * e1[i] + d1[0] * e2[i]) * r;
        }
        tangent = normalize(tangent);
        bitangent = normalize(bitangent);

        for (uint32_t corner : k) {
            storeVec3(tangents_.get(), corner, tangent);
            storeVec3(bitangents_.get(), corner, bitangent);
        }
    }
}
