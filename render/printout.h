#pragma once

#include <string>
#include <vector>

#include "figures/figures.h"
#include "options/options.h"

class QPagedPaintDevice;

namespace vantaro {

// The figures a page holds for Print-FigurePerPage: 1, 2 (one above the
// other), 4 (two by two) or 6 (two by three); a value between two of them
// takes the lower, one below 1 takes 1 and one above 6 takes 6.
int FiguresPerPage(int setting);
int PageCount(int figureCount, int perPage);

// Paints the printout of a record's figures on the device (a printer or a
// PDF writer), at the device's own resolution, within margins of 15 mm:
// Print-FigurePerPage figures to a page in a grid, each with its moves
// ("Moves 21-40"), its notes and its comments under the diagram; the title
// and subtitle (Print-TitleString, Print-subTitle) on the first page and the
// header and footer (Print-header, Print-footer) on every page, their
// templates expanded from the record's first node. Text longer than a
// figure's share of the page is cut off at its end. False when the device
// could not be painted on.
bool PrintFigures(const GameTree& root, const std::vector<Figure>& figures, const Options& settings,
                  QPagedPaintDevice& device);

// The printout as a PDF file (a name in the file system's encoding) on the
// system's paper, its title that of the first page; the file is replaced
// only once it is completely written. False when it could not be.
bool SavePrintout(const GameTree& root, const std::vector<Figure>& figures, const Options& settings,
                  const std::string& path);

}  // namespace vantaro
