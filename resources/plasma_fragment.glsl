#version 130
// Quendral plasma: fragment stage.
// Four sine terms, two centred on wandering points, held constant over
// square cells, coloured through a triangular ramp, with dark seams
// between the cells and a vignette.  The picture depends only on the
// pixel position, the screen size and iTime.
in vec2 fs_tex;
uniform float iTime;
uniform float screenWidth;
uniform float screenHeight;
uniform sampler2D backgroundTexture;
uniform float backgroundTextureSize;
// renderMode: 0..1 render to texture, 1..2 render from texture,
// 2..3 render directly to the screen. This shader always draws directly.
uniform float renderMode;

float nsin(float a) { return (sin(a) + 1.0) / 2.0; }
float ncos(float a) { return (cos(a) + 1.0) / 2.0; }

float plasma_a(vec2 uv, float t, vec2 lbound, vec2 ubound)
{
    vec2 p1 = vec2(nsin(1.3 * t), nsin(1.9 * t));
    vec2 p2 = vec2(nsin(1.2 * t), nsin(2.2 * t));
    p1 = p1 * (ubound - lbound) + lbound;
    p2 = p2 * (ubound - lbound) + lbound;
    return (nsin(length(p1 - uv)) + nsin(length(p2 - uv))
          + nsin(uv.x / 3.0) + nsin(uv.y / 2.0)) / 4.0;
}

float tri_step(float lbound, float ubound, float val)
{
    float halfRange = (ubound - lbound) / 2.0;
    return clamp((halfRange - abs(val - lbound - halfRange)) / halfRange, 0.0, 1.0);
}

vec3 a_to_color(float a)
{
    float b = 1.0 - a;
    return vec3(tri_step(0.0, 0.75, b), tri_step(0.12, 0.95, b), tri_step(0.4, 1.0, b));
}

vec2 getuv_centerX(vec2 fragCoord, vec2 newTL, vec2 newSize, out float vignetteAmt)
{
    vec2 ret = vec2(fragCoord.x / screenWidth, (screenHeight - fragCoord.y) / screenHeight);
    vignetteAmt = 1.0 - distance(ret, vec2(0.5, 0.5));
    ret *= newSize;
    float aspect = screenWidth / screenHeight;
    ret.x *= aspect;
    float newWidth = newSize.x * aspect;
    return ret + vec2(newTL.x - (newWidth - newSize.x) / 2.0, newTL.y);
}

void main()
{
    vec2 lbound = vec2(0.0, 0.0);
    vec2 ubound = vec2(10.0, 10.0);
    float vignetteAmt;
    vec2 uv = getuv_centerX(gl_FragCoord.xy, vec2(0.0, 0.0), vec2(10.0, 10.0), vignetteAmt);
    float pixelSize = 0.025 * ubound.x;
    vec2 plasma_uv = floor(uv / pixelSize + 0.5) * pixelSize;
    float a = plasma_a(plasma_uv, iTime, lbound, ubound);
    vec4 color = vec4(a_to_color(a), 1.0);
    float pi2 = 3.14159 * 2.0;
    float pixelBorderFX = min(ncos(uv.x / pixelSize * pi2), ncos(uv.y / pixelSize * pi2));
    pixelBorderFX = pow(pixelBorderFX, 0.1);
    color.rgb *= pixelBorderFX;
    color.rgb *= (vignetteAmt + 0.1) * 2.0 - 0.3;
    gl_FragColor = vec4(clamp(color.rgb, 0.0, 1.0), 1.0);
}
//~
