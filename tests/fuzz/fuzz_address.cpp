// Stream addresses: any text, as UTF-8 or as raw UTF-16, gives a verdict; a
// playable one has a URI the engine can take, and reading that URI again
// gives the same address.
#include "Fuzz.h"
#include "stream/StreamAddress.h"

#include <QUrl>

namespace {

void check(const QString& text)
{
    const StreamAddress a = StreamAddress::parse(text);
    if (!a.playable())
        return;
    FUZZ_CHECK(!a.uri.isEmpty() && QUrl(a.uri, QUrl::StrictMode).isValid(), Fuzz::shown(text));
    for (QChar c : a.uri)
        FUZZ_CHECK(c.unicode() > 0x20 && c.unicode() < 0x7F, Fuzz::shown(a.uri));
    FUZZ_CHECK(a.kind != StreamAddress::Network ||
                   (!a.host.isEmpty() && a.port > 0 && a.port < 65536),
               Fuzz::shown(a.uri));
    FUZZ_CHECK(a.kind != StreamAddress::File || a.uri.startsWith(QLatin1String("file:///")),
               Fuzz::shown(a.uri));
    const StreamAddress again = StreamAddress::parse(a.uri);
    FUZZ_CHECK(again.kind == a.kind && again.uri == a.uri,
               Fuzz::shown(text) + u' ' + Fuzz::shown(a.uri) + u' ' + Fuzz::shown(again.uri));
}

} // namespace

FUZZ_TARGET(bytes)
{
    check(QString::fromUtf8(bytes));
    check(Fuzz::utf16(bytes));
}
