// The CPU time of the calling thread: what a decode has cost, whatever else the machine is doing.
#pragma once

// Seconds of CPU (user and kernel) the calling thread has used since it started. Cheap to ask
// often: the system is asked at most every few milliseconds of wall time, so a value may lag by that.
double ThreadCpuSeconds();
