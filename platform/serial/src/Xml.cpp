#include "Xml.h"

#include <kit/Format.h>
#include <kit/Strings.h>

#include <bit>
#include <charconv>
#include <pugixml.hpp>
#include <sstream>

// <serial version="1" root="1">
//   <object class="Game::Player" id="1">
//     <string name="name">Ann</string>
//     <vector2 name="scale" x="1" y="1"/>
//     <ref name="alcoTestData" id="2"/>
//     <ints name="rolls"><item>3</item></ints>
//     <refs name="friends"><item id="2"/><item/></refs>
//   </object>
// </serial>
// Object ids are positive and unique; a reference without an id is null.
namespace serial::detail {

namespace {

constexpr unsigned int FormatVersion = 1;
const char* const RectangleParts[] = {"x", "y", "w", "h"};

// Strings keep their exact text: no line-end conversion, and a value of only blanks survives.
constexpr unsigned int ParseOptions =
    (pugi::parse_default | pugi::parse_doctype | pugi::parse_ws_pcdata_single) & ~pugi::parse_eol;

kit::String numberText(VPtr::Type type, uint32_t number) {
    if (type == VPtr::Type::Int) {
        return kit::toString(static_cast<int>(number));
    }
    if (type == VPtr::Type::Float) {
        return kit::toString(std::bit_cast<float>(number));
    }
    if (type == VPtr::Type::Bool) {
        return number ? "true" : "false";
    }
    return kit::toString(static_cast<unsigned int>(number));
}

// XML 1.0 cannot hold most control characters, not even as character references, nor bytes that are
// not UTF-8. Texts holding them are written in hexadecimal, so the document stays well-formed and
// nothing is lost.
bool isXmlText(const kit::String& text) {
    static constexpr uint32_t Smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    size_t i = 0;
    while (i < text.size()) {
        auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            if (lead < 0x20 && lead != '\t' && lead != '\n' && lead != '\r') {
                return false;
            }
            ++i;
            continue;
        }
        size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length == 0 || i + length > text.size()) {
            return false;
        }
        uint32_t code = lead & (0x3F >> (length - 1));
        for (size_t k = 1; k < length; ++k) {
            auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = code << 6 | (next & 0x3F);
        }
        if (code < Smallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF) ||
            code == 0xFFFE || code == 0xFFFF) {
            return false;
        }
        i += length;
    }
    return true;
}

void writeText(pugi::xml_node node, const kit::String& text) {
    if (isXmlText(text)) {
        node.text() = text.c_str();
        return;
    }
    static const char Digits[] = "0123456789abcdef";
    kit::String hex;
    for (unsigned char byte : text) {
        hex += Digits[byte >> 4];
        hex += Digits[byte & 15];
    }
    node.append_attribute("encoding") = "hex";
    node.text() = hex.c_str();
}

bool fromHex(const kit::String& hex, kit::String& text) {
    if (hex.size() % 2 != 0) {
        return false;
    }
    text.clear();
    for (size_t i = 0; i < hex.size(); i += 2) {
        unsigned int byte = 0;
        auto result = std::from_chars(hex.data() + i, hex.data() + i + 2, byte, 16);
        if (result.ec != std::errc() || result.ptr != hex.data() + i + 2) {
            return false;
        }
        text += static_cast<char>(byte);
    }
    return true;
}

void setReference(pugi::xml_node node, uint32_t reference) {
    if (reference != 0) {
        node.append_attribute("id") = reference;
    }
}

void writeField(pugi::xml_node parent, const Field& field) {
    const Value& value = field.value;
    pugi::xml_node node = parent.append_child(typeName(value.type));
    node.append_attribute("name") = field.name.c_str();
    switch (value.type) {
        case VPtr::Type::String:
        case VPtr::Type::Enumeration:
            writeText(node, value.text);
            return;
        case VPtr::Type::Vector2:
        case VPtr::Type::Rectangle:
            for (int i = 0; i < (value.type == VPtr::Type::Vector2 ? 2 : 4); ++i) {
                node.append_attribute(RectangleParts[i]) = kit::toString(value.floats[i]).c_str();
            }
            return;
        case VPtr::Type::Object:
            setReference(node, value.number);
            return;
        case VPtr::Type::IntArray:
            for (uint32_t number : value.numbers) {
                node.append_child("item").text() = numberText(VPtr::Type::Int, number).c_str();
            }
            return;
        case VPtr::Type::ObjectArray:
            for (uint32_t reference : value.numbers) {
                setReference(node.append_child("item"), reference);
            }
            return;
        case VPtr::Type::StringArray:
        case VPtr::Type::EnumerationArray:
            for (const kit::String& text : value.texts) {
                writeText(node.append_child("item"), text);
            }
            return;
        default:
            node.text() = numberText(value.type, value.number).c_str();
    }
}

