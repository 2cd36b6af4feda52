#include "DatasetLoader.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <optional>

#include "Internal.h"
#include "gui/Animator.h"
#include "gui/CompositeImage.h"
#include "gui/Container.h"
#include "gui/EditBox.h"
#include "gui/Gui.h"
#include "gui/Image.h"
#include "gui/ImageBox.h"
#include "gui/ImageButton.h"
#include "gui/ProgressBar.h"
#include "gui/ScrollArea.h"
#include "gui/Texture.h"
#include "gui/ToggleButton.h"
#include "host/RenderSystem.h"
#include "kit/Dir.h"
#include "kit/Log.h"
#include "kit/ResourceDir.h"
#include "kit/Strings.h"

namespace gui::internal {

// The attributes of one element; each is taken once, and what is left over is unknown.
class DatasetLoader::Attributes {
public:
    Attributes(const DatasetLoader& loader, const pugi::xml_node& node) : loader(loader), node(node) {
        for (pugi::xml_attribute attribute : node.attributes()) {
            values[attribute.name()] = attribute.value();
        }
    }

    // Takes a named style's attributes as defaults: the element's own attributes win.
    void applyStyle(const kit::Map<kit::String, kit::String>& style, const kit::String& name) {
        styleName = name;
        for (const auto& [key, value] : style) {
            if (values.emplace(key, value).second) {
                fromStyle.insert(key);
            }
        }
    }

    // Every attribute still untaken, by name (a style's taken over as they stand).
    const kit::Map<kit::String, kit::String>& remaining() const { return values; }
    void clear() { values.clear(); }

    const pugi::xml_node& getNode() const { return node; }

    std::optional<kit::String> text(const char* name) {
        auto found = values.find(name);
        if (found == values.end()) {
            return std::nullopt;
        }
        kit::String value = found->second;
        values.erase(found);
        return value;
    }

    kit::String required(const char* name) {
        std::optional<kit::String> value = text(name);
        if (!value || value->empty()) {
            loader.fail(node, kit::String("<") + node.name() + "> needs the attribute '" + name + "'");
        }
        return *value;
    }

    std::optional<float> number(const char* name) {
        std::optional<kit::String> value = text(name);
        if (!value) {
            return std::nullopt;
        }
        if (!kit::isFloat(*value)) {
            invalid(name, *value, "a number");
        }
        return kit::toFloat(*value);
    }

    std::optional<int> integer(const char* name) {
        std::optional<kit::String> value = text(name);
        if (!value) {
            return std::nullopt;
        }
        if (!kit::isInt(*value)) {
            invalid(name, *value, "a whole number");
        }
        return kit::toInt(*value);
    }

    std::optional<bool> flag(const char* name) {
        std::optional<kit::String> value = text(name);
        if (!value) {
            return std::nullopt;
        }
        if (!kit::isBool(*value)) {
            invalid(name, *value, "true or false");
        }
        return kit::toBool(*value);
    }

    // Numbers separated by spaces or commas; exactly `count` of them unless count is 0.
    std::optional<kit::Array<float>> numbers(const char* name, size_t count) {
        std::optional<kit::String> value = text(name);
        if (!value) {
            return std::nullopt;
        }
        kit::Array<float> result;
        for (const kit::String& part : kit::splitNonEmpty(kit::replace(*value, ",", " "), " ")) {
            if (!kit::isFloat(part)) {
                invalid(name, *value, "numbers");
            }
            result.push_back(kit::toFloat(part));
        }
        if ((count > 0 && result.size() != count) || result.empty()) {
            invalid(name, *value,
                    count > 0 ? kit::toString(static_cast<int>(count)) + " numbers" : "numbers");
        }
        return result;
    }

    std::optional<quadrix::Vector2> vector(const char* name) {
        std::optional<kit::Array<float>> values = numbers(name, 0);
        if (!values) {
            return std::nullopt;
        }
        if (values->size() == 1) {
            return quadrix::Vector2((*values)[0], (*values)[0]);
        }
        if (values->size() != 2) {
            invalid(name, "", "one or two numbers");
        }
        return quadrix::Vector2((*values)[0], (*values)[1]);
    }

