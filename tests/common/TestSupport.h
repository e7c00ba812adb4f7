#pragma once

#include <QByteArray>
#include <QString>

namespace testsupport {

// Store and settings back to their start-of-run state, with no profile in use.
// Every test calls it first.
void resetAll();

QString dataPath(const QString& relative);
QString examplesPath(const QString& relative);
// The folder of real definition files; empty when it is not there.
QString corpusDir();

QByteArray readFile(const QString& path);
bool writeFile(const QString& path, const QByteArray& bytes);

// Text with every LF turned into CR LF (golden files are stored with LF).
QString toCrLf(const QString& text);

} // namespace testsupport
