#pragma once

// Start, stop and the frame step of the HTTP layer.
namespace net {

// Starts the transfer machinery. Transfers always run inside `update` on the calling thread; with
// `threaded` a warning says so, since no worker thread is used.
bool init(bool threaded);
// Cancels every running transfer (no callbacks) and stops the layer.
void destroy();
bool isInitialized();
// Moves every transfer on without blocking and delivers completions and failures to the delegates.
void update(float timeDelta);

}  // namespace net
