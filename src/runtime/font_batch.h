// Several font settings as one change: while a FontChangeBatch lives, the owners of a font that
// changes hear nothing; when the outermost batch ends, the owners of each changed font hear once.
//
//   { rt::FontChangeBatch batch; f.Bold(true); f.Size(12); f.Name("Arial"); }   // one repaint
#pragma once

namespace rt {

class FontChangeBatch {
public:
    FontChangeBatch();
    ~FontChangeBatch();
    FontChangeBatch(const FontChangeBatch&) = delete;
    FontChangeBatch& operator=(const FontChangeBatch&) = delete;
};

}  // namespace rt
