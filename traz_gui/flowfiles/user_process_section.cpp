// Section readers of the master definition file for the user-defined
// processes: the selection of processes by name from the user process
// catalogue with their numbers of inputs, the names of their data files
// and their real, integer and character coefficients; with the entry
// points that fill the catalogue and hand out what was read.

#include "process_sections.h"

#include "process_keywords.h"

#include <cstdio>
#include <string>

using sectionkw::Cursor;
using sectionkw::Reach;

namespace {

constexpr int32_t kSlots = kUserProcessSlots;
constexpr int32_t kKinds = 4;   // files, real, integer and character coefficients
constexpr int32_t kNameLength = 20;
constexpr int32_t kFileLength = 12;

struct CatalogueEntry {
    char name[kNameLength];
    int32_t requirements[kKinds];
    int32_t user;   // the selected entry that uses it, 0 when none
};

struct Catalogue {
    int32_t count = 0;
    CatalogueEntry entries[kUserCatalogueCapacity] = {};
};

struct UserProcesses {
    int32_t count = 0;
    char names[kSlots][kNameLength] = {};
    int32_t inputs[kSlots][kKinds] = {};
    char files[kSlots][kFileLength] = {};
    float reals[kSlots] = {};
    int32_t integers[kSlots] = {};
    char characters[kSlots][kNameLength] = {};
};

Catalogue g_catalogue;
UserProcesses g_user;

// The total of one kind of input over the selected processes.
int32_t Total(int32_t kind)
{
    int32_t total = 0;
    for (int32_t i = 0; i < g_user.count; ++i)
        total += g_user.inputs[i][kind];
    return total;
}

// A number as a two-character text (wider when it needs more).
std::string TwoDigits(int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%2d", static_cast<int>(value));
    return text;
}

}  // namespace

extern "C" void SET_USER_PROCESS_CATALOGUE(const int32_t *count, const char *names, int32_t names_len,
                                           const int32_t *requirements)
{
    g_catalogue = Catalogue();
    g_catalogue.count = std::min(std::max(0, *count), static_cast<int32_t>(kUserCatalogueCapacity));
    for (int32_t i = 0; i < g_catalogue.count; ++i) {
        CatalogueEntry &e = g_catalogue.entries[i];
        sectionkw::Store(e.name, kNameLength,
                         flowrec::FieldText(names + static_cast<size_t>(i) * static_cast<size_t>(std::max(0, names_len)),
                                            names_len));
        std::copy(requirements + kKinds * i, requirements + kKinds * (i + 1), e.requirements);
    }
}

extern "C" void GET_USER_PROCESS_RECORD(int32_t *count, char *names, int32_t names_len, int32_t *inputs, char *files,
                                        int32_t files_len, float *reals, int32_t *integers, char *characters,
                                        int32_t characters_len)
{
    *count = g_user.count;
    for (int32_t i = 0; i < kSlots; ++i) {
        sectionkw::Store(names + static_cast<size_t>(i) * static_cast<size_t>(std::max(0, names_len)), names_len,
                         std::string(g_user.names[i], kNameLength));
        std::copy(g_user.inputs[i], g_user.inputs[i] + kKinds, inputs + kKinds * i);
        sectionkw::Store(files + static_cast<size_t>(i) * static_cast<size_t>(std::max(0, files_len)), files_len,
                         std::string(g_user.files[i], kFileLength));
        reals[i] = g_user.reals[i];
        integers[i] = g_user.integers[i];
        sectionkw::Store(characters + static_cast<size_t>(i) * static_cast<size_t>(std::max(0, characters_len)),
                         characters_len, std::string(g_user.characters[i], kNameLength));
    }
}

