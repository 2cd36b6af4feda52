#pragma once

#include <kit/Types.h>

#include <memory>

#include "lan/Message.h"
#include "lan/View.h"

namespace lan {

// The phones' web server: it listens on the local network on threads of its own and never calls the
// game. Requests are checked there and queued as messages for the main thread, which takes them once
// a frame; what the phones see comes back as a view the main thread publishes. Everything lives under
// an address holding a 128-bit secret; each phone gets a token of its own as a cookie.
class Server {
public:
    static constexpr int DefaultPort = 47615;

    struct Options {
        // The address to listen on and to advertise; empty: the machine's local-network address.
        kit::String address;
        // Tried first; when it is taken, any free port.
        int port = DefaultPort;
        // 32 hex digits, kept by a resumed game; empty: a new one.
        kit::String secret;
        // The only files served: the route under the join address ("app.js", "font/default.ttf")
        // and the file behind it.
        kit::Map<kit::String, kit::String> files;
    };

    Server();
    ~Server();
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    // False, with the reason in getError(), when there is no network or no free port.
    bool start(const Options& options);
    // Closes every connection and ends the threads, within a tenth of a second.
    void stop();
    bool isRunning() const;
    const kit::String& getError() const;

    const kit::String& getSecret() const;
    // "http://192.168.1.20:47615/p/<secret>/", what the join code holds.
    kit::String getJoinAddress() const;
    // The same without the secret, for the log and the screen.
    kit::String getAddress() const;

    // The requests checked since the last call, oldest first.
    kit::Array<Message> takeMessages();
    // What the phones are to see; they hear of it only when it differs from the last one.
    void publish(const View& view);

    static kit::String newSecret();

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
};

}  // namespace lan