    std::optional<host::Color> color(const char* name) {
        std::optional<kit::String> value = text(name);
        if (!value) {
            return std::nullopt;
        }
        if (!host::Color::isHex(*value)) {
            invalid(name, *value, "a colour RRGGBB or RRGGBBAA");
        }
        host::Color parsed;
        parsed.set(*value);
        return parsed;
    }

    // One of the names; the index of the match.
    std::optional<int> choice(const char* name, const kit::Array<kit::String>& names) {
        std::optional<kit::String> value = text(name);
        if (!value) {
            return std::nullopt;
        }
        for (size_t i = 0; i < names.size(); ++i) {
            if (kit::toLower(names[i]) == kit::toLower(*value)) {
                return static_cast<int>(i);
            }
        }
        invalid(name, *value, "one of " + kit::join(names, ", "));
    }

    void checkUsed() const {
        if (values.empty()) {
            return;
        }
        const kit::String& key = values.begin()->first;
        if (fromStyle.count(key) > 0) {
            loader.fail(node, "attribute '" + key + "' of the style '" + styleName + "' does not apply to <" +
                                  node.name() + ">");
        }
        loader.fail(node, "unknown attribute '" + key + "' in <" + node.name() + ">");
    }

private:
    [[noreturn]] void invalid(const char* name, const kit::String& value, const kit::String& expected) const {
        loader.fail(node, kit::String("attribute '") + name + "' of <" + node.name() + "> is '" + value +
                              "', expected " + expected);
    }

    const DatasetLoader& loader;
    pugi::xml_node node;
    kit::Map<kit::String, kit::String> values;
    std::set<kit::String> fromStyle;
    kit::String styleName;
};

DatasetLoader::DatasetLoader(Dataset& dataset)
    : dataset(dataset), folder(kit::Dir::getParent(dataset.getFilePath())) {}

kit::String DatasetLoader::where(const pugi::xml_node& node) const {
    // Copies made by a repeat have no place in the text: they report their original's line.
    auto origin = origins.find(node.internal_object());
    long long offset = origin == origins.end() ? node.offset_debug() : origin->second;
    return dataset.getFilePath() + ":" + kit::toString(lineOfOffset(content, offset));
}

void DatasetLoader::fail(const pugi::xml_node& node, const kit::String& message) const {
    throw LoadError(where(node) + ": " + message);
}

kit::String DatasetLoader::resourcePath(const kit::String& relative) const {
    return kit::Dir::joinPath(folder, relative);
}

void DatasetLoader::load() {
    const kit::String& path = dataset.getFilePath();
    if (!kit::ResourceDir::exists(path) || !kit::ResourceDir::read(path, content)) {
        throw LoadError(path + ": the data-set file does not exist");
    }
    pugi::xml_document document;
    pugi::xml_parse_result result = document.load_buffer(content.data(), content.size());
    if (!result) {
        throw LoadError(path + ":" + kit::toString(lineOfOffset(content, result.offset)) + ": " +
                        result.description());
    }
    pugi::xml_node top = document.document_element();
    if (kit::String(top.name()) != "Dataset") {
        fail(top, kit::String("the top element must be <Dataset>, not <") + top.name() + ">");
    }
    Attributes(*this, top).checkUsed();
    rememberOffsets(top);
    expandRepeats(top);
    for (pugi::xml_node node : top.children()) {
        if (node.type() == pugi::node_element) {
            readDeclaration(node);
        }
    }
    for (const pugi::xml_node& node : animatorNodes) {
        readAnimator(node);
    }
}

namespace {

// Names of a repeat's variable are plain words, so "{i}" can never be mistaken for a composite key.
bool isVariableName(const kit::String& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
    });
}

// Reads up to `most` digits at `at`; -1 when there are none.
int readDigits(const kit::String& text, size_t& at, size_t most) {
    size_t start = at;
    while (at < text.size() && at - start < most && std::isdigit(static_cast<unsigned char>(text[at]))) {
        ++at;
    }
    return at == start ? -1 : std::stoi(text.substr(start, at - start));
}

