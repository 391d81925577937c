// Image files as the interface meets them: a FIFO, a folder or a device
// where a picture is expected draws nothing and never holds the GUI thread,
// with one log line per source however many frames try it; and the image
// cache, which decodes a source once and keeps it until it is dropped or
// pushed out by newer ones.
#include "gui_fixture.hpp"
#include "gui_log.hpp"
#include "picture_files.hpp"
#include "render_helpers.hpp"
#include "stuck_fifo.hpp"
#include "temp_dir.hpp"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;
using test_support::color_at;
using test_support::two_colour;

constexpr uint32_t kGround = 0x000000;
constexpr int kRead = LV_FS_MODE_RD;
constexpr int kWrite = LV_FS_MODE_WR;
constexpr int32_t kSide = 8;
constexpr int kFrames = 5;

uint32_t rgb(lv_color_t c)
{
    return lv_color_to_u32(c) & 0xFFFFFF;
}

class ImageFiles : public test_support::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        test_support::record_gui_log();
        test_support::set_ground(kGround);
    }

    // Writes a kSide x kSide picture of one colour as PNG (or JPEG).
    void write_picture(const std::string & path, uint32_t colour, bool jpeg = false) const
    {
        fs::remove(path);
        const test_support::Image img = two_colour(kSide, kSide, colour, colour);
        if (jpeg) {
            test_support::write_jpeg(path, img);
        } else {
            ASSERT_TRUE(test_support::write_png(path, img));
        }
    }

    // The colour the screen shows at (x, y) after a full redraw.
    uint32_t shown_at(int32_t x, int32_t y) { return rgb(color_at(render(), x, y)); }

    TempDir dir{"image-files"};
};

// -- files that are no pictures ---------------------------------------------

enum class Kind {
    FifoNobodyWrites,
    FifoWithSilentWriter,
    Folder,
    Device,
};

struct Special {
    const char * name;
    Kind kind;
};

const Special kSpecials[] = {
    {"FIFO nobody writes", Kind::FifoNobodyWrites},
    {"FIFO whose writer sends nothing", Kind::FifoWithSilentWriter},
    {"folder", Kind::Folder},
    {"device", Kind::Device},
};

// A special file put where a picture is expected, removed at the end.
class SpecialFile {
public:
    SpecialFile(std::string path, Kind kind) : path_(std::move(path))
    {
        switch (kind) {
        case Kind::FifoNobodyWrites: fifo_.emplace(path_, StuckFifo::Writer::None); break;
        case Kind::FifoWithSilentWriter: fifo_.emplace(path_, StuckFifo::Writer::Silent); break;
        case Kind::Folder: fs::create_directory(path_); break;
        case Kind::Device: fs::create_symlink("/dev/zero", path_); break;
        }
    }
    ~SpecialFile()
    {
        fifo_.reset();
        fs::remove(path_);
    }

    // Runs `action`; true when it had to be freed from waiting on the file.
    bool blocks(const std::function<void()> & action)
    {
        if (fifo_) return fifo_->blocks(action);
        action();
        return false;
    }

private:
    std::string path_;
    std::optional<StuckFifo> fifo_;
};

// Where the picture was shown from, in the two ways a file path is drawn.
struct Consumer {
    const char * name;
    std::function<lv_obj_t *(const char * path)> show;
};

const Consumer kConsumers[] = {
    {"image widget", [](const char * path) { return test_support::image_at(lv_screen_active(), path, 0, 0); }},
    {"background image",
     [](const char * path) {
         lv_obj_t * box = test_support::bare_box(lv_screen_active(), 0, 0, kSide, kSide);
         lv_obj_set_style_bg_image_src(box, path, 0);
         return box;
     }},
};

