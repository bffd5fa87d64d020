// KELPA entry points: the named operations that programs call, in the
// calling form (references, texts with appended lengths) and the plain
// form.  Each checks the caller's text sizes, brings names into their
// stored form, calls one core operation, copies the results back and
// leaves the result as the last error number.
#include "kelpa.h"
#include "kelpa_internal.h"

#include <algorithm>
#include <array>
#include <cstdio>

using namespace kelpa;

namespace {

// Position of the first NUL within length, else length.
size_t TextLength(const char *text, kelpa_len length)
{
    if (text == nullptr || length <= 0)
        return 0;
    size_t n = 0;
    while (n < size_t(length) && text[n] != '\0')
        ++n;
    return n;
}

// Text up to its NUL or length, trailing blanks, tabs and newlines removed.
std::string TrimTrailing(const char *text, kelpa_len length)
{
    std::string s(text ? text : "", TextLength(text, length));
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\n' || s.back() == '\r'))
        s.pop_back();
    return s;
}

// Text up to its NUL or length (a copy that the caller owns).
std::string DuplicateText(const char *text, kelpa_len length)
{
    return std::string(text ? text : "", TextLength(text, length));
}

struct Name {
    char text[kDescriptionLen + 1];
    Name(const char *source, kelpa_len length, size_t width)
    {
        PadToWidth(text, source ? source : "", source ? size_t(std::max<kelpa_len>(length, 0)) : 0, width);
    }
    const char *c_str() const { return text; }
};

Name Pad16(const char *s, kelpa_len n) { return Name(s, n, kNameLen); }

// Copies width characters into a caller's area of length, blank-padded.
void CopyOut(char *to, kelpa_len length, const char *from, size_t width)
{
    if (to == nullptr || length <= 0)
        return;
    size_t n = std::min(size_t(length), width);
    size_t k = 0;
    for (; k < n && from[k] != '\0'; ++k)
        to[k] = from[k];
    for (; k < size_t(length); ++k)
        to[k] = ' ';
}

int Done(int result)
{
    SetLastError(result);
    return result;
}

char Letter(const char *text, kelpa_len length, char otherwise)
{
    return (text != nullptr && length > 0 && text[0] != '\0') ? text[0] : otherwise;
}

int OpenNamed(int32_t *set, const char *data, kelpa_len data_len, const char *definition,
              kelpa_len definition_len, char coding, char access, const char *who)
{
    std::string d = TrimTrailing(data, data_len);
    std::string f = TrimTrailing(definition, definition_len);
    if (d.size() >= size_t(kFileNameLen))
        return Done(RecordUncountedError(2002, "%s: Data filename too long ( length < %d )", who,
                                         kFileNameLen - 1));
    if (f.size() >= size_t(kFileNameLen))
        return Done(RecordUncountedError(2003, "%s: Definition filename too long ( length < %d )", who,
                                         kFileNameLen - 1));
    int s = -1;
    int result = OpenFileSet(&s, d.c_str(), f.c_str(), coding, access);
    *set = s;
    return Done(result);
}

int CloseSet(int32_t *set, bool write_back)
{
    SetLastError(0);
    int s = *set;
    int result = CloseFileSet(&s, write_back);
    *set = s;
    return Done(result);
}

int ReadHeader(int32_t *set, char *header, kelpa_len header_len, bool data)
{
    SetLastError(0);
    const char *who = data ? "Gethdt" : "Gethdf";
    if (header_len < kDataHeaderLen)
        return Done(RecordUncountedError(data ? 2004 : 2007,
                                         "%s: Supplied character string too small for header", who));
    FileSet *fs = GetSet(*set);
    int fd = fs == nullptr ? -1 : (data ? fs->data_fd : fs->definition_fd);
    if (fd < 0)
        return Done(0);
    char buf[kDataHeaderLen];
    int64_t got = ReadAt(buf, fd, 0, kDataHeaderLen);
    if (got < 0)
        return Done(RecordUncountedError(
            data ? 2005 : 2008,
            data ? "Gethdt: Unable to read data file header (file write only?)."
                 : "Gethdf: Unable to read definition file header (file write only?)."));
    if (got > kDataHeaderLen)
        return Done(RecordUncountedError(data ? 2006 : 2009,
                                         data ? "Gethdt: During reading of data file header."
                                              : "Gethdf: During reading of definition file header."));
    std::memcpy(header, buf, size_t(got));
    std::memset(header + got, ' ', size_t(header_len - got));
    return Done(0);
}

bool LongerThan16(const char *text, kelpa_len length)
{
    return TrimTrailing(text, length).size() > size_t(kNameLen);
}

int FlushSide(int32_t *set, bool data)
{
    SetLastError(0);
    FileSet *fs = GetSet(*set);
    if (fs == nullptr)
        return Done(0);
    int fd = fs->combined ? fs->dd_fd : (data ? fs->data_fd : fs->definition_fd);
    return Done(FlushHashTable(fd, *set));
}

void ElementOut(const ElementRecord &r, char *type, kelpa_len type_len, char *quantity,
                kelpa_len quantity_len, char *unit, kelpa_len unit_len, char *description,
                kelpa_len description_len, int32_t *ndims, int32_t *dims)
{
    CopyOut(type, type_len, r.type, kTypeLen);
    CopyOut(quantity, quantity_len, r.quantity, kNameLen);
    CopyOut(unit, unit_len, r.unit, kNameLen);
    CopyOut(description, description_len, r.description, kDescriptionLen);
    int room = std::min(*ndims, int32_t(MAX_DIM));
    for (int i = 0; i < room; ++i)
        dims[i] = i < r.ndims ? r.dims[i] : 1;
    *ndims = r.ndims;
}

int IterateElementEntry(int next, int32_t *set, char *element, char *type, char *quantity,
                        char *unit, char *description, int32_t *value_size, int64_t *total_bytes,
                        int32_t *ndims, int32_t *dims, kelpa_len element_len, kelpa_len type_len,
                        kelpa_len quantity_len, kelpa_len unit_len, kelpa_len description_len)
{
    SetLastError(0);
    if (element_len < kNameLen || type_len < kTypeLen || quantity_len < kNameLen ||
        unit_len < kNameLen || description_len < kDescriptionLen)
        return Done(RecordError(next ? 2021 : 2019,
                                "Inqelm: User supplied array's to store element definition too small"));
    ElementRecord r;
    int result = IterateElements(*set, next, &r);
    if (result)
        return Done(result);
    if (*ndims < r.ndims)
        return Done(RecordError(next ? 2022 : 2020,
                                "Inqfel: User supplied array to contain element names too small"));
    CopyOut(element, element_len, r.name, kNameLen);
    *value_size = r.value_size;
    *total_bytes = int64_t(r.total_bytes);
    ElementOut(r, type, type_len, quantity, quantity_len, unit, unit_len, description,
               description_len, ndims, dims);
    return Done(0);
}

int IterateCellEntry(int next, int32_t *set, char *cell, int32_t *count, int64_t *cell_bytes,
                     char *element_names, kelpa_len cell_len, kelpa_len names_len)
{
    SetLastError(0);
    if (cell_len < kNameLen || names_len < kNameLen)
        return Done(RecordError(next ? 2025 : 2023,
                                "Inqfcl: Supplied array too small to contain all element names: '%s' %ld>%d \n",
                                DuplicateText(cell, cell_len).c_str(), long(names_len), kNameLen));
    auto r = std::make_unique<CellRecord>();
    int result = IterateCells(*set, next, r.get());
    if (result)
        return Done(result);
    if (*count < r->count)
        return Done(RecordError(next ? 2026 : 2024,
                                next ? "Inqncl: User supplied array too small to contain Cell properties: '%s' %ld>%ld \n"
                                     : "Inqfcl: User supplied array too small to contain Cell properties: '%s' %ld>%ld \n",
                                NameText(r->name).c_str(), long(r->count), long(*count)));
    CopyOut(cell, cell_len, r->name, kNameLen);
    *cell_bytes = int64_t(r->cell_bytes);
    for (int i = 0; i < r->count; ++i)
        std::memcpy(element_names + 17 * i, r->names[i], kNameLen + 1);
    *count = r->count;
    return Done(0);
}

int IterateGroupEntry(int next, int32_t *set, char *group, char *cell, int32_t *ndims,
                      int32_t *dims, int32_t *order, kelpa_len group_len, kelpa_len cell_len)
{
    SetLastError(0);
    if (group_len < kNameLen || cell_len < kNameLen)
        return Done(RecordError(next ? 2029 : 2027, "Inqfgr: User supplied array to contain names too small"));
    GroupRecord r;
    int result = IterateGroups(*set, next, &r);
    if (result)
        return Done(result);
    if (*ndims < r.ndims)
        return Done(RecordError(next ? 2030 : 2028,
                                next ? "Inqngr: User supplied array too small to contain group properties: '%s' %ld>%ld \n"
                                     : "Inqfgr: User supplied array too small to contain group properties: '%s' %ld>%ld \n",
                                NameText(r.name).c_str(), long(r.ndims), long(*ndims)));
    CopyOut(group, group_len, r.name, kNameLen);
    CopyOut(cell, cell_len, r.cell, kNameLen);
    for (int i = 0; i < r.ndims; ++i) {
        dims[i] = r.dims[i];
        order[i] = r.order[i];
    }
    *ndims = r.ndims;
    return Done(0);
}

int IterateDataEntry(int next, int32_t *set, char *data_group, char *group,
                     kelpa_len data_group_len, kelpa_len group_len)
{
    SetLastError(0);
    if (data_group_len < kNameLen || group_len < kNameLen)
        return Done(RecordError(next ? 2037 : 2018,
                                next ? "Inqnxt: User supplied array to contain names too small"
                                     : "Inqfst: User supplied array to contain names too small"));
    DataGroupHead r;
    int result = IterateDataGroups(*set, next, &r);
    if (result)
        return Done(result);
    CopyOut(data_group, data_group_len, r.name, kNameLen);
    CopyOut(group, group_len, r.group, kNameLen);
    return Done(0);
}

int PutNumberAttribute(int32_t *set, const char *data_group, const char *name, const void *value,
                       kelpa_len data_group_len, kelpa_len name_len, bool integer)
{
    SetLastError(0);
    if (LongerThan16(data_group, data_group_len) || LongerThan16(name, name_len))
        return Done(RecordError(integer ? 2042 : 2043,
                                integer ? "Putiat: Groupname '%s' or\n        integer attribute name '%s' too long"
                                        : "Putrat: Groupname '%s' or\n        real attribute name '%s' too long",
                                DuplicateText(data_group, data_group_len).c_str(),
                                DuplicateText(name, name_len).c_str()));
    return Done(PutAttribute(*set, Pad16(data_group, data_group_len).c_str(),
                             Pad16(name, name_len).c_str(), value, integer ? "INTEGER" : "REAL"));
}

int GetAttributeEntry(int mode, int32_t *set, const char *data_group, char *name, kelpa_len name_len,
                      void *value, kelpa_len data_group_len, const char *type)
{
    Name g = Pad16(data_group, data_group_len);
    char n[kNameLen + 1];
    PadToWidth(n, name ? name : "", size_t(std::max<kelpa_len>(name_len, 0)), kNameLen);
    int result = GetAttribute(*set, mode, g.c_str(), n, value, type);
    if (result == 0 && mode != 0)
        CopyOut(name, name_len, n, kNameLen);
    return Done(result);
}

int IterateAttribute(int next, int32_t *set, const char *data_group, char *name, void *value,
                     kelpa_len data_group_len, kelpa_len name_len, int type)
{
    SetLastError(0);
    static const struct {
        int first_code, next_code;
        const char *first_text, *next_text;
        const char *type;
    } kinds[2] = {
        {2031, 2038, "Inqfia: User supplied array to contain integer attribute names too small",
         "Inqnia: User supplied array to contain integer attribute names too small", "INTEGER"},
        {2032, 2039, "Inqfra: User supplied array to contain real attribute names too small",
         "Inqnra: User supplied array to contain real attribute names too small", "REAL"}};
    const auto &k = kinds[type];
    if (name_len < kNameLen)
        return Done(RecordError(next ? k.next_code : k.first_code, "%s", next ? k.next_text : k.first_text));
    return GetAttributeEntry(next ? 2 : 1, set, data_group, name, name_len, value, data_group_len, k.type);
}

int IterateStringAttribute(int next, int32_t *set, const char *data_group, char *name, char *value,
                           kelpa_len data_group_len, kelpa_len name_len, kelpa_len value_len)
{
    SetLastError(0);
    if (name_len < kNameLen || value_len < kNameLen)
        return Done(RecordError(next ? 2040 : 2033,
                                next ? "Inqnra: User supplied array to contain string attributes (name/value) too small"
                                     : "Inqfsa: User supplied array to contain string attribute names too small"));
    char v[kNameLen];
    int result = GetAttributeEntry(next ? 2 : 1, set, data_group, name, name_len, v, data_group_len,
                                   "CHARACTE");
    if (result == 0)
        CopyOut(value, value_len, v, kNameLen);
    return result;
}

}  // namespace

