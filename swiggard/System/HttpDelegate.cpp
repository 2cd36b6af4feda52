#include "System/HttpDelegate.h"

#include <kit/Log.h>
#include <kit/Strings.h>

#include "System/Core.h"
#include "System/Globals.h"

namespace System {

namespace {

// Replies meant for the mobile editions.
const char* const IgnoredTexts[] = {"Dear Android users.", "Liebe Androidnutzer."};

kit::String firstLine(const kit::String& body) {
    kit::String line = kit::split(body, "\n", 2).front();
    // A server writing CR LF would otherwise leave the CR in the message.
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return kit::trim(line);
}

}  // namespace

void HttpDelegate::onHttpCompleted(net::HttpSocket*, const net::HttpResponse& response, const kit::String&) {
    handleMotd(response.body);
}

void HttpDelegate::handleMotd(const kit::String& body) {
    kit::String line = firstLine(body);
    for (const char* ignored : IgnoredTexts) {
        if (kit::contains(line, ignored)) {
            return;
        }
    }
    Core* game = core();
    if (profile().get("MOTD") != line) {
        kit::Log::debug(LogTag, "New message of the day: " + line);
        profile().set("MOTD", line);
        if (game) {
            game->setMotdShowCount(Core::MotdShowTimes);
        }
    }
    if (game) {
        game->startMotdTicker();
    }
}

}  // namespace System
