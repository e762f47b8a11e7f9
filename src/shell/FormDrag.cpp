#include "shell/FormDrag.h"

#include "runtime/effects.h"

namespace FormDrag {

void OpenCdDoor() {
    rt::Effects().MciSendStringA("set cdaudio door open", nullptr, nullptr);
}

void CloseCdDoor() {
    rt::Effects().MciSendStringA("set cdaudio door closed", nullptr, nullptr);
}

}  // namespace FormDrag
