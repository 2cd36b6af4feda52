#include "net/HttpSocket.h"

#include "Client.h"
#include "kit/Log.h"

namespace net {

namespace {

bool hasLineBreak(const kit::String& text) {
    return text.find_first_of("\r\n") != kit::String::npos;
}

// A line break in a header would let the text start a header or request of its own.
bool isValidHeader(const kit::String& name, const kit::String& value) {
    return !name.empty() && name.find(':') == kit::String::npos && !hasLineBreak(name) &&
           !hasLineBreak(value);
}

}  // namespace

HttpSocket::HttpSocket(HttpSocketDelegate* delegate, Protocol protocol)
    : delegate(delegate), protocol(protocol) {}

HttpSocket::~HttpSocket() {
    cancel();
}

bool HttpSocket::executeGetAsync(const kit::String& url, const kit::String& customBody,
                                 const kit::Map<kit::String, kit::String>& headers) {
    if (!client) {
        kit::Log::warn("net", "Request to '" + url + "' while net is not initialized");
        return false;
    }
    curl_slist* list = nullptr;
    for (const auto& [name, value] : headers) {
        if (!isValidHeader(name, value)) {
            kit::Log::warn("net", "Request to '" + url + "' refused: invalid header '" + name + "'");
            curl_slist_free_all(list);
            return false;
        }
        list = curl_slist_append(list, (name + ": " + value).c_str());
    }
    return client->start(this, url, customBody, list);
}

void HttpSocket::cancel() {
    if (client) {
        client->cancel(this);
    }
}

int HttpSocket::getPendingCount() const {
    return client ? client->countPending(this) : 0;
}

}  // namespace net
