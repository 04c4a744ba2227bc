#include "MemoryBudget.h"

#include <unistd.h>

qint64 MemoryBudget::defaultBytes()
{
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return qint64(2) << 30;
    return qint64(pages) * pageSize / 2;
}

qint64 MemoryBudget::reserve(qint64 bytes)
{
    const qint64 wanted = qBound<qint64>(0, bytes, m_total);
    std::unique_lock<std::mutex> lock(m_mutex);
    // First come, first served: small jobs do not keep a large one waiting for ever.
    const quint64 ticket = m_nextTicket++;
    m_freed.wait(lock, [&] { return ticket == m_serving && m_held + wanted <= m_total; });
    m_held += wanted;
    ++m_serving;
    lock.unlock();
    m_freed.notify_all(); // the next in line may fit too
    return wanted;
}

void MemoryBudget::release(qint64 bytes)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_held -= bytes;
    }
    m_freed.notify_all();
}

qint64 MemoryBudget::held()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_held;
}

int MemoryBudget::waiting()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(m_nextTicket - m_serving);
}
