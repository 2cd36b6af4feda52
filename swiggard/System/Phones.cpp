#include "System/Phones.h"

#include <fonts/Markup.h>
#include <gui/Dataset.h>
#include <gui/Gui.h>
#include <gui/ImageBox.h>
#include <gui/ImageButton.h>
#include <gui/Label.h>
#include <kit/Format.h>
#include <kit/Log.h>
#include <kit/ResourceDir.h>
#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/menu/Dialog.h>
#include <ventrel/system/SceneManager.h>

#include <algorithm>
#include <cctype>
#include <cmath>

#include "Game/AlcoTestUnits.h"
#include "Game/Player.h"
#include "Menu/InGame/BacWarning.h"
#include "Menu/NewGame.h"
#include "Scene/Board.h"
#include "Scene/NewGame.h"
#include "System/Core.h"
#include "System/DataManager.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/TempState.h"

namespace System {

Phones* phones = nullptr;

namespace {

const kit::String ButtonPrefix = "button_dialog_";
const kit::String TextPrefix = "text_dialog_";
const kit::String WarningButton = "button_ok";
// What the pictures of the dialogs are called, and where the phones find them.
const kit::Array<std::pair<kit::String, kit::String>> PictureRoutes = {
    {"gui.character_icons/", "picture/character/"},
    {"game.fields/", "picture/field/"},
};

// The current scene as that class once it is set up and running; null while it is coming or going.
template <class Scene>
Scene* runningScene() {
    auto* scene = ventrel::sceneManager ? dynamic_cast<Scene*>(ventrel::sceneManager->getScene()) : nullptr;
    return scene && scene->isRunning() ? scene : nullptr;
}

Scene::Board* board() {
    return runningScene<Scene::Board>();
}

Menu::NewGame* newGameMenu() {
    auto* scene = runningScene<Scene::NewGame>();
    return scene ? scene->getNewGameMenu() : nullptr;
}

kit::String configured(const kit::String& key) {
    ventrel::CfgParser::Category* category = ventrel::cfg ? ventrel::cfg->getCategory("System") : nullptr;
    return category ? kit::trim(category->get(key)) : kit::String();
}

// "RRGGBBAA" as the phones take it.
kit::String webColor(const kit::String& color) {
    return color.substr(0, 6);
}

bool isRouteName(const kit::String& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    });
}

// The only files the phones can ask for: the page, its fonts and the pictures the dialogs show.
kit::Map<kit::String, kit::String> servedFiles() {
    kit::Map<kit::String, kit::String> files = {
        {"index.html", kit::ResourceDir::getPath("data/web/index.html")},
        {"app.js", kit::ResourceDir::getPath("data/web/app.js")},
        {"app.css", kit::ResourceDir::getPath("data/web/app.css")},
        {"font/default.ttf", kit::ResourceDir::getPath("data/gui/fonts/NulaDosis-Regular.ttf")},
        {"font/special.ttf", kit::ResourceDir::getPath("data/gui/fonts/texgyreadventor-bold.otf")},
    };
    const std::pair<const char*, const char*> folders[] = {
        {"data/gui/images/gui/character_icons", "picture/character/"},
        {"data/gui/images/game/fields", "picture/field/"},
    };
    for (const auto& [folder, route] : folders) {
        for (const kit::String& file : kit::ResourceDir::files(folder)) {
            kit::String name = kit::endsWith(file, ".png") ? file.substr(0, file.size() - 4) : "";
            if (isRouteName(name)) {
                files[kit::String(route) + file] =
                    kit::ResourceDir::getPath(kit::String(folder) + "/" + file);
            }
        }
    }
    return files;
}

// The dialog the TV asks now: shown and holding its owner's input (one that is closing does not).
const ventrel::menu::Dialog* openDialog() {
    if (!ventrel::sceneManager) {
        return nullptr;
    }
    for (const ventrel::menu::Dialog* dialog : ventrel::sceneManager->getDialogs()) {
        if (dialog->isVisible() && dialog->getOwner() && dialog->getOwner()->getModalMenu() == dialog) {
            return dialog;
        }
    }
    return nullptr;
}

