#ifndef VELMORA_PLATFORM_NOTIFICATIONCENTER_H
#define VELMORA_PLATFORM_NOTIFICATIONCENTER_H

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

// What an observer receives: the name that was posted and the object that posted it.
struct Notification
{
    QString name;
    QObject *sender = nullptr;
};

// Named notifications between views and controllers. Observers register for a name,
// optionally only from one sender, with a member function; a post reaches the matching
// observers synchronously, in the order they registered. An observer or a sender filter
// that is destroyed drops its registrations, so nothing dead is ever called.
// Used from the main thread; a post from another thread is queued to the main thread.
// An observer that may see posts while its own destructor runs removes itself there first.
class NotificationCenter : public QObject
{
    Q_OBJECT

public:
    NotificationCenter();
    ~NotificationCenter() override;

    static NotificationCenter &defaultCenter();

    template <class T>
    void addObserver(T *observer, void (T::*member)(const Notification &), const QString &name,
                     QObject *sender = nullptr)
    {
        add(
            observer, [observer, member](const Notification &n) { (observer->*member)(n); }, name,
            sender);
    }

    template <class T>
    void addObserver(T *observer, void (T::*member)(), const QString &name,
                     QObject *sender = nullptr)
    {
        add(
            observer, [observer, member](const Notification &) { (observer->*member)(); }, name,
            sender);
    }

    // Every registration of the observer.
    void removeObserver(QObject *observer);
    // The observer's registrations for one name (and, when given, one sender filter).
    void removeObserver(QObject *observer, const QString &name, QObject *sender = nullptr);

    void post(const QString &name, QObject *sender = nullptr);

    int observerCount() const;

private:
    struct Entry
    {
        quint64 id;
        QPointer<QObject> observer;
        QString name;
        bool filtered;
        QPointer<QObject> sender;
        std::function<void(const Notification &)> call;
    };

    void add(QObject *observer, std::function<void(const Notification &)> call, const QString &name,
             QObject *sender);
    void forget();
    void prune();

    std::vector<Entry> m_entries;
    quint64 m_nextId = 1;
    int m_posting = 0;
};

#endif
