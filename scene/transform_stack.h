// The camera: eye position, look-at point and three direction vectors, five
// view-matrix slots with the index of the current one, and the projection.
// The render pass writes it each frame; drawables read view() and
// projection() while they draw.
#pragma once

#include "scene/vector_math.h"

#include <cstdint>

class TransformStack {
public:
    static constexpr int kViewSlots = 5;

    // A camera at (x, y, z) looking along -z with +y up and +x right.  The
    // view slots and the projection stay unset until written.
    TransformStack(float x, float y, float z);

    // Turns forward and up about the right-hand direction by `degrees`
    // (positive tilts the view upwards).  No view slot is recomputed: follow
    // with updateView.  The vectors are not renormalised.
    void pitch(float degrees);
    // Stores lookAt(eye, center, up) in `slot` and makes it current.  The slot
    // must lie in 0 to kViewSlots - 1; it is not checked.
    void updateView(int slot);
    void setProjection(const Mat4& m);
    // Makes `slot` current without recomputing it; unchecked like updateView.
    void setCurrent(int slot);

    Mat4 projection() const { return projection_; }
    // A copy of the current view slot as it was last written.
    Mat4 view() const { return views_[current_]; }

    int32_t current() const { return current_; }
    Vec3 eye() const { return eye_; }
    Vec3 center() const { return center_; }
    Vec3 forward() const { return forward_; }
    Vec3 right() const { return right_; }
    Vec3 up() const { return up_; }

private:
    Mat4 views_[kViewSlots];
    int32_t current_;
    Vec3 eye_;
    Vec3 center_;
    Vec3 forward_;
    Vec3 right_;
    Vec3 up_;
    Mat4 projection_;
};
