// Loading a hydrodynamics result: reads the *.hyd description, spreads its
// times over the scenario, reads the grid table, coordinates and depths
// through the record-file wrappers into the scenario, fills the depths next
// to the wet area and hands grid and bathymetry to the map window (or takes
// the map's grid away when the *.hyd's grid cannot be read), and finds the
// locations' cells on the new grid.

#include "load_hydrodynamics.h"

#include <cmath>
#include <cstring>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "editor_services.h"
#include "ge_list.h"
#include "grid_readers.h"
#include "hyd_reader.h"
#include "record_calls.h"
#include "ruv.h"
#include "scenario.h"
#include "visarea.h"

namespace {

constexpr int kHydrodynamicsPage = 1;
constexpr int32_t kNameField = 256;   // name field of the record-file routines

const char kGridTableError[] =
    "Error reading grid file (*.lga)\nNote that grid files are platform dependent\nPlease check!";

int32_t GridTableFailed()
{
    PostErrorF("%s", kGridTableError);
    return GRID_TABLE_UNREADABLE;
}

// A block of at least `count` elements: the old one when it is large enough
// (and present), else a new one (NULL when memory is short).
template <typename T>
T *BlockFor(T *old, int64_t oldCount, size_t count)
{
    if (old && oldCount >= static_cast<int64_t>(count))
        return old;
    return static_cast<T *>(GE_Alloc(count > 0 ? count * sizeof(T) : sizeof(T)));
}

// Fills depth[u] from v (and w beyond it) when u is dry (exactly 0) and v
// is wet; straight-line extrapolation only when w is an active cell with a
// depth, and never to a negative depth.  A cell without a depth (the missing
// value) is not wet: it neither fills a dry cell nor takes part in a line.
void FillFromNeighbour(const float *x, const float *y, float *depth, const int32_t *cellStatus,
                       int32_t u, int32_t v, int32_t w, int32_t wStatusIndex)
{
    if (depth[u] != 0.0f || depth[v] == 0.0f || depth[v] == GRID_MISSING_VALUE)
        return;
    if (cellStatus[wStatusIndex] == GE_CELL_ACTIVE && depth[w] != GRID_MISSING_VALUE) {
        float value = ExtrapolateBoundaryValue(x, y, depth, u, v, w);
        if (!(value >= 0.0f))
            depth[u] = depth[v];
    } else {
        depth[u] = depth[v];
    }
}

// The arrays a load reads into and derives before the scenario changes,
// kept from one load to the next: a grid read again, or another of no
// greater size (a scenario opened over the model of the last one), then
// touches no fresh memory, which is most of what a large grid's load costs.
// A grid of less than half the size held lets the larger blocks go.
struct LoadArrays {
    std::vector<int32_t> table;
    std::vector<float> x, y, depths;
    std::vector<float> cellDepth;
    std::vector<int32_t> cellStatus;

    void Prepare(size_t cells, size_t statusCells)
    {
        if (table.capacity() / 2 > cells)
            *this = LoadArrays();
        table.assign(cells, 0);
        x.assign(cells, 0.0f);
        y.assign(cells, 0.0f);
        depths.clear();   // sized by the depth file, once it has shown its count
        cellDepth.assign(cells, 0.0f);
        cellStatus.assign(statusCells, GE_CELL_INACTIVE);
    }
};

LoadArrays &Arrays()
{
    static LoadArrays arrays;
    return arrays;
}

} // namespace

float ExtrapolateBoundaryValue(const float *x, const float *y, float *values, int32_t u, int32_t v,
                               int32_t w)
{
    double d1 = std::hypot(static_cast<double>(x[v]) - x[u], static_cast<double>(y[v]) - y[u]);
    double d2 = std::hypot(static_cast<double>(x[w]) - x[v], static_cast<double>(y[w]) - y[v]);
    if (!(d2 > 0.0)) {
        // v and w coincide: no line to extrapolate along.
        values[u] = values[v];
        return values[u];
    }
    double b = -d1 / d2;
    values[u] = static_cast<float>((1.0 - b) * values[v] + b * values[w]);
    return values[u];
}

