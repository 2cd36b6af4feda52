// A stand-in for speech-dispatcher's client library with the five calls the game uses: it records what
// it is asked to say, as "language|priority|text", and cancellations as "cancel".
#include <mutex>
#include <string>
#include <vector>

namespace {

std::mutex mutex;
std::vector<std::string> calls;
std::string language;
int connection = 0;

void record(const std::string& line) {
    std::lock_guard<std::mutex> lock(mutex);
    calls.push_back(line);
}

}  // namespace

extern "C" {

void* spd_open(const char*, const char*, const char*, int) {
    return &connection;
}

int spd_set_language(void*, const char* value) {
    language = value;
    return 0;
}

int spd_say(void*, int priority, const char* text) {
    record(language + "|" + std::to_string(priority) + "|" + text);
    return 0;
}

int spd_cancel(void*) {
    record("cancel");
    return 0;
}

void spd_close(void*) {}

// For the test: the calls so far, one a line.
const char* fake_spoken() {
    static std::string joined;
    std::lock_guard<std::mutex> lock(mutex);
    joined.clear();
    for (const std::string& call : calls) {
        joined += call + "\n";
    }
    return joined.c_str();
}
}
