#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game/game_tree.h"
#include "record/read_diagnostics.h"
#include "record/record_format.h"
#include "record/sgf_writer.h"

namespace vantaro::fuzz {

// Reads the input as a record of the format, writes it as SGF and reads that
// back: neither step may crash, and the SGF written must describe a record of
// the same shape, trail bytes ']' and '\' of double-byte code pages
// included. A read that reports its repairs must build the same record, and
// every report must point into the input.
inline void ReadWriteRead(RecordFormat format, const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  GameTree tree;
  ReadContext context{size > 0 && data[0] % 2 == 1, 65001};
  if (!ReadRecordBuffer(tree, format, input, context).ok) return;
  std::string written;
  WriteSgf(tree, context.codePage, written);

  GameTree reported;
  DiagnosticList diagnostics;
  ReadContext reporting{context.dbcsAware, 65001};
  ReadRecordBuffer(reported, format, input, reporting, &diagnostics);
  std::string writtenWithReports;
  WriteSgf(reported, reporting.codePage, writtenWithReports);
  if (writtenWithReports != written) std::abort();
  for (const Diagnostic& each : diagnostics.entries()) {
    if (each.offset > size) std::abort();
  }

  GameTree reread;
  // Written without a charset label, the record is read back in the code
  // page it was written in: guessing again from different bytes (the 0 bytes
  // are gone) may rightly choose another page, which is no fault of writing.
  ReadContext again{context.dbcsAware, context.codePage, true};
  ReadRecordBuffer(reread, RecordFormat::Sgf, written, again);
  const RecordCounts before = CountRecord(tree);
  const RecordCounts after = CountRecord(reread);
  if (after.trees != before.trees || after.nodes != before.nodes) std::abort();
}

}  // namespace vantaro::fuzz
