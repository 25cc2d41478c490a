#pragma once

#include <QString>

#include <optional>

#include "document/document_format.h"
#include "document/trip_report.h"

namespace passcat {

// Builds the trip report's document and writes it to path in format, replacing an
// older file only once complete; the message of a failure, if any.
std::optional<QString> WriteTripDocument(const QString& path, DocumentFormat format, const TripReport& report);

} // namespace passcat
