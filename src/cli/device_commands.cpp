// zelmora-cli camera list and camera config.
#include "cli/cli_commands.h"

#include "media/capture_devices.h"

#include <nlohmann/json.hpp>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace
{
struct ConfigOptions
{
    std::string device;
    std::vector<int> size;
    double rate = 0.0;
    std::string path;
};

std::string RatesText(const CaptureMode& mode)
{
    std::string text;
    for (const FrameRate& rate : mode.rates)
    {
        char value[32];
        std::snprintf(value, sizeof value, "%s%g", text.empty() ? "" : " ", rate.Value());
        text += value;
    }
    return text;
}

nlohmann::json DevicesJson(const std::vector<CaptureDevice>& devices)
{
    nlohmann::json list = nlohmann::json::array();
    for (const CaptureDevice& device : devices)
    {
        nlohmann::json modes = nlohmann::json::array();
        for (const CaptureMode& mode : device.modes)
        {
            nlohmann::json rates = nlohmann::json::array();
            for (const FrameRate& rate : mode.rates)
                rates.push_back(rate.Value());
            modes.push_back({{"width", mode.width},
                             {"height", mode.height},
                             {"format", mode.compressed ? "jpeg" : "raw"},
                             {"rates", rates}});
        }
        list.push_back({{"name", device.name}, {"path", device.path}, {"modes", modes}});
    }
    return list;
}

void ListDevices(bool json)
{
    const std::vector<CaptureDevice> devices = ListCaptureDevices();
    if (json)
    {
        std::printf("%s\n", DevicesJson(devices).dump(2).c_str());
        return;
    }
    if (devices.empty())
    {
        std::printf("No video capture device found.\n");
        return;
    }
    for (const CaptureDevice& device : devices)
    {
        std::printf("%s  %s\n", device.path.c_str(), device.name.c_str());
        for (const CaptureMode& mode : device.modes)
            std::printf("    %d x %d %s, %s frames a second\n", mode.width, mode.height,
                        mode.compressed ? "jpeg" : "raw", RatesText(mode).c_str());
    }
}

void WriteConfig(const ConfigOptions& options)
{
    const std::vector<CaptureDevice> devices = ListCaptureDevices();
    const CaptureDevice* device = nullptr;
    for (const CaptureDevice& candidate : devices)
        if (candidate.path == options.device)
            device = &candidate;
    if (!device)
        throw CommandFailure("no video capture device at " + options.device +
                             (devices.empty() ? " (none is connected)"
                                              : "; `zelmora-cli camera list` shows those there are"));
    std::string text, error;
    const int width = options.size.empty() ? 0 : options.size[0];
    const int height = options.size.empty() ? 0 : options.size[1];
    if (!VideoConfigForDevice(*device, width, height, options.rate, &text, &error) ||
        !WriteVideoConfigFile(options.path, text, &error))
        throw CommandFailure(error);
}
} // namespace

void RegisterDeviceCommands(CLI::App& camera)
{
    auto json = std::make_shared<bool>(false);
    CLI::App* list = camera.add_subcommand("list", "List the video capture devices");
    list->add_flag("--json", *json, "Print JSON");
    list->callback([json] { ListDevices(*json); });

    auto config = std::make_shared<ConfigOptions>();
    CLI::App* command =
        camera.add_subcommand("config", "Write a video configuration for a capture device");
    command->add_option("--device", config->device, "Device path, as camera list shows it")
        ->required();
    command->add_option("--size", config->size, "Frame width and height")
        ->expected(2)
        ->allow_extra_args(false)
        ->check(CLI::Range(1, 65535));
    command->add_option("--rate", config->rate, "Frames a second")->check(CLI::Range(0.1, 1000.0));
    command->add_option("OUT", config->path, "Video configuration file to write")->required();
    command->callback([config] { WriteConfig(*config); });
}