TEST_F(ImageFiles, SpecialFilesAreRefusedAtOnceAndDrawNothing)
{
    for (const Special & s : kSpecials) {
        SCOPED_TRACE(s.name);
        const std::string path = dir.file("special");
        SpecialFile special(path, s.kind);
        lv_obj_t * img = lv_image_create(lv_screen_active());
        EXPECT_FALSE(special.blocks([&] { lv_image_set_src(img, path.c_str()); })) << "lv_image_set_src waited";
        EXPECT_EQ(lv_image_get_src(img), nullptr);
        EXPECT_TRUE(test_support::gui_logged("failed to get image info: " + path));
        lv_obj_delete(img);
    }
}

TEST_F(ImageFiles, APictureReplacedBySpecialFileDrawsNothingAndIsLoggedOnce)
{
    for (const Consumer & c : kConsumers) {
        for (const Special & s : kSpecials) {
            SCOPED_TRACE(std::string(c.name) + ", " + s.name);
            const std::string path = dir.file("art.png");
            lv_image_cache_drop(nullptr);  // the case before left its picture there
            write_picture(path, 0xFF0000);
            lv_obj_t * obj = c.show(path.c_str());
            ASSERT_EQ(shown_at(4, 4), 0xFF0000u);

            fs::remove(path);
            std::optional<SpecialFile> special(std::in_place, path, s.kind);
            lv_image_cache_drop(path.c_str());  // or the cache would still show the picture
            test_support::clear_gui_log();
            uint32_t shown = 0;
            const auto frames = [&] {
                for (int i = 0; i < kFrames; i++) shown = shown_at(4, 4);
            };
            EXPECT_FALSE(special->blocks(frames)) << "drawing waited on the file";
            EXPECT_EQ(shown, kGround) << "nothing is drawn";
            EXPECT_EQ(test_support::gui_log_count(path), 1u) << kFrames << " frames, one line";

            special.reset();
            write_picture(path, 0x00FF00);
            EXPECT_EQ(shown_at(4, 4), 0x00FF00u) << "a picture there again is drawn";
            lv_obj_delete(obj);
        }
    }
}

TEST_F(ImageFiles, TheDriveOpensOnlyRegularFiles)
{
    const std::string path = dir.file("file");
    for (const Special & s : kSpecials) {
        SCOPED_TRACE(s.name);
        SpecialFile special(path, s.kind);
        for (int mode : {kRead, kWrite, kRead | kWrite}) {
            lv_fs_file_t f;
            lv_fs_res_t res = LV_FS_RES_OK;
            EXPECT_FALSE(special.blocks([&] { res = lv_fs_open(&f, path.c_str(), lv_fs_mode_t(mode)); })) << mode;
            EXPECT_EQ(res, LV_FS_RES_NOT_EX) << "mode " << mode;
            if (res == LV_FS_RES_OK) lv_fs_close(&f);
        }
    }
    // A regular file: writing creates and empties it, reading and both keep it.
    for (const char * text : {"longer text", "short"}) {
        lv_fs_file_t f;
        ASSERT_EQ(lv_fs_open(&f, path.c_str(), LV_FS_MODE_WR), LV_FS_RES_OK);
        uint32_t written = 0;
        EXPECT_EQ(lv_fs_write(&f, text, static_cast<uint32_t>(std::strlen(text)), &written), LV_FS_RES_OK);
        lv_fs_close(&f);
    }
    for (int mode : {kRead, kRead | kWrite}) {
        lv_fs_file_t f;
        ASSERT_EQ(lv_fs_open(&f, path.c_str(), lv_fs_mode_t(mode)), LV_FS_RES_OK) << mode;
        char buf[16] = {};
        uint32_t n = 0;
        EXPECT_EQ(lv_fs_read(&f, buf, sizeof(buf), &n), LV_FS_RES_OK);
        EXPECT_STREQ(buf, "short");
        lv_fs_close(&f);
    }
}

// -- the image cache ---------------------------------------------------------

constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kBlue = 0x0000FF;
// What the cache counts for a kSide x kSide picture: ARGB8888 for a PNG,
// RGB888 for a JPEG, as the library's decoders hold them.
constexpr uint32_t kPngBytes = kSide * kSide * 4;
constexpr uint32_t kJpegBytes = kSide * kSide * 3;

