// Printing a map window: the page scale as a unit; with the project's print
// queue, File > Print area > Print writes the map to the queue's PDF, whose
// page shows the bathymetry and the grid with its depth scale at paper
// size; with no printer at all, one box for Print and one for Page Setup,
// and the map window as it was; Printer Setup's note.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "box_texts.h"
#include "map_printing.h"
#include "printing.h"
#include "map_window_fixture.h"

namespace {

using namespace maptest;

TEST(PrintPageScale, TheSmallerRatioOfPageToClient)
{
    struct Case {
        const char *what;
        int32_t pageHeight, pageWidth;
        RUV_RECT client;  // top, left, bottom, right
        float scale;
    } cases[] = {
        { "client twice as wide as high on an upright page", 3358, 2329, { 0, 0, 200, 400 }, 2329.0f / 400.0f },
        { "client higher than wide", 3358, 2329, { 0, 0, 400, 100 }, 3358.0f / 400.0f },
        { "landscape page", 2329, 3358, { 0, 0, 300, 300 }, 2329.0f / 300.0f },
        { "client offset", 1000, 1000, { 10, 20, 210, 120 }, 5.0f },
        { "no page height", 0, 2329, { 0, 0, 200, 400 }, 0.0f },
        { "negative page width", 3358, -1, { 0, 0, 200, 400 }, 0.0f },
        { "empty client", 3358, 2329, { 0, 0, 0, 400 }, 0.0f },
    };
    for (const Case &c : cases)
        EXPECT_FLOAT_EQ(GE_PrintPageScale(c.pageHeight, c.pageWidth, c.client), c.scale) << c.what;
}

// The print server's directory, empty without one.
std::string CupsDir()
{
    char buf[MAX_PATH] = "";
    if (!GetEnvironmentVariableA("CUPS_SERVER", buf, sizeof buf))
        return "";
    const std::string s = buf;
    const size_t slash = s.rfind('/');
    return slash == std::string::npos ? "" : s.substr(0, slash);
}

std::string WinPath(std::string unixPath)
{
    unixPath = "Z:" + unixPath;
    for (char &c : unixPath)
        if (c == '/')
            c = '\\';
    return unixPath;
}

// Runs a host shell command in dir and waits for its status (-1: none in
// 60 s).
int Shell(const std::string &dir, const std::string &command)
{
    const std::string step = dir + "/visarea_print_" + std::to_string(GetCurrentProcessId());
    const std::string status = step + ".status";
    DeleteFileA(WinPath(status).c_str());
    {
        std::ofstream out(WinPath(step + ".sh"), std::ios::binary | std::ios::trunc);
        out << "PATH=/usr/bin:/bin:/usr/sbin:/sbin\nexport PATH\ncd '" << dir << "' || exit 99\n(\n" << command
            << "\n)\necho $? > '" << status << ".tmp'\nmv '" << status << ".tmp' '" << status << "'\n";
    }
    std::string line = "/bin/sh " + step + ".sh";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
        std::printf("cannot start %s (error %lu)\n", line.c_str(), GetLastError());
        return -1;
    }
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    for (int i = 0; i < 1200; ++i) {
        std::ifstream in(WinPath(status));
        int code = -1;
        if (in >> code) {
            in.close();
            DeleteFileA(WinPath(status).c_str());
            DeleteFileA(WinPath(step + ".sh").c_str());
            return code;
        }
        Sleep(50);
    }
    return -1;
}

