#include "scene/glfw_drawable_object.h"

#include "render/glfw_program.h"
#include "render/shader_registry.h"
#include "scene/glfw_mesh_data.h"
#include "scene/glfw_vertex_buffer.h"
#include "scene/transform_stack.h"

GLFWDrawableObject::GLFWDrawableObject(ViewState* viewState, TransformStack* transformStack,
                                       ShaderRegistry* registry, const char* programName, int objResourceId,
                                       int mtlResourceId, float scale)
    : viewState_(viewState),
      registry_(registry),
      meshData_(new GLFWMeshData(objResourceId, mtlResourceId, scale)),
      vertexBuffer_(new GLFWVertexBuffer(registry)),
      transformStack_(transformStack),
      programName_(programName),
      model_(translate(0, 0, 0))
{
    vertexBuffer_->setVertexData(meshData_->vertexBytes(), meshData_->vertexData(), meshData_->floatsPerVertex());
    vertexBuffer_->setIndexData(meshData_->indexBytes(), meshData_->indexData(), meshData_->indexCount());
}

GLFWDrawableObject::~GLFWDrawableObject() = default;

void GLFWDrawableObject::load()
{
    bindAttributes();
    vertexBuffer_->upload();
}

void GLFWDrawableObject::setModel(const Mat4& m)
{
    model_ = m;
}

void GLFWDrawableObject::draw()
{
    registry_->useProgram(programName_);
    prepare();
    setMatrixUniforms();
    setUniforms();
    vertexBuffer_->activate();
    glDrawElements(GL_TRIANGLES, vertexBuffer_->indexCount(), GL_UNSIGNED_INT, nullptr);
}

void GLFWDrawableObject::setMatrixUniforms()
{
    const Mat4 view = transformStack_->view();
    const Mat4 projection = transformStack_->projection();
    const Mat4 projectionView = projection * view;
    const Mat4 projectionViewModel = projectionView * model_;

    glUniformMatrix4fv(uniformLocation("model_world"), 1, GL_FALSE, valuePtr(model_));
    glUniformMatrix4fv(uniformLocation("world_projection"), 1, GL_FALSE, valuePtr(projectionView));
    glUniformMatrix4fv(uniformLocation("model_projection"), 1, GL_FALSE, valuePtr(projectionViewModel));
}

GLint GLFWDrawableObject::uniformLocation(const char* name) const
{
    GLFWProgram* program = registry_->program(programName_);
    return program ? program->uniformLocation(name) : -1;
}
