#include "FrameKeeper.h"

#include <gtest/gtest.h>

namespace {

using host::FrameKeeper;

TEST(FrameKeeper, TheFirstFrameIsShownAndAnUnchangedOneKept) {
    FrameKeeper frames;
    EXPECT_FALSE(frames.keep(7, false));
    frames.shown(7);
    EXPECT_TRUE(frames.keep(7, false));
    EXPECT_FALSE(frames.keep(8, false));
    frames.shown(8);
    EXPECT_EQ(frames.getStats().drawn, 2u);
    EXPECT_EQ(frames.getStats().kept, 1u);
}

// A frame that has to be shown, a lost window picture and a long still time each draw the same frame.
TEST(FrameKeeper, AnUnchangedFrameIsShownWhenItMustBeAndAfterALongStill) {
    FrameKeeper frames;
    frames.shown(7);
    EXPECT_FALSE(frames.keep(7, true));
    frames.redrawNext();
    EXPECT_FALSE(frames.keep(7, false));
    frames.shown(7);
    for (int i = 0; i < FrameKeeper::MaxFramesKept; ++i) {
        ASSERT_TRUE(frames.keep(7, false)) << "frame " << i;
    }
    EXPECT_FALSE(frames.keep(7, false));
    frames.shown(7);
    EXPECT_TRUE(frames.keep(7, false));
    EXPECT_EQ(frames.getStats().kept, uint64_t(FrameKeeper::MaxFramesKept) + 1);
}

}  // namespace
