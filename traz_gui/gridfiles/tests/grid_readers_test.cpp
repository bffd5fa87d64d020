// Grid table, coordinate and depth readers: both storage forms and every
// header generation, the storage-form rule, the statuses 10, 20, 31 and 99,
// and the handling of names.

#include "grid_fixture.h"
#include "grid_readers.h"
#include "record_calls.h"
#include "record_io.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using recio::Form;

constexpr int32_t kLen = 256;

// The editor's name buffer: the name in the first half, room for the
// companion in the second.
struct NameBuffer {
    std::vector<char> buf;
    explicit NameBuffer(const std::string &name, int32_t len = kLen, char fill = '\0')
        : buf(2 * static_cast<size_t>(len), fill)
    {
        std::memcpy(buf.data(), name.data(), std::min(name.size(), static_cast<size_t>(len)));
    }
    char *data() { return buf.data(); }
    std::string Second(int32_t len = kLen) const { return std::string(buf.data() + len, static_cast<size_t>(len)); }
};

struct Loaded {
    int32_t query_status = -1, table_status = -1, x_status = -1, y_status = -1, depth_status = -1;
    int32_t dims[7] = {0, 0, 0, 0, 0, 0, 0};
    int32_t segments = 0;
    int32_t spare = 0;
    int32_t file_type = 0;
    std::vector<int32_t> table;
    std::vector<float> x, y, depths;

    bool operator==(const Loaded &o) const
    {
        return query_status == o.query_status && table_status == o.table_status && x_status == o.x_status &&
               y_status == o.y_status && depth_status == o.depth_status &&
               std::equal(dims, dims + 7, o.dims) && segments == o.segments && spare == o.spare &&
               file_type == o.file_type && table == o.table && x == o.x && y == o.y && depths == o.depths;
    }
};

// Reads everything the way the editor does: query, table, x, y, depths.
Loaded LoadAll(const std::string &name)
{
    Loaded out;
    NameBuffer nb(name);
    int32_t loc[9] = {GRID_QUERY_EXCHANGES, 0, 0, 0, 0, 0, 0, 0, 0};
    ReadLgaFile(nb.data(), kLen, &out.file_type, loc, out.dims, &out.segments, &out.spare, &out.query_status);
    if (out.query_status != GRID_OK)
        return out;
    int32_t cells = out.dims[3];
    out.table.assign(static_cast<size_t>(cells), -12345);
    loc[0] = 0;
    int32_t seg2 = 0, spare2 = 0;
    ReadLgaFile(nb.data(), kLen, &out.file_type, loc, out.table.data(), &seg2, &spare2, &out.table_status);
    float missing = -999.0f;
    int32_t capacity = cells, selector = 1, spare3 = 0;
    out.x.assign(static_cast<size_t>(cells), -1.0f);
    out.y.assign(static_cast<size_t>(cells), -1.0f);
    ReadCcoFile(nb.data(), kLen, &out.file_type, &selector, &spare3, loc, &missing, &capacity, out.x.data(),
                &out.x_status);
    selector = 2;
    ReadCcoFile(nb.data(), kLen, &out.file_type, &selector, &spare3, loc, &missing, &capacity, out.y.data(),
                &out.y_status);
    int32_t dseg = out.segments, ddims[7] = {0, 0, 0, 0, 0, 0, 0};
    out.depths.assign(static_cast<size_t>(dseg), -1.0f);
    ReadDpsFile(nb.data(), kLen, &out.file_type, loc, ddims, out.depths.data(), &dseg, &spare3, &out.depth_status);
    return out;
}

// The same reads with the files held: each is opened once.
Loaded LoadAllHeld(const std::string &name)
{
    GridFilesHeld held;
    return LoadAll(name);
}

int32_t QueryStatus(const std::string &name)
{
    NameBuffer nb(name);
    int32_t ft = 0, loc[9] = {GRID_QUERY, 0, 0, 0, 0, 0, 0, 0, 0}, dims[7], seg = 0, spare = 0, status = -1;
    ReadLgaFile(nb.data(), kLen, &ft, loc, dims, &seg, &spare, &status);
    return status;
}

