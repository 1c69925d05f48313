#include "scene/transform_stack.h"
#include "scene/view_state.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <limits>

namespace {

void expectVec3Near(const Vec3& actual, float x, float y, float z, float tolerance = 1e-6f)
{
    EXPECT_NEAR(actual[0], x, tolerance);
    EXPECT_NEAR(actual[1], y, tolerance);
    EXPECT_NEAR(actual[2], z, tolerance);
}

void expectSameMatrix(const Mat4& actual, const Mat4& expected)
{
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(valuePtr(actual)[i], valuePtr(expected)[i]) << "float index " << i;
}

// The calendar time of a local date and time, found with mktime so that the
// test holds in every time zone.
std::time_t localTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm t{};
    t.tm_year = year - 1900;
    t.tm_mon = month - 1;
    t.tm_mday = day;
    t.tm_hour = hour;
    t.tm_min = minute;
    t.tm_sec = second;
    t.tm_isdst = -1;
    return std::mktime(&t);
}

}  // namespace

// ---------------------------------------------------------------------------
// TransformStack
// ---------------------------------------------------------------------------

TEST(TransformStack, ConstructionLooksAlongMinusZ)
{
    const TransformStack camera(0, 0, 100);
    EXPECT_EQ(camera.current(), 0);
    expectVec3Near(camera.eye(), 0, 0, 100, 0);
    expectVec3Near(camera.center(), 0, 0, 99, 0);
    expectVec3Near(camera.forward(), 0, 0, -1, 0);
    expectVec3Near(camera.right(), 1, 0, 0, 0);
    expectVec3Near(camera.up(), 0, 1, 0, 0);
}

TEST(TransformStack, PitchTurnsForwardAndUpAboutRight)
{
    struct Case {
        float degrees;
        Vec3 forward, up, center;
    };
    const Case cases[] = {
        {1, Vec3(0, 0.0174524f, -0.9998477f), Vec3(0, 0.9998477f, 0.0174524f), Vec3(0, 0.0174524f, 99.00015f)},
        {90, Vec3(0, 1, 0), Vec3(0, 0, 1), Vec3(0, 1, 100)},
        {-30, Vec3(0, -0.5f, -0.8660254f), Vec3(0, 0.8660254f, -0.5f), Vec3(0, -0.5f, 99.1339746f)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.degrees);
        TransformStack camera(0, 0, 100);
        camera.pitch(c.degrees);
        expectVec3Near(camera.forward(), c.forward[0], c.forward[1], c.forward[2]);
        expectVec3Near(camera.up(), c.up[0], c.up[1], c.up[2]);
        expectVec3Near(camera.center(), c.center[0], c.center[1], c.center[2], 1e-5f);
        expectVec3Near(camera.right(), 1, 0, 0, 0);
    }
}

TEST(TransformStack, PitchUsesSinglePrecisionSineAndCosine)
{
    TransformStack camera(0, 0, 100);
    camera.pitch(1);
    const float a = 1.0f * 0.017453292f;
    EXPECT_EQ(camera.forward()[1], std::sin(a));
    EXPECT_EQ(camera.forward()[2], -std::cos(a));
    EXPECT_EQ(camera.up()[1], std::cos(a));
    EXPECT_EQ(camera.up()[2], std::sin(a));
}

TEST(TransformStack, UpdateViewWithoutPitchStoresTheEyeTranslation)
{
    TransformStack camera(0, 0, 100);
    camera.updateView(0);
    EXPECT_EQ(camera.current(), 0);
    expectSameMatrix(camera.view(), translate(0, 0, -100));
}

