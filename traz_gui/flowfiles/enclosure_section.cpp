// Section reader of the master definition file for the grid objects: the
// enclosure of the computational grid, the dry points and the thin dams,
// each from its attached file or from its keyword records, and the copies
// of the attached files to the scratch files of a computation.

#include "boundary_sections.h"

#include "boundary_keywords.h"

#include <array>
#include <string>

using sectionkw::Cursor;
using sectionkw::kTrue;

namespace {

// What sets one list apart from the other two.
struct ListKind {
    const char *key;            // keyword of its records, significant length
    const char *key6;           // the key padded to 6 characters
    int32_t width;              // integers per entry
    bool direction;             // a direction letter follows the integers
    const char *overflow_code;  // the list reached its limit
    const char *zero_text;      // text of a zero value after the first record
};

const ListKind kEnclosure = {"MNgrd", "MNgrd ", 2, false, "U130", "Comp. grid enclosure"};
const ListKind kDryPoints = {"MNdry", "MNdry ", 4, false, "U131", "Coord. of the dry point"};
const ListKind kThinDams = {"MNtd", "MNtd  ", 4, true, "U132", "Thin dam coord."};

// One entry: its integers and, for a thin dam, its direction.
struct Entry {
    std::array<int32_t, 4> values = {0, 0, 0, 0};
    char direction = ' ';

