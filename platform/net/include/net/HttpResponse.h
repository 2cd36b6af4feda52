#pragma once

#include "kit/Types.h"

namespace net {

// What came back for a request. `statusCode` is 0 when no HTTP reply arrived; `error` says why a
// request failed and is empty on success.
struct HttpResponse {
    int statusCode = 0;
    kit::String body;
    kit::String error;
};

}  // namespace net
