// The settings file's INI rules as plain functions over its text.
//
// Lines end at LF (a CR before it belongs to the line ending). A section line is
// "[name]"; a key line is "key=value", split at the first "="; lines starting
// with ";" are comments; every other line is kept as it is and means nothing.
// Names match without regard to letter case and blanks around names and values
// do not count. When a section or a key appears twice, the first one counts,
// as with the Windows profile functions; keys before the first section belong
// to no section.
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace IniText {

// The longest value a read returns (the rest is cut).
inline constexpr int MaxValueLength = 11999;

// The key's value in the section: blanks around it dropped, one pair of
// surrounding double quotes removed, cut at MaxValueLength. Empty when the
// section or the key is missing.
QString readValue(QStringView text, QStringView section, QStringView key);

// The text with the key set to the value, every line ending in CR LF. An
// existing key is replaced in place (the first one, keeping its spelling);
// a new key goes after the last non-blank line of the section; a new section
// goes at the end. All other lines stay as they are. A value is cut at its
// first NUL or line end, which a line-based file cannot hold, and put in quotes when
// it has blanks at an end or quotes at both (so it reads back). Nothing when
// the section or key name cannot be written (empty, a line break, "]" in a
// section, "=" in a key, or a key that would read as a comment or section).
std::optional<QString> writeValue(QStringView text, QStringView section, QStringView key,
                                  QStringView value);

} // namespace IniText
