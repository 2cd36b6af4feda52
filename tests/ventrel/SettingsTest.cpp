#include <gtest/gtest.h>
#include <ventrel/system/NumericSetting.h>
#include <ventrel/system/OptionSetting.h>
#include <ventrel/system/ProgressSetting.h>
#include <ventrel/system/ToggleSetting.h>

using namespace ventrel::system;

TEST(Settings, NumericAndProgressStopAtTheirLimits) {
    NumericSetting numeric;
    numeric.value = 98;
    numeric.increase();
    EXPECT_EQ(numeric.value, 100);
    numeric.value = 3;
    numeric.decrease();
    EXPECT_EQ(numeric.value, 0);

    ProgressSetting progress;
    progress.value = 0.97f;
    progress.increase();
    EXPECT_EQ(progress.value, 1.0f);
    progress.value = 0.03f;
    progress.decrease();
    EXPECT_EQ(progress.value, 0.0f);

    ToggleSetting toggle;
    toggle.change();
    EXPECT_FALSE(toggle.value);
}

TEST(Settings, OptionsWrapAndUnknownValuesStepFromBeforeTheFirst) {
    SpecialSetting option;
    option.options = {"a", "b", "c"};
    option.value = "c";
    option.increase();
    EXPECT_EQ(option.value, "a");
    option.decrease();
    EXPECT_EQ(option.value, "c");
    option.value = "x";
    option.increase();
    EXPECT_EQ(option.value, "a");
    option.value = "x";
    option.decrease();
    EXPECT_EQ(option.value, "b");

    OptionSetting empty;
    empty.value = "kept";
    empty.increase();
    EXPECT_EQ(empty.value, "kept");
}
