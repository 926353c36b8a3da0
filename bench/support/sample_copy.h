// sample_copy.h -- benchmarks that load robots work in a private copy of the sample data,
// since a robot load writes posture files beside the robots
#ifndef VELMORA_BENCH_SAMPLE_COPY_H
#define VELMORA_BENCH_SAMPLE_COPY_H

// copy data/ to a new folder under /tmp, change into it and remove it at exit; once per
// process (later calls return the first result): 0, or -1 after a message
int EnterSampleCopy(void);

#endif