// One "{i}", "{i:02}", "{i+1}" or "{i-1:03}" at `at` (just after the brace): the number it stands
// for and where it ends. False when the text there is something else, which then stays as it is.
bool readPlaceholder(const kit::String& text, const kit::String& variable, int value, size_t& at,
                     kit::String& number) {
    if (text.compare(at, variable.size(), variable) != 0) {
        return false;
    }
    size_t end = at + variable.size();
    int shift = 0;
    if (end < text.size() && (text[end] == '+' || text[end] == '-')) {
        int sign = text[end] == '-' ? -1 : 1;
        ++end;
        int digits = readDigits(text, end, 6);
        if (digits < 0) {
            return false;
        }
        shift = sign * digits;
    }
    int width = 0;
    if (end < text.size() && text[end] == ':') {
        ++end;
        width = readDigits(text, end, 2);
        if (width < 0) {
            return false;
        }
    }
    if (end >= text.size() || text[end] != '}') {
        return false;
    }
    int result = value + shift;
    kit::String digits = std::to_string(std::abs(result));
    if (static_cast<int>(digits.size()) < width) {
        digits.insert(0, width - digits.size(), '0');
    }
    number = (result < 0 ? "-" : "") + digits;
    at = end + 1;
    return true;
}

// Every placeholder of the variable in the text becomes the copy's number.
kit::String substitute(const kit::String& text, const kit::String& variable, int value) {
    kit::String result;
    size_t at = 0;
    while (at < text.size()) {
        size_t brace = text.find('{', at);
        if (brace == kit::String::npos) {
            break;
        }
        result.append(text, at, brace + 1 - at);
        at = brace + 1;
        kit::String number;
        if (readPlaceholder(text, variable, value, at, number)) {
            result.pop_back();
            result += number;
        }
    }
    result.append(text, std::min(at, text.size()));
    return result;
}

}  // namespace

// Copying marks the source's strings as shared, after which the parser can no longer tell their
// place in the text: every element's place is taken down before the first copy is made.
void DatasetLoader::rememberOffsets(const pugi::xml_node& node) {
    origins[node.internal_object()] = node.offset_debug();
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_element) {
            rememberOffsets(child);
        }
    }
}

void DatasetLoader::expandRepeats(pugi::xml_node parent) {
    pugi::xml_node child = parent.first_child();
    while (child) {
        if (child.type() != pugi::node_element) {
            child = child.next_sibling();
        } else if (kit::String(child.name()) == "Repeat") {
            // The copies take the repeat's place and are looked at again: they may hold repeats.
            pugi::xml_node previous = child.previous_sibling();
            expandRepeat(child);
            child = previous ? previous.next_sibling() : parent.first_child();
        } else {
            expandRepeats(child);
            child = child.next_sibling();
        }
    }
}

void DatasetLoader::expandRepeat(pugi::xml_node node) {
    Attributes attributes(*this, node);
    std::optional<int> count = attributes.integer("count");
    kit::String variable = attributes.required("var");
    quadrix::Vector2 offset = attributes.vector("offset").value_or(quadrix::Vector2());
    attributes.checkUsed();
    if (!count || *count < 0 || *count > MaxRepeatCount) {
        fail(node, "<Repeat> needs a 'count' from 0 to " + kit::toString(MaxRepeatCount));
    }
    if (!isVariableName(variable)) {
        fail(node, "the repeat variable '" + variable + "' must be a plain word");
    }
    for (int k = 0; k < *count; ++k) {
        for (pugi::xml_node source : node.children()) {
            if (source.type() != pugi::node_element) {
                continue;
            }
            copiedNodes += 1;
            if (copiedNodes > MaxRepeatedNodes) {
                fail(node, "repeats make more than " + kit::toString(MaxRepeatedNodes) + " copies");
            }
            pugi::xml_node copy = node.parent().insert_copy_before(source, node);
            prepareCopy(source, copy, variable, k, offset * static_cast<float>(k));
        }
    }
    node.parent().remove_child(node);
}

