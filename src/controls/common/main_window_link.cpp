#include "controls/common/main_window_link.h"

namespace controls {

MainWindowLink& MainWindow() {
    static MainWindowLink link;
    return link;
}

}  // namespace controls
