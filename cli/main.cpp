#include "cli/render_handover.h"
#include "cli/tool_main.h"

int main(int argc, char** argv) {
  return vantaro::cli::RunTool(argc, argv, vantaro::cli::HandOverToRenderer);
}
