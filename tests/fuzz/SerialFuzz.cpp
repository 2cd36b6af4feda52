#include <kit/Log.h>
#include <kit/Stream.h>
#include <serial/Serial.h>
#include <ventrel/Position2.h>
#include <ventrel/system/GameState.h>

#include <cstddef>
#include <cstdint>
#include <memory>

// The first byte picks the reader: even bytes the binary form, odd ones the XML form. Whatever is
// read must write out again.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Touching the engine keeps its library, and the classes it registers, linked in.
    static const ventrel::Position2 registered(0, 0);
    if (size == 0) {
        return 0;
    }
    kit::Log::setConsoleEnabled(false);
    kit::String bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    serial::Serializable* root = nullptr;
    if (data[0] % 2 == 0) {
        kit::Stream stream(bytes);
        serial::deserialize(stream, &root);
    } else {
        root = serial::fromXml(bytes);
    }
    std::unique_ptr<serial::Serializable> owned(root);
    if (root) {
        kit::Stream out;
        serial::serialize(out, root);
        serial::toXml(root);
    }
    return 0;
}
