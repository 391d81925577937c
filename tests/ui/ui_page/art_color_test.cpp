// The dominant colour of the cover art on small JPEG files made here: the
// 512-cell histogram at 1/8 scale, its brightness bounds, ties, saturated
// counters, and every kind of file that must give black without harm.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "jpeg_fixture.hpp"
#include "temp_dir.hpp"
#include "user/ui_page/ui_page_main_private.h"

namespace main_page_test {
namespace {

namespace fs = std::filesystem;

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kGreen{0, 255, 0};
constexpr Rgb kBlue{0, 0, 255};
constexpr Rgb kGrey{150, 150, 150};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

Rgb colour_of(lv_color_t c)
{
    return {c.red, c.green, c.blue};
}

class ArtColour : public ::testing::Test {
protected:
    std::string path(const char *name) const { return (dir / name).string(); }

    // The colour of `file` and what libjpeg wrote on standard error meanwhile.
    Rgb decode(const std::string &file, std::string *messages = nullptr)
    {
        testing::internal::CaptureStderr();
        const lv_color_t c = get_dominant_color(file.c_str());
        const std::string err = testing::internal::GetCapturedStderr();
        if (messages)
            *messages = err;
        return colour_of(c);
    }

    TempDir tmp{"art"};
    const fs::path dir = tmp.path();
};

struct Picture {
    const char *name;
    int w;
    int h;
    std::function<Rgb(int, int)> pixel;
    Rgb expected;
};

TEST_F(ArtColour, PicturesGiveTheLowerBoundOfTheirFullestCell)
{
    const Picture cases[] = {
        {"pure red gives the top cell's lower bound", 64, 64, [](int, int) { return kRed; }, {224, 0, 0}},
        {"grey", 64, 64, [](int, int) { return kGrey; }, {128, 128, 128}},
        {"the most pixels win", 64, 64, [](int x, int) { return x < 48 ? kBlue : kRed; }, {0, 0, 224}},
        {"a tie goes to the lower cell: blue (7) before green (56)", 64, 64,
         [](int x, int) { return x < 32 ? kGreen : kBlue; }, {0, 0, 224}},
        {"white lies above the brightness bound", 64, 64, [](int, int) { return kWhite; }, kBlack},
        {"black lies below it", 64, 64, [](int, int) { return kBlack; }, kBlack},
        {"only counted pixels compete", 64, 64, [](int x, int) { return x < 56 ? kWhite : kGreen; }, {0, 224, 0}},
    };
    for (const Picture &p : cases) {
        SCOPED_TRACE(p.name);
        const std::string file = path("art.jpg");
        write_jpeg(file, p.w, p.h, p.pixel);
        EXPECT_EQ(decode(file), p.expected);
    }
}

// Pixels count when 60 <= R + G + B <= 700. Each picture is three quarters
// of a colour at a bound and a quarter of blue: the colour's cell wins
// when it is counted, blue when it is not. The colours are ones the JPEG
// round trip keeps exactly.
TEST_F(ArtColour, TheBrightnessBoundsAreInclusive)
{
    const struct {
        const char *name;
        Rgb colour;
        Rgb expected;
    } cases[] = {
        {"59 is too dark", {19, 19, 21}, {0, 0, 224}},
        {"60 counts", {60, 0, 0}, {32, 0, 0}},
        {"700 counts", {255, 255, 190}, {224, 224, 160}},
        {"701 is too bright", {255, 255, 191}, {0, 0, 224}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const std::string file = path("bound.jpg");
        write_jpeg(file, 64, 64, [&c](int x, int) { return x < 48 ? c.colour : kBlue; });
        EXPECT_EQ(decode(file), c.expected);
    }
}

// 4096 x 2560 is 512 x 320 at 1/8: 220 columns of blue (70400 pixels) and
// 292 of green (93440). Both counters stop at 65535, so the tie goes to blue.
TEST_F(ArtColour, CountersSaturateInsteadOfWrapping)
{
    const std::string file = path("big.jpg");
    write_jpeg(file, 4096, 2560, [](int x, int) { return x < 220 * 8 ? kBlue : kGreen; });
    EXPECT_EQ(decode(file), (Rgb{0, 0, 224}));
}

TEST_F(ArtColour, UnusableFilesGiveBlack)
{
    const std::string good = path("good.jpg");
    write_jpeg(good, 64, 64, [](int, int) { return kRed; });
    std::ofstream(path("text.jpg")) << std::string(300, 'x');
    write_cmyk_jpeg(path("cmyk.jpg"), 64, 64);
    write_prefix(good, path("short.jpg"), 127);
    write_prefix(good, path("header_only.jpg"), 200);
    ASSERT_EQ(mkfifo(path("fifo.jpg").c_str(), 0644), 0);

    struct Case {
        const char *name;
        std::string file;
        bool library_message; // libjpeg explains itself on standard error
    };
    const Case cases[] = {
        {"missing file", path("missing.jpg"), false},
        {"directory", dir.string(), false},
        {"FIFO without a writer: nothing waits for one", path("fifo.jpg"), false},
        {"not a JPEG", path("text.jpg"), true},
        {"127 bytes: no decoder is made", path("short.jpg"), false},
        {"cut inside the headers", path("header_only.jpg"), true},
        {"CMYK cannot be delivered as RGB", path("cmyk.jpg"), true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::string messages;
        EXPECT_EQ(decode(c.file, &messages), kBlack);
        EXPECT_EQ(!messages.empty(), c.library_message) << messages;
    }
}

// A file a service is still writing: what was written decodes, the library
// fills the rest in grey and says so; nothing else happens.
TEST_F(ArtColour, TruncatedPictureGivesTheColourOfWhatWasWritten)
{
    const std::string good = path("good.jpg");
    write_jpeg(good, 256, 256, [](int, int) { return kRed; });
    const size_t size = fs::file_size(good);
    struct Cut {
        size_t bytes;
        Rgb expected;
    };
    const Cut cuts[] = {
        {size * 3 / 4, {224, 0, 0}},  // most blocks were written
        {size / 2, {128, 128, 128}},  // most are the library's grey
    };
    for (const Cut &cut : cuts) {
        SCOPED_TRACE(cut.bytes);
        write_prefix(good, path("cut.jpg"), cut.bytes);
        std::string messages;
        EXPECT_EQ(decode(path("cut.jpg"), &messages), cut.expected);
        EXPECT_NE(messages.find("Premature end of JPEG file"), std::string::npos) << messages;
    }
}

}  // namespace
}  // namespace main_page_test
