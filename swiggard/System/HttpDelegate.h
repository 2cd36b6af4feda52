#pragma once

#include <kit/Types.h>
#include <net/HttpSocketDelegate.h>

namespace System {

// Takes the message of the day from the studio's reply: the first line, kept in the profile, shown
// three more times when it is new.
class HttpDelegate : public net::HttpSocketDelegate {
public:
    void onHttpCompleted(net::HttpSocket* socket, const net::HttpResponse& response,
                         const kit::String& url) override;

    // What a reply body does to the message of the day.
    static void handleMotd(const kit::String& body);
};

}  // namespace System
