#include "scene/transform_stack.h"

#include <cmath>

TransformStack::TransformStack(float x, float y, float z)
{
    current_ = 0;
    eye_ = Vec3(x, y, z);
    forward_ = Vec3(0, 0, -1);
    right_ = Vec3(1, 0, 0);
    up_ = Vec3(0, 1, 0);
    center_ = eye_ + forward_;
}

void TransformStack::pitch(float degrees)
{
    const float a = radians(degrees);
    const float sa = std::sin(a);
    const float ca = std::cos(a);
    forward_ = (forward_ * ca) + (up_ * sa);
    up_ = cross(right_, forward_);
    center_ = eye_ + forward_;
}

void TransformStack::updateView(int slot)
{
    views_[slot] = lookAt(eye_, center_, up_);
    current_ = slot;
}

void TransformStack::setProjection(const Mat4& m)
{
    projection_ = m;
}

void TransformStack::setCurrent(int slot)
{
    current_ = slot;
}
