#include <kit/Log.h>
#include <ventrel/CfgParser.h>

#include <cstddef>
#include <cstdint>
#include <memory>

// Any text parses into a map whose written form parses back to the same written form.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kit::Log::setConsoleEnabled(false);
    kit::String text(reinterpret_cast<const char*>(data), size);
    std::unique_ptr<ventrel::CfgParser::Map> map(ventrel::CfgParser::parseString(text));
    kit::String written = map->createString();
    std::unique_ptr<ventrel::CfgParser::Map> again(ventrel::CfgParser::parseString(written));
    if (again->createString() != written) {
        __builtin_trap();
    }
    return 0;
}
