#include "Menu/InGame/Story.h"

#include <kit/Strings.h>

#include "Game/Player.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/Objects.h"

namespace Menu::InGame {

namespace {

using Kind = Game::GameLog::Kind;
using Entry = Game::GameLog::Entry;

const char* const RowPrefix = "container_story_row_";

const Game::Player* playerAt(int seat) {
    System::GameState* game = &System::game();
    if (seat < 0 || seat >= static_cast<int>(game->getPlayers().size())) {
        return nullptr;
    }
    return game->getPlayers()[static_cast<size_t>(seat)];
}

kit::String richNameAt(int seat) {
    const Game::Player* player = playerAt(seat);
    return player ? player->getRichName() : kit::String("?");
}

// "{%f} key {name} {figures…}"
kit::String told(const char* key, int seat, std::initializer_list<kit::String> figures = {}) {
    kit::String line = "{%f} gui." + kit::String(key) + " " + System::literal(richNameAt(seat));
    for (const kit::String& figure : figures) {
        line += " " + System::literal(figure);
    }
    return line;
}

kit::String noticeLine(const Entry& entry) {
    switch (entry.detail) {
        case Game::GameLog::Drivers:
            return "gui.LogDrivers";
        case Game::GameLog::WaterRound:
            return "gui.LogWaterRound";
        case Game::GameLog::Limit:
            return told("LogLimit", entry.seat);
        default:
            return told("LogGlass", entry.seat);
    }
}

kit::String answerLine(const Entry& entry) {
    switch (entry.detail) {
        case Game::GameLog::Accepted:
            return told("LogAccepted", entry.seat);
        case Game::GameLog::Refused:
            return told("LogRefused", entry.seat);
        default:
            return told("LogAnswered", entry.seat);
    }
}

}  // namespace

Story::Story(ventrel::system::Context* owner) : Base(owner, "menu/ingame/story") {
    confirmObjectName = "button_story_back";
    cancelObjectName = "button_story_back";
    visibleOnSetup = false;
    setAutoFocusMode(3, 3, false);
}

ventrel::system::Contract Story::getContract() const {
    using ContractKind = ventrel::system::Contract::Kind;
    ventrel::system::Contract contract = Base::getContract();
    contract.add({"container_story_row_%d", ContractKind::Object, 0, RowSlots - 1})
        .add({"story_color_%d", ContractKind::Object, 0, RowSlots - 1})
        .add({"image_story_character_%d", ContractKind::ImageBox, 0, RowSlots - 1})
        .add({"image_story_icon_%d", ContractKind::ImageBox, 0, RowSlots - 1})
        .add({"label_story_%d", ContractKind::Label, 0, RowSlots - 1});
    return contract.add({"scroll_area", ContractKind::ScrollArea})
        .add({"label_story_page", ContractKind::Label})
        .add({"label_story_empty", ContractKind::Label})
        .add({"button_story_newer", ContractKind::Button})
        .add({"button_story_older", ContractKind::Button})
        .add({"button_story_back", ContractKind::Button});
}

void Story::_setupCallbacks() {
    Base::_setupCallbacks();
    bind("button_story_newer", &Story::_newer);
    bind("button_story_older", &Story::_older);
    bind("button_story_back", &Story::_back);
}

void Story::show() {
    page = 0;
    Base::show();
    refresh();
}

int Story::_pageCount() const {
    int size = System::game().getLog().size();
    return std::max(1, (size + RowSlots - 1) / RowSlots);
}

void Story::refresh() {
    const Game::GameLog& log = System::game().getLog();
    int size = log.size();
    page = std::clamp(page, 0, _pageCount() - 1);
    int newest = size - 1 - page * RowSlots;
    int shown = 0;
    for (int index = newest; index >= 0 && shown < RowSlots; --index) {
        if (std::optional<Entry> entry = log.at(index)) {
            _refreshRow(shown++, *entry);
        }
    }
    for (int row = 0; row < RowSlots; ++row) {
        System::setVisible(this, System::slotName(RowPrefix, row), row < shown);
    }
    System::fitScrollContent(this, "scroll_area", System::slotName(RowPrefix, 1), shown);
    System::setVisible(this, "label_story_empty", size == 0);
    System::setVisible(this, "label_story_page", size > 0);
    int first = size - newest;
    System::setTextKey(this, "label_story_page",
                       "{%f} gui.LogPage {" + kit::toString(first) + "} {" +
                           kit::toString(std::min(size, first + RowSlots - 1)) + "} {" + kit::toString(size) +
                           "}");
    System::setEnabled(this, "button_story_newer", page > 0);
    System::setEnabled(this, "button_story_older", page + 1 < _pageCount());
    Base::refresh();
}

void Story::_refreshRow(int row, const Entry& entry) {
    const Game::Player* player = playerAt(entry.seat);
    if (gui::Object* swatch = getObject(System::slotName("story_color_", row))) {
        swatch->setBackground(player ? host::Color(player->getDisplayColor()) : host::Color("00000000"));
    }
    kit::String character = System::slotName("image_story_character_", row);
    System::setVisible(this, character, player != nullptr);
    if (player) {
        System::setImage(this, character, "gui.character_icons/" + player->getCharacter());
    }
    kit::String icon = iconOf(entry);
    kit::String iconName = System::slotName("image_story_icon_", row);
    System::setVisible(this, iconName, !icon.empty());
    if (!icon.empty()) {
        System::setImage(this, iconName, icon);
    }
    System::setTextKey(this, System::slotName("label_story_", row), lineOf(entry));
}

kit::String Story::lineOf(const Entry& entry) {
    kit::String amount = kit::toString(entry.amount);
    switch (entry.kind) {
        case Kind::Roll:
            return told("LogRoll", entry.seat, {amount});
        case Kind::Landing:
            return told("LogLanding", entry.seat, {amount});
        case Kind::Question:
            return told("LogQuestion", entry.seat);
        case Kind::Answer:
            return answerLine(entry);
        case Kind::Sips:
            return told("LogSips", entry.seat, {amount});
        case Kind::Water:
            return told("LogWater", entry.seat, {amount});
        case Kind::HandOut:
            return told("LogHandOut", entry.seat, {richNameAt(entry.detail), amount});
        case Kind::Move:
            return told("LogMove", entry.seat, {amount});
        case Kind::Skip:
            return told("LogSkip", entry.seat);
        case Kind::Lap:
            return told("LogLap", entry.seat, {amount});
        case Kind::DoubleStakes:
            return entry.detail != 0 ? "{%f} gui.LogDoubleStakes " + System::literal(amount)
                                     : kit::String("gui.LogNoDoubleStakes");
        case Kind::Notice:
            return noticeLine(entry);
        case Kind::Warning:
            return told("LogWarning", entry.seat);
    }
    return "";
}

kit::String Story::iconOf(const Entry& entry) {
    switch (entry.kind) {
        case Kind::Roll:
            return entry.amount >= 1 && entry.amount <= 6 ? "gui.dice/" + kit::toString(entry.amount)
                                                          : kit::String();
        case Kind::Landing:
        case Kind::Move: {
            const Game::Field* field = System::game().findField(entry.detail);
            return field && !field->icon.empty() ? "game.fields/" + field->icon : kit::String();
        }
        case Kind::Sips:
        case Kind::HandOut:
            return "game.fields/drink";
        case Kind::Water:
            return "gui.gui/badge_water";
        case Kind::Notice:
            return entry.detail == Game::GameLog::Drivers ? "gui.gui/taxi" : "game.fields/water";
        default:
            return "";
    }
}

void Story::_newer() {
    --page;
    refresh();
}

void Story::_older() {
    ++page;
    refresh();
}

void Story::_back() {
    hide();
    if (onBack) {
        onBack();
    }
}

}  // namespace Menu::InGame
