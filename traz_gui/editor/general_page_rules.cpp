// Window-free rules of the general pages: project-relative file names, the
// layer text and the checks before a save.
#include "general_page_rules.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <vector>

#include "xyseries.h"

namespace {

std::vector<std::string> SplitAtSlashes(const std::string &path)
{
    std::vector<std::string> parts;
    size_t start = 0;
    for (;;) {
        const size_t slash = path.find('/', start);
        if (slash == std::string::npos) {
            parts.push_back(path.substr(start));
            return parts;
        }
        parts.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

bool SameWithoutCase(const std::string &a, const std::string &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

int Rows(const XYSeries *table)
{
    const int rows = table ? GetXYSeriesInfo(table, XYS_INFO_ROWS) : 0;
    return rows < 0 ? 0 : rows;
}

double RowTime(const XYSeries *table, int row)
{
    return *static_cast<const double *>(GrowArrayAt(table->times, row));
}

} // namespace

std::string ProjectRelativePath(const char *projectDir, const char *path)
{
    const std::string full = path ? path : "";
    std::string dir = projectDir ? projectDir : "";
    if (full.find('/') == std::string::npos || dir.empty() || Lower(dir[0]) != Lower(full[0]))
        return full;
    if (dir.back() == '/')
        dir.pop_back();
    const std::vector<std::string> dirParts = SplitAtSlashes(dir);
    const std::vector<std::string> pathParts = SplitAtSlashes(full);
    // The file's own name is never a directory in common.
    size_t same = 0;
    while (same < dirParts.size() && same + 1 < pathParts.size() && SameWithoutCase(dirParts[same], pathParts[same]))
        ++same;
    if (same == 0)
        return full;
    std::string relative;
    for (size_t i = same; i < dirParts.size(); ++i)
        relative += relative.empty() ? ".." : "/..";
    for (size_t i = same; i < pathParts.size(); ++i) {
        if (!relative.empty())
            relative += '/';
        relative += pathParts[i];
    }
    return relative;
}

std::string HydrodynamicLayersText(int layers)
{
    if (layers == 1)
        return "1 (2D model)";
    if (layers < 1)
        return " ";
    char text[32];
    std::snprintf(text, sizeof text, "%d (3D model)", layers);
    return text;
}

std::string ZoomGridMessage(const OutputOptions *output)
{
    if (!output || Rows(output->recovery) == 0)
        return "";
    const ZoomGrid none{};
    const ZoomGrid &grid = output->zoomGrid ? *output->zoomGrid : none;
    const double xMin = std::fmin(grid.xStart, grid.xEnd), xMax = std::fmax(grid.xStart, grid.xEnd);
    const double yMin = std::fmin(grid.yStart, grid.yEnd), yMax = std::fmax(grid.yStart, grid.yEnd);
    char message[512];
    if (std::fabs((xMax - xMin) * (yMax - yMin)) < 1e-8) {
        std::snprintf(message, sizeof message,
                      "Zoom grid output was required,\nbut the grid area is invalid (zero sized)\nxMin= %12.1f\n"
                      "xMax= %12.1f\nyMin= %12.1f\nyMax= %12.1f\nFix zoom grid or remove output !",
                      xMin, xMax, yMin, yMax);
        return message;
    }
    if (grid.cellsX > 0 && grid.cellsY > 0)
        return "";
    std::snprintf(message, sizeof message,
                  "Zoom grid output was required,\nbut discrete zoom grid is invalid\nNo. of cells in X dir.= %8d\n"
                  "No. of cells in Y dir. = %8d\nFix zoom grid or remove output !",
                  static_cast<int>(grid.cellsX), static_cast<int>(grid.cellsY));
    return message;
}

namespace {

// Which of two refusals tables of one kind give: 1 for different lengths,
// 2 for a row whose times differ by 1e-8 or more, 0 when they agree.  The
// rows' times are taken straight from the tables: no copy, so no bound on
// the number of columns.
int TablesDisagree(const std::vector<const XYSeries *> &tables)
{
    if (tables.empty())
        return 0;
    const int rows = Rows(tables[0]);
    for (const XYSeries *table : tables)
        if (Rows(table) != rows)
            return 1;
    for (int row = 0; row < rows; ++row) {
        double low = RowTime(tables[0], row), high = low;
        for (const XYSeries *table : tables) {
            low = std::fmin(low, RowTime(table, row));
            high = std::fmax(high, RowTime(table, row));
        }
        if (high - low >= 1e-8)
            return 2;
    }
    return 0;
}

} // namespace

std::string SettlingTablesMessage(const ProcessParameters *process)
{
    if (!process)
        return "";
    switch (TablesDisagree({std::begin(process->settling), std::end(process->settling)})) {
    case 1:
        return "Tables for settling velocities have different lengths\nwhat's not allowed for TRAZ; data not "
               "saved\nPlease make settling tables of same length";
    case 2:
        return "In tables for settling velocities corresponding time levels\nare different, what's not allowed "
               "for TRAZ; data not saved\nPlease edit settling tables for corresponding time levels";
    default:
        return "";
    }
}

std::string ContinuousReleaseTablesMessage(const GE_List *releases)
{
    std::vector<const XYSeries *> tables;
    Location *release = nullptr;
    for (int i = 0; GE_ListGet(releases, i, &release); ++i)
        tables.push_back(release ? release->releaseRates : nullptr);
    if (tables.size() < 2)
        return "";
    switch (TablesDisagree(tables)) {
    case 1:
        return "Tables for continuous releases have different lengths\nwhat's not allowed for TRAZ; data not "
               "saved\nPlease make tables of same length";
    case 2:
        return "In tables for continuous releases corresponding time levels\nare different, what's not allowed "
               "for TRAZ; data not saved\nPlease edit release tables for corresponding time levels";
    default:
        return "";
    }
}
