#version 130
// A fragment shader that cannot compile: it reads an undeclared name.
void main()
{
    gl_FragColor = vec4(undeclaredColour, 1.0);
}
//~
