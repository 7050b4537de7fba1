#include "connectivity/DateTime.h"

namespace qv {
namespace {

// Days from 1 March of year 0 in the proleptic Gregorian calendar.
int64_t DayNumber(int64_t year, int64_t month, int64_t day) {
    if (month <= 2)
        --year;
    const int64_t era = (year >= 0 ? year : year - 399) / 400;
    const int64_t yearOfEra = year - era * 400;
    const int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra;
}

}  // namespace

int64_t MinutesSinceZeroPoint(const LocalTime& t) {
    const int64_t days = DayNumber(t.year, t.month, t.day) -
                         DayNumber(kDateTimeZero.year, kDateTimeZero.month, kDateTimeZero.day);
    return days * 1440 + t.hour * 60 + t.minute;
}

int64_t MinutesBetween(const LocalTime& from, const LocalTime& to) {
    return MinutesSinceZeroPoint(to) - MinutesSinceZeroPoint(from);
}

}  // namespace qv
