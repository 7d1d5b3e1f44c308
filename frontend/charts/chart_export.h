// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "frontend/charts/chart_page.h"
#include "frontend/logic/run/file_error.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace varmkalk {

// The page's chart as a PNG picture, twice the export size in pixels.
QByteArray chart_png(const ChartPage& page);

// The page's chart on one landscape A4 page of PDF, drawn as vectors.
QByteArray chart_pdf(const ChartPage& page);

// The report of a calculation: a first page with its identity, the date `made`, where the values
// come from and the summary with the inputs, then every chart on a page of its own.
QByteArray report_pdf(const ChartYear& year, const std::vector<const ChartPage*>& pages,
                      const QDateTime& made);

// Writes `bytes` to `path` whole or not at all: a file that was there stays as it was when the
// writing fails.
std::optional<FileError> save_export(const QString& path, const QByteArray& bytes);

}  // namespace varmkalk
