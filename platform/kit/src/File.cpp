#include "kit/File.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "kit/Dir.h"

namespace fs = std::filesystem;

namespace kit {

bool File::exists(const String& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

long long File::size(const String& path) {
    std::error_code error;
    auto result = fs::file_size(path, error);
    return error ? -1 : static_cast<long long>(result);
}

bool File::read(const String& path, String& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in || !exists(path)) {
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    bytes = content.str();
    return !in.bad();
}

bool File::read(const String& path, Array<unsigned char>& bytes) {
    String content;
    if (!read(path, content)) {
        return false;
    }
    bytes.assign(content.begin(), content.end());
    return true;
}

String File::readText(const String& path) {
    String content;
    read(path, content);
    return content;
}

// Writes everything and, when asked, flushes it to the disk; false on any short or failed call.
static bool writeDescriptor(int fd, const String& bytes, bool flushToDisk) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return !flushToDisk || ::fsync(fd) == 0;
}

static bool writeFile(const String& path, const String& bytes, bool flushToDisk) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    bool ok = writeDescriptor(fd, bytes, flushToDisk);
    return (::close(fd) == 0) && ok;
}

bool File::write(const String& path, const String& bytes) {
    return writeFile(path, bytes, false);
}

bool File::write(const String& path, const Array<unsigned char>& bytes) {
    return write(path, String(bytes.begin(), bytes.end()));
}

bool File::writeDurable(const String& path, const String& bytes) {
    return writeFile(path, bytes, true);
}

bool File::writeAtomic(const String& path, const String& bytes) {
    String folder = Dir::getParent(path);
    String temporary = Dir::joinPath(folder, "." + getName(path) + ".tmp");
    if (!writeFile(temporary, bytes, true)) {
        ::unlink(temporary.c_str());
        return false;
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    return Dir::sync(folder.empty() ? "." : folder);
}

bool File::rename(const String& from, const String& to) {
    return ::rename(from.c_str(), to.c_str()) == 0;
}

bool File::copy(const String& from, const String& to) {
    std::error_code error;
    return fs::copy_file(from, to, fs::copy_options::overwrite_existing, error) && !error;
}

bool File::remove(const String& path) {
    std::error_code error;
    return fs::remove(path, error) && !error;
}

String File::getName(const String& path) {
    return fs::path(path).filename().string();
}

String File::getBaseName(const String& path) {
    return fs::path(path).stem().string();
}

String File::getExtension(const String& path) {
    return fs::path(path).extension().string();
}

}  // namespace kit
