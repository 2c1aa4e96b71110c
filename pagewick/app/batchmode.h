#pragma once

namespace pw {

/// `pagewick --batch ...`: converts the named files and folders without a window, through the
/// same queue, command line and runner as the window. Prints "ok INPUT -> OUTPUT" or
/// "failed INPUT: REASON" per file; returns 0 when every file was converted, 1 when one failed
/// or none was found, 2 for wrong arguments. `argv[1]` is "--batch".
int RunBatch(int argc, char** argv);

} // namespace pw