// The strongest channel of a colour: JPEG shifts the values a little.
char dominant(uint32_t c)
{
    const uint32_t r = c >> 16, g = (c >> 8) & 0xFF, b = c & 0xFF;
    return r > g && r > b ? 'r' : (g > b ? 'g' : 'b');
}

TEST_F(ImageFiles, APictureIsDecodedOnceAndKeptUntilItIsDropped)
{
    lv_image_cache_resize(4 * kPngBytes, true);
    const std::string a = dir.file("a.png"), b = dir.file("b.png");
    write_picture(a, kRed);
    write_picture(b, kGreen);
    lv_obj_t * shows_a = test_support::image_at(lv_screen_active(), a.c_str(), 0, 0);
    test_support::image_at(lv_screen_active(), b.c_str(), 20, 0);
    ASSERT_EQ(shown_at(4, 4), kRed);
    ASSERT_EQ(shown_at(24, 4), kGreen);

    write_picture(a, kBlue);
    write_picture(b, kBlue);
    EXPECT_EQ(shown_at(4, 4), kRed) << "later frames draw what was decoded";
    lv_image_set_src(shows_a, nullptr);
    lv_image_set_src(shows_a, a.c_str());
    EXPECT_EQ(shown_at(4, 4), kRed) << "the cache keys a file by its path: the same path is the same picture";

    lv_image_cache_drop(a.c_str());
    EXPECT_EQ(shown_at(4, 4), kBlue) << "dropped: read again";
    EXPECT_EQ(shown_at(24, 4), kGreen) << "another source keeps its picture";
    lv_image_cache_drop(nullptr);
    EXPECT_EQ(shown_at(24, 4), kBlue) << "all dropped";
}

TEST_F(ImageFiles, TheCacheKeepsWhatFitsAndPushesOutTheLeastRecentlyUsed)
{
    const std::string a = dir.file("a.png"), b = dir.file("b.png"), c = dir.file("c.png"), j = dir.file("j.jpg");
    lv_obj_t * img = test_support::image_at(lv_screen_active(), nullptr, 0, 0);
    const auto show = [&](const std::string & path) {
        lv_image_set_src(img, path.c_str());
        return shown_at(4, 4);
    };
    const auto write_all = [&](uint32_t colour) {
        for (const std::string & p : {a, b, c}) write_picture(p, colour);
        write_picture(j, colour, true);
    };

    lv_image_cache_resize(2 * kPngBytes, true);
    write_all(kRed);
    show(a);
    show(b);
    write_all(kGreen);
    show(c);  // no room for three: a, used longest ago, goes
    EXPECT_EQ(show(b), kRed) << "kept";
    EXPECT_EQ(show(a), kGreen) << "pushed out, read again";

    lv_image_cache_drop(nullptr);
    lv_image_cache_resize(kJpegBytes, true);
    write_all(kRed);
    show(a);
    show(j);
    write_all(kGreen);
    EXPECT_EQ(show(a), kGreen) << "a PNG larger than the whole cache is not kept";
    EXPECT_EQ(dominant(show(j)), 'r') << "a JPEG of as many pixels counts three bytes a pixel and fits";

    lv_image_cache_drop(nullptr);
    lv_image_cache_resize(2 * kPngBytes, true);
    write_all(kRed);
    show(a);
    show(b);
    write_all(kGreen);
    lv_image_cache_resize(kPngBytes, false);
    EXPECT_EQ(show(a), kRed) << "without evict_now the entries stay until the next one is added";
    lv_image_cache_resize(kPngBytes, true);
    EXPECT_EQ(show(b), kGreen) << "with evict_now the least recently used go at once";
    EXPECT_EQ(show(a), kGreen) << "and the one just added took the place of the last";

    lv_image_cache_resize(0, true);
    write_all(kBlue);
    EXPECT_EQ(show(a), kBlue) << "size 0: nothing is kept";
    write_all(kRed);
    EXPECT_EQ(show(a), kRed);
}

}  // namespace
