#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

#include "host/Host.h"
#include "host/TestDriver.h"
#include "kit/Dir.h"
#include "kit/Env.h"
#include "kit/File.h"
#include "kit/Format.h"

namespace {

// A private runtime folder for the lock files of one test.
class LockTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = kit::Dir::joinPath(kit::Dir::getTemporaryPath(), kit::format("host_lock_%d", int(getpid())));
        ASSERT_TRUE(kit::Dir::create(folder));
        previous = kit::getEnv("XDG_RUNTIME_DIR");
        kit::setEnv("XDG_RUNTIME_DIR", folder);
    }
    void TearDown() override {
        host::unlockSingleInstance();
        kit::setEnv("XDG_RUNTIME_DIR", previous);
        kit::Dir::remove(folder);
    }
    kit::String folder;
    kit::String previous;
};

// Runs the function in a child process and returns its exit code.
template <class F>
pid_t spawn(F function) {
    pid_t pid = fork();
    if (pid == 0) {
        _exit(function());
    }
    return pid;
}

int waitExit(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST_F(LockTest, ASecondProcessIsRefusedWhileTheFirstHoldsTheLock) {
    int ready[2];
    int release[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(release), 0);
    pid_t holder = spawn([&] {
        bool locked = host::lockSingleInstance("swiggard", "/first/program");
        char c = locked ? 'L' : 'F';
        if (write(ready[1], &c, 1) != 1) {
            return 3;
        }
        if (read(release[0], &c, 1) != 1) {
            return 4;
        }
        return locked ? 0 : 2;
    });
    ASSERT_GT(holder, 0);
    char answer = 0;
    ASSERT_EQ(read(ready[0], &answer, 1), 1);
    ASSERT_EQ(answer, 'L');

    EXPECT_FALSE(host::lockSingleInstance("swiggard", "/second/program"));
    EXPECT_TRUE(kit::File::exists(kit::Dir::joinPath(folder, "swiggard.lock")));
    EXPECT_NE(kit::File::readText(kit::Dir::joinPath(folder, "swiggard.lock")).find("/first/program"),
              kit::String::npos);
    // Another name is another lock.
    EXPECT_TRUE(host::lockSingleInstance("other", "/second/program"));
    host::unlockSingleInstance();

    char go = 'G';
    ASSERT_EQ(write(release[1], &go, 1), 1);
    EXPECT_EQ(waitExit(holder), 0);
    // The holder has ended: the lock is free.
    EXPECT_TRUE(host::lockSingleInstance("swiggard", "/second/program"));
    EXPECT_TRUE(host::lockSingleInstance("swiggard", "/second/program"));  // held already: true again

    // Now this process holds it: a child (another process) is refused.
    pid_t second = spawn([] { return host::lockSingleInstance("swiggard", "/third/program") ? 0 : 1; });
    EXPECT_EQ(waitExit(second), 1);

    host::unlockSingleInstance();
    pid_t third = spawn([] { return host::lockSingleInstance("swiggard", "/third/program") ? 0 : 1; });
    EXPECT_EQ(waitExit(third), 0);
    for (int fd : {ready[0], ready[1], release[0], release[1]}) {
        close(fd);
    }
}

TEST(GenerateName, NeverRepeats) {
    std::set<kit::String> names;
    for (int i = 0; i < 1000; ++i) {
        kit::String name = host::generateName("ventrel::Viewer");
        EXPECT_EQ(name.rfind("ventrel::Viewer_", 0), 0u) << name;
        EXPECT_TRUE(names.insert(name).second) << name;
    }
    EXPECT_NE(host::generateName("a"), host::generateName("a"));
}

TEST(SystemInfo, DescribesTheMachine) {
    host::SystemInfo info = host::getSystemInfo();
    EXPECT_EQ(info.name.rfind("Linux", 0), 0u) << info.name;
    EXPECT_FALSE(info.architecture.empty());
    EXPECT_GE(info.cpuCores, 1);
    EXPECT_GT(info.ram, 0);
    EXPECT_GT(info.displayResolution.x, 0.0f);
    EXPECT_GT(info.displayResolution.y, 0.0f);
    EXPECT_GT(info.displayDpi, 0);
    EXPECT_FALSE(info.locale.empty());
    // Works before host::init and leaves SDL's video stopped.
    host::SystemInfo again = host::getSystemInfo();
    EXPECT_EQ(again.name, info.name);
}

TEST(Services, TheTestDriverRecordsUrlsAndMessageBoxes) {
    {
        host::TestDriver driver;
        EXPECT_TRUE(host::openUrl("https://example.org/a?b=c"));
        driver.setOpenUrlResult(false);
        EXPECT_FALSE(host::openUrl("mailto:x@example.org"));
        host::showMessageBox("Swiggard: ERROR!", "An error has occurred!", host::MessageBoxStyle::Error);
        ASSERT_EQ(driver.getOpenedUrls().size(), 2u);
        EXPECT_EQ(driver.getOpenedUrls()[0], "https://example.org/a?b=c");
        ASSERT_EQ(driver.getMessageBoxes().size(), 1u);
        EXPECT_EQ(driver.getMessageBoxes()[0].title, "Swiggard: ERROR!");
        EXPECT_EQ(driver.getMessageBoxes()[0].text, "An error has occurred!");
        EXPECT_EQ(driver.getMessageBoxes()[0].style, host::MessageBoxStyle::Error);
    }
    // Headless without a driver the box only goes to the log (it must not block).
    host::showMessageBox("title", "text");
}

TEST(Services, TextureExtensions) {
    EXPECT_EQ(host::getTextureExtensions(), (kit::Array<kit::String>{".png", ".svg"}));
}
