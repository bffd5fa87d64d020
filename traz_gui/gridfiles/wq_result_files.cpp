// Result files of the water-quality and particle models, read through a
// handle that the caller owns: plain map and history record files (titles,
// sizes, substance names, for a history file the locations, then one record
// per time) and KELPA result sets (groups "KIMBOL_PARAMS"/"KIMBOL_RESULTS",
// or "LUPREN_..." for the particle model).

#include "wq_files.h"

#include "kelpa.h"
#include "record_io.h"
#include "wq_names.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kTitleBytes = 160;   // four titles of 40 characters
constexpr int kNameBytes = 20;
constexpr int kLocationBytes = 4 + kNameBytes;
constexpr int kTimeBlock = 20;     // KELPA times are read 20 at a time

bool IsKelpa(const int32_t *h) { return h[WQ_H_KIND] >= WQ_KIND_KELPA_MAP; }
const char *ParamsGroup(const int32_t *h) { return h[WQ_H_KIND] > 4 ? "LUPREN_PARAMS" : "KIMBOL_PARAMS"; }
const char *ResultsGroup(const int32_t *h) { return h[WQ_H_KIND] > 4 ? "LUPREN_RESULTS" : "KIMBOL_RESULTS"; }

void ResetPosition(int32_t *h)
{
    h[WQ_H_LAST_TIME] = WQ_NO_TIME;
    h[WQ_H_LAST_INDEX] = 0;
}

// ---------------------------------------------------------------- plain files

struct Attempt {
    recio::Form form;
    recio::Access access;
};

// Form and access tried in turn for the result files.
const Attempt kResultAttempts[3] = {
    {recio::Form::kBinary, recio::Access::kSequential},
    {recio::Form::kUnformatted, recio::Access::kTransparent},
    {recio::Form::kUnformatted, recio::Access::kSequential},
};

int g_kept_attempt = -1;   // the attempt found to work, for all later opens

// The first attempt that can open a scratch file and write to it.
int KeptAttempt()
{
    if (g_kept_attempt >= 0)
        return g_kept_attempt;
    const int unit = recio::FreeUnit();
    if (unit < 0)
        return -1;
    const unsigned char zero[4] = {0, 0, 0, 0};
    for (int i = 0; i < 3; ++i) {
        if (recio::Open(unit, std::string(), kResultAttempts[i].form, kResultAttempts[i].access,
                        recio::OpenStatus::kScratch) != recio::kOk)
            continue;
        bool written = recio::WriteRecord(unit, zero, 4) == recio::kOk;
        recio::Close(unit);
        if (written) {
            g_kept_attempt = i;
            break;
        }
    }
    return g_kept_attempt;
}

// Bytes left after the unit's position; reads never ask for more.
int64_t BytesLeft(int unit)
{
    recio::UnitInfo info = recio::Inquire(unit);
    return info.size - info.position;
}

// Reads a record's first nbytes into out (resized); refuses a size that the
// rest of the file cannot hold before allocating it.
int ReadBytes(int unit, int64_t nbytes, std::vector<unsigned char> *out)
{
    if (nbytes < 0)
        return recio::kErrBadArgument;
    if (nbytes > BytesLeft(unit))
        return BytesLeft(unit) <= 0 ? recio::kEndOfFile : recio::kErrShortRecord;
    out->resize(static_cast<size_t>(nbytes));
    return recio::ReadRecord(unit, out->empty() ? nullptr : out->data(), out->size());
}

bool HasControlCharacter(const unsigned char *text, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (text[i] < 32)
            return true;
    return false;
}

int64_t TimeRecordBytes(const int32_t *h)
{
    return 4 + 4 * static_cast<int64_t>(h[WQ_H_SUBSTANCES]) * h[WQ_H_SEGMENTS];
}

