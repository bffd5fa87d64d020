/* Keyword records of the flow-model definition file and the message file
   of its readers.

   The definition file holds records of 80 characters: a keyword in the
   leading columns, then its values; character values stand between '#'
   characters, numbers are words separated by blanks; a record whose keyword
   field is blank continues the values of the record before it.  Diagnostics
   go to a diagnostic unit as lines looked up by a 4-character code in the
   message file "errfil".

   Calling convention as in flow_files.h: every argument by reference, each
   text followed directly by its length, passed by value.  Logical values
   are int32: -1 true, 0 false (any non-zero value is taken as true).
   Columns are 1-based.  Single-threaded use only. */
#ifndef TRAZ_KEYWORD_RECORDS_H
#define TRAZ_KEYWORD_RECORDS_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* The readers' shared definition state that these routines read: the
   number of leading columns that hold the keyword (6 at start), the first
   column scanned for values (8 at start) and the directory of the message
   file (blank at start: "errfil" in the current directory; the text is cut
   at its first blank). */
typedef struct FlowDefinitionState {
    int32_t keyword_width;
    int32_t value_start;
    char message_directory[60];
} FlowDefinitionState;

FlowDefinitionState *FlowDefinitionStateGet(void);

/* ---------------------------------------------------------- record search */

/* Finds the next record whose first field_width characters contain the
   keyword.  Records are read "(a80)" into record (blanked before each
   read).  Unless new_search is set, the next record is read before the
   first test.  The search runs cyclically: at the end of the file the unit
   is rewound and the record number starts again from 0; every read adds 1,
   and when a read reaches stop_record the search gives up (found false;
   when print_flag begins with 'Y' or 'y', " *** ERROR Record <keyword> not
   found" on standard output).  The search also gives up when it meets the
   end of the file a second time, so a stop record that never comes (0, or
   beyond the file) cannot make it run forever.  A read error sets error
   (and prints " *** ERROR I/O error while reading input file" under the
   same flag); found is then false. */
void FIND_KEYWORD_RECORD(const int32_t *unit, int32_t *error, const int32_t *new_search, int32_t *record_number,
                         int32_t *found, const int32_t *stop_record, char *record, int32_t record_len,
                         const int32_t *field_width, const char *keyword, int32_t keyword_len,
                         const char *print_flag, int32_t print_flag_len);

/* ---------------------------------------------------------- keyword values
   Common arguments: unit of the definition file, error flag (set true on an
   error, never cleared), keyword (its text up to the first blank), the
   new-search flag, the record buffer (80 characters), record number and
   stop record number of the search, diagnostic unit.  An invalid value
   writes "U036" with the keyword and sets error; a missing keyword is
   "U100" with error set, unless it is optional (see READ_KEYWORD_STRING). */

/* One character value: the text between the first '#' at or after the
   value start column and the next '#' (to the end of the record when no
   second '#' follows; no '#' at all is an error), trimmed of blanks; a
   blank text gives the default value; longer than the value is an error.
   value_length_out receives value_len.  required (in/out): below 1 the
   keyword is optional and, when it is missing, becomes 999; 1 or more and
   missing: "U100", required -1, error.  An invalid value also sets
   required to -1. */
void READ_KEYWORD_STRING(const int32_t *unit, int32_t *error, const char *keyword, int32_t keyword_len,
                         const int32_t *new_search, int32_t *required, char *record, int32_t record_len,
                         char *value, int32_t value_len, const char *default_value, int32_t default_len,
                         int32_t *value_length_out, int32_t *record_number, const int32_t *stop_record,
                         const int32_t *diag_unit);

/* Up to *count character values (an array of texts of value_len characters
   each), one '#'-delimited text after the other, continuing on records
   whose keyword field is blank; a new keyword record (or the end of the
   file) ends the reading, the remaining values get the default and *count
   returns the number read.  A count of 1 that finds no text is an error; a
   text longer than *max_length (or value_len) is an error. */
void READ_KEYWORD_STRINGS(const int32_t *unit, int32_t *error, const char *keyword, int32_t keyword_len,
                          const int32_t *new_search, int32_t *count, char *record, int32_t record_len,
                          char *values, int32_t value_len, const char *default_value, int32_t default_len,
                          const int32_t *max_length, int32_t *record_number, const int32_t *stop_record,
                          const int32_t *diag_unit);

/* *count numbers from the value start column on, continuing on records
   whose keyword field is blank.  With count 1 the value must be on the
   keyword record; a new keyword record before count values is an error;
   count 0 reads every value up to the next keyword record.  values holds
   *capacity numbers: values past it are still read and checked but not
   kept.  A word in brackets ("[...]") gives the fill value and is an error
   unless brackets_allowed is set; a word that is not a number is an
   error. */
void READ_KEYWORD_INTS(const int32_t *unit, int32_t *error, const char *keyword, int32_t keyword_len,
                       const int32_t *new_search, const int32_t *count, char *record, int32_t record_len,
                       int32_t *values, const int32_t *capacity, const int32_t *fill,
                       const int32_t *brackets_allowed, int32_t *record_number, const int32_t *stop_record,
                       const int32_t *diag_unit);
