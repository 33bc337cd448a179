#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vantaro {

class CBoardDrawer;

enum class PictureFormat { Png, Svg, Pdf };

// The format a file name's extension asks for, in any case (.png, .svg,
// .pdf); nothing for any other name.
std::optional<PictureFormat> PictureFormatOf(std::string_view path);

// Lays the drawer's board out at width x height pixels and writes it to the
// file (a name in the file system's encoding): a PNG picture, an SVG
// document or a one-page PDF of that size at 96 pixels per inch, the last
// two with stones, lines and text as shapes and text. The file is replaced
// only once it is completely written; false when it could not be.
bool SaveBoardPicture(CBoardDrawer& drawer, int width, int height, const std::string& path,
                      PictureFormat format);

}  // namespace vantaro
