#include "lan/Server.h"

#include <arpa/inet.h>
#include <httplib.h>
#include <ifaddrs.h>
#include <kit/File.h>
#include <kit/Format.h>
#include <kit/Log.h>
#include <kit/Strings.h>
#include <net/if.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

#include <algorithm>
#include <condition_variable>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <mutex>
#include <thread>

#include "Handler.h"

namespace lan {

namespace {

const char* const LogTag = "lan";
constexpr size_t MaxConnections = 32;
// A phone on a busy Wi-Fi may send a request in pieces with a lost packet between them; stop()
// does not wait for it, it shuts the connection down.
constexpr time_t ReadTimeoutSeconds = 2;
// The kernel hands a connection over only once its first request has arrived, so a phone that is
// slow to send it still has its turn, and a silent connection takes no worker.
constexpr int DeferAcceptSeconds = 5;
constexpr auto PingInterval = std::chrono::seconds(10);

// Set on the thread that accepts connections while it answers one that found every worker busy.
thread_local bool overflowing = false;

// httplib's pool, bounded: a connection beyond the workers' number is answered at once with 503 on
// the accepting thread, instead of waiting in an endless queue with its socket open.
class Pool : public httplib::TaskQueue {
public:
    explicit Pool(size_t count) {
        for (size_t i = 0; i < count; ++i) {
            threads.emplace_back([this] { _work(); });
        }
    }

    void enqueue(std::function<void()> job) override {
        std::unique_lock lock(mutex);
        if (jobs.size() + busy >= threads.size()) {
            lock.unlock();
            overflowing = true;
            job();
            overflowing = false;
            return;
        }
        jobs.push_back(std::move(job));
        wake.notify_one();
    }

    void shutdown() override {
        {
            std::lock_guard lock(mutex);
            quitting = true;
        }
        wake.notify_all();
        for (std::thread& thread : threads) {
            thread.join();
        }
    }

private:
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<std::function<void()>> jobs;
    std::vector<std::thread> threads;
    size_t busy = 0;
    bool quitting = false;

    void _work() {
        for (;;) {
            std::function<void()> job;
            {
                std::unique_lock lock(mutex);
                wake.wait(lock, [&] { return quitting || !jobs.empty(); });
                if (jobs.empty()) {
                    return;
                }
                job = std::move(jobs.front());
                jobs.pop_front();
                ++busy;
            }
            job();
            std::lock_guard lock(mutex);
            --busy;
        }
    }
};

kit::String contentType(const kit::String& file) {
    static const kit::Map<kit::String, kit::String> types = {
        {".html", "text/html; charset=utf-8"},
        {".js", "text/javascript; charset=utf-8"},
        {".css", "text/css; charset=utf-8"},
        {".ttf", "font/ttf"},
        {".otf", "font/otf"},
        {".png", "image/png"},
    };
    for (const auto& [extension, type] : types) {
        if (kit::endsWith(file, extension)) {
            return type;
        }
    }
    return "application/octet-stream";
}

void secure(httplib::Response& response) {
    response.set_header("Content-Security-Policy", "default-src 'self'; frame-ancestors 'none'");
    response.set_header("X-Content-Type-Options", "nosniff");
    response.set_header("Referrer-Policy", "no-referrer");
    response.set_header("Cache-Control", "no-store");
}

// The library keeps its sockets to itself; this process's sockets on the server's port, found
// through /proc, with whether each is the listening one.
template <typename Visit>
void forEachSocketOn(int port, Visit visit) {
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        int fd = std::atoi(entry.path().filename().c_str());
        int accepting = 0;
        socklen_t size = sizeof accepting;
        sockaddr_in address{};
        socklen_t length = sizeof address;
        if (getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &accepting, &size) == 0 &&
            getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == 0 &&
            address.sin_family == AF_INET && ntohs(address.sin_port) == port) {
            visit(fd, accepting != 0);
        }
    }
}

// Debian's cpp-httplib listens with a backlog of five, so phones opening the page together lose
// connections to the kernel's one-second retry. Listening again on the bound socket widens it.
void widenBacklog(int port) {
    forEachSocketOn(port, [](int fd, bool listening) {
        if (listening) {
            ::listen(fd, SOMAXCONN);
        }
    });
}

