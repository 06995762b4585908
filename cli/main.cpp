#include <string>
#include <vector>

#include "cli/CliSystem.h"
#include "cli/Console.h"
#include "cli/FlorrinCli.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const Console console;
    return FlorrinCli(console, CliSystem::UserLanguage()).Run(args);
}
