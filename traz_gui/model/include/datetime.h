// Date-time strings and time functions (module timefunc): validity checks,
// conversion between the stored 14-digit form, the edit form
// "dd mm yyyy hh mm ss" and a readable form with a month name, arithmetic on
// such strings, splitting and joining of second counts, and Julian days.
//
// Every function that returns text returns a static buffer of its own,
// overwritten by its next call; on failure it returns "", never NULL.  All
// parsers first trim their input (TrimBlanks).  Flags are 1 true, 0 false.
#ifndef TRAZ_DATETIME_H
#define TRAZ_DATETIME_H

#include <cstdint>

// A date-time: 14 digits yyyymmddhhmmss and a NUL.  A duration uses the
// same form with counts of years, months, days, hours, minutes, seconds.
constexpr int DATETIME_LEN = 14;
typedef char DateTimeString[DATETIME_LEN + 1];

// Tolerance of the second-splitting arithmetic.
constexpr double GE_EPSILON = 1e-8;

int16_t IsValidDateTime(const char *text);
int16_t IsValidDuration(const char *text);
int16_t IsLeapYear(int year);

// Stored form -> edit form "dd mm yyyy hh mm ss".
const char *DateTimeToDmy(const char *dateTime);
const char *DurationToDmy(const char *duration);
// Edit form (fields separated by blanks, '/' or ':') -> stored form.
const char *DmyToDateTime(const char *text);
const char *DmyToDuration(const char *text);
// Stored form <-> readable form "Jan 5, 2020 10:00:00".
const char *DateTimeToText(const char *dateTime);
const char *TextToDateTime(const char *text);
// "Jan".."Dec" -> 1..12 (exact, case-sensitive); 0 for anything else.
int MonthFromName(const char *name);

// yyyymmdd moved by days.  "" for an invalid date or a result outside the
// years 1000..9999.
const char *AddDaysToDate(const char *date, int days);
// The date-time that many seconds later (earlier when negative).  The sum is
// rounded to whole seconds, halves upward, and carried through minutes,
// hours and days.  "" for invalid input or a result outside 1000..9999.
const char *AddSecondsToDateTime(const char *dateTime, double seconds);
// *seconds = second minus first, exact in whole seconds.  Flag 0 (and
// *seconds untouched) when either is not a valid date-time.
int16_t DateTimeDiffSeconds(const char *first, const char *second, double *seconds);
// The same difference in minutes.  Held in double precision so that a time
// far from the reference keeps its whole seconds (MinutesToSeconds).
int16_t DateTimeDiffMinutes(const char *first, const char *second, double *minutes);

// Whole seconds of a time held in minutes: minutes * 60 rounded to the
// nearest second, halves upward, so that 50 s stored as 0.8333333 min
// stays 50 s.  Every conversion from stored minutes goes through here.
double MinutesToSeconds(double minutes);

// |seconds| split into days, hours (< 24), minutes (< 60) and the rest in
// seconds (fractional, below 60).
void SplitSeconds(double seconds, int *days, int *hours, int *minutes, float *secs);
// days * 86400 + hours * 3600 + minutes * 60 + seconds.
double JoinSeconds(int days, int hours, int minutes, float seconds);

// Julian day number (the day starting at noon); *julian = -1.0 for invalid
// fields.  1 January 2000 12:00:00 gives 2451545.0.
void CalendarToJulian(const int *year, const int *month, const int *day, const int *hour,
                      const int *minute, const int *second, double *julian);
// Back to the calendar; *year = -9999 (and nothing else set) for a negative,
// non-finite or out-of-range day.
void JulianToCalendar(const double *julian, int *year, int *month, int *day, int *hour,
                      int *minute, int *second);

#endif
