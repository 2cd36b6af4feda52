#pragma once

#include "kit/Types.h"
#include "quadrix/Vector2.h"

namespace host {

// What host::getSystemInfo reports about the machine.
struct SystemInfo {
    // Operating system and kernel release, such as "Linux 6.1.0-18-amd64".
    kit::String name;
    // CPU architecture, such as "x86_64".
    kit::String architecture;
    int cpuCores = 1;
    // Main memory in MB.
    int ram = 0;
    // The first display's desktop resolution in pixels.
    quadrix::Vector2 displayResolution;
    // Its diagonal dots per inch (96 when the system does not say).
    int displayDpi = 96;
    // The user's language in lower case ("en", "zh"); "en" when the locale is C or POSIX.
    kit::String locale;
    // The territory or variant of the locale in upper case ("US", "TW"), or "".
    kit::String localeVariant;
};

}  // namespace host