extern "C" void READ_USER_PROCESSES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, char *record,
                                    int32_t record_len, int32_t *record_number, const int32_t *strict_mode)
{
    const bool strict = sectionkw::IsTrue(strict_mode);
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};

    for (int32_t i = 0; i < g_catalogue.count; ++i)
        g_catalogue.entries[i].user = 0;
    g_user = UserProcesses();
    for (int32_t i = 0; i < kSlots; ++i) {
        sectionkw::Store(g_user.names[i], kNameLength, "");
        sectionkw::Store(g_user.files[i], kFileLength, "");
        sectionkw::Store(g_user.characters[i], kNameLength, "");
    }
    if (g_catalogue.count == 0 || !cursor.Find("Nprcus", true, Reach::kRound))
        return;

    bool failed = false;
    auto finding = [&](const char *code, const std::string &text) {
        sectionkw::Report(diag_unit, code, text);
        failed = true;
        if (strict)
            *error = sectionkw::kTrue;
    };
    int32_t count = 0;
    if (!cursor.ReadInts("Nprcus", 1, 1, true, &count, 0))
        count = 0;
    if (count > g_catalogue.count) {
        finding("V211", TwoDigits(g_catalogue.count));
    } else if (count > kSlots) {
        // The record has room for ten selected processes.
        finding("V211", TwoDigits(kSlots));
    } else {
        g_user.count = std::max(0, count);
        int32_t totals[kKinds] = {};
        for (int32_t i = 0; i < g_user.count && !failed; ++i) {
            char name[kNameLength];
            cursor.ReadText("Prcusr", true, name, kNameLength, " ");
            sectionkw::Store(g_user.names[i], kNameLength, std::string(name, kNameLength));
            if (sectionkw::Blank(name, kNameLength)) {
                finding("V212", " ");
                break;
            }
            CatalogueEntry *entry = nullptr;
            for (int32_t c = 0; c < g_catalogue.count; ++c)
                if (std::equal(name, name + kNameLength, g_catalogue.entries[c].name))
                    entry = &g_catalogue.entries[c];
            const std::string text(name, kNameLength);
            if (!entry) {
                finding("V202", text);
                break;
            }
            if (entry->user != 0) {
                finding("V213", text);
                break;
            }
            entry->user = i + 1;
            int32_t inputs[kKinds] = {};
            if (!cursor.ReadInts("Nprinp", kKinds, kKinds, true, inputs, 0)) {
                std::fill(inputs, inputs + kKinds, 0);
                if (strict)
                    *error = sectionkw::kTrue;
            }
            std::copy(inputs, inputs + kKinds, g_user.inputs[i]);
            for (int32_t k = 0; k < kKinds && !failed; ++k) {
                if (inputs[k] != entry->requirements[k]) {
                    finding("V214", text);
                    break;
                }
                totals[k] += inputs[k];
                if (totals[k] > kSlots)
                    finding("V215", TwoDigits(totals[k]));
            }
        }
    }
    if (failed) {
        sectionkw::Report(diag_unit, "V201", " ");
        g_user.count = 0;
        for (int32_t i = 0; i < kSlots; ++i) {
            sectionkw::Store(g_user.names[i], kNameLength, "");
            std::fill(g_user.inputs[i], g_user.inputs[i] + kKinds, 0);
        }
    }
}

extern "C" void READ_USER_FILES(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error, char *record,
                                int32_t record_len, int32_t *record_number, const int32_t *strict_mode)
{
    if (g_user.count == 0)
        return;
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};
    const int32_t files = std::min(Total(0), kSlots);
    for (int32_t j = 0; j < files; ++j) {
        char name[kFileLength];
        cursor.ReadText("Filusr", true, name, kFileLength, " ", j == 0);
        sectionkw::Store(g_user.files[j], kFileLength, std::string(name, kFileLength));
        if (sectionkw::Blank(name, kFileLength)) {
            sectionkw::Report(diag_unit, "V220", " ");
            if (sectionkw::IsTrue(strict_mode))
                *error = sectionkw::kTrue;
            return;
        }
    }
}

extern "C" void READ_USER_COEFFICIENTS(const int32_t *def_unit, const int32_t *diag_unit, int32_t *error,
                                       char *record, int32_t record_len, int32_t *record_number,
                                       const int32_t *strict_mode)
{
    if (g_user.count == 0)
        return;
    Cursor cursor{def_unit, diag_unit, record_number, record, record_len};
    const char *failed = nullptr;
    const int32_t reals = std::min(Total(1), kSlots);
    const int32_t integers = std::min(Total(2), kSlots);
    const int32_t characters = std::min(Total(3), kSlots);
    if (reals > 0 && !cursor.ReadReals("Rcousr", reals, kSlots, false, g_user.reals, 0.0f))
        failed = "real";
    if (!failed && integers > 0 && !cursor.ReadInts("Icousr", integers, kSlots, false, g_user.integers, 0))
        failed = "integer";
    for (int32_t j = 0; !failed && j < characters; ++j) {
        char value[kNameLength];
        if (cursor.ReadText("Ccousr", true, value, kNameLength, " ", j == 0) != Cursor::Text::kValue)
            failed = "character";
        else
            sectionkw::Store(g_user.characters[j], kNameLength, std::string(value, kNameLength));
    }
    if (failed) {
        sectionkw::Report(diag_unit, "V221", failed);
        if (sectionkw::IsTrue(strict_mode))
            *error = sectionkw::kTrue;
    }
}