// The blood-alcohol warning while it waits for its OK.
const ventrel::system::Context* openWarning() {
    Scene::Board* scene = board();
    const Menu::InGame::BacWarning* warning = scene ? scene->getBacWarning() : nullptr;
    return warning && warning->isVisible() && warning->isInputAllowed() ? warning : nullptr;
}

// The colour a name is drawn in ("[c=RRGGBB]…"), empty for plain text.
kit::String markupColor(const kit::String& text) {
    const kit::String opening = "[c=";
    bool coloured = kit::startsWith(text, opening) && text.size() >= opening.size() + 6 &&
                    std::all_of(text.begin() + 3, text.begin() + 9,
                                [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); });
    return coloured ? text.substr(opening.size(), 6) : kit::String();
}

kit::String shownText(const gui::Label& label) {
    kit::String text = label.getText();
    return label.isMarkup() ? fonts::Markup::plainText(text) : text;
}

int indexOf(const Game::Player* player) {
    return gameState()->seatOf(player);
}

Game::Player* playerOf(const kit::String& token) {
    GameState* game = gameState();
    if (!game || token.empty()) {
        return nullptr;
    }
    for (Game::Player* player : game->getPlayers()) {
        if (player->getPhoneToken() == token) {
            return player;
        }
    }
    return nullptr;
}

}  // namespace

void applyPhoneBody(const lan::Message& message, Game::AlcoTestData& data) {
    using Units = Game::AlcoTestUnits;
    using Metric = Game::AlcoTestData::UnitSystem;
    if (message.stomach) {
        data.setStomach(Game::AlcoTestData::Stomach::fromName("stomach_" + *message.stomach));
    }
    if (message.strength) {
        data.setPermille(std::min(*message.strength, Game::AlcoTestData::MaxPermille));
    }
    if (message.volume) {
        data.setVolume(Units::volumeFromDisplay(static_cast<float>(*message.volume), Metric::Metric));
    }
    if (message.weight) {
        data.setWeight(Units::weightFromDisplay(static_cast<float>(*message.weight), Units::getUnitSystem()));
    }
}

bool Phones::isEnabled() const {
    return kit::toBool(profile().get(Setting));
}

void Phones::setEnabled(bool enabled) {
    profile().set(Setting, enabled ? "1" : "0");
    profile().save();
    failed = false;
}

kit::String Phones::getJoinAddress() const {
    return server.isRunning() ? server.getJoinAddress() : kit::String();
}

// The server runs on through the switch from the new-game screen to the board.
kit::String Phones::_screen() const {
    ventrel::scene::Base* scene = ventrel::sceneManager ? ventrel::sceneManager->getScene() : nullptr;
    if (dynamic_cast<Scene::Board*>(scene)) {
        return "game";
    }
    return dynamic_cast<Scene::NewGame*>(scene) ? "lobby" : "";
}

void Phones::stop() {
    if (!server.isRunning()) {
        return;
    }
    server.stop();
    code = lan::QrCode();
    ++codeGeneration;
    answer = roll = Pending();
    kit::Log::debug(LogTag, "Phones stopped.");
}

void Phones::update() {
    kit::String screen = _screen();
    if (!isEnabled() || screen.empty() || !gameState()) {
        stop();
        failed = false;
        return;
    }
    if (!server.isRunning() && !_start()) {
        return;
    }
    for (const lan::Message& message : server.takeMessages()) {
        _apply(message);
    }
    const ventrel::menu::Dialog* dialog = openDialog();
    _trackQuestion(dialog);
    _carryOutPending();
    server.publish(_view());
}

// Tried once per screen: a machine without a network is told once, not in every frame.
bool Phones::_start() {
    if (failed && failedScreen == _screen()) {
        return false;
    }
    GameState* game = gameState();
    lan::Server::Options options;
    options.address = configured("PhonesAddress");
    options.secret = game->getPhoneSecret();
    options.files = servedFiles();
    if (!server.start(options)) {
        failed = true;
        failedScreen = _screen();
        kit::Log::warn(LogTag, "Phones cannot join: " + server.getError());
        if (TempState* temp = tempState()) {
            temp->addNotification("gui.LanNoNetwork", "");
        }
        return false;
    }
    failed = false;
    game->setPhoneSecret(server.getSecret());
    code = lan::QrCode::encode(server.getJoinAddress());
    ++codeGeneration;
    kit::Log::write(LogTag, "Phones can join at " + server.getAddress());
    return true;
}

