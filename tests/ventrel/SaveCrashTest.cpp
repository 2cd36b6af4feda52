#include <gtest/gtest.h>
#include <kit/File.h>
#include <kit/Random.h>
#include <kit/Strings.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "TempFolder.h"

// These tests run the save writer as a separate process, kill it or make its system calls fail, and
// then ask which save the loader finds. Save games and the profile file go through the same proof.
namespace {

int readValue(const kit::String& kind, const kit::String& folder) {
    FILE* pipe = ::popen((kit::String(SAVE_WRITER) + " " + kind + " read '" + folder + "'").c_str(), "r");
    int value = -2;
    if (pipe && std::fscanf(pipe, "%d", &value) != 1) {
        value = -2;
    }
    if (pipe) {
        ::pclose(pipe);
    }
    return value;
}

// Starts the writer's save loop; its standard output comes back through `output`.
pid_t startLoop(const kit::String& kind, const kit::String& folder, int& output) {
    int fds[2];
    if (::pipe(fds) != 0) {
        return -1;
    }
    pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        ::close(fds[0]);
        ::close(fds[1]);
        ::execl(SAVE_WRITER, SAVE_WRITER, kind.c_str(), "loop", folder.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    ::close(fds[1]);
    output = fds[0];
    return pid;
}

// The last whole number the writer reported, or `previous` when it reported none.
int lastReported(int fd, int previous) {
    kit::String text;
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof(buffer))) > 0;) {
        text.append(buffer, static_cast<size_t>(n));
    }
    kit::Array<kit::String> lines = kit::splitNonEmpty(text, "\n");
    return lines.empty() ? previous : kit::toInt(lines.back());
}

bool haveStrace() {
    return std::system("strace -V >/dev/null 2>&1") == 0;
}

class SaveCrash : public ::testing::TestWithParam<const char*> {
protected:
    kit::String kind() const { return GetParam(); }
    // The data file of the set under test.
    kit::String dataFile(const TempFolder& folder) const {
        return folder.file(kind() == "game" ? "game.sav" : "profile.cfg");
    }
};

}  // namespace

INSTANTIATE_TEST_SUITE_P(FileSets, SaveCrash, ::testing::Values("game", "profile"));

TEST_P(SaveCrash, KillingTheWriterAtRandomMomentsNeverLosesTheLastSave) {
    TempFolder folder;
    kit::seedRandom(2026);
    int reported = 0;
    int kills = 0;
    for (; kills < 1000; ++kills) {
        int output = -1;
        pid_t pid = startLoop(kind(), folder.path, output);
        ASSERT_GT(pid, 0);
        std::this_thread::sleep_for(std::chrono::microseconds(kit::random(200, 6000)));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        int last = lastReported(output, 0);
        ::close(output);
        // The loop starts again at 1, so only this round's numbers count.
        int found = readValue(kind(), folder.path);
        if (last == 0) {
            // Killed before its first save of this round finished: an earlier round's save or the new 1.
            ASSERT_TRUE(found == reported || found == 1 || (reported == 0 && found == -1))
                << "kill " << kills << ": found " << found << ", previous round ended at " << reported;
        } else {
            ASSERT_TRUE(found == last || found == last + 1)
                << "kill " << kills << ": found " << found << ", last completed " << last;
        }
        reported = found;
    }
    EXPECT_EQ(kills, 1000);
}

TEST_P(SaveCrash, FailingSystemCallsAreReportedAndKeepThePreviousSave) {
    if (!haveStrace()) {
        GTEST_SKIP() << "strace is not installed";
    }
#ifdef SWIGGARD_SANITIZED
    GTEST_SKIP() << "the sanitizer runtime makes the same system calls and dies of the injected faults";
#endif
    struct Fault {
        const char* call;
        const char* error;
    };
    const Fault faults[] = {{"write", "ENOSPC"}, {"write", "EIO"},  {"fsync", "EIO"},
                            {"fsync", "ENOSPC"}, {"rename", "EIO"}, {"rename", "ENOSPC"},
                            {"openat", "EMFILE"}};
    TempFolder folder;
    ASSERT_EQ(
        std::system((kit::String(SAVE_WRITER) + " " + kind() + " once '" + folder.path + "' 1").c_str()), 0);
    int expected = 1;
    int failures = 0;
    for (const Fault& fault : faults) {
        for (int when = 1; when <= 30; ++when) {
            kit::String before = kit::File::readText(dataFile(folder));
            int next = expected + 1;
            kit::String command = kit::String("strace -f -o /dev/null -e trace=") + fault.call +
                                  " -e inject=" + fault.call + ":error=" + fault.error +
                                  ":when=" + std::to_string(when) + " " + SAVE_WRITER + " " + kind() +
                                  " once '" + folder.path + "' " + std::to_string(next);
            kit::File::remove(folder.file(".started"));
            int status = std::system(command.c_str());
            bool reportedSuccess =
                WIFEXITED(status) && WEXITSTATUS(status) == 0 && kit::File::exists(folder.file(".started"));
            int found = readValue(kind(), folder.path);
            if (reportedSuccess) {
                ASSERT_EQ(found, next) << command;
                expected = next;
                continue;
            }
            ++failures;
            ASSERT_EQ(found, expected) << command;
            // Whatever the loader reads holds exactly the bytes of the previous data file.
            kit::String data = kit::File::readText(dataFile(folder));
            kit::String backup = kit::File::readText(dataFile(folder) + ".bkp");
            EXPECT_TRUE(data == before || backup == before) << command;
        }
    }
    EXPECT_GT(failures, 0);
}
