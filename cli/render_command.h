#pragma once

#include <string>
#include <vector>

namespace vantaro::cli {

// vantaro-cli render FILE [--move N | --path P] [--size W[xH]] [--figure A-B]
// -o OUT: draws the board of a record's position, or with --figure moves A to
// B numbered on the position before A as a printed figure shows them, into
// a PNG picture, or an SVG or PDF document when OUT ends in .svg or .pdf;
// returns the exit status.
int RunRenderCommand(const std::vector<std::string>& arguments);

}  // namespace vantaro::cli
