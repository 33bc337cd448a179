#pragma once

#include <string>

namespace vantaro::bench {

// The path of the generated record of about megabytes MB, made once with the
// corpus generator and cached beside the benchmarks; empty when it cannot be made.
std::string GeneratedRecord(int megabytes);

// A file of the shared large corpus; empty when the corpus is absent.
std::string LargeCorpusFile(const std::string& name);

std::string ReadWholeFile(const std::string& path);

// The path of a file of that name among the generated records, its folder
// made when missing.
std::string DataFilePath(const std::string& name);

}  // namespace vantaro::bench
