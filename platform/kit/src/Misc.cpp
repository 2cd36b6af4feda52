#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>

#include "kit/Crc32.h"
#include "kit/Env.h"
#include "kit/Format.h"
#include "kit/Random.h"
#include "kit/Time.h"

#include <zlib.h>

namespace kit {

String format(const char* fmt, ...) {
    va_list args;
    va_start(args, fmt);
    va_list copy;
    va_copy(copy, args);
    int length = std::vsnprintf(nullptr, 0, fmt, copy);
    va_end(copy);
    String result;
    if (length > 0) {
        result.resize(static_cast<size_t>(length));
        std::vsnprintf(result.data(), result.size() + 1, fmt, args);
    }
    va_end(args);
    return result;
}

namespace {

struct Generator {
    std::mutex mutex;
    std::mt19937 engine{std::random_device{}()};
};

Generator& generator() {
    static Generator instance;
    return instance;
}

}  // namespace

int random(int min, int max) {
    if (max <= min) {
        return min;
    }
    Generator& g = generator();
    std::lock_guard lock(g.mutex);
    return std::uniform_int_distribution<int>(min, max - 1)(g.engine);
}

float randomFloat(float min, float max) {
    if (max <= min) {
        return min;
    }
    Generator& g = generator();
    std::lock_guard lock(g.mutex);
    return std::uniform_real_distribution<float>(min, max)(g.engine);
}

void seedRandom(unsigned int seed) {
    Generator& g = generator();
    std::lock_guard lock(g.mutex);
    g.engine.seed(seed);
}

int64_t time() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

double monotonicSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

String getEnv(const String& name) {
    const char* value = std::getenv(name.c_str());
    return value ? value : "";
}

bool hasEnv(const String& name) {
    return std::getenv(name.c_str()) != nullptr;
}

void setEnv(const String& name, const String& value) {
    ::setenv(name.c_str(), value.c_str(), 1);
}

void unsetEnv(const String& name) {
    ::unsetenv(name.c_str());
}

uint32_t crc32(const void* data, size_t size) {
    uLong crc = ::crc32(0L, Z_NULL, 0);
    const Bytef* bytes = static_cast<const Bytef*>(data);
    // zlib takes a 32-bit length; feed larger buffers in pieces.
    while (size > 0) {
        uInt piece = size > 0x40000000u ? 0x40000000u : static_cast<uInt>(size);
        crc = ::crc32(crc, bytes, piece);
        bytes += piece;
        size -= piece;
    }
    return static_cast<uint32_t>(crc);
}

uint32_t crc32(const String& bytes) {
    return crc32(bytes.data(), bytes.size());
}

uint32_t crc32(const Array<unsigned char>& bytes) {
    return crc32(bytes.data(), bytes.size());
}

}  // namespace kit
