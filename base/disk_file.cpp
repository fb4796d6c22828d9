// Committing a file's data to the disk.
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
