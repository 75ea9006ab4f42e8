// Conversions between the model's 8-bit texts and Qt strings.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace tokarium {

// Names and texts stored in documents are Latin-1.
QString fromLatin1Text(const std::string& text);
std::string toLatin1Text(const QString& text);

// File paths use the file system's encoding.
QString fromPath(const std::string& path);
std::string toPath(const QString& path);

// Messages may carry a path (file system encoding) or a name (Latin-1): UTF-8 when the bytes are
// valid UTF-8, Latin-1 otherwise.
QString fromMessageText(const std::string& text);

// A "Label (*.a)|*.a|Other (*.*)|*.*||" filter as the ";;"-separated list of file dialogs.
QString qtFileFilter(std::string_view filter);

// A text shown as a menu item as it is: "&" would otherwise mark a mnemonic.
QString menuItemText(const QString& text);

} // namespace tokarium
