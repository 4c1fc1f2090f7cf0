// Writes the figure as the core draws it, at a given drawing-area size, as a binary PPM:
// a reference picture to compare a window's screenshot with.
//
//   figure_image WIDTH HEIGHT > figure.ppm

#include "figure/DrawCommand.h"
#include "surface/RetainedImage.h"
#include "surface/SurfaceError.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: figure_image WIDTH HEIGHT > figure.ppm\n";
        return 2;
    }
    try {
        RetainedImage image(std::stoi(argv[1]), std::stoi(argv[2]));
        MainWindowState state;
        RunDrawCommand(state, image);

        std::string ppm = "P6\n" + std::to_string(image.width()) + " " + std::to_string(image.height()) + "\n255\n";
        for (int row = 0; row < image.height(); ++row)
            for (int column = 0; column < image.width(); ++column) {
                const std::uint32_t pixel = image.pixel(column, row);
                ppm += static_cast<char>((pixel >> 16) & 0xFF);
                ppm += static_cast<char>((pixel >> 8) & 0xFF);
                ppm += static_cast<char>(pixel & 0xFF);
            }
        std::fwrite(ppm.data(), 1, ppm.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 1;
    } catch (const std::exception& error) {
        std::cerr << "figure_image: " << error.what() << '\n';
        return 1;
    }
}
