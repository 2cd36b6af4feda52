#pragma once

#include <kit/Log.h>
#include <kit/Types.h>

#include <algorithm>

namespace testsupport {

// Every log line written while it lives, with its level.
class LogLines {
public:
    struct Line {
        kit::Log::Level level;
        kit::String text;
    };
    LogLines() {
        id =
            kit::Log::addListener([this](kit::Log::Level level, const kit::String&, const kit::String& text) {
                lines.push_back({level, text});
            });
    }
    ~LogLines() { kit::Log::removeListener(id); }
    LogLines(const LogLines&) = delete;
    LogLines& operator=(const LogLines&) = delete;

    bool has(kit::Log::Level level, const kit::String& text) const { return count(level, text) > 0; }
    int count(const kit::String& text) const {
        return static_cast<int>(
            std::count_if(lines.begin(), lines.end(), [&](const Line& line) { return line.text == text; }));
    }
    int count(kit::Log::Level level, const kit::String& text) const {
        return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const Line& line) {
            return line.level == level && line.text == text;
        }));
    }

    kit::Array<Line> lines;

private:
    int id;
};

}  // namespace testsupport
