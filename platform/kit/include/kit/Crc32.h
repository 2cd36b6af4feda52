#pragma once

#include <cstddef>
#include <cstdint>

#include "kit/Types.h"

namespace kit {

// CRC-32 with the IEEE polynomial (the zlib and PNG variant); crc32 of "123456789" is 0xCBF43926.
uint32_t crc32(const void* data, size_t size);
uint32_t crc32(const String& bytes);
uint32_t crc32(const Array<unsigned char>& bytes);

}  // namespace kit
