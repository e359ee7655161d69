// The process around the dialog: its standard streams and its exit status.
#pragma once

namespace euro_umrechner {

// Runs the dialog on standard input and output, hands back the input it read
// ahead but did not use, and closes standard output.
void runDialog();

// Says on standard error, in German, what went wrong with the standard
// streams, if anything; returns the process's exit status.
int exitStatus();

}  // namespace euro_umrechner
