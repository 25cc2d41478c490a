#pragma once

#include <QString>
#include <QUndoStack>

#include "gui/surface_change.h"
#include "run/run_result.h"

namespace passcat {

// After a re-run of a track with other settings: the surfaces marked on the run shown
// before (marked; original: that run as it came) are carried to the blocks of the new
// run (after, shown already) by distance along the track, every block they change one
// SurfaceChange, all in one step of changes. Says which marks were kept and which
// could not be (the stretch is gone or was cut, or the block is no longer rated).
QString CarrySurfaceMarks(const RunResult& marked, const RunResult& original, const RunResult& after,
                          QUndoStack& changes, const SurfaceChange::PutBlock& put);

} // namespace passcat
