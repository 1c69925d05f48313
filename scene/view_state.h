// The frame's changing values: viewport size, frame clock, the local date
// and time captured at the first frame, and one free 3-vector.  The frame
// loop and the render pass write it; drawables read it while they draw.
#pragma once

#include "scene/vector_math.h"

#include <cstdint>
#include <ctime>

// A local date and time as the calendar shows it.
struct CalendarTime {
    int32_t day;     // day of the month, 1 to 31
    int32_t month;   // 1 to 12
    int32_t year;    // the full year, such as 2019
    int32_t hour;    // 0 to 23
    int32_t minute;  // 0 to 59
    int32_t second;  // 0 to 60 (a leap second)
};

inline bool operator==(const CalendarTime& a, const CalendarTime& b)
{
    return a.day == b.day && a.month == b.month && a.year == b.year && a.hour == b.hour && a.minute == b.minute &&
           a.second == b.second;
}

inline bool operator!=(const CalendarTime& a, const CalendarTime& b)
{
    return !(a == b);
}

class ViewState {
public:
    // Sets the current and the start time to `time` and the scene vector to
    // (0, 0, 0).  Viewport and date fields stay unset until written.
    explicit ViewState(float time);

    void setViewport(float width, float height);
    void setSceneVector(const Vec3& v);
    void setStartTime(float seconds);
    void setCurrentTime(float seconds);

    // Reads the calendar clock and stores the local date and time.  Leaves
    // the stored values as they were when the clock cannot be converted.
    void captureDateTime();
    // Stores the local date and time of `now` (seconds since 1970-01-01 UTC);
    // leaves the stored values as they were when `now` has no local time.
    void captureDateTime(std::time_t now);
    // captureDateTime(), then copies the captured values into the start group.
    void captureStartDateTime();

    float currentTime() const { return currentTime_; }
    float viewportWidth() const { return viewportWidth_; }
    float viewportHeight() const { return viewportHeight_; }
    float startTime() const { return startTime_; }
    Vec3 sceneVector() const { return sceneVector_; }
    // The last captured local date and time, and the one copied at the first frame.
    const CalendarTime& dateTime() const { return dateTime_; }
    const CalendarTime& startDateTime() const { return startDateTime_; }

private:
    float viewportWidth_;
    float viewportHeight_;
    Vec3 sceneVector_;
    float startTime_;
    float currentTime_;
    CalendarTime dateTime_;
    CalendarTime startDateTime_;
};
