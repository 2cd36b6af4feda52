#pragma once

#include <kit/Types.h>
#include <lan/Message.h>
#include <lan/QrCode.h>
#include <lan/Server.h>
#include <lan/View.h>

namespace ventrel::menu {
class Dialog;
}

namespace Game {
class AlcoTestData;
class Player;
}  // namespace Game

namespace System {

// The players' phones as controllers, on the new-game screen and the board while the "Phones" setting
// is on. Once a frame, on the main thread: starts or stops the web server with the screen and the
// setting, carries out what the phones asked, as the TV's own buttons would, and publishes what they
// are to see. A phone is bound to a player by its token (saved with the player); the join address
// keeps the game's secret (saved with the game), so a resumed game's phones play on.
class Phones {
public:
    static inline const kit::String Setting = "Phones";
    // How long a phone shows a notice.
    static constexpr double NoticeSeconds = 4.0;

    Phones() = default;
    Phones(const Phones&) = delete;
    Phones& operator=(const Phones&) = delete;

    void update();
    void stop();

    bool isEnabled() const;
    // Stores the setting; the server follows in the next update.
    void setEnabled(bool enabled);
    bool isRunning() const { return server.isRunning(); }
    // True when the server should run but could not start (no network, no free port).
    bool hasFailed() const { return failed; }
    kit::String getJoinAddress() const;
    const lan::QrCode& getQrCode() const { return code; }
    // Grows whenever the join address changes, so that screens showing the code draw it anew.
    int getCodeGeneration() const { return codeGeneration; }

    // The TV frees the player's row: the phone is told and plays no more for him.
    void release(Game::Player* player);

private:
    struct Pending {
        int id = 0;
        int button = -1;
    };

    lan::Server server;
    lan::QrCode code;
    int codeGeneration = 0;
    bool failed = false;
    kit::String failedScreen;
    // The open question as last seen: its signature tells a new question from the same one.
    kit::String questionSignature;
    int questionId = 0;
    int questionRow = -1;
    bool questionGroup = false;
    // What the TV asks in this frame, as described once for the question's signature and the view.
    lan::View::Question asked;
    int lastQuestionId = 0;
    bool rollOpen = false;
    int rollId = 0;
    Pending answer;
    Pending roll;
    kit::Map<kit::String, std::pair<kit::String, double>> notices;

    kit::String _screen() const;
    bool _start();
    void _apply(const lan::Message& message);
    void _join(const lan::Message& message);
    void _choose(const lan::Message& message, Game::Player* player);
    void _carryOutPending();
    lan::View::Question _asked(const ventrel::menu::Dialog* dialog) const;
    void _trackQuestion(const ventrel::menu::Dialog* dialog);
    void _notify(const kit::String& token, const kit::String& key);
    lan::View _view();
    void _describeQuestion(const ventrel::menu::Dialog& dialog, lan::View::Question& question) const;
    lan::View::Phone _phone(const Game::Player& player, int row) const;
};

// Owned by the program entry; null outside a running game.
extern Phones* phones;

// A phone's body data, as the TV keeps them: strength in per mille, a sip in millilitres, the weight in
// the unit the game shows.
void applyPhoneBody(const lan::Message& message, Game::AlcoTestData& data);

}  // namespace System