kit::String trimBlanks(const char* text) {
    kit::String result = text;
    const char* blanks = " \t\r\n";
    size_t first = result.find_first_not_of(blanks);
    if (first == kit::String::npos) {
        return "";
    }
    return result.substr(first, result.find_last_not_of(blanks) - first + 1);
}

// The whole text (blanks around it allowed) must be the number.
template <class N>
bool parseNumber(const char* text, N& number) {
    kit::String trimmed = trimBlanks(text);
    const char* end = trimmed.data() + trimmed.size();
    auto result = std::from_chars(trimmed.data(), end, number);
    return !trimmed.empty() && result.ec == std::errc() && result.ptr == end;
}

class XmlReader {
public:
    explicit XmlReader(kit::String& error) : error(error) {}

    bool read(const kit::String& text, Document& document) {
        pugi::xml_document xml;
        pugi::xml_parse_result result = xml.load_buffer(text.data(), text.size(), ParseOptions);
        if (!result) {
            return fail(kit::format("XML error at offset %td: %s", result.offset, result.description()));
        }
        for (pugi::xml_node node : xml.children()) {
            if (node.type() == pugi::node_doctype) {
                return fail("DOCTYPE declarations are not accepted");
            }
        }
        pugi::xml_node top = xml.document_element();
        if (kit::String(top.name()) != "serial") {
            return fail("the document element is not <serial>");
        }
        if (top.attribute("version").as_uint() != FormatVersion) {
            return fail(kit::format("unsupported format version '%s'", top.attribute("version").value()));
        }
        return indexObjects(top) && readRoot(top, document) && readObjects(top, document);
    }

private:
    bool fail(const kit::String& reason) {
        error = reason;
        return false;
    }

    bool indexObjects(pugi::xml_node top) {
        for (pugi::xml_node node : top.children("object")) {
            uint32_t id = 0;
            if (!parseNumber(node.attribute("id").value(), id) || id == 0) {
                return fail(kit::format("object with a bad id '%s'", node.attribute("id").value()));
            }
            if (!indices.emplace(id, static_cast<uint32_t>(indices.size())).second) {
                return fail(kit::format("object id %u is used twice", id));
            }
        }
        return true;
    }

    // A stored reference: 0 for null, else the object's index + 1.
    bool resolve(pugi::xml_attribute attribute, uint32_t& reference) {
        reference = 0;
        if (!attribute) {
            return true;
        }
        uint32_t id = 0;
        if (!parseNumber(attribute.value(), id)) {
            return fail(kit::format("bad reference '%s'", attribute.value()));
        }
        auto it = indices.find(id);
        if (it == indices.end()) {
            return fail(kit::format("reference to missing object %u", id));
        }
        reference = it->second + 1;
        return true;
    }

    bool readRoot(pugi::xml_node top, Document& document) {
        uint32_t reference = 0;
        if (!resolve(top.attribute("root"), reference)) {
            return false;
        }
        if (reference == 0) {
            return fail("the root object is missing");
        }
        document.root = reference - 1;
        return true;
    }

    bool readObjects(pugi::xml_node top, Document& document) {
        document.records.resize(indices.size());
        size_t index = 0;
        for (pugi::xml_node node : top.children("object")) {
            Record& record = document.records[index++];
            record.className = node.attribute("class").value();
            for (pugi::xml_node child : node.children()) {
                if (child.type() == pugi::node_element && !readField(child, record)) {
                    return false;
                }
            }
        }
        return true;
    }

