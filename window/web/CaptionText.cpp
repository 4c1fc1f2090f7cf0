// Prints every text the window shows from its control table, captions and the fields'
// first texts, for the page's font subset: the face then holds exactly those characters.

#include "window/ControlTable.h"

#include <cstdio>

int main()
{
    for (const ControlRow& row : kForm1Controls)
        std::fwrite(row.text.data(), 1, row.text.size(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
