#include "controls/buttons/vx_math.h"

#include <algorithm>
#include <cctype>
#include <cmath>

namespace controls {

namespace {

int Channel(uint32_t c, int shift) {
    return static_cast<int>((c >> shift) & 0xFF);
}

uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

// Half of an integer sum, a half going to the even neighbour.
int HalfEven(int sum) {
    int q = sum / 2;
    if (sum % 2 != 0 && q % 2 != 0) ++q;
    return q;
}

}  // namespace

uint32_t VxShiftColor(uint32_t color, float fraction) {
    // The float's own value, widened: 0.3 adds 77, since its 32-bit value is slightly above 0.3.
    const double step = static_cast<double>(fraction) * 255.0;
    auto shift = [&](int v) {
        return std::clamp(static_cast<int>(std::nearbyint(v + step)), 0, 255);
    };
    return Rgb(shift(Channel(color, 0)), shift(Channel(color, 8)), shift(Channel(color, 16)));
}

uint32_t VxBlendColors(uint32_t a, uint32_t b) {
    return Rgb(HalfEven(Channel(a, 0) + Channel(b, 0)), HalfEven(Channel(a, 8) + Channel(b, 8)),
               HalfEven(Channel(a, 16) + Channel(b, 16)));
}

uint32_t VxGradientEntry(uint32_t c1, uint32_t c2, int i, int n) {
    auto entry = [&](int shift) {
        const int a = Channel(c1, shift), b = Channel(c2, shift);
        if (n <= 1) return a / 2 + b / 2;
        return a + ((b - a) * i) / (n - 1);
    };
    return Rgb(entry(0), entry(8), entry(16));
}

void VxGradientPixels(int w, int h, uint32_t c1, uint32_t c2, int direction, uint32_t* out) {
    if (w <= 0 || h <= 0) return;
    const int n = direction == 0 ? w : direction == 1 ? h : w + h - 1;
    for (int py = 0; py < h; ++py)
        for (int px = 0; px < w; ++px) {
            int i = direction == 0 ? px : direction == 1 ? py : direction == 2 ? px + py : px + (h - 1 - py);
            const uint32_t c = VxGradientEntry(c1, c2, i, n);
            out[static_cast<size_t>(py) * static_cast<size_t>(w) + static_cast<size_t>(px)] =
                (static_cast<uint32_t>(Channel(c, 0)) << 16) | (static_cast<uint32_t>(Channel(c, 8)) << 8) |
                static_cast<uint32_t>(Channel(c, 16));
        }
}

char VxAccessKey(const std::string& caption) {
    if (caption.size() <= 1) return 0;
    size_t amp = caption.find('&');
    if (amp == std::string::npos || amp + 1 >= caption.size()) return 0;
    if (caption[amp + 1] != '&')
        return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[amp + 1])));
    // "&&" stands for an ampersand: the key is marked by the next single one.
    amp = caption.find('&', amp + 2);
    if (amp == std::string::npos || amp + 1 >= caption.size() || caption[amp + 1] == '&') return 0;
    return static_cast<char>(std::tolower(static_cast<unsigned char>(caption[amp + 1])));
}

VxCaptionLayout VxLayoutCaption(const VxCaptionInput& in) {
    const int W = in.W, H = in.H, tw = in.tw, th = in.th, ps = in.ps;
    int px = 0, py = 0, tx = 0, ty = 0;
    switch (in.pictureAlign) {
        case 0:
            px = 4, py = (H - ps) / 2;
            tx = std::max(W / 2 - tw / 2 + ps / 2, ps + 8), ty = H / 2 - th / 2;
            break;
        case 1:
            px = std::max((W - (ps + tw)) / 2, 4), py = (H - ps) / 2;
            tx = std::max(W / 2 - tw / 2 + ps / 2 + 3, ps + 8), ty = H / 2 - th / 2;
            break;
        case 2:
            px = W - ps - 4, py = (H - ps) / 2;
            tx = W - tw - ps - 4, ty = H / 2 - th / 2;
            break;
        case 3:
            px = std::min((W - ps + tw) / 2, W - ps - 4), py = (H - ps) / 2;
            tx = W / 2 - tw / 2 - ps / 2 - 3;
            if (tx < 0) tx = W - tw - ps - 4;
            ty = H / 2 - th / 2;
            break;
        case 4:
            px = (W - ps) / 2, py = (H - ps) / 2;
            tx = W / 2 - tw / 2, ty = H / 2 - th / 2;
            break;
        case 5:
            px = (W - ps) / 2, py = 4;
            tx = W / 2 - tw / 2, ty = H / 2 + ps / 2 - th / 2 + 2;
            break;
        case 6:
            px = (W - ps) / 2, py = std::max((H - (ps + th)) / 2, 4);
            tx = W / 2 - tw / 2, ty = H / 2 + ps / 2 - th / 2 + 2;
            break;
        case 7:
            px = (W - ps) / 2, py = H - ps - 4;
            tx = W / 2 - tw / 2, ty = H / 2 - ps / 2 - th / 2 - 2;
            break;
        case 8:
            px = (W - ps) / 2, py = std::min((H - ps + th) / 2, H - ps - 4);
            tx = W / 2 - tw / 2, ty = H / 2 - ps / 2 - th / 2 - 2;
            break;
        default:
            break;
    }

    if (!in.hasPicture) {
        if (in.captionAlign == 0)
            tx = 4;
        else if (in.captionAlign == 1)
            tx = W / 2 - tw / 2;
        else if (in.captionAlign == 2)
            tx = W - tw - 4;
        ty = H / 2 - th / 2;
        px = py = 0;
    } else if (in.captionAlign == 0) {
        tx = in.pictureAlign == 0 ? ps + 8 : in.pictureAlign == 1 ? px + ps + 4 : 4;
    } else if (in.captionAlign == 2) {
        if (in.pictureAlign == 2)
            tx = W - tw - ps - 4;
        else if (in.pictureAlign != 3)
            tx = W - tw - 4;
    }
    if (in.hasAccessKey) tx += 3;

    VxCaptionLayout out;
    const bool pressed = in.state == 2;
    if ((in.look == 0 || in.look == 1) && pressed) {
        out.px = px + 1, out.py = py + 1;
        out.left = tx + 1, out.top = ty + 1, out.right = tx + tw + 1, out.bottom = ty + th + 1;
    } else if (in.look == 5 && pressed) {
        out.px = px + 2, out.py = py + 2;
        out.left = tx + 1, out.top = ty + 2, out.right = tx + tw + 1, out.bottom = ty + th + 1;
    } else if (in.look == 5) {
        out.px = px - 1, out.py = py - 1;
        out.left = tx - 2, out.top = ty - 2, out.right = tx + tw - 2, out.bottom = ty + th - 2;
    } else {
        out.px = px, out.py = py;
        out.left = tx, out.top = ty, out.right = tx + tw, out.bottom = ty + th;
    }
    if (!pressed && in.look != 5) {
        out.setsFocusRect = true;
        out.focusLeft = tx - 2, out.focusTop = ty, out.focusRight = tx + tw + 1, out.focusBottom = ty + th + 1;
    }
    return out;
}

}  // namespace controls
