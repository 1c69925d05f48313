#version 130
uniform float iTime;
void main()
{
    gl_FragColor = vec4(iTime, 0.0, 0.0 1.0);
}
//~
