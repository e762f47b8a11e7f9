#include "imaging/reader_chain.h"

namespace imaging {

ImageReaders& Readers() {
    static ImageReaders readers;
    return readers;
}

}  // namespace imaging
