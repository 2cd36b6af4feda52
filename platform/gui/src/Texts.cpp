#include <pugixml.hpp>

#include "Internal.h"
#include "kit/Dir.h"
#include "kit/Log.h"
#include "kit/ResourceDir.h"
#include "kit/Strings.h"

namespace gui::internal {

int lineOfOffset(const kit::String& text, long long offset) {
    int line = 1;
    for (long long i = 0; i < offset && i < static_cast<long long>(text.size()); ++i) {
        line += text[i] == '\n' ? 1 : 0;
    }
    return line;
}

void loadTexts(const kit::String& folder, const kit::String& language,
               kit::Map<kit::String, kit::String>& texts) {
    kit::String languageFolder = kit::Dir::joinPath(folder, language);
    for (const kit::String& file : kit::ResourceDir::files(languageFolder)) {
        if (!kit::endsWith(file, ".xml")) {
            continue;
        }
        kit::String name = kit::Dir::joinPath(languageFolder, file);
        kit::String content = kit::ResourceDir::readText(name);
        pugi::xml_document document;
        pugi::xml_parse_result result = document.load_buffer(content.data(), content.size());
        if (!result) {
            kit::Log::error(Tag, kit::String(name) + ":" +
                                     kit::toString(lineOfOffset(content, result.offset)) + ": " +
                                     result.description());
            continue;
        }
        for (pugi::xml_node node : document.child("resources").children("string")) {
            kit::String key = node.attribute("name").as_string();
            if (key.empty()) {
                kit::Log::warn(Tag, name + ":" + kit::toString(lineOfOffset(content, node.offset_debug())) +
                                        ": a string without a name is skipped");
                continue;
            }
            texts[key] = node.text().as_string();
        }
    }
}

kit::String encodeUtf8(unsigned int codePoint) {
    kit::String out;
    if (codePoint < 0x80) {
        out += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        out += static_cast<char>(0xC0 | (codePoint >> 6));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        out += static_cast<char>(0xE0 | (codePoint >> 12));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x110000) {
        out += static_cast<char>(0xF0 | (codePoint >> 18));
        out += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return out;
}

kit::Array<size_t> codePointOffsets(const kit::String& utf8) {
    kit::Array<size_t> offsets;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if ((static_cast<unsigned char>(utf8[i]) & 0xC0) != 0x80) {
            offsets.push_back(i);
        }
    }
    offsets.push_back(utf8.size());
    return offsets;
}

}  // namespace gui::internal
