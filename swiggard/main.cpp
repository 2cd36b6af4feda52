#include <host/Host.h>

#include "System/GameInit.h"

// One copy of the game at a time: a second one ends at once.
int main(int argc, char** argv) {
    if (!host::lockSingleInstance("swiggard", argc > 0 ? argv[0] : "swiggard")) {
        return 0;
    }
    int result = host::runMain(System::gameInit, System::gameDestroy, argc, argv);
    host::unlockSingleInstance();
    return result;
}
