#include "Client.h"

#include <algorithm>

#include "kit/Format.h"
#include "kit/Log.h"
#include "net/HttpSocket.h"
#include "net/HttpSocketDelegate.h"

namespace net {

Client* client = nullptr;

namespace {

constexpr long maxRedirects = 3;
constexpr float maxConnectTimeout = 5.0f;

long httpVersion(HttpSocket::Protocol protocol) {
    switch (protocol) {
        case HttpSocket::Protocol::Http1_1:
            return CURL_HTTP_VERSION_1_1;
        case HttpSocket::Protocol::Http2:
            return CURL_HTTP_VERSION_2TLS;
        case HttpSocket::Protocol::Default:
            break;
    }
    return CURL_HTTP_VERSION_NONE;
}

long milliseconds(float seconds) {
    return std::max(1L, static_cast<long>(seconds * 1000.0f));
}

}  // namespace

struct Client::Transfer {
    Transfer(CURLM* multi, HttpSocket* socket, const kit::String& url, curl_slist* headers)
        : multi(multi), socket(socket), url(url), headers(headers), maxBodySize(socket->getMaxBodySize()) {}
    ~Transfer() {
        if (easy && added) {
            curl_multi_remove_handle(multi, easy);
        }
        curl_easy_cleanup(easy);
        curl_slist_free_all(headers);
    }

    CURLM* multi;
    HttpSocket* socket;
    kit::String url;
    curl_slist* headers;
    std::size_t maxBodySize;
    CURL* easy = nullptr;
    bool added = false;
    HttpResponse response;
    bool overLimit = false;
    char errorBuffer[CURL_ERROR_SIZE] = {};
};

Client::Client() : multi(curl_multi_init()) {}

Client::~Client() {
    running.clear();
    finished.clear();
    curl_multi_cleanup(multi);
    multi = nullptr;
}

bool Client::start(HttpSocket* socket, const kit::String& url, const kit::String& body, curl_slist* headers) {
    auto transfer = std::make_unique<Transfer>(multi, socket, url, headers);
    transfer->easy = curl_easy_init();
    if (!transfer->easy || !configure(*transfer, body)) {
        kit::Log::warn("net", "Cannot set up the request to '" + url + "'");
        return false;
    }
    if (curl_multi_add_handle(multi, transfer->easy) != CURLM_OK) {
        kit::Log::warn("net", "Cannot start the request to '" + url + "'");
        return false;
    }
    transfer->added = true;
    running.push_back(std::move(transfer));
    return true;
}

bool Client::configure(Transfer& transfer, const kit::String& body) {
    CURL* easy = transfer.easy;
    const HttpSocket& socket = *transfer.socket;
    bool ok = curl_easy_setopt(easy, CURLOPT_URL, transfer.url.c_str()) == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https") == CURLE_OK &&
              curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https") == CURLE_OK;
    curl_easy_setopt(easy, CURLOPT_PRIVATE, &transfer);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, transfer.errorBuffer);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &Client::onWrite);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, maxRedirects);
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, milliseconds(socket.getTimeout()));
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS,
                     milliseconds(std::min(socket.getTimeout() / 2.0f, maxConnectTimeout)));
    // Stops early on a declared length; chunked replies are cut in onWrite.
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(transfer.maxBodySize));
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, httpVersion(socket.getProtocol()));
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, transfer.headers);
    if (body.empty()) {
        curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
        return ok;
    }
    curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(easy, CURLOPT_COPYPOSTFIELDS, body.c_str());
    curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, "GET");
    return ok;
}

size_t Client::onWrite(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    size_t bytes = size * count;
    if (transfer->response.body.size() + bytes > transfer->maxBodySize) {
        transfer->overLimit = true;
        return 0;  // a short count makes curl abort the transfer
    }
    transfer->response.body.append(data, bytes);
    return bytes;
}

void Client::cancel(const HttpSocket* socket) {
    auto ofSocket = [socket](const std::unique_ptr<Transfer>& transfer) {
        return transfer->socket == socket;
    };
    running.remove_if(ofSocket);
    std::erase_if(finished, ofSocket);
}

int Client::countPending(const HttpSocket* socket) const {
    auto ofSocket = [socket](const std::unique_ptr<Transfer>& transfer) {
        return transfer->socket == socket;
    };
    return static_cast<int>(std::count_if(running.begin(), running.end(), ofSocket) +
                            std::count_if(finished.begin(), finished.end(), ofSocket));
}

void Client::update() {
    int active = 0;
    curl_multi_perform(multi, &active);
    int left = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &left)) {
        if (message->msg == CURLMSG_DONE) {
            finish(message->easy_handle, message->data.result);
        }
    }
    deliver();
}

void Client::finish(CURL* easy, CURLcode result) {
    auto found =
        std::find_if(running.begin(), running.end(),
                     [easy](const std::unique_ptr<Transfer>& transfer) { return transfer->easy == easy; });
    if (found == running.end()) {
        return;
    }
    Transfer& transfer = **found;
    long status = 0;
    curl_easy_getinfo(easy, CURLINFO_RESPONSE_CODE, &status);
    transfer.response.statusCode = static_cast<int>(status);
    if (transfer.overLimit || result == CURLE_FILESIZE_EXCEEDED) {
        transfer.response.error = kit::format("reply larger than %zu bytes", transfer.maxBodySize);
    } else if (result != CURLE_OK) {
        transfer.response.error = transfer.errorBuffer[0] ? transfer.errorBuffer : curl_easy_strerror(result);
    } else if (status < 200 || status > 299) {
        transfer.response.error = kit::format("HTTP status %ld", status);
    }
    finished.push_back(std::move(*found));
    running.erase(found);
}

void Client::deliver() {
    // A handler that calls net::update must not deliver the rest out of order.
    if (delivering) {
        return;
    }
    delivering = true;
    while (!finished.empty()) {
        std::unique_ptr<Transfer> transfer = std::move(finished.front());
        finished.pop_front();
        HttpSocketDelegate* delegate = transfer->socket->getDelegate();
        if (!transfer->response.error.empty()) {
            kit::Log::debug("net", "Request to '" + transfer->url + "' failed: " + transfer->response.error);
        }
        if (!delegate) {
            continue;
        }
        if (transfer->response.error.empty()) {
            delegate->onHttpCompleted(transfer->socket, transfer->response, transfer->url);
        } else {
            delegate->onHttpFailed(transfer->socket, transfer->response, transfer->url);
        }
    }
    delivering = false;
}

}  // namespace net