// Rewinds a plain file and passes over its header records.
int SkipHeader(const int32_t *h)
{
    const int unit = h[WQ_H_UNIT];
    std::vector<unsigned char> buf;
    int r = recio::Rewind(unit);
    if (r == recio::kOk)
        r = ReadBytes(unit, kTitleBytes, &buf);
    if (r == recio::kOk)
        r = ReadBytes(unit, 8, &buf);
    if (r == recio::kOk)
        r = ReadBytes(unit, static_cast<int64_t>(h[WQ_H_SUBSTANCES]) * kNameBytes, &buf);
    if (r == recio::kOk && h[WQ_H_KIND] == WQ_KIND_PLAIN_HISTORY)
        r = ReadBytes(unit, static_cast<int64_t>(h[WQ_H_SEGMENTS]) * kLocationBytes, &buf);
    return r;
}

// The next time record of a plain file: its integer time and all values.
int ReadTimeRecord(const int32_t *h, int32_t *time, std::vector<unsigned char> *buf)
{
    int r = ReadBytes(h[WQ_H_UNIT], TimeRecordBytes(h), buf);
    if (r == recio::kOk)
        *time = recio::GetInt32LE(buf->data());
    return r;
}

// Reference date and time from a fourth title beginning with "t0"/"T0": the
// first six numbers after it (year, month, day, hour, minute, second).
void ReferenceFromTitle(const unsigned char *title4, int32_t *date, int32_t *time)
{
    *date = WQ_DEFAULT_REF_DATE;
    *time = 0;
    if (!(title4[0] == 't' || title4[0] == 'T') || title4[1] != '0')
        return;
    long v[6];
    int found = 0;
    for (int i = 2; i < 40 && found < 6;) {
        if (title4[i] >= '0' && title4[i] <= '9') {
            long x = 0;
            int digits = 0;
            while (i < 40 && title4[i] >= '0' && title4[i] <= '9') {
                if (digits < 8)
                    x = x * 10 + (title4[i] - '0');
                ++digits;
                ++i;
            }
            v[found++] = x;
        } else {
            ++i;
        }
    }
    if (found < 6 || v[1] < 1 || v[1] > 12 || v[2] < 1 || v[2] > 31 || v[3] > 23 || v[4] > 59 || v[5] > 59 ||
        v[0] > 9999)
        return;
    *date = static_cast<int32_t>(v[0] * 10000 + v[1] * 100 + v[2]);
    *time = static_cast<int32_t>(v[3] * 10000 + v[4] * 100 + v[5]);
}

bool Contains(const std::string &s, const char *a, const char *b)
{
    return s.find(a) != std::string::npos || s.find(b) != std::string::npos;
}

// Opens a plain result file into the handle and checks its header; 0 or 3.
int OpenPlain(char *fname, int32_t fname_len, const std::string &name, int32_t *h)
{
    int32_t mode = 1, unit = 0, err = 0;
    DQBOPN(fname, &mode, &unit, &err, fname_len);
    if (err != 0)
        return 3;
    h[WQ_H_UNIT] = unit;
    std::vector<unsigned char> title, buf;
    int32_t sizes[2] = {0, 0};
    bool ok = ReadBytes(unit, kTitleBytes, &title) == recio::kOk && ReadBytes(unit, 8, &buf) == recio::kOk;
    if (ok) {
        sizes[0] = recio::GetInt32LE(buf.data());
        sizes[1] = recio::GetInt32LE(buf.data() + 4);
        ok = sizes[0] >= 1 && sizes[1] >= 1;
    }
    if (ok) {
        ok = ReadBytes(unit, static_cast<int64_t>(sizes[0]) * kNameBytes, &buf) == recio::kOk &&
             !HasControlCharacter(buf.data() + buf.size() - kNameBytes, kNameBytes);
    }
    int32_t kind = WQ_KIND_PLAIN_MAP;
    if (ok) {
        if (Contains(name, ".map", ".MAP")) {
            kind = WQ_KIND_PLAIN_MAP;
        } else if (Contains(name, ".his", ".HIS")) {
            kind = WQ_KIND_PLAIN_HISTORY;
        } else {
            // Neither: a readable first location makes it a history file.
            std::vector<unsigned char> loc;
            if (ReadBytes(unit, kLocationBytes, &loc) == recio::kOk) {
                int32_t number = recio::GetInt32LE(loc.data());
                if (number >= 1 && number <= sizes[1] && !HasControlCharacter(loc.data() + 4, kNameBytes))
                    kind = WQ_KIND_PLAIN_HISTORY;
            }
        }
    }
    if (!ok) {
        recio::Close(unit);
        return 3;
    }
    h[WQ_H_KIND] = kind;
    h[WQ_H_SUBSTANCES] = sizes[0];
    h[WQ_H_SEGMENTS] = sizes[1];
    ReferenceFromTitle(title.data() + 120, &h[WQ_H_REF_DATE], &h[WQ_H_REF_TIME]);
    recio::Rewind(unit);
    return 0;
}

