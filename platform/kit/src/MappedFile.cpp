#include "kit/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kit {

MappedFile::~MappedFile() {
    close();
}

bool MappedFile::open(const String& path) {
    close();
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) {
        return false;
    }
    struct stat status {};
    void* mapping = MAP_FAILED;
    if (fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode) && status.st_size > 0) {
        mapping = mmap(nullptr, static_cast<size_t>(status.st_size), PROT_READ, MAP_PRIVATE, descriptor, 0);
    }
    // The mapping holds the file by itself.
    ::close(descriptor);
    if (mapping == MAP_FAILED) {
        return false;
    }
    bytes = static_cast<const unsigned char*>(mapping);
    length = static_cast<size_t>(status.st_size);
    return true;
}

void MappedFile::close() {
    if (bytes != nullptr) {
        munmap(const_cast<unsigned char*>(bytes), length);
    }
    bytes = nullptr;
    length = 0;
}

}  // namespace kit
