// The question-and-answer dialog of the euro converter.
#pragma once

#include <cstdio>

#include "dialog/input_reader.hpp"

// Runs the whole dialog, reading answers from `input` and writing to `output`;
// returns when the user ends it, the input ends, or `output` fails.
void runDialogOn(InputReader& input, std::FILE* output);

// Runs the dialog on standard input and output. Ends the process with status 1
// and a message on standard error when reading or writing failed.
void runDialog();
