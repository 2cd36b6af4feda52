#pragma once

#include <kit/Log.h>

#include <string>
#include <vector>

// Collects the warning and error lines written while it lives.
class LogCapture {
public:
    LogCapture() {
        id =
            kit::Log::addListener([this](kit::Log::Level level, const kit::String&, const kit::String& text) {
                (level >= kit::Log::Level::Warn ? warnings : others).push_back(text);
            });
    }
    ~LogCapture() { kit::Log::removeListener(id); }

    std::vector<std::string> warnings;
    std::vector<std::string> others;

private:
    int id;
};
