#include "kit/Stream.h"

#include <cstring>

namespace kit {

void Stream::clear() {
    bytes.clear();
    position = 0;
}

void Stream::write(const void* data, size_t count) {
    bytes.append(static_cast<const char*>(data), count);
}

bool Stream::read(void* data, size_t count) {
    if (count > remaining()) {
        return false;
    }
    std::memcpy(data, bytes.data() + position, count);
    position += count;
    return true;
}

bool Stream::read(String& data, size_t count) {
    if (count > remaining()) {
        return false;
    }
    data = bytes.substr(position, count);
    position += count;
    return true;
}

void Stream::dump(uint32_t value) {
    unsigned char raw[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                            static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    write(raw, 4);
}

bool Stream::load(uint32_t& value) {
    unsigned char raw[4];
    if (!read(raw, 4)) {
        return false;
    }
    value = uint32_t(raw[0]) | uint32_t(raw[1]) << 8 | uint32_t(raw[2]) << 16 | uint32_t(raw[3]) << 24;
    return true;
}

}  // namespace kit
