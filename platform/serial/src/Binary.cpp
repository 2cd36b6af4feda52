#include "Binary.h"

#include <kit/Format.h>

#include <bit>
#include <cstring>

// Layout (integers little-endian 32-bit unless noted):
//   magic "SRLB", format version, object count, root object (1-based)
//   per object: class name, variable count, per variable: name, type (1 byte), value
// Strings are a byte count and the bytes; arrays an element count and the elements; object
// references are 1-based object numbers with 0 for null.
namespace serial::detail {

namespace {

constexpr char Magic[4] = {'S', 'R', 'L', 'B'};
constexpr uint32_t FormatVersion = 1;

// The fewest bytes each item can take, so that a count can be checked against the bytes left. Items
// are then added as they are read, so memory grows with the bytes actually read, not with a count.
constexpr size_t MinRecordBytes = 8;
constexpr size_t MinFieldBytes = 6;
constexpr size_t MinElementBytes = 4;
constexpr size_t LastType = static_cast<size_t>(VPtr::Type::ObjectArray);

void writeString(kit::Stream& stream, const kit::String& text) {
    stream.dump(static_cast<uint32_t>(text.size()));
    stream.write(text);
}

void writeValue(kit::Stream& stream, const Value& value) {
    switch (value.type) {
        case VPtr::Type::Bool: {
            uint8_t flag = value.number ? 1 : 0;
            stream.write(&flag, 1);
            return;
        }
        case VPtr::Type::Vector2:
        case VPtr::Type::Rectangle:
            for (int i = 0; i < (value.type == VPtr::Type::Vector2 ? 2 : 4); ++i) {
                stream.dump(std::bit_cast<uint32_t>(value.floats[i]));
            }
            return;
        case VPtr::Type::String:
        case VPtr::Type::Enumeration:
            writeString(stream, value.text);
            return;
        case VPtr::Type::IntArray:
        case VPtr::Type::ObjectArray:
            stream.dump(static_cast<uint32_t>(value.numbers.size()));
            for (uint32_t number : value.numbers) {
                stream.dump(number);
            }
            return;
        case VPtr::Type::StringArray:
        case VPtr::Type::EnumerationArray:
            stream.dump(static_cast<uint32_t>(value.texts.size()));
            for (const kit::String& text : value.texts) {
                writeString(stream, text);
            }
            return;
        default:
            stream.dump(value.number);
    }
}

class BinaryReader {
public:
    BinaryReader(kit::Stream& stream, kit::String& error) : stream(stream), error(error) {}

    bool read(Document& document) {
        uint32_t count = 0;
        if (!readHeader() || !readCount(count, MinRecordBytes, "object count") ||
            !readReference(document.root, count)) {
            return false;
        }
        if (document.root == 0) {
            return fail("the root object is null");
        }
        document.root -= 1;
        for (uint32_t i = 0; i < count; ++i) {
            if (!readRecord(document.records.emplace_back(), count)) {
                return false;
            }
        }
        return true;
    }

private:
    bool fail(const kit::String& reason) {
        error = kit::format("%s (at byte %zu)", reason.c_str(), stream.getPosition());
        return false;
    }

    bool readNumber(uint32_t& number) { return stream.load(number) || fail("the data ends early"); }

    bool readHeader() {
        char magic[4];
        uint32_t version = 0;
        if (!stream.read(magic, sizeof magic) || std::memcmp(magic, Magic, sizeof magic) != 0) {
            return fail("not serialised data (wrong magic)");
        }
        if (!readNumber(version)) {
            return false;
        }
        return version == FormatVersion || fail(kit::format("unsupported format version %u", version));
    }

    bool readCount(uint32_t& count, size_t minBytesEach, const char* what) {
        if (!readNumber(count)) {
            return false;
        }
        return count <= stream.remaining() / minBytesEach ||
               fail(kit::format("%s %u exceeds the data left", what, count));
    }

    bool readString(kit::String& text) {
        uint32_t length = 0;
        if (!readNumber(length)) {
            return false;
        }
        return stream.read(text, length) ||
               fail(kit::format("string length %u exceeds the data left", length));
    }

