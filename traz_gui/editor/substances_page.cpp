// The Substances page (page 2) on the window-free substance set: list 4 the
// substances, field 8 the selected one's name, check box 12 its sticky mark
// (oil), field 10 with button 9 the nutrient file of "NH4_file" and
// "NO3_file" (red tide), radio buttons 1 (tracer), 13 (temperature), 2 (red
// tide) and 3 (oil) the model kind.
#include "substances_page.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "dialog_controls.h"
#include "editor_shell.h"
#include "field_check_boxes.h"
#include "ge_list.h"
#include "process_page.h"
#include "scenario.h"
#include "status_bar.h"
#include "time_tables.h"
#include "xyseries.h"

namespace {

enum : int32_t {
    kTracerRadio = 1,
    kRedTideRadio = 2,
    kOilRadio = 3,
    kList = 4,
    kAdd = 5,
    kDelete = 6,
    kName = 8,
    kNutrientButton = 9,
    kNutrientFile = 10,
    kSticky = 12,
    kTemperatureRadio = 13
};

const int32_t kKindRadios[] = {kTracerRadio, kTemperatureRadio, kRedTideRadio, kOilRadio};

SubstancePage g_page{MODEL_TRACER, -1, &g_scenario};
// The substance whose nutrient file field 10 shows (none while it is
// hidden): the field stores into that one only, whatever was selected,
// renamed or added since.
const Substance *g_nutrientShownFor = nullptr;

int32_t RadioOfKind(int kind)
{
    return kind >= MODEL_TRACER && kind <= MODEL_OIL ? kKindRadios[kind] : kTracerRadio;
}

bool IsEdit(const RUV_EVENT *event) { return event->v.control.type == 17 || event->v.control.type == 21; }

bool RedTideSupported() { return static_cast<int16_t>(g_scenario.redTideSwitch & 0xFFFF) != 0; }

// List 4 refilled with the names; the page's selection selected.
void RefillList(RUV_WIN window)
{
    SuspendListControl(window, kList);
    ClearList(window, kList);
    for (int i = 0; i < SubstanceCount(g_page.scenario); ++i)
        AddListItem(window, kList, -1, SubstanceAt(g_page.scenario, i)->name);
    if (g_page.selected >= 0)
        SetListItemSelected(window, kList, g_page.selected, 1);
    ResumeListControl(window, kList);
}

// Field 10 and its button shown with the nutrient file of sub, or hidden
// (sub null).
void ShowNutrientFields(RUV_WIN window, const Substance *sub)
{
    if (sub)
        SetControlTitle(window, kNutrientFile, sub->dataFile);
    g_nutrientShownFor = sub;
    SetControlVisible(window, kNutrientFile, sub ? 1 : 0);
    SetControlVisible(window, kNutrientButton, sub ? 1 : 0);
}

bool ShowsNutrientFile(const Substance *sub)
{
    return sub && g_page.kind == MODEL_RED_TIDE && IsNutrientSubstance(sub->name);
}

// The first substance selected and shown, with nothing stored into it
// from the fields of the set before.
void ShowFirstSubstance(RUV_WIN window)
{
    g_page.selected = -1;
    RefillList(window);
    if (SubstanceCount(g_page.scenario) > 0) {
        SetListItemSelected(window, kList, 0, 1);
        ShowSubstanceFields(window);
    }
}

bool ReleasesHoldValues(GE_List *releases)
{
    for (int i = 0; i < GE_ListCount(releases); ++i) {
        Location *release = nullptr;
        if (GE_ListGet(releases, i, &release) && release && TableHoldsValues(release->masses))
            return true;
    }
    return false;
}

// What a switch of the model kind drops: substances other than the kind's
// own defaults, a nutrient file chosen, oil-fraction parameters typed, or
// any decay rate, settling velocity, released mass or concentration other
// than 0.
bool KindSwitchDropsValues()
{
    static const char *const kDefaults[][5] = {
        {"tracer"}, {"temperature"}, {"RED-Q", "RED-N", "RED-C", "NH4_file", "NO3_file"}, {"Ekofisk"}};
    const ScenarioRecord *s = g_page.scenario;
    const int kind = g_page.kind >= MODEL_TRACER && g_page.kind <= MODEL_OIL ? g_page.kind : MODEL_TRACER;
    for (int i = 0; i < SubstanceCount(s) || (i < 5 && kDefaults[kind][i]); ++i) {
        const Substance *sub = SubstanceAt(s, i);
        const char *name = i < 5 ? kDefaults[kind][i] : nullptr;
        if (!sub || !name || std::strcmp(sub->name, name) != 0)
            return true;
        if (sub->dataFile[0] && std::strcmp(sub->dataFile, "- none yet -") != 0)
            return true;
        if (OilFractionTyped(sub->oilFraction))
            return true;
    }
    if (const ProcessParameters *p = s->processParameters) {
        if (TableHoldsValues(p->decayRates))
            return true;
        for (XYSeries *table : p->settling)
            if (TableHoldsValues(table))
                return true;
    }
    return ReleasesHoldValues(s->instantaneousReleases) || ReleasesHoldValues(s->continuousReleases);
}

// A switch to another kind replaces every substance, and with them their
// values: asked first, as Delete is, when there is something to lose.  No
// keeps the kind, its radio button checked again.
bool KindSwitchConfirmed(RUV_WIN window, int kind)
{
    if (kind == g_page.kind)
        return true;
    // What the fields hold counts too: stored, and shown again.
    ShowSubstanceFields(window);
    if (!KindSwitchDropsValues())
        return true;
    if (ruv_dm_post_ask("Yes", "No", nullptr, "%s", "You will lose data. Do you want to continue?") == 0)
        return true;
    CheckRadioGroup(window, RadioOfKind(g_page.kind), kKindRadios, 4);
    return false;
}

}  // namespace

