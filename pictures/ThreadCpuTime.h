// The CPU time of the calling thread: what a decode has cost, whatever else the machine is doing.
#pragma once

// Seconds of CPU (user and kernel) the calling thread has used since it started, and what other
// processes have used on its behalf. Cheap to ask often: the system is asked at most every few
// milliseconds of wall time, so a value may lag by that.
double ThreadCpuSeconds();

// Counts CPU time that another process (the codec host) spent on the calling thread's work as the
// thread's own, so that a picture's budget holds wherever it is decoded.
void AddBorrowedCpuSeconds(double seconds);
