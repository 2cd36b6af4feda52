#include <gtest/gtest.h>
#include <kit/Env.h>
#include <kit/Format.h>
#include <kit/Log.h>
#include <kit/Random.h>
#include <kit/Thread.h>

#include <set>

TEST(Format, FormatsLikePrintfAtAnyLength) {
    EXPECT_EQ(kit::format("%02d:%02d", 5, 7), "05:07");
    EXPECT_EQ(kit::format("[c=%s]%d[/c]", "FF0000", 3), "[c=FF0000]3[/c]");
    EXPECT_EQ(kit::format("%s", kit::String(5000, 'x').c_str()).size(), 5000u);
    EXPECT_EQ(kit::format("%s", ""), "");
}

TEST(Random, StaysInRangeReachesEveryValueAndRepeatsFromASeed) {
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        int value = kit::random(3, 7);
        ASSERT_GE(value, 3);
        ASSERT_LT(value, 7);
        seen.insert(value);
    }
    EXPECT_EQ(seen.size(), 4u);
    EXPECT_EQ(kit::random(5, 5), 5);
    EXPECT_EQ(kit::random(5, 6), 5);

    kit::seedRandom(42);
    std::vector<int> first;
    for (int i = 0; i < 10; ++i)
        first.push_back(kit::random(0, 1000));
    kit::seedRandom(42);
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(kit::random(0, 1000), first[i]);
    EXPECT_THROW(kit::randomElement(kit::Array<int>{}), std::out_of_range);
}

TEST(Log, ListenersSeeLinesAndFileStartsAfresh) {
    std::vector<std::string> lines;
    int id =
        kit::Log::addListener([&](kit::Log::Level level, const kit::String& tag, const kit::String& text) {
            lines.push_back(std::string(kit::Log::levelName(level)) + " " + tag + " " + text);
        });
    kit::Log::setConsoleEnabled(false);
    std::string path = "/tmp/kit_log_test_" + std::to_string(::getpid()) + ".txt";
    ASSERT_TRUE(kit::Log::setFilename(path));
    kit::Log::warn("ventrel", "first");
    ASSERT_TRUE(kit::Log::setFilename(path));
    kit::Log::error("swiggard", "second");
    kit::Log::finalize(false);
    kit::Log::removeListener(id);
    kit::Log::debug("ventrel", "unheard");
    EXPECT_EQ(lines, (std::vector<std::string>{"WARN ventrel first", "ERROR swiggard second"}));
    FILE* f = std::fopen(path.c_str(), "r");
    ASSERT_NE(f, nullptr);
    char buffer[256] = {};
    size_t n = std::fread(buffer, 1, sizeof(buffer) - 1, f);
    std::fclose(f);
    std::remove(path.c_str());
    std::string content(buffer, n);
    EXPECT_EQ(content.find("first"), std::string::npos);
    EXPECT_NE(content.find("[swiggard] ERROR: second"), std::string::npos);
    kit::Log::setConsoleEnabled(true);
}

TEST(Thread, RunsItsFunctionOncePerStart) {
    std::atomic<int> runs{0};
    kit::Thread thread([&](kit::Thread*) { ++runs; }, "worker");
    EXPECT_TRUE(thread.start());
    thread.join();
    EXPECT_TRUE(thread.start());
    thread.join();
    EXPECT_EQ(runs, 2);
    EXPECT_FALSE(thread.isRunning());
}

TEST(Env, SetsReadsAndUnsets) {
    kit::setEnv("KIT_TEST_VARIABLE", "value");
    EXPECT_EQ(kit::getEnv("KIT_TEST_VARIABLE"), "value");
    kit::unsetEnv("KIT_TEST_VARIABLE");
    EXPECT_FALSE(kit::hasEnv("KIT_TEST_VARIABLE"));
    EXPECT_EQ(kit::getEnv("KIT_TEST_VARIABLE"), "");
}
