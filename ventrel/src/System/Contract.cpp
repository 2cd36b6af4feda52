#include "ventrel/system/Contract.h"

#include <gui/ButtonBase.h>
#include <gui/Container.h>
#include <gui/EditBox.h>
#include <gui/ImageBox.h>
#include <gui/Label.h>
#include <gui/ProgressBar.h>
#include <gui/ScrollArea.h>
#include <gui/ToggleButton.h>
#include <kit/Format.h>
#include <kit/Strings.h>

#include <cctype>

namespace ventrel::system {

namespace {

// Only one "%d" or "%0Nd" makes an indexed entry; any other name is taken as it stands.
bool isIndexed(const kit::String& name) {
    size_t percent = name.find('%');
    if (percent == kit::String::npos || name.find('%', percent + 1) != kit::String::npos) {
        return false;
    }
    kit::String format = name.substr(percent + 1, 3);
    return kit::startsWith(format, "d") ||
           (format.size() == 3 && format[0] == '0' && std::isdigit(static_cast<unsigned char>(format[1])) &&
            format[2] == 'd');
}

}  // namespace

Contract& Contract::add(const Contract& other) {
    entries.insert(entries.end(), other.entries.begin(), other.entries.end());
    return *this;
}

Contract& Contract::add(const Entry& entry) {
    entries.push_back(entry);
    return *this;
}

kit::Array<std::pair<kit::String, Contract::Kind>> Contract::expand() const {
    kit::Array<std::pair<kit::String, Kind>> names;
    for (const Entry& entry : entries) {
        if (!isIndexed(entry.name)) {
            names.emplace_back(entry.name, entry.kind);
            continue;
        }
        for (int index = entry.first; index <= entry.last; ++index) {
            names.emplace_back(kit::format(entry.name.c_str(), index), entry.kind);
        }
    }
    return names;
}

kit::Array<kit::String> Contract::check(const gui::Dataset& dataset) const {
    kit::Array<kit::String> errors;
    for (const auto& [name, kind] : expand()) {
        kit::String expected = getKindName(kind);
        bool animator = kind == Kind::Animator;
        if (animator ? !dataset.hasAnimator(name) : !dataset.hasObject(name)) {
            errors.push_back(dataset.getFilePath() + ": object '" + name + "' is missing; expected " +
                             expected);
        } else if (!animator && !matches(dataset.getObject(name), kind)) {
            errors.push_back(dataset.getFilePath() + ": object '" + name + "' is " +
                             dataset.getObject(name)->getKindName() + "; expected " + expected);
        }
    }
    return errors;
}

const char* Contract::getKindName(Kind kind) {
    switch (kind) {
        case Kind::Object:
            return "Object";
        case Kind::Container:
            return "Container";
        case Kind::ImageBox:
            return "ImageBox";
        case Kind::Label:
            return "Label";
        case Kind::EditBox:
            return "EditBox";
        case Kind::Button:
            return "Button";
        case Kind::ToggleButton:
            return "ToggleButton";
        case Kind::ScrollArea:
            return "ScrollArea";
        case Kind::ProgressBar:
            return "ProgressBar";
        case Kind::Animator:
            return "Animator";
    }
    return "Object";
}

bool Contract::matches(const gui::Object* object, Kind kind) {
    switch (kind) {
        case Kind::Object:
            return object != nullptr;
        case Kind::Container:
            return dynamic_cast<const gui::Container*>(object) != nullptr;
        case Kind::ImageBox:
            return dynamic_cast<const gui::ImageBox*>(object) != nullptr;
        case Kind::Label:
            return dynamic_cast<const gui::Label*>(object) != nullptr;
        case Kind::EditBox:
            return dynamic_cast<const gui::EditBox*>(object) != nullptr;
        case Kind::Button:
            return dynamic_cast<const gui::ButtonBase*>(object) != nullptr;
        case Kind::ToggleButton:
            return dynamic_cast<const gui::ToggleButton*>(object) != nullptr;
        case Kind::ScrollArea:
            return dynamic_cast<const gui::ScrollArea*>(object) != nullptr;
        case Kind::ProgressBar:
            return dynamic_cast<const gui::ProgressBar*>(object) != nullptr;
        case Kind::Animator:
            return false;
    }
    return false;
}

}  // namespace ventrel::system
