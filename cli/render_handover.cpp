#include "cli/render_handover.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "cli/command_line.h"

namespace vantaro::cli {

int HandOverToRenderer(char** argv, std::string_view command, const std::vector<std::string>&) {
  const std::string name(command);
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    PrintError(name + ": cannot find vantaro-render: " + error.message());
    return 1;
  }
  const std::string renderer = (self.parent_path() / "vantaro-render").string();
  execv(renderer.c_str(), argv);
  PrintError(name + ": cannot start " + renderer + ": " + std::strerror(errno));
  return 1;
}

}  // namespace vantaro::cli
