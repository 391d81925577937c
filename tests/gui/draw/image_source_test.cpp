// Image files as the interface meets them: a FIFO, a folder or a device
// where a picture is expected draws nothing and never holds the GUI thread.
#include "gui_fixture.hpp"
#include "gui_log.hpp"
#include "render_helpers.hpp"
#include "stuck_fifo.hpp"
#include "temp_dir.hpp"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace {

namespace fs = std::filesystem;

constexpr uint32_t kGround = 0x000000;
constexpr int kRead = LV_FS_MODE_RD;
constexpr int kWrite = LV_FS_MODE_WR;

class ImageFiles : public test_support::GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        test_support::record_gui_log();
        test_support::set_ground(kGround);
    }

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

}  // namespace
