/* The scenario being edited: the one process-wide ScenarioRecord with its
   sub-records (initial conditions, numerical and process parameters, oil
   fractions, substances, locations, output options), the constructors and
   destructors of list elements, the defaults and the reset.  Every editor
   page, the input file reader and writer and the hydrodynamics loader work
   on this record. */
#ifndef TRAZ_SCENARIO_H
#define TRAZ_SCENARIO_H

#include <cstdint>

#include "datetime.h"
#include "ge_list.h"
#include "ruv_types.h"
#include "xyseries.h"

/* Sizes of the fixed text slots (NUL included). */
enum {
    SCEN_TIME_LEN = DATETIME_LEN + 1, /* 14-digit date-time or duration text */
    SCEN_FILE_NAME_LEN = 256,
    SCEN_TITLE_LEN = 81,
    SCEN_TITLE_CHARS = 40,  /* what a title line holds, on the page and in the file */
    SCEN_VERSION_LEN = 17,
    SCEN_RELEASE_NAME_LEN = 30,
    SCEN_MAX_RELEASE_NAMES = 1000,
    SCEN_LOCATION_NAME_LEN = 40,
    SCEN_USER_TEXT_LEN = 256,
    SCEN_OIL_NAME_LEN = 20,
    SCEN_SUBSTANCE_NAME_LEN = 20,
    SCEN_UNIT_LEN = 20,
    SCEN_DESCRIPTION_LEN = 60,
    SCEN_DATA_FILE_LEN = 255,
    SCEN_INI_FILE_LEN = 256,
    SCEN_MAX_SUBSTANCES = 90,
    SCEN_SUBSTANCE_TABLE_LEN = 30, /* the editor's per-substance name and unit texts */
    SCEN_TABLE_SLOTS = 14,
    SCEN_PROJECT_ID_LEN = 256,
    SCEN_SCENARIO_NAME_LEN = 10,
    SCEN_LIST_FILE_KEY_LEN = 8
};

/* Model kinds. */
enum {
    MODEL_TRACER = 0,
    MODEL_TEMPERATURE = 1,
    MODEL_RED_TIDE = 2,
    MODEL_OIL = 3
};

/* The four time groups and the three times of each. */
enum {
    TIME_GROUP_SIMULATION = 0,
    TIME_GROUP_UNUSED = 1,         /* not carried by the input file */
    TIME_GROUP_HISTORY = 2,
    TIME_GROUP_MAP = 3,
    TIME_GROUP_COUNT = 4
};
enum { TIME_START = 0, TIME_STOP = 1, TIME_STEP = 2 };

/* The six times of the hydrodynamics. */
enum {
    HYD_TIME_START = 0,
    HYD_TIME_STOP = 1,
    HYD_TIME_STEP = 2,
    HYD_CONVERSION_START = 3,
    HYD_CONVERSION_STOP = 4,
    HYD_CONVERSION_STEP = 5,
    HYD_TIME_COUNT = 6
};

/* The eleven file names of the scenario. */
enum {
    FILE_HYD = 0,                  /* the *.hyd description */
    FILE_TOTAL_GRID = 1,
    FILE_GRID_INDICES = 2,
    FILE_GRID_COORDINATES = 3,
    FILE_VOLUMES = 4,
    FILE_FLOWS = 5,
    FILE_WALKING_DISCHARGES = 10,
    FILE_NAME_COUNT = 11
};

/* The eleven values of the temperature block, in order. */
enum {
    TEMP_SPECIFIC_HEAT, TEMP_DENSITY, TEMP_SALINITY, TEMP_AMBIENT,
    TEMP_EXCESS, TEMP_DILUTION, TEMP_MIXING_LAYER, TEMP_RICHARDSON,
    TEMP_BOTTOM_LAYER, TEMP_CRIT_DENS_DIFF, TEMP_BUOY_LENGTH,
    TEMP_VALUE_COUNT
};
enum { RED_TIDE_VALUE_COUNT = 23 };

