// One start-up of the program on the headless backend, told as a line a test
// compares whole: the port list when the dialog first waited (or that it never
// waited), the message boxes shown, and what was left open once it ended.
#pragma once

#include <string>

namespace robustness {

// "ports: COM1 COM10; boxes: none; descriptors left: 0; keys 0, files 0,
// processes 0, unreaped 0". Boxes are given by their texts.
std::string StartUpReport();

}  // namespace robustness
