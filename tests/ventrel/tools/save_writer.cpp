// Saves games or profiles for the crash tests, which kill it or make its system calls fail:
//   save_writer <kind> loop <folder>          saves 1, 2, 3 ... and prints each number once it is saved
//   save_writer <kind> once <folder> <value>  saves one value; exit code 0 when save reported success,
//                                             and the file <folder>/.started tells that it got to run
//   save_writer <kind> read <folder>          prints the value the loader finds, or -1
// <kind> is "game" (a save game) or "profile" (the profile file).
#include <kit/File.h>
#include <kit/Log.h>
#include <kit/Strings.h>
#include <serial/Factory.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/Core.h>
#include <ventrel/system/GameState.h>
#include <ventrel/system/ProfileManager.h>
#include <ventrel/system/SaveManager.h>

#include <cstdio>
#include <memory>

namespace {

class CountedState : public ventrel::system::GameState {
public:
    int value = 0;
    kit::String padding;
    kit::String _serialName() const override { return "Test::CountedState"; }
    kit::Array<serial::Variable> _serialVars() override {
        kit::Array<serial::Variable> vars = GameState::_serialVars();
        vars.push_back(serial::Variable("value", &value));
        vars.push_back(serial::Variable("padding", &padding));
        return vars;
    }
};

const bool registered = serial::Factory::add<CountedState>("Test::CountedState");

// Big enough that a kill often lands inside a write.
kit::String paddingFor(int value) {
    return kit::String(64 * 1024 + value % 977, static_cast<char>('a' + value % 26));
}

// One kind of file set: saves a number into it and reads back the number the loader finds.
class Store {
public:
    virtual ~Store() = default;
    virtual bool save(int value) = 0;
    virtual int read() = 0;
};

class GameStore : public Store {
public:
    explicit GameStore(const kit::String& folder) { saves.setPath(folder); }
    bool save(int value) override {
        CountedState state;
        state.value = value;
        state.padding = paddingFor(value);
        return saves.saveGame(&state, "game");
    }
    int read() override {
        std::unique_ptr<ventrel::system::GameState> loaded = saves.loadGame("game");
        auto* counted = dynamic_cast<CountedState*>(loaded.get());
        return counted ? counted->value : -1;
    }

private:
    ventrel::system::SaveManager saves;
};

class ProfileStore : public Store {
public:
    explicit ProfileStore(const kit::String& folder) {
        profiles.setPath(folder + "/");
        profiles.setFilename(folder + "/profile.cfg");
        ventrel::profileManager = &profiles;
        // Only declared keys are stored.
        profiles.addDefault("Counter", "0");
        profiles.addDefault("Padding", "");
        profiles.load();
    }
    ~ProfileStore() override { ventrel::profileManager = nullptr; }
    bool save(int value) override {
        if (!profiles.hasProfile("Player") && !profiles.createProfile("Player", true)) {
            return false;
        }
        ventrel::system::Profile* player = profiles["Player"];
        player->set("Counter", kit::toString(value));
        player->set("Padding", paddingFor(value));
        return profiles.save();
    }
    int read() override {
        ventrel::system::Profile* player = profiles["Player"];
        if (player == nullptr || player->get("Padding") != paddingFor(kit::toInt(player->get("Counter")))) {
            return -1;
        }
        return kit::toInt(player->get("Counter"));
    }

private:
    ventrel::system::ProfileManager profiles;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: save_writer game|profile loop|once|read <folder> [value]\n");
        return 2;
    }
    kit::Log::setConsoleEnabled(false);
    ventrel::system::Core core("gui", "dev", "game", kit::Version(1, 0, 0, 0));
    ventrel::core = &core;
    kit::String kind = argv[1];
    kit::String mode = argv[2];
    kit::String folder = argv[3];
    std::unique_ptr<Store> store;
    if (kind == "game") {
        store = std::make_unique<GameStore>(folder);
    } else if (kind == "profile") {
        store = std::make_unique<ProfileStore>(folder);
    } else {
        return 2;
    }
    if (mode == "loop") {
        for (int value = 1;; ++value) {
            if (store->save(value)) {
                std::printf("%d\n", value);
                std::fflush(stdout);
            }
        }
    }
    if (mode == "once" && argc > 4) {
        // Injected faults can also hit the runtime's own start-up; only a run that got here counts.
        if (!kit::File::write(folder + "/.started", "")) {
            return 3;
        }
        return store->save(kit::toInt(argv[4])) ? 0 : 1;
    }
    if (mode == "read") {
        std::printf("%d\n", store->read());
        return 0;
    }
    return 2;
}
