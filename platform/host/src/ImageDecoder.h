#pragma once

// Internal to the host layer: it speaks SDL.
#include <SDL.h>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "kit/Types.h"

namespace host {

// Decodes image files into RGBA32 surfaces on a worker thread of its own, so that a screen's pictures
// load while it already runs. Jobs are known by the serial of the texture they are for. The worker
// starts with the first job; surfaces that came back and were not taken are freed when it stops.
class ImageDecoder {
public:
    struct Result {
        uint64_t serial = 0;
        // Null when the file could not be decoded.
        SDL_Surface* surface = nullptr;
    };

    ImageDecoder() = default;
    ~ImageDecoder();
    ImageDecoder(const ImageDecoder&) = delete;
    ImageDecoder& operator=(const ImageDecoder&) = delete;

    // Decodes an image file now, on the calling thread; null with SDL's error on failure.
    static SDL_Surface* decode(const kit::String& path);

    void queue(uint64_t serial, const kit::String& path);
    // The job moves to the front of the queue (a frame wants its picture).
    void prefer(uint64_t serial);
    // Drops the job; answers its surface when it already came back (the caller frees it), else null.
    SDL_Surface* cancel(uint64_t serial);
    // Takes the results that `urgent` picks, in the order they came back.
    std::deque<Result> takeUrgent(const std::function<bool(uint64_t serial)>& urgent);
    // Takes the oldest result; none when no result waits.
    std::optional<Result> takeNext();
    // Drops the queued jobs, waits for the one being decoded and frees every untaken surface. A later
    // job starts the worker again.
    void stop();

private:
    struct Job {
        uint64_t serial = 0;
        kit::String path;
    };

    std::mutex mutex;
    std::condition_variable condition;
    std::thread worker;
    bool stopping = false;
    std::deque<Job> jobs;
    std::deque<Result> results;

    void _run();
};

}  // namespace host
