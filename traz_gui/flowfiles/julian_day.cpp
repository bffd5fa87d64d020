// Julian day numbers of calendar dates, with the dates that do not exist
// recognised by converting the number back.

#include "timeseries_blocks.h"

#include <cstdint>

extern "C" void JULIAN_DAY_CONVERT(const int32_t *date, int32_t *day_number)
{
    // 64-bit arithmetic: no date, however wild, can overflow.
    const int64_t year = *date / 10000;
    const int64_t month = (*date % 10000) / 100;
    const int64_t day = *date % 100;
    const int64_t a = (month - 14) / 12;
    const int64_t jd = day - 32075 + 1461 * (year + 4800 + a) / 4 + 367 * (month - 2 - a * 12) / 12 -
                       3 * ((year + 4900 + a) / 100) / 4;

    int64_t l = jd + 68569;
    const int64_t n = 4 * l / 146097;
    l = l - (146097 * n + 3) / 4;
    int64_t i = 4000 * (l + 1) / 1461001;
    l = l - 1461 * i / 4 + 31;
    int64_t j = 80 * l / 2447;
    const int64_t k = l - 2447 * j / 80;
    l = j / 11;
    j = j + 2 - 12 * l;
    i = 100 * (n - 49) + i + l;

    const bool same = i == year && j == month && k == day;
    *day_number = same && jd > 0 && jd <= INT32_MAX ? static_cast<int32_t>(jd) : 0;
}
