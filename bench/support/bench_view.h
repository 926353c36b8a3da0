// bench_view.h -- the 3D view alone in a 600 x 600 window, for frame and export benchmarks
#ifndef VELMORA_BENCH_VIEW_H
#define VELMORA_BENCH_VIEW_H

class OpenGL_WIN;

// the window shown and mapped (model drawing registered); the same view on later calls
OpenGL_WIN* OpenBenchView(void);
// one whole frame: draw, swap, wait for the renderer
void BenchFrame(OpenGL_WIN* view);
// n visible work-environment objects of the seven types, six apart on a 10-wide grid around
// the robot, turned a little
void PlaceBenchObjects(int n);

#endif
