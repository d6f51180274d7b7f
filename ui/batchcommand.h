#pragma once
// "calidor --batch": a set-up file run to its end without any window, its
// record written as CSV. Needs a QCoreApplication only.

#include "ui/commandline.h"

#include <cstdio>

namespace calidor {

/// Exit statuses of a run without a window.
enum BatchStatus { BatchDone = 0, BatchBadInput = 2, BatchFault = 3 };

/// Reads the set-up, applies the overrides, runs it, writes the CSV files.
/// Progress goes to `progress` for runs longer than a second, messages to
/// `errors`. Returns a BatchStatus.
int runBatchCommand(const CommandLine::BatchRequest& request, std::FILE* progress = stderr,
                    std::FILE* errors = stderr);

} // namespace calidor
