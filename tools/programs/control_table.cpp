// Prints Form1's control table as the window lays it out at 96 DPI, for scripts that find or
// check the controls of the running program.
//
//   control_table          every control in creation order: NAME KIND LEFT TOP WIDTH HEIGHT TEXT
//   control_table NAME     the control's centre: X Y, in the window's pixels
#include "window/ControlTable.h"

#include <cstdio>
#include <string_view>

int main(int argc, char** argv)
{
    if (argc > 2) {
        std::fprintf(stderr, "usage: control_table [NAME]\n");
        return 2;
    }
    for (const ControlRow* row : creationOrder(kForm1Controls)) {
        const PixelPlacement place = toPixels(row->twips);
        if (argc == 1) {
            const std::string_view kind = controlKindName(row->kind);
            std::printf("%.*s %.*s %d %d %d %d %.*s\n", static_cast<int>(row->name.size()), row->name.data(),
                        static_cast<int>(kind.size()), kind.data(), place.left, place.top, place.width, place.height,
                        static_cast<int>(row->text.size()), row->text.data());
        } else if (row->name == std::string_view(argv[1])) {
            std::printf("%d %d\n", place.left + place.width / 2, place.top + place.height / 2);
            return 0;
        }
    }
    if (argc == 2) {
        std::fprintf(stderr, "control_table: Form1 has no control %s\n", argv[1]);
        return 1;
    }
    return 0;
}
