#include "scene/glfw_drawable_sky.h"

#include "scene/glfw_mesh_data.h"
#include "scene/glfw_vertex_buffer.h"
#include "scene/view_state.h"

void GLFWDrawableSky::bindAttributes()
{
    const GLFWMeshData& mesh = meshData();
    vertexBuffer().addAttribute(programName(), "position", 3, mesh.positionOffset());
    vertexBuffer().addAttribute(programName(), "position_tex", 2, mesh.texcoordOffset());
    vertexBuffer().addAttribute(programName(), "position_normal", 3, mesh.normalOffset());
}

void GLFWDrawableSky::setUniforms()
{
    // The timer's absolute reading, not the time since the first frame.
    glUniform1f(uniformLocation("iTime"), viewState()->currentTime());
    glUniform1f(uniformLocation("viewportWidth"), viewState()->viewportWidth());
    glUniform1f(uniformLocation("viewportHeight"), viewState()->viewportHeight());
}