// A worker waiting for a slow or silent phone wakes at once when its connection is shut down.
void shutDownConnections(int port) {
    forEachSocketOn(port, [](int fd, bool listening) {
        if (!listening) {
            ::shutdown(fd, SHUT_RDWR);
        }
    });
}

// The first running IPv4 address that is not the loopback, a private one first.
kit::String localNetworkAddress() {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return "";
    }
    kit::String found;
    bool foundPrivate = false;
    for (ifaddrs* entry = list; entry; entry = entry->ifa_next) {
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET || !(entry->ifa_flags & IFF_UP) ||
            (entry->ifa_flags & IFF_LOOPBACK)) {
            continue;
        }
        char text[INET_ADDRSTRLEN] = {};
        const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
        inet_ntop(AF_INET, &address->sin_addr, text, sizeof text);
        kit::String candidate = text;
        bool isPrivate = kit::startsWith(candidate, "10.") || kit::startsWith(candidate, "192.168.") ||
                         (kit::startsWith(candidate, "172.") &&
                          ((ntohl(address->sin_addr.s_addr) >> 20) & 0xFFF) == 0xAC1);
        if (found.empty() || (isPrivate && !foundPrivate)) {
            found = candidate;
            foundPrivate = isPrivate;
        }
    }
    freeifaddrs(list);
    return found;
}

}  // namespace

struct Server::Impl {
    std::unique_ptr<httplib::Server> http;
    std::unique_ptr<Handler> handler;
    std::thread thread;
    kit::String error;
    kit::String secret;
    kit::String address;
    int port = 0;

    void serve(const httplib::Request& request, httplib::Response& response);
    void stream(httplib::Response& response, const kit::String& token, const kit::String& remote);
};

void Server::Impl::serve(const httplib::Request& request, httplib::Response& response) {
    secure(response);
    if (overflowing) {
        response.status = 503;
        response.set_content(Handler::errorBody("busy"), "application/json");
        return;
    }
    Handler::Request asked{request.method,
                           request.path,
                           request.get_header_value("Host"),
                           request.get_header_value("Cookie"),
                           request.body,
                           request.remote_addr};
    Handler::Response answer = handler->handle(asked);
    response.status = answer.status;
    if (answer.status >= 400) {
        // The route only: the path holds the secret.
        kit::String route =
            request.path.substr(std::min(request.path.size(), kit::String("/p/").size() + 33), 64);
        std::replace_if(
            route.begin(), route.end(), [](char c) { return c < 0x20 || c == 0x7F; }, '?');
        kit::Log::debug(LogTag, kit::format("%s %s from %s: %d", request.method.c_str(), route.c_str(),
                                            request.remote_addr.c_str(), answer.status));
    }
    if (!answer.allow.empty()) {
        response.set_header("Allow", answer.allow);
    }
    if (!answer.setCookie.empty()) {
        response.set_header("Set-Cookie", answer.setCookie);
    }
    if (answer.events) {
        stream(response, answer.token, request.remote_addr);
    } else if (!answer.file.empty()) {
        kit::String bytes;
        if (!kit::File::read(answer.file, bytes)) {
            response.status = 404;
            response.set_content(Handler::errorBody("not found"), "application/json");
            return;
        }
        response.set_content(bytes, contentType(answer.file));
    } else {
        response.set_content(answer.body, answer.contentType);
    }
}

// The whole state at once, then again at every change; a comment now and then shows a dead line.
void Server::Impl::stream(httplib::Response& response, const kit::String& token, const kit::String& remote) {
    Handler* events = handler.get();
    auto seen = std::make_shared<uint64_t>(0);
    response.set_chunked_content_provider(
        "text/event-stream",
        [events, token, seen](size_t, httplib::DataSink& sink) {
            if (*seen != 0) {
                uint64_t now = events->waitForChange(*seen, PingInterval);
                if (events->isStopping()) {
                    return false;
                }
                if (now == *seen) {
                    return sink.write(": ping\n\n", 8);
                }
            }
            *seen = events->getVersion();
            kit::String message = "data: " + events->stateFor(token) + "\n\n";
            return sink.write(message.data(), message.size());
        },
        [events, remote](bool) { events->endStream(remote); });
}

