// FileExists natively: a regular file counts; there are no hidden or system attributes here.
#include <sys/stat.h>

#include "shell/store/dTools.h"

namespace dTools {

bool FileExists(const std::string& path) {
    struct stat st;
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace dTools