// A binary PPM (P6) read into rows of RGB.
struct Ppm {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;
    bool Read(const std::string &path)
    {
        std::ifstream in(path, std::ios::binary);
        std::string magic;
        int maxval = 0;
        if (!(in >> magic >> width >> height >> maxval) || magic != "P6" || maxval != 255)
            return false;
        in.get();
        rgb.resize(static_cast<size_t>(width) * height * 3);
        in.read(reinterpret_cast<char *>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
        return in.gcount() == static_cast<std::streamsize>(rgb.size());
    }
    int Count(uint32_t colour, int tolerance) const
    {
        int n = 0;
        for (size_t k = 0; k + 2 < rgb.size(); k += 3) {
            const int r = rgb[k], g = rgb[k + 1], b = rgb[k + 2];
            n += std::abs(r - static_cast<int>((colour >> 16) & 0xFF)) <= tolerance &&
                 std::abs(g - static_cast<int>((colour >> 8) & 0xFF)) <= tolerance &&
                 std::abs(b - static_cast<int>(colour & 0xFF)) <= tolerance;
        }
        return n;
    }
};

bool SameView(const GE_WindowData &a, const GE_WindowData &b)
{
    return a.zoom == b.zoom && a.xOffset == b.xOffset && a.yOffset == b.yOffset && a.printing == b.printing &&
           a.drawing.left == b.drawing.left && a.drawing.top == b.drawing.top &&
           a.drawing.right == b.drawing.right && a.drawing.bottom == b.drawing.bottom && a.pixmap == b.pixmap;
}

TEST_F(MapWindowTest, PrintWritesTheMapToTheQueuesPdf)
{
    const std::string dir = CupsDir();
    if (dir.empty())
        GTEST_SKIP() << "no print server (CUPS_SERVER) for this run";
    in_app([&] {
        World world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        ASSERT_EQ(Shell(dir, "rm -f out.pdf map-page*.ppm"), 0);
        const GE_WindowData before = *GE_MapWindowData(w);
        BoxTexts boxes;
        Command(w, GEcmd_PRINT);
        pump(200);
        EXPECT_TRUE(boxes.texts().empty()) << boxes.texts().front();
        EXPECT_TRUE(SameView(before, *GE_MapWindowData(w)));
        EXPECT_GT(GE_PrinterFactorX(), 0.0f);
        EXPECT_EQ(GE_CurrentPrintWindow(), NULL_WIN);
        ASSERT_EQ(Shell(dir, "for i in $(seq 300); do [ -z \"$(lpstat -o traz 2>/dev/null)\" ] && [ -s out.pdf ] && "
                             "pdfinfo out.pdf >/dev/null 2>&1 && break; sleep 0.1; done; "
                             "pdftoppm -r 40 -f 1 -l 1 out.pdf map-page"),
                  0);
        Ppm page;
        std::string name = dir + "/map-page-1.ppm";
        if (!page.Read(WinPath(name))) {
            ASSERT_TRUE(page.Read(WinPath(dir + "/map-page-01.ppm"))) << name;
        }
        // The depth bands in sea colours and the black grid lines fill a
        // good part of the page.
        const uint32_t *colours = nullptr;
        const int n = GE_DepthColorTable(0, &colours);
        int banded = 0;
        for (int k = 0; k < n; ++k)
            banded += page.Count(colours[k] & 0xFFFFFF, 6) > 50;
        EXPECT_GE(banded, n / 2);
        EXPECT_GT(page.Count(0x000000, 40), 200);

        // The depth scale at paper size: the title whole, a box about 2 mm
        // wide for each class with its label, 6 mm apart, values rising.
        const int checked =
            Shell(dir, std::string("/usr/bin/python3 '") + VISAREA_PRINTED_LEGEND_CHECK + "' out.pdf > legend.txt 2>&1");
        std::ifstream report(WinPath(dir + "/legend.txt"));
        const std::string found((std::istreambuf_iterator<char>(report)), std::istreambuf_iterator<char>());
        EXPECT_EQ(checked, 0) << found;
        EXPECT_NE(found.find("12 labels"), std::string::npos) << found;
    });
}

// A record that reaches no printer is filled from the default printer by
// the page query: the map prints, without a box.
TEST_F(MapWindowTest, AnEmptyPrintRecordTakesTheDefaultPrinter)
{
    const std::string dir = CupsDir();
    if (dir.empty() || std::getenv("VISAREA_NO_PRINTER"))
        GTEST_SKIP() << "no print server (CUPS_SERVER) for this run";
    in_app([&] {
        World world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        ASSERT_NE(GE_PrintRecord(), nullptr);
        std::memset(GE_PrintRecord(), 0, sizeof(RUV_PRINT_RECORD));
        ASSERT_FALSE(ruv_print_is_valid(GE_PrintRecord()));
        BoxTexts boxes;
        Command(w, GEcmd_PRINT);
        pump(200);
        EXPECT_TRUE(boxes.texts().empty()) << boxes.texts().front();
        EXPECT_TRUE(ruv_print_is_valid(GE_PrintRecord()));
    });
}

// Without a printer, Print and Page Setup each show one box that says so,
// and nothing else: no toolkit warning, no platform dialog.
TEST_F(MapWindowTest, WithoutAPrinterOneBoxSaysSoAndTheMapStays)
{
    if (!CupsDir().empty() && !std::getenv("VISAREA_NO_PRINTER"))
        GTEST_SKIP() << "a print server is running";
    in_app([] {
        Recorder rec;
        World world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        const GE_WindowData before = *GE_MapWindowData(w);
        rec.clear();
        for (const int32_t item : { GEcmd_PRINT, GEcmd_PAGE_SETUP }) {
            SCOPED_TRACE(item);
            BoxTexts boxes;
            Command(w, item);
            pump(200);
            EXPECT_EQ(boxes.texts(), (std::vector<std::string>{ "No printer available" }));
            EXPECT_TRUE(SameView(before, *GE_MapWindowData(w)));
            EXPECT_EQ(GE_CurrentPrintWindow(), NULL_WIN);
        }
        // Not even a warning of the toolkit.
        EXPECT_EQ(rec.reports().size(), 0u) << describe(rec.reports());
    });
}

TEST_F(MapWindowTest, PrinterSetupShowsItsNote)
{
    in_app([] {
        World world;
        const RUV_WIN w = Open();
        ASSERT_NE(w, NULL_WIN);
        BoxTexts boxes;
        Command(w, GEcmd_PRINTER_SETUP);
        pump(200);
        EXPECT_EQ(boxes.texts(), (std::vector<std::string>{ "Platform/printer specific setup could be implemented" }));
    });
}

}  // namespace
