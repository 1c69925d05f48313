#include "scene/view_state.h"

ViewState::ViewState(float time)
{
    currentTime_ = time;
    startTime_ = time;
    sceneVector_ = Vec3(0, 0, 0);
}

void ViewState::setViewport(float width, float height)
{
    viewportWidth_ = width;
    viewportHeight_ = height;
}

void ViewState::setSceneVector(const Vec3& v)
{
    sceneVector_ = v;
}

void ViewState::setStartTime(float seconds)
{
    startTime_ = seconds;
}

void ViewState::setCurrentTime(float seconds)
{
    currentTime_ = seconds;
}

void ViewState::captureDateTime()
{
    captureDateTime(std::time(nullptr));
}

void ViewState::captureDateTime(std::time_t now)
{
    // The program has a single thread, so localtime's shared result is safe.
    // It is null for a time the calendar cannot express; keeping the previous
    // capture then is better than a crash.
    const std::tm* local = std::localtime(&now);
    if (local == nullptr)
        return;
    dateTime_.day = local->tm_mday;
    dateTime_.month = local->tm_mon + 1;
    dateTime_.year = local->tm_year + 1900;
    dateTime_.hour = local->tm_hour;
    dateTime_.minute = local->tm_min;
    dateTime_.second = local->tm_sec;
}

void ViewState::captureStartDateTime()
{
    captureDateTime();
    startDateTime_ = dateTime_;
}