void Phones::release(Game::Player* player) {
    if (!player || !player->hasPhone()) {
        return;
    }
    _notify(player->getPhoneToken(), "PhoneNoticeReleased");
    player->setPhoneToken("");
    if (Menu::NewGame* menu = newGameMenu()) {
        menu->refresh();
    }
}

void Phones::_notify(const kit::String& token, const kit::String& key) {
    gui::Dataset* texts = gui::getDataset("gui");
    if (!token.empty() && texts) {
        notices[token] = {texts->getText(key), gui::getTime() + NoticeSeconds};
    }
}

void Phones::_apply(const lan::Message& message) {
    if (message.kind == lan::Message::Kind::Join) {
        _join(message);
        return;
    }
    Game::Player* player = playerOf(message.token);
    if (!player) {
        return;
    }
    int row = indexOf(player);
    switch (message.kind) {
        case lan::Message::Kind::Player:
        case lan::Message::Kind::Body:
            _choose(message, player);
            break;
        case lan::Message::Kind::Leave:
            player->setPhoneToken("");
            if (Menu::NewGame* menu = newGameMenu()) {
                menu->refresh();
            }
            break;
        case lan::Message::Kind::Roll:
            if (rollOpen && message.id == rollId && gameState()->getCurrentPlayer() == player) {
                roll = {message.id, -1};
            }
            break;
        case lan::Message::Kind::Answer:
            if (message.id == questionId && (questionGroup || questionRow == row)) {
                answer = {message.id, message.button};
            }
            break;
        default:
            break;
    }
}

// A free row, or a new one on the new-game screen; the first phone to ask gets it.
void Phones::_join(const lan::Message& message) {
    GameState* game = gameState();
    Menu::NewGame* menu = newGameMenu();
    int row = message.row;
    if (row < 0) {
        row = menu ? menu->addRow() : -1;
    }
    Game::Player* player =
        row >= 0 && row < static_cast<int>(game->getPlayers().size()) ? game->getPlayers()[row] : nullptr;
    if (!player || player->hasPhone()) {
        _notify(message.token, "PhoneNoticeRowTaken");
        return;
    }
    player->setPhoneToken(message.token);
    if (menu) {
        menu->refresh();
    }
    kit::Log::debug(LogTag, kit::format("A phone plays for row %d.", row + 1));
}

// Before the game the new-game rows take the choices, as if made at the TV; during it only the body
// data can change.
void Phones::_choose(const lan::Message& message, Game::Player* player) {
    Menu::NewGame* menu = newGameMenu();
    if (menu) {
        if (!menu->applyChoices(indexOf(player), message)) {
            _notify(message.token, "PhoneNoticeNameShortened");
        }
        return;
    }
    if (message.kind == lan::Message::Kind::Body) {
        applyPhoneBody(message, *player->getAlcoTestData());
    }
}

// What the TV asks now: a dialog, or the warning. The landing's questions and pickers are the current
// player's; double stakes and the warning are the whole group's, and any phone may answer them.
lan::View::Question Phones::_asked(const ventrel::menu::Dialog* dialog) const {
    lan::View::Question question;
    Scene::Board* scene = board();
    if (dialog) {
        _describeQuestion(*dialog, question);
        question.answerRow = scene ? scene->getQuestionRow(dialog) : -1;
        question.group = scene && scene->isTableQuestion(dialog);
    } else if (const ventrel::system::Context* warning = openWarning()) {
        question.kind = "warning";
        for (const char* name : {"label_title", "label_name", "label_text"}) {
            if (auto* label = dynamic_cast<gui::Label*>(warning->getObject(name))) {
                question.texts.push_back(kit::trim(shownText(*label)));
            }
        }
        auto* ok = dynamic_cast<gui::Label*>(warning->getObject(WarningButton));
        question.buttons.push_back({0, ok ? kit::trim(shownText(*ok)) : kit::String(), "", ""});
        question.group = true;
    }
    return question;
}

