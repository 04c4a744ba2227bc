#ifndef VELMORA_TESTS_TESTPIXELS_H
#define VELMORA_TESTS_TESTPIXELS_H

// Test pictures in the engine's layout (4 bytes a pixel: blue, green, red, fourth byte),
// shared by every suite that drives the engine.

#include <cstdint>
#include <random>
#include <vector>

struct TestPixels
{
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<uint8_t> bytes;

    // Every byte starts as `fill`: padding and fourth bytes keep it, so tests can check
    // that the engine never writes them.
    TestPixels(int w, int h, int padding = 0, uint8_t fill = 0xA5)
        : width(w), height(h), stride(4 * w + padding), bytes(static_cast<size_t>(stride) * h, fill)
    {
    }

    // Lends these pixels to an engine effect and processes them; returns Process()'s result.
    template <class Effect> int processWith(Effect &effect)
    {
        effect.SetInput(bytes.data(), static_cast<unsigned short>(width),
                        static_cast<unsigned short>(height), static_cast<unsigned short>(stride));
        return effect.Process();
    }
    size_t offset(int x, int y) const { return static_cast<size_t>(y) * stride + 4 * x; }

    void set(int x, int y, int red, int green, int blue)
    {
        uint8_t *p = &bytes[offset(x, y)];
        p[0] = static_cast<uint8_t>(blue);
        p[1] = static_cast<uint8_t>(green);
        p[2] = static_cast<uint8_t>(red);
    }
    // {red, green, blue} of a pixel.
    std::vector<int> rgb(int x, int y) const
    {
        const uint8_t *p = &bytes[offset(x, y)];
        return {p[2], p[1], p[0]};
    }

    // Every colour byte random; reproducible for a seed.
    static TestPixels random(int w, int h, unsigned seed, int padding = 0)
    {
        TestPixels pixels(w, h, padding);
        std::mt19937 generator(seed);
        std::uniform_int_distribution<int> byte(0, 255);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                pixels.set(x, y, byte(generator), byte(generator), byte(generator));
        return pixels;
    }
};

#endif