    // Elements of a kind this reader does not know are skipped, like unknown variables.
    bool readField(pugi::xml_node node, Record& record) {
        Field field;
        if (!typeFromName(node.name(), field.value.type)) {
            return true;
        }
        field.name = node.attribute("name").value();
        if (!readValue(node, field.value)) {
            return fail(kit::format("bad value of variable '%s' of object %s: %s", field.name.c_str(),
                                    node.parent().attribute("id").value(), error.c_str()));
        }
        record.fields.push_back(std::move(field));
        return true;
    }

    bool readValue(pugi::xml_node node, Value& value) {
        switch (value.type) {
            case VPtr::Type::String:
            case VPtr::Type::Enumeration:
                return readText(node, value.text);
            case VPtr::Type::Vector2:
            case VPtr::Type::Rectangle:
                return readFloats(node, value);
            case VPtr::Type::Object:
                return resolve(node.attribute("id"), value.number);
            case VPtr::Type::IntArray:
            case VPtr::Type::ObjectArray:
            case VPtr::Type::StringArray:
            case VPtr::Type::EnumerationArray:
                return readItems(node, value);
            default:
                return readNumber(value.type, node.child_value(), value.number);
        }
    }

    bool readNumber(VPtr::Type type, const char* text, uint32_t& number) {
        bool valid = false;
        if (type == VPtr::Type::Int) {
            int parsed = 0;
            valid = parseNumber(text, parsed);
            number = static_cast<uint32_t>(parsed);
        } else if (type == VPtr::Type::Float) {
            float parsed = 0;
            valid = parseNumber(text, parsed);
            number = std::bit_cast<uint32_t>(parsed);
        } else if (type == VPtr::Type::Bool) {
            kit::String flag = trimBlanks(text);
            valid = flag == "true" || flag == "false";
            number = flag == "true";
        } else {
            valid = parseNumber(text, number);
        }
        return valid || fail(kit::format("'%s' is not a %s", text, typeName(type)));
    }

    bool readText(pugi::xml_node node, kit::String& text) {
        if (kit::String(node.attribute("encoding").value()) != "hex") {
            text = node.child_value();
            return true;
        }
        return fromHex(node.child_value(), text) || fail("bad hexadecimal text");
    }

    bool readFloats(pugi::xml_node node, Value& value) {
        for (int i = 0; i < (value.type == VPtr::Type::Vector2 ? 2 : 4); ++i) {
            const char* text = node.attribute(RectangleParts[i]).value();
            if (!parseNumber(text, value.floats[i])) {
                return fail(kit::format("%s '%s' is not a float", RectangleParts[i], text));
            }
        }
        return true;
    }

    bool readItems(pugi::xml_node node, Value& value) {
        for (pugi::xml_node item : node.children("item")) {
            if (!readItem(item, value)) {
                return false;
            }
        }
        return true;
    }

    bool readItem(pugi::xml_node item, Value& value) {
        if (value.type == VPtr::Type::StringArray || value.type == VPtr::Type::EnumerationArray) {
            return readText(item, value.texts.emplace_back());
        }
        uint32_t number = 0;
        bool valid = value.type == VPtr::Type::ObjectArray
                         ? resolve(item.attribute("id"), number)
                         : readNumber(VPtr::Type::Int, item.child_value(), number);
        value.numbers.push_back(number);
        return valid;
    }

    kit::String& error;
    kit::Map<uint32_t, uint32_t> indices;  // object id -> record index
};

}  // namespace

kit::String encodeXml(const Document& document) {
    pugi::xml_document xml;
    pugi::xml_node top = xml.append_child("serial");
    top.append_attribute("version") = FormatVersion;
    top.append_attribute("root") = document.root + 1;
    for (size_t i = 0; i < document.records.size(); ++i) {
        pugi::xml_node node = top.append_child("object");
        node.append_attribute("class") = document.records[i].className.c_str();
        node.append_attribute("id") = static_cast<unsigned int>(i + 1);
        for (const Field& field : document.records[i].fields) {
            writeField(node, field);
        }
    }
    std::ostringstream text;
    xml.save(text, "  ");
    return text.str();
}

bool decodeXml(const kit::String& text, Document& document, kit::String& error) {
    return XmlReader(error).read(text, document);
}

}  // namespace serial::detail
