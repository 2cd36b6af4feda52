#include <kit/Log.h>
#include <kit/Strings.h>

#include <cstddef>
#include <cstdint>

#include "Handler.h"
#include "Json.h"

// A request from the network, as lines: method, path, Host, Cookie, then the body. Whatever it holds,
// the handler answers without crashing; nothing passes without the secret and the game's own Host;
// only a joined phone's token reaches the game, and what reaches it is in range and clean.
namespace {

const kit::String Secret = "0123456789abcdef0123456789abcdef";
const kit::String Host = "192.168.1.20:47615";
const kit::String Phone = "a0000000000000000000000000000000";

lan::View game() {
    lan::View view;
    view.screen = "game";
    view.rows = {{0, "Anna", "FF0000", 3, true}, {1, "Bob", "00FF00", 0, false}};
    lan::View::Phone anna;
    anna.name = "Anna";
    view.phones[Phone] = anna;
    view.rollRow = 0;
    view.rollId = 7;
    view.question.id = 12;
    view.question.kind = "yes_no";
    view.question.answerRow = 0;
    view.question.buttons = {{0, "Yes", "", ""}, {1, "No", "", ""}};
    return view;
}

kit::String takeLine(kit::String& rest) {
    size_t end = rest.find('\n');
    kit::String line = rest.substr(0, end);
    rest = end == kit::String::npos ? "" : rest.substr(end + 1);
    return line;
}

bool inRange(const std::optional<int>& value, int low, int high) {
    return !value || (*value >= low && *value <= high);
}

void check(bool condition) {
    if (!condition) {
        __builtin_trap();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    kit::Log::setConsoleEnabled(false);
    kit::String rest(reinterpret_cast<const char*>(data), size);
    lan::Handler::Request request;
    request.method = takeLine(rest);
    request.path = takeLine(rest);
    request.host = takeLine(rest);
    request.cookie = takeLine(rest);
    request.body = rest;
    request.remote = "192.168.1.31";

    // Odd sizes meet the new-game screen, even ones the board.
    bool lobby = size % 2 == 1;
    lan::Handler handler(Secret, {Host}, {{"index.html", "/nonexistent/index.html"}});
    lan::View view = game();
    if (lobby) {
        view.screen = "lobby";
        view.canAdd = true;
    }
    handler.publish(view);
    lan::Handler::Response response = handler.handle(request);
    if (response.events) {
        handler.endStream(request.remote);
    }

    bool own = request.host == Host && kit::startsWith(request.path, "/p/" + Secret + "/");
    check(own || response.status >= 400);
    check(response.status >= 200 && response.status < 600);
    check(response.body.size() < 64 * 1024);
    for (const lan::Message& message : handler.takeMessages()) {
        check(request.body.size() <= lan::Handler::MaxBody);
        check(message.kind == lan::Message::Kind::Join ? !response.setCookie.empty()
                                                       : message.token == Phone);
        check(!message.name || lan::json::isCleanName(*message.name));
        check(inRange(message.character, 0, 99) && inRange(message.strength, 0, 1000) &&
              inRange(message.volume, 0, 1000) && inRange(message.weight, 0, 1000));
    }
    return 0;
}
