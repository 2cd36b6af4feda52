#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include "kit/Types.h"

namespace kit {

// A named worker that runs one function once per start; the function receives the thread.
class Thread {
public:
    using Function = std::function<void(Thread*)>;

    Thread(Function function, const String& name = "");
    ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Starts the function unless it runs already; false when it does.
    bool start();
    void join();
    bool isRunning() const { return running; }
    bool isStarted() const { return worker.joinable(); }
    const String& getName() const { return name; }

private:
    Function function;
    String name;
    std::thread worker;
    std::atomic<bool> running{false};
};

}  // namespace kit
