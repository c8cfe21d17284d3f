#include "support/png_pictures.h"

#include "imaging/image_file.h"
#include "imaging/image_io.h"

#include <IL/il.h>

#include <fstream>
#include <iterator>
#include <stdexcept>

void WritePng(const std::string& path, int width, int height,
              const std::function<Rgba8(int x, int y)>& colourAt)
{
    BgraImage picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
        {
            const Rgba8 c = colourAt(x, y);
            unsigned char* pixel = picture.Pixel(x, y);
            pixel[0] = c.b;
            pixel[1] = c.g;
            pixel[2] = c.r;
            pixel[3] = c.a;
        }
    std::string error;
    if (!WritePngFile(path, picture, &error))
        throw std::runtime_error(error);
}

PngPicture ReadPng(const std::string& path)
{
    PngPicture picture;
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    TextureHeader header;
    if (!SniffImage(bytes, path, &header))
        return picture;
    EnsureImageLibrary();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    if (DecodeImage(bytes, header))
    {
        picture.width = header.width;
        picture.height = header.height;
        picture.pixels.resize(size_t(header.width) * header.height);
        // Copying with the origin set at the top gives rows top first,
        // whatever the file's own order.
        ilOriginFunc(IL_ORIGIN_UPPER_LEFT);
        ilEnable(IL_ORIGIN_SET);
        ilCopyPixels(0, 0, 0, ILuint(header.width), ILuint(header.height), 1, IL_RGBA,
                     IL_UNSIGNED_BYTE, picture.pixels.data());
        ilDisable(IL_ORIGIN_SET);
    }
    ilDeleteImages(1, &image);
    return picture;
}