// Fills in the copy's number, moves it (a nested repeat moves its children) and remembers where its
// original stands in the text.
void DatasetLoader::prepareCopy(const pugi::xml_node& source, pugi::xml_node copy,
                                const kit::String& variable, int number, const quadrix::Vector2& shift) {
    auto origin = origins.find(source.internal_object());
    origins[copy.internal_object()] = origin == origins.end() ? -1 : origin->second;
    for (pugi::xml_attribute attribute : copy.attributes()) {
        attribute.set_value(substitute(attribute.value(), variable, number).c_str());
    }
    bool nested = kit::String(copy.name()) == "Repeat";
    if (!nested && (shift.x != 0.0f || shift.y != 0.0f)) {
        moveRect(copy, shift);
    }
    pugi::xml_node sourceChild = source.first_child();
    for (pugi::xml_node child = copy.first_child(); child && sourceChild;
         child = child.next_sibling(), sourceChild = sourceChild.next_sibling()) {
        if (child.type() == pugi::node_element) {
            prepareCopy(sourceChild, child, variable, number, nested ? shift : quadrix::Vector2());
        }
    }
}

void DatasetLoader::moveRect(pugi::xml_node node, const quadrix::Vector2& shift) {
    pugi::xml_attribute rect = node.attribute("rect");
    if (!rect) {
        fail(node, "a repeat with an offset moves its copies' rects: <" + kit::String(node.name()) +
                       "> needs a 'rect'");
    }
    kit::Array<kit::String> parts = kit::splitNonEmpty(kit::replace(rect.value(), ",", " "), " ");
    if (parts.size() != 4 || !kit::isFloat(parts[0]) || !kit::isFloat(parts[1])) {
        fail(node, "attribute 'rect' of <" + kit::String(node.name()) + "> is '" + rect.value() +
                       "', expected 4 numbers");
    }
    parts[0] = kit::toString(kit::toFloat(parts[0]) + shift.x);
    parts[1] = kit::toString(kit::toFloat(parts[1]) + shift.y);
    rect.set_value(kit::join(parts, " ").c_str());
}

void DatasetLoader::readDeclaration(const pugi::xml_node& node) {
    kit::String element = node.name();
    if (element == "Texts") {
        Attributes attributes(*this, node);
        dataset.setTextFolder(attributes.required("folder"));
        attributes.checkUsed();
    } else if (element == "ImageFolder") {
        Attributes attributes(*this, node);
        kit::String name = attributes.required("name");
        dataset.addImageFolder(name, resourcePath(attributes.required("path")));
        attributes.checkUsed();
    } else if (element == "Texture") {
        readTexture(node);
    } else if (element == "Image") {
        readImage(node);
    } else if (element == "CompositeImage") {
        readCompositeImage(node);
    } else if (element == "Animator") {
        animatorNodes.push_back(node);
    } else if (element == "Style") {
        readStyle(node);
    } else {
        if (!dataset.isScreen()) {
            fail(node, "unknown element <" + element + "> in a resource set");
        }
        if (dataset.getRoot() != nullptr) {
            fail(node, "a second root object <" + element + ">: a screen has exactly one");
        }
        readObject(node, nullptr);
    }
}

void DatasetLoader::declare(const pugi::xml_node& node, const char* kind, const kit::String& name) {
    if (!declared.insert({kind, name}).second) {
        fail(node, kit::String("the ") + kind + " '" + name + "' is declared twice");
    }
}

// A style keeps its attributes as text; they are checked where an object uses them.
void DatasetLoader::readStyle(const pugi::xml_node& node) {
    Attributes attributes(*this, node);
    kit::String name = attributes.required("name");
    declare(node, "style", name);
    kit::Map<kit::String, kit::String> style;
    if (std::optional<kit::String> base = attributes.text("base")) {
        const kit::Map<kit::String, kit::String>* found = dataset.findStyle(*base);
        if (found == nullptr) {
            fail(node, "the base style '" + *base + "' is not declared before the style '" + name + "'");
        }
        style = *found;
    }
    for (const char* refused : {"style", "rect"}) {
        if (attributes.text(refused)) {
            fail(node, kit::String("a style cannot carry '") + refused + "'");
        }
    }
    for (const auto& [key, value] : attributes.remaining()) {
        style[key] = value;
    }
    attributes.clear();
    dataset.registerStyle(name, style);
}

