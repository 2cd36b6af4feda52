#include "System/Objects.h"

#include <gui/Dataset.h>
#include <gui/EditBox.h>
#include <gui/FunctionCallbackEvent.h>
#include <gui/ImageBox.h>
#include <gui/ImageButton.h>
#include <gui/Label.h>
#include <host/Window.h>
#include <kit/Log.h>
#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/Core.h>

#include <algorithm>

#include "Game/Player.h"

namespace System {

namespace {

template <class Kind>
Kind* find(const ventrel::system::Context* screen, const kit::String& name) {
    return screen ? dynamic_cast<Kind*>(screen->getObject(name)) : nullptr;
}

// A picture's look variant when it exists, else none (the button then shows the plain picture).
kit::String variant(const gui::Object* object, const kit::String& image, const kit::String& suffix) {
    gui::Dataset* dataset = object->getDataset();
    return dataset && dataset->hasImage(image + suffix) ? image + suffix : kit::String();
}

// Enter in a box: the keyboard moves on to what follows it, as Tab would, and only a button takes the
// focus, so that the arrows go on moving it; otherwise nothing keeps the focus.
void leaveBox(gui::Dataset& dataset, const gui::EditBox& box) {
    bool keyboard = host::window && host::window->getInputMode() == host::Window::InputMode::Keyboard;
    kit::Array<int> candidates = dataset.findPossibleFocusIndices(true);
    auto next = std::upper_bound(candidates.begin(), candidates.end(), box.getFocusIndex());
    for (; keyboard && box.getFocusIndex() >= 0 && next != candidates.end(); ++next) {
        if (!dynamic_cast<gui::EditBox*>(dataset.findFocusable(*next, true))) {
            dataset.trySetFocusedObjectByIndex(*next, true);
            return;
        }
    }
    dataset.removeFocus();
}

}  // namespace

void watchEditBox(ventrel::system::Context* screen, const kit::String& name, std::function<void()> left) {
    auto* box = find<gui::EditBox>(screen, name);
    if (!box) {
        return;
    }
    box->registerEvent(gui::Event::Submit, new gui::FunctionCallbackEvent([screen, box](gui::EventArgs*) {
                           if (screen->getDataset()) {
                               leaveBox(*screen->getDataset(), *box);
                           }
                           if (ventrel::core) {
                               ventrel::core->clickSound("");
                           }
                       }));
    // A refresh outside controller mode drops the focus; the box that Tab moved it to keeps it.
    box->registerEvent(gui::Event::FocusLost,
                       new gui::FunctionCallbackEvent([screen, left = std::move(left)](gui::EventArgs*) {
                           gui::Dataset* dataset = screen->getDataset();
                           gui::Object* next = dataset ? dataset->getFocusedObject() : nullptr;
                           left();
                           if (next && next->isDerivedVisible() && dataset->getFocusedObject() != next) {
                               dataset->setFocusedObject(next);
                           }
                       }));
}

void onEditBoxFocus(ventrel::system::Context* screen, const kit::String& name, std::function<void()> gained) {
    if (auto* box = find<gui::EditBox>(screen, name)) {
        box->registerEvent(
            gui::Event::FocusGained,
            new gui::FunctionCallbackEvent([gained = std::move(gained)](gui::EventArgs*) { gained(); }));
    }
}

void setText(const ventrel::system::Context* screen, const kit::String& name, const kit::String& text) {
    if (auto* label = find<gui::Label>(screen, name)) {
        label->setText(text);
    }
}

void setTextKey(const ventrel::system::Context* screen, const kit::String& name, const kit::String& key) {
    if (auto* label = find<gui::Label>(screen, name)) {
        label->setTextKey(key);
    }
}

void setPlainText(const ventrel::system::Context* screen, const kit::String& name, const kit::String& text) {
    if (auto* box = find<gui::EditBox>(screen, name)) {
        box->setText(text);
        return;
    }
    setText(screen, name, kit::escapeText(text));
}

kit::String getLabelText(const ventrel::system::Context* screen, const kit::String& name) {
    auto* label = find<gui::Label>(screen, name);
    return label ? label->getText() : kit::String();
}

void setTextColor(const ventrel::system::Context* screen, const kit::String& name, const host::Color& color) {
    if (auto* label = find<gui::Label>(screen, name)) {
        label->setTextColor(color);
    }
}

void setImage(const ventrel::system::Context* screen, const kit::String& name, const kit::String& image) {
    gui::Object* object = find<gui::Object>(screen, name);
    if (!object || !object->getDataset()) {
        return;
    }
    if (!object->getDataset()->hasImage(image)) {
        kit::Log::warn("data", "No picture " + image + " for " + name + "; it keeps the one it shows.");
        return;
    }
    if (auto* box = find<gui::ImageBox>(screen, name)) {
        box->setImage(image);
        return;
    }
    if (auto* button = find<gui::ImageButton>(screen, name)) {
        button->setImage(image);
        button->setHoverImage(variant(button, image, "_hover"));
        button->setPushedImage(variant(button, image, "_pushed"));
    }
}

kit::String getImage(const ventrel::system::Context* screen, const kit::String& name) {
    if (auto* box = find<gui::ImageBox>(screen, name)) {
        return box->getImageName();
    }
    if (auto* button = find<gui::ImageButton>(screen, name)) {
        return button->getImageName();
    }
    return "";
}

void fitScrollContent(const ventrel::system::Context* screen, const kit::String& area,
                      const kit::String& secondRow, int rows) {
    gui::Object* scrolled = find<gui::Object>(screen, area);
    gui::Object* second = find<gui::Object>(screen, secondRow);
    if (!scrolled || !second || scrolled->getChildren().empty() || rows <= 0) {
        return;
    }
    scrolled->getChildren().front()->setHeight(static_cast<float>(rows - 1) * second->getY() +
                                               second->getHeight());
}

void fitTextToScrollArea(const ventrel::system::Context* screen, const kit::String& label,
                         const kit::String& area) {
    auto* text = find<gui::Label>(screen, label);
    gui::Object* scrolled = find<gui::Object>(screen, area);
    if (!text || !scrolled) {
        return;
    }
    float height = text->getTextHeight();
    text->setHeight(height);
    if (!scrolled->getChildren().empty()) {
        scrolled->getChildren().front()->setHeight(text->getY() + height);
    }
}

void setVisible(const ventrel::system::Context* screen, const kit::String& name, bool visible) {
    if (gui::Object* object = find<gui::Object>(screen, name)) {
        object->setVisible(visible);
    }
}

void showMark(const ventrel::system::Context* screen, const kit::String& name, const Game::Player* player) {
    setVisible(screen, name, player != nullptr);
    if (player) {
        setImage(screen, name, player->getMarkImage());
    }
}

void showMarkBeside(const ventrel::system::Context* screen, const kit::String& name,
                    const kit::String& heading, const Game::Player* player) {
    showMark(screen, name, player);
    auto* mark = find<gui::Object>(screen, name);
    auto* label = find<gui::Label>(screen, heading);
    if (!mark || !label) {
        return;
    }
    constexpr float Gap = 12.0f;
    float textLeft = label->getX() + std::max(0.0f, (label->getWidth() - label->getTextWidth()) * 0.5f);
    mark->setX(textLeft - Gap - mark->getWidth());
}

void setEnabled(const ventrel::system::Context* screen, const kit::String& name, bool enabled) {
    if (gui::Object* object = find<gui::Object>(screen, name)) {
        object->setEnabled(enabled);
    }
}

bool isVisible(const ventrel::system::Context* screen, const kit::String& name) {
    gui::Object* object = find<gui::Object>(screen, name);
    return object && object->isVisible();
}

bool isAnimating(const ventrel::system::Context* screen, const kit::String& name) {
    gui::Object* object = find<gui::Object>(screen, name);
    return object && object->isAnimating();
}

}  // namespace System