// ---------------------------------------------------------------- KELPA sets

const int32_t kOrder[5] = {1, 2, 3, 4, 5};

void Index(int32_t start, int32_t stop, int32_t index[15])
{
    std::fill(index, index + 15, 1);
    index[0] = start;
    index[1] = stop;
    index[2] = 1;
}

int32_t &Set(int32_t *h) { return h[WQ_H_DATA_SET]; }

int ReadText(int32_t *h, const char *group, const char *element, char *out, int32_t bytes)
{
    int32_t index[15];
    Index(1, 1, index);
    int32_t len = bytes;
    return Getstr(&Set(h), group, element, index, kOrder, &len, out, static_cast<int32_t>(std::strlen(group)),
                  static_cast<int32_t>(std::strlen(element)), bytes);
}

// Number of 4-byte values of an element, 0 when unknown.
int64_t ElementValues(int32_t *h, const char *element)
{
    char type[8], quantity[16], unit[16], description[64];
    int32_t value_size = 0, ndims = 5, dims[5] = {0, 0, 0, 0, 0};
    if (Inqelm(&Set(h), element, type, &value_size, quantity, unit, description, &ndims, dims,
               static_cast<int32_t>(std::strlen(element)), 8, 16, 16, 64) != 0 ||
        value_size != 4 || ndims < 0 || ndims > 5)
        return 0;
    int64_t n = 1;
    for (int i = 0; i < ndims; ++i) {
        if (dims[i] < 1 || n > (INT64_C(1) << 30) / dims[i])
            return 0;
        n *= dims[i];
    }
    return n;
}

// Opens a KELPA result set into the handle; 0 or 2.
int OpenKelpa(const std::string &name, size_t ext_at, int32_t *h)
{
    std::string def = name;
    const char *ext = name.compare(ext_at, 4, ".hda") == 0   ? ".hdf"
                      : name.compare(ext_at, 4, ".HDA") == 0 ? ".HDF"
                      : name.compare(ext_at, 4, ".ada") == 0 ? ".adf"
                                                               : ".ADF";
    def.replace(ext_at, 4, ext);
    const bool history = ext[1] == 'h' || ext[1] == 'H';
    int32_t set = 0;
    if (kelpa_crenef(&set, name.c_str(), def.c_str(), 'N', 'r') != 0)
        return 2;
    h[WQ_H_UNIT] = -1;
    h[WQ_H_DEF_SET] = set;
    h[WQ_H_DATA_SET] = set;
    char cell[16];
    int32_t ndims = 5, dims[5], order[5];
    int32_t kind = history ? WQ_KIND_KELPA_HISTORY : WQ_KIND_KELPA_MAP;
    if (Inqgrp(&set, "KIMBOL_PARAMS", cell, &ndims, dims, order, 13, 16) != 0) {
        ndims = 5;
        if (Inqgrp(&set, "LUPREN_PARAMS", cell, &ndims, dims, order, 13, 16) != 0) {
            Detdef(&set);
            return 2;
        }
        kind += 2;
    }
    h[WQ_H_KIND] = kind;
    char title[kTitleBytes];
    int64_t nsizes = ElementValues(h, "SIZES");
    std::vector<int32_t> sizes(static_cast<size_t>(std::max<int64_t>(nsizes, 2)), 0);
    int32_t index[15];
    Index(1, 1, index);
    int32_t bytes = static_cast<int32_t>(sizes.size() * 4);
    bool ok = ReadText(h, ParamsGroup(h), "TITLE", title, kTitleBytes) == 0 && nsizes >= 2 &&
              Getval(&set, ParamsGroup(h), "SIZES", index, kOrder, &bytes, sizes.data(),
                     static_cast<int32_t>(std::strlen(ParamsGroup(h))), 5) == 0 &&
              sizes[0] >= 1 && sizes[1] >= 1;
    if (!ok) {
        Detdef(&set);
        return 2;
    }
    h[WQ_H_SUBSTANCES] = sizes[0];
    h[WQ_H_SEGMENTS] = sizes[1];
    ReferenceFromTitle(reinterpret_cast<unsigned char *>(title) + 120, &h[WQ_H_REF_DATE], &h[WQ_H_REF_TIME]);
    return 0;
}

