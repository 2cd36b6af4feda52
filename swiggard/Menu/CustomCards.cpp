#include "Menu/CustomCards.h"

#include <fonts/Fonts.h>
#include <fonts/Renderer.h>
#include <gui/Dataset.h>
#include <gui/EditBox.h>
#include <gui/ScrollArea.h>
#include <kit/Format.h>
#include <kit/Random.h>
#include <kit/Strings.h>
#include <ventrel/Platform.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/SceneManager.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "Game/CustomCard.h"
#include "System/Core.h"
#include "System/DataManager.h"
#include "System/Globals.h"
#include "System/Navigation.h"
#include "System/Objects.h"
#include "System/TempState.h"

namespace Menu {

namespace {

const char* const TextBox = "text_card_text_";
const char* const DeleteButton = "button_card_delete_";
const char* const IconButton = "button_card_icon_";
const char* const DrinksButton = "button_card_drinks_";
const host::Color MissingTextColor("FF0000");
const host::Color TextColor("4F4F4F");

}  // namespace

CustomCards::CustomCards(ventrel::system::Context* owner) : Base(owner, "menu/custom_cards") {
    confirmObjectName = "button_ok";
    cancelObjectName = "button_ok";
    setAutoFocusMode(30, 4, false);
}

CustomCards::~CustomCards() = default;

ventrel::system::Contract CustomCards::getContract() const {
    using Kind = ventrel::system::Contract::Kind;
    return Base::getContract()
        .add({"container_card_%d", Kind::Object, 0, Rows - 1})
        .add({"text_card_text_%d", Kind::EditBox, 0, Rows - 1})
        .add({"button_card_delete_%d", Kind::Button, 0, Rows - 1})
        .add({"button_card_icon_%d", Kind::Button, 0, Rows - 1})
        .add({"image_card_icon_%d", Kind::ImageBox, 0, Rows - 1})
        .add({"button_card_drinks_%d", Kind::Button, 0, Rows - 1})
        .add({"label_card_drinks_%d", Kind::Label, 0, Rows - 1})
        .add({"button_add_card", Kind::Button})
        .add({"button_mail", Kind::Button})
        .add({"button_ok", Kind::Button})
        .add({"scroll_area", Kind::ScrollArea})
        .add({"scroll_container", Kind::Object});
}

void CustomCards::_setupDataset() {
    Base::_setupDataset();
    System::Core* core = System::core();
    rowPitch = core && core->isMobile() ? 110.0f : 120.0f;
    cards = Game::CustomCard::loadCustomCards();
    const char* const focusOrder[] = {DeleteButton, TextBox, IconButton, DrinksButton};
    for (int row = 0; row < Rows; ++row) {
        for (int slot = 0; slot < 4; ++slot) {
            if (gui::Object* object = getObject(System::slotName(focusOrder[slot], row))) {
                object->setFocusIndex(4 * row + slot);
            }
        }
        _watchEditBox(row);
    }
    const std::pair<const char*, int> buttons[] = {
        {"button_add_card", 24}, {"button_mail", 28}, {"button_ok", 29}};
    for (const auto& [name, focus] : buttons) {
        if (gui::Object* object = getObject(name)) {
            object->setFocusIndex(focus);
        }
    }
}

bool CustomCards::fitsCardDialog(const kit::String& text) {
    if (!fonts::renderer) {
        return true;
    }
    kit::String font = kit::format("default:%.3f", CardTextScale * CardTextShrink);
    return fonts::renderer->getTextHeight(kit::escapeText(text), font, CardTextWidth,
                                          fonts::Horizontal::CenterWrapped) <= CardTextHeight;
}

// Leaving a box keeps and stores its text; an empty card turns red again once it loses the focus.
void CustomCards::_watchEditBox(int row) {
    kit::String name = System::slotName(TextBox, row);
    if (auto* box = dynamic_cast<gui::EditBox*>(getObject(name))) {
        box->setAcceptor(fitsCardDialog);
    }
    System::onEditBoxFocus(this, name, [this, row] { _refreshTextColor(row); });
    System::watchEditBox(this, name, [this] {
        _collect();
        _store();
        refresh();
    });
}

void CustomCards::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_add_card", &CustomCards::_addCard);
    bind("button_mail", &CustomCards::_mail);
    bind("button_ok", &CustomCards::_back);
    for (int row = 0; row < Rows; ++row) {
        bind(System::slotName(DeleteButton, row), &CustomCards::_deleteCard);
        bind(System::slotName(IconButton, row), &CustomCards::_pickIcon);
        bind(System::slotName(DrinksButton, row), &CustomCards::_stepDrinks);
    }
}

