#pragma once

#include "ZlibStreams.h"

#include <QtGlobal>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

namespace ergotab::archive {

// Passes bytes on to a consumer that runs on a second thread, so that producing them (inflating
// a member) and consuming them (checksumming and writing the file) overlap. Bytes are gathered
// into large buffers and only a few are in flight at a time, so memory stays flat whatever the
// size. The consumer must not touch what the producing thread uses until finish() returns.
class BackgroundSink
{
public:
    explicit BackgroundSink(ByteSink consumer);
    // Without finish(), whatever is still queued is dropped and the thread stops.
    ~BackgroundSink();
    BackgroundSink(const BackgroundSink &) = delete;
    BackgroundSink &operator=(const BackgroundSink &) = delete;

    // Queues the bytes; false once the consumer has refused an earlier piece. Bytes already
    // placed in space() are taken where they lie.
    bool write(const char *data, qsizetype size);
    // The free end of the buffer being filled: never empty.
    std::span<char> space();
    // Hands over what is left and waits for it; true when the consumer took every byte.
    bool finish();

    static constexpr qsizetype kBufferSize = 1 << 20;
    static constexpr size_t kBuffersInFlight = 3;

private:
    struct Buffer
    {
        std::unique_ptr<char[]> bytes;
        qsizetype size = 0;
    };
    void run();
    void queueCurrent();
    Buffer freshBuffer();

    ByteSink m_consumer;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<Buffer> m_queued;
    std::vector<Buffer> m_spare;
    Buffer m_current;
    bool m_closing = false;
    bool m_abandon = false;
    bool m_failed = false;
    bool m_finished = false;
    std::thread m_thread;
};

} // namespace ergotab::archive