    bool readReference(uint32_t& reference, uint32_t objectCount) {
        if (!readNumber(reference)) {
            return false;
        }
        return reference <= objectCount || fail(kit::format("reference to missing object %u", reference));
    }

    bool readRecord(Record& record, uint32_t objectCount) {
        uint32_t count = 0;
        if (!readString(record.className) || !readCount(count, MinFieldBytes, "variable count")) {
            return false;
        }
        for (uint32_t i = 0; i < count; ++i) {
            Field& field = record.fields.emplace_back();
            if (!readString(field.name) || !readValue(field.value, objectCount)) {
                return false;
            }
        }
        return true;
    }

    bool readValue(Value& value, uint32_t objectCount) {
        uint8_t tag = 0;
        if (!stream.read(&tag, 1)) {
            return fail("the data ends early");
        }
        if (tag > LastType) {
            return fail(kit::format("unknown value type %u", tag));
        }
        value.type = static_cast<VPtr::Type>(tag);
        switch (value.type) {
            case VPtr::Type::Bool:
                return readFlag(value.number);
            case VPtr::Type::Vector2:
                return readFloats(value.floats, 2);
            case VPtr::Type::Rectangle:
                return readFloats(value.floats, 4);
            case VPtr::Type::String:
            case VPtr::Type::Enumeration:
                return readString(value.text);
            case VPtr::Type::Object:
                return readReference(value.number, objectCount);
            case VPtr::Type::IntArray:
                return readNumbers(value.numbers, UINT32_MAX);
            case VPtr::Type::ObjectArray:
                return readNumbers(value.numbers, objectCount);
            case VPtr::Type::StringArray:
            case VPtr::Type::EnumerationArray:
                return readStrings(value.texts);
            default:
                return readNumber(value.number);
        }
    }

    bool readFlag(uint32_t& number) {
        uint8_t flag = 0;
        if (!stream.read(&flag, 1)) {
            return fail("the data ends early");
        }
        number = flag;
        return flag <= 1 || fail(kit::format("bad truth value %u", flag));
    }

    bool readFloats(float* floats, int count) {
        for (int i = 0; i < count; ++i) {
            uint32_t bits = 0;
            if (!readNumber(bits)) {
                return false;
            }
            floats[i] = std::bit_cast<float>(bits);
        }
        return true;
    }

    // Integers, or references when limit is the object count.
    bool readNumbers(kit::Array<uint32_t>& numbers, uint32_t limit) {
        uint32_t count = 0;
        if (!readCount(count, MinElementBytes, "array length")) {
            return false;
        }
        for (uint32_t i = 0; i < count; ++i) {
            if (!readReference(numbers.emplace_back(), limit)) {
                return false;
            }
        }
        return true;
    }

    bool readStrings(kit::Array<kit::String>& texts) {
        uint32_t count = 0;
        if (!readCount(count, MinElementBytes, "array length")) {
            return false;
        }
        for (uint32_t i = 0; i < count; ++i) {
            if (!readString(texts.emplace_back())) {
                return false;
            }
        }
        return true;
    }

    kit::Stream& stream;
    kit::String& error;
};

}  // namespace

void encodeBinary(const Document& document, kit::Stream& stream) {
    stream.write(Magic, sizeof Magic);
    stream.dump(FormatVersion);
    stream.dump(static_cast<uint32_t>(document.records.size()));
    stream.dump(document.root + 1);
    for (const Record& record : document.records) {
        writeString(stream, record.className);
        stream.dump(static_cast<uint32_t>(record.fields.size()));
        for (const Field& field : record.fields) {
            writeString(stream, field.name);
            uint8_t tag = static_cast<uint8_t>(field.value.type);
            stream.write(&tag, 1);
            writeValue(stream, field.value);
        }
    }
}

bool decodeBinary(kit::Stream& stream, Document& document, kit::String& error) {
    return BinaryReader(stream, error).read(document);
}

}  // namespace serial::detail
