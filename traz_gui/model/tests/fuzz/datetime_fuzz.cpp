// Fuzz target of the date-time text forms: the stored form, durations, the
// edit form, the readable form, day and second arithmetic.  Besides memory
// errors it checks that whatever one form accepts converts to the others and
// back unchanged, and that arithmetic results are valid date-times.
#include <cstdint>
#include <cstring>
#include <string>

#include "datetime.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // The text runs up to the first NUL; eight bytes after it, when there
    // are, give the seconds and days of the arithmetic.
    const std::string text(reinterpret_cast<const char *>(data), size);
    const char *t = text.c_str();
    const size_t rest = std::strlen(t) + 1;
    double seconds = 0.5;
    int days = 1;
    if (size >= rest + sizeof seconds) {
        std::memcpy(&seconds, data + rest, sizeof seconds);
        std::memcpy(&days, data + rest, sizeof days);
    }

    const bool valid = IsValidDateTime(t) != 0;
    IsValidDuration(t);
    MonthFromName(t);
    DurationToDmy(t);
    const std::string duration = DmyToDuration(t);
    Check(duration.empty() || (duration.size() == 14 && IsValidDuration(duration.c_str())));
    // A converted text is empty or a full 14-digit date-time.
    const std::string fromEdit = DmyToDateTime(t);
    const std::string fromText = TextToDateTime(t);
    Check(fromEdit.empty() || (fromEdit.size() == 14 && IsValidDateTime(fromEdit.c_str())));
    Check(fromText.empty() || (fromText.size() == 14 && IsValidDateTime(fromText.c_str())));

    const std::string dmy = DateTimeToDmy(t);
    const std::string readable = DateTimeToText(t);
    Check(valid == !dmy.empty());
    Check(valid == !readable.empty());
    if (valid) {
        const std::string canonical = DmyToDateTime(dmy.c_str());
        Check(IsValidDateTime(canonical.c_str()) != 0);
        Check(canonical == TextToDateTime(readable.c_str()));
        Check(dmy == DateTimeToDmy(canonical.c_str()));

        double diff = 0.0;
        Check(DateTimeDiffSeconds(t, canonical.c_str(), &diff) == 1 && diff == 0.0);
        const std::string later = AddSecondsToDateTime(t, seconds);
        if (!later.empty()) {
            Check(IsValidDateTime(later.c_str()) != 0);
            Check(later.size() == 14);
        }
        const std::string date = canonical.substr(0, 8);
        const std::string moved = AddDaysToDate(date.c_str(), days);
        Check(moved.empty() || moved.size() == 8);
    }
    AddDaysToDate(t, days);
    double diff = 0.0;
    DateTimeDiffSeconds(t, "20200101000000", &diff);
    return 0;
}