Server::Server() : impl(std::make_unique<Impl>()) {}

Server::~Server() {
    stop();
}

kit::String Server::newSecret() {
    return Handler::randomHex();
}

bool Server::start(const Options& options) {
    stop();
    impl->error.clear();
    impl->address = options.address.empty() ? localNetworkAddress() : options.address;
    if (impl->address.empty()) {
        impl->error = "no local network";
        return false;
    }
    bool validSecret = options.secret.size() == 32 &&
                       options.secret.find_first_not_of("0123456789abcdef") == kit::String::npos;
    impl->secret = validSecret ? options.secret : newSecret();

    impl->http = std::make_unique<httplib::Server>();
    httplib::Server& http = *impl->http;
    http.new_task_queue = [] { return new Pool(MaxConnections); };
    http.set_payload_max_length(Handler::MaxBody);
    http.set_read_timeout(ReadTimeoutSeconds, 0);
    http.set_write_timeout(1, 0);
    // A connection waits for its next request a few milliseconds only (0), so an idle one holds no
    // worker.
    http.set_keep_alive_timeout(0);
    http.set_keep_alive_max_count(20);
    // The library shares a port with any other listener that allows it (SO_REUSEPORT), and the kernel
    // would then hand the phones' connections to either: a second game on this machine must take
    // another port instead.
    http.set_socket_options([](socket_t socket) {
        int yes = 1;
        setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        setsockopt(socket, IPPROTO_TCP, TCP_DEFER_ACCEPT, &DeferAcceptSeconds, sizeof DeferAcceptSeconds);
    });
    // Every method and path comes to the handler, which knows the routes; the body has been read by now.
    auto serve = [this](const httplib::Request& request, httplib::Response& response) {
        impl->serve(request, response);
    };
    http.Get(".*", serve).Post(".*", serve).Put(".*", serve).Patch(".*", serve).Delete(".*", serve);
    http.Options(".*", serve);
    http.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        secure(response);
        if (response.body.empty()) {
            response.set_content(Handler::errorBody("refused"), "application/json");
        }
    });

    bool fixed = options.port > 0 && http.bind_to_port(impl->address, options.port);
    impl->port = fixed ? options.port : http.bind_to_any_port(impl->address);
    if (impl->port <= 0) {
        impl->error = "no free port on " + impl->address;
        return false;
    }
    widenBacklog(impl->port);
    kit::String host = impl->address + ":" + std::to_string(impl->port);
    kit::Array<kit::String> hosts = {host};
    if (impl->port == 80) {
        hosts.push_back(impl->address);
    }
    impl->handler = std::make_unique<Handler>(impl->secret, hosts, options.files);
    impl->thread = std::thread([this] { impl->http->listen_after_bind(); });
    // stop() can end the accepting loop only once it runs.
    while (!impl->http->is_running()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    kit::Log::debug(LogTag, "Listening on " + host);
    return true;
}

void Server::stop() {
    if (!impl->thread.joinable()) {
        return;
    }
    impl->handler->stop();
    impl->http->stop();
    shutDownConnections(impl->port);
    impl->thread.join();
    impl->handler.reset();
}

bool Server::isRunning() const {
    return impl->thread.joinable();
}

const kit::String& Server::getError() const {
    return impl->error;
}

const kit::String& Server::getSecret() const {
    return impl->secret;
}

kit::String Server::getAddress() const {
    return "http://" + impl->address + ":" + std::to_string(impl->port) + "/";
}

kit::String Server::getJoinAddress() const {
    return getAddress() + "p/" + impl->secret + "/";
}

kit::Array<Message> Server::takeMessages() {
    return impl->handler ? impl->handler->takeMessages() : kit::Array<Message>();
}

void Server::publish(const View& view) {
    if (impl->handler) {
        impl->handler->publish(view);
    }
}

}  // namespace lan
