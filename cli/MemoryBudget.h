#ifndef VELMORA_CLI_MEMORYBUDGET_H
#define VELMORA_CLI_MEMORYBUDGET_H

#include <QtGlobal>

#include <condition_variable>
#include <mutex>

// Bytes that parallel jobs may hold at once. A job reserves what its picture will need
// before it starts and waits while the others hold too much; a job that needs more than
// the whole budget runs, alone. Jobs are let in in the order they asked.
class MemoryBudget
{
public:
    explicit MemoryBudget(qint64 bytes) : m_total(qMax<qint64>(bytes, 1)) {}

    // Half the machine's physical memory.
    static qint64 defaultBytes();

    // Blocks until `bytes` (at most the whole budget) are free, then holds them.
    qint64 reserve(qint64 bytes);
    void release(qint64 bytes);

    qint64 total() const { return m_total; }
    qint64 held();
    // Reservations not granted yet.
    int waiting();

private:
    std::mutex m_mutex;
    std::condition_variable m_freed;
    const qint64 m_total;
    qint64 m_held = 0;
    quint64 m_nextTicket = 0;
    quint64 m_serving = 0;
};

#endif
