#include "hexfileread.h"

#include <QThread>

#include <cerrno>
#include <unistd.h>

namespace {
// Reads from page cache scale up to a few threads, then memory bandwidth
// is the limit.
constexpr int kMaxThreads = 4;
// One read call at most this large, so a thread notices errors early.
constexpr qint64 kChunk = qint64(4) * 1024 * 1024;
} // namespace

HexFileRead::HexFileRead(int fd, char *buffer, qint64 size)
{
    if (size <= 0)
        return;
    int count = 1;
    if (size >= ThreadedFrom)
        count = qBound(1, QThread::idealThreadCount(), kMaxThreads);
    parts.resize(size_t(count));
    // Parts start on 4 KiB boundaries so no two threads share a page.
    const qint64 step = ((size / count) + 4095) & ~qint64(4095);
    for (int i = 0; i < count; ++i) {
        Part &p = parts[size_t(i)];
        p.begin = qMin(size, step * i);
        p.end = i == count - 1 ? size : qMin(size, step * (i + 1));
    }
    if (count == 1) {
        readPart(fd, buffer, &parts[0]);
        return;
    }
    // Every part gets a thread of its own, so the caller is free at once.
    threads.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        threads.emplace_back(&HexFileRead::readPart, fd, buffer, &parts[size_t(i)]);
}

HexFileRead::~HexFileRead() { wait(); }

HexFileRead::Result HexFileRead::wait()
{
    if (!waited) {
        for (std::thread &t : threads)
            t.join();
        threads.clear();
        waited = true;
    }
    Result result = Result::Complete;
    for (const Part &p : parts) {
        if (p.result == Result::Failed)
            return Result::Failed;
        if (p.result == Result::Short)
            result = Result::Short;
    }
    return result;
}

void HexFileRead::readPart(int fd, char *buffer, Part *part)
{
    qint64 at = part->begin;
    while (at < part->end) {
        const ssize_t n = ::pread(fd, buffer + at, size_t(qMin(kChunk, part->end - at)), off_t(at));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            part->result = Result::Failed;
            return;
        }
        if (n == 0) {
            part->result = Result::Short;
            return;
        }
        at += n;
    }
    part->result = Result::Complete;
}

bool HexFileRead::hasByteAt(int fd, qint64 offset)
{
    char c;
    while (true) {
        const ssize_t n = ::pread(fd, &c, 1, off_t(offset));
        if (n < 0 && errno == EINTR)
            continue;
        return n > 0;
    }
}
