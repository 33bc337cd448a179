#pragma once

#include "game/game_tree.h"
#include "record/sgf_writer.h"

namespace vantaro {

// How Save writes a record so that no text is lost and CA tells the truth.
struct SavePlan {
  SgfOutput output;
  // The record's code page cannot hold all its text, so it is written in UTF-8.
  bool toUtf8 = false;
};

// The record's text goes out in codePage when every character fits it, and in
// UTF-8 under CA[UTF-8] otherwise. When the text is not plain ASCII and the
// first node's CA is missing, unknown or names another code page, the plan
// writes a CA that names the code page used; a CA that is right is kept, and
// so is any CA over plain ASCII text. Other games of a collection are not
// looked at: they are written back as they were.
SavePlan PlanSave(const GameTree& root, int codePage);

// Gives the record the CA the plan wrote, so that the record in memory says
// what its file says. Nothing when the plan keeps the record's own CA.
void ApplySavePlan(GameTree& root, const SavePlan& plan);

}  // namespace vantaro
