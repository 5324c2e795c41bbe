#pragma once
// What a drop on the window carries for the playlist: the local files and
// stations' addresses of a text/uri-list (a file manager, a browser's link),
// or one station's address as plain text (a browser's address bar).
#include <QList>
#include <QMimeData>
#include <QUrl>
#include <string>
#include <vector>

namespace orvana::app {

// Local files and http(s) addresses, in order; other schemes are left out.
std::vector<std::string> NamesOfUrls(const QList<QUrl>& urls);

// The names of a drop: those of its URL list, else the address its text
// holds (blanks and line breaks around it allowed, nothing else beside it).
std::vector<std::string> DroppedNames(const QMimeData& data);

// Whether DroppedNames would find anything, to accept the drag.
bool CarriesNames(const QMimeData& data);

}  // namespace orvana::app
