// The question-and-answer dialog of the euro converter.
#pragma once

#include "dialog/input_reader.hpp"
#include "dialog/output_buffer.hpp"

namespace euro_umrechner {

// Runs the whole dialog, reading answers from `input` and writing to `output`;
// returns when the user ends it, the input ends, or `output` fails. Leaves
// the last of the output in its buffer.
void runDialogOn(InputReader& input, OutputBuffer& output);

// Opens `output` on `sink` and `input` on `source`, flushing `output` before it
// waits, runs the dialog and hands on the rest of the output; false when a
// write failed. The caller keeps the two buffers, 144 KiB that belong in no
// stack frame, and may ask `input` afterwards what it left unread.
bool runDialogBetween(InputSource source, OutputSink sink, InputReader& input, OutputBuffer& output);

}  // namespace euro_umrechner
