#include "cli/cli_commands.h"

void RegisterCameraCommands(CLI::App&) {}