extern "C" {

int Crenef(int32_t *set, const char *data_file, const char *definition_file, const char *coding,
           const char *access, kelpa_len data_len, kelpa_len definition_len, kelpa_len coding_len,
           kelpa_len access_len)
{
    SetLastError(0);
    return OpenNamed(set, data_file, data_len, definition_file, definition_len,
                     Letter(coding, coding_len, 'L'), Letter(access, access_len, ' '), "Crenef");
}

int Attdat(int32_t *set, const char *data_file, const char *coding, kelpa_len data_len,
           kelpa_len coding_len)
{
    SetLastError(0);
    return OpenNamed(set, data_file, data_len, "", 0, Letter(coding, coding_len, 'L'), 'U', "Attdat");
}

int Attdef(int32_t *set, const char *definition_file, const char *coding, kelpa_len definition_len,
           kelpa_len coding_len)
{
    SetLastError(0);
    return OpenNamed(set, "", 0, definition_file, definition_len, Letter(coding, coding_len, 'L'), 'U',
                     "Attdef");
}

int Detdat(int32_t *set) { return CloseSet(set, true); }
int Detdef(int32_t *set) { return CloseSet(set, true); }
int Endset(int32_t *set) { return CloseSet(set, true); }
int Quitdt(int32_t *set) { return CloseSet(set, false); }
int Quitdf(int32_t *set) { return CloseSet(set, false); }
int Flsdat(int32_t *set) { return FlushSide(set, true); }
int Flsdef(int32_t *set) { return FlushSide(set, false); }

int Gethdt(int32_t *set, char *header, kelpa_len header_len) { return ReadHeader(set, header, header_len, true); }
int Gethdf(int32_t *set, char *header, kelpa_len header_len) { return ReadHeader(set, header, header_len, false); }

int Errtxt(int32_t *mode, char *text, kelpa_len text_len)
{
    if (text != nullptr && text_len > 0)
        std::memset(text, ' ', size_t(text_len));
    std::string work;
    ReportKelpaError(*mode, &work);
    if (*mode == 0 && text != nullptr && text_len > 0)
        std::memcpy(text, work.data(), std::min(work.size(), size_t(text_len)));
    return 0;
}

int Newelm(int32_t *set, const char *element, const char *type, int32_t *value_size,
           const char *quantity, const char *unit, const char *description, int32_t *ndims,
           const int32_t *dims, kelpa_len element_len, kelpa_len type_len, kelpa_len quantity_len,
           kelpa_len unit_len, kelpa_len description_len)
{
    SetLastError(0);
    Name t(type, type_len, kTypeLen);
    int32_t n = *ndims == 0 ? 1 : *ndims;
    int32_t d[MAX_DIM] = {1, 1, 1, 1, 1};
    for (int i = 0; i < std::min(n, int32_t(MAX_DIM)); ++i)
        d[i] = dims[i];
    if (*ndims == 0)
        d[0] = 1;
    return Done(DefineElement(*set, Pad16(element, element_len).c_str(), t.text,
                              Pad16(quantity, quantity_len).c_str(), Pad16(unit, unit_len).c_str(),
                              Name(description, description_len, kDescriptionLen).c_str(), *value_size,
                              n, d));
}

int Newcel(int32_t *set, const char *cell, int32_t *count, const char *element_names,
           kelpa_len cell_len, kelpa_len names_len)
{
    SetLastError(0);
    std::vector<std::array<char, kNameLen + 1>> names(MAX_CEL_DIM);
    int n = std::min(std::max(*count, int32_t(0)), int32_t(MAX_CEL_DIM));
    size_t stride = size_t(std::max<kelpa_len>(names_len, 0));
    size_t width = std::min<size_t>(TextLength(element_names, names_len), kNameLen);
    for (int i = 0; i < n; ++i)
        PadToWidth(names[size_t(i)].data(), element_names + stride * size_t(i), width, kNameLen);
    return Done(DefineCell(*set, Pad16(cell, cell_len).c_str(), *count,
                           reinterpret_cast<const char(*)[kNameLen + 1]>(names.data())));
}

int Newgrp(int32_t *set, const char *group, const char *cell, int32_t *ndims, const int32_t *dims,
           const int32_t *order, kelpa_len group_len, kelpa_len cell_len)
{
    SetLastError(0);
    int32_t n = *ndims == 0 ? 1 : *ndims;
    int32_t d[MAX_DIM] = {1, 1, 1, 1, 1}, o[MAX_DIM] = {1, 1, 1, 1, 1};
    for (int i = 0; i < std::min(*ndims, int32_t(MAX_DIM)); ++i) {
        d[i] = dims[i];
        o[i] = order[i];
    }
    return Done(DefineGroup(*set, Pad16(group, group_len).c_str(), Pad16(cell, cell_len).c_str(), n, d, o));
}

int Newdat(int32_t *set, const char *data_group, const char *group, kelpa_len data_group_len,
           kelpa_len group_len)
{
    SetLastError(0);
    return Done(CreateDataGroup(*set, Pad16(data_group, data_group_len).c_str(), Pad16(group, group_len).c_str()));
}

int Inqelm(int32_t *set, const char *element, char *type, int32_t *value_size, char *quantity,
           char *unit, char *description, int32_t *ndims, int32_t *dims, kelpa_len element_len,
           kelpa_len type_len, kelpa_len quantity_len, kelpa_len unit_len, kelpa_len description_len)
{
    SetLastError(0);
    if (type_len < kTypeLen || quantity_len < kNameLen || unit_len < kNameLen ||
        description_len < kDescriptionLen)
        return Done(RecordError(2015,
                                "Inqelm: User supplied array's to store element definition too small: %s, %ld, %ld, %ld, %ld,%ld\n",
                                DuplicateText(element, element_len).c_str(), long(element_len), long(type_len),
                                long(quantity_len), long(unit_len), long(description_len)));
    if (LongerThan16(element, element_len))
        return Done(RecordError(2016, "Inqelm: Element name '%s' too long", DuplicateText(element, element_len).c_str()));
    ElementRecord r;
    int result = LookupElement(*set, Pad16(element, element_len).c_str(), &r);
    if (result)
        return Done(result);
    if (*ndims < r.ndims)
        return Done(RecordError(2017, "Inqelm: User supplied array to contain element names too small"));
    *value_size = r.value_size;
    ElementOut(r, type, type_len, quantity, quantity_len, unit, unit_len, description, description_len,
               ndims, dims);
    return Done(0);
}

int Inqcel(int32_t *set, const char *cell, int32_t *count, char *element_names, kelpa_len cell_len,
           kelpa_len names_len)
{
    SetLastError(0);
    if (names_len < kNameLen)
        return Done(RecordError(2012, "Inqcel: Supplied array too small to contain all element names: '%s' %ld>%d\n",
                                DuplicateText(cell, cell_len).c_str(), long(names_len), kNameLen));
    auto r = std::make_unique<CellRecord>();
    int result = LookupCell(*set, Pad16(cell, cell_len).c_str(), r.get());
    if (result)
        return Done(result);
    if (*count < r->count)
        return Done(RecordError(2013, "Inqcel: User supplied array too small to contain Cell properties: '%s' %ld>%ld \n",
                                DuplicateText(cell, cell_len).c_str(), long(r->count), long(*count)));
    for (int i = 0; i < r->count; ++i)
        CopyOut(element_names + size_t(names_len) * size_t(i), names_len, r->names[i], kNameLen);
    *count = r->count;
    return Done(0);
}

int Inqgrp(int32_t *set, const char *group, char *cell, int32_t *ndims, int32_t *dims,
           int32_t *order, kelpa_len group_len, kelpa_len cell_len)
{
    SetLastError(0);
    if (LongerThan16(group, group_len))
        return Done(RecordError(2034, "Inqgrp: Group name too long '%s'", DuplicateText(group, group_len).c_str()));
    GroupRecord r;
    int result = LookupGroup(*set, Pad16(group, group_len).c_str(), &r);
    if (result)
        return Done(result);
    if (*ndims < r.ndims)
        return Done(RecordError(2035, "Inqgrp: User supplied array to contain group dimensions too small"));
    CopyOut(cell, cell_len, r.cell, kNameLen);
    for (int i = 0; i < r.ndims; ++i) {
        dims[i] = r.dims[i];
        order[i] = r.order[i];
    }
    *ndims = r.ndims;
    return Done(0);
}

int Inqdat(int32_t *set, const char *data_group, char *group, kelpa_len data_group_len,
           kelpa_len group_len)
{
    SetLastError(0);
    if (group_len < kNameLen)
        return Done(RecordError(2014, "Inqdat: User supplied array to store group definition too small"));
    uint64_t address;
    char g[kNameLen + 1];
    int result = LookupDataGroup(*set, Pad16(data_group, data_group_len).c_str(), &address, g);
    if (result == 0)
        CopyOut(group, group_len, g, kNameLen);
    return Done(result);
}

int Inqfel(int32_t *set, char *element, char *type, char *quantity, char *unit, char *description,
           int32_t *value_size, int64_t *total_bytes, int32_t *ndims, int32_t *dims,
           kelpa_len element_len, kelpa_len type_len, kelpa_len quantity_len, kelpa_len unit_len,
           kelpa_len description_len)
{
    return IterateElementEntry(0, set, element, type, quantity, unit, description, value_size, total_bytes,
                               ndims, dims, element_len, type_len, quantity_len, unit_len, description_len);
}

int Inqnel(int32_t *set, char *element, char *type, char *quantity, char *unit, char *description,
           int32_t *value_size, int64_t *total_bytes, int32_t *ndims, int32_t *dims,
           kelpa_len element_len, kelpa_len type_len, kelpa_len quantity_len, kelpa_len unit_len,
           kelpa_len description_len)
{
    return IterateElementEntry(1, set, element, type, quantity, unit, description, value_size, total_bytes,
                               ndims, dims, element_len, type_len, quantity_len, unit_len, description_len);
}

int Inqfcl(int32_t *set, char *cell, int32_t *count, int64_t *cell_bytes, char *element_names,
           kelpa_len cell_len, kelpa_len names_len)
{
    return IterateCellEntry(0, set, cell, count, cell_bytes, element_names, cell_len, names_len);
}

int Inqncl(int32_t *set, char *cell, int32_t *count, int64_t *cell_bytes, char *element_names,
           kelpa_len cell_len, kelpa_len names_len)
{
    return IterateCellEntry(1, set, cell, count, cell_bytes, element_names, cell_len, names_len);
}

int Inqfgr(int32_t *set, char *group, char *cell, int32_t *ndims, int32_t *dims, int32_t *order,
           kelpa_len group_len, kelpa_len cell_len)
{
    return IterateGroupEntry(0, set, group, cell, ndims, dims, order, group_len, cell_len);
}

int Inqngr(int32_t *set, char *group, char *cell, int32_t *ndims, int32_t *dims, int32_t *order,
           kelpa_len group_len, kelpa_len cell_len)
{
    return IterateGroupEntry(1, set, group, cell, ndims, dims, order, group_len, cell_len);
}

int Inqfst(int32_t *set, char *data_group, char *group, kelpa_len data_group_len, kelpa_len group_len)
{
    return IterateDataEntry(0, set, data_group, group, data_group_len, group_len);
}

int Inqnxt(int32_t *set, char *data_group, char *group, kelpa_len data_group_len, kelpa_len group_len)
{
    return IterateDataEntry(1, set, data_group, group, data_group_len, group_len);
}

int Putval(int32_t *set, const char *data_group, const char *element, const int32_t *user_index,
           const int32_t *user_order, const void *buffer, kelpa_len data_group_len,
           kelpa_len element_len)
{
    SetLastError(0);
    return Done(PutElementValues(*set, Pad16(data_group, data_group_len).c_str(),
                                 Pad16(element, element_len).c_str(), user_index, user_order, buffer));
}

int Getval(int32_t *set, const char *data_group, const char *element, const int32_t *user_index,
           const int32_t *user_order, int32_t *buffer_len, void *buffer, kelpa_len data_group_len,
           kelpa_len element_len)
{
    SetLastError(0);
    return Done(GetElementValues(*set, Pad16(data_group, data_group_len).c_str(),
                                 Pad16(element, element_len).c_str(), user_index, user_order, *buffer_len,
                                 buffer));
}

int Getstr(int32_t *set, const char *data_group, const char *element, const int32_t *user_index,
           const int32_t *user_order, int32_t *buffer_len, char *buffer, kelpa_len data_group_len,
           kelpa_len element_len, kelpa_len text_len)
{
    // text_len is the length of each text of the caller's array, not of the
    // whole buffer: the buffer length in bytes bounds the read, as in Getval.
    (void)text_len;
    return Getval(set, data_group, element, user_index, user_order, buffer_len, buffer,
                  data_group_len, element_len);
}

int Inqmax(int32_t *set, const char *data_group, int32_t *largest, kelpa_len data_group_len)
{
    SetLastError(0);
    return Done(LargestVariableIndex(*set, Pad16(data_group, data_group_len).c_str(), largest));
}

int Putiat(int32_t *set, const char *data_group, const char *name, const int32_t *value,
           kelpa_len data_group_len, kelpa_len name_len)
{
    return PutNumberAttribute(set, data_group, name, value, data_group_len, name_len, true);
}

int Putrat(int32_t *set, const char *data_group, const char *name, const float *value,
           kelpa_len data_group_len, kelpa_len name_len)
{
    return PutNumberAttribute(set, data_group, name, value, data_group_len, name_len, false);
}

int Putsat(int32_t *set, const char *data_group, const char *name, const char *value,
           kelpa_len data_group_len, kelpa_len name_len, kelpa_len value_len)
{
    SetLastError(0);
    if (LongerThan16(data_group, data_group_len) || LongerThan16(name, name_len) ||
        LongerThan16(value, value_len))
        return Done(RecordError(2044,
                                "Putsat: Groupname '%s' or\n        string attribute name '%s' or\n        attribute value '%s' too long",
                                DuplicateText(data_group, data_group_len).c_str(),
                                DuplicateText(name, name_len).c_str(), DuplicateText(value, value_len).c_str()));
    return Done(PutAttribute(*set, Pad16(data_group, data_group_len).c_str(), Pad16(name, name_len).c_str(),
                             Pad16(value, value_len).c_str(), "CHARACTE"));
}

int Getiat(int32_t *set, const char *data_group, const char *name, int32_t *value,
           kelpa_len data_group_len, kelpa_len name_len)
{
    SetLastError(0);
    char n[kNameLen + 1];
    PadToWidth(n, name ? name : "", size_t(std::max<kelpa_len>(name_len, 0)), kNameLen);
    return GetAttributeEntry(0, set, data_group, n, kNameLen, value, data_group_len, "INTEGER");
}

int Getrat(int32_t *set, const char *data_group, const char *name, float *value,
           kelpa_len data_group_len, kelpa_len name_len)
{
    SetLastError(0);
    char n[kNameLen + 1];
    PadToWidth(n, name ? name : "", size_t(std::max<kelpa_len>(name_len, 0)), kNameLen);
    return GetAttributeEntry(0, set, data_group, n, kNameLen, value, data_group_len, "REAL");
}

int Getsat(int32_t *set, const char *data_group, const char *name, char *value,
           kelpa_len data_group_len, kelpa_len name_len, kelpa_len value_len)
{
    SetLastError(0);
    if (value_len < kNameLen)
        return Done(RecordError(2011, "Getsat: User supplied attribute string too small"));
    char n[kNameLen + 1];
    PadToWidth(n, name ? name : "", size_t(std::max<kelpa_len>(name_len, 0)), kNameLen);
    char v[kNameLen];
    int result = GetAttributeEntry(0, set, data_group, n, kNameLen, v, data_group_len, "CHARACTE");
    if (result == 0)
        CopyOut(value, value_len, v, kNameLen);
    return result;
}

int Inqfia(int32_t *set, const char *data_group, char *name, int32_t *value, kelpa_len data_group_len,
           kelpa_len name_len)
{
    return IterateAttribute(0, set, data_group, name, value, data_group_len, name_len, 0);
}

int Inqnia(int32_t *set, const char *data_group, char *name, int32_t *value, kelpa_len data_group_len,
           kelpa_len name_len)
{
    return IterateAttribute(1, set, data_group, name, value, data_group_len, name_len, 0);
}

int Inqfra(int32_t *set, const char *data_group, char *name, float *value, kelpa_len data_group_len,
           kelpa_len name_len)
{
    return IterateAttribute(0, set, data_group, name, value, data_group_len, name_len, 1);
}

int Inqnra(int32_t *set, const char *data_group, char *name, float *value, kelpa_len data_group_len,
           kelpa_len name_len)
{
    return IterateAttribute(1, set, data_group, name, value, data_group_len, name_len, 1);
}

int Inqfsa(int32_t *set, const char *data_group, char *name, char *value, kelpa_len data_group_len,
           kelpa_len name_len, kelpa_len value_len)
{
    return IterateStringAttribute(0, set, data_group, name, value, data_group_len, name_len, value_len);
}

int Inqnsa(int32_t *set, const char *data_group, char *name, char *value, kelpa_len data_group_len,
           kelpa_len name_len, kelpa_len value_len)
{
    return IterateStringAttribute(1, set, data_group, name, value, data_group_len, name_len, value_len);
}

// ---- Plain form ---------------------------------------------------------------

static kelpa_len Len(const char *s) { return s ? kelpa_len(std::strlen(s)) : 0; }

int kelpa_crenef(int32_t *set, const char *data_file, const char *definition_file, char coding, char access)
{
    return Crenef(set, data_file, definition_file, &coding, &access, Len(data_file), Len(definition_file), 1, 1);
}

int kelpa_attdat(int32_t *set, const char *data_file, char coding)
{
    return Attdat(set, data_file, &coding, Len(data_file), 1);
}

int kelpa_attdef(int32_t *set, const char *definition_file, char coding)
{
    return Attdef(set, definition_file, &coding, Len(definition_file), 1);
}

int kelpa_newelm(int32_t set, const char *element, const char *type, int32_t value_size,
                 const char *quantity, const char *unit, const char *description, int32_t ndims,
                 const int32_t *dims)
{
    return Newelm(&set, element, type, &value_size, quantity, unit, description, &ndims, dims, Len(element),
                  Len(type), Len(quantity), Len(unit), Len(description));
}

int kelpa_newcel(int32_t set, const char *cell, int32_t count, const char *const *element_names)
{
    std::vector<char> names(size_t(std::max(count, int32_t(0))) * kNameLen + 1, ' ');
    for (int32_t i = 0; i < count; ++i)
        PadToWidth(&names[size_t(i) * kNameLen], element_names[i], kNameLen, kNameLen);
    return Newcel(&set, cell, &count, names.data(), Len(cell), kNameLen);
}

int kelpa_newgrp(int32_t set, const char *group, const char *cell, int32_t ndims, const int32_t *dims,
                 const int32_t *order)
{
    return Newgrp(&set, group, cell, &ndims, dims, order, Len(group), Len(cell));
}

int kelpa_newdat(int32_t set, const char *data_group, const char *group)
{
    return Newdat(&set, data_group, group, Len(data_group), Len(group));
}

int kelpa_putval(int32_t set, const char *data_group, const char *element, const int32_t *user_index,
                 const int32_t *user_order, const void *buffer)
{
    return Putval(&set, data_group, element, user_index, user_order, buffer, Len(data_group), Len(element));
}

int kelpa_getval(int32_t set, const char *data_group, const char *element, const int32_t *user_index,
                 const int32_t *user_order, int32_t buffer_len, void *buffer)
{
    return Getval(&set, data_group, element, user_index, user_order, &buffer_len, buffer, Len(data_group),
                  Len(element));
}

int kelpa_inqmax(int32_t set, const char *data_group, int32_t *largest)
{
    return Inqmax(&set, data_group, largest, Len(data_group));
}

int kelpa_putiat(int32_t set, const char *data_group, const char *name, int32_t value)
{
    return Putiat(&set, data_group, name, &value, Len(data_group), Len(name));
}

int kelpa_putrat(int32_t set, const char *data_group, const char *name, float value)
{
    return Putrat(&set, data_group, name, &value, Len(data_group), Len(name));
}

int kelpa_putsat(int32_t set, const char *data_group, const char *name, const char *value)
{
    return Putsat(&set, data_group, name, value, Len(data_group), Len(name), Len(value));
}

int kelpa_getiat(int32_t set, const char *data_group, const char *name, int32_t *value)
{
    return Getiat(&set, data_group, name, value, Len(data_group), Len(name));
}

int kelpa_getrat(int32_t set, const char *data_group, const char *name, float *value)
{
    return Getrat(&set, data_group, name, value, Len(data_group), Len(name));
}

}  // extern "C"
