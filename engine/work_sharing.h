#pragma once

#include <functional>

namespace passcat {

// Lends threads to the evaluation of one large block. The engine starts none of its
// own: whoever runs the evaluation decides how many threads there are.
class WorkSharing {
public:
    virtual ~WorkSharing() = default;

    // Runs work on the calling thread and on at most `helpers` other threads at
    // once, returning when every run of it has returned. Each run takes its own
    // share of the job until none is left, so any number of runs does it all.
    virtual void share(unsigned helpers, const std::function<void()>& work) = 0;
};

} // namespace passcat
