#include "kit/Version.h"

#include <algorithm>
#include <cctype>

#include "kit/Strings.h"

namespace kit {

Version::Version(int major, int minor, int patch, int build) : parts{major, minor, patch, build} {}

static bool isNumber(const String& part) {
    return !part.empty() && part.size() <= 9 &&
           std::all_of(part.begin(), part.end(), [](unsigned char c) { return std::isdigit(c); });
}

Version::Version(const String& text) {
    Array<String> pieces = split(trim(text), ".");
    if (pieces.size() < 2 || pieces.size() > 4 || !std::all_of(pieces.begin(), pieces.end(), isNumber)) {
        return;
    }
    for (size_t i = 0; i < pieces.size(); ++i) {
        parts[i] = toInt(pieces[i]);
    }
}

bool Version::isValid() const {
    return std::none_of(parts.begin(), parts.end(), [](int p) { return p < 0; }) &&
           std::any_of(parts.begin(), parts.end(), [](int p) { return p > 0; });
}

String Version::toString(int count) const {
    count = std::clamp(count, 1, 4);
    Array<String> shown;
    for (int i = 0; i < count; ++i) {
        shown.push_back(kit::toString(parts[i]));
    }
    return join(shown, ".");
}

}  // namespace kit
