#pragma once
// Image files through DevIL, kept to the kinds a texture may be: PNG, JPEG,
// BMP and TGA, at most kMaxTextureSide pixels a side and kMaxTexturePixels in
// all. DevIL 1.7 trusts the sizes in a file's header (a BMP claiming huge
// dimensions crashes it), so the header is read first, by the one header
// reader (image_header.h) or, for TGA, here, and anything else is never
// handed to the decoder. GUI thread only: DevIL has one
// current image per process.

#include <cstdint>
#include <string>
#include <vector>

constexpr int kMaxTextureSide = 8192;
constexpr int64_t kMaxTexturePixels = int64_t(4096) * 4096;

enum class TextureType
{
    Unknown,
    Png,
    Jpeg,
    Bmp,
    Tga,
};

struct TextureHeader
{
    TextureType type = TextureType::Unknown;
    int width = 0;
    int height = 0;
};

// PNG, JPEG and BMP start with a signature in their first bytes; TGA has none.
bool HasImageSignature(const std::string& bytes);

// Identifies the picture from its first bytes (TGA, which has no signature,
// from the name's extension) and reads its size from the header. False with
// a reason for other kinds, damaged headers and pictures over the limits.
bool SniffImage(const std::string& bytes, const std::string& name, TextureHeader* pHeader,
                std::string* pError = nullptr);

// DevIL's own code for the type, for ilLoadL.
unsigned int DevilType(TextureType type);

// The one DevIL set-up: ilInit once per process. The GL part of DevIL is
// set up by CTexture.
void EnsureImageLibrary();

// Decodes bytes that SniffImage accepted into DevIL's current image, which
// the caller has generated and bound. Runs the decoder in this process: only
// for bytes that already passed the child-process probe.
bool DecodeImage(const std::string& bytes, const TextureHeader& header);

