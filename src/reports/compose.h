#pragma once

#include "core/document.h"
#include "reports/report.h"

namespace reports {

// The page: US Letter, half-inch margins, so bands start at 0.5 in and are 7.5 in wide.
inline constexpr double kMargin = 0.5;
inline constexpr double kPrintableWidth = 7.5;
inline constexpr double kPrintableHeight = 10.0;

// Lays a filled report out on pages: the page frame and header on every page, the title
// band once, the detail and summary bands once with their memos stretched and broken across
// pages after the same line in every memo, the footer at the bottom of every page.
core::Document compose(const Report& report);

// The face a layout names, as installed here: the metric twins of Arial, Times New Roman
// and Courier New; any other face as it is named.
QString installedFace(const QString& face);

} // namespace reports
