#pragma once

#include <kit/Types.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <set>

#include "lan/Message.h"
#include "lan/View.h"

namespace lan {

// Everything the server decides about a request, apart from the sockets: which route it is, whether
// it may pass (secret, Host header, token, rate), what its body holds, and what to answer. The server's
// threads call it; the main thread publishes views and takes messages. One mutex guards it all.
class Handler {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr size_t MaxBody = 4096;
    static constexpr size_t MaxQueued = 256;
    static constexpr int MaxStreams = 24;
    static constexpr int MaxStreamsPerAddress = 4;
    static constexpr double RequestsPerSecond = 20.0;
    static constexpr double RequestBurst = 40.0;
    // The page, its script, fonts and pictures.
    static constexpr double FilesPerSecond = 60.0;
    static constexpr double FileBurst = 120.0;
    static constexpr const char* CookieName = "swg_phone";

    struct Request {
        kit::String method;
        kit::String path;
        kit::String host;
        kit::String cookie;  // the whole Cookie header
        kit::String body;
        kit::String remote;  // the peer's address
    };

    struct Response {
        int status = 200;
        kit::String contentType = "application/json";
        kit::String body;
        kit::String file;       // send this file's content instead of body
        kit::String setCookie;  // a Set-Cookie value
        kit::String allow;      // the Allow header of a 405
        bool events = false;    // stream the state to `token` as Server-Sent Events
        kit::String token;
    };

    Handler(const kit::String& secret, const kit::Array<kit::String>& hosts,
            const kit::Map<kit::String, kit::String>& files);

    Response handle(const Request& request, Clock::time_point now = Clock::now());

    // Main thread.
    void publish(const View& view);
    kit::Array<Message> takeMessages();

    // The streams: the state a token sees now, and the wait for the next one.
    uint64_t getVersion() const;
    kit::String stateFor(const kit::String& token) const;
    // Until the version differs from `seen`, the handler stops or the time runs out; the version then.
    uint64_t waitForChange(uint64_t seen, std::chrono::milliseconds timeout);
    void endStream(const kit::String& remote);
    void stop();
    bool isStopping() const;

    // 128 random bits as 32 hex digits: secrets and tokens.
    static kit::String randomHex();
    static kit::String errorBody(const kit::String& reason);

private:
    struct Bucket {
        double tokens = RequestBurst;
        Clock::time_point last;
    };

    kit::String secret;
    kit::String prefix;
    kit::Array<kit::String> hosts;
    kit::Map<kit::String, kit::String> files;

    mutable std::mutex mutex;
    std::condition_variable changed;
    View view;
    uint64_t version = 1;
    bool stopping = false;
    std::deque<Message> queue;
    std::set<kit::String> pending;  // tokens given out whose join the game has not taken yet
    int answeredId = 0;             // the question a phone answered, until the next one opens
    int rolledId = 0;
    kit::Map<kit::String, Bucket> buckets;
    kit::Map<kit::String, Bucket> fileBuckets;
    kit::Map<kit::String, int> streams;  // open event streams by address
    int streamCount = 0;

    bool _allowRate(kit::Map<kit::String, Bucket>& buckets, const kit::String& remote, Clock::time_point now,
                    double burst, double perSecond);
    Response _route(const Request& request, const kit::String& route);
    Response _get(const kit::String& route, const kit::String& token, const kit::String& remote);
    Response _post(const kit::String& route, const kit::String& token, const kit::String& body);
    Response _join(Message message);
    Response _forPhone(Message message);
    Response _queue(Message message, const kit::String& setCookie = "");
    bool _isStaticRoute(const kit::String& route) const;
};

}  // namespace lan
