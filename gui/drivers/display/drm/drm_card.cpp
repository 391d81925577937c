#include "drm_card.hpp"

#include <drm_fourcc.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <xf86drm.h>

#include <cerrno>
#include <cmath>
#include <cstring>

#include "gui/drivers/printable.hpp"

namespace gui::drivers {

namespace {

constexpr uint32_t kBitsPerPixel = 32;
constexpr uint32_t kFixedPointShift = 16;  // plane source rectangle is 16.16
constexpr double kMmPerInch = 25.4;

template <typename T, void (*Free)(T *)> struct DrmPtr {
    T * p;
    explicit DrmPtr(T * ptr) : p(ptr) {}
    DrmPtr(const DrmPtr &) = delete;
    DrmPtr & operator=(const DrmPtr &) = delete;
    ~DrmPtr()
    {
        if (p != nullptr) {
            Free(p);
        }
    }
    T * operator->() const { return p; }
    explicit operator bool() const { return p != nullptr; }
};

using ResPtr = DrmPtr<drmModeRes, drmModeFreeResources>;
using ConnPtr = DrmPtr<drmModeConnector, drmModeFreeConnector>;
using EncPtr = DrmPtr<drmModeEncoder, drmModeFreeEncoder>;
using PlaneResPtr = DrmPtr<drmModePlaneRes, drmModeFreePlaneResources>;
using PlanePtr = DrmPtr<drmModePlane, drmModeFreePlane>;
using PropsPtr = DrmPtr<drmModeObjectProperties, drmModeFreeObjectProperties>;
using PropPtr = DrmPtr<drmModePropertyRes, drmModeFreeProperty>;
using AtomicPtr = DrmPtr<drmModeAtomicReq, drmModeAtomicFree>;

}  // namespace

DrmCard::~DrmCard()
{
    for (Buffer & buf : bufs_) {
        destroy_buffer(buf);
    }
    if (mode_blob_ != 0) {
        drmModeDestroyPropertyBlob(fd_, mode_blob_);
    }
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool DrmCard::open(const char * path, int64_t connector_id)
{
    fd_ = ::open(path, O_RDWR | O_CLOEXEC);
    if (fd_ < 0) {
        LV_LOG_ERROR("cannot open \"%s\"", printable(path).c_str());
        return false;
    }
    uint64_t dumb = 0;
    if (drmGetCap(fd_, DRM_CAP_DUMB_BUFFER, &dumb) < 0 || dumb == 0) {
        LV_LOG_ERROR("drm device does not support dumb buffers");
        return false;
    }
    if (drmSetClientCap(fd_, DRM_CLIENT_CAP_UNIVERSAL_PLANES, 1) < 0 ||
        drmSetClientCap(fd_, DRM_CLIENT_CAP_ATOMIC, 1) < 0) {
        LV_LOG_ERROR("No atomic modesetting support");
        return false;
    }
    ResPtr res(drmModeGetResources(fd_));
    if (!res) {
        LV_LOG_ERROR("cannot get the card's resources");
        return false;
    }
    if (!pick_connector(res.p, connector_id) || !pick_plane()) {
        return false;
    }
    conn_props_ = props_of(conn_id_, DRM_MODE_OBJECT_CONNECTOR);
    crtc_props_ = props_of(crtc_id_, DRM_MODE_OBJECT_CRTC);
    plane_props_ = props_of(plane_id_, DRM_MODE_OBJECT_PLANE);
    if (drmModeCreatePropertyBlob(fd_, &mode_, sizeof(mode_), &mode_blob_) != 0) {
        LV_LOG_ERROR("cannot create the mode blob");
        return false;
    }
    for (Buffer & buf : bufs_) {
        if (!create_buffer(buf)) {
            return false;
        }
    }
    return true;
}

bool DrmCard::pick_connector(drmModeRes * res, int64_t connector_id)
{
    for (int i = 0; i < res->count_connectors; i++) {
        ConnPtr conn(drmModeGetConnector(fd_, res->connectors[i]));
        if (!conn) {
            continue;
        }
        const bool wanted = connector_id < 0 || conn->connector_id == connector_id;
        if (!wanted || conn->connection != DRM_MODE_CONNECTED || conn->count_modes < 1) {
            continue;
        }
        conn_id_ = conn->connector_id;
        mode_ = conn->modes[0];  // first listed: the panel's preferred mode
        mm_width_ = conn->mmWidth;
        return pick_crtc(res, conn.p);
    }
    LV_LOG_ERROR("no connected connector found");
    return false;
}

bool DrmCard::pick_crtc(drmModeRes * res, drmModeConnector * conn)
{
    if (conn->encoder_id != 0) {
        EncPtr enc(drmModeGetEncoder(fd_, conn->encoder_id));
        for (int i = 0; enc && i < res->count_crtcs; i++) {
            if (res->crtcs[i] == enc->crtc_id) {
                crtc_id_ = enc->crtc_id;
                crtc_index_ = static_cast<uint32_t>(i);
                return true;
            }
        }
    }
    for (int e = 0; e < conn->count_encoders; e++) {
        EncPtr enc(drmModeGetEncoder(fd_, conn->encoders[e]));
        for (int i = 0; enc && i < res->count_crtcs; i++) {
            if ((enc->possible_crtcs & (1u << i)) != 0) {
                crtc_id_ = res->crtcs[i];
                crtc_index_ = static_cast<uint32_t>(i);
                return true;
            }
        }
    }
    LV_LOG_ERROR("no CRTC for the connector");
    return false;
}

bool DrmCard::pick_plane()
{
    PlaneResPtr planes(drmModeGetPlaneResources(fd_));
    for (uint32_t i = 0; planes && i < planes->count_planes; i++) {
        PlanePtr plane(drmModeGetPlane(fd_, planes->planes[i]));
        if (!plane || (plane->possible_crtcs & (1u << crtc_index_)) == 0) {
            continue;
        }
        for (uint32_t f = 0; f < plane->count_formats; f++) {
            if (plane->formats[f] == DRM_FORMAT_XRGB8888) {
                plane_id_ = plane->plane_id;
                return true;
            }
        }
    }
    LV_LOG_ERROR("no plane with XRGB8888 on the CRTC");
    return false;
}

DrmCard::PropIds DrmCard::props_of(uint32_t obj_id, uint32_t obj_type) const
{
    PropIds ids;
    PropsPtr props(drmModeObjectGetProperties(fd_, obj_id, obj_type));
    for (uint32_t i = 0; props && i < props->count_props; i++) {
        PropPtr prop(drmModeGetProperty(fd_, props->props[i]));
        if (prop) {
            ids[prop->name] = prop->prop_id;
        }
    }
    return ids;
}

bool DrmCard::create_buffer(Buffer & buf)
{
    drm_mode_create_dumb create{};
    create.width = mode_.hdisplay;
    create.height = mode_.vdisplay;
    create.bpp = kBitsPerPixel;
    if (drmIoctl(fd_, DRM_IOCTL_MODE_CREATE_DUMB, &create) < 0) {
        LV_LOG_ERROR("cannot create a dumb buffer");
        return false;
    }
    buf.handle = create.handle;
    buf.pitch = create.pitch;
    buf.size = create.size;
    const uint32_t handles[4] = {buf.handle};
    const uint32_t pitches[4] = {buf.pitch};
    const uint32_t offsets[4] = {0};
    if (drmModeAddFB2(fd_, mode_.hdisplay, mode_.vdisplay, DRM_FORMAT_XRGB8888, handles, pitches, offsets, &buf.fb_id,
                      0) != 0) {
        LV_LOG_ERROR("cannot create a frame buffer");
        return false;
    }
    drm_mode_map_dumb map{};
    map.handle = buf.handle;
    if (drmIoctl(fd_, DRM_IOCTL_MODE_MAP_DUMB, &map) < 0) {
        LV_LOG_ERROR("cannot map a dumb buffer");
        return false;
    }
    void * mem = ::mmap(nullptr, buf.size, PROT_READ | PROT_WRITE, MAP_SHARED, fd_, static_cast<off_t>(map.offset));
    if (mem == MAP_FAILED) {
        LV_LOG_ERROR("cannot map a dumb buffer");
        return false;
    }
    buf.map = static_cast<uint8_t *>(mem);
    std::memset(buf.map, 0, buf.size);
    return true;
}

void DrmCard::destroy_buffer(Buffer & buf)
{
    if (buf.map != nullptr) {
        ::munmap(buf.map, buf.size);
    }
    if (buf.fb_id != 0) {
        drmModeRmFB(fd_, buf.fb_id);
    }
    if (buf.handle != 0) {
        drm_mode_destroy_dumb destroy{};
        destroy.handle = buf.handle;
        drmIoctl(fd_, DRM_IOCTL_MODE_DESTROY_DUMB, &destroy);
    }
    buf = Buffer{};
}

void DrmCard::attach(lv_display_t * disp)
{
    lv_display_set_resolution(disp, mode_.hdisplay, mode_.vdisplay);
    lv_display_set_buffers_with_stride(disp, bufs_[0].map, bufs_[1].map, static_cast<uint32_t>(bufs_[0].size),
                                       bufs_[0].pitch, LV_DISPLAY_RENDER_MODE_DIRECT);
    if (mm_width_ > 0) {
        const double dpi = std::ceil(mode_.hdisplay * kMmPerInch / mm_width_);
        lv_display_set_dpi(disp, static_cast<int32_t>(dpi));
    }
}

bool DrmCard::commit(const Buffer & buf)
{
    AtomicPtr req(drmModeAtomicAlloc());
    if (!req) {
        return false;
    }
    uint32_t flags = DRM_MODE_PAGE_FLIP_EVENT | DRM_MODE_ATOMIC_NONBLOCK;
    if (!mode_set_) {
        drmModeAtomicAddProperty(req.p, conn_id_, conn_props_["CRTC_ID"], crtc_id_);
        drmModeAtomicAddProperty(req.p, crtc_id_, crtc_props_["MODE_ID"], mode_blob_);
        drmModeAtomicAddProperty(req.p, crtc_id_, crtc_props_["ACTIVE"], 1);
        flags |= DRM_MODE_ATOMIC_ALLOW_MODESET;
    }
    const uint64_t w = mode_.hdisplay;
    const uint64_t h = mode_.vdisplay;
    drmModeAtomicAddProperty(req.p, plane_id_, plane_props_["FB_ID"], buf.fb_id);
    drmModeAtomicAddProperty(req.p, plane_id_, plane_props_["CRTC_ID"], crtc_id_);
    drmModeAtomicAddProperty(req.p, plane_id_, plane_props_["SRC_X"], 0);
    drmModeAtomicAddProperty(req.p, plane_id_, plane_props_["SRC_Y"], 0);
    drmModeAtomicAddProperty(req.p, plane_id_, plane_props_["SRC_W"], w << kFixedPointShift);
    drmModeAtomicAddProperty(req.p, plane_id_, plane_props_["SRC_H"], h << kFixedPointShift);
    drmModeAtomicAddProperty(req.p, plane_id_, plane_props_["CRTC_X"], 0);
    drmModeAtomicAddProperty(req.p, plane_id_, plane_props_["CRTC_Y"], 0);
    drmModeAtomicAddProperty(req.p, plane_id_, plane_props_["CRTC_W"], w);
    drmModeAtomicAddProperty(req.p, plane_id_, plane_props_["CRTC_H"], h);
    if (drmModeAtomicCommit(fd_, req.p, flags, this) != 0) {
        LV_LOG_ERROR("atomic commit failed: %s", std::strerror(errno));
        return false;
    }
    mode_set_ = true;
    return true;
}

void DrmCard::flush(lv_display_t * disp, const uint8_t * px_map)
{
    if (!lv_display_flush_is_last(disp)) {
        lv_display_flush_ready(disp);
        return;
    }
    for (const Buffer & buf : bufs_) {
        if (buf.map == px_map && commit(buf)) {
            flip_pending_ = true;
            return;  // ready once the flip event arrives (wait())
        }
    }
    lv_display_flush_ready(disp);
}

void DrmCard::page_flip_handler(int, unsigned int, unsigned int, unsigned int, void * user)
{
    static_cast<DrmCard *>(user)->flip_pending_ = false;
}

void DrmCard::wait(lv_display_t * disp)
{
    drmEventContext events{};
    events.version = 2;
    events.page_flip_handler = page_flip_handler;
    while (flip_pending_) {
        pollfd pfd{fd_, POLLIN, 0};
        const int n = ::poll(&pfd, 1, -1);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 || drmHandleEvent(fd_, &events) != 0) {
            LV_LOG_ERROR("waiting for the page flip failed");
            flip_pending_ = false;
        }
    }
    lv_display_flush_ready(disp);
}

}  // namespace gui::drivers