void WriteRaw(const std::string &path, const std::vector<unsigned char> &bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

std::vector<unsigned char> ReadRaw(const std::string &path)
{
    std::ifstream f(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

class GridReaders : public ::testing::Test {
protected:
    void SetUp() override
    {
        const ::testing::TestInfo *info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir_ = std::string("grid_work/") + info->name() + "/";
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_);
    }
    // Every reader releases its units, whatever the outcome.
    void TearDown() override
    {
        for (int u = 10; u <= 99; ++u)
            EXPECT_FALSE(recio::IsConnected(u)) << "unit " << u << " left connected";
    }
    std::string dir_;
};

const char *FormName(Form f)
{
    return f == Form::kBinary ? "binary" : "unformatted";
}

TEST_F(GridReaders, EveryFormAndHeaderGenerationGivesTheSameArrays)
{
    const gridfix::Grid g = gridfix::SampleGrid();
    struct Expect {
        int generation;
        int32_t layers;
        int32_t exchanges[3];
    } gens[] = {
        {7, 2, {11, 12, 8}},
        {5, 2, {0, 0, 0}},
        {4, 2, {0, 0, 0}},
        {3, 1, {15, 15, 0}},   // 3 values: one layer, mmax*nmax, mmax*nmax, 0
    };
    for (Form form : {Form::kUnformatted, Form::kBinary}) {
        for (const Expect &e : gens) {
            for (int cco_generation : {7, 6}) {
                SCOPED_TRACE(std::string(FormName(form)) + " table header " + std::to_string(e.generation) +
                             ", coordinate header " + std::to_string(cco_generation));
                std::string base = dir_ + "g" + std::to_string(e.generation) + "_" + FormName(form) +
                                   std::to_string(cco_generation);
                ASSERT_EQ(gridfix::WriteGridFiles(base, form, g, e.generation, cco_generation), recio::kOk);
                Loaded l = LoadAll(base + ".lga");
                ASSERT_EQ(l.query_status, GRID_OK);
                EXPECT_EQ(l.spare, GRID_SPARE_WORD);
                EXPECT_EQ(l.dims[0], 5);
                EXPECT_EQ(l.dims[1], 3);
                EXPECT_EQ(l.dims[2], e.layers);
                EXPECT_EQ(l.dims[3], 15);
                EXPECT_EQ(l.dims[4], e.exchanges[0]);
                EXPECT_EQ(l.dims[5], e.exchanges[1]);
                EXPECT_EQ(l.dims[6], e.exchanges[2]);
                EXPECT_EQ(l.segments, 8);
                EXPECT_EQ(l.table_status, GRID_OK);
                EXPECT_EQ(l.x_status, GRID_OK);
                EXPECT_EQ(l.y_status, GRID_OK);
                EXPECT_EQ(l.depth_status, GRID_OK);
                EXPECT_EQ(l.table, g.table);
                EXPECT_EQ(l.x, g.x);
                EXPECT_EQ(l.y, g.y);
                EXPECT_EQ(l.depths, g.depths);
                EXPECT_TRUE(LoadAllHeld(base + ".lga") == l);
            }
        }
    }
}

// The storage form comes from the content: a binary file whose first words
// happen to frame a record is still binary when its size fits a header
// generation; a damaged unformatted file fails where it breaks; a file that
// fits neither form is not opened.
TEST_F(GridReaders, StorageFormIsToldByFramesThenBySize)
{
    // Binary table: mmax 8, nmax 1, layers 8 - its first 16 bytes read as
    // the framed record {1, segments} and the rest breaks the chain.
    gridfix::Grid g = gridfix::RegularGrid(8, 1);
    g.layers = 8;
    g.exchanges[0] = 1000;
    std::string base = dir_ + "lookalike";
    ASSERT_EQ(gridfix::WriteGridFiles(base, Form::kBinary, g), recio::kOk);
    ASSERT_EQ(recio::CheckRecordFrames(base + ".lga"), recio::FrameChain::kDamaged);
    Loaded l = LoadAll(base + ".lga");
    ASSERT_EQ(l.query_status, GRID_OK);
    EXPECT_EQ(l.dims[0], 8);
    EXPECT_EQ(l.dims[2], 8);
    EXPECT_EQ(l.table, g.table);
    EXPECT_EQ(l.depths, g.depths);

    // Unformatted table whose table record is cut short: read failure.
    base = dir_ + "cut";
    ASSERT_EQ(gridfix::WriteGridFiles(base, Form::kUnformatted, gridfix::SampleGrid()), recio::kOk);
    std::vector<unsigned char> bytes = ReadRaw(base + ".lga");
    bytes.resize(bytes.size() - 10);
    WriteRaw(base + ".lga", bytes);
    EXPECT_EQ(QueryStatus(base + ".lga"), GRID_READ_FAILED);

    // Neither form.
    base = dir_ + "text";
    ASSERT_EQ(gridfix::WriteGridFiles(base, Form::kUnformatted, gridfix::SampleGrid()), recio::kOk);
    std::ofstream(base + ".lga", std::ios::binary | std::ios::trunc) << "this is no grid table at all";
    EXPECT_EQ(QueryStatus(base + ".lga"), GRID_CANNOT_OPEN);
}

TEST_F(GridReaders, StatusFixtures)
{
    const gridfix::Grid g = gridfix::SampleGrid();
    struct Case {
        const char *what;
        void (*make)(const std::string &base, const gridfix::Grid &g);
        int32_t query, x, y, depth;   // expected statuses (-1: not reached)
    } cases[] = {
        {"table missing",
         [](const std::string &b, const gridfix::Grid &g) {
             gridfix::WriteCco(b + ".cco", Form::kUnformatted, 7, g);
         },
         GRID_CANNOT_OPEN, -1, -1, -1},
        {"companion missing",
         [](const std::string &b, const gridfix::Grid &g) {
             gridfix::WriteLga(b + ".lga", Form::kUnformatted, 7, g);
             gridfix::WriteDps(b + ".dps", Form::kUnformatted, g);
         },
         GRID_CANNOT_OPEN, -1, -1, -1},
        {"coordinate header in the table's order, mmax != nmax",
         [](const std::string &b, const gridfix::Grid &g) {
             gridfix::WriteGridFiles(b, Form::kUnformatted, g);
             gridfix::Grid swapped = g;
             std::swap(swapped.mmax, swapped.nmax);
             gridfix::WriteCco(b + ".cco", Form::kUnformatted, 7, swapped);
         },
         GRID_MISMATCH, -1, -1, -1},
        {"no segments",
         [](const std::string &b, const gridfix::Grid &g) {
             gridfix::Grid none = g;
             none.segments = 0;
             gridfix::WriteGridFiles(b, Form::kUnformatted, none);
         },
         GRID_MISMATCH, -1, -1, -1},
        {"header record of two values",
         [](const std::string &b, const gridfix::Grid &g) {
             gridfix::WriteGridFiles(b, Form::kUnformatted, g);
             recio::RecordBytes h, t;
             h.Int(5).Int(3);
             t.Ints(g.table);
             recio::WriteRecordFile(b + ".lga", Form::kUnformatted, {h, t});
         },
         GRID_READ_FAILED, -1, -1, -1},
        {"table record missing",
         [](const std::string &b, const gridfix::Grid &g) {
             gridfix::WriteGridFiles(b, Form::kUnformatted, g);
             recio::RecordBytes h;
             h.Int(5).Int(3).Int(8);
             recio::WriteRecordFile(b + ".lga", Form::kUnformatted, {h});
         },
         GRID_READ_FAILED, -1, -1, -1},
        {"table record too short",
         [](const std::string &b, const gridfix::Grid &g) {
             gridfix::WriteGridFiles(b, Form::kUnformatted, g);
             recio::RecordBytes h, t;
             h.Int(5).Int(3).Int(8);
             t.Ints(g.table.data(), 14);
             recio::WriteRecordFile(b + ".lga", Form::kUnformatted, {h, t});
         },
         GRID_READ_FAILED, -1, -1, -1},
        {"y record missing: x still reads",
         [](const std::string &b, const gridfix::Grid &g) {
             gridfix::WriteGridFiles(b, Form::kUnformatted, g);
             std::vector<unsigned char> bytes = ReadRaw(b + ".cco");
             bytes.resize(bytes.size() - (8 + 4 * 15));
             WriteRaw(b + ".cco", bytes);
         },
         GRID_OK, GRID_OK, GRID_READ_FAILED, GRID_OK},
        {"x record cut short: y cannot be reached",
         [](const std::string &b, const gridfix::Grid &g) {
             gridfix::WriteGridFiles(b, Form::kUnformatted, g);
             std::vector<unsigned char> bytes = ReadRaw(b + ".cco");
             bytes.resize(bytes.size() - (8 + 4 * 15) - 6);
             WriteRaw(b + ".cco", bytes);
         },
         GRID_OK, GRID_READ_FAILED, GRID_READ_FAILED, GRID_OK},
        {"depth record too short",
         [](const std::string &b, const gridfix::Grid &g) {
             gridfix::WriteGridFiles(b, Form::kUnformatted, g);
             recio::RecordBytes h, d;
             h.Int(5).Int(3).Int(8).Int(0).Int(0).Int(0);
             d.Reals(g.depths.data(), 7);
             recio::WriteRecordFile(b + ".dps", Form::kUnformatted, {h, d});
         },
         GRID_OK, GRID_OK, GRID_OK, GRID_READ_FAILED},
        {"depth header does not match the coordinates",
         [](const std::string &b, const gridfix::Grid &g) {
             gridfix::WriteGridFiles(b, Form::kUnformatted, g);
             gridfix::Grid other = g;
             other.mmax = 4;
             gridfix::WriteDps(b + ".dps", Form::kUnformatted, other);
         },
         GRID_OK, GRID_OK, GRID_OK, GRID_MISMATCH},
        {"depth file missing",
         [](const std::string &b, const gridfix::Grid &g) {
             gridfix::WriteLga(b + ".lga", Form::kUnformatted, 7, g);
             gridfix::WriteCco(b + ".cco", Form::kUnformatted, 7, g);
         },
         GRID_OK, GRID_OK, GRID_OK, GRID_CANNOT_OPEN},
    };
    int n = 0;
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        std::string base = dir_ + "case" + std::to_string(n++);
        c.make(base, g);
        Loaded l = LoadAll(base + ".lga");
        EXPECT_TRUE(LoadAllHeld(base + ".lga") == l);
        EXPECT_EQ(l.query_status, c.query);
        if (c.query != GRID_OK)
            continue;
        EXPECT_EQ(l.table_status, GRID_OK);
        EXPECT_EQ(l.x_status, c.x);
        EXPECT_EQ(l.y_status, c.y);
        EXPECT_EQ(l.depth_status, c.depth);
        if (c.x == GRID_OK) {
            EXPECT_EQ(l.x, g.x);
        }
    }
}

// Grids of both forms loaded one after the other while their files are
// held read as each does alone, and the files held for one load are not
// those of the next: a file written again between two loads is read anew.
TEST_F(GridReaders, HeldFilesReadAsFreshOpens)
{
    const gridfix::Grid sample = gridfix::SampleGrid();
    const gridfix::Grid regular = gridfix::RegularGrid(4, 6);
    const std::string a = dir_ + "a", b = dir_ + "b";
    ASSERT_EQ(gridfix::WriteGridFiles(a, Form::kUnformatted, sample), recio::kOk);
    ASSERT_EQ(gridfix::WriteGridFiles(b, Form::kBinary, regular, 5, 6), recio::kOk);
    const Loaded aloneA = LoadAll(a + ".lga"), aloneB = LoadAll(b + ".lga");
    ASSERT_EQ(aloneA.depth_status, GRID_OK);
    ASSERT_EQ(aloneB.depth_status, GRID_OK);
    {
        GridFilesHeld held;
        EXPECT_TRUE(LoadAll(a + ".lga") == aloneA);
        EXPECT_TRUE(LoadAll(b + ".lga") == aloneB);
        EXPECT_TRUE(LoadAllHeld(a + ".lga") == aloneA);   // a hold within a hold
        EXPECT_TRUE(LoadAll(b + ".lga") == aloneB);
    }
    for (int u = 10; u <= 99; ++u)
        EXPECT_FALSE(recio::IsConnected(u)) << "unit " << u;

    gridfix::Grid deeper = sample;
    for (float &d : deeper.depths)
        d += 1.0f;
    EXPECT_TRUE(LoadAllHeld(a + ".lga") == aloneA);
    ASSERT_EQ(gridfix::WriteDps(a + ".dps", Form::kUnformatted, deeper), recio::kOk);
    EXPECT_EQ(LoadAllHeld(a + ".lga").depths, deeper.depths);
}

TEST_F(GridReaders, SameOrderCoordinateHeaderMatchesASquareGrid)
{
    gridfix::Grid g = gridfix::RegularGrid(4, 4);
    std::string base = dir_ + "square";
    ASSERT_EQ(gridfix::WriteGridFiles(base, Form::kBinary, g), recio::kOk);
    Loaded l = LoadAll(base + ".lga");
    EXPECT_EQ(l.query_status, GRID_OK);
    EXPECT_EQ(l.x, g.x);
}

TEST_F(GridReaders, CapacityIsChecked)
{
    const gridfix::Grid g = gridfix::SampleGrid();
    for (Form form : {Form::kUnformatted, Form::kBinary}) {
        SCOPED_TRACE(FormName(form));
        std::string base = dir_ + FormName(form);
        ASSERT_EQ(gridfix::WriteGridFiles(base, form, g), recio::kOk);
        NameBuffer nb(base + ".lga");
        int32_t ft = 0, loc[9] = {GRID_QUERY, 0, 0, 0, 0, 0, 0, 0, 0}, dims[7], seg = 0, spare = 0, status = -1;
        ReadLgaFile(nb.data(), kLen, &ft, loc, dims, &seg, &spare, &status);
        ASSERT_EQ(status, GRID_OK);

        // Coordinates: one float short; the guard word after the array stays.
        std::vector<float> xs(15, 0.0f);
        float missing = -999.0f;
        int32_t capacity = 14, selector = 1;
        ReadCcoFile(nb.data(), kLen, &ft, &selector, &spare, loc, &missing, &capacity, xs.data(), &status);
        EXPECT_EQ(status, GRID_CAPACITY);
        EXPECT_EQ(xs[14], 0.0f);

        // Depths: room for 7 of the 8 segments.
        std::vector<float> d(8, -1.0f);
        int32_t room = 7;
        ReadDpsFile(nb.data(), kLen, &ft, loc, dims, d.data(), &room, &spare, &status);
        EXPECT_EQ(status, GRID_CAPACITY);
        EXPECT_EQ(room, 8);   // tells the count the file needs
        EXPECT_EQ(d[7], -1.0f);
        EXPECT_EQ(spare, GRID_SPARE_WORD);

        room = 8;
        ReadDpsFile(nb.data(), kLen, &ft, loc, dims, d.data(), &room, &spare, &status);
        EXPECT_EQ(status, GRID_OK);
        EXPECT_EQ(dims[0], 5);
        EXPECT_EQ(dims[1], 3);
        EXPECT_EQ(dims[2], 8);
        EXPECT_EQ(d, g.depths);
    }
}

TEST_F(GridReaders, NamesWithBlanksAndTheCompanionField)
{
    const gridfix::Grid g = gridfix::SampleGrid();
    std::string sub = dir_ + "a folder with blanks/";
    std::filesystem::create_directories(sub);
    ASSERT_EQ(gridfix::WriteGridFiles(sub + "my grid", Form::kUnformatted, g), recio::kOk);

    // The name ends with blanks in its field (no NUL at all in a blank-filled
    // buffer): only trailing blanks are dropped; the extension is replaced.
    NameBuffer nb(sub + "my grid.hyd", kLen, ' ');
    int32_t ft = 0, loc[9] = {GRID_QUERY, 0, 0, 0, 0, 0, 0, 0, 0}, dims[7], seg = 0, spare = 0, status = -1;
    ReadLgaFile(nb.data(), kLen, &ft, loc, dims, &seg, &spare, &status);
    ASSERT_EQ(status, GRID_OK);
    std::string companion = sub + "my grid.cco";
    EXPECT_EQ(nb.Second(), companion + std::string(static_cast<size_t>(kLen) - companion.size(), ' '));

    Loaded l = LoadAll(sub + "my grid.lga");
    EXPECT_EQ(l.query_status, GRID_OK);
    EXPECT_EQ(l.y, g.y);
    EXPECT_EQ(l.depths, g.depths);
}

TEST_F(GridReaders, NameThatFillsItsWholeField)
{
    const gridfix::Grid g = gridfix::SampleGrid();
    // A field of exactly the name's length, with no terminator inside it.
    std::string name = dir_ + "exact.lga";
    const int32_t len = static_cast<int32_t>(name.size()) + 1;   // room for ".cco" of the same length
    ASSERT_EQ(gridfix::WriteGridFiles(dir_ + "exact", Form::kBinary, g), recio::kOk);
    std::vector<char> field(2 * static_cast<size_t>(len), 'Z');
    std::memcpy(field.data(), name.data(), name.size());
    field[name.size()] = ' ';
    int32_t ft = 0, loc[9] = {GRID_QUERY, 0, 0, 0, 0, 0, 0, 0, 0}, dims[7], seg = 0, spare = 0, status = -1;
    ReadLgaFile(field.data(), len, &ft, loc, dims, &seg, &spare, &status);
    EXPECT_EQ(status, GRID_OK);
    EXPECT_EQ(std::string(field.data() + len, name.size()), dir_ + "exact.cco");

    // A companion name that cannot fit the field is refused, not cut.
    std::string bare = dir_ + "exact";
    std::vector<char> small(2 * bare.size(), '\0');
    std::memcpy(small.data(), bare.data(), bare.size());
    ReadLgaFile(small.data(), static_cast<int32_t>(bare.size()), &ft, loc, dims, &seg, &spare, &status);
    EXPECT_EQ(status, GRID_CANNOT_OPEN);
}

TEST_F(GridReaders, ExtensionsAreTakenFromTheFileName)
{
    const gridfix::Grid g = gridfix::SampleGrid();
    // ".dat" and a dot in directory names, but not in the file's own name.
    std::string sub = dir_ + "run.dat/v1.def.d/";
    std::filesystem::create_directories(sub);
    ASSERT_EQ(gridfix::WriteGridFiles(sub + "com", Form::kUnformatted, g), recio::kOk);
    Loaded l = LoadAll(sub + "com");   // no extension: ".lga" is appended
    EXPECT_EQ(l.query_status, GRID_OK);
    EXPECT_EQ(l.depth_status, GRID_OK);
    EXPECT_EQ(l.table, g.table);

    // KELPA data and definition files are not read, and that is no success.
    for (const char *kelpa : {"com.dat", "com.DEF", "com.Dat"}) {
        SCOPED_TRACE(kelpa);
        NameBuffer nb(sub + kelpa);
        int32_t ft = 0, loc[9] = {GRID_QUERY, 0, 0, 0, 0, 0, 0, 0, 0}, dims[7] = {-5, -5, -5, -5, -5, -5, -5};
        int32_t seg = 0, spare = 0, status = -1;
        ReadLgaFile(nb.data(), kLen, &ft, loc, dims, &seg, &spare, &status);
        EXPECT_EQ(ft, GRID_FILE_TYPE_KELPA);
        EXPECT_EQ(status, GRID_CANNOT_OPEN);
        EXPECT_EQ(dims[0], -5);
        float depth[8];
        ft = 0;
        seg = 8;
        ReadDpsFile(nb.data(), kLen, &ft, loc, dims, depth, &seg, &spare, &status);
        EXPECT_EQ(ft, GRID_FILE_TYPE_KELPA);
        EXPECT_EQ(status, GRID_CANNOT_OPEN);
    }
}

TEST_F(GridReaders, LgridactTableHasTheTelmcccoCompanion)
{
    const gridfix::Grid g = gridfix::SampleGrid();
    for (auto [table, companion] : {std::pair{"lgridact", "telmccco"}, std::pair{"LGRIDACT.B", "TELMCCCO.B"}}) {
        SCOPED_TRACE(table);
        ASSERT_EQ(gridfix::WriteLga(dir_ + table, Form::kBinary, 4, g), recio::kOk);
        ASSERT_EQ(gridfix::WriteCco(dir_ + companion, Form::kUnformatted, 7, g), recio::kOk);
        Loaded l = LoadAll(dir_ + table);
        EXPECT_EQ(l.query_status, GRID_OK);
        EXPECT_EQ(l.table, g.table);
        EXPECT_EQ(l.x, g.x);
    }
}

TEST_F(GridReaders, NoFreeUnitIsCannotOpen)
{
    std::string base = dir_ + "busy";
    ASSERT_EQ(gridfix::WriteGridFiles(base, Form::kBinary, gridfix::SampleGrid()), recio::kOk);
    for (int u = 10; u <= 98; ++u)
        ASSERT_EQ(recio::Open(u, base + ".dps", Form::kBinary, recio::Access::kSequential, recio::OpenStatus::kOld),
                  recio::kOk);
    EXPECT_EQ(QueryStatus(base + ".lga"), GRID_CANNOT_OPEN);   // one unit is not enough for two files
    for (int u = 10; u <= 98; ++u)
        recio::Close(u);
    EXPECT_EQ(QueryStatus(base + ".lga"), GRID_OK);
}

}  // namespace
