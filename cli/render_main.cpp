#include "cli/print_command.h"
#include "cli/render_command.h"
#include "cli/tool_main.h"

// vantaro-render: vantaro-cli with the drawing linked in, to which
// vantaro-cli hands "render" and "print" over.
int main(int argc, char** argv) {
  return vantaro::cli::RunTool(
      argc, argv, [](char**, std::string_view command, const std::vector<std::string>& arguments) {
        return command == "print" ? vantaro::cli::RunPrintCommand(arguments)
                                  : vantaro::cli::RunRenderCommand(arguments);
      });
}
