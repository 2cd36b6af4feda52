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

kit::String folderOf(const kit::String& name) {
    kit::String folder = kit::Dir::getParent(name);
    return folder.empty() ? "." : folder;
}

bool ensureFolder(const kit::String& name) {
    return kit::Dir::create(folderOf(name));
}

kit::String temporaryName(const kit::String& name) {
    return kit::Dir::joinPath(folderOf(name), "." + kit::File::getName(name) + ".new");
}

kit::String checksumBytes(const kit::String& stored) {
    kit::Stream checksum;
    checksum.dump(kit::crc32(stored));
    return checksum.getBytes();
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

// Moves the checksum first: a data file without one is accepted, so whenever the process stops,
// the set still holds a loadable version.
bool FileManager::_createBackup(const kit::String& name) {
    if (_findFilename(name) != name) {
        return false;
    }
    kit::String checksum = _checksumName(name);
    kit::String backupChecksum = _checksumName(name + BackupSuffix);
    bool moved = kit::File::exists(checksum)
                     ? kit::File::rename(checksum, backupChecksum)
                     : !kit::File::exists(backupChecksum) || kit::File::remove(backupChecksum);
    if (!moved || !kit::File::rename(name, name + BackupSuffix)) {
        kit::Log::warn(LogTag, "Could not create backup of: " + name);
        return false;
    }
    return true;
}

bool FileManager::_createCrc32(const kit::String& name, const kit::Stream& stream) {
    if (!ensureFolder(name)) {
        return false;
    }
    return kit::File::writeAtomic(_checksumName(name), checksumBytes(stream.getBytes()));
}

bool FileManager::_createFileWithCrc32(const kit::String& name, const kit::Stream& stream) {
    return _replaceFileWithCrc32(name, stream, false);
}

bool FileManager::_saveFileSet(const kit::String& name, const kit::Stream& stream) {
    return _replaceFileWithCrc32(name, stream, true);
}

// Both new files are written whole and flushed under temporary names before anything of the set
// changes. Then the backup is rotated, the checksum goes in, and the data file last: until its
// rename the set loads the previous version, afterwards the new one, so what load finds always
// matches what save reported.
bool FileManager::_replaceFileWithCrc32(const kit::String& name, const kit::Stream& stream, bool backup) {
    kit::String stored;
    if (!ensureFolder(name) || !_store(stream, stored)) {
        kit::Log::error(LogTag, "Could not write file: " + name);
        return false;
    }
    kit::String dataTemporary = temporaryName(name);
    kit::String checksumTemporary = temporaryName(_checksumName(name));
    bool staged = kit::File::writeDurable(dataTemporary, stored) &&
                  kit::File::writeDurable(checksumTemporary, checksumBytes(stored));
    // A data file that fails its check never becomes the backup; a failed rotation stops the save.
    bool rotated = staged && (!backup || _findFilename(name) != name || _createBackup(name));
    bool installed = rotated && kit::File::rename(checksumTemporary, _checksumName(name)) &&
                     kit::File::rename(dataTemporary, name);
    if (!installed) {
        kit::File::remove(dataTemporary);
        kit::File::remove(checksumTemporary);
        kit::Log::error(LogTag, "Could not write file: " + name);
        return false;
    }
    if (!kit::Dir::sync(folderOf(name))) {
        kit::Log::warn(LogTag, "Could not flush the folder of: " + name);
    }
    return true;
}

bool FileManager::_store(const kit::Stream& stream, kit::String& stored) const {
    if (encryptionKey.empty()) {
        stored = stream.getBytes();
        return true;
    }
    kit::Stream input = stream;
    input.rewind();
    kit::Stream output;
    if (!_cross(input, output)) {
        return false;
    }
    stored = output.getBytes();
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
