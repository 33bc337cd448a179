#include "document/program_name.h"

namespace vantaro {

std::string_view ProgramVersion() {
  return VANTARO_VERSION;
}

std::string AboutLine() {
  return std::string(kProgramName) + " " + std::string(ProgramVersion());
}

}  // namespace vantaro
