#include "Handler.h"

#include <kit/Strings.h>

#include <sys/random.h>
#include <algorithm>

#include "Json.h"

namespace lan {

namespace {

constexpr size_t MaxTrackedAddresses = 256;

const kit::Map<kit::String, Message::Kind>& postRoutes() {
    static const kit::Map<kit::String, Message::Kind> routes = {
        {"join", Message::Kind::Join},   {"player", Message::Kind::Player}, {"body", Message::Kind::Body},
        {"leave", Message::Kind::Leave}, {"roll", Message::Kind::Roll},     {"answer", Message::Kind::Answer},
    };
    return routes;
}

const std::set<kit::String>& getRoutes() {
    static const std::set<kit::String> routes = {"texts", "state", "events"};
    return routes;
}

Handler::Response plain(int status, const kit::String& reason) {
    Handler::Response response;
    response.status = status;
    response.body = Handler::errorBody(reason);
    return response;
}

Handler::Response ok() {
    Handler::Response response;
    response.body = "{\"ok\":true}";
    return response;
}

// Both strings have the secret's length here; the time taken does not tell how much of it matched.
bool sameSecret(const kit::String& a, const kit::String& b) {
    if (a.size() != b.size()) {
        return false;
    }
    unsigned char difference = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        difference |= static_cast<unsigned char>(a[i] ^ b[i]);
    }
    return difference == 0;
}

bool isToken(const kit::String& text) {
    return text.size() == 32 && std::all_of(text.begin(), text.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

kit::String cookieToken(const kit::String& header) {
    const kit::String key = kit::String(Handler::CookieName) + "=";
    for (const kit::String& part : kit::split(header, ";")) {
        kit::String pair = kit::trim(part);
        if (kit::startsWith(pair, key) && isToken(pair.substr(key.size()))) {
            return pair.substr(key.size());
        }
    }
    return "";
}

}  // namespace

kit::String Handler::randomHex() {
    unsigned char bytes[16] = {};
    size_t filled = 0;
    while (filled < sizeof bytes) {
        ssize_t got = getrandom(bytes + filled, sizeof bytes - filled, 0);
        if (got > 0) {
            filled += static_cast<size_t>(got);
        }
    }
    static const char* const digits = "0123456789abcdef";
    kit::String hex;
    for (unsigned char byte : bytes) {
        hex += digits[byte >> 4];
        hex += digits[byte & 0xF];
    }
    return hex;
}

namespace {

const View::Phone* phoneOf(const View& view, const kit::String& token) {
    auto found = view.phones.find(token);
    return found == view.phones.end() ? nullptr : &found->second;
}

}  // namespace

Handler::Handler(const kit::String& secret, const kit::Array<kit::String>& hosts,
                 const kit::Map<kit::String, kit::String>& files)
    : secret(secret), prefix("/p/" + secret + "/"), hosts(hosts), files(files) {}

kit::String Handler::errorBody(const kit::String& reason) {
    kit::String clean;
    for (char c : reason) {
        clean += (c == '"' || c == '\\' || static_cast<unsigned char>(c) < 0x20) ? '_' : c;
    }
    return "{\"error\":\"" + clean + "\"}";
}

Handler::Response Handler::handle(const Request& request, Clock::time_point now) {
    if (std::find(hosts.begin(), hosts.end(), request.host) == hosts.end()) {
        return plain(403, "unknown host");
    }
    if (request.path.size() < prefix.size() || !sameSecret(request.path.substr(0, prefix.size()), prefix)) {
        return plain(404, "not found");
    }
    // Opening the page fetches some thirty pictures at once: files have a budget of their own.
    bool file = _isStaticRoute(request.path.substr(prefix.size()));
    if (!_allowRate(file ? fileBuckets : buckets, request.remote, now, file ? FileBurst : RequestBurst,
                    file ? FilesPerSecond : RequestsPerSecond)) {
        return plain(429, "too many requests");
    }
    if (request.body.size() > MaxBody) {
        return plain(413, "body too large");
    }
    return _route(request, request.path.substr(prefix.size()));
}

bool Handler::_allowRate(kit::Map<kit::String, Bucket>& buckets, const kit::String& remote,
                         Clock::time_point now, double burst, double perSecond) {
    std::lock_guard lock(mutex);
    auto found = buckets.find(remote);
    if (found == buckets.end()) {
        if (buckets.size() >= MaxTrackedAddresses) {
            auto oldest = std::min_element(buckets.begin(), buckets.end(), [](const auto& a, const auto& b) {
                return a.second.last < b.second.last;
            });
            buckets.erase(oldest);
        }
        found = buckets.emplace(remote, Bucket{burst, now}).first;
    }
    Bucket& bucket = found->second;
    double seconds = std::chrono::duration<double>(now - bucket.last).count();
    bucket.tokens = std::min(burst, bucket.tokens + std::max(0.0, seconds) * perSecond);
    bucket.last = now;
    if (bucket.tokens < 1.0) {
        return false;
    }
    bucket.tokens -= 1.0;
    return true;
}

bool Handler::_isStaticRoute(const kit::String& route) const {
    return files.count(route.empty() ? "index.html" : route) != 0;
}

Handler::Response Handler::_route(const Request& request, const kit::String& route) {
    bool get = request.method == "GET" || request.method == "HEAD";
    bool post = request.method == "POST";
    bool known = _isStaticRoute(route) || getRoutes().count(route) || postRoutes().count(route);
    if (!known) {
        return plain(404, "not found");
    }
    bool postRoute = postRoutes().count(route) != 0;
    if ((postRoute && !post) || (!postRoute && !get)) {
        Response response = plain(405, "method not allowed");
        response.allow = postRoute ? "POST" : "GET, HEAD";
        return response;
    }
    kit::String token = cookieToken(request.cookie);
    return post ? _post(route, token, request.body) : _get(route, token, request.remote);
}

Handler::Response Handler::_get(const kit::String& route, const kit::String& token,
                                const kit::String& remote) {
    Response response;
    if (_isStaticRoute(route)) {
        response.file = files.at(route.empty() ? "index.html" : route);
        return response;
    }
    std::lock_guard lock(mutex);
    if (route == "texts") {
        response.body = json::texts(view);
    } else if (route == "state") {
        response.body = json::state(view, token, version);
    } else {
        auto found = streams.find(remote);
        int fromAddress = found == streams.end() ? 0 : found->second;
        if (stopping || streamCount >= MaxStreams || fromAddress >= MaxStreamsPerAddress) {
            return plain(503, "too many streams");
        }
        streams[remote] = fromAddress + 1;
        ++streamCount;
        response.contentType = "text/event-stream";
        response.events = true;
        response.token = token;
    }
    return response;
}

Handler::Response Handler::_post(const kit::String& route, const kit::String& token,
                                 const kit::String& body) {
    kit::String reason;
    std::optional<Message> message = json::parse(postRoutes().at(route), body, reason);
    if (!message) {
        return plain(400, reason);
    }
    message->token = token;
    std::lock_guard lock(mutex);
    if (stopping) {
        return plain(503, "stopping");
    }
    return message->kind == Message::Kind::Join ? _join(*message) : _forPhone(*message);
}

Handler::Response Handler::_join(Message message) {
    // Late arrivals take a row played at the TV; new rows come only before the game.
    bool lobby = view.screen == "lobby";
    if (!lobby && (view.screen != "game" || message.row < 0)) {
        return plain(409, "the game has started");
    }
    if (phoneOf(view, message.token) || pending.count(message.token)) {
        return plain(409, "already joined");
    }
    if (message.row < 0 ? !view.canAdd
                        : std::none_of(view.rows.begin(), view.rows.end(), [&](const View::Row& row) {
                              return row.row == message.row && !row.phone;
                          })) {
        return plain(409, "the row is taken");
    }
    message.token = randomHex();
    kit::String cookie = kit::String(CookieName) + "=" + message.token + "; Path=" + prefix +
                         "; HttpOnly; SameSite=Strict; Max-Age=604800";
    Response response = _queue(message, cookie);
    if (response.status == 200) {
        pending.insert(message.token);
    }
    return response;
}

Handler::Response Handler::_forPhone(Message message) {
    const View::Phone* phone = phoneOf(view, message.token);
    if (!phone) {
        return plain(403, "this phone has no player");
    }
    switch (message.kind) {
        case Message::Kind::Player:
            if (view.screen != "lobby") {
                return plain(409, "the game has started");
            }
            break;
        case Message::Kind::Roll:
            if (view.rollId == 0 || message.id != view.rollId || rolledId == message.id) {
                return plain(409, "no longer open");
            }
            if (view.rollRow != phone->row) {
                return plain(403, "not this phone's roll");
            }
            rolledId = message.id;
            break;
        case Message::Kind::Answer: {
            const View::Question& question = view.question;
            if (question.id == 0 || message.id != question.id || answeredId == message.id) {
                return plain(409, "no longer open");
            }
            if (!question.group && question.answerRow != phone->row) {
                return plain(403, "not this phone's question");
            }
            if (std::none_of(question.buttons.begin(), question.buttons.end(),
                             [&](const View::Button& button) { return button.index == message.button; })) {
                return plain(400, "bad button");
            }
            answeredId = message.id;
            break;
        }
        default:
            break;
    }
    return _queue(message);
}

Handler::Response Handler::_queue(Message message, const kit::String& setCookie) {
    if (queue.size() >= MaxQueued) {
        return plain(503, "busy");
    }
    queue.push_back(std::move(message));
    Response response = ok();
    response.setCookie = setCookie;
    return response;
}

void Handler::publish(const View& next) {
    std::lock_guard lock(mutex);
    for (const auto& [token, phone] : next.phones) {
        pending.erase(token);
    }
    if (next == view) {
        return;
    }
    view = next;
    ++version;
    changed.notify_all();
}

kit::Array<Message> Handler::takeMessages() {
    std::lock_guard lock(mutex);
    kit::Array<Message> taken(std::make_move_iterator(queue.begin()), std::make_move_iterator(queue.end()));
    queue.clear();
    // A join the game refused leaves its token unbound: it is forgotten once the game has seen it.
    for (const Message& message : taken) {
        if (message.kind == Message::Kind::Join && !view.phones.count(message.token)) {
            pending.erase(message.token);
        }
    }
    return taken;
}

uint64_t Handler::getVersion() const {
    std::lock_guard lock(mutex);
    return version;
}

kit::String Handler::stateFor(const kit::String& token) const {
    std::lock_guard lock(mutex);
    return json::state(view, token, version);
}

uint64_t Handler::waitForChange(uint64_t seen, std::chrono::milliseconds timeout) {
    std::unique_lock lock(mutex);
    changed.wait_for(lock, timeout, [&] { return stopping || version != seen; });
    return version;
}

void Handler::endStream(const kit::String& remote) {
    std::lock_guard lock(mutex);
    auto found = streams.find(remote);
    if (found != streams.end() && --found->second <= 0) {
        streams.erase(found);
    }
    streamCount = std::max(0, streamCount - 1);
}

void Handler::stop() {
    std::lock_guard lock(mutex);
    stopping = true;
    changed.notify_all();
}

bool Handler::isStopping() const {
    std::lock_guard lock(mutex);
    return stopping;
}

}  // namespace lan
