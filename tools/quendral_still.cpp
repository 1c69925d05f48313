// quendral-still: renders one frame of the screensaver's real scene at a
// given time and size and writes it as a PNG.
//
//   quendral-still --time T --size WxH out.png
//   quendral-still --time T --size WxH out.bmp   (24 bits, for the About window)
//   --supersample N renders N times larger and averages N × N pixels into
//   one, so a small picture shows the plasma as a large screen would.
#include "tools/little_endian.h"
#include "tools/still_renderer.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

int usage()
{
    std::fprintf(stderr, "usage: quendral-still --time SECONDS --size WIDTHxHEIGHT [--supersample N] out.png|out.bmp\n");
    return 2;
}

bool writePng(const char* path, const StillImage& image)
{
    FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return false;
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width), static_cast<png_uint_32>(image.height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y)
        png_write_row(png, &image.rgb[static_cast<size_t>(y) * image.width * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0;
}

// An uncompressed 24-bit Windows bitmap, rows bottom-up, each padded to four
// bytes.
bool writeBmp(const char* path, const StillImage& image)
{
    const size_t row = (static_cast<size_t>(image.width) * 3 + 3) / 4 * 4;
    const size_t pixels = row * image.height;
    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    put32(out, static_cast<unsigned>(14 + 40 + pixels));
    put32(out, 0);
    put32(out, 14 + 40);
    put32(out, 40);
    put32(out, static_cast<unsigned>(image.width));
    put32(out, static_cast<unsigned>(image.height));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);  // BI_RGB
    put32(out, static_cast<unsigned>(pixels));
    put32(out, 2835);  // 72 dots per inch
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = image.height - 1; y >= 0; --y) {
        const unsigned char* from = &image.rgb[static_cast<size_t>(y) * image.width * 3];
        for (int x = 0; x < image.width; ++x) {
            out.push_back(from[x * 3 + 2]);
            out.push_back(from[x * 3 + 1]);
            out.push_back(from[x * 3 + 0]);
        }
        out.insert(out.end(), row - static_cast<size_t>(image.width) * 3, 0);
    }
    FILE* file = std::fopen(path, "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && written;
}

// Averages each n × n block of pixels into one.
StillImage shrink(const StillImage& large, int n)
{
    if (n == 1)
        return large;
    StillImage small;
    small.width = large.width / n;
    small.height = large.height / n;
    small.rgb.resize(static_cast<size_t>(small.width) * small.height * 3);
    for (int y = 0; y < small.height; ++y) {
        for (int x = 0; x < small.width; ++x) {
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int dy = 0; dy < n; ++dy)
                    for (int dx = 0; dx < n; ++dx)
                        sum += large.rgb[((static_cast<size_t>(y) * n + dy) * large.width + x * n + dx) * 3 + c];
                small.rgb[(static_cast<size_t>(y) * small.width + x) * 3 + c] =
                    static_cast<unsigned char>((sum + n * n / 2) / (n * n));
            }
        }
    }
    return small;
}

bool endsWith(const std::string& text, const std::string& suffix)
{
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    float time = 0.0f;
    int width = 0;
    int height = 0;
    const char* output = nullptr;
    int supersample = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--time") == 0 && i + 1 < argc) {
            char* end = nullptr;
            time = std::strtof(argv[++i], &end);
            if (*end != '\0')
                return usage();
        } else if (std::strcmp(argv[i], "--size") == 0 && i + 1 < argc) {
            if (std::sscanf(argv[++i], "%dx%d", &width, &height) != 2)
                return usage();
        } else if (std::strcmp(argv[i], "--supersample") == 0 && i + 1 < argc) {
            supersample = std::atoi(argv[++i]);
            if (supersample < 1 || supersample > 16)
                return usage();
        } else if (!output && argv[i][0] != '-') {
            output = argv[i];
        } else {
            return usage();
        }
    }
    if (!output || width <= 0 || height <= 0 || width * supersample > 16384 || height * supersample > 16384)
        return usage();

    std::string error;
    if (!openStillRenderer(width * supersample, height * supersample, error)) {
        std::fprintf(stderr, "quendral-still: %s\n", error.c_str());
        return 1;
    }
    const StillImage image = shrink(renderStill(time), supersample);
    const bool written = endsWith(output, ".bmp") ? writeBmp(output, image) : writePng(output, image);
    if (!written) {
        std::fprintf(stderr, "quendral-still: cannot write %s\n", output);
        return 1;
    }
    return 0;
}
