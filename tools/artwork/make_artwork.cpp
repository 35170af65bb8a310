/*
 * Makes the downloader's artwork: the program icon (a diamond of three by
 * three black and white cells with a dark edge, at 16, 32 and 48 pixels)
 * and the 64 x 64 bitmap (two short lines of black text on a transparent
 * background).
 *
 * usage: make_artwork OUTPUT_FOLDER
 * writes OUTPUT_FOLDER/zorvek.ico and OUTPUT_FOLDER/zorvek.bmp
 *
 * The committed files in zorvekdownloader/ are this program's output; change
 * the drawing here and copy the new files over.
 */

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

typedef std::vector<uint8_t> Bytes;

const int kIconSizes[] = {16, 32, 48};
const int kBitmapSize = 64;
const int kPixelsPerMetre = 2835; /* 72 dots per inch */

const char *const kBitmapLines[] = {"ZOR", "VEK"};
const int kGlyphWidth = 5;
const int kGlyphHeight = 7;
const int kGlyphScale = 3;
const int kGlyphGap = 3;
const int kLineGap = 6;

struct Glyph {
    char letter;
    const char *rows[kGlyphHeight];
};

const Glyph kGlyphs[] = {
    {'Z', {"#####", "....#", "...#.", "..#..", ".#...", "#....", "#####"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'V', {"#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
};

struct Pixel {
    uint8_t blue, green, red, alpha;
};

/* A picture stored top row first; the files store the bottom row first. */
struct Picture {
    int width;
    int height;
    std::vector<Pixel> pixels;
};

Picture NewPicture(int width, int height)
{
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.pixels.assign(static_cast<size_t>(width) * height, Pixel{0, 0, 0, 0});
    return picture;
}

Pixel &At(Picture &picture, int x, int y)
{
    return picture.pixels[static_cast<size_t>(y) * picture.width + x];
}

void Put16(Bytes &out, unsigned value)
{
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}

void Put32(Bytes &out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void PutInfoHeader(Bytes &out, int width, int height, uint32_t imageSize, int pixelsPerMetre)
{
    Put32(out, 40);
    Put32(out, width);
    Put32(out, height);
    Put16(out, 1);  /* planes */
    Put16(out, 32); /* bits per pixel */
    Put32(out, 0);  /* no compression */
    Put32(out, imageSize);
    Put32(out, pixelsPerMetre);
    Put32(out, pixelsPerMetre);
    Put32(out, 0); /* colours used */
    Put32(out, 0); /* important colours */
}

void PutPixelsBottomUp(Bytes &out, Picture &picture)
{
    for (int y = picture.height - 1; y >= 0; --y) {
        for (int x = 0; x < picture.width; ++x) {
            const Pixel &p = At(picture, x, y);
            out.push_back(p.blue);
            out.push_back(p.green);
            out.push_back(p.red);
            out.push_back(p.alpha);
        }
    }
}

Picture DrawDiamond(int size)
{
    Picture picture = NewPicture(size, size);
    const double centre = size / 2.0;
    const double reach = size / 2.0 - 0.5;
    const double edge = size / 16.0 < 1.0 ? 1.0 : size / 16.0;
    const double cell = 2.0 * reach / 3.0;

    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            /* Turn the picture by 45 degrees: in (a, b) the diamond is a
               square of half-width reach. */
            const double dx = x + 0.5 - centre;
            const double dy = y + 0.5 - centre;
            const double a = dx + dy;
            const double b = dx - dy;
            const double outer = std::fmax(std::fabs(a), std::fabs(b));
            if (outer > reach)
                continue;

            Pixel &p = At(picture, x, y);
            p.alpha = 0xFF;
            if ((reach - outer) / std::sqrt(2.0) < edge) {
                p.blue = p.green = p.red = 0x30;
                continue;
            }
            int column = static_cast<int>((a + reach) / cell);
            int row = static_cast<int>((b + reach) / cell);
            column = column > 2 ? 2 : column;
            row = row > 2 ? 2 : row;
            const uint8_t shade = (column + row) % 2 ? 0xFF : 0x00;
            p.blue = p.green = p.red = shade;
        }
    }
    return picture;
}

/* One icon image: the 32-bit picture, then the 1-bit AND mask (set where
   the picture is transparent), each mask row padded to 32 bits. */
Bytes IconImage(Picture &picture)
{
    const int maskRowBytes = ((picture.width + 31) / 32) * 4;
    const uint32_t pixelBytes = picture.width * picture.height * 4;
    const uint32_t maskBytes = maskRowBytes * picture.height;

    Bytes out;
    PutInfoHeader(out, picture.width, picture.height * 2, pixelBytes + maskBytes, 0);
    PutPixelsBottomUp(out, picture);
    for (int y = picture.height - 1; y >= 0; --y) {
        Bytes row(maskRowBytes, 0);
        for (int x = 0; x < picture.width; ++x) {
            if (At(picture, x, y).alpha == 0)
                row[x / 8] |= 0x80 >> (x % 8);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

Bytes IconFile(void)
{
    const int count = sizeof(kIconSizes) / sizeof(kIconSizes[0]);
    std::vector<Bytes> images;
    for (int size : kIconSizes) {
        Picture picture = DrawDiamond(size);
        images.push_back(IconImage(picture));
    }

    Bytes out;
    Put16(out, 0); /* reserved */
    Put16(out, 1); /* icon */
    Put16(out, count);
    uint32_t offset = 6 + 16 * count;
    for (int i = 0; i < count; ++i) {
        out.push_back(kIconSizes[i]);
        out.push_back(kIconSizes[i]);
        out.push_back(0); /* colours */
        out.push_back(0); /* reserved */
        Put16(out, 1);    /* planes */
        Put16(out, 32);   /* bits per pixel */
        Put32(out, images[i].size());
        Put32(out, offset);
        offset += images[i].size();
    }
    for (const Bytes &image : images)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}

const Glyph *FindGlyph(char letter)
{
    for (const Glyph &glyph : kGlyphs) {
        if (glyph.letter == letter)
            return &glyph;
    }
    return nullptr;
}

void DrawText(Picture &picture, const char *text, int top)
{
    const int count = static_cast<int>(std::string(text).size());
    const int width = count * kGlyphWidth * kGlyphScale + (count - 1) * kGlyphGap;
    int left = (picture.width - width) / 2;
    for (const char *c = text; *c != '\0'; ++c) {
        const Glyph *glyph = FindGlyph(*c);
        for (int gy = 0; gy < kGlyphHeight; ++gy) {
            for (int gx = 0; gx < kGlyphWidth; ++gx) {
                if (glyph->rows[gy][gx] != '#')
                    continue;
                for (int sy = 0; sy < kGlyphScale; ++sy) {
                    for (int sx = 0; sx < kGlyphScale; ++sx) {
                        /* Black text: the colour stays zero, alpha carries
                           the shape. */
                        At(picture, left + gx * kGlyphScale + sx, top + gy * kGlyphScale + sy).alpha = 0xFF;
                    }
                }
            }
        }
        left += kGlyphWidth * kGlyphScale + kGlyphGap;
    }
}

Bytes BitmapFile(void)
{
    Picture picture = NewPicture(kBitmapSize, kBitmapSize);
    const int lineHeight = kGlyphHeight * kGlyphScale;
    const int top = (kBitmapSize - 2 * lineHeight - kLineGap) / 2;
    DrawText(picture, kBitmapLines[0], top);
    DrawText(picture, kBitmapLines[1], top + lineHeight + kLineGap);

    const uint32_t pixelBytes = kBitmapSize * kBitmapSize * 4;
    const uint32_t headersBytes = 14 + 40;
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, headersBytes + pixelBytes);
    Put32(out, 0); /* reserved */
    Put32(out, headersBytes);
    PutInfoHeader(out, kBitmapSize, kBitmapSize, pixelBytes, kPixelsPerMetre);
    PutPixelsBottomUp(out, picture);
    return out;
}

bool WriteFile(const std::string &path, const Bytes &bytes)
{
    FILE *file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        std::perror(path.c_str());
        return false;
    }
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    if (std::fclose(file) != 0 || !written) {
        std::perror(path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_artwork OUTPUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    if (!WriteFile(folder + "/zorvek.ico", IconFile()) || !WriteFile(folder + "/zorvek.bmp", BitmapFile()))
        return 1;
    return 0;
}