    recio::RecordBytes Record(const ListKind &kind) const
    {
        recio::RecordBytes r;
        r.Ints(values.data(), static_cast<size_t>(kind.width));
        if (kind.direction)
            r.Text(std::string(1, direction), 1);
        return r;
    }
};

// The entries of an attached file read one by one.  1 an entry, 0 the end
// of the file, -1 a record that cannot be read.
int ReadEntry(int unit, bool unformatted, const ListKind &kind, Entry *entry)
{
    const size_t count = static_cast<size_t>(kind.width);
    if (unformatted) {
        unsigned char bytes[17];
        const size_t size = 4 * count + (kind.direction ? 1 : 0);
        const int r = recio::ReadRecord(unit, bytes, size);
        if (r != recio::kOk)
            return r == recio::kEndOfFile ? 0 : -1;
        for (size_t i = 0; i < count; ++i)
            entry->values[i] = recio::GetInt32LE(bytes + 4 * i);
        if (kind.direction)
            entry->direction = static_cast<char>(bytes[16]);
        return 1;
    }
    if (!kind.direction) {
        recio::ListRead read(unit);
        for (size_t i = 0; i < count; ++i)
            read.Int(&entry->values[i]);
        if (read.result() != recio::kOk)
            return read.result() == recio::kEndOfFile ? 0 : -1;
        return 1;
    }
    // A thin dam: one line of four integers and the direction as words.
    std::string line;
    const int r = recio::ReadLine(unit, &line);
    if (r != recio::kOk)
        return r == recio::kEndOfFile ? 0 : -1;
    line.resize(132, ' ');
    const int32_t last = 132;
    int32_t position = 1, end = 0, status = 0;
    const int32_t fill = 0;
    for (size_t i = 0; i < count; ++i) {
        SCAN_NEXT_INT(line.data(), 132, &last, &position, &end, &entry->values[i], &fill, &status);
        if (status != 1)
            return -1;   // too few integers, a bracket or not a number
    }
    const int32_t max = 1;
    char word = ' ';
    SCAN_NEXT_WORD(line.data(), 132, &last, &position, &end, &word, 1, &max, &status);
    if (status != 1)
        return -1;
    entry->direction = word;
    return 1;
}

// Copies an attached list file to the scratch unit.
void CopyListFile(const ListKind &kind, const int32_t *diag_unit, const int32_t *scratch_unit, int32_t *error,
                  const char *name, int32_t name_len, const char *format, int32_t format_len, int32_t *list_flag)
{
    flowrec::UnitGuard in;
    const sectionkw::AttachedInput input = sectionkw::OpenAttached(diag_unit, name, name_len, format, format_len, &in);
    if (!input.exists) {
        *error = kTrue;
        return;
    }
    bool failed = input.result != recio::kOk;
    while (!failed) {
        Entry entry;
        const int got = ReadEntry(in.unit(), input.unformatted, kind, &entry);
        if (got == 0)
            break;
        const recio::RecordBytes record = entry.Record(kind);
        failed = got < 0 || recio::WriteRecord(*scratch_unit, record.bytes().data(), record.bytes().size()) !=
                                recio::kOk;
    }
    in.Close();
    if (failed) {
        sectionkw::Report(diag_unit, "G007", input.file);
        *error = kTrue;
    }
    *list_flag = sectionkw::IsTrue(error) ? 0 : kTrue;
}

// The list from its keyword records.  entries: width x limit integers,
// directions: limit letters (thin dams).  Returns false when the list ended
// failed; *valid counts the valid entries read.
bool ReadListRecords(Cursor &cursor, const ListKind &kind, bool strict, const sectionkw::ScratchFile &scratch,
                     const int32_t *mmax, const int32_t *nmax, int32_t *entries, char *directions,
                     int32_t directions_len, int32_t limit, int32_t *count, int32_t *valid)
{
    const int32_t start = *cursor.record_number;
    int32_t next_free = 1;
    *count = 0;
    *valid = 0;
    auto finish = [&](bool ok) {
        *count = next_free - 1;
        return ok;
    };
    if (!cursor.Find(kind.key, true, sectionkw::Reach::kRound, true)) {
        sectionkw::Report(cursor.diag_unit, "U100", kind.key6);
        return finish(false);
    }
    const int32_t first_record = *cursor.record_number;
    const size_t width = static_cast<size_t>(kind.width);
    for (bool first = true;; first = false) {
        Entry entry;
        if (!cursor.ReadInts(kind.key, kind.width, kind.width, true, entry.values.data(), 0))
            return finish(false);
        if (next_free <= limit)
            std::copy(entry.values.begin(), entry.values.begin() + kind.width,
                      entries + width * static_cast<size_t>(next_free - 1));
        bool zero = false;
        for (size_t i = 0; i < width; ++i)
            zero = zero || entry.values[i] == 0;
        if (zero) {
            if (!first) {
                sectionkw::Report(cursor.diag_unit, "V003", kind.zero_text);
                return finish(false);
            }
            if (strict && &kind == &kEnclosure) {
                // The whole grid as the enclosure.
                const int32_t corners[5][2] = {{1, 1}, {1, *nmax}, {*mmax, *nmax}, {*mmax, 1}, {1, 1}};
                for (const auto &c : corners)
                    scratch.Write(recio::RecordBytes().Int(c[0]).Int(c[1]));
                sectionkw::Report(cursor.diag_unit, "V028", " ");
            }
            return finish(true);
        }
        if (kind.direction) {
            char direction = ' ';
            if (cursor.ReadText(kind.key, true, &direction, 1, " ") != Cursor::Text::kValue)
                return finish(false);
            entry.direction = direction;
            if (next_free <= limit && directions_len > 0)
                directions[static_cast<size_t>(next_free - 1) * static_cast<size_t>(directions_len)] = direction;
        }
        ++*valid;
        if (strict)
            scratch.Write(entry.Record(kind));   // in strict mode the list lives in the scratch file only
        else
            ++next_free;
        if (next_free > limit) {
            sectionkw::Report(cursor.diag_unit, kind.overflow_code, sectionkw::Int3(next_free - limit));
            next_free = limit + 1;
            return finish(false);
        }
        // The next record of the key, once round to where the list began.
        // A search from the record just before the start reads the start
        // first, which does not end it: it then comes to the list's first
        // record again, which ends the list as well.
        if (!cursor.Find(kind.key, false, start) || *cursor.record_number == first_record)
            return finish(true);
    }
}

// One list: its scratch file, its attached file or keyword records, and
// the closing of the scratch file.
void ReadList(Cursor &cursor, const ListKind &kind, int32_t *error, bool strict, const char *run_id,
              int32_t run_id_len, const int32_t *mmax, const int32_t *nmax, const char *file_keyword,
              const char *format_keyword, bool required, const char *extension, char *file, int32_t file_len,
              char *code, int32_t code_len, int32_t *flag, int32_t *entries, char *directions,
              int32_t directions_len, const int32_t *limit, int32_t *count)
{
    sectionkw::ScratchFile scratch(strict, run_id, run_id_len, extension);
    if (strict && !scratch.open())
        *error = kTrue;
    const sectionkw::AttachedFile attached =
        sectionkw::ReadFilePair(cursor, file_keyword, format_keyword, required, file, file_len, code, code_len);
    if (attached.named) {
        if (strict) {
            const std::string format = attached.Format();
            const auto copy = &kind == &kEnclosure   ? COPY_ENCLOSURE_FILE
                              : &kind == &kDryPoints ? COPY_DRY_POINT_FILE
                                                     : COPY_THIN_DAM_FILE;
            copy(cursor.diag_unit, scratch.unit(), error, attached.name.c_str(),
                 static_cast<int32_t>(attached.name.size()), format.c_str(), 11, flag);
        }
    } else {
        int32_t valid = 0;
        const bool ok = ReadListRecords(cursor, kind, strict, scratch, mmax, nmax, entries, directions,
                                        directions_len, std::max(0, *limit), count, &valid);
        *flag = ok && (&kind == &kEnclosure || valid > 0) ? kTrue : 0;
    }
    if (strict) {
        const bool keep = !sectionkw::IsTrue(error) && (&kind == &kEnclosure || sectionkw::IsTrue(flag));
        scratch.Close(!keep);
    }
}

}  // namespace

