#pragma once
// What this process has used so far, read from the operating system: CPU time (user
// and system together) and the peak resident memory. Linux only: the benchmarks on
// the simulated desktop run natively.

namespace lantern::bench {

// CPU seconds this process has used, all threads.
double processCpuSeconds();

// The most memory this process has held resident at once, KiB (VmHWM).
long peakResidentKiB();

// What it holds resident now, KiB (VmRSS).
long residentKiB();

// Bytes of heap in use now (mallinfo2): unlike resident memory, it drops when
// memory is freed, so steady growth is a leak.
long heapInUseKiB();

}  // namespace lantern::bench
