// The settings file skytuner.ini in the program folder (sections "PLAYER", "DEV").
//
// Section and key names match without regard to letter case; blanks around keys
// and values are dropped and one pair of surrounding double quotes is removed when
// reading; lines the program does not know are kept. The file is Windows-1250
// or UTF-8 (common/TextFileEncoding.h) with CR LF. Every write replaces the file
// atomically.
#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

// Full path of the settings file.
QString INI_FilePath();

// The key's value, or empty text when the file, section or key is missing.
// Never creates the file. Values are cut at 11999 characters.
QString INI_ReadValue(const QString& section, const QString& key);

// The whole settings file's text, to read several keys with INI_ValueIn from one
// read; empty when the file is missing or cannot be read.
QString INI_ReadFile();

// The key's value in a text INI_ReadFile returned, as INI_ReadValue reads it.
QString INI_ValueIn(const QString& text, const QString& section, const QString& key);

// Writes the value as text (numbers in plain decimal form), creating the file,
// section and key as needed. Always returns empty text; see INI_TryWriteValue.
QString INI_WriteValue(const QString& section, const QString& key, const QVariant& value);

// As INI_WriteValue, but tells whether the file was written. On failure the old
// file is left exactly as it was.
bool INI_TryWriteValue(const QString& section, const QString& key, const QVariant& value);

// As INI_TryWriteValue for several keys of one section, with one read and one
// write of the file; nothing is written when any key cannot be.
bool INI_TryWriteValues(const QString& section, const QList<QPair<QString, QVariant>>& values);

// The part before the first NUL character; the whole text when it has none.
QString INI_TrimNull(const QString& text);
