#include "tools/plasma_reference.h"

#include <algorithm>
#include <cmath>

namespace {

struct V2 {
    float x, y;
};

float nsin(float a) { return (std::sin(a) + 1.0f) / 2.0f; }
float ncos(float a) { return (std::cos(a) + 1.0f) / 2.0f; }

float lengthOf(V2 v) { return std::sqrt(v.x * v.x + v.y * v.y); }

float plasmaA(V2 uv, float t, V2 lbound, V2 ubound)
{
    V2 p1 = {nsin(1.3f * t), nsin(1.9f * t)};
    V2 p2 = {nsin(1.2f * t), nsin(2.2f * t)};
    p1 = {p1.x * (ubound.x - lbound.x) + lbound.x, p1.y * (ubound.y - lbound.y) + lbound.y};
    p2 = {p2.x * (ubound.x - lbound.x) + lbound.x, p2.y * (ubound.y - lbound.y) + lbound.y};
    return (nsin(lengthOf({p1.x - uv.x, p1.y - uv.y})) + nsin(lengthOf({p2.x - uv.x, p2.y - uv.y}))
            + nsin(uv.x / 3.0f) + nsin(uv.y / 2.0f)) / 4.0f;
}

float triStep(float lbound, float ubound, float val)
{
    const float halfRange = (ubound - lbound) / 2.0f;
    return std::clamp((halfRange - std::fabs(val - lbound - halfRange)) / halfRange, 0.0f, 1.0f);
}

struct Uv {
    V2 uv;
    float vignetteAmt;
};

Uv uvCenterX(float fragX, float fragY, float screenWidth, float screenHeight)
{
    const V2 newTL = {0.0f, 0.0f};
    const V2 newSize = {10.0f, 10.0f};
    V2 ret = {fragX / screenWidth, (screenHeight - fragY) / screenHeight};
    const float vignetteAmt = 1.0f - lengthOf({ret.x - 0.5f, ret.y - 0.5f});
    ret = {ret.x * newSize.x, ret.y * newSize.y};
    const float aspect = screenWidth / screenHeight;
    ret.x *= aspect;
    const float newWidth = newSize.x * aspect;
    return {{ret.x + (newTL.x - (newWidth - newSize.x) / 2.0f), ret.y + newTL.y}, vignetteAmt};
}

constexpr float kPixelSize = 0.025f * 10.0f;

}  // namespace

float plasmaValue(float fragX, float fragY, float screenWidth, float screenHeight, float iTime)
{
    const V2 uv = uvCenterX(fragX, fragY, screenWidth, screenHeight).uv;
    const V2 plasmaUv = {std::floor(uv.x / kPixelSize + 0.5f) * kPixelSize,
                         std::floor(uv.y / kPixelSize + 0.5f) * kPixelSize};
    return plasmaA(plasmaUv, iTime, {0.0f, 0.0f}, {10.0f, 10.0f});
}

PlasmaColor plasmaColor(float fragX, float fragY, float screenWidth, float screenHeight, float iTime)
{
    const Uv at = uvCenterX(fragX, fragY, screenWidth, screenHeight);
    const float a = plasmaValue(fragX, fragY, screenWidth, screenHeight, iTime);
    const float b = 1.0f - a;
    PlasmaColor color = {triStep(0.0f, 0.75f, b), triStep(0.12f, 0.95f, b), triStep(0.4f, 1.0f, b)};

    const float pi2 = 3.14159f * 2.0f;
    float border = std::min(ncos(at.uv.x / kPixelSize * pi2), ncos(at.uv.y / kPixelSize * pi2));
    border = std::pow(border, 0.1f);
    const float vignette = (at.vignetteAmt + 0.1f) * 2.0f - 0.3f;
    color.r = std::clamp(color.r * border * vignette, 0.0f, 1.0f);
    color.g = std::clamp(color.g * border * vignette, 0.0f, 1.0f);
    color.b = std::clamp(color.b * border * vignette, 0.0f, 1.0f);
    return color;
}

bool nearCellSeam(float fragX, float fragY, float screenWidth, float screenHeight, float pixels)
{
    const V2 uv = uvCenterX(fragX, fragY, screenWidth, screenHeight).uv;
    const float uvPerPixel = 10.0f / screenHeight;
    // Seams lie where uv / pixelSize is half-way between two integers.
    auto distanceToSeam = [](float u) {
        const float cells = u / kPixelSize;
        const float fraction = cells - std::floor(cells);
        return std::fabs(fraction - 0.5f) * kPixelSize;
    };
    const float limit = pixels * uvPerPixel;
    return distanceToSeam(uv.x) < limit || distanceToSeam(uv.y) < limit;
}
