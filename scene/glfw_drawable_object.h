// The base of everything the scene draws: a model from TEXTFILE resources in
// its own OpenGL buffers, drawn with a shader program known by name to the
// ShaderRegistry, from the shared view state and camera.
//
// draw() fixes the protocol: make the program current, prepare(), the three
// matrix uniforms, setUniforms(), bind the buffers, one indexed draw.  A
// subclass says which attributes its program reads (bindAttributes), which
// uniforms it sets each frame (setUniforms) and what it prepares.
#pragma once

#include "gl/gl_api.h"
#include "scene/vector_math.h"

#include <memory>

class GLFWMeshData;
class GLFWVertexBuffer;
class ShaderRegistry;
class TransformStack;
class ViewState;

class GLFWDrawableObject {
public:
    // Loads the OBJ model with its MTL library, interleaves it (a model that
    // does not load ends the process) and names the two buffers; no data
    // reaches OpenGL until load().  `programName` is kept, not copied: pass
    // a string that outlives the drawable.  Needs a current context.
    GLFWDrawableObject(ViewState* viewState, TransformStack* transformStack, ShaderRegistry* registry,
                       const char* programName, int objResourceId, int mtlResourceId, float scale);

    GLFWDrawableObject(const GLFWDrawableObject&) = delete;
    GLFWDrawableObject& operator=(const GLFWDrawableObject&) = delete;

    // Registers the attributes with the vertex buffer, then uploads both
    // arrays.  Call once, before the first draw(); the program must be
    // registered by then.
    void load();
    // The model matrix of the next draws; the identity until set.
    void setModel(const Mat4& m);
    // Draws the object with the view state and camera as they stand now.
    void draw();
    // Sends "model_world" (model), "world_projection" (P·V) and
    // "model_projection" (P·V·model) to the current program.
    void setMatrixUniforms();

    // Registers the program's vertex attributes with the vertex buffer.
    virtual void bindAttributes() = 0;
    // Sets the subclass's own uniforms of the frame, after the matrices.
    virtual void setUniforms() = 0;
    // Runs after the program is made current, before the matrices.
    virtual void prepare() = 0;

    // Frees the mesh data and deletes the buffers.  The program never
    // destroys a drawable; virtual so that a subclass is freed whole.
    virtual ~GLFWDrawableObject();

protected:
    // The location of `name` in this drawable's program, through the
    // registry's cache; -1 when the program is not registered.
    GLint uniformLocation(const char* name) const;

    // What the subclass hooks work with.
    ViewState* viewState() const { return viewState_; }
    const GLFWMeshData& meshData() const { return *meshData_; }
    GLFWVertexBuffer& vertexBuffer() const { return *vertexBuffer_; }
    const char* programName() const { return programName_; }

private:
    ViewState* viewState_;
    ShaderRegistry* registry_;
    std::unique_ptr<GLFWMeshData> meshData_;
    std::unique_ptr<GLFWVertexBuffer> vertexBuffer_;
    TransformStack* transformStack_;
    const char* programName_;
    Mat4 model_;
};
