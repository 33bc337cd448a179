#include "cli/render_command.h"
#include "cli/tool_main.h"

// vantaro-render: vantaro-cli with the drawing linked in, to which
// vantaro-cli hands "render" over.
int main(int argc, char** argv) {
  return vantaro::cli::RunTool(argc, argv, [](char**, const std::vector<std::string>& arguments) {
    return vantaro::cli::RunRenderCommand(arguments);
  });
}