void Phones::_trackQuestion(const ventrel::menu::Dialog* dialog) {
    asked = _asked(dialog);
    kit::String signature = asked.kind + "\n";
    if (dialog) {
        signature += dialog->getName() + "\n" + dialog->getContext() + "\n";
    }
    for (const kit::String& text : asked.texts) {
        signature += text + "\n";
    }
    for (const lan::View::Button& button : asked.buttons) {
        signature += kit::format("%d:", button.index) + button.text + "\n";
    }
    if (signature == questionSignature) {
        return;
    }
    // A question a phone could have answered went away without its answer: the TV took it.
    if (questionId != 0 && questionRow >= 0 && answer.id != questionId) {
        const auto& players = gameState()->getPlayers();
        if (questionRow < static_cast<int>(players.size())) {
            _notify(players[questionRow]->getPhoneToken(), "PhoneNoticeAnsweredOnTv");
        }
    }
    questionSignature = signature;
    questionId = asked.kind.empty() ? 0 : ++lastQuestionId;
    questionRow = asked.answerRow;
    questionGroup = asked.group;
    answer = Pending();
}

// A phone's press is made again in every frame until the screen takes it: a press during a dialog's
// animation would be lost, and the same question stays open until its answer is in.
void Phones::_carryOutPending() {
    if (answer.id != 0 && answer.id == questionId) {
        const ventrel::system::Context* dialog = openDialog();
        const ventrel::system::Context* warning = dialog ? nullptr : openWarning();
        gui::Object* button = dialog    ? dialog->getObject(ButtonPrefix + kit::toString(answer.button))
                              : warning ? warning->getObject(WarningButton)
                                        : nullptr;
        if (button && button->isDerivedVisible() && button->isDerivedEnabled()) {
            button->triggerEvent(gui::Event::Click, 1);
        }
    }
    Scene::Board* scene = board();
    bool waiting = scene && scene->isWaitingForRoll();
    if (waiting && !rollOpen) {
        ++rollId;
    }
    rollOpen = waiting;
    if (roll.id != 0 && (roll.id != rollId || !rollOpen)) {
        roll = Pending();
    }
    if (roll.id != 0) {
        scene->pressDice();
    }
}

// The dialog as the phone shows it: its heading and texts, and a button for every answer that can be
// given now. A card (the landing's questions) has no words of its own: it takes the text under it and
// its field's picture.
void Phones::_describeQuestion(const ventrel::menu::Dialog& dialog, lan::View::Question& question) const {
    kit::String name = dialog.getName();
    question.kind = name.substr(name.find_last_of('/') + 1);
    auto textOf = [&dialog](const kit::String& object) {
        auto* label = dynamic_cast<gui::Label*>(dialog.getObject(object));
        return label && label->isDerivedVisible() ? kit::trim(shownText(*label)) : kit::String();
    };
    for (const char* heading : {"title", "player_name"}) {
        if (kit::String text = textOf(heading); !text.empty()) {
            question.texts.push_back(text);
        }
    }
    kit::Array<kit::String> cardTexts;
    for (int i = 0; i < dialog.getButtonCount(); ++i) {
        kit::String suffix = ButtonPrefix + kit::toString(i);
        auto* button = dynamic_cast<gui::ImageButton*>(dialog.getObject(suffix));
        if (!button || !button->isDerivedVisible() || !button->isDerivedEnabled()) {
            continue;
        }
        lan::View::Button entry;
        entry.index = i;
        entry.text = kit::trim(shownText(*button));
        if (auto* label = dynamic_cast<gui::Label*>(dialog.getObject(suffix + "_text"))) {
            entry.text = kit::trim(shownText(*label));
            entry.color = markupColor(label->getText());
        }
        if (entry.text.empty()) {
            entry.text = textOf(TextPrefix + kit::toString(i));
            cardTexts.push_back(entry.text);
        }
        kit::String picture = button->getImageName();
        for (const kit::String& image : {suffix + "_image", "image_" + kit::toString(i)}) {
            if (auto* box = dynamic_cast<gui::ImageBox*>(dialog.getObject(image))) {
                picture = box->getImageName();
            }
        }
        if (kit::startsWith(picture, "gui.buttons/color_")) {
            entry.color = picture.substr(std::string("gui.buttons/color_").size(), 6);
        }
        for (const auto& [prefix, route] : PictureRoutes) {
            if (kit::startsWith(picture, prefix) && isRouteName(picture.substr(prefix.size()))) {
                entry.picture = route + picture.substr(prefix.size()) + ".png";
            }
        }
        question.buttons.push_back(entry);
    }
    for (int i = 0;; ++i) {
        if (!dialog.getObject(TextPrefix + kit::toString(i))) {
            break;
        }
        kit::String text = textOf(TextPrefix + kit::toString(i));
        if (!text.empty() && std::find(cardTexts.begin(), cardTexts.end(), text) == cardTexts.end()) {
            question.texts.push_back(text);
        }
    }
}

