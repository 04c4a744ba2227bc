#include "NotificationCenter.h"

#include "MainThread.h"

#include <QCoreApplication>

#include <algorithm>

NotificationCenter::NotificationCenter()
{
    // The centre is made wherever it is first used, but it belongs to the main thread: posts
    // from workers are queued to it there, and a worker's event queue may never run again.
    if (const QCoreApplication *app = QCoreApplication::instance())
        moveToThread(app->thread());
}

NotificationCenter::~NotificationCenter() = default;

NotificationCenter &NotificationCenter::defaultCenter()
{
    static NotificationCenter center;
    return center;
}

void NotificationCenter::add(QObject *observer, std::function<void(const Notification &)> call,
                             const QString &name, QObject *sender)
{
    if (observer == nullptr)
        return;
    // Connected once per object, whichever role it plays; a destroyed object's entries go.
    auto watch = [this](QObject *object) {
        connect(object, &QObject::destroyed, this, &NotificationCenter::forget,
                Qt::UniqueConnection);
    };
    watch(observer);
    if (sender != nullptr)
        watch(sender);
    m_entries.push_back({m_nextId++, observer, name, sender != nullptr, sender, std::move(call)});
}

void NotificationCenter::removeObserver(QObject *observer)
{
    for (Entry &entry : m_entries) {
        if (entry.observer == observer)
            entry.observer.clear();
    }
    prune();
}

void NotificationCenter::removeObserver(QObject *observer, const QString &name, QObject *sender)
{
    for (Entry &entry : m_entries) {
        if (entry.observer == observer && entry.name == name &&
            (sender == nullptr || entry.sender == sender))
            entry.observer.clear();
    }
    prune();
}

void NotificationCenter::post(const QString &name, QObject *sender)
{
    if (QCoreApplication::instance() != nullptr && !MainThread::isCurrent()) {
        QPointer<QObject> guard(sender);
        const bool hadSender = sender != nullptr;
        MainThread::post(this, [this, name, guard, hadSender] {
            // A sender that died on the way posts nothing: its observers expect a live object.
            if (!hadSender || guard)
                post(name, guard.data());
        });
        return;
    }

    const Notification notification{name, sender};
    // Observers may add or remove registrations while being called: walk by id, and only
    // the entries that existed when the post began.
    const quint64 last = m_nextId;
    ++m_posting;
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].id >= last)
            break;
        const Entry &entry = m_entries[i];
        if (!entry.observer || entry.name != name)
            continue;
        if (entry.filtered && (!entry.sender || entry.sender.data() != sender))
            continue;
        // Copy: the call may erase the entry it comes from.
        const auto call = entry.call;
        call(notification);
    }
    --m_posting;
    prune();
}

int NotificationCenter::observerCount() const
{
    return static_cast<int>(std::count_if(m_entries.begin(), m_entries.end(), [](const Entry &e) {
        return e.observer && (!e.filtered || e.sender);
    }));
}

void NotificationCenter::forget()
{
    // The dead object's QPointers are already null: its entries can never match again,
    // only their storage is left to drop.
    prune();
}

void NotificationCenter::prune()
{
    if (m_posting > 0)
        return;
    m_entries.erase(
        std::remove_if(m_entries.begin(), m_entries.end(),
                       [](const Entry &e) { return !e.observer || (e.filtered && !e.sender); }),
        m_entries.end());
}
