// Stand-in for the separate title-bar window until the window chrome arrives: loading, showing
// and placing it work; tib takes the style file from the store and only discards it.
#pragma once

#include "runtime/form.h"

class Form17 : public rt::Form {
public:
    Form17();
    void tib();
};
