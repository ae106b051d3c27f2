// tabulorix-cli: the headless command line over the same core as the GUI.
#include <string>
#include <vector>

#include "cli/commands.h"
#include "platform/allocator_tuning.h"

int main(int argc, char** argv) {
    tabulorix::TuneAllocator();
    return tabulorix::cli::RunCommandLine(std::vector<std::string>(argv + 1, argv + argc));
}
