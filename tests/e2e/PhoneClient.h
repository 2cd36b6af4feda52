#pragma once

// A player's phone as the game's web server sees it: joins through the address the TV shows, keeps
// the cookie it is given, reads its state and posts its taps.
#include <httplib.h>
#include <kit/Types.h>

#include <memory>
#include <nlohmann/json.hpp>

namespace e2etest {

class PhoneClient {
public:
    // The join address: "http://127.0.0.1:47615/p/<secret>/".
    explicit PhoneClient(const kit::String& joinAddress) { connect(joinAddress); }

    // The same phone on a new address (the game came back on another port); it keeps its cookie.
    void connect(const kit::String& joinAddress) {
        kit::String scheme = "http://";
        size_t path = joinAddress.find('/', scheme.size());
        client = std::make_unique<httplib::Client>(joinAddress.substr(0, path));
        client->set_read_timeout(5, 0);
        prefix = joinAddress.substr(path);
    }

    // The status of the answer; 0 when there was none.
    int post(const kit::String& route, const nlohmann::json& body) {
        auto answer = client->Post((prefix + route).c_str(), _headers(), body.dump(), "application/json");
        if (!answer) {
            return 0;
        }
        kit::String cookie = answer->get_header_value("Set-Cookie");
        if (!cookie.empty()) {
            this->cookie = cookie.substr(0, cookie.find(';'));
        }
        return answer->status;
    }

    nlohmann::json state() {
        auto answer = client->Get((prefix + "state").c_str(), _headers());
        return answer && answer->status == 200 ? nlohmann::json::parse(answer->body) : nlohmann::json();
    }

    const kit::String& getCookie() const { return cookie; }

private:
    std::unique_ptr<httplib::Client> client;
    kit::String prefix;
    kit::String cookie;

    httplib::Headers _headers() const {
        return cookie.empty() ? httplib::Headers() : httplib::Headers{{"Cookie", cookie}};
    }
};

}  // namespace e2etest
