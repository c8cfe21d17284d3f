#pragma once
// Mesa's software OpenGL (llvmpipe) sorts a frame's triangles into screen
// tiles in memory it allocates as the frame is drawn and frees once it is
// finished: a few hundred bytes a triangle, some 20 MB for a 100 k-triangle
// model. glibc gives the freed top of its heap back to the kernel, so every
// frame faulted those pages in again, which cost more than the drawing.
// With a GPU driver this only keeps some freed memory with the process.

// Keeps up to 64 MiB of freed heap with the process. Programs that draw
// call it once at start, before their first frame.
void KeepHeapForSoftwareGl();
