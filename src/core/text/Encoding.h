#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace quillon
{

// True when the bytes are well-formed UTF-8 (a leading byte-order mark is allowed).
bool isValidUtf8(QByteArrayView bytes);

// Decodes CP932 (Windows Shift-JIS). Bytes that form no character become U+FFFD,
// one replacement per bad byte; nothing is dropped.
QString decodeCp932(QByteArrayView bytes);
// The same into a buffer that is reused from call to call (its old text is replaced).
void decodeCp932Into(QByteArrayView bytes, QString* out);

// Decodes UTF-8 into a buffer that is reused from call to call (its old text is replaced).
void decodeUtf8Into(QByteArrayView bytes, QString* out);

// A definition file or profile: UTF-8 (BOM stripped) when it is valid UTF-8, else CP932.
QString decodeText(const QByteArray& bytes);

// Encodes to CP932. Returns false (and leaves *out untouched) when a character has no
// CP932 form.
bool encodeCp932(const QString& text, QByteArray* out);

} // namespace quillon
