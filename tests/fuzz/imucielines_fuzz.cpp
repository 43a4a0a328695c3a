// IMU attitude lines and CIE colour lines: any input, cut anywhere, gives
// the same readings as whole, every value finite or one of the failure
// values, finite Euler angles and unit quaternions, and the kept tails
// within their caps.
// fuzz-sources: devices/imu/imulines.cpp devices/cie/cielines.cpp devices/devicenumber.cpp terminal/cappedlinereader.cpp
// fuzz-qt: Qt6Core Qt6Gui
#include "devices/cie/cielines.h"
#include "devices/imu/imulines.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int step = 1 + data[0] % 11;
    const QByteArray input(reinterpret_cast<const char *>(data + 1), int(size - 1));

    CieLines::Parser wholeCie, cutCie;
    const QList<CieLines::Reading> expected = wholeCie.feed(input);
    QList<CieLines::Reading> got;
    ImuLines::Parser imu;
    for (int at = 0; at < input.size(); at += step) {
        got += cutCie.feed(input.mid(at, step));
        if (const auto q = imu.feed(input.mid(at, step))) {
            if (q->converted && !(std::isfinite(q->w) && std::isfinite(q->x) && std::isfinite(q->y) && std::isfinite(q->z)))
                abort();
            const ImuLines::Euler e = ImuLines::toEuler(*q);
            if (!std::isfinite(e.pitch) || !std::isfinite(e.yaw) || !std::isfinite(e.roll))
                abort();
            if (const auto u = ImuLines::normalised(*q)) {
                const double length = std::sqrt(u->w * u->w + u->x * u->x + u->y * u->y + u->z * u->z);
                if (std::fabs(length - 1) > 1e-9)
                    abort();
            }
        }
        if (imu.buffered().size() > ImuLines::kMaxBuffered)
            abort();
    }
    if (got.size() != expected.size() || cutCie.buffered() != wholeCie.buffered())
        abort();
    for (int i = 0; i < got.size(); ++i) {
        const CieLines::Reading &a = got[i], &b = expected[i];
        if (a.x != b.x || a.y != b.y || a.lux != b.lux || a.cct != b.cct)
            abort();
        if (!std::isfinite(a.x) || !std::isfinite(a.y) || !std::isfinite(a.lux) || !std::isfinite(a.cct))
            abort();
    }
    return 0;
}
