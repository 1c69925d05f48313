#version 110
// Quendral plasma: the full-screen rectangle passes through as it stands.
attribute vec4 position;
attribute vec2 position_tex;
attribute vec3 position_normal;
varying vec2 fs_tex;
uniform mat4 model_world;
uniform mat4 world_projection;
uniform mat4 model_projection;

void main()
{
    fs_tex = position_tex;
    gl_Position = position;
}
//~