// All integer times of a KELPA result set.
int ReadKelpaTimes(int32_t *h, std::vector<int32_t> *times)
{
    int32_t n = 0;
    const char *group = ResultsGroup(h);
    const int32_t glen = static_cast<int32_t>(std::strlen(group));
    if (Inqmax(&Set(h), group, &n, glen) != 0 || n < 0)
        return 2;
    times->assign(static_cast<size_t>(n), 0);
    for (int32_t first = 1; first <= n; first += kTimeBlock) {
        int32_t last = std::min(n, first + kTimeBlock - 1);
        int32_t index[15];
        Index(first, last, index);
        int32_t bytes = 4 * (last - first + 1);
        if (Getval(&Set(h), group, "TIME", index, kOrder, &bytes, times->data() + (first - 1), glen, 4) != 0)
            return 2;
    }
    return 0;
}

// ---------------------------------------------------------------- time conversion

int32_t ClampToInt32(double v)
{
    if (!(v == v))
        return 0;
    if (v >= 2147483647.0)
        return INT32_MAX;
    if (v <= -2147483648.0)
        return INT32_MIN;
    return static_cast<int32_t>(v);
}

// Day number (Fliegel-Van Flandern) and day fraction of the reference.
void ReferenceJulian(const int32_t *h, double *day, double *fraction)
{
    const int32_t date = h[WQ_H_REF_DATE], hms = h[WQ_H_REF_TIME];
    const double year = date / 10000, month = (date / 100) % 100, dd = date % 100;
    const double a = month <= 2 ? -1.0 : 0.0;
    *day = dd - 32075 + std::trunc((year + 4800 + a) * 1461 / 4) +
           std::trunc((month - 2 - 12 * a) * 367 / 12) - std::trunc(std::trunc((year + 4900 + a) / 100) * 3 / 4);
    const int h24 = hms / 10000, mm = (hms / 100) % 100, ss = hms % 100;
    *fraction = (3600.0 * h24 + 60.0 * mm + ss - 43200.0) / 86400.0;
}

double ToDouble(const int32_t *h, int32_t itime, int32_t unit_code)
{
    int32_t it = itime, dir = 1, u = unit_code;
    double t = 0.0;
    DQBCNT(h, &it, &t, &u, &dir);
    return t;
}

int32_t ToInteger(const int32_t *h, double time, int32_t unit_code)
{
    int32_t it = 0, dir = 0, u = unit_code;
    DQBCNT(h, &it, &time, &u, &dir);
    return it;
}

// Opens (when needed) the handle; 0 or the error of DQBSET.
int32_t Prepare(char *fname, int32_t *handle, int32_t fname_len)
{
    int32_t err = 0;
    DQBSET(fname, handle, &err, fname_len);
    return err;
}

}  // namespace

