#pragma once

#include "kit/Types.h"
#include "net/HttpResponse.h"

namespace net {

class HttpSocket;

// Receives the outcome of a socket's requests inside `net::update`. A handler may delete the socket or
// send a new request through it.
class HttpSocketDelegate {
public:
    virtual ~HttpSocketDelegate() = default;

    // A 2xx reply within the size limit.
    virtual void onHttpCompleted(HttpSocket* socket, const HttpResponse& response,
                                 const kit::String& url) = 0;
    // Anything else: no connection, time-out, a status other than 2xx, a reply over the limit, a refused
    // address or redirect.
    virtual void onHttpFailed(HttpSocket*, const HttpResponse&, const kit::String&) {}
};

}  // namespace net
