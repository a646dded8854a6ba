// Hands work from media-engine and pool threads to a QObject on its own thread.
// The owner detaches before it dies; afterwards posts are dropped, and a post
// already queued is discarded by Qt together with its receiver.
#pragma once

#include <QMetaObject>
#include <QObject>

#include <memory>
#include <mutex>

class OwnerRelay
{
public:
    static std::shared_ptr<OwnerRelay> create(QObject* owner)
    {
        return std::shared_ptr<OwnerRelay>(new OwnerRelay(owner));
    }

    template <typename F> void post(F&& f)
    {
        std::lock_guard lock(m_mutex);
        if (m_owner)
            QMetaObject::invokeMethod(m_owner, std::forward<F>(f), Qt::QueuedConnection);
    }

    void detach()
    {
        std::lock_guard lock(m_mutex);
        m_owner = nullptr;
    }

private:
    explicit OwnerRelay(QObject* owner) : m_owner(owner) {}
    std::mutex m_mutex;
    QObject* m_owner;
};