void DatasetLoader::readTexture(const pugi::xml_node& node) {
    Attributes attributes(*this, node);
    kit::String name = attributes.required("name");
    declare(node, "texture", name);
    kit::String file = resourcePath(attributes.required("file"));
    attributes.checkUsed();
    if (!kit::ResourceDir::exists(file)) {
        fail(node, "the texture file '" + file + "' does not exist");
    }
    host::Texture* texture =
        host::rendersys == nullptr ? nullptr : host::rendersys->createTextureFromResource(file);
    dataset.registerTexture(new Texture(name, texture));
}

void DatasetLoader::readImage(const pugi::xml_node& node) {
    Attributes attributes(*this, node);
    kit::String name = attributes.required("name");
    declare(node, "image", name);
    kit::String textureName = attributes.required("texture");
    std::optional<kit::Array<float>> rect = attributes.numbers("rect", 4);
    float scale = attributes.number("scale").value_or(1.0f);
    attributes.checkUsed();
    if (!dataset.hasTexture(textureName)) {
        fail(node, "texture '" + textureName + "' is not declared before the image");
    }
    Texture* texture = dataset.getTexture(textureName);
    quadrix::Rectangle area(0, 0, static_cast<float>(texture->getWidth()),
                            static_cast<float>(texture->getHeight()));
    if (rect) {
        area = quadrix::Rectangle((*rect)[0], (*rect)[1], (*rect)[2], (*rect)[3]);
    }
    dataset.registerImage(new Image(name, texture, area, scale));
}

void DatasetLoader::readCompositeImage(const pugi::xml_node& node) {
    Attributes attributes(*this, node);
    kit::String name = attributes.required("name");
    declare(node, "image", name);
    std::optional<quadrix::Vector2> size = attributes.vector("size");
    attributes.checkUsed();
    if (!size) {
        fail(node, "<CompositeImage> needs the attribute 'size'");
    }
    auto* composite = new CompositeImage(name, *size);
    dataset.registerImage(composite);
    for (pugi::xml_node part : node.children()) {
        if (part.type() != pugi::node_element) {
            continue;
        }
        if (kit::String(part.name()) != "Part") {
            fail(part, kit::String("unknown element <") + part.name() + "> in <CompositeImage>");
        }
        Attributes partAttributes(*this, part);
        kit::String imageName = partAttributes.required("image");
        std::optional<kit::Array<float>> rect = partAttributes.numbers("rect", 4);
        partAttributes.checkUsed();
        if (!rect) {
            fail(part, "<Part> needs the attribute 'rect'");
        }
        if (imageName == name) {
            fail(part, "the composite image '" + name + "' cannot contain itself");
        }
        setImage(part, imageName, [&](const kit::String& image) {
            composite->addImage(dataset.getImage(image),
                                quadrix::Rectangle((*rect)[0], (*rect)[1], (*rect)[2], (*rect)[3]));
        });
    }
}

void DatasetLoader::readAnimator(const pugi::xml_node& node) {
    Attributes attributes(*this, node);
    kit::String name = attributes.required("name");
    declare(node, "animator", name);
    std::optional<int> type = attributes.choice("type", {"mover", "scaler", "rotator", "alpha", "color"});
    if (!type) {
        fail(node, "<Animator> needs the attribute 'type'");
    }
    kit::String targetName = attributes.required("target");
    if (!dataset.hasObject(targetName)) {
        fail(node, "the animator's target object '" + targetName + "' does not exist");
    }
    auto animator =
        std::make_unique<Animator>(name, static_cast<Animator::Type>(*type), dataset.getObject(targetName));
    if (auto value =
            attributes.choice("function", {"linear", "sine", "square", "saw", "triangle", "custom"})) {
        animator->setFunction(static_cast<Animator::Function>(*value));
    }
    if (auto value = attributes.choice("axis", {"x", "y", "both"})) {
        animator->setAxis(static_cast<Animator::Axis>(*value));
    }
    if (auto value = attributes.number("amplitude")) {
        animator->setAmplitude(*value);
    }
    if (auto value = attributes.number("offset")) {
        animator->setOffset(*value);
    }
    if (auto value = attributes.number("speed")) {
        animator->setSpeed(*value);
    }
    if (auto value = attributes.number("periods")) {
        animator->setPeriods(*value);
    }
    if (auto value = attributes.number("delay")) {
        animator->setDelay(*value);
    }
    if (auto value = attributes.flag("enabled")) {
        animator->setEnabled(*value);
    }
    if (auto value = attributes.number("time")) {
        animator->setTime(*value);
    }
    if (auto value = attributes.number("stopTime")) {
        animator->setStopTime(*value);
    }
    if (auto value = attributes.numbers("values", 0)) {
        animator->setValues(*value);
    }
    std::optional<host::Color> from = attributes.color("colorFrom");
    std::optional<host::Color> to = attributes.color("colorTo");
    attributes.checkUsed();
    if (animator->getFunction() == Animator::Function::Custom && animator->getValues().empty()) {
        fail(node, "a custom animator needs 'values'");
    }
    animator->setColors(from.value_or(host::Color::White), to.value_or(host::Color::White));
    dataset.registerAnimator(animator.release());
}

