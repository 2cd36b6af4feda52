#pragma once

#include <functional>

#include "kit/Types.h"

namespace kit {

// The one log of the process: every line has a tag and a level, goes to the optional log file and,
// when the echo is on, to the console. Listeners see every line (tests read warnings through them).
class Log {
public:
    enum class Level { Write, Debug, Warn, Error };
    using Listener = std::function<void(Level level, const String& tag, const String& message)>;

    static void write(const String& tag, const String& message);
    static void debug(const String& tag, const String& message);
    static void warn(const String& tag, const String& message);
    static void error(const String& tag, const String& message);
    static void line(Level level, const String& tag, const String& message);

    // Starts the file afresh; an empty path closes it. Returns false when the file cannot be opened.
    static bool setFilename(const String& path);
    static const String& getFilename();
    static void setConsoleEnabled(bool enabled);
    static bool isConsoleEnabled();
    // Debug lines are dropped while disabled.
    static void setDebugEnabled(bool enabled);

    static int addListener(Listener listener);
    static void removeListener(int id);

    // Flushes and closes the file; with `all`, also forgets the listeners.
    static void finalize(bool all = true);

    static const char* levelName(Level level);
};

}  // namespace kit
