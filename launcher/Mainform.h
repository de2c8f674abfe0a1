#pragma once

#include "stage/Window.h"

namespace tolvane {

// The start-up window: the box set's title and one game page at a time, a picture with its
// description, stepped through with two arrows. Its whole state is which sprites are visible.
class Mainform final : public Window {
public:
    explicit Mainform(Stage&);

    Label Label1;
    Label lblheli;
    Label lblspace;
    Label pondleaplabel;
    Image ImgCopter;
    Label lblmessage;
    Image imgpondleap;
    Image imgstarbreach;
    Image Image2; // right arrow
    Image Image1; // left arrow

private:
    void Image1_Click();
    void Image2_Click();
    void ImgCopter_Click();
    void imgpondleap_Click();
    void imgstarbreach_Click();
};

} // namespace tolvane