void READ_KEYWORD_REALS(const int32_t *unit, int32_t *error, const char *keyword, int32_t keyword_len,
                        const int32_t *new_search, const int32_t *count, char *record, int32_t record_len,
                        float *values, const int32_t *capacity, const float *fill,
                        const int32_t *brackets_allowed, int32_t *record_number, const int32_t *stop_record,
                        const int32_t *diag_unit);

/* Normalises a file-format value (11 characters): "UN" without "FR" gives
   "unformatted", "FR" without "UN" "formatted"; both are matched in upper
   case as written, so "un" or "fr" count as neither.  Both or neither:
   "U036" with the keyword and error set. */
void CHECK_FILE_FORMAT(const int32_t *diag_unit, const char *keyword, int32_t keyword_len, char *format,
                       int32_t format_len, int32_t *error);

/* True (-1) when the file named by the text up to its first blank exists;
   else writes the message code with that name and returns false (0). */
int32_t CHECK_FILE_EXISTS(const char *name, int32_t name_len, const int32_t *diag_unit, const char *code,
                          int32_t code_len);

/* ---------------------------------------------------------- word scanners
   A word is a run of non-blank characters; a scan skips blanks from
   *position and stops at last_column.  On return *word_end and *position
   are the column just after the word.  status: 1 a word was taken, 0 the
   line ended before a word. */

/* status -1: the word is longer than *max_length (or word_len); else the
   word is copied blank-padded. */
void SCAN_NEXT_WORD(const char *line, int32_t line_len, const int32_t *last_column, int32_t *position,
                    int32_t *word_end, char *word, int32_t word_len, const int32_t *max_length, int32_t *status);

/* The word read as an integer ("(Iw)") or a real ("(Fw.0)", so a real
   without a decimal point is a whole number).  A word that begins with '['
   or ends with ']' gives the fill value and status -1; one that begins with
   '[' without ending with ']' makes the scan skip to the column after the
   next ']' on the line (or its end).  A word that is not a number gives the
   fill value and status -2. */
void SCAN_NEXT_INT(const char *line, int32_t line_len, const int32_t *last_column, int32_t *position,
                   int32_t *word_end, int32_t *value, const int32_t *fill, int32_t *status);
void SCAN_NEXT_REAL(const char *line, int32_t line_len, const int32_t *last_column, int32_t *position,
                    int32_t *word_end, float *value, const float *fill, int32_t *status);

/* *count scans of SCAN_NEXT_INT; stops early with status 0 when the line
   ends, or with -2 at a word that is not a number. */
void SCAN_INT_ARRAY(const char *line, int32_t line_len, const int32_t *last_column, int32_t *position,
                    int32_t *word_end, const int32_t *count, int32_t *values, const int32_t *fill,
                    int32_t *status);

/* The text between the next two '#' from column *start: *start becomes the
   column after the opening '#', *end the column before the closing one (or
   last_column when none follows).  No '#' at or after *start: error set. */
void FIND_HASH_DELIMITED_VALUE(const char *record, int32_t record_len, const int32_t *last_column,
                               int32_t *start, int32_t *end, int32_t *error);

/* Trims the blanks of record(*first..*last) on both sides (first and last
   move to the trimmed text) and copies it blank-padded into value; *length
   is the maximum in and the text's length out (0 for a blank text).  A text
   longer than the maximum (or value_len) sets error and copies nothing. */
void COPY_TRIMMED_VALUE(const char *record, int32_t record_len, int32_t *first, int32_t *last, int32_t *length,
                        char *value, int32_t value_len, int32_t *error);

/* Lower-cases A-Z in the first *count characters (at most text_len). */
void TO_LOWER_CASE(char *text, int32_t text_len, const int32_t *count);

/* ---------------------------------------------------------- messages */

/* Writes the line of a message code to the diagnostic unit (unit 0: calls
   WRITE_MESSAGE_TO_SCREEN and nothing else).  The line is the code's record
   in the message file from column 6, with the caller's text in place of a
   '#' (the '#' dropped when the text is empty; without a '#' three blanks
   follow the text), cut to 79 characters.  A code missing from the message
   file (or a message file that cannot be opened) ends the program after
   " *** ERROR message file incomplete ! <code>" and a wait for Enter. */
void REPORT_MESSAGE(const int32_t *diag_unit, const char *code, int32_t code_len, const char *text,
                    int32_t text_len);

/* Run by the readers before their first message: when no message
   directory is set and the current directory holds no message file, sets
   the directory to the program's own (where the message file ships),
   provided a message file lies there and the directory's name fits the 60
   characters without a blank.  Otherwise changes nothing. */
void SetDefaultMessageDirectory(void);

/* Messages to the screen are not shown by this program: does nothing. */
void WRITE_MESSAGE_TO_SCREEN(const char *code, int32_t code_len, const char *text, int32_t text_len);

#ifdef __cplusplus
}

/* While a hold lives (holds nest), the lines reported take the message
   file's records as the first line of the hold read them, without reading
   the file again; a line that looks in another directory reads the file
   there.  A read of a definition holds the message file for its lines. */
class MessageFileHold {
public:
    MessageFileHold();
    ~MessageFileHold();
    MessageFileHold(const MessageFileHold &) = delete;
    MessageFileHold &operator=(const MessageFileHold &) = delete;
};
#endif

#endif
