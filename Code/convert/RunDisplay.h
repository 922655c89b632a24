#pragma once

#include "ConvertJob.h"
#include "ConvertRequest.h"

#include <memory>
#include <ostream>

// How a run shows its progress on Out: Bar draws a bar for each job and one
// for the run on a terminal; None is silent; Json writes one object a line,
// flushed at once, for other programs; otherwise one line a file as it ends.
// Auto is Bar when Out is a terminal: TerminalColumns wide, 0 when none.
std::unique_ptr<IJobProgress> MakeRunDisplay(TProgressStyle Style, std::ostream& Out,
                                             int TerminalColumns, int Jobs, size_t Files);
