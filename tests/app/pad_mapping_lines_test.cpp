#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/PadMappingLines.h"

// Comments, blank lines and other systems' mappings pass quietly; a zero byte is
// refused here, a line the library refuses costs nothing of the bound, and past
// the bound mappings are only counted.
TEST(PadMappingLinesTest, OnlyThisSystemsMappingsWithinTheBoundReachTheLibrary) {
    const std::string text = std::string("# mine\n\n \t\r\n") +
                             "a,One,a:b0,platform:Linux,\n"
                             "b,Two,a:b0,platform:Android,\r\n"
                             "junk\n"
                             "c,Three,a:b0,\r\n" +
                             std::string("d,Z\0ro,\n", 8) +
                             "e,Four,";
    const struct {
        int maxMappings;
        std::vector<std::string> handed;
        std::vector<std::string> told;
    } cases[] = {
        {10, {"a,One,a:b0,platform:Linux,", "junk", "c,Three,a:b0,", "e,Four,"},
         {"pads.txt line 6: not a mapping", "pads.txt line 8: the line holds a zero byte"}},
        {1, {"a,One,a:b0,platform:Linux,"},
         {"pads.txt line 8: the line holds a zero byte",
          "pads.txt: 3 more mappings passed over: a run takes at most 4096, as each one slows the start"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> handed;
        PadMappingReport report("pads.txt", 4096);
        const auto take = [&](const std::string& mapping, std::string& reason) {
            handed.push_back(mapping);
            reason = "not a mapping";
            return mapping != "junk";
        };
        EXPECT_EQ(takePadMappings(text, "Linux", c.maxMappings, take, report),
                  std::min(c.maxMappings, 3)) << c.maxMappings;
        EXPECT_EQ(handed, c.handed) << c.maxMappings;
        EXPECT_EQ(report.lines(), c.told) << c.maxMappings;
    }
}

// Ten refused lines, one of them a megabyte long and one with a terminal's escape:
// three are shown, cut and escaped, then a count.
TEST(PadMappingLinesTest, AFewRefusedLinesAreShownShortAndTheRestCounted) {
    PadMappingReport report("pads.txt", 4096);
    EXPECT_TRUE(report.lines().empty());
    report.refused(2, "Couldn't parse \x1b]0;owned\x07");
    report.refused(5, "Couldn't parse " + std::string(1 << 20, 'x'));
    for (int line = 6; line < 14; ++line) {
        report.refused(line, "nonsense");
    }
    const std::vector<std::string> lines = report.lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "pads.txt line 2: Couldn't parse \\x1b]0;owned\\x07");
    EXPECT_LT(lines[1].size(), 300u);
    EXPECT_EQ(lines[1].substr(lines[1].size() - 4), "x...");
    EXPECT_EQ(lines[2], "pads.txt line 6: nonsense");
    EXPECT_EQ(lines[3], "pads.txt: 7 more refused lines not shown");
    EXPECT_EQ(report.refusedCount(), 10);
}
