// Picture surfaces on a real device: what they put into the back buffer, read back pixel by pixel.
#include <gtest/gtest.h>

#include <memory>

#include "engine/Graphics.h"
#include "engine/ImageS.h"
#include "tests/win/WinTestSupport.h"

namespace {

const uint32_t Background = 0x202020;
const uint32_t Quadrants[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00};

class GraphicsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(D3DDevice, nullptr);
        FillBackBuffer(Background);
    }
    ScopedGame game;
    ScopedTempFolder folder;
};

// Every pixel of the rectangle has the colour, and the ring just outside it keeps the background.
void ExpectFilled(const BackBufferPixels& pixels, const RECT& rect, uint32_t rgb) {
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            ASSERT_EQ(pixels.At(x, y), rgb) << "at " << x << "," << y;
    if (rect.left > 0) {
        EXPECT_EQ(pixels.At(rect.left - 1, rect.top), Background);
    }
    if (rect.top > 0) {
        EXPECT_EQ(pixels.At(rect.left, rect.top - 1), Background);
    }
    if (rect.right < pixels.Width()) {
        EXPECT_EQ(pixels.At(rect.right, rect.bottom - 1), Background);
    }
    if (rect.bottom < pixels.Height()) {
        EXPECT_EQ(pixels.At(rect.right - 1, rect.bottom), Background);
    }
}

TEST_F(GraphicsTest, DeviceHasAnXrgbBackBufferOf800By600) {
    D3DSURFACE_DESC description;
    ASSERT_NE(BackBuffer, nullptr);
    BackBuffer->GetDesc(&description);
    EXPECT_EQ(description.Width, 800u);
    EXPECT_EQ(description.Height, 600u);
    EXPECT_EQ(description.Format, D3DFMT_X8R8G8B8);
}

TEST_F(GraphicsTest, PlainImageIsOneColourWhereverItIsDrawn) {
    ImageS image(50, 40, D3DCOLOR_XRGB(0x12, 0x34, 0x56));
    ASSERT_NE(image.Surface, nullptr);
    EXPECT_EQ(image.FillColor, D3DCOLOR_XRGB(0x12, 0x34, 0x56));

    const RECT smaller = {10, 20, 40, 45};    // scaled down
    const RECT larger = {300, 200, 460, 330}; // scaled up
    image.Draw(&smaller);
    image.Draw(&larger);
    BackBufferPixels pixels;
    ExpectFilled(pixels, smaller, 0x123456);
    ExpectFilled(pixels, larger, 0x123456);

    image.DrawFull();
    BackBufferPixels full;
    ExpectFilled(full, {0, 0, 800, 600}, 0x123456);
}

TEST_F(GraphicsTest, PictureIsScaledWholeIntoItsSurface) {
    const std::string path = folder.File("wide.bmp");
    WriteQuadrantBmp(path, 1000, 500, Quadrants);
    ImageS image(133, 150, path.c_str());
    ASSERT_NE(image.Surface, nullptr);
    EXPECT_EQ(image.FillColor, 0u);

    const RECT place = {0, 0, 133, 150};
    image.Draw(&place);
    BackBufferPixels pixels;
    EXPECT_EQ(pixels.At(1, 1), Quadrants[0]);
    EXPECT_EQ(pixels.At(131, 1), Quadrants[1]);
    EXPECT_EQ(pixels.At(1, 148), Quadrants[2]);
    EXPECT_EQ(pixels.At(131, 148), Quadrants[3]);
    EXPECT_EQ(pixels.At(133, 75), Background);
}

TEST_F(GraphicsTest, MissingOrCorruptPictureHasNoSurfaceAndDrawsNothing) {
    const std::string corrupt = folder.File("broken.png");
    WriteBytes(corrupt, std::string("\x89PNG\r\n\x1a\nnot really a picture", 29));
    for (const std::string& path : {folder.File("missing.jpg"), corrupt, folder.Path()}) {
        SCOPED_TRACE(path);
        auto image = std::make_unique<ImageS>(64, 48, path.c_str());
        EXPECT_EQ(image->Surface, nullptr);
        const RECT place = {0, 0, 64, 48};
        image->Draw(&place);
        image->DrawFull();
        BackBufferPixels pixels;
        EXPECT_EQ(pixels.At(10, 10), Background);
        EXPECT_EQ(pixels.At(400, 300), Background);
    }
}

// A card cut by the back buffer's edge shows the matching part of its picture.
TEST_F(GraphicsTest, DrawAcrossTheEdgeShowsTheMatchingPartOfThePicture) {
    const std::string path = folder.File("quads.bmp");
    WriteQuadrantBmp(path, 200, 200, Quadrants);
    ImageS image(200, 200, path.c_str());
    ASSERT_NE(image.Surface, nullptr);

    const RECT overhang = {700, 500, 900, 700}; // only its top-left quarter is inside
    image.Draw(&overhang);
    BackBufferPixels pixels;
    EXPECT_EQ(pixels.At(700, 500), Quadrants[0]);
    EXPECT_EQ(pixels.At(799, 599), Quadrants[0]);
    EXPECT_EQ(pixels.At(699, 550), Background);

    const RECT leftHalfOut = {-100, 300, 100, 500}; // right half inside: the right quadrants
    image.Draw(&leftHalfOut);
    BackBufferPixels second;
    EXPECT_EQ(second.At(0, 301), Quadrants[1]);
    EXPECT_EQ(second.At(99, 301), Quadrants[1]);
    EXPECT_EQ(second.At(0, 499), Quadrants[3]);
    EXPECT_EQ(second.At(100, 400), Background);
}

TEST_F(GraphicsTest, DrawOutsideOrIntoAnEmptyRectangleChangesNothing) {
    ImageS image(20, 20, D3DCOLOR_XRGB(0xFF, 0, 0));
    const RECT places[] = {
        {800, 0, 900, 100}, {0, 600, 100, 700}, {-50, -50, 0, 0}, {10, 10, 10, 50}, {60, 60, 40, 80}};
    for (const RECT& place : places)
        image.Draw(&place);
    BackBufferPixels pixels;
    for (int y = 0; y < 600; y += 7)
        for (int x = 0; x < 800; x += 7)
            ASSERT_EQ(pixels.At(x, y), Background) << "at " << x << "," << y;
}

} // namespace
