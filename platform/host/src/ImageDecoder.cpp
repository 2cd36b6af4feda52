#include "ImageDecoder.h"

#include <SDL_image.h>

#include <algorithm>

namespace host {

ImageDecoder::~ImageDecoder() {
    stop();
}

SDL_Surface* ImageDecoder::decode(const kit::String& path) {
    SDL_Surface* surface = IMG_Load(path.c_str());
    if (surface == nullptr) {
        return nullptr;
    }
    if (surface->format->format == SDL_PIXELFORMAT_RGBA32) {
        return surface;
    }
    SDL_Surface* converted = SDL_ConvertSurfaceFormat(surface, SDL_PIXELFORMAT_RGBA32, 0);
    SDL_FreeSurface(surface);
    return converted;
}

void ImageDecoder::queue(uint64_t serial, const kit::String& path) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        if (!worker.joinable()) {
            worker = std::thread(&ImageDecoder::_run, this);
        }
        jobs.push_back({serial, path});
    }
    condition.notify_one();
}

void ImageDecoder::prefer(uint64_t serial) {
    std::lock_guard<std::mutex> lock(mutex);
    auto job =
        std::find_if(jobs.begin(), jobs.end(), [&](const Job& queued) { return queued.serial == serial; });
    if (job != jobs.end() && job != jobs.begin()) {
        Job moved = *job;
        jobs.erase(job);
        jobs.push_front(moved);
    }
}

SDL_Surface* ImageDecoder::cancel(uint64_t serial) {
    std::lock_guard<std::mutex> lock(mutex);
    jobs.erase(std::remove_if(jobs.begin(), jobs.end(), [&](const Job& job) { return job.serial == serial; }),
               jobs.end());
    auto result = std::find_if(results.begin(), results.end(),
                               [&](const Result& returned) { return returned.serial == serial; });
    if (result == results.end()) {
        return nullptr;
    }
    SDL_Surface* surface = result->surface;
    results.erase(result);
    return surface;
}

std::deque<ImageDecoder::Result> ImageDecoder::takeUrgent(
    const std::function<bool(uint64_t serial)>& urgent) {
    std::lock_guard<std::mutex> lock(mutex);
    auto rest = std::stable_partition(results.begin(), results.end(),
                                      [&](const Result& result) { return urgent(result.serial); });
    std::deque<Result> taken(results.begin(), rest);
    results.erase(results.begin(), rest);
    return taken;
}

std::optional<ImageDecoder::Result> ImageDecoder::takeNext() {
    std::lock_guard<std::mutex> lock(mutex);
    if (results.empty()) {
        return std::nullopt;
    }
    Result result = results.front();
    results.pop_front();
    return result;
}

void ImageDecoder::stop() {
    {
        std::lock_guard<std::mutex> lock(mutex);
        stopping = true;
        jobs.clear();
    }
    condition.notify_all();
    if (worker.joinable()) {
        worker.join();
    }
    std::lock_guard<std::mutex> lock(mutex);
    for (const Result& result : results) {
        SDL_FreeSurface(result.surface);
    }
    results.clear();
    stopping = false;
}

void ImageDecoder::_run() {
    while (true) {
        Job job;
        {
            std::unique_lock<std::mutex> lock(mutex);
            condition.wait(lock, [&] { return stopping || !jobs.empty(); });
            if (stopping) {
                // SDL keeps a failed decode's error text per thread; a thread SDL did not start frees
                // it itself.
                SDL_TLSCleanup();
                return;
            }
            job = jobs.front();
            jobs.pop_front();
        }
        SDL_Surface* surface = decode(job.path);
        std::lock_guard<std::mutex> lock(mutex);
        results.push_back({job.serial, surface});
    }
}

}  // namespace host