Object* DatasetLoader::readObject(const pugi::xml_node& node, Object* parent) {
    kit::String element = node.name();
    Attributes attributes(*this, node);
    kit::String name = attributes.text("name").value_or("");
    if (!name.empty()) {
        declare(node, "object", name);
    }
    if (std::optional<kit::String> styleName = attributes.text("style")) {
        const kit::Map<kit::String, kit::String>* style = dataset.findStyle(*styleName);
        if (style == nullptr) {
            fail(node, "the style '" + *styleName + "' is not declared");
        }
        attributes.applyStyle(*style, *styleName);
    }
    std::unique_ptr<Object> object;
    if (element == "Container") {
        object = std::make_unique<Container>(name);
    } else if (element == "ImageBox") {
        object = std::make_unique<ImageBox>(name);
    } else if (element == "Label") {
        object = std::make_unique<Label>(name);
    } else if (element == "EditBox") {
        object = std::make_unique<EditBox>(name);
    } else if (element == "ImageButton") {
        object = std::make_unique<ImageButton>(name);
    } else if (element == "ToggleButton") {
        object = std::make_unique<ToggleButton>(name);
    } else if (element == "ScrollArea") {
        object = std::make_unique<ScrollArea>(name);
    } else if (element == "ProgressBar") {
        object = std::make_unique<ProgressBar>(name);
    } else {
        fail(node, "unknown element <" + element + ">");
    }
    // Attached first, so that its pictures are found through the data set.
    Object* attached = object.release();
    if (parent == nullptr) {
        dataset.setRoot(attached);
    } else {
        parent->addChild(attached);
    }
    applyObject(attached, attributes);
    attributes.checkUsed();
    for (pugi::xml_node child : node.children()) {
        if (child.type() == pugi::node_element) {
            readObject(child, attached);
        }
    }
    return attached;
}

// "X" given alone brings "X_hover", "X_pushed" and "X_disabled" along when those pictures exist.
template <class Setter>
void DatasetLoader::implyImage(const kit::String& image, const char* suffix, const kit::String& current,
                               const Setter& setter) {
    if (image.empty() || !current.empty() || !dataset.hasImage(image + suffix)) {
        return;
    }
    setter(image + suffix);
}

template <class Setter>
void DatasetLoader::setImage(const pugi::xml_node& node, const kit::String& name, const Setter& setter) {
    try {
        setter(name);
    } catch (const kit::ResourceNotExistsException& missing) {
        kit::Log::warn(Tag, where(node) + ": " + missing.what());
    }
}

