#pragma once

#include <cstddef>

#include "kit/Types.h"

namespace net {

class HttpSocketDelegate;

// Sends asynchronous HTTP GET requests (http and https only) and reports each outcome to its delegate
// from `net::update`. Deleting the socket cancels its running requests without callbacks.
class HttpSocket {
public:
    enum class Protocol { Default, Http1_1, Http2 };

    static constexpr float defaultTimeout = 10.0f;
    static constexpr std::size_t defaultMaxBodySize = 64 * 1024;

    explicit HttpSocket(HttpSocketDelegate* delegate, Protocol protocol = Protocol::Default);
    ~HttpSocket();
    HttpSocket(const HttpSocket&) = delete;
    HttpSocket& operator=(const HttpSocket&) = delete;

    // Starts a GET with an optional body and headers (name -> value). Returns false, with a warning and
    // without a callback, when the layer is not started or a header would break the request.
    bool executeGetAsync(const kit::String& url, const kit::String& customBody,
                         const kit::Map<kit::String, kit::String>& headers);
    // Cancels every running request of this socket; no callbacks follow.
    void cancel();
    int getPendingCount() const;

    HttpSocketDelegate* getDelegate() const { return delegate; }
    Protocol getProtocol() const { return protocol; }
    // Whole time a request may take, in seconds; connecting may take at most half of it.
    void setTimeout(float seconds) { timeout = seconds; }
    float getTimeout() const { return timeout; }
    // A reply body larger than this fails.
    void setMaxBodySize(std::size_t bytes) { maxBodySize = bytes; }
    std::size_t getMaxBodySize() const { return maxBodySize; }

private:
    HttpSocketDelegate* delegate;
    Protocol protocol;
    float timeout = defaultTimeout;
    std::size_t maxBodySize = defaultMaxBodySize;
};

}  // namespace net
