#pragma once
// Runs the real zelmora-cli binary and captures what it prints.

#include <string>
#include <vector>

struct CliResult
{
    int exitCode = -1;
    std::string out;
    std::string err;
};

CliResult RunCli(const std::vector<std::string>& arguments);
