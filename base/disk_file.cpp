// Committing a file's data to the disk, and cutting a file back.
#include "base/disk_file.h"

#if defined(_WIN32)
#include <io.h>
#else
#include <unistd.h>
#endif

bool CommitToDisk(FILE* stream) {
    if (std::fflush(stream) != 0) {
        return false;
    }
#if defined(_WIN32)
    return _commit(_fileno(stream)) == 0;
#else
    return fsync(fileno(stream)) == 0;
#endif
}

bool CutFileTo(FILE* stream, long length) {
    // Whatever is still buffered belongs to what is cut away, so a flush that fails does not matter here.
    std::fflush(stream);
#if defined(_WIN32)
    return _chsize(_fileno(stream), length) == 0;
#else
    return ftruncate(fileno(stream), length) == 0;
#endif
}
