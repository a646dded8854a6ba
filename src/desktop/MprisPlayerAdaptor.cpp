#include "desktop/MprisPlayerAdaptor.h"

#include "desktop/MprisService.h"

MprisPlayerAdaptor::MprisPlayerAdaptor(MprisService* service)
    : QDBusAbstractAdaptor(service), m_service(service)
{}

QVariant MprisPlayerAdaptor::value(const char* name) const
{
    return m_service->playerProperty(QLatin1String(name));
}

void MprisPlayerAdaptor::setVolume(double volume)
{
    m_service->setVolume(volume);
}

void MprisPlayerAdaptor::Next()
{
    m_service->Next();
}

void MprisPlayerAdaptor::Previous()
{
    m_service->Previous();
}

void MprisPlayerAdaptor::Pause()
{
    m_service->Pause();
}

void MprisPlayerAdaptor::PlayPause()
{
    m_service->PlayPause();
}

void MprisPlayerAdaptor::Stop()
{
    m_service->Stop();
}

void MprisPlayerAdaptor::Play()
{
    m_service->Play();
}

void MprisPlayerAdaptor::Seek(qlonglong)
{
    // CanSeek is false: nothing to do.
}

void MprisPlayerAdaptor::SetPosition(const QDBusObjectPath&, qlonglong)
{
    // CanSeek is false: nothing to do.
}

void MprisPlayerAdaptor::OpenUri(const QString& Uri)
{
    m_service->OpenUri(Uri);
}