TEST(TransformStack, SetCurrentSelectsASlotAsItWasLastWritten)
{
    TransformStack camera(0, 0, 100);
    camera.updateView(0);
    camera.pitch(30);
    camera.updateView(3);
    EXPECT_EQ(camera.current(), 3);
    const Mat4 pitched = camera.view();
    EXPECT_NE(valuePtr(pitched)[6], 0.0f) << "the pitched view tilts the y axis";

    camera.setCurrent(0);
    EXPECT_EQ(camera.current(), 0);
    expectSameMatrix(camera.view(), translate(0, 0, -100));

    camera.pitch(10);  // moves the camera but recomputes no slot
    camera.setCurrent(3);
    expectSameMatrix(camera.view(), pitched);
}

TEST(TransformStack, ProjectionIsStoredAndReturnedAsACopy)
{
    TransformStack camera(1, 2, 3);
    const Mat4 p = perspective(60, 1.5f, 0.1f, 100);
    camera.setProjection(p);
    Mat4 copy = camera.projection();
    expectSameMatrix(copy, p);
    copy[0][0] = 42.0f;
    expectSameMatrix(camera.projection(), p);
}

// ---------------------------------------------------------------------------
// ViewState
// ---------------------------------------------------------------------------

TEST(ViewState, ConstructionSetsBothTimesAndAZeroSceneVector)
{
    for (float time : {0.0f, 2.5f}) {
        const ViewState state(time);
        EXPECT_EQ(state.startTime(), time);
        EXPECT_EQ(state.currentTime(), time);
        expectVec3Near(state.sceneVector(), 0, 0, 0, 0);
    }
}

TEST(ViewState, SettersStoreTheirValues)
{
    ViewState state(0);
    state.setViewport(1920, 1080);
    state.setSceneVector(Vec3(1, -2, 3));
    state.setStartTime(4.25f);
    state.setCurrentTime(7.5f);
    EXPECT_EQ(state.viewportWidth(), 1920.0f);
    EXPECT_EQ(state.viewportHeight(), 1080.0f);
    expectVec3Near(state.sceneVector(), 1, -2, 3, 0);
    EXPECT_EQ(state.startTime(), 4.25f);
    EXPECT_EQ(state.currentTime(), 7.5f);
}

TEST(ViewState, CaptureStoresTheLocalCalendarFields)
{
    struct Case {
        int year, month, day, hour, minute, second;
    };
    const Case cases[] = {{2019, 12, 31, 23, 59, 59}, {2024, 2, 29, 0, 0, 0}, {1999, 1, 1, 12, 30, 5}};
    for (const Case& c : cases) {
        ViewState state(0);
        state.captureDateTime(localTime(c.year, c.month, c.day, c.hour, c.minute, c.second));
        const CalendarTime expected{c.day, c.month, c.year, c.hour, c.minute, c.second};
        const CalendarTime& got = state.dateTime();
        EXPECT_EQ(got, expected) << got.year << "-" << got.month << "-" << got.day << " " << got.hour << ":"
                                 << got.minute << ":" << got.second;
    }
}

TEST(ViewState, StartCaptureCopiesAndALaterCaptureChangesOnlyTheCurrentGroup)
{
    ViewState state(0);
    state.captureStartDateTime();
    const CalendarTime start = state.startDateTime();
    EXPECT_EQ(state.dateTime(), start);
    EXPECT_GE(start.year, 2000) << "the full year, not years since 1900";
    EXPECT_GE(start.month, 1);
    EXPECT_LE(start.month, 12);

    const CalendarTime later{31, 12, 2099, 23, 59, 59};
    state.captureDateTime(localTime(2099, 12, 31, 23, 59, 59));
    EXPECT_EQ(state.dateTime(), later);
    EXPECT_EQ(state.startDateTime(), start);
}

TEST(ViewState, ATimeWithoutALocalDateKeepsThePreviousCapture)
{
    ViewState state(0);
    const CalendarTime captured{31, 12, 2019, 23, 59, 59};
    state.captureDateTime(localTime(2019, 12, 31, 23, 59, 59));
    state.captureDateTime(std::numeric_limits<std::time_t>::max());
    EXPECT_EQ(state.dateTime(), captured);
}
