// The notices that look after the table, each shown until it is answered and saved while it waits, so
// that a resumed game shows it again: who drives tonight, the water round, a sip limit reached and
// the glass of water offered at the level of the settings.
#include <kit/Format.h>
#include <kit/Strings.h>
#include <ventrel/Ventrel.h>
#include <ventrel/menu/Dialog.h>
#include <ventrel/system/SceneManager.h>

#include "Game/Player.h"
#include "Menu/InGame/Gui.h"
#include "Scene/Board.h"
#include "System/GameState.h"
#include "System/Globals.h"
#include "System/NightSettings.h"
#include "System/Objects.h"
#include "System/Voice.h"

namespace Scene {

namespace {

using TurnPhase = System::GameState::TurnPhase;

}  // namespace

bool Board::_showNotice() {
    System::GameState* game = &System::game();
    if (!game->isDriversAnnounced()) {
        kit::Array<Game::Player*> drivers = game->getPlayingPlayers();
        std::erase_if(drivers, [](const Game::Player* p) { return !p->isDriver(); });
        if (drivers.empty()) {
            game->setDriversAnnounced(true);
        } else {
            ventrel::sceneManager->showDialog(
                OkDialog, this, this,
                "{%f} gui.NoticeDrivers " + System::literal(Game::Player::richNames(drivers)),
                DriversContext);
            return true;
        }
    }
    if (game->isWaterRoundDue() && game->getTurnPhase() == TurnPhase::Start && !game->isPhaseDone()) {
        _showWaterRound();
        return true;
    }
    const auto& players = game->getPlayers();
    for (int row = 0; row < static_cast<int>(players.size()); ++row) {
        const Game::Player* player = players[row];
        kit::String name = System::literal(player->getRichName());
        if (player->isLimitNoticeDue()) {
            ventrel::sceneManager->showDialog(OkDialog, this, this,
                                              "{%f} gui.NoticeSipLimit " + name + " " +
                                                  System::literal(kit::toString(player->getSipLimit())),
                                              LimitContext + kit::toString(row));
            return true;
        }
        if (player->isWaterNoticeDue()) {
            kit::String level = kit::format("0.%02d %%", System::waterNoticeLevel());
            ventrel::sceneManager->showDialog(
                YesNoDialog, this, this, "{%f} gui.NoticeGlassOfWater " + name + " " + System::literal(level),
                GlassContext + kit::toString(row));
            return true;
        }
    }
    return false;
}

// The water round comes as a card, the whole table's.
void Board::_showWaterRound() {
    ventrel::menu::Dialog* card =
        ventrel::sceneManager->showDialog(SelectDialog, this, this, "gui.WaterRoundText", WaterRoundContext);
    if (!card) {
        return;
    }
    System::setTextKey(card, "player_name", "gui.WaterRoundTitle");
    System::setImage(card, "image_back_0", "gui.buttons/fields_blank_0");
    System::setImage(card, "image_0", "game.fields/water");
}

void Board::_answerNotice(const kit::String& dialog, int button, const kit::String& context) {
    System::GameState* game = &System::game();
    using Log = Game::GameLog;
    if (dialog == OkDialog && context == DriversContext) {
        game->setDriversAnnounced(true);
        game->record(Log::Kind::Notice, nullptr, 0, Log::Drivers);
    } else if (dialog == SelectDialog && context == WaterRoundContext) {
        game->setWaterRoundDue(false);
        game->record(Log::Kind::Notice, nullptr, 0, Log::WaterRound);
    } else if (Game::Player* player = _noticePlayer(dialog, context, OkDialog, LimitContext)) {
        player->setLimitNoticeDue(false);
        game->record(Log::Kind::Notice, player, player->getSipLimit(), Log::Limit);
    } else if (Game::Player* offered = _noticePlayer(dialog, context, YesNoDialog, GlassContext)) {
        offered->setWaterNoticeDue(false);
        game->record(Log::Kind::Notice, offered, button == 0 ? 1 : 0, Log::Glass);
        if (button == 0) {
            offered->setStyle(Game::Player::Style::Water);
        }
    } else {
        return;
    }
    refresh();
    _saveProgress();
}

Game::Player* Board::_noticePlayer(const kit::String& dialog, const kit::String& context,
                                   const kit::String& expectedDialog, const kit::String& prefix) const {
    if (dialog != expectedDialog || !kit::startsWith(context, prefix)) {
        return nullptr;
    }
    const auto& players = System::game().getPlayers();
    int row = kit::toInt(context.substr(prefix.size()));
    return row >= 0 && row < static_cast<int>(players.size()) ? players[row] : nullptr;
}

// The voice, when the players want it: whose turn it is, then the card the token lands on.
void Board::_readTurnAloud() {
    System::GameState* game = &System::game();
    const Game::Player* current = game->getCurrentPlayer();
    if (System::voice && current) {
        System::voice->sayTurn(getText("gui.VoiceTurn"), current->getName());
    }
}

void Board::_readCardAloud(const kit::Array<kit::String>& texts) {
    if (!System::voice || texts.empty()) {
        return;
    }
    kit::String card = getText(texts.front());
    for (size_t n = 1; n < texts.size(); ++n) {
        card += " " + getText("gui.ChoiceOr") + " " + getText(texts[n]);
    }
    System::voice->say(card);
}

}  // namespace Scene
