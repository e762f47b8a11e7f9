#include "controls/common/main_window_link.h"

#include "runtime/form.h"

namespace controls {

MainWindowLink& MainWindow() {
    static MainWindowLink link;
    return link;
}

const MainWindowLink* LoadedMainWindow() {
    const MainWindowLink& link = MainWindow();
    return link.window && link.window->Loaded() ? &link : nullptr;
}

}  // namespace controls
