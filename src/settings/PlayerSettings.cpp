#include "settings/PlayerSettings.h"

#include "common/Logging.h"
#include "common/NumberText.h"
#include "common/clsFunctionLib.h"
#include "common/modGlobal.h"
#include "settings/modINI.h"

#include <cmath>

namespace PlayerSettings {

namespace {

// The user's notation first, then the plain one the program writes ("1234.5").
std::optional<double> numeric(const QString& text)
{
    if (const std::optional<double> value = NumberText::parse(text))
        return value;
    return NumberText::parse(text, QLocale::c());
}

// A whole number the way the file's numbers always read: as a signed 16-bit
// value, halves to the even neighbour.
std::optional<int> int16(const QString& text)
{
    if (const std::optional<qint16> value = NumberText::toInt16(text))
        return *value;
    if (const std::optional<qint16> value = NumberText::toInt16(text, QLocale::c()))
        return *value;
    return std::nullopt;
}

// A distance kept as the single-precision value the file holds.
std::optional<double> distance(const QString& text)
{
    const std::optional<double> value = numeric(text);
    if (!value || std::fabs(*value) > MaxTwips)
        return std::nullopt;
    return static_cast<double>(static_cast<float>(*value));
}

std::optional<double> length(const QString& text)
{
    const std::optional<double> value = distance(text);
    return value && *value > 0.0 ? value : std::nullopt;
}

using Reader = void (*)(Values&, const QString&);
using Writer = std::optional<QString> (*)(const Values&);

template <bool Values::*Member> void readFlag(Values& values, const QString& text)
{
    values.*Member = text == QLatin1String("1");
}

template <bool Values::*Member> std::optional<QString> flagText(const Values& values)
{
    return values.*Member ? QStringLiteral("1") : QStringLiteral("0");
}

template <QString Values::*Member> void readText(Values& values, const QString& text)
{
    values.*Member = text;
}

template <QString Values::*Member> std::optional<QString> plainText(const Values& values)
{
    return values.*Member;
}

// Out of range or not numeric gives the default.
template <int Values::*Member, int Low, int High, int Default>
void readRange(Values& values, const QString& text)
{
    const std::optional<int> value = int16(text);
    values.*Member = value && *value >= Low && *value <= High ? *value : Default;
}

template <int Values::*Member> std::optional<QString> numberText(const Values& values)
{
    return QString::number(values.*Member);
}

template <std::optional<double> Place::*Member, std::optional<double> (*Check)(const QString&)>
void readTwips(Values& values, const QString& text)
{
    values.place.*Member = Check(text);
}

template <std::optional<double> Place::*Member>
std::optional<QString> twipsText(const Values& values)
{
    if (const std::optional<double> twips = values.place.*Member)
        return NumberText::fromSingle(*twips);
    return std::nullopt;
}

void readState(Values& values, const QString& text)
{
    values.place.state = std::nullopt;
    if (text == QLatin1String("0") || text == QLatin1String("1") || text == QLatin1String("2"))
        values.place.state = text.toInt();
}

std::optional<QString> stateText(const Values& values)
{
    if (values.place.state)
        return QString::number(*values.place.state);
    return std::nullopt;
}

struct Field
{
    Key key;
    const char* section;
    const char* name;
    Reader read;
    Writer text;
};

constexpr const char* Player = "PLAYER";

// One row per key, in the order of Key.
const Field Fields[] = {
    {Key::OnTop, Player, "ontop", readFlag<&Values::onTop>, flagText<&Values::onTop>},
    {Key::SysTray, Player, "systray", readFlag<&Values::sysTray>, flagText<&Values::sysTray>},
    {Key::Anim, Player, "anim", readFlag<&Values::anim>, flagText<&Values::anim>},
    {Key::AutoStart, Player, "autostart", readFlag<&Values::autoStart>,
     flagText<&Values::autoStart>},
    {Key::LastUrl, Player, "lasturl", readText<&Values::lastUrl>, plainText<&Values::lastUrl>},
    {Key::List, Player, "list", readText<&Values::list>, plainText<&Values::list>},
    {Key::Fav, Player, "fav", readText<&Values::fav>, plainText<&Values::fav>},
    {Key::Volume, Player, "volume", readRange<&Values::volume, 0, 100, 50>,
     numberText<&Values::volume>},
    {Key::Balance, Player, "balance", readRange<&Values::balance, -100, 100, 0>,
     numberText<&Values::balance>},
    {Key::Lang, Player, "lang", readText<&Values::lang>, plainText<&Values::lang>},
    {Key::Left, Player, "left", readTwips<&Place::left, distance>, twipsText<&Place::left>},
    {Key::Top, Player, "top", readTwips<&Place::top, distance>, twipsText<&Place::top>},
    {Key::Width, Player, "width", readTwips<&Place::width, length>, twipsText<&Place::width>},
    {Key::Height, Player, "height", readTwips<&Place::height, length>, twipsText<&Place::height>},
    {Key::State, Player, "state", readState, stateText},
    {Key::ShowErrors, "DEV", "showerrors", readFlag<&Values::showErrors>,
     flagText<&Values::showErrors>},
};
static_assert(std::size(Fields) == static_cast<std::size_t>(Key::ShowErrors) + 1);

const Field& field(Key key)
{
    return Fields[static_cast<std::size_t>(key)];
}

} // namespace

QString Section(Key key)
{
    return QLatin1String(field(key).section);
}

QString Name(Key key)
{
    return QLatin1String(field(key).name);
}

Values Parse(const QString& iniText)
{
    Values values;
    for (const Field& f : Fields)
        f.read(values, INI_ValueIn(iniText, QLatin1String(f.section), QLatin1String(f.name)));
    return values;
}

Values Read()
{
    return Parse(INI_ReadFile());
}

std::optional<QString> Text(const Values& values, Key key)
{
    return field(key).text(values);
}

bool Write(const Values& values, std::span<const Key> keys)
{
    // One write per run of keys of the same section (in practice all are PLAYER).
    bool written = true;
    for (std::size_t first = 0; first < keys.size();) {
        const char* section = field(keys[first]).section;
        QList<QPair<QString, QVariant>> run;
        std::size_t next = first;
        for (; next < keys.size() && qstrcmp(field(keys[next]).section, section) == 0; ++next) {
            if (const std::optional<QString> text = Text(values, keys[next]))
                run.append({Name(keys[next]), *text});
        }
        if (!run.isEmpty() && !INI_TryWriteValues(QLatin1String(section), run)) {
            QStringList names;
            for (const auto& pair : std::as_const(run))
                names << pair.first;
            qCWarning(lcPlayer) << "could not write" << names << "to" << INI_FilePath();
            written = false;
        }
        first = next;
    }
    return written;
}

void RemoveStaleTemporaries()
{
    if (const int removed = clsFunctionLib().FNC_RemoveStaleTemporaries(INI_FilePath()))
        qCInfo(lcPlayer) << "removed" << removed << "stale temporaries of" << INI_FilePath();
}

bool CreateIfMissing()
{
    if (modGlobal::FileExists(INI_FilePath()))
        return false;
    clsFunctionLib().FNC_SaveDataContent(
        QStringLiteral(";Setting file for skyTuner\r\n;****************************"),
        INI_FilePath());
    return true;
}

} // namespace PlayerSettings
