#pragma once

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

#include "host/Speech.h"

namespace host {

// Speech through the system's speech-dispatcher. Its client library is loaded when this is made, if the
// machine has it; without it nothing is said and the log says so once. Connecting (which may start the
// speech service) and talking to it happen on a thread of its own, so that the game never waits.
class SpeechDispatcher : public Speech {
public:
    // At most this many texts wait; the oldest goes when one more comes.
    static constexpr size_t MaxWaiting = 8;

    // `library` is the client library's file name, for tests that ask for a missing one.
    explicit SpeechDispatcher(const char* library = "libspeechd.so.2");
    ~SpeechDispatcher() override;

    bool isAvailable() const override;
    void say(const kit::String& text, const kit::String& language, bool interrupt) override;

private:
    struct Api;
    struct Line {
        kit::String text;
        kit::String language;
        bool interrupt = false;
    };

    std::unique_ptr<Api> api;
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Line> waiting;
    bool stopping = false;
    std::thread worker;

    void _run();
    // Null when there is no connection and none can be made; tried once.
    void* _connection();
};

}  // namespace host
