#include <gtest/gtest.h>
#include <kit/File.h>
#include <kit/Strings.h>
#include <serial/Factory.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/Core.h>
#include <ventrel/system/FileManager.h>
#include <ventrel/system/GameState.h>
#include <ventrel/system/ProfileManager.h>
#include <ventrel/system/SaveManager.h>

#include <functional>
#include <memory>

#include "LogCapture.h"
#include "TempFolder.h"

using namespace ventrel::system;

// Every file of a set (data, checksum, backup, backup checksum) damaged in every way, against the
// rule: the data file when it passes its check, else the backup when it passes, else nothing. A save
// afterwards never turns a failing data file into the backup.
namespace {

// Saves numbered versions into one file set and reports the number the loader finds (-1: none).
class Subject {
public:
    virtual ~Subject() = default;
    virtual kit::String dataFile() const = 0;
    virtual bool save(int version) = 0;
    virtual int load() = 0;
};

class RawFiles : public Subject, FileManager {
public:
    explicit RawFiles(const TempFolder& folder) : name(folder.file("raw.dat")) {}
    kit::String dataFile() const override { return name; }
    bool save(int version) override { return _saveFileSet(name, kit::Stream(text(version))); }
    int load() override {
        kit::String file = _findFilename(name);
        kit::Stream stream;
        if (file.empty() || !_loadFile(file, stream)) {
            return -1;
        }
        for (int version = 1; version < 10; ++version) {
            if (stream.getBytes() == text(version)) {
                return version;
            }
        }
        ADD_FAILURE() << "the loader took bytes no save wrote from " << file;
        return -2;
    }

private:
    static kit::String text(int version) {
        return "version " + kit::toString(version) + kit::String(100, '.');
    }
    kit::String name;
};

class ProfileFile : public Subject {
public:
    explicit ProfileFile(const TempFolder& folder) : folder(folder) {}
    kit::String dataFile() const override { return folder.file("profile.cfg"); }
    bool save(int version) override {
        auto manager = open();
        if (!manager->hasProfile("Player")) {
            manager->createProfile("Player", true);
        }
        (*manager)["Player"]->set("Version", kit::toString(version));
        return manager->save();
    }
    int load() override {
        auto manager = open();
        Profile* player = (*manager)["Player"];
        return player ? kit::toInt(player->get("Version")) : -1;
    }

private:
    std::unique_ptr<ProfileManager, std::function<void(ProfileManager*)>> open() const {
        std::unique_ptr<ProfileManager, std::function<void(ProfileManager*)>> manager(
            new ProfileManager(), [](ProfileManager* m) {
                ventrel::profileManager = nullptr;
                delete m;
            });
        manager->setPath(folder.path + "/");
        manager->setFilename(dataFile());
        // Only declared keys are stored.
        manager->addDefault("Version", "0");
        ventrel::profileManager = manager.get();
        manager->load();
        return manager;
    }
    const TempFolder& folder;
};

class VersionState : public GameState {
public:
    int version = 0;
    kit::String _serialName() const override { return "Test::VersionState"; }
    kit::Array<serial::Variable> _serialVars() override {
        kit::Array<serial::Variable> vars = GameState::_serialVars();
        vars.push_back(serial::Variable("version", &version));
        return vars;
    }
};

const bool registered = serial::Factory::add<VersionState>("Test::VersionState");

class SaveGame : public Subject {
public:
    explicit SaveGame(const TempFolder& folder) : folder(folder) { saves.setPath(folder.path); }
    kit::String dataFile() const override { return folder.file("game.sav"); }
    bool save(int version) override {
        VersionState state;
        state.version = version;
        return saves.saveGame(&state, "game");
    }
    int load() override {
        std::unique_ptr<GameState> loaded = saves.loadGame("game");
        if (!loaded) {
            return -1;
        }
        auto* state = dynamic_cast<VersionState*>(loaded.get());
        return state ? state->version : -2;
    }

private:
    const TempFolder& folder;
    SaveManager saves;
};

enum class Damage { Missing, Empty, Truncated, Zeroed, BitFlipped, Stale };

const char* damageName(Damage damage) {
    const char* names[] = {"missing", "empty", "truncated", "zeroed", "bit-flipped", "stale"};
    return names[static_cast<int>(damage)];
}

// The four files of a set, by their suffix after the data file's name.
const char* const Files[] = {"", ".crc", ".bkp", ".bkp.crc"};

void damage(const kit::String& file, Damage how, const kit::String& stale) {
    kit::String bytes = kit::File::readText(file);
    switch (how) {
        case Damage::Missing:
            kit::File::remove(file);
            return;
        case Damage::Empty:
            bytes.clear();
            break;
        case Damage::Truncated:
            bytes.resize(bytes.size() / 2);
            break;
        case Damage::Zeroed:
            bytes.assign(bytes.size(), '\0');
            break;
        case Damage::BitFlipped:
            bytes[bytes.size() / 2] = static_cast<char>(bytes[bytes.size() / 2] ^ 0x10);
            break;
        case Damage::Stale:
            bytes = stale;
            break;
    }
    kit::File::write(file, bytes);
}

struct Case {
    kit::Array<int> files;  // indices into Files
    Damage how;
    int expected;  // the version the loader must find
};

// After saves 1, 2 and 3 the set holds 3 with its backup 2; a stale file is the same file one save
// earlier. Damaging the data file or its checksum falls back to 2 (a missing checksum accepts the data
// file as written by hand); damage to the backup's files leaves 3.
kit::Array<Case> matrix() {
    kit::Array<Case> cases;
    for (Damage how : {Damage::Missing, Damage::Empty, Damage::Truncated, Damage::Zeroed, Damage::BitFlipped,
                       Damage::Stale}) {
        cases.push_back({{0}, how, 2});
        cases.push_back({{1}, how, how == Damage::Missing ? 3 : 2});
        cases.push_back({{2}, how, 3});
        cases.push_back({{3}, how, 3});
        cases.push_back({{0, 2}, how, -1});
        cases.push_back({{1, 3}, how, how == Damage::Missing ? 3 : -1});
    }
    // Without the backup's checksum, the backup is taken as written.
    cases.push_back({{0, 3}, Damage::Missing, 2});
    return cases;
}

void runMatrix(const std::function<std::unique_ptr<Subject>(const TempFolder&)>& make) {
    LogCapture log;
    for (const Case& c : matrix()) {
        TempFolder folder;
        std::unique_ptr<Subject> subject = make(folder);
        kit::String data = subject->dataFile();
        ASSERT_TRUE(subject->save(1) && subject->save(2));
        kit::Array<kit::String> previous;
        for (const char* suffix : Files) {
            previous.push_back(kit::File::readText(data + suffix));
        }
        ASSERT_TRUE(subject->save(3));
        kit::String label = damageName(c.how);
        for (int file : c.files) {
            label += kit::String(" ") + (file == 0 ? "data" : Files[file]);
            damage(data + Files[file], c.how, previous[file]);
        }
        SCOPED_TRACE(label);
        int found = subject->load();
        EXPECT_EQ(found, c.expected);
        // A new save loads; once its data file fails in turn, the loader finds what it found before,
        // so a failing data file was never rotated into the backup.
        ASSERT_TRUE(subject->save(4));
        EXPECT_EQ(subject->load(), 4);
        damage(data, Damage::BitFlipped, "");
        EXPECT_EQ(subject->load(), found == 3 || found == 2 ? found : -1);
    }
}

class FileSetDamage : public ::testing::Test {
protected:
    void SetUp() override {
        ProfileManager::defaults.clear();
        ventrel::core = &core;
    }
    void TearDown() override { ventrel::core = nullptr; }
    Core core{"gui", "dev", "game", kit::Version(1, 0, 0, 0)};
};

}  // namespace

TEST_F(FileSetDamage, RawFileSet) {
    runMatrix([](const TempFolder& folder) { return std::make_unique<RawFiles>(folder); });
}

TEST_F(FileSetDamage, ProfileFile) {
    runMatrix([](const TempFolder& folder) { return std::make_unique<ProfileFile>(folder); });
}

TEST_F(FileSetDamage, SaveGame) {
    runMatrix([](const TempFolder& folder) { return std::make_unique<SaveGame>(folder); });
}
