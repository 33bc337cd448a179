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
  void OnHistoryChanged() override { log.push_back("history"); }
  void OnStatusChanged() override { log.push_back("status"); }
  void OnBoardChanged() override { log.push_back("board"); }
  void OnViewOptionsChanged() override { log.push_back("view"); }
  void OnCurrentNodeChanged(int, Node*, Node* previous) override {
    log.push_back(previous ? "current" : "current(null)");
  }
  void OnTreeAdded(GameTree*) override { log.push_back("treeAdded"); }
  void OnTreeRemoving(GameTree*) override { log.push_back("treeRemoving"); }
  void OnTreeRemoved(GameTree*, int) override { log.push_back("treeRemoved"); }
  void OnTreeChanged(GameTree*) override { log.push_back("treeChanged"); }
  void OnNodeAdded(Node*) override { log.push_back("nodeAdded"); }
  void OnNodeRemoving(Node*) override { log.push_back("nodeRemoving"); }
  void OnNodeRemoved(GameTree*, int) override { log.push_back("nodeRemoved"); }
  void OnNodeChanged(Node*) override { log.push_back("nodeChanged"); }

  std::string Joined() const {
    std::string text;
    for (const std::string& entry : log) text += (text.empty() ? "" : " ") + entry;
    return text;
  }
  std::vector<std::string> log;
};

class RecordingSoundOutput : public SoundOutput {
 public:
  void PlayFile(const std::u16string& path) override { played.push_back(path); }
  std::vector<std::u16string> played;
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
    editor_ = std::make_unique<GoEditor>(options_, &sounds_);
    auto record = ReadSgfText(sgf);
    editor_->InstallRecord(std::move(record.root), record.codePage);
    return *editor_;
  }
  GoEditor& editor() { return *editor_; }

  // The cursor's position as "child.child/node".
  std::string Where() const {
    const TreePath path = editor_->CurrentPath();
    std::string text;
    for (size_t i = 0; i < path.children.size(); ++i) {
      text += (i ? "." : "") + std::to_string(path.children[i]);
    }
    return text + "/" + std::to_string(path.node);
  }
  std::string Sgf() { return WriteSgfText(*editor_->recordRoot(), editor_->codePage()); }
  void GoTo(const TreePath& path) {
    editor_->GoToNode(GameTree::Resolve(*editor_->recordRoot(), path)->node());
  }

  Options options_;
  RecordingSoundOutput output_;
  std::int64_t now_ = 1000000;
  MoveSounds sounds_;
  std::unique_ptr<GoEditor> editor_;
};

}  // namespace vantaro::test
