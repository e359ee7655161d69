// The question-and-answer dialog of the euro converter.
#pragma once

#include "dialog/input_reader.hpp"
#include "dialog/output_buffer.hpp"

// Runs the whole dialog, reading answers from `input` and writing to `output`;
// returns when the user ends it, the input ends, or `output` fails. Leaves
// the last of the output in its buffer.
void runDialogOn(InputReader& input, OutputBuffer& output);

// Runs the dialog on standard input and output. Ends the process with status 1
// and a message on standard error when reading or writing failed.
void runDialog();
