#include "driver/scenario_parser.h"

#include <gtest/gtest.h>

using driver::parseScenario;

TEST(ScenarioParser, SplitsQuotesEscapesAndSkipsCommentsAndBlanks) {
    auto r = parseScenario("# a comment\n\n  start\ntype edtBarcodeHidden \"12 45\\r\"\n"
                           "set edtNote \"say \\\"hi\\\" \\\\ \\t\\x41\\n\"  \n"
                           "click\timgTotal\n",
                           "/w", "/w/data");
    ASSERT_EQ(r.errorLine, 0) << r.error.toStdString();
    ASSERT_EQ(r.commands.size(), 4u);
    EXPECT_EQ(r.commands[0].args, QStringList{"start"});
    EXPECT_EQ(r.commands[0].line, 3);
    EXPECT_EQ(r.commands[1].args, (QStringList{"type", "edtBarcodeHidden", "12 45\r"}));
    EXPECT_EQ(r.commands[2].args, (QStringList{"set", "edtNote", "say \"hi\" \\ \tA\n"}));
    EXPECT_EQ(r.commands[3].args, (QStringList{"click", "imgTotal"}));
    // Unquoted arguments keep their backslashes.
    auto plain = parseScenario("expect lbl text a\\rb\n", "/w", "/w/data");
    EXPECT_EQ(plain.commands[0].args[3], "a\\rb");
}

TEST(ScenarioParser, BlocksAreVerbatimAndPathsAreReplaced) {
    auto r = parseScenario("file prefs.pos <<END\nCorner Shop\n\n  \n# not a comment\n\"q\"\nEND\n"
                           "choose $WORK/x\nexpect-file $DATA/y <<END\n$WORK\nEND\n"
                           "file empty.txt <<END\nEND\n",
                           "/tmp/w", "/tmp/w/data");
    ASSERT_EQ(r.errorLine, 0) << r.error.toStdString();
    ASSERT_EQ(r.commands.size(), 4u);
    EXPECT_EQ(r.commands[0].args, (QStringList{"file", "prefs.pos"}));
    ASSERT_TRUE(r.commands[0].block);
    EXPECT_EQ(*r.commands[0].block,
              (QStringList{"Corner Shop", "", "  ", "# not a comment", "\"q\""}));
    EXPECT_EQ(r.commands[1].args[1], "/tmp/w/x");
    EXPECT_EQ(r.commands[2].args[1], "/tmp/w/data/y");
    EXPECT_EQ(*r.commands[2].block, QStringList{"/tmp/w"});
    EXPECT_EQ(r.commands[3].line, 12);
    EXPECT_TRUE(r.commands[3].block && r.commands[3].block->isEmpty());
    // A quoted <<END is an ordinary argument.
    auto q = parseScenario("set edtNote \"<<END\"\n", "/w", "/w/d");
    EXPECT_FALSE(q.commands[0].block);
    EXPECT_EQ(q.commands[0].args[2], "<<END");
}

TEST(ScenarioParser, BrokenLinesAreReportedWithTheirLineNumber) {
    struct Case {
        const char* text;
        int line;
    } cases[] = {{"start\nset a \"open\n", 2},
                 {"file x <<END\nno end here\n", 1},
                 {"\n\nset a \"\\q\"\n", 3},
                 {"set a \"\\x4\"\n", 1},
                 {"row sale\nrow sale NAME=\"Smith\n", 2}};
    for (const Case& c : cases) {
        auto r = parseScenario(c.text, "/w", "/w/d");
        EXPECT_EQ(r.errorLine, c.line) << c.text;
        EXPECT_FALSE(r.error.isEmpty());
    }
}

TEST(ScenarioParser, QuotedStretchesJoinPlainOnesIntoOneArgument) {
    const QString expected = "NAME=Smith, Ann";
    for (const char* form : {"NAME=\"Smith, Ann\"", "\"NAME=Smith, Ann\"", "\"NAME=Smith, \"Ann",
                             "NAME=\"Smith,\\x20Ann\""}) {
        auto r = parseScenario(QString("row customer %1 INVOICE=3\n").arg(form), "/w", "/w/d");
        ASSERT_EQ(r.errorLine, 0) << form;
        EXPECT_EQ(r.commands[0].args, (QStringList{"row", "customer", expected, "INVOICE=3"}))
            << form;
    }
    auto r = parseScenario("set a x\"\"y \"\" PROD0=\"1 \\\"W\\\"\"$WORK\n", "/w", "/w/d");
    ASSERT_EQ(r.errorLine, 0);
    EXPECT_EQ(r.commands[0].args, (QStringList{"set", "a", "xy", "", "PROD0=1 \"W\"/w"}));
}
