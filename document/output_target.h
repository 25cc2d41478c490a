#pragma once

#include <QString>

#include <optional>
#include <vector>

#include "run/calculation_run.h"
#include "run/run_input.h"

namespace passcat {

// A file a run has written besides its report, and how a refusal names it ("с
// таблицей").
struct WrittenOutput {
    QString path;
    QString name;
};

// Why an extra output of a finished run may not go to target: it is the run's input,
// its report, the profile it wrote or an output written before it, however the path
// is spelled ("совпадает с файлом данных"). None when it may.
std::optional<QString> OutputTargetConflict(const QString& target, const RunInput& input, const RunSettings& settings,
                                            const std::vector<WrittenOutput>& earlier = {});

} // namespace passcat