/* The six settling tables, in order. */
enum {
    SETTLING_A0, SETTLING_A1, SETTLING_PERIOD, SETTLING_PHASE,
    SETTLING_VMIN, SETTLING_VMAX, SETTLING_TABLE_COUNT
};

enum { SCEN_PAGE_COUNT = 12, SCEN_INTAKE_SERIES = 10, SCEN_INTAKE_SERIES_TWO_LAYER = 9 };

struct InitialConditions {
    int32_t option;                /* 0 no initial particles, 1 oil patches from an ini file */
    int32_t fileGiven;             /* 1 once an ini file was named */
    char iniFile[SCEN_INI_FILE_LEN];
};

struct NumericalParameters {
    int32_t particleCount;
    int32_t verticalDispersionOption; /* 3 constant, 0 depth averaged */
    float scale;
    float dispersionCoefficient;   /* m2/s */
};

struct PhysicalParameters {
    float roughness;               /* m */
    float dispersionA;             /* D = a * t^b */
    float dispersionB;
    float windDrag;                /* % */
    float waterDensity;            /* kg/m3 */
    XYSeries *wind;                /* speed m/s, direction degrees */
};

struct OilFraction {
    char name[SCEN_OIL_NAME_LEN];
    float evaporation;             /* fraction per day */
    int32_t dispersionOption;      /* 0 fraction per day, 1 Delvigne/Sweeny formula */
    float dispersionRate;          /* per day, with option 0 */
    float stickyProbability;       /* [0,1] */
    float volatileFraction;        /* [0,1] */
    float emulsificationC1;
    float maxWaterContentC2;       /* [0,1] */
    float emulsificationStart;     /* evaporated fraction at which emulsification starts */
    float density;
    float viscosity;               /* kinematic, cSt */
};

struct ProcessParameters {
    XYSeries *decayRates;          /* 1/day, 1 series */

    int32_t temperatureCount;      /* 11 */
    float temperature[TEMP_VALUE_COUNT];
    XYSeries *intakes;             /* no time column; 10 series (9 two-layer) */

    int32_t redTideCount;          /* 23 */
    float redTide[RED_TIDE_VALUE_COUNT];

    GE_List *oilFractions;         /* pointers to OilFraction, owned */
    float coriolisAngle;           /* 3-D only */
    float minimumOilThickness;

    /* settling block */
    XYSeries *settling[SETTLING_TABLE_COUNT];
    GE_List *settlingNames;        /* pointers to "A0" ... "VMax" */
    void *settlingNull;
    float settlingExponent;        /* exponent for c */
    int32_t refinementFactor;      /* grid refinement for accurate settling */
    GE_List *refinementLabels;     /* pointers to the ten "%9d" labels */
    int32_t refinementLabelIndex;

    float chezy;                   /* m^1/2/s */
    float criticalShearSedimentation; /* Pa */
    float criticalShearErosion;    /* Pa */
    int16_t sedimentationErosion;
    int16_t tracks;
    PhysicalParameters *physical;
};

/* Zoom-grid block of the output options: ten 4-byte words. */
struct ZoomGrid {
    float xStart, xEnd, yStart, yEnd;       /* metres, first coordinate pair */
    float xStart2, xEnd2, yStart2, yEnd2;   /* second coordinate pair */
    int32_t cellsX, cellsY;
};

struct OutputOptions {
    ZoomGrid *zoomGrid;
    XYSeries *recovery;            /* 1 series: recovery(-) for scaling of output */
};

/* One instantaneous, continuous or user-defined release, or one
   observation point. */
