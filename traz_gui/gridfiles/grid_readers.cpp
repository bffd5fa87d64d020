// Readers of the active-grid table, cell coordinates and segment depths of a
// hydrodynamics result: names and companions, telling the storage form of
// each file, the header generations and the consistency checks.

#include "grid_readers.h"

#include "record_io.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

using recio::Form;

// ---------------------------------------------------------------- names

using recio::FieldText;

// Stores text blank-padded into a field; false when it does not fit.
bool StoreField(char *field, int32_t len, const std::string &text)
{
    if (text.size() > static_cast<size_t>(len))
        return false;
    std::memcpy(field, text.data(), text.size());
    std::memset(field + text.size(), ' ', static_cast<size_t>(len) - text.size());
    return true;
}

size_t LeafStart(const std::string &path)
{
    size_t sep = path.find_last_of("/\\:");
    return sep == std::string::npos ? 0 : sep + 1;
}

char Lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerText(std::string text)
{
    for (char &c : text)
        c = Lower(c);
    return text;
}

// Position of the extension's dot in the file's own name, npos when none.
size_t ExtensionDot(const std::string &path)
{
    size_t dot = path.rfind('.');
    if (dot == std::string::npos || dot < LeafStart(path))
        return std::string::npos;
    return dot;
}

bool IsKelpaName(const std::string &path)
{
    size_t dot = ExtensionDot(path);
    if (dot == std::string::npos)
        return false;
    std::string ext = LowerText(path.substr(dot));
    return ext == ".dat" || ext == ".def";
}

std::string WithExtension(const std::string &path, const char *ext)
{
    size_t dot = ExtensionDot(path);
    return (dot == std::string::npos ? path : path.substr(0, dot)) + ext;
}

// A table named after "lgridact" has the companion "telmccco": the same name
// with that word replaced (in the case it was written in).
bool LgridactCompanion(const std::string &path, std::string *companion)
{
    size_t leaf = LeafStart(path);
    size_t at = LowerText(path.substr(leaf)).find("lgridact");
    if (at == std::string::npos)
        return false;
    at += leaf;
    bool upper = path[at] >= 'A' && path[at] <= 'Z';
    *companion = path.substr(0, at) + (upper ? "TELMCCCO" : "telmccco") + path.substr(at + 8);
    return true;
}

// ---------------------------------------------------------------- storage forms

enum class GridKind { kTable, kCoordinates, kDepths };

// Header words of a binary file of this kind and size, -1 when no header
// generation fits.
int BinaryHeaderWords(GridKind kind, int64_t size, const int32_t w[3])
{
    if (size % 4 != 0)
        return -1;
    int64_t words = size / 4;
    const int64_t kMaxValues = INT32_MAX / 4;   // arrays stay addressable by int32 counts
    switch (kind) {
    case GridKind::kTable: {
        int64_t mmax = w[0], nmax = w[1];
        if (mmax < 1 || nmax < 1 || mmax > kMaxValues || nmax > kMaxValues / mmax)
            return -1;
        int64_t h = words - mmax * nmax;
        return (h == 7 || h == 5 || h == 4 || h == 3) ? static_cast<int>(h) : -1;
    }
    case GridKind::kCoordinates: {
        int64_t nmax = w[0], mmax = w[1];
        if (mmax < 1 || nmax < 1 || mmax > kMaxValues || nmax > kMaxValues / mmax)
            return -1;
        int64_t h = words - 2 * mmax * nmax;
        return (h == 7 || h == 6) ? static_cast<int>(h) : -1;
    }
    case GridKind::kDepths: {
        int64_t segments = w[2];
        if (segments < 1 || segments > kMaxValues)
            return -1;
        return words - segments == 6 ? 6 : -1;
    }
    }
    return -1;
}

// A file kept connected while GridFilesHeld lives, with the storage form
// its first opening found.
struct HeldFile {
    std::string path;
    GridKind kind;
    int unit;         // -1 once closed
    Form form;
    int header_words;
    bool in_use;
};

// The files kept while a GridFilesHeld lives, and whether one does.
std::vector<HeldFile> &HeldFiles()
{
    static std::vector<HeldFile> files;
    return files;
}

bool g_holding = false;

std::vector<HeldFile> *Held()
{
    return g_holding ? &HeldFiles() : nullptr;
}

// A grid file connected to a unit for the length of one reader call.
class GridFile {
public:
    GridFile() = default;
    GridFile(const GridFile &) = delete;
    GridFile &operator=(const GridFile &) = delete;
    ~GridFile() { Close(); }