int CustomCards::_firstVisibleForScroll() const {
    auto* area = dynamic_cast<gui::ScrollArea*>(getObject("scroll_area"));
    if (!area || rowPitch <= 0.0f) {
        return 0;
    }
    int first = static_cast<int>(std::floor(area->getScrollOffset().y / rowPitch));
    int last = std::max(0, static_cast<int>(cards.size()) - Rows);
    return std::clamp(first, 0, last);
}

// The six rows travel with the list: when it has scrolled by a whole row they show the next cards.
// The focus stays on its card, so that a controller walks the list instead of running away with it.
void CustomCards::_updateLogic() {
    Base::_updateLogic();
    int first = _firstVisibleForScroll();
    if (first == firstVisible) {
        return;
    }
    _collect();
    gui::Object* focused = getDataset() ? getDataset()->getFocusedObject() : nullptr;
    int shift = first - firstVisible;
    refresh();
    if (!focused) {
        return;
    }
    for (const char* prefix : {DeleteButton, TextBox, IconButton, DrinksButton}) {
        if (!kit::startsWith(focused->getName(), prefix)) {
            continue;
        }
        int row = kit::toInt(focused->getName().substr(std::strlen(prefix))) - shift;
        gui::Object* same = row >= 0 && row < Rows ? getObject(System::slotName(prefix, row)) : nullptr;
        if (same && same->isDerivedVisible()) {
            getDataset()->setFocusedObject(same);
        } else {
            getDataset()->removeFocus();
        }
        return;
    }
}

void CustomCards::_collect() {
    for (int row = 0; row < Rows; ++row) {
        int index = firstVisible + row;
        if (index >= static_cast<int>(cards.size())) {
            return;
        }
        cards[index]->setText(System::getLabelText(this, System::slotName(TextBox, row)));
    }
}

void CustomCards::_store() {
    Game::CustomCard::storeCustomCards(cards);
}

void CustomCards::refresh() {
    int count = static_cast<int>(cards.size());
    gui::Object* content = getObject("scroll_container");
    gui::Object* first = getObject("container_card_0");
    if (content && first) {
        content->setHeight(static_cast<float>(std::max(0, count - 1)) * rowPitch + first->getHeight());
    }
    firstVisible = _firstVisibleForScroll();
    bool anyEmptyShown = false;
    for (int row = 0; row < Rows; ++row) {
        _refreshRow(row);
        int index = firstVisible + row;
        anyEmptyShown = anyEmptyShown || (index < count && cards[index]->getText().empty());
    }
    bool anyText =
        std::any_of(cards.begin(), cards.end(), [](const auto& c) { return !c->getText().empty(); });
    System::setVisible(this, "button_add_card", count < MaxCards);
    System::setEnabled(this, "button_add_card", !anyEmptyShown);
    System::setEnabled(this, "button_mail", anyText);
    Base::refresh();
}

void CustomCards::_refreshRow(int row) {
    int index = firstVisible + row;
    bool shown = index < static_cast<int>(cards.size());
    kit::String container = System::slotName("container_card_", row);
    System::setVisible(this, container, shown);
    if (!shown) {
        return;
    }
    if (gui::Object* object = getObject(container)) {
        object->setY(static_cast<float>(index) * rowPitch);
    }
    const Game::CustomCard* card = cards[index].get();
    kit::String box = System::slotName(TextBox, row);
    gui::Object* boxObject = getObject(box);
    bool focused = boxObject && boxObject->isFocused();
    // What is being typed stays where the caret is.
    if (!focused) {
        System::setText(this, box, card->getText());
    }
    _refreshTextColor(row);
    System::setImage(this, System::slotName("image_card_icon_", row), "game.fields/" + card->getImageName());
    System::setText(this, System::slotName("label_card_drinks_", row), kit::toString(card->getDrinks()));
}

