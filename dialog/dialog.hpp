// The question-and-answer dialog of the euro converter.
#pragma once

#include "dialog/input_reader.hpp"
#include "dialog/output_buffer.hpp"

namespace euro_umrechner {

// Runs the whole dialog, reading answers from `input` and writing to `output`;
// returns when the user ends it, the input ends, or `output` fails. Leaves
// the last of the output in its buffer.
void runDialogOn(InputReader& input, OutputBuffer& output);

}  // namespace euro_umrechner