    // Connects the file in the storage form its content shows (rule in
    // grid_readers.h); false when no unit is free or neither form fits.
    // While files are held, one opened before is taken from its start.
    bool Open(const std::string &path, GridKind kind)
    {
        Close();
        if (Held() && TakeHeld(path, kind))
            return true;
        if (!OpenAnew(path, kind))
            return false;
        if (Held()) {
            held_ = static_cast<int>(Held()->size());
            Held()->push_back(HeldFile{path, kind, unit_, form_, header_words_, true});
        }
        return true;
    }

    void Close()
    {
        if (held_ >= 0) {
            (*Held())[static_cast<size_t>(held_)].in_use = false;   // it stays connected
            held_ = -1;
        } else if (unit_ >= 0 && recio::IsConnected(unit_)) {
            recio::Close(unit_);
        }
        unit_ = -1;
    }

    int unit() const { return unit_; }
    bool binary() const { return form_ == Form::kBinary; }
    int header_words() const { return header_words_; }

private:
    // The held file of that name and kind, back at its start, as a new
    // connection would be.
    bool TakeHeld(const std::string &path, GridKind kind)
    {
        std::vector<HeldFile> &held = *Held();
        for (size_t i = 0; i < held.size(); ++i) {
            HeldFile &h = held[i];
            if (h.unit < 0 || h.in_use || h.kind != kind || h.path != path)
                continue;
            if (recio::Rewind(h.unit) != recio::kOk) {
                recio::Close(h.unit);
                h.unit = -1;
                return false;
            }
            h.in_use = true;
            held_ = static_cast<int>(i);
            unit_ = h.unit;
            form_ = h.form;
            header_words_ = h.header_words;
            return true;
        }
        return false;
    }

    bool OpenAnew(const std::string &path, GridKind kind)
    {
        unit_ = recio::FreeUnit();
        if (unit_ < 0)
            return false;
        // Connected in the unformatted form, which its frames mostly show;
        // else connected again as the chain tells.
        const int unit = unit_;
        if (!Connect(path, Form::kUnformatted))
            return false;
        recio::FrameChain chain = recio::CheckRecordFrames(unit_);
        if (chain == recio::FrameChain::kExact)
            return true;
        Close();
        unit_ = unit;
        if (!Connect(path, Form::kBinary))
            return false;
        int32_t w[3];
        if (recio::ReadInt32(unit_, w, 3) == recio::kOk) {
            header_words_ = BinaryHeaderWords(kind, recio::Inquire(unit_).size, w);
            if (header_words_ > 0 && recio::Rewind(unit_) == recio::kOk)
                return true;
        }
        Close();
        if (chain == recio::FrameChain::kDamaged) {
            unit_ = recio::FreeUnit();
            return unit_ >= 0 && Connect(path, Form::kUnformatted);
        }
        return false;
    }

    bool Connect(const std::string &path, Form form)
    {
        form_ = form;
        header_words_ = -1;
        if (recio::Open(unit_, path, form, recio::Access::kSequential, recio::OpenStatus::kOld) == recio::kOk)
            return true;
        unit_ = -1;
        return false;
    }

    int unit_ = -1;
    Form form_ = Form::kUnformatted;
    int header_words_ = -1;
    int held_ = -1;   // index in Held() of the file taken, -1 when none
};

// Reads the table header: in the unformatted form the longest generation
// that the header record holds, in the binary form the one its size shows.
// Returns the number of values read, 0 on failure.
int ReadTableHeader(GridFile &f, int32_t header[7])
{
    if (f.binary())
        return recio::ReadInt32(f.unit(), header, static_cast<size_t>(f.header_words())) == recio::kOk
                   ? f.header_words()
                   : 0;
    static const int kGenerations[] = {7, 5, 4, 3};
    for (int n : kGenerations) {
        int r = recio::ReadInt32(f.unit(), header, static_cast<size_t>(n));
        if (r == recio::kOk)
            return n;
        if (r != recio::kErrShortRecord || recio::Rewind(f.unit()) != recio::kOk)
            return 0;
    }
    return 0;
}

// Reads the first two values of the coordinate header (nmax, mmax).
bool ReadCompanionDimensions(GridFile &f, int32_t *nmax, int32_t *mmax)
{
    int32_t v[2];
    if (recio::SkipRecord(f.unit()) != recio::kOk || recio::ReadInt32(f.unit(), v, 2) != recio::kOk)
        return false;
    *nmax = v[0];
    *mmax = v[1];
    return true;
}

}  // namespace

GridFilesHeld::GridFilesHeld()
{
    if (!g_holding) {
        g_holding = true;
        owner_ = true;
    }
}

GridFilesHeld::~GridFilesHeld()
{
    if (!owner_)
        return;
    for (const HeldFile &h : HeldFiles())
        if (h.unit >= 0)
            recio::Close(h.unit);
    HeldFiles().clear();
    g_holding = false;
}