extern "C" void DQBOPN(char *fname, const int32_t *mode, int32_t *unit, int32_t *ierr, int32_t fname_len)
{
    *ierr = 0;
    const std::string name = wqnames::CleanName(fname, fname_len);
    if (*unit < 1) {
        *unit = recio::FreeUnit();
        if (*unit < 0) {
            *ierr = 1;
            return;
        }
    }
    const int kept = KeptAttempt();
    if (kept < 0) {
        *ierr = 1;
        return;
    }
    Attempt a = kResultAttempts[kept];
    // An existing file whose length markers chain exactly from start to end
    // is sequential unformatted: read as a stream, its markers would be
    // taken for data.
    if (*mode != 2 && recio::CheckRecordFrames(name) == recio::FrameChain::kExact)
        a = Attempt{recio::Form::kUnformatted, recio::Access::kSequential};
    const recio::OpenStatus status = *mode == 1   ? recio::OpenStatus::kOld
                                     : *mode == 2 ? recio::OpenStatus::kNew
                                                  : recio::OpenStatus::kUnknown;
    if (recio::Open(*unit, name, a.form, a.access, status) != recio::kOk)
        *ierr = 1;
}

extern "C" void DQBSET(char *fname, int32_t *h, int32_t *ierr, int32_t fname_len)
{
    *ierr = 0;
    if (h[WQ_H_TAG] == WQ_HANDLE_TAG)
        return;
    std::fill(h, h + WQ_HANDLE_SIZE, 0);
    h[WQ_H_TAG] = WQ_HANDLE_TAG;
    ResetPosition(h);
    const std::string name = wqnames::CleanName(fname, fname_len);
    size_t ext_at = std::string::npos;
    for (const char *ext : {".hda", ".HDA", ".ada", ".ADA"}) {
        size_t at = name.rfind(ext);
        if (at != std::string::npos && (ext_at == std::string::npos || at > ext_at))
            ext_at = at;
    }
    int err = ext_at != std::string::npos ? OpenKelpa(name, ext_at, h) : OpenPlain(fname, fname_len, name, h);
    if (err != 0) {
        std::fill(h, h + WQ_HANDLE_SIZE, 0);
        *ierr = err;
    }
}

extern "C" void DQBCLS(int32_t *h)
{
    if (h[WQ_H_TAG] != WQ_HANDLE_TAG)
        return;
    h[WQ_H_TAG] = 0;
    if (IsKelpa(h))
        Detdef(&h[WQ_H_DEF_SET]);   // the one set holds both files
    else
        recio::Close(h[WQ_H_UNIT]);
}

extern "C" void DQBINF(char *fname, int32_t *h, int32_t *ref_date, int32_t *ref_time, char *title, int32_t *ierr,
                       int32_t fname_len, int32_t title_len)
{
    if ((*ierr = Prepare(fname, h, fname_len)) != 0)
        return;
    if (title_len != 40) {
        *ierr = 6;
        return;
    }
    ResetPosition(h);
    bool ok;
    if (IsKelpa(h)) {
        ok = ReadText(h, ParamsGroup(h), "TITLE", title, kTitleBytes) == 0;
    } else {
        std::vector<unsigned char> buf;
        ok = recio::Rewind(h[WQ_H_UNIT]) == recio::kOk && ReadBytes(h[WQ_H_UNIT], kTitleBytes, &buf) == recio::kOk;
        if (ok)
            std::memcpy(title, buf.data(), kTitleBytes);
        recio::Rewind(h[WQ_H_UNIT]);
    }
    if (!ok) {
        *ierr = 2;
        return;
    }
    *ref_date = h[WQ_H_REF_DATE];
    *ref_time = h[WQ_H_REF_TIME];
}

