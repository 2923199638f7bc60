#pragma once
// Paths are bytes to the system, text to Qt. These convert without loss: a byte that is
// not part of valid UTF-8 travels as one of the code points U+DC80 to U+DCFF and comes
// back as the same byte, so that any name given on the command line, dropped, or chosen
// reaches the file system unchanged.

#include <string>

#include <QByteArray>
#include <QString>
#include <QUrl>

namespace q9tx {

// A path as the system gives it (argv, getcwd, a folder's listing).
QString PathFromBytes(const QByteArray& bytes);

// The bytes to give the system for a path made by PathFromBytes, or typed.
std::string PathBytes(const QString& path);

// A "file:" URL's path, its percent-encoded bytes taken as they are (QUrl::toLocalFile
// would read them as UTF-8 and lose those that are not).
QString PathFromFileUrl(const QUrl& url);

// A path that the toolkit's own file listing shows with U+FFFD for the bytes it could not
// read: the one existing entry it stands for, folder by folder; the path itself when it
// exists as it is, or when no single entry fits.
QString ListedPath(const QString& shown);

}  // namespace q9tx
