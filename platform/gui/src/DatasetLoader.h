#pragma once

#include <pugixml.hpp>

#include <set>
#include <unordered_map>
#include <utility>

#include "gui/Dataset.h"
#include "kit/Exception.h"
#include "kit/Types.h"
#include "quadrix/Vector2.h"

namespace gui {
class Animator;
class Label;
}  // namespace gui

namespace gui::internal {

// A data-set file that cannot be read; the message names the file and the line.
class LoadError : public kit::Exception {
public:
    using kit::Exception::Exception;
};

// Reads a data-set file (format: data/gui/README.md) into its data set through the data set's public
// operations. Every element and attribute is checked: an unknown one is an error, as is a value that
// does not parse. A picture that is missing is only a warning, so one lost file does not cost a screen.
class DatasetLoader {
public:
    explicit DatasetLoader(Dataset& dataset);
    // Throws LoadError.
    void load();

private:
    class Attributes;

    [[noreturn]] void fail(const pugi::xml_node& node, const kit::String& message) const;
    // Fails when the name was declared before in the file: a second declaration would replace the
    // first while objects and composite images still point at it.
    void declare(const pugi::xml_node& node, const char* kind, const kit::String& name);
    kit::String where(const pugi::xml_node& node) const;
    kit::String resourcePath(const kit::String& relative) const;

    void rememberOffsets(const pugi::xml_node& node);
    // Replaces every <Repeat> below the node by its copies.
    void expandRepeats(pugi::xml_node parent);
    void expandRepeat(pugi::xml_node node);
    void prepareCopy(const pugi::xml_node& source, pugi::xml_node copy, const kit::String& variable,
                     int number, const quadrix::Vector2& shift);
    void moveRect(pugi::xml_node node, const quadrix::Vector2& shift);
    void readDeclaration(const pugi::xml_node& node);
    void readStyle(const pugi::xml_node& node);
    void readTexture(const pugi::xml_node& node);
    void readImage(const pugi::xml_node& node);
    void readCompositeImage(const pugi::xml_node& node);
    void readAnimator(const pugi::xml_node& node);
    // Makes the object, attaches it under the parent (null: as the root) and reads its children.
    Object* readObject(const pugi::xml_node& node, Object* parent);
    void applyObject(Object* object, Attributes& attributes);
    void applyLabel(Label* label, Attributes& attributes);
    void applySample(Label* label, Attributes& attributes);
    void applyKind(Object* object, Attributes& attributes);
    // Sets an image through a setter; a missing picture is logged.
    template <class Setter>
    void implyImage(const kit::String& image, const char* suffix, const kit::String& current,
                    const Setter& setter);
    template <class Setter>
    void setImage(const pugi::xml_node& node, const kit::String& name, const Setter& setter);

    Dataset& dataset;
    kit::String content;
    kit::String folder;
    kit::Array<pugi::xml_node> animatorNodes;
    std::set<std::pair<kit::String, kit::String>> declared;
    // Where each element stands in the text; copies made by a repeat stand where their original does.
    std::unordered_map<const void*, long long> origins;
    int copiedNodes = 0;
    static constexpr int MaxRepeatCount = 1000;
    static constexpr int MaxRepeatedNodes = 20000;
};

}  // namespace gui::internal
