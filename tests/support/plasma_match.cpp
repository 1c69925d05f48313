#include "support/plasma_match.h"

#include "tools/plasma_reference.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace {

bool differs(const unsigned char* got, const PlasmaColor& want, float tolerance)
{
    return std::fabs(got[0] / 255.0f - want.r) > tolerance || std::fabs(got[1] / 255.0f - want.g) > tolerance ||
           std::fabs(got[2] / 255.0f - want.b) > tolerance;
}

float sampleError(const ScreenPicture& picture, const std::vector<std::pair<int, int>>& samples, float t)
{
    const float w = static_cast<float>(picture.width);
    const float h = static_cast<float>(picture.height);
    float error = 0;
    for (const auto& [x, row] : samples) {
        const PlasmaColor want = plasmaColor(x + 0.5f, h - row - 0.5f, w, h, t);
        const unsigned char* got = picture.at(x, row);
        error += std::fabs(got[0] / 255.0f - want.r) + std::fabs(got[1] / 255.0f - want.g) +
                 std::fabs(got[2] / 255.0f - want.b);
    }
    return error;
}

}  // namespace

float fitFrameTime(const ScreenPicture& picture)
{
    const float w = static_cast<float>(picture.width);
    const float h = static_cast<float>(picture.height);
    // Candidates on a grid of about 100 x 60 points, away from the seams by
    // two pixels, or by one where the cells are too small for that (a
    // preview); then about 500 of them, evenly spread.
    const int step = std::max(1, std::min(picture.width / 100, picture.height / 60));
    std::vector<std::pair<int, int>> samples;
    for (float margin : {2.0f, 1.0f}) {
        samples.clear();
        for (int row = step / 2; row < picture.height; row += step) {
            for (int x = step / 2; x < picture.width; x += step) {
                if (!nearCellSeam(x + 0.5f, h - row - 0.5f, w, h, margin))
                    samples.emplace_back(x, row);
            }
        }
        if (samples.size() >= 200)
            break;
    }
    const size_t stride = std::max<size_t>(1, samples.size() / 500);
    std::vector<std::pair<int, int>> spread;
    for (size_t i = 0; i < samples.size(); i += stride)
        spread.push_back(samples[i]);
    samples.swap(spread);

    float best = 0;
    float bestError = 1e30f;
    for (float t = 0; t < 60.0f; t += 0.002f) {
        const float error = sampleError(picture, samples, t);
        if (error < bestError) {
            bestError = error;
            best = t;
        }
    }
    const float coarse = best;
    for (float t = coarse - 0.003f; t < coarse + 0.003f; t += 0.00002f) {
        const float error = sampleError(picture, samples, t);
        if (error < bestError) {
            bestError = error;
            best = t;
        }
    }
    return best;
}

long countWrongPixels(const ScreenPicture& picture, float t, float tolerance, long* compared)
{
    const float w = static_cast<float>(picture.width);
    const float h = static_cast<float>(picture.height);
    long wrong = 0;
    *compared = 0;
    for (int row = 0; row < picture.height; ++row) {
        for (int x = 0; x < picture.width; ++x) {
            if (nearCellSeam(x + 0.5f, h - row - 0.5f, w, h, 1.0f))
                continue;
            ++*compared;
            if (differs(picture.at(x, row), plasmaColor(x + 0.5f, h - row - 0.5f, w, h, t), tolerance))
                ++wrong;
        }
    }
    return wrong;
}
