// Tests of the start-up: the command line into the start-up record
// (stand-alone or project mode and the names of a project) and the start
// scenario opened, created or refused, checked against the recording fakes.
#include "startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <fstream>
#include <string>
#include <vector>

#include "editor_services.h"
#include "fakes.h"
#include "ge_list.h"
#include "scenario.h"

namespace fs = std::filesystem;

namespace {

const std::string kOldData = std::string(TRAZ_TEST_SOURCE_DIR) + "/traz_gui/model/tests/data/old";

// Copies the files of a directory tree into an existing directory (a
// recursive fs::copy into an existing directory fails with MinGW).
void CopyTree(const fs::path &from, const fs::path &to)
{
    for (const auto &entry : fs::recursive_directory_iterator(from)) {
        const fs::path target = to / fs::relative(entry.path(), from);
        if (entry.is_directory())
            fs::create_directories(target);
        else
            fs::copy_file(entry.path(), target, fs::copy_options::overwrite_existing);
    }
}

void Parse(std::vector<std::string> arguments, StartupRecord *startup)
{
    std::vector<char *> argv;
    for (std::string &a : arguments)
        argv.push_back(&a[0]);
    argv.push_back(nullptr);
    ParseCommandLine(static_cast<int>(arguments.size()), argv.data(), startup);
}

TEST(ParseCommandLine, ModeAndNamesFollowTheArguments)
{
    const struct {
        std::vector<std::string> arguments;
        int mode;
        const char *scenario;
        const char *input;
        const char *key;
    } cases[] = {
        {{"traz_gui"}, STARTUP_STAND_ALONE, "", "", ""},
        {{"traz_gui", "abc"}, STARTUP_PROJECT, "trazabc", "trazabc.inp", "LUPRINP"},
        {{"traz_gui", "P63"}, STARTUP_PROJECT, "trazP63", "trazP63.inp", "LUPRINP"},
        {{"traz_gui", "AB"}, STARTUP_PROJECT, "trazERR", "trazERR.inp", "LUPRINP"},
        {{"traz_gui", "ABCD"}, STARTUP_PROJECT, "trazERR", "trazERR.inp", "LUPRINP"},
        {{"traz_gui", ""}, STARTUP_PROJECT, "trazERR", "trazERR.inp", "LUPRINP"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.arguments.size() > 1 ? c.arguments[1] : "(none)");
        StartupRecord startup;
        std::memset(&startup, 0x55, sizeof startup);
        Parse(c.arguments, &startup);
        EXPECT_EQ(startup.mode, c.mode);
        EXPECT_STREQ(startup.scenarioName, c.scenario);
        EXPECT_STREQ(startup.scenarioFile.name, c.input);
        EXPECT_STREQ(startup.listFileKey, c.key);
        EXPECT_STREQ(startup.scenarioFile.type, "inp");
        EXPECT_EQ(fs::path(startup.startupDirectory.path), fs::current_path());
        EXPECT_STREQ(startup.directoryCopies[0].path, startup.startupDirectory.path);
        EXPECT_STREQ(startup.directoryCopies[1].path, startup.startupDirectory.path);
        EXPECT_STREQ(startup.scenarioFile.dir.path, startup.startupDirectory.path);
        if (c.mode == STARTUP_PROJECT) {
            EXPECT_STREQ(startup.projectId, c.arguments[1].c_str());
        }
    }

    // Other counts set only the directories; a long id is cut to its slot.
    StartupRecord startup = StartupRecord();
    Parse({"traz_gui", "a", "b"}, &startup);
    EXPECT_EQ(startup.mode, STARTUP_STAND_ALONE);
    EXPECT_STREQ(startup.scenarioName, "");
    EXPECT_STREQ(startup.scenarioFile.type, "inp");
    Parse({"traz_gui", std::string(400, 'x')}, &startup);
    EXPECT_EQ(std::strlen(startup.projectId), sizeof startup.projectId - 1);
    EXPECT_STREQ(startup.scenarioName, "trazERR");
}

TEST(StringToLower, LowerCasesInPlace)
{
    char text[] = "C:/Data/Traz.INP";
    StringToLower(text);
    EXPECT_STREQ(text, "c:/data/traz.inp");
    StringToLower(nullptr);
}

class OpenStartScenarioTest : public testing::Test {
protected:
    void SetUp() override
    {
        fakes::Reset();
        fakes::SetModelKindSource([] { return static_cast<int>(g_scenario.modelKind); });
        cwd_ = fs::current_path();
        dir_ = fs::absolute(fs::path(TRAZ_TEST_BINARY_DIR) / "startup_test" /
                            testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        CopyTree(kOldData, dir_);
        fs::current_path(dir_);
        MainWindow = fakes::CreateTestWindow(RUV_RECT{0, 0, 600, 800});
    }

    void TearDown() override
    {
        GE_Free(g_scenario.activeGrid);
        GE_Free(g_scenario.x);
        GE_Free(g_scenario.y);
        GE_Free(g_scenario.segmentDepths);
        g_scenario.activeGrid = nullptr;
        g_scenario.x = g_scenario.y = g_scenario.segmentDepths = nullptr;
        fs::current_path(cwd_);
    }

    // Starts as the program does: command line, defaults, start scenario.
    void Start(std::vector<std::string> arguments)
    {
        arguments.insert(arguments.begin(), "traz_gui");
        Parse(arguments, &g_startup);
        GE_Free(g_scenario.activeGrid);
        GE_Free(g_scenario.x);
        GE_Free(g_scenario.y);
        GE_Free(g_scenario.segmentDepths);
        ResetScenario(&g_scenario);
        fakes::ClearRecord();
        fakes::ClearCalls();
        OpenStartScenario(MainWindow, &g_startup, &g_scenario);
    }

    std::vector<std::string> Menu()
    {
        std::vector<std::string> calls;
        for (const std::string &call : fakes::Calls())
            if (call.rfind("ruv_menu", 0) == 0)
                calls.push_back(call);
        return calls;
    }

    fs::path cwd_;
    fs::path dir_;
};

TEST_F(OpenStartScenarioTest, StandAloneEnablesNewOpenAndSaveAs)
{
    Start({});
    EXPECT_TRUE(fakes::Entries().empty());
    EXPECT_EQ(Menu(), (std::vector<std::string>{"ruv_menu_set_item_enabled 1002 1", "ruv_menu_set_item_enabled 1003 1",
                                                "ruv_menu_set_item_enabled 1005 1", "ruv_menu_update"}));
    EXPECT_STREQ(g_scenario.scenarioFile.name, "");
    EXPECT_EQ(fs::path(g_scenario.scenarioFile.dir.path), dir_);
}

TEST_F(OpenStartScenarioTest, ProjectOpensItsExistingScenario)
{
    Start({"P63"});
    EXPECT_STREQ(g_scenario.scenarioFile.name, "trazP63.inp");
    EXPECT_STREQ(g_scenario.titles[0], "Project P63, version 3.63 file");
    EXPECT_EQ(GE_ListCount(g_scenario.continuousReleases), 2);
    EXPECT_EQ(fakes::Texts("message"),
              (std::vector<std::string>{"Opening existing scenario: trazP63.inp!",
                                        "Release scenario has been modified (obsolete input)\n"
                                        "1. for oil the release is always at water surface\n"
                                        "2. for tracers, either the depth (2Dh model)\n"
                                        "   or layer (3D model) must be specified\n"}));
    EXPECT_EQ(fakes::Texts("status"), (std::vector<std::string>{"", ""}));   // the *.hyd is there
    EXPECT_TRUE(fakes::Texts("error").empty());
    const auto &calls = fakes::Calls();
    EXPECT_NE(std::find(calls.begin(), calls.end(), "EnableInitialConditionButton 0"), calls.end());
    EXPECT_EQ(Menu(), (std::vector<std::string>{"ruv_menu_set_item_enabled 1004 1", "ruv_menu_set_item_enabled 1005 1"}));
    EXPECT_EQ(fs::current_path(), dir_);
}

// A project's older file that ends early is followed by its own box only:
// nothing says the scenario was converted.
TEST_F(OpenStartScenarioTest, AFailedReadOfTheProjectsOlderFileExplainsNoConversion)
{
    std::string text;
    {
        std::ifstream in(dir_ / "trazP63.inp", std::ios::binary);
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::ofstream(dir_ / "trazP63.inp", std::ios::binary) << text.substr(0, text.size() / 2);
    Start({"P63"});
    EXPECT_EQ(fakes::Texts("message"), std::vector<std::string>{"Opening existing scenario: trazP63.inp!"});
    EXPECT_EQ(fakes::Texts("error").size(), 1u);
}

TEST_F(OpenStartScenarioTest, ProjectWithAnInvalidIdCreatesTrazErr)
{
    Start({"AB"});
    EXPECT_EQ(fakes::RecordLines(),
              (std::vector<std::string>{"message: Invalid project_id : AB!\\nERR applied.",
                                        "status: Corresponding *hyd file not found!",
                                        "message: Creating a new scenario: trazERR.inp!"}));
    EXPECT_STREQ(g_scenario.scenarioFile.name, "trazERR.inp");
    EXPECT_EQ(Menu(), (std::vector<std::string>{"ruv_menu_set_item_enabled 1004 1", "ruv_menu_set_item_enabled 1005 1"}));
}

TEST_F(OpenStartScenarioTest, ProjectOfTheTemperatureModelCannotBeSaved)
{
    // Project T01: the 3.64 tracer turned into a full temperature model.
    std::ifstream in("v364_tracer.inp", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    text.replace(text.find("      1      1      0      0      0"), 34, "      5      1      0      0      0");
    const std::string block = "   0\n\n;                            Timers";
    text.replace(text.find(block), block.size(), "   12\n   4183 1024 30 16 0 1 1 12 0.5 0 0\n   0\n\n; Timers");
    std::ofstream("trazT01.inp", std::ios::binary) << text;
    std::ofstream("trazT01.hyd", std::ios::binary) << "reference-time '20190315000000'\n";

    Start({"T01"});
    EXPECT_EQ(g_scenario.modelKind, MODEL_TEMPERATURE);
    EXPECT_TRUE(Menu().empty());
    EXPECT_EQ(fakes::Texts("message").front(), "Opening existing scenario: trazT01.inp!");
}

} // namespace
