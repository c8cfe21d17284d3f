#pragma once
// The command groups of zelmora-cli. Each adds its subcommands to the app;
// a command that fails throws CommandFailure and main turns it into a
// one-line message on standard error and exit status 1.

#include <CLI/CLI.hpp>

#include <stdexcept>

class CommandFailure : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Refuses a number that is not finite, for options with a range.
const CLI::Validator& FiniteNumber();

void RegisterProjectCommands(CLI::App& app);
void RegisterCameraCommands(CLI::App& app);
// The camera's subcommands for calibration and for choosing a device.
void RegisterCalibrationCommands(CLI::App& camera);
void RegisterDeviceCommands(CLI::App& camera);
void RegisterMarkerCommands(CLI::App& app);
void RegisterDetectCommands(CLI::App& app);
void RegisterSynthCommands(CLI::App& app);
void RegisterModelCommands(CLI::App& app);
void RegisterTrackCommands(CLI::App& app);
void RegisterRenderCommands(CLI::App& app);
void RegisterDemoCommands(CLI::App& app);
void RegisterPublishCommands(CLI::App& app);
void RegisterVideoCommands(CLI::App& app);
