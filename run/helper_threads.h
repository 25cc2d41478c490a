#pragma once

#include <functional>

#include "engine/work_sharing.h"

namespace passcat {

// Lends threads started for each share, at most one fewer than the processor has, so
// that with the calling thread every one is busy. The work must not throw on them.
class HelperThreads final : public WorkSharing {
public:
    void share(unsigned helpers, const std::function<void()>& work) override;
};

} // namespace passcat
