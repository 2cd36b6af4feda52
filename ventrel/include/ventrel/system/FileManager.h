#pragma once

#include <kit/Stream.h>
#include <kit/Types.h>
#include <kit/Version.h>

namespace ventrel::system {

// Protects every file the engine writes for the user: a checksum file beside each data file, the
// previous version kept as a backup, optional scrambling with a key. A load takes the data file if
// its checksum matches, else the backup if its checksum matches, else nothing.
class FileManager {
public:
    // Starts in the core's per-user folder (empty before the core exists).
    FileManager();
    virtual ~FileManager() = default;

    const kit::String& getPath() const { return path; }
    void setPath(const kit::String& value) { path = value; }
    const kit::Version& getLoadedVersion() const { return loadedVersion; }
    void setLoadedVersion(const kit::Version& value) { loadedVersion = value; }
    const kit::String& getFileExtension() const { return fileExtension; }
    void setFileExtension(const kit::String& value) { fileExtension = value; }
    const kit::String& getEncryptionKey() const { return encryptionKey; }
    void setEncryptionKey(const kit::String& value) { encryptionKey = value; }

protected:
    kit::String path;
    kit::Version loadedVersion;
    kit::String fileExtension = "dat";
    kit::String encryptionKey;

    // The name if it passes its check, else its backup if that passes, else "".
    kit::String _findFilename(const kit::String& name) const;
    bool _existsFile(const kit::String& name) const;
    bool _checkCrc32(const kit::String& name) const;
    // The checksum file of a data file: ".x32" when a key is set, else ".crc".
    kit::String _checksumName(const kit::String& name) const;

    bool _createBackup(const kit::String& name);
    bool _createCrc32(const kit::String& name, const kit::Stream& stream);
    bool _createFileWithCrc32(const kit::String& name, const kit::Stream& stream);
    // A whole save: the valid data file becomes the backup and the stream the new data file. False
    // when it could not be written; the set then still loads its previous version.
    bool _saveFileSet(const kit::String& name, const kit::Stream& stream);
    bool _loadFile(const kit::String& name, kit::Stream& stream) const;
    void _deleteFile(const kit::String& name);

    void _saveVersion(kit::Stream& stream) const;
    bool _loadVersion(kit::Stream& stream);

    bool _cross(kit::Stream& input, kit::Stream& output) const;
    bool _uncross(kit::Stream& input, kit::Stream& output) const;
    static bool _execross(kit::Stream& input, kit::Stream& output, const kit::Array<kit::String>& keys);

private:
    bool _replaceFileWithCrc32(const kit::String& name, const kit::Stream& stream, bool backup);
    // The bytes as stored: scrambled when a key is set.
    bool _store(const kit::Stream& stream, kit::String& stored) const;
};

}  // namespace ventrel::system
