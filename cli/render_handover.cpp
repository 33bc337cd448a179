#include "cli/render_handover.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "cli/command_line.h"

namespace vantaro::cli {

int HandRenderOver(char** argv, const std::vector<std::string>&) {
  std::error_code error;
  const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) {
    PrintError("render: cannot find vantaro-render: " + error.message());
    return 1;
  }
  const std::string renderer = (self.parent_path() / "vantaro-render").string();
  execv(renderer.c_str(), argv);
  PrintError("render: cannot start " + renderer + ": " + std::strerror(errno));
  return 1;
}

}  // namespace vantaro::cli
