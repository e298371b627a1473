// Opening tabs: the three elements of a new index, its header placed flush right of the
// last one, and its activation.
#include "main_window/form1.h"
#include "tab_header/flik.h"

void Form1::newflik_Click()
{
    if (const auto index = tabs.open(true))
        flik(*index)->sellect();
}

void Form1::mnutab_Click()
{
    newflik_Click();
}

void Form1::flik_GotFocus(int index)
{
    if (!tabs.focusActivates())
        return;
    if (::flik *header = flik(index))
        header->sellect();
}