void DatasetLoader::applyObject(Object* object, Attributes& attributes) {
    if (auto rect = attributes.numbers("rect", 4)) {
        object->setRect(quadrix::Rectangle((*rect)[0], (*rect)[1], (*rect)[2], (*rect)[3]));
    }
    if (auto anchors = attributes.text("anchors")) {
        unsigned int flags = AnchorNone;
        for (const kit::String& part : kit::splitNonEmpty(kit::toLower(*anchors), " ")) {
            const kit::Map<kit::String, unsigned int> names = {
                {"left", AnchorLeft},     {"top", AnchorTop}, {"right", AnchorRight},
                {"bottom", AnchorBottom}, {"all", AnchorAll}, {"none", AnchorNone}};
            auto found = names.find(part);
            if (found == names.end()) {
                fail(attributes.getNode(),
                     "unknown anchor '" + part + "' (left, top, right, bottom, all, none)");
            }
            flags |= found->second;
        }
        object->setAnchors(flags);
    }
    if (auto pivot = attributes.text("pivot")) {
        if (kit::toLower(*pivot) == "center") {
            object->resetPivot();
        } else {
            kit::Array<kit::String> parts = kit::splitNonEmpty(kit::replace(*pivot, ",", " "), " ");
            if (parts.size() != 2 || !kit::isFloat(parts[0]) || !kit::isFloat(parts[1])) {
                fail(attributes.getNode(),
                     "attribute 'pivot' is '" + *pivot + "', expected 'center' or two numbers");
            }
            object->setPivot(quadrix::Vector2(kit::toFloat(parts[0]), kit::toFloat(parts[1])));
        }
    }
    if (auto scale = attributes.vector("scale")) {
        object->setScale(*scale);
    }
    if (auto angle = attributes.number("angle")) {
        object->setAngle(*angle);
    }
    if (auto color = attributes.color("color")) {
        object->setColor(*color);
    }
    if (auto alpha = attributes.integer("alpha")) {
        object->setAlpha(static_cast<unsigned char>(std::clamp(*alpha, 0, 255)));
    }
    if (auto background = attributes.color("background")) {
        object->setBackground(*background);
    }
    if (auto visible = attributes.flag("visible")) {
        object->setVisible(*visible);
    }
    if (auto enabled = attributes.flag("enabled")) {
        object->setEnabled(*enabled);
    }
    if (auto zOrder = attributes.integer("zOrder")) {
        object->setZOrder(*zOrder);
    }
    if (auto focusIndex = attributes.integer("focusIndex")) {
        object->setFocusIndex(*focusIndex);
    }
    if (auto interactive = attributes.flag("interactive")) {
        object->setInteractive(*interactive);
    }
    applyKind(object, attributes);
}

void DatasetLoader::applyLabel(Label* label, Attributes& attributes) {
    if (auto text = attributes.text("text")) {
        label->setText(*text);
    }
    if (auto key = attributes.text("textKey")) {
        label->setTextKey(*key);
    }
    applySample(label, attributes);
    if (auto font = attributes.text("font")) {
        label->setFont(*font);
    }
    if (auto color = attributes.color("textColor")) {
        label->setTextColor(*color);
    }
    if (auto align = attributes.choice("align", {"left", "center", "right", "leftWrapped", "centerWrapped",
                                                 "rightWrapped", "justified"})) {
        label->setAlignment(static_cast<fonts::Horizontal>(*align));
    }
    if (auto valign = attributes.choice("valign", {"top", "center", "bottom"})) {
        label->setVerticalAlignment(static_cast<fonts::Vertical>(*valign));
    }
    if (auto effect = attributes.choice("effect", {"none", "border", "shadow"})) {
        label->setEffect(static_cast<fonts::Effect>(*effect));
    }
    if (auto color = attributes.color("effectColor")) {
        label->setEffectColor(*color);
    }
    if (auto markup = attributes.flag("markup")) {
        label->setMarkup(*markup);
    }
    if (auto ellipsis = attributes.flag("ellipsis")) {
        label->setEllipsis(*ellipsis);
    }
    if (auto shrink = attributes.number("shrink")) {
        label->setShrinkLimit(std::clamp(*shrink, 0.25f, 1.0f));
    }
}

// A stand-in for what the screen shows: a literal or a text key, shown only by the tools.
void DatasetLoader::applySample(Label* label, Attributes& attributes) {
    auto text = attributes.text("sampleText");
    auto key = attributes.text("sampleTextKey");
    if (!text && !key) {
        return;
    }
    if (getSampleMode() == SampleMode::Marked) {
        label->setText(SampleMark);
    } else if (getSampleMode() == SampleMode::Shown && key) {
        label->setTextKey(*key);
    } else if (getSampleMode() == SampleMode::Shown) {
        label->setText(*text);
    }
}

