#pragma once

#include "kit/Types.h"

namespace kit {

// A four-part version number, major.minor.patch.build.
class Version {
public:
    Version() = default;
    Version(int major, int minor, int patch = 0, int build = 0);
    // Reads "1.2", "1.2.3" or "1.2.3.4"; anything else gives the invalid version 0.0.0.0.
    explicit Version(const String& text);

    int getMajor() const { return parts[0]; }
    int getMinor() const { return parts[1]; }
    int getPatch() const { return parts[2]; }
    int getBuild() const { return parts[3]; }

    // Valid when it is not 0.0.0.0 and no part is negative.
    bool isValid() const;
    // The text with the given number of parts (1 to 4).
    String toString(int count = 4) const;

    bool operator==(const Version& other) const { return parts == other.parts; }
    bool operator!=(const Version& other) const { return parts != other.parts; }
    bool operator<(const Version& other) const { return parts < other.parts; }
    bool operator>(const Version& other) const { return parts > other.parts; }
    bool operator<=(const Version& other) const { return parts <= other.parts; }
    bool operator>=(const Version& other) const { return parts >= other.parts; }

private:
    Array<int> parts = {0, 0, 0, 0};
};

}  // namespace kit
