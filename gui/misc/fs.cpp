// File access through drive letters; the stdio driver is the only drive.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "gui/misc/fs.hpp"
#include "lvgl.h"

namespace {

constexpr char kStdioLetter = LV_FS_STDIO_LETTER;
constexpr char kDefaultLetter = LV_FS_DEFAULT_DRIVER_LETTER;

bool has_drive_prefix(const char * path)
{
    return path[0] >= 'A' && path[0] <= 'Z' && path[1] == ':';
}

bool is_regular(int fd)
{
    struct stat st;
    return fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
}

// Back to blocking reads and writes, which on a regular file never wait long.
bool set_blocking(int fd)
{
    const int flags = fcntl(fd, F_GETFL);
    return flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

FILE * file_of(lv_fs_file_t * f)
{
    return static_cast<FILE *>(f->file_d);
}

}  // namespace

namespace gui::fs {

bool resolve_path(const char * path, std::string & out)
{
    if (path == nullptr) return false;
    char letter = kDefaultLetter;
    const char * rest = path;
    if (kDefaultLetter == '\0' || has_drive_prefix(path)) {
        letter = path[0];
        rest = path[0] != '\0' ? path + 1 : path;
        if (*rest == ':') rest++;
    }
    if (letter != kStdioLetter) {
        LV_LOG_WARN("Can't open file (%s): unknown driver letter", path);
        return false;
    }
    out = std::string(LV_FS_STDIO_PATH) + rest;
    if (out.size() >= LV_FS_MAX_PATH_LENGTH) {
        LV_LOG_WARN("Path too long: %s", path);
        return false;
    }
    return true;
}

File open(const char * path, lv_fs_mode_t mode)
{
    std::string os_path;
    if (!resolve_path(path, os_path)) return nullptr;
    const bool reads = (mode & LV_FS_MODE_RD) != 0;
    const bool writes = (mode & LV_FS_MODE_WR) != 0;
    const int access = reads && writes ? O_RDWR : (writes ? O_WRONLY | O_CREAT : O_RDONLY);
    // Emptied (as O_TRUNC would) only once it is known to be a regular file.
    const int fd = ::open(os_path.c_str(), access | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) return nullptr;
    FILE * f = nullptr;
    if (is_regular(fd) && set_blocking(fd) && (reads || ftruncate(fd, 0) == 0)) {
        f = fdopen(fd, reads && writes ? "rb+" : (writes ? "wb" : "rb"));
    }
    if (f == nullptr) ::close(fd);
    return File(f);
}

}  // namespace gui::fs

extern "C" {

lv_fs_res_t lv_fs_open(lv_fs_file_t * file_p, const char * path, lv_fs_mode_t mode)
{
    if (file_p == nullptr || path == nullptr) return LV_FS_RES_INV_PARAM;
    file_p->file_d = nullptr;
    file_p->drv = nullptr;
    gui::fs::File f = gui::fs::open(path, mode);
    if (!f) return LV_FS_RES_NOT_EX;
    file_p->file_d = f.release();
    file_p->drv = &kStdioLetter;
    return LV_FS_RES_OK;
}

lv_fs_res_t lv_fs_close(lv_fs_file_t * file_p)
{
    if (file_p == nullptr || file_of(file_p) == nullptr) return LV_FS_RES_INV_PARAM;
    int rc = std::fclose(file_of(file_p));
    file_p->file_d = nullptr;
    file_p->drv = nullptr;
    return rc == 0 ? LV_FS_RES_OK : LV_FS_RES_FS_ERR;
}

lv_fs_res_t lv_fs_read(lv_fs_file_t * file_p, void * buf, uint32_t btr, uint32_t * br)
{
    if (br != nullptr) *br = 0;
    if (file_p == nullptr || file_of(file_p) == nullptr || buf == nullptr) return LV_FS_RES_INV_PARAM;
    size_t n = std::fread(buf, 1, btr, file_of(file_p));
    if (br != nullptr) *br = static_cast<uint32_t>(n);
    return std::ferror(file_of(file_p)) ? LV_FS_RES_FS_ERR : LV_FS_RES_OK;
}

lv_fs_res_t lv_fs_write(lv_fs_file_t * file_p, const void * buf, uint32_t btw, uint32_t * bw)
{
    if (bw != nullptr) *bw = 0;
    if (file_p == nullptr || file_of(file_p) == nullptr || buf == nullptr) return LV_FS_RES_INV_PARAM;
    size_t n = std::fwrite(buf, 1, btw, file_of(file_p));
    if (bw != nullptr) *bw = static_cast<uint32_t>(n);
    return n == btw ? LV_FS_RES_OK : LV_FS_RES_FS_ERR;
}

lv_fs_res_t lv_fs_seek(lv_fs_file_t * file_p, uint32_t pos, lv_fs_whence_t whence)
{
    if (file_p == nullptr || file_of(file_p) == nullptr) return LV_FS_RES_INV_PARAM;
    int w = whence == LV_FS_SEEK_CUR ? SEEK_CUR : (whence == LV_FS_SEEK_END ? SEEK_END : SEEK_SET);
    return std::fseek(file_of(file_p), static_cast<long>(pos), w) == 0 ? LV_FS_RES_OK : LV_FS_RES_FS_ERR;
}

lv_fs_res_t lv_fs_tell(lv_fs_file_t * file_p, uint32_t * pos)
{
    if (file_p == nullptr || file_of(file_p) == nullptr || pos == nullptr) return LV_FS_RES_INV_PARAM;
    long p = std::ftell(file_of(file_p));
    if (p < 0) return LV_FS_RES_FS_ERR;
    *pos = static_cast<uint32_t>(p);
    return LV_FS_RES_OK;
}

char * lv_fs_get_letters(char * buf)
{
    buf[0] = kStdioLetter;
    buf[1] = '\0';
    return buf;
}

const char * lv_fs_get_ext(const char * fn)
{
    const char * dot = std::strrchr(fn, '.');
    const char * slash = std::strrchr(fn, '/');
    if (dot == nullptr || (slash != nullptr && slash > dot)) return "";
    return dot + 1;
}

void lv_fs_stdio_init(void)
{
    // The stdio drive is built in; there is nothing to register.
}

}  // extern "C"
