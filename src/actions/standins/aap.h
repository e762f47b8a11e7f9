// Stand-in for the page's alpha pictures until they arrive: the one member that the thumbnail
// choice calls on the member its browser names, LoadImage_FromFile, which here only keeps the
// path. The real array on the main window replaces this file.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace standins {

struct aicAlphaImage {
    std::string loadedFile;  // the path of the last LoadImage_FromFile
    bool LoadImage_FromFile(const std::string& path) {
        loadedFile = path;
        return true;
    }
};

// Member `index` of the alpha-picture array.
inline aicAlphaImage& aap(int16_t index) {
    static std::map<int16_t, aicAlphaImage> members;
    return members[index];
}

}  // namespace standins
