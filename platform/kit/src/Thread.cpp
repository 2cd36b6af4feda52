#include "kit/Thread.h"

namespace kit {

Thread::Thread(Function function, const String& name) : function(std::move(function)), name(name) {}

Thread::~Thread() {
    join();
}

bool Thread::start() {
    if (running) {
        return false;
    }
    join();
    running = true;
    worker = std::thread([this] {
        function(this);
        running = false;
    });
    return true;
}

void Thread::join() {
    if (worker.joinable()) {
        worker.join();
    }
}

}  // namespace kit
