#pragma once

#include <cstddef>
#include <cstdint>

#include "kit/Types.h"

namespace kit {

// A growable byte buffer with one read position. Integers are stored little-endian whatever the
// machine, so files move between machines.
class Stream {
public:
    Stream() = default;
    explicit Stream(String bytes) : bytes(std::move(bytes)) {}

    const String& getBytes() const { return bytes; }
    size_t size() const { return bytes.size(); }
    size_t getPosition() const { return position; }
    // Bytes not read yet.
    size_t remaining() const { return bytes.size() - position; }
    bool atEnd() const { return position >= bytes.size(); }
    void rewind() { position = 0; }
    void clear();

    void write(const void* data, size_t count);
    void write(const String& data) { write(data.data(), data.size()); }
    // Reads exactly count bytes; false (and nothing consumed) when fewer remain.
    bool read(void* data, size_t count);
    bool read(String& data, size_t count);

    void dump(uint32_t value);
    bool load(uint32_t& value);

private:
    String bytes;
    size_t position = 0;
};

}  // namespace kit
