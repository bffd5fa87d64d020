/* Opening a scenario: File Open, the reader of the model input file in every
   supported version ("V3.66.00", "V3.64.00", "V3.63.00", "V3.62.00",
   "V3.60.00" and the old tag "LUPREN_VERSION_3.60") with its conversion to
   the current layout, the work file without comments that the reader reads,
   and the reader of the older list (master) files.

   The reader fills the process-wide scenario (g_scenario) and the editor's
   substance tables of the start-up record (g_startup).  It works in the
   scenario's directory: the input file is resolved there and the work file
   "particle.wrk" is written there; the current directory is restored on
   every way out. */
#ifndef TRAZ_INPUT_READER_H
#define TRAZ_INPUT_READER_H

#include <cstddef>
#include <cstdint>

#include "ruv_types.h"

struct ScenarioRecord;
struct StartupRecord;

/* Results of ReadInputFile. */
enum {
    READ_OK = 0,
    READ_TEMPERATURE_MISMATCH = 1, /* parameter count does not fit the intake rows */
    READ_CANNOT_OPEN = 2,          /* input file not found, or the work file not made */
    READ_BAD_INPUT = 4             /* the file ended early or holds a value it cannot hold */
};

/* The work file, in the scenario's directory. */
#define INPUT_WORK_FILE "particle.wrk"

/* Longest content of a work-file line (a line of the input file without its
   comment and surrounding blanks).  Quoted paths and texts of up to 255
   characters stay whole; a longer line is refused, never cut. */
enum { INPUT_LINE_LIMIT = 1024, INPUT_MIN_LINE_LIMIT = 256, INPUT_RAW_LINE_LIMIT = 65536 };

/* File Open: asks before dropping a modified scenario, lets the user choose
   an input or list file, resets the scenario and reads it, refreshes the
   editor and tells the user when an older version was converted.  Returns
   the reader's result, 0 when nothing was read (cancelled). */
int32_t CmdOpen(RUV_WIN mainWindow);

/* Reads the input file named by the scenario's file specification (a list
   file is followed to the input file it names) in the scenario's directory.
   *obsolete = 1 when the file is older than "V3.66.00".  Returns a READ_
   result; every failure is reported to the user, and what was read before
   it stays in the scenario. */
int32_t ReadInputFile(int16_t *obsolete);

/* The input file of a chosen name: the name itself when it ends in ".inp"
   (any case); otherwise the chosen file is a list file whose first line
   names the input file between single quotes.  1, or 0 when the list file
   cannot be read or names nothing.  destination holds size bytes. */
int16_t ResolveInputName(char *destination, size_t size, const char *chosenName);

/* Copies the text between the first "'" of line and the next one (to the
   end of the line when there is no closing quote) to destination, at most
   maximum characters and fewer than 255 (destination holds maximum + 1); a
   quote written twice inside the text is one quote of the text.  Returns
   the position in line after the copied text, -1 when line has no "'". */
int32_t ExtractQuoted(int32_t maximum, const char *line, char *destination);

/* Flag 1: "d h m s" (a duration) -> "0000" + "%02d%02d%02d%02d"; flag 0:
   "y mo d h mi s" -> "%04d%02d%02d%02d%02d%02d".  output holds at least 15
   bytes.  1 when the text gives every field and the result is a valid
   duration (flag 1) or date-time (flag 0); else 0 and output "". */
int16_t ParseTimeField(int flag, const char *text, char *output);

/* The directory becomes empty and the name a copy of the path (name holds
   nameSize bytes). */
void SplitPathName(const char *path, char *directory, char *name, size_t nameSize);

/* Copies source to workFile without comments: each line trimmed, its text
   up to the first ";" outside single quotes kept, empty results dropped, a
   last line without line end included.  lineLimit (raised to at least
   INPUT_MIN_LINE_LIMIT) bounds the kept text of a line; a longer one is
   refused, as is a line of more than INPUT_RAW_LINE_LIMIT characters with
   its comment (it is never held whole).  Only a regular file is read.  0
   done; 2 when a file cannot be opened or written, a line is too
   long, or both names are one file (an explanation is shown for the work
   file and for a long line). */
int32_t StripInputComments(const char *source, const char *workFile, int32_t lineLimit);

/* Reads a list file of the older kind into the scenario (file names and
   grid).  0; 2 list file not found; 4 it ends early; 9 current directory
   not readable; 10 it does not name the input file.  Nothing in the program
   calls it. */
int32_t ReadMasterFile(const char *listFile, ScenarioRecord *scenario, StartupRecord *startup);

#endif