extern "C" void READ_ENCLOSURE_DRY_POINTS_THIN_DAMS(
    const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, int32_t *record_number, char *record,
    int32_t record_len, const int32_t *strict_mode, const char *run_id, int32_t run_id_len, const int32_t *mmax,
    const int32_t *nmax, char *enclosure_file, int32_t enclosure_file_len, char *enclosure_format,
    int32_t enclosure_format_len, int32_t *enclosure_flag, int32_t *enclosure_points,
    const int32_t *enclosure_limit, int32_t *enclosure_count, char *dry_point_file, int32_t dry_point_file_len,
    char *dry_point_format, int32_t dry_point_format_len, int32_t *dry_point_flag, int32_t *dry_points,
    const int32_t *dry_point_limit, int32_t *dry_point_count, char *thin_dam_file, int32_t thin_dam_file_len,
    char *thin_dam_format, int32_t thin_dam_format_len, char *thin_dam_types, int32_t thin_dam_types_len,
    int32_t *thin_dam_flag, int32_t *thin_dams, const int32_t *thin_dam_limit, int32_t *thin_dam_count)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};
    ReadList(cursor, kEnclosure, error, strict, run_id, run_id_len, mmax, nmax, "Filgrd", "Fmtgrd", true, ".grd",
             enclosure_file, enclosure_file_len, enclosure_format, enclosure_format_len, enclosure_flag,
             enclosure_points, nullptr, 0, enclosure_limit, enclosure_count);
    ReadList(cursor, kDryPoints, error, strict, run_id, run_id_len, mmax, nmax, "Fildry", "Fmtdry", false, ".dry",
             dry_point_file, dry_point_file_len, dry_point_format, dry_point_format_len, dry_point_flag, dry_points,
             nullptr, 0, dry_point_limit, dry_point_count);
    ReadList(cursor, kThinDams, error, strict, run_id, run_id_len, mmax, nmax, "Filtd", "Fmttd", true, ".td",
             thin_dam_file, thin_dam_file_len, thin_dam_format, thin_dam_format_len, thin_dam_flag, thin_dams,
             thin_dam_types, thin_dam_types_len, thin_dam_limit, thin_dam_count);
}

extern "C" void COPY_ENCLOSURE_FILE(const int32_t *diag_unit, const int32_t *scratch_unit, int32_t *error,
                                    const char *name, int32_t name_len, const char *format, int32_t format_len,
                                    int32_t *list_flag)
{
    CopyListFile(kEnclosure, diag_unit, scratch_unit, error, name, name_len, format, format_len, list_flag);
}

extern "C" void COPY_DRY_POINT_FILE(const int32_t *diag_unit, const int32_t *scratch_unit, int32_t *error,
                                    const char *name, int32_t name_len, const char *format, int32_t format_len,
                                    int32_t *list_flag)
{
    CopyListFile(kDryPoints, diag_unit, scratch_unit, error, name, name_len, format, format_len, list_flag);
}

extern "C" void COPY_THIN_DAM_FILE(const int32_t *diag_unit, const int32_t *scratch_unit, int32_t *error,
                                   const char *name, int32_t name_len, const char *format, int32_t format_len,
                                   int32_t *list_flag)
{
    CopyListFile(kThinDams, diag_unit, scratch_unit, error, name, name_len, format, format_len, list_flag);
}
