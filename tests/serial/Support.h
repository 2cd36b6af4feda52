#pragma once

#include <kit/Log.h>
#include <serial/Serial.h>

#include <memory>
#include <string>
#include <vector>

// Collects the warning and error lines of the serial layer while it lives.
class SerialLog {
public:
    SerialLog() {
        id = kit::Log::addListener(
            [this](kit::Log::Level level, const kit::String& tag, const kit::String& text) {
                if (tag == "serial" && level >= kit::Log::Level::Warn) {
                    lines.push_back(text);
                }
            });
    }
    ~SerialLog() { kit::Log::removeListener(id); }

    bool mentions(const std::string& part) const {
        for (const std::string& line : lines) {
            if (line.find(part) != std::string::npos) {
                return true;
            }
        }
        return false;
    }

    std::vector<std::string> lines;

private:
    int id;
};

enum class Form { Binary, Xml };

inline const char* formName(Form form) {
    return form == Form::Binary ? "Binary" : "Xml";
}

// Writes the graph in one form and reads it back.
template <class T>
std::unique_ptr<T> roundTrip(serial::Serializable* root, Form form) {
    serial::Serializable* copy = nullptr;
    if (form == Form::Binary) {
        kit::Stream stream;
        if (!serial::serialize(stream, root)) {
            return nullptr;
        }
        serial::deserialize(stream, &copy);
    } else {
        copy = serial::fromXml(serial::toXml(root));
    }
    T* typed = dynamic_cast<T*>(copy);
    if (typed == nullptr) {
        delete copy;
    }
    return std::unique_ptr<T>(typed);
}