struct Location {
    int32_t words[2];
    int32_t layer;                 /* 1-based release layer */
    int32_t userLayer;             /* user-defined release: its release layer */
    int32_t userOption;            /* user-defined release: 0 = a stop line follows */
    int32_t userWord3;
    int32_t userWord4;             /* stored minus 1, written plus 1 */
    int32_t spare[6];              /* spare[0] is -1 for user-defined releases read from a file */
    int32_t layerIndex;            /* layer - 1 */
    float loadScale;               /* kg/s */
    int32_t interpolation;         /* 0 block, 1 linear */
    int32_t spare2[2];
    float x, y;                    /* m */
    float x2, y2;                  /* second position */
    float depth;                   /* % under the surface (2-D) */
    int32_t radiusOption;          /* 0 user-defined radius, 1 formula Fay-Hoult */
    float radius;                  /* m */
    float particleShare;           /* % of the total particles */
    DateTimeString releaseTime;
    DateTimeString stopTime;
    int32_t word;
    XYSeries *releaseRates;        /* continuous release: m3/s */
    XYSeries *masses;              /* kg per substance, or kg/m3 for continuous releases */
    char name[SCEN_LOCATION_NAME_LEN];
    char userText[SCEN_USER_TEXT_LEN];
    int32_t closingWords[2];
    /* A user-defined release read from a map file (the rest of its choice
       is in the user fields: the file in userText, the option in
       userOption, the map file's time in stopTime, the substance's 1-based
       number in userWord3, the chosen map substance in userWord4). */
    int32_t substanceIndex;        /* 0-based in this simulation, -1 none */
    int32_t mapSubstanceCount;     /* substances of the map file, -1 unread */
    int32_t mapTime;               /* chosen map-file time, -1 none */
    GE_List *mapSubstances;        /* owned heap texts of the map file, NULL when not read */
    GE_List *mapTimes;             /* owned heap texts (edit form), NULL when not read */
    int32_t slots[10];             /* -1 at creation */
};

/* Frees a list of heap texts (GE_Alloc) and the list; NULL is ignored. */
void FreeTextList(GE_List *texts);

struct Substance {
    int32_t firstWord;
    int32_t words[10];
    int32_t words2[2];
    XYSeries *table;
    char concentrationUnit[SCEN_UNIT_LEN];
    char massUnit[SCEN_UNIT_LEN];
    int16_t isOilFraction;
    OilFraction *oilFraction;      /* second reference; the oil list owns it */
    char name[SCEN_SUBSTANCE_NAME_LEN];
    char description[SCEN_DESCRIPTION_LEN];
    char dataFile[SCEN_DATA_FILE_LEN]; /* red tide: "NH4_file"/"NO3_file" data file */
};

struct ScenarioRecord {
    int32_t modelKind;
    int32_t temperatureVariant;    /* kind 1: 1 full model (type 5), 0 two-layer model (type 2) */
    int32_t redTideSwitch;         /* low 16 bits: 1 = the red tide model may be used */
    DateTimeString timeGroups[TIME_GROUP_COUNT][3];
    DateTimeString outputReferenceDate;
    DateTimeString takeOverTime;   /* duration form */
    InitialConditions *initialConditions;
    NumericalParameters *numericalParameters;
    GE_List *substances;           /* pointers to Substance, oil fractions first */
    ProcessParameters *processParameters;
    char releaseNames[SCEN_MAX_RELEASE_NAMES][SCEN_RELEASE_NAME_LEN];
    int32_t releaseNameCount;
    int32_t oilFractionCount;
    GE_List *instantaneousReleases; /* pointers to Location */
    GE_List *continuousReleases;
    GE_List *userDefinedReleases;
    GE_List *observationPoints;
    OutputOptions *outputOptions;
    int32_t coordinatePairSelector; /* always 0 */
    int32_t mmax;                  /* grid columns */
    int32_t nmax;                  /* grid rows */
    int32_t gridLayers;
    int32_t depthCount;            /* segments with a depth */
    int32_t activeGridLength;
    int32_t *activeGrid;           /* per cell: > 0 segment, < 0 boundary, 0 inactive */
    float *x;                      /* mmax * nmax */
    float *y;
    float *segmentDepths;          /* depthCount */
    DateTimeString hydReferenceTime; /* T0 */
    int32_t hydWord;
    int32_t hydLayers;             /* 0 = no *.hyd loaded, 1 = 2-D */
    DateTimeString hydTimes[HYD_TIME_COUNT];
    int32_t hydFlag;
    int32_t pageFlags[SCEN_PAGE_COUNT];
    char fileNames[FILE_NAME_COUNT][SCEN_FILE_NAME_LEN];
    char titles[3][SCEN_TITLE_LEN];
    RUV_FILE_SPEC scenarioFile;    /* directory and input (list-file) name */
    char version[SCEN_VERSION_LEN];
    /* The input file that the list file read names, in full with '/', when
       it is not the list's name with ".inp": a save writes back into it.
       Empty: the input file is the list's name with ".inp". */
    char inputFile[SCEN_FILE_NAME_LEN];
};

