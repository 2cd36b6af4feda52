// Saves games for the crash tests, which kill it or make its system calls fail:
//   save_writer loop <folder>          saves 1, 2, 3 ... and prints each number once it is saved
//   save_writer once <folder> <value>  saves one value; exit code 0 when save reported success, and
//                                      the file <folder>/.started tells that the program got to run
//   save_writer read <folder>          prints the value the loader finds, or -1
#include <kit/File.h>
#include <kit/Log.h>
#include <kit/Strings.h>
#include <serial/Factory.h>
#include <ventrel/Ventrel.h>
#include <ventrel/system/Core.h>
#include <ventrel/system/GameState.h>
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

bool save(ventrel::system::SaveManager& saves, int value) {
    CountedState state;
    state.value = value;
    // Big enough that a kill often lands inside a write.
    state.padding.assign(64 * 1024 + value % 977, static_cast<char>('a' + value % 26));
    return saves.saveGame(&state, "game");
}

int read(ventrel::system::SaveManager& saves) {
    ventrel::system::GameState* loaded = nullptr;
    if (!saves.loadGame(&loaded, "game")) {
        return -1;
    }
    std::unique_ptr<ventrel::system::GameState> owned(loaded);
    auto* counted = dynamic_cast<CountedState*>(loaded);
    return counted ? counted->value : -1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: save_writer loop|once|read <folder> [value]\n");
        return 2;
    }
    kit::Log::setConsoleEnabled(false);
    ventrel::system::Core core("gui", "dev", "game", kit::Version(1, 0, 0, 0));
    ventrel::core = &core;
    ventrel::system::SaveManager saves;
    saves.setPath(argv[2]);
    kit::String mode = argv[1];
    if (mode == "loop") {
        for (int value = 1;; ++value) {
            if (save(saves, value)) {
                std::printf("%d\n", value);
                std::fflush(stdout);
            }
        }
    }
    if (mode == "once" && argc > 3) {
        // Injected faults can also hit the runtime's own start-up; only a run that got here counts.
        if (!kit::File::write(kit::String(argv[2]) + "/.started", "")) {
            return 3;
        }
        return save(saves, kit::toInt(argv[3])) ? 0 : 1;
    }
    if (mode == "read") {
        std::printf("%d\n", read(saves));
        return 0;
    }
    return 2;
}
