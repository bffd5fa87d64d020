// Splitting scenario lines: words, quoted texts with their escapes,
// comments, and the errors that stop a script before it runs.
#include "scenario_script.h"

#include <gtest/gtest.h>

namespace {

TEST(ScenarioScript, SplitsWordsTextsAndComments)
{
    struct Case {
        const char *line;
        std::vector<std::string> words;   // verb first
    } cases[] = {
        {"start est", {"start", "est"}},
        {"  box \"Save changes?\" Yes  # answer", {"box", "Save changes?", "Yes"}},
        {"type 106/2 \"a\\tb\\n\\\"c\\\"\\\\\"", {"type", "106/2", "a\tb\n\"c\"\\"}},
        {"type 2 \"\\x41\\x7e#\"", {"type", "2", "A~#"}},
        {"expect-text 2 \"\"", {"expect-text", "2", ""}},
        {"# only a comment", {}},
        {"\t\r", {}},
    };
    for (const Case &c : cases) {
        scn::Command command;
        std::string error;
        ASSERT_TRUE(scn::ParseLine(c.line, 3, &command, &error)) << c.line << ": " << error;
        std::vector<std::string> words;
        if (!command.verb.empty())
            words.push_back(command.verb);
        words.insert(words.end(), command.args.begin(), command.args.end());
        EXPECT_EQ(words, c.words) << c.line;
        EXPECT_EQ(command.line, 3);
    }
}

TEST(ScenarioScript, RefusesBrokenLines)
{
    for (const char *line : {"box \"unterminated", "type 2 \"bad \\q escape\"", "type 2 \"\\x4\"",
                             "window ab\"c\"", "type 2 \"a\"b"}) {
        scn::Command command;
        std::string error;
        EXPECT_FALSE(scn::ParseLine(line, 1, &command, &error)) << line;
        EXPECT_FALSE(error.empty()) << line;
    }
}

TEST(ScenarioScript, ScriptKeepsLineNumbersAndNamesTheBadLine)
{
    std::vector<scn::Command> commands;
    std::string error;
    ASSERT_TRUE(scn::ParseScript("start\n\n# note\nwindow \"Main\"\r\nexit 0", &commands, &error)) << error;
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[1].line, 4);
    EXPECT_EQ(commands[1].args, std::vector<std::string>{"Main"});
    EXPECT_EQ(commands[2].line, 5);

    EXPECT_FALSE(scn::ParseScript("start\nbox \"open", &commands, &error));
    EXPECT_EQ(error.rfind("line 2: ", 0), 0u) << error;
}

TEST(ScenarioScript, DefinedCommandsStandForTheirBodies)
{
    const char *script =
        "define saved GOLDEN\n"
        "  menu 1004\n"
        "  compare trazest.inp \"goldens/$1.inp\"\n"
        "end\n"
        "define case CHANGE GOLDEN\n"
        "  start est\n"
        "  $1 \"a b\"\n"
        "  saved $2\n"
        "end\n"
        "define typed TEXT\n"
        "  type 104/15 $1\n"
        "end\n"
        "case typed later\n"
        "exit 0\n";
    std::vector<scn::Command> commands;
    std::string error;
    ASSERT_TRUE(scn::ParseScript(script, &commands, &error)) << error;
    std::vector<std::vector<std::string>> seen;
    for (const scn::Command &c : commands) {
        std::vector<std::string> words{c.verb};
        words.insert(words.end(), c.args.begin(), c.args.end());
        seen.push_back(words);
    }
    const std::vector<std::vector<std::string>> expected = {
        {"start", "est"},
        {"type", "104/15", "a b"},
        {"menu", "1004"},
        {"compare", "trazest.inp", "goldens/later.inp"},
        {"exit", "0"},
    };
    EXPECT_EQ(seen, expected);
    // A body's command keeps its own line and names the call.
    ASSERT_EQ(commands.size(), 5u);
    EXPECT_EQ(commands[1].line, 11);
    EXPECT_NE(commands[1].source.find("called at line 7"), std::string::npos) << commands[1].source;
    EXPECT_EQ(commands[4].line, 14);
}

TEST(ScenarioScript, RefusesBrokenDefinitions)
{
    const struct {
        const char *script, *error;
    } cases[] = {
        {"define a\nstart\n", "line 1: define a without its end"},
        {"define a\ndefine b\nend\nend\n", "line 2: define inside define"},
        {"define\nend\n", "line 1: define without a name"},
        {"define a\n type 2 $2\nend\na x\n", "line 4: $2 without its argument"},
        {"define a\n a\nend\na\n", "line 4: calls nested deeper than 16"},
    };
    for (const auto &c : cases) {
        std::vector<scn::Command> commands;
        std::string error;
        EXPECT_FALSE(scn::ParseScript(c.script, &commands, &error)) << c.script;
        EXPECT_EQ(error, c.error) << c.script;
    }
}

TEST(ScenarioScript, QuoteGivesBackWhatParses)
{
    const std::string text = "a\t\"b\"\\\n\x01";
    scn::Command command;
    std::string error;
    ASSERT_TRUE(scn::ParseLine("x " + scn::Quote(text), 1, &command, &error)) << error;
    ASSERT_EQ(command.args.size(), 1u);
    EXPECT_EQ(command.args[0], text);
}

}  // namespace