extern "C" void DQBPAR(char *fname, int32_t *h, char *names, int32_t *index, int32_t *count, int32_t *ierr,
                       int32_t fname_len, int32_t names_len)
{
    if ((*ierr = Prepare(fname, h, fname_len)) != 0)
        return;
    if (names_len != kNameBytes) {
        *ierr = 6;
        return;
    }
    ResetPosition(h);
    const int32_t n = h[WQ_H_SUBSTANCES];
    bool ok;
    if (IsKelpa(h)) {
        ok = ReadText(h, ParamsGroup(h), "SUBST_NAMES", names, n * kNameBytes) == 0;
    } else {
        const int unit = h[WQ_H_UNIT];
        std::vector<unsigned char> buf;
        ok = recio::Rewind(unit) == recio::kOk && ReadBytes(unit, kTitleBytes, &buf) == recio::kOk &&
             ReadBytes(unit, 8, &buf) == recio::kOk &&
             ReadBytes(unit, static_cast<int64_t>(n) * kNameBytes, &buf) == recio::kOk;
        if (ok)
            std::memcpy(names, buf.data(), buf.size());
        recio::Rewind(unit);
    }
    if (!ok) {
        *ierr = 2;
        return;
    }
    *count = n;
    for (int32_t i = 0; i < n; ++i)
        index[i] = i + 1;
}

extern "C" void DQBTIM(char *fname, int32_t *h, double *times, int32_t *count, const int32_t *unit_code,
                       int32_t *ierr, int32_t fname_len)
{
    if ((*ierr = Prepare(fname, h, fname_len)) != 0)
        return;
    if (*unit_code < 0 || *unit_code > 4) {
        *ierr = 5;
        return;
    }
    ResetPosition(h);
    if (IsKelpa(h)) {
        std::vector<int32_t> itimes;
        if (ReadKelpaTimes(h, &itimes) != 0) {
            *ierr = 2;
            return;
        }
        if (static_cast<int64_t>(itimes.size()) > *count) {
            *ierr = 4;
            return;
        }
        for (size_t i = 0; i < itimes.size(); ++i)
            times[i] = ToDouble(h, itimes[i], *unit_code);
        *count = static_cast<int32_t>(itimes.size());
        return;
    }
    if (SkipHeader(h) != recio::kOk) {
        *ierr = 2;
        recio::Rewind(h[WQ_H_UNIT]);
        return;
    }
    std::vector<unsigned char> buf;
    int32_t n = 0, itime = 0;
    while (ReadTimeRecord(h, &itime, &buf) == recio::kOk) {
        if (n >= *count) {
            *ierr = 4;
            break;
        }
        times[n++] = ToDouble(h, itime, *unit_code);
    }
    recio::Rewind(h[WQ_H_UNIT]);
    if (*ierr == 0)
        *count = n;
}

