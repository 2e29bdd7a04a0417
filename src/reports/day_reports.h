#pragma once

#include "core/decimal.h"
#include "core/pos.h"

#include <string_view>
#include <vector>

namespace reports {

// A date text (month/day/year) as a number that orders dates as the calendar does; a text
// that is no date throws "'%s' is not a valid date".
qint64 dayKey(std::string_view text);
qint64 dayKey(const QString& text);

// The cost of a stored sale: its line costs from the first up to the first empty one.
core::Decimal saleCost(const std::vector<std::string_view>& costs);

// The reports over the sale table by day: the sales tax report, the daily report of one day,
// the daily totals of a range of days, and the year-end report by month.
class DayReports {
public:
    explicit DayReports(core::Pos& pos) : pos(pos) {}

    void doPrintTax();
    void doPrintDaily();
    void doPrintDailyRange();
    void doPrintYearEnd();

private:
    QString today() const;

    core::Pos& pos;
};

} // namespace reports
