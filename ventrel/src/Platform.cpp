#include "ventrel/Platform.h"

#include <host/Host.h>
#include <kit/File.h>
#include <kit/Format.h>
#include <kit/Log.h>
#include <kit/Strings.h>

#include <algorithm>
#include <cctype>

#include "ventrel/Ventrel.h"

namespace ventrel::platform {

namespace {

bool initialized = false;
bool updateWarned = false;
kit::String hardwareId;

void warnUpdatesOnce() {
    if (!updateWarned) {
        kit::Log::warn(LogTag, "Checking for updates it not supported on this platform!");
        updateWarned = true;
    }
}

int hexValue(char c) {
    if (std::isdigit(static_cast<unsigned char>(c))) {
        return c - '0';
    }
    char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

}  // namespace

void init() {
    kit::Log::debug(LogTag, "Initializing Ventrel Platform.");
    initialized = true;
}

bool isInitialized() {
    return initialized;
}

kit::String getUniqueHardwareId() {
    if (!hardwareId.empty()) {
        return hardwareId;
    }
    kit::String machine = kit::trim(kit::File::readText("/etc/machine-id"));
    bool hex = machine.size() >= 8 &&
               std::all_of(machine.begin(), machine.begin() + 8, [](char c) { return hexValue(c) >= 0; });
    if (hex) {
        unsigned long value = std::stoul(machine.substr(0, 8), nullptr, 16);
        hardwareId = kit::format("%08lX", value);
    } else {
        hardwareId = "win32_unique_hardware_id";
    }
    return hardwareId;
}

kit::String percentEncode(const kit::String& text, const kit::String& keep) {
    kit::String result;
    for (unsigned char c : text) {
        if (std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~' ||
            keep.find(char(c)) != kit::String::npos) {
            result += static_cast<char>(c);
        } else {
            result += kit::format("%%%02X", c);
        }
    }
    return result;
}

kit::String percentDecode(const kit::String& text) {
    kit::String result;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            result += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            result += text[i];
        }
    }
    return result;
}

kit::String makeMailToUrl(const kit::String& address, const kit::String& subject, const kit::String& body) {
    return kit::format("mailto:%s?subject=%s&body=%s", percentEncode(address, "@").c_str(),
                       percentEncode(subject).c_str(), percentEncode(body).c_str());
}

bool mailTo(const kit::String& address, const kit::String& subject, const kit::String& body) {
    kit::Log::write(LogTag, "Opening Mail Send dialog.");
    return host::openUrl(makeMailToUrl(address, subject, body));
}

void checkForUpdates() {
    kit::Log::write(LogTag, "Checking for available updates...");
    warnUpdatesOnce();
}

kit::String getUpdateVersion() {
    warnUpdatesOnce();
    return "";
}

}  // namespace ventrel::platform
