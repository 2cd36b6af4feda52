#pragma once

#include <curl/curl.h>

#include <deque>
#include <list>
#include <memory>

#include "kit/Types.h"
#include "net/HttpResponse.h"

namespace net {

class HttpSocket;

// The libcurl multi handle with every running request. Requests move on only inside `update`, which
// never blocks; finished ones are handed to their socket's delegate there, one at a time, so that a
// handler may delete its socket or start another request.
class Client {
public:
    Client();
    ~Client();
    Client(const Client&) = delete;
    Client& operator=(const Client&) = delete;

    bool isValid() const { return multi != nullptr; }
    bool start(HttpSocket* socket, const kit::String& url, const kit::String& body, curl_slist* headers);
    void cancel(const HttpSocket* socket);
    int countPending(const HttpSocket* socket) const;
    void update();

private:
    struct Transfer;

    static size_t onWrite(char* data, size_t size, size_t count, void* transfer);
    bool configure(Transfer& transfer, const kit::String& body);
    void finish(CURL* easy, CURLcode result);
    void deliver();

    CURLM* multi = nullptr;
    std::list<std::unique_ptr<Transfer>> running;
    std::deque<std::unique_ptr<Transfer>> finished;
    bool delivering = false;
};

// The client of the started layer; null before `net::init` and after `net::destroy`.
extern Client* client;

}  // namespace net