lan::View::Phone Phones::_phone(const Game::Player& player, int row) const {
    using Units = Game::AlcoTestUnits;
    const Game::AlcoTestData& data = *player.getAlcoTestData();
    lan::View::Phone phone;
    phone.row = row;
    phone.name = player.getName();
    phone.color = webColor(player.getColor());
    phone.character = kit::toInt(player.getCharacter());
    phone.gender = player.isMale() ? "male" : "female";
    phone.style = player.getStyle().getName();
    kit::String stomach = data.getStomach().getName();
    phone.body.stomach = kit::startsWith(stomach, "stomach_") ? stomach.substr(8) : stomach;
    phone.body.strength = data.getPermille();
    phone.body.volume = static_cast<int>(
        std::lround(Units::volumeToDisplay(data.getVolume(), Game::AlcoTestData::UnitSystem::Metric)));
    phone.body.weight =
        static_cast<int>(std::lround(Units::weightToDisplay(data.getWeight(), Units::getUnitSystem())));
    phone.body.complete = data.isComplete();
    phone.sips = player.getDrinks();
    phone.water = player.getWaterSips();
    phone.laps = player.getLaps();
    phone.challenges = player.getAcceptedChallenges();
    if (data.isComplete()) {
        phone.bac = Units::formatEstimate(player.getEstimate()) + " %";
    }
    phone.playing = player.isPlaying();
    return phone;
}

lan::View Phones::_view() {
    GameState* game = gameState();
    lan::View view;
    view.language = gui::getLocalization();
    view.screen = _screen();
    view.units = Game::AlcoTestUnits::getUnitSystem() == Game::AlcoTestData::UnitSystem::Imperial ? "imperial"
                                                                                                  : "metric";
    const auto& players = game->getPlayers();
    kit::Array<kit::String> usedColors, usedCharacters;
    for (int row = 0; row < static_cast<int>(players.size()); ++row) {
        const Game::Player& player = *players[row];
        view.rows.push_back({row, player.getName(), webColor(player.getColor()),
                             kit::toInt(player.getCharacter()), player.hasPhone()});
        usedColors.push_back(player.getColor());
        usedCharacters.push_back(player.getCharacter());
        if (player.hasPhone()) {
            view.phones[player.getPhoneToken()] = _phone(player, row);
        }
    }
    view.canAdd = view.screen == "lobby" && players.size() < static_cast<size_t>(GameState::MaxPlayers);
    for (const kit::String& color : dataManager->getColors()) {
        if (std::find(usedColors.begin(), usedColors.end(), color) == usedColors.end()) {
            view.colors.push_back(webColor(color));
        }
    }
    for (const kit::String& character : dataManager->getCharacters()) {
        bool used =
            std::find(usedCharacters.begin(), usedCharacters.end(), character) != usedCharacters.end();
        if (!used && isCharacterUnlocked(character)) {
            view.characters.push_back(kit::toInt(character));
        }
    }
    Game::Player* current = board() ? game->getCurrentPlayer() : nullptr;
    if (current) {
        view.turnRow = indexOf(current);
        view.turnName = current->getName();
        view.turnColor = webColor(current->getColor());
    }
    if (rollOpen && current) {
        view.rollRow = view.turnRow;
        view.rollId = rollId;
    }
    if (questionId != 0) {
        view.question = asked;
        view.question.id = questionId;
    }
    double now = gui::getTime();
    std::erase_if(notices, [now](const auto& entry) { return entry.second.second < now; });
    for (const auto& [token, notice] : notices) {
        view.notices[token] = notice.first;
    }
    if (gui::Dataset* texts = gui::getDataset("gui")) {
        view.texts = texts->getTexts("Phone");
    }
    return view;
}

}  // namespace System
