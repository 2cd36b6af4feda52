#include "net/Net.h"

#include "Client.h"
#include "kit/Log.h"

namespace net {

bool init(bool threaded) {
    if (client) {
        kit::Log::warn("net", "Net is already initialized");
        return true;
    }
    if (curl_global_init(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
        kit::Log::error("net", "Cannot start libcurl");
        return false;
    }
    client = new Client();
    if (!client->isValid()) {
        kit::Log::error("net", "Cannot create the transfer handle");
        destroy();
        return false;
    }
    if (threaded) {
        kit::Log::warn("net", "No worker thread: requests run inside net::update");
    }
    kit::Log::debug("net", "Net initialized.");
    return true;
}

void destroy() {
    if (!client) {
        return;
    }
    delete client;
    client = nullptr;
    curl_global_cleanup();
}

bool isInitialized() {
    return client != nullptr;
}

void update(float) {
    if (client) {
        client->update();
    }
}

}  // namespace net