/* What the command line and the start-up directory decide, and the
   per-substance tables that the editor pages share. */
struct StartupRecord {
    char substanceNames[SCEN_MAX_SUBSTANCES][SCEN_SUBSTANCE_TABLE_LEN];
    char massUnits[SCEN_MAX_SUBSTANCES][SCEN_SUBSTANCE_TABLE_LEN];
    char concentrationUnits[SCEN_MAX_SUBSTANCES][SCEN_SUBSTANCE_TABLE_LEN];
    int16_t oilFlags[SCEN_MAX_SUBSTANCES];
    int32_t selectionIndex;        /* -1 after the defaults */
    int32_t tableSlotFlags[SCEN_TABLE_SLOTS]; /* slot number once the reader filled the slot */
    int16_t gridAvailable;         /* 1 when the last hydrodynamics load read its grid */
    char projectId[SCEN_PROJECT_ID_LEN];
    char scenarioName[SCEN_SCENARIO_NAME_LEN];
    RUV_FILE_DIR directoryCopies[2];
    RUV_FILE_DIR startupDirectory;
    RUV_FILE_SPEC scenarioFile;    /* start-up directory, type "inp", input name */
    char directoryText[SCEN_FILE_NAME_LEN]; /* start-up directory with '/' separators */
    int32_t mode;                  /* STARTUP_STAND_ALONE or STARTUP_PROJECT */
    char listFileKey[SCEN_LIST_FILE_KEY_LEN];
};

enum { STARTUP_STAND_ALONE = 0, STARTUP_PROJECT = 1 };

/* The one scenario and the one start-up record of the process. */
extern ScenarioRecord g_scenario;
extern StartupRecord g_startup;

/* The version tag that the writer writes. */
#define SCENARIO_CURRENT_VERSION "V3.66.00"

/* Sets every default; allocates the sub-records, lists and tables that are
   missing.  Returns 4. */
int32_t SetScenarioDefaults(StartupRecord *startup, ScenarioRecord *scenario);
/* The scenario's folder (the directory text that file names are written
   relative to and that the title shows) becomes dir; 0 when dir cannot be
   converted, which leaves the folder as it was. */
int16_t SetScenarioFolder(StartupRecord *startup, const RUV_FILE_DIR *dir);
/* A scenario that may not be written (an older model that is no longer
   supported): why, or NULL while it may be saved.  ResetScenario makes the
   scenario saveable again. */
void RefuseScenarioSave(const char *why);
const char *ScenarioSaveRefusal(void);

/* Frees every substance, location and oil fraction, replaces the tables by
   empty ones and sets the defaults again (with g_startup), clearing the
   per-substance tables of g_startup. */
void ResetScenario(ScenarioRecord *scenario);

/* The instantaneous and the continuous releases together; an input file
   holds at most SCEN_MAX_RELEASE_NAMES of them. */
int32_t ReleaseCount(const ScenarioRecord *scenario);

Location *CreateLocation(void);
void FreeLocation(Location *location);

OilFraction *CreateOilFraction(void);
void FreeOilFractions(ProcessParameters *process);

Substance *CreateSubstance(void);
void FreeSubstance(Substance *substance);
void FreeSubstanceList(GE_List *substances);

/* Series count of a fresh intake table for the given kind and variant. */
int32_t IntakeSeriesCount(int32_t modelKind, int32_t temperatureVariant);

#endif
