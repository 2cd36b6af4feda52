#include "ventrel/system/FileManager.h"

#include <kit/Crc32.h>
#include <kit/Dir.h>
#include <kit/File.h>
#include <kit/Log.h>

#include <algorithm>

#include "ventrel/Ventrel.h"
#include "ventrel/system/Core.h"

namespace ventrel::system {

namespace {

const kit::String BackupSuffix = ".bkp";

bool ensureFolder(const kit::String& name) {
    kit::String folder = kit::Dir::getParent(name);
    return folder.empty() || kit::Dir::create(folder);
}

}  // namespace

FileManager::FileManager() : path(core ? core->getSystemPath() : "") {}

kit::String FileManager::_checksumName(const kit::String& name) const {
    return name + (encryptionKey.empty() ? ".crc" : ".x32");
}

bool FileManager::_checkCrc32(const kit::String& name) const {
    if (!kit::File::exists(name)) {
        return false;
    }
    kit::String checksumFile = _checksumName(name);
    if (!kit::File::exists(checksumFile)) {
        return true;
    }
    kit::String stored;
    kit::String data;
    if (!kit::File::read(checksumFile, stored) || !kit::File::read(name, data)) {
        return false;
    }
    kit::Stream checksum(stored);
    uint32_t expected = 0;
    return checksum.load(expected) && expected == kit::crc32(data);
}

kit::String FileManager::_findFilename(const kit::String& name) const {
    if (_checkCrc32(name)) {
        return name;
    }
    return _checkCrc32(name + BackupSuffix) ? name + BackupSuffix : "";
}

bool FileManager::_existsFile(const kit::String& name) const {
    return !_findFilename(name).empty();
}

// Copies rather than renames, each copy written whole before it replaces anything: a crash between
// two steps must never leave the set without one data file whose checksum matches.
bool FileManager::_createBackup(const kit::String& name) {
    if (_findFilename(name) != name) {
        return false;
    }
    kit::String data;
    if (!kit::File::read(name, data) || !kit::File::writeAtomic(name + BackupSuffix, data)) {
        kit::Log::warn(LogTag, "Could not create backup of: " + name);
        return false;
    }
    kit::String backupChecksum = _checksumName(name + BackupSuffix);
    kit::String checksum;
    if (!kit::File::read(_checksumName(name), checksum)) {
        kit::File::remove(backupChecksum);
        return true;
    }
    return kit::File::writeAtomic(backupChecksum, checksum);
}

bool FileManager::_createCrc32(const kit::String& name, const kit::Stream& stream) {
    if (!ensureFolder(name)) {
        return false;
    }
    kit::Stream checksum;
    checksum.dump(kit::crc32(stream.getBytes()));
    return kit::File::writeAtomic(_checksumName(name), checksum.getBytes());
}

bool FileManager::_createFileWithCrc32(const kit::String& name, const kit::Stream& stream) {
    if (!ensureFolder(name)) {
        kit::Log::error(LogTag, "Could not create folder for: " + name);
        return false;
    }
    kit::Stream stored;
    if (encryptionKey.empty()) {
        stored = stream;
    } else {
        kit::Stream input = stream;
        input.rewind();
        if (!_cross(input, stored)) {
            return false;
        }
    }
    if (!kit::File::writeAtomic(name, stored.getBytes()) || !_createCrc32(name, stored)) {
        kit::Log::error(LogTag, "Could not write file: " + name);
        return false;
    }
    return true;
}

bool FileManager::_loadFile(const kit::String& name, kit::Stream& stream) const {
    kit::String bytes;
    if (!kit::File::read(name, bytes)) {
        return false;
    }
    kit::Stream stored(bytes);
    if (encryptionKey.empty()) {
        stream = stored;
    } else {
        stream.clear();
        if (!bytes.empty() && !_uncross(stored, stream)) {
            return false;
        }
    }
    stream.rewind();
    return true;
}

void FileManager::_deleteFile(const kit::String& name) {
    kit::Log::debug(LogTag, "Deleting fileset: " + name);
    kit::String backup = name + BackupSuffix;
    for (const kit::String& file :
         {name, name + ".crc", name + ".x32", backup, backup + ".crc", backup + ".x32"}) {
        kit::File::remove(file);
    }
}

void FileManager::_saveVersion(kit::Stream& stream) const {
    kit::Version version = core ? core->getGameVersion() : kit::Version();
    for (int part : {version.getMajor(), version.getMinor(), version.getPatch(), version.getBuild()}) {
        stream.dump(static_cast<uint32_t>(part));
    }
}

bool FileManager::_loadVersion(kit::Stream& stream) {
    uint32_t parts[4];
    for (uint32_t& part : parts) {
        if (!stream.load(part)) {
            return false;
        }
    }
    loadedVersion = kit::Version(static_cast<int>(parts[0]), static_cast<int>(parts[1]),
                                 static_cast<int>(parts[2]), static_cast<int>(parts[3]));
    return true;
}

bool FileManager::_cross(kit::Stream& input, kit::Stream& output) const {
    kit::String reversed(encryptionKey.rbegin(), encryptionKey.rend());
    return _execross(input, output, {reversed});
}

bool FileManager::_uncross(kit::Stream& input, kit::Stream& output) const {
    return _cross(input, output);
}

bool FileManager::_execross(kit::Stream& input, kit::Stream& output, const kit::Array<kit::String>& keys) {
    kit::String bytes;
    if (!input.read(bytes, input.remaining()) || bytes.empty()) {
        return false;
    }
    for (const kit::String& key : keys) {
        if (key.empty()) {
            continue;
        }
        for (size_t i = 0; i < bytes.size(); ++i) {
            bytes[i] = static_cast<char>(bytes[i] ^ key[i % key.size()]);
        }
    }
    output.write(bytes);
    return true;
}

}  // namespace ventrel::system
