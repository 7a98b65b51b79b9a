#pragma once

#include "accounts/ReportModel.h"
#include "accounts/ReportWords.h"

#include <QString>
#include <QTextDocument>

#include <array>
#include <memory>

namespace tallivor {

// The report as it is printed: the same words as the window, built from the model, the chart drawn for the page.
std::unique_ptr<QTextDocument> reportDocument(const ReportModel& model, const ReportWords& words,
                                              const std::array<double, 24>& hours,
                                              const std::array<QString, 24>& amounts);

} // namespace tallivor