SubstancePage *SubstancesPageRecord(void) { return &g_page; }

void ShowSubstancesPage(RUV_WIN window)
{
    if (!window)
        return;
    g_page.scenario = &g_scenario;
    g_page.selected = -1;
    g_page.kind = g_scenario.modelKind;

    for (int32_t id : kKindRadios)
        SetControlEnabled(window, id, 1);
    SetControlEnabled(window, kTemperatureRadio, 0);
    SetControlEnabled(window, kRedTideRadio, RedTideSupported() ? 1 : 0);
    CheckRadioGroup(window, RadioOfKind(g_page.kind), kKindRadios, 4);
    ShowNutrientFields(window, nullptr);
    SetControlVisible(window, kSticky, g_page.kind == MODEL_OIL ? 1 : 0);

    if (SubstanceCount(g_page.scenario) > 0) {
        ShowFirstSubstance(window);
        SubstancePageLayout(window, g_page.kind);
    } else {
        SetModelKind(SUBSTANCE_KIND_TRACER_REQUEST, window);
    }
    RefreshSubstanceTables(&g_startup, g_page.scenario);
}

// After a change of the substance set or the model kind: the startup
// tables follow, and every table and pane built on the old set is
// forgotten before anything could be stored from it.
static void SubstanceSetChanged()
{
    RefreshSubstanceTables(&g_startup, g_page.scenario);
    ForgetSubstanceTables();
    ForgetProcessPanes();
}

void StoreSubstanceFields(RUV_WIN window)
{
    Substance *sub = SubstanceAt(g_page.scenario, g_page.selected);
    if (sub && window) {
        RenameSubstanceEntry(&g_page, GetControlTitle(window, kName));
        SetSubstanceUnits(sub, g_page.kind);
        if (sub == g_nutrientShownFor && ShowsNutrientFile(sub))
            std::snprintf(sub->dataFile, sizeof sub->dataFile, "%s",
                          GetControlText(window, kNutrientFile, sizeof sub->dataFile).c_str());
    }
    if (window)
        ShowNutrientFields(window, nullptr);
}

int ShowSubstanceFields(RUV_WIN window)
{
    StoreSubstanceFields(window);
    g_page.selected = GetListSelIndex(window, kList);
    const Substance *sub = SubstanceAt(g_page.scenario, g_page.selected);
    if (!sub) {
        g_page.selected = -1;
        return -1;
    }
    SetControlTitle(window, kName, sub->name);
    if (g_page.kind == MODEL_OIL)
        SetControlChecked(window, kSticky, IsStickyFraction(g_page.scenario, sub) ? 1 : 0);
    if (ShowsNutrientFile(sub))
        ShowNutrientFields(window, sub);
    return g_page.selected;
}

void AddSubstance(const char *name, RUV_WIN window)
{
    StoreSubstanceFields(window);
    switch (AddSubstanceEntry(&g_page, name)) {
    case SUBSTANCE_LIST_FULL:
        PostNoteF("Maximum number of substances is %d !", SCEN_MAX_SUBSTANCES);
        return;
    case SUBSTANCE_DONE:
        break;
    default:
        return;
    }
    const Substance *sub = SubstanceAt(g_page.scenario, g_page.selected);
    SetControlTitle(window, kName, sub->name);
    if (ShowsNutrientFile(sub))
        ShowNutrientFields(window, sub);
    if (g_page.kind == MODEL_OIL)
        SetControlChecked(window, kSticky, 1);
    RefillList(window);
    SubstanceSetChanged();
}

