#include "cli_runner.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
std::string Slurp(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
} // namespace

CliResult RunCli(const std::vector<std::string>& arguments)
{
    const auto folder = std::filesystem::temp_directory_path();
    const std::string outPath = (folder / ("zelmora-cli-out-" + std::to_string(getpid()))).string();
    const std::string errPath = (folder / ("zelmora-cli-err-" + std::to_string(getpid()))).string();

    const pid_t child = fork();
    if (child == 0)
    {
        if (!freopen(outPath.c_str(), "w", stdout) || !freopen(errPath.c_str(), "w", stderr))
            _exit(127);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(ZELMORA_CLI_PATH));
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(ZELMORA_CLI_PATH, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    CliResult result;
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    result.out = Slurp(outPath);
    result.err = Slurp(errPath);
    std::filesystem::remove(outPath);
    std::filesystem::remove(errPath);
    return result;
}
