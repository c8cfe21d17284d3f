#include "render/software_gl_heap.h"

// Any C library header says whether this is glibc.
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace
{
// Above what one frame of a 100 k-triangle model frees (16 MiB was too
// little, 32 MiB enough), so larger models keep their pages too.
constexpr int kKeptHeapBytes = 64 << 20;
// Setting the trim threshold stops glibc moving its mmap threshold up as
// large blocks are freed; this is as far as that adjustment goes on 64-bit,
// so large buffers made again and again still come from the heap.
constexpr int kMmapThresholdBytes = 32 << 20;
} // namespace

void KeepHeapForSoftwareGl()
{
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, kMmapThresholdBytes);
    mallopt(M_TRIM_THRESHOLD, kKeptHeapBytes);
#endif
}