void DeleteSubstance(RUV_WIN window)
{
    switch (DeleteSubstanceEntry(&g_page)) {
    case SUBSTANCE_LAST_FRACTION:
        PostErrorF("%s", "At least one oil fraction should remain!");
        return;
    case SUBSTANCE_DONE:
        break;
    default:
        return;
    }
    RefillList(window);
    SetControlTitle(window, kName, " ");
    ShowNutrientFields(window, nullptr);
    SubstanceSetChanged();
}

void RenameSubstance(RUV_WIN window, int32_t control)
{
    if (control != kName)
        return;
    if (RenameSubstanceEntry(&g_page, GetControlTitle(window, kName)) != SUBSTANCE_DONE)
        return;
    RefillList(window);
    SubstanceSetChanged();
}

void ToggleStickyFraction(RUV_WIN window)
{
    const bool sticky = IsControlChecked(window, kSticky) != 0;
    if (!sticky && IsStickyFraction(g_page.scenario, SubstanceAt(g_page.scenario, g_page.selected))) {
        // Un-ticking drops the fraction's dispersed and sticky columns: the
        // last fraction stays, as Delete keeps it, and typed values go only
        // when the user agrees.  Refused, the box is ticked again.
        int fractions = 0;
        for (int i = 0; i < SubstanceCount(g_page.scenario); ++i)
            fractions += IsStickyFraction(g_page.scenario, SubstanceAt(g_page.scenario, i)) ? 1 : 0;
        bool refused = false;
        if (fractions <= 1) {
            PostErrorF("%s", "At least one oil fraction should remain!");
            refused = true;
        } else if (UntickDropsValues(g_page.scenario, g_page.selected)) {
            refused = ruv_dm_post_ask("Yes", "No", nullptr, "%s", "You will lose data. Do you want to continue?") != 0;
        }
        if (refused) {
            SetControlChecked(window, kSticky, 1);
            return;
        }
    }
    if (SetSubstanceSticky(&g_page, sticky) != SUBSTANCE_DONE)
        return;
    RefillList(window);
    SubstanceSetChanged();
}

void SetModelKind(int kind, RUV_WIN window)
{
    if (kind == g_page.kind)
        return;
    const int shown = kind == SUBSTANCE_KIND_TRACER_REQUEST ? MODEL_TRACER : kind;
    CheckRadioGroup(window, RadioOfKind(shown), kKindRadios, 4);
    ShowNutrientFields(window, nullptr);
    ChangeModelKind(&g_page, kind);
    SubstancePageLayout(window, g_page.kind);
    ShowFirstSubstance(window);
    SubstanceSetChanged();
}

void SelectNutrientFile(RUV_WIN window)
{
    std::string name = SelectInputFile("fil");
    if (name.empty())
        return;
    if (g_startup.mode == STARTUP_STAND_ALONE) {
        RUV_FILE_DIR dir;
        char text[SCEN_DATA_FILE_LEN + 1] = "";
        if (ruv_fsys_get_dir(&dir) && ruv_fsys_convert_dir_to_str(&dir, text, sizeof text)) {
            std::string path = text;
            for (char &c : path)
                if (c == '\\')
                    c = '/';
            name = path + "/" + name;
        } else {
            PostNoteF("%s", "Current directory not found!");
        }
    }
    SetControlTitle(window, kNutrientFile, name.c_str());
}

void LimitNameLength(RUV_WIN window, int32_t control)
{
    // The nutrient file keeps what its record field holds.
    LimitFieldText(window, control, control == kName ? SUBSTANCE_TYPED_NAME_MAX : SCEN_DATA_FILE_LEN - 1, true);
}

void SubstancePageLayout(RUV_WIN window, int kind)
{
    if (kind == MODEL_TEMPERATURE && g_scenario.hydLayers < 2) {
        // The list takes the room of the model choice (design units,
        // halved into the pane's pixels as the pane itself).
        if (RUV_WIN list = ruv_win_get_ctl(window, kList)) {
            RUV_RECT rect;
            rect.top = 115 / 2;
            rect.left = 20 / 2;
            rect.bottom = 230 / 2;
            rect.right = 300 / 2;
            ruv_vobj_move(list, &rect);
        }
    }
    SetControlVisible(window, kSticky, kind == MODEL_OIL ? 1 : 0);
}

void FillUnitList(RUV_WIN window, int32_t listControl)
{
    ClearList(window, listControl);
    for (int i = 0; i < UNIT_PAIR_COUNT; ++i)
        AddListItem(window, listControl, -1, UnitPairText(i).c_str());
}

