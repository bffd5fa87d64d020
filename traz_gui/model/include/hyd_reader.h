/* Reader of the hydrodynamics description file (*.hyd): a keyword file that
   names the result files of a hydrodynamic computation and gives its times,
   grid sizes and layers.  A generated scanner and parser fill a
   HydDescription; ReadHydFile copies the times, description lines and
   companion file names into the scenario. */
#ifndef TRAZ_HYD_READER_H
#define TRAZ_HYD_READER_H

#include <stddef.h>
#include <stdint.h>
#include <stdio.h>

struct ScenarioRecord;

enum {
    HYD_FILE_SLOTS = 21,
    HYD_FILE_LEN = 256,
    HYD_TIME_SLOTS = 8,
    HYD_TIME_LEN = 15,
    HYD_DESCRIPTION_LINES = 3,
    HYD_DESCRIPTION_LEN = 60,
    HYD_INT_SLOTS = 20,
    HYD_VALUE_SLOTS = 200,
    HYD_BOUNDARY_CELLS = 1000,
    HYD_FIRST_THICKNESS = 6        /* first value slot of the layer thicknesses */
};

/* File slots, in the order of the file keywords. */
enum {
    HYD_HYDRODYNAMIC_FILE, HYD_AGGREGATION_FILE, HYD_GRID_INDICES_FILE,
    HYD_GRID_COORDINATES_FILE, HYD_VOLUMES_FILE, HYD_AREAS_FILE,
    HYD_FLOWS_FILE, HYD_POINTERS_FILE, HYD_LENGTHS_FILE, HYD_SALINITY_FILE,
    HYD_TEMPERATURE_FILE, HYD_VERT_DIFFUSION_FILE, HYD_SURFACES_FILE,
    HYD_TOTAL_GRID_FILE, HYD_SHEAR_STRESSES_FILE, HYD_CHEZY_FILE,
    HYD_DISCHARGES_FILE, HYD_DESCRIPTION_FILE, HYD_WALKING_DISCHARGES_FILE,
    HYD_ATTRIBUTES_FILE, HYD_DEPTHS_FILE
};

/* Time slots. */
enum {
    HYD_REFERENCE_TIME, HYD_START_TIME, HYD_STOP_TIME, HYD_TIMESTEP,
    HYD_CONVERSION_REF_TIME, HYD_CONVERSION_START_TIME,
    HYD_CONVERSION_STOP_TIME, HYD_CONVERSION_TIMESTEP
};

/* Integer slots. */
enum {
    HYD_TASK = 0,
    HYD_GEOMETRY = 1,
    HYD_HORIZONTAL_AGGREGATION = 2,
    HYD_MIN_VERT_DIFFUSION_USED = 3,
    HYD_CELLS_FIRST_DIRECTION = 4,
    HYD_CELLS_SECOND_DIRECTION = 5,
    HYD_HYDRODYNAMIC_LAYERS = 6,
    HYD_WATER_QUALITY_LAYERS = 7,
    HYD_HYDRODYNAMIC_THICKNESS_START = 8,
    HYD_WATER_QUALITY_THICKNESS_START = 9,
    HYD_VERTICAL_DIFFUSION = 10,
    HYD_HORIZONTAL_EXCHANGES = 11,
    HYD_VERTICAL_EXCHANGES = 12
};

/* Value slots. */
enum {
    HYD_UPPER_LAYER = 0,
    HYD_LOWER_LAYER = 1,
    HYD_INTERFACE_DEPTH = 2,
    HYD_FIRST_DIRECTION = 3,
    HYD_SECOND_DIRECTION = 4,
    HYD_THIRD_DIRECTION = 5
};

struct HydDescription {
    char files[HYD_FILE_SLOTS][HYD_FILE_LEN];
    char times[HYD_TIME_SLOTS][HYD_TIME_LEN];
    char descriptionLines[HYD_DESCRIPTION_LINES][HYD_DESCRIPTION_LEN];
    int32_t descriptionLineCount;
    int32_t integers[HYD_INT_SLOTS];
    float values[HYD_VALUE_SLOTS];
    int32_t valueCounter;          /* next free value slot for thicknesses */
    int32_t layersGiven[2];        /* hydrodynamic, water-quality block read */
    int32_t boundaryCells[HYD_BOUNDARY_CELLS];
    int32_t boundaryCellCount;
};

/* Results of ReadHydFile. */
enum {
    HYD_READ_OK = 0,
    HYD_CANNOT_OPEN = 2,
    HYD_PARSE_FAILED = 5
};

/* Reads the *.hyd file at path into the description and copies times,
   description lines and file names into the scenario.  0 read (also for a
   NULL or empty path: nothing read, scenario untouched), 2 cannot open,
   5 does not parse.  After a failure the scenario is unchanged, and the
   times and description lines that carry over to the next read are those
   of the last read that succeeded. */
int32_t ReadHydFile(const char *path, ScenarioRecord *scenario);

/* Reads the description file at path into description (which the caller
   has given its start values) as ReadHydFile does, and nothing else: only
   a regular file of a description's size, whose times make a simulation.
   Result codes as ReadHydFile's. */
int32_t ReadHydDescription(const char *path, HydDescription *description);

/* The description that the last read filled (one process-wide instance). */
HydDescription *GetHydDescription(void);

/* Start values for a read: the times and description lines are kept. */
void SetHydStartValues(HydDescription *description);

/* Parses a whole stream or a text in memory into the description (which
   the caller has given its start values).  0 parsed, 5 failed. */
int32_t ParseHydStream(FILE *file, HydDescription *description);
int32_t ParseHydText(const char *text, size_t length, HydDescription *description);

/* Called by the scanner with every token code before the token is
   returned; does nothing. */
void HydTokenHook(int token);

/* Writes "<message> near or at line <n>  [<token>]" to standard output,
   with the line and text of the current token of the read in progress. */
void HydParseError(const char *message);

#endif