extern "C" void ZRF_KIMBOL_UNF_LGA(char *name, int32_t *file_type, int32_t *location, int32_t *dims,
                                   int32_t *segments, int32_t *spare, int32_t *status, int32_t name_len)
{
    if (!status)
        return;
    *status = GRID_OK;
    if (spare)
        *spare = GRID_SPARE_WORD;
    if (!name || !file_type || !location || !dims || !segments) {
        *status = GRID_READ_FAILED;
        return;
    }

    std::string path = FieldText(name, name_len);
    if (IsKelpaName(path)) {
        *file_type = GRID_FILE_TYPE_KELPA;
        *status = GRID_CANNOT_OPEN;
        return;
    }
    std::string table, companion;
    if (LgridactCompanion(path, &companion))
        table = path;
    else {
        table = WithExtension(path, ".lga");
        companion = WithExtension(path, ".cco");
    }
    // A file that is missing, or cannot be read, does not open.
    if (path.empty() || !StoreField(name + name_len, name_len, companion)) {
        *status = GRID_CANNOT_OPEN;
        return;
    }

    GridFile lga, cco;
    if (!lga.Open(table, GridKind::kTable) || !cco.Open(companion, GridKind::kCoordinates)) {
        *status = GRID_CANNOT_OPEN;
        return;
    }

    int32_t h[7] = {0, 0, 0, 0, 0, 0, 0};
    int generation = ReadTableHeader(lga, h);
    if (generation == 0) {
        *status = GRID_READ_FAILED;
        return;
    }
    const int32_t mmax = h[0], nmax = h[1], nseg = h[2];
    int32_t layers = 1, exchanges[3] = {0, 0, 0};
    switch (generation) {
    case 7:
        layers = h[3];
        exchanges[0] = h[4];
        exchanges[1] = h[5];
        exchanges[2] = h[6];
        break;
    case 5:
        layers = h[4];
        break;
    case 4:
        layers = h[3];
        break;
    default:   // 3 values
        break;
    }

    int32_t cco_nmax, cco_mmax;
    if (!ReadCompanionDimensions(cco, &cco_nmax, &cco_mmax)) {
        *status = GRID_READ_FAILED;
        return;
    }
    if (cco_nmax != nmax || cco_mmax != mmax || mmax < 1 || nmax < 1 || nseg < 1 ||
        static_cast<int64_t>(mmax) * nmax > INT32_MAX / 4) {
        *status = GRID_MISMATCH;
        return;
    }
    cco.Close();
    const int32_t cells = mmax * nmax;
    if (generation == 3) {
        exchanges[0] = cells;
        exchanges[1] = cells;
        exchanges[2] = 0;
    }
    *segments = nseg;

    if (location[0] == GRID_QUERY || location[0] == GRID_QUERY_EXCHANGES) {
        // The caller sizes its arrays from the answer: the table record must
        // really hold the cells.
        if (!lga.binary()) {
            size_t bytes = 0;
            int r = recio::ReadRecord(lga.unit(), nullptr, 0, &bytes);
            if (r != recio::kOk || bytes < static_cast<size_t>(cells) * 4) {
                *status = GRID_READ_FAILED;
                return;
            }
        }
        dims[0] = mmax;
        dims[1] = nmax;
        dims[2] = layers;
        dims[3] = cells;
        if (location[0] == GRID_QUERY_EXCHANGES) {
            dims[4] = exchanges[0];
            dims[5] = exchanges[1];
            dims[6] = exchanges[2];
        }
        return;
    }

    if (recio::ReadInt32(lga.unit(), dims, static_cast<size_t>(cells)) != recio::kOk)
        *status = GRID_READ_FAILED;
}

