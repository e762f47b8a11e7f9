// Module FormDrag: the door of the default CD drive. Without a CD drive nothing happens.
#pragma once

namespace FormDrag {

void OpenCdDoor();
void CloseCdDoor();

}  // namespace FormDrag