void DatasetLoader::applyKind(Object* object, Attributes& attributes) {
    const pugi::xml_node& node = attributes.getNode();
    if (auto* box = dynamic_cast<ImageBox*>(object)) {
        if (auto keep = attributes.flag("keepAspect")) {
            box->setKeepAspect(*keep);
        }
        if (auto autoSize = attributes.flag("autoSize")) {
            box->setAutoSize(*autoSize);
        }
        if (auto image = attributes.text("image")) {
            setImage(node, *image, [box](const kit::String& name) { box->setImage(name); });
        }
    }
    if (auto* label = dynamic_cast<Label*>(object)) {
        applyLabel(label, attributes);
    }
    if (auto* edit = dynamic_cast<EditBox*>(object)) {
        if (auto key = attributes.text("emptyTextKey")) {
            edit->setEmptyTextKey(*key);
        }
        if (auto maxLength = attributes.integer("maxLength")) {
            edit->setMaxLength(std::max(*maxLength, 0));
        }
    }
    if (auto* button = dynamic_cast<ImageButton*>(object)) {
        if (auto image = attributes.text("image")) {
            setImage(node, *image, [button](const kit::String& name) { button->setImage(name); });
        }
        if (auto image = attributes.text("hoverImage")) {
            setImage(node, *image, [button](const kit::String& name) { button->setHoverImage(name); });
        }
        if (auto image = attributes.text("pushedImage")) {
            setImage(node, *image, [button](const kit::String& name) { button->setPushedImage(name); });
        }
        if (auto image = attributes.text("disabledImage")) {
            setImage(node, *image, [button](const kit::String& name) { button->setDisabledImage(name); });
        }
        implyImage(button->getImageName(), "_hover", button->getHoverImageName(),
                   [button](const kit::String& name) { button->setHoverImage(name); });
        implyImage(button->getImageName(), "_pushed", button->getPushedImageName(),
                   [button](const kit::String& name) { button->setPushedImage(name); });
        implyImage(button->getImageName(), "_disabled", button->getDisabledImageName(),
                   [button](const kit::String& name) { button->setDisabledImage(name); });
    }
    if (auto* toggle = dynamic_cast<ToggleButton*>(object)) {
        if (auto image = attributes.text("toggledImage")) {
            setImage(node, *image, [toggle](const kit::String& name) { toggle->setToggledImage(name); });
        }
        if (auto image = attributes.text("toggledHoverImage")) {
            setImage(node, *image, [toggle](const kit::String& name) { toggle->setToggledHoverImage(name); });
        }
        if (auto image = attributes.text("toggledPushedImage")) {
            setImage(node, *image,
                     [toggle](const kit::String& name) { toggle->setToggledPushedImage(name); });
        }
        if (auto image = attributes.text("toggledDisabledImage")) {
            setImage(node, *image,
                     [toggle](const kit::String& name) { toggle->setToggledDisabledImage(name); });
        }
        implyImage(toggle->getToggledImageName(), "_hover", toggle->getToggledHoverImageName(),
                   [toggle](const kit::String& name) { toggle->setToggledHoverImage(name); });
        implyImage(toggle->getToggledImageName(), "_pushed", toggle->getToggledPushedImageName(),
                   [toggle](const kit::String& name) { toggle->setToggledPushedImage(name); });
        implyImage(toggle->getToggledImageName(), "_disabled", toggle->getToggledDisabledImageName(),
                   [toggle](const kit::String& name) { toggle->setToggledDisabledImage(name); });
        if (auto toggled = attributes.flag("toggled")) {
            toggle->setToggled(*toggled);
        }
    }
    if (auto* area = dynamic_cast<ScrollArea*>(object)) {
        if (auto drag = attributes.flag("drag")) {
            area->setDrag(*drag);
        }
        if (auto bar = attributes.flag("scrollBar")) {
            area->setScrollBar(*bar);
        }
    }
    if (auto* bar = dynamic_cast<ProgressBar*>(object)) {
        if (auto image = attributes.text("image")) {
            setImage(node, *image, [bar](const kit::String& name) { bar->setImage(name); });
        }
        if (auto image = attributes.text("progressImage")) {
            setImage(node, *image, [bar](const kit::String& name) { bar->setProgressImage(name); });
        }
        if (auto progress = attributes.number("progress")) {
            bar->setProgress(*progress);
        }
        if (auto draggable = attributes.flag("draggable")) {
            bar->setDraggable(*draggable);
        }
    }
}

}  // namespace gui::internal
