// Turns the window icon's PNG into a C++ array of ARGB pixels at build time,
// so that the program builds its icon without an image reader at start-up:
// the first image read scans every image-format plug-in and costs more than
// the rest of the window's icon work together.
//
// Usage: icon_pixels INPUT.png OUTPUT.h
#include <QImage>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: icon_pixels INPUT.png OUTPUT.h\n");
        return 2;
    }
    QImage image;
    if (!image.load(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "icon_pixels: cannot read %s\n", argv[1]);
        return 1;
    }
    image = image.convertToFormat(QImage::Format_ARGB32);

    std::FILE* out = std::fopen(argv[2], "w");
    if (!out) {
        std::fprintf(stderr, "icon_pixels: cannot write %s\n", argv[2]);
        return 1;
    }
    std::fprintf(out, "// Generated from %s by icon_pixels; do not edit.\n#pragma once\n\n", argv[1]);
    std::fprintf(out, "namespace qm::ui::window_icon {\n");
    std::fprintf(out, "inline constexpr int Width = %d;\ninline constexpr int Height = %d;\n", image.width(),
                 image.height());
    std::fprintf(out, "// 0xAARRGGBB, row by row from the top.\ninline constexpr unsigned int Pixels[] = {");
    for (int y = 0; y < image.height(); ++y) {
        std::fprintf(out, "\n   ");
        for (int x = 0; x < image.width(); ++x)
            std::fprintf(out, " 0x%08x,", static_cast<unsigned int>(image.pixel(x, y)));
    }
    std::fprintf(out, "\n};\n} // namespace qm::ui::window_icon\n");
    const bool written = std::fflush(out) == 0 && std::ferror(out) == 0;
    return std::fclose(out) == 0 && written ? 0 : 1;
}
