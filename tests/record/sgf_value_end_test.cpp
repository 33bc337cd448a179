#include "record/sgf_value_end.h"

#include <gtest/gtest.h>

#include <ostream>

namespace vantaro {
namespace {

struct After {
  const char* rest;
  bool valueList;
  bool structure;
};

void PrintTo(const After& after, std::ostream* out) {
  *out << '"' << after.rest << '"' << (after.valueList ? " in a list" : "");
}

class WhatFollowsABracket : public ::testing::TestWithParam<After> {};

TEST_P(WhatFollowsABracket, DecidesWhetherTheValueEnded) {
  EXPECT_EQ(StructureFollows(GetParam().rest, GetParam().valueList), GetParam().structure);
}

INSTANTIATE_TEST_SUITE_P(
    Sgf, WhatFollowsABracket,
    ::testing::Values(After{"", false, true}, After{" \r\n", false, true}, After{")", false, true},
                      After{")\r\n(;B[aa])", false, true}, After{"))", false, true},
                      After{"(;B[aa])", false, true}, After{"((;B[aa]))", false, true},
                      After{";B[aa]", false, true}, After{"\r\n;N[]", false, true},
                      After{";)", false, true}, After{"[bb:x]", true, true},
                      After{"\r\n[bb:x]", true, true}, After{"BR[9d]", false, true},
                      After{"AddBlack[aa]", false, true}, After{"A1[x]", false, true},
                      After{"9[x]", false, true}));

INSTANTIATE_TEST_SUITE_P(
    Text, WhatFollowsABracket,
    ::testing::Values(After{"]", false, false}, After{"\\]", false, false},
                      After{" x", false, false}, After{"\x82\xa0", false, false},
                      After{"\x83\\]", false, false}, After{") x", false, false},
                      After{")\x82\xa0", false, false}, After{"(x)", false, false},
                      After{"( ) ", false, false}, After{"; see", false, false},
                      After{"[1]", false, false}, After{"see[1]", false, false},
                      After{"B [aa]", false, false}, After{"\\B[aa]", true, false}));

}  // namespace
}  // namespace vantaro
