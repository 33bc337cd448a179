#include "cli/cli_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "test_support.h"

extern char** environ;

namespace vantaro::test {

ProcessResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& input) {
  TemporaryDirectory directory;
  const std::string inPath = (directory.path() / "in").string();
  const std::string outPath = (directory.path() / "out").string();
  const std::string errPath = (directory.path() / "err").string();
  WriteFileBytes(inPath, input);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, inPath.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0644);
  std::vector<std::string> argvStrings{program};
  argvStrings.insert(argvStrings.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& argument : argvStrings) argv.push_back(argument.data());
  argv.push_back(nullptr);

  ProcessResult result;
  result.status = 127;
  pid_t pid;
  if (posix_spawnp(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  result.out = ReadFileBytes(outPath);
  result.err = ReadFileBytes(errPath);
  return result;
}

ProcessResult RunCli(const std::vector<std::string>& arguments, const std::string& input) {
  return RunProgram(VANTARO_CLI, arguments, input);
}

}  // namespace vantaro::test