extern "C" void ZRF_KIMBOL_UNF_CCO(char *name, int32_t *file_type, int32_t *selector, int32_t *spare,
                                   int32_t *location, float *missing, int32_t *capacity, float *values,
                                   int32_t *status, int32_t name_len)
{
    if (!status)
        return;
    *status = GRID_OK;
    if (!name || !selector || !capacity || !values || name_len <= 0) {
        *status = GRID_READ_FAILED;
        return;
    }
    std::string path = FieldText(name + name_len, name_len);
    GridFile cco;
    if (path.empty() || !cco.Open(path, GridKind::kCoordinates)) {
        *status = GRID_CANNOT_OPEN;
        return;
    }

    // Header: 7 values, or 6 in older files; in the binary form the size
    // tells which.
    unsigned char h[28];
    size_t header_bytes = cco.binary() ? 4 * static_cast<size_t>(cco.header_words()) : 28;
    if (recio::SkipRecord(cco.unit()) != recio::kOk) {
        *status = GRID_READ_FAILED;
        return;
    }
    int r = recio::ReadRecord(cco.unit(), h, header_bytes);
    if (r == recio::kErrShortRecord) {
        header_bytes = 24;
        if (recio::Rewind(cco.unit()) != recio::kOk || recio::SkipRecord(cco.unit()) != recio::kOk)
            r = recio::kErrReadFailed;
        else
            r = recio::ReadRecord(cco.unit(), h, header_bytes);
    }
    if (r != recio::kOk) {
        *status = GRID_READ_FAILED;
        return;
    }
    const int32_t nmax = recio::GetInt32LE(h);
    const int32_t mmax = recio::GetInt32LE(h + 4);
    const int32_t np = recio::GetInt32LE(h + 20);
    if (mmax < 1 || nmax < 1 || static_cast<int64_t>(mmax) * nmax > INT32_MAX / 4 || np < -9) {
        *status = GRID_READ_FAILED;
        return;
    }
    const int32_t cells = mmax * nmax;

    if (!cco.binary()) {
        for (int64_t i = 0; i < static_cast<int64_t>(np) + 9; ++i) {
            if (recio::SkipRecord(cco.unit()) != recio::kOk) {
                *status = GRID_READ_FAILED;
                return;
            }
        }
    }
    if (*capacity < cells) {
        *status = GRID_CAPACITY;
        return;
    }
    if (*selector != 1 && *selector != 2) {
        *status = GRID_READ_FAILED;
        return;
    }
    if (*selector == 2) {
        r = cco.binary() ? recio::SkipBytes(cco.unit(), 4 * static_cast<int64_t>(cells))
                         : recio::SkipRecord(cco.unit());
        if (r != recio::kOk) {
            *status = GRID_READ_FAILED;
            return;
        }
    }
    if (recio::ReadReal32(cco.unit(), values, static_cast<size_t>(cells)) != recio::kOk)
        *status = GRID_READ_FAILED;
}

extern "C" void ZRF_KIMBOL_UNF_DPS(char *name, int32_t *file_type, int32_t *location, int32_t *dims,
                                   float *depths, int32_t *segments, int32_t *spare, int32_t *status,
                                   int32_t name_len)
{
    if (!status)
        return;
    *status = GRID_OK;
    if (spare)
        *spare = GRID_SPARE_WORD;
    if (!name || !file_type || !dims || !depths || !segments) {
        *status = GRID_READ_FAILED;
        return;
    }
    std::string path = FieldText(name, name_len);
    if (IsKelpaName(path)) {
        *file_type = GRID_FILE_TYPE_KELPA;
        *status = GRID_CANNOT_OPEN;
        return;
    }
    std::string depth_name = WithExtension(path, ".dps");
    std::string companion = WithExtension(path, ".cco");
    if (path.empty()) {
        *status = GRID_CANNOT_OPEN;
        return;
    }
    GridFile dps, cco;
    if (!dps.Open(depth_name, GridKind::kDepths) || !cco.Open(companion, GridKind::kCoordinates)) {
        *status = GRID_CANNOT_OPEN;
        return;
    }

    int32_t h[6];
    if (recio::ReadInt32(dps.unit(), h, 6) != recio::kOk) {
        *status = GRID_READ_FAILED;
        return;
    }
    const int32_t mmax = h[0], nmax = h[1], nseg = h[2];
    const int32_t capacity = *segments;
    *segments = nseg;

    int32_t cco_nmax, cco_mmax;
    if (!ReadCompanionDimensions(cco, &cco_nmax, &cco_mmax)) {
        *status = GRID_READ_FAILED;
        return;
    }
    if (cco_nmax != nmax || cco_mmax != mmax || mmax < 1 || nmax < 1 || nseg < 1) {
        *status = GRID_MISMATCH;
        return;
    }
    cco.Close();
    if (capacity < nseg) {
        // The caller makes room from this answer: the depth record must
        // really hold the segments (in the binary form the size said so).
        if (!dps.binary()) {
            size_t bytes = 0;
            if (recio::ReadRecord(dps.unit(), nullptr, 0, &bytes) != recio::kOk ||
                bytes < static_cast<size_t>(nseg) * 4) {
                *status = GRID_READ_FAILED;
                return;
            }
        }
        *status = GRID_CAPACITY;
        return;
    }
    if (recio::ReadReal32(dps.unit(), depths, static_cast<size_t>(nseg)) != recio::kOk) {
        *status = GRID_READ_FAILED;
        return;
    }
    dims[0] = mmax;
    dims[1] = nmax;
    dims[2] = nseg;
}
