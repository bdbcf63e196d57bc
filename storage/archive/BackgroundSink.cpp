#include "BackgroundSink.h"

#include <cstring>

namespace ergotab::archive {

BackgroundSink::BackgroundSink(ByteSink consumer)
    : m_consumer(std::move(consumer))
    , m_current(freshBuffer())
{
    m_thread = std::thread([this] { run(); });
}

BackgroundSink::~BackgroundSink()
{
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
        m_abandon = !m_finished;
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

BackgroundSink::Buffer BackgroundSink::freshBuffer()
{
    return Buffer {std::make_unique_for_overwrite<char[]>(size_t(kBufferSize)), 0};
}

std::span<char> BackgroundSink::space()
{
    return {m_current.bytes.get() + m_current.size, size_t(kBufferSize - m_current.size)};
}

bool BackgroundSink::write(const char *data, qsizetype size)
{
    while (size > 0) {
        char *end = m_current.bytes.get() + m_current.size;
        const qsizetype n = qMin(kBufferSize - m_current.size, size);
        if (data != end) // bytes already placed in space() are taken where they lie
            std::memcpy(end, data, size_t(n));
        m_current.size += n;
        data += n;
        size -= n;
        if (m_current.size == kBufferSize)
            queueCurrent();
    }
    std::lock_guard lock(m_mutex);
    return !m_failed;
}

void BackgroundSink::queueCurrent()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_queued.size() < kBuffersInFlight || m_failed; });
    if (m_failed) {
        m_current.size = 0; // nothing more will be written
        return;
    }
    m_queued.push_back(std::move(m_current));
    Buffer next;
    if (!m_spare.empty()) {
        next = std::move(m_spare.back());
        m_spare.pop_back();
    }
    lock.unlock();
    m_changed.notify_all();
    m_current = next.bytes ? std::move(next) : freshBuffer();
}

bool BackgroundSink::finish()
{
    if (m_finished)
        return !m_failed;
    if (m_current.size > 0)
        queueCurrent();
    {
        std::lock_guard lock(m_mutex);
        m_closing = true;
        m_finished = true;
    }
    m_changed.notify_all();
    m_thread.join();
    return !m_failed;
}

void BackgroundSink::run()
{
    for (;;) {
        Buffer buffer;
        bool failedBefore = false;
        {
            std::unique_lock lock(m_mutex);
            m_changed.wait(lock, [this] { return !m_queued.empty() || m_closing; });
            if (m_abandon || m_queued.empty())
                return;
            buffer = std::move(m_queued.front());
            m_queued.pop_front();
            failedBefore = m_failed;
        }
        const bool ok = !failedBefore && m_consumer(buffer.bytes.get(), buffer.size);
        buffer.size = 0;
        {
            std::lock_guard lock(m_mutex);
            m_failed = m_failed || !ok;
            m_spare.push_back(std::move(buffer));
        }
        m_changed.notify_all();
    }
}

} // namespace ergotab::archive