int32_t ReadGridTable(ScenarioRecord *scenario, const char *gridIndicesFile)
{
    // The readers put the companion's name into the second half.
    char name[2 * kNameField];
    std::memset(name, 0, sizeof name);
    if (gridIndicesFile)
        std::strncpy(name, gridIndicesFile, kNameField);

    // The readers take each file the reads below open again from its start.
    GridFilesHeld held;

    int32_t fileType = 0, spare = 0, status = 0, segments = 0;
    int32_t location[9] = {-2, 0, 0, 0, 0, 0, 0, 0, 0};
    int32_t dims[7] = {0, 0, 0, 0, 0, 0, 0};
    ReadLgaFile(name, kNameField, &fileType, location, dims, &segments, &spare, &status);
    statbar_set_title(MainWindow, "");
    if (status != 0)
        return GridTableFailed();

    const int32_t mmax = dims[0], nmax = dims[1];
    const int32_t layers = dims[2] < 1 ? 1 : dims[2];
    const size_t cells = static_cast<size_t>(mmax) * static_cast<size_t>(nmax);
    // The reader has seen the table hold its cells; a segment count is only
    // a number in a header.  More segments than cells in all layers is no
    // grid, and nothing is made from it.
    if (segments < 1 || static_cast<uint64_t>(segments) > static_cast<uint64_t>(cells) * static_cast<uint64_t>(layers))
        return GridTableFailed();

    // Everything is read before the scenario changes, so that a failed read
    // leaves the previous grid in place.
    const int32_t statusWidth = mmax + 1;
    LoadArrays &arrays = Arrays();
    try {
        arrays.Prepare(cells, static_cast<size_t>(statusWidth) * static_cast<size_t>(nmax + 1));
    } catch (const std::exception &) {   // no memory, or a size no array can have
        arrays = LoadArrays();
        return GridTableFailed();
    }
    std::vector<int32_t> &table = arrays.table;
    std::vector<float> &x = arrays.x, &y = arrays.y, &depths = arrays.depths;
    std::vector<float> &cellDepth = arrays.cellDepth;
    std::vector<int32_t> &cellStatus = arrays.cellStatus;

    location[0] = 0;
    int32_t tableSegments = segments;
    ReadLgaFile(name, kNameField, &fileType, location, table.data(), &tableSegments, &spare, &status);
    if (status != 0)
        return GridTableFailed();

    float missing = GRID_MISSING_VALUE;
    int32_t capacity = static_cast<int32_t>(cells);
    int32_t selector = 1;
    ReadCcoFile(name, kNameField, &fileType, &selector, &spare, location, &missing, &capacity, x.data(), &status);
    if (status != 0)
        return GridTableFailed();
    selector = 2;
    ReadCcoFile(name, kNameField, &fileType, &selector, &spare, location, &missing, &capacity, y.data(), &status);
    if (status != 0)
        return GridTableFailed();

    // The depths: first their count, which the reader has seen the depth
    // file hold; room is made for that many only, when they are no more
    // than the segments.
    int32_t depthDims[7] = {0, 0, 0, 0, 0, 0, 0};
    float noRoom = 0.0f;
    int32_t depthValues = 0;   // in: room; out: the depth file's count
    int32_t depthStatus = 0;
    ReadDpsFile(name, kNameField, &fileType, location, depthDims, &noRoom, &depthValues, &spare, &depthStatus);
    if (depthStatus == GRID_CAPACITY && depthValues > 0 && depthValues <= segments) {
        try {
            depths.assign(static_cast<size_t>(depthValues), 0.0f);
            ReadDpsFile(name, kNameField, &fileType, location, depthDims, depths.data(), &depthValues, &spare,
                        &depthStatus);
        } catch (const std::exception &) {
            depthStatus = GRID_CAPACITY;
        }
    }
    const bool depthsRead = depthStatus == 0;
    if (!depthsRead) {
        depthValues = 0;
        depths.clear();
    }

    // Into the scenario, reusing arrays that are large enough.
    int32_t *newTable = BlockFor(scenario->activeGrid, scenario->activeGridLength, cells);
    const int64_t oldCells = static_cast<int64_t>(scenario->mmax) * scenario->nmax;
    float *newX = BlockFor(scenario->x, oldCells, cells);
    float *newY = BlockFor(scenario->y, oldCells, cells);
    float *newDepths = BlockFor(scenario->segmentDepths, scenario->depthCount, depths.size());
    if (!newTable || !newX || !newY || !newDepths) {
        if (newTable != scenario->activeGrid)
            GE_Free(newTable);
        if (newX != scenario->x)
            GE_Free(newX);
        if (newY != scenario->y)
            GE_Free(newY);
        if (newDepths != scenario->segmentDepths)
            GE_Free(newDepths);
        return GridTableFailed();
    }
    if (newTable != scenario->activeGrid)
        GE_Free(scenario->activeGrid);
    if (newX != scenario->x)
        GE_Free(scenario->x);
    if (newY != scenario->y)
        GE_Free(scenario->y);
    if (newDepths != scenario->segmentDepths)
        GE_Free(scenario->segmentDepths);
    scenario->activeGrid = newTable;
    scenario->x = newX;
    scenario->y = newY;
    scenario->segmentDepths = newDepths;
    std::memcpy(newTable, table.data(), cells * sizeof(int32_t));
    std::memcpy(newX, x.data(), cells * sizeof(float));
    std::memcpy(newY, y.data(), cells * sizeof(float));
    if (!depths.empty())
        std::memcpy(newDepths, depths.data(), depths.size() * sizeof(float));

    scenario->coordinatePairSelector = 0;
    scenario->activeGridLength = static_cast<int32_t>(cells);
    scenario->mmax = mmax;
    scenario->nmax = nmax;
    scenario->depthCount = depthValues;   // the segments with a depth
    scenario->gridLayers = layers;
    scenario->hydLayers = layers;

    // Depth per cell and cell status ((mmax + 1) x (nmax + 1), the extra
    // row and column 0).
    for (int32_t j = 0; j < nmax; ++j) {
        for (int32_t i = 0; i < mmax; ++i) {
            const size_t c = static_cast<size_t>(j) * static_cast<size_t>(mmax) + static_cast<size_t>(i);
            const int32_t entry = table[c];
            // A segment beyond the depth file has no depth.
            cellDepth[c] = (entry > 0 && entry <= depthValues) ? depths[static_cast<size_t>(entry - 1)]
                                                                : GRID_MISSING_VALUE;
            cellStatus[static_cast<size_t>(j) * static_cast<size_t>(statusWidth) + static_cast<size_t>(i)] =
                entry < 0 ? GE_CELL_BOUNDARY : entry > 0 ? GE_CELL_ACTIVE : GE_CELL_INACTIVE;
        }
    }

    if (depthsRead) {
        // Along each column, then along each row; w may be the extra row or
        // column, whose status is 0.
        for (int32_t i = 0; i < mmax; ++i)
            for (int32_t j = 0; j <= nmax - 2; ++j)
                FillFromNeighbour(newX, newY, cellDepth.data(), cellStatus.data(), j * mmax + i,
                                  (j + 1) * mmax + i, (j + 2) * mmax + i, (j + 2) * statusWidth + i);
        for (int32_t j = 0; j < nmax; ++j)
            for (int32_t i = 0; i <= mmax - 2; ++i)
                FillFromNeighbour(newX, newY, cellDepth.data(), cellStatus.data(), j * mmax + i,
                                  j * mmax + i + 1, j * mmax + i + 2, j * statusWidth + i + 2);
    }

    GE_GridInput input;
    std::memset(&input, 0, sizeof input);
    input.mmax = mmax;
    input.nmax = nmax;
    input.x = newX;
    input.y = newY;
    input.cellStatus = cellStatus.data();
    input.coordinateSystem = 1;
    input.missingValue = GRID_MISSING_VALUE;
    GE_SetGrid(&input, "");
    if (depthsRead)
        GE_SetDepth(cellDepth.data());
    return GRID_TABLE_READ;
}