extern "C" void DQBMAT(char *fname, int32_t *h, const int32_t *substance, const int32_t *segment, double *time,
                       const int32_t *selector, float *values, const int32_t *room, int32_t *ierr,
                       int32_t fname_len)
{
    if ((*ierr = Prepare(fname, h, fname_len)) != 0)
        return;
    const int32_t o = *selector;
    const int32_t nsub = h[WQ_H_SUBSTANCES], nseg = h[WQ_H_SEGMENTS];
    if (!(o == 1 || o == 2 || o == 3 || o == 4 || o == 0 || o == -1 || o == -3) ||
        !(*substance == -1 || (*substance >= 1 && *substance <= nsub)) ||
        !(*segment == -1 || (*segment >= 1 && *segment <= nseg))) {
        *ierr = 5;
        return;
    }
    const int32_t s0 = *substance == -1 ? 0 : *substance - 1, ns = *substance == -1 ? nsub : 1;
    const int32_t g0 = *segment == -1 ? 0 : *segment - 1, ng = *segment == -1 ? nseg : 1;
    const int64_t per = static_cast<int64_t>(ns) * ng;
    if (per > *room) {
        *ierr = 4;
        return;
    }
    const int64_t wanted_times = o == -1 ? *room / per : 1;
    const int32_t unit_code = (o == -1 || o == -3) ? 1 : o;
    const int32_t wanted = o == -1 ? INT32_MIN : ToInteger(h, *time, unit_code);

    int64_t got = 0;
    int32_t found_time = 0;
    if (IsKelpa(h)) {
        std::vector<int32_t> itimes;
        if (ReadKelpaTimes(h, &itimes) != 0) {
            *ierr = 2;
            return;
        }
        size_t first = 0;
        while (first < itimes.size() && itimes[first] < wanted)
            ++first;
        const char *group = ResultsGroup(h);
        const int32_t glen = static_cast<int32_t>(std::strlen(group));
        std::vector<float> seg_values(static_cast<size_t>(nseg));
        for (size_t ti = first; ti < itimes.size() && got < wanted_times; ++ti, ++got) {
            for (int32_t s = 0; s < ns; ++s) {
                char element[24];
                std::snprintf(element, sizeof element, "SUBST_%d", static_cast<int>(s0 + s + 1));
                int32_t index[15];
                Index(static_cast<int32_t>(ti + 1), static_cast<int32_t>(ti + 1), index);
                int32_t bytes = 4 * nseg;
                if (Getval(&Set(h), group, element, index, kOrder, &bytes, seg_values.data(), glen,
                           static_cast<int32_t>(std::strlen(element))) != 0) {
                    *ierr = 2;
                    return;
                }
                for (int32_t g = 0; g < ng; ++g)
                    values[got * per + static_cast<int64_t>(g) * ns + s] = seg_values[static_cast<size_t>(g0 + g)];
            }
            found_time = itimes[ti];
            h[WQ_H_LAST_INDEX] = static_cast<int32_t>(ti + 1);
            h[WQ_H_LAST_TIME] = found_time;
        }
    } else {
        const bool restart = h[WQ_H_LAST_TIME] == WQ_NO_TIME || o == -1 ||
                             (o != -3 && h[WQ_H_LAST_TIME] >= wanted);
        if (restart) {
            ResetPosition(h);
            if (SkipHeader(h) != recio::kOk) {
                *ierr = 2;
                return;
            }
        }
        std::vector<unsigned char> buf;
        int32_t itime = 0;
        while (got < wanted_times && ReadTimeRecord(h, &itime, &buf) == recio::kOk) {
            ++h[WQ_H_LAST_INDEX];
            h[WQ_H_LAST_TIME] = itime;
            if (itime < wanted)
                continue;
            for (int32_t g = 0; g < ng; ++g)
                for (int32_t s = 0; s < ns; ++s) {
                    size_t at = 4 + 4 * (static_cast<size_t>(g0 + g) * nsub + static_cast<size_t>(s0 + s));
                    values[got * per + static_cast<int64_t>(g) * ns + s] = recio::GetReal32LE(buf.data() + at);
                }
            found_time = itime;
            ++got;
        }
    }
    if (got == 0) {
        // Nothing at or after the time: the next call reads from the start.
        ResetPosition(h);
        *ierr = 2;
        return;
    }
    *time = ToDouble(h, found_time, unit_code);
}

extern "C" void DQBCNT(const int32_t *h, int32_t *itime, double *time, const int32_t *unit_code,
                       const int32_t *direction)
{
    static const double kFactor[5] = {0.0, 1.0, 60.0, 3600.0, 86400.0};
    const int32_t u = *unit_code;
    if (u >= 1 && u <= 4) {
        if (*direction == 1)
            *time = *itime / kFactor[u];
        else
            *itime = ClampToInt32(std::trunc(*time * kFactor[u] + 0.5));
    } else if (u == 0) {
        double day = 0.0, fraction = 0.0;
        ReferenceJulian(h, &day, &fraction);
        if (*direction == 1)
            *time = day + fraction + *itime / 86400.0;
        else
            *itime = ClampToInt32(std::trunc(86400.0 * (*time - day - fraction) + 0.001));
    }
}
