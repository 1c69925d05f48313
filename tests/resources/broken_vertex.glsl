#version 110
// A vertex shader that cannot compile: the statement lacks its semicolon.
attribute vec4 position;

void main()
{
    gl_Position = position
}
//~