void FillSubstanceList(GE_List *list, int mode, RUV_WIN window, int32_t listControl)
{
    const char *unit = GetConcentrationUnit();
    for (int i = 0; i < GE_ListCount(list); ++i) {
        Substance *sub = nullptr;
        GE_ListGet(list, i, &sub);
        if (sub)
            AddListItem(window, listControl, -1, SubstanceListText(sub, mode, unit).c_str());
    }
}

void StoreSubstancesPage(ScenarioRecord *scenario, RUV_WIN page)
{
    StoreSubstanceFields(page);
    ProcessParameters *p = scenario->processParameters;
    if (scenario->hydLayers < 2 && p) {
        bool rebuild;
        if (scenario->modelKind == g_page.kind)
            rebuild = g_page.kind == MODEL_TEMPERATURE && scenario->temperatureVariant != 0;
        else
            rebuild = (scenario->modelKind == MODEL_TEMPERATURE && scenario->temperatureVariant == 0) ||
                      g_page.kind == MODEL_TEMPERATURE;
        if (rebuild) {
            XYSeries *fresh = CreateXYSeries(XYS_LINEAR, 0,
                                             g_page.kind == MODEL_TEMPERATURE ? SCEN_INTAKE_SERIES_TWO_LAYER
                                                                              : SCEN_INTAKE_SERIES);
            if (fresh) {
                DestroyXYSeries(p->intakes);
                p->intakes = fresh;
            }
        }
    }
    if (scenario->modelKind == MODEL_TEMPERATURE)
        scenario->temperatureVariant = 0;
    RefreshSubstanceTables(&g_startup, scenario);
    if (g_page.kind == MODEL_OIL && scenario->oilFractionCount == 0)
        PostErrorF("%s", "No oil fractions specified!");
}

bool FillSubstancesPage(int n)
{
    if (n != 2)
        return false;
    ShowSubstancesPage(PageWindows[2]);
    return true;
}

bool StoreSubstancesPageOf(int n)
{
    if (n != 2)
        return false;
    StoreSubstancesPage(&g_scenario, PageWindows[2]);
    return true;
}

// The Delete button and the Delete key: the question, then the selected
// substance deleted.
static void AskAndDeleteSubstance(RUV_WIN page)
{
    if (ruv_dm_post_ask("Yes", "No", nullptr, "%s", "You will lose data. Do you want to continue?") == 0)
        DeleteSubstance(page);
    SetModified(1);
}

void SubstancesPageKey(RUV_WIN page, const RUV_EVENT *event)
{
    if (IsDeleteKeyInList(page, event, kList) && GetListSelIndex(page, kList) >= 0)
        AskAndDeleteSubstance(page);
}

void SubstancesPageControl(RUV_WIN page, const RUV_EVENT *event)
{
    const int32_t id = event->v.control.id;
    switch (id) {
    case kTracerRadio:
    case kRedTideRadio:
    case kOilRadio: {
        const int kind = id == kTracerRadio ? MODEL_TRACER : id == kRedTideRadio ? MODEL_RED_TIDE : MODEL_OIL;
        if (!KindSwitchConfirmed(page, kind))
            break;
        CheckRadioInRange(page, id, 1, 3);
        SetModelKind(kind, page);
        EnableInitialConditionButton(kind == MODEL_OIL ? 1 : 0);
        SetModified(1);
        break;
    }
    case kTemperatureRadio:
        if (!KindSwitchConfirmed(page, MODEL_OIL))
            break;
        CheckRadioInRange(page, kOilRadio, 1, 3);
        SetModelKind(MODEL_OIL, page);
        EnableInitialConditionButton(1);
        break;
    case kList:
        if (ShowSubstanceFields(page) >= 0)
            statbar_set_title(page, "Edit current name and units");
        break;
    case kAdd:
        AddSubstance("", page);
        SetModified(1);
        statbar_set_title(page, "Edit name of new substance");
        break;
    case kDelete:
        AskAndDeleteSubstance(page);
        break;
    case kName:
        if (!IsEdit(event))
            break;
        if (event->v.control.data.edit.change == 0) {
            LimitNameLength(page, kName);
            SetModified(1);
        } else if (!event->v.control.data.edit.gained) {
            RenameSubstance(page, kName);
        }
        break;
    case kNutrientButton:
        SelectNutrientFile(page);
        break;
    case kNutrientFile:
        // Written in quotes, as the names are.
        if (IsEdit(event) && event->v.control.data.edit.change == 0)
            LimitNameLength(page, kNutrientFile);
        break;
    case kSticky:
        SetControlChecked(page, kSticky, IsControlChecked(page, kSticky) ? 0 : 1);
        ToggleStickyFraction(page);
        SetModified(1);
        break;
    default:
        break;
    }
}
