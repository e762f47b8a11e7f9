// The picture popup: a borderless window exactly the size of its picture, closed by a click.
#pragma once

#include "runtime/controls.h"
#include "runtime/form.h"

class Form8 : public rt::Form {
public:
    Form8();

    rt::Image Image1{*this, "Image1"};

    void Form_Load() override;
    void Form_Resize() override;
    void Form_Click() override;
    void Image1_Click();

private:
    void FitToPicture();
    bool fitting_ = false;
};
