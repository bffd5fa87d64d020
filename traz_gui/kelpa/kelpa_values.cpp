// KELPA values: writing and reading the values of one element of a data
// group by user index and user order, the four-level pointer tables of a
// variable dimension, and the per-set caches (element locations and the
// variable-group entries).
#include "kelpa_internal.h"

#include <algorithm>
#include <cstdio>

namespace kelpa {

namespace {

struct Location {
    uint64_t cell_bytes = 0;
    int32_t dims[MAX_DIM] = {};
    int32_t order[MAX_DIM] = {};
    int32_t element_dims[MAX_DIM] = {};
    int32_t ndims = 0;
    uint64_t offset = 0;
    int32_t value_size = 0;
    char type[kTypeLen + 1] = {};
    uint64_t address = kNil;
    uint64_t element_bytes = 0;
    // A variable group's values lie in slices of area_bytes each (the step
    // word of its data area), a fixed group's in the area_bytes behind the
    // fixed part (its recorded length less the fixed part).
    bool variable = false;
    uint64_t area_bytes = 0;
};

void FromNode(const LocationNode &n, Location *l)
{
    l->cell_bytes = n.cell_bytes;
    std::memcpy(l->dims, n.dims, sizeof l->dims);
    std::memcpy(l->order, n.order, sizeof l->order);
    std::memcpy(l->element_dims, n.element_dims, sizeof l->element_dims);
    l->ndims = n.ndims;
    l->offset = n.offset;
    l->value_size = n.value_size;
    std::memcpy(l->type, n.type, sizeof l->type);
    l->address = n.address;
    l->element_bytes = n.element_bytes;
    l->variable = n.variable;
    l->area_bytes = n.area_bytes;
}

uint64_t FixedPartBytes(const FileSet &fs)
{
    return fs.form == kOldForm ? kOldDataGroupFixedLen : kDataGroupFixedLen;
}

// The room the data group's own record gives its values: checks that the
// record is the kind of data group its definition describes and reads the
// length of its area or of one slice.
int DataGroupArea(int set, FileSet &fs, uint64_t address, bool variable, uint64_t *area)
{
    DataGroupHead head;
    int err = ReadDataGroupRecord(set, address, &head);
    if (err)
        return err;
    if (head.kind != 4 && head.kind != 5)
        return RecordError(7007, "During reading of data structure");
    // A group definition with a variable dimension for a data group made
    // fixed, or the other way round, would read values as pointer tables
    // or write values over them.
    if ((head.kind == 5) != variable)
        return RecordError(7006, "During reading of group structure");
    uint64_t fixed = FixedPartBytes(fs);
    if (!variable) {
        if (head.length < fixed)
            return RecordError(7007, "During reading of data structure");
        *area = head.length - fixed;
        return 0;
    }
    Side side = SideOf(fs, kDataGroupKind);
    uint64_t step = 0;
    if (ReadAddressTable(side.fd, fs.form == kOldForm, side.big, &step, 1, address + fixed) != 8)
        return RecordError(7007, "During reading of data structure");
    *area = step;
    return 0;
}

int ComputeLocation(int set, const char *group, const char *element, Location *out)
{
    FileSet *fs = GetSet(set);
    uint64_t address;
    char gname[kNameLen + 1];
    int err = LookupDataGroup(set, group, &address, gname);
    if (err)
        return err;
    GroupRecord g;
    if ((err = LookupGroup(set, gname, &g)) != 0)
        return err;
    // Values are placed by the order numbers: on a damaged file whose order
    // numbers are not the group's dimension numbers, each once, the cell
    // numbers would run past the group's area and writes would land on
    // other records.
    // Positions beyond the number of dimensions must add nothing: extent 1.
    bool seen[MAX_DIM] = {};
    bool sound = true;
    for (int p = g.ndims; p < MAX_DIM; ++p)
        sound = sound && g.dims[p] == 1;
    for (int p = 0; sound && p < MAX_DIM; ++p) {
        int o = g.order[p];
        if (p < g.ndims) {
            sound = o >= 1 && o <= g.ndims && !seen[o - 1];
            if (sound)
                seen[o - 1] = true;
        } else {
            sound = o >= 1 && o <= MAX_DIM && g.dims[o - 1] <= 1;
        }
    }
    if (!sound)
        return RecordError(7006, "During reading of group structure");
    bool variable = false;
    for (int k = 0; k < g.ndims; ++k)
        variable = variable || g.dims[k] == 0;
    uint64_t area = 0;
    if ((err = DataGroupArea(set, *fs, address, variable, &area)) != 0)
        return err;
    auto cell = std::make_unique<CellRecord>();
    if ((err = LookupCell(set, g.cell, cell.get())) != 0)
        return err;
    Location l;
    l.cell_bytes = cell->cell_bytes;
    std::memcpy(l.dims, g.dims, sizeof l.dims);
    std::memcpy(l.order, g.order, sizeof l.order);
    l.ndims = g.ndims;
    l.address = address;
    l.variable = variable;
    l.area_bytes = area;
    ElementRecord e;
    if (element[0] == '*') {
        if (cell->count < 1)
            return RecordError(7004, "During reading of cell structure.");
        if ((err = LookupElement(set, cell->names[0], &e)) != 0)
            return err;
        l.offset = 0;
        l.element_bytes = cell->cell_bytes;
    } else {
        char key[kNameLen + 1];
        PadToWidth(key, element, kNameLen, kNameLen);
        uint64_t offset = 0;
        bool found = false;
        for (int i = 0; i < cell->count && !found; ++i) {
            if ((err = LookupElement(set, cell->names[i], &e)) != 0)
                return err;
            if (std::memcmp(e.name, key, kNameLen) == 0) {
                found = true;
                l.offset = offset;
                l.element_bytes = e.total_bytes;
            } else {
                offset += e.total_bytes;
            }
        }
        // The element must lie inside the cell (a damaged cell record could
        // say otherwise and send values into the next cell or record).
        if (found && (l.offset > cell->cell_bytes || l.element_bytes > cell->cell_bytes - l.offset))
            return RecordError(7004, "During reading of cell structure.");
        if (!found)
            return RecordError(9002, "Element \"%s\" of group \"%s\" not found on file \"%s\"\n",
                               NameText(element).c_str(), NameText(group).c_str(),
                               fs ? SetDataName(set).c_str() : "");
    }
    std::memcpy(l.type, e.type, sizeof l.type);
    l.value_size = e.value_size;
    std::memcpy(l.element_dims, e.dims, sizeof l.element_dims);
    *out = l;
    return 0;
}

int LocateElement(int set, const char *group, const char *element, Location *out)
{
    FileSet *fs = GetSet(set);
    if (fs == nullptr)
        return RecordError(6004, "Group '%s' does not exist in data file\n", NameText(group).c_str());
    char g[kNameLen + 1], e[kNameLen + 1];
    PadToWidth(g, group, kNameLen, kNameLen);
    PadToWidth(e, element, kNameLen, kNameLen);
    fs->location_in_use = true;
    if (fs->location_renew) {
        fs->locations.reset();
        fs->location_renew = false;
    }
    for (LocationNode *n = fs->locations.get(); n;) {
        if (std::memcmp(n->element, e, kNameLen) == 0 && std::memcmp(n->group, g, kNameLen) == 0) {
            FromNode(*n, out);
            return 0;
        }
        n = std::memcmp(e, n->element, kNameLen) < 0 ? n->left.get() : n->right.get();
    }
    int err = ComputeLocation(set, g, e, out);
    if (err)
        return err;
    auto node = std::make_unique<LocationNode>();
    std::memcpy(node->group, g, kNameLen);
    std::memcpy(node->element, e, kNameLen);
    node->cell_bytes = out->cell_bytes;
    std::memcpy(node->dims, out->dims, sizeof node->dims);
    std::memcpy(node->order, out->order, sizeof node->order);
    std::memcpy(node->element_dims, out->element_dims, sizeof node->element_dims);
    node->ndims = out->ndims;
    node->offset = out->offset;
    node->value_size = out->value_size;
    std::memcpy(node->type, out->type, sizeof node->type);
    node->address = out->address;
    node->element_bytes = out->element_bytes;
    node->variable = out->variable;
    node->area_bytes = out->area_bytes;
    std::unique_ptr<LocationNode> *slot = &fs->locations;
    while (*slot)
        slot = std::memcmp(e, (*slot)->element, kNameLen) < 0 ? &(*slot)->left : &(*slot)->right;
    *slot = std::move(node);
    return 0;
}

uint64_t FirstTableAddress(const FileSet &fs, uint64_t record)
{
    return record + (fs.form == kOldForm ? 408 : 424);
}

uint64_t TableBytes(const FileSet &fs)
{
    return fs.form == kOldForm ? 4 * kPointerTableWords : 8 * kPointerTableWords;
}

uint64_t NextFree(const Side &side)
{
    return side.table == nullptr || side.table->empty() ? 0 : (*side.table)[0];
}

// True when bytes at address lie behind the variable data group's record
// (fixed part and first table) and inside the used part of the file: the
// group's own tables and slices were all made there.
bool InGroupSpace(const FileSet &fs, const Side &side, uint64_t record, uint64_t address, uint64_t bytes)
{
    uint64_t end = record + FixedPartBytes(fs) + (fs.form == kOldForm ? 4 : 8) * uint64_t(1 + kPointerTableWords);
    uint64_t next_free = NextFree(side);
    return address != kNil && address >= end && bytes <= next_free && address <= next_free - bytes;
}

bool ReadTable(const FileSet &fs, const Side &side, uint64_t address, uint64_t *table)
{
    return ReadAddressTable(side.fd, fs.form == kOldForm, side.big, table, kPointerTableWords,
                            address) == 8 * kPointerTableWords;
}

bool WriteTable(const FileSet &fs, const Side &side, uint64_t address, const uint64_t *table)
{
    return WriteAddressTable(side.fd, fs.form == kOldForm, side.big, table, kPointerTableWords,
                             address) == 8 * kPointerTableWords;
}

// The largest 1-based variable index with tables below it (0 when none).
int HighestKey(const FileSet &fs, const Side &side, uint64_t record, uint32_t *largest)
{
    uint64_t table[kPointerTableWords];
    uint64_t at = FirstTableAddress(fs, record);
    uint32_t result = 0;
    for (int level = 0; level < 4; ++level) {
        // Below the first table, an entry that points outside the group's
        // space belongs to a damaged file.
        bool placed = level == 0 || InGroupSpace(fs, side, record, at, TableBytes(fs));
        if (!placed || !ReadTable(fs, side, at, table))
            return RecordError(6032, "On reading variable pointer table, table %ld", long(level));
        int k = kPointerTableWords - 1;
        while (k >= 0 && table[k] == kNil)
            --k;
        if (k < 0)
            break;
        result = result * 256 + uint32_t(k);
        at = table[k];
    }
    *largest = result;
    return 0;
}

// The slice of a 1-based key, nil when it has none.
int FindSlice(const FileSet &fs, const Side &side, uint64_t record, uint32_t key, uint64_t *slice)
{
    uint64_t table[kPointerTableWords];
    uint64_t at = FirstTableAddress(fs, record);
    for (int level = 0; level < 4; ++level) {
        bool placed = level == 0 || InGroupSpace(fs, side, record, at, TableBytes(fs));
        if (!placed || !ReadTable(fs, side, at, table))
            return RecordError(6031, "On reading variable pointer table, table %ld",
                               long(24 - 8 * level));
        at = table[(key >> (24 - 8 * level)) & 255];
        if (at == kNil)
            break;
    }
    *slice = at;
    return 0;
}

// slice_bytes: the bytes of the slice that the put reaches; an existing
// slice must hold them inside the group's space.
int VariableSliceAddress(int set, uint64_t record, uint32_t index, uint64_t slice_bytes, uint64_t *slice)
{
    FileSet *fs = GetSet(set);
    Side side = SideOf(*fs, kDataGroupKind);
    std::vector<uint64_t> &hash = *side.table;
    uint64_t table[kPointerTableWords];
    uint64_t at = FirstTableAddress(*fs, record);
    if (!ReadTable(*fs, side, at, table))
        return RecordError(6029, "On reading first variable pointer table");
    uint64_t a = hash[0];
    uint32_t key = index + 1;
    for (int level = 0; level < 4; ++level) {
        int shift = 24 - 8 * level;
        uint64_t &entry = table[(key >> shift) & 255];
        if (entry != kNil) {
            // A damaged table could send the put onto another record.
            if (!InGroupSpace(*fs, side, record, entry, level == 3 ? slice_bytes : TableBytes(*fs)))
                return RecordError(6031, "On reading variable pointer table, table %ld", long(shift));
            if (level == 3) {
                *slice = entry;
                return 0;
            }
            at = entry;
            if (!ReadTable(*fs, side, at, table))
                return RecordError(6031, "On reading variable pointer table, table %ld", long(shift));
            continue;
        }
        if (level == 3) {
            if (a == kNil || a < hash[0])
                return side.combined ? RecordError(6033, "Maximum size reached in DataDefinition file\n")
                                     : RecordError(6034, "Maximum size reached in data file\n");
            entry = a;
            if (!WriteTable(*fs, side, at, table))
                return RecordError(6030, "On reading variable pointer table, table %ld", long(shift));
            hash[0] = a;
            *slice = a;
            return 0;
        }
        if (a + TableBytes(*fs) < a)
            return side.combined ? RecordError(6033, "Maximum size reached in DataDefinition file\n")
                                 : RecordError(6034, "Maximum size reached in data file\n");
        entry = a;
        if (!WriteTable(*fs, side, at, table))
            return RecordError(6030, "On reading variable pointer table, table %ld", long(shift));
        at = a;
        a += TableBytes(*fs);
        for (uint64_t &w : table)
            w = kNil;
    }
    return 0;
}

// 0 found, 1 absent (also when the slice would not hold slice_bytes inside
// the group's space), or the error.
int VariableGroupSlice(int set, uint64_t record, uint32_t index, uint64_t slice_bytes, uint64_t *slice)
{
    FileSet *fs = GetSet(set);
    VarGroupEntry *entry = nullptr;
    for (VarGroupEntry &e : fs->var_groups)
        if (e.address == record) {
            entry = &e;
            break;
        }
    if (entry == nullptr)
        for (VarGroupEntry &e : fs->var_groups)
            if (e.address == kNil) {
                entry = &e;
                entry->address = record;
                break;
            }
    if (entry == nullptr)
        return RecordError(9001, "The variable MAX_VAR_GROUPS needs to be increased.\nContact Ostravel\n");
    Side side = SideOf(*fs, kDataGroupKind);
    int err = HighestKey(*fs, side, record, &entry->largest);
    if (err)
        return err;
    if (uint64_t(index) + 1 > entry->largest)
        return 1;
    if ((err = FindSlice(*fs, side, record, index + 1, slice)) != 0)
        return err;
    // An index below the largest whose slice was never made has no values.
    if (*slice == kNil)
        return 1;
    return InGroupSpace(*fs, side, record, *slice, slice_bytes) ? 0 : 1;
}

struct Selection {
    int32_t start[MAX_DIM], count[MAX_DIM], increment[MAX_DIM], group_dim[MAX_DIM];
    int variable_user = -1;  // 0-based user dimension along the variable dimension
    uint64_t values = 1;
    uint64_t bytes = 0;
};

// The checks common to put and get; put codes 4001-4006, get 3001-3008.
int CheckSelection(const Location &l, const int32_t index[15], const int32_t order[5], bool put,
                   Selection *sel)
{
    int result = 0;
    for (int u = 0; u < l.ndims; ++u) {
        long start = index[3 * u], stop = index[3 * u + 1], inc = index[3 * u + 2];
        long g = order[u];
        if (stop < start)
            result = RecordError(put ? 4001 : 3001,
                                 "Start value user index [%ld,2]=%ld should be smaller than [%ld,2]=%ld\n",
                                 long(u), start, long(u), stop);
        if (inc < 1)
            result = RecordError(put ? 4002 : 3002,
                                 "Increment value user index [%ld,2]=%ld should be greater than 0\n", long(u),
                                 inc);
        if (start < 1)
            result = RecordError(put ? 4003 : 3003,
                                 "Start value user index [%ld,0]=%ld should be greater than zero\n", long(u),
                                 start);
        // The user order picks a group dimension; outside 1..5 it would
        // address outside the group's arrays.
        if (g < 1 || g > MAX_DIM) {
            result = RecordError(put ? 4005 : 3007, "User order [%ld]=%ld should be between 1 and %d\n",
                                 long(u), g, MAX_DIM);
            continue;
        }
        long d = l.dims[g - 1];
        if (d > 0 && stop > d) {
            if (put)
                result = RecordError(4004, "Stop value user index [%ld,1]=%ld should be smaller than %ld\n",
                                     long(u), stop, d);
            else
                result = RecordError(3004, "Stop value %ld should be smaller than %ld\n", stop, d);
        }
    }
    if (result)
        return result;
    for (int u = 0; u < MAX_DIM; ++u) {
        if (u < l.ndims) {
            sel->start[u] = index[3 * u];
            sel->increment[u] = index[3 * u + 2];
            sel->count[u] = (index[3 * u + 1] - index[3 * u]) / index[3 * u + 2] + 1;
            sel->group_dim[u] = order[u];
            if (l.dims[order[u] - 1] == 0)
                sel->variable_user = u;
        } else {
            sel->start[u] = sel->count[u] = sel->increment[u] = 1;
            sel->group_dim[u] = u + 1;
        }
    }
    // A variable group is addressed along its variable dimension by exactly
    // one user dimension; values placed by any other would land outside
    // the slices, on the pointer tables or on other data.
    bool variable_group = false;
    for (int k = 0; k < l.ndims; ++k)
        if (l.dims[k] == 0)
            variable_group = true;
    bool misplaced = variable_group && sel->variable_user < 0;
    for (int u = 0; u < l.ndims; ++u)
        if (l.dims[order[u] - 1] == 0 && u != sel->variable_user)
            misplaced = true;
    if (misplaced)
        return RecordError(put ? 4005 : 3007, "User order does not address the variable dimension once\n");
    uint64_t n = 1;
    bool overflow = false;
    for (int u = 0; u < MAX_DIM; ++u) {
        if (n > UINT64_MAX / uint64_t(sel->count[u]))
            overflow = true;
        n *= uint64_t(sel->count[u]);
    }
    if (overflow || (l.element_bytes != 0 && n > UINT64_MAX / l.element_bytes) ||
        n * l.element_bytes > uint64_t(INT64_MAX))
        return RecordError(put ? 4006 : 3008, "Number of values selected is too large\n");
    sel->values = n;
    sel->bytes = n * l.element_bytes;
    return 0;
}

bool MulOverflows(uint64_t a, uint64_t b, uint64_t *out)
{
    if (a != 0 && b > UINT64_MAX / a)
        return true;
    *out = a * b;
    return false;
}

bool AddOverflows(uint64_t a, uint64_t b, uint64_t *out)
{
    *out = a + b;
    return *out < a;
}

// The bytes from the start of the area (fixed group) or of a slice
// (variable group) to the end of the farthest value the selection
// reaches; false when that does not fit in 64 bits.  The cell number grows
// with every group index, so the farthest value is the one at the last
// selected index of every dimension.
bool SelectionSpan(const Location &l, const Selection &sel, uint64_t *span)
{
    int64_t last[MAX_DIM] = {};
    for (int u = 0; u < MAX_DIM; ++u) {
        if (u == sel.variable_user)
            continue;
        int g = sel.group_dim[u] - 1;
        int64_t i = int64_t(sel.start[u]) + int64_t(sel.count[u] - 1) * sel.increment[u] - 1;
        last[g] = std::max(last[g], i);
    }
    uint64_t cell = 0;
    for (int p = MAX_DIM - 1; p >= 0; --p) {
        int o = l.order[p] - 1;
        uint64_t d = l.dims[o] == 0 ? 1 : uint64_t(l.dims[o]);
        if (MulOverflows(cell, d, &cell) || AddOverflows(cell, uint64_t(last[o]), &cell))
            return false;
    }
    uint64_t at = 0;
    return !MulOverflows(cell, l.cell_bytes, &at) && !AddOverflows(at, l.offset, &at) &&
           !AddOverflows(at, l.element_bytes, span);
}

// Every value must lie inside the record it addresses: a fixed group's
// values inside its recorded length and below the file's next-free
// address, a variable group's inside one slice of its recorded step.  A
// damaged group definition (a dimension larger than the data group was
// made with) is refused here with the index error, before anything moves.
// span receives the bytes of the area or slice the selection reaches.
int CheckInsideRecord(FileSet &fs, const Location &l, const Selection &sel, bool put, uint64_t *span)
{
    Side side = SideOf(fs, kDataGroupKind);
    uint64_t room = l.area_bytes;
    if (!l.variable) {
        uint64_t start = l.address + FixedPartBytes(fs);
        uint64_t next_free = NextFree(side);
        room = start < l.address || start > next_free ? 0 : std::min(room, next_free - start);
    }
    if (SelectionSpan(l, sel, span) && *span <= room)
        return 0;
    // The message names the user dimension along the slowest-varying fixed
    // group dimension, with the extent that the room gives it.
    int slow = -1;
    for (int p = 0; p < l.ndims; ++p)
        if (l.dims[l.order[p] - 1] > 0)
            slow = l.order[p] - 1;
    uint64_t layer = 1;
    for (int k = 0; k < l.ndims; ++k)
        if (k != slow && l.dims[k] > 0 && MulOverflows(layer, uint64_t(l.dims[k]), &layer))
            layer = UINT64_MAX;
    uint64_t need = l.offset + l.element_bytes;
    uint64_t cells = room < need ? 0 : l.cell_bytes == 0 ? UINT64_MAX : (room - need) / l.cell_bytes + 1;
    long extent = long(std::min<uint64_t>(cells / layer, uint64_t(INT32_MAX)));
    int u = 0;
    for (int k = 0; k < l.ndims; ++k)
        if (sel.group_dim[k] - 1 == slow)
            u = k;
    long stop = long(sel.start[u]) + long(sel.count[u] - 1) * sel.increment[u];
    if (put)
        return RecordError(4004, "Stop value user index [%ld,1]=%ld should be smaller than %ld\n", long(u), stop,
                           extent);
    return RecordError(3004, "Stop value %ld should be smaller than %ld\n", stop, extent);
}

// Calls visit(buffer offset, file address) for every selected value.
template <typename Visit>
bool ForEachValue(const FileSet &fs, const Location &l, const Selection &sel,
                  const std::vector<uint64_t> &slices, Visit visit)
{
    int32_t dims[MAX_DIM];
    for (int k = 0; k < MAX_DIM; ++k)
        dims[k] = l.dims[k] == 0 ? 1 : l.dims[k];
    uint64_t fixed_base = l.address + (fs.form == kOldForm ? kOldDataGroupFixedLen : kDataGroupFixedLen);
    int32_t k[MAX_DIM] = {};
    for (uint64_t n = 0; n < sel.values; ++n) {
        int64_t i[MAX_DIM] = {};
        uint64_t base = fixed_base;
        for (int u = 0; u < MAX_DIM; ++u) {
            if (u == sel.variable_user)
                base = slices[size_t(k[u])];
            else
                i[sel.group_dim[u] - 1] = int64_t(sel.start[u]) + int64_t(k[u]) * sel.increment[u] - 1;
        }
        uint64_t cell = 0;
        for (int p = MAX_DIM - 1; p >= 0; --p) {
            int o = l.order[p] - 1;
            cell = cell * uint64_t(dims[o]) + uint64_t(i[o]);
        }
        if (!visit(n * l.element_bytes, base + cell * l.cell_bytes + l.offset))
            return false;
        for (int u = 0; u < MAX_DIM; ++u) {
            if (++k[u] < sel.count[u])
                break;
            k[u] = 0;
        }
    }
    return true;
}

}  // namespace

int PutElementValues(int set, const char *group, const char *element, const int32_t index[15],
                     const int32_t order[5], const void *buffer)
{
    Location l;
    int err = LocateElement(set, group, element, &l);
    if (err)
        return err;
    Selection sel;
    if ((err = CheckSelection(l, index, order, true, &sel)) != 0)
        return err;
    FileSet *fs = GetSet(set);
    uint64_t span = 0;
    if ((err = CheckInsideRecord(*fs, l, sel, true, &span)) != 0)
        return err;
    Side side = SideOf(*fs, kDataGroupKind);
    const uint8_t *values = static_cast<const uint8_t *>(buffer);
    std::vector<uint8_t> scratch;
    if (side.big && sel.bytes > 0) {
        scratch.resize(size_t(sel.bytes));
        if ((err = ConvertByteOrder(scratch.data(), buffer, sel.bytes, l.value_size, l.type, 0)) != 0)
            return err;
        values = scratch.data();
    }
    std::vector<uint64_t> slices;
    if (sel.variable_user >= 0) {
        int u = sel.variable_user;
        // One slice holds the cells of all other dimensions.  A new slice
        // reserves what the group needs, but never more than the step word
        // of the data area gives a slice: no value lies beyond it (see
        // CheckInsideRecord), and a damaged group definition with a huge
        // dimension would otherwise make the file grow by gigabytes.
        uint64_t step_bytes = l.cell_bytes;
        for (int k = 0; k < l.ndims; ++k)
            if (l.dims[k] > 0 && MulOverflows(step_bytes, uint64_t(l.dims[k]), &step_bytes)) {
                step_bytes = UINT64_MAX;
                break;
            }
        step_bytes = std::min(step_bytes, l.area_bytes);
        for (int32_t kv = 0; kv < sel.count[u]; ++kv) {
            uint32_t v = uint32_t(sel.start[u] + kv * sel.increment[u] - 1);
            uint64_t slice = kNil;
            if ((err = VariableSliceAddress(set, l.address, v, span, &slice)) != 0)
                return err;
            std::vector<uint64_t> &hash = *side.table;
            if (slice == hash[0]) {
                if (hash[0] + step_bytes < hash[0])
                    return side.combined ? RecordError(6033, "Maximum size reached in DataDefinition file\n")
                                         : RecordError(6034, "Maximum size reached in data file\n");
                hash[0] += step_bytes;
            }
            slices.push_back(slice);
        }
    }
    bool ok = ForEachValue(*fs, l, sel, slices, [&](uint64_t at, uint64_t address) {
        return WriteAt(side.fd, values + at, address, int64_t(l.element_bytes)) == int64_t(l.element_bytes);
    });
    if (!ok)
        return RecordError(4007, "Error writing values of element \"%s\" of group \"%s\"\n",
                           NameText(element).c_str(), NameText(group).c_str());
    return 0;
}

int GetElementValues(int set, const char *group, const char *element, const int32_t index[15],
                     const int32_t order[5], int64_t buffer_len, void *buffer)
{
    Location l;
    int err = LocateElement(set, group, element, &l);
    if (err)
        return err;
    Selection sel;
    if ((err = CheckSelection(l, index, order, false, &sel)) != 0)
        return err;
    if (buffer_len < 0 || uint64_t(buffer_len) < sel.bytes)
        return RecordError(3005, "Buffer length too small, should be %llu instead of %ld\nGroup \"%s\", element \"%s\"\n",
                           static_cast<unsigned long long>(sel.bytes), long(buffer_len),
                           NameText(group).c_str(), NameText(element).c_str());
    FileSet *fs = GetSet(set);
    uint64_t span = 0;
    if ((err = CheckInsideRecord(*fs, l, sel, false, &span)) != 0)
        return err;
    Side side = SideOf(*fs, kDataGroupKind);
    std::vector<uint64_t> slices;
    if (sel.variable_user >= 0) {
        int u = sel.variable_user;
        for (int32_t kv = 0; kv < sel.count[u]; ++kv) {
            uint32_t v = uint32_t(sel.start[u] + kv * sel.increment[u] - 1);
            uint64_t slice = kNil;
            if (VariableGroupSlice(set, l.address, v, span, &slice) != 0)
                return RecordError(3006, "Variable dimension %ld not found for:\n group \"%s\", element \"%s\"\n",
                                   long(v) + 1, NameText(group).c_str(), NameText(element).c_str());
            slices.push_back(slice);
        }
    }
    // Values never written (beyond the end of the file) read as zeros.
    std::vector<uint8_t> scratch(size_t(sel.bytes), 0);
    bool ok = ForEachValue(*fs, l, sel, slices, [&](uint64_t at, uint64_t address) {
        return ReadAt(scratch.data() + at, side.fd, address, int64_t(l.element_bytes)) >= 0;
    });
    if (!ok)
        return RecordError(3009, "Error reading values of element \"%s\" of group \"%s\"\n",
                           NameText(element).c_str(), NameText(group).c_str());
    if (sel.bytes == 0)
        return 0;
    if (side.big)
        return ConvertByteOrder(buffer, scratch.data(), sel.bytes, l.value_size, l.type, 1);
    std::memcpy(buffer, scratch.data(), size_t(sel.bytes));
    return 0;
}

int LargestVariableIndex(int set, const char *group, int32_t *largest)
{
    uint64_t address;
    char gname[kNameLen + 1];
    int err = LookupDataGroup(set, group, &address, gname);
    if (err)
        return err;
    GroupRecord g;
    if ((err = LookupGroup(set, gname, &g)) != 0)
        return err;
    int32_t result = 0;
    bool variable = false;
    for (int k = 0; k < g.ndims; ++k) {
        if (g.dims[k] == 0)
            variable = true;
        result = std::max(result, g.dims[k]);
    }
    if (variable) {
        FileSet *fs = GetSet(set);
        uint32_t key = 0;
        if ((err = HighestKey(*fs, SideOf(*fs, kDataGroupKind), address, &key)) != 0)
            return err;
        result = int32_t(key);
    }
    *largest = result;
    return 0;
}

}  // namespace kelpa
