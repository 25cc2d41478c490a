#include "run/run_result.h"

namespace passcat {

int ExitStatusOf(RunOutcome outcome)
{
    switch (outcome) {
    case RunOutcome::AllAccepted:
        return kExitAllAccepted;
    case RunOutcome::SomeRejected:
        return kExitSomeRejected;
    case RunOutcome::Failed:
        break;
    }
    return kExitFailed;
}

} // namespace passcat
