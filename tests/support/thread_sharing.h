#pragma once

#include <functional>
#include <thread>
#include <vector>

#include "engine/work_sharing.h"

namespace passcat::testing {

// Runs the work on the calling thread and on every helper asked for, all at once.
struct ThreadSharing final : WorkSharing {
    void share(unsigned helpers, const std::function<void()>& work) override
    {
        std::vector<std::jthread> threads;
        for (unsigned k = 0; k < helpers; ++k)
            threads.emplace_back(work);
        work();
        shared = true;
    }
    bool shared = false;
};

} // namespace passcat::testing