// An empty card is red until it is typed into.
void CustomCards::_refreshTextColor(int row) {
    int index = firstVisible + row;
    kit::String box = System::slotName(TextBox, row);
    gui::Object* boxObject = getObject(box);
    bool focused = boxObject && boxObject->isFocused();
    bool missing = index < static_cast<int>(cards.size()) && cards[index]->getText().empty() && !focused;
    System::setTextColor(this, box, missing ? MissingTextColor : TextColor);
}

int CustomCards::_cardOf(const gui::Object* button, const kit::String& prefix) const {
    if (!button || !kit::startsWith(button->getName(), prefix)) {
        return -1;
    }
    int index = firstVisible + kit::toInt(button->getName().substr(prefix.size()));
    return index < static_cast<int>(cards.size()) ? index : -1;
}

void CustomCards::_addCard() {
    _collect();
    const kit::Array<kit::String>& icons = System::dataManager->getCustomCardIcons();
    if (static_cast<int>(cards.size()) >= MaxCards || icons.empty()) {
        return;
    }
    int id = -static_cast<int>(cards.size() + 1);
    cards.push_back(
        std::make_unique<Game::CustomCard>(id, kit::random(1, MaxDrinks + 1), kit::randomElement(icons), ""));
    _store();
    refresh();
    if (auto* area = dynamic_cast<gui::ScrollArea*>(getObject("scroll_area"))) {
        area->setScrollOffset(area->getMaxScrollOffset());
        refresh();
    }
    _focusCardText(static_cast<int>(cards.size()) - 1);
}

// The new card takes the keys at once: what is typed next is its text, Space included.
void CustomCards::_focusCardText(int index) {
    int row = index - firstVisible;
    gui::Object* box = row >= 0 && row < Rows ? getObject(System::slotName(TextBox, row)) : nullptr;
    if (box && getDataset()) {
        getDataset()->setFocusedObject(box);
        _refreshTextColor(row);
    }
}

bool CustomCards::_deleteCard(gui::Object* button) {
    _collect();
    int index = _cardOf(button, DeleteButton);
    if (index < 0) {
        return true;
    }
    cards.erase(cards.begin() + index);
    for (int k = index; k < static_cast<int>(cards.size()); ++k) {
        cards[k]->setId(-(k + 1));
    }
    _store();
    refresh();
    return true;
}

bool CustomCards::_stepDrinks(gui::Object* button) {
    _collect();
    int index = _cardOf(button, DrinksButton);
    if (index >= 0) {
        cards[index]->setDrinks(cards[index]->getDrinks() % MaxDrinks + 1);
        _store();
        refresh();
    }
    return true;
}

bool CustomCards::_pickIcon(gui::Object* button) {
    _collect();
    int index = _cardOf(button, IconButton);
    if (index >= 0) {
        ventrel::sceneManager->showDialog(IconPicker, this, this, "", IconContext + kit::toString(index));
    }
    return true;
}

void CustomCards::dialogResult(const kit::String& dialog, int button, const kit::String& context) {
    if (dialog != IconPicker || !kit::startsWith(context, IconContext)) {
        Base::dialogResult(dialog, button, context);
        return;
    }
    int index = kit::toInt(context.substr(IconContext.size()));
    const kit::Array<kit::String>& icons = System::dataManager->getCustomCardIcons();
    if (index < 0 || index >= static_cast<int>(cards.size()) || button < 0 ||
        button >= static_cast<int>(icons.size())) {
        return;
    }
    cards[index]->setImageName(icons[button]);
    _store();
    refresh();
}

// Line breaks go in as they are: the mail hand-off percent-encodes them (as %0D) with everything else.
kit::String CustomCards::composeMailBody(const Game::CustomCard::Cards& cards) {
    kit::Array<kit::String> texts;
    for (const auto& card : cards) {
        if (!card->getText().empty()) {
            texts.push_back(card->getText());
        }
    }
    return MailGreeting + "\r\r" + kit::join(texts, "\r");
}

void CustomCards::_mail() {
    _collect();
    _store();
    kit::String address = System::configuredValue("CardsMail");
    if (!ventrel::platform::mailTo(address, MailSubject, composeMailBody(cards)) && System::tempState()) {
        System::tempState()->addNotification("{%f} gui.NotificationNoMail {" + kit::escapeText(address) + "}",
                                             "");
    }
}

void CustomCards::_back() {
    _collect();
    _store();
    System::goToScene("Scene::Extras");
}

}  // namespace Menu
