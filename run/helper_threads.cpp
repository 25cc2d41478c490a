#include "run/helper_threads.h"

#include <algorithm>
#include <system_error>
#include <thread>
#include <vector>

namespace passcat {

void HelperThreads::share(unsigned helpers, const std::function<void()>& work)
{
    const unsigned count = std::min(helpers, std::max(std::thread::hardware_concurrency(), 1u) - 1);
    std::vector<std::jthread> threads;
    threads.reserve(count);
    try {
        for (unsigned k = 0; k < count; ++k)
            threads.emplace_back(work);
    } catch (const std::system_error&) {
        // With fewer helpers the work gets done all the same.
    }
    work();
}

} // namespace passcat
