#include "cli/cli_commands.h"

void RegisterMarkerCommands(CLI::App&) {}
