#pragma once

#include "kit/Types.h"

namespace kit {

// Whole-file operations on the writable file system. Failures return false / an empty optional
// result and never throw.
class File {
public:
    File() = delete;

    static bool exists(const String& path);
    static long long size(const String& path);
    // Reads all bytes; false when the file cannot be read.
    static bool read(const String& path, String& bytes);
    static bool read(const String& path, Array<unsigned char>& bytes);
    // The whole file as text, or "" when it cannot be read.
    static String readText(const String& path);
    static bool write(const String& path, const String& bytes);
    static bool write(const String& path, const Array<unsigned char>& bytes);
    // Writes the file and flushes it to disk before returning.
    static bool writeDurable(const String& path, const String& bytes);
    // Writes a temporary file in the same folder, flushes it to disk and renames it over `path`, so
    // that a crash at any moment leaves either the old or the new file whole.
    static bool writeAtomic(const String& path, const String& bytes);
    // Renames, replacing an existing target.
    static bool rename(const String& from, const String& to);
    static bool copy(const String& from, const String& to);
    static bool remove(const String& path);
    // The file name without its folder, and without its extension.
    static String getName(const String& path);
    static String getBaseName(const String& path);
    static String getExtension(const String& path);
};

}  // namespace kit
