#pragma once

#include <string>
#include <vector>

namespace benchmark {
class State;
}

namespace vantaro {
class GameTree;
class Node;
}  // namespace vantaro

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
// The processor time the calling thread has used, in seconds.
double ThreadCpuSeconds();

// Times measured one by one as the counters median_ms and p99_ms (sorts them).
void ReportSpread(benchmark::State& state, std::vector<double>& seconds);

// Edits spread over a record, in turns of four: a pass at the end of a line
// and its deletion, a variation inserted at the first node of a sequence of
// two or more (splitting it) and its deletion (joining it again), so that
// the record comes back after each four.
class EditPlaces {
 public:
  enum class Edit { Pass, AddBranch, Delete };

  explicit EditPlaces(GameTree& root);
  // Where the turn's edit is made; null when it is made where the turn
  // before left the cursor.
  Node* NodeFor(size_t turn) const;
  static Edit EditFor(size_t turn);

 private:
  std::vector<GameTree*> lineEnds_;
  std::vector<GameTree*> sequences_;
};

}  // namespace vantaro::bench
