#include <gtest/gtest.h>
#include <ventrel/system/FrameClock.h>

namespace {

using ventrel::system::FrameClock;

TEST(FrameClock, StepsAreClampedAndTheFirstFrameTakesNoTime) {
    EXPECT_FLOAT_EQ(FrameClock::clamp(0.5f), 0.1f);
    EXPECT_EQ(FrameClock::clamp(-1.0f), 0.0f);
    EXPECT_FLOAT_EQ(FrameClock::clamp(0.016f), 0.016f);

    FrameClock clock;
    clock.begin(0.05f);
    EXPECT_EQ(clock.getStep(), 0.0f);
    clock.tick();
    clock.begin(0.05f);
    clock.tick();
    EXPECT_FLOAT_EQ(clock.getTime(), 0.05f);
    EXPECT_EQ(clock.getFrameCount(), 2);

    clock.setLoadingStep(1.0f);
    EXPECT_FLOAT_EQ(clock.getStep(), 0.2f);
    clock.setLoadingStep(-1.0f);
    EXPECT_EQ(clock.getStep(), 0.0f);
}

// The frame that set a scene up and the one after it add no time, so the scene starts at rest.
TEST(FrameClock, AHeldFrameAndTheNextAddNoTime) {
    FrameClock clock;
    clock.begin(0.05f);
    clock.begin(0.05f);
    clock.tick();
    clock.hold();
    EXPECT_EQ(clock.getStep(), 0.0f);
    clock.begin(0.08f);
    clock.tick();
    EXPECT_FLOAT_EQ(clock.getTime(), 0.05f);
    clock.begin(0.08f);
    clock.tick();
    EXPECT_FLOAT_EQ(clock.getTime(), 0.13f);
    EXPECT_EQ(clock.getFrameCount(), 3);
}

}  // namespace
