#include "serial/Serial.h"

#include <kit/File.h>
#include <kit/Log.h>
#include <kit/Strings.h>

#include "Binary.h"
#include "Graph.h"
#include "Xml.h"

namespace serial {

namespace {

const char* const LogTag = "serial";

bool capture(Serializable* root, detail::Document& document, const char* what) {
    kit::String error = root == nullptr ? "the root object is null" : "";
    if (root != nullptr && detail::capture(root, document, error)) {
        return true;
    }
    kit::Log::error(LogTag, kit::String(what) + " failed: " + error);
    return false;
}

Serializable* build(bool decoded, const detail::Document& document, kit::String& error, const char* what) {
    Serializable* root = decoded ? detail::build(document, error) : nullptr;
    if (root == nullptr) {
        kit::Log::error(LogTag, kit::String(what) + " failed: " + error);
    }
    return root;
}

bool isBinaryPath(const kit::String& path) {
    return kit::toLower(kit::File::getExtension(path)) == ".srb";
}

bool isXmlPath(const kit::String& path) {
    return kit::toLower(kit::File::getExtension(path)) == ".srx";
}

}  // namespace

bool serialize(kit::Stream& stream, Serializable* root) {
    detail::Document document;
    if (!capture(root, document, "Serialising")) {
        return false;
    }
    detail::encodeBinary(document, stream);
    return true;
}

bool deserialize(kit::Stream& stream, Serializable** root) {
    detail::Document document;
    kit::String error;
    bool decoded = detail::decodeBinary(stream, document, error);
    *root = build(decoded, document, error, "Deserialising");
    return *root != nullptr;
}

kit::String toXml(Serializable* root) {
    detail::Document document;
    return capture(root, document, "Writing XML") ? detail::encodeXml(document) : "";
}

Serializable* fromXml(const kit::String& text) {
    detail::Document document;
    kit::String error;
    bool decoded = detail::decodeXml(text, document, error);
    return build(decoded, document, error, "Reading XML");
}

bool saveFile(const kit::String& path, Serializable* root) {
    kit::String bytes;
    if (isBinaryPath(path)) {
        kit::Stream stream;
        if (!serialize(stream, root)) {
            return false;
        }
        bytes = stream.getBytes();
    } else if (isXmlPath(path)) {
        bytes = toXml(root);
        if (bytes.empty()) {
            return false;
        }
    } else {
        kit::Log::error(LogTag, "Not saving " + path + ": the extension is neither .srb nor .srx.");
        return false;
    }
    if (!kit::File::writeAtomic(path, bytes)) {
        kit::Log::error(LogTag, "Could not write " + path + ".");
        return false;
    }
    return true;
}

Serializable* loadFile(const kit::String& path) {
    if (!isBinaryPath(path) && !isXmlPath(path)) {
        kit::Log::error(LogTag, "Not loading " + path + ": the extension is neither .srb nor .srx.");
        return nullptr;
    }
    kit::String bytes;
    if (!kit::File::read(path, bytes)) {
        kit::Log::error(LogTag, "Could not read " + path + ".");
        return nullptr;
    }
    Serializable* root = nullptr;
    if (isXmlPath(path)) {
        root = fromXml(bytes);
    } else {
        kit::Stream stream(std::move(bytes));
        deserialize(stream, &root);
    }
    if (root == nullptr) {
        kit::Log::error(LogTag, "Could not load " + path + ".");
    }
    return root;
}

}  // namespace serial