int32_t LoadHydrodynamics(const char *directory, const char *fileName)
{
    ScenarioRecord *scenario = &g_scenario;
    const bool haveDirectory = directory && directory[0] != '\0';
    std::string path = fileName ? fileName : "";
    if (haveDirectory)
        path = std::string(directory) + "/" + path;

    const int32_t layersBefore = scenario->hydLayers;
    const int32_t result = ReadHydFile(path.c_str(), scenario);
    if (result != HYD_READ_OK) {
        const char *shown = MakeProjectRelativePath(path.c_str());
        if (result == HYD_CANNOT_OPEN)
            PostErrorF("Hydrodynamic file\n%s\nnot found !\n\nPlease check !", shown);
        else
            PostErrorF("Error reading hydrodynamic file:\n\n\n%s\nPlease check !", shown);
    } else {
        statbar_set_title(MainWindow, "");
        for (int g = 0; g < TIME_GROUP_COUNT; ++g) {
            std::memcpy(scenario->timeGroups[g][TIME_START], scenario->hydTimes[HYD_CONVERSION_START],
                        sizeof(DateTimeString));
            std::memcpy(scenario->timeGroups[g][TIME_STOP], scenario->hydTimes[HYD_CONVERSION_STOP],
                        sizeof(DateTimeString));
            std::memcpy(scenario->timeGroups[g][TIME_STEP], scenario->hydTimes[HYD_CONVERSION_STEP],
                        sizeof(DateTimeString));
        }
        UpdateTableTimes(scenario);

        bool gridRead = false;
        if (scenario->fileNames[FILE_GRID_INDICES][0] != '\0' &&
            scenario->fileNames[FILE_GRID_COORDINATES][0] != '\0') {
            std::string gridName = scenario->fileNames[FILE_GRID_INDICES];
            RUV_FILE_DIR saved;
            std::memset(&saved, 0, sizeof saved);
            const bool haveSaved = ruv_fsys_get_dir(&saved) != 0;
            if (haveDirectory) {
                RUV_FILE_DIR dir;
                std::memset(&dir, 0, sizeof dir);
                if (ruv_fsys_convert_str_to_dir(directory, &dir)) {
                    // The grid name already carries the *.hyd file's
                    // directory: keep it pointing at the same file when that
                    // directory is relative.
                    std::error_code ec;
                    if (std::filesystem::path(gridName).is_relative()) {
                        std::string absolute = std::filesystem::absolute(gridName, ec).string();
                        if (!ec && absolute.size() < static_cast<size_t>(kNameField))
                            gridName = absolute;
                    }
                    ruv_fsys_set_dir(&dir);
                } else {
                    ruv_dm_post_note("Error converting directory of *hyd file");
                }
            }
            gridRead = ReadGridTable(scenario, gridName.c_str()) == GRID_TABLE_READ;
            if (haveSaved)
                ruv_fsys_set_dir(&saved);
        } else {
            statbar_set_title(MainWindow, "Error finding grid files!");
        }
        g_startup.gridAvailable = gridRead ? 1 : 0;
        // The map shows the grid of this *.hyd or none, never the last one's.
        if (!gridRead)
            GE_FreeGrid();
        // The locations keep their x and y: their cells are those of the
        // grid now loaded.
        FindLocationCellsAgain();

        ShowHydrodynamicsPage(scenario, PageWindows[kHydrodynamicsPage]);
        // A scenario that had no hydrodynamics yet (none chosen, or its
        // *.hyd missing when it was read) keeps its model.
        if (layersBefore > 0 && scenario->hydLayers != layersBefore) {
            for (int p = 0; p < SCEN_PAGE_COUNT; ++p)
                scenario->pageFlags[p] = 0;
            scenario->modelKind = MODEL_TRACER;
            scenario->temperatureVariant = 1;
        }
    }

    for (int f = 0; f < FILE_NAME_COUNT; ++f)
        ToForwardSlashes(scenario->fileNames[f]);
    return result;
}
