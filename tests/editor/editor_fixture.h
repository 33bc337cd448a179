#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/go_editor.h"
#include "editor/sound.h"
#include "test_support.h"

namespace vantaro::test {

// Writes down every notification it receives, one word each.
class RecordingSink : public UpdateSink {
 public:
  void OnHistoryChanged() override { Log("history"); }
  void OnStatusChanged() override { Log("status"); }
  void OnBoardChanged() override { Log("board"); }
  void OnViewOptionsChanged() override { Log("view"); }
  void OnCurrentNodeChanged(int, Node*, Node* previous) override {
    Log(previous ? "current" : "current(null)");
  }
  void OnTreeAdded(GameTree*) override { Log("treeAdded"); }
  void OnTreeRemoving(GameTree*) override { Log("treeRemoving"); }
  void OnTreeRemoved(GameTree*, int) override { Log("treeRemoved"); }
  void OnTreeChanged(GameTree*) override { Log("treeChanged"); }
  void OnNodeAdded(Node*) override { Log("nodeAdded"); }
  void OnNodeRemoving(Node*) override { Log("nodeRemoving"); }
  void OnNodeRemoved(GameTree*, int) override { Log("nodeRemoved"); }
  void OnNodeChanged(Node*) override { Log("nodeChanged"); }

  std::string log;  // the words, separated by spaces

 private:
  void Log(const char* word) { log += (log.empty() ? "" : " ") + std::string(word); }
};

// An editor over a record given as SGF text, with default settings that do
// not depend on the machine, and sound going to a recorder.
class EditorTest : public ::testing::Test {
 protected:
  EditorTest() : options_(u"/install"), sounds_(output_, [this] { return now_; }) {
    options_.defaultCodePage = 65001;
    options_.autoDetectBig5 = false;
  }

  GoEditor& Open(std::string_view sgf) {
    editor_ = OpenEditor(sgf, options_, &sounds_);
    return *editor_;
  }
  GoEditor& editor() { return *editor_; }
  std::string Where() const { return PathText(editor_->CurrentPath()); }
  std::string Sgf() { return WriteSgfText(*editor_->recordRoot(), editor_->codePage()); }
  void GoTo(const TreePath& path) { test::GoTo(*editor_, path); }

  Options options_;
  RecordingSoundOutput output_;
  std::int64_t now_ = 1000000;
  MoveSounds sounds_;
  std::unique_ptr<GoEditor> editor_;
};

}  // namespace vantaro::test
