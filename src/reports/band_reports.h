#pragma once

#include "core/pos.h"
#include "reports/report.h"

#include <vector>

namespace reports {

// The ten band reports of the main window, kept for the life of the program: a report
// keeps what it was last given until code changes it.
class BandReports {
public:
    explicit BandReports(core::Pos& pos);

    // The report of this name ("QRInvoice", …); throws when there is none.
    Report& operator[](const QString& name);

    // Composes the report and shows it in the preview window, returning once it is closed.
    void preview(const QString& name) { output(name, true); }
    // Composes the report and prints it directly.
    void print(const QString& name) { output(name, false); }

private:
    void output(const QString& name, bool preview);

    core::Pos& pos;
    std::vector<Report> m_reports;
};

} // namespace reports
