#include "reports/band_reports.h"

#include "core/errors.h"
#include "reports/compose.h"

namespace reports {

BandReports::BandReports(core::Pos& p) : pos(p), m_reports(allLayouts()) {}

Report& BandReports::operator[](const QString& name) {
    for (Report& r : m_reports)
        if (r.name == name) return r;
    throw core::PosError(QString("There is no report %1.").arg(name).toStdString());
}

void BandReports::output(const QString& name, bool preview) {
    pos.services.reports->output(compose((*this)[name]), preview);
}

} // namespace reports
