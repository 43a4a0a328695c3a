#pragma once

#include <QtGlobal>

#include <thread>
#include <vector>

// Reads the first `size` bytes of an open file into a buffer with a few
// threads at once, each with its own positioned reads (the descriptor's own
// position is not moved). The caller goes on with other work meanwhile and
// collects the result with wait(); the buffer must stay put until then and
// nobody may read it before. The destructor waits as well.
class HexFileRead
{
public:
    enum class Result {
        Complete, // all `size` bytes are in the buffer
        Short,    // the file ended before `size` bytes (it shrank)
        Failed    // a read failed
    };

    // Files below this size are read in the calling thread.
    static constexpr qint64 ThreadedFrom = qint64(4) * 1024 * 1024;

    HexFileRead(int fd, char *buffer, qint64 size);
    ~HexFileRead();
    HexFileRead(const HexFileRead &) = delete;
    HexFileRead &operator=(const HexFileRead &) = delete;

    Result wait();

    // Whether the file holds at least one byte at `offset` (it grew past
    // the size that was read). False on a read error too.
    static bool hasByteAt(int fd, qint64 offset);

private:
    struct Part {
        qint64 begin = 0;
        qint64 end = 0;
        Result result = Result::Complete;
    };
    static void readPart(int fd, char *buffer, Part *part);

    std::vector<Part> parts;
    std::vector<std::thread> threads;
    bool waited = false;
};
