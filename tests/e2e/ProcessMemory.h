#pragma once

#include <malloc.h>

#include <fstream>
#include <string>

namespace e2etest {

// This process's resident memory in KiB, all of it and the private (anonymous) part, and the part of
// the heap that is allocated (the rest of the heap is free but not yet given back).
struct ProcessMemory {
    long resident = 0;
    long anonymous = 0;
    long heapInUse = 0;

    static ProcessMemory now() {
        ProcessMemory memory;
        std::ifstream status("/proc/self/status");
        for (std::string line; std::getline(status, line);) {
            if (line.rfind("VmRSS:", 0) == 0) {
                memory.resident = std::stol(line.substr(6));
            } else if (line.rfind("RssAnon:", 0) == 0) {
                memory.anonymous = std::stol(line.substr(8));
            }
        }
        memory.heapInUse = static_cast<long>(mallinfo2().uordblks / 1024);
        return memory;
    }
};

}  // namespace e2etest
