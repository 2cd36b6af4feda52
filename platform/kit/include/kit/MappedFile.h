#pragma once

#include <cstddef>

#include "kit/Types.h"

namespace kit {

// A whole file mapped read-only into memory. Its pages come from the file as they are read and can be
// given back at any time, so a large file of which little is read (a font with thousands of glyphs)
// costs neither the time to read it nor private memory.
class MappedFile {
public:
    MappedFile() = default;
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;
    ~MappedFile();

    // Maps the file instead of what was mapped before; false (and nothing mapped) when it cannot be
    // read or is empty.
    bool open(const String& path);
    void close();

    const unsigned char* data() const { return bytes; }
    size_t size() const { return length; }
    bool empty() const { return length == 0; }

private:
    const unsigned char* bytes = nullptr;
    size_t length = 0;
};

}  // namespace kit
