/* Saving a scenario: the file list that names the model's files by unit
   number and the model input file in the current version ("V3.66.00")
   format, with the helpers that format its times and tables.  Save and
   Save as of the File menu end here. */
#ifndef TRAZ_INPUT_WRITER_H
#define TRAZ_INPUT_WRITER_H

#include <cstddef>
#include <cstdint>
#include <cstdio>

struct ScenarioRecord;
struct StartupRecord;
struct XYSeries;

/* Results of WriteInputFile. */
enum {
    WRITE_OK = 0,
    WRITE_CANNOT_WRITE = 2,        /* a file could not be opened or written */
    WRITE_REFUSED = 10             /* no substance or no hydrodynamics */
};

/* Save (mode 0) and Save as (mode 1) of the current scenario (g_scenario,
   g_startup): checks the zoom grid and the settling tables, asks for a
   name when needed and writes.  Returns the writer's result, or 0 when
   nothing was written because a check failed or the dialog was cancelled. */
int32_t CmdSave(int32_t mode);
int32_t CmdSaveAs(void);

/* Writes the file list under the scenario's input name and the input file
   beside it (the name with its last four characters replaced by ".inp"),
   in the scenario's directory.  Each file is written to a temporary file in
   that directory and replaces the old one only when complete; a refused or
   failed save leaves the old files as they were. */
int32_t WriteInputFile(ScenarioRecord *scenario, const StartupRecord *startup);

/* The source with its last 4 characters replaced by ".inp" (".inp" is
   appended to a name of fewer than 4 characters); cut to size - 1. */
void MakeInputName(char *destination, size_t size, const char *source);

/* Seconds of a 14-digit duration text from its day, hour, minute and second
   fields (the first six characters are skipped); 0 for a shorter text. */
int32_t DurationToSeconds(const char *step);

/* A 14-digit time as "%d %2d %2d %2d" (flag 1: day, hour, minute, second
   of a duration) or "%4d %2d %2d %2d %2d %2d" (flag 0).  output holds at
   least 64 characters. */
void FormatTimeField(int flag, const char *time, char *output);

/* time - reference as "%d %2d %2d %2d" (days, hours, minutes, seconds), in
   whole seconds rounded to nearest; every field carries the sign of a
   negative offset.  output holds at least 64 characters. */
void FormatTimeOffset(const char *reference, const char *time, char *output);

/* Rows of times (minutes) and values (columns per row): each row
   "\n   %d %2d %2d %2d  " (unless noTime) and its values, 8 to a line. */
void WriteTimeTable(FILE *file, const double *times, const float *values, int rows,
                    int columns, int noTime);

/* Every row of the table: unlabelled, a time and the values 6 to a line;
   labelled, one value a line followed by "; " and labels[column].  Columns
   beyond the table's series are written as 0.  Nothing for a NULL table. */
void WriteSeriesTable(FILE *file, XYSeries *table, int labelled, int columns,
                      const char *const *labels);

#endif
