// The least the same work can cost, done with plain system calls in the same
// run as the program's, so both see the same machine.
#pragma once

#include <cstddef>
#include <string>

#include "bench/port_world.h"
#include "bench/program_timing.h"

namespace bench {

// Start-up: one exclusive open and close of every port name the program
// probes (COM1 to COM225), with the checks such an open needs: a character
// device before it is opened (so that nothing else is), a terminal, not locked
// by another program, not in exclusive mode; and one read of the hive.
Duration StartUpFloor(const PortWorld& world);

// Apply: the least a durable update of the settings costs, one atomic
// replacement of a file of `size` bytes in the world's prefix: write a
// temporary file, flush it, rename it over the file, flush the folder.
Duration ApplyFloor(const PortWorld& world, std::size_t size);

}  // namespace bench
